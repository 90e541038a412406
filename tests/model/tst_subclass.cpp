// Subclass record: values, per-axle lists, combined constraints and validity rules.
#include "subclass.h"

#include <QRandomGenerator>
#include <QRegExp>
#include <QtTest>

namespace {

QStringList messages;

void capture(QtMsgType, const QMessageLogContext &, const QString &text)
{
    messages.append(text);
}

// Collects every log line into `messages` while it lives.
struct Capture
{
    Capture()
        : previous(qInstallMessageHandler(capture))
    {
    }
    ~Capture() { qInstallMessageHandler(previous); }
    Capture(const Capture &) = delete;
    Capture &operator=(const Capture &) = delete;
    QtMessageHandler previous;
};

// A complete, valid subclass: distances 1.5 to 4.5, weights 100, tyre type 2.
Subclass valid_subclass(int axles)
{
    Subclass s;
    s.set_category(QStringLiteral("3"));
    s.set_max_GVW(QStringLiteral("400"));
    s.set_axle_configuration(QStringLiteral("H%1").arg(axles));
    for (int i = 0; i + 1 < axles; ++i) {
        s.set_min_distance_at_index(QStringLiteral("1.5"), i);
        s.set_max_distance_at_index(QStringLiteral("4.5"), i);
    }
    for (int i = 0; i < axles; ++i) {
        s.set_max_axle_weight_at_index(QStringLiteral("100"), i);
        s.set_tyre_type_at_index(QStringLiteral("2"), i);
    }
    s.set_number_of_axles(QString::number(axles));
    return s;
}

QString pick(QRandomGenerator &random, const QStringList &from)
{
    return from.at(random.bounded(from.size()));
}

// The whole-subclass checks, step by step through the per-index checks.
bool reference_valid(const Subclass &s, const QString &hdr_min, const QString &hdr_max)
{
    const int n = s.get_number_of_axles().toInt();
    for (int i = 0; i + 1 < n; ++i) {
        if (!s.is_min_distance_valid(i, hdr_min, hdr_max)
            || !s.is_max_distance_valid(i, hdr_min, hdr_max)) {
            return false;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!s.is_max_axle_weight_valid(i) || !s.is_tyre_type_valid(i)) {
            return false;
        }
    }
    for (int i = 0; i < s.get_combined_constraint_count(); ++i) {
        if (!s.is_combined_constraint_valid(i)) {
            return false;
        }
    }
    return s.is_category_valid() && s.is_number_of_axles_valid() && s.is_max_GVW_valid()
        && s.is_axle_configuration_valid();
}

bool reference_complete(const Subclass &s)
{
    const int n = s.get_number_of_axles().toInt();
    for (int i = 0; i + 1 < n; ++i) {
        if (!(s.get_min_distance_at_index(i).toFloat() > 0)
            || !(s.get_max_distance_at_index(i).toFloat() > 0)) {
            return false;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!s.is_tyre_type_valid(i) || !s.is_max_axle_weight_valid(i)) {
            return false;
        }
    }
    return s.is_category_valid() && s.is_max_GVW_valid() && s.is_number_of_axles_valid()
        && s.is_axle_configuration_valid();
}

} // namespace

class tst_Subclass : public QObject
{
    Q_OBJECT

private slots:
    void newSubclassHasOneAxleRow();
    void sectionValuesAreStored();
    void numberOfAxlesGrowsLists_data();
    void numberOfAxlesGrowsLists();
    void growthLogsUnevenLists();
    void hugeAxleCountStaysBounded_data();
    void hugeAxleCountStaysBounded();
    void numberOfAxlesValidity_data();
    void numberOfAxlesValidity();
    void tyreTypeValidity_data();
    void tyreTypeValidity();
    void weightValidity_data();
    void weightValidity();
    void distanceValidity_data();
    void distanceValidity();
    void outOfRangeChecksWarn_data();
    void outOfRangeChecksWarn();
    void outOfRangeGettersAreEmpty_data();
    void outOfRangeGettersAreEmpty();
    void settersAppendPastTheEnd_data();
    void settersAppendPastTheEnd();
    void removeLastOnEmptyList();
    void combinedConstraintEditing();
    void combinedConstraintValidity_data();
    void combinedConstraintValidity();
    void axleConfigurationValidity_data();
    void axleConfigurationValidity();
    void reclassifyTarget_data();
    void reclassifyTarget();
    void canDraw_data();
    void canDraw();
    void wholeSubclassChecks_data();
    void wholeSubclassChecks();
    void wholeChecksFollowEdits();
    void missingRowsAreReportedInOrder();
    void wholeChecksMatchPerIndexChecks();
    void numbersReadLikeQt();
    void duplicates_data();
    void duplicates();
};

void tst_Subclass::newSubclassHasOneAxleRow()
{
    QTest::ignoreMessage(QtWarningMsg, "Received empty weights string for class  7");
    const Subclass s(QMap<QString, QString> {{"subclass", "7"}});
    QCOMPARE(s.get_subclass_number(), quint16(7));
    QCOMPARE(s.get_max_axle_weight_count(), 1);
    QCOMPARE(s.get_tyre_type_count(), 1);
    QCOMPARE(s.get_min_distance_count(), 0);
    QCOMPARE(s.get_max_distance_count(), 0);
    QVERIFY(!s.is_category_valid());
    QVERIFY(!s.is_max_GVW_valid());
    QVERIFY(!s.is_number_of_axles_valid());
    QVERIFY(!s.is_axle_configuration_valid());
    QVERIFY(s.is_reclassify_up_valid(QString()));
    QVERIFY(s.is_reclassify_down_valid(QString()));
    QVERIFY(!s.is_subclass_complete());
}

void tst_Subclass::sectionValuesAreStored()
{
    const QMap<QString, QString> section {{"subclass", "70000"}, {"category", "4"},
        {"number_of_axles", "3"}, {"axle_configuration", "h2t1"}, {"max_GVW__kN", "350"},
        {"upper_GVW_limit__kN", "300"}, {"lower_GVW_limit__kN", "100"},
        {"reclassify_up_to_subclass", "5"}, {"reclassify_down_to_subclass", "6"},
        {"prepend__m", "0.5"}, {"append__m", "0.7"}, {"tyre_type", "1,2,2"},
        {"max_axle_weight__kN", "1,70;2,80;3,90"}, {"min_axle_distance__m", "1,2"},
        {"max_axle_distance__m", "3,4"}};
    const Subclass s(section);
    QCOMPARE(s.get_subclass_number(), quint16(0));
    QCOMPARE(s.get_category(), QString("4"));
    QCOMPARE(s.get_number_of_axles(), QString("3"));
    QCOMPARE(s.get_axle_configuration(), QString("H2T1"));
    QCOMPARE(s.get_max_GVW(), QString("350"));
    QCOMPARE(s.get_upper_GVW_limit(), QString("300"));
    QCOMPARE(s.get_lower_GVW_limit(), QString("100"));
    QCOMPARE(s.get_reclassify_up_to_subclass(), QString("5"));
    QCOMPARE(s.get_reclassify_down_to_subclass(), QString("6"));
    QCOMPARE(s.get_prepend(), QString("0.5"));
    QCOMPARE(s.get_append(), QString("0.7"));
    // The lists were read before the number of axles grew them.
    QCOMPARE(s.get_min_distance_count(), 3);
    QCOMPARE(s.get_max_axle_weight_count(), 4);
    QCOMPARE(s.get_tyre_type_at_index(2), QString("2"));
    QCOMPARE(s.get_max_axle_weight_at_index(1), QString("80"));
    QCOMPARE(s.get_max_distance_at_index(1), QString("4"));
    QCOMPARE(s.get_min_distance_at_index(2), QString());
    QVERIFY(s.is_subclass_valid("1", "10"));
}

void tst_Subclass::numberOfAxlesGrowsLists_data()
{
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<int>("distances");
    QTest::addColumn<int>("weights");
    QTest::newRow("three") << QStringList {"3"} << 3 << 4;
    QTest::newRow("lowering changes nothing") << QStringList {"3", "2"} << 3 << 4;
    QTest::newRow("twenty") << QStringList {"20"} << 20 << 21;
    QTest::newRow("empty reads as 0") << QStringList {""} << 0 << 1;
    QTest::newRow("decimal reads as 0") << QStringList {"2.5"} << 0 << 1;
    QTest::newRow("negative grows nothing") << QStringList {"-4"} << 0 << 0;
    QTest::newRow("smallest int") << QStringList {"-2147483648"} << 0 << 0;
    QTest::newRow("too long for an int") << QStringList {"4000000000"} << 0 << 1;
}

void tst_Subclass::numberOfAxlesGrowsLists()
{
    QFETCH(QStringList, counts);
    QFETCH(int, distances);
    QFETCH(int, weights);
    Subclass s;
    for (const QString &count : counts) {
        s.set_number_of_axles(count);
    }
    QCOMPARE(s.get_number_of_axles(), counts.last());
    QCOMPARE(s.get_min_distance_count(), distances);
    QCOMPARE(s.get_max_distance_count(), distances);
    QCOMPARE(s.get_max_axle_weight_count(), weights);
    QCOMPARE(s.get_tyre_type_count(), weights);
    for (int i = 0; i < weights; ++i) {
        QCOMPARE(s.get_max_axle_weight_at_index(i), QString());
    }
}

void tst_Subclass::growthLogsUnevenLists()
{
    Subclass s;
    s.set_min_distance_at_index("1", 0);
    s.set_max_distance_at_index("2", 0);
    s.set_max_distance_at_index("3", 1);
    s.set_max_axle_weight_at_index("80", 0);
    s.set_max_axle_weight_at_index("90", 1);
    QTest::ignoreMessage(QtWarningMsg, "set_number_of_axles-axles: 1 != 2");
    QTest::ignoreMessage(QtWarningMsg, "set_number_of_axles-axles: 2 != 3");
    QTest::ignoreMessage(QtWarningMsg, "set_number_of_axles-weight/tyre: 2 != 0");
    QTest::ignoreMessage(QtWarningMsg, "set_number_of_axles-weight/tyre: 3 != 1");
    s.set_number_of_axles("3");
    QCOMPARE(s.get_min_distance_count(), 3);
    QCOMPARE(s.get_max_distance_count(), 4);
    QCOMPARE(s.get_max_axle_weight_count(), 4);
    QCOMPARE(s.get_tyre_type_count(), 2);
    QCOMPARE(s.get_max_distance_at_index(1), QString("3"));
}

void tst_Subclass::hugeAxleCountStaysBounded_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("missing_gap");
    QTest::newRow("21") << "21" << -1;
    QTest::newRow("two thousand million") << "2000000000" << 21;
    QTest::newRow("largest int") << "2147483647" << 21;
}

void tst_Subclass::hugeAxleCountStaysBounded()
{
    QFETCH(QString, count);
    QFETCH(int, missing_gap);
    Subclass s = valid_subclass(3);
    s.set_number_of_axles(count);
    QCOMPARE(s.get_min_distance_count(), 21);
    QCOMPARE(s.get_max_distance_count(), 21);
    QCOMPARE(s.get_max_axle_weight_count(), 22);
    QCOMPARE(s.get_tyre_type_count(), 22);
    QVERIFY(!s.is_number_of_axles_valid());
    QVERIFY(!s.is_axle_configuration_valid());
    QVERIFY(!s.is_subclass_complete());
    QVERIFY(!s.is_subclass_valid("1", "10"));
    QTest::ignoreMessage(QtDebugMsg,
        "Can't draw because at index 2 min dist is \"\" and max dist "
        "is \"\"");
    QVERIFY(!s.can_draw());

    // Every row filled in: the checks run to the end of the lists and stop there.
    for (int i = 0; i < 21; ++i) {
        s.set_min_distance_at_index("1.5", i);
        s.set_max_distance_at_index("4.5", i);
    }
    for (int i = 0; i < 22; ++i) {
        s.set_max_axle_weight_at_index("100", i);
        s.set_tyre_type_at_index("1", i);
    }
    if (missing_gap >= 0) {
        QTest::ignoreMessage(QtWarningMsg,
            "is_min_distance_valid: Checking if a nonexistent "
            "index  21  exists in array of size  21");
        QTest::ignoreMessage(QtDebugMsg,
            "Can't draw because at index 21 min dist is \"\" and "
            "max dist is \"\"");
    }
    QVERIFY(!s.is_subclass_valid("1", "10"));
    QVERIFY(!s.is_subclass_complete());
    QVERIFY(!s.can_draw());
}

void tst_Subclass::numberOfAxlesValidity_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("valid");
    QTest::newRow("1") << "1" << false;
    QTest::newRow("2") << "2" << true;
    QTest::newRow("20") << "20" << true;
    QTest::newRow("21") << "21" << false;
    QTest::newRow("2.5") << "2.5" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("text") << "four" << false;
    QTest::newRow("-3") << "-3" << false;
}

void tst_Subclass::numberOfAxlesValidity()
{
    QFETCH(QString, count);
    QFETCH(bool, valid);
    Subclass s;
    s.set_number_of_axles(count);
    QCOMPARE(s.is_number_of_axles_valid(), valid);
}

void tst_Subclass::tyreTypeValidity_data()
{
    QTest::addColumn<QString>("tyre");
    QTest::addColumn<bool>("valid");
    QTest::newRow("0") << "0" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("4") << "4" << true;
    QTest::newRow("5") << "5" << false;
    QTest::newRow("2.5") << "2.5" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("leading zero") << "03" << true;
}

void tst_Subclass::tyreTypeValidity()
{
    QFETCH(QString, tyre);
    QFETCH(bool, valid);
    Subclass s;
    s.set_tyre_type_at_index(tyre, 0);
    QCOMPARE(s.is_tyre_type_valid(0), valid);
}

void tst_Subclass::weightValidity_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("valid");
    QTest::newRow("0") << "0" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("0.1") << "0.1" << true;
    QTest::newRow("negative") << "-5" << false;
    QTest::newRow("text") << "heavy" << false;
    QTest::newRow("exponent") << "1e2" << true;
    QTest::newRow("long text") << "0.000000000000000001" << true;
    QTest::newRow("long zero") << "0.000000000000000000" << false;
    QTest::newRow("sixteen digits") << "1234567890123456" << true;
}

void tst_Subclass::weightValidity()
{
    QFETCH(QString, weight);
    QFETCH(bool, valid);
    Subclass s;
    s.set_max_axle_weight_at_index(weight, 0);
    QCOMPARE(s.is_max_axle_weight_valid(0), valid);
}

void tst_Subclass::distanceValidity_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("hdr_min");
    QTest::addColumn<QString>("hdr_max");
    QTest::addColumn<bool>("min_valid");
    QTest::addColumn<bool>("max_valid");
    QTest::newRow("inside") << "2"
                            << "5"
                            << "1"
                            << "10" << true << true;
    QTest::newRow("min above max") << "6"
                                   << "5"
                                   << "1"
                                   << "10" << false << false;
    QTest::newRow("max above header") << "2"
                                      << "12"
                                      << "1"
                                      << "10" << true << false;
    QTest::newRow("min below header") << "0.5"
                                      << "5"
                                      << "1"
                                      << "10" << false << true;
    QTest::newRow("equal to the limits") << "1"
                                         << "10"
                                         << "1"
                                         << "10" << true << true;
    QTest::newRow("empty header maximum") << "2"
                                          << "5"
                                          << "1"
                                          << "" << false << false;
    QTest::newRow("empty distances") << ""
                                     << ""
                                     << ""
                                     << "10" << true << true;
}

void tst_Subclass::distanceValidity()
{
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, hdr_min);
    QFETCH(QString, hdr_max);
    QFETCH(bool, min_valid);
    QFETCH(bool, max_valid);
    Subclass s;
    s.set_min_distance_at_index(min, 0);
    s.set_max_distance_at_index(max, 0);
    QCOMPARE(s.is_min_distance_valid(0, hdr_min, hdr_max), min_valid);
    QCOMPARE(s.is_max_distance_valid(0, hdr_min, hdr_max), max_valid);
}

void tst_Subclass::outOfRangeChecksWarn_data()
{
    QTest::addColumn<QString>("check");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("warning");
    QTest::newRow("weight past the end")
        << "weight" << 2
        << "is_max_axle_weight_valid: Checking if a nonexistent index  2  exists "
           "in array of size  2";
    QTest::newRow("weight negative")
        << "weight" << -1
        << "is_max_axle_weight_valid: Checking if a nonexistent index  -1  "
           "exists in array of size  2";
    QTest::newRow("tyre past the end")
        << "tyre" << 3
        << "is_tyre_type_valid: Checking if a nonexistent index  3  exists in array "
           "of size  2";
    QTest::newRow("min distance past the shorter list")
        << "min" << 1
        << "is_min_distance_valid: Checking if a nonexistent index  1  exists in "
           "array of size  1";
    QTest::newRow("max distance with uneven lists")
        << "max" << 0
        << "is_max_distance_valid: Checking if a nonexistent index  0  exists in "
           "array of size  2";
    QTest::newRow("constraint at the count")
        << "constraint" << 1 << "Constraint at index  1  does not exist for size  1";
    QTest::newRow("constraint negative")
        << "constraint" << -2 << "Constraint at index  -2  does not exist for size  1";
}

void tst_Subclass::outOfRangeChecksWarn()
{
    QFETCH(QString, check);
    QFETCH(int, index);
    QFETCH(QString, warning);
    Subclass s;
    s.set_max_axle_weight_at_index("50", 0);
    s.set_max_axle_weight_at_index("50", 1);
    s.set_tyre_type_at_index("1", 0);
    s.set_tyre_type_at_index("1", 1);
    s.set_min_distance_at_index("1", 0);
    s.set_max_distance_at_index("2", 0);
    s.set_max_distance_at_index("2", 1);
    s.set_combined_constraint("1+2,90", -1);
    QTest::ignoreMessage(QtWarningMsg, warning.toUtf8().constData());
    bool result = true;
    if (check == "weight") {
        result = s.is_max_axle_weight_valid(index);
    } else if (check == "tyre") {
        result = s.is_tyre_type_valid(index);
    } else if (check == "min") {
        result = s.is_min_distance_valid(index, "0", "10");
    } else if (check == "max") {
        result = s.is_max_distance_valid(index, "0", "10");
    } else {
        result = s.is_combined_constraint_valid(index);
    }
    QVERIFY(!result);
}

void tst_Subclass::outOfRangeGettersAreEmpty_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("at the end") << 2;
    QTest::newRow("far past the end") << 1000;
}

void tst_Subclass::outOfRangeGettersAreEmpty()
{
    QFETCH(int, index);
    Subclass s = valid_subclass(3);
    s.remove_last_max_axle_weight();
    s.remove_last_max_axle_weight();
    s.remove_last_tyre_type();
    s.remove_last_tyre_type();
    s.remove_last_min_distance();
    s.remove_last_max_distance();
    s.set_combined_constraint("1+2,150", -1);
    s.set_combined_constraint("2+3,150", -1);
    QCOMPARE(s.get_max_axle_weight_count(), 2);
    QCOMPARE(s.get_min_distance_count(), 2);
    QCOMPARE(s.get_max_axle_weight_at_index(index), QString());
    QCOMPARE(s.get_min_distance_at_index(index), QString());
    QCOMPARE(s.get_max_distance_at_index(index), QString());
    QCOMPARE(s.get_combined_constraint_at_index(index), QString());
    const QString warning = QStringLiteral("get_tyre_type_at_index: Trying to get a nonexistend "
                                           "index  %1  in array of size  2")
                                .arg(index);
    QTest::ignoreMessage(QtWarningMsg, warning.toUtf8().constData());
    QCOMPARE(s.get_tyre_type_at_index(index), QString());
}

void tst_Subclass::settersAppendPastTheEnd_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("replaces inside") << 1 << QStringList {"1", "9"};
    QTest::newRow("appends at the end") << 2 << QStringList {"1", "2", "9"};
    QTest::newRow("appends far past the end") << 7 << QStringList {"1", "2", "9"};
    QTest::newRow("negative appends") << -1 << QStringList {"1", "2", "9"};
}

void tst_Subclass::settersAppendPastTheEnd()
{
    QFETCH(int, index);
    QFETCH(QStringList, expected);
    Subclass s;
    for (int i = 0; i < 2; ++i) {
        const QString value = QString::number(i + 1);
        s.set_max_axle_weight_at_index(value, i);
        s.set_min_distance_at_index(value, i);
        s.set_max_distance_at_index(value, i);
        s.set_tyre_type_at_index(value, i);
    }
    s.set_max_axle_weight_at_index("9", index);
    s.set_min_distance_at_index("9", index);
    s.set_max_distance_at_index("9", index);
    s.set_tyre_type_at_index("9", index);
    QCOMPARE(s.get_max_axle_weight_count(), expected.size());
    QCOMPARE(s.get_min_distance_count(), expected.size());
    QCOMPARE(s.get_max_distance_count(), expected.size());
    QCOMPARE(s.get_tyre_type_count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(s.get_max_axle_weight_at_index(i), expected.at(i));
        QCOMPARE(s.get_min_distance_at_index(i), expected.at(i));
        QCOMPARE(s.get_max_distance_at_index(i), expected.at(i));
        QCOMPARE(s.get_tyre_type_at_index(i), expected.at(i));
    }
}

void tst_Subclass::removeLastOnEmptyList()
{
    Subclass s = valid_subclass(2);
    for (int i = 0; i < 5; ++i) {
        s.remove_last_max_axle_weight();
        s.remove_last_min_distance();
        s.remove_last_max_distance();
        s.remove_last_tyre_type();
    }
    QCOMPARE(s.get_max_axle_weight_count(), 0);
    QCOMPARE(s.get_min_distance_count(), 0);
    QCOMPARE(s.get_max_distance_count(), 0);
    QCOMPARE(s.get_tyre_type_count(), 0);
}

void tst_Subclass::combinedConstraintEditing()
{
    Subclass s;
    s.set_combined_constraint("1+2,180", -1);
    QCOMPARE(s.get_combined_constraint_count(), 1);
    s.set_combined_constraint("2+3,190", -1);
    s.set_combined_constraint("1+2,185", 0);
    QCOMPARE(s.get_combined_constraint_at_index(0), QString("1+2,185"));
    QCOMPARE(s.get_combined_constraint_at_index(1), QString("2+3,190"));

    // An index past the end keeps the value, at the end, like the per-axle setters.
    s.set_combined_constraint("3+4,200", 5);
    QCOMPARE(s.get_combined_constraint_count(), 3);
    QCOMPARE(s.get_combined_constraint_at_index(2), QString("3+4,200"));

    s.remove_combined_constraint(0);
    QCOMPARE(s.get_combined_constraint_count(), 2);
    QCOMPARE(s.get_combined_constraint_at_index(0), QString("2+3,190"));
    QTest::ignoreMessage(
        QtWarningMsg, "Combined constraints size is smaller than index we tried to delete!");
    s.remove_combined_constraint(5);
    QTest::ignoreMessage(
        QtWarningMsg, "Combined constraints size is smaller than index we tried to delete!");
    s.remove_combined_constraint(-1);
    QCOMPARE(s.get_combined_constraint_count(), 2);
}

void tst_Subclass::combinedConstraintValidity_data()
{
    QTest::addColumn<QString>("constraint");
    QTest::addColumn<bool>("valid");
    QTest::newRow("two axles") << "1+2,180" << true;
    QTest::newRow("three axles and decimals") << "1+2+3,240.5" << true;
    QTest::newRow("trailing point") << "1+2,180." << true;
    QTest::newRow("long numbers") << "10+11,1800" << true;
    QTest::newRow("one axle") << "1,180" << false;
    QTest::newRow("no weight") << "1+2" << false;
    QTest::newRow("braces") << "{1+2,180}" << false;
    QTest::newRow("unit after the weight") << "1+2,180t" << false;
    QTest::newRow("leading plus") << "+1+2,180" << false;
    QTest::newRow("double plus") << "1++2,180" << false;
    QTest::newRow("two points") << "1+2,1.8.0" << false;
    QTest::newRow("space") << "1+2, 180" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_Subclass::combinedConstraintValidity()
{
    QFETCH(QString, constraint);
    QFETCH(bool, valid);
    Subclass s;
    s.set_combined_constraint(constraint, -1);
    QCOMPARE(s.is_combined_constraint_valid(0), valid);
    // The rule is the pattern's: its first match must be the whole text.
    QRegExp pattern("(?:\\d+\\+)+\\d+,\\d+\\.?\\d*");
    QCOMPARE(
        pattern.indexIn(constraint) == 0 && pattern.matchedLength() == constraint.size(), valid);
}

void tst_Subclass::axleConfigurationValidity_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("axles");
    QTest::addColumn<bool>("valid");
    QTest::newRow("H2T2 with 4") << "H2T2"
                                 << "4" << true;
    QTest::newRow("lower case is stored upper") << "h2t2"
                                                << "4" << true;
    QTest::newRow("A2S3 with 5") << "A2S3"
                                 << "5" << true;
    QTest::newRow("A2S3 with 4") << "A2S3"
                                 << "4" << false;
    QTest::newRow("every part letter") << "B2D1T1S1"
                                       << "5" << true;
    QTest::newRow("unknown part letter") << "H2X2"
                                         << "4" << false;
    QTest::newRow("count first") << "2H"
                                 << "2" << false;
    QTest::newRow("part without count") << "H2T"
                                        << "2" << false;
    QTest::newRow("vehicle without count") << "HT2"
                                           << "2" << false;
    QTest::newRow("trailing space") << "H2 "
                                    << "2" << false;
    QTest::newRow("empty") << ""
                           << "0" << false;
    QTest::newRow("leading zero") << "H02"
                                  << "2" << true;
    QTest::newRow("no wrap at 256") << "H258"
                                    << "2" << false;
    QTest::newRow("large sum") << "H258"
                               << "258" << true;
    QTest::newRow("run too long for an int, no axles") << "H99999999999999999999"
                                                       << "" << false;
    QTest::newRow("run too long for an int, 0 axles") << "H99999999999999999999"
                                                      << "0" << false;
    QTest::newRow("sum too large for an int") << "H2000000000T2000000000"
                                              << "-294967296" << false;
}

void tst_Subclass::axleConfigurationValidity()
{
    QFETCH(QString, configuration);
    QFETCH(QString, axles);
    QFETCH(bool, valid);
    Subclass s;
    s.set_number_of_axles(axles);
    s.set_axle_configuration(configuration);
    QCOMPARE(s.get_axle_configuration(), configuration.toUpper());
    QCOMPARE(s.is_axle_configuration_valid(), valid);
}

void tst_Subclass::reclassifyTarget_data()
{
    QTest::addColumn<QString>("axles");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("valid");
    QTest::newRow("no target") << "3"
                               << "" << true;
    QTest::newRow("target missing") << "3"
                                    << "0" << false;
    QTest::newRow("same axles") << "3"
                                << "3" << true;
    QTest::newRow("other axles") << "3"
                                 << "4" << false;
    QTest::newRow("compared as text") << "3"
                                      << "03" << false;
}

void tst_Subclass::reclassifyTarget()
{
    QFETCH(QString, axles);
    QFETCH(QString, target);
    QFETCH(bool, valid);
    Subclass s;
    s.set_number_of_axles(axles);
    QCOMPARE(s.is_reclassify_up_valid(target), valid);
    QCOMPARE(s.is_reclassify_down_valid(target), valid);
}

void tst_Subclass::canDraw_data()
{
    QTest::addColumn<QString>("axles");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("drawable");
    QTest::newRow("valid") << "3" << -1 << ""
                           << ""
                           << "" << true;
    QTest::newRow("second maximum empty")
        << "3" << 1 << "1.5"
        << ""
        << "Can't draw because at index 1 min dist is \"1.5\" and max dist is \"\"" << false;
    QTest::newRow("first minimum zero")
        << "3" << 0 << "0"
        << "4.5"
        << "Can't draw because at index 0 min dist is \"0\" and max dist is \"4.5\"" << false;
    QTest::newRow("too many axles") << "21" << -1 << ""
                                    << ""
                                    << "" << false;
}

void tst_Subclass::canDraw()
{
    QFETCH(QString, axles);
    QFETCH(int, gap);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, message);
    QFETCH(bool, drawable);
    Subclass s = valid_subclass(axles.toInt());
    if (gap >= 0) {
        s.set_min_distance_at_index(min, gap);
        s.set_max_distance_at_index(max, gap);
        QTest::ignoreMessage(QtDebugMsg, message.toUtf8().constData());
    }
    QCOMPARE(s.can_draw(), drawable);
}

void tst_Subclass::wholeSubclassChecks_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("complete");
    QTest::newRow("untouched") << "" << true << true;
    QTest::newRow("minimum above maximum") << "min 6" << false << true;
    QTest::newRow("maximum above the header") << "max 12" << false << true;
    QTest::newRow("minimum below the header") << "min 0.5" << false << true;
    QTest::newRow("minimum zero") << "min 0" << false << false;
    QTest::newRow("weight zero") << "weight 0" << false << false;
    QTest::newRow("tyre type 5") << "tyre 5" << false << false;
    QTest::newRow("bad constraint") << "constraint 1,180" << false << true;
    QTest::newRow("good constraint") << "constraint 1+2,180" << true << true;
    QTest::newRow("empty category") << "category " << false << false;
    QTest::newRow("empty GVW") << "gvw " << false << false;
    QTest::newRow("configuration for other axles") << "configuration H2" << false << false;
    QTest::newRow("spare rows are not checked") << "spare 0" << true << true;
}

void tst_Subclass::wholeSubclassChecks()
{
    QFETCH(QString, change);
    QFETCH(bool, valid);
    QFETCH(bool, complete);
    Subclass s = valid_subclass(3);
    const QString what = change.section(' ', 0, 0);
    const QString value = change.section(' ', 1);
    if (what == "min") {
        s.set_min_distance_at_index(value, 1);
    } else if (what == "max") {
        s.set_max_distance_at_index(value, 1);
    } else if (what == "weight") {
        s.set_max_axle_weight_at_index(value, 2);
    } else if (what == "tyre") {
        s.set_tyre_type_at_index(value, 2);
    } else if (what == "constraint") {
        s.set_combined_constraint(value, -1);
    } else if (what == "category") {
        s.set_category(value);
    } else if (what == "gvw") {
        s.set_max_GVW(value);
    } else if (what == "configuration") {
        s.set_axle_configuration(value);
    } else if (what == "spare") {
        // The fourth weight and tyre rows and the third gap exist but lie past 3 axles.
        s.set_max_axle_weight_at_index(value, 3);
        s.set_tyre_type_at_index(value, 3);
        s.set_min_distance_at_index(value, 2);
        s.set_max_distance_at_index(value, 2);
    }
    QCOMPARE(s.is_subclass_valid("1", "10"), valid);
    QCOMPARE(s.is_subclass_complete(), complete);
}

void tst_Subclass::wholeChecksFollowEdits()
{
    Subclass s = valid_subclass(4);
    QVERIFY(s.is_subclass_valid("1", "10"));
    QVERIFY(s.is_subclass_complete());
    const Subclass copy = s;

    s.set_max_axle_weight_at_index("0", 3);
    QVERIFY(!s.is_subclass_valid("1", "10"));
    QVERIFY(!s.is_subclass_complete());
    s.set_max_axle_weight_at_index("90", 3);
    QVERIFY(s.is_subclass_valid("1", "10"));

    s.set_max_distance_at_index("11", 2);
    QVERIFY(!s.is_subclass_valid("1", "10"));
    QVERIFY(s.is_subclass_valid("1", "11"));
    s.remove_last_max_distance();
    QTest::ignoreMessage(QtWarningMsg,
        "is_max_distance_valid: Checking if a nonexistent index  0 "
        " exists in array of size  3");
    QVERIFY(!s.is_subclass_valid("1", "10"));

    s.set_min_max_distances("1,1,1", "2,2,2");
    QVERIFY(s.is_subclass_valid("1", "10"));
    s.set_tyre_types("1,2,3,9");
    QVERIFY(!s.is_subclass_valid("1", "10"));
    QVERIFY(!s.is_subclass_complete());

    s.set_number_of_axles("3");
    QVERIFY(!s.is_subclass_valid("1", "10"));
    s.set_axle_configuration("H3");
    QVERIFY(s.is_subclass_valid("1", "10"));
    s.set_category("");
    QVERIFY(!s.is_subclass_complete());

    // The copy taken before the edits still answers for its own values.
    QVERIFY(copy.is_subclass_valid("1", "10"));
    QVERIFY(copy.is_subclass_complete());
}

void tst_Subclass::missingRowsAreReportedInOrder()
{
    // Too few weight rows for the number of axles: the gaps pass, then the missing axle warns.
    Subclass s = valid_subclass(3);
    s.remove_last_max_axle_weight();
    s.remove_last_max_axle_weight();
    QTest::ignoreMessage(QtWarningMsg,
        "is_max_axle_weight_valid: Checking if a nonexistent index "
        " 2  exists in array of size  2");
    QVERIFY(!s.is_subclass_valid("1", "10"));
    QTest::ignoreMessage(QtWarningMsg,
        "is_max_axle_weight_valid: Checking if a nonexistent index "
        " 2  exists in array of size  2");
    QVERIFY(!s.is_subclass_complete());

    // Uneven distance lists: complete (no comparison between them), but not valid.
    Subclass t = valid_subclass(3);
    t.set_max_distance_at_index("4.5", 3);
    QVERIFY(t.is_subclass_complete());
    QTest::ignoreMessage(QtWarningMsg,
        "is_max_distance_valid: Checking if a nonexistent index  0 "
        " exists in array of size  4");
    QVERIFY(!t.is_subclass_valid("1", "10"));
}

void tst_Subclass::wholeChecksMatchPerIndexChecks()
{
    // Random subclasses, edited between checks: the whole-subclass checks give the result and
    // the log lines of the per-index checks taken in their order.
    const QStringList counts {
        "", "0", "1", "2", "3", "4", "5", "2.5", "21", "-3", "2000000000", "-2147483648"};
    const QStringList numbers {"", "0", "1", "2", "3", "4", "5", "0.5", "1.5", "4.5", "12", "abc",
        "nan", "-1", "1e1", "07"};
    const QStringList constraints {"1+2,180", "1,180", "1+2", "12+3,4.5"};
    const QStringList configurations {"", "H2", "H3", "h2t1", "A2S3", "H2X1", "H258"};
    QRandomGenerator random(1234);
    const Capture capturing;
    for (int round = 0; round < 400; ++round) {
        Subclass s;
        s.set_category(random.bounded(5) ? QStringLiteral("2") : QString());
        s.set_max_GVW(random.bounded(5) ? QStringLiteral("300") : QString());
        s.set_axle_configuration(pick(random, configurations));
        for (int i = 0, n = random.bounded(6); i < n; ++i) {
            s.set_min_distance_at_index(pick(random, numbers), i);
        }
        for (int i = 0, n = random.bounded(6); i < n; ++i) {
            s.set_max_distance_at_index(pick(random, numbers), i);
        }
        for (int i = 0, n = random.bounded(7); i < n; ++i) {
            s.set_max_axle_weight_at_index(pick(random, numbers), i);
            s.set_tyre_type_at_index(pick(random, numbers), i);
        }
        for (int i = 0, n = random.bounded(3); i < n; ++i) {
            s.set_combined_constraint(pick(random, constraints), -1);
        }
        s.set_number_of_axles(pick(random, counts));
        for (int edit = 0; edit < 4; ++edit) {
            const QString low = pick(random, numbers);
            const QString high = pick(random, numbers);
            messages.clear();
            const bool valid = s.is_subclass_valid(low, high);
            const bool complete = s.is_subclass_complete();
            const QStringList seen = messages;
            messages.clear();
            QCOMPARE(valid, reference_valid(s, low, high));
            QCOMPARE(complete, reference_complete(s));
            QCOMPARE(seen, messages);
            const int index = random.bounded(6);
            switch (random.bounded(6)) {
            case 0:
                s.set_min_distance_at_index(pick(random, numbers), index);
                break;
            case 1:
                s.set_max_distance_at_index(pick(random, numbers), index);
                break;
            case 2:
                s.set_max_axle_weight_at_index(pick(random, numbers), index);
                break;
            case 3:
                s.set_tyre_type_at_index(pick(random, numbers), index);
                break;
            case 4:
                s.set_number_of_axles(pick(random, counts));
                break;
            default:
                s.remove_last_max_distance();
                break;
            }
        }
    }
}

void tst_Subclass::numbersReadLikeQt()
{
    // Plain decimal texts compared with the same number written to 17 significant digits:
    // both must read as the same float that QString::toFloat gives.
    QRandomGenerator random(99);
    for (int round = 0; round < 5000; ++round) {
        QString text = QString::number(random.bounded(1, 10));
        for (int i = 0, n = random.bounded(7); i < n; ++i) {
            text += QString::number(random.bounded(10));
        }
        if (random.bounded(2)) {
            text += '.';
            for (int i = 0, n = random.bounded(1, 9); i < n; ++i) {
                text += QString::number(random.bounded(10));
            }
        }
        const QString exact = QString::number(double(text.toFloat()), 'g', 17);
        Subclass s;
        s.set_min_distance_at_index(text, 0);
        s.set_max_distance_at_index(exact, 0);
        QVERIFY2(s.is_min_distance_valid(0, "0", "1e30"), qPrintable(text));
        s.set_min_distance_at_index(exact, 0);
        s.set_max_distance_at_index(text, 0);
        QVERIFY2(s.is_min_distance_valid(0, "0", "1e30"), qPrintable(text));

        const QString whole = text.section('.', 0, 0).right(random.bounded(1, 3));
        s.set_tyre_type_at_index(whole, 0);
        const int tyre = whole.toInt();
        QCOMPARE(s.is_tyre_type_valid(0), tyre >= 1 && tyre <= 4);
    }
}

void tst_Subclass::duplicates_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("equal") << "" << true;
    QTest::newRow("other constraints") << "constraint" << true;
    QTest::newRow("other number") << "number" << true;
    QTest::newRow("longer list with the same start") << "longer" << true;
    QTest::newRow("empty list") << "empty" << true;
    QTest::newRow("other weight") << "weight" << false;
    QTest::newRow("other category") << "category" << false;
    QTest::newRow("one value more") << "extra" << false;
}

void tst_Subclass::duplicates()
{
    QFETCH(QString, change);
    QFETCH(bool, duplicate);
    const Subclass a = valid_subclass(3);
    Subclass b = valid_subclass(3);
    if (change == "constraint") {
        b.set_combined_constraint("1+2,150", -1);
    } else if (change == "number") {
        b.set_subclass_number(9);
    } else if (change == "longer") {
        b.set_min_distance_at_index("7", 5);
    } else if (change == "empty") {
        while (b.get_tyre_type_count() > 0) {
            b.remove_last_tyre_type();
        }
    } else if (change == "weight") {
        b.set_max_axle_weight_at_index("101", 2);
    } else if (change == "category") {
        b.set_category("4");
    } else if (change == "extra") {
        b.set_prepend("");
    }
    QCOMPARE(a.is_duplicate_of(b), duplicate);
    QCOMPARE(b.is_duplicate_of(a), duplicate);
}

QTEST_GUILESS_MAIN(tst_Subclass)
#include "tst_subclass.moc"
