// One vehicle subclass: its values, per-axle lists, combined constraints and validity rules.
#include "subclass.h"
#include "textscan.h"

#include <QDebug>

#include <array>
#include <limits>
#include <vector>

namespace {

// Axle counts above the largest the editor can show only need to be recognised as invalid:
// the lists grow as if the count were this, never in proportion to a number read from a file.
constexpr int growth_limit = 21;

const QString &key_category()
{
    static const QString key = QStringLiteral("category");
    return key;
}

const QString &key_number_of_axles()
{
    static const QString key = QStringLiteral("number_of_axles");
    return key;
}

const QString &key_axle_configuration()
{
    static const QString key = QStringLiteral("axle_configuration");
    return key;
}

const QString &key_max_GVW()
{
    static const QString key = QStringLiteral("max_GVW__kN");
    return key;
}

bool is_ascii_digit(ushort c)
{
    return c >= '0' && c <= '9';
}

// The whole text is a vehicle letter and its axle count, followed by parts, each a part letter
// and its axle count: the pattern [ABCHLMV]\d+(?:[DTS]\d+)* matched as a whole.
bool matches_axle_configuration(const QString &text)
{
    static const QString vehicles = QStringLiteral("ABCHLMV");
    static const QString parts = QStringLiteral("DTS");
    if (text.isEmpty() || !vehicles.contains(text.at(0))) {
        return false;
    }
    int pos = 1;
    int end = skip_digits(text, pos);
    if (end == pos) {
        return false;
    }
    pos = end;
    while (pos < text.size()) {
        if (!parts.contains(text.at(pos))) {
            return false;
        }
        ++pos;
        end = skip_digits(text, pos);
        if (end == pos) {
            return false;
        }
        pos = end;
    }
    return true;
}

// The whole text is one combined constraint: (?:\d+\+)+\d+,\d+\.?\d* matched as a whole. A
// whole match is the leftmost one, taken greedily to the end of the text.
bool matches_combined_constraint(const QString &text)
{
    int end = 0;
    return find_combined_constraint(text, 0, &end) == 0 && end == text.size();
}

// Sum of every run of digits in the text, without wrapping. False when a run does not read as
// a whole number (too long for an int, or not plain decimal digits): such a text matches no
// axle count.
bool sum_of_digit_runs(const QString &text, qint64 &sum)
{
    sum = 0;
    int pos = 0;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        const int end = skip_digits(text, pos);
        int run = 0;
        bool ascii = end - pos <= 9;
        for (int i = pos; ascii && i < end; ++i) {
            const ushort u = text.at(i).unicode();
            ascii = is_ascii_digit(u);
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

// FNV-1a over the UTF-16 code units.
quint64 text_hash(const QString &text)
{
    quint64 h = 0xCBF29CE484222325ULL;
    const QChar *c = text.constData();
    for (int i = 0; i < text.size(); ++i) {
        h = (h ^ c[i].unicode()) * 0x100000001B3ULL;
    }
    return h;
}

QString entry_or_empty(const QStringList &list, int index)
{
    if (index < 0 || index >= list.size()) {
        return QString();
    }
    return list.at(index);
}

void set_or_append(QStringList &list, const QString &value, int index)
{
    if (index < 0 || index >= list.size()) {
        list.append(value);
    } else {
        list[index] = value;
    }
}

void remove_last(QStringList &list)
{
    if (!list.isEmpty()) {
        list.removeLast();
    }
}

bool prefixes_agree(const QStringList &a, const QStringList &b)
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

struct Subclass::Summary
{
    Summary(const QMap<QString, QString> &values, const std::array<QStringList, 5> &lists)
        : values(values)
        , lists(lists)
    {
    }

    // Shallow copies of what it was read from: any change to the subclass detaches its
    // container from these, which is how a stale summary is told. Const, so that reading
    // them can never detach them instead.
    const QMap<QString, QString> values;
    const std::array<QStringList, 5> lists; // weights, min and max distances, tyres, constraints

    // The checks' part, read on the first check.
    bool checked = false;
    // Every index the whole-subclass checks visit exists, so none of them logs and the
    // results below decide them.
    bool regular = false;
    int gaps = 0;
    bool ordered = true; // every gap's minimum is at most its maximum
    bool distances_positive = true; // every gap's minimum and maximum are above 0
    float lowest_min = std::numeric_limits<float>::infinity();
    float highest_min = -std::numeric_limits<float>::infinity();
    float lowest_max = std::numeric_limits<float>::infinity();
    float highest_max = -std::numeric_limits<float>::infinity();
    bool axles_valid = true; // every axle's weight and tyre type
    bool constraints_valid = true;
    bool scalars_valid = false; // category, number of axles, maximum GVW, axle configuration
    // The largest maximum distance over the whole list, for the header's maximum.
    float largest_max = -std::numeric_limits<float>::infinity();

    // The duplicate search's part, read when the search first needs it: the values' and the
    // first entries' hashes for every subclass, the prefixes' hashes only for subclasses in
    // large groups of equal values.
    bool values_hashed = false;
    bool lists_hashed = false;
    Fingerprint fingerprint;
    std::vector<quint64> prefix_hashes; // of all four lists, one after the other

    void check(const Subclass &subclass);
    void hash_values();
    void hash_lists();
};

void Subclass::Summary::check(const Subclass &subclass)
{
    const QStringList &weights = lists[0];
    const QStringList &mins = lists[1];
    const QStringList &maxs = lists[2];
    const QStringList &tyres = lists[3];
    const int n = whole_of(subclass.value_of(key_number_of_axles()));
    const int axles = qMax(n, 0);
    gaps = n > 1 ? n - 1 : 0;
    regular = (gaps == 0 || (gaps <= mins.size() && mins.size() == maxs.size()))
        && axles <= weights.size() && axles <= tyres.size();
    if (regular) {
        for (int i = 0; i < gaps; ++i) {
            const float m = real_of(mins.at(i));
            const float M = real_of(maxs.at(i));
            ordered = ordered && m <= M;
            distances_positive = distances_positive && m > 0 && M > 0;
            lowest_min = qMin(lowest_min, m);
            highest_min = qMax(highest_min, m);
            lowest_max = qMin(lowest_max, M);
            highest_max = qMax(highest_max, M);
        }
        for (int i = 0; i < axles && axles_valid; ++i) {
            const int tyre = whole_of(tyres.at(i));
            axles_valid = real_of(weights.at(i)) > 0 && tyre >= 1 && tyre <= 4;
        }
    }
    for (const QString &constraint : lists[4]) {
        constraints_valid = constraints_valid && matches_combined_constraint(constraint);
    }
    scalars_valid = subclass.is_category_valid() && subclass.is_number_of_axles_valid()
        && subclass.is_max_GVW_valid() && subclass.is_axle_configuration_valid();
    for (const QString &distance : maxs) {
        const float d = real_of(distance);
        if (d > largest_max) {
            largest_max = d;
        }
    }
    checked = true;
}

void Subclass::Summary::hash_values()
{
    fingerprint.values = mix_hash(quint64(values.size()));
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        fingerprint.values = mix_hash(fingerprint.values + text_hash(it.value()));
    }
    for (size_t k = 0; k < 4; ++k) {
        fingerprint.lengths[k] = lists[k].size();
        fingerprint.heads[k] = lists[k].isEmpty() ? 0 : text_hash(lists[k].at(0));
    }
    values_hashed = true;
}

void Subclass::Summary::hash_lists()
{
    size_t total = 0;
    for (size_t k = 0; k < 4; ++k) {
        total += size_t(lists[k].size()) + 1;
    }
    prefix_hashes.reserve(total);
    std::array<size_t, 4> starts {};
    for (size_t k = 0; k < 4; ++k) {
        starts[k] = prefix_hashes.size();
        quint64 h = k;
        prefix_hashes.push_back(h);
        for (const QString &entry : lists[k]) {
            h = mix_hash(h + text_hash(entry));
            prefix_hashes.push_back(h);
        }
    }
    for (size_t k = 0; k < 4; ++k) {
        fingerprint.prefixes[k] = prefix_hashes.data() + starts[k];
    }
    lists_hashed = true;
}

Subclass::Subclass() = default;

Subclass::Subclass(const QMap<QString, QString> &section)
{
    subclass = section.value(QStringLiteral("subclass")).toUShort();
    set_category(section.value(QStringLiteral("category")));
    set_max_GVW(section.value(QStringLiteral("max_GVW__kN")));
    set_min_max_distances(section.value(QStringLiteral("min_axle_distance__m")),
        section.value(QStringLiteral("max_axle_distance__m")));
    set_tyre_types(section.value(QStringLiteral("tyre_type")));
    set_max_axle_weights(section.value(QStringLiteral("max_axle_weight__kN")));
    set_number_of_axles(section.value(QStringLiteral("number_of_axles")));
    set_upper_GVW_limit(section.value(QStringLiteral("upper_GVW_limit__kN")));
    set_reclassify_up_to_subclass(section.value(QStringLiteral("reclassify_up_to_subclass")));
    set_lower_GVW_limit(section.value(QStringLiteral("lower_GVW_limit__kN")));
    set_reclassify_down_to_subclass(section.value(QStringLiteral("reclassify_down_to_subclass")));
    set_axle_configuration(section.value(QStringLiteral("axle_configuration")));
    set_prepend(section.value(QStringLiteral("prepend__m")));
    set_append(section.value(QStringLiteral("append__m")));
}

float Subclass::real_of(const QString &text)
{
    // Plain decimal text of at most 15 digits converts exactly: mantissa and power of ten are
    // both exact doubles, so the one division is correctly rounded, as the general conversion
    // is, and the float is then rounded from that double just as QString::toFloat does.
    static const double powers[]
        = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const int len = text.size();
    if (len == 0 || len > 16) {
        return text.toFloat();
    }
    const QChar *c = text.constData();
    if (c[0].unicode() == '0' && len > 1 && c[1].unicode() != '.') {
        return text.toFloat();
    }
    quint64 mantissa = 0;
    int digits = 0;
    int decimals = -1;
    for (int i = 0; i < len; ++i) {
        const ushort u = c[i].unicode();
        if (is_ascii_digit(u)) {
            mantissa = mantissa * 10 + (u - '0');
            ++digits;
            if (decimals >= 0) {
                ++decimals;
            }
        } else if (u == '.' && decimals < 0 && digits > 0 && i + 1 < len) {
            decimals = 0;
        } else {
            return text.toFloat();
        }
    }
    if (digits > 15) {
        return text.toFloat();
    }
    return float(double(mantissa) / powers[decimals < 0 ? 0 : decimals]);
}

int Subclass::whole_of(const QString &text)
{
    const int len = text.size();
    if (len == 0 || len > 9 || (len > 1 && text.at(0).unicode() == '0')) {
        return text.toInt();
    }
    int value = 0;
    for (int i = 0; i < len; ++i) {
        const ushort u = text.at(i).unicode();
        if (!is_ascii_digit(u)) {
            return text.toInt();
        }
        value = value * 10 + (u - '0');
    }
    return value;
}

QString Subclass::value_of(const QString &key) const
{
    const auto it = values.constFind(key);
    return it == values.constEnd() ? QString() : it.value();
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
    return value_of(key_category());
}

void Subclass::set_category(QString value)
{
    values.insert(key_category(), value);
}

QString Subclass::get_number_of_axles() const
{
    return value_of(key_number_of_axles());
}

void Subclass::set_number_of_axles(QString value)
{
    values.insert(key_number_of_axles(), value);
    const int n = qMin(whole_of(value), growth_limit);
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
    return value_of(key_axle_configuration());
}

void Subclass::set_axle_configuration(QString value)
{
    values.insert(key_axle_configuration(), value.toUpper());
}

QString Subclass::get_max_GVW() const
{
    return value_of(key_max_GVW());
}

void Subclass::set_max_GVW(QString value)
{
    values.insert(key_max_GVW(), value);
}

QString Subclass::get_upper_GVW_limit() const
{
    return value_of(QStringLiteral("upper_GVW_limit__kN"));
}

void Subclass::set_upper_GVW_limit(QString value)
{
    values.insert(QStringLiteral("upper_GVW_limit__kN"), value);
}

QString Subclass::get_reclassify_up_to_subclass() const
{
    return value_of(QStringLiteral("reclassify_up_to_subclass"));
}

void Subclass::set_reclassify_up_to_subclass(QString value)
{
    values.insert(QStringLiteral("reclassify_up_to_subclass"), value);
}

QString Subclass::get_lower_GVW_limit() const
{
    return value_of(QStringLiteral("lower_GVW_limit__kN"));
}

void Subclass::set_lower_GVW_limit(QString value)
{
    values.insert(QStringLiteral("lower_GVW_limit__kN"), value);
}

QString Subclass::get_reclassify_down_to_subclass() const
{
    return value_of(QStringLiteral("reclassify_down_to_subclass"));
}

void Subclass::set_reclassify_down_to_subclass(QString value)
{
    values.insert(QStringLiteral("reclassify_down_to_subclass"), value);
}

QString Subclass::get_prepend() const
{
    return value_of(QStringLiteral("prepend__m"));
}

void Subclass::set_prepend(QString value)
{
    values.insert(QStringLiteral("prepend__m"), value);
}

QString Subclass::get_append() const
{
    return value_of(QStringLiteral("append__m"));
}

void Subclass::set_append(QString value)
{
    values.insert(QStringLiteral("append__m"), value);
}

QString Subclass::get_max_axle_weight_at_index(int index) const
{
    return entry_or_empty(max_axle_weights, index);
}

QString Subclass::get_min_distance_at_index(int index) const
{
    return entry_or_empty(min_axle_distances, index);
}

QString Subclass::get_max_distance_at_index(int index) const
{
    return entry_or_empty(max_axle_distances, index);
}

QString Subclass::get_combined_constraint_at_index(int index) const
{
    return entry_or_empty(combined_constraints, index);
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
    set_or_append(max_axle_weights, value, index);
}

void Subclass::set_min_distance_at_index(QString value, int index)
{
    set_or_append(min_axle_distances, value, index);
}

void Subclass::set_max_distance_at_index(QString value, int index)
{
    set_or_append(max_axle_distances, value, index);
}

void Subclass::set_tyre_type_at_index(QString value, int index)
{
    set_or_append(tyre_types, value, index);
}

void Subclass::remove_last_max_axle_weight()
{
    remove_last(max_axle_weights);
}

void Subclass::remove_last_min_distance()
{
    remove_last(min_axle_distances);
}

void Subclass::remove_last_max_distance()
{
    remove_last(max_axle_distances);
}

void Subclass::remove_last_tyre_type()
{
    remove_last(tyre_types);
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
    return real_of(max_axle_weights.at(index)) > 0;
}

bool Subclass::is_tyre_type_valid(int index) const
{
    if (index < 0 || index >= tyre_types.size()) {
        qWarning() << "is_tyre_type_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << tyre_types.size();
        return false;
    }
    const int type = whole_of(tyre_types.at(index));
    return type >= 1 && type <= 4;
}

bool Subclass::is_combined_constraint_valid(int index) const
{
    if (index < 0 || index >= combined_constraints.size()) {
        qWarning() << "Constraint at index " << index << " does not exist for size "
                   << combined_constraints.size();
        return false;
    }
    return matches_combined_constraint(combined_constraints.at(index));
}

bool Subclass::min_distance_valid(int index, float hdr_min, float hdr_max) const
{
    if (index < 0 || index >= min_axle_distances.size() || index >= max_axle_distances.size()) {
        qWarning() << "is_min_distance_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << min_axle_distances.size();
        return false;
    }
    const float m = real_of(min_axle_distances.at(index));
    const float M = real_of(max_axle_distances.at(index));
    return m <= M && m >= hdr_min && m <= hdr_max;
}

bool Subclass::max_distance_valid(int index, float hdr_min, float hdr_max) const
{
    if (index < 0 || index >= max_axle_distances.size()
        || min_axle_distances.size() != max_axle_distances.size()) {
        qWarning() << "is_max_distance_valid: Checking if a nonexistent index " << index
                   << " exists in array of size " << max_axle_distances.size();
        return false;
    }
    const float m = real_of(min_axle_distances.at(index));
    const float M = real_of(max_axle_distances.at(index));
    return m <= M && M >= hdr_min && M <= hdr_max;
}

bool Subclass::is_min_distance_valid(int index, QString hdr_min, QString hdr_max) const
{
    return min_distance_valid(index, real_of(hdr_min), real_of(hdr_max));
}

bool Subclass::is_max_distance_valid(int index, QString hdr_min, QString hdr_max) const
{
    return max_distance_valid(index, real_of(hdr_min), real_of(hdr_max));
}

bool Subclass::is_category_valid() const
{
    return !value_of(key_category()).isEmpty();
}

bool Subclass::is_max_GVW_valid() const
{
    return !value_of(key_max_GVW()).isEmpty();
}

bool Subclass::is_number_of_axles_valid() const
{
    const QString axles = value_of(key_number_of_axles());
    return whole_of(axles) > 1 && real_of(axles) <= 20;
}

bool Subclass::is_axle_configuration_valid() const
{
    const QString configuration = value_of(key_axle_configuration());
    if (!matches_axle_configuration(configuration)) {
        return false;
    }
    qint64 sum = 0;
    if (!sum_of_digit_runs(configuration, sum)) {
        return false;
    }
    return sum == whole_of(value_of(key_number_of_axles()));
}

bool Subclass::is_reclassify_up_valid(QString target_axles) const
{
    if (target_axles.isEmpty()) {
        return true;
    }
    if (target_axles == QLatin1String("0")) {
        return false;
    }
    return value_of(key_number_of_axles()) == target_axles;
}

bool Subclass::is_reclassify_down_valid(QString target_axles) const
{
    return is_reclassify_up_valid(target_axles);
}

bool Subclass::can_draw() const
{
    // Every loop below ends at the end of a list at the latest, whatever the axle count says:
    // a missing entry reads as the empty text and stops it.
    const int n = whole_of(value_of(key_number_of_axles()));
    for (int i = 0; i + 1 < n; ++i) {
        const QString min = get_min_distance_at_index(i);
        const QString max = get_max_distance_at_index(i);
        if (!(real_of(min) > 0) || !(real_of(max) > 0)) {
            qDebug() << "Can't draw because at index" << i << "min dist is" << min
                     << "and max dist is" << max;
            return false;
        }
    }
    return is_number_of_axles_valid();
}

Subclass::Summary &Subclass::summary() const
{
    Summary *known = cache.get();
    if (known && known->values.isSharedWith(values)
        && known->lists[0].isSharedWith(max_axle_weights)
        && known->lists[1].isSharedWith(min_axle_distances)
        && known->lists[2].isSharedWith(max_axle_distances)
        && known->lists[3].isSharedWith(tyre_types)
        && known->lists[4].isSharedWith(combined_constraints)) {
        return *known;
    }
    cache = std::make_shared<Summary>(values,
        std::array<QStringList, 5> {max_axle_weights, min_axle_distances, max_axle_distances,
            tyre_types, combined_constraints});
    return *cache;
}

const Subclass::Summary &Subclass::checked_summary() const
{
    Summary &s = summary();
    if (!s.checked) {
        s.check(*this);
    }
    return s;
}

bool Subclass::subclass_valid(float hdr_min, float hdr_max) const
{
    const Summary &s = checked_summary();
    if (s.regular) {
        // Over all gaps at once: every minimum and maximum within the header limits is the
        // same as the lowest and highest of them within the limits.
        const bool distances = s.gaps == 0
            || (s.ordered && s.lowest_min >= hdr_min && s.highest_min <= hdr_max
                && s.lowest_max >= hdr_min && s.highest_max <= hdr_max);
        return distances && s.axles_valid && s.constraints_valid && s.scalars_valid;
    }
    // Some index is missing: check in order, so that the first failure logs as it should. The
    // loops end at the end of a list at the latest, whatever the axle count says.
    const int n = whole_of(value_of(key_number_of_axles()));
    for (int i = 0; i + 1 < n; ++i) {
        if (!min_distance_valid(i, hdr_min, hdr_max) || !max_distance_valid(i, hdr_min, hdr_max)) {
            return false;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!is_max_axle_weight_valid(i) || !is_tyre_type_valid(i)) {
            return false;
        }
    }
    return s.constraints_valid && s.scalars_valid;
}

bool Subclass::is_subclass_valid(QString hdr_min, QString hdr_max) const
{
    return subclass_valid(real_of(hdr_min), real_of(hdr_max));
}

bool Subclass::is_subclass_complete() const
{
    const Summary &s = checked_summary();
    if (s.regular) {
        return (s.gaps == 0 || s.distances_positive) && s.axles_valid && s.scalars_valid;
    }
    const int n = whole_of(value_of(key_number_of_axles()));
    for (int i = 0; i + 1 < n; ++i) {
        if (!(real_of(get_min_distance_at_index(i)) > 0)
            || !(real_of(get_max_distance_at_index(i)) > 0)) {
            return false;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!is_tyre_type_valid(i) || !is_max_axle_weight_valid(i)) {
            return false;
        }
    }
    return s.scalars_valid;
}

float Subclass::largest_max_distance() const
{
    return checked_summary().largest_max;
}

Subclass::Fingerprint Subclass::fingerprint(bool with_prefixes) const
{
    Summary &s = summary();
    if (!s.values_hashed) {
        s.hash_values();
    }
    if (with_prefixes && !s.lists_hashed) {
        s.hash_lists();
    }
    return s.fingerprint;
}

bool Subclass::is_duplicate_of(const Subclass &other) const
{
    if (!prefixes_agree(max_axle_weights, other.max_axle_weights)
        || !prefixes_agree(min_axle_distances, other.min_axle_distances)
        || !prefixes_agree(max_axle_distances, other.max_axle_distances)
        || !prefixes_agree(tyre_types, other.tyre_types)) {
        return false;
    }
    if (values.size() != other.values.size()) {
        return false;
    }
    for (auto a = values.constBegin(), b = other.values.constBegin(); a != values.constEnd();
         ++a, ++b) {
        if (a.value() != b.value()) {
            return false;
        }
    }
    return true;
}
