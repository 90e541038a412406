#pragma once

#include "conf.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

class QTreeWidgetItem;
struct ConfDifferences;
struct VehicleDifferences;

namespace Ui {
class CompareDialog;
}

// The comparison of a configuration file (old) with the configuration being edited (new), as a
// tree: the header fields that differ, the subclasses removed, added, renumbered and changed,
// and, with recorded vehicles, those whose classification the changes move. A double-click on a
// subclass asks the editor to select it. Owned by the main window, which keeps one and shows it
// again for each comparison; it does not block the window, so that the user can look at a
// subclass and come back.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    // `edited` is the window's configuration, which outlives the dialog.
    CompareDialog(const Conf &edited, QWidget *parent);
    ~CompareDialog() override;

    // Reads `oldPath` and compares it with the edited configuration, named `editedName` in the
    // dialog. False, with nothing changed, when the file cannot be opened.
    bool compare(const QString &oldPath, const QString &editedName);
    // The recorded vehicles (CSV text) to run through both configurations, and the name of the
    // file they came from. The analysis panel hands its loaded records over through this.
    void setRecords(const QString &text, const QString &fileName);
    // The edited configuration was saved under another name, or another file was opened.
    void setEditedName(const QString &name);

public slots:
    // Reads the old file again and compares it with the configuration as it is now.
    void refresh();
    // The edited configuration changed: the comparison shown is no longer current.
    void markOutdated();

signals:
    void subclassChosen(quint16 number);

private slots:
    void on_buttonRecords_clicked();
    void on_buttonRefresh_clicked();
    void on_treeChanges_itemDoubleClicked(QTreeWidgetItem *item, int column);

private:
    void showComparison();
    void addHeader(const ConfDifferences &differences);
    void addSubclasses(const ConfDifferences &differences);
    void addVehicles();
    void addVehicleDifferences(QTreeWidgetItem *top, const VehicleDifferences &vehicles);

    Ui::CompareDialog *ui;
    const Conf &edited;
    QString oldPath;
    QString editedName;
    Conf old;
    QByteArray records;
    QString recordsName;
};
