// The matching rule at its bounds, in metres and feet, and its index against every window.
#include "tables.h"
#include "windowtable.h"

#include <QtTest>

class tst_WindowTable : public QObject
{
    Q_OBJECT

private slots:
    void matchAtBounds_data();
    void matchAtBounds();
    void indexFindsEveryMatch();
};

void tst_WindowTable::matchAtBounds_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QByteArray>("csv"); // the header's gap column and the gaps
    QTest::addColumn<bool>("matches");
    QTest::newRow("gap equal to min") << "2.1-3.2" << QByteArray("gaps_m\nv,2,2.1") << true;
    QTest::newRow("gap equal to max written otherwise")
        << "2.1-3.2" << QByteArray("gaps_m\nv,2,3.20") << true;
    QTest::newRow("just below min") << "2.1-3.2" << QByteArray("gaps_m\nv,2,2.09999") << false;
    QTest::newRow("just above max") << "2.1-3.2" << QByteArray("gaps_m\nv,2,3.20001") << false;
    // 10 ft and 11 ft are 3.048 m and 3.3528 m exactly, but as floats 10 * 0.3048f equals
    // 3.048f while 11 * 0.3048f lies one step above 3.3528f.
    QTest::newRow("10 ft at max 3.048 m") << "2-3.048" << QByteArray("gaps_ft\nv,2,10") << true;
    QTest::newRow("11 ft above max 3.3528 m")
        << "2-3.3528" << QByteArray("gaps_ft\nv,2,11") << false;
    QTest::newRow("11 ft inside min 3.3528 m")
        << "3.3528-4" << QByteArray("gaps_ft\nv,2,11") << true;
}

void tst_WindowTable::matchAtBounds()
{
    QFETCH(QString, window);
    QFETCH(QByteArray, csv);
    QFETCH(bool, matches);
    const Conf conf = window_conf({"7:2:" + window});
    QVector<VehicleRecord> vehicles;
    QCOMPARE(read_all("id,axles," + csv, conf, &vehicles), QStringList {"line 2: ok"});
    QCOMPARE(WindowTable(conf).matching(vehicles.first().gaps),
        matches ? QVector<int> {0} : QVector<int>());
}

// Gaps on a grid that meets every bound: the index must find exactly the windows whose texts,
// read as floats, hold every gap.
void tst_WindowTable::indexFindsEveryMatch()
{
    std::mt19937 random(13);
    for (int round = 0; round < 100; ++round) {
        const Conf conf = random_conf(random, 40);
        const WindowTable table(conf);
        for (int v = 0; v < 50; ++v) {
            QVector<float> gaps(1 + int(random() % 3));
            for (float &gap : gaps) {
                gap = 1 + 0.25f * (random() % 16);
            }
            QVector<int> expected;
            for (const quint16 number : conf.get_subclass_numbers()) {
                const Subclass &s = conf.get_subclass(number);
                bool inside = s.get_number_of_axles().toInt() == gaps.size() + 1;
                for (int i = 0; i < gaps.size() && inside; ++i) {
                    inside = s.get_min_distance_at_index(i).toFloat() <= gaps.at(i)
                        && gaps.at(i) <= s.get_max_distance_at_index(i).toFloat();
                }
                if (inside) {
                    expected << number;
                }
            }
            QCOMPARE(table.matching(gaps), expected);
        }
    }
}

QTEST_GUILESS_MAIN(tst_WindowTable)
#include "tst_windowtable.moc"
