// The checker's analysis reports: overlapping subclasses and recorded vehicles, as text and JSON.
#include "analysisreport.h"
#include "analysisrun.h"
#include "analysistexts.h"
#include "conf.h"
#include "fleetsummary.h"
#include "overlapsearch.h"
#include "vehiclematch.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace {

using namespace AnalysisTexts;

QJsonValue json_number(float value)
{
    return number_text(value).toDouble();
}

void item(QTextStream &out, const QString &where, const QString &what)
{
    out << "  " << where << ": " << what << '\n';
}

void write_json_line(const QJsonObject &object, QTextStream &out)
{
    out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
}

// One JSON object written as QJsonDocument writes it (keys in ascending order, compact), but
// straight into bytes: a report of 200,000 vehicles would spend most of its time building
// QJsonObjects. Texts and numbers Qt might write in another form go through Qt itself.
class JsonWriter
{
public:
    // Keys must come in ascending order, as QJsonObject keeps them.
    JsonWriter &key(const char *name)
    {
        separate();
        bytes += '"';
        bytes += name;
        bytes += "\":";
        first = true;
        return *this;
    }
    JsonWriter &open(char bracket)
    {
        separate();
        bytes += bracket;
        first = true;
        return *this;
    }
    JsonWriter &close(char bracket)
    {
        bytes += bracket;
        first = false;
        return *this;
    }
    JsonWriter &value(int number)
    {
        separate();
        bytes += QByteArray::number(number);
        first = false;
        return *this;
    }
    JsonWriter &value(double number)
    {
        separate();
        const double magnitude = std::abs(number);
        if (qIsFinite(number) && magnitude < 9007199254740992.0
            && !(number == 0 && std::signbit(number))) {
            bytes += magnitude == std::floor(magnitude)
                ? QByteArray::number(qint64(number))
                : QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
        } else {
            bytes += by_qt(QJsonValue(number));
        }
        first = false;
        return *this;
    }
    JsonWriter &value(const QString &text)
    {
        separate();
        const bool plain = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
            return c.unicode() >= 0x20 && c.unicode() < 0x7f && c != QLatin1Char('"')
                && c != QLatin1Char('\\');
        });
        if (plain) {
            bytes += '"';
            bytes += text.toLatin1();
            bytes += '"';
        } else {
            bytes += by_qt(QJsonValue(text));
        }
        first = false;
        return *this;
    }
    JsonWriter &value(const char *text) { return value(QString::fromUtf8(text)); }
    JsonWriter &value(bool truth)
    {
        separate();
        bytes += truth ? "true" : "false";
        first = false;
        return *this;
    }
    JsonWriter &null()
    {
        separate();
        bytes += "null";
        first = false;
        return *this;
    }

    QByteArray bytes;

private:
    void separate()
    {
        if (!first) {
            bytes += ',';
        }
        first = true;
    }
    static QByteArray by_qt(const QJsonValue &value)
    {
        const QByteArray array = QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Compact);
        return array.mid(1, array.size() - 2);
    }

    bool first = true;
};

// The configuration as the analysis takes it: read, and which of its subclasses take part.
struct Loaded
{
    explicit Loaded(const QString &path)
        : conf(path, nullptr)
        , table(conf)
    {
    }

    // 1 when reading stopped early, or when a header bound is no number, so that nothing could
    // be judged.
    int status() const { return conf.stopped_at_line() > 0 || table.header_unusable() ? 1 : 0; }

    void write_stopped(QTextStream &out) const
    {
        if (conf.stopped_at_line() > 0) {
            item(out, QStringLiteral("read"), stopped(conf.stopped_at_line()));
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

void write_overlaps_text(
    const QString &path, const Loaded &loaded, const Overlaps &found, QTextStream &out)
{
    const WindowTable &table = loaded.table;
    out << path << ": " << overlaps_headline(table, found) << '\n';
    loaded.write_stopped(out);
    const auto more = [&out](const char *where, qint64 total, int listed) {
        if (total > listed) {
            item(out, QLatin1String(where), more_not_listed(total, listed));
        }
    };
    for (const QPair<int, int> &pair : found.pairs) {
        item(out, QStringLiteral("overlap"), overlap_text(table, pair));
    }
    more("overlap", found.pairTotal, found.pairs.size());
    for (const CoveredWindow &covered : found.covered) {
        item(out, covered_kind(covered), covered_text(table, covered));
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
                {"ambiguous", ambiguous(table, pair)}, {"witness_m", gaps}});
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


void excess_json(JsonWriter &json, const WeightExcess &excess)
{
    json.open('{').key("axles").open('[');
    for (const int axle : excess.axles) {
        json.value(axle);
    }
    json.close(']')
        .key("limit_kN")
        .value(number_text(excess.limit).toDouble())
        .key("weight_kN")
        .value(number_text(excess.weight).toDouble())
        .close('}');
}

void excesses_json(JsonWriter &json, const QVector<WeightExcess> &excesses)
{
    json.open('[');
    for (const WeightExcess &excess : excesses) {
        excess_json(json, excess);
    }
    json.close(']');
}

QByteArray vehicle_json(
    const WindowTable &table, const VehicleRecord &vehicle, const VehicleMatch &match)
{
    JsonWriter json;
    json.open('{').key("expected");
    if (vehicle.hasExpected) {
        json.value(int(vehicle.expected));
    } else {
        json.null();
    }
    json.key("id").value(vehicle.id).key("kind").value("vehicle");
    json.key("line").value(vehicle.line).key("matches").open('[');
    for (const SubclassMatch &m : match.matches) {
        json.open('{').key("axles_above");
        excesses_json(json, m.axlesAbove);
        json.key("category").value(table.category_of(m.window)).key("gross_above");
        if (m.grossAbove) {
            excess_json(json, m.gross);
        } else {
            json.null();
        }
        json.key("groups_above");
        excesses_json(json, m.groupsAbove);
        json.key("reclassify");
        if (m.reclassify == 0) {
            json.null();
        } else {
            json.open('{')
                .key("direction")
                .value(m.reclassify > 0 ? "up" : "down")
                .key("to")
                .value(int(m.target))
                .close('}');
        }
        json.key("subclass").value(int(table.windows().at(m.window).number)).close('}');
    }
    json.close(']').key("verdict").value(verdict_name(match.verdict)).close('}');
    return json.bytes;
}

QByteArray skipped_json(const VehicleRecord &vehicle, const QString &reason)
{
    JsonWriter json;
    json.open('{').key("kind").value("skipped").key("line").value(vehicle.line);
    json.key("reason").value(reason).close('}');
    return json.bytes;
}

// The confusion table, columns right-aligned to their widest entry.
void write_confusion_text(const FleetSummary &summary, QTextStream &out)
{
    item(out, QStringLiteral("confusion"), confusion_caption(summary));
    const QVector<QStringList> table = confusion_table(summary);
    if (table.isEmpty()) {
        return;
    }
    QVector<int> widths(table.first().size());
    for (const QStringList &cells : table) {
        for (int c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths.at(c), cells.at(c).size());
        }
    }
    for (const QStringList &cells : table) {
        out << "    " << cells.first().leftJustified(widths.first());
        for (int c = 1; c < cells.size(); ++c) {
            out << "  " << cells.at(c).rightJustified(widths.at(c));
        }
        out << '\n';
    }
}

void write_summary_text(const FleetSummary &summary, QTextStream &out)
{
    for (const auto &line : summary_items(summary)) {
        item(out, line.first, line.second);
    }
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
        out << records << " against " << path << ": " << taking_part(table) << '\n';
        loaded.write_stopped(out);
    }
    FleetSummary summary(table);
    run_vehicles(reader, table, summary,
        [&](const VehicleRecord &vehicle, const VehicleMatch *match, const QString &reason) {
            if (json) {
                out << (match ? vehicle_json(table, vehicle, *match)
                              : skipped_json(vehicle, reason))
                    << '\n';
            } else if (match) {
                item(out, where_text(vehicle), vehicle_text(table, vehicle, *match));
            } else {
                item(out, QStringLiteral("line %1").arg(vehicle.line),
                    QStringLiteral("skipped: ") + reason);
            }
            return true;
        });
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
