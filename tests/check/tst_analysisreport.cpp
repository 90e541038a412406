// The analysis reports in text with their statuses: who takes part, overlaps, covered subclasses,
// cycles, and recorded vehicles with their weight flags, verdicts and summary.
#include "analysisreport.h"
#include "../testfiles.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

// Two-axle subclasses "number:category:min:max[:up[:more lines, split at |]]", weights 50 kN per
// axle and 100 kN gross, after the header lines `header`.
QByteArray conf_text(const QStringList &subclasses, const QByteArray &header)
{
    QByteArray text = "[classes]\n" + header;
    for (const QString &described : subclasses) {
        const QStringList p = described.split(':');
        text
            += QStringLiteral("[subclass_%1]\naxle_configuration=H2\ncategory=%2\nmax_GVW__kN=100\n"
                              "number_of_axles=2\nreclassify_up_to_subclass=%5\ntyre_type=1,1\n"
                              "max_axle_weight__kN=1,50;2,50\nmin_axle_distance__m=%3\n"
                              "max_axle_distance__m=%4\n%6\n")
                   .arg(p.at(0), p.at(1), p.at(2), p.at(3), p.value(4),
                       p.value(5).replace('|', '\n'))
                   .toUtf8();
    }
    return text;
}

const QByteArray limits = "min_axle_distance__m=1\nmax_axle_distance__m=10\n";
// The first line of a report that finds nothing.
QStringList nothing(const QString &takingPart)
{
    return {"FILE: " + takingPart
        + "; 0 overlapping pairs (0 ambiguous, 0 covered), 0 reclassification cycles"};
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
    void vehiclesJsonAsQtWritesIt();

private:
    TestFiles files;
};

void tst_AnalysisReport::overlaps_data()
{
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("report"); // FILE stands for the path
    QTest::newRow("every finding")
        << conf_text({"1:2:1:2.5:2", "2:2:2:3:1", "3:3:2.5:3", "4:3:2.5:3", "5:4:9:9.5"}, limits)
        << 1
        << QStringList {"FILE: 5 of 5 subclasses take part; 6 overlapping pairs (4 ambiguous, 3 "
                        "covered), 1 reclassification cycle",
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
        << conf_text({"1:2:1:2", "2:2:1.5:3"}, limits) << 0
        << QStringList {
               "FILE: 2 of 2 subclasses take part; 1 overlapping pair (0 ambiguous, 0 covered), 0 "
               "reclassification cycles",
               "  overlap: subclasses 1 and 2, both category 2, witness gaps_m 1.75"};
    const auto row
        = [](const char *name, const QByteArray &conf, int status, const QStringList &report) {
              QTest::newRow(name) << conf << status << report;
          };
    row("outside the header's bounds", conf_text({"1:2:1:2", "2:3:1:20"}, limits), 0,
        nothing("1 of 2 subclasses take part"));
    row("all invalid", conf_text({"1:2:1:20"}, limits), 0,
        nothing("no subclass takes part: all 1 are in the invalid list"));
    row("empty maximum", conf_text({"1:2:1:2"}, "min_axle_distance__m=1\n"), 0,
        nothing("no subclass takes part: the header's Max. axle distance (m) is empty"));
    row("empty minimum", conf_text({"1:2:1:2"}, "max_axle_distance__m=10\n"), 0,
        nothing("no subclass takes part: the header's Min. axle distance (m) is empty"));
    // A bound that is no number would let every subclass or none take part unnoticed.
    for (const char *bound : {"nan", "inf", "abc"}) {
        row(bound,
            conf_text({"1:2:1:2"},
                QByteArray("min_axle_distance__m=") + bound
                    + "\n"
                      "max_axle_distance__m=10\n"),
            1,
            nothing(QStringLiteral("no subclass takes part: the header's Min. axle distance (m) "
                                   "\"%1\" is not a number")
                        .arg(bound)));
    }
    row("reading stopped", conf_text({"1:2:1:2"}, limits) + "[subclass_2]\nnote\n", 1,
        nothing("1 of 1 subclasses take part")
            << "  read: reading stopped at line 16; the rest of the file was not read");
}

void tst_AnalysisReport::overlaps()
{
    QFETCH(QByteArray, conf);
    QFETCH(int, status);
    QFETCH(QStringList, report);
    const QString path = files.write(conf);
    if (QByteArray(QTest::currentDataTag()) == "reading stopped") {
        QTest::ignoreMessage(QtWarningMsg, "Read a line without equals: \"note\"");
    }
    QString text;
    QTextStream out(&text);
    QCOMPARE(report_overlaps(path, false, out), status);
    out.flush();
    QCOMPARE(text.replace(path, "FILE"), report.join('\n') + '\n');
}

void tst_AnalysisReport::vehicles_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines"); // in this order in the report; FILE, CSV the paths
    QTest::newRow("every part")
        << QByteArray("id,axles,gaps_m,axle_weights_kN,expected\nheavy,2,1.5,50.01;10,1\n"
                      "odd\tone,2,5,,3\nboth,2,2.2,,2\n,2,x\n")
        << 1
        << QStringList {"CSV against FILE: 4 of 4 subclasses take part",
               "  line 2 (heavy): subclass 1 (category 2; axle 1 50.01 kN above 50.00 kN)",
               "  line 3 (odd\xef\xbf\xbdone): unmatched (the WIM system puts it in the "
               "unclassified subclass 99); expected subclass 3 (category 10)",
               "  line 4 (both): ambiguous: subclass 2 (category 9), subclass 3 (category 10)",
               "  line 5: skipped: gaps_m: value 1, \"x\", is not a number",
               "  summary: 4 rows, 1 skipped, 3 vehicles", "  matched once: 1",
               "  matched by subclasses of one category: 0", "  ambiguous: 1",
               "  unmatched: 1 (33.3 %, not under 2 %)",
               "  confusion: expected category (rows) against matched category (columns)",
               "    expected  2  ambiguous  unmatched", "    2         1          0          0",
               "    9         0          1          0", "    10        0          0          1"};
    // Subclass 1 also has axles 1+2 at most 80 kN, a constraint on an axle 3 it lacks, and
    // reclassifies up to 2 above 90 kN, down to 3 below 20 kN.
    const QByteArray weights = "id,axles,gaps_m,axle_weights_kN,gross_kN\n";
    QTest::newRow("each weight at its limit")
        << weights + "v,2,1.5,50;30" << 0 << QStringList {"  line 2 (v): subclass 1 (category 2)"};
    QTest::newRow("each weight above its limit")
        << weights + "v,2,1.5,50.5;40" << 0
        << QStringList {"  line 2 (v): subclass 1 (category 2; axle 1 50.50 kN above 50.00 kN; "
                        "axles 1+2 90.50 kN above 80.00 kN; reclassify up to 2)"};
    QTest::newRow("gross given")
        << weights + "v,2,1.5,10;10,101" << 0
        << QStringList {"  line 2 (v): subclass 1 (category 2; gross 101.00 kN above 100.00 kN; "
                        "reclassify up to 2)"};
    QTest::newRow("gross alone, light")
        << weights + "v,2,1.5,,15" << 0
        << QStringList {"  line 2 (v): subclass 1 (category 2; reclassify down to 3)",
               "  summary: 1 row, 0 skipped, 1 vehicle"};
    QTest::newRow("one category, in feet")
        << QByteArray("id,axles,gaps_ft\na,2,6.4") << 0
        << QStringList {
               "  line 2 (a): one category: subclass 1 (category 2), subclass 4 (category 2)",
               "  matched by subclasses of one category: 1", "  unmatched: 0 (0.0 %, under 2 %)",
               "  confusion: no vehicle names an expected subclass"};
    QTest::newRow("2 % unmatched") << "id,axles,gaps_m\n" + QByteArray("m,2,1.5\n").repeated(49)
            + "u,2,9" << 1 << QStringList {"  unmatched: 1 (2.0 %, not under 2 %)"};
    QTest::newRow("1 % unmatched") << "id,axles,gaps_m\n" + QByteArray("m,2,1.5\n").repeated(99)
            + "u,2,9" << 0 << QStringList {"  unmatched: 1 (1.0 %, under 2 %)"};
    QTest::newRow("no vehicle") << QByteArray("id,axles,gaps_m\n") << 1
                                << QStringList {"  unmatched: 0 (no vehicle read)"};
    QTest::newRow("bad header") << QByteArray("id,gaps_m\n") << 2
                                << QStringList {"CSV: line 1: no column \"axles\""};
}

void tst_AnalysisReport::vehicles()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    const QString conf
        = files.write(conf_text({"1:2:1:2:2:max_axle_weight__kN=1,50;2,50;1+2,80;2+3,1|"
                                 "upper_GVW_limit__kN=90|lower_GVW_limit__kN=20|"
                                 "reclassify_down_to_subclass=3",
                                    "2:9:2.1:3", "3:10:2.2:4", "4:2:1.9:2.05"},
            limits + "unclassified_vehicles_subclass=99\n"));
    const QString records = files.write(csv);
    QString text;
    QTextStream out(&text);
    QCOMPARE(report_vehicles(records, conf, false, out), status);
    out.flush();
    const QStringList report = text.replace(records, "CSV").replace(conf, "FILE").split('\n');
    int at = 0;
    for (const QString &line : lines) {
        at = report.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line + "\nnot in order in\n" + text));
    }
}

// The vehicle lines are written without QJsonDocument, for speed: each must be the very bytes
// QJsonDocument writes of it, escapes, non-ASCII and exponents included.
void tst_AnalysisReport::vehiclesJsonAsQtWritesIt()
{
    const QString conf = files.write(
        conf_text({"1:2:1:2:2:max_axle_weight__kN=1,0.00001;2,1|upper_GVW_limit__kN=0.001",
                      "2:\xc3\xa9\\\"x:1.5:3"},
            limits));
    const QString records
        = files.write("id,axles,gaps_m,axle_weights_kN,gross_kN,expected\n"
                      "q\"uote\\,2,1.6,0.00002;-0,1e-7,1\n\x01\xe2\x82\xac,2,1.7,3;4\n"
                      "big,2,1.8,1e21;100000,,2\nbad,2\n");
    QString text;
    QTextStream out(&text);
    QCOMPARE(report_vehicles(records, conf, true, out), 1);
    out.flush();
    QStringList lines = text.split('\n');
    QCOMPARE(lines.size(), 6); // four rows, the summary and the end
    for (const QString &line : lines.mid(0, 4)) {
        const QByteArray bytes = line.toUtf8();
        QCOMPARE(QJsonDocument::fromJson(bytes).toJson(QJsonDocument::Compact), bytes);
    }
    QVERIFY(lines.at(0).contains("\"weight_kN\":2e-05"));
}

QTEST_GUILESS_MAIN(tst_AnalysisReport)
#include "tst_analysisreport.moc"
