// The configuration's header record, country-code table and set of subclasses.
#include "conf.h"
#include "textscan.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

using FileFormat::Header;

namespace {

using Limits = std::array<int, 4>;

constexpr unsigned allKinds = 0xF;
// Groups up to this size are compared pair by pair, without hashing their lists.
constexpr size_t smallGroup = 24;

bool hasKind(unsigned kinds, int k)
{
    return (kinds >> k) & 1U;
}

int firstKind(unsigned kinds)
{
    int k = 0;
    while (!hasKind(kinds, k)) {
        ++k;
    }
    return k;
}

// The next stretch of entries to compare: twice what already agrees, at least four, never past
// the shortest list. False when every kind agrees up to its shortest list.
bool nextLimits(unsigned kinds, const Limits &done, const Limits &shortest, Limits &to)
{
    bool more = false;
    for (int k = 0; k < 4; ++k) {
        to[k] = done[k];
        if (hasKind(kinds, k) && done[k] < shortest[k]) {
            to[k] = qMin(shortest[k], done[k] + qMax(4, done[k]));
            more = true;
        }
    }
    return more;
}

} // namespace

// Finds the lowest pair (A, B), A < B, with A.is_duplicate_of(B). Any such pair has equal
// values and agrees on every list up to the shorter one's length, so the subclasses are
// bucketed by the hash of their values, and buckets too large to compare pair by pair are split
// by the hashes of their list prefixes up to the bucket's shortest list of each kind. A bucket
// that agrees on all of them is divided into the subclasses whose list of one kind is the
// shortest (equal lists, or a prefix of the others') and the rest; pairs across the two need
// that kind compared no more. Hashes only steer the search: a pair is taken only once
// is_duplicate_of confirms it, and equal texts always hash alike, so no pair is missed and none
// is invented. Everything the search reads besides the subclasses is its own and lives as long
// as one call: no state of an earlier search can mislead a later one.
class Conf::DuplicateSearch
{
public:
    explicit DuplicateSearch(const QMap<quint16, Subclass> &subclasses);
    // Empty, or "A = B".
    QString firstPair();

private:
    // One subclass as the search sees it.
    struct Entry
    {
        quint16 number;
        const Subclass *subclass;
        const Subclass::Fingerprint *print;
        // prefixes[k][i] is the hash of the first i entries of list k, for the members of a
        // large group; null for the members of a small one.
        std::array<const quint64 *, 4> prefixes {};
    };
    using Group = std::vector<Entry *>;

    bool beats(quint16 a, quint16 b) const
    {
        return !found || a < first || (a == first && b < second);
    }
    void within(const Group &s, unsigned kinds, const Limits &done);
    void across(const Group &p, const Group &q, unsigned kinds, const Limits &done);
    bool confirm(const Entry *a, const Entry *b, unsigned kinds);

    static bool byNumber(const Entry *a, const Entry *b) { return a->number < b->number; }
    template <typename Hash> static std::vector<Group> split(const Group &members, Hash hash);
    static bool headsAgree(const Entry *a, const Entry *b);
    static bool hashesAgree(const Entry *a, const Entry *b, unsigned kinds);
    static quint64 key(const Entry *e, unsigned kinds, const Limits &to);
    static unsigned unevenKinds(
        const Group &p, const Group &q, unsigned kinds, const Limits &done, Limits &shortest);
    static void divide(const Group &s, int k, int length, Group &shortPart, Group &longPart);

    std::vector<Entry> entries;
    bool found = false;
    quint16 first = 0;
    quint16 second = 0;
};

Conf::DuplicateSearch::DuplicateSearch(const QMap<quint16, Subclass> &subclasses)
{
    entries.reserve(size_t(subclasses.size()));
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        entries.push_back({it.key(), &it.value(), &it.value().fingerprint(), {}});
    }
}

QString Conf::DuplicateSearch::firstPair()
{
    Group all;
    all.reserve(entries.size());
    for (Entry &e : entries) {
        all.push_back(&e);
    }
    for (const Group &group : split(all, [](const Entry *e) { return e->print->values; })) {
        if (group.size() < 2) {
            continue;
        }
        // Only subclasses whose values recur need their lists read, and only in groups too
        // large to compare pair by pair: a pair of different subclasses mostly differs in its
        // first entries, which is all the pairwise comparison then reads. The members of a
        // group are all hashed or none of them is.
        if (group.size() > smallGroup) {
            for (Entry *e : group) {
                const Subclass::PrefixHashes &hashes = e->subclass->prefixHashes();
                for (size_t k = 0; k < 4; ++k) {
                    e->prefixes[k] = hashes.of(k);
                }
            }
        }
        within(group, allKinds, Limits {{0, 0, 0, 0}});
    }
    if (!found) {
        return QString();
    }
    return QString::number(first) + QStringLiteral(" = ") + QString::number(second);
}

void Conf::DuplicateSearch::within(const Group &s, unsigned kinds, const Limits &done)
{
    if (s.size() < 2 || !beats(s[0]->number, s[1]->number)) {
        return;
    }
    if (kinds == 0 || s.size() <= smallGroup) {
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
    const unsigned left = unevenKinds(s, Group(), kinds, done, shortest);
    if (left != kinds) {
        within(s, left, done);
        return;
    }
    Limits to;
    if (nextLimits(kinds, done, shortest, to)) {
        for (const Group &part : split(s, [&](const Entry *e) { return key(e, kinds, to); })) {
            within(part, kinds, to);
        }
        return;
    }
    const int k = firstKind(kinds);
    Group shortPart;
    Group longPart;
    divide(s, k, shortest[k], shortPart, longPart);
    within(shortPart, kinds & ~(1U << k), done);
    within(longPart, kinds, done);
    across(shortPart, longPart, kinds & ~(1U << k), done);
}

void Conf::DuplicateSearch::across(
    const Group &p, const Group &q, unsigned kinds, const Limits &done)
{
    if (p.empty() || q.empty()) {
        return;
    }
    const bool pFirst = p[0]->number < q[0]->number;
    if (!beats(pFirst ? p[0]->number : q[0]->number, pFirst ? q[0]->number : p[0]->number)) {
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
    const unsigned left = unevenKinds(p, q, kinds, done, shortest);
    if (left != kinds) {
        across(p, q, left, done);
        return;
    }
    Limits to;
    if (nextLimits(kinds, done, shortest, to)) {
        Group both = p;
        both.insert(both.end(), q.begin(), q.end());
        std::sort(both.begin(), both.end(), byNumber);
        for (const Group &part : split(both, [&](const Entry *e) { return key(e, kinds, to); })) {
            Group partP;
            Group partQ;
            for (Entry *e : part) {
                (std::binary_search(p.begin(), p.end(), e, byNumber) ? partP : partQ).push_back(e);
            }
            across(partP, partQ, kinds, to);
        }
        return;
    }
    const int k = firstKind(kinds);
    Group pShort;
    Group pLong;
    Group qShort;
    Group qLong;
    divide(p, k, shortest[k], pShort, pLong);
    divide(q, k, shortest[k], qShort, qLong);
    const unsigned rest = kinds & ~(1U << k);
    across(pShort, qShort, rest, done);
    across(pShort, qLong, rest, done);
    across(pLong, qShort, rest, done);
    across(pLong, qLong, kinds, done);
}

// Takes the pair when it is lower than the best so far and really is a duplicate.
bool Conf::DuplicateSearch::confirm(const Entry *a, const Entry *b, unsigned kinds)
{
    const Entry *low = a->number < b->number ? a : b;
    const Entry *high = a->number < b->number ? b : a;
    if (!beats(low->number, high->number) || !headsAgree(a, b)
        || (a->prefixes[0] && !hashesAgree(a, b, kinds))
        || !low->subclass->is_duplicate_of(*high->subclass)) {
        return false;
    }
    found = true;
    first = low->number;
    second = high->number;
    return true;
}

// Splits members (ascending by number) by a hash; each part keeps the ascending order and the
// parts come ordered by their lowest number.
template <typename Hash>
std::vector<Conf::DuplicateSearch::Group> Conf::DuplicateSearch::split(
    const Group &members, Hash hash)
{
    std::vector<std::pair<quint64, Entry *>> keyed;
    keyed.reserve(members.size());
    for (Entry *e : members) {
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

// The first entries of every list have equal hashes where both lists have one.
bool Conf::DuplicateSearch::headsAgree(const Entry *a, const Entry *b)
{
    for (size_t k = 0; k < 4; ++k) {
        if (a->print->lengths[k] > 0 && b->print->lengths[k] > 0
            && a->print->heads[k] != b->print->heads[k]) {
            return false;
        }
    }
    return true;
}

// The lists of the given kinds have equal hashes over the shorter list's length: a compatible
// pair always does, and a pair that does is compared text by text before it counts.
bool Conf::DuplicateSearch::hashesAgree(const Entry *a, const Entry *b, unsigned kinds)
{
    for (int k = 0; k < 4; ++k) {
        if (hasKind(kinds, k)) {
            const int n = qMin(a->print->lengths[k], b->print->lengths[k]);
            if (a->prefixes[k][n] != b->prefixes[k][n]) {
                return false;
            }
        }
    }
    return true;
}

// Members already agree before `done`, so the hashes of the whole prefixes up to `to` split
// them as the new stretch would.
quint64 Conf::DuplicateSearch::key(const Entry *e, unsigned kinds, const Limits &to)
{
    quint64 h = 0;
    for (int k = 0; k < 4; ++k) {
        if (hasKind(kinds, k)) {
            h = mixHash(h + e->prefixes[k][to[k]]);
        }
    }
    return h;
}

// Fills the shortest length of every kind over both groups, and drops the kinds whose lists all
// agree already (up to the shortest, and all that long).
unsigned Conf::DuplicateSearch::unevenKinds(
    const Group &p, const Group &q, unsigned kinds, const Limits &done, Limits &shortest)
{
    unsigned left = kinds;
    for (int k = 0; k < 4; ++k) {
        shortest[k] = 0;
        if (!hasKind(kinds, k)) {
            continue;
        }
        int low = std::numeric_limits<int>::max();
        int high = 0;
        for (const Group *g : {&p, &q}) {
            for (const Entry *e : *g) {
                low = qMin(low, e->print->lengths[k]);
                high = qMax(high, e->print->lengths[k]);
            }
        }
        shortest[k] = low;
        if (done[k] >= low && low == high) {
            left &= ~(1U << k);
        }
    }
    return left;
}

void Conf::DuplicateSearch::divide(
    const Group &s, int k, int length, Group &shortPart, Group &longPart)
{
    for (Entry *e : s) {
        (e->print->lengths[k] == length ? shortPart : longPart).push_back(e);
    }
}

const QStringList &Conf::isoCountryCodes()
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
    : country_codes(isoCountryCodes())
{
}

QString Conf::headerValue(Header key) const
{
    return header.value(FileFormat::key(key));
}

void Conf::setHeaderValue(Header key, const QString &value)
{
    header.insert(FileFormat::key(key), value);
}

QString Conf::get_classification_version() const
{
    return headerValue(Header::ClassificationVersion);
}

void Conf::set_classification_version(QString value)
{
    setHeaderValue(Header::ClassificationVersion, value);
}

QString Conf::get_country_code() const
{
    return headerValue(Header::CountryCode);
}

void Conf::set_country_code(QString value)
{
    setHeaderValue(Header::CountryCode, value.toUpper());
}

QString Conf::get_g_acceleration_constant() const
{
    return headerValue(Header::GAccelerationConstant);
}

void Conf::set_g_acceleration_constant(QString value)
{
    setHeaderValue(Header::GAccelerationConstant, value);
}

QString Conf::get_group_max_distance() const
{
    return headerValue(Header::GroupMaxDistance);
}

void Conf::set_group_max_distance(QString value)
{
    setHeaderValue(Header::GroupMaxDistance, value);
}

QString Conf::get_max_axle_distance() const
{
    return headerValue(Header::MaxAxleDistance);
}

void Conf::set_max_axle_distance(QString value)
{
    setHeaderValue(Header::MaxAxleDistance, value);
}

QString Conf::get_min_2axle_truck_spacing() const
{
    return headerValue(Header::Min2AxleTruckSpacing);
}

void Conf::set_min_2axle_truck_spacing(QString value)
{
    setHeaderValue(Header::Min2AxleTruckSpacing, value);
}

QString Conf::get_min_avg_axle_weight() const
{
    return headerValue(Header::MinAvgAxleWeight);
}

void Conf::set_min_avg_axle_weight(QString value)
{
    setHeaderValue(Header::MinAvgAxleWeight, value);
}

QString Conf::get_min_axle_distance() const
{
    return headerValue(Header::MinAxleDistance);
}

void Conf::set_min_axle_distance(QString value)
{
    setHeaderValue(Header::MinAxleDistance, value);
}

QString Conf::get_unclassified_vehicles_subclass() const
{
    return headerValue(Header::UnclassifiedVehiclesSubclass);
}

void Conf::set_unclassified_vehicles_subclass(QString value)
{
    setHeaderValue(Header::UnclassifiedVehiclesSubclass, value);
}

QString Conf::get_uncategorised_vehicle_category() const
{
    return headerValue(Header::UncategorisedVehicleCategory);
}

void Conf::set_uncategorised_vehicle_category(QString value)
{
    setHeaderValue(Header::UncategorisedVehicleCategory, value);
}

bool Conf::is_g_acceleration_constant_valid() const
{
    return readReal(get_g_acceleration_constant()) > 0;
}

bool Conf::is_group_max_distance_valid() const
{
    return readReal(get_group_max_distance()) > 0;
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
    return category.isEmpty() || readWhole(category) > 5;
}

bool Conf::is_min_axle_distance_valid() const
{
    // "Not greater than": a value that reads as no number at all (nan) fails nothing.
    return !(readReal(get_min_axle_distance()) > readReal(get_max_axle_distance()));
}

int Conf::check_max_axle_distance() const
{
    const QString maxText = get_max_axle_distance();
    const float max = readReal(maxText);
    if (maxText.isEmpty() || max < readReal(get_min_axle_distance())) {
        return 2;
    }
    return firstSubclassAbove(max) >= 0 ? 1 : 0;
}

int Conf::firstSubclassAbove(float max) const
{
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        // Some entry above the maximum is the same as the largest entry above it.
        if (it.value().largestMaxDistance() > max) {
            return it.key();
        }
    }
    return -1;
}

QMap<QString, QString> Conf::get_header_entries() const
{
    return header;
}

bool Conf::is_subclass_above_max_axle_distance(quint16 number) const
{
    const auto it = subclasses.constFind(number);
    return it != subclasses.constEnd()
        && it.value().largestMaxDistance() > readReal(get_max_axle_distance());
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
    const float hdrMin = readReal(get_min_axle_distance());
    const float hdrMax = readReal(get_max_axle_distance());
    QVector<quint16> numbers;
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        if (!it.value().subclassValid(hdrMin, hdrMax)) {
            numbers.append(it.key());
        }
    }
    return numbers;
}

QString Conf::find_duplicates() const
{
    // Comparing every pair is quadratic in the number of subclasses; the search finds the same
    // first pair, in ascending order of A then B, by only comparing where a match is possible.
    return DuplicateSearch(subclasses).firstPair();
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
