// The subclasses that take part in classification, their spacing windows and the matching rule.
#include "windowtable.h"
#include "fileformat.h"

#include <QMap>

#include <algorithm>
#include <limits>

WindowTable::WindowTable(const Conf &conf)
    : WindowTable(BoundsTable(conf))
{
}

WindowTable::WindowTable(const BoundsTable &source)
    : input(source)
    , rowByNumber(65536, -1)
    , windowByNumber(65536, -1)
    , byAxles(FileFormat::MaxAxles + 1)
{
    // Read on another thread while the editor changes its own table: this one shares no rows.
    input.detach();
    QMap<QString, int> categoryIds;
    QVector<QVector<int>> members(byAxles.size());
    list.reserve(input.taking_part());
    const QVector<SubclassBounds> &rows = input.rows();
    for (int r = 0; r < rows.size(); ++r) {
        const SubclassBounds &s = rows.at(r);
        rowByNumber[s.number] = r;
        if (!s.takesPart) {
            continue;
        }
        SubclassWindow window;
        window.number = s.number;
        window.axles = s.axles;
        window.row = r;
        window.category = categoryIds.value(s.category, categoryTexts.size());
        if (window.category == categoryTexts.size()) {
            categoryIds.insert(s.category, window.category);
            categoryTexts.append(s.category);
        }
        window.up = s.up;
        window.down = s.down;
        window.offset = bounds.size();
        bounds += s.mins;
        bounds += s.maxs;
        members[window.axles].append(list.size());
        windowByNumber[s.number] = list.size();
        list.append(window);
    }
    for (int axles = 2; axles < byAxles.size(); ++axles) {
        build_group(byAxles[axles], members.at(axles));
    }
}

QString WindowTable::category_of_subclass(quint16 number) const
{
    const int row = rowByNumber.at(number);
    return row < 0 ? QString() : input.rows().at(row).category;
}

bool WindowTable::accepts(int window, const QVector<float> &gaps) const
{
    const SubclassWindow &w = list.at(window);
    if (w.axles != gaps.size() + 1) {
        return false;
    }
    const float *mins = bounds.constData() + w.offset;
    const float *maxs = mins + gaps.size();
    for (int i = 0; i < gaps.size(); ++i) {
        if (!(mins[i] <= gaps.at(i) && gaps.at(i) <= maxs[i])) {
            return false;
        }
    }
    return true;
}

QVector<int> WindowTable::matching(const QVector<float> &gaps) const
{
    QVector<int> found;
    if (gaps.isEmpty() || gaps.size() + 1 >= byAxles.size()) {
        return found;
    }
    const Group &group = byAxles.at(gaps.size() + 1);
    stab(group, 0, group.order.size(), gaps.at(group.gap), found);
    found.erase(std::remove_if(found.begin(), found.end(),
                    [this, &gaps](int window) { return !accepts(window, gaps); }),
        found.end());
    std::sort(found.begin(), found.end());
    return found;
}

void WindowTable::build_group(Group &group, const QVector<int> &members) const
{
    const int n = members.size();
    if (n == 0) {
        return;
    }
    const int gaps = list.at(members.first()).axles - 1;
    // Pairs of windows that overlap in a gap: all pairs but those where one window ends before
    // the other starts. The sweep compares exactly these pairs, so the fewest wins.
    qint64 fewest = std::numeric_limits<qint64>::max();
    QVector<float> lows(n);
    for (int gap = 0; gap < gaps; ++gap) {
        for (int k = 0; k < n; ++k) {
            lows[k] = min(members.at(k), gap);
        }
        std::sort(lows.begin(), lows.end());
        qint64 overlapping = qint64(n) * (n - 1) / 2;
        for (int k = 0; k < n; ++k) {
            overlapping -= lows.cend()
                - std::upper_bound(lows.cbegin(), lows.cend(), max(members.at(k), gap));
        }
        if (overlapping < fewest) {
            fewest = overlapping;
            group.gap = gap;
        }
    }
    group.order = members;
    std::sort(group.order.begin(), group.order.end(), [this, &group](int a, int b) {
        const float lowA = min(a, group.gap);
        const float lowB = min(b, group.gap);
        return lowA < lowB || (lowA == lowB && a < b);
    });
    group.reach.resize(n);
    build_reach(group, 0, n);
}

float WindowTable::build_reach(Group &group, int from, int to) const
{
    if (from >= to) {
        return -std::numeric_limits<float>::infinity();
    }
    const int middle = from + (to - from) / 2;
    const float left = build_reach(group, from, middle);
    const float right = build_reach(group, middle + 1, to);
    group.reach[middle] = std::max({max(group.order.at(middle), group.gap), left, right});
    return group.reach.at(middle);
}

void WindowTable::stab(const Group &group, int from, int to, float gap, QVector<int> &found) const
{
    while (from < to) {
        const int middle = from + (to - from) / 2;
        if (group.reach.at(middle) < gap) {
            return;
        }
        stab(group, from, middle, gap, found);
        const int window = group.order.at(middle);
        if (!(min(window, group.gap) <= gap)) {
            return; // every window to the right starts later still
        }
        if (gap <= max(window, group.gap)) {
            found.append(window);
        }
        from = middle + 1;
    }
}
