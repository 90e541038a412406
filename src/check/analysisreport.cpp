// The checker's analysis reports: overlapping subclasses and recorded vehicles, as text and JSON.
#include "analysisreport.h"
#include "conf.h"
#include "fleetsummary.h"
#include "overlapsearch.h"
#include "printable.h"
#include "vehiclematch.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int longestShownText = 80;

// The shortest decimal text that reads back as the same float: a witness pasted into a records
// file is then the very vehicle that was checked.
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

QJsonValue json_number(float value)
{
    return number_text(value).toDouble();
}

QString counted(qint64 count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

void item(QTextStream &out, const QString &where, const QString &what)
{
    out << "  " << where << ": " << what << '\n';
}

void write_json_line(const QJsonObject &object, QTextStream &out)
{
    out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
}

QString category_text(const WindowTable &table, int window)
{
    return printable(table.category_of(window), longestShownText);
}

// The configuration as the analysis takes it: read, and which of its subclasses take part.
struct Loaded
{
    explicit Loaded(const QString &path)
        : conf(path, nullptr)
        , table(conf)
    {
    }

    int status() const { return conf.stopped_at_line() > 0 ? 1 : 0; }

    QString taking_part() const
    {
        return table.exclusion().isEmpty()
            ? QStringLiteral("%1 of %2 subclasses take part")
                  .arg(table.windows().size())
                  .arg(table.subclass_count())
            : QStringLiteral("no subclass takes part: ") + table.exclusion();
    }

    void write_stopped(QTextStream &out) const
    {
        if (conf.stopped_at_line() > 0) {
            item(out, QStringLiteral("read"),
                QStringLiteral("reading stopped at line %1; the rest of the file was not read")
                    .arg(conf.stopped_at_line()));
        }
    }

    void add_json(QJsonObject &object) const
    {
        object.insert("stopped",
            conf.stopped_at_line() > 0 ? QJsonValue(conf.stopped_at_line()) : QJsonValue());
        object.insert("subclasses", table.subclass_count());
        object.insert("taking_part", table.windows().size());
        object.insert("exclusion",
            table.exclusion().isEmpty() ? QJsonValue() : QJsonValue(table.exclusion()));
    }

    Conf conf;
    WindowTable table;
};

// A report that cannot be made: the problem instead, status 2.
int refuse(const QString &problem, bool json, QTextStream &out, QJsonObject object)
{
    if (json) {
        object.insert("problem", problem);
        object.insert("status", 2);
        write_json_line(object, out);
    } else {
        out << problem << '\n';
    }
    return 2;
}

QString witness_text(const WindowTable &table, int a, int b)
{
    QStringList gaps;
    for (const float gap : witness(table, a, b)) {
        gaps << number_text(gap);
    }
    return gaps.join(QLatin1Char(';'));
}

QString cycle_text(const WindowTable &table, const ReclassifyCycle &cycle)
{
    QStringList numbers;
    for (const int window : cycle.windows) {
        numbers << QString::number(table.windows().at(window).number);
    }
    numbers << numbers.first();
    return (cycle.up ? QStringLiteral("reclassify up ") : QStringLiteral("reclassify down "))
        + numbers.join(QStringLiteral(" -> "));
}

void write_overlaps_text(
    const QString &path, const Loaded &loaded, const Overlaps &found, QTextStream &out)
{
    const WindowTable &table = loaded.table;
    out << path << ": " << loaded.taking_part() << "; "
        << counted(found.pairTotal, "overlapping pair", "overlapping pairs") << " ("
        << found.ambiguousTotal << " ambiguous, " << found.coveredTotal << " covered), "
        << counted(found.cycleTotal, "reclassification cycle", "reclassification cycles") << '\n';
    loaded.write_stopped(out);
    const auto more = [&out](const char *where, qint64 total, int listed) {
        if (total > listed) {
            item(out, QLatin1String(where),
                QStringLiteral("%1 more not listed").arg(total - listed));
        }
    };
    for (const QPair<int, int> &pair : found.pairs) {
        const QString first = category_text(table, pair.first);
        const QString second = category_text(table, pair.second);
        item(out, QStringLiteral("overlap"),
            QStringLiteral("subclasses %1 and %2, %3, witness gaps_m %4")
                .arg(table.windows().at(pair.first).number)
                .arg(table.windows().at(pair.second).number)
                .arg(table.category_of(pair.first) == table.category_of(pair.second)
                        ? QStringLiteral("both category ") + first
                        : QStringLiteral("categories %1 and %2 differ").arg(first, second))
                .arg(witness_text(table, pair.first, pair.second)));
    }
    more("overlap", found.pairTotal, found.pairs.size());
    for (const CoveredWindow &covered : found.covered) {
        const quint16 inner = table.windows().at(covered.inner).number;
        const quint16 outer = table.windows().at(covered.outer).number;
        if (covered.identical) {
            item(out, QStringLiteral("identical"),
                QStringLiteral("subclasses %1 and %2 have the same windows").arg(inner).arg(outer));
        } else {
            item(out, QStringLiteral("covered"),
                QStringLiteral("subclass %1: every vehicle it accepts, %2 accepts too")
                    .arg(inner)
                    .arg(outer));
        }
    }
    more("covered", found.coveredTotal, found.covered.size());
    for (const ReclassifyCycle &cycle : found.cycles) {
        item(out, QStringLiteral("cycle"), cycle_text(table, cycle));
    }
    more("cycle", found.cycleTotal, found.cycles.size());
}

QJsonObject overlaps_json(const Loaded &loaded, const Overlaps &found)
{
    const WindowTable &table = loaded.table;
    const auto number = [&table](int window) { return int(table.windows().at(window).number); };
    QJsonObject object;
    loaded.add_json(object);
    QJsonArray pairs;
    for (const QPair<int, int> &pair : found.pairs) {
        QJsonArray gaps;
        for (const float gap : witness(table, pair.first, pair.second)) {
            gaps.append(json_number(gap));
        }
        pairs.append(
            QJsonObject {{"subclasses", QJsonArray {number(pair.first), number(pair.second)}},
                {"categories",
                    QJsonArray {table.category_of(pair.first), table.category_of(pair.second)}},
                {"ambiguous", table.category_of(pair.first) != table.category_of(pair.second)},
                {"witness_m", gaps}});
    }
    QJsonArray covered;
    for (const CoveredWindow &c : found.covered) {
        covered.append(QJsonObject {
            {"subclass", number(c.inner)}, {"by", number(c.outer)}, {"identical", c.identical}});
    }
    QJsonArray cycles;
    for (const ReclassifyCycle &cycle : found.cycles) {
        QJsonArray numbers;
        for (const int window : cycle.windows) {
            numbers.append(number(window));
        }
        cycles.append(
            QJsonObject {{"direction", cycle.up ? "up" : "down"}, {"subclasses", numbers}});
    }
    object.insert("pairs", pairs);
    object.insert("pairs_total", double(found.pairTotal));
    object.insert("ambiguous_total", double(found.ambiguousTotal));
    object.insert("covered", covered);
    object.insert("covered_total", double(found.coveredTotal));
    object.insert("cycles", cycles);
    object.insert("cycles_total", double(found.cycleTotal));
    return object;
}

QString excess_text(const char *what, const WeightExcess &excess)
{
    QStringList axles;
    for (const int axle : excess.axles) {
        axles << QString::number(axle);
    }
    // Two decimals, as the editor shows weights, or as many as it takes to tell the two apart.
    QString weight;
    QString limit;
    for (int decimals = 2; decimals <= 9 && weight == limit; ++decimals) {
        weight = QString::number(double(excess.weight), 'f', decimals);
        limit = QString::number(double(excess.limit), 'f', decimals);
    }
    return QStringLiteral("%1%2 %3 kN above %4 kN")
        .arg(QLatin1String(what), axles.join(QLatin1Char('+')), weight, limit);
}

QString match_text(const WindowTable &table, const SubclassMatch &match)
{
    QStringList parts {QStringLiteral("category ") + category_text(table, match.window)};
    for (const WeightExcess &excess : match.axlesAbove) {
        parts << excess_text("axle ", excess);
    }
    for (const WeightExcess &excess : match.groupsAbove) {
        parts << excess_text("axles ", excess);
    }
    if (match.grossAbove) {
        parts << excess_text("gross", match.gross);
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

QString where_text(const VehicleRecord &vehicle)
{
    const QString line = QStringLiteral("line %1").arg(vehicle.line);
    return vehicle.id.isEmpty()
        ? line
        : line + QStringLiteral(" (%1)").arg(printable(vehicle.id, longestShownText));
}

void write_vehicle_text(const WindowTable &table, const VehicleRecord &vehicle,
    const VehicleMatch &match, QTextStream &out)
{
    QStringList matches;
    bool expectedMatched = !vehicle.hasExpected;
    for (const SubclassMatch &m : match.matches) {
        matches << match_text(table, m);
        expectedMatched
            = expectedMatched || table.windows().at(m.window).number == vehicle.expected;
    }
    static const char *const verdicts[] = {"", "one category: ", "ambiguous: ", ""};
    QString what = QLatin1String(verdicts[match.verdict]) + matches.join(QStringLiteral(", "));
    if (match.verdict == VehicleMatch::Unmatched) {
        const QString unclassified = table.conf().get_unclassified_vehicles_subclass();
        what = unclassified.isEmpty()
            ? QStringLiteral("unmatched, and the header names no unclassified subclass")
            : QStringLiteral("unmatched (the WIM system puts it in the unclassified subclass %1)")
                  .arg(printable(unclassified, longestShownText));
    }
    if (!expectedMatched) {
        what += QStringLiteral("; expected subclass %1 (category %2)")
                    .arg(vehicle.expected)
                    .arg(printable(table.conf().get_subclass(vehicle.expected).get_category(),
                        longestShownText));
    }
    item(out, where_text(vehicle), what);
}

const char *const verdictNames[] = {"once", "one_category", "ambiguous", "unmatched"};

QJsonObject excess_json(const WeightExcess &excess)
{
    QJsonArray axles;
    for (const int axle : excess.axles) {
        axles.append(axle);
    }
    return {{"axles", axles}, {"weight_kN", json_number(excess.weight)},
        {"limit_kN", json_number(excess.limit)}};
}

QJsonObject vehicle_json(
    const WindowTable &table, const VehicleRecord &vehicle, const VehicleMatch &match)
{
    QJsonArray matches;
    for (const SubclassMatch &m : match.matches) {
        QJsonArray axles;
        for (const WeightExcess &excess : m.axlesAbove) {
            axles.append(excess_json(excess));
        }
        QJsonArray groups;
        for (const WeightExcess &excess : m.groupsAbove) {
            groups.append(excess_json(excess));
        }
        matches.append(QJsonObject {{"subclass", table.windows().at(m.window).number},
            {"category", table.category_of(m.window)}, {"axles_above", axles},
            {"groups_above", groups},
            {"gross_above", m.grossAbove ? QJsonValue(excess_json(m.gross)) : QJsonValue()},
            {"reclassify",
                m.reclassify == 0 ? QJsonValue()
                                  : QJsonObject {{"direction", m.reclassify > 0 ? "up" : "down"},
                                      {"to", m.target}}}});
    }
    return {{"kind", "vehicle"}, {"line", vehicle.line}, {"id", vehicle.id},
        {"verdict", verdictNames[match.verdict]}, {"matches", matches},
        {"expected", vehicle.hasExpected ? QJsonValue(vehicle.expected) : QJsonValue()}};
}

// The confusion table, columns right-aligned to their widest entry.
void write_confusion_text(const FleetSummary &summary, QTextStream &out)
{
    const QMap<QString, FleetSummary::Row> &rows = summary.confusion();
    if (rows.isEmpty()) {
        item(out, QStringLiteral("confusion"),
            QStringLiteral("no vehicle names an expected subclass"));
        return;
    }
    item(out, QStringLiteral("confusion"),
        QStringLiteral("expected category (rows) against matched category (columns)"));
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
    QVector<int> widths(table.first().size());
    for (QStringList &cells : table) {
        for (int c = 0; c < cells.size(); ++c) {
            cells[c] = printable(cells.at(c), longestShownText);
            widths[c] = std::max(widths.at(c), cells.at(c).size());
        }
    }
    for (const QStringList &cells : qAsConst(table)) {
        out << "    " << cells.first().leftJustified(widths.first());
        for (int c = 1; c < cells.size(); ++c) {
            out << "  " << cells.at(c).rightJustified(widths.at(c));
        }
        out << '\n';
    }
}

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

void write_summary_text(const FleetSummary &summary, QTextStream &out)
{
    item(out, QStringLiteral("summary"),
        QStringLiteral("%1 rows, %2 skipped, %3")
            .arg(summary.vehicles() + summary.skipped())
            .arg(summary.skipped())
            .arg(counted(summary.vehicles(), "vehicle", "vehicles")));
    item(out, QStringLiteral("matched once"), QString::number(summary.count(VehicleMatch::Once)));
    item(out, QStringLiteral("matched by subclasses of one category"),
        QString::number(summary.count(VehicleMatch::OneCategory)));
    item(out, QStringLiteral("ambiguous"), QString::number(summary.count(VehicleMatch::Ambiguous)));
    item(out, QStringLiteral("unmatched"),
        QStringLiteral("%1 (%2)")
            .arg(summary.count(VehicleMatch::Unmatched))
            .arg(share_text(summary)));
    write_confusion_text(summary, out);
}

QJsonObject summary_json(const FleetSummary &summary)
{
    QJsonArray confusion;
    const QMap<QString, FleetSummary::Row> &rows = summary.confusion();
    for (const QString &expected : FleetSummary::in_category_order(rows.keys())) {
        const FleetSummary::Row &row = rows[expected];
        QJsonObject matched;
        for (auto it = row.matched.constBegin(); it != row.matched.constEnd(); ++it) {
            matched.insert(it.key(), double(it.value()));
        }
        confusion.append(QJsonObject {{"expected", expected}, {"matched", matched},
            {"ambiguous", double(row.ambiguous)}, {"unmatched", double(row.unmatched)}});
    }
    const qint64 vehicles = summary.vehicles();
    const qint64 unmatched = summary.count(VehicleMatch::Unmatched);
    return {{"kind", "summary"}, {"rows", double(vehicles + summary.skipped())},
        {"skipped", double(summary.skipped())}, {"vehicles", double(vehicles)},
        {"once", double(summary.count(VehicleMatch::Once))},
        {"one_category", double(summary.count(VehicleMatch::OneCategory))},
        {"ambiguous", double(summary.count(VehicleMatch::Ambiguous))},
        {"unmatched", double(unmatched)},
        {"unmatched_share", vehicles > 0 ? QJsonValue(double(unmatched) / vehicles) : QJsonValue()},
        {"unmatched_under_2_percent", summary.unmatched_acceptable()}, {"confusion", confusion}};
}

} // namespace

int report_overlaps(const QString &path, bool json, QTextStream &out)
{
    const Loaded loaded(path);
    if (!loaded.conf.file_opened()) {
        return refuse(path + QStringLiteral(": cannot be opened"), json, out, {{"file", path}});
    }
    const Overlaps found = find_overlaps(loaded.table);
    const int status
        = std::max(loaded.status(), found.ambiguousTotal > 0 || found.cycleTotal > 0 ? 1 : 0);
    if (json) {
        QJsonObject object = overlaps_json(loaded, found);
        object.insert("file", path);
        object.insert("status", status);
        write_json_line(object, out);
    } else {
        write_overlaps_text(path, loaded, found, out);
    }
    return status;
}

int report_vehicles(const QString &records, const QString &path, bool json, QTextStream &out)
{
    const QJsonObject names {{"kind", "summary"}, {"file", path}, {"records", records}};
    const Loaded loaded(path);
    if (!loaded.conf.file_opened()) {
        return refuse(path + QStringLiteral(": cannot be opened"), json, out, names);
    }
    QFile file(records);
    if (!file.open(QIODevice::ReadOnly)) {
        return refuse(records + QStringLiteral(": cannot be opened"), json, out, names);
    }
    VehicleReader reader(&file, loaded.conf);
    if (!reader.header_problem().isEmpty()) {
        return refuse(records + QStringLiteral(": ") + reader.header_problem(), json, out, names);
    }
    const WindowTable &table = loaded.table;
    if (!json) {
        out << records << " against " << path << ": " << loaded.taking_part() << '\n';
        loaded.write_stopped(out);
    }
    FleetSummary summary(table);
    VehicleRecord vehicle;
    QString reason;
    for (VehicleReader::Outcome outcome;
         (outcome = reader.next(&vehicle, &reason)) != VehicleReader::End;) {
        if (outcome == VehicleReader::Skipped) {
            summary.add_skipped();
            if (json) {
                write_json_line(
                    {{"kind", "skipped"}, {"line", vehicle.line}, {"reason", reason}}, out);
            } else {
                item(out, QStringLiteral("line %1").arg(vehicle.line),
                    QStringLiteral("skipped: ") + reason);
            }
            continue;
        }
        const VehicleMatch match = match_vehicle(table, vehicle);
        summary.add(vehicle, match);
        if (json) {
            write_json_line(vehicle_json(table, vehicle, match), out);
        } else {
            write_vehicle_text(table, vehicle, match, out);
        }
    }
    const int status = std::max(loaded.status(), summary.status());
    if (json) {
        QJsonObject object = summary_json(summary);
        for (auto it = names.constBegin(); it != names.constEnd(); ++it) {
            object.insert(it.key(), it.value());
        }
        loaded.add_json(object);
        object.insert("status", status);
        write_json_line(object, out);
    } else {
        write_summary_text(summary, out);
    }
    return status;
}
