// The taking-part subclasses and the matching rule: bounds, feet, and the index against every
// window.
#include "tables.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QBuffer>
#include <QtTest>

#include <random>

class tst_WindowTable : public QObject
{
    Q_OBJECT

private slots:
    void matchAtBounds_data();
    void matchAtBounds();
    void takingPart_data();
    void takingPart();
    void indexFindsEveryMatch();
};

void tst_WindowTable::matchAtBounds_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("gapColumn");
    QTest::addColumn<QString>("gap");
    QTest::addColumn<bool>("matches");
    QTest::newRow("gap equal to min") << "2.1-3.2"
                                      << "gaps_m"
                                      << "2.1" << true;
    QTest::newRow("gap equal to max") << "2.1-3.2"
                                      << "gaps_m"
                                      << "3.2" << true;
    QTest::newRow("max written otherwise") << "2.1-3.2"
                                           << "gaps_m"
                                           << "3.20" << true;
    QTest::newRow("just below min") << "2.1-3.2"
                                    << "gaps_m"
                                    << "2.09999" << false;
    QTest::newRow("just above max") << "2.1-3.2"
                                    << "gaps_m"
                                    << "3.20001" << false;
    // 10 ft and 11 ft are 3.048 m and 3.3528 m exactly, but as floats 10 * 0.3048f equals
    // 3.048f while 11 * 0.3048f lies one step above 3.3528f.
    QTest::newRow("10 ft at max 3.048 m") << "2-3.048"
                                          << "gaps_ft"
                                          << "10" << true;
    QTest::newRow("11 ft above max 3.3528 m") << "2-3.3528"
                                              << "gaps_ft"
                                              << "11" << false;
    QTest::newRow("11 ft inside min 3.3528 m") << "3.3528-4"
                                               << "gaps_ft"
                                               << "11" << true;
    QTest::newRow("second gap decides") << "1-2;1-2"
                                        << "gaps_m"
                                        << "1.5;2.5" << false;
    QTest::newRow("other axle count") << "1-2;1-2"
                                      << "gaps_m"
                                      << "1.5" << false;
}

void tst_WindowTable::matchAtBounds()
{
    QFETCH(QString, window);
    QFETCH(QString, gapColumn);
    QFETCH(QString, gap);
    QFETCH(bool, matches);
    const Conf conf = window_conf({"7:2:" + window});
    const WindowTable table(conf);
    QByteArray csv = QStringLiteral("id,axles,%1\nv,%2,%3\n")
                         .arg(gapColumn)
                         .arg(gap.count(';') + 2)
                         .arg(gap)
                         .toUtf8();
    QBuffer buffer(&csv);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    VehicleReader reader(&buffer, conf);
    VehicleRecord vehicle;
    QString reason;
    QCOMPARE(reader.next(&vehicle, &reason), VehicleReader::Vehicle);
    QCOMPARE(table.matching(vehicle.gaps), matches ? QVector<int> {0} : QVector<int>());
}

void tst_WindowTable::takingPart_data()
{
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QVector<quint16>>("takingPart");
    QTest::addColumn<QString>("exclusion");
    QTest::newRow("all valid") << "0.5"
                               << "15" << QVector<quint16> {1, 2, 3} << QString();
    QTest::newRow("outside the header's bounds") << "1.5"
                                                 << "15" << QVector<quint16> {2, 3} << QString();
    QTest::newRow("empty minimum")
        << ""
        << "15" << QVector<quint16>() << "the header's Min. axle distance (m) is empty";
    QTest::newRow("empty maximum")
        << "0.5"
        << "" << QVector<quint16>() << "the header's Max. axle distance (m) is empty";
    QTest::newRow("all invalid") << "0.5"
                                 << "2" << QVector<quint16>() << "all 3 are in the invalid list";
}

void tst_WindowTable::takingPart()
{
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QVector<quint16>, takingPart);
    QFETCH(QString, exclusion);
    Conf conf = window_conf({"1:1:1-3", "2:1:2-3;2-4", "3:2:2-5"});
    conf.set_min_axle_distance(min);
    conf.set_max_axle_distance(max);
    const WindowTable table(conf);
    QVector<quint16> numbers;
    for (const SubclassWindow &window : table.windows()) {
        numbers << window.number;
    }
    QCOMPARE(numbers, takingPart);
    QCOMPARE(table.exclusion(), exclusion);
    QCOMPARE(table.subclass_count(), 3);
}

// Vehicles on a coarse grid of random tables, so that gaps meet bounds and windows share them:
// the index must find exactly the windows whose texts, read as floats, hold every gap.
void tst_WindowTable::indexFindsEveryMatch()
{
    std::mt19937 random(13);
    const auto grid = [&random](int steps) { return 1.0 + 0.25 * (random() % steps); };
    for (int round = 0; round < 100; ++round) {
        QStringList specs;
        const int count = 1 + random() % 40;
        for (int n = 0; n < count; ++n) {
            QStringList windows;
            for (int gap = 0, gaps = 1 + random() % 3; gap < gaps; ++gap) {
                const double low = grid(12);
                windows << QStringLiteral("%1-%2").arg(low).arg(low + grid(8) - 1);
            }
            specs << QStringLiteral("%1:%2:%3").arg(n).arg(random() % 3).arg(windows.join(';'));
        }
        const Conf conf = window_conf(specs);
        const WindowTable table(conf);
        for (int v = 0; v < 50; ++v) {
            QVector<float> gaps(1 + random() % 3);
            for (float &gap : gaps) {
                gap = float(grid(24) / 2 + 0.5);
            }
            QVector<int> expected;
            for (int w = 0; w < count; ++w) {
                const Subclass &s = conf.get_subclass(quint16(w));
                bool inside = s.get_number_of_axles().toInt() == gaps.size() + 1;
                for (int i = 0; i < gaps.size() && inside; ++i) {
                    inside = s.get_min_distance_at_index(i).toFloat() <= gaps.at(i)
                        && gaps.at(i) <= s.get_max_distance_at_index(i).toFloat();
                }
                if (inside) {
                    expected << w;
                }
            }
            QCOMPARE(table.matching(gaps), expected);
        }
    }
}

QTEST_GUILESS_MAIN(tst_WindowTable)
#include "tst_windowtable.moc"
