// Reading and writing .conf files of generated configurations (1,000 and 65,536 subclasses of
// 2 to 20 axles), with two yardsticks run on the same file in the same run: a plain line count
// (wc -l) and Python's configparser reading it. The same file with a misspelt key in every
// section shows what finding 65,536 read notes (1,000 kept) costs.
#include "generate.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

#include <cstdlib>
#include <map>
#include <string>

namespace {

// The generated file for a size, written once per run the way the Save command writes it.
QString generatedFile(int subclasses, bool misspelt = false)
{
    static QTemporaryDir dir;
    static std::map<std::pair<int, bool>, QString> paths;
    QString &path = paths[{subclasses, misspelt}];
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("generated-%1-%2.conf").arg(subclasses).arg(misspelt));
        QString text = make_conf(subclasses).to_string();
        if (misspelt) {
            text.replace(QStringLiteral("\ncategory="), QStringLiteral("\ncolour=red\ncategory="));
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
            path.clear();
        }
    }
    return path;
}

void BM_Read(benchmark::State &state)
{
    const QString path = generatedFile(int(state.range(0)));
    if (Conf(path, nullptr).get_subclass_numbers().size() != state.range(0)) {
        state.SkipWithError("the generated file does not read back whole");
    }
    for (auto _ : state) {
        const Conf conf(path, nullptr);
        benchmark::DoNotOptimize(conf.stopped_at_line());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

// Reading alone: the configuration read is freed outside the time measured.
void BM_ReadNotFreed(benchmark::State &state)
{
    const QString path = generatedFile(int(state.range(0)));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto *conf = new Conf(path, nullptr);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(conf->stopped_at_line());
        delete conf;
    }
}

void BM_ReadWithNotes(benchmark::State &state)
{
    const QString path = generatedFile(int(state.range(0)), true);
    if (Conf(path, nullptr).read_notes_not_kept() < state.range(0) - ReadNotes::Most) {
        state.SkipWithError("the generated file does not get a note per subclass");
    }
    for (auto _ : state) {
        const Conf conf(path, nullptr);
        benchmark::DoNotOptimize(conf.read_notes().size());
    }
}

void BM_Write(benchmark::State &state)
{
    const Conf conf = make_conf(int(state.range(0)));
    for (auto _ : state) {
        const QString text = conf.to_string();
        benchmark::DoNotOptimize(text.constData());
    }
}

void runCommand(benchmark::State &state, const std::string &command)
{
    const std::string line
        = command + " '" + generatedFile(int(state.range(0))).toStdString() + "' >/dev/null";
    for (auto _ : state) {
        if (std::system(line.c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            break;
        }
    }
}

void BM_WcLines(benchmark::State &state)
{
    runCommand(state, "wc -l");
}

void BM_PythonConfigParser(benchmark::State &state)
{
    runCommand(state,
        "python3 -c 'import configparser,sys; "
        "c=configparser.RawConfigParser(strict=False); c.read(sys.argv[1])'");
}

} // namespace

BENCHMARK(BM_ReadNotFreed)->Arg(65536)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read)->Arg(1000)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadWithNotes)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Write)->Arg(1000)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WcLines)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PythonConfigParser)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
