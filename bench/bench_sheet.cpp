// The classification sheet as a PDF: the European example read from its file and written, and
// generated configurations of 500 and 2,000 subclasses, each with its layout alone as well.
#include "conf.h"
#include "generate.h"
#include "sheet.h"
#include "sheetlayout.h"
#include "windowbench.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

QString output()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("sheet.pdf"));
}

SheetOptions sheetOptions(const QString &name)
{
    SheetOptions options;
    options.fileName = name;
    return options;
}

const Conf &generated(int count)
{
    static std::map<int, Conf> made;
    auto it = made.find(count);
    if (it == made.end()) {
        it = made.emplace(count, make_conf(count)).first;
    }
    return it->second;
}

void writeAndCount(benchmark::State &state, const Conf &conf, const SheetOptions &options)
{
    QString error;
    if (!writeSheetPdf(conf, options, output(), &error)) {
        state.SkipWithError(qPrintable(error));
    }
    state.counters["pdf_bytes"] = double(QFileInfo(output()).size());
}

// From the file to the finished PDF, as the headless command makes it.
void sheetEuropean(benchmark::State &state)
{
    const QString file = QStringLiteral(VELTORA_SOURCE_DIR "/examples/european.conf");
    for (auto _ : state) {
        const Conf conf(file, nullptr);
        writeAndCount(state, conf, sheetOptions(QStringLiteral("european.conf")));
    }
}
BENCHMARK(sheetEuropean)->Unit(benchmark::kMillisecond);

void sheetGenerated(benchmark::State &state)
{
    const Conf &conf = generated(int(state.range(0)));
    for (auto _ : state) {
        writeAndCount(state, conf, sheetOptions(QStringLiteral("generated.conf")));
    }
}
BENCHMARK(sheetGenerated)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// The layout alone: every row measured and every picture built once to find the scale.
void sheetLayoutGenerated(benchmark::State &state)
{
    const Conf &conf = generated(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        pages = SheetLayout::forPdf(conf, sheetOptions(QStringLiteral("generated.conf")))
                    .pages()
                    .size();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(sheetLayoutGenerated)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
