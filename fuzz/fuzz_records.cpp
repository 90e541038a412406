// Fuzz target for the records reader: any bytes given as recorded vehicles must be read without a
// crash, a hang, a leak or undefined behaviour; every vehicle read has a gap per axle pair and
// finite, non-negative numbers, and rows come in the order of their lines.
#include "conf.h"
#include "vehiclereader.h"

#include <QBuffer>
#include <QByteArray>
#include <QtNumeric>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_records: %s\n", what);
        std::abort();
    }
}

bool measured(const QVector<float> &values)
{
    for (const float value : values) {
        if (!qIsFinite(value) || value < 0) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Conf conf = [] {
        Conf c;
        c.set_g_acceleration_constant(QStringLiteral("9.81"));
        Subclass s;
        s.set_subclass_number(7);
        c.set_subclass(7, s);
        return c;
    }();
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    VehicleReader reader(&buffer, conf);
    VehicleRecord vehicle;
    QString reason;
    int line = 0;
    for (VehicleReader::Outcome outcome;
         (outcome = reader.next(&vehicle, &reason)) != VehicleReader::End;) {
        check(vehicle.line > line, "rows out of the order of their lines");
        line = vehicle.line;
        if (outcome == VehicleReader::Skipped) {
            check(!reason.isEmpty(), "a row skipped without a reason");
            continue;
        }
        check(vehicle.gaps.size() >= 1 && vehicle.gaps.size() < 20, "a gap count out of range");
        check(
            vehicle.axleWeights.isEmpty() || vehicle.axleWeights.size() == vehicle.gaps.size() + 1,
            "weights that do not fit the axles");
        check(measured(vehicle.gaps) && measured(vehicle.axleWeights)
                && (!vehicle.hasGross || measured({vehicle.gross})),
            "a value that is no measurement");
        check(!vehicle.hasExpected || conf.contains_subclass(vehicle.expected),
            "an expected subclass the configuration lacks");
    }
    return 0;
}
