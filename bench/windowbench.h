// The main() of the benchmarks that drive the window: an offscreen application (unless a
// platform is chosen) whose debug lines are not printed, since every redraw logs one and
// printing them would be most of what is measured.
#pragma once

#include <QApplication>
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
