// Per-axle rows and combined constraints of the selected subclass: rows made on demand and never
// deleted, shaped by the number of axles, filled from the subclass, and their edits handed to
// the editing object.
#include "document.h"
#include "numbervalidators.h"
#include "ruletexts.h"
#include "textfit.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QtDebug>

namespace {

// More constraint edits than this are not made for one subclass: a file can hold any number
// of constraints, and a widget per constraint would take the editor down long before that.
constexpr int maxConstraintEdits = 1000;

// The narrowest per-axle and constraint edits; both grow to what their texts need.
constexpr int axleEditWidth = 45;
constexpr int constraintEditWidth = 90;

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
    edit->setMinimumWidth(axleEditWidth);
    edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (realValues) {
        edit->setValidator(inModelLocale(new QDoubleValidator(edit)));
    } else {
        edit->setValidator(inModelLocale(new QIntValidator(edit)));
    }
    edit->setStatusTip(statusTip);
    edit->setObjectName(objectName);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, &Veltora::textChanged);
    TextFit::follow(edit);
}

void Veltora::setupConstraintEdit(QLineEdit *edit, const QString &objectName)
{
    edit->setMinimumWidth(constraintEditWidth);
    edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    edit->setStatusTip(tipRemoveConstraint);
    edit->setObjectName(objectName);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, &Veltora::textChanged);
    TextFit::follow(edit);
}

void Veltora::alignAxleRows()
{
    QLineEdit *firstWeight = lineEditAt(ui->frameMaxAxleWeightsEdits, 1);
    if (!firstWeight) {
        return;
    }
    // Every per-axle edit is as wide as the first weight; the gap rows begin half an axle
    // further right than the axle rows, each caption wide enough for its text.
    const int column = firstWeight->minimumWidth();
    const int spacing = ui->frameMaxAxleWeightsEdits->layout()->spacing();
    const int halfAxle = (column + spacing) / 2;
    const auto needed = [](QLabel *label) {
        return qMax(TextFit::designWidth(label), label->sizeHint().width());
    };
    const int axleCaption = qMax(needed(ui->labelTyreTypes), needed(ui->labelMaxAxleWeightsEdits));
    const int gapCaption = qMax(
        qMax(needed(ui->labelMaxAxleDists), needed(ui->labelMinAxleDists)), axleCaption + halfAxle);
    for (QLabel *label : {ui->labelMaxAxleDists, ui->labelMinAxleDists}) {
        label->setMinimumWidth(gapCaption);
    }
    for (QLabel *label : {ui->labelTyreTypes, ui->labelMaxAxleWeightsEdits}) {
        label->setMinimumWidth(gapCaption - halfAxle);
    }
    for (QFrame *frame : {ui->frameMaxAxleDists, ui->frameMinAxleDists, ui->frameTyreTypes,
             ui->frameMaxAxleWeightsBoxes}) {
        frame->layout()->setSpacing(spacing);
    }

    // The check boxes' row: a space as wide as a caption and the spacing after it (a layout
    // puts no spacing next to a space), then one box per axle column.
    QLayout *boxes = ui->frameMaxAxleWeightsBoxes->layout();
    if (QSpacerItem *space = boxes->itemAt(0) ? boxes->itemAt(0)->spacerItem() : nullptr) {
        space->changeSize(gapCaption - halfAxle + spacing, space->sizeHint().height(),
            QSizePolicy::Fixed, QSizePolicy::Minimum);
    }
    for (int position = 1; position < boxes->count(); ++position) {
        if (QWidget *box = widgetAt(ui->frameMaxAxleWeightsBoxes, position)) {
            box->setFixedWidth(column);
        }
    }
    boxes->invalidate();
}

void Veltora::addAxleRow(int row)
{
    auto *maxEdit = new QLineEdit(this);
    setupAxleEdit(maxEdit, true,
        tr("Accepts real values. Must be higher than corresponding min. axle distance and "
           "between min and max axle distances defined in the header."),
        QStringLiteral("MaxAxleDist%1").arg(row));
    ui->frameMaxAxleDists->layout()->addWidget(maxEdit);

    auto *minEdit = new QLineEdit(this);
    setupAxleEdit(minEdit, true,
        tr("Accepts real values. Must be lower than corresponding max. axle distance and "
           "between min and max axle distances defined in the header."),
        QStringLiteral("MinAxleDist%1").arg(row));
    ui->frameMinAxleDists->layout()->addWidget(minEdit);

    const int axle = row + 1;
    auto *weightEdit = new QLineEdit(this);
    setupAxleEdit(
        weightEdit, true, tipAcceptsReal, QStringLiteral("MaxAxleWeightEdit%1").arg(axle));
    ui->frameMaxAxleWeightsEdits->layout()->addWidget(weightEdit);

    auto *box = new QCheckBox(QStringLiteral("%1").arg(axle, -2), this);
    box->setStatusTip(tipAxleSelection);
    box->setObjectName(QStringLiteral("MaxAxleWeightBox%1").arg(axle));
    ui->frameMaxAxleWeightsBoxes->layout()->addWidget(box);

    auto *tyreEdit = new QLineEdit(this);
    setupAxleEdit(tyreEdit, false, tipTyreType, QStringLiteral("TyreType%1").arg(axle));
    ui->frameTyreTypes->layout()->addWidget(tyreEdit);
    alignAxleRows();
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

void Veltora::colourAxleRows(const Subclass &subclass, int axles)
{
    // Axle 1 has no row of its own; its widgets show whatever the count.
    if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleWeightsEdits, 1)) {
        validateEdit(edit, subclass.is_max_axle_weight_valid(0), QString());
    }
    if (QLineEdit *edit = lineEditAt(ui->frameTyreTypes, 1)) {
        validateEdit(edit, subclass.is_tyre_type_valid(0), tipTyreTypeRange);
    }
    for (int row = 1; row < axles; ++row) {
        validateAxleRow(subclass, row);
    }
    for (int position = 1; position <= shownConstraints; ++position) {
        if (QLineEdit *edit = lineEditAt(ui->frameCombinedWeightConstraints, position)) {
            validateEdit(edit, subclass.is_combined_constraint_valid(position - 1), QString());
        }
    }
}

void Veltora::showAxleRow(int row)
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
}

void Veltora::removeAxleRow(int row)
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
}

void Veltora::shapeAxleRows(int axles)
{
    // Rows are made once and never deleted: fewer axles hide rows, more show hidden ones
    // again before making new ones. No axles (an invalid count) hides them all.
    const int created = createdRows();
    for (int row = created; row >= qMax(axles, 1); --row) {
        removeAxleRow(row);
    }
    for (int row = 1; row < axles; ++row) {
        if (row <= created) {
            showAxleRow(row);
        } else {
            addAxleRow(row);
        }
    }
    shownAxles = axles;
    showAxleOneWidgets();
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
    shownAxles = 0;
    shownConstraints = 0;
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

void Veltora::on_lineEditNumOfAxles_textChanged(const QString &arg1)
{
    // The loader shapes the rows itself; only the user's count is an edit.
    if (filling) {
        return;
    }
    const Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    typedField = ui->lineEditNumOfAxles;
    document->setAxleCount(subclass->get_subclass_number(), arg1);
    typedField = nullptr;
}

void Veltora::loadAxleOne(const Subclass &subclass)
{
    if (QLineEdit *edit = lineEditAt(ui->frameMaxAxleWeightsEdits, 1)) {
        showConvertedValue(edit, subclass.get_max_axle_weight_at_index(0), true,
            subclass.is_max_axle_weight_valid(0));
    }
    if (auto *box = qobject_cast<QCheckBox *>(widgetAt(ui->frameMaxAxleWeightsBoxes, 1))) {
        box->setChecked(false);
    }
    if (QLineEdit *edit = lineEditAt(ui->frameTyreTypes, 1)) {
        edit->setText(
            subclass.get_tyre_type_count() > 0 ? subclass.get_tyre_type_at_index(0) : QString());
        validateEdit(edit, subclass.is_tyre_type_valid(0), tipTyreTypeRange);
    }
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
            edit->setText(i < subclass.get_tyre_type_count() ? subclass.get_tyre_type_at_index(i)
                                                             : QString());
            validateEdit(edit, subclass.is_tyre_type_valid(i), tipTyreTypeRange);
        }
    }
}

void Veltora::loadConstraints(const Subclass &subclass)
{
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
    const bool wasFilling = filling;
    filling = true;
    for (int position = 1; position <= count; ++position) {
        if (QLineEdit *edit = lineEditAt(ui->frameCombinedWeightConstraints, position)) {
            showConvertedConstraint(edit, subclass.get_combined_constraint_at_index(position - 1),
                subclass.is_combined_constraint_valid(position - 1));
            edit->show();
        }
    }
    filling = wasFilling;
    constraintEditCount = qMax(made, count);
    shownConstraints = subclass.get_combined_constraint_count();
}

void Veltora::editAxleValue(QLineEdit *edit, quint16 number)
{
    QWidget *frame = edit->parentWidget();
    const int position = frame && frame->layout() ? frame->layout()->indexOf(edit) : -1;
    const int index = position - 1;
    if (index < 0) {
        qWarning() << "Index of dynamically set lineEdit can't be below 1!";
        return;
    }
    using List = Document::AxleList;
    const QString name = frame->objectName();
    const QString gap = QString::number(position);
    typedField = edit;
    if (name == QLatin1String("frameMaxAxleDists")) {
        document->setListEntry(number, List::MaxDistance, index, editToStoredText(edit, false),
            tr("Max. axle distance, gap %1").arg(gap));
    } else if (name == QLatin1String("frameMinAxleDists")) {
        document->setListEntry(number, List::MinDistance, index, editToStoredText(edit, false),
            tr("Min. axle distance, gap %1").arg(gap));
    } else if (name == QLatin1String("frameMaxAxleWeightsEdits")) {
        document->setListEntry(number, List::MaxWeight, index, editToStoredText(edit, true),
            tr("Max. axle weight, axle %1").arg(position));
    } else if (name == QLatin1String("frameTyreTypes")) {
        document->setListEntry(
            number, List::TyreType, index, edit->text(), tr("Tyre type, axle %1").arg(position));
    } else if (name == QLatin1String("frameCombinedWeightConstraints")) {
        editConstraint(edit, index, number);
    } else {
        qWarning() << "Layout not found!";
    }
    typedField = nullptr;
}

void Veltora::editConstraint(QLineEdit *edit, int index, quint16 number)
{
    const QString text = edit->text();
    if (text.isEmpty()) {
        // An emptied constraint is removed; the ones below it move up one edit.
        document->removeConstraint(number, index);
        return;
    }
    const QStringList parts = text.split(QLatin1Char(','));
    const QString weight = parts.size() == 2 ? toStoredText(parts.at(1), true) : QString();
    document->setListEntry(number, Document::AxleList::Constraint, index,
        weight.isEmpty() ? text : parts.at(0) + QLatin1Char(',') + weight,
        tr("Constraint %1").arg(index + 1));
    validateEdit(
        edit, conf.get_subclass(number).is_combined_constraint_valid(index), tipConstraintFormat);
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
    const Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    document->addConstraint(subclass->get_subclass_number(),
        axles.join(QLatin1Char('+')) + QLatin1Char(',')
            + toStoredText(ui->lineEditAddConstraint->text(), true));
    for (QCheckBox *box : allBoxes) {
        box->setChecked(false);
    }
}
