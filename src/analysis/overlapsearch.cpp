// The overlap search: overlapping and covered subclasses and one-direction reclassification cycles.
#include "overlapsearch.h"
#include "windowtable.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <queue>
#include <vector>

namespace {

using Pair = QPair<int, int>;

// Keeps the `cap` smallest pairs offered, without holding every pair: a file of identical
// windows has billions. Pairs are offered in ascending order within each run, so a run stops
// at the first pair that is not kept.
class SmallestPairs
{
public:
    explicit SmallestPairs(int cap)
        : cap(cap)
    {
    }

    // False when the list is full of smaller pairs: no larger pair is kept either.
    bool offer(Pair pair)
    {
        if (int(heap.size()) < cap) {
            heap.push(pair);
            return true;
        }
        if (cap <= 0 || !(pair < heap.top())) {
            return false;
        }
        heap.pop();
        heap.push(pair);
        return true;
    }

    // Every pair of distinct members, each list ascending.
    void offer_within(const QVector<int> &members)
    {
        for (int i = 0; i < members.size() && open_from(members.at(i)); ++i) {
            for (int j = i + 1; j < members.size() && offer({members.at(i), members.at(j)}); ++j) {
            }
        }
    }

    // Every pair of one member of `a` and one of `b`, each list ascending, the lower first.
    void offer_between(const QVector<int> &a, const QVector<int> &b)
    {
        for (int i = 0, j = 0; i < a.size() || j < b.size();) {
            const bool fromA = j == b.size() || (i < a.size() && a.at(i) < b.at(j));
            const int first = fromA ? a.at(i++) : b.at(j++);
            if (!open_from(first)) {
                return;
            }
            const QVector<int> &other = fromA ? b : a;
            for (auto it = std::upper_bound(other.cbegin(), other.cend(), first);
                 it != other.cend() && offer({first, *it}); ++it) { }
        }
    }

    QVector<Pair> ascending()
    {
        QVector<Pair> pairs;
        for (; !heap.empty(); heap.pop()) {
            pairs.append(heap.top());
        }
        std::reverse(pairs.begin(), pairs.end());
        return pairs;
    }

private:
    // Whether a pair whose lower member is `first` could still be kept.
    bool open_from(int first) const
    {
        return int(heap.size()) < cap || (cap > 0 && first <= heap.top().first);
    }

    int cap;
    std::priority_queue<Pair> heap;
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

// Windows of one axle count with the same bounds in every gap, compared as one: copies of a
// subclass are the usual way to many overlapping pairs.
struct WindowClass
{
    QVector<int> members; // ascending
    std::map<int, qint64> categories; // members per category
};

// Pairs of members of a and b (or of a alone) whose categories are the same.
qint64 same_category_pairs(const WindowClass &a, const WindowClass *b)
{
    qint64 same = 0;
    for (const auto &category : a.categories) {
        if (!b) {
            same += category.second * (category.second - 1) / 2;
        } else if (b->categories.count(category.first) > 0) {
            same += category.second * b->categories.at(category.first);
        }
    }
    return same;
}

struct Search
{
    Overlaps &found;
    SmallestPairs overlapping;
    SmallestPairs covered;

    // `count` overlapping pairs, `same` of them of one category, covering as said.
    void add(qint64 count, qint64 same, bool covering)
    {
        found.pairTotal += count;
        found.ambiguousTotal += count - same;
        found.coveredTotal += covering ? count : 0;
    }
};

std::vector<WindowClass> window_classes(const WindowTable &table, const WindowTable::Group &group)
{
    const int gaps = table.windows().at(group.order.first()).axles - 1;
    // Negative, zero or positive as the bounds of a sort before, equal or after those of b.
    const auto compare = [&table, gaps](int a, int b) {
        for (int i = 0; i < gaps; ++i) {
            for (const auto bound : {&WindowTable::min, &WindowTable::max}) {
                const float x = (table.*bound)(a, i);
                const float y = (table.*bound)(b, i);
                if (x != y) {
                    return x < y ? -1 : 1;
                }
            }
        }
        return 0;
    };
    QVector<int> byBounds = group.order;
    std::sort(byBounds.begin(), byBounds.end(), [&compare](int a, int b) {
        const int order = compare(a, b);
        return order < 0 || (order == 0 && a < b);
    });
    std::vector<WindowClass> classes;
    for (const int w : qAsConst(byBounds)) {
        if (classes.empty() || compare(classes.back().members.first(), w) != 0) {
            classes.emplace_back();
        }
        classes.back().members.append(w);
        ++classes.back().categories[table.windows().at(w).category];
    }
    // Along the swept gap, as the group is.
    const int gap = group.gap;
    std::sort(
        classes.begin(), classes.end(), [&table, gap](const WindowClass &a, const WindowClass &b) {
            const int x = a.members.first();
            const int y = b.members.first();
            return std::make_pair(table.min(x, gap), x) < std::make_pair(table.min(y, gap), y);
        });
    return classes;
}

void sweep(const WindowTable &table, const WindowTable::Group &group, Search &search)
{
    if (group.order.isEmpty()) {
        return;
    }
    const std::vector<WindowClass> classes = window_classes(table, group);
    const int n = int(classes.size());
    // The classes' bounds side by side in sweep order (minimums, then maximums), so that a
    // file of windows that all overlap is compared at memory speed.
    const int gaps = table.windows().at(group.order.first()).axles - 1;
    const int stride = 2 * gaps;
    std::vector<float> bounds(size_t(n) * size_t(stride));
    for (int p = 0; p < n; ++p) {
        for (int i = 0; i < gaps; ++i) {
            bounds[size_t(p) * stride + i] = table.min(classes[p].members.first(), i);
            bounds[size_t(p) * stride + gaps + i] = table.max(classes[p].members.first(), i);
        }
    }
    for (int p = 0; p < n; ++p) {
        const WindowClass &a = classes[p];
        const qint64 size = a.members.size();
        if (size > 1) {
            search.add(size * (size - 1) / 2, same_category_pairs(a, nullptr), true);
            search.overlapping.offer_within(a.members);
            search.covered.offer_within(a.members);
        }
        const float *aBounds = &bounds[size_t(p) * stride];
        // Sorted by minimum in the swept gap: the classes after a that start before it ends
        // are exactly those that overlap it there.
        for (int q = p + 1;
             q < n && bounds[size_t(q) * stride + group.gap] <= aBounds[gaps + group.gap]; ++q) {
            const float *bBounds = &bounds[size_t(q) * stride];
            bool meet = true;
            bool aInB = true;
            bool bInA = true;
            for (int i = 0; i < gaps && meet; ++i) {
                const float aLow = aBounds[i], aHigh = aBounds[gaps + i];
                const float bLow = bBounds[i], bHigh = bBounds[gaps + i];
                meet = aLow <= bHigh && bLow <= aHigh;
                aInB = aInB && bLow <= aLow && aHigh <= bHigh;
                bInA = bInA && aLow <= bLow && bHigh <= aHigh;
            }
            if (!meet) {
                continue;
            }
            const WindowClass &b = classes[q];
            search.add(size * b.members.size(), same_category_pairs(a, &b), aInB || bInA);
            search.overlapping.offer_between(a.members, b.members);
            if (aInB || bInA) {
                search.covered.offer_between(a.members, b.members);
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
    Search search {found, SmallestPairs(listed), SmallestPairs(listed)};
    for (const WindowTable::Group &group : table.groups()) {
        sweep(table, group, search);
    }
    found.pairs = search.overlapping.ascending();
    for (const Pair &pair : search.covered.ascending()) {
        const bool firstInside = inside(table, pair.first, pair.second);
        const bool identical = firstInside && inside(table, pair.second, pair.first);
        found.covered.append(firstInside ? CoveredWindow {pair.first, pair.second, identical}
                                         : CoveredWindow {pair.second, pair.first, false});
    }
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
