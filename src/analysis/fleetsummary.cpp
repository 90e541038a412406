// The summary of a recorded-vehicle run and its confusion table.
#include "fleetsummary.h"
#include "vehiclereader.h"
#include "windowtable.h"

#include <QSet>

#include <algorithm>
#include <tuple>

FleetSummary::FleetSummary(const WindowTable &table)
    : table(table)
{
}

void FleetSummary::add(const VehicleRecord &vehicle, const VehicleMatch &match)
{
    ++total;
    ++verdicts[match.verdict];
    if (!vehicle.hasExpected) {
        return;
    }
    Row &row = rows[table.category_of_subclass(vehicle.expected)];
    switch (match.verdict) {
    case VehicleMatch::Once:
    case VehicleMatch::OneCategory:
        ++row.matched[table.category_of(match.matches.first().window)];
        break;
    case VehicleMatch::Ambiguous:
        ++row.ambiguous;
        break;
    case VehicleMatch::Unmatched:
        ++row.unmatched;
        break;
    }
}

bool FleetSummary::unmatched_acceptable() const
{
    return total > 0 && verdicts[VehicleMatch::Unmatched] * 50 < total;
}

int FleetSummary::status() const
{
    return skippedRows == 0 && verdicts[VehicleMatch::Ambiguous] == 0 && unmatched_acceptable() ? 0
                                                                                                : 1;
}

QStringList FleetSummary::matched_categories() const
{
    QSet<QString> categories;
    for (const Row &row : rows) {
        for (auto it = row.matched.constBegin(); it != row.matched.constEnd(); ++it) {
            categories.insert(it.key());
        }
    }
    return in_category_order(categories.values());
}

QStringList FleetSummary::in_category_order(QStringList categories)
{
    // Whole numbers first, by value, then the other texts: a total order, so sorting is sound.
    const auto key = [](const QString &text) {
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        return std::make_tuple(!ok, ok ? value : 0, text);
    };
    std::sort(categories.begin(), categories.end(),
        [&key](const QString &a, const QString &b) { return key(a) < key(b); });
    return categories;
}
