// Reading and writing .conf files of generated configurations (1,000 and 65,536 subclasses of
// 2 to 20 axles), with two yardsticks run on the same file in the same run: a plain line count
// (wc -l) and Python's configparser reading it.
#include "conf.h"
#include "subclass.h"

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>

namespace {

// A realistic section: a truck-like axle configuration, weights in kN, distances in metres, a
// combined constraint on the last axles and, now and then, a reclassification target.
QMap<QString, QString> makeSection(int number, int axles, std::mt19937 &random)
{
    std::uniform_int_distribution<int> tenth(0, 9);
    std::uniform_int_distribution<int> tyre(1, 4);
    std::uniform_int_distribution<int> category(1, 15);

    QString tyres;
    QString weights;
    QString mins;
    QString maxs;
    for (int i = 0; i < axles; ++i) {
        tyres += QString::number(tyre(random)) + ',';
        weights += QStringLiteral("%1,%2.%3;")
                       .arg(i + 1)
                       .arg(60 + tenth(random) * 6)
                       .arg(tenth(random));
        if (i + 1 < axles) {
            mins += QStringLiteral("1.%1,").arg(tenth(random));
            maxs += QStringLiteral("%1.%2,").arg(2 + tenth(random) % 6).arg(tenth(random));
        }
    }
    weights += QStringLiteral("%1+%2,%3;").arg(axles - 1).arg(axles).arg(180 + tenth(random));
    tyres.chop(1);
    weights.chop(1);
    mins.chop(1);
    maxs.chop(1);

    QString configuration = QStringLiteral("H2");
    if (axles > 2) {
        configuration += QStringLiteral("S%1").arg(axles - 2);
    }

    QMap<QString, QString> section;
    section.insert(QStringLiteral("subclass"), QString::number(number));
    section.insert(QStringLiteral("category"), QString::number(category(random)));
    section.insert(QStringLiteral("number_of_axles"), QString::number(axles));
    section.insert(QStringLiteral("axle_configuration"), configuration);
    section.insert(QStringLiteral("max_GVW__kN"), QString::number(axles * 98));
    section.insert(QStringLiteral("prepend__m"), QStringLiteral("1.4"));
    section.insert(QStringLiteral("append__m"), QStringLiteral("1.8"));
    if (number % 7 == 0) {
        section.insert(QStringLiteral("upper_GVW_limit__kN"), QString::number(axles * 90));
        section.insert(QStringLiteral("reclassify_up_to_subclass"), QString::number(number + 1));
    }
    section.insert(QStringLiteral("tyre_type"), tyres);
    section.insert(QStringLiteral("max_axle_weight__kN"), weights);
    section.insert(QStringLiteral("min_axle_distance__m"), mins);
    section.insert(QStringLiteral("max_axle_distance__m"), maxs);
    return section;
}

Conf makeConf(int subclasses)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> axles(2, 20);
    Conf conf;
    conf.set_classification_version(QStringLiteral("bench"));
    conf.set_country_code(QStringLiteral("SI"));
    conf.set_g_acceleration_constant(QStringLiteral("9.81"));
    conf.set_group_max_distance(QStringLiteral("2.5"));
    conf.set_max_axle_distance(QStringLiteral("12"));
    conf.set_min_axle_distance(QStringLiteral("0.8"));
    for (int number = 0; number < subclasses; ++number) {
        conf.set_subclass(quint16(number), Subclass(makeSection(number, axles(random), random)));
    }
    return conf;
}

// The generated file for a size, written once per run the way the Save command writes it.
std::string generatedFile(int subclasses)
{
    static QTemporaryDir dir;
    static std::map<int, std::string> paths;
    const auto found = paths.find(subclasses);
    if (found != paths.end()) {
        return found->second;
    }
    const QString path = dir.filePath(QStringLiteral("generated-%1.conf").arg(subclasses));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return std::string();
    }
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << makeConf(subclasses).to_string();
    out.flush();
    return paths[subclasses] = path.toStdString();
}

void BM_Read(benchmark::State &state)
{
    const std::string path = generatedFile(int(state.range(0)));
    const QString qpath = QString::fromStdString(path);
    for (auto _ : state) {
        const Conf conf(qpath, nullptr);
        benchmark::DoNotOptimize(conf.stopped_at_line());
    }
    state.SetBytesProcessed(state.iterations() * QFile(qpath).size());
}

void BM_Write(benchmark::State &state)
{
    const Conf conf = makeConf(int(state.range(0)));
    for (auto _ : state) {
        const QString text = conf.to_string();
        benchmark::DoNotOptimize(text.constData());
    }
}

void runCommand(benchmark::State &state, const std::string &command)
{
    const std::string line = command + " '" + generatedFile(int(state.range(0))) + "' >/dev/null";
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

BENCHMARK(BM_Read)->Arg(1000)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Write)->Arg(1000)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WcLines)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PythonConfigParser)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
