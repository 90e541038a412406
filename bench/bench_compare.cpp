// veltora-check --compare as a whole process, start to exit (both files read): a generated file
// of 65,536 subclasses against a copy with 1,000 subclasses changed, without and with 100,000
// recorded vehicles drawn from it. Targets: under 1.5 s, and under 3 s with the vehicles. The
// comparison's own work is timed in this process too, on the two files read once: the
// configurations compared, and the vehicles run through both (their window tables included).
#include "checkprocess.h"
#include "comparison.h"
#include "generate_windows.h"
#include "windowtable.h"

#include <QBuffer>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

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

// Every 65th subclass changed, in turn: its first window widened by half a millimetre (into the
// space between the generated windows), its category, a tyre type, or its maximum gross weight.
Conf changed_copy()
{
    Conf conf = generated();
    for (int k = 0; k < 1000; ++k) {
        const quint16 number = quint16(k * 65);
        Subclass s = conf.get_subclass(number);
        switch (k % 4) {
        case 0:
            s.set_max_distance_at_index(
                QString::number(s.get_max_distance_at_index(0).toDouble() + 0.0005, 'f', 4), 0);
            break;
        case 1:
            s.set_category(QString::number(s.get_category().toInt() % 15 + 1));
            break;
        case 2:
            s.set_tyre_type_at_index(
                QString::number(s.get_tyre_type_at_index(0).toInt() % 4 + 1), 0);
            break;
        default:
            s.set_max_GVW(QString::number(s.get_max_GVW().toInt() + 10));
            break;
        }
        conf.set_subclass(number, s);
    }
    return conf;
}

QString oldFile()
{
    static const QString path
        = written(QStringLiteral("old.conf"), generated().to_string().toUtf8());
    return path;
}

QString newFile()
{
    static const QString path
        = written(QStringLiteral("new.conf"), changed_copy().to_string().toUtf8());
    return path;
}

QString vehicleFile()
{
    static const QString path
        = written(QStringLiteral("vehicles.csv"), make_vehicle_csv(generated(), 100000));
    return path;
}

void BM_CompareProcess(benchmark::State &state, bool vehicles, bool json)
{
    QStringList arguments {QStringLiteral("--compare"), oldFile(), newFile()};
    if (vehicles) {
        arguments << QStringLiteral("--vehicles") << vehicleFile();
    }
    if (json) {
        arguments << QStringLiteral("--json");
    }
    // Status 1 is expected: the files differ.
    run_check_process(state, arguments);
}

// The two files as veltora-check reads them.
const Conf &readOld()
{
    static const Conf conf(oldFile(), nullptr);
    return conf;
}

const Conf &readNew()
{
    static const Conf conf(newFile(), nullptr);
    return conf;
}

void BM_CompareConfigurations(benchmark::State &state)
{
    readOld(); // read outside the timing
    readNew();
    for (auto _ : state) {
        benchmark::DoNotOptimize(compare_configurations(readOld(), readNew()).count());
    }
}

void BM_CompareVehicles(benchmark::State &state)
{
    QFile records(vehicleFile());
    QByteArray csv = records.open(QIODevice::ReadOnly) ? records.readAll() : QByteArray();
    readOld();
    readNew();
    for (auto _ : state) {
        QBuffer forOld(&csv);
        QBuffer forNew(&csv);
        forOld.open(QIODevice::ReadOnly);
        forNew.open(QIODevice::ReadOnly);
        // The tables are made as the checker makes them, both at once.
        std::unique_ptr<WindowTable> old;
        std::unique_ptr<WindowTable> now;
        in_parallel([&old] { old.reset(new WindowTable(readOld())); },
            [&now] { now.reset(new WindowTable(readNew())); });
        benchmark::DoNotOptimize(compare_vehicles(&forOld, &forNew, readOld(), readNew(), *old, *now).moved.size());
    }
}

} // namespace

BENCHMARK(BM_CompareConfigurations)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_CompareVehicles)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(BM_CompareProcess, text, false, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_CompareProcess, json, false, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_CompareProcess, vehicles_text, true, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_CompareProcess, vehicles_json, true, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

BENCHMARK_MAIN();
