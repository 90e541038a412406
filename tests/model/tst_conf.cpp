// Configuration header record and set of subclasses.
#include "conf.h"
#include "modeltest.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
enum Check { Country, G, Group, Uncategorised, MinAxle, Unclassified };
} // namespace

Q_DECLARE_METATYPE(Check)

class tst_Conf : public QObject
{
    Q_OBJECT

private slots:
    void headerChecks_data();
    void headerChecks();
    void countryCodeTable();
    void subclassSetAndAbsentNumbers();
    void setChecksMatchPlainDefinitionsBetweenEdits();
    void searchAfterGroupShrinks();
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
    conf.set_subclass(0, validSubclass(0));
    conf.set_subclass(7, validSubclass(7));
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

void tst_Conf::subclassSetAndAbsentNumbers()
{
    // Numbers ascend; edits go to the stored subclass; storing under a number in use replaces.
    Conf conf;
    for (const quint16 number : {5, 3, 65535, 5}) {
        conf.set_subclass(number, validSubclass(number, conf.contains_subclass(number) ? 4 : 3));
    }
    QCOMPARE(conf.get_subclass(5).get_number_of_axles(), QString("4"));
    conf.get_subclass(3).set_category("9");
    conf.remove_subclass(5);
    conf.remove_subclass(4);
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {3, 65535}));
    // An absent number gives an empty subclass of its own and leaves the set alone; every such
    // call starts afresh.
    conf.get_subclass(4).set_category("5");
    conf.get_subclass(4).set_max_axle_weight_at_index("1", 0);
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {3, 65535}));
    QCOMPARE(lists(conf.get_subclass(9)).join(QString()) + conf.get_subclass(9).get_category(),
        QString());
    QCOMPARE(conf.get_subclass(3).get_category(), QString("9"));
}

void tst_Conf::setChecksMatchPlainDefinitionsBetweenEdits()
{
    // Random sets full of lists that start alike and differ in length, empty lists and shared
    // values, searched again after edits: removals, additions and entries changed in place
    // through get_subclass, which move groups of equal values across the size at which the
    // search stops comparing pair by pair, and new header limits, the maximum now and then
    // empty. The duplicate search answers the pair the plain pairwise order finds first, and the
    // other set checks agree with theirs.
    void (Subclass::*const setters[])(QString, int)
        = {&Subclass::set_max_axle_weight_at_index, &Subclass::set_min_distance_at_index,
            &Subclass::set_max_distance_at_index, &Subclass::set_tyre_type_at_index};
    int outcomes[2] = {0, 0};
    int valids[3] = {0, 0, 0};
    const Capture capturing;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        QRandomGenerator random(seed);
        // Odd seeds make pairs rare: longer lists, more letters, more changes.
        const bool rare = seed % 2 == 1;
        const int count = random.bounded(2, seed % 5 == 0 ? 400 : 90);
        // Every fourth seed makes complete subclasses (of 2 or 3 axles) likely.
        const bool complete = seed % 4 == 0;
        const int alphabet = rare ? random.bounded(4, 9) : random.bounded(1, complete ? 5 : 6);
        const int bases = rare ? random.bounded(2, 6) : random.bounded(1, 4);
        const int shortest = rare ? random.bounded(1, 3) : complete ? 3 : 0;
        const int longest = random.bounded(shortest + 1, 9);
        const int mutate = rare ? random.bounded(50, 100) : random.bounded(0, 40);
        const int categories = random.bounded(1, 3);
        // A kind whose lists are all alike or all of one length now and then.
        const int fixedKind = random.bounded(8);
        const int lengths = random.bounded(1, 3);
        const auto letter
            = [&random, alphabet] { return QString::number(random.bounded(alphabet) + 1); };
        QVector<QStringList> base(4 * bases);
        for (QStringList &list : base) {
            for (int i = 0; i < 8; ++i) {
                list.append(letter());
            }
        }
        const auto make = [&](quint16 number) {
            Subclass s;
            s.set_category(QString::number(random.bounded(categories)));
            if (random.bounded(20) == 0) {
                s.set_prepend(QStringLiteral("1"));
            }
            for (int kind = 0; kind < 4; ++kind) {
                QStringList list = base.at(kind * bases + random.bounded(bases));
                list = list.mid(0,
                    kind == fixedKind ? longest - random.bounded(lengths)
                                      : random.bounded(shortest, longest + 1));
                if (!list.isEmpty() && random.bounded(100) < mutate) {
                    list[random.bounded(list.size())] = letter();
                }
                for (int j = 0; j < list.size(); ++j) {
                    (s.*setters[kind])(list.at(j), j);
                }
            }
            if (complete) {
                const QString axles = QString::number(random.bounded(2, 4));
                s.set_number_of_axles(axles);
                s.set_axle_configuration("H" + axles);
                s.set_max_GVW("400");
            }
            s.set_subclass_number(number);
            return s;
        };
        const auto number
            = [&] { return quint16(random.bounded(seed % 3 == 0 ? 65536 : count * 2)); };
        Conf conf;
        for (int i = 0; i < count; ++i) {
            const quint16 n = number();
            conf.set_subclass(n, make(n));
        }
        for (int round = 0; round < 4; ++round) {
            QCOMPARE(setChecks(conf, false), setChecks(conf, true));
            ++outcomes[conf.find_duplicates().isEmpty()];
            const auto v = conf.is_configuration_valid();
            ++valids[v.first ? 0 : v.second ? 1 : 2];
            const QVector<quint16> numbers = conf.get_subclass_numbers();
            for (int edits = random.bounded(1, 2 + numbers.size() / 3); edits > 0; --edits) {
                const quint16 n = numbers.value(random.bounded(qMax(numbers.size(), 1)));
                const int kind = random.bounded(6);
                if (kind == 0) {
                    conf.remove_subclass(n);
                } else if (kind == 1) {
                    const quint16 added = number();
                    conf.set_subclass(added, make(added));
                } else {
                    (conf.get_subclass(n).*setters[kind - 2])(letter(), random.bounded(longest));
                }
            }
            conf.set_min_axle_distance(letter());
            conf.set_max_axle_distance(random.bounded(8) ? letter() : QString());
            conf.set_country_code(random.bounded(4) ? "SI" : "");
            conf.set_group_max_distance(random.bounded(4) ? "3" : "0");
            conf.set_unclassified_vehicles_subclass(random.bounded(4) ? "70000" : "1");
        }
    }
    // Every outcome was exercised: a pair or none; valid, a subclass failing, the header failing.
    QVERIFY(outcomes[0] > 100 && outcomes[1] > 100);
    QVERIFY(valids[0] > 50 && valids[1] > 50 && valids[2] > 50);
}

void tst_Conf::searchAfterGroupShrinks()
{
    // 26 subclasses alike but for their second weight form one group too large to compare pair
    // by pair; after three are removed and a new one added, the group is small.
    const auto alike = [](const QString &second) {
        Subclass s;
        s.set_category("1");
        s.set_max_axle_weight_at_index("a", 0);
        s.set_max_axle_weight_at_index(second, 1);
        return s;
    };
    Conf conf;
    for (quint16 i = 0; i < 26; ++i) {
        conf.set_subclass(i, alike(QStringLiteral("w%1").arg(i)));
    }
    QCOMPARE(conf.find_duplicates(), QString());
    for (const quint16 number : {0, 1, 2}) {
        conf.remove_subclass(number);
    }
    conf.set_subclass(100, alike("fresh"));
    QCOMPARE(conf.find_duplicates(), QString());
    conf.get_subclass(100).set_max_axle_weight_at_index("w3", 1);
    QCOMPARE(conf.find_duplicates(), QString("3 = 100"));
}

QTEST_GUILESS_MAIN(tst_Conf)
#include "tst_conf.moc"
