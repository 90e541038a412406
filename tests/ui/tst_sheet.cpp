// The classification sheet read back from its layout (pages, blocks and the items placed on
// them) and from the PDF it writes: rows by category, the closing list with the rules broken,
// long rows on their page, nothing outside its page or on top of anything else.
#include "conf.h"
#include "sheet.h"
#include "sheetlayout.h"
#include "windowtest.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

SheetOptions options(const QString &name = QStringLiteral("european.conf"))
{
    SheetOptions o;
    o.fileName = name;
    o.printed = QDateTime(QDate(2024, 5, 1), QTime(9, 30));
    return o;
}

Conf european()
{
    return Conf(sourceFile("examples/european.conf"), nullptr);
}

// The European example with a 20-axle subclass 30 of realistic gaps and `constraints` combined
// constraints.
Conf twentyAxles(int constraints)
{
    Conf conf = european();
    Subclass s = conf.get_subclass(18);
    s.set_subclass_number(30);
    s.set_number_of_axles("20");
    s.set_axle_configuration("H3T3T3T3T3T3T2");
    for (int i = 0; i < 20; ++i) {
        if (i < 19) {
            s.set_min_distance_at_index(QString::number(1.3 + (i % 4) * 0.5), i);
            s.set_max_distance_at_index(QString::number(1.6 + (i % 4) * 0.7), i);
        }
        s.set_max_axle_weight_at_index("98.1", i);
        s.set_tyre_type_at_index("2", i);
    }
    for (int i = 0; i < constraints; ++i) {
        s.set_combined_constraint(QStringLiteral("%1+%2,150").arg(i % 19 + 1).arg(i % 19 + 2), -1);
    }
    conf.set_subclass(30, s);
    return conf;
}

QStringList texts(const SheetLayout &layout, int page)
{
    QStringList found;
    for (const SheetItem &item : layout.items(page)) {
        if (item.kind == SheetItem::Text) {
            found << item.text;
        }
    }
    return found;
}

// The subclasses of the blocks of one kind, in page order, each once.
QVector<quint16> subclasses(const SheetLayout &layout, SheetBlock::Kind kind)
{
    QVector<quint16> numbers;
    for (const SheetPage &page : layout.pages()) {
        for (const SheetBlock &block : page.blocks) {
            if (block.kind == kind && block.firstLine == 0) {
                numbers << block.subclass;
            }
        }
    }
    return numbers;
}

// What a reader would see go wrong on paper: an item off its page, texts or pictures on top of
// each other, a heading alone at the foot of a page, a footer that miscounts.
void checkPlacement(const SheetLayout &layout)
{
    const QRectF area = layout.pageArea().adjusted(-0.5, -0.5, 0.5, 0.5);
    const int pages = layout.pages().size();
    for (int p = 0; p < pages; ++p) {
        const QVector<SheetItem> items = layout.items(p);
        for (int i = 0; i < items.size(); ++i) {
            const SheetItem &a = items.at(i);
            QVERIFY2(area.contains(a.rect.topLeft()) && area.contains(a.rect.bottomRight()),
                qPrintable(a.text));
            // Every text of these files has the room it needs: none is cut short.
            QVERIFY2(!a.text.contains(QChar(0x2026)), qPrintable(a.text));
            // Lines of text touch; a hundredth of a device pixel is rounding, not overlap.
            const QRectF inner = a.rect.adjusted(0.01, 0.01, -0.01, -0.01);
            for (int j = i + 1; j < items.size() && a.kind != SheetItem::Line; ++j) {
                const SheetItem &b = items.at(j);
                QVERIFY2(b.kind == SheetItem::Line || !inner.intersects(b.rect),
                    qPrintable(QString("page %1: %2 / %3").arg(p + 1).arg(a.text, b.text)));
            }
        }
        QVERIFY(layout.pages().at(p).blocks.last().kind != SheetBlock::Category);
        // Every row stands under its category's heading on its own page, continued or not.
        int heading = -1;
        for (const SheetBlock &block : layout.pages().at(p).blocks) {
            heading = block.kind == SheetBlock::Category ? block.category : heading;
            QVERIFY(block.kind != SheetBlock::Row || block.category == heading);
        }
        QCOMPARE(texts(layout, p).last(), QString("page %1 of %2").arg(p + 1).arg(pages));
    }
}

} // namespace

class tst_Sheet : public QObject
{
    Q_OBJECT

private slots:
    // Every picture logs the drawing's debug line; the reader warns of a broken line.
    void init() { log.reset(new WindowTest::MessageLog); }
    void cleanup() { log.reset(); }

    void europeanRowsByCategory_data();
    void europeanRowsByCategory();
    void pageHead_data();
    void pageHead();
    void invalidSubclassesOnTheClosingPage();
    void longRowsFitTheirPage_data();
    void longRowsFitTheirPage();
    void unwritableOutputIsReported_data();
    void unwritableOutputIsReported();
    void pdfHoldsEveryRowAndEachBitmapOnce_data();
    void pdfHoldsEveryRowAndEachBitmapOnce();

private:
    QScopedPointer<WindowTest::MessageLog> log;
};

void tst_Sheet::europeanRowsByCategory_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("paper");
    QTest::newRow("A4 portrait") << false << int(SheetOptions::Paper::A4);
    QTest::newRow("A4 landscape") << true << int(SheetOptions::Paper::A4);
    QTest::newRow("letter") << false << int(SheetOptions::Paper::Letter);
}

void tst_Sheet::europeanRowsByCategory()
{
    QFETCH(bool, landscape);
    QFETCH(int, paper);
    SheetOptions o = options();
    o.landscape = landscape;
    o.paper = SheetOptions::Paper(paper);
    const Conf conf = european();
    const SheetLayout layout = SheetLayout::forPdf(conf, o);
    // Categories in the order they first appear; 9 is the second bus, so it comes before 8.
    QCOMPARE(layout.categories(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    QCOMPARE(subclasses(layout, SheetBlock::Row),
        QVector<quint16>({1, 2, 3, 4, 5, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
    int heads = 0;
    for (const SheetPage &page : layout.pages()) {
        QVERIFY(!page.closing);
        for (const SheetBlock &block : page.blocks) {
            heads += block.kind == SheetBlock::Head ? 1 : 0;
            // No row is split: each fits its page whole.
            QVERIFY(block.kind != SheetBlock::Row || block.firstLine == 0);
        }
    }
    QCOMPARE(heads, 1);
    QCOMPARE(layout.pages().first().blocks.first().kind, SheetBlock::Head);
    // The same whole scale for every picture.
    QCOMPARE(layout.pictureScale(), qreal(qRound(layout.pictureScale())));
    checkPlacement(layout);
}

void tst_Sheet::pageHead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("shown");
    const QByteArray file = fileBytes(sourceFile("examples/european.conf"));
    QTest::newRow("european in tonnes and metres")
        << file << int(Tons) << int(Meters)
        << QStringList({"european.conf", "EU-19 2.1", "DE", "9.81", "0.80 m", "12.00 m", "2.50 m",
               "2.80 m", "0.50 t", "99", "9", "2024-05-01 09:30", "Veltora 3.2.0",
               "weights in tonnes (t), 1 t = 9.81 kN by the file's g; lengths in metres (m)"});
    QTest::newRow("pounds and feet")
        << file << int(Pounds) << int(Feet) << QStringList({"39.37 ft", "1101.56 lb"});
    QByteArray noG = file;
    noG.replace("g_acceleration_constant=9.81", "g_acceleration_constant=0");
    QTest::newRow("no g: tonnes by the standard g")
        << noG << int(Tons) << int(Inches)
        << QStringList({"0.50 t", "472.44 in",
               "weights in tonnes (t), 1 t = 9.80665 kN by the standard g; lengths in inches "
               "(in)"});
    QByteArray stopped = file;
    stopped.replace("[subclass_19]", "[subclass_19]\nno equals sign here");
    QTest::newRow("reading stopped")
        << stopped << int(Tons) << int(Meters)
        << QStringList({"Reading stopped at line 246, which could not be read: \"no equals",
               "Subclasses in the file: 18. Taking part: 18, in categories: 8. Not taking part: "
               "0."});
}

void tst_Sheet::pageHead()
{
    QFETCH(QByteArray, text);
    QFETCH(int, weight);
    QFETCH(int, length);
    QFETCH(QStringList, shown);
    TestFiles files;
    const Conf conf(files.write(text), nullptr);
    SheetOptions o = options();
    o.weightUnit = quint8(weight);
    o.lengthUnit = quint8(length);
    const SheetLayout layout = SheetLayout::forPdf(conf, o);
    const QStringList head = texts(layout, 0);
    for (const QString &expected : shown) {
        QVERIFY2(std::any_of(head.cbegin(), head.cend(),
                     [&](const QString &line) { return line.startsWith(expected); }),
            qPrintable(expected));
    }
}

void tst_Sheet::invalidSubclassesOnTheClosingPage()
{
    const Conf conf(sourceFile("examples/warnings.conf"), nullptr);
    const SheetLayout layout = SheetLayout::forPdf(conf, options("warnings.conf"));
    QCOMPARE(subclasses(layout, SheetBlock::Row), QVector<quint16>({1}));
    QCOMPARE(subclasses(layout, SheetBlock::NotTakingPart), QVector<quint16>({2, 3, 4, 5}));
    const SheetPage &closing = layout.pages().last();
    QVERIFY(closing.closing);
    QCOMPARE(closing.blocks.first().kind, SheetBlock::ClosingTitle);
    // Every failing rule is printed, in the checker's words.
    const QStringList page = texts(layout, layout.pages().size() - 1);
    QVERIFY(page.contains("gap 1: min distance 7.50 m above max 4.50 m"));
    QVERIFY(page.contains("axle 2: tyre type 5 not in 1-4"));
    for (const quint16 number : conf.get_invalid_subclasses()) {
        for (const QString &rule : conf.get_failing_subclass_rules(number)) {
            QVERIFY2(page.contains(rule), qPrintable(rule));
        }
    }
    checkPlacement(layout);
}

void tst_Sheet::longRowsFitTheirPage_data()
{
    QTest::addColumn<int>("constraints");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("parts");
    QTest::newRow("20 axles") << 3 << false << 1;
    QTest::newRow("20 axles, landscape") << 3 << true << 1;
    // Taller than any page: the one case a row goes on, every line kept.
    QTest::newRow("400 constraints") << 400 << false << 3;
}

void tst_Sheet::longRowsFitTheirPage()
{
    QFETCH(int, constraints);
    QFETCH(bool, landscape);
    QFETCH(int, parts);
    const Conf conf = twentyAxles(constraints);
    SheetOptions o = options();
    o.landscape = landscape;
    const SheetLayout layout = SheetLayout::forPdf(conf, o);
    QVector<SheetBlock> blocks;
    for (const SheetPage &page : layout.pages()) {
        for (const SheetBlock &block : page.blocks) {
            if (block.kind == SheetBlock::Row && block.subclass == 30) {
                blocks << block;
            }
        }
    }
    QCOMPARE(blocks.size(), parts);
    int next = 0;
    for (const SheetBlock &block : qAsConst(blocks)) {
        QCOMPARE(block.firstLine, next);
        next += block.lines;
    }
    // Gaps and axles wrap to lines of their own; every constraint gets a cell.
    QVERIFY(next >= 2 + constraints / 8);
    QCOMPARE(layout.pictureScale(), qreal(qRound(layout.pictureScale())));
    checkPlacement(layout);
}

void tst_Sheet::unwritableOutputIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("folder that does not exist") << "missing/sheet.pdf";
    QTest::newRow("a folder") << ".";
    QTest::newRow("no name") << "";
}

void tst_Sheet::unwritableOutputIsReported()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = name.isEmpty() ? name : dir.filePath(name);
    QString error;
    QVERIFY(!writeSheetPdf(european(), options(), path, &error));
    QVERIFY(!error.isEmpty());
    // Nothing is left behind, not even a temporary file.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void tst_Sheet::pdfHoldsEveryRowAndEachBitmapOnce_data()
{
    QTest::addColumn<int>("made"); // 0: writeSheetPdf, 1: printSheet, 2: veltora --sheet
    QTest::newRow("PDF file") << 0;
    QTest::newRow("through a printer") << 1;
    QTest::newRow("headless command") << 2;
}

void tst_Sheet::pdfHoldsEveryRowAndEachBitmapOnce()
{
    // The European example five times over: a hundred rows, the same bitmaps.
    Conf conf = european();
    for (const quint16 number : conf.get_subclass_numbers()) {
        for (int copy = 1; copy < 5; ++copy) {
            Subclass s = conf.get_subclass(number);
            s.set_subclass_number(quint16(number + 100 * copy));
            conf.set_subclass(s.get_subclass_number(), s);
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    QFETCH(int, made);
    if (made == 2) {
        TestFiles files;
        QProcess program;
        program.start(VELTORA_EDITOR, {"--sheet", path, files.write(conf.to_string().toUtf8())});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
    } else if (made == 1) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(printSheet(conf, options(), &printer));
    } else {
        QString error;
        QVERIFY2(writeSheetPdf(conf, options(), path, &error), qPrintable(error));
    }
    const QByteArray pdf = fileBytes(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.count("/Subtype /Image") <= 20);

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) {
        QSKIP("pdftotext (poppler-utils) is not installed");
    }
    QProcess reader;
    reader.start(pdftotext, {"-layout", path, "-"});
    QVERIFY(reader.waitForFinished(30000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    // Each row as a reader finds it: number, category, configuration, axles and its windows.
    for (const quint16 number : conf.get_subclass_numbers()) {
        const Subclass &s = conf.get_subclass(number);
        const QRegularExpression row(
            QString("^ *%1 +%2 +%3 +%4 +gaps \\(m\\) +1: ")
                .arg(number)
                .arg(s.get_category(), s.get_axle_configuration(), s.get_number_of_axles()),
            QRegularExpression::MultilineOption);
        QVERIFY2(text.contains(row), qPrintable(row.pattern()));
    }
}

QTEST_MAIN(tst_Sheet)
#include "tst_sheet.moc"
