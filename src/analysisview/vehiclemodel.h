#pragma once

#include "analysisrun.h"
#include "analysistexts.h"

#include <QAbstractTableModel>
#include <QVector>

#include <memory>

// The recorded vehicles of the latest run as a table, filtered by verdict: the texts are made
// only for the rows on screen, so that a run of 100,000 vehicles costs the editor next to
// nothing. Owned by the analysis panel.
class VehicleModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Changed, Line, Id, Axles, Gaps, Verdict, Matched, Expected, ColumnCount };
    // Which rows show: every one, those of one verdict, or those changed since the baseline.
    enum Filter { All = -1, ChangedOnly = -2 };

    explicit VehicleModel(QObject *parent);

    // `marks`: whether changed rows are marked (no baseline differs otherwise).
    void setRun(const std::shared_ptr<const AnalysisRun> &run, bool marks);
    void setUnits(const DisplayUnits &units);
    // A verdict (VehicleMatch::Verdict), All or ChangedOnly.
    void setFilter(int filter);
    // The vehicle a row of the table shows.
    const VehicleOutcome *vehicleAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void refilter();
    QString previousOutcome(const VehicleOutcome &vehicle) const;

    std::shared_ptr<const AnalysisRun> run;
    bool marks = false;
    DisplayUnits units;
    int filter = All;
    // Indexes into run->vehicles of the rows shown.
    QVector<int> shown;
};
