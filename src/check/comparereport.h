#pragma once

#include <QStringList>

class QTextStream;

// What veltora-check --compare was given besides its files: the options it cannot be combined
// with, and those it takes.
struct CompareOptions
{
    bool format = false;
    bool overlaps = false;
    bool json = false;
    // The recorded vehicles to run through both configurations, when `vehicles` is set.
    bool vehicles = false;
    QString records;
    // The process exits after the report: the configurations are left to the system, unfreed.
    bool exitsAfter = false;
};

// veltora-check --compare OLD NEW [--vehicles RECORDS]: what differs between two
// configurations and which recorded vehicles it moves, as text or as one JSON object. Returns 0
// when nothing is reported, 1 when anything is (a difference, a moved vehicle, or a read that
// stopped early), 2 when a file cannot be opened or the options are wrong (said on `err`).
int run_compare(
    const QStringList &files, const CompareOptions &options, QTextStream &out, QTextStream &err);
