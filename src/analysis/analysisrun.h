#pragma once

#include "boundstable.h"
#include "conf.h"
#include "fleetsummary.h"
#include "overlapsearch.h"
#include "vehiclematch.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

// Gets every row of a run in order: a vehicle with its match, or a skipped row (no match) with
// the reason. Returns false to stop the run.
using VehicleVisitor = std::function<bool(
    const VehicleRecord &vehicle, const VehicleMatch *match, const QString &reason)>;

// Reads every row the reader gives, matches each vehicle against the table and counts it in
// the summary; with `flagWeights` false the matches carry no weight flags. False when the
// visitor stopped it before the end.
bool run_vehicles(VehicleReader &reader, const WindowTable &table, FleetSummary &summary,
    const VehicleVisitor &each, bool flagWeights = true);

// What each row of a records file came to, to compare two runs: skipped, or a verdict and the
// subclasses matched. Flat, so that 100,000 rows cost a few allocations.
class RowOutcomes
{
public:
    // `verdict` -1 for a skipped row. Rows come in ascending line order.
    void add(int line, int verdict, const QVector<quint16> &subclasses);
    int size() const { return lines.size(); }
    // The row of a line, or -1.
    int find(int line) const;
    int line(int row) const { return lines.at(row); }
    int verdict(int row) const { return verdicts.at(row); }
    QVector<quint16> subclasses(int row) const;
    // Whether row `row` came to what row `other` of `them` came to.
    bool same(int row, const RowOutcomes &them, int other) const;

private:
    QVector<int> lines;
    QVector<qint8> verdicts;
    QVector<int> starts {0};
    QVector<quint16> numbers;
};

// One recorded vehicle of a run: the row as read (metres and kilonewtons), its verdict and the
// windows it matches (AnalysisRun::matched_windows). Its weight flags are worked out when
// shown: a run of 100,000 vehicles shows a few dozen at a time.
struct VehicleOutcome
{
    VehicleRecord record;
    VehicleMatch::Verdict verdict = VehicleMatch::Unmatched;
    int firstMatch = 0;
    int matchCount = 0;
    bool expectedMatched = true;
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
    AnalysisRun(quint64 generation, const BoundsTable &table, bool hasRecords);

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
    // The windows the vehicles match, each vehicle's in a run of its own.
    QVector<int> matchedWindows;
    // The baseline the rows were compared with, and whether this run made it.
    std::shared_ptr<const RowOutcomes> comparedWith;
    std::shared_ptr<const RowOutcomes> madeBaseline;
    int changedCount = 0;

    // The first window a vehicle matches, or -1.
    int first_match(const VehicleOutcome &vehicle) const
    {
        return vehicle.matchCount > 0 ? matchedWindows.at(vehicle.firstMatch) : -1;
    }
    // The vehicle's matches with their weight flags.
    VehicleMatch flagged(const VehicleOutcome &vehicle) const;

    // Runs the job, whose snapshots it lets go of as soon as it has its own copy; null when
    // `cancelled` said so on the way.
    static std::shared_ptr<const AnalysisRun> run(
        AnalysisJob job, ReadingConf &reading, const std::function<bool()> &cancelled);

private:
    bool read_records(
        const QByteArray &records, ReadingConf &reading, const std::function<bool()> &cancelled);
    void compare(const RowOutcomes &baseline);
};
