// The comparison dialog: a configuration file against the one being edited, with the recorded
// vehicles the differences move.
#include "comparedialog.h"
#include "comparison.h"
#include "ui_comparedialog.h"
#include "windowtable.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScopedPointer>
#include <QTreeWidgetItem>

#include <algorithm>

namespace {

// Up to this many changed subclasses are shown opened; more would make a wall of lines.
constexpr int openedSubclasses = 50;

// The subclass a row stands for, selected in the editor on a double-click.
QTreeWidgetItem *addRow(QTreeWidgetItem *parent, const QString &text, int subclass = -1)
{
    auto *item = new QTreeWidgetItem(parent, QStringList {text});
    if (subclass >= 0) {
        item->setData(0, Qt::UserRole, subclass);
    }
    return item;
}

QString windowText(const WindowChange &change)
{
    if (change.oldAxles != change.axles) {
        return CompareDialog::tr("window moved from %1 to %2 axles")
            .arg(change.oldAxles)
            .arg(change.axles);
    }
    const QString kinds[]
        = {CompareDialog::tr("widened"), CompareDialog::tr("narrowed"), CompareDialog::tr("moved")};
    return CompareDialog::tr("window (%1 axles) %2").arg(change.axles).arg(kinds[change.kind]);
}

QString differenceCount(int count)
{
    return count == 0 ? CompareDialog::tr("no differences")
        : count == 1  ? CompareDialog::tr("1 difference")
                      : CompareDialog::tr("%1 differences").arg(count);
}

} // namespace

CompareDialog::CompareDialog(const Conf &edited, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CompareDialog)
    , edited(edited)
{
    ui->setupUi(this);
    ui->labelOutdated->hide();
}

CompareDialog::~CompareDialog()
{
    delete ui;
}

bool CompareDialog::compare(const QString &path, const QString &name)
{
    Conf read(path, nullptr);
    if (!read.file_opened()) {
        return false;
    }
    old = std::move(read);
    oldPath = path;
    editedName = name;
    showComparison();
    return true;
}

void CompareDialog::setRecords(const QString &text, const QString &fileName)
{
    records = text.toUtf8();
    recordsName = fileName;
    showComparison();
}

void CompareDialog::setEditedName(const QString &name)
{
    editedName = name;
    ui->labelFiles->setText(
        tr("Old: %1\nNew: %2").arg(QDir::toNativeSeparators(oldPath), editedName));
}

void CompareDialog::refresh()
{
    Conf read(oldPath, nullptr);
    if (!read.file_opened()) {
        QMessageBox box(QMessageBox::Warning, tr("Could not open file"),
            tr("%1 could not be opened; the comparison shown is the last one made.")
                .arg(QDir::toNativeSeparators(oldPath)),
            QMessageBox::Ok);
        box.exec();
        return;
    }
    old = std::move(read);
    showComparison();
}

void CompareDialog::markOutdated()
{
    ui->labelOutdated->show();
}

void CompareDialog::on_buttonRefresh_clicked()
{
    refresh();
}

void CompareDialog::on_buttonRecords_clicked()
{
    QFileDialog dialog(
        this, tr("Recorded vehicles"), QString(), tr("Recorded vehicles (*.csv);;All files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        QMessageBox box(QMessageBox::Warning, tr("Could not open file"),
            tr("%1 could not be opened: %2")
                .arg(QDir::toNativeSeparators(path),
                    QFileInfo(path).isFile() ? file.errorString()
                                             : tr("it is not a regular file.")),
            QMessageBox::Ok);
        box.exec();
        return;
    }
    setRecords(QString::fromUtf8(file.readAll()), QFileInfo(path).fileName());
}

void CompareDialog::on_treeChanges_itemDoubleClicked(QTreeWidgetItem *item, int)
{
    const QVariant subclass = item->data(0, Qt::UserRole);
    if (subclass.isValid()) {
        emit subclassChosen(quint16(subclass.toUInt()));
    }
}

void CompareDialog::showComparison()
{
    // Recorded vehicles can take a second or two to run through both configurations.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ui->labelOutdated->hide();
    setEditedName(editedName);
    ui->treeChanges->clear();
    const ConfDifferences differences = compare_configurations(old, edited);
    addHeader(differences);
    addSubclasses(differences);
    addVehicles();
    QApplication::restoreOverrideCursor();
}

void CompareDialog::addHeader(const ConfDifferences &differences)
{
    auto *top = new QTreeWidgetItem(ui->treeChanges);
    int count = differences.header.size();
    if (old.stopped_at_line() > 0) {
        ++count;
        addRow(top,
            tr("Reading %1 stopped at line %2: \"%3\"; compared as far as it was read")
                .arg(QFileInfo(oldPath).fileName())
                .arg(old.stopped_at_line())
                .arg(old.stopped_line_text()));
    }
    for (const FieldChange &change : differences.header) {
        addRow(top, change.text);
    }
    top->setText(0, tr("Header: %1").arg(differenceCount(count)));
    top->setExpanded(true);
}

void CompareDialog::addSubclasses(const ConfDifferences &differences)
{
    auto *top = new QTreeWidgetItem(ui->treeChanges);
    for (const quint16 number : differences.removed) {
        addRow(top, tr("subclass %1 removed").arg(number));
    }
    for (const quint16 number : differences.added) {
        addRow(top, tr("subclass %1 added").arg(number), number);
    }
    for (const Renumbering &pair : differences.renumbered) {
        addRow(top, tr("subclass %1 renumbered to %2").arg(pair.old).arg(pair.now), pair.now);
    }
    // Each window change goes under its subclass: both lists in ascending number.
    QVector<WindowChange> windows = differences.windows;
    std::sort(windows.begin(), windows.end(),
        [](const WindowChange &a, const WindowChange &b) { return a.subclass < b.subclass; });
    auto window = windows.constBegin();
    const bool open = differences.changed.size() <= openedSubclasses;
    for (const SubclassChange &change : differences.changed) {
        QTreeWidgetItem *row = addRow(top, tr("subclass %1").arg(change.subclass), change.subclass);
        for (const FieldChange &field : change.fields) {
            addRow(row, field.text, change.subclass);
        }
        if (window != windows.constEnd() && window->subclass == change.subclass) {
            addRow(row, windowText(*window++), change.subclass);
        }
        row->setExpanded(open);
    }
    const int count = differences.removed.size() + differences.added.size()
        + differences.renumbered.size() + differences.changed.size();
    top->setText(0, tr("Subclasses: %1").arg(differenceCount(count)));
    top->setExpanded(true);
}

void CompareDialog::addVehicles()
{
    auto *top = new QTreeWidgetItem(ui->treeChanges);
    top->setExpanded(true);
    if (recordsName.isNull()) {
        top->setText(0, tr("Vehicles: no recorded vehicles"));
        addRow(top,
            tr("Choose a file of recorded vehicles with Recorded vehicles… to see which "
               "vehicles the changes move."));
        return;
    }
    // Each side reads its own copy, on its own thread (the text is shared, never written).
    QByteArray oldRecords = records;
    QByteArray newRecords = records;
    QBuffer forOld(&oldRecords);
    QBuffer forNew(&newRecords);
    forOld.open(QIODevice::ReadOnly);
    forNew.open(QIODevice::ReadOnly);
    QScopedPointer<WindowTable> oldTable;
    QScopedPointer<WindowTable> newTable;
    in_parallel([&] { oldTable.reset(new WindowTable(old)); },
        [&] { newTable.reset(new WindowTable(edited)); });
    const VehicleDifferences vehicles = compare_vehicles(&forOld, &forNew, old, edited, *oldTable, *newTable);
    if (!vehicles.problem.isEmpty()) {
        top->setText(0, tr("Vehicles: %1 cannot be read").arg(recordsName));
        addRow(top, recordsName + QStringLiteral(": ") + vehicles.problem);
        return;
    }
    top->setText(0,
        vehicles.moved.size() == 1 ? tr("Vehicles: 1 moved")
                                   : tr("Vehicles: %1 moved").arg(vehicles.moved.size()));
    addVehicleDifferences(top, vehicles);
}

void CompareDialog::addVehicleDifferences(QTreeWidgetItem *top, const VehicleDifferences &vehicles)
{
    addRow(top,
        tr("%1: %2 rows, %3 compared, %4 skipped in both, %5 in one only")
            .arg(recordsName)
            .arg(vehicles.rows)
            .arg(vehicles.compared)
            .arg(vehicles.skippedInBoth)
            .arg(vehicles.skipped.size()));
    // The moved vehicles and the rows skipped in one only, in the order of their lines. A
    // moved vehicle stands for the first subclass it matches now.
    auto moved = vehicles.moved.constBegin();
    auto skipped = vehicles.skipped.constBegin();
    while (moved != vehicles.moved.constEnd() || skipped != vehicles.skipped.constEnd()) {
        if (skipped == vehicles.skipped.constEnd()
            || (moved != vehicles.moved.constEnd() && moved->line < skipped->line)) {
            const QString where = moved->id.isEmpty()
                ? tr("line %1").arg(moved->line)
                : tr("line %1 (%2)").arg(moved->line).arg(moved->id);
            const QVector<quint16> &lands = moved->now.subclasses;
            addRow(top,
                where + QStringLiteral(": ") + outcome_text(moved->old) + QStringLiteral(" -> ")
                    + outcome_text(moved->now),
                lands.isEmpty() ? -1 : lands.first());
            ++moved;
        } else {
            addRow(top,
                (skipped->inOld ? tr("line %1: skipped in old: %2")
                                : tr("line %1: skipped in new: %2"))
                    .arg(skipped->line)
                    .arg(skipped->reason));
            ++skipped;
        }
    }
    QTreeWidgetItem *distribution = addRow(top, tr("Distribution: old -> new (change)"));
    for (const DistributionRow &row : vehicles.distribution) {
        const QString percent = percent_text(row);
        addRow(distribution,
            (row.isCategory ? tr("category %1: %2 -> %3 (%4%5)") : tr("%1: %2 -> %3 (%4%5)"))
                .arg(row.category)
                .arg(row.old)
                .arg(row.now)
                .arg(signed_count(row.change()))
                .arg(percent.isEmpty() ? QString() : QStringLiteral(", ") + percent));
    }
    distribution->setExpanded(true);
    addRow(top,
        tr("Totals: %1 moved, %2 newly unmatched, %3 newly ambiguous, %4 newly matched")
            .arg(vehicles.moved.size())
            .arg(vehicles.newlyUnmatched)
            .arg(vehicles.newlyAmbiguous)
            .arg(vehicles.newlyMatched));
}
