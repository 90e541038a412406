#pragma once

#include "vehiclematch.h"

#include <QMap>
#include <QString>
#include <QStringList>

class WindowTable;
struct VehicleRecord;

// The summary of a recorded-vehicle run: how the rows read without error fared, and, for rows
// that name an expected subclass, the expected subclass's category against the matched one.
// Fed one row at a time by the --vehicles report.
class FleetSummary
{
public:
    explicit FleetSummary(const WindowTable &table);

    void add_skipped() { ++skippedRows; }
    void add(const VehicleRecord &vehicle, const VehicleMatch &match);

    qint64 skipped() const { return skippedRows; }
    qint64 vehicles() const { return total; }
    qint64 count(VehicleMatch::Verdict verdict) const { return verdicts[verdict]; }
    // Under 2 % of the vehicles unmatched, a common acceptance limit; false without vehicles.
    bool unmatched_acceptable() const;
    // 0 when no row was skipped, no vehicle is ambiguous and under 2 % are unmatched; else 1.
    int status() const;

    // One row of the confusion table: per matched category, then the vehicles that were
    // ambiguous or unmatched.
    struct Row
    {
        QMap<QString, qint64> matched;
        qint64 ambiguous = 0;
        qint64 unmatched = 0;
    };
    const QMap<QString, Row> &confusion() const { return rows; }
    // The categories of the confusion table's columns, in category order.
    QStringList matched_categories() const;
    // Category texts in order: as whole numbers where both are, otherwise as texts.
    static QStringList in_category_order(QStringList categories);

private:
    const WindowTable &table;
    qint64 skippedRows = 0;
    qint64 total = 0;
    qint64 verdicts[VehicleMatch::Unmatched + 1] = {};
    QMap<QString, Row> rows;
};
