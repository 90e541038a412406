#pragma once

#include <QVector>

class WindowTable;
struct VehicleRecord;

// A weight above its limit: one axle, a group of axles under a combined constraint, or the gross
// weight (no axles). Kilonewtons.
struct WeightExcess
{
    QVector<int> axles;
    float weight = 0;
    float limit = 0;
};

// A subclass a vehicle matches, with what its weights say there. Weights never decide the match.
struct SubclassMatch
{
    int window = 0;
    QVector<WeightExcess> axlesAbove;
    QVector<WeightExcess> groupsAbove;
    bool grossAbove = false;
    WeightExcess gross;
    // The reclassification that applies: +1 up, -1 down, 0 none; to `target`.
    int reclassify = 0;
    quint16 target = 0;
};

// How a vehicle fares: the subclasses it matches, ascending, and the verdict they give.
struct VehicleMatch
{
    enum Verdict { Once, OneCategory, Ambiguous, Unmatched } verdict = Unmatched;
    QVector<SubclassMatch> matches;
};

// Runs a recorded vehicle through the table's matching rule: the matches, without weight flags,
// and the verdict.
VehicleMatch match_windows(const WindowTable &table, const VehicleRecord &vehicle);
// The same, each match with its weight flags.
VehicleMatch match_vehicle(const WindowTable &table, const VehicleRecord &vehicle);
