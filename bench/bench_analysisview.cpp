// The analysis panel: one subclass change told to the open dock at 65,536 subclasses (the
// table's update and the map's repaint, while typing and right after a run), drawing a window map
// of 2,000 bars, the overlaps of the European example, and 100,000 recorded vehicles run again
// after an edit, on the worker and as the panel shows them.
// Targets: < 16 ms, < 30 ms, < 5 ms, < 1 s.
#include "analysispanel.h"
#include "analysisrun.h"
#include "generate_windows.h"
#include "liveanalysis.h"
#include "windowbench.h"
#include "windowmap.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

Conf &generated()
{
    static Conf conf = make_window_conf(65536);
    return conf;
}

const QByteArray &vehicleRecords()
{
    static const QByteArray csv = make_vehicle_csv(generated(), 100000);
    return csv;
}

bool finished(AnalysisPanel &panel)
{
    QTest::qWait(1);
    return QTest::qWaitFor([&panel] { return !panel.analysis()->busy(); }, 60000);
}

// A typed maximum distance of subclass 0's first gap, alternating so that every call changes it.
void typeDistance(Conf &conf, AnalysisPanel &panel, int round)
{
    conf.get_subclass(0).set_max_distance_at_index(round % 2 ? "0.602" : "0.603", 0);
    panel.subclassChanged(0);
    QApplication::processEvents(); // the map's repaint
}

void subclassChange(benchmark::State &state, bool afterRun)
{
    Conf &conf = generated();
    AnalysisPanel panel(conf, nullptr);
    panel.resize(700, 800);
    panel.show();
    panel.setSelectedSubclass(0);
    if (!finished(panel)) {
        state.SkipWithError("no analysis");
    }
    int round = 0;
    for (auto _ : state) {
        if (afterRun) {
            // The run holds a snapshot of the table: the first edit after it copies the rows.
            state.PauseTiming();
            panel.analysis()->set_settle_time(0);
            finished(panel);
            state.ResumeTiming();
        }
        typeDistance(conf, panel, ++round);
    }
}

void mapOf2000Bars(benchmark::State &state)
{
    // 106 subclasses of 20 axles: 19 lanes of 106 bars, every other subclass overlapping.
    Conf conf;
    conf.set_min_axle_distance(QStringLiteral("0.5"));
    conf.set_max_axle_distance(QStringLiteral("15"));
    std::mt19937 random(5);
    for (int n = 0; n < 106; ++n) {
        Subclass s = make_subclass(quint16(n), 20, random);
        for (int i = 0; i < 19; ++i) {
            const double low = 1 + (n % 2 ? 0.1 * n : 0.05 * n);
            s.set_min_distance_at_index(QString::number(low, 'f', 2), i);
            s.set_max_distance_at_index(QString::number(low + 0.5, 'f', 2), i);
        }
        conf.set_subclass(quint16(n), s);
    }
    const BoundsTable table(conf);
    WindowMap map(table, nullptr);
    map.setSelected(3);
    map.resize(700, 100);
    map.tableChanged();
    map.resize(700, map.sizeHint().height());
    QImage image(map.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        map.render(&image);
    }
    state.counters["bars"] = double(map.bars().size());
    state.counters["height"] = double(map.height());
}

void europeanOverlaps(benchmark::State &state)
{
    const Conf conf(QStringLiteral(VELTORA_SOURCE_DIR "/examples/european.conf"), nullptr);
    AnalysisJob job;
    job.table = BoundsTable(conf);
    ReadingConf reading;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AnalysisRun::run(job, reading, [] { return false; }));
    }
}

// The worker's whole run: the overlaps of 65,536 subclasses and 100,000 vehicles read and matched.
void vehiclesRun(benchmark::State &state)
{
    AnalysisJob job;
    job.table = BoundsTable(generated());
    job.hasRecords = true;
    job.records = vehicleRecords();
    ReadingConf reading;
    AnalysisRun::run(job, reading, [] { return false; }); // the reading configuration, made once
    for (auto _ : state) {
        benchmark::DoNotOptimize(AnalysisRun::run(job, reading, [] { return false; }));
    }
}

// From the edit to the panel showing the new run, on the worker and the GUI thread together.
void vehiclesRerunInPanel(benchmark::State &state)
{
    Conf &conf = generated();
    AnalysisPanel panel(conf, nullptr);
    panel.analysis()->set_settle_time(0);
    panel.resize(700, 800);
    panel.show();
    panel.analysis()->set_records(vehicleRecords(), QStringLiteral("vehicles.csv"));
    if (!finished(panel)) {
        state.SkipWithError("no analysis");
    }
    int round = 0;
    for (auto _ : state) {
        typeDistance(conf, panel, ++round);
        if (!finished(panel)) {
            state.SkipWithError("no analysis");
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(subclassChange, typing, false)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(subclassChange, after_run, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(5);
BENCHMARK(mapOf2000Bars)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(europeanOverlaps)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(vehiclesRun)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
BENCHMARK(vehiclesRerunInPanel)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(5);

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
