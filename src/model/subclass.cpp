// One vehicle subclass: its values, per-axle lists, combined constraints and validity rules.
#include "subclass.h"
#include "textscan.h"

#include <QDebug>

#include <algorithm>
#include <limits>

using FileFormat::Section;

namespace {

// Axle counts above the largest valid one only need to be recognised as invalid: the lists grow
// as if the count were one more than the largest, never in proportion to a number read from a
// file.
constexpr int growthLimit = FileFormat::MaxAxles + 1;

// The whole text is a vehicle letter and its axle count, followed by parts, each a part letter
// and its axle count: the pattern [ABCHLMV]\d+(?:[DTS]\d+)* matched as a whole.
bool matchesAxleConfiguration(const QString &text)
{
    static const QString vehicles = QStringLiteral("ABCHLMV");
    static const QString parts = QStringLiteral("DTS");
    if (text.isEmpty() || !vehicles.contains(text.at(0))) {
        return false;
    }
    int pos = 1;
    int end = skipDigits(text, pos);
    if (end == pos) {
        return false;
    }
    pos = end;
    while (pos < text.size()) {
        if (!parts.contains(text.at(pos))) {
            return false;
        }
        ++pos;
        end = skipDigits(text, pos);
        if (end == pos) {
            return false;
        }
        pos = end;
    }
    return true;
}

// The whole text is one combined constraint: (?:\d+\+)+\d+,\d+\.?\d* matched as a whole. A
// whole match is the leftmost one, taken greedily to the end of the text.
bool matchesCombinedConstraint(const QString &text)
{
    int end = 0;
    return findCombinedConstraint(text, 0, &end) == 0 && end == text.size();
}

// Sum of every run of digits in the text, without wrapping. False when a run does not read as
// a whole number (too long for an int, or not plain decimal digits): such a text matches no
// axle count.
bool sumOfDigitRuns(const QString &text, qint64 &sum)
{
    sum = 0;
    int pos = 0;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        const int end = skipDigits(text, pos);
        int run = 0;
        bool ascii = end - pos <= 9;
        for (int i = pos; ascii && i < end; ++i) {
            const ushort u = text.at(i).unicode();
            ascii = isAsciiDigit(u);
            run = run * 10 + (u - '0');
        }
        if (!ascii) {
            bool ok = false;
            run = text.midRef(pos, end - pos).toInt(&ok);
            if (!ok) {
                return false;
            }
        }
        sum += run;
        if (sum > std::numeric_limits<int>::max()) {
            return false;
        }
        pos = end;
    }
    return true;
}

QString entryOrEmpty(const QStringList &list, int index)
{
    if (index < 0 || index >= list.size()) {
        return QString();
    }
    return list.at(index);
}

void setOrAppend(QStringList &list, const QString &value, int index)
{
    if (index < 0 || index >= list.size()) {
        list.append(value);
    } else {
        list[index] = value;
    }
}

void removeLast(QStringList &list)
{
    if (!list.isEmpty()) {
        list.removeLast();
    }
}

bool prefixesAgree(const QStringList &a, const QStringList &b)
{
    const int n = qMin(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        if (a.at(i) != b.at(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

// A record read from a subclass, with shallow copies of what it was read from: any change to the
// subclass detaches its container from these, which is how a stale record is told. Const, so
// that reading them can never detach them instead.
template <typename Record> struct Subclass::Kept
{
    explicit Kept(const Subclass &subclass)
        : values(subclass.values)
        , lists {subclass.max_axle_weights, subclass.min_axle_distances,
              subclass.max_axle_distances, subclass.tyre_types, subclass.combined_constraints}
        , record(subclass)
    {
    }

    bool isOf(const Subclass &subclass) const
    {
        return values.isSharedWith(subclass.values)
            && lists[0].isSharedWith(subclass.max_axle_weights)
            && lists[1].isSharedWith(subclass.min_axle_distances)
            && lists[2].isSharedWith(subclass.max_axle_distances)
            && lists[3].isSharedWith(subclass.tyre_types)
            && lists[4].isSharedWith(subclass.combined_constraints);
    }

    const QVector<QString> values;
    const std::array<QStringList, 5> lists;
    const Record record;
};

template <typename Record>
const Record &Subclass::kept(std::shared_ptr<const Kept<Record>> &slot) const
{
    if (!slot || !slot->isOf(*this)) {
        slot = std::make_shared<const Kept<Record>>(*this);
    }
    return slot->record;
}

// What the whole-subclass checks read.
struct Subclass::Summary
{
    explicit Summary(const Subclass &subclass);

    // Every index the whole-subclass checks visit exists, so none of them logs and the
    // results below decide them.
    bool regular = false;
    int gaps = 0;
    bool ordered = true; // every gap's minimum is at most its maximum
    bool distancesPositive = true; // every gap's minimum and maximum are above 0
    float lowestMin = std::numeric_limits<float>::infinity();
    float highestMin = -std::numeric_limits<float>::infinity();
    float lowestMax = std::numeric_limits<float>::infinity();
    float highestMax = -std::numeric_limits<float>::infinity();
    bool axlesValid = true; // every axle's weight and tyre type
    bool constraintsValid = true;
    bool scalarsValid = false; // category, number of axles, maximum GVW, axle configuration
    // The largest maximum distance over the whole list, for the header's maximum.
    float largestMax = -std::numeric_limits<float>::infinity();
};

Subclass::Summary::Summary(const Subclass &subclass)
{
    const QStringList &weights = subclass.max_axle_weights;
    const QStringList &mins = subclass.min_axle_distances;
    const QStringList &maxs = subclass.max_axle_distances;
    const QStringList &tyres = subclass.tyre_types;
    const int n = readWhole(subclass.valueOf(Section::NumberOfAxles));
    const int axles = qMax(n, 0);
    gaps = n > 1 ? n - 1 : 0;
    regular = (gaps == 0 || (gaps <= mins.size() && mins.size() == maxs.size()))
        && axles <= weights.size() && axles <= tyres.size();
    if (regular) {
        for (int i = 0; i < gaps; ++i) {
            const float m = readReal(mins.at(i));
            const float M = readReal(maxs.at(i));
            ordered = ordered && m <= M;
            distancesPositive = distancesPositive && m > 0 && M > 0;
            lowestMin = qMin(lowestMin, m);
            highestMin = qMax(highestMin, m);
            lowestMax = qMin(lowestMax, M);
            highestMax = qMax(highestMax, M);
        }
        for (int i = 0; i < axles && axlesValid; ++i) {
            const int tyre = readWhole(tyres.at(i));
            axlesValid = readReal(weights.at(i)) > 0 && tyre >= 1 && tyre <= 4;
        }
    }
    for (const QString &constraint : subclass.combined_constraints) {
        constraintsValid = constraintsValid && matchesCombinedConstraint(constraint);
    }
    scalarsValid = subclass.is_category_valid() && subclass.is_number_of_axles_valid()
        && subclass.is_max_GVW_valid() && subclass.is_axle_configuration_valid();
    for (const QString &distance : maxs) {
        largestMax = qMax(largestMax, readReal(distance));
    }
}

Subclass::Subclass() = default;

Subclass::Subclass(const QMap<QString, QString> &section)
{
    build([&section](Section key) { return section.value(FileFormat::key(key)); });
}

Subclass::Subclass(const SectionTexts &section)
{
    build([&section](Section key) { return section[size_t(key)]; });
}

template <typename Read> void Subclass::build(Read read)
{
    subclass = read(Section::Subclass).toUShort();
    set_category(read(Section::Category));
    set_max_GVW(read(Section::MaxGVW));
    set_min_max_distances(read(Section::MinAxleDistance), read(Section::MaxAxleDistance));
    set_tyre_types(read(Section::TyreType));
    set_max_axle_weights(read(Section::MaxAxleWeight));
    // After the lists: it grows them to the number of axles.
    set_number_of_axles(read(Section::NumberOfAxles));
    set_upper_GVW_limit(read(Section::UpperGVWLimit));
    set_reclassify_up_to_subclass(read(Section::ReclassifyUpToSubclass));
    set_lower_GVW_limit(read(Section::LowerGVWLimit));
    set_reclassify_down_to_subclass(read(Section::ReclassifyDownToSubclass));
    set_axle_configuration(read(Section::AxleConfiguration));
    set_prepend(read(Section::Prepend));
    set_append(read(Section::Append));
}

namespace {

// The scalar keys in the order of their text (code units), the order the file lists them in.
const std::array<Section, 10> &scalarOrder()
{
    static const std::array<Section, 10> order = [] {
        std::array<Section, 10> keys {Section::Category, Section::NumberOfAxles,
            Section::AxleConfiguration, Section::MaxGVW, Section::UpperGVWLimit,
            Section::ReclassifyUpToSubclass, Section::LowerGVWLimit,
            Section::ReclassifyDownToSubclass, Section::Prepend, Section::Append};
        std::sort(keys.begin(), keys.end(),
            [](Section a, Section b) { return FileFormat::key(a) < FileFormat::key(b); });
        return keys;
    }();
    return order;
}

} // namespace

int Subclass::scalarSlot(Section key)
{
    static const std::array<qint8, FileFormat::SectionKeyCount> places = [] {
        std::array<qint8, FileFormat::SectionKeyCount> table;
        table.fill(-1);
        for (size_t slot = 0; slot < scalarOrder().size(); ++slot) {
            table[size_t(scalarOrder()[slot])] = qint8(slot);
        }
        return table;
    }();
    return places[size_t(key)];
}

Section Subclass::scalarKey(int slot)
{
    return scalarOrder()[size_t(slot)];
}

int Subclass::scalarsGiven(quint16 given)
{
    int count = 0;
    for (; given != 0; given &= quint16(given - 1)) {
        ++count;
    }
    return count;
}

QString Subclass::valueOf(Section key) const
{
    const int slot = scalarSlot(key);
    return (given >> slot) & 1U ? values.at(slot) : QString();
}

void Subclass::setValue(Section key, const QString &value)
{
    if (values.isEmpty()) {
        values.resize(ScalarCount);
    }
    const int slot = scalarSlot(key);
    values[slot] = value;
    given |= quint16(1U << slot);
}

quint16 Subclass::get_subclass_number() const
{
    return subclass;
}

void Subclass::set_subclass_number(quint16 number)
{
    subclass = number;
}

QString Subclass::get_category() const
{
    return valueOf(Section::Category);
}

void Subclass::set_category(QString value)
{
    setValue(Section::Category, value);
}

QString Subclass::get_number_of_axles() const
{
    return valueOf(Section::NumberOfAxles);
}

void Subclass::set_number_of_axles(QString value)
{
    setValue(Section::NumberOfAxles, value);
    const int n = qMin(readWhole(value), growthLimit);
    while (n > min_axle_distances.size()) {
        if (min_axle_distances.size() != max_axle_distances.size()) {
            qWarning() << "set_number_of_axles-axles:" << min_axle_distances.size()
                       << "!=" << max_axle_distances.size();
        }
        min_axle_distances.append(QString());
        max_axle_distances.append(QString());
    }
    while (n >= max_axle_weights.size()) {
        if (tyre_types.size() != max_axle_weights.size()) {
            qWarning() << "set_number_of_axles-weight/tyre:" << max_axle_weights.size()
                       << "!=" << tyre_types.size();
        }
        max_axle_weights.append(QString());
        tyre_types.append(QString());
    }
}

QString Subclass::get_axle_configuration() const
{
    return valueOf(Section::AxleConfiguration);
}

void Subclass::set_axle_configuration(QString value)
{
    setValue(Section::AxleConfiguration, value.toUpper());
}

QString Subclass::get_max_GVW() const
{
    return valueOf(Section::MaxGVW);
}

void Subclass::set_max_GVW(QString value)
{
    setValue(Section::MaxGVW, value);
}

QString Subclass::get_upper_GVW_limit() const
{
    return valueOf(Section::UpperGVWLimit);
}

void Subclass::set_upper_GVW_limit(QString value)
{
    setValue(Section::UpperGVWLimit, value);
}

QString Subclass::get_reclassify_up_to_subclass() const
{
    return valueOf(Section::ReclassifyUpToSubclass);
}

void Subclass::set_reclassify_up_to_subclass(QString value)
{
    setValue(Section::ReclassifyUpToSubclass, value);
}

QString Subclass::get_lower_GVW_limit() const
{
    return valueOf(Section::LowerGVWLimit);
}

void Subclass::set_lower_GVW_limit(QString value)
{
    setValue(Section::LowerGVWLimit, value);
}

QString Subclass::get_reclassify_down_to_subclass() const
{
    return valueOf(Section::ReclassifyDownToSubclass);
}

void Subclass::set_reclassify_down_to_subclass(QString value)
{
    setValue(Section::ReclassifyDownToSubclass, value);
}

QString Subclass::get_prepend() const
{
    return valueOf(Section::Prepend);
}

void Subclass::set_prepend(QString value)
{
    setValue(Section::Prepend, value);
}

QString Subclass::get_append() const
{
    return valueOf(Section::Append);
}

void Subclass::set_append(QString value)
{
    setValue(Section::Append, value);
}

QString Subclass::get_max_axle_weight_at_index(int index) const
{
    return entryOrEmpty(max_axle_weights, index);
}

QString Subclass::get_min_distance_at_index(int index) const
{
    return entryOrEmpty(min_axle_distances, index);
}

QString Subclass::get_max_distance_at_index(int index) const
{
    return entryOrEmpty(max_axle_distances, index);
}

QString Subclass::get_combined_constraint_at_index(int index) const
{
    return entryOrEmpty(combined_constraints, index);
}

QString Subclass::get_tyre_type_at_index(int index) const
{
    if (index < 0 || index >= tyre_types.size()) {
        qWarning() << "get_tyre_type_at_index: Trying to get a nonexistend index " << index
                   << " in array of size " << tyre_types.size();
        return QString();
    }
    return tyre_types.at(index);
}

void Subclass::set_max_axle_weight_at_index(QString value, int index)
{
    setOrAppend(max_axle_weights, value, index);
}

void Subclass::set_min_distance_at_index(QString value, int index)
{
    setOrAppend(min_axle_distances, value, index);
}

void Subclass::set_max_distance_at_index(QString value, int index)
{
    setOrAppend(max_axle_distances, value, index);
}

void Subclass::set_tyre_type_at_index(QString value, int index)
{
    setOrAppend(tyre_types, value, index);
}

void Subclass::remove_last_max_axle_weight()
{
    removeLast(max_axle_weights);
}

void Subclass::remove_last_min_distance()
{
    removeLast(min_axle_distances);
}

void Subclass::remove_last_max_distance()
{
    removeLast(max_axle_distances);
}

void Subclass::remove_last_tyre_type()
{
    removeLast(tyre_types);
}

int Subclass::get_max_axle_weight_count() const
{
    return max_axle_weights.size();
}

int Subclass::get_min_distance_count() const
{
    return min_axle_distances.size();
}

int Subclass::get_max_distance_count() const
{
    return max_axle_distances.size();
}

int Subclass::get_tyre_type_count() const
{
    return tyre_types.size();
}

int Subclass::get_combined_constraint_count() const
{
    return combined_constraints.size();
}

void Subclass::set_combined_constraint(QString value, int index)
{
    // Any index but -1 outside the list appends too, like the per-axle setters: the value is
    // kept rather than written past the end.
    if (index < 0 || index >= combined_constraints.size()) {
        combined_constraints.append(QString());
        index = combined_constraints.size() - 1;
    }
    combined_constraints[index] = value;
}

void Subclass::remove_combined_constraint(int index)
{
    if (index < 0 || index >= combined_constraints.size()) {
        qWarning() << "Combined constraints size is smaller than index we tried to delete!";
        return;
    }
    combined_constraints.removeAt(index);
}

bool Subclass::is_max_axle_weight_valid(int index) const
{
    if (index < 0 || index >= max_axle_weights.size()) {
        qWarning() << "is_max_axle_weight_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << max_axle_weights.size();
        return false;
    }
    return readReal(max_axle_weights.at(index)) > 0;
}

bool Subclass::is_tyre_type_valid(int index) const
{
    if (index < 0 || index >= tyre_types.size()) {
        qWarning() << "is_tyre_type_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << tyre_types.size();
        return false;
    }
    const int type = readWhole(tyre_types.at(index));
    return type >= 1 && type <= 4;
}

bool Subclass::is_combined_constraint_valid(int index) const
{
    if (index < 0 || index >= combined_constraints.size()) {
        qWarning() << "Constraint at index " << index << " does not exist for size "
                   << combined_constraints.size();
        return false;
    }
    return matchesCombinedConstraint(combined_constraints.at(index));
}

bool Subclass::minDistanceValid(int index, float hdrMin, float hdrMax) const
{
    if (index < 0 || index >= min_axle_distances.size() || index >= max_axle_distances.size()) {
        qWarning() << "is_min_distance_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << min_axle_distances.size();
        return false;
    }
    const float m = readReal(min_axle_distances.at(index));
    const float M = readReal(max_axle_distances.at(index));
    return (gapFaults(m, M, hdrMin, hdrMax) & MinFaults) == 0;
}

bool Subclass::maxDistanceValid(int index, float hdrMin, float hdrMax) const
{
    if (index < 0 || index >= max_axle_distances.size()
        || min_axle_distances.size() != max_axle_distances.size()) {
        qWarning() << "is_max_distance_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << max_axle_distances.size();
        return false;
    }
    const float m = readReal(min_axle_distances.at(index));
    const float M = readReal(max_axle_distances.at(index));
    return (gapFaults(m, M, hdrMin, hdrMax) & MaxFaults) == 0;
}

unsigned Subclass::gapFaults(float m, float M, float hdrMin, float hdrMax)
{
    unsigned faults = 0;
    faults |= m <= M ? 0U : unsigned(MinAboveMax);
    faults |= m >= hdrMin ? 0U : unsigned(MinBelowHeader);
    faults |= m <= hdrMax ? 0U : unsigned(MinAboveHeader);
    faults |= M >= hdrMin ? 0U : unsigned(MaxBelowHeader);
    faults |= M <= hdrMax ? 0U : unsigned(MaxAboveHeader);
    return faults;
}

bool Subclass::is_min_distance_valid(int index, QString hdr_min, QString hdr_max) const
{
    return minDistanceValid(index, readReal(hdr_min), readReal(hdr_max));
}

bool Subclass::is_max_distance_valid(int index, QString hdr_min, QString hdr_max) const
{
    return maxDistanceValid(index, readReal(hdr_min), readReal(hdr_max));
}

bool Subclass::is_category_valid() const
{
    return !valueOf(Section::Category).isEmpty();
}

bool Subclass::is_max_GVW_valid() const
{
    return !valueOf(Section::MaxGVW).isEmpty();
}

bool Subclass::is_number_of_axles_valid() const
{
    const QString axles = valueOf(Section::NumberOfAxles);
    return readWhole(axles) > 1 && readReal(axles) <= FileFormat::MaxAxles;
}

bool Subclass::is_axle_configuration_valid() const
{
    const QString configuration = valueOf(Section::AxleConfiguration);
    if (!matchesAxleConfiguration(configuration)) {
        return false;
    }
    qint64 sum = 0;
    if (!sumOfDigitRuns(configuration, sum)) {
        return false;
    }
    return sum == readWhole(valueOf(Section::NumberOfAxles));
}

bool Subclass::is_reclassify_up_valid(QString target_axles) const
{
    if (target_axles.isEmpty()) {
        return true;
    }
    if (target_axles == QLatin1String("0")) {
        return false;
    }
    return valueOf(Section::NumberOfAxles) == target_axles;
}

bool Subclass::is_reclassify_down_valid(QString target_axles) const
{
    return is_reclassify_up_valid(target_axles);
}

bool Subclass::can_draw() const
{
    // Every loop below ends at the end of a list at the latest, whatever the axle count says:
    // a missing entry reads as the empty text and stops it.
    const int n = readWhole(valueOf(Section::NumberOfAxles));
    for (int i = 0; i + 1 < n; ++i) {
        const QString min = get_min_distance_at_index(i);
        const QString max = get_max_distance_at_index(i);
        if (!(readReal(min) > 0) || !(readReal(max) > 0)) {
            qDebug() << "Can't draw because at index" << i << "min dist is" << min
                     << "and max dist is" << max;
            return false;
        }
    }
    return is_number_of_axles_valid();
}

bool Subclass::subclassValid(float hdrMin, float hdrMax) const
{
    const Summary &s = kept(summary);
    if (s.regular) {
        // Over all gaps at once: every minimum and maximum within the header limits is the
        // same as the lowest and highest of them within the limits.
        const bool distances = s.gaps == 0
            || (s.ordered && s.lowestMin >= hdrMin && s.highestMin <= hdrMax
                && s.lowestMax >= hdrMin && s.highestMax <= hdrMax);
        return distances && s.axlesValid && s.constraintsValid && s.scalarsValid;
    }
    // Some index is missing: check in order, so that the first failure logs as it should. The
    // loops end at the end of a list at the latest, whatever the axle count says.
    const int n = readWhole(valueOf(Section::NumberOfAxles));
    for (int i = 0; i + 1 < n; ++i) {
        if (!minDistanceValid(i, hdrMin, hdrMax) || !maxDistanceValid(i, hdrMin, hdrMax)) {
            return false;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!is_max_axle_weight_valid(i) || !is_tyre_type_valid(i)) {
            return false;
        }
    }
    return s.constraintsValid && s.scalarsValid;
}

bool Subclass::is_subclass_valid(QString hdr_min, QString hdr_max) const
{
    return subclassValid(readReal(hdr_min), readReal(hdr_max));
}

bool Subclass::is_subclass_complete() const
{
    const Summary &s = kept(summary);
    if (s.regular) {
        return (s.gaps == 0 || s.distancesPositive) && s.axlesValid && s.scalarsValid;
    }
    const int n = readWhole(valueOf(Section::NumberOfAxles));
    for (int i = 0; i + 1 < n; ++i) {
        if (!(readReal(get_min_distance_at_index(i)) > 0)
            || !(readReal(get_max_distance_at_index(i)) > 0)) {
            return false;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!is_tyre_type_valid(i) || !is_max_axle_weight_valid(i)) {
            return false;
        }
    }
    return s.scalarsValid;
}

float Subclass::largestMaxDistance() const
{
    return kept(summary).largestMax;
}

std::array<const QStringList *, 4> Subclass::perAxleLists() const
{
    return {&max_axle_weights, &min_axle_distances, &max_axle_distances, &tyre_types};
}

Subclass::Fingerprint::Fingerprint(const Subclass &subclass)
{
    values = mixHash(quint64(scalarsGiven(subclass.given)));
    for (int slot = 0; slot < ScalarCount; ++slot) {
        if ((subclass.given >> slot) & 1U) {
            values = mixHash(values + textHash(subclass.values.at(slot)));
        }
    }
    const auto lists = subclass.perAxleLists();
    for (size_t k = 0; k < lists.size(); ++k) {
        lengths[k] = lists[k]->size();
        heads[k] = lists[k]->isEmpty() ? 0 : textHash(lists[k]->at(0));
    }
}

Subclass::PrefixHashes::PrefixHashes(const Subclass &subclass)
{
    const auto lists = subclass.perAxleLists();
    size_t total = 0;
    for (const QStringList *list : lists) {
        total += size_t(list->size()) + 1;
    }
    hashes.reserve(total);
    for (size_t k = 0; k < lists.size(); ++k) {
        starts[k] = hashes.size();
        quint64 h = k;
        hashes.push_back(h);
        for (const QString &entry : *lists[k]) {
            h = mixHash(h + textHash(entry));
            hashes.push_back(h);
        }
    }
}

const Subclass::Fingerprint &Subclass::fingerprint() const
{
    return kept(print);
}

const Subclass::PrefixHashes &Subclass::prefixHashes() const
{
    return kept(prefixes);
}

bool Subclass::is_duplicate_of(const Subclass &other) const
{
    const auto mine = perAxleLists();
    const auto theirs = other.perAxleLists();
    for (size_t k = 0; k < mine.size(); ++k) {
        if (!prefixesAgree(*mine[k], *theirs[k])) {
            return false;
        }
    }
    if (scalarsGiven(given) != scalarsGiven(other.given)) {
        return false;
    }
    // The values in key order compared by place, whatever their keys, as two maps walked side
    // by side would be.
    for (int a = 0, b = 0; a < ScalarCount; ++a, ++b) {
        while (a < ScalarCount && !((given >> a) & 1U)) {
            ++a;
        }
        while (b < ScalarCount && !((other.given >> b) & 1U)) {
            ++b;
        }
        if (a < ScalarCount && values.at(a) != other.values.at(b)) {
            return false;
        }
    }
    return true;
}
