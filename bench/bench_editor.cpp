// The editor through its widgets with a generated configuration of 65,536 subclasses: opening
// and saving the file (without the file dialogs), one keystroke in a per-axle edit and in the
// header's maximum axle distance, and selecting another subclass.
#include "generate.h"
#include "saveverdict.h"
#include "veltora.h"
#include "windowbench.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString writeConfiguration(const Conf &conf, const QString &name)
{
    const QString file = folder().filePath(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(conf.to_string().toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    }
    return file;
}

// The generated configuration as a file, written once.
QString configurationFile()
{
    static const QString path = writeConfiguration(make_conf(65536), QStringLiteral("large.conf"));
    return path;
}

// With every number taken, the unclassified subclass always names one and Save refuses: the
// configuration Save writes leaves the last number free for it.
QString savableFile()
{
    static const QString path = [] {
        Conf conf = make_conf(65535);
        conf.set_unclassified_vehicles_subclass(QStringLiteral("65535"));
        return writeConfiguration(conf, QStringLiteral("savable.conf"));
    }();
    return path;
}

// A window with the file open, shared by the benchmarks that edit it.
Veltora &openWindow(const QString &path)
{
    static QMap<QString, Veltora *> windows;
    if (!windows.contains(path)) {
        auto *made = new Veltora;
        made->show();
        made->openConfiguration(path);
        windows.insert(path, made);
    }
    return *windows.value(path);
}

// Types one character at the end of the field, then takes it back: two keystrokes a round.
void typeAndTakeBack(benchmark::State &state, QLineEdit *edit)
{
    for (auto _ : state) {
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_5);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["per keystroke (ms)"] = benchmark::Counter(
        double(state.iterations()) * 2, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void openUntilFirstSubclassShown(benchmark::State &state)
{
    const QString path = configurationFile();
    std::optional<Veltora> window;
    for (auto _ : state) {
        // A fresh window each time; making it and tearing the last one down are not opening.
        state.PauseTiming();
        window.reset();
        window.emplace();
        state.ResumeTiming();
        if (!window->openConfiguration(path)) {
            state.SkipWithError("the file did not open");
        }
    }
}

void saveWithoutTheDialog(benchmark::State &state)
{
    Veltora &window = openWindow(savableFile());
    const QString path = folder().filePath(QStringLiteral("saved.conf"));
    for (auto _ : state) {
        const SaveVerdict verdict(window.configuration());
        if (verdict.asks() || !verdict.accepts() || !window.saveConfiguration(path)) {
            state.SkipWithError("Save would not write the generated configuration");
        }
    }
}

void keystrokeInMaxAxleDistance(benchmark::State &state)
{
    Veltora &window = openWindow(configurationFile());
    window.findChild<QComboBox *>(QStringLiteral("comboBoxSubclasses"))->setCurrentIndex(18);
    typeAndTakeBack(state, window.findChild<QLineEdit *>(QStringLiteral("MaxAxleDist10")));
}

void keystrokeInHeaderMaxAxleDistance(benchmark::State &state)
{
    Veltora &window = openWindow(configurationFile());
    typeAndTakeBack(state, window.findChild<QLineEdit *>(QStringLiteral("lineEditMaxAxleDist")));
}

// Alternates between a subclass of 20 axles and one of 2, so every load reshapes the rows.
void selectAnotherSubclass(benchmark::State &state)
{
    Veltora &window = openWindow(configurationFile());
    auto *selector = window.findChild<QComboBox *>(QStringLiteral("comboBoxSubclasses"));
    int index = 0;
    for (auto _ : state) {
        index = index == 18 ? 19 : 18;
        selector->setCurrentIndex(index);
    }
}

} // namespace

BENCHMARK(openUntilFirstSubclassShown)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(saveWithoutTheDialog)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeInMaxAxleDistance)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeInHeaderMaxAxleDistance)->Unit(benchmark::kMillisecond);
BENCHMARK(selectAnotherSubclass)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
