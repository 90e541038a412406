#pragma once

#include "analysistexts.h"
#include "fileformat.h"

#include <QDockWidget>
#include <QVector>

#include <memory>

class AnalysisRun;
class Conf;
class LiveAnalysis;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTimer;
class VehicleModel;
class WindowMap;

// The analysis dock: the window map of the selected subclass's axle count, the overlapping
// pairs, the covered subclasses and reclassification cycles, and recorded vehicles run through
// the configuration as it is edited. The window tells it every change of the configuration it
// edits (the slots below, named after the change notifications), the selected subclass, the
// display units and when the configuration was opened, made new or saved (the baseline that
// vehicle changes are marked against); it asks the window to select a subclass with
// subclassActivated. The analysis runs only while the dock is shown.
class AnalysisPanel : public QDockWidget
{
    Q_OBJECT

public:
    // `conf` is the window's configuration, which outlives the panel.
    AnalysisPanel(const Conf &conf, QWidget *parent);
    ~AnalysisPanel() override;

    LiveAnalysis *analysis() const { return live; }

public slots:
    void headerChanged(FileFormat::Header key);
    void subclassChanged(quint16 number);
    void subclassAdded(quint16 number);
    void subclassRemoved(quint16 number);
    void reset();
    void setSelectedSubclass(quint16 number);
    // Lengths shown in units of `lengthFactor` metres named `lengthUnit` ("m", "ft", "in"),
    // weights in units of `weightFactor` kilonewtons named `weightUnit` ("t", "lb", "kN").
    void setDisplayUnits(float lengthFactor, const QString &lengthUnit, float weightFactor,
        const QString &weightUnit);
    // The configuration as it is now is what changes are marked against (open, new, saved).
    void setBaseline();
    // Reads a records file and runs it; false, after saying why, when it cannot be read.
    bool loadRecords(const QString &path);

signals:
    // A subclass was clicked or double-clicked: the window selects it.
    void subclassActivated(quint16 number);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeMapTab();
    QWidget *makeOverlapsTab();
    QWidget *makeCoveredTab();
    QWidget *makeVehiclesTab();
    QTableView *makeTable(const QString &objectName);

    void tableChanged();
    void showResults();
    void showOverlaps(const AnalysisRun &run);
    void showCovered(const AnalysisRun &run);
    void showVehicles(const AnalysisRun &run);
    void showNotTakingPart();
    void showBusy(bool busy);
    void askForRecords();
    void copyWitness();
    void overlapActivated(const QModelIndex &index);
    void vehicleActivated(const QModelIndex &index);

    LiveAnalysis *live;
    DisplayUnits units;

    QTabWidget *tabs;
    WindowMap *map;
    QLabel *notTakingPartCaption;
    QLabel *notTakingPartList;
    QScrollArea *listScroll;
    QVector<quint16> notTakingPartShown;
    int notTakingPartTotal = -1;

    QLabel *overlapsHeadline;
    QCheckBox *ambiguousOnly;
    QPushButton *copyWitnessButton;
    QStandardItemModel *overlaps;
    QSortFilterProxyModel *overlapsFilter;
    QTableView *overlapsView;

    QLabel *coveredHeadline;
    QStandardItemModel *covered;
    QLabel *cyclesHeadline;
    QStandardItemModel *cycles;

    QLabel *recordsLabel;
    QComboBox *verdictFilter;
    QLabel *changedLabel;
    VehicleModel *vehicles;
    QTableView *vehiclesView;
    QLabel *skippedCaption;
    QStandardItemModel *skipped;
    QTableView *skippedView;
    QLabel *summaryLabel;
    QStandardItemModel *confusion;
    QTableView *confusionView;

    QTimer *spinner;
    int spinnerStep = 0;
    // The run the tables show: their rows point into it.
    std::shared_ptr<const AnalysisRun> shownRun;
};
