// The keys and section lines of the .conf file format.
#include "fileformat.h"

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
