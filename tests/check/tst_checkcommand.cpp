// veltora-check as a whole process: exit statuses, JSON Lines and --format.
#include "../testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run check(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VELTORA_CHECK), arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

const QString european = sourceFile("examples/european.conf");
const QString warnings = sourceFile("examples/warnings.conf");
const QString vehicles = sourceFile("examples/european-vehicles.csv");

// In the writer's form.
const QByteArray validHeader = "[classes]\ncountry_code=SI\ng_acceleration_constant=9.81\n"
                               "group_max_distance__m=3\nmax_axle_distance__m=10\n"
                               "min_axle_distance__m=1\n\n";
const QByteArray subclass = "axle_configuration=H2\ncategory=1\nmax_GVW__kN=30\n"
                            "number_of_axles=2\ntyre_type=1,1\nmax_axle_weight__kN=1,10;2,10\n"
                            "max_axle_distance__m=3\nmin_axle_distance__m=1\n\n";

} // namespace

class tst_CheckCommand : public QObject
{
    Q_OBJECT

private slots:
    void exitStatus_data();
    void exitStatus();
    void jsonLines();
    void analysisJsonLines();
    void format_data();
    void format();

private:
    TestFiles files;
};

void tst_CheckCommand::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // a line of the standard output or error
    const auto row
        = [](const char *name, const QStringList &arguments, int status, const QString &output) {
              QTest::newRow(name) << arguments << status << output;
          };
    row("highest status wins", {european, "missing.conf", warnings}, 2,
        "missing.conf: cannot be opened");
    row("wrong option", {"--bogus", european}, 2, "Unknown option 'bogus'.");
    row("no file", {}, 2, "No file given.");
    row("help", {"--help"}, 0,
        "  --vehicles <RECORDS.csv>  Run the recorded vehicles of a CSV file through");
    row("version", {"--version"}, 0, "veltora-check 3.2.0");
    row("overlaps of different categories", {"--overlaps", european}, 1,
        "  covered: subclass 4: every vehicle it accepts, 5 accepts too");
    row("no overlap", {"--overlaps", warnings}, 0,
        warnings
            + ": 1 of 5 subclasses take part; 0 overlapping pairs (0 ambiguous, 0 covered), 0 "
              "reclassification cycles");
    row("vehicles skipped, ambiguous, unmatched", {"--vehicles", vehicles, european}, 1,
        "  line 21: skipped: gaps_m: 1 value for 3 axles, 2 expected");
    row("records missing", {"--vehicles", "missing.csv", european}, 2,
        "missing.csv: cannot be opened");
    row("format with analysis", {"--format", "--overlaps", european}, 2,
        "--format cannot be combined with --overlaps or --vehicles.");
}

void tst_CheckCommand::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    const Run run = check(arguments);
    QCOMPARE(run.status, status);
    QVERIFY(QString::fromUtf8(run.out + run.err).split('\n').contains(output));
}

void tst_CheckCommand::jsonLines()
{
    // The stopped file makes the model log a warning, which must reach neither stream.
    const QString stopped = files.write(validHeader + "[subclass_1]\ncolour=red\ncategory=3=4\n");
    const Run run = check({"--json", european, warnings, "missing.conf", stopped});
    QCOMPARE(run.status, 2);
    QCOMPARE(run.err, QByteArray());
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 5); // and an empty one after the last line feed
    QCOMPARE(lines[0],
        "{\"duplicates\":null,\"file\":\"" + european.toUtf8()
            + "\",\"header\":[],\"invalid_subclasses\":[],\"notes\":[],\"notes_not_listed\":0,"
              "\"opened\":true,\"save\":{\"accepts\":"
              "true,\"question\":null,\"refusal\":null},\"status\":0,\"stopped\":null,"
              "\"targets\":[]}");
    const QJsonObject w = QJsonDocument::fromJson(lines[1]).object();
    QCOMPARE(w["status"].toInt(), 1);
    QCOMPARE(w["header"][1]["field"].toString(), QStringLiteral("Max. axle distance (m)"));
    QCOMPARE(w["header"][1]["warning"].toBool(), true);
    QCOMPARE(w["invalid_subclasses"][3]["rules"][1].toString(),
        QStringLiteral("axle 2: max weight 0.00 kN not above 0"));
    QVERIFY(
        w["save"]["refusal"]["text"].toString().startsWith("Missing data found in subclass 3\n"));
    QCOMPARE(lines[2],
        "{\"file\":\"missing.conf\",\"notes\":[],\"notes_not_listed\":0,\"opened\":false,"
        "\"status\":2}");
    const QJsonObject s = QJsonDocument::fromJson(lines[3]).object();
    QCOMPARE(s["stopped"].toObject(), QJsonObject({{"line", 10}, {"text", "category=3=4"}}));
    QCOMPARE(s["notes"][0].toObject(),
        QJsonObject({{"line", 9}, {"text", "colour=red"}, {"what", "unknown_key"},
            {"detail", "\"colour\" is no key of a subclass section and is not read"}}));
}

void tst_CheckCommand::analysisJsonLines()
{
    const Run run = check({"--json", "--overlaps", "--vehicles", vehicles, european});
    QCOMPARE(run.status, 1);
    QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 1 + 35 + 1 + 1); // overlaps, a line per row, summary, and empty
    const QJsonObject overlaps = QJsonDocument::fromJson(lines[0]).object();
    QCOMPARE(overlaps["pairs_total"].toInt(), 14);
    QCOMPARE(overlaps["ambiguous_total"].toInt(), 12);
    QCOMPARE(overlaps["pairs"][0].toObject(),
        QJsonObject({{"subclasses", QJsonArray {2, 4}}, {"categories", QJsonArray {"2", "3"}},
            {"ambiguous", true}, {"witness_m", QJsonArray {3.05}}}));
    QCOMPARE(QJsonDocument::fromJson(lines[18])["matches"][0]["axles_above"][0].toObject(),
        QJsonObject({{"axles", QJsonArray {2}}, {"weight_kN", 117.72}, {"limit_kN", 112.8}}));
    QCOMPARE(QJsonDocument::fromJson(lines[20]).object(),
        QJsonObject({{"kind", "skipped"}, {"line", 21},
            {"reason", "gaps_m: 1 value for 3 axles, 2 expected"}}));
    const QJsonObject summary = QJsonDocument::fromJson(lines[36]).object();
    QCOMPARE(summary["vehicles"].toInt(), 33);
    QCOMPARE(summary["confusion"][4].toObject(),
        QJsonObject({{"expected", "5"}, {"matched", QJsonObject {{"5", 3}}}, {"ambiguous", 2},
            {"unmatched", 1}}));
    QCOMPARE(summary["status"].toInt(), 1);
}

void tst_CheckCommand::format_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QByteArray>("after"); // empty: the file stays as it was
    const QByteArray canonical = validHeader + "[subclass_1]\n" + subclass;
    QTest::newRow("shuffled and lower case")
        << "[subclass_01]\n" + QByteArray(subclass).replace("H2", "h2")
            + "[classes]\nmin_axle_distance__m=1\nmax_axle_distance__m=10\n"
              "group_max_distance__m=3\ng_acceleration_constant=9.81\ncountry_code=SI\n"
        << "rewritten" << canonical;
    QTest::newRow("canonical") << canonical << "unchanged" << QByteArray();
    QTest::newRow("reading stopped") << canonical + "[subclass_2]\nnote\n"
                                     << "refused" << QByteArray();
    QTest::newRow("duplicates") << canonical + "[subclass_2]\n" + subclass << "refused"
                                << QByteArray();
    QTest::newRow("Save refuses") << validHeader + "[subclass_1]\ncategory=1\n"
                                  << "refused" << QByteArray();
    QTest::newRow("byte-order mark written away")
        << "\xEF\xBB\xBF" + canonical << "rewritten" << canonical;
    QTest::newRow("read with notes") << canonical + "[subclass_2]\n" + subclass + "colour=red\n"
                                     << "refused" << QByteArray();
    QTest::newRow("not UTF-8") << canonical + "[subclass_2]\n"
            + QByteArray(subclass).replace("category=1", "category=\xe9")
                               << "refused" << QByteArray();
}

void tst_CheckCommand::format()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, outcome);
    QFETCH(QByteArray, after);
    const QString path = files.write(file);
    const Run run = check({"--format", "--json", path});
    const QJsonObject report = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(report["format"]["outcome"].toString(), outcome);
    QCOMPARE(run.status, outcome == "refused" ? 1 : 0);
    QCOMPARE(fileBytes(path), after.isEmpty() ? file : after);
    if (QByteArray(QTest::currentDataTag()) == "read with notes") {
        QCOMPARE(report["format"]["reason"].toString(),
            QStringLiteral("it was read with notes: line 28 (unknown_key)"));
    }
    if (outcome == "rewritten") {
        const Run again = check({"--format", path});
        QVERIFY(again.out.endsWith("  format: left as it was (already canonical)\n"));
    }
}

QTEST_GUILESS_MAIN(tst_CheckCommand)
#include "tst_checkcommand.moc"
