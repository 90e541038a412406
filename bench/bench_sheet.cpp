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
#include <unistd.h>
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

// Starts the program and waits for its end, its output thrown away, with neither a display nor
// a platform named, as a CI job runs it. Linux counts the memory of the process a program is
// started from into the program's peak (ru_maxrss), and the benchmark holds every generated
// configuration: the programs are started from a small helper forked before any is made.
class Launcher
{
public:
    // Before anything else in main(): the helper is a copy of the process as it is then.
    static void start()
    {
        int requests[2], answers[2];
        if (pipe(requests) != 0 || pipe(answers) != 0) {
            return;
        }
        if (fork() == 0) {
            close(requests[1]);
            close(answers[0]);
            serve(requests[0], answers[1]);
            _exit(0);
        }
        close(requests[0]);
        close(answers[1]);
        toHelper() = requests[1];
        fromHelper() = answers[0];
    }

    // The exit status (-1 when it did not exit) and the peak resident memory in kilobytes.
    static std::pair<long, long> run(const QStringList &arguments)
    {
        const QByteArray request
            = (QStringLiteral(VELTORA_EDITOR "\n") + arguments.join('\n')).toLocal8Bit();
        const quint32 size = quint32(request.size());
        long answer[2] = {-1, 0};
        if (toHelper() < 0 || !exchange(write(toHelper(), &size, sizeof size), sizeof size)
            || !exchange(write(toHelper(), request.constData(), size), size)
            || !exchange(read(fromHelper(), answer, sizeof answer), sizeof answer)) {
            return {-1, 0};
        }
        return {answer[0], answer[1]};
    }

private:
    static int &toHelper()
    {
        static int fd = -1;
        return fd;
    }
    static int &fromHelper()
    {
        static int fd = -1;
        return fd;
    }
    static bool exchange(ssize_t done, size_t wanted) { return done == ssize_t(wanted); }

    static void serve(int requests, int answers)
    {
        std::vector<char *> environment;
        for (char **variable = environ; *variable; ++variable) {
            const QByteArray text(*variable);
            const QByteArray name = text.left(text.indexOf('='));
            if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM") {
                environment.push_back(*variable);
            }
        }
        environment.push_back(nullptr);
        quint32 size = 0;
        while (exchange(read(requests, &size, sizeof size), sizeof size)) {
            QByteArray request(int(size), '\0');
            if (!exchange(read(requests, request.data(), size), size)) {
                return;
            }
            QList<QByteArray> texts = request.split('\n');
            std::vector<char *> argv;
            for (QByteArray &text : texts) {
                argv.push_back(text.data());
            }
            argv.push_back(nullptr);
            long answer[2] = {-1, 0};
            const pid_t child = fork();
            if (child == 0) {
                const int nowhere = open("/dev/null", O_WRONLY);
                dup2(nowhere, 1);
                dup2(nowhere, 2);
                execve(argv.front(), argv.data(), environment.data());
                _exit(127);
            }
            int status = 0;
            rusage usage {};
            if (child > 0 && wait4(child, &status, 0, &usage) == child) {
                answer[0] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                answer[1] = usage.ru_maxrss;
            }
            if (!exchange(write(answers, answer, sizeof answer), sizeof answer)) {
                return;
            }
        }
    }
};

// The peak memory of a run, and of one that stops before the sheet (its folder is missing),
// having read the configuration alone: the difference is what the sheet itself takes.
void sheetProcess(benchmark::State &state, const QString &file)
{
    long peak = 0;
    for (auto _ : state) {
        const auto run = Launcher::run({QStringLiteral("--sheet"), output(), file});
        if (run.first != 0) {
            state.SkipWithError("veltora --sheet failed");
            return;
        }
        peak = qMax(peak, run.second);
    }
    const long read
        = Launcher::run({QStringLiteral("--sheet"), output() + QStringLiteral(".missing/x"), file})
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
    Launcher::start();
    return runWindowBenchmarks(argc, argv);
}
