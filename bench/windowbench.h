// The main() of the benchmarks that drive the window: an offscreen application (unless a
// platform is chosen) whose debug lines are not printed, since every redraw logs one and
// printing them would be most of what is measured.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <cstdio>

inline void printAllButDebug(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

inline int runWindowBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(printAllButDebug);
    QApplication app(argc, argv);
    // A box that asks (read notes, unsaved changes) would wait for a user who is not there and
    // the run would never end: it is closed and named, and the figure it was in is not to be
    // trusted.
    QTimer modalGuard;
    QObject::connect(&modalGuard, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            std::fprintf(stderr, "benchmark: closed a modal box \"%s\"\n",
                         qPrintable(modal->windowTitle()));
            modal->close();
        }
    });
    modalGuard.start(500);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
