// Generated inputs for the analysis benchmarks: a configuration of 65,536 valid subclasses whose
// spacing windows rarely overlap, and recorded vehicles drawn from it.
#pragma once

#include "generate.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <random>

// Narrow, distinct bins of 3 mm with 1 mm between them, from 0.6 m up inside the header's
// 0.5 to 15 m: enough for every subclass of one axle count to have a first gap of its own.
constexpr double windowBin = 0.004;
constexpr double windowWidth = 0.003;
constexpr double firstBin = 0.6;
constexpr int binCount = 3575;

// `count` subclasses over 2 to 20 axles (make_conf's values otherwise). Within an axle count
// each first gap has a bin of its own and the other gaps random bins, so no two windows
// overlap, except that every 500th subclass of an axle count takes its predecessor's windows
// shifted by 1 mm: about 130 overlapping pairs, most of them of different categories.
inline Conf make_window_conf(int count)
{
    Conf conf = make_conf(count);
    std::mt19937 random(20260613);
    std::uniform_int_distribution<int> anyBin(0, binCount - 1);
    const int largest = 20;
    for (int axles = 2; axles <= largest; ++axles) {
        std::vector<int> firstBins(binCount);
        for (int k = 0; k < binCount; ++k) {
            firstBins[size_t(k)] = k;
        }
        std::shuffle(firstBins.begin(), firstBins.end(), random);
        int previous = -1;
        for (int number = axles - 2, k = 0; number < count; number += largest - 1, ++k) {
            Subclass s = make_subclass(quint16(number), axles, random);
            for (int i = 0; i + 1 < axles; ++i) {
                double low
                    = firstBin + windowBin * (i == 0 ? firstBins[size_t(k)] : anyBin(random));
                if (k % 500 == 499) {
                    low = conf.get_subclass(quint16(previous))
                              .get_min_distance_at_index(i)
                              .toDouble()
                        + 0.001;
                }
                s.set_min_distance_at_index(QString::number(low, 'f', 3), i);
                s.set_max_distance_at_index(QString::number(low + windowWidth, 'f', 3), i);
            }
            conf.set_subclass(quint16(number), s);
            previous = number;
        }
    }
    return conf;
}

// `count` recorded vehicles as CSV, each inside the windows of a random subclass with axle weights
// in tonnes and that subclass expected; one in a hundred has its first gap between two bins,
// where no window lies.
inline QByteArray make_vehicle_csv(const Conf &conf, int count)
{
    std::mt19937 random(20260614);
    std::uniform_real_distribution<double> inside(0.1, 0.9);
    std::uniform_real_distribution<double> tonnes(3, 11);
    const QVector<quint16> numbers = conf.get_subclass_numbers();
    QByteArray csv = "id,axles,gaps_m,axle_weights_t,expected\n";
    for (int v = 0; v < count; ++v) {
        const quint16 number = numbers.at(int(random() % quint32(numbers.size())));
        const Subclass &s = conf.get_subclass(number);
        const int axles = s.get_number_of_axles().toInt();
        QStringList gaps;
        QStringList weights;
        for (int i = 0; i + 1 < axles; ++i) {
            const double low = s.get_min_distance_at_index(i).toDouble();
            const double gap = v % 100 == 99 && i == 0 ? low + windowWidth + 0.0005
                                                       : low + windowWidth * inside(random);
            gaps << QString::number(gap, 'f', 4);
        }
        for (int i = 0; i < axles; ++i) {
            weights << QString::number(tonnes(random), 'f', 1);
        }
        csv += QStringLiteral("v%1,%2,%3,%4,%5\n")
                   .arg(v)
                   .arg(axles)
                   .arg(gaps.join(';'), weights.join(';'))
                   .arg(number)
                   .toUtf8();
    }
    return csv;
}
