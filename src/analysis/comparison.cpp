// Two configurations compared by meaning: the header, the subclasses and their windows, the
// subclasses given new numbers, and the recorded vehicles the two classify differently.
#include "comparison.h"
#include "valuewords.h"
#include "conf.h"
#include "fileformat.h"
#include "fleetsummary.h"
#include "printable.h"
#include "ruletexts.h"
#include "subclass.h"
#include "textscan.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QtNumeric>

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>
#include <tuple>

using FileFormat::Header;

namespace {

constexpr int longestShownText = 80;

QString words(const char *text)
{
    return QString::fromUtf8(text);
}

// How a value is read: as a real, a whole number, a subclass number, a reclassification target
// (a subclass number, where 0 is no target, as the editor reads it), or as text.
enum class Reading { Real, Whole, SubclassNumber, Target, Text };
// How a value is shown: a real with its unit, a whole number, quoted text or plain text.
enum class Shown { Real, Whole, Quoted, Plain };

// A value as the comparison reads it. The empty text and text that reads as no number keep
// their own meaning: the model reads them as 0, but for the checks they are missing or wrong.
struct Value
{
    enum Kind : quint8 { Empty, Number, Text } kind = Empty;
    double number = 0;
    QString text;

    bool operator==(const Value &other) const
    {
        return kind == other.kind
            && (kind == Empty || (kind == Number ? number == other.number : text == other.text));
    }
    bool operator!=(const Value &other) const { return !(*this == other); }

    quint64 hash() const
    {
        quint64 h = mixHash(kind);
        if (kind == Number) {
            quint64 bits = 0;
            std::memcpy(&bits, &number, sizeof bits);
            h = mixHash(h + bits);
        } else if (kind == Text) {
            h = mixHash(h + textHash(text));
        }
        return h;
    }
};

Value read_value(const QString &text, Reading reading)
{
    Value value;
    if (text.isEmpty()) {
        return value;
    }
    bool ok = false;
    double number = 0;
    switch (reading) {
    case Reading::Real: {
        const float real = text.toFloat(&ok);
        ok = ok && qIsFinite(real);
        number = real == 0 ? 0.0 : double(real); // -0 is 0
        break;
    }
    case Reading::Whole:
        number = text.toInt(&ok);
        break;
    case Reading::SubclassNumber:
    case Reading::Target:
        number = text.toUShort(&ok);
        if (ok && number == 0 && reading == Reading::Target) {
            return value;
        }
        break;
    case Reading::Text:
        break;
    }
    if (ok) {
        value.kind = Value::Number;
        value.number = number;
    } else {
        value.kind = Value::Text;
        value.text = text;
    }
    return value;
}

// A stored value as the checker shows it in its findings; text meant as text is shown as it is.
QString checker_form(const QString &text, Shown shown, const char *unit)
{
    switch (shown) {
    case Shown::Real:
        return ValueWords::shown_real(text, unit);
    case Shown::Whole:
        return ValueWords::shown_whole(text);
    case Shown::Quoted:
        return ValueWords::shown_text(text);
    case Shown::Plain:
        break;
    }
    return text.isEmpty() ? words(RuleTexts::valueEmpty) : printable(text, longestShownText);
}

// A change in words: "gap 2: max 4.50 -> 4.80 m" (the unit said once), "constraint 2+3: 186.40
// kN removed". `old` or `now` is null where the entry exists on one side only.
FieldChange field_change(
    const QString &field, QLatin1String separator, QString old, QString now, const char *unit)
{
    FieldChange change {field, old, now, field + separator};
    if (old.isNull()) {
        change.text += now + QStringLiteral(" added");
    } else if (now.isNull()) {
        change.text += old + QStringLiteral(" removed");
    } else {
        const QString suffix = unit ? QLatin1Char(' ') + QLatin1String(unit) : QString();
        if (!suffix.isEmpty() && old.endsWith(suffix) && now.endsWith(suffix)) {
            old.chop(suffix.size());
        }
        change.text += old + QStringLiteral(" -> ") + now;
    }
    return change;
}

// One field, read and shown one way, compared on both sides. A side that lacks the entry
// (beyond its number of axles) is absent.
struct Entry
{
    bool present;
    QString text;
};

bool differs(const Entry &old, const Entry &now, Reading reading)
{
    if (old.present != now.present) {
        return true;
    }
    return old.present && old.text != now.text
        && read_value(old.text, reading) != read_value(now.text, reading);
}

// The field's name is made only for a change: most fields of most subclasses are equal, and
// naming each would cost more than comparing it.
template <typename Name>
void compare_entry(QVector<FieldChange> &changes, const Name &name, const char *separator,
    const Entry &old, const Entry &now, Reading reading, Shown shown, const char *unit)
{
    if (differs(old, now, reading)) {
        changes.append(field_change(name(), QLatin1String(separator),
            old.present ? checker_form(old.text, shown, unit) : QString(),
            now.present ? checker_form(now.text, shown, unit) : QString(), unit));
    }
}

struct ScalarField
{
    QString (Subclass::*get)() const;
    const char *words;
    Reading reading;
    Shown shown;
    const char *unit;
};

// The ten scalar values of a subclass, in the order a change lists them.
const ScalarField scalarFields[] = {
    {&Subclass::get_category, "category", Reading::Text, Shown::Whole, nullptr},
    {&Subclass::get_number_of_axles, "number of axles", Reading::Whole, Shown::Whole, nullptr},
    {&Subclass::get_axle_configuration, "axle configuration", Reading::Text, Shown::Plain, nullptr},
    {&Subclass::get_max_GVW, "max GVW", Reading::Real, Shown::Real, "kN"},
    {&Subclass::get_upper_GVW_limit, "upper GVW limit", Reading::Real, Shown::Real, "kN"},
    {&Subclass::get_reclassify_up_to_subclass, "reclassify up", Reading::Target, Shown::Whole,
        nullptr},
    {&Subclass::get_lower_GVW_limit, "lower GVW limit", Reading::Real, Shown::Real, "kN"},
    {&Subclass::get_reclassify_down_to_subclass, "reclassify down", Reading::Target, Shown::Whole,
        nullptr},
    {&Subclass::get_prepend, "prepend", Reading::Real, Shown::Real, "m"},
    {&Subclass::get_append, "append", Reading::Real, Shown::Real, "m"},
};

// How many entries of a list the number of axles uses: as the writer counts them, so that a
// number far beyond the largest valid one costs no more than the list holds.
int used_entries(int wanted, int held)
{
    return qBound(0, wanted, qMax(held, FileFormat::MaxAxles));
}

int axle_count(const Subclass &s)
{
    return readWhole(s.get_number_of_axles());
}

int gap_count(const Subclass &s, int axles)
{
    return used_entries(axles - 1, qMax(s.get_min_distance_count(), s.get_max_distance_count()));
}

int weighed_count(const Subclass &s, int axles)
{
    return used_entries(axles, qMax(s.get_max_axle_weight_count(), s.get_tyre_type_count()));
}

// A combined constraint is keyed by its axles, in ascending order whatever the order written; a
// constraint not of the form a+b+...,w by its text.
struct ConstraintKey
{
    QVector<int> axles;
    QString text;

    bool operator<(const ConstraintKey &other) const
    {
        return std::tie(axles, text) < std::tie(other.axles, other.text);
    }
    QString shown() const
    {
        if (axles.isEmpty()) {
            return QLatin1Char('"') + printable(text, longestShownText) + QLatin1Char('"');
        }
        QStringList numbers;
        for (const int axle : axles) {
            numbers << QString::number(axle);
        }
        return numbers.join(QLatin1Char('+'));
    }
};

// Each key's weight limits, in the order the constraints stand.
QMap<ConstraintKey, QStringList> constraints_of(const Subclass &s)
{
    QMap<ConstraintKey, QStringList> constraints;
    for (int k = 0; k < s.get_combined_constraint_count(); ++k) {
        const QString text = s.get_combined_constraint_at_index(k);
        ConstraintKey key;
        QString weight;
        if (s.is_combined_constraint_valid(k)) {
            const int comma = text.lastIndexOf(QLatin1Char(','));
            for (const QString &term : text.left(comma).split(QLatin1Char('+'))) {
                key.axles.append(term.toInt());
            }
            std::sort(key.axles.begin(), key.axles.end());
            weight = text.mid(comma + 1);
        } else {
            key.text = text;
        }
        constraints[key].append(weight);
    }
    return constraints;
}

void compare_constraints(QVector<FieldChange> &changes, const Subclass &old, const Subclass &now)
{
    const int count = old.get_combined_constraint_count();
    bool same = count == now.get_combined_constraint_count();
    for (int k = 0; same && k < count; ++k) {
        same = old.get_combined_constraint_at_index(k) == now.get_combined_constraint_at_index(k);
    }
    if (same) {
        return; // the same texts in the same order
    }
    const QMap<ConstraintKey, QStringList> before = constraints_of(old);
    const QMap<ConstraintKey, QStringList> after = constraints_of(now);
    QList<ConstraintKey> keys = before.keys() + after.keys();
    std::sort(keys.begin(), keys.end());
    keys.erase(
        std::unique(keys.begin(), keys.end(),
            [](const ConstraintKey &a, const ConstraintKey &b) { return !(a < b) && !(b < a); }),
        keys.end());
    for (const ConstraintKey &key : qAsConst(keys)) {
        const QStringList a = before.value(key);
        const QStringList b = after.value(key);
        const QString field = words(RuleTexts::whereConstraint).arg(key.shown());
        for (int i = 0; i < qMax(a.size(), b.size()); ++i) {
            if (key.axles.isEmpty()) {
                // Not a constraint the model can read: said whole, as it stands.
                if (i >= a.size() || i >= b.size()) {
                    changes.append({field, i < a.size() ? key.shown() : QString(),
                        i < b.size() ? key.shown() : QString(),
                        field
                            + (i < a.size() ? QStringLiteral(" removed")
                                            : QStringLiteral(" added"))});
                }
                continue;
            }
            compare_entry(
                changes, [&field] { return field; }, ": ", {i < a.size(), a.value(i)},
                {i < b.size(), b.value(i)}, Reading::Real, Shown::Real, "kN");
        }
    }
}

quint64 canonical_hash(const Subclass &s)
{
    quint64 h = 0;
    const auto add = [&h](quint64 part) { h = mixHash(h + part); };
    for (const ScalarField &field : scalarFields) {
        add(read_value((s.*field.get)(), field.reading).hash());
    }
    const int axleCount = axle_count(s);
    const int gaps = gap_count(s, axleCount);
    add(quint64(gaps));
    for (int i = 0; i < gaps; ++i) {
        add(read_value(s.get_min_distance_at_index(i), Reading::Real).hash());
        add(read_value(s.get_max_distance_at_index(i), Reading::Real).hash());
    }
    const int axles = weighed_count(s, axleCount);
    add(quint64(axles));
    for (int i = 0; i < axles; ++i) {
        add(read_value(s.get_max_axle_weight_at_index(i), Reading::Real).hash());
        add(read_value(s.get_tyre_type_at_index(i), Reading::Whole).hash());
    }
    const QMap<ConstraintKey, QStringList> constraints = constraints_of(s);
    for (auto it = constraints.constBegin(); it != constraints.constEnd(); ++it) {
        add(textHash(it.key().text));
        for (const int axle : it.key().axles) {
            add(quint64(axle));
        }
        for (const QString &weight : it.value()) {
            add(read_value(weight, Reading::Real).hash());
        }
    }
    return h;
}

// The spacing window the matching rule reads, or false for a subclass whose number of axles no
// window has.
bool window_of(const Subclass &s, int *axles, QVector<float> *bounds)
{
    *axles = axle_count(s);
    if (*axles < 2 || *axles > FileFormat::MaxAxles) {
        return false;
    }
    for (int i = 0; i + 1 < *axles; ++i) {
        bounds->append(readReal(s.get_min_distance_at_index(i)));
        bounds->append(readReal(s.get_max_distance_at_index(i)));
    }
    return true;
}

bool window_change(quint16 number, const Subclass &old, const Subclass &now, WindowChange *change)
{
    int oldAxles = 0;
    int axles = 0;
    QVector<float> before;
    QVector<float> after;
    if (!window_of(old, &oldAxles, &before) || !window_of(now, &axles, &after)) {
        return false;
    }
    *change = {number, oldAxles, axles, WindowChange::Moved};
    if (oldAxles != axles) {
        return true;
    }
    bool widened = true;
    bool narrowed = true;
    bool same = true;
    for (int i = 0; i < before.size(); i += 2) {
        const float min0 = before.at(i);
        const float max0 = before.at(i + 1);
        const float min1 = after.at(i);
        const float max1 = after.at(i + 1);
        same = same && min0 == min1 && max0 == max1;
        widened = widened && min1 <= min0 && max0 <= max1;
        narrowed = narrowed && min0 <= min1 && max1 <= max0;
    }
    if (same) {
        return false;
    }
    change->kind = widened ? WindowChange::Widened
        : narrowed         ? WindowChange::Narrowed
                           : WindowChange::Moved;
    return true;
}

struct HeaderField
{
    Header key;
    QString (Conf::*get)() const;
    const char *label;
    Reading reading;
    Shown shown;
    const char *unit;
};

// The header fields in the order the editor shows them.
const HeaderField headerFields[] = {
    {Header::ClassificationVersion, &Conf::get_classification_version, RuleTexts::labelVersion,
        Reading::Text, Shown::Quoted, nullptr},
    {Header::CountryCode, &Conf::get_country_code, RuleTexts::labelCountry, Reading::Text,
        Shown::Quoted, nullptr},
    {Header::GroupMaxDistance, &Conf::get_group_max_distance, RuleTexts::labelGroupMaxDist,
        Reading::Real, Shown::Real, "m"},
    {Header::Min2AxleTruckSpacing, &Conf::get_min_2axle_truck_spacing,
        RuleTexts::labelMinAxleSpacing, Reading::Real, Shown::Real, "m"},
    {Header::MinAvgAxleWeight, &Conf::get_min_avg_axle_weight, RuleTexts::labelMinAvgAxleWeight,
        Reading::Real, Shown::Real, "kN"},
    {Header::UnclassifiedVehiclesSubclass, &Conf::get_unclassified_vehicles_subclass,
        RuleTexts::labelUnclassified, Reading::SubclassNumber, Shown::Whole, nullptr},
    {Header::MaxAxleDistance, &Conf::get_max_axle_distance, RuleTexts::labelMaxAxleDist,
        Reading::Real, Shown::Real, "m"},
    {Header::MinAxleDistance, &Conf::get_min_axle_distance, RuleTexts::labelMinAxleDist,
        Reading::Real, Shown::Real, "m"},
    {Header::UncategorisedVehicleCategory, &Conf::get_uncategorised_vehicle_category,
        RuleTexts::labelUncategorised, Reading::Whole, Shown::Whole, nullptr},
    {Header::GAccelerationConstant, &Conf::get_g_acceleration_constant, RuleTexts::labelG,
        Reading::Real, Shown::Real, nullptr},
};

// Every entry of the [classes] section that a file would hold, the keys the system does not
// know included.
QMap<QString, QString> header_entries(const Conf &conf)
{
    QMap<QString, QString> entries = conf.get_header_entries();
    for (auto it = entries.begin(); it != entries.end();) {
        it = it.value().isEmpty() ? entries.erase(it) : std::next(it);
    }
    return entries;
}

QVector<FieldChange> header_differences(const Conf &old, const Conf &now)
{
    QVector<FieldChange> changes;
    const char *separator = ": ";
    for (const HeaderField &field : headerFields) {
        compare_entry(
            changes, [&field] { return words(field.label); }, separator, {true, (old.*field.get)()},
            {true, (now.*field.get)()}, field.reading, field.shown, field.unit);
    }
    // Keys the system does not know, by their key, as texts.
    QMap<QString, QString> before = header_entries(old);
    QMap<QString, QString> after = header_entries(now);
    for (const HeaderField &field : headerFields) {
        before.remove(FileFormat::key(field.key));
        after.remove(FileFormat::key(field.key));
    }
    QStringList keys = before.keys() + after.keys();
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const QString &key : qAsConst(keys)) {
        compare_entry(
            changes, [&key] { return printable(key, longestShownText); }, separator,
            {before.contains(key), before.value(key)}, {after.contains(key), after.value(key)},
            Reading::Text, Shown::Quoted, nullptr);
    }
    return changes;
}

QString subclass_list(const QVector<quint16> &numbers)
{
    QStringList texts;
    for (const quint16 number : numbers) {
        texts << QString::number(number);
    }
    return texts.join(QStringLiteral(", "));
}

ComparedOutcome outcome_of(const WindowTable &table, const VehicleMatch &match)
{
    ComparedOutcome outcome;
    outcome.verdict = match.verdict;
    for (const SubclassMatch &m : match.matches) {
        outcome.subclasses.append(table.windows().at(m.window).number);
    }
    return outcome;
}

bool in_one_category(VehicleMatch::Verdict verdict)
{
    return verdict == VehicleMatch::Once || verdict == VehicleMatch::OneCategory;
}

// One row read and matched against one configuration.
struct RowResult
{
    int line = 0;
    bool skipped = false;
    QString reason;
    QString id;
    ComparedOutcome outcome;
    // The category matched, for a vehicle matched in one category.
    QString category;
};

// Reads and matches the next block of rows into `rows`; false once the records have ended.
bool read_block(VehicleReader &reader, const WindowTable &table, QVector<RowResult> *rows)
{
    constexpr int blockRows = 8192;
    rows->clear();
    VehicleRecord vehicle;
    QString reason;
    while (rows->size() < blockRows) {
        const VehicleReader::Outcome read = reader.next(&vehicle, &reason);
        if (read == VehicleReader::End) {
            return false;
        }
        RowResult row;
        row.line = vehicle.line;
        if (read == VehicleReader::Skipped) {
            row.skipped = true;
            row.reason = reason;
        } else {
            const VehicleMatch match = match_vehicle(table, vehicle);
            row.id = vehicle.id;
            row.outcome = outcome_of(table, match);
            if (in_one_category(match.verdict)) {
                row.category = table.category_of(match.matches.first().window);
            }
        }
        rows->append(row);
    }
    return true;
}

} // namespace

bool ConfDifferences::isEmpty() const
{
    return count() == 0;
}

int ConfDifferences::count() const
{
    int fields = 0;
    for (const SubclassChange &change : changed) {
        fields += change.fields.size();
    }
    return header.size() + removed.size() + added.size() + renumbered.size() + fields
        + windows.size();
}

QVector<FieldChange> subclass_differences(const Subclass &old, const Subclass &now)
{
    QVector<FieldChange> changes;
    const char *space = " ";
    for (const ScalarField &field : scalarFields) {
        compare_entry(
            changes, [&field] { return QString::fromLatin1(field.words); }, space,
            {true, (old.*field.get)()}, {true, (now.*field.get)()}, field.reading, field.shown,
            field.unit);
    }
    const auto place = [](const char *where, int i, const char *what) {
        return words(where).arg(i + 1) + QLatin1String(what);
    };
    const int axleCountBefore = axle_count(old);
    const int axleCountAfter = axle_count(now);
    const int gapsBefore = gap_count(old, axleCountBefore);
    const int gapsAfter = gap_count(now, axleCountAfter);
    for (int i = 0; i < qMax(gapsBefore, gapsAfter); ++i) {
        compare_entry(
            changes, [&] { return place(RuleTexts::whereGap, i, ": min"); }, space,
            {i < gapsBefore, old.get_min_distance_at_index(i)},
            {i < gapsAfter, now.get_min_distance_at_index(i)}, Reading::Real, Shown::Real, "m");
        compare_entry(
            changes, [&] { return place(RuleTexts::whereGap, i, ": max"); }, space,
            {i < gapsBefore, old.get_max_distance_at_index(i)},
            {i < gapsAfter, now.get_max_distance_at_index(i)}, Reading::Real, Shown::Real, "m");
    }
    const int axlesBefore = weighed_count(old, axleCountBefore);
    const int axlesAfter = weighed_count(now, axleCountAfter);
    for (int i = 0; i < qMax(axlesBefore, axlesAfter); ++i) {
        compare_entry(
            changes, [&] { return place(RuleTexts::whereAxle, i, ": max weight"); }, space,
            {i < axlesBefore, old.get_max_axle_weight_at_index(i)},
            {i < axlesAfter, now.get_max_axle_weight_at_index(i)}, Reading::Real, Shown::Real,
            "kN");
        compare_entry(
            changes, [&] { return place(RuleTexts::whereAxle, i, ": tyre type"); }, space,
            {i < axlesBefore, old.get_tyre_type_at_index(i)},
            {i < axlesAfter, now.get_tyre_type_at_index(i)}, Reading::Whole, Shown::Whole, nullptr);
    }
    compare_constraints(changes, old, now);
    return changes;
}

namespace {
// The subclasses removed, added, renumbered and changed, and their window changes.
void compare_subclasses(const Conf &old, const Conf &now, ConfDifferences *differences);
} // namespace

ConfDifferences compare_configurations(const Conf &old, const Conf &now)
{
    ConfDifferences found;
    // The header on a worker thread: all it does to the configurations is to read them.
    in_parallel([&] { found.header = header_differences(old, now); },
        [&] { compare_subclasses(old, now, &found); });
    return found;
}

namespace {

void compare_subclasses(const Conf &old, const Conf &now, ConfDifferences *differences)
{
    ConfDifferences &found = *differences;
    const QVector<quint16> before = old.get_subclass_numbers();
    const QVector<quint16> after = now.get_subclass_numbers();
    QVector<quint16> removed;
    QVector<quint16> added;
    for (int i = 0, j = 0; i < before.size() || j < after.size();) {
        if (j == after.size() || (i < before.size() && before.at(i) < after.at(j))) {
            removed.append(before.at(i++));
        } else if (i == before.size() || after.at(j) < before.at(i)) {
            added.append(after.at(j++));
        } else {
            const quint16 number = before.at(i);
            const Subclass &a = old.get_subclass(number);
            const Subclass &b = now.get_subclass(number);
            const QVector<FieldChange> fields = subclass_differences(a, b);
            if (!fields.isEmpty()) {
                found.changed.append({number, fields});
                WindowChange change;
                if (window_change(number, a, b, &change)) {
                    found.windows.append(change);
                }
            }
            ++i;
            ++j;
        }
    }

    // A removed subclass is paired with the lowest added one of the same meaning, found by the
    // hash of that meaning and confirmed field by field.
    QHash<quint64, QVector<quint16>> addedByMeaning;
    for (const quint16 number : qAsConst(added)) {
        addedByMeaning[canonical_hash(now.get_subclass(number))].append(number);
    }
    QSet<quint16> paired;
    for (const quint16 number : qAsConst(removed)) {
        const Subclass &a = old.get_subclass(number);
        const auto candidates = addedByMeaning.constFind(canonical_hash(a));
        bool found_pair = false;
        if (candidates != addedByMeaning.constEnd()) {
            for (const quint16 candidate : *candidates) {
                if (!paired.contains(candidate)
                    && subclass_differences(a, now.get_subclass(candidate)).isEmpty()) {
                    found.renumbered.append({number, candidate});
                    paired.insert(candidate);
                    found_pair = true;
                    break;
                }
            }
        }
        if (!found_pair) {
            found.removed.append(number);
        }
    }
    for (const quint16 number : qAsConst(added)) {
        if (!paired.contains(number)) {
            found.added.append(number);
        }
    }
    std::stable_sort(found.windows.begin(), found.windows.end(),
        [](const WindowChange &a, const WindowChange &b) { return a.axles < b.axles; });
}

} // namespace

VehicleDifferences compare_vehicles(QIODevice *forOld, QIODevice *forNew, const Conf &oldConf,
    const Conf &newConf, const WindowTable &old, const WindowTable &now)
{
    VehicleDifferences found;
    // Reading a row depends on its configuration: tonnes use its g, expected subclasses exist.
    VehicleReader before(forOld, oldConf);
    VehicleReader after(forNew, newConf);
    found.problem
        = before.header_problem().isEmpty() ? after.header_problem() : before.header_problem();
    if (!found.problem.isEmpty()) {
        return found;
    }
    // Per category, the counts against the old and the new configuration.
    QMap<QString, QPair<qint64, qint64>> counts;
    qint64 ambiguousCount[2] = {};
    qint64 unmatchedCount[2] = {};
    const auto tally = [&](const RowResult &row, int side) {
        if (row.outcome.verdict == VehicleMatch::Ambiguous) {
            ++ambiguousCount[side];
        } else if (row.outcome.verdict == VehicleMatch::Unmatched) {
            ++unmatchedCount[side];
        } else {
            QPair<qint64, qint64> &count = counts[row.category];
            ++(side == 0 ? count.first : count.second);
        }
    };
    // The two sides read and match block by block, each on a thread of its own; the blocks
    // keep the memory bounded whatever the length of the records.
    QVector<RowResult> a;
    QVector<RowResult> b;
    bool more = true;
    while (more) {
        bool moreA = false;
        bool moreB = false;
        in_parallel([&] { moreA = read_block(before, old, &a); },
            [&] { moreB = read_block(after, now, &b); });
        // Both read the same rows; a difference would only come from a reader's fault.
        more = moreA && moreB && a.size() == b.size();
        for (int k = 0; k < qMin(a.size(), b.size()); ++k) {
            const RowResult &x = a.at(k);
            const RowResult &y = b.at(k);
            ++found.rows;
            if (x.skipped && y.skipped) {
                ++found.skippedInBoth;
                continue;
            }
            if (x.skipped || y.skipped) {
                found.skipped.append({x.line, x.skipped, x.skipped ? x.reason : y.reason});
                continue;
            }
            ++found.compared;
            tally(x, 0);
            tally(y, 1);
            if (x.outcome == y.outcome) {
                continue;
            }
            found.moved.append({x.line, x.id, x.outcome, y.outcome});
            if (x.outcome.verdict != y.outcome.verdict) {
                found.newlyUnmatched += y.outcome.verdict == VehicleMatch::Unmatched ? 1 : 0;
                found.newlyAmbiguous += y.outcome.verdict == VehicleMatch::Ambiguous ? 1 : 0;
            }
            found.newlyMatched
                += in_one_category(y.outcome.verdict) && !in_one_category(x.outcome.verdict) ? 1
                                                                                             : 0;
        }
    }
    for (const QString &category : FleetSummary::in_category_order(counts.keys())) {
        const QPair<qint64, qint64> &count = counts[category];
        found.distribution.append({category, count.first, count.second});
    }
    found.distribution.append(
        {QStringLiteral("ambiguous"), ambiguousCount[0], ambiguousCount[1], false});
    found.distribution.append(
        {QStringLiteral("unmatched"), unmatchedCount[0], unmatchedCount[1], false});
    return found;
}

void in_parallel(const std::function<void()> &first, const std::function<void()> &second)
{
    std::thread worker;
    try {
        worker = std::thread(first);
    } catch (const std::system_error &) {
        // No thread to be had: one after the other.
        first();
        second();
        return;
    }
    second();
    worker.join();
}

QString outcome_text(const ComparedOutcome &outcome)
{
    const QString numbers = subclass_list(outcome.subclasses);
    switch (outcome.verdict) {
    case VehicleMatch::Once:
        return QStringLiteral("subclass ") + numbers;
    case VehicleMatch::OneCategory:
        return QStringLiteral("one category: subclasses ") + numbers;
    case VehicleMatch::Ambiguous:
        return QStringLiteral("ambiguous: subclasses ") + numbers;
    case VehicleMatch::Unmatched:
        break;
    }
    return QStringLiteral("unmatched");
}

const char *window_change_name(WindowChange::Kind kind)
{
    static const char *const names[] = {"widened", "narrowed", "moved"};
    return names[kind];
}

QString window_change_text(const WindowChange &change)
{
    if (change.oldAxles != change.axles) {
        return QStringLiteral("subclass %1 moved from %2 to %3 axles")
            .arg(change.subclass)
            .arg(change.oldAxles)
            .arg(change.axles);
    }
    return QStringLiteral("subclass %1 (%2 axles) %3")
        .arg(change.subclass)
        .arg(change.axles)
        .arg(QLatin1String(window_change_name(change.kind)));
}

QString signed_count(qint64 change)
{
    return change > 0 ? QLatin1Char('+') + QString::number(change) : QString::number(change);
}

QString percent_text(const DistributionRow &row)
{
    if (!row.hasPercent()) {
        return QString();
    }
    const QString number = QString::number(row.percent(), 'f', 1);
    return (row.change() > 0 ? QStringLiteral("+") : QString()) + number + QStringLiteral(" %");
}
