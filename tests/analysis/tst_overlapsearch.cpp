// The overlap search against a comparison of every pair, its capped lists, and reclassification
// cycles.
#include "overlapsearch.h"
#include "tables.h"
#include "windowtable.h"

#include <QtTest>

namespace {

// Every pair of windows compared directly, ascending by pair: the first `listed` of "overlap a
// b", then of "covered a b" (a inside b) or "identical a b".
QStringList every_pair(const WindowTable &table, int listed, qint64 *ambiguous)
{
    QStringList overlaps;
    QStringList covered;
    for (int a = 0; a < table.windows().size(); ++a) {
        for (int b = a + 1; b < table.windows().size(); ++b) {
            const int gaps = table.windows().at(a).axles - 1;
            bool meet = gaps + 1 == table.windows().at(b).axles;
            bool aInB = true;
            bool bInA = true;
            for (int i = 0; i < gaps && meet; ++i) {
                meet = table.min(a, i) <= table.max(b, i) && table.min(b, i) <= table.max(a, i);
                aInB = aInB && table.min(b, i) <= table.min(a, i)
                    && table.max(a, i) <= table.max(b, i);
                bInA = bInA && table.min(a, i) <= table.min(b, i)
                    && table.max(b, i) <= table.max(a, i);
            }
            if (meet) {
                overlaps << QStringLiteral("overlap %1 %2").arg(a).arg(b);
                *ambiguous += table.category_of(a) != table.category_of(b);
                if (aInB || bInA) {
                    covered << QStringLiteral("%1 %2 %3")
                                   .arg(aInB && bInA ? "identical" : "covered")
                                   .arg(bInA && !aInB ? b : a)
                                   .arg(bInA && !aInB ? a : b);
                }
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

void tst_OverlapSearch::agreesWithEveryPair()
{
    std::mt19937 random(2026);
    for (int round = 0; round < 300; ++round) {
        const Conf conf = random_conf(random, 15);
        const WindowTable table(conf);
        qint64 ambiguous = 0;
        const Overlaps found = find_overlaps(table);
        QCOMPARE(found_list(found), every_pair(table, 1000, &ambiguous));
        QCOMPARE(found.pairTotal, qint64(found.pairs.size()));
        QCOMPARE(found.coveredTotal, qint64(found.covered.size()));
        QCOMPARE(found.ambiguousTotal, ambiguous);
        QCOMPARE(found_list(find_overlaps(table, 3)), every_pair(table, 3, &ambiguous));
        for (const auto &pair : found.pairs) {
            const QVector<float> vehicle = witness(table, pair.first, pair.second);
            QVERIFY(table.accepts(pair.first, vehicle) && table.accepts(pair.second, vehicle));
        }
    }
}

void tst_OverlapSearch::listsTheFirstPairs()
{
    // 50 identical windows of alternating categories, and one apart: 1,225 identical pairs.
    QStringList specs {"60:1:3-4"};
    for (int n = 1; n <= 50; ++n) {
        specs << QStringLiteral("%1:%2:1.5-2.5").arg(n).arg(n % 2);
    }
    const Conf conf = window_conf(specs);
    const Overlaps found = find_overlaps(WindowTable(conf), 30);
    QCOMPARE(found.pairTotal, qint64(1225));
    QCOMPARE(found.ambiguousTotal, qint64(25 * 25));
    QCOMPARE(found.coveredTotal, qint64(1225));
    QCOMPARE(found.pairs.size(), 30);
    QCOMPARE(found.pairs.last(), qMakePair(0, 30));
    QCOMPARE(found.covered.size(), 30);
}

void tst_OverlapSearch::cycles_data()
{
    QTest::addColumn<QStringList>("subclasses"); // "number:category:windows:up:down"
    QTest::addColumn<QStringList>("cycles");
    QTest::newRow("up and back") << QStringList {"1:1:1-2:2", "2:1:1-2:1"}
                                 << QStringList {"up 1 2"};
    QTest::newRow("itself") << QStringList {"3:1:1-2:3"} << QStringList {"up 3"};
    QTest::newRow("down through three")
        << QStringList {"1:1:1-2::3", "3:1:1-2::2", "2:1:1-2::1"} << QStringList {"down 1 3 2"};
    QTest::newRow("up and down are no cycle")
        << QStringList {"4:1:1-2:5", "5:1:1-2::4"} << QStringList();
    QTest::newRow("a chain into a cycle") << QStringList {"1:1:1-2:2", "2:1:1-2:3", "3:1:1-2:4",
        "4:1:1-2:3"} << QStringList {"up 3 4"};
    QTest::newRow("both directions")
        << QStringList {"1:1:1-2:2:2", "2:1:1-2:1:1"} << QStringList {"up 1 2", "down 1 2"};
    // Subclass 6 lies outside the header's bounds; target 0 is no target.
    QTest::newRow("through a subclass that does not take part")
        << QStringList {"1:1:1-2:6", "6:1:20-21:1", "2:1:1-2:0"} << QStringList();
}

void tst_OverlapSearch::cycles()
{
    QFETCH(QStringList, subclasses);
    QFETCH(QStringList, cycles);
    const Conf conf = window_conf(subclasses);
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
