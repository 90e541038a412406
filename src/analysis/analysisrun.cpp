// A run of the analysis on a snapshot: overlaps, recorded vehicles and what changed since the
// baseline.
#include "analysisrun.h"
#include "analysistexts.h"
#include "subclass.h"
#include "vehiclereader.h"

#include <QBuffer>

#include <algorithm>

bool run_vehicles(VehicleReader &reader, const WindowTable &table, FleetSummary &summary,
    const VehicleVisitor &each, bool flagWeights)
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
        const VehicleMatch match
            = flagWeights ? match_vehicle(table, vehicle) : match_windows(table, vehicle);
        summary.add(vehicle, match);
        if (!each(vehicle, &match, reason)) {
            return false;
        }
    }
    return true;
}

void RowOutcomes::add(int line, int verdict, const QVector<quint16> &subclasses)
{
    lines.append(line);
    verdicts.append(qint8(verdict));
    numbers += subclasses;
    starts.append(numbers.size());
}

int RowOutcomes::find(int line) const
{
    const auto at = std::lower_bound(lines.cbegin(), lines.cend(), line);
    return at != lines.cend() && *at == line ? int(at - lines.cbegin()) : -1;
}

QVector<quint16> RowOutcomes::subclasses(int row) const
{
    return numbers.mid(starts.at(row), starts.at(row + 1) - starts.at(row));
}

bool RowOutcomes::same(int row, const RowOutcomes &them, int other) const
{
    const int count = starts.at(row + 1) - starts.at(row);
    return lines.at(row) == them.lines.at(other) && verdicts.at(row) == them.verdicts.at(other)
        && count == them.starts.at(other + 1) - them.starts.at(other)
        && std::equal(numbers.cbegin() + starts.at(row), numbers.cbegin() + starts.at(row + 1),
            them.numbers.cbegin() + them.starts.at(other));
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

AnalysisRun::AnalysisRun(quint64 generation, const BoundsTable &source, bool hasRecords)
    : generation(generation)
    , table(source)
    , hasRecords(hasRecords)
    , summary(table)
{
}

VehicleMatch AnalysisRun::flagged(const VehicleOutcome &vehicle) const
{
    return match_vehicle(table, vehicle.record);
}

std::shared_ptr<const AnalysisRun> AnalysisRun::run(
    AnalysisJob job, ReadingConf &reading, const std::function<bool()> &cancelled)
{
    std::shared_ptr<const RowOutcomes> baseline = job.baseline;
    std::shared_ptr<const RowOutcomes> made;
    if (job.hasRecords && job.makeBaseline) {
        AnalysisRun then(0, job.baselineTable, true);
        job.baselineTable = BoundsTable();
        if (!then.read_records(job.records, reading, cancelled)) {
            return nullptr;
        }
        baseline = made = then.outcomes;
    }
    auto result = std::make_shared<AnalysisRun>(job.generation, job.table, job.hasRecords);
    // The run has its own copy now: the editor's next edit need not copy its rows.
    job.table = BoundsTable();
    result->overlaps = find_overlaps(result->table);
    if (cancelled()) {
        return nullptr;
    }
    if (job.hasRecords) {
        if (!result->read_records(job.records, reading, cancelled)) {
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
    const QByteArray &records, ReadingConf &reading, const std::function<bool()> &cancelled)
{
    QByteArray text = records;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    VehicleReader reader(&buffer, reading.of(table.source()));
    recordsProblem = reader.header_problem();
    auto rows = std::make_shared<RowOutcomes>();
    QVector<quint16> numbers;
    // Checked every so many rows: often enough to give way to a newer edit at once, seldom
    // enough to cost nothing.
    constexpr int rowsBetweenChecks = 1024;
    int untilCheck = rowsBetweenChecks;
    const auto each
        = [&](const VehicleRecord &vehicle, const VehicleMatch *match, const QString &reason) {
              numbers.clear();
              if (match) {
                  VehicleOutcome row;
                  row.record = vehicle;
                  row.verdict = match->verdict;
                  row.firstMatch = matchedWindows.size();
                  row.matchCount = match->matches.size();
                  row.expectedMatched = AnalysisTexts::expected_matched(table, vehicle, *match);
                  for (const SubclassMatch &m : match->matches) {
                      matchedWindows.append(m.window);
                      numbers.append(table.windows().at(m.window).number);
                  }
                  vehicles.append(row);
              } else {
                  skipped.append({vehicle.line, reason, false});
              }
              rows->add(vehicle.line, match ? int(match->verdict) : -1, numbers);
              if (--untilCheck == 0) {
                  untilCheck = rowsBetweenChecks;
                  return !cancelled();
              }
              return true;
          };
    const bool complete = run_vehicles(reader, table, summary, each, false);
    outcomes = rows;
    return complete;
}

void AnalysisRun::compare(const RowOutcomes &baseline)
{
    // Both in ascending line order: one walk pairs the rows of each line.
    int b = 0;
    int v = 0;
    int s = 0;
    for (int row = 0; row < outcomes->size(); ++row) {
        const int line = outcomes->line(row);
        while (b < baseline.size() && baseline.line(b) < line) {
            ++b;
        }
        const bool same = b < baseline.size() && outcomes->same(row, baseline, b);
        bool *changed = outcomes->verdict(row) < 0 ? &skipped[s++].changed : &vehicles[v++].changed;
        *changed = !same;
        changedCount += same ? 0 : 1;
    }
}
