// A vehicle's verdict from its matches, and the weight flags each match gives it.
#include "tables.h"
#include "vehiclematch.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QtTest>

class tst_VehicleMatch : public QObject
{
    Q_OBJECT

private slots:
    void verdict_data();
    void verdict();
    void flags_data();
    void flags();
};

void tst_VehicleMatch::verdict_data()
{
    QTest::addColumn<float>("gap");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QVector<int>>("windows");
    QTest::newRow("once") << 1.2f << int(VehicleMatch::Once) << QVector<int> {0};
    QTest::newRow("one category") << 1.7f << int(VehicleMatch::OneCategory) << QVector<int> {0, 1};
    QTest::newRow("categories differ as texts")
        << 2.2f << int(VehicleMatch::Ambiguous) << QVector<int> {1, 2};
    QTest::newRow("unmatched") << 4.0f << int(VehicleMatch::Unmatched) << QVector<int>();
}

void tst_VehicleMatch::verdict()
{
    QFETCH(float, gap);
    QFETCH(int, verdict);
    QFETCH(QVector<int>, windows);
    const Conf conf = window_conf({"1:2:1-2", "2:2:1.5-2.5", "3:02:2-3"});
    const WindowTable table(conf);
    VehicleRecord vehicle;
    vehicle.gaps = {gap};
    const VehicleMatch match = match_vehicle(table, vehicle);
    QCOMPARE(int(match.verdict), verdict);
    QVector<int> found;
    for (const SubclassMatch &m : match.matches) {
        found << m.window;
    }
    QCOMPARE(found, windows);
}

void tst_VehicleMatch::flags_data()
{
    QTest::addColumn<QVector<float>>("weights");
    QTest::addColumn<float>("gross"); // -1: none
    QTest::addColumn<QStringList>("flags");
    QTest::newRow("no weights") << QVector<float>() << -1.0f << QStringList();
    QTest::newRow("each at its limit") << QVector<float> {100, 50, 100} << 250.0f << QStringList();
    QTest::newRow("each above its limit") << QVector<float> {100.5f, 100,
        60} << 260.5f << QStringList {"axle 1: 100.5 > 100", "axles 2+3: 160 > 150", "up to 6"};
    QTest::newRow("gross above the maximum")
        << QVector<float> {10, 10, 10} << 301.0f << QStringList {"gross: 301 > 300", "up to 6"};
    QTest::newRow("light, gross alone") << QVector<float>() << 40.0f << QStringList {"down to 4"};
}

// A three-axle subclass: 100 kN per axle, axles 2 and 3 together 150 kN (and a constraint on an
// axle 4 it does not have), 300 kN gross, up to 6 above 250 kN, down to 4 below 50 kN.
void tst_VehicleMatch::flags()
{
    QFETCH(QVector<float>, weights);
    QFETCH(float, gross);
    QFETCH(QStringList, flags);
    Conf conf = window_conf({"5:1:1-3;1-3:6:4"});
    Subclass &s = conf.get_subclass(5);
    s.set_combined_constraint(QStringLiteral("2+3,150"), -1);
    s.set_combined_constraint(QStringLiteral("3+4,10"), -1);
    s.set_upper_GVW_limit(QStringLiteral("250"));
    s.set_lower_GVW_limit(QStringLiteral("50"));
    const WindowTable table(conf);
    VehicleRecord vehicle;
    vehicle.gaps = {2, 2};
    vehicle.axleWeights = weights;
    vehicle.hasGross = gross >= 0;
    vehicle.gross = gross;
    const VehicleMatch match = match_vehicle(table, vehicle);
    QCOMPARE(match.matches.size(), 1);
    const SubclassMatch &m = match.matches.first();
    QStringList found;
    for (const auto *list : {&m.axlesAbove, &m.groupsAbove}) {
        for (const WeightExcess &excess : *list) {
            QStringList axles;
            for (const int axle : excess.axles) {
                axles << QString::number(axle);
            }
            found << QStringLiteral("%1 %2: %3 > %4")
                         .arg(excess.axles.size() > 1 ? "axles" : "axle", axles.join('+'))
                         .arg(double(excess.weight))
                         .arg(double(excess.limit));
        }
    }
    if (m.grossAbove) {
        found << QStringLiteral("gross: %1 > %2")
                     .arg(double(m.gross.weight))
                     .arg(double(m.gross.limit));
    }
    if (m.reclassify != 0) {
        found << QStringLiteral("%1 to %2").arg(m.reclassify > 0 ? "up" : "down").arg(m.target);
    }
    QCOMPARE(found, flags);
}

QTEST_GUILESS_MAIN(tst_VehicleMatch)
#include "tst_vehiclematch.moc"
