#pragma once

#include "fileformat.h"

#include <QString>
#include <QVector>

class Conf;
class Subclass;

// A combined axle-weight constraint as the weight flags read it: the axles it sums, as written
// (1-based, possibly naming an axle a vehicle lacks), and its limit in kilonewtons.
struct GroupLimit
{
    QVector<int> axles;
    float limit = 0;
};

// What the analysis reads of one subclass, read from its texts once, numbers as the model reads
// them. Lists hold at most as many entries as the largest axle count has, whatever a file says.
struct SubclassBounds
{
    quint16 number = 0;
    // Not in the editor's invalid list (and the header's bounds are usable).
    bool takesPart = false;
    QString category;
    int axles = 0;
    // Reclassification targets read as subclass numbers; 0 is no target.
    quint16 up = 0;
    quint16 down = 0;
    // Per gap, metres.
    QVector<float> mins;
    QVector<float> maxs;
    // Per axle, kilonewtons.
    QVector<float> axleLimits;
    QVector<GroupLimit> groups;
    float maxGVW = 0;
    bool hasUpperGVW = false;
    float upperGVW = 0;
    bool hasLowerGVW = false;
    float lowerGVW = 0;
};
Q_DECLARE_TYPEINFO(GroupLimit, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(SubclassBounds, Q_MOVABLE_TYPE);

// The analysis's input: every subclass of a configuration as SubclassBounds, ascending by number,
// and the few header values the analysis reads. The editor keeps one current edit by edit: a
// change of one subclass reads that subclass again and nothing else; a change of the header's
// axle-distance bounds decides again, for every subclass, whether it takes part. Copies share
// their rows until one of them changes, so a copy is the immutable snapshot another thread
// analyses while editing goes on.
class BoundsTable
{
public:
    BoundsTable() = default;
    explicit BoundsTable(const Conf &conf);

    // Gives this copy rows of its own, so that its holder shares nothing the editor changes.
    void detach() { all.detach(); }

    // Reads the whole configuration again (a configuration opened or made new).
    void reset(const Conf &conf);
    // A header value changed; true when it is one the analysis reads.
    bool header_changed(const Conf &conf, FileFormat::Header key);
    // The subclass was edited, added or removed: it is read again, or dropped when the
    // configuration no longer has it.
    void subclass_changed(const Conf &conf, quint16 number);

    // Every subclass, taking part or not, ascending.
    const QVector<SubclassBounds> &rows() const { return all; }
    // The row of a subclass number, or -1.
    int row_of(quint16 number) const;
    int taking_part() const { return takingPart; }

    // Empty, or why no subclass takes part although the configuration has some.
    QString exclusion() const;
    // Empty, or why the header's bounds let no subclass take part (empty or no number).
    QString header_problem() const { return headerProblem; }
    // True when a header bound is not a number: a configuration the analysis cannot judge.
    bool header_unusable() const { return unusable; }

    QString g_acceleration_constant() const { return g; }
    QString unclassified_subclass() const { return unclassified; }
    // The header's minimum and maximum axle distance as the invalid list reads them.
    float header_min() const { return hdrMin; }
    float header_max() const { return hdrMax; }

private:
    void read_header(const Conf &conf);
    SubclassBounds read(quint16 number, const Subclass &subclass) const;
    bool takes_part(const Subclass &subclass) const;

    QVector<SubclassBounds> all;
    int takingPart = 0;
    QString minText;
    QString maxText;
    float hdrMin = 0;
    float hdrMax = 0;
    QString headerProblem;
    bool unusable = false;
    QString g;
    QString unclassified;
};
