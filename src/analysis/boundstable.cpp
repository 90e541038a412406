// The analysis's input kept current edit by edit: each subclass's windows, weight limits and
// whether it takes part.
#include "boundstable.h"
#include "conf.h"
#include "printable.h"
#include "ruletexts.h"

#include <QtNumeric>

#include <algorithm>

namespace {

// A header bound as the analysis needs it: a finite number.
bool is_number(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok && qIsFinite(value);
}

} // namespace

BoundsTable::BoundsTable(const Conf &conf)
{
    reset(conf);
}

void BoundsTable::reset(const Conf &conf)
{
    read_header(conf);
    all.clear();
    takingPart = 0;
    const QVector<quint16> numbers = conf.get_subclass_numbers();
    all.reserve(numbers.size());
    for (const quint16 number : numbers) {
        all.append(read(number, conf.get_subclass(number)));
        takingPart += all.constLast().takesPart ? 1 : 0;
    }
}

void BoundsTable::read_header(const Conf &conf)
{
    minText = conf.get_min_axle_distance();
    maxText = conf.get_max_axle_distance();
    hdrMin = minText.toFloat();
    hdrMax = maxText.toFloat();
    g = conf.get_g_acceleration_constant();
    unclassified = conf.get_unclassified_vehicles_subclass();
    // The invalid list would judge every gap against 0 for an empty bound, and against nothing
    // for one that is no number: no window is trusted then.
    headerProblem.clear();
    unusable = false;
    const struct
    {
        const QString &text;
        const char *label;
    } bounds[] = {{minText, RuleTexts::labelMinAxleDist}, {maxText, RuleTexts::labelMaxAxleDist}};
    for (const auto &bound : bounds) {
        if (headerProblem.isEmpty() && bound.text.isEmpty()) {
            headerProblem
                = QStringLiteral("the header's %1 is empty").arg(QString::fromUtf8(bound.label));
        }
    }
    for (const auto &bound : bounds) {
        if (headerProblem.isEmpty() && !is_number(bound.text)) {
            headerProblem = QStringLiteral("the header's %1 \"%2\" is not a number")
                                .arg(QString::fromUtf8(bound.label), printable(bound.text, 20));
            unusable = true;
        }
    }
}

bool BoundsTable::header_changed(const Conf &conf, FileFormat::Header key)
{
    switch (key) {
    case FileFormat::Header::MinAxleDistance:
    case FileFormat::Header::MaxAxleDistance:
        break;
    case FileFormat::Header::GAccelerationConstant:
    case FileFormat::Header::UnclassifiedVehiclesSubclass:
        read_header(conf);
        return true;
    default:
        return false;
    }
    read_header(conf);
    // Whether a subclass takes part depends on the bounds alone; a subclass that starts or stops
    // taking part is read again, since only taking-part subclasses keep their weight limits.
    takingPart = 0;
    for (SubclassBounds &row : all) {
        const Subclass &subclass = conf.get_subclass(row.number);
        if (takes_part(subclass) != row.takesPart) {
            row = read(row.number, subclass);
        }
        takingPart += row.takesPart ? 1 : 0;
    }
    return true;
}

void BoundsTable::subclass_changed(const Conf &conf, quint16 number)
{
    const auto at = std::lower_bound(all.cbegin(), all.cend(), number,
        [](const SubclassBounds &row, quint16 n) { return row.number < n; });
    const int index = int(at - all.cbegin());
    const bool present = at != all.cend() && at->number == number;
    if (present) {
        takingPart -= at->takesPart ? 1 : 0;
    }
    if (!conf.contains_subclass(number)) {
        if (present) {
            all.remove(index);
        }
        return;
    }
    SubclassBounds row = read(number, conf.get_subclass(number));
    takingPart += row.takesPart ? 1 : 0;
    if (present) {
        all[index] = std::move(row);
    } else {
        all.insert(index, std::move(row));
    }
}

int BoundsTable::row_of(quint16 number) const
{
    const auto at = std::lower_bound(all.cbegin(), all.cend(), number,
        [](const SubclassBounds &row, quint16 n) { return row.number < n; });
    return at != all.cend() && at->number == number ? int(at - all.cbegin()) : -1;
}

QString BoundsTable::exclusion() const
{
    if (all.isEmpty() || takingPart > 0) {
        return QString();
    }
    return headerProblem.isEmpty()
        ? QStringLiteral("all %1 are in the invalid list").arg(all.size())
        : headerProblem;
}

bool BoundsTable::takes_part(const Subclass &subclass) const
{
    if (!headerProblem.isEmpty()) {
        return false;
    }
    // A valid subclass has 2 to 20 axles; the guard only keeps a change to the validity rules
    // from making windows of other sizes.
    const int axles = subclass.get_number_of_axles().toInt();
    return axles >= 2 && axles <= FileFormat::MaxAxles
        && subclass.is_subclass_valid(minText, maxText);
}

SubclassBounds BoundsTable::read(quint16 number, const Subclass &s) const
{
    SubclassBounds row;
    row.number = number;
    row.takesPart = takes_part(s);
    row.category = s.get_category();
    row.axles = s.get_number_of_axles().toInt();
    // Also kept for a subclass that does not take part, so that the editor can show where its
    // windows are; never more gaps than the largest axle count has.
    const int gaps = std::max(0, std::min(row.axles, FileFormat::MaxAxles) - 1);
    row.mins.resize(gaps);
    row.maxs.resize(gaps);
    for (int i = 0; i < gaps; ++i) {
        row.mins[i] = s.get_min_distance_at_index(i).toFloat();
        row.maxs[i] = s.get_max_distance_at_index(i).toFloat();
    }
    if (!row.takesPart) {
        return row;
    }
    row.up = s.get_reclassify_up_to_subclass().toUShort();
    row.down = s.get_reclassify_down_to_subclass().toUShort();
    row.axleLimits.resize(row.axles);
    for (int i = 0; i < row.axles; ++i) {
        row.axleLimits[i] = s.get_max_axle_weight_at_index(i).toFloat();
    }
    for (int k = 0; k < s.get_combined_constraint_count(); ++k) {
        // A taking-part subclass's constraints have the form a+b+...,w.
        const QString constraint = s.get_combined_constraint_at_index(k);
        const int comma = constraint.lastIndexOf(QLatin1Char(','));
        GroupLimit group;
        group.limit = constraint.mid(comma + 1).toFloat();
        for (const QString &term : constraint.left(comma).split(QLatin1Char('+'))) {
            group.axles.append(term.toInt());
        }
        row.groups.append(group);
    }
    row.maxGVW = s.get_max_GVW().toFloat();
    const QString upper = s.get_upper_GVW_limit();
    const QString lower = s.get_lower_GVW_limit();
    row.hasUpperGVW = !upper.isEmpty();
    row.upperGVW = upper.toFloat();
    row.hasLowerGVW = !lower.isEmpty();
    row.lowerGVW = lower.toFloat();
    return row;
}
