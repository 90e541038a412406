// Whole-configuration checks of the model on generated configurations of realistic size.
#include "generate.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

// Arguments: number of subclasses, and a fixed number of axles (0: 2 to 20 axles, the largest).
const Conf &confOf(const benchmark::State &state)
{
    static const Conf small = make_conf(1000);
    static const Conf large = make_conf(65536);
    static const Conf heavy = make_conf(65536, FileFormat::MaxAxles);
    return state.range(1) ? heavy : state.range(0) == 1000 ? small : large;
}

// 65,536 subclasses with equal values and lists that differ only in the last weight: the
// duplicate search cannot tell them apart by their values.
const Conf &alikeConf(const benchmark::State &)
{
    static const Conf conf = [] {
        std::mt19937 random(7);
        Conf made;
        for (int i = 0; i < 65536; ++i) {
            const int last = FileFormat::MaxAxles - 1;
            Subclass s = make_subclass(0, FileFormat::MaxAxles, random);
            s.set_category(QStringLiteral("1"));
            s.set_max_GVW(QStringLiteral("400"));
            for (int a = 0; a <= last; ++a) {
                s.set_min_distance_at_index(QStringLiteral("1.5"), qMin(a, last - 1));
                s.set_max_distance_at_index(QStringLiteral("4.5"), qMin(a, last - 1));
                s.set_max_axle_weight_at_index(QString::number(a < last ? 90 : 1000 + i), a);
                s.set_tyre_type_at_index(QStringLiteral("2"), a);
            }
            s.set_subclass_number(quint16(i));
            made.set_subclass(quint16(i), s);
        }
        return made;
    }();
    return conf;
}

// Runs `check` over and over on the same configuration; `wrong` spots a result the generated
// configuration must never give.
template <typename Check, typename Wrong>
void run(benchmark::State &state, const Conf &conf, Check check, Wrong wrong)
{
    for (auto _ : state) {
        auto result = check(conf);
        if (wrong(result)) {
            state.SkipWithError("unexpected result on the generated configuration");
        }
        benchmark::DoNotOptimize(result);
    }
}

const auto duplicates = [](const Conf &conf) { return conf.find_duplicates(); };
const auto invalid = [](const Conf &conf) { return conf.get_invalid_subclasses(); };
const auto notEmpty = [](const auto &result) { return !result.isEmpty(); };

void find_duplicates(benchmark::State &state)
{
    run(state, confOf(state), duplicates, notEmpty);
}

void find_duplicates_alike(benchmark::State &state)
{
    run(state, alikeConf(state), duplicates, notEmpty);
}

void get_invalid_subclasses(benchmark::State &state)
{
    run(state, confOf(state), invalid, notEmpty);
}

void check_max_axle_distance(benchmark::State &state)
{
    run(
        state, confOf(state), [](const Conf &conf) { return conf.check_max_axle_distance(); },
        [](int result) { return result != 0; });
}

// Every subclass is complete; with all 65,536 numbers taken, the unclassified subclass
// necessarily names one of them, so only the header may fail.
void is_configuration_valid(benchmark::State &state)
{
    run(
        state, confOf(state), [](const Conf &conf) { return conf.is_configuration_valid(); },
        [](const QPair<bool, quint16> &result) { return result.second != 0; });
}

// The same checks on a configuration nothing has been asked of yet (as right after opening a
// file): every subclass is read for the first time.
template <typename Check> void firstCall(benchmark::State &state, Check check)
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
    firstCall(state, duplicates);
}

void get_invalid_subclasses_first_call(benchmark::State &state)
{
    firstCall(state, invalid);
}

} // namespace

BENCHMARK(find_duplicates)->Args({1000, 0})->Args({65536, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(get_invalid_subclasses)
    ->Args({1000, 0})
    ->Args({65536, 0})
    ->Args({65536, FileFormat::MaxAxles})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(check_max_axle_distance)
    ->Args({1000, 0})
    ->Args({65536, 0})
    ->Args({65536, FileFormat::MaxAxles})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(is_configuration_valid)->Args({1000, 0})->Args({65536, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(find_duplicates_alike)->Unit(benchmark::kMillisecond);
BENCHMARK(find_duplicates_first_call)
    ->Args({65536, 0})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(get_invalid_subclasses_first_call)
    ->Args({65536, FileFormat::MaxAxles})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
