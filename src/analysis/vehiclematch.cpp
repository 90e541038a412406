// A recorded vehicle against the taking-part subclasses: the matches, the verdict, the weight
// flags.
#include "vehiclematch.h"
#include "subclass.h"
#include "vehiclereader.h"
#include "windowtable.h"

namespace {

// Flags for the weights a vehicle has: limits read as the model reads numbers, "above" strict.
void flag_weights(const Subclass &s, const VehicleRecord &vehicle, SubclassMatch &match)
{
    const QVector<float> &weights = vehicle.axleWeights;
    for (int i = 0; i < weights.size(); ++i) {
        const float limit = s.get_max_axle_weight_at_index(i).toFloat();
        if (weights.at(i) > limit) {
            match.axlesAbove.append({{i + 1}, weights.at(i), limit});
        }
    }
    for (int k = 0; k < s.get_combined_constraint_count() && !weights.isEmpty(); ++k) {
        // A taking-part subclass's constraints have the form a+b+...,w.
        const QString constraint = s.get_combined_constraint_at_index(k);
        const int comma = constraint.lastIndexOf(QLatin1Char(','));
        WeightExcess group {{}, 0, constraint.mid(comma + 1).toFloat()};
        for (const QString &term : constraint.left(comma).split(QLatin1Char('+'))) {
            const int axle = term.toInt();
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
    match.gross = {{}, vehicle.gross, s.get_max_GVW().toFloat()};
    match.grossAbove = vehicle.gross > match.gross.limit;
    const QString upper = s.get_upper_GVW_limit();
    const QString lower = s.get_lower_GVW_limit();
    const quint16 up = s.get_reclassify_up_to_subclass().toUShort();
    const quint16 down = s.get_reclassify_down_to_subclass().toUShort();
    if (up != 0 && !upper.isEmpty() && vehicle.gross > upper.toFloat()) {
        match.reclassify = 1;
        match.target = up;
    } else if (down != 0 && !lower.isEmpty() && vehicle.gross < lower.toFloat()) {
        match.reclassify = -1;
        match.target = down;
    }
}

} // namespace

VehicleMatch match_vehicle(const WindowTable &table, const VehicleRecord &vehicle)
{
    VehicleMatch result;
    const QVector<int> windows = table.matching(vehicle.gaps);
    for (const int window : windows) {
        SubclassMatch match;
        match.window = window;
        flag_weights(table.subclass_of(window), vehicle, match);
        result.matches.append(match);
        if (window != windows.first()
            && table.windows().at(window).category
                != table.windows().at(windows.first()).category) {
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
