// A recorded vehicle against the taking-part subclasses: the matches, the verdict, the weight
// flags.
#include "vehiclematch.h"
#include "vehiclereader.h"
#include "windowtable.h"

namespace {

// Flags for the weights a vehicle has: limits read as the model reads numbers, "above" strict.
void flag_weights(const SubclassBounds &s, const VehicleRecord &vehicle, SubclassMatch &match)
{
    const QVector<float> &weights = vehicle.axleWeights;
    for (int i = 0; i < weights.size(); ++i) {
        const float limit = s.axleLimits.value(i);
        if (weights.at(i) > limit) {
            match.axlesAbove.append({{i + 1}, weights.at(i), limit});
        }
    }
    for (int k = 0; k < s.groups.size() && !weights.isEmpty(); ++k) {
        const GroupLimit &limit = s.groups.at(k);
        WeightExcess group {{}, 0, limit.limit};
        for (const int axle : limit.axles) {
            if (axle < 1 || axle > weights.size()) {
                group.axles.clear(); // names an axle this vehicle does not have
                break;
            }
            group.axles.append(axle);
            group.weight += weights.at(axle - 1);
        }
        if (!group.axles.isEmpty() && group.weight > group.limit) {
            match.groupsAbove.append(group);
        }
    }
    if (!vehicle.hasGross) {
        return;
    }
    match.gross = {{}, vehicle.gross, s.maxGVW};
    match.grossAbove = vehicle.gross > match.gross.limit;
    if (s.up != 0 && s.hasUpperGVW && vehicle.gross > s.upperGVW) {
        match.reclassify = 1;
        match.target = s.up;
    } else if (s.down != 0 && s.hasLowerGVW && vehicle.gross < s.lowerGVW) {
        match.reclassify = -1;
        match.target = s.down;
    }
}

} // namespace

VehicleMatch match_windows(const WindowTable &table, const VehicleRecord &vehicle)
{
    VehicleMatch result;
    const QVector<int> windows = table.matching(vehicle.gaps);
    result.matches.reserve(windows.size());
    for (const int window : windows) {
        SubclassMatch match;
        match.window = window;
        result.matches.append(match);
        if (table.windows().at(window).category != table.windows().at(windows.first()).category) {
            result.verdict = VehicleMatch::Ambiguous;
        }
    }
    if (result.verdict != VehicleMatch::Ambiguous) {
        result.verdict = windows.isEmpty() ? VehicleMatch::Unmatched
            : windows.size() == 1          ? VehicleMatch::Once
                                           : VehicleMatch::OneCategory;
    }
    return result;
}

VehicleMatch match_vehicle(const WindowTable &table, const VehicleRecord &vehicle)
{
    VehicleMatch result = match_windows(table, vehicle);
    for (SubclassMatch &match : result.matches) {
        flag_weights(table.bounds_of(match.window), vehicle, match);
    }
    return result;
}
