// veltora-check --compare: the option errors, the exit statuses, the report of the README's
// walk-through and the JSON object.
#include "../testfiles.h"
#include "checkcommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// The command run in this process, with the source tree's paths shown from its root.
Run check(const QStringList &arguments)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = run_check(QStringList {"veltora-check"} + arguments, out, err);
    out.flush();
    err.flush();
    run.out.replace(sourceFile(QString()), QString());
    return run;
}

const QJsonObject object(const Run &run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

const QString european = sourceFile("examples/european.conf");
const QString revised = sourceFile("examples/european-revised.conf");
const QString vehicles = sourceFile("examples/european-vehicles.csv");

} // namespace

class tst_CompareReport : public QObject
{
    Q_OBJECT

private slots:
    void exitStatus_data();
    void exitStatus();
    void walkThrough();
    void json();

private:
    TestFiles files;
};

void tst_CompareReport::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line"); // the first line of the output, or of the errors
    const auto row
        = [](const char *name, const QStringList &arguments, int status, const QString &line) {
              QTest::newRow(name) << arguments << status << line;
          };
    row("one file", {"--compare", european}, 2,
        "--compare takes exactly two files, OLD then NEW; 1 was given.");
    row("no file", {"--compare"}, 2,
        "--compare takes exactly two files, OLD then NEW; 0 were given.");
    row("three files", {"--compare", european, revised, european}, 2,
        "--compare takes exactly two files, OLD then NEW; 3 were given.");
    row("with --format", {"--compare", "--format", european, revised}, 2,
        "--compare cannot be combined with --format.");
    row("with --overlaps", {"--overlaps", "--compare", european, revised}, 2,
        "--compare cannot be combined with --overlaps.");
    row("new missing", {"--compare", european, "missing.conf"}, 2,
        "missing.conf: cannot be opened");
    row("records missing", {"--compare", "--vehicles", "missing.csv", european, revised}, 2,
        "missing.csv: cannot be opened");
    row("records without an id column", {"--compare", "--vehicles", european, european, revised}, 2,
        "examples/european.conf: line 1: no column \"id\"");
    row("the same", {"--compare", european, european}, 0,
        "examples/european.conf -> examples/european.conf: no differences");
    row("the same, with vehicles", {"--compare", "--vehicles", vehicles, european, european}, 0,
        "examples/european.conf -> examples/european.conf: no differences");
    row("a revision", {"--compare", european, revised}, 1,
        "examples/european.conf -> examples/european-revised.conf: 12 differences");
}

void tst_CompareReport::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, line);
    const Run run = check(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE((run.err.isEmpty() ? run.out : run.err).section('\n', 0, 0), line);
}

// The README shows this report, in full.
void tst_CompareReport::walkThrough()
{
    const Run run = check({"--compare", european, revised, "--vehicles", vehicles});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.out,
        QString::fromUtf8(fileBytes(sourceFile("tests/check/data/compare-walkthrough.txt"))));
}

void tst_CompareReport::json()
{
    // A read that stops early is compared as far as it was read, and reported.
    const QByteArray header = fileBytes(european).left(fileBytes(european).indexOf("[subclass_1]"));
    const QString stopped = files.write(header + "[subclass_1]\ncategory=3=4\n");
    const QString headerOnly = files.write(header);
    QTest::ignoreMessage(QtWarningMsg, "Read a line without equals: \"category=3=4\"");
    Run run = check({"--compare", "--json", headerOnly, stopped});
    QCOMPARE(run.status, 1);
    QCOMPARE(object(run)["stopped"].toObject(), QJsonObject({{"old", QJsonValue()}, {"new", 14}}));
    QCOMPARE(object(run).keys(),
        QStringList({"added", "changed", "header", "new", "old", "removed", "renumbered", "status",
            "stopped", "windows"}));

    run = check({"--compare", "--json", "--vehicles", vehicles, european, revised});
    QCOMPARE(run.status, 1);
    const QJsonObject o = object(run);
    QCOMPARE(o["header"].toArray(),
        QJsonArray({QJsonObject {{"field", "Classification version"}, {"old", "\"EU-19 2.1\""},
            {"new", "\"EU-19 2.2\""}}}));
    QCOMPARE(o["removed"].toArray(), QJsonArray({6}));
    QCOMPARE(o["added"].toArray(), QJsonArray({20}));
    QCOMPARE(o["changed"][3].toObject(),
        QJsonObject({{"subclass", 13},
            {"fields",
                QJsonArray {QJsonObject {{"field", "axle 3: tyre type"}, {"old", "1"}, {"new", "2"},
                                {"text", "axle 3: tyre type 1 -> 2"}},
                    QJsonObject {{"field", "constraint 3+4+5"}, {"old", "235.40 kN"},
                        {"new", "245.20 kN"},
                        {"text", "constraint 3+4+5: 235.40 -> 245.20 kN"}}}}}));
    QCOMPARE(o["windows"][0].toObject(), QJsonObject({{"subclass", 4}, {"change", "widened"}}));
    QCOMPARE(o["moved"][2].toObject(),
        QJsonObject({{"line", 24}, {"id", "truck4-02"},
            {"old", QJsonObject {{"verdict", "unmatched"}, {"subclasses", QJsonArray()}}},
            {"new", QJsonObject {{"verdict", "once"}, {"subclasses", QJsonArray {11}}}}}));
    QCOMPARE(o["skipped"].toArray(),
        QJsonArray({QJsonObject {{"line", 15}, {"in", "new"},
            {"reason", "expected: no subclass 6 in the configuration"}}}));
    QCOMPARE(o["distribution"][1].toObject(),
        QJsonObject(
            {{"category", "2"}, {"old", 6}, {"new", 5}, {"change", -1}, {"percent", -16.7}}));
    QCOMPARE(o["totals"].toObject(),
        QJsonObject(
            {{"moved", 3}, {"newly_unmatched", 0}, {"newly_ambiguous", 1}, {"newly_matched", 1}}));

    // No percentage of an old count of 0.
    run = check({"--compare", "--json", "--vehicles", vehicles, headerOnly, headerOnly});
    QCOMPARE(object(run)["distribution"][1].toObject(),
        QJsonObject({{"category", "unmatched"}, {"old", 0}, {"new", 0}, {"change", 0},
            {"percent", QJsonValue()}}));
}

QTEST_GUILESS_MAIN(tst_CompareReport)
#include "tst_comparereport.moc"
