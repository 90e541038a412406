// veltora-check --overlaps and --vehicles as whole processes, start to exit, on a generated file
// of 65,536 subclasses whose windows rarely overlap and 100,000 recorded vehicles drawn from it.
// Target: each under 5 s.
#include "checkprocess.h"
#include "generate_windows.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString written(const QString &name, const QByteArray &bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

const Conf &generated()
{
    static const Conf conf = make_window_conf(65536);
    return conf;
}

QString confFile()
{
    static const QString path
        = written(QStringLiteral("windows.conf"), generated().to_string().toUtf8());
    return path;
}

QString vehicleFile()
{
    static const QString path
        = written(QStringLiteral("vehicles.csv"), make_vehicle_csv(generated(), 100000));
    return path;
}

void BM_AnalysisProcess(benchmark::State &state, bool vehicles, bool json)
{
    QStringList arguments
        = vehicles ? QStringList {"--vehicles", vehicleFile()} : QStringList {"--overlaps"};
    if (json) {
        arguments << QStringLiteral("--json");
    }
    arguments << confFile();
    // Status 1 is expected: some windows overlap and some vehicles are unmatched.
    run_check_process(state, arguments);
}

} // namespace

BENCHMARK_CAPTURE(BM_AnalysisProcess, overlaps_text, false, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_AnalysisProcess, vehicles_text, true, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_AnalysisProcess, vehicles_json, true, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

BENCHMARK_MAIN();
