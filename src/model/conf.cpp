// The configuration's header record, country-code table and set of subclasses.
#include "conf.h"

const QStringList &Conf::iso_country_codes()
{
    // Officially assigned ISO 3166-1 alpha-2 codes, in the order of the English short names.
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
    return Subclass::real_of(get_min_axle_distance())
           <= Subclass::real_of(get_max_axle_distance());
}

int Conf::check_max_axle_distance() const
{
    const QString max_text = get_max_axle_distance();
    const float max = Subclass::real_of(max_text);
    if (max_text.isEmpty() || max < Subclass::real_of(get_min_axle_distance())) {
        return 2;
    }
    for (const Subclass &subclass : subclasses) {
        for (const QString &distance : subclass.max_axle_distances) {
            if (Subclass::real_of(distance) > max) {
                return 1;
            }
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
    const QString hdr_min = get_min_axle_distance();
    const QString hdr_max = get_max_axle_distance();
    QVector<quint16> numbers;
    for (auto it = subclasses.constBegin(); it != subclasses.constEnd(); ++it) {
        if (!it.value().is_subclass_valid(hdr_min, hdr_max)) {
            numbers.append(it.key());
        }
    }
    return numbers;
}

QString Conf::find_duplicates() const
{
    for (auto a = subclasses.constBegin(); a != subclasses.constEnd(); ++a) {
        for (auto b = a + 1; b != subclasses.constEnd(); ++b) {
            if (a.value().is_duplicate_of(b.value())) {
                return QString::number(a.key()) + QStringLiteral(" = ")
                       + QString::number(b.key());
            }
        }
    }
    return QString();
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
