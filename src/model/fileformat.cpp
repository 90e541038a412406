// The keys and section lines of the .conf file format.
#include "fileformat.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace FileFormat {

const QString &key(Header which)
{
    static const QString keys[] = {
        QStringLiteral("classification_version"),
        QStringLiteral("country_code"),
        QStringLiteral("g_acceleration_constant"),
        QStringLiteral("group_max_distance__m"),
        QStringLiteral("max_axle_distance__m"),
        QStringLiteral("min_2axle_truck_spacing__m"),
        QStringLiteral("min_avg_axle_weight__kN"),
        QStringLiteral("min_axle_distance__m"),
        QStringLiteral("unclassified_vehicles_subclass"),
        QStringLiteral("uncategorised_vehicle_category"),
    };
    static_assert(std::size(keys) == size_t(Header::UncategorisedVehicleCategory) + 1);
    return keys[int(which)];
}

const QString &key(Section which)
{
    static const QString keys[] = {
        QStringLiteral("subclass"),
        QStringLiteral("category"),
        QStringLiteral("number_of_axles"),
        QStringLiteral("axle_configuration"),
        QStringLiteral("max_GVW__kN"),
        QStringLiteral("upper_GVW_limit__kN"),
        QStringLiteral("reclassify_up_to_subclass"),
        QStringLiteral("lower_GVW_limit__kN"),
        QStringLiteral("reclassify_down_to_subclass"),
        QStringLiteral("prepend__m"),
        QStringLiteral("append__m"),
        QStringLiteral("tyre_type"),
        QStringLiteral("max_axle_weight__kN"),
        QStringLiteral("max_axle_distance__m"),
        QStringLiteral("min_axle_distance__m"),
    };
    static_assert(std::size(keys) == size_t(Section::MinAxleDistance) + 1);
    return keys[int(which)];
}

int section_key_index(const QStringRef &text)
{
    // The reader looks up the key of every entry line: by length first, then at most three
    // comparisons.
    static const auto byLength = [] {
        std::array<std::array<qint8, 4>, 32> table;
        for (auto &candidates : table) {
            candidates.fill(-1);
        }
        for (int k = 0; k < SectionKeyCount; ++k) {
            auto &candidates = table[size_t(key(Section(k)).size())];
            *std::find(candidates.begin(), candidates.end(), qint8(-1)) = qint8(k);
        }
        return table;
    }();
    if (text.size() >= int(byLength.size())) {
        return -1;
    }
    for (const qint8 k : byLength[size_t(text.size())]) {
        if (k < 0) {
            break;
        }
        if (text == key(Section(k))) {
            return k;
        }
    }
    return -1;
}

const QString &header_group()
{
    static const QString group = QStringLiteral("classes");
    return group;
}

const QString &header_line()
{
    static const QString line = QLatin1Char('[') + header_group() + QLatin1Char(']');
    return line;
}

const QString &subclass_line_start()
{
    static const QString start = QStringLiteral("[subclass_");
    return start;
}

} // namespace FileFormat
