// Configuration header record and set of subclasses.
#include "conf.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

enum Check { Country, G, Group, Uncategorised, MinAxle, Unclassified };

// A complete subclass of `axles` axles whose maximum axle distances are `max`.
Subclass complete_subclass(quint16 number, int axles = 2, const QString &max = "4.5")
{
    const QString n = QString::number(axles);
    QString weights = "1,100";
    for (int i = 2; i <= axles; ++i) {
        weights += QStringLiteral(";%1,100").arg(i);
    }
    return Subclass(QMap<QString, QString> {{"subclass", QString::number(number)},
        {"category", "1"}, {"max_GVW__kN", "300"}, {"axle_configuration", "H" + n},
        {"number_of_axles", n}, {"max_axle_weight__kN", weights},
        {"tyre_type", QString("1,").repeated(axles).chopped(1)},
        {"min_axle_distance__m", QString("1.5,").repeated(axles - 1).chopped(1)},
        {"max_axle_distance__m", (max + ",").repeated(axles - 1).chopped(1)}});
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

Q_DECLARE_METATYPE(Check)

class tst_Conf : public QObject
{
    Q_OBJECT

private slots:
    void headerChecks_data();
    void headerChecks();
    void countryCodeTable();
    void checkMaxAxleDistance_data();
    void checkMaxAxleDistance();
    void checksFollowEdits();
    void subclassSetAndAbsentNumbers();
    void findDuplicatesMatchesPairwiseOrder();
    void findDuplicatesThroughNestedPrefixes();
    void searchAfterGroupShrinks();
    void configurationValidity();
};

void tst_Conf::headerChecks_data()
{
    QTest::addColumn<Check>("check");
    QTest::addColumn<QString>("value"); // for MinAxle: minimum/maximum
    QTest::addColumn<bool>("valid");
    QTest::newRow("mixed case") << Country << "sI" << true;
    QTest::newRow("three letters") << Country << "SVN" << false;
    QTest::newRow("g 9.81") << G << "9.81" << true;
    QTest::newRow("g 0") << G << "0" << false;
    QTest::newRow("g decimal comma") << G << "9,81" << false;
    QTest::newRow("group 0.01") << Group << "0.01" << true;
    QTest::newRow("group 0") << Group << "0" << false;
    QTest::newRow("uncategorised empty") << Uncategorised << "" << true;
    QTest::newRow("uncategorised 6") << Uncategorised << "6" << true;
    QTest::newRow("uncategorised 5") << Uncategorised << "5" << false;
    QTest::newRow("uncategorised 6.5") << Uncategorised << "6.5" << false;
    QTest::newRow("min 2 over max 1.5") << MinAxle << "2/1.5" << false;
    QTest::newRow("min equal to max") << MinAxle << "2.5/2.5" << true;
    QTest::newRow("min over empty max") << MinAxle << "1/" << false;
    QTest::newRow("nan is not greater") << MinAxle << "nan/2" << true;
    QTest::newRow("unclassified names a subclass") << Unclassified << "7" << false;
    QTest::newRow("unclassified names none") << Unclassified << "8" << true;
    QTest::newRow("70000 reads as 0") << Unclassified << "70000" << false;
}

void tst_Conf::headerChecks()
{
    QFETCH(Check, check);
    QFETCH(QString, value);
    QFETCH(bool, valid);
    Conf conf;
    conf.set_subclass(0, complete_subclass(0));
    conf.set_subclass(7, complete_subclass(7));
    conf.set_country_code(value);
    conf.set_g_acceleration_constant(value);
    conf.set_group_max_distance(value);
    conf.set_uncategorised_vehicle_category(value);
    conf.set_unclassified_vehicles_subclass(value);
    conf.set_min_axle_distance(value.section('/', 0, 0));
    conf.set_max_axle_distance(value.section('/', 1));
    QCOMPARE(conf.get_country_code(), value.toUpper());
    const bool results[] = {conf.is_country_code_valid(), conf.is_g_acceleration_constant_valid(),
        conf.is_group_max_distance_valid(), conf.is_uncategorised_vehicle_category_valid(),
        conf.is_min_axle_distance_valid(), conf.is_unclassified_vehicles_subclass_valid()};
    QCOMPARE(results[check], valid);
}

void tst_Conf::countryCodeTable()
{
    // Exactly the officially assigned codes among all two-letter combinations: the newer ones
    // in, the reserved and withdrawn ones out.
    Conf conf;
    QStringList valid;
    for (int code = 0; code < 26 * 26; ++code) {
        conf.set_country_code(QString(QChar('A' + code / 26)) + QChar('A' + code % 26));
        if (conf.is_country_code_valid()) {
            valid << conf.get_country_code();
        }
    }
    QCOMPARE(valid.size(), 249);
    const QStringList out {"XK", "UK", "EU", "AN"};
    for (const QString &code : out + QStringList {"AF", "AX", "BQ", "CW", "SS", "SX", "ZW"}) {
        QVERIFY2(valid.contains(code) != out.contains(code), qPrintable(code));
    }
}

void tst_Conf::checkMaxAxleDistance_data()
{
    QTest::addColumn<QString>("header"); // maximum/minimum
    QTest::addColumn<QStringList>("distances");
    QTest::addColumn<int>("result");
    QTest::newRow("empty") << "/0" << QStringList() << 2;
    QTest::newRow("a subclass above") << "10/1" << QStringList {"4", "12"} << 1;
    QTest::newRow("raised to the subclass") << "12/1" << QStringList {"4", "12"} << 0;
    QTest::newRow("spare entries count too") << "10/1" << QStringList {"4", "", "11"} << 1;
    QTest::newRow("text reads as 0") << "10/1" << QStringList {"far"} << 0;
    QTest::newRow("both above, minimum wins") << "10/12" << QStringList {"20"} << 2;
}

void tst_Conf::checkMaxAxleDistance()
{
    QFETCH(QString, header);
    QFETCH(QStringList, distances);
    QFETCH(int, result);
    Conf conf;
    conf.set_max_axle_distance(header.section('/', 0, 0));
    conf.set_min_axle_distance(header.section('/', 1));
    conf.set_subclass(1, complete_subclass(1));
    Subclass s;
    for (int i = 0; i < distances.size(); ++i) {
        s.set_max_distance_at_index(distances.at(i), i);
    }
    conf.set_subclass(2, s);
    QCOMPARE(conf.check_max_axle_distance(), result);
}

void tst_Conf::checksFollowEdits()
{
    Conf conf = valid_header();
    conf.set_subclass(1, complete_subclass(1));
    conf.set_subclass(2, complete_subclass(2, 3, "11"));
    conf.set_subclass(3, complete_subclass(3, 2));
    conf.set_subclass(4, complete_subclass(4, 4));
    conf.get_subclass(4).set_combined_constraint("1+2", -1);
    QCOMPARE(conf.get_invalid_subclasses(), (QVector<quint16> {2, 4}));
    QCOMPARE(conf.check_max_axle_distance(), 1);
    // The header limits apply as they are now.
    conf.set_max_axle_distance("11");
    QCOMPARE(conf.get_invalid_subclasses(), QVector<quint16> {4});
    QCOMPARE(conf.check_max_axle_distance(), 0);
    conf.set_min_axle_distance("2");
    QCOMPARE(conf.get_invalid_subclasses(), (QVector<quint16> {1, 2, 3, 4}));
    conf.set_min_axle_distance("1");
    // So do edits through get_subclass.
    conf.get_subclass(4).set_combined_constraint("1+2,200", 0);
    conf.get_subclass(3).set_tyre_type_at_index("7", 1);
    QCOMPARE(conf.get_invalid_subclasses(), QVector<quint16> {3});
    conf.get_subclass(3).set_min_max_distances("1", "11.5");
    QCOMPARE(conf.check_max_axle_distance(), 1);
    conf.remove_subclass(3);
    QCOMPARE(conf.check_max_axle_distance(), 0);
}

void tst_Conf::subclassSetAndAbsentNumbers()
{
    // Numbers ascend; edits go to the stored subclass; storing under a number in use replaces;
    // a copy stored under another number is a duplicate until it differs.
    Conf conf;
    for (const quint16 number : {5, 3, 65535}) {
        conf.set_subclass(number, complete_subclass(number));
    }
    conf.set_subclass(5, complete_subclass(5, 3));
    QCOMPARE(conf.get_subclass(5).get_number_of_axles(), QString("3"));
    conf.get_subclass(3).set_category("9");
    Subclass copy = conf.get_subclass(3);
    copy.set_subclass_number(8);
    conf.set_subclass(8, copy);
    QCOMPARE(conf.find_duplicates(), QString("3 = 8"));
    conf.get_subclass(8).set_category("2");
    QCOMPARE(conf.find_duplicates(), QString());
    conf.remove_subclass(5);
    conf.remove_subclass(4);
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {3, 8, 65535}));
    QVERIFY(conf.contains_subclass(65535) && !conf.contains_subclass(5));
    // An absent number gives an empty subclass of its own and leaves the set alone; every such
    // call starts afresh.
    Subclass &absent = conf.get_subclass(4);
    absent.set_category("5");
    absent.set_max_axle_weight_at_index("1", 0);
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {3, 8, 65535}));
    const Subclass &again = conf.get_subclass(9);
    QCOMPARE(again.get_category(), QString());
    QCOMPARE(again.get_max_axle_weight_count(), 0);
    QCOMPARE(conf.get_subclass(3).get_category(), QString("9"));
}

void tst_Conf::findDuplicatesMatchesPairwiseOrder()
{
    // Random sets full of lists that start alike and differ in length, empty lists and shared
    // values: the answer is the pair the plain pairwise order finds first.
    void (Subclass::*const setters[])(QString, int)
        = {&Subclass::set_max_axle_weight_at_index, &Subclass::set_min_distance_at_index,
            &Subclass::set_max_distance_at_index, &Subclass::set_tyre_type_at_index};
    int outcomes[2] = {0, 0};
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
        const auto letter
            = [&random, alphabet] { return QString::number(random.bounded(alphabet) + 1); };
        QVector<QStringList> base(4 * bases);
        for (QStringList &list : base) {
            for (int i = 0; i < 8; ++i) {
                list.append(letter());
            }
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
                list = list.mid(0,
                    kind == fixed_kind ? longest - random.bounded(lengths)
                                       : random.bounded(shortest, longest + 1));
                if (!list.isEmpty() && random.bounded(100) < mutate) {
                    list[random.bounded(list.size())] = letter();
                }
                for (int j = 0; j < list.size(); ++j) {
                    (s.*setters[kind])(list.at(j), j);
                }
            }
            const quint16 number = quint16(random.bounded(seed % 3 == 0 ? 65536 : count * 2));
            s.set_subclass_number(number);
            conf.set_subclass(number, s);
        }
        const QString expected = pairwise_duplicates(conf);
        QCOMPARE(conf.find_duplicates(), expected);
        ++outcomes[expected.isEmpty()];
    }
    // Both outcomes were exercised.
    QVERIFY(outcomes[0] > 50 && outcomes[1] > 50);
}

void tst_Conf::findDuplicatesThroughNestedPrefixes()
{
    // Groups large enough to be searched by prefix: subclasses without weights (0 to 9 and 100
    // to 109) against subclasses with them (10 to 39 and 200 to 209), minimum distances that
    // are prefixes of each other, and one subclass (39) without maximum distances, the only
    // one a subclass of the first kind can duplicate.
    Conf conf;
    for (const int start : {0, 100, 200}) {
        for (quint16 number = start; number < start + (start == 0 ? 40 : 10); ++number) {
            const bool weights = (number >= 10 && number < 100) || number >= 200;
            Subclass s;
            s.set_category("1");
            if (weights) {
                s.set_max_axle_weight_at_index("1", 0);
                s.set_max_axle_weight_at_index(QStringLiteral("w%1").arg(number), 1);
            }
            s.set_min_distance_at_index("b", 0);
            if (number < 100) {
                s.set_min_distance_at_index("c", 1);
            }
            if (number != 39) {
                s.set_max_distance_at_index(QStringLiteral("m%1").arg(number), 0);
            }
            s.set_subclass_number(number);
            conf.set_subclass(number, s);
        }
    }
    QCOMPARE(pairwise_duplicates(conf), QString("0 = 39"));
    QCOMPARE(conf.find_duplicates(), QString("0 = 39"));
    conf.remove_subclass(0);
    QCOMPARE(conf.find_duplicates(), pairwise_duplicates(conf));
    conf.get_subclass(39).set_max_distance_at_index("m39", 0);
    QCOMPARE(conf.find_duplicates(), QString());
}

void tst_Conf::searchAfterGroupShrinks()
{
    // 26 subclasses alike but for their second weight form one group too large to compare pair
    // by pair; after three are removed and a new one added, the group is small.
    const auto alike = [](quint16 number, const QString &second) {
        Subclass s;
        s.set_category("1");
        s.set_max_axle_weight_at_index("a", 0);
        s.set_max_axle_weight_at_index(second, 1);
        s.set_subclass_number(number);
        return s;
    };
    Conf conf;
    for (quint16 i = 0; i < 26; ++i) {
        conf.set_subclass(i, alike(i, QStringLiteral("w%1").arg(i)));
    }
    QCOMPARE(conf.find_duplicates(), QString());
    for (const quint16 number : {0, 1, 2}) {
        conf.remove_subclass(number);
    }
    conf.set_subclass(100, alike(100, "fresh"));
    QCOMPARE(conf.find_duplicates(), QString());
    conf.get_subclass(100).set_max_axle_weight_at_index("w3", 1);
    QCOMPARE(conf.find_duplicates(), QString("3 = 100"));
}

void tst_Conf::configurationValidity()
{
    const auto result = [](bool ok, int number) { return qMakePair(ok, quint16(number)); };
    QCOMPARE(Conf().is_configuration_valid(), result(false, 0));
    Conf conf = valid_header();
    conf.set_subclass(2, complete_subclass(2));
    conf.set_subclass(4, complete_subclass(4, 3));
    conf.set_subclass(6, complete_subclass(6, 5, "11"));
    // Other header values, constraints, reclassification targets and subclasses outside the
    // header limits do not count.
    conf.set_g_acceleration_constant("0");
    conf.set_min_axle_distance("20");
    conf.set_uncategorised_vehicle_category("3");
    conf.get_subclass(4).set_combined_constraint("1,2", -1);
    conf.get_subclass(4).set_reclassify_up_to_subclass("99");
    QCOMPARE(conf.is_configuration_valid(), result(true, 0));
    // The first incomplete subclass is named before the header is looked at.
    conf.get_subclass(4).set_category("");
    conf.get_subclass(6).set_max_GVW("");
    conf.set_country_code("");
    QCOMPARE(conf.is_configuration_valid(), result(false, 4));
    conf.get_subclass(4).set_category("1");
    conf.get_subclass(6).set_max_GVW("300");
    QCOMPARE(conf.is_configuration_valid(), result(false, 0));
    conf.set_country_code("SI");
    conf.set_group_max_distance("0");
    QCOMPARE(conf.is_configuration_valid(), result(false, 0));
    conf.set_group_max_distance("3");
    conf.set_unclassified_vehicles_subclass("6");
    QCOMPARE(conf.is_configuration_valid(), result(false, 0));
    // An incomplete subclass 0 cannot be told from a failing header.
    conf.set_unclassified_vehicles_subclass("1");
    Subclass zero = complete_subclass(0);
    zero.set_max_axle_weight_at_index("0", 1);
    conf.set_subclass(0, zero);
    QCOMPARE(conf.is_configuration_valid(), result(false, 0));
}

QTEST_GUILESS_MAIN(tst_Conf)
#include "tst_conf.moc"
