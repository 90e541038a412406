// The editor through its widgets with a generated configuration of 65,536 subclasses: opening
// and saving the file (without the file dialogs), one keystroke in a per-axle edit and in the
// header's maximum axle distance, selecting another subclass, undoing and redoing structural
// steps, and the memory the history takes.
#include "document.h"
#include "generate.h"
#include "saveverdict.h"
#include "veltora.h"
#include "windowbench.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <functional>
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

// The generated configuration as a file, written once. Its unclassified subclass is a number
// the reader keeps, so Open shows no read-notes box: the benchmark measures reading and showing.
QString configurationFile()
{
    static const QString path = [] {
        Conf conf = make_conf(65536);
        conf.set_unclassified_vehicles_subclass(QStringLiteral("65535"));
        return writeConfiguration(conf, QStringLiteral("large.conf"));
    }();
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

// Times `step` alone, each round followed by `back` (not timed), which undoes what it did.
void timeStep(
    benchmark::State &state, const std::function<void()> &step, const std::function<void()> &back)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        back();
    }
}

QUndoStack *history(Veltora &window)
{
    return window.editingDocument()->undoStack();
}

// Subclass 19 is the first of 20 axles.
void selectTwentyAxles(Veltora &window)
{
    window.findChild<QComboBox *>(QStringLiteral("comboBoxSubclasses"))->setCurrentIndex(18);
}

void undoDelete(benchmark::State &state)
{
    Veltora &window = openWindow(configurationFile());
    selectTwentyAxles(window);
    window.findChild<QPushButton *>(QStringLiteral("buttonSubclass"))->click();
    QUndoStack *stack = history(window);
    timeStep(
        state, [stack] { stack->undo(); }, [stack] { stack->redo(); });
    stack->undo();
}

void redoDelete(benchmark::State &state)
{
    Veltora &window = openWindow(configurationFile());
    selectTwentyAxles(window);
    window.findChild<QPushButton *>(QStringLiteral("buttonSubclass"))->click();
    QUndoStack *stack = history(window);
    stack->undo();
    timeStep(
        state, [stack] { stack->redo(); }, [stack] { stack->undo(); });
}

void undoNumberOfAxles(benchmark::State &state)
{
    Veltora &window = openWindow(configurationFile());
    selectTwentyAxles(window);
    QLineEdit *axles = window.findChild<QLineEdit *>(QStringLiteral("lineEditNumOfAxles"));
    axles->selectAll();
    QTest::keyClick(axles, Qt::Key_3);
    QUndoStack *stack = history(window);
    timeStep(
        state, [stack] { stack->undo(); }, [stack] { stack->redo(); });
    stack->undo();
}

// 10,000 keystrokes in a per-axle edit, each replacing the value, merged into one step or each
// a step of its own (as when the focus moves between them): the heap the history adds.
void historyMemory(benchmark::State &state)
{
    const bool merged = state.range(0) != 0;
    Veltora &window = openWindow(configurationFile());
    selectTwentyAxles(window);
    QLineEdit *edit = window.findChild<QLineEdit *>(QStringLiteral("MaxAxleDist10"));
    Document *document = window.editingDocument();
    for (auto _ : state) {
        history(window)->clear();
        const size_t before = mallinfo2().uordblks;
        for (int i = 0; i < 10000; ++i) {
            if (!merged) {
                document->endMerging();
            }
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key(Qt::Key_1 + i % 9));
        }
        const size_t after = mallinfo2().uordblks;
        state.counters["added (MB)"] = double(after - before) / 1e6;
        state.counters["steps"] = history(window)->count();
    }
    history(window)->clear();
}

} // namespace

BENCHMARK(openUntilFirstSubclassShown)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(saveWithoutTheDialog)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeInMaxAxleDistance)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeInHeaderMaxAxleDistance)->Unit(benchmark::kMillisecond);
BENCHMARK(selectAnotherSubclass)->Unit(benchmark::kMillisecond);
BENCHMARK(undoDelete)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(redoDelete)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(undoNumberOfAxles)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(historyMemory)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
