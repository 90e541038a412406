// veltora-check as a whole process, start to exit, on generated files of 65,536 subclasses (every
// number a file can hold): as generated (valid, some reclassification targets with other axle
// counts), and with the header's maximum axle distance lowered so that every subclass is invalid
// and explained. Target: under 1.5 s for the generated file.
#include "checkprocess.h"
#include "generate.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

enum Variant { AsGenerated, AllInvalid };

QString generatedFile(Variant variant)
{
    static QTemporaryDir dir;
    static QString paths[2];
    QString &path = paths[variant];
    if (path.isEmpty()) {
        Conf conf = make_conf(65536);
        if (variant == AllInvalid) {
            conf.set_max_axle_distance(QStringLiteral("2"));
        }
        path = dir.filePath(QStringLiteral("generated-%1.conf").arg(variant));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(conf.to_string().toUtf8()) < 0) {
            path.clear();
        }
    }
    return path;
}

void BM_CheckProcess(benchmark::State &state, Variant variant, const QStringList &options)
{
    // Status 1 is expected: the files have findings to report.
    run_check_process(state, options + QStringList {generatedFile(variant)});
}

} // namespace

BENCHMARK_CAPTURE(BM_CheckProcess, generated_text, AsGenerated, QStringList())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_CheckProcess, generated_json, AsGenerated, QStringList {"--json"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_CheckProcess, all_invalid_text, AllInvalid, QStringList())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_CheckProcess, all_invalid_json, AllInvalid, QStringList {"--json"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

BENCHMARK_MAIN();
