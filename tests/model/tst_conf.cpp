// Configuration header record and set of subclasses.
#include "conf.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

using Setter = void (Conf::*)(QString);
using Getter = QString (Conf::*)() const;

// A complete subclass of `axles` axles whose maximum axle distances are `max`.
Subclass complete_subclass(quint16 number, int axles = 2, const QString &max = "4.5")
{
    Subclass s;
    s.set_subclass_number(number);
    s.set_category(QStringLiteral("1"));
    s.set_max_GVW(QStringLiteral("300"));
    s.set_axle_configuration(QStringLiteral("H%1").arg(axles));
    for (int i = 0; i + 1 < axles; ++i) {
        s.set_min_distance_at_index(QStringLiteral("1.5"), i);
        s.set_max_distance_at_index(max, i);
    }
    for (int i = 0; i < axles; ++i) {
        s.set_max_axle_weight_at_index(QStringLiteral("100"), i);
        s.set_tyre_type_at_index(QStringLiteral("1"), i);
    }
    s.set_number_of_axles(QString::number(axles));
    return s;
}

Conf valid_header()
{
    Conf conf;
    conf.set_country_code(QStringLiteral("SI"));
    conf.set_group_max_distance(QStringLiteral("3"));
    conf.set_min_axle_distance(QStringLiteral("1"));
    conf.set_max_axle_distance(QStringLiteral("10"));
    return conf;
}

// The first duplicated pair in plain pairwise order.
QString pairwise_duplicates(Conf &conf)
{
    const QVector<quint16> numbers = conf.get_subclass_numbers();
    for (int a = 0; a < numbers.size(); ++a) {
        for (int b = a + 1; b < numbers.size(); ++b) {
            if (conf.get_subclass(numbers[a]).is_duplicate_of(conf.get_subclass(numbers[b]))) {
                return QStringLiteral("%1 = %2").arg(numbers[a]).arg(numbers[b]);
            }
        }
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Setter)
Q_DECLARE_METATYPE(Getter)

class tst_Conf : public QObject
{
    Q_OBJECT

private slots:
    void defaultConfiguration();
    void settersStoreText_data();
    void settersStoreText();
    void countryCode_data();
    void countryCode();
    void countryCodeTable();
    void gAccelerationConstant_data();
    void gAccelerationConstant();
    void groupMaxDistance_data();
    void groupMaxDistance();
    void uncategorisedCategory_data();
    void uncategorisedCategory();
    void unclassifiedSubclass();
    void minAxleDistance_data();
    void minAxleDistance();
    void checkMaxAxleDistance_data();
    void checkMaxAxleDistance();
    void checkMaxAxleDistanceFollowsEdits();
    void subclassSet();
    void absentSubclassLeavesSetAlone();
    void invalidSubclasses();
    void findDuplicates_data();
    void findDuplicates();
    void findDuplicatesMatchesPairwiseOrder();
    void findDuplicatesThroughNestedPrefixes();
    void configurationValidity_data();
    void configurationValidity();
};

void tst_Conf::defaultConfiguration()
{
    const Conf conf;
    QCOMPARE(conf.get_classification_version(), QString());
    QCOMPARE(conf.get_country_code(), QString());
    QCOMPARE(conf.get_g_acceleration_constant(), QString());
    QCOMPARE(conf.get_group_max_distance(), QString());
    QCOMPARE(conf.get_max_axle_distance(), QString());
    QCOMPARE(conf.get_min_2axle_truck_spacing(), QString());
    QCOMPARE(conf.get_min_avg_axle_weight(), QString());
    QCOMPARE(conf.get_min_axle_distance(), QString());
    QCOMPARE(conf.get_unclassified_vehicles_subclass(), QString());
    QCOMPARE(conf.get_uncategorised_vehicle_category(), QString());
    QVERIFY(!conf.is_g_acceleration_constant_valid());
    QVERIFY(!conf.is_group_max_distance_valid());
    QVERIFY(!conf.is_country_code_valid());
    QVERIFY(conf.is_unclassified_vehicles_subclass_valid());
    QVERIFY(conf.is_uncategorised_vehicle_category_valid());
    QVERIFY(conf.is_min_axle_distance_valid());
    QCOMPARE(conf.check_max_axle_distance(), 2);
    QVERIFY(conf.get_subclass_numbers().isEmpty());
    QVERIFY(conf.get_invalid_subclasses().isEmpty());
    QCOMPARE(conf.find_duplicates(), QString());
    QCOMPARE(conf.is_configuration_valid(), qMakePair(false, quint16(0)));
}

void tst_Conf::settersStoreText_data()
{
    QTest::addColumn<Setter>("setter");
    QTest::addColumn<Getter>("getter");
    QTest::newRow("classification_version")
        << Setter(&Conf::set_classification_version) << Getter(&Conf::get_classification_version);
    QTest::newRow("g_acceleration_constant")
        << Setter(&Conf::set_g_acceleration_constant) << Getter(&Conf::get_g_acceleration_constant);
    QTest::newRow("group_max_distance__m")
        << Setter(&Conf::set_group_max_distance) << Getter(&Conf::get_group_max_distance);
    QTest::newRow("max_axle_distance__m")
        << Setter(&Conf::set_max_axle_distance) << Getter(&Conf::get_max_axle_distance);
    QTest::newRow("min_2axle_truck_spacing__m")
        << Setter(&Conf::set_min_2axle_truck_spacing) << Getter(&Conf::get_min_2axle_truck_spacing);
    QTest::newRow("min_avg_axle_weight__kN")
        << Setter(&Conf::set_min_avg_axle_weight) << Getter(&Conf::get_min_avg_axle_weight);
    QTest::newRow("min_axle_distance__m")
        << Setter(&Conf::set_min_axle_distance) << Getter(&Conf::get_min_axle_distance);
    QTest::newRow("unclassified_vehicles_subclass")
        << Setter(&Conf::set_unclassified_vehicles_subclass)
        << Getter(&Conf::get_unclassified_vehicles_subclass);
    QTest::newRow("uncategorised_vehicle_category")
        << Setter(&Conf::set_uncategorised_vehicle_category)
        << Getter(&Conf::get_uncategorised_vehicle_category);
}

void tst_Conf::settersStoreText()
{
    QFETCH(Setter, setter);
    QFETCH(Getter, getter);
    Conf conf;
    (conf.*setter)(" 2.5x ");
    QCOMPARE((conf.*getter)(), QString(" 2.5x "));
    (conf.*setter)("");
    QCOMPARE((conf.*getter)(), QString());
    // Each setter has its own key.
    Conf other;
    (other.*setter)("7");
    int set = 0;
    for (Getter each : {&Conf::get_classification_version, &Conf::get_g_acceleration_constant,
             &Conf::get_group_max_distance, &Conf::get_max_axle_distance,
             &Conf::get_min_2axle_truck_spacing, &Conf::get_min_avg_axle_weight,
             &Conf::get_min_axle_distance, &Conf::get_unclassified_vehicles_subclass,
             &Conf::get_uncategorised_vehicle_category, &Conf::get_country_code}) {
        set += (other.*each)() == "7" ? 1 : 0;
    }
    QCOMPARE(set, 1);
}

void tst_Conf::countryCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("valid");
    QTest::newRow("gb") << "gb"
                        << "GB" << true;
    QTest::newRow("si") << "si"
                        << "SI" << true;
    QTest::newRow("mixed case") << "sI"
                                << "SI" << true;
    QTest::newRow("AX") << "AX"
                        << "AX" << true;
    QTest::newRow("BQ") << "BQ"
                        << "BQ" << true;
    QTest::newRow("CW") << "CW"
                        << "CW" << true;
    QTest::newRow("SS") << "SS"
                        << "SS" << true;
    QTest::newRow("SX") << "SX"
                        << "SX" << true;
    QTest::newRow("AF first") << "AF"
                              << "AF" << true;
    QTest::newRow("ZW last") << "ZW"
                             << "ZW" << true;
    QTest::newRow("XK") << "XK"
                        << "XK" << false;
    QTest::newRow("UK") << "uk"
                        << "UK" << false;
    QTest::newRow("EU") << "EU"
                        << "EU" << false;
    QTest::newRow("AN withdrawn") << "AN"
                                  << "AN" << false;
    QTest::newRow("three letters") << "SVN"
                                   << "SVN" << false;
    QTest::newRow("space") << "SI "
                           << "SI " << false;
    QTest::newRow("empty") << ""
                           << "" << false;
}

void tst_Conf::countryCode()
{
    QFETCH(QString, code);
    QFETCH(QString, stored);
    QFETCH(bool, valid);
    Conf conf;
    conf.set_country_code(code);
    QCOMPARE(conf.get_country_code(), stored);
    QCOMPARE(conf.is_country_code_valid(), valid);
}

void tst_Conf::countryCodeTable()
{
    // Exactly the officially assigned codes among all two-letter combinations.
    Conf conf;
    int valid = 0;
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) {
            conf.set_country_code(QString(QChar(a)) + QChar(b));
            valid += conf.is_country_code_valid() ? 1 : 0;
        }
    }
    QCOMPARE(valid, 249);
}

void tst_Conf::gAccelerationConstant_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("9.81") << "9.81" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("-9.81") << "-9.81" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("text") << "g" << false;
    QTest::newRow("decimal comma") << "9,81" << false;
}

void tst_Conf::gAccelerationConstant()
{
    QFETCH(QString, value);
    QFETCH(bool, valid);
    Conf conf;
    conf.set_g_acceleration_constant(value);
    QCOMPARE(conf.is_g_acceleration_constant_valid(), valid);
}

void tst_Conf::groupMaxDistance_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("3") << "3" << true;
    QTest::newRow("0.01") << "0.01" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("negative") << "-1" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_Conf::groupMaxDistance()
{
    QFETCH(QString, value);
    QFETCH(bool, valid);
    Conf conf;
    conf.set_group_max_distance(value);
    QCOMPARE(conf.is_group_max_distance_valid(), valid);
}

void tst_Conf::uncategorisedCategory_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("6") << "6" << true;
    QTest::newRow("120") << "120" << true;
    QTest::newRow("5") << "5" << false;
    QTest::newRow("6.5") << "6.5" << false;
    QTest::newRow("abc") << "abc" << false;
}

void tst_Conf::uncategorisedCategory()
{
    QFETCH(QString, value);
    QFETCH(bool, valid);
    Conf conf;
    conf.set_uncategorised_vehicle_category(value);
    QCOMPARE(conf.is_uncategorised_vehicle_category_valid(), valid);
}

void tst_Conf::unclassifiedSubclass()
{
    Conf conf;
    conf.set_subclass(7, complete_subclass(7));
    conf.set_unclassified_vehicles_subclass("7");
    QVERIFY(!conf.is_unclassified_vehicles_subclass_valid());
    conf.remove_subclass(7);
    QVERIFY(conf.is_unclassified_vehicles_subclass_valid());

    // 70000 and the empty text do not convert and read as 0.
    conf.set_unclassified_vehicles_subclass("70000");
    QVERIFY(conf.is_unclassified_vehicles_subclass_valid());
    conf.set_subclass(0, complete_subclass(0));
    QVERIFY(!conf.is_unclassified_vehicles_subclass_valid());
    conf.set_unclassified_vehicles_subclass("");
    QVERIFY(!conf.is_unclassified_vehicles_subclass_valid());
    conf.set_unclassified_vehicles_subclass("1");
    QVERIFY(conf.is_unclassified_vehicles_subclass_valid());
}

void tst_Conf::minAxleDistance_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<bool>("valid");
    QTest::newRow("2 over 1.5") << "2"
                                << "1.5" << false;
    QTest::newRow("1.5 under 2") << "1.5"
                                 << "2" << true;
    QTest::newRow("equal") << "2.5"
                           << "2.5" << true;
    QTest::newRow("positive over empty") << "1"
                                         << "" << false;
    QTest::newRow("both empty") << ""
                                << "" << true;
    QTest::newRow("nan is not greater") << "nan"
                                        << "2" << true;
}

void tst_Conf::minAxleDistance()
{
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(bool, valid);
    Conf conf;
    conf.set_min_axle_distance(min);
    conf.set_max_axle_distance(max);
    QCOMPARE(conf.is_min_axle_distance_valid(), valid);
}

void tst_Conf::checkMaxAxleDistance_data()
{
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QStringList>("distances");
    QTest::addColumn<int>("result");
    QTest::newRow("below the minimum") << "10"
                                       << "12" << QStringList() << 2;
    QTest::newRow("empty") << ""
                           << "0" << QStringList() << 2;
    QTest::newRow("no subclasses") << "10"
                                   << "1" << QStringList() << 0;
    QTest::newRow("a subclass above") << "10"
                                      << "1" << QStringList {"4", "12"} << 1;
    QTest::newRow("raised to the subclass") << "12"
                                            << "1" << QStringList {"4", "12"} << 0;
    QTest::newRow("spare entries count too") << "10"
                                             << "1" << QStringList {"4", "", "11"} << 1;
    QTest::newRow("text reads as 0") << "10"
                                     << "1" << QStringList {"far"} << 0;
    QTest::newRow("both above, minimum wins") << "10"
                                              << "12" << QStringList {"20"} << 2;
}

void tst_Conf::checkMaxAxleDistance()
{
    QFETCH(QString, max);
    QFETCH(QString, min);
    QFETCH(QStringList, distances);
    QFETCH(int, result);
    Conf conf;
    conf.set_max_axle_distance(max);
    conf.set_min_axle_distance(min);
    conf.set_subclass(1, complete_subclass(1));
    if (!distances.isEmpty()) {
        Subclass s;
        for (int i = 0; i < distances.size(); ++i) {
            s.set_max_distance_at_index(distances.at(i), i);
        }
        conf.set_subclass(2, s);
    }
    QCOMPARE(conf.check_max_axle_distance(), result);
}

void tst_Conf::checkMaxAxleDistanceFollowsEdits()
{
    Conf conf = valid_header();
    conf.set_subclass(3, complete_subclass(3, 3));
    conf.set_subclass(5, complete_subclass(5, 3));
    QCOMPARE(conf.check_max_axle_distance(), 0);
    conf.get_subclass(5).set_max_distance_at_index("10.5", 1);
    QCOMPARE(conf.check_max_axle_distance(), 1);
    conf.get_subclass(5).set_max_distance_at_index("10", 1);
    QCOMPARE(conf.check_max_axle_distance(), 0);
    conf.get_subclass(3).set_min_max_distances("1,1", "2,11");
    QCOMPARE(conf.check_max_axle_distance(), 1);
    conf.remove_subclass(3);
    QCOMPARE(conf.check_max_axle_distance(), 0);
}

void tst_Conf::subclassSet()
{
    Conf conf;
    conf.set_subclass(5, complete_subclass(5));
    conf.set_subclass(3, complete_subclass(3));
    conf.set_subclass(65535, complete_subclass(65535));
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {3, 5, 65535}));
    QVERIFY(conf.contains_subclass(65535));
    QVERIFY(!conf.contains_subclass(4));

    // Edits go to the stored subclass.
    conf.get_subclass(3).set_category("9");
    QCOMPARE(conf.get_subclass(3).get_category(), QString("9"));

    // Storing under an existing number replaces.
    Subclass other = complete_subclass(5, 3);
    conf.set_subclass(5, other);
    QCOMPARE(conf.get_subclass(5).get_number_of_axles(), QString("3"));
    QCOMPARE(conf.get_subclass_numbers().size(), 3);

    // Copying 3 to 8: equal values and lists, so a duplicate.
    Subclass copy = conf.get_subclass(3);
    copy.set_subclass_number(8);
    conf.set_subclass(8, copy);
    QCOMPARE(conf.get_subclass(8).get_subclass_number(), quint16(8));
    QCOMPARE(conf.get_subclass(8).get_category(), QString("9"));
    QCOMPARE(conf.find_duplicates(), QString("3 = 8"));
    conf.get_subclass(8).set_category("2");
    QCOMPARE(conf.find_duplicates(), QString());

    conf.remove_subclass(5);
    conf.remove_subclass(4);
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {3, 8, 65535}));
}

void tst_Conf::absentSubclassLeavesSetAlone()
{
    Conf conf;
    conf.set_subclass(2, complete_subclass(2));
    Subclass &absent = conf.get_subclass(4);
    QCOMPARE(absent.get_category(), QString());
    absent.set_category("5");
    absent.set_max_axle_weight_at_index("1", 0);
    QVERIFY(!conf.contains_subclass(4));
    QCOMPARE(conf.get_subclass_numbers(), QVector<quint16> {2});
    // Every such call starts from an empty subclass again.
    const Subclass &again = conf.get_subclass(9);
    QCOMPARE(again.get_category(), QString());
    QCOMPARE(again.get_max_axle_weight_count(), 0);
    QCOMPARE(conf.get_subclass(2).get_category(), QString("1"));
}

void tst_Conf::invalidSubclasses()
{
    Conf conf = valid_header();
    conf.set_subclass(1, complete_subclass(1));
    conf.set_subclass(2, complete_subclass(2, 3, "11"));
    conf.set_subclass(3, complete_subclass(3, 2));
    conf.set_subclass(4, complete_subclass(4, 4));
    conf.get_subclass(4).set_combined_constraint("1+2", -1);
    QCOMPARE(conf.get_invalid_subclasses(), (QVector<quint16> {2, 4}));

    // The header limits apply as they are now.
    conf.set_max_axle_distance("11");
    QCOMPARE(conf.get_invalid_subclasses(), QVector<quint16> {4});
    conf.set_min_axle_distance("2");
    QCOMPARE(conf.get_invalid_subclasses(), (QVector<quint16> {1, 2, 3, 4}));
    conf.set_min_axle_distance("1");

    // So do edits.
    conf.get_subclass(4).set_combined_constraint("1+2,200", 0);
    conf.get_subclass(3).set_tyre_type_at_index("7", 1);
    QCOMPARE(conf.get_invalid_subclasses(), QVector<quint16> {3});

    // Outside the header limits, but complete: the configuration may still be written.
    conf.set_max_axle_distance("10");
    conf.get_subclass(3).set_tyre_type_at_index("1", 1);
    QCOMPARE(conf.get_invalid_subclasses(), QVector<quint16> {2});
    QCOMPARE(conf.is_configuration_valid(), qMakePair(true, quint16(0)));
}

void tst_Conf::findDuplicates_data()
{
    QTest::addColumn<QVector<quint16>>("equal");
    QTest::addColumn<QVector<quint16>>("distinct");
    QTest::addColumn<QString>("found");
    QTest::newRow("3 and 5") << QVector<quint16> {3, 5} << QVector<quint16> {1, 4} << "3 = 5";
    QTest::newRow("1, 2 and 3") << QVector<quint16> {1, 2, 3} << QVector<quint16> {} << "1 = 2";
    QTest::newRow("none") << QVector<quint16> {7} << QVector<quint16> {1, 2, 3} << "";
    QTest::newRow("highest numbers")
        << QVector<quint16> {65534, 65535} << QVector<quint16> {0, 1} << "65534 = 65535";
}

void tst_Conf::findDuplicates()
{
    QFETCH(QVector<quint16>, equal);
    QFETCH(QVector<quint16>, distinct);
    QFETCH(QString, found);
    Conf conf;
    for (quint16 number : equal) {
        conf.set_subclass(number, complete_subclass(number, 3));
    }
    for (quint16 number : distinct) {
        Subclass s = complete_subclass(number, 3);
        s.set_max_GVW(QString::number(500 + number));
        conf.set_subclass(number, s);
    }
    QCOMPARE(conf.find_duplicates(), found);
}

void tst_Conf::findDuplicatesMatchesPairwiseOrder()
{
    // Random sets full of lists that start alike and differ in length, empty lists and shared
    // values: the answer is the pair the plain pairwise order finds first.
    const QStringList letters {"1", "2", "3", "4", "5", "6", "7", "8"};
    int with_pair = 0;
    int without_pair = 0;
    for (quint32 seed = 1; seed <= 400; ++seed) {
        QRandomGenerator random(seed);
        // Odd seeds make pairs rare: longer lists, more letters, more changes.
        const bool rare = seed % 2 == 1;
        const int count = random.bounded(2, seed % 5 == 0 ? 400 : 90);
        const int alphabet = rare ? random.bounded(4, 9) : random.bounded(1, 6);
        const int bases = rare ? random.bounded(2, 6) : random.bounded(1, 4);
        const int shortest = rare ? random.bounded(1, 3) : 0;
        const int longest = random.bounded(shortest + 1, 9);
        const int mutate = rare ? random.bounded(50, 100) : random.bounded(0, 40);
        const int categories = random.bounded(1, 3);
        // A kind whose lists are all alike or all of one length now and then.
        const int fixed_kind = random.bounded(8);
        const int lengths = random.bounded(1, 3);
        QVector<QStringList> base;
        for (int b = 0; b < 4 * bases; ++b) {
            QStringList list;
            for (int i = 0; i < 8; ++i) {
                list.append(letters.at(random.bounded(alphabet)));
            }
            base.append(list);
        }
        Conf conf;
        for (int i = 0; i < count; ++i) {
            Subclass s;
            s.set_category(QString::number(random.bounded(categories)));
            if (random.bounded(20) == 0) {
                s.set_prepend(QStringLiteral("1"));
            }
            for (int kind = 0; kind < 4; ++kind) {
                QStringList list = base.at(kind * bases + random.bounded(bases));
                if (kind == fixed_kind) {
                    list = list.mid(0, longest - random.bounded(lengths));
                } else {
                    list = list.mid(0, random.bounded(shortest, longest + 1));
                }
                if (!list.isEmpty() && random.bounded(100) < mutate) {
                    list[random.bounded(list.size())] = letters.at(random.bounded(alphabet));
                }
                for (int j = 0; j < list.size(); ++j) {
                    switch (kind) {
                    case 0:
                        s.set_max_axle_weight_at_index(list.at(j), j);
                        break;
                    case 1:
                        s.set_min_distance_at_index(list.at(j), j);
                        break;
                    case 2:
                        s.set_max_distance_at_index(list.at(j), j);
                        break;
                    default:
                        s.set_tyre_type_at_index(list.at(j), j);
                        break;
                    }
                }
            }
            const quint16 number = quint16(random.bounded(seed % 3 == 0 ? 65536 : count * 2));
            s.set_subclass_number(number);
            conf.set_subclass(number, s);
        }
        const QString expected = pairwise_duplicates(conf);
        QCOMPARE(conf.find_duplicates(), expected);
        (expected.isEmpty() ? without_pair : with_pair) += 1;
    }
    // Both outcomes were exercised.
    QVERIFY(with_pair > 50);
    QVERIFY(without_pair > 50);
}

void tst_Conf::findDuplicatesThroughNestedPrefixes()
{
    // Groups large enough to be searched by prefix: subclasses without weights (0 to 9 and 100
    // to 109) against subclasses with them (10 to 39 and 200 to 209), minimum distances that
    // are prefixes of each other, and one subclass (39) without maximum distances, the only
    // one a subclass of the first kind can duplicate.
    Conf conf;
    const auto add = [&conf](quint16 number, bool weights, bool long_minimums) {
        Subclass s;
        s.set_subclass_number(number);
        s.set_category("1");
        if (weights) {
            s.set_max_axle_weight_at_index("1", 0);
            s.set_max_axle_weight_at_index(QStringLiteral("w%1").arg(number), 1);
        }
        s.set_min_distance_at_index("b", 0);
        if (long_minimums) {
            s.set_min_distance_at_index("c", 1);
        }
        if (number != 39) {
            s.set_max_distance_at_index(QStringLiteral("m%1").arg(number), 0);
        }
        conf.set_subclass(number, s);
    };
    for (quint16 n = 0; n < 10; ++n) {
        add(n, false, true);
        add(quint16(100 + n), false, false);
        add(quint16(200 + n), true, false);
    }
    for (quint16 n = 10; n < 40; ++n) {
        add(n, true, true);
    }
    QCOMPARE(pairwise_duplicates(conf), QString("0 = 39"));
    QCOMPARE(conf.find_duplicates(), QString("0 = 39"));
    conf.remove_subclass(0);
    QCOMPARE(conf.find_duplicates(), pairwise_duplicates(conf));
    conf.get_subclass(39).set_max_distance_at_index("m39", 0);
    QCOMPARE(conf.find_duplicates(), QString());
}

void tst_Conf::configurationValidity_data()
{
    QTest::addColumn<QString>("case_name");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("number");
    QTest::newRow("valid") << "valid" << true << 0;
    QTest::newRow("incomplete subclass before the header") << "empty category" << false << 4;
    QTest::newRow("empty country code") << "no country" << false << 0;
    QTest::newRow("group maximum 0") << "group" << false << 0;
    QTest::newRow("unclassified names a subclass") << "unclassified" << false << 0;
    QTest::newRow("incomplete subclass 0 reads as header") << "subclass 0" << false << 0;
    QTest::newRow("other header values do not count") << "others" << true << 0;
    QTest::newRow("bad constraint does not count") << "constraint" << true << 0;
    QTest::newRow("no subclasses") << "empty set" << true << 0;
}

void tst_Conf::configurationValidity()
{
    QFETCH(QString, case_name);
    QFETCH(bool, ok);
    QFETCH(int, number);
    Conf conf = valid_header();
    if (case_name != "empty set") {
        conf.set_subclass(2, complete_subclass(2));
        conf.set_subclass(4, complete_subclass(4, 3));
        conf.set_subclass(6, complete_subclass(6, 5));
    }
    if (case_name == "empty category") {
        conf.get_subclass(4).set_category("");
        conf.get_subclass(6).set_max_GVW("");
        conf.set_country_code("");
    } else if (case_name == "no country") {
        conf.set_country_code("");
    } else if (case_name == "group") {
        conf.set_group_max_distance("0");
    } else if (case_name == "unclassified") {
        conf.set_unclassified_vehicles_subclass("6");
    } else if (case_name == "subclass 0") {
        Subclass zero = complete_subclass(0);
        zero.set_max_axle_weight_at_index("0", 1);
        conf.set_subclass(0, zero);
    } else if (case_name == "others") {
        conf.set_g_acceleration_constant("0");
        conf.set_min_axle_distance("20");
        conf.set_max_axle_distance("");
        conf.set_uncategorised_vehicle_category("3");
    } else if (case_name == "constraint") {
        conf.get_subclass(4).set_combined_constraint("1,2", -1);
        conf.get_subclass(4).set_reclassify_up_to_subclass("99");
    }
    QCOMPARE(conf.is_configuration_valid(), qMakePair(ok, quint16(number)));
}

QTEST_GUILESS_MAIN(tst_Conf)
#include "tst_conf.moc"
