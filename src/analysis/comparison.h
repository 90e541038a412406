#pragma once

#include "vehiclematch.h"

#include <QString>
#include <QVector>

#include <functional>

class Conf;
class QIODevice;
class Subclass;
class WindowTable;

// One value that differs, in words: what it is ("gap 2: max", "Country code"), its old and new
// value as the checker shows values ("4.50 m", "(empty)"), a null text where the entry exists on
// one side only, and the whole change ("gap 2: max 4.50 -> 4.80 m").
struct FieldChange
{
    QString field;
    QString old;
    QString now;
    QString text;
};

// A subclass kept under its number whose meaning changed, with each field that differs.
struct SubclassChange
{
    quint16 subclass = 0;
    QVector<FieldChange> fields;
};

// A removed and an added subclass that mean the same: the subclass was given a new number.
struct Renumbering
{
    quint16 old = 0;
    quint16 now = 0;
};

// How the spacing window of a subclass kept under its number changed: the vehicles it accepts
// now include all it accepted (widened), are among them (narrowed), or neither (moved, also
// when it went to another number of axles).
struct WindowChange
{
    enum Kind { Widened, Narrowed, Moved };
    quint16 subclass = 0;
    int oldAxles = 0;
    int axles = 0;
    Kind kind = Moved;
};

// What differs between two configurations by meaning rather than by text: numbers are compared
// as the model reads them ("4.5" and "4.50" are one value), lists over the entries the number of
// axles uses, combined constraints by their axles whatever their order. Lists ascend by subclass
// number; window changes by number of axles, then subclass.
struct ConfDifferences
{
    QVector<FieldChange> header;
    QVector<quint16> removed;
    QVector<quint16> added;
    QVector<Renumbering> renumbered;
    QVector<SubclassChange> changed;
    QVector<WindowChange> windows;

    bool isEmpty() const;
    // The lines a report lists: each header field, subclass, renumbering, changed field and
    // window change counts once.
    int count() const;
};

ConfDifferences compare_configurations(const Conf &old, const Conf &now);

// The fields of `now` that differ from `old` as compare_configurations judges them; empty when
// the two subclasses mean the same, whatever their numbers.
QVector<FieldChange> subclass_differences(const Subclass &old, const Subclass &now);

// How a recorded vehicle fares against one configuration: its verdict and the numbers of the
// subclasses it matches, ascending.
struct ComparedOutcome
{
    VehicleMatch::Verdict verdict = VehicleMatch::Unmatched;
    QVector<quint16> subclasses;

    bool operator==(const ComparedOutcome &other) const
    {
        return verdict == other.verdict && subclasses == other.subclasses;
    }
    bool operator!=(const ComparedOutcome &other) const { return !(*this == other); }
};

// A vehicle whose outcome differs between the two configurations.
struct MovedVehicle
{
    int line = 0;
    QString id;
    ComparedOutcome old;
    ComparedOutcome now;
};

// A row read against one configuration and skipped against the other, with the reason it was
// skipped there (an expected subclass that only the other has).
struct SkippedComparedRow
{
    int line = 0;
    bool inOld = false;
    QString reason;
};

// One row of the class distribution: how many of the vehicles compared fall in a category
// against each configuration. Categories come in category order, then "ambiguous" and
// "unmatched" for the vehicles that fall in none, so that each column adds up to the vehicles
// compared.
struct DistributionRow
{
    QString category;
    qint64 old = 0;
    qint64 now = 0;
    // False for the rows "ambiguous" and "unmatched".
    bool isCategory = true;

    qint64 change() const { return now - old; }
    // The change in percent of the old count; none where the old count is 0.
    bool hasPercent() const { return old != 0; }
    double percent() const { return 100.0 * double(change()) / double(old); }
};

// The same recorded vehicles run through both configurations. Only rows read against both are
// compared; a row skipped against both is counted, one skipped against one only is listed.
struct VehicleDifferences
{
    // Empty, or why the records cannot be read at all (their header row).
    QString problem;
    qint64 rows = 0;
    qint64 compared = 0;
    qint64 skippedInBoth = 0;
    QVector<MovedVehicle> moved;
    QVector<SkippedComparedRow> skipped;
    QVector<DistributionRow> distribution;
    // Vehicles matched in one category (once, or by subclasses of one category) against the
    // new configuration but not the old, and those newly unmatched or newly ambiguous: the
    // three by the new verdict, so that none is counted twice.
    qint64 newlyMatched = 0;
    qint64 newlyUnmatched = 0;
    qint64 newlyAmbiguous = 0;

    bool isEmpty() const { return moved.isEmpty() && skipped.isEmpty(); }
};

// Reads the same records twice, from `forOld` and from `forNew` (both open for reading), each
// reading against its own configuration (tonnes convert with its g, an expected subclass must
// be one of its own), row by row in step. The two sides run at once, the old one on a worker
// thread: the devices, the tables and their configurations must be used by nothing else
// meanwhile.
VehicleDifferences compare_vehicles(QIODevice *forOld, QIODevice *forNew, const Conf &oldConf,
    const Conf &newConf, const WindowTable &old, const WindowTable &now);

// Runs `first` on a worker thread and `second` on this one, and returns when both are done. For
// the two sides of a comparison, which read two configurations and nothing they share.
void in_parallel(const std::function<void()> &first, const std::function<void()> &second);

// The words of a vehicle's outcome: "subclass 5", "one category: subclasses 18, 19",
// "ambiguous: subclasses 4, 5", "unmatched"; and the verdict's name in JSON.
QString outcome_text(const ComparedOutcome &outcome);
// A window change's name: "widened", "narrowed", "moved".
const char *window_change_name(WindowChange::Kind kind);
// A window change in words: "subclass 4 (2 axles) widened", "subclass 8 moved from 2 to 3
// axles".
QString window_change_text(const WindowChange &change);
// A count of the distribution, its change and percentage as the reports write them: "+3",
// "-25.0 %", "" where there is none.
QString signed_count(qint64 change);
QString percent_text(const DistributionRow &row);
