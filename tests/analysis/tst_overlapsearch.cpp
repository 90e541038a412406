// The overlap search against a comparison of every pair, with lists capped, and reclassification
// cycles.
#include "overlapsearch.h"
#include "tables.h"
#include "windowtable.h"

#include <QtTest>

namespace {

// Every pair of windows compared directly, ascending by pair: the first `listed` overlapping
// and covered pairs, and the totals.
Overlaps every_pair(const WindowTable &table, int listed)
{
    Overlaps all;
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
            if (!meet) {
                continue;
            }
            ++all.pairTotal;
            all.ambiguousTotal += table.category_of(a) != table.category_of(b);
            if (all.pairs.size() < listed) {
                all.pairs.append({a, b});
            }
            if (aInB || bInA) {
                ++all.coveredTotal;
                const bool bInside = bInA && !aInB;
                if (all.covered.size() < listed) {
                    all.covered.append({bInside ? b : a, bInside ? a : b, aInB && bInA});
                }
            }
        }
    }
    return all;
}

// The totals, then the listed pairs.
QStringList found_list(const Overlaps &found)
{
    QStringList list {QStringLiteral("%1 pairs, %2 ambiguous, %3 covered")
                          .arg(found.pairTotal)
                          .arg(found.ambiguousTotal)
                          .arg(found.coveredTotal)};
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
    void cycles_data();
    void cycles();
};

void tst_OverlapSearch::agreesWithEveryPair()
{
    // Random tables, then 50 identical windows of alternating categories and one apart: 1,225
    // identical pairs, more than either list holds.
    QStringList copies {"60:1:3-4"};
    for (int n = 1; n <= 50; ++n) {
        copies << QStringLiteral("%1:%2:1.5-2.5").arg(n).arg(n % 2);
    }
    std::mt19937 random(2026);
    for (int round = 0; round <= 300; ++round) {
        const Conf conf = round < 300 ? random_conf(random, 15) : window_conf(copies);
        const WindowTable table(conf);
        for (const int listed : {1000, 3}) {
            QCOMPARE(
                found_list(find_overlaps(table, listed)), found_list(every_pair(table, listed)));
        }
        for (const auto &pair : find_overlaps(table).pairs) {
            const QVector<float> vehicle = witness(table, pair.first, pair.second);
            QVERIFY(table.accepts(pair.first, vehicle) && table.accepts(pair.second, vehicle));
        }
    }
}

void tst_OverlapSearch::cycles_data()
{
    QTest::addColumn<QStringList>("subclasses"); // "number:category:windows:up:down"
    QTest::addColumn<QStringList>("cycles");
    const auto row
        = [](const char *name, const QStringList &subclasses, const QStringList &cycles) {
              QTest::newRow(name) << subclasses << cycles;
          };
    row("itself", {"3:1:1-2:3"}, {"up 3"});
    row("down through three", {"1:1:1-2::3", "3:1:1-2::2", "2:1:1-2::1"}, {"down 1 3 2"});
    row("up and down are no cycle", {"4:1:1-2:5", "5:1:1-2::4"}, {});
    row("a chain into a cycle at its top", {"1:1:1-2:2", "2:1:1-2:4", "3:1:1-2:4", "4:1:1-2:3"},
        {"up 3 4"});
    row("both directions", {"1:1:1-2:2:2", "2:1:1-2:1:1"}, {"up 1 2", "down 1 2"});
    // Subclass 6 lies outside the header's bounds; target 0 is no target.
    row("through a subclass that does not take part", {"1:1:1-2:6", "6:1:20-21:1", "2:1:1-2:0"},
        {});
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
