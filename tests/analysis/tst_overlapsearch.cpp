// The overlap search against a comparison of every pair, its capped lists, and reclassification
// cycles.
#include "overlapsearch.h"
#include "tables.h"
#include "windowtable.h"

#include <QtTest>

#include <random>

namespace {

// Every pair of windows, compared directly: "overlap a b", and "covered a b" (a inside b) or
// "identical a b", in window numbers, ascending by pair; the first `listed` of each kind.
QStringList brute_force(const WindowTable &table, int listed, qint64 *ambiguous)
{
    QStringList overlaps;
    QStringList covered;
    const int count = table.windows().size();
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            const int gaps = table.windows().at(a).axles - 1;
            if (gaps + 1 != table.windows().at(b).axles) {
                continue;
            }
            bool meet = true;
            bool aInB = true;
            bool bInA = true;
            for (int i = 0; i < gaps; ++i) {
                meet = meet && table.min(a, i) <= table.max(b, i)
                    && table.min(b, i) <= table.max(a, i);
                aInB = aInB && table.min(b, i) <= table.min(a, i)
                    && table.max(a, i) <= table.max(b, i);
                bInA = bInA && table.min(a, i) <= table.min(b, i)
                    && table.max(b, i) <= table.max(a, i);
            }
            if (!meet) {
                continue;
            }
            overlaps << QStringLiteral("overlap %1 %2").arg(a).arg(b);
            *ambiguous += table.category_of(a) != table.category_of(b);
            if (aInB || bInA) {
                covered << (aInB && bInA ? QStringLiteral("identical %1 %2").arg(a).arg(b)
                        : aInB           ? QStringLiteral("covered %1 %2").arg(a).arg(b)
                                         : QStringLiteral("covered %1 %2").arg(b).arg(a));
            }
        }
    }
    return overlaps.mid(0, listed) + covered.mid(0, listed);
}

QStringList found_list(const Overlaps &found)
{
    QStringList list;
    for (const auto &pair : found.pairs) {
        list << QStringLiteral("overlap %1 %2").arg(pair.first).arg(pair.second);
    }
    for (const CoveredWindow &c : found.covered) {
        list << QStringLiteral("%1 %2 %3")
                    .arg(c.identical ? "identical" : "covered")
                    .arg(c.inner)
                    .arg(c.outer);
    }
    return list;
}

} // namespace

class tst_OverlapSearch : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithEveryPair();
    void listsTheFirstPairs();
    void cycles_data();
    void cycles();
};

// Random small tables on a coarse grid, so that windows touch, nest and repeat often.
void tst_OverlapSearch::agreesWithEveryPair()
{
    std::mt19937 random(2026);
    for (int round = 0; round < 300; ++round) {
        QStringList specs;
        const int count = 2 + random() % 14;
        for (int n = 0; n < count; ++n) {
            QStringList windows;
            for (int gap = 0, gaps = 1 + random() % 3; gap < gaps; ++gap) {
                const int low = random() % 6;
                windows << QStringLiteral("%1-%2")
                               .arg(1 + low * 0.5)
                               .arg(1 + (low + random() % 4) * 0.5);
            }
            specs << QStringLiteral("%1:%2:%3").arg(n * 3).arg(random() % 2).arg(windows.join(';'));
        }
        const Conf conf = window_conf(specs);
        const WindowTable table(conf);
        qint64 ambiguous = 0;
        const QStringList expected = brute_force(table, 1000, &ambiguous);
        const Overlaps found = find_overlaps(table);
        QCOMPARE(found_list(found), expected);
        qint64 again = 0;
        QCOMPARE(found_list(find_overlaps(table, 3)), brute_force(table, 3, &again));
        QCOMPARE(found.pairTotal, qint64(found.pairs.size()));
        QCOMPARE(found.coveredTotal, qint64(found.covered.size()));
        QCOMPARE(found.ambiguousTotal, ambiguous);
        for (const auto &pair : found.pairs) {
            const QVector<float> vehicle = witness(table, pair.first, pair.second);
            QVERIFY(table.accepts(pair.first, vehicle) && table.accepts(pair.second, vehicle));
        }
    }
}

void tst_OverlapSearch::listsTheFirstPairs()
{
    // 50 identical windows and one apart: 1,225 pairs, each identical.
    QStringList specs;
    for (int n = 1; n <= 50; ++n) {
        specs << QStringLiteral("%1:%2:1.5-2.5").arg(n).arg(n % 2);
    }
    const Conf conf = window_conf(specs << "60:1:3-4");
    const WindowTable table(conf);
    const Overlaps found = find_overlaps(table, 30);
    QCOMPARE(found.pairTotal, qint64(1225));
    QCOMPARE(found.ambiguousTotal, qint64(25 * 25));
    QCOMPARE(found.coveredTotal, qint64(1225));
    QCOMPARE(found.pairs.size(), 30);
    QCOMPARE(found.pairs.first(), qMakePair(0, 1));
    QCOMPARE(found.pairs.last(), qMakePair(0, 30));
    QCOMPARE(found.covered.size(), 30);
    QVERIFY(found.covered.last().identical);
    QCOMPARE(find_overlaps(table).pairs.size(), 1000);
}

void tst_OverlapSearch::cycles_data()
{
    QTest::addColumn<QStringList>("targets"); // "number:up:down" for subclasses 1 to 5
    QTest::addColumn<QStringList>("cycles");
    QTest::newRow("up and back") << QStringList {"1:2:", "2:1:"} << QStringList {"up 1 2"};
    QTest::newRow("itself") << QStringList {"3:3:"} << QStringList {"up 3"};
    QTest::newRow("down through three")
        << QStringList {"1::3", "3::2", "2::1"} << QStringList {"down 1 3 2"};
    QTest::newRow("up and down are no cycle") << QStringList {"4:5:", "5::4"} << QStringList();
    QTest::newRow("a chain into a cycle")
        << QStringList {"1:2:", "2:3:", "3:4:", "4:3:"} << QStringList {"up 3 4"};
    QTest::newRow("both directions")
        << QStringList {"1:2:2", "2:1:1"} << QStringList {"up 1 2", "down 1 2"};
    QTest::newRow("through a subclass that does not take part")
        << QStringList {"1:6:", "6:1:"} << QStringList();
    QTest::newRow("target 0 is none") << QStringList {"1:0:0"} << QStringList();
}

void tst_OverlapSearch::cycles()
{
    QFETCH(QStringList, targets);
    QFETCH(QStringList, cycles);
    QStringList specs;
    for (int n = 1; n <= 5; ++n) {
        specs << QStringLiteral("%1:1:%2-%2.5").arg(n).arg(n);
    }
    for (const QString &target : targets) {
        const int n = target.section(':', 0, 0).toInt();
        // Subclass 6 lies outside the header's bounds.
        const QString windows = n == 6 ? "20-21" : QStringLiteral("%1-%1.5").arg(n);
        const QString spec
            = QStringLiteral("%1:1:%2:%3").arg(n).arg(windows, target.section(':', 1));
        if (n <= 5) {
            specs.replace(n - 1, spec);
        } else {
            specs << spec;
        }
    }
    const Conf conf = window_conf(specs);
    const WindowTable table(conf);
    QStringList found;
    for (const ReclassifyCycle &cycle : find_overlaps(table).cycles) {
        QStringList numbers {cycle.up ? "up" : "down"};
        for (const int window : cycle.windows) {
            numbers << QString::number(table.windows().at(window).number);
        }
        found << numbers.join(' ');
    }
    QCOMPARE(found, cycles);
}

QTEST_GUILESS_MAIN(tst_OverlapSearch)
#include "tst_overlapsearch.moc"
