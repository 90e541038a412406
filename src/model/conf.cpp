// The configuration's header record, country-code table and set of subclasses.
#include "conf.h"
#include "textscan.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace {

// One subclass as the duplicate search sees it: its number and its fingerprint (hashes of its
// values and of the prefixes of its four per-axle lists).
struct Entry
{
    quint16 number;
    quint64 values;
    std::array<int, 4> lengths;
    std::array<quint64, 4> heads;
    std::array<const quint64 *, 4> prefixes;
    const Subclass *subclass;
};

using Group = std::vector<const Entry *>;
using Limits = std::array<int, 4>;

constexpr unsigned all_kinds = 0xF;
// Groups up to this size are compared pair by pair.
constexpr size_t small_group = 24;

bool has_kind(unsigned kinds, int k)
{
    return (kinds >> k) & 1U;
}

// The lists of the given kinds have equal hashes over the shorter list's length: a compatible
// pair always does, and a pair that does is compared text by text before it counts.
bool hashes_agree(const Entry *a, const Entry *b, unsigned kinds)
{
    for (int k = 0; k < 4; ++k) {
        if (has_kind(kinds, k)) {
            const int n = qMin(a->lengths[k], b->lengths[k]);
            if (a->prefixes[k][n] != b->prefixes[k][n]) {
                return false;
            }
        }
    }
    return true;
}

// The first entries of every list have equal hashes where both lists have one.
bool heads_agree(const Entry *a, const Entry *b)
{
    for (size_t k = 0; k < 4; ++k) {
        if (a->lengths[k] > 0 && b->lengths[k] > 0 && a->heads[k] != b->heads[k]) {
            return false;
        }
    }
    return true;
}

// Splits members (ascending by number) by a hash; each part keeps the ascending order and the
// parts come ordered by their lowest number.
template <typename Hash> std::vector<Group> split(const Group &members, Hash hash)
{
    std::vector<std::pair<quint64, const Entry *>> keyed;
    keyed.reserve(members.size());
    for (const Entry *e : members) {
        keyed.emplace_back(hash(e), e);
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return a.first < b.first || (a.first == b.first && a.second->number < b.second->number);
    });
    std::vector<Group> parts;
    for (size_t i = 0; i < keyed.size(); ++i) {
        if (i == 0 || keyed[i].first != keyed[i - 1].first) {
            parts.emplace_back();
        }
        parts.back().push_back(keyed[i].second);
    }
    std::sort(parts.begin(), parts.end(),
        [](const Group &a, const Group &b) { return a.front()->number < b.front()->number; });
    return parts;
}

// Finds the lowest pair (A, B), A < B, with A.is_duplicate_of(B). Any such pair has equal
// values and agrees on every list up to the shorter one's length, so the subclasses are
// bucketed by the hash of their values, and buckets are split by the hashes of their list
// prefixes up to the bucket's shortest list of each kind. A bucket that agrees on all of them
// is divided into the subclasses whose list of one kind is the shortest (equal lists, or a
// prefix of the others') and the rest; pairs across the two need that kind compared no more.
// Hashes only steer the search: a pair is taken only once is_duplicate_of confirms it, and
// equal texts always hash alike, so no pair is missed and none is invented.
class DuplicateSearch
{
public:
    bool found = false;
    quint16 first = 0;
    quint16 second = 0;

    bool beats(quint16 a, quint16 b) const
    {
        return !found || a < first || (a == first && b < second);
    }

    void within(const Group &s, unsigned kinds, const Limits &done)
    {
        if (s.size() < 2 || !beats(s[0]->number, s[1]->number)) {
            return;
        }
        if (kinds == 0 || s.size() <= small_group) {
            // In ascending order of A, then B: the first confirmed pair is the lowest here.
            for (size_t i = 0; i < s.size(); ++i) {
                for (size_t j = i + 1; j < s.size(); ++j) {
                    if (!beats(s[i]->number, s[j]->number)) {
                        break;
                    }
                    if (confirm(s[i], s[j], kinds)) {
                        return;
                    }
                }
            }
            return;
        }
        Limits shortest;
        const unsigned left = uneven_kinds(s, Group(), kinds, done, shortest);
        if (left != kinds) {
            within(s, left, done);
            return;
        }
        Limits to;
        if (next_limits(kinds, done, shortest, to)) {
            for (const Group &part : split(s, [&](const Entry *e) { return key(e, kinds, to); })) {
                within(part, kinds, to);
            }
            return;
        }
        const int k = first_kind(kinds);
        Group short_part;
        Group long_part;
        divide(s, k, shortest[k], short_part, long_part);
        within(short_part, kinds & ~(1U << k), done);
        within(long_part, kinds, done);
        across(short_part, long_part, kinds & ~(1U << k), done);
    }

    void across(const Group &p, const Group &q, unsigned kinds, const Limits &done)
    {
        if (p.empty() || q.empty()) {
            return;
        }
        const bool p_first = p[0]->number < q[0]->number;
        if (!beats(p_first ? p[0]->number : q[0]->number, p_first ? q[0]->number : p[0]->number)) {
            return;
        }
        if (kinds == 0 && confirm(p[0], q[0], kinds)) {
            return; // the two lowest numbers: nothing across can be lower
        }
        if (kinds == 0 || p.size() * q.size() <= 256) {
            for (const Entry *a : p) {
                for (const Entry *b : q) {
                    confirm(a, b, kinds);
                }
            }
            return;
        }
        Limits shortest;
        const unsigned left = uneven_kinds(p, q, kinds, done, shortest);
        if (left != kinds) {
            across(p, q, left, done);
            return;
        }
        Limits to;
        if (next_limits(kinds, done, shortest, to)) {
            Group both = p;
            both.insert(both.end(), q.begin(), q.end());
            std::sort(both.begin(), both.end(), by_number);
            for (const Group &part :
                split(both, [&](const Entry *e) { return key(e, kinds, to); })) {
                Group part_p;
                Group part_q;
                for (const Entry *e : part) {
                    (std::binary_search(p.begin(), p.end(), e, by_number) ? part_p : part_q)
                        .push_back(e);
                }
                across(part_p, part_q, kinds, to);
            }
            return;
        }
        const int k = first_kind(kinds);
        Group p_short;
        Group p_long;
        Group q_short;
        Group q_long;
        divide(p, k, shortest[k], p_short, p_long);
        divide(q, k, shortest[k], q_short, q_long);
        const unsigned rest = kinds & ~(1U << k);
        across(p_short, q_short, rest, done);
        across(p_short, q_long, rest, done);
        across(p_long, q_short, rest, done);
        across(p_long, q_long, kinds, done);
    }

private:
    // Takes the pair when it is lower than the best so far and really is a duplicate.
    bool confirm(const Entry *a, const Entry *b, unsigned kinds)
    {
        const Entry *low = a->number < b->number ? a : b;
        const Entry *high = a->number < b->number ? b : a;
        if (!beats(low->number, high->number) || !heads_agree(a, b)
            || (a->prefixes[0] && !hashes_agree(a, b, kinds))
            || !low->subclass->is_duplicate_of(*high->subclass)) {
            return false;
        }
        found = true;
        first = low->number;
        second = high->number;
        return true;
    }

    static bool by_number(const Entry *a, const Entry *b) { return a->number < b->number; }

    // Members already agree before `done`, so the hashes of the whole prefixes up to `to`
    // split them as the new stretch would.
    static quint64 key(const Entry *e, unsigned kinds, const Limits &to)
    {
        quint64 h = 0;
        for (int k = 0; k < 4; ++k) {
            if (has_kind(kinds, k)) {
                h = mix_hash(h + e->prefixes[k][to[k]]);
            }
        }
        return h;
    }

    static int first_kind(unsigned kinds)
    {
        int k = 0;
        while (!has_kind(kinds, k)) {
            ++k;
        }
        return k;
    }

    // Fills the shortest length of every kind over both groups, and drops the kinds whose
    // lists all agree already (up to the shortest, and all that long).
    static unsigned uneven_kinds(
        const Group &p, const Group &q, unsigned kinds, const Limits &done, Limits &shortest)
    {
        unsigned left = kinds;
        for (int k = 0; k < 4; ++k) {
            shortest[k] = 0;
            if (!has_kind(kinds, k)) {
                continue;
            }
            int low = std::numeric_limits<int>::max();
            int high = 0;
            for (const Group *g : {&p, &q}) {
                for (const Entry *e : *g) {
                    low = qMin(low, e->lengths[k]);
                    high = qMax(high, e->lengths[k]);
                }
            }
            shortest[k] = low;
            if (done[k] >= low && low == high) {
                left &= ~(1U << k);
            }
        }
        return left;
    }

    // The next stretch of entries to compare: twice what already agrees, at least four, never
    // past the shortest list. False when every kind agrees up to its shortest list.
    static bool next_limits(unsigned kinds, const Limits &done, const Limits &shortest, Limits &to)
    {
        bool more = false;
        for (int k = 0; k < 4; ++k) {
            to[k] = done[k];
            if (has_kind(kinds, k) && done[k] < shortest[k]) {
                to[k] = qMin(shortest[k], done[k] + qMax(4, done[k]));
                more = true;
            }
        }
        return more;
    }

    static void divide(const Group &s, int k, int length, Group &short_part, Group &long_part)
    {
        for (const Entry *e : s) {
            (e->lengths[k] == length ? short_part : long_part).push_back(e);
        }
    }
};

} // namespace

const QStringList &Conf::iso_country_codes()
{
    // Officially assigned ISO 3166-1 alpha-2 codes, in the order of the English short names.
    // clang-format off
    static const QStringList codes = {
        "AF", "AX", "AL", "DZ", "AS", "AD", "AO", "AI", "AQ", "AG", "AR", "AM",
        "AW", "AU", "AT", "AZ", "BS", "BH", "BD", "BB", "BY", "BE", "BZ", "BJ",
        "BM", "BT", "BO", "BQ", "BA", "BW", "BV", "BR", "IO", "BN", "BG", "BF",
        "BI", "CV", "KH", "CM", "CA", "KY", "CF", "TD", "CL", "CN", "CX", "CC",
        "CO", "KM", "CG", "CD", "CK", "CR", "CI", "HR", "CU", "CW", "CY", "CZ",
        "DK", "DJ", "DM", "DO", "EC", "EG", "SV", "GQ", "ER", "EE", "SZ", "ET",
        "FK", "FO", "FJ", "FI", "FR", "GF", "PF", "TF", "GA", "GM", "GE", "DE",
        "GH", "GI", "GR", "GL", "GD", "GP", "GU", "GT", "GG", "GN", "GW", "GY",
        "HT", "HM", "VA", "HN", "HK", "HU", "IS", "IN", "ID", "IR", "IQ", "IE",
        "IM", "IL", "IT", "JM", "JP", "JE", "JO", "KZ", "KE", "KI", "KP", "KR",
        "KW", "KG", "LA", "LV", "LB", "LS", "LR", "LY", "LI", "LT", "LU", "MO",
        "MG", "MW", "MY", "MV", "ML", "MT", "MH", "MQ", "MR", "MU", "YT", "MX",
        "FM", "MD", "MC", "MN", "ME", "MS", "MA", "MZ", "MM", "NA", "NR", "NP",
        "NL", "NC", "NZ", "NI", "NE", "NG", "NU", "NF", "MK", "MP", "NO", "OM",
        "PK", "PW", "PS", "PA", "PG", "PY", "PE", "PH", "PN", "PL", "PT", "PR",
        "QA", "RE", "RO", "RU", "RW", "BL", "SH", "KN", "LC", "MF", "PM", "VC",
        "WS", "SM", "ST", "SA", "SN", "RS", "SC", "SL", "SG", "SX", "SK", "SI",
        "SB", "SO", "ZA", "GS", "SS", "ES", "LK", "SD", "SR", "SJ", "SE", "CH",
        "SY", "TW", "TJ", "TZ", "TH", "TL", "TG", "TK", "TO", "TT", "TN", "TR",
        "TM", "TC", "TV", "UG", "UA", "AE", "GB", "UM", "US", "UY", "UZ", "VU",
        "VE", "VN", "VG", "VI", "WF", "EH", "YE", "ZM", "ZW",
    };
    // clang-format on
    return codes;
}

Conf::Conf()
    : country_codes(iso_country_codes())
{
}

QString Conf::get_classification_version() const
{
    return header.value(QStringLiteral("classification_version"));
}

void Conf::set_classification_version(QString value)
{
    header.insert(QStringLiteral("classification_version"), value);
}

QString Conf::get_country_code() const
{
    return header.value(QStringLiteral("country_code"));
}

void Conf::set_country_code(QString value)
{
    header.insert(QStringLiteral("country_code"), value.toUpper());
}

QString Conf::get_g_acceleration_constant() const
{
    return header.value(QStringLiteral("g_acceleration_constant"));
}

void Conf::set_g_acceleration_constant(QString value)
{
    header.insert(QStringLiteral("g_acceleration_constant"), value);
}

QString Conf::get_group_max_distance() const
{
    return header.value(QStringLiteral("group_max_distance__m"));
}

void Conf::set_group_max_distance(QString value)
{
    header.insert(QStringLiteral("group_max_distance__m"), value);
}

QString Conf::get_max_axle_distance() const
{
    return header.value(QStringLiteral("max_axle_distance__m"));
}

void Conf::set_max_axle_distance(QString value)
{
    header.insert(QStringLiteral("max_axle_distance__m"), value);
}

QString Conf::get_min_2axle_truck_spacing() const
{
    return header.value(QStringLiteral("min_2axle_truck_spacing__m"));
}

void Conf::set_min_2axle_truck_spacing(QString value)
{
    header.insert(QStringLiteral("min_2axle_truck_spacing__m"), value);
}

QString Conf::get_min_avg_axle_weight() const
{
    return header.value(QStringLiteral("min_avg_axle_weight__kN"));
}

void Conf::set_min_avg_axle_weight(QString value)
{
    header.insert(QStringLiteral("min_avg_axle_weight__kN"), value);
}

QString Conf::get_min_axle_distance() const
{
    return header.value(QStringLiteral("min_axle_distance__m"));
}

void Conf::set_min_axle_distance(QString value)
{
    header.insert(QStringLiteral("min_axle_distance__m"), value);
}

QString Conf::get_unclassified_vehicles_subclass() const
{
    return header.value(QStringLiteral("unclassified_vehicles_subclass"));
}

void Conf::set_unclassified_vehicles_subclass(QString value)
{
    header.insert(QStringLiteral("unclassified_vehicles_subclass"), value);
}

QString Conf::get_uncategorised_vehicle_category() const
{
    return header.value(QStringLiteral("uncategorised_vehicle_category"));
}

void Conf::set_uncategorised_vehicle_category(QString value)
{
    header.insert(QStringLiteral("uncategorised_vehicle_category"), value);
}

bool Conf::is_g_acceleration_constant_valid() const
{
    return Subclass::real_of(get_g_acceleration_constant()) > 0;
}

bool Conf::is_group_max_distance_valid() const
{
    return Subclass::real_of(get_group_max_distance()) > 0;
}

bool Conf::is_country_code_valid() const
{
    return country_codes.contains(get_country_code().toUpper());
}

bool Conf::is_unclassified_vehicles_subclass_valid() const
{
    return !subclasses.contains(get_unclassified_vehicles_subclass().toUShort());
}

bool Conf::is_uncategorised_vehicle_category_valid() const
{
    const QString category = get_uncategorised_vehicle_category();
    return category.isEmpty() || Subclass::whole_of(category) > 5;
}

bool Conf::is_min_axle_distance_valid() const
{
    // "Not greater than": a value that reads as no number at all (nan) fails nothing.
    return !(
        Subclass::real_of(get_min_axle_distance()) > Subclass::real_of(get_max_axle_distance()));
}

int Conf::check_max_axle_distance() const
{
    const QString max_text = get_max_axle_distance();
    const float max = Subclass::real_of(max_text);
    if (max_text.isEmpty() || max < Subclass::real_of(get_min_axle_distance())) {
        return 2;
    }
    for (const Subclass &subclass : subclasses) {
        // Some entry above the maximum is the same as the largest entry above it.
        if (subclass.largest_max_distance() > max) {
            return 1;
        }
    }
    return 0;
}

bool Conf::contains_subclass(quint16 number) const
{
    return subclasses.contains(number);
}

Subclass &Conf::get_subclass(quint16 number)
{
    const auto it = subclasses.find(number);
    if (it == subclasses.end()) {
        scratch = Subclass();
        return scratch;
    }
    return it.value();
}

const Subclass &Conf::get_subclass(quint16 number) const
{
    static const Subclass none;
    const auto it = subclasses.constFind(number);
    return it == subclasses.constEnd() ? none : it.value();
}

void Conf::set_subclass(quint16 number, Subclass subclass)
{
    subclasses.insert(number, std::move(subclass));
}

void Conf::remove_subclass(quint16 number)
{
    subclasses.remove(number);
}

QVector<quint16> Conf::get_subclass_numbers() const
{
    QVector<quint16> numbers;
    numbers.reserve(subclasses.size());
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        numbers.append(it.key());
    }
    return numbers;
}

QVector<quint16> Conf::get_invalid_subclasses() const
{
    const float hdr_min = Subclass::real_of(get_min_axle_distance());
    const float hdr_max = Subclass::real_of(get_max_axle_distance());
    QVector<quint16> numbers;
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        if (!it.value().subclass_valid(hdr_min, hdr_max)) {
            numbers.append(it.key());
        }
    }
    return numbers;
}

QString Conf::find_duplicates() const
{
    // Comparing every pair is quadratic in the number of subclasses; the search finds the same
    // first pair, in ascending order of A then B, by only comparing where a match is possible.
    std::vector<Entry> entries;
    entries.reserve(size_t(subclasses.size()));
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        const auto print = it.value().fingerprint(false);
        entries.push_back(
            {it.key(), print.values, print.lengths, print.heads, print.prefixes, &it.value()});
    }
    Group all;
    all.reserve(entries.size());
    for (const Entry &e : entries) {
        all.push_back(&e);
    }
    DuplicateSearch search;
    for (const Group &group : split(all, [](const Entry *e) { return e->values; })) {
        if (group.size() < 2) {
            continue;
        }
        // Only subclasses whose values recur need their lists read, and only in groups too
        // large to compare pair by pair: a pair of different subclasses mostly differs in
        // its first entries, which is all the pairwise comparison then reads.
        for (const Entry *e : group.size() > small_group ? group : Group()) {
            Entry &entry = entries[size_t(e - entries.data())];
            entry.prefixes = entry.subclass->fingerprint(true).prefixes;
        }
        search.within(group, all_kinds, Limits {{0, 0, 0, 0}});
    }
    if (!search.found) {
        return QString();
    }
    return QString::number(search.first) + QStringLiteral(" = ") + QString::number(search.second);
}

QPair<bool, quint16> Conf::is_configuration_valid() const
{
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        if (!it.value().is_subclass_complete()) {
            return qMakePair(false, it.key());
        }
    }
    if (!is_country_code_valid() || !is_group_max_distance_valid()) {
        return qMakePair(false, quint16(0));
    }
    return qMakePair(is_unclassified_vehicles_subclass_valid(), quint16(0));
}
