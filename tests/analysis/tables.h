// Helpers shared by the analysis tests: configurations of valid subclasses built from windows,
// and recorded vehicles read from CSV text.
#pragma once

#include "conf.h"
#include "subclass.h"
#include "vehiclereader.h"

#include <QBuffer>
#include <QStringList>

#include <random>

// A configuration whose header admits gaps from 0.5 to 15 m, with valid subclasses given as
// "number:category:windows", optionally followed by ":up:down" reclassification targets. The
// windows are each "min-max" in metres ("1.2-1.5;2.5-6"); the weight limits 100 kN per axle and
// 300 kN gross.
inline Conf window_conf(const QStringList &subclasses)
{
    Conf conf;
    conf.set_min_axle_distance(QStringLiteral("0.5"));
    conf.set_max_axle_distance(QStringLiteral("15"));
    for (const QString &described : subclasses) {
        const QStringList parts = described.split(':');
        const QStringList gaps = parts.at(2).split(';');
        const int axles = gaps.size() + 1;
        Subclass s;
        s.set_subclass_number(parts.at(0).toUShort());
        s.set_category(parts.at(1));
        s.set_max_GVW(QStringLiteral("300"));
        s.set_number_of_axles(QString::number(axles));
        s.set_axle_configuration(QStringLiteral("H%1").arg(axles));
        for (int i = 0; i < gaps.size(); ++i) {
            s.set_min_distance_at_index(gaps.at(i).section('-', 0, 0), i);
            s.set_max_distance_at_index(gaps.at(i).section('-', 1, 1), i);
        }
        for (int i = 0; i < axles; ++i) {
            s.set_max_axle_weight_at_index(QStringLiteral("100"), i);
            s.set_tyre_type_at_index(QStringLiteral("1"), i);
        }
        s.set_reclassify_up_to_subclass(parts.value(3));
        s.set_reclassify_down_to_subclass(parts.value(4));
        conf.set_subclass(s.get_subclass_number(), s);
    }
    return conf;
}

// Up to `most` subclasses of 2 to 4 axles numbered from 0, categories 0 to 2, with windows on a
// 0.5 m grid from 1 m, so that windows touch, nest and repeat often.
inline Conf random_conf(std::mt19937 &random, int most)
{
    QStringList described;
    for (int n = 0, count = 1 + int(random() % most); n < count; ++n) {
        QStringList windows;
        for (int gap = 0, gaps = 1 + int(random() % 3); gap < gaps; ++gap) {
            const double low = 1 + 0.5 * (random() % 6);
            windows << QStringLiteral("%1-%2").arg(low).arg(low + 0.5 * (random() % 4));
        }
        described << QStringLiteral("%1:%2:%3").arg(n).arg(random() % 3).arg(windows.join(';'));
    }
    return window_conf(described);
}

// Reads the whole text: one entry per row, "line N: ok" or "line N: REASON", or the header's
// problem alone.
inline QStringList read_all(
    QByteArray csv, const Conf &conf, QVector<VehicleRecord> *vehicles = nullptr)
{
    QBuffer buffer(&csv);
    buffer.open(QIODevice::ReadOnly);
    VehicleReader reader(&buffer, conf);
    if (!reader.header_problem().isEmpty()) {
        return {reader.header_problem()};
    }
    QStringList rows;
    VehicleRecord vehicle;
    QString reason;
    for (VehicleReader::Outcome outcome;
         (outcome = reader.next(&vehicle, &reason)) != VehicleReader::End;) {
        rows << QStringLiteral("line %1: %2")
                    .arg(vehicle.line)
                    .arg(outcome == VehicleReader::Vehicle ? QStringLiteral("ok") : reason);
        if (vehicles && outcome == VehicleReader::Vehicle) {
            vehicles->append(vehicle);
        }
    }
    return rows;
}
