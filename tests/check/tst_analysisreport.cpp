// The analysis reports in text, line by line, with their statuses.
#include "analysisreport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two-axle subclasses "number:category:min:max[:up]" in a file whose header admits 1 to 10 m.
QByteArray conf_text(
    const QStringList &subclasses, const QByteArray &header = "max_axle_distance__m=10\n")
{
    QByteArray text = "[classes]\nmin_axle_distance__m=1\n" + header;
    for (const QString &spec : subclasses) {
        const QStringList p = spec.split(':');
        text
            += QStringLiteral("[subclass_%1]\naxle_configuration=H2\ncategory=%2\nmax_GVW__kN=100\n"
                              "number_of_axles=2\nreclassify_up_to_subclass=%5\ntyre_type=1,1\n"
                              "max_axle_weight__kN=1,50;2,50\nmin_axle_distance__m=%3\n"
                              "max_axle_distance__m=%4\n")
                   .arg(p.at(0), p.at(1), p.at(2), p.at(3), p.value(4))
                   .toUtf8();
    }
    return text;
}

} // namespace

class tst_AnalysisReport : public QObject
{
    Q_OBJECT

private slots:
    void overlaps_data();
    void overlaps();
    void vehicles_data();
    void vehicles();

private:
    QString write(const QByteArray &bytes);

    QTemporaryDir dir;
    int files = 0;
};

QString tst_AnalysisReport::write(const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::number(++files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

void tst_AnalysisReport::overlaps_data()
{
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("report"); // FILE stands for the path
    QTest::newRow("every finding")
        << conf_text({"1:2:1:2.5:2", "2:2:2:3:1", "3:3:2.5:3", "4:3:2.5:3", "5:4:9:9.5"}) << 1
        << QStringList {"FILE: 5 of 5 subclasses take part; 6 overlapping pairs (4 ambiguous, "
                        "3 covered), 1 reclassification cycle",
               "  overlap: subclasses 1 and 2, both category 2, witness gaps_m 2.25",
               "  overlap: subclasses 1 and 3, categories 2 and 3 differ, witness gaps_m 2.5",
               "  overlap: subclasses 1 and 4, categories 2 and 3 differ, witness gaps_m 2.5",
               "  overlap: subclasses 2 and 3, categories 2 and 3 differ, witness gaps_m 2.75",
               "  overlap: subclasses 2 and 4, categories 2 and 3 differ, witness gaps_m 2.75",
               "  overlap: subclasses 3 and 4, both category 3, witness gaps_m 2.75",
               "  covered: subclass 3: every vehicle it accepts, 2 accepts too",
               "  covered: subclass 4: every vehicle it accepts, 2 accepts too",
               "  identical: subclasses 3 and 4 have the same windows",
               "  cycle: reclassify up 1 -> 2 -> 1"};
    QTest::newRow("same category only")
        << conf_text({"1:2:1:2", "2:2:1.5:3"}) << 0
        << QStringList {"FILE: 2 of 2 subclasses take part; 1 "
                        "overlapping pair (0 ambiguous, 0 covered), "
                        "0 reclassification cycles",
               "  overlap: subclasses 1 and 2, both category 2, "
               "witness gaps_m 1.75"};
    QTest::newRow("empty maximum")
        << conf_text({"1:2:1:2"}, "") << 0
        << QStringList {"FILE: no subclass takes part: the header's Max. axle distance (m) is "
                        "empty; 0 overlapping pairs (0 ambiguous, 0 covered), 0 reclassification "
                        "cycles"};
    QTest::newRow("reading stopped") << conf_text({"1:2:1:2"}) + "[subclass_2]\nnote\n"
                                     << 1
                                     << QStringList {"FILE: 1 of 1 subclasses take part; 0 "
                                                     "overlapping pairs (0 ambiguous, 0 covered), "
                                                     "0 reclassification cycles",
                                            "  read: reading stopped at line 15; the rest of the "
                                            "file was not read"};
}

void tst_AnalysisReport::overlaps()
{
    QFETCH(QByteArray, conf);
    QFETCH(int, status);
    QFETCH(QStringList, report);
    const QString path = write(conf);
    QString text;
    QTextStream out(&text);
    QCOMPARE(report_overlaps(path, false, out), status);
    out.flush();
    QCOMPARE(text.replace(path, "FILE"), report.join('\n') + '\n');
}

void tst_AnalysisReport::vehicles_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("report"); // CSV and FILE stand for the paths
    const QByteArray unclassified = "max_axle_distance__m=10\nunclassified_vehicles_subclass=99\n";
    QTest::newRow("every part")
        << unclassified
        << QByteArray("id,axles,gaps_m,axle_weights_kN,expected\nheavy,2,1.5,50.01;10,1\n"
                      "odd\tone,2,5,,3\nboth,2,2.2,,2\n,2,x\n")
        << 1
        << QStringList {"CSV against FILE: 3 of 3 subclasses take part",
               "  line 2 (heavy): subclass 1 (category 2; axle 1 50.01 kN above 50.00 kN)",
               "  line 3 (odd\xef\xbf\xbdone): unmatched (the WIM system puts it in the "
               "unclassified "
               "subclass 99); expected subclass 3 (category 10)",
               "  line 4 (both): ambiguous: subclass 2 (category 9), subclass 3 (category 10)",
               "  line 5: skipped: gaps_m: value 1, \"x\", is not a number",
               "  summary: 4 rows, 1 skipped, 3 vehicles", "  matched once: 1",
               "  matched by subclasses of one category: 0", "  ambiguous: 1",
               "  unmatched: 1 (33.3 %, not under 2 %)",
               "  confusion: expected category (rows) against matched category (columns)",
               "    expected  2  ambiguous  unmatched", "    2         1          0          0",
               "    9         0          1          0", "    10        0          0          1"};
    QTest::newRow("all matched once, no unclassified subclass")
        << QByteArray("max_axle_distance__m=10\n") << QByteArray("id,axles,gaps_ft\na,2,4\n") << 0
        << QStringList {"CSV against FILE: 3 of 3 subclasses take part",
               "  line 2 (a): subclass 1 (category 2)", "  summary: 1 rows, 0 skipped, 1 vehicle",
               "  matched once: 1", "  matched by subclasses of one category: 0", "  ambiguous: 0",
               "  unmatched: 0 (0.0 %, under 2 %)",
               "  confusion: no vehicle names an expected subclass"};
    QTest::newRow("bad header") << unclassified << QByteArray("id,gaps_m\n") << 2
                                << QStringList {"CSV: line 1: no column \"axles\""};
}

void tst_AnalysisReport::vehicles()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, csv);
    QFETCH(int, status);
    QFETCH(QStringList, report);
    const QString conf = write(conf_text({"1:2:1:2", "2:9:2.1:3", "3:10:2.2:4"}, header));
    const QString records = write(csv);
    QString text;
    QTextStream out(&text);
    QCOMPARE(report_vehicles(records, conf, false, out), status);
    out.flush();
    QCOMPARE(text.replace(records, "CSV").replace(conf, "FILE"), report.join('\n') + '\n');
}

QTEST_GUILESS_MAIN(tst_AnalysisReport)
#include "tst_analysisreport.moc"
