// The classification sheet as a PDF: the European example read from its file and written, and
// generated configurations of 500 and 2,000 subclasses, each with its layout alone as well; and
// veltora --sheet as a whole process without a display, with its peak memory, on the European
// example and on 500, 2,000 and 8,000 subclasses.
#include "conf.h"
#include "generate.h"
#include "sheet.h"
#include "sheetlayout.h"
#include "windowbench.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <map>
#include <vector>

extern char **environ;

namespace {

QString output()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("sheet.pdf"));
}

SheetOptions sheetOptions(const QString &name)
{
    SheetOptions options;
    options.fileName = name;
    return options;
}

const Conf &generated(int count)
{
    static std::map<int, Conf> made;
    auto it = made.find(count);
    if (it == made.end()) {
        it = made.emplace(count, make_conf(count)).first;
    }
    return it->second;
}

void writeAndCount(benchmark::State &state, const Conf &conf, const SheetOptions &options)
{
    QString error;
    if (!writeSheetPdf(conf, options, output(), &error)) {
        state.SkipWithError(qPrintable(error));
    }
    state.counters["pdf_bytes"] = double(QFileInfo(output()).size());
}

// From the file to the finished PDF, as the headless command makes it.
void sheetEuropean(benchmark::State &state)
{
    const QString file = QStringLiteral(VELTORA_SOURCE_DIR "/examples/european.conf");
    for (auto _ : state) {
        const Conf conf(file, nullptr);
        writeAndCount(state, conf, sheetOptions(QStringLiteral("european.conf")));
    }
}
BENCHMARK(sheetEuropean)->Unit(benchmark::kMillisecond);

void sheetGenerated(benchmark::State &state)
{
    const Conf &conf = generated(int(state.range(0)));
    for (auto _ : state) {
        writeAndCount(state, conf, sheetOptions(QStringLiteral("generated.conf")));
    }
}
BENCHMARK(sheetGenerated)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// The layout alone: every row measured and every picture built once to find the scale.
void sheetLayoutGenerated(benchmark::State &state)
{
    const Conf &conf = generated(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        pages = SheetLayout::forPdf(conf, sheetOptions(QStringLiteral("generated.conf")))
                    .pages()
                    .size();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(sheetLayoutGenerated)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// Runs the program to its end, its output thrown away, with neither a display nor a platform
// named, as a CI job runs it. Answers its exit status (-1 when it did not exit) and its peak
// resident memory in kilobytes, which only wait4 gives for one child alone.
std::pair<int, long> runProgram(const QStringList &arguments)
{
    std::vector<QByteArray> texts {QByteArrayLiteral(VELTORA_EDITOR)};
    for (const QString &argument : arguments) {
        texts.push_back(argument.toLocal8Bit());
    }
    std::vector<char *> argv;
    for (QByteArray &text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    std::vector<char *> environment;
    for (char **variable = environ; *variable; ++variable) {
        const QByteArray variableText(*variable);
        const QByteArray name = variableText.left(variableText.indexOf('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM") {
            environment.push_back(*variable);
        }
    }
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned
        = posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage {};
    if (spawned != 0 || wait4(child, &status, 0, &usage) != child) {
        return {-1, 0};
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

// The peak memory of a run, and of one that stops before the sheet (its folder is missing),
// having read the configuration alone: the difference is what the sheet itself takes.
void sheetProcess(benchmark::State &state, const QString &file)
{
    long peak = 0;
    for (auto _ : state) {
        const auto run = runProgram({QStringLiteral("--sheet"), output(), file});
        if (run.first != 0) {
            state.SkipWithError("veltora --sheet failed");
            return;
        }
        peak = qMax(peak, run.second);
    }
    const long read
        = runProgram({QStringLiteral("--sheet"), output() + QStringLiteral(".missing/x"), file})
              .second;
    state.counters["pdf_bytes"] = double(QFileInfo(output()).size());
    state.counters["peak_rss_MB"] = double(peak) / 1024;
    state.counters["read_only_rss_MB"] = double(read) / 1024;
    state.counters["sheet_rss_MB"] = double(peak - read) / 1024;
}

void sheetProcessEuropean(benchmark::State &state)
{
    sheetProcess(state, QStringLiteral(VELTORA_SOURCE_DIR "/examples/european.conf"));
}
BENCHMARK(sheetProcessEuropean)->Unit(benchmark::kMillisecond)->UseRealTime();

void sheetProcessGenerated(benchmark::State &state)
{
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("generated%1.conf").arg(state.range(0)));
    if (!QFileInfo::exists(file)) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)
            || out.write(generated(int(state.range(0))).to_string().toUtf8()) < 0) {
            state.SkipWithError("cannot write the configuration");
            return;
        }
    }
    sheetProcess(state, file);
}
BENCHMARK(sheetProcessGenerated)
    ->Arg(500)
    ->Arg(2000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
