#pragma once

#include <QPair>
#include <QVector>

class WindowTable;

// A subclass whose windows all lie inside another's: every vehicle `inner` accepts, `outer`
// accepts too. Identical windows are one finding, with `inner` the lower window.
struct CoveredWindow
{
    int inner = 0;
    int outer = 0;
    bool identical = false;
};

// A chain of reclassification targets of one direction that leads back to its start, from its
// lowest subclass, as windows.
struct ReclassifyCycle
{
    bool up = true;
    QVector<int> windows;
};

// What --overlaps finds in a window table. Lists hold at most the number of entries asked for,
// the first in ascending order of their windows; the totals count them all.
struct Overlaps
{
    // Pairs of windows (lower first) with the same axle count that overlap in every gap.
    QVector<QPair<int, int>> pairs;
    qint64 pairTotal = 0;
    // Of these, pairs whose categories differ as texts: the same vehicle in two categories.
    qint64 ambiguousTotal = 0;
    QVector<CoveredWindow> covered;
    qint64 coveredTotal = 0;
    QVector<ReclassifyCycle> cycles;
    qint64 cycleTotal = 0;
};

// Finds every overlapping and covered pair of windows and every one-direction reclassification
// cycle among the taking-part subclasses, listing up to `listed` of each. Exact; its work grows
// with the pairs that overlap in the gap each axle count is swept along, not with all pairs.
Overlaps find_overlaps(const WindowTable &table, int listed = 1000);

// A vehicle both windows of an overlapping pair accept: per gap the centre of the intersection,
// to the fewest decimals that keep it inside and within 1 % of its width of the exact centre.
QVector<float> witness(const WindowTable &table, int a, int b);
