// Per-axle rows and combined constraints of the selected subclass: rows made on demand and never
// deleted, reshaped with the number of axles, filled from the subclass and stored as edited.
#include "numbervalidators.h"
#include "ruletexts.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QtDebug>

namespace {

// More constraint edits than this are not made for one subclass: a file can hold any number
// of constraints, and a widget per constraint would take the editor down long before that.
constexpr int maxConstraintEdits = 1000;

} // namespace

int Veltora::createdRows() const
{
    return ui->frameMaxAxleDists->layout()->count() - 1;
}

QWidget *Veltora::widgetAt(QFrame *frame, int position) const
{
    QLayout *layout = frame ? frame->layout() : nullptr;
    if (!layout || position < 0 || position >= layout->count()) {
        return nullptr;
    }
    QLayoutItem *item = layout->itemAt(position);
    return item ? item->widget() : nullptr;
}

QLineEdit *Veltora::lineEditAt(QFrame *frame, int position) const
{
    return qobject_cast<QLineEdit *>(widgetAt(frame, position));
}

void Veltora::hideAndClear(QWidget *widget)
{
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        edit->clear();
        edit->hide();
    } else if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        box->setChecked(false);
        box->hide();
    }
}

void Veltora::setupAxleEdit(
    QLineEdit *edit, bool realValues, const QString &statusTip, const QString &objectName)
{
    edit->setMaximumWidth(45);
    if (realValues) {
        edit->setValidator(inModelLocale(new QDoubleValidator(edit)));
    } else {
        edit->setValidator(inModelLocale(new QIntValidator(edit)));
    }
    edit->setStatusTip(statusTip);
    edit->setObjectName(objectName);
    connect(edit, &QLineEdit::textEdited, this, &Veltora::textChanged);
}

void Veltora::setupConstraintEdit(QLineEdit *edit, const QString &objectName)
{
    edit->setMaximumWidth(90);
    edit->setStatusTip(tipRemoveConstraint);
    edit->setObjectName(objectName);
    connect(edit, &QLineEdit::textEdited, this, &Veltora::textChanged);
}

void Veltora::addAxleRow(Subclass &subclass, int row)
{
    auto *maxEdit = new QLineEdit(this);
    setupAxleEdit(maxEdit, true,
        tr("Accepts real values. Must be higher than corresponding min. axle distance and "
           "between min and max axle distances defined in the header."),
        QStringLiteral("MaxAxleDist%1").arg(row));
    ui->frameMaxAxleDists->layout()->addWidget(maxEdit);
    subclass.set_max_distance_at_index(QString(), subclass.get_max_distance_count());

    auto *minEdit = new QLineEdit(this);
    setupAxleEdit(minEdit, true,
        tr("Accepts real values. Must be lower than corresponding max. axle distance and "
           "between min and max axle distances defined in the header."),
        QStringLiteral("MinAxleDist%1").arg(row));
    ui->frameMinAxleDists->layout()->addWidget(minEdit);
    subclass.set_min_distance_at_index(QString(), subclass.get_min_distance_count());

    const int axle = row + 1;
    auto *weightEdit = new QLineEdit(this);
    setupAxleEdit(
        weightEdit, true, tipAcceptsReal, QStringLiteral("MaxAxleWeightEdit%1").arg(axle));
    ui->frameMaxAxleWeightsEdits->layout()->addWidget(weightEdit);
    subclass.set_max_axle_weight_at_index(QString(), subclass.get_max_axle_weight_count());

    auto *box = new QCheckBox(QStringLiteral("%1").arg(axle, -2), this);
    box->setStatusTip(tipAxleSelection);
    box->setObjectName(QStringLiteral("MaxAxleWeightBox%1").arg(axle));
    ui->frameMaxAxleWeightsBoxes->layout()->addWidget(box);

    auto *tyreEdit = new QLineEdit(this);
    setupAxleEdit(tyreEdit, false, tipTyreType, QStringLiteral("TyreType%1").arg(axle));
    ui->frameTyreTypes->layout()->addWidget(tyreEdit);
    subclass.set_tyre_type_at_index(QString(), subclass.get_tyre_type_count());

    validateAxleRow(subclass, row);
}

void Veltora::validateAxleRow(const Subclass &subclass, int row)
{
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();
    if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleDists, row)) {
        validateEdit(edit, subclass.is_max_distance_valid(row - 1, hdrMin, hdrMax), tipMaxDistance);
    }
    if (QLineEdit *edit = lineEditAt(ui->frameMinAxleDists, row)) {
        validateEdit(edit, subclass.is_min_distance_valid(row - 1, hdrMin, hdrMax), tipMinDistance);
    }
    if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleWeightsEdits, row + 1)) {
        validateEdit(edit, subclass.is_max_axle_weight_valid(row), QString());
    }
    if (QLineEdit *edit = lineEditAt(ui->frameTyreTypes, row + 1)) {
        validateEdit(edit, subclass.is_tyre_type_valid(row), tipTyreTypeRange);
    }
}

void Veltora::showAxleRow(Subclass &subclass, int row)
{
    QWidget *maxEdit = widgetAt(ui->frameMaxAxleDists, row);
    if (!maxEdit || !maxEdit->isHidden()) {
        return;
    }
    maxEdit->show();
    for (QWidget *widget :
        {widgetAt(ui->frameMinAxleDists, row), widgetAt(ui->frameMaxAxleWeightsEdits, row + 1),
            widgetAt(ui->frameMaxAxleWeightsBoxes, row + 1),
            widgetAt(ui->frameTyreTypes, row + 1)}) {
        if (widget) {
            widget->show();
        }
    }
    validateAxleRow(subclass, row);
}

void Veltora::removeAxleRow(Subclass &subclass, int row)
{
    const QList<QPair<QFrame *, int>> edits
        = {{ui->frameMaxAxleDists, row}, {ui->frameMinAxleDists, row},
            {ui->frameMaxAxleWeightsEdits, row + 1}, {ui->frameTyreTypes, row + 1}};
    for (const auto &at : edits) {
        if (QLineEdit *edit = lineEditAt(at.first, at.second)) {
            hideAndClear(edit);
        } else {
            qWarning() << "Cast failed when trying to hide a lineEdit for "
                       << at.first->objectName() << " at index " << at.second;
        }
    }
    if (auto *box = qobject_cast<QCheckBox *>(widgetAt(ui->frameMaxAxleWeightsBoxes, row + 1))) {
        hideAndClear(box);
    } else {
        qWarning() << "Cast failed when trying to hide a checkBox for "
                   << ui->frameMaxAxleWeightsBoxes->objectName() << " at index " << row + 1;
    }

    if (row > subclass.get_max_distance_count()) {
        qWarning() << "Trying to hide and clear lineEdit with index " << row
                   << " while there are only " << subclass.get_max_distance_count();
        return;
    }
    qDebug() << "Removing last element from arrays at index " << row;
    qDebug() << "min:" << subclass.get_min_distance_count()
             << "max:" << subclass.get_max_distance_count()
             << "weight:" << subclass.get_max_axle_weight_count()
             << "tyres:" << subclass.get_tyre_type_count();
    // The hidden row's own values go, so that showing the row again shows it empty, as the
    // model then holds it. Removing from the end drops a spare entry; it never shortens a list
    // below what the subclass's axles need, whatever lengths a file gave the lists.
    const int axles = subclass.get_number_of_axles().toInt();
    if (row - 1 < subclass.get_min_distance_count()) {
        subclass.set_min_distance_at_index(QString(), row - 1);
    }
    if (row - 1 < subclass.get_max_distance_count()) {
        subclass.set_max_distance_at_index(QString(), row - 1);
    }
    if (row < subclass.get_max_axle_weight_count()) {
        subclass.set_max_axle_weight_at_index(QString(), row);
    }
    if (row < subclass.get_tyre_type_count()) {
        subclass.set_tyre_type_at_index(QString(), row);
    }
    if (subclass.get_min_distance_count() > axles - 1) {
        subclass.remove_last_min_distance();
    }
    if (subclass.get_max_distance_count() > axles - 1) {
        subclass.remove_last_max_distance();
    }
    if (subclass.get_max_axle_weight_count() > axles) {
        subclass.remove_last_max_axle_weight();
    }
    if (subclass.get_tyre_type_count() > axles) {
        subclass.remove_last_tyre_type();
    }
}

void Veltora::clearAxleRows()
{
    if (QLineEdit *edit = lineEditAt(ui->frameTyreTypes, 1)) {
        edit->clear();
    }
    if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleWeightsEdits, 1)) {
        edit->clear();
    }
    if (auto *box = qobject_cast<QCheckBox *>(widgetAt(ui->frameMaxAxleWeightsBoxes, 1))) {
        box->setChecked(false);
    }
    for (int row = 1; row <= createdRows(); ++row) {
        hideAndClear(widgetAt(ui->frameMaxAxleDists, row));
        hideAndClear(widgetAt(ui->frameMinAxleDists, row));
        hideAndClear(widgetAt(ui->frameMaxAxleWeightsEdits, row + 1));
        hideAndClear(widgetAt(ui->frameMaxAxleWeightsBoxes, row + 1));
        hideAndClear(widgetAt(ui->frameTyreTypes, row + 1));
    }
    QLayout *constraints = ui->frameCombinedWeightConstraints->layout();
    for (int position = 1; position < constraints->count(); ++position) {
        hideAndClear(widgetAt(ui->frameCombinedWeightConstraints, position));
    }
}

void Veltora::showAxleOneWidgets()
{
    for (QFrame *frame :
        {ui->frameMaxAxleWeightsEdits, ui->frameMaxAxleWeightsBoxes, ui->frameTyreTypes}) {
        if (QWidget *widget = widgetAt(frame, 1)) {
            widget->show();
        }
    }
}

void Veltora::applyAxleConfiguration(Subclass &subclass)
{
    subclass.set_axle_configuration(ui->lineEditConfString->text());
    validateEdit(ui->lineEditConfString, subclass.is_axle_configuration_valid(), tipAxleConfFormat);
    drawVehicles(subclass);
}

void Veltora::on_lineEditNumOfAxles_textChanged(const QString &arg1)
{
    Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    subclass->set_number_of_axles(arg1);
    validateEdit(ui->lineEditNumOfAxles, subclass->is_number_of_axles_valid(), tipAxleCountRange);
    validateEdit(
        ui->lineEditConfString, subclass->is_axle_configuration_valid(), tipAxleConfFormat);
    // An invalid count ("1" on the way to "12", or 25 from a file) leaves the rows as they are;
    // the validator keeps a typed count within the rows the editor can build.
    if (!isMarkedInvalid(ui->lineEditNumOfAxles)) {
        const int axles = arg1.toInt();
        const int created = createdRows();
        for (int row = created; row >= axles; --row) {
            removeAxleRow(*subclass, row);
        }
        for (int row = 1; row < axles; ++row) {
            if (row <= created) {
                showAxleRow(*subclass, row);
                if (row > subclass->get_max_distance_count()) {
                    subclass->set_min_distance_at_index(QString(), row - 1);
                    subclass->set_max_distance_at_index(QString(), row - 1);
                    subclass->set_max_axle_weight_at_index(QString(), row);
                    subclass->set_tyre_type_at_index(QString(), row);
                }
            } else {
                addAxleRow(*subclass, row);
            }
        }
        fitWindowToContents();
        applyAxleConfiguration(*subclass);
        validateReclassifyTargets(*subclass);
    }
    // A new count can make the subclass valid or invalid; the list must say so at once.
    updateInvalidListEntry(*subclass);
}

void Veltora::loadAxleRows(const Subclass &subclass, int axles)
{
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();
    for (int i = 0; i < axles; ++i) {
        if (i < axles - 1) {
            if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleDists, i + 1)) {
                showConvertedValue(edit, subclass.get_max_distance_at_index(i), false,
                    subclass.is_max_distance_valid(i, hdrMin, hdrMax));
            }
            if (QLineEdit *edit = lineEditAt(ui->frameMinAxleDists, i + 1)) {
                showConvertedValue(edit, subclass.get_min_distance_at_index(i), false,
                    subclass.is_min_distance_valid(i, hdrMin, hdrMax));
            }
        }
        if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleWeightsEdits, i + 1)) {
            showConvertedValue(edit, subclass.get_max_axle_weight_at_index(i), true,
                subclass.is_max_axle_weight_valid(i));
        }
        if (auto *box = qobject_cast<QCheckBox *>(widgetAt(ui->frameMaxAxleWeightsBoxes, i + 1))) {
            box->setChecked(false);
        }
        if (QLineEdit *edit = lineEditAt(ui->frameTyreTypes, i + 1)) {
            edit->setText(subclass.get_tyre_type_at_index(i));
            validateEdit(edit, subclass.is_tyre_type_valid(i), tipTyreTypeRange);
        }
    }

    const int count = qMin(subclass.get_combined_constraint_count(), maxConstraintEdits);
    const int made = constraintEditCount;
    for (int position = made + 1; position <= count; ++position) {
        auto *edit = new QLineEdit(this);
        setupConstraintEdit(edit, QStringLiteral("Constraint%1").arg(position));
        ui->frameCombinedWeightConstraints->layout()->addWidget(edit);
    }
    for (int position = made; position > count; --position) {
        hideAndClear(widgetAt(ui->frameCombinedWeightConstraints, position));
    }
    for (int position = 1; position <= count; ++position) {
        if (QLineEdit *edit = lineEditAt(ui->frameCombinedWeightConstraints, position)) {
            showConvertedConstraint(edit, subclass.get_combined_constraint_at_index(position - 1),
                subclass.is_combined_constraint_valid(position - 1));
            edit->show();
        }
    }
    constraintEditCount = qMax(made, count);
}

void Veltora::editAxleValue(QLineEdit *edit, Subclass &subclass)
{
    QWidget *frame = edit->parentWidget();
    const int position = frame && frame->layout() ? frame->layout()->indexOf(edit) : -1;
    const int index = position - 1;
    if (index < 0) {
        qWarning() << "Index of dynamically set lineEdit can't be below 1!";
        return;
    }
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();
    const QString name = frame->objectName();
    if (name == QLatin1String("frameMaxAxleDists")) {
        subclass.set_max_distance_at_index(editToStoredText(edit, false), index);
        validateEdit(edit, subclass.is_max_distance_valid(index, hdrMin, hdrMax), tipMaxDistance);
        validateEdit(lineEditAt(ui->frameMinAxleDists, position),
            subclass.is_min_distance_valid(index, hdrMin, hdrMax), tipMinDistance);
    } else if (name == QLatin1String("frameMinAxleDists")) {
        subclass.set_min_distance_at_index(editToStoredText(edit, false), index);
        validateEdit(edit, subclass.is_min_distance_valid(index, hdrMin, hdrMax), tipMinDistance);
        validateEdit(lineEditAt(ui->frameMaxAxleDists, position),
            subclass.is_max_distance_valid(index, hdrMin, hdrMax), tipMaxDistance);
    } else if (name == QLatin1String("frameMaxAxleWeightsEdits")) {
        subclass.set_max_axle_weight_at_index(editToStoredText(edit, true), index);
        validateEdit(edit, subclass.is_max_axle_weight_valid(index), QString());
    } else if (name == QLatin1String("frameTyreTypes")) {
        subclass.set_tyre_type_at_index(edit->text(), index);
        validateEdit(edit, subclass.is_tyre_type_valid(index), tipTyreTypeRange);
    } else if (name == QLatin1String("frameCombinedWeightConstraints")) {
        editConstraint(edit, index, subclass);
    } else {
        qWarning() << "Layout not found!";
    }
    drawVehicles(subclass);
    updateInvalidListEntry(subclass);
}

void Veltora::editConstraint(QLineEdit *edit, int index, Subclass &subclass)
{
    const QString text = edit->text();
    if (!text.isEmpty()) {
        const QStringList parts = text.split(QLatin1Char(','));
        const QString weight = parts.size() == 2 ? toStoredText(parts.at(1), true) : QString();
        subclass.set_combined_constraint(
            weight.isEmpty() ? text : parts.at(0) + QLatin1Char(',') + weight, index);
        validateEdit(edit, subclass.is_combined_constraint_valid(index), tipConstraintFormat);
        return;
    }
    // An emptied constraint is removed: the texts below it move up one edit and the last shown
    // edit hides. Setting texts emits no textEdited, so nothing is stored twice.
    subclass.remove_combined_constraint(index);
    QList<QLineEdit *> edits;
    QLayout *layout = ui->frameCombinedWeightConstraints->layout();
    for (int position = 1; position < layout->count(); ++position) {
        if (QLineEdit *constraint = lineEditAt(ui->frameCombinedWeightConstraints, position)) {
            edits.append(constraint);
        }
    }
    int j = index;
    while (j < edits.size() - 1 && !edits.at(j + 1)->isHidden()) {
        edits.at(j)->setText(edits.at(j + 1)->text());
        validateEdit(edits.at(j), subclass.is_combined_constraint_valid(j), QString());
        ++j;
    }
    if (j < edits.size()) {
        edits.at(j)->hide();
    }
}

void Veltora::on_buttonAddConstraint_clicked()
{
    QStringList axles;
    QLayout *boxes = ui->frameMaxAxleWeightsBoxes->layout();
    for (int position = 1; position < boxes->count(); ++position) {
        auto *box = qobject_cast<QCheckBox *>(widgetAt(ui->frameMaxAxleWeightsBoxes, position));
        if (box && box->isChecked()) {
            axles.append(QString::number(position));
        }
    }
    int checked = 0;
    const QList<QCheckBox *> allBoxes = ui->frameMaxAxleWeightsBoxes->findChildren<QCheckBox *>();
    for (const QCheckBox *box : allBoxes) {
        checked += box->isChecked() ? 1 : 0;
    }
    if (axles.isEmpty() || checked < 2) {
        QMessageBox box(QMessageBox::Information, tr(RuleTexts::titleConstraintRefused),
            tr(RuleTexts::textConstraintRefused), QMessageBox::Ok);
        box.exec();
        return;
    }
    Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    const QString value = axles.join(QLatin1Char('+')) + QLatin1Char(',')
        + toStoredText(ui->lineEditAddConstraint->text(), true);
    subclass->set_combined_constraint(value, -1);
    const int count = subclass->get_combined_constraint_count();
    QLineEdit *edit = nullptr;
    if (count < ui->frameCombinedWeightConstraints->layout()->count()) {
        edit = lineEditAt(ui->frameCombinedWeightConstraints, count);
    } else {
        edit = new QLineEdit(this);
        setupConstraintEdit(edit, QStringLiteral("Constraint%1").arg(count));
        ui->frameCombinedWeightConstraints->layout()->addWidget(edit);
        ++constraintEditCount;
    }
    if (edit) {
        edit->show();
        showConvertedConstraint(edit, subclass->get_combined_constraint_at_index(count - 1),
            subclass->is_combined_constraint_valid(count - 1));
    }
    for (QCheckBox *box : allBoxes) {
        box->setChecked(false);
    }
    // A constraint can make the subclass invalid (an empty value, say): the list must say so.
    updateInvalidListEntry(*subclass);
}
