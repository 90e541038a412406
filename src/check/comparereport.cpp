// The checker's comparison of two configurations, with the recorded vehicles it moves, as text
// and as one JSON object.
#include "comparereport.h"
#include "analysistexts.h"
#include "comparison.h"
#include "conf.h"
#include "printable.h"
#include "windowtable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QScopedPointer>
#include <QTextStream>

#include <algorithm>
#include <memory>

namespace {

constexpr int longestShownText = 80;

void item(QTextStream &out, const QString &where, const QString &what)
{
    out << "  " << where << ": " << what << '\n';
}

QString counted(qint64 count, const char *one, const char *many)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

struct Compared;
// A comparison left to the process's end; still reachable from here, so no leak checker counts
// it.
Compared *leftToExit = nullptr;

// Everything the report says, worked out before a line of it is written.
struct Compared
{
    Compared(const QString &oldPath, const QString &newPath)
        : oldPath(oldPath)
        , newPath(newPath)
    {
        // The two files are read at once; each read uses nothing the other does.
        in_parallel([this] { old = Conf(this->oldPath, nullptr); },
            [this] { now = Conf(this->newPath, nullptr); });
    }
    // And freed at once: 65,536 subclasses take a few hundred milliseconds each to free.
    ~Compared()
    {
        in_parallel([this] { old = Conf(); }, [this] { now = Conf(); });
    }
    Compared(const Compared &) = delete;
    Compared &operator=(const Compared &) = delete;

    // Why no report can be made, or empty.
    QString problem(const CompareOptions &options)
    {
        for (const Conf *conf : {&old, &now}) {
            if (!conf->file_opened()) {
                return (conf == &old ? oldPath : newPath) + QStringLiteral(": cannot be opened");
            }
        }
        differences = compare_configurations(old, now);
        if (!options.vehicles) {
            return QString();
        }
        const QString &records = options.records;
        // The records are read twice, once against each configuration, row by row in step.
        // Only a regular file can be read twice (and a named pipe would wait for a writer).
        QFile forOld(records);
        QFile forNew(records);
        if (!QFileInfo(records).isFile() || !forOld.open(QIODevice::ReadOnly)
            || !forNew.open(QIODevice::ReadOnly)) {
            return records + QStringLiteral(": cannot be opened");
        }
        in_parallel([this] { oldTable.reset(new WindowTable(old)); },
            [this] { newTable.reset(new WindowTable(now)); });
        vehicles.reset(new VehicleDifferences(
            compare_vehicles(&forOld, &forNew, old, now, *oldTable, *newTable)));
        return vehicles->problem.isEmpty() ? QString()
                                           : records + QStringLiteral(": ") + vehicles->problem;
    }

    int stopped() const
    {
        return (old.stopped_at_line() > 0 ? 1 : 0) + (now.stopped_at_line() > 0 ? 1 : 0);
    }

    // What the first line counts: every difference of the configurations and each stopped read.
    int count() const { return differences.count() + stopped(); }

    int status() const { return count() > 0 || (vehicles && !vehicles->isEmpty()) ? 1 : 0; }

    QString oldPath;
    QString newPath;
    Conf old;
    Conf now;
    ConfDifferences differences;
    QScopedPointer<WindowTable> oldTable;
    QScopedPointer<WindowTable> newTable;
    QScopedPointer<VehicleDifferences> vehicles;
};

QString where_text(int line, const QString &id)
{
    const QString where = QStringLiteral("line %1").arg(line);
    return id.isEmpty() ? where
                        : where + QStringLiteral(" (%1)").arg(printable(id, longestShownText));
}

void write_distribution_text(const VehicleDifferences &vehicles, QTextStream &out)
{
    item(out, QStringLiteral("distribution"),
        QStringLiteral("vehicles per matched category against the old and the new configuration"));
    QVector<QStringList> table {{QStringLiteral("category"), QStringLiteral("old"),
        QStringLiteral("new"), QStringLiteral("change"), QStringLiteral("% change")}};
    DistributionRow total {QStringLiteral("total")};
    for (const DistributionRow &row : vehicles.distribution) {
        table.append({printable(row.category, longestShownText), QString::number(row.old),
            QString::number(row.now), signed_count(row.change()), percent_text(row)});
        total.old += row.old;
        total.now += row.now;
    }
    table.append({total.category, QString::number(total.old), QString::number(total.now),
        signed_count(total.change()), percent_text(total)});
    QVector<int> widths(table.first().size());
    for (const QStringList &cells : qAsConst(table)) {
        for (int c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths.at(c), cells.at(c).size());
        }
    }
    for (const QStringList &cells : qAsConst(table)) {
        QString line = QStringLiteral("    ") + cells.first().leftJustified(widths.first());
        for (int c = 1; c < cells.size(); ++c) {
            line += QStringLiteral("  ") + cells.at(c).rightJustified(widths.at(c));
        }
        // An empty percentage leaves no blanks at the end of the line.
        while (line.endsWith(QLatin1Char(' '))) {
            line.chop(1);
        }
        out << line << '\n';
    }
}

QString totals_text(const VehicleDifferences &vehicles)
{
    return QStringLiteral("%1 moved, %2 newly unmatched, %3 newly ambiguous, %4 newly matched")
        .arg(vehicles.moved.size())
        .arg(vehicles.newlyUnmatched)
        .arg(vehicles.newlyAmbiguous)
        .arg(vehicles.newlyMatched);
}

void write_vehicles_text(const Compared &compared, const QString &records, QTextStream &out)
{
    const VehicleDifferences &vehicles = *compared.vehicles;
    QString summary = QStringLiteral("%1: %2, %3 compared, %4 skipped in both, %5 in one only")
                          .arg(records, counted(vehicles.rows, "row", "rows"))
                          .arg(vehicles.compared)
                          .arg(vehicles.skippedInBoth)
                          .arg(vehicles.skipped.size());
    for (const WindowTable *table : {compared.oldTable.data(), compared.newTable.data()}) {
        if (!table->exclusion().isEmpty()) {
            summary += QStringLiteral("; no subclass of %1 takes part: %2")
                           .arg(table == compared.oldTable.data() ? QStringLiteral("old")
                                                                  : QStringLiteral("new"),
                               table->exclusion());
        }
    }
    item(out, QStringLiteral("vehicles"), summary);
    // The moved vehicles and the rows skipped in one only, in the order of their lines.
    auto moved = vehicles.moved.constBegin();
    auto skipped = vehicles.skipped.constBegin();
    while (moved != vehicles.moved.constEnd() || skipped != vehicles.skipped.constEnd()) {
        if (skipped == vehicles.skipped.constEnd()
            || (moved != vehicles.moved.constEnd() && moved->line < skipped->line)) {
            item(out, where_text(moved->line, moved->id),
                outcome_text(moved->old) + QStringLiteral(" -> ") + outcome_text(moved->now));
            ++moved;
        } else {
            item(out, QStringLiteral("line %1").arg(skipped->line),
                (skipped->inOld ? QStringLiteral("skipped in old: ")
                                : QStringLiteral("skipped in new: "))
                    + skipped->reason);
            ++skipped;
        }
    }
    write_distribution_text(vehicles, out);
    item(out, QStringLiteral("totals"), totals_text(vehicles));
}

void write_text(const Compared &compared, const QString &records, QTextStream &out)
{
    const int count = compared.count();
    out << compared.oldPath << " -> " << compared.newPath << ": "
        << (count == 0 ? QStringLiteral("no differences")
                       : counted(count, "difference", "differences"))
        << '\n';
    for (const Conf *conf : {&compared.old, &compared.now}) {
        if (conf->stopped_at_line() > 0) {
            item(out, QStringLiteral("read"),
                QStringLiteral("reading %1 stopped at line %2: \"%3\"; compared as far as it was "
                               "read")
                    .arg(conf == &compared.old ? compared.oldPath : compared.newPath)
                    .arg(conf->stopped_at_line())
                    .arg(printable(conf->stopped_line_text(), longestShownText)));
        }
    }
    const ConfDifferences &d = compared.differences;
    for (const FieldChange &change : d.header) {
        item(out, QStringLiteral("header"), change.text);
    }
    for (const quint16 number : d.removed) {
        item(out, QStringLiteral("removed"), QStringLiteral("subclass %1").arg(number));
    }
    for (const quint16 number : d.added) {
        item(out, QStringLiteral("added"), QStringLiteral("subclass %1").arg(number));
    }
    for (const Renumbering &pair : d.renumbered) {
        item(out, QStringLiteral("renumbered"),
            QStringLiteral("subclass %1 -> %2").arg(pair.old).arg(pair.now));
    }
    for (const SubclassChange &change : d.changed) {
        const QString where = QStringLiteral("subclass %1").arg(change.subclass);
        for (const FieldChange &field : change.fields) {
            item(out, where, field.text);
        }
    }
    for (const WindowChange &change : d.windows) {
        item(out, QStringLiteral("window"), window_change_text(change));
    }
    if (compared.vehicles) {
        write_vehicles_text(compared, records, out);
    }
}

QJsonValue text_or_null(const QString &text)
{
    return text.isNull() ? QJsonValue() : QJsonValue(text);
}

QJsonArray numbers_json(const QVector<quint16> &numbers)
{
    QJsonArray array;
    for (const quint16 number : numbers) {
        array.append(number);
    }
    return array;
}

QJsonObject outcome_json(const ComparedOutcome &outcome)
{
    return {{"verdict", AnalysisTexts::verdict_name(outcome.verdict)},
        {"subclasses", numbers_json(outcome.subclasses)}};
}

void add_vehicles_json(const VehicleDifferences &vehicles, QJsonObject &object)
{
    QJsonArray moved;
    for (const MovedVehicle &vehicle : vehicles.moved) {
        moved.append(QJsonObject {{"line", vehicle.line}, {"id", vehicle.id},
            {"old", outcome_json(vehicle.old)}, {"new", outcome_json(vehicle.now)}});
    }
    QJsonArray skipped;
    for (const SkippedComparedRow &row : vehicles.skipped) {
        skipped.append(QJsonObject {
            {"line", row.line}, {"in", row.inOld ? "old" : "new"}, {"reason", row.reason}});
    }
    QJsonArray distribution;
    for (const DistributionRow &row : vehicles.distribution) {
        // The percentage as the text report rounds it.
        distribution.append(QJsonObject {{"category", row.category}, {"old", double(row.old)},
            {"new", double(row.now)}, {"change", double(row.change())},
            {"percent",
                row.hasPercent() ? QJsonValue(QString::number(row.percent(), 'f', 1).toDouble())
                                 : QJsonValue()}});
    }
    object.insert("moved", moved);
    object.insert("skipped", skipped);
    object.insert("distribution", distribution);
    object.insert("totals",
        QJsonObject {{"moved", vehicles.moved.size()},
            {"newly_unmatched", double(vehicles.newlyUnmatched)},
            {"newly_ambiguous", double(vehicles.newlyAmbiguous)},
            {"newly_matched", double(vehicles.newlyMatched)}});
}

QJsonObject json_object(const Compared &compared)
{
    const auto stopped = [](const Conf &conf) {
        return conf.stopped_at_line() > 0 ? QJsonValue(conf.stopped_at_line()) : QJsonValue();
    };
    const ConfDifferences &d = compared.differences;
    QJsonArray header;
    for (const FieldChange &change : d.header) {
        header.append(QJsonObject {{"field", change.field}, {"old", text_or_null(change.old)},
            {"new", text_or_null(change.now)}});
    }
    QJsonArray renumbered;
    for (const Renumbering &pair : d.renumbered) {
        renumbered.append(QJsonObject {{"old", pair.old}, {"new", pair.now}});
    }
    QJsonArray changed;
    for (const SubclassChange &change : d.changed) {
        QJsonArray fields;
        for (const FieldChange &field : change.fields) {
            fields.append(QJsonObject {{"field", field.field}, {"old", text_or_null(field.old)},
                {"new", text_or_null(field.now)}, {"text", field.text}});
        }
        changed.append(QJsonObject {{"subclass", change.subclass}, {"fields", fields}});
    }
    QJsonArray windows;
    for (const WindowChange &change : d.windows) {
        windows.append(QJsonObject {
            {"subclass", change.subclass}, {"change", window_change_name(change.kind)}});
    }
    QJsonObject object {{"old", compared.oldPath}, {"new", compared.newPath},
        {"status", compared.status()},
        {"stopped", QJsonObject {{"old", stopped(compared.old)}, {"new", stopped(compared.now)}}},
        {"header", header}, {"removed", numbers_json(d.removed)}, {"added", numbers_json(d.added)},
        {"renumbered", renumbered}, {"changed", changed}, {"windows", windows}};
    if (compared.vehicles) {
        add_vehicles_json(*compared.vehicles, object);
    }
    return object;
}

} // namespace

int run_compare(
    const QStringList &files, const CompareOptions &options, QTextStream &out, QTextStream &err)
{
    if (files.size() != 2) {
        err << "--compare takes exactly two files, OLD then NEW; " << files.size()
            << (files.size() == 1 ? " was given.\n" : " were given.\n");
        return 2;
    }
    if (options.format || options.overlaps) {
        err << "--compare cannot be combined with " << (options.format ? "--format" : "--overlaps")
            << ".\n";
        return 2;
    }
    std::unique_ptr<Compared> held(new Compared(files.at(0), files.at(1)));
    Compared &compared = *held;
    const auto leave = qScopeGuard([&] {
        if (options.exitsAfter) {
            leftToExit = held.release();
        }
    });
    const QString problem = compared.problem(options);
    if (!problem.isEmpty()) {
        if (options.json) {
            out << QJsonDocument(QJsonObject {{"old", compared.oldPath}, {"new", compared.newPath},
                                     {"status", 2}, {"problem", problem}})
                       .toJson(QJsonDocument::Compact)
                << '\n';
        } else {
            out << problem << '\n';
        }
        return 2;
    }
    if (options.json) {
        out << QJsonDocument(json_object(compared)).toJson(QJsonDocument::Compact) << '\n';
    } else {
        write_text(compared, options.records, out);
    }
    return compared.status();
}
