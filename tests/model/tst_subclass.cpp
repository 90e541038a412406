// Subclass record: values, per-axle lists, combined constraints and validity rules.
#include "subclass.h"
#include "modeltest.h"
#include "textscan.h"

#include <QRandomGenerator>
#include <QRegExp>
#include <QtTest>

namespace {

enum Check { Axles, Tyre, Weight, Combined, Configuration, Target, MinDistance, MaxDistance };

// Applies edits such as "min1=6 weight2= constraint=1+2,180 drop=max axles=3" in order: a list
// key sets the entry at its index ("constraint" without one appends), "drop" removes a list's
// last entry.
void edit(Subclass &s, const QString &edits)
{
    static const QMap<QString, void (Subclass::*)(QString)> values {
        {"category", &Subclass::set_category}, {"prepend", &Subclass::set_prepend},
        {"configuration", &Subclass::set_axle_configuration},
        {"axles", &Subclass::set_number_of_axles}};
    static const QMap<QString, void (Subclass::*)(QString, int)> entries {
        {"min", &Subclass::set_min_distance_at_index}, {"tyre", &Subclass::set_tyre_type_at_index},
        {"max", &Subclass::set_max_distance_at_index},
        {"weight", &Subclass::set_max_axle_weight_at_index},
        {"constraint", &Subclass::set_combined_constraint}};
    static const QMap<QString, void (Subclass::*)()> drops {
        {"min", &Subclass::remove_last_min_distance}, {"max", &Subclass::remove_last_max_distance},
        {"weight", &Subclass::remove_last_max_axle_weight},
        {"tyre", &Subclass::remove_last_tyre_type}};
    QRegExp item("([a-z]+)(-?\\d*)=(\\S*)");
    for (int at = 0; (at = item.indexIn(edits, at)) >= 0; at += item.matchedLength()) {
        const QString key = item.cap(1);
        const QString value = item.cap(3);
        if (key == "number") {
            s.set_subclass_number(value.toUShort());
        } else if (key == "drop" && drops.contains(value)) {
            (s.*drops[value])();
        } else if (values.contains(key)) {
            (s.*values[key])(value);
        } else if (entries.contains(key)) {
            (s.*entries[key])(value, item.cap(2).isEmpty() ? -1 : item.cap(2).toInt());
        } else {
            qFatal("unknown edit %s", qPrintable(item.cap(0)));
        }
    }
}

QVector<int> counts(const Subclass &s)
{
    return {s.get_max_axle_weight_count(), s.get_min_distance_count(), s.get_max_distance_count(),
        s.get_tyre_type_count()};
}

} // namespace

Q_DECLARE_METATYPE(Check)

class tst_Subclass : public QObject
{
    Q_OBJECT

private slots:
    void sectionValuesAreStored();
    void numberOfAxlesGrowsLists_data();
    void numberOfAxlesGrowsLists();
    void valueChecks_data();
    void valueChecks();
    void outOfRangeIndex();
    void listEditing();
    void wholeSubclassChecks_data();
    void wholeSubclassChecks();
    void wholeChecksMatchPerIndexChecks();
    void numbersReadLikeQt();
    void failingRulesInWords_data();
    void failingRulesInWords();
};

void tst_Subclass::failingRulesInWords_data()
{
    // Edits of a valid three-axle subclass (gaps 1.5-4.5 m), the header's limits, and the rules
    // it then fails, joined by " | ".
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("limits");
    QTest::addColumn<QString>("rules");
    QTest::newRow("valid") << ""
                           << "1 10"
                           << "";
    QTest::newRow("header limit no number") << ""
                                            << "nan 10"
                                            << "gaps 1-2: header min \"nan\" is not a number";
    QTest::newRow("values no number, empty")
        << "max1=nan weight0=abc weight1="
        << "1 10"
        << "gap 2: max distance \"nan\" is not a number | axle 1: max weight \"abc\" is not a "
           "number | axle 2: max weight (empty) not above 0";
    QTest::newRow("min above max and the header") << "min0=11 max0=10.5"
                                                  << "1 10"
                                                  << "gap 1: min distance 11.00 m above max 10.50 m"
                                                     " | gap 1: min distance 11.00 m above header "
                                                     "max 10.00 m | gap 1: max distance 10.50 m "
                                                     "above header max 10.00 m";
    QTest::newRow("gaps removed") << "drop=min drop=min drop=max drop=max"
                                  << "1 10"
                                  << "gap 2: missing";
    QTest::newRow("lists of other lengths") << "drop=max"
                                            << "1 10"
                                            << "min and max distance lists differ in length";
}

void tst_Subclass::failingRulesInWords()
{
    QFETCH(QString, edits);
    QFETCH(QString, limits);
    QFETCH(QString, rules);
    const Capture capturing;
    Subclass s = validSubclass(1);
    edit(s, edits);
    const QString low = limits.section(' ', 0, 0);
    const QString high = limits.section(' ', 1, 1);
    QCOMPARE(s.get_failing_rules(low, high).join(" | "), rules);
    QCOMPARE(s.is_subclass_valid(low, high), rules.isEmpty());
}

void tst_Subclass::sectionValuesAreStored()
{
    QTest::ignoreMessage(QtWarningMsg, "Received empty weights string for class  7");
    const Subclass bare(QMap<QString, QString> {{"subclass", "7"}});
    QCOMPARE(counts(bare), (QVector<int> {1, 0, 0, 1}));
    QVERIFY(!bare.is_category_valid() && !bare.is_max_GVW_valid() && !bare.is_subclass_complete());
    const Subclass s(
        QMap<QString, QString> {{"subclass", "70000"}, {"category", "4"}, {"number_of_axles", "3"},
            {"axle_configuration", "h2t1"}, {"max_GVW__kN", "350"}, {"upper_GVW_limit__kN", "300"},
            {"lower_GVW_limit__kN", "100"}, {"reclassify_up_to_subclass", "5"},
            {"reclassify_down_to_subclass", "6"}, {"prepend__m", "0.5"}, {"append__m", "0.7"},
            {"tyre_type", "1,2,2"}, {"max_axle_weight__kN", "1,70;2,80;3,90"},
            {"min_axle_distance__m", "1,2"}, {"max_axle_distance__m", "3,4"}});
    QCOMPARE(
        (QStringList {s.get_category(), s.get_axle_configuration(), s.get_max_GVW(),
            s.get_upper_GVW_limit(), s.get_lower_GVW_limit(), s.get_reclassify_up_to_subclass(),
            s.get_reclassify_down_to_subclass(), s.get_prepend(), s.get_append()}),
        (QStringList {"4", "H2T1", "350", "300", "100", "5", "6", "0.5", "0.7"}));
    // The lists were read before the number of axles grew them.
    QCOMPARE(lists(s), (QStringList {"70;80;90;", "1;2;", "3;4;", "1;2;2;", ""}));
    QVERIFY(s.is_subclass_valid("1", "10"));
}

void tst_Subclass::numberOfAxlesGrowsLists_data()
{
    QTest::addColumn<QString>("before"); // edits before the number of axles
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QVector<int>>("grown"); // weights, minimums, maximums, tyres
    QTest::addColumn<QStringList>("logged");
    const auto row = [](const char *name, const char *before, const QStringList &texts,
                         const QVector<int> &grown, const QStringList &logged = {}) {
        QTest::newRow(name) << before << texts << grown << logged;
    };
    row("lowering changes nothing", "", {"3", "2"}, {4, 3, 3, 4});
    row("two thousand million, grown as 21", "", {"2000000000"}, {22, 21, 21, 22});
    row("negative grows nothing", "", {"-4"}, {0, 0, 0, 0});
    row("too long for an int reads as 0", "", {"4000000000"}, {1, 0, 0, 1});
    row("uneven lists logged before each step", "min0=1 max0=2 max1=3 weight0=80 weight1=90", {"3"},
        {4, 3, 4, 2},
        {"set_number_of_axles-axles: 1 != 2", "set_number_of_axles-axles: 2 != 3",
            "set_number_of_axles-weight/tyre: 2 != 0", "set_number_of_axles-weight/tyre: 3 != 1"});
}

void tst_Subclass::numberOfAxlesGrowsLists()
{
    QFETCH(QString, before);
    QFETCH(QStringList, texts);
    QFETCH(QVector<int>, grown);
    QFETCH(QStringList, logged);
    Subclass s;
    edit(s, before);
    messages.clear();
    {
        const Capture capturing;
        for (const QString &text : texts) {
            s.set_number_of_axles(text);
        }
    }
    QCOMPARE(messages, logged);
    QCOMPARE(s.get_number_of_axles(), texts.last());
    QCOMPARE(counts(s), grown);
}

void tst_Subclass::valueChecks_data()
{
    QTest::addColumn<Check>("check");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("axles");
    QTest::addColumn<bool>("valid");
    QTest::newRow("1 axle") << Axles << "1" << 0 << false;
    QTest::newRow("2 axles") << Axles << "2" << 0 << true;
    QTest::newRow("20 axles") << Axles << "20" << 0 << true;
    QTest::newRow("21 axles") << Axles << "21" << 0 << false;
    QTest::newRow("2.5 axles") << Axles << "2.5" << 0 << false;
    QTest::newRow("tyre 2.5") << Tyre << "2.5" << 0 << false;
    QTest::newRow("weight 0") << Weight << "0" << 0 << false;
    QTest::newRow("three axles, decimals") << Combined << "1+2+3,240.5" << 0 << true;
    QTest::newRow("trailing point") << Combined << "1+2,180." << 0 << true;
    QTest::newRow("constraint of one axle") << Combined << "1,180" << 0 << false;
    QTest::newRow("no weight") << Combined << "1+2" << 0 << false;
    QTest::newRow("leading plus") << Combined << "+1+2,180" << 0 << false;
    QTest::newRow("double plus") << Combined << "1++2,180" << 0 << false;
    QTest::newRow("two points") << Combined << "1+2,1.8.0" << 0 << false;
    QTest::newRow("lower case is stored upper") << Configuration << "h2t2" << 4 << true;
    QTest::newRow("A2S3 with 4") << Configuration << "A2S3" << 4 << false;
    QTest::newRow("every part letter") << Configuration << "B2D1T1S1" << 5 << true;
    QTest::newRow("unknown part letter") << Configuration << "H2X2" << 4 << false;
    QTest::newRow("part without count") << Configuration << "H2T" << 2 << false;
    QTest::newRow("no wrap at 256") << Configuration << "H258" << 2 << false;
    QTest::newRow("large sum") << Configuration << "H258" << 258 << true;
    QTest::newRow("run too long for an int")
        << Configuration << "H99999999999999999999" << 0 << false;
    QTest::newRow("sum too large")
        << Configuration << "H2000000000T2000000000" << -294967296 << false;
    QTest::newRow("no target") << Target << "" << 3 << true;
    QTest::newRow("target missing") << Target << "0" << 3 << false;
    QTest::newRow("target of the same axles") << Target << "3" << 3 << true;
    QTest::newRow("target axles compared as text") << Target << "03" << 3 << false;
    // Distances: minimum/maximum/header minimum/header maximum.
    QTest::newRow("min above max") << MinDistance << "6/5/1/10" << 0 << false;
    QTest::newRow("max above header") << MaxDistance << "2/12/1/10" << 0 << false;
    QTest::newRow("min below header") << MinDistance << "0.5/5/1/10" << 0 << false;
    QTest::newRow("min at the limit") << MinDistance << "1/10/1/10" << 0 << true;
    QTest::newRow("max at the limit") << MaxDistance << "1/10/1/10" << 0 << true;
    QTest::newRow("empty header maximum") << MaxDistance << "2/5/1/" << 0 << false;
    QTest::newRow("empty distances") << MinDistance << "///10" << 0 << true;
}

void tst_Subclass::valueChecks()
{
    QFETCH(Check, check);
    QFETCH(QString, value);
    QFETCH(int, axles);
    QFETCH(bool, valid);
    Subclass s;
    s.set_number_of_axles(check == Axles ? value : QString::number(axles));
    s.set_tyre_type_at_index(value, 0);
    s.set_max_axle_weight_at_index(value, 0);
    s.set_combined_constraint(value, -1);
    s.set_axle_configuration(value);
    const QStringList d = (value + "///").split('/');
    edit(s, "min0=" + d[0] + " max0=" + d[1]);
    QCOMPARE(s.get_axle_configuration(), value.toUpper());
    QCOMPARE(s.is_reclassify_down_valid(value), s.is_reclassify_up_valid(value));
    const bool results[] = {s.is_number_of_axles_valid(), s.is_tyre_type_valid(0),
        s.is_max_axle_weight_valid(0), s.is_combined_constraint_valid(0),
        s.is_axle_configuration_valid(), s.is_reclassify_up_valid(value),
        s.is_min_distance_valid(0, d[2], d[3]), s.is_max_distance_valid(0, d[2], d[3])};
    QCOMPARE(results[check], valid);
}

void tst_Subclass::outOfRangeIndex()
{
    // At and far past the end of every list (of one or two entries), and negative: the getters
    // answer the empty text and the checks false, each with its own warning (its text once).
    Subclass s;
    edit(s, "weight0=5 weight1=5 tyre0=1 tyre1=1 min0=1 max0=2 max1=2 constraint=1+2,9");
    const QString gone = "%1: Checking if a nonexistent index  2  exists in array of size  %2";
    for (const int i : {2, 1000, -1}) {
        messages.clear();
        const Capture capturing;
        QCOMPARE(s.get_max_axle_weight_at_index(i) + s.get_min_distance_at_index(i)
                + s.get_max_distance_at_index(i) + s.get_combined_constraint_at_index(i)
                + s.get_tyre_type_at_index(i),
            QString());
        QVERIFY(!s.is_max_axle_weight_valid(i) && !s.is_tyre_type_valid(i)
            && !s.is_min_distance_valid(i, "0", "10") && !s.is_max_distance_valid(i, "0", "10")
            && !s.is_combined_constraint_valid(i));
        QCOMPARE(messages.size(), 6);
    }
    QCOMPARE(messages,
        QStringList(
            {"get_tyre_type_at_index: Trying to get a nonexistend index  2  in array of "
             "size  2",
                gone.arg("is_max_axle_weight_valid").arg(2), gone.arg("is_tyre_type_valid").arg(2),
                gone.arg("is_min_distance_valid").arg(1), gone.arg("is_max_distance_valid").arg(2),
                "Constraint at index  2  does not exist for size  1"})
            .replaceInStrings("  2  ", "  -1  "));
}

void tst_Subclass::listEditing()
{
    // A per-axle setter's index replaces inside the list and appends at or past its end.
    for (const int index : {1, 7, -1}) {
        Subclass s;
        edit(s,
            QStringLiteral("weight0=1 weight1=2 min0=1 min1=2 max0=1 max1=2 tyre0=1 tyre1=2 "
                           "weight%1=9 min%1=9 max%1=9 tyre%1=9")
                .arg(index));
        const QString list = index == 1 ? "1;9" : "1;2;9";
        QCOMPARE(lists(s), (QStringList {list, list, list, list, ""}));
    }
    Subclass s = validSubclass(1, 2);
    edit(s, QString("drop=weight drop=min drop=max drop=tyre ").repeated(5));
    QCOMPARE(counts(s), QVector<int>(4, 0));
    // A constraint's index replaces; -1 and an index past the end append.
    edit(s, "constraint=1+2,180 constraint=2+3,190 constraint0=1+2,185 constraint5=3+4,200");
    s.remove_combined_constraint(0);
    const char *warning = "Combined constraints size is smaller than index we tried to delete!";
    QTest::ignoreMessage(QtWarningMsg, warning);
    QTest::ignoreMessage(QtWarningMsg, warning);
    s.remove_combined_constraint(2);
    s.remove_combined_constraint(-1);
    QCOMPARE(lists(s).last(), QString("2+3,190;3+4,200"));
}

void tst_Subclass::wholeSubclassChecks_data()
{
    // flags: valid, complete, drawn and duplicate of the unedited subclass, by letter or "-".
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("logged");
    const auto row = [](const char *name, const QString &edits, const char *flags,
                         const QString &logged = QString()) {
        QTest::newRow(name) << edits << flags << logged;
    };
    row("untouched", "", "VCD=");
    row("min zero", "min1=0", "----",
        "Can't draw because at index 1 min dist is \"0\" and max dist is \"4.5\"");
    row("one value more", "prepend=", "VCD-");
    row("other number", "number=9", "VCD=");
    row("spare rows not checked", "weight3=0 tyre3=0 min2=0 max2=0", "VCD-");
    row("longer list, same start", "weight5=7", "VCD=");
    row("uneven distance lists", "max3=4.5", "-CD=",
        "is_max_distance_valid: Checking if a nonexistent index  0  exists in array of size  4");
    // The checks stop at the end of the lists, whatever the number of axles says.
    QString filled = "axles=2000000000";
    for (int i = 0; i < 22; ++i) {
        filled += QStringLiteral(" weight%1=100 tyre%1=2").arg(i);
        filled += i < 21 ? QStringLiteral(" min%1=1.5 max%1=4.5").arg(i) : QString();
    }
    row("2000000000 axles, all rows filled", filled, "----",
        "is_min_distance_valid: Checking if a nonexistent index  21  exists in array of size  21");
}

void tst_Subclass::wholeSubclassChecks()
{
    QFETCH(QString, edits);
    QFETCH(QString, flags);
    QFETCH(QString, logged);
    Subclass s = validSubclass(1);
    // Checked and copied before the edits: what the checks keep must follow the edits, and
    // the copy must still answer for the values it was made with.
    QVERIFY(s.is_subclass_valid("1", "10") && s.is_subclass_complete() && s.can_draw());
    const Subclass copy = s;
    edit(s, edits);
    messages.clear();
    QString seen;
    {
        const Capture capturing;
        seen += s.is_subclass_valid("1", "10") ? "V" : "-";
        seen += s.is_subclass_complete() ? "C" : "-";
        seen += s.can_draw() ? "D" : "-";
    }
    seen += copy.is_duplicate_of(s) ? "=" : "-";
    QCOMPARE(seen, flags);
    QCOMPARE(messages.value(0), logged);
    QCOMPARE(s.is_duplicate_of(copy), copy.is_duplicate_of(s));
    QVERIFY(copy.is_subclass_valid("1", "10") && copy.is_subclass_complete());
}

void tst_Subclass::wholeChecksMatchPerIndexChecks()
{
    // Random subclasses, checked between random edits: the whole-subclass checks, which keep
    // what they read until the next edit, give the result and the log lines of the per-index
    // checks taken in their order.
    const QStringList axles {
        "", "0", "1", "2", "3", "4", "5", "2.5", "21", "-3", "2000000000", "-2147483648"};
    const QStringList numbers {"", "0", "1", "2", "3", "4", "5", "0.5", "1.5", "4.5", "12", "abc",
        "nan", "-1", "1e1", "07"};
    // The values of a valid subclass, picked half of the time.
    const QMap<QString, QString> good {
        {"min", "1.5"}, {"max", "4.5"}, {"weight", "100"}, {"tyre", "2"}};
    const QStringList constraints {"1+2,180", "1,180", "1+2", "12+3,4.5"};
    const QStringList configurations {"", "H2", "H3", "h2t1", "A2S3", "H2X1", "H258"};
    const QStringList keys {"min", "max", "weight", "tyre"};
    QRandomGenerator random(1234);
    const auto pick
        = [&random](const QStringList &from) { return from.at(random.bounded(from.size())); };
    const Capture capturing;
    for (int round = 0; round < 1000; ++round) {
        // From a valid subclass, so that a check kept from before an edit often gives the
        // wrong answer after it.
        Subclass s = validSubclass(0, random.bounded(2, 5));
        for (int step = 0; step < 12; ++step) {
            const int kind = random.bounded(13);
            if (kind < 8) {
                const QString key = pick(keys);
                edit(s,
                    key + QString::number(random.bounded(6)) + "="
                        + (random.bounded(2) ? good[key] : pick(numbers)));
            } else {
                const QStringList other {"axles=" + pick(axles), "constraint=" + pick(constraints),
                    "drop=" + pick(keys), "category=" + pick({"", "3", "3"}),
                    "configuration=" + pick(configurations)};
                edit(s, other.at(kind - 8));
            }
            const QString low = random.bounded(4) ? "1" : pick(numbers);
            const QString high = random.bounded(4) ? "12" : pick(numbers);
            messages.clear();
            const bool valid = s.is_subclass_valid(low, high);
            const bool complete = s.is_subclass_complete();
            const QStringList seen = messages;
            messages.clear();
            QCOMPARE(valid, checkedByIndex(s, low, high, false));
            QCOMPARE(complete, checkedByIndex(s, low, high, true));
            QCOMPARE(seen, messages);
        }
    }
}

void tst_Subclass::numbersReadLikeQt()
{
    // The checks' number readers take shortcuts for plain decimal text; every text must still
    // read exactly as QString::toFloat and QString::toInt read it.
    QStringList texts {"1e2", "0.000000000000000001", "0.000000000000000000", "1234567890123456",
        "12345678901234567", "07", ".5", "5.", "-1", "+1", " 5", "nan", "1,5", "2147483648", ""};
    QRandomGenerator random(99);
    for (int round = 0; round < 5000; ++round) {
        // 1 to 17 digits, and now and then a point and 1 to 8 decimals.
        texts << QString::number(random.generate64()).left(random.bounded(1, 18))
                + (random.bounded(2) ? "." + QString::number(random.generate64()).right(8) : "");
        texts << texts.last().left(random.bounded(1, 9));
    }
    for (const QString &text : qAsConst(texts)) {
        QCOMPARE(QString::number(readReal(text), 'g', 9), QString::number(text.toFloat(), 'g', 9));
        QCOMPARE(readWhole(text), text.toInt());
    }
}

QTEST_GUILESS_MAIN(tst_Subclass)
#include "tst_subclass.moc"
