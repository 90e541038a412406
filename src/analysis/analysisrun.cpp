// A run of the analysis on a snapshot: overlaps, recorded vehicles and what changed since the
// baseline.
#include "analysisrun.h"
#include "analysistexts.h"
#include "subclass.h"
#include "vehiclereader.h"

#include <QBuffer>

#include <algorithm>

bool run_vehicles(VehicleReader &reader, const WindowTable &table, FleetSummary &summary,
    const VehicleVisitor &each)
{
    VehicleRecord vehicle;
    QString reason;
    for (VehicleReader::Outcome outcome;
         (outcome = reader.next(&vehicle, &reason)) != VehicleReader::End;) {
        if (outcome == VehicleReader::Skipped) {
            summary.add_skipped();
            if (!each(vehicle, nullptr, reason)) {
                return false;
            }
            continue;
        }
        const VehicleMatch match = match_vehicle(table, vehicle);
        summary.add(vehicle, match);
        if (!each(vehicle, &match, reason)) {
            return false;
        }
    }
    return true;
}

const Conf &ReadingConf::of(const BoundsTable &table)
{
    const QVector<SubclassBounds> &rows = table.rows();
    bool same = made && g == table.g_acceleration_constant() && numbers.size() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i) {
        same = numbers.at(i) == rows.at(i).number;
    }
    if (same) {
        return conf;
    }
    conf = Conf();
    numbers.clear();
    g = table.g_acceleration_constant();
    conf.set_g_acceleration_constant(g);
    for (const SubclassBounds &row : rows) {
        numbers.append(row.number);
        conf.set_subclass(row.number, Subclass());
    }
    made = true;
    return conf;
}

AnalysisRun::AnalysisRun(const AnalysisJob &job)
    : generation(job.generation)
    , table(job.table)
    , hasRecords(job.hasRecords)
    , summary(table)
{
}

std::shared_ptr<const AnalysisRun> AnalysisRun::run(
    const AnalysisJob &job, ReadingConf &reading, const std::function<bool()> &cancelled)
{
    std::shared_ptr<const RowOutcomes> baseline = job.baseline;
    std::shared_ptr<const RowOutcomes> made;
    if (job.hasRecords && job.makeBaseline) {
        AnalysisJob before;
        before.table = job.baselineTable;
        before.hasRecords = true;
        before.records = job.records;
        AnalysisRun then(before);
        if (!then.read_records(before, reading, cancelled)) {
            return nullptr;
        }
        baseline = made = then.outcomes;
    }
    auto result = std::make_shared<AnalysisRun>(job);
    result->overlaps = find_overlaps(result->table);
    if (cancelled()) {
        return nullptr;
    }
    if (job.hasRecords) {
        if (!result->read_records(job, reading, cancelled)) {
            return nullptr;
        }
        if (baseline) {
            result->compare(*baseline);
            result->comparedWith = baseline;
        }
    }
    result->madeBaseline = made;
    return result;
}

bool AnalysisRun::read_records(
    const AnalysisJob &job, ReadingConf &reading, const std::function<bool()> &cancelled)
{
    QByteArray text = job.records;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    VehicleReader reader(&buffer, reading.of(table.source()));
    recordsProblem = reader.header_problem();
    auto rows = std::make_shared<RowOutcomes>();
    // Checked every so many rows: often enough to give way to a newer edit at once, seldom
    // enough to cost nothing.
    constexpr int rowsBetweenChecks = 1024;
    int untilCheck = rowsBetweenChecks;
    const bool complete = run_vehicles(reader, table, summary,
        [&](const VehicleRecord &vehicle, const VehicleMatch *match, const QString &reason) {
            RowOutcome outcome;
            outcome.line = vehicle.line;
            if (match) {
                VehicleOutcome row;
                row.line = vehicle.line;
                row.id = vehicle.id;
                row.gaps = vehicle.gaps;
                row.hasExpected = vehicle.hasExpected;
                row.expected = vehicle.expected;
                row.expectedMatched = AnalysisTexts::expected_matched(table, vehicle, *match);
                row.match = *match;
                vehicles.append(row);
                outcome.verdict = match->verdict;
                for (const SubclassMatch &m : match->matches) {
                    outcome.subclasses.append(table.windows().at(m.window).number);
                }
            } else {
                skipped.append({vehicle.line, reason, false});
            }
            rows->append(outcome);
            if (--untilCheck == 0) {
                untilCheck = rowsBetweenChecks;
                return !cancelled();
            }
            return true;
        });
    outcomes = rows;
    return complete;
}

void AnalysisRun::compare(const RowOutcomes &baseline)
{
    // Both in ascending line order: one walk pairs the rows of each line.
    int b = 0;
    int v = 0;
    int s = 0;
    for (const RowOutcome &now : qAsConst(*outcomes)) {
        while (b < baseline.size() && baseline.at(b).line < now.line) {
            ++b;
        }
        const bool same = b < baseline.size() && baseline.at(b) == now;
        bool *changed = now.verdict < 0 ? &skipped[s++].changed : &vehicles[v++].changed;
        *changed = !same;
        changedCount += same ? 0 : 1;
    }
}

const RowOutcome *outcome_of(const RowOutcomes &outcomes, int line)
{
    const auto at = std::lower_bound(outcomes.cbegin(), outcomes.cend(), line,
        [](const RowOutcome &outcome, int l) { return outcome.line < l; });
    return at != outcomes.cend() && at->line == line ? &*at : nullptr;
}
