// The checker's findings and its text report: every rule in words, Save's verdict, hostile files.
// Unreadable files and the example files are checked through the whole program.
#include "filecheck.h"
#include "report.h"
#include "../testfiles.h"

#include <QtTest>

namespace {

QByteArray lines(QMap<QString, QString> entries, const QMap<QString, QString> &changes)
{
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        entries.insert(it.key(), it.value());
    }
    QByteArray text;
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        if (!it.value().isNull()) {
            text += (it.key() + '=' + it.value() + '\n').toUtf8();
        }
    }
    return text;
}

// A valid header with some entries changed (a null value leaves the entry out).
QByteArray header(const QMap<QString, QString> &changes = {})
{
    return "[classes]\n"
        + lines({{"country_code", "SI"}, {"g_acceleration_constant", "9.81"},
                    {"group_max_distance__m", "3"}, {"max_axle_distance__m", "10"},
                    {"min_axle_distance__m", "1"}, {"unclassified_vehicles_subclass", "99"}},
            changes);
}

// A valid, complete two-axle subclass, unlike any other number's, with some entries changed.
QByteArray section(int number, const QMap<QString, QString> &changes = {})
{
    return "[subclass_" + QByteArray::number(number) + "]\n"
        + lines({{"axle_configuration", "H2"}, {"category", "1"}, {"max_GVW__kN", "300"},
                    {"number_of_axles", "2"}, {"tyre_type", "1,1"},
                    {"max_axle_weight__kN", "1,100;2,100"}, {"min_axle_distance__m", "1.5"},
                    {"max_axle_distance__m", QString::number(4 + number * 0.01)}},
            changes);
}

const QString refusedSubclass = "  save refuses: Vital information missing in one or more "
                                "subclasses!\n    Missing data found in subclass %1";
const QString refusedHeader = "  save refuses: Header invalid!\n    Please make sure all "
                              "required fields are filled and valid.";

} // namespace

class tst_FileCheck : public QObject
{
    Q_OBJECT

private slots:
    void report_data();
    void report();

private:
    TestFiles files;
};

void tst_FileCheck::report_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("report"); // FILE stands for the path

    QTest::newRow("valid") << header() + section(1) + section(2) << 0 << QStringList {"FILE: ok"};
    QTest::newRow("every header rule")
        << header({{"country_code", "xk"}, {"g_acceleration_constant", "-9.81"},
               {"group_max_distance__m", QString()}, {"max_axle_distance__m", "1"},
               {"min_axle_distance__m", "2.004"}, {"uncategorised_vehicle_category", "5"}})
        << 1
        << QStringList {"FILE: 7 problems",
               "  header: Country code: \"xk\" not an ISO 3166-1 alpha-2 code",
               "  header: Group max distance (m): (empty) not above 0",
               "  header: Max. axle distance (m): 1.00 m below the min. axle distance 2.004 m",
               "  header: Min. axle distance (m): 2.004 m above the max. axle distance 1.00 m",
               "  header: Uncategorised vehicle cat.: 5 not a whole number above 5",
               "  header: G constant: -9.81 not above 0", refusedHeader};
    QTest::newRow("distance rules")
        << header()
            + section(1,
                {{"number_of_axles", "5"}, {"axle_configuration", "H5"}, {"tyre_type", "1,1,1,1,1"},
                    {"max_axle_weight__kN", "1,9;2,9;3,9;4,9;5,9"},
                    {"min_axle_distance__m", "6,0.5,11,0.5"},
                    {"max_axle_distance__m", "5,2,12,0.6"}})
            + section(2, {{"max_axle_distance__m", "4.5,5"}})
        << 1
        << QStringList {"FILE: 9 problems",
               "  note: line 21: max_axle_distance__m: 2 items, of which the number of axles uses "
               "1; Save drops the rest",
               "  header warning: Max. axle distance (m): 10.00 m below max distance 12.00 m of "
               "subclass 1",
               "  subclass 1: gap 1: min distance 6.00 m above max 5.00 m",
               "  subclass 1: gap 2: min distance 0.50 m below header min 1.00 m",
               "  subclass 1: gap 3: min distance 11.00 m above header max 10.00 m",
               "  subclass 1: gap 3: max distance 12.00 m above header max 10.00 m",
               "  subclass 1: gap 4: min distance 0.50 m below header min 1.00 m",
               "  subclass 1: gap 4: max distance 0.60 m below header min 1.00 m",
               "  subclass 2: min and max distance lists differ in length"};
    QTest::newRow("axle and scalar rules")
        << header()
            + section(1,
                {{"category", QString()}, {"max_GVW__kN", QString()},
                    {"axle_configuration", "H2X2"}, {"tyre_type", "2.5,7"},
                    {"max_axle_weight__kN", "1,0;2,0"}})
        << 1
        << QStringList {"FILE: 8 problems",
               "  note: line 14: tyre_type: item 1, \"2.5\", is not a whole number; the WIM "
               "system will read 0",
               "  subclass 1: axles 1-2: max weight 0.00 kN not above 0",
               "  subclass 1: axle 1: tyre type \"2.5\" not in 1-4",
               "  subclass 1: axle 2: tyre type 7 not in 1-4", "  subclass 1: category missing",
               "  subclass 1: max GVW missing",
               "  subclass 1: axle configuration \"H2X2\" not a vehicle letter (ABCHLMV) and "
               "count, then D, S or T parts and counts",
               refusedSubclass.arg(1)};
    QTest::newRow("huge axle count, said in runs")
        << header() + section(1, {{"number_of_axles", "2000000000"}}) << 1
        << QStringList {"FILE: 7 problems",
               "  subclass 1: gaps 2-19: min distance (empty) below header min 1.00 m",
               "  subclass 1: gaps 2-19: max distance (empty) below header min 1.00 m",
               "  subclass 1: axles 3-20: max weight (empty) not above 0",
               "  subclass 1: axles 3-20: tyre type (empty) not in 1-4",
               "  subclass 1: number of axles 2000000000 not in 2-20",
               "  subclass 1: axle configuration H2 does not add up to 2000000000 axles",
               refusedSubclass.arg(1)};
    QTest::newRow("targets and duplicates")
        << header()
            + section(
                1, {{"reclassify_up_to_subclass", "45"}, {"reclassify_down_to_subclass", "2"}})
            + section(2,
                {{"number_of_axles", "3"}, {"axle_configuration", "H3"}, {"tyre_type", "1,1,1"},
                    {"max_axle_weight__kN", "1,9;2,9;3,9"}, {"min_axle_distance__m", "1,1"},
                    {"max_axle_distance__m", "2,2"}, {"reclassify_up_to_subclass", "0"}})
            + section(3, {{"reclassify_up_to_subclass", "70000"}, {"max_axle_distance__m", "4"}})
            + section(4, {{"reclassify_down_to_subclass", "3"}})
            + section(5, {{"reclassify_up_to_subclass", "70000"}, {"max_axle_distance__m", "4"}})
        << 1
        << QStringList {"FILE: 5 problems",
               "  note: line 37: reclassify_up_to_subclass: \"70000\" is not a subclass number "
               "(0-65535); the WIM system will read 0",
               "  note: line 57: reclassify_up_to_subclass: \"70000\" is not a subclass number "
               "(0-65535); the WIM system will read 0",
               "  subclass 1: reclassify up to 45: no such subclass",
               "  subclass 1: reclassify down to 2: it has 3 axles, this subclass 2",
               "  save asks: Duplicate subclasses found! At least one duplicated subclass found. "
               "Do you wish to continue saving? 3 = 5"};
    QTest::newRow("incomplete subclass 0 is named, not the header")
        << header({{"unclassified_vehicles_subclass", QString()}})
            + section(0, {{"category", QString()}, {"axle_configuration", QString()}})
        << 1
        << QStringList {"FILE: 4 problems",
               "  header: Unclassified subclass: (empty) names subclass 0, which exists",
               "  subclass 0: category missing", "  subclass 0: axle configuration missing",
               refusedSubclass.arg(0)};
    QTest::newRow("complete subclass 0 leaves the header refused")
        << header({{"unclassified_vehicles_subclass", "0"}}) + section(0) << 1
        << QStringList {"FILE: 2 problems",
               "  header: Unclassified subclass: 0 names subclass 0, which exists", refusedHeader};
    // Values that read as no number are noted where they stand and named in the rules they fail.
    QTest::newRow("no numbers")
        << header({{"min_axle_distance__m", "nan"}})
            + section(1, {{"max_axle_weight__kN", "1,nan;2,-3"}, {"max_GVW__kN", "-4.5"}})
            + section(2, {{"max_axle_distance__m", "abc"}, {"max_axle_weight__kN", "2,10;1,10"}})
        << 1
        << QStringList {"FILE: 11 problems",
               "  note: line 6: min_axle_distance__m: \"nan\" is not a number",
               "  note: line 11: max_GVW__kN: \"-4.5\" is negative",
               "  note: line 13: max_axle_weight__kN: \"nan\", the weight in \"1,nan\", is not a "
               "number; it is not read",
               "  note: line 13: max_axle_weight__kN: \"-3\", the weight in \"2,-3\", is "
               "negative; it is not read",
               "  note: line 21: max_axle_distance__m: item 1, \"abc\", is not a number; the WIM "
               "system will read 0",
               "  note: line 22: max_axle_weight__kN: weights are read in the order written, "
               "whatever their axle numbers: \"2,10\" is read as the weight of axle 1",
               "  subclass 1: gap 1: header min \"nan\" is not a number",
               "  subclass 1: axles 1-2: max weight (empty) not above 0",
               "  subclass 2: gap 1: max distance \"abc\" is not a number",
               "  subclass 2: gap 1: header min \"nan\" is not a number", refusedSubclass.arg(1)};
    QTest::newRow("byte-order mark alone") << "\xEF\xBB\xBF" + header() + section(1) << 0
                                           << QStringList {"FILE: ok",
                                                  "  note: line 1: the file starts with a UTF-8 "
                                                  "byte-order mark; Save writes it without"};
    QTest::newRow("truncated in the middle of a line")
        << header() + section(1) + "[subclass_2]\ncategory=1\nmax_axle_wei" << 1
        << QStringList {"FILE: 1 problem",
               "  read: reading stopped at line 19: \"max_axle_wei\"; the rest of the file was "
               "not read"};
    QTest::newRow("binary") << QByteArray("\x00\x01\xfe\xff[classes]\x7f\n", 15) + header() << 1
                            << QStringList {"FILE: 1 problem",
                                   QString("  read: reading stopped at line 1: \"%1[classes]%2\"; "
                                           "the rest of the file was not read")
                                       .arg(QString(4, QChar::ReplacementCharacter),
                                           QChar(QChar::ReplacementCharacter))};
}

void tst_FileCheck::report()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QStringList, report);
    const QString path = files.write(file);
    const FileCheck check(path);
    QString text;
    QTextStream out(&text);
    write_text_report(check, out);
    out.flush();
    // The rest of the incomplete-subclass box never changes.
    text = text.left(text.indexOf("\n    Please make sure all of the following")).trimmed();
    QCOMPARE(text.replace(path, "FILE"), report.join('\n'));
    QCOMPARE(check.status(), status);
}

QTEST_GUILESS_MAIN(tst_FileCheck)
#include "tst_filecheck.moc"
