// The words of the classification analysis: overlaps, covered subclasses, cycles, recorded
// vehicles and their summary.
#include "analysistexts.h"
#include "printable.h"
#include "vehiclereader.h"
#include "windowtable.h"

namespace AnalysisTexts {

QString number_text(float value)
{
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const QString text = QString::number(double(value), 'f', decimals);
        if (text.toFloat() == value) {
            return text;
        }
    }
    return QString::number(double(value), 'g', 9);
}

QString gaps_text(const QVector<float> &metres)
{
    QStringList gaps;
    for (const float gap : metres) {
        gaps << number_text(gap);
    }
    return gaps.join(QLatin1Char(';'));
}

QString length_text(float metres, const DisplayUnits &units)
{
    return units.lengthFactor == 1.0f
        ? number_text(metres)
        : QString::number(double(metres / units.lengthFactor), 'f', 3);
}

QString counted(qint64 count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

QString taking_part(const WindowTable &table)
{
    return table.exclusion().isEmpty()
        ? QStringLiteral("%1 of %2 subclasses take part")
              .arg(table.windows().size())
              .arg(table.subclass_count())
        : QStringLiteral("no subclass takes part: ") + table.exclusion();
}

QString stopped(int line)
{
    return QStringLiteral("reading stopped at line %1; the rest of the file was not read")
        .arg(line);
}

QString overlaps_headline(const WindowTable &table, const Overlaps &found)
{
    return taking_part(table) + QStringLiteral("; ")
        + counted(found.pairTotal, "overlapping pair", "overlapping pairs")
        + QStringLiteral(" (%1 ambiguous, %2 covered), ")
              .arg(found.ambiguousTotal)
              .arg(found.coveredTotal)
        + counted(found.cycleTotal, "reclassification cycle", "reclassification cycles");
}

QString more_not_listed(qint64 total, int listed)
{
    return total > listed ? QStringLiteral("%1 more not listed").arg(total - listed) : QString();
}

QString category_text(const WindowTable &table, int window)
{
    return printable(table.category_of(window), longestShownText);
}

bool ambiguous(const WindowTable &table, QPair<int, int> pair)
{
    return table.category_of(pair.first) != table.category_of(pair.second);
}

QString pair_categories(const WindowTable &table, QPair<int, int> pair)
{
    const QString first = category_text(table, pair.first);
    return ambiguous(table, pair) ? QStringLiteral("categories %1 and %2 differ")
                                        .arg(first, category_text(table, pair.second))
                                  : QStringLiteral("both category ") + first;
}

QString witness_text(const WindowTable &table, QPair<int, int> pair)
{
    return gaps_text(witness(table, pair.first, pair.second));
}

QString witness_records(const WindowTable &table, QPair<int, int> pair)
{
    const SubclassWindow &first = table.windows().at(pair.first);
    return QStringLiteral("id,axles,gaps_m\nwitness-%1-%2,%3,%4\n")
        .arg(first.number)
        .arg(table.windows().at(pair.second).number)
        .arg(first.axles)
        .arg(witness_text(table, pair));
}

QString overlap_text(const WindowTable &table, QPair<int, int> pair)
{
    return QStringLiteral("subclasses %1 and %2, %3, witness gaps_m %4")
        .arg(table.windows().at(pair.first).number)
        .arg(table.windows().at(pair.second).number)
        .arg(pair_categories(table, pair), witness_text(table, pair));
}

QString covered_kind(const CoveredWindow &covered)
{
    return covered.identical ? QStringLiteral("identical") : QStringLiteral("covered");
}

QString covered_text(const WindowTable &table, const CoveredWindow &covered)
{
    const quint16 inner = table.windows().at(covered.inner).number;
    const quint16 outer = table.windows().at(covered.outer).number;
    return covered.identical
        ? QStringLiteral("subclasses %1 and %2 have the same windows").arg(inner).arg(outer)
        : QStringLiteral("subclass %1: every vehicle it accepts, %2 accepts too")
              .arg(inner)
              .arg(outer);
}

QString cycle_path(const WindowTable &table, const ReclassifyCycle &cycle)
{
    QStringList numbers;
    for (const int window : cycle.windows) {
        numbers << QString::number(table.windows().at(window).number);
    }
    numbers << numbers.first();
    return numbers.join(QStringLiteral(" -> "));
}

QString cycle_text(const WindowTable &table, const ReclassifyCycle &cycle)
{
    return (cycle.up ? QStringLiteral("reclassify up ") : QStringLiteral("reclassify down "))
        + cycle_path(table, cycle);
}

const char *verdict_name(VehicleMatch::Verdict verdict)
{
    static const char *const names[] = {"once", "one_category", "ambiguous", "unmatched"};
    return names[verdict];
}

QString verdict_word(VehicleMatch::Verdict verdict)
{
    static const char *const words[] = {"once", "one category", "ambiguous", "unmatched"};
    return QLatin1String(words[verdict]);
}

namespace {

QString excess_text(const char *what, const WeightExcess &excess, const DisplayUnits &units)
{
    QStringList axles;
    for (const int axle : excess.axles) {
        axles << QString::number(axle);
    }
    // Two decimals, as the editor shows weights, or as many as it takes to tell the two apart.
    const double weightShown = double(excess.weight / units.weightFactor);
    const double limitShown = double(excess.limit / units.weightFactor);
    QString weight;
    QString limit;
    for (int decimals = 2; decimals <= 9 && weight == limit; ++decimals) {
        weight = QString::number(weightShown, 'f', decimals);
        limit = QString::number(limitShown, 'f', decimals);
    }
    return QStringLiteral("%1%2 %3 %5 above %4 %5")
        .arg(QLatin1String(what), axles.join(QLatin1Char('+')), weight, limit, units.weight);
}

} // namespace

QString match_text(const WindowTable &table, const SubclassMatch &match, const DisplayUnits &units)
{
    QStringList parts {QStringLiteral("category ") + category_text(table, match.window)};
    for (const WeightExcess &excess : match.axlesAbove) {
        parts << excess_text("axle ", excess, units);
    }
    for (const WeightExcess &excess : match.groupsAbove) {
        parts << excess_text("axles ", excess, units);
    }
    if (match.grossAbove) {
        parts << excess_text("gross", match.gross, units);
    }
    if (match.reclassify != 0) {
        parts << (match.reclassify > 0 ? QStringLiteral("reclassify up to %1")
                                       : QStringLiteral("reclassify down to %1"))
                     .arg(match.target);
    }
    return QStringLiteral("subclass %1 (%2)")
        .arg(table.windows().at(match.window).number)
        .arg(parts.join(QStringLiteral("; ")));
}

QString matches_text(const WindowTable &table, const VehicleMatch &match, const DisplayUnits &units)
{
    QStringList matches;
    for (const SubclassMatch &m : match.matches) {
        matches << match_text(table, m, units);
    }
    return matches.join(QStringLiteral(", "));
}

bool expected_matched(
    const WindowTable &table, const VehicleRecord &vehicle, const VehicleMatch &match)
{
    if (!vehicle.hasExpected) {
        return true;
    }
    for (const SubclassMatch &m : match.matches) {
        if (table.windows().at(m.window).number == vehicle.expected) {
            return true;
        }
    }
    return false;
}

QString unmatched_text(const WindowTable &table)
{
    const QString unclassified = table.unclassified_subclass();
    return unclassified.isEmpty()
        ? QStringLiteral("unmatched, and the header names no unclassified subclass")
        : QStringLiteral("unmatched (the WIM system puts it in the unclassified subclass %1)")
              .arg(printable(unclassified, longestShownText));
}

QString expected_text(const WindowTable &table, quint16 expected)
{
    return QStringLiteral("subclass %1 (category %2)")
        .arg(expected)
        .arg(printable(table.category_of_subclass(expected), longestShownText));
}

QString where_text(const VehicleRecord &vehicle)
{
    const QString line = QStringLiteral("line %1").arg(vehicle.line);
    return vehicle.id.isEmpty()
        ? line
        : line + QStringLiteral(" (%1)").arg(printable(vehicle.id, longestShownText));
}

QString vehicle_text(const WindowTable &table, const VehicleRecord &vehicle,
    const VehicleMatch &match, const DisplayUnits &units)
{
    static const char *const verdicts[] = {"", "one category: ", "ambiguous: ", ""};
    QString what = match.verdict == VehicleMatch::Unmatched
        ? unmatched_text(table)
        : QLatin1String(verdicts[match.verdict]) + matches_text(table, match, units);
    if (!expected_matched(table, vehicle, match)) {
        what += QStringLiteral("; expected ") + expected_text(table, vehicle.expected);
    }
    return what;
}

namespace {

QString share_text(const FleetSummary &summary)
{
    if (summary.vehicles() == 0) {
        return QStringLiteral("no vehicle read");
    }
    const double share = 100.0 * summary.count(VehicleMatch::Unmatched) / summary.vehicles();
    return QString::number(share, 'f', 1)
        + (summary.unmatched_acceptable() ? QStringLiteral(" %, under 2 %")
                                          : QStringLiteral(" %, not under 2 %"));
}

} // namespace

QVector<QPair<QString, QString>> summary_items(const FleetSummary &summary)
{
    return {{QStringLiteral("summary"),
                QStringLiteral("%1, %2 skipped, %3")
                    .arg(counted(summary.vehicles() + summary.skipped(), "row", "rows"))
                    .arg(summary.skipped())
                    .arg(counted(summary.vehicles(), "vehicle", "vehicles"))},
        {QStringLiteral("matched once"), QString::number(summary.count(VehicleMatch::Once))},
        {QStringLiteral("matched by subclasses of one category"),
            QString::number(summary.count(VehicleMatch::OneCategory))},
        {QStringLiteral("ambiguous"), QString::number(summary.count(VehicleMatch::Ambiguous))},
        {QStringLiteral("unmatched"),
            QStringLiteral("%1 (%2)")
                .arg(summary.count(VehicleMatch::Unmatched))
                .arg(share_text(summary))}};
}

QString confusion_caption(const FleetSummary &summary)
{
    return summary.confusion().isEmpty()
        ? QStringLiteral("no vehicle names an expected subclass")
        : QStringLiteral("expected category (rows) against matched category (columns)");
}

QVector<QStringList> confusion_table(const FleetSummary &summary)
{
    const QMap<QString, FleetSummary::Row> &rows = summary.confusion();
    if (rows.isEmpty()) {
        return {};
    }
    const QStringList matched = summary.matched_categories();
    QVector<QStringList> table {QStringList {QStringLiteral("expected")} + matched
        + QStringList {QStringLiteral("ambiguous"), QStringLiteral("unmatched")}};
    for (const QString &expected : FleetSummary::in_category_order(rows.keys())) {
        const FleetSummary::Row &row = rows[expected];
        QStringList cells {expected};
        for (const QString &category : matched) {
            cells << QString::number(row.matched.value(category));
        }
        table.append(cells << QString::number(row.ambiguous) << QString::number(row.unmatched));
    }
    for (QStringList &cells : table) {
        for (QString &cell : cells) {
            cell = printable(cell, longestShownText);
        }
    }
    return table;
}

} // namespace AnalysisTexts
