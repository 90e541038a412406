#pragma once

#include "boundstable.h"
#include "conf.h"
#include "fleetsummary.h"
#include "overlapsearch.h"
#include "vehiclematch.h"
#include "windowtable.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class VehicleReader;
struct VehicleRecord;

// Gets every row of a run in order: a vehicle with its match, or a skipped row (no match) with
// the reason. Returns false to stop the run.
using VehicleVisitor = std::function<bool(
    const VehicleRecord &vehicle, const VehicleMatch *match, const QString &reason)>;

// Reads every row the reader gives, matches each vehicle against the table and counts it in
// the summary. False when the visitor stopped it before the end.
bool run_vehicles(VehicleReader &reader, const WindowTable &table, FleetSummary &summary,
    const VehicleVisitor &each);

// What a row of a records file came to, to compare two runs: skipped, or a verdict and the
// subclasses matched.
struct RowOutcome
{
    int line = 0;
    int verdict = -1; // -1: skipped
    QVector<quint16> subclasses;

    bool operator==(const RowOutcome &other) const
    {
        return line == other.line && verdict == other.verdict && subclasses == other.subclasses;
    }
};
using RowOutcomes = QVector<RowOutcome>;

// One recorded vehicle of a run.
struct VehicleOutcome
{
    int line = 0;
    QString id;
    QVector<float> gaps;
    bool hasExpected = false;
    quint16 expected = 0;
    bool expectedMatched = true;
    VehicleMatch match;
    // Its verdict or its matches differ from the baseline's.
    bool changed = false;
};

struct SkippedRow
{
    int line = 0;
    QString reason;
    // It read as a vehicle in the baseline.
    bool changed = false;
};

// What a run needs, all of it copies that share their data with the editor's: the table of
// subclasses, the records file's text (read again at each run: tonnes convert with the
// configuration's g, and an expected subclass must exist), and what to compare with.
struct AnalysisJob
{
    quint64 generation = 0;
    BoundsTable table;
    bool hasRecords = false;
    QByteArray records;
    // The outcomes rows are compared with; none: no row is marked.
    std::shared_ptr<const RowOutcomes> baseline;
    // When set, the baseline is first made from this table (a configuration since edited).
    bool makeBaseline = false;
    BoundsTable baselineTable;
};

// Makes the configuration a records file is read against from a table: the reader asks it
// only for g and whether a subclass exists. Kept between runs and made again only when the
// subclass numbers or g changed.
class ReadingConf
{
public:
    const Conf &of(const BoundsTable &table);

private:
    Conf conf;
    QVector<quint16> numbers;
    QString g;
    bool made = false;
};

// The whole analysis of one snapshot, made on the worker thread and read, never changed, on the
// editor's: the overlaps, and with records every row's outcome, the summary and what changed
// since the baseline.
class AnalysisRun
{
public:
    explicit AnalysisRun(const AnalysisJob &job);

    quint64 generation = 0;
    WindowTable table;
    Overlaps overlaps;

    bool hasRecords = false;
    // Empty, or why the records file's header row cannot be read (no row is then read).
    QString recordsProblem;
    QVector<VehicleOutcome> vehicles;
    QVector<SkippedRow> skipped;
    FleetSummary summary;
    std::shared_ptr<const RowOutcomes> outcomes;
    // The baseline the rows were compared with, and whether this run made it.
    std::shared_ptr<const RowOutcomes> comparedWith;
    std::shared_ptr<const RowOutcomes> madeBaseline;
    int changedCount = 0;

    // Runs the job; null when `cancelled` said so on the way.
    static std::shared_ptr<const AnalysisRun> run(
        const AnalysisJob &job, ReadingConf &reading, const std::function<bool()> &cancelled);

private:
    bool read_records(
        const AnalysisJob &job, ReadingConf &reading, const std::function<bool()> &cancelled);
    void compare(const RowOutcomes &baseline);
};

// The baseline's outcome of a line, or null when it has none.
const RowOutcome *outcome_of(const RowOutcomes &outcomes, int line);
