// Generated configurations of realistic size for the benchmarks: every subclass valid and
// complete, no two of them duplicates.
#pragma once

#include "conf.h"
#include "fileformat.h"
#include "subclass.h"

#include <QString>

#include <random>

// A valid subclass with realistic values. The values repeat a lot between subclasses (few
// categories and weight limits), as in real classifications; the first gap's maximum and the
// first axle's weight together encode the number, so no two subclasses are duplicates.
inline Subclass make_subclass(quint16 number, int axles, std::mt19937 &random)
{
    std::uniform_int_distribution<int> category(1, 15);
    std::uniform_int_distribution<int> gvw(10, 60);
    std::uniform_int_distribution<int> tyre(1, 4);
    std::uniform_int_distribution<int> tenth(0, 9);
    Subclass s;
    s.set_subclass_number(number);
    s.set_category(QString::number(category(random)));
    s.set_max_GVW(QString::number(gvw(random) * 10));
    s.set_number_of_axles(QString::number(axles));
    QString configuration = QStringLiteral("H2");
    for (int left = axles - 2; left > 0; left -= 3) {
        configuration += (left == axles - 2 ? "T" : "S") + QString::number(qMin(left, 3));
    }
    s.set_axle_configuration(configuration);
    s.set_prepend(QStringLiteral("0.5"));
    s.set_append(QStringLiteral("0.5"));
    if (number % 7 == 0) {
        s.set_upper_GVW_limit(QString::number(axles * 90));
        s.set_reclassify_up_to_subclass(QString::number(number + 1));
    }
    for (int i = 0; i + 1 < axles; ++i) {
        QString max = QStringLiteral("%1.%2").arg(3 + tenth(random) % 5).arg(tenth(random));
        if (i == 0) {
            max = QString::number(3.0 + (number % 1000) * 0.01, 'f', 2);
        }
        s.set_min_distance_at_index(QStringLiteral("1.%1").arg(tenth(random)), i);
        s.set_max_distance_at_index(max, i);
    }
    for (int i = 0; i < axles; ++i) {
        QString weight = QStringLiteral("%1.%2").arg(60 + tenth(random) * 5).arg(tenth(random));
        if (i == 0) {
            weight = QString::number(40.0 + (number / 1000) * 0.5, 'f', 1);
        }
        s.set_max_axle_weight_at_index(weight, i);
        s.set_tyre_type_at_index(QString::number(tyre(random)), i);
    }
    if (axles >= 3) {
        s.set_combined_constraint(QStringLiteral("2+3,180"), -1);
    }
    return s;
}

// `count` subclasses numbered from 0; fixed_axles 0 spreads the axle counts over 2 to the largest.
inline Conf make_conf(int count, int fixed_axles = 0)
{
    std::mt19937 random(20261206);
    Conf conf;
    conf.set_classification_version(QStringLiteral("bench"));
    conf.set_country_code(QStringLiteral("SI"));
    conf.set_g_acceleration_constant(QStringLiteral("9.81"));
    conf.set_group_max_distance(QStringLiteral("3.5"));
    conf.set_min_axle_distance(QStringLiteral("0.5"));
    conf.set_max_axle_distance(QStringLiteral("15"));
    conf.set_unclassified_vehicles_subclass(QStringLiteral("70000"));
    for (int i = 0; i < count; ++i) {
        const int axles = fixed_axles ? fixed_axles : 2 + i % (FileFormat::MaxAxles - 1);
        conf.set_subclass(quint16(i), make_subclass(quint16(i), axles, random));
    }
    return conf;
}
