// The recorded-vehicle summary: its status at the 2 % limit, and the confusion table.
#include "fleetsummary.h"
#include "tables.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QtTest>

class tst_FleetSummary : public QObject
{
    Q_OBJECT

private slots:
    void status_data();
    void status();
    void confusion();
};

void tst_FleetSummary::status_data()
{
    QTest::addColumn<int>("once");
    QTest::addColumn<int>("ambiguous");
    QTest::addColumn<int>("unmatched");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<int>("status");
    QTest::newRow("1 % unmatched") << 99 << 0 << 1 << 0 << 0;
    QTest::newRow("2 % unmatched is not under 2 %") << 49 << 0 << 1 << 0 << 1;
    QTest::newRow("one ambiguous") << 99 << 1 << 0 << 0 << 1;
    QTest::newRow("one row skipped") << 99 << 0 << 0 << 1 << 1;
    QTest::newRow("no vehicle read") << 0 << 0 << 0 << 0 << 1;
}

void tst_FleetSummary::status()
{
    QFETCH(int, once);
    QFETCH(int, ambiguous);
    QFETCH(int, unmatched);
    QFETCH(int, skipped);
    QFETCH(int, status);
    const Conf conf = window_conf({});
    const WindowTable table(conf);
    FleetSummary summary(table);
    VehicleMatch match;
    for (const auto &verdict :
        {qMakePair(VehicleMatch::Once, once), qMakePair(VehicleMatch::Ambiguous, ambiguous),
            qMakePair(VehicleMatch::Unmatched, unmatched)}) {
        match.verdict = verdict.first;
        for (int i = 0; i < verdict.second; ++i) {
            summary.add(VehicleRecord(), match);
        }
    }
    for (int i = 0; i < skipped; ++i) {
        summary.add_skipped();
    }
    QCOMPARE(summary.status(), status);
}

void tst_FleetSummary::confusion()
{
    const Conf conf = window_conf({"1:10:1-2", "2:9:3-4", "3:b:5-6", "4:02:7-8"});
    const WindowTable table(conf);
    FleetSummary summary(table);
    VehicleRecord vehicle;
    vehicle.hasExpected = true;
    for (const quint16 expected : {1, 2, 3, 4}) {
        vehicle.expected = expected;
        VehicleMatch match;
        match.verdict = VehicleMatch::Once;
        match.matches = {SubclassMatch()};
        match.matches.first().window = 4 - expected;
        summary.add(vehicle, match);
    }
    vehicle.expected = 2;
    summary.add(vehicle, VehicleMatch());
    QCOMPARE(summary.matched_categories(), QStringList({"02", "9", "10", "b"}));
    QCOMPARE(summary.confusion().value("9").matched, (QMap<QString, qint64> {{"b", 1}}));
    QCOMPARE(summary.confusion().value("9").unmatched, qint64(1));
    QCOMPARE(summary.count(VehicleMatch::Unmatched), qint64(1));
}

QTEST_GUILESS_MAIN(tst_FleetSummary)
#include "tst_fleetsummary.moc"
