// One redraw of both vehicle pictures, as every per-axle edit makes, for the largest subclass.
#include "subclass.h"
#include "vehicledrawing.h"
#include "veltora.h"
#include "windowbench.h"

#include <QGraphicsScene>
#include <QSize>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

// 20 axles: a truck with five trailers, every gap between 1.3 and 4.4 m.
Subclass twentyAxles(const QString &configuration)
{
    Subclass subclass;
    subclass.set_number_of_axles(QStringLiteral("20"));
    subclass.set_axle_configuration(configuration);
    for (int i = 0; i < 19; ++i) {
        subclass.set_min_distance_at_index(QString::number(1.3 + (i % 4) * 0.5), i);
        subclass.set_max_distance_at_index(QString::number(1.6 + (i % 4) * 0.7), i);
    }
    return subclass;
}

void drawVehiclesTwentyAxles(benchmark::State &state)
{
    Veltora window;
    const Subclass subclass = twentyAxles(QStringLiteral("H3T3T3T3T3T3T2"));
    for (auto _ : state) {
        window.drawVehicles(subclass);
    }
}
BENCHMARK(drawVehiclesTwentyAxles)->Unit(benchmark::kMicrosecond);

void drawArticulatedBusTwentyAxles(benchmark::State &state)
{
    Veltora window;
    const Subclass subclass = twentyAxles(QStringLiteral("B3S3S3S3T3T3T2"));
    for (auto _ : state) {
        window.drawVehicles(subclass);
    }
}
BENCHMARK(drawArticulatedBusTwentyAxles)->Unit(benchmark::kMicrosecond);

// One picture alone, as the sheet builds it: a scene without a view.
void drawOnePictureTwentyAxles(benchmark::State &state)
{
    Subclass subclass = twentyAxles(QStringLiteral("H3T3T3T3T3T3T2"));
    subclass.set_append(QStringLiteral("1.0"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            VehicleDrawing::buildScene(subclass, DistancePass::Maximum, QSize(970, 90)));
    }
}
BENCHMARK(drawOnePictureTwentyAxles)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
