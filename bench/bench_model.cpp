// Whole-configuration checks of the model on generated configurations of realistic size.
#include "conf.h"
#include "subclass.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <optional>
#include <random>

namespace {

// A valid subclass with realistic values. The values repeat a lot between subclasses (few
// categories and weight limits), as in real classifications; the first gap's maximum and the
// first axle's weight together encode the number, so no two subclasses are duplicates.
Subclass make_subclass(quint16 number, int axles, std::mt19937 &random)
{
    std::uniform_int_distribution<int> category(1, 15);
    std::uniform_int_distribution<int> gvw(10, 60);
    std::uniform_int_distribution<int> tyre(1, 4);
    std::uniform_int_distribution<int> tenth(0, 9);

    Subclass s;
    s.set_subclass_number(number);
    s.set_category(QString::number(category(random)));
    s.set_max_GVW(QString::number(gvw(random) * 10));
    s.set_number_of_axles(QString::number(axles));
    QString configuration = QStringLiteral("H2");
    int left = axles - 2;
    while (left > 0) {
        const int part = qMin(left, 3);
        configuration += (left == axles - 2 ? QStringLiteral("T") : QStringLiteral("S"))
            + QString::number(part);
        left -= part;
    }
    s.set_axle_configuration(configuration);
    s.set_upper_GVW_limit(QString());
    s.set_lower_GVW_limit(QString());
    s.set_reclassify_up_to_subclass(QString());
    s.set_reclassify_down_to_subclass(QString());
    s.set_prepend(QStringLiteral("0.5"));
    s.set_append(QStringLiteral("0.5"));
    for (int i = 0; i + 1 < axles; ++i) {
        QString max = QStringLiteral("%1.%2").arg(3 + tenth(random) % 5).arg(tenth(random));
        if (i == 0) {
            max = QString::number(3.0 + (number % 1000) * 0.01, 'f', 2);
        }
        s.set_min_distance_at_index(QStringLiteral("1.%1").arg(tenth(random)), i);
        s.set_max_distance_at_index(max, i);
    }
    for (int i = 0; i < axles; ++i) {
        QString weight = QStringLiteral("%1.%2").arg(60 + tenth(random) * 5).arg(tenth(random));
        if (i == 0) {
            weight = QString::number(40.0 + (number / 1000) * 0.5, 'f', 1);
        }
        s.set_max_axle_weight_at_index(weight, i);
        s.set_tyre_type_at_index(QString::number(tyre(random)), i);
    }
    if (axles >= 3) {
        s.set_combined_constraint(QStringLiteral("2+3,180"), -1);
    }
    return s;
}

// count subclasses numbered from 0; fixed_axles 0 spreads the axle counts over 2 to 20.
Conf make_conf(int count, int fixed_axles)
{
    std::mt19937 random(20261206);
    Conf conf;
    conf.set_country_code(QStringLiteral("SI"));
    conf.set_group_max_distance(QStringLiteral("3.5"));
    conf.set_min_axle_distance(QStringLiteral("0.5"));
    conf.set_max_axle_distance(QStringLiteral("15"));
    conf.set_unclassified_vehicles_subclass(QStringLiteral("70000"));
    for (int i = 0; i < count; ++i) {
        const int axles = fixed_axles ? fixed_axles : 2 + i % 19;
        conf.set_subclass(quint16(i), make_subclass(quint16(i), axles, random));
    }
    return conf;
}

const Conf &conf_of(int count, int fixed_axles)
{
    static const Conf small = make_conf(1000, 0);
    static const Conf large = make_conf(65536, 0);
    static const Conf heavy = make_conf(65536, 20);
    if (fixed_axles) {
        return heavy;
    }
    return count == 1000 ? small : large;
}

// 65,536 subclasses with equal values and lists that differ only in the last weight: the
// duplicate search cannot tell them apart by their values.
const Conf &alike_conf()
{
    static const Conf conf = [] {
        std::mt19937 random(7);
        Conf made;
        for (int i = 0; i < 65536; ++i) {
            Subclass s = make_subclass(0, 20, random);
            s.set_category(QStringLiteral("1"));
            s.set_max_GVW(QStringLiteral("400"));
            for (int g = 0; g < 19; ++g) {
                s.set_min_distance_at_index(QStringLiteral("1.5"), g);
                s.set_max_distance_at_index(QStringLiteral("4.5"), g);
            }
            for (int a = 0; a < 20; ++a) {
                s.set_max_axle_weight_at_index(QStringLiteral("90"), a);
                s.set_tyre_type_at_index(QStringLiteral("2"), a);
            }
            s.set_max_axle_weight_at_index(QString::number(1000 + i), 19);
            s.set_subclass_number(quint16(i));
            made.set_subclass(quint16(i), s);
        }
        return made;
    }();
    return conf;
}

void find_duplicates_alike(benchmark::State &state)
{
    const Conf &conf = alike_conf();
    for (auto _ : state) {
        const QString found = conf.find_duplicates();
        if (!found.isEmpty()) {
            state.SkipWithError("generated configuration has duplicates");
        }
        benchmark::DoNotOptimize(found);
    }
}

void find_duplicates(benchmark::State &state)
{
    const Conf &conf = conf_of(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        const QString found = conf.find_duplicates();
        if (!found.isEmpty()) {
            state.SkipWithError("generated configuration has duplicates");
        }
        benchmark::DoNotOptimize(found);
    }
}

void get_invalid_subclasses(benchmark::State &state)
{
    const Conf &conf = conf_of(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        const QVector<quint16> invalid = conf.get_invalid_subclasses();
        if (!invalid.isEmpty()) {
            state.SkipWithError("generated configuration has invalid subclasses");
        }
        benchmark::DoNotOptimize(invalid);
    }
}

void check_max_axle_distance(benchmark::State &state)
{
    const Conf &conf = conf_of(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        const int result = conf.check_max_axle_distance();
        if (result != 0) {
            state.SkipWithError("generated configuration exceeds the header maximum");
        }
        benchmark::DoNotOptimize(result);
    }
}

void is_configuration_valid(benchmark::State &state)
{
    const Conf &conf = conf_of(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        const QPair<bool, quint16> result = conf.is_configuration_valid();
        // Every subclass is complete; with all 65,536 numbers taken, the unclassified
        // subclass necessarily names one of them, so only the header may fail.
        if (result.second != 0) {
            state.SkipWithError("generated configuration has an incomplete subclass");
        }
        benchmark::DoNotOptimize(result);
    }
}

// The same checks on a configuration nothing has been asked of yet (as right after opening a
// file): every subclass is read for the first time.
template <typename Check> void first_call(benchmark::State &state, Check check)
{
    std::optional<Conf> conf;
    for (auto _ : state) {
        state.PauseTiming();
        conf.reset();
        conf.emplace(make_conf(int(state.range(0)), int(state.range(1))));
        state.ResumeTiming();
        benchmark::DoNotOptimize(check(*conf));
    }
}

void find_duplicates_first_call(benchmark::State &state)
{
    first_call(state, [](const Conf &conf) { return conf.find_duplicates(); });
}

void get_invalid_subclasses_first_call(benchmark::State &state)
{
    first_call(state, [](const Conf &conf) { return conf.get_invalid_subclasses(); });
}

} // namespace

// Arguments: number of subclasses, and a fixed number of axles (0: 2 to 20 axles).
BENCHMARK(find_duplicates)->Args({1000, 0})->Args({65536, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(get_invalid_subclasses)
    ->Args({1000, 0})
    ->Args({65536, 0})
    ->Args({65536, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(check_max_axle_distance)
    ->Args({1000, 0})
    ->Args({65536, 0})
    ->Args({65536, 20})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(is_configuration_valid)->Args({1000, 0})->Args({65536, 0})->Unit(benchmark::kMillisecond);

BENCHMARK(find_duplicates_alike)->Unit(benchmark::kMillisecond);
BENCHMARK(find_duplicates_first_call)
    ->Args({65536, 0})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(get_invalid_subclasses_first_call)
    ->Args({65536, 20})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
