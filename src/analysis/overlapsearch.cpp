// The overlap search: overlapping and covered subclasses and one-direction reclassification cycles.
#include "overlapsearch.h"
#include "windowtable.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

namespace {

// Keeps the `cap` smallest pairs seen, and counts them all, without holding every pair: a file
// of identical windows has billions.
class SmallestPairs
{
public:
    explicit SmallestPairs(int cap)
        : cap(cap)
    {
    }

    void add(QPair<int, int> pair)
    {
        ++total;
        if (int(heap.size()) < cap) {
            heap.push(pair);
        } else if (cap > 0 && pair < heap.top()) {
            heap.pop();
            heap.push(pair);
        }
    }

    QVector<QPair<int, int>> ascending()
    {
        QVector<QPair<int, int>> pairs;
        for (; !heap.empty(); heap.pop()) {
            pairs.append(heap.top());
        }
        std::reverse(pairs.begin(), pairs.end());
        return pairs;
    }

    qint64 total = 0;

private:
    int cap;
    std::priority_queue<QPair<int, int>> heap;
};

// Whether every gap window of `inner` lies inside the one of `outer`.
bool inside(const WindowTable &table, int inner, int outer)
{
    const int gaps = table.windows().at(inner).axles - 1;
    for (int i = 0; i < gaps; ++i) {
        if (table.min(inner, i) < table.min(outer, i)
            || table.max(inner, i) > table.max(outer, i)) {
            return false;
        }
    }
    return true;
}

void sweep(const WindowTable &table, const WindowTable::Group &group, SmallestPairs &overlapping,
    SmallestPairs &covered, qint64 &ambiguous)
{
    const QVector<int> &order = group.order;
    if (order.isEmpty()) {
        return;
    }
    const int gaps = table.windows().at(order.first()).axles - 1;
    for (int p = 0; p < order.size(); ++p) {
        const int a = order.at(p);
        const float end = table.max(a, group.gap);
        // Sorted by minimum in the swept gap: the windows after a that start before it ends
        // are exactly those that overlap it there.
        for (int q = p + 1; q < order.size() && table.min(order.at(q), group.gap) <= end; ++q) {
            const int b = order.at(q);
            bool overlap = true;
            for (int i = 0; i < gaps && overlap; ++i) {
                overlap = std::max(table.min(a, i), table.min(b, i))
                    <= std::min(table.max(a, i), table.max(b, i));
            }
            if (!overlap) {
                continue;
            }
            const QPair<int, int> pair = qMakePair(std::min(a, b), std::max(a, b));
            overlapping.add(pair);
            if (table.windows().at(a).category != table.windows().at(b).category) {
                ++ambiguous;
            }
            if (inside(table, a, b) || inside(table, b, a)) {
                covered.add(pair);
            }
        }
    }
}

// Each subclass has at most one target per direction, so every chain ends in a dead end or in
// exactly one cycle: one walk per subclass, each subclass walked over once.
void find_cycles(const WindowTable &table, bool up, QVector<ReclassifyCycle> &cycles)
{
    const QVector<SubclassWindow> &windows = table.windows();
    enum State : char { Unseen, OnPath, Done };
    QVector<char> state(windows.size(), Unseen);
    QVector<int> path;
    for (int start = 0; start < windows.size(); ++start) {
        path.clear();
        int w = start;
        while (w >= 0 && state.at(w) == Unseen) {
            state[w] = OnPath;
            path.append(w);
            const quint16 target = up ? windows.at(w).up : windows.at(w).down;
            w = target == 0 ? -1 : table.index_of(target);
        }
        if (w >= 0 && state.at(w) == OnPath) {
            ReclassifyCycle cycle {up, path.mid(path.indexOf(w))};
            std::rotate(cycle.windows.begin(),
                std::min_element(cycle.windows.begin(), cycle.windows.end()), cycle.windows.end());
            cycles.append(cycle);
        }
        for (const int seen : qAsConst(path)) {
            state[seen] = Done;
        }
    }
}

} // namespace

Overlaps find_overlaps(const WindowTable &table, int listed)
{
    Overlaps found;
    SmallestPairs overlapping(listed);
    SmallestPairs covered(listed);
    for (const WindowTable::Group &group : table.groups()) {
        sweep(table, group, overlapping, covered, found.ambiguousTotal);
    }
    found.pairs = overlapping.ascending();
    found.pairTotal = overlapping.total;
    for (const QPair<int, int> &pair : covered.ascending()) {
        const bool firstInside = inside(table, pair.first, pair.second);
        const bool identical = firstInside && inside(table, pair.second, pair.first);
        found.covered.append(firstInside ? CoveredWindow {pair.first, pair.second, identical}
                                         : CoveredWindow {pair.second, pair.first, false});
    }
    found.coveredTotal = covered.total;
    for (const bool up : {true, false}) {
        find_cycles(table, up, found.cycles);
    }
    found.cycleTotal = found.cycles.size();
    std::sort(found.cycles.begin(), found.cycles.end(),
        [](const ReclassifyCycle &a, const ReclassifyCycle &b) {
            return a.windows.first() < b.windows.first()
                || (a.windows.first() == b.windows.first() && a.up && !b.up);
        });
    found.cycles.resize(std::min(found.cycles.size(), std::max(listed, 0)));
    return found;
}

QVector<float> witness(const WindowTable &table, int a, int b)
{
    QVector<float> gaps;
    for (int i = 0; i + 1 < table.windows().at(a).axles; ++i) {
        const float low = std::max(table.min(a, i), table.min(b, i));
        const float high = std::min(table.max(a, i), table.max(b, i));
        const double centre = (double(low) + double(high)) / 2;
        // The centre with the fewest decimals that stays inside and within 1 % of the width of
        // it, so that a person can type it; for touching windows, the bound itself.
        float gap = float(centre);
        for (int decimals = 0; decimals <= 9; ++decimals) {
            const float rounded = QString::number(centre, 'f', decimals).toFloat();
            if (low <= rounded && rounded <= high
                && std::abs(rounded - centre) <= (double(high) - low) / 100) {
                gap = rounded;
                break;
            }
        }
        gaps.append(gap);
    }
    return gaps;
}
