#pragma once

#include "boundstable.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Conf;

// One subclass that takes part in classification, as the analysis sees it: its axle count, its
// category (an index into WindowTable::categories()) and its reclassification targets. Its
// spacing windows are kept by the table, one [min, max] per gap, in metres.
struct SubclassWindow
{
    quint16 number = 0;
    int axles = 0;
    int category = 0;
    // Reclassification targets read as subclass numbers; 0 is no target.
    quint16 up = 0;
    quint16 down = 0;
    // Where the window's minimums start in the table's bounds; its maximums follow them.
    int offset = 0;
    // The subclass's row in the table's source.
    int row = 0;
};

// The subclasses of a configuration that take part in classification, with their spacing
// windows laid out for searching, and the matching rule. A subclass takes part when it is not in
// the editor's invalid list; when the header's minimum or maximum axle distance is empty or no
// number none does. Built once per analysis from a BoundsTable, whose copy it keeps: it needs
// nothing else, so it may be built and read on another thread than the configuration's.
class WindowTable
{
public:
    explicit WindowTable(const Conf &conf);
    explicit WindowTable(const BoundsTable &source);

    const BoundsTable &source() const { return input; }
    // All subclasses of the configuration, taking part or not.
    int subclass_count() const { return input.rows().size(); }
    // Empty, or why no subclass takes part although the configuration has some.
    QString exclusion() const { return input.exclusion(); }
    // A header bound is not a number: the analysis judges nothing.
    bool header_unusable() const { return input.header_unusable(); }
    // The category of any subclass of the configuration, taking part or not; empty for none.
    QString category_of_subclass(quint16 number) const;
    QString unclassified_subclass() const { return input.unclassified_subclass(); }

    // The taking-part subclasses in ascending number; an index into this list names a window.
    const QVector<SubclassWindow> &windows() const { return list; }
    // The window of a subclass number, or -1 when that subclass does not take part.
    int index_of(quint16 number) const { return windowByNumber.at(number); }
    const QStringList &categories() const { return categoryTexts; }
    QString category_of(int window) const { return categoryTexts.at(list.at(window).category); }
    // What the table read of the window's subclass: its weight limits among others.
    const SubclassBounds &bounds_of(int window) const
    {
        return input.rows().at(list.at(window).row);
    }
    float min(int window, int gap) const { return bounds.at(list.at(window).offset + gap); }
    float max(int window, int gap) const
    {
        const SubclassWindow &w = list.at(window);
        return bounds.at(w.offset + w.axles - 1 + gap);
    }

    // The matching rule, stated here and nowhere else: a vehicle with n axles and gaps
    // d1..d(n-1), in metres, matches a taking-part subclass when the subclass has n axles and
    // min_i <= d_i <= max_i for every gap i, bounds included. Weights never decide a match.
    bool accepts(int window, const QVector<float> &gaps) const;
    // The windows that accept the gaps, ascending.
    QVector<int> matching(const QVector<float> &gaps) const;

    // The windows of one axle count, sorted by their minimum in the gap along which they
    // overlap least (ties by window), so that a sweep along that gap meets few pairs that do
    // not overlap in the others. reach[k] is the largest maximum in that gap over the windows
    // of the implicit balanced tree rooted at position k of `order` (the middle of a range is
    // its root), which lets a lookup skip every subtree that ends before a vehicle's gap.
    struct Group
    {
        int gap = 0;
        QVector<int> order;
        QVector<float> reach;
    };
    // The groups for 2 to the largest axle count; a group may be empty.
    const QVector<Group> &groups() const { return byAxles; }

private:
    void build_group(Group &group, const QVector<int> &members) const;
    float build_reach(Group &group, int from, int to) const;
    void stab(const Group &group, int from, int to, float gap, QVector<int> &found) const;

    BoundsTable input;
    // Per subclass number its row and its window, or -1: a run of many vehicles looks up
    // each one's expected subclass.
    QVector<int> rowByNumber;
    QVector<int> windowByNumber;
    QVector<SubclassWindow> list;
    QVector<float> bounds;
    QStringList categoryTexts;
    QVector<Group> byAxles;
};
