// Runs veltora-check as a whole process, start to exit, for the benchmarks that time the program.
#pragma once

#include <QProcess>
#include <QStringList>

#include <benchmark/benchmark.h>

// One run per iteration; status 1 (findings reported) is expected, anything else fails the
// benchmark. Counts the bytes of the last report.
inline void run_check_process(benchmark::State &state, const QStringList &arguments)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(VELTORA_CHECK), arguments);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() > 1) {
            state.SkipWithError("veltora-check failed");
            break;
        }
        bytes = process.readAllStandardOutput().size();
    }
    state.counters["report_bytes"] = double(bytes);
}
