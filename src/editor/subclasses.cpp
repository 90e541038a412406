// Subclass selection and management: selecting a subclass by number, selector, invalid list or
// shortcut, loading it into the panel, creating, copying and deleting subclasses, handing the
// edits of its scalar fields to the editing object, and showing what the configuration now holds.
#include "analysispanel.h"
#include "document.h"
#include "fieldstyle.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QtDebug>

namespace {

// The first run of digits in a selector entry ("subclass_12" gives "12").
QString entryNumber(const QString &entry)
{
    int start = 0;
    while (start < entry.size() && !entry.at(start).isDigit()) {
        ++start;
    }
    int end = start;
    while (end < entry.size() && entry.at(end).isDigit()) {
        ++end;
    }
    return entry.mid(start, end - start);
}

} // namespace

void Veltora::emptySubclassFields()
{
    // The number first: emptying it turns it red and makes every later edit go nowhere.
    filling = true;
    ui->lineEditSubclass->clear();
    ui->lineEditCopy->clear();
    ui->lineEditNumOfAxles->clear();
    for (const SubclassField &field : subclassFields()) {
        (ui->*field.edit)->clear();
    }
    filling = false;
}

void Veltora::resetSubclassPanel()
{
    emptySubclassFields();
    showSelectedNumber(QString());
    ui->groupBoxSubclass->hide();
    ui->groupBoxReclassify->hide();
    ui->frameMiddle->hide();
}

void Veltora::clearSubclassPanel()
{
    emptySubclassFields();
    ui->comboBoxSubclasses->clear();
    ui->comboBoxInvalid->clear();
}

void Veltora::showSubclassPanel()
{
    ui->groupBoxSubclass->show();
    ui->frameSubclassBottom->show();
    ui->groupBoxReclassify->show();
    ui->frameMiddle->show();
    showAxleOneWidgets();
    fitWindowToContents();
}

// The panel as it stands after File -> New: the number field, the New button, the copy
// controls and the empty selector, nothing of any subclass left on screen.
void Veltora::showEmptySubclassPanel()
{
    resetSubclassPanel();
    ui->groupBoxSubclass->show();
    ui->frameSubclassBottom->hide();
    ui->comboBoxSubclasses->clear();
    clearInvalidList();
    clearAxleRows();
    clearImage();
}

void Veltora::showSelectedNumber(const QString &number)
{
    // The caption goes with the number: with nothing selected there is nothing to name.
    ui->labelSubclassLarge->setText(number);
    ui->labelSelected->setVisible(!number.isEmpty());
}

const Subclass *Veltora::selectedSubclass() const
{
    bool ok = false;
    const quint16 number = ui->lineEditSubclass->text().toUShort(&ok);
    if (!ok || !conf.contains_subclass(number)) {
        return nullptr;
    }
    return &conf.get_subclass(number);
}

QString Veltora::entryText(quint16 number)
{
    return QStringLiteral("subclass_") + QString::number(number);
}

QStringList Veltora::entryTexts(const QVector<quint16> &numbers)
{
    QStringList entries;
    entries.reserve(numbers.size());
    for (const quint16 number : numbers) {
        entries.append(entryText(number));
    }
    return entries;
}

int Veltora::entryPlace(const QComboBox *list, quint16 number, bool *found)
{
    // Both lists are kept in ascending number, so an entry's place is found by halving, which
    // stays quick with tens of thousands of entries.
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (entryNumber(list->itemText(middle)).toUInt() < number) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    *found = low < list->count() && list->itemText(low) == entryText(number);
    return low;
}

void Veltora::insertEntry(QComboBox *list, quint16 number)
{
    bool found = false;
    const int place = entryPlace(list, number, &found);
    if (!found) {
        list->insertItem(place, entryText(number));
    }
}

int Veltora::subclassEntry(quint16 number) const
{
    bool found = false;
    const int place = entryPlace(ui->comboBoxSubclasses, number, &found);
    return found ? place : -1;
}

int Veltora::invalidEntry(quint16 number) const
{
    bool found = false;
    const int place = entryPlace(ui->comboBoxInvalid, number, &found);
    return found ? place : -1;
}

QString Veltora::targetAxles(const QString &target, bool editing)
{
    // A stored 0 (or nothing) means no target; a typed 0 names subclass 0, which must exist.
    bool ok = false;
    const quint16 number = target.toUShort(&ok);
    if (editing) {
        if (ok && conf.contains_subclass(number)) {
            return conf.get_subclass(number).get_number_of_axles();
        }
        return target.isEmpty() ? QString() : QStringLiteral("0");
    }
    if (number == 0) {
        return QString();
    }
    if (conf.contains_subclass(number)) {
        return conf.get_subclass(number).get_number_of_axles();
    }
    return QStringLiteral("0");
}

void Veltora::on_lineEditSubclass_textChanged(const QString &arg1)
{
    bool ok = false;
    const quint16 number = arg1.toUShort(&ok);
    const int index = ok && conf.contains_subclass(number) ? subclassEntry(number) : -1;
    if (index < 0) {
        validateEdit(ui->lineEditSubclass, false, tipSubclassMissing);
        ui->buttonSubclass->setText(tr("New"));
        return;
    }
    if (index != ui->comboBoxSubclasses->currentIndex()) {
        ui->comboBoxSubclasses->setCurrentIndex(index);
    } else if (!filling) {
        // The user named the subclass on screen again, perhaps after edits that went nowhere
        // while the number named none: show what the model holds.
        loadSubclass(ui->comboBoxSubclasses->itemText(index));
    }
    validateEdit(ui->lineEditSubclass, true, QString());
    ui->buttonSubclass->setText(tr("Delete"));
}

void Veltora::on_comboBoxInvalid_activated(const QString &arg1)
{
    const int index
        = ui->comboBoxSubclasses->findText(arg1, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        ui->comboBoxSubclasses->setCurrentIndex(index);
    }
}

void Veltora::on_comboBoxSubclasses_currentIndexChanged(const QString &arg1)
{
    if (ui->comboBoxSubclasses->count() == 0) {
        return;
    }
    loadSubclass(arg1);
}

void Veltora::selectSubclass(quint16 number)
{
    const int index = subclassEntry(number);
    if (index < 0) {
        return;
    }
    if (index == ui->comboBoxSubclasses->currentIndex()) {
        loadSubclass(ui->comboBoxSubclasses->itemText(index));
    } else {
        ui->comboBoxSubclasses->setCurrentIndex(index);
    }
}

bool Veltora::subclassFieldValid(const SubclassField &field, const Subclass &subclass)
{
    if (field.check) {
        return (subclass.*field.check)();
    }
    if (field.targetCheck) {
        // A target the user is typing is checked as typed: a typed 0 names subclass 0, while
        // a stored 0 is no target.
        const QString target = (subclass.*field.stored)();
        return (subclass.*field.targetCheck)(targetAxles(target, ui->*field.edit == typedField));
    }
    return true;
}

void Veltora::colourSubclassField(const SubclassField &field, const Subclass &subclass)
{
    // A field without a check is shown valid when loaded and never coloured when edited.
    if (field.check || field.targetCheck) {
        validateEdit(ui->*field.edit, subclassFieldValid(field, subclass),
            field.tip ? this->*field.tip : QString());
    }
}

void Veltora::showSubclassField(const SubclassField &field, const Subclass &subclass)
{
    QLineEdit *edit = ui->*field.edit;
    const QString value = (subclass.*field.stored)();
    const bool valid = subclassFieldValid(field, subclass);
    if (field.unit != Unit::None) {
        showConvertedValue(edit, value, isWeight(field.unit), valid);
    } else {
        edit->setText(value);
        validateEdit(edit, valid, field.tip ? this->*field.tip : QString());
    }
}

void Veltora::loadSubclass(const QString &itemText)
{
    const QString number = entryNumber(itemText);
    filling = true;
    ui->lineEditSubclass->setText(number);
    showSelectedNumber(number);
    const Subclass *subclass = selectedSubclass();
    if (!subclass) {
        filling = false;
        return;
    }
    // The number may have been typed already (New), so its own handler need not have run.
    validateEdit(ui->lineEditSubclass, true, QString());
    ui->buttonSubclass->setText(tr("Delete"));
    // Another subclass on screen: what is typed next is a step of its own.
    document->endMerging();
    analysisPanel()->setSelectedSubclass(subclass->get_subclass_number());

    for (const SubclassField &field : subclassFields()) {
        if (!field.reclassify) {
            showSubclassField(field, *subclass);
        }
    }
    ui->lineEditNumOfAxles->setText(subclass->get_number_of_axles());
    validateEdit(ui->lineEditNumOfAxles, subclass->is_number_of_axles_valid(), tipAxleCountRange);

    // Rows exist only for a valid count: with fewer than 2 or more than 20 axles there are
    // none to fill, and nothing of the subclass shown before may stay on screen.
    const int axles
        = subclass->is_number_of_axles_valid() ? subclass->get_number_of_axles().toInt() : 0;
    shapeAxleRows(axles);
    if (axles > 0) {
        loadAxleRows(*subclass, axles);
    } else {
        loadAxleOne(*subclass);
    }
    loadConstraints(*subclass);
    for (const SubclassField &field : subclassFields()) {
        if (field.reclassify) {
            showSubclassField(field, *subclass);
        }
    }
    drawVehicles(*subclass);
    filling = false;
}

void Veltora::refreshSelectedSubclass(const Subclass &subclass)
{
    const int axles
        = subclass.is_number_of_axles_valid() ? subclass.get_number_of_axles().toInt() : 0;
    // An invalid count ("1" on the way to "12") leaves the rows as they are.
    if (axles > 0 && axles != shownAxles) {
        filling = true;
        shapeAxleRows(axles);
        loadAxleRows(subclass, axles);
        filling = false;
        fitWindowToContents();
    } else {
        colourAxleRows(subclass, shownAxles);
    }
    if (subclass.get_combined_constraint_count() != shownConstraints) {
        loadConstraints(subclass);
    }
    for (const SubclassField &field : subclassFields()) {
        colourSubclassField(field, subclass);
    }
    validateEdit(ui->lineEditNumOfAxles, subclass.is_number_of_axles_valid(), tipAxleCountRange);
    drawVehicles(subclass);
}

void Veltora::validateReclassifyTargets(const Subclass &subclass)
{
    validateEdit(ui->lineEditReclassUpTo,
        subclass.is_reclassify_up_valid(targetAxles(ui->lineEditReclassUpTo->text(), false)),
        tipReclassifyTarget);
    validateEdit(ui->lineEditReclassDownTo,
        subclass.is_reclassify_down_valid(targetAxles(ui->lineEditReclassDownTo->text(), false)),
        tipReclassifyTarget);
}

void Veltora::textChanged(const QString &text)
{
    QObject *from = sender();
    // Edits made while the number names no subclass are not stored anywhere.
    if (isMarkedInvalid(ui->lineEditSubclass)) {
        return;
    }
    const Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    const quint16 number = subclass->get_subclass_number();
    for (const SubclassField &field : subclassFields()) {
        QLineEdit *edit = ui->*field.edit;
        if (edit != from) {
            continue;
        }
        QString name = stepName((ui->*field.label)->text());
        if (field.reclassify) {
            const QLabel *heading
                = edit == ui->lineEditReclassUpTo || edit == ui->lineEditReclassUpGvw
                ? ui->labelReclassUp
                : ui->labelReclassDown;
            name = heading->text() + QStringLiteral(", ") + name.left(1).toLower() + name.mid(1);
        }
        typedField = edit;
        document->setSubclassValue(number, field.key,
            field.unit == Unit::None ? text : toStoredText(text, isWeight(field.unit)), name);
        // Typing what is stored already changes nothing, but the field is checked as typed.
        colourSubclassField(field, conf.get_subclass(number));
        typedField = nullptr;
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(from);
    if (!edit) {
        qWarning() << "Sender is not a lineEdit"
                   << (from && from->parent() ? from->parent()->objectName() : QString());
        return;
    }
    editAxleValue(edit, number);
}

void Veltora::subclassChanged(quint16 number)
{
    updateInvalidListEntry(conf.get_subclass(number));
    subclassMayChangeMaxAxleDistance(number);
    colourHeader();
    const Subclass *selected = selectedSubclass();
    if (selected && selected->get_subclass_number() == number) {
        refreshSelectedSubclass(*selected);
    }
}

void Veltora::subclassAdded(quint16 number)
{
    const bool first = ui->comboBoxSubclasses->count() == 0;
    updateInvalidListEntry(conf.get_subclass(number));
    insertEntry(ui->comboBoxSubclasses, number);
    if (first) {
        showSubclassPanel();
    }
    subclassMayChangeMaxAxleDistance(number);
    colourHeader();
}

void Veltora::subclassRemoved(quint16 number)
{
    showInvalidEntry(number, false);
    // The selector makes the neighbour current, which loads it.
    const int index = subclassEntry(number);
    if (index >= 0) {
        ui->comboBoxSubclasses->removeItem(index);
    }
    if (ui->comboBoxSubclasses->count() == 0) {
        showEmptySubclassPanel();
    }
    subclassMayChangeMaxAxleDistance(number);
    colourHeader();
}

void Veltora::showSubclassIfAny(int number)
{
    if (number >= 0 && conf.contains_subclass(quint16(number))) {
        selectSubclass(quint16(number));
    }
}

void Veltora::on_buttonSubclass_clicked()
{
    if (ui->buttonSubclass->text() == tr("Delete")) {
        deleteSubclass();
    } else {
        createSubclass();
    }
}

void Veltora::createSubclass()
{
    bool ok = false;
    const quint16 number = ui->lineEditSubclass->text().toUShort(&ok);
    // Only a number that names no subclass yet: an existing one is never replaced by an empty
    // one, whatever the button said.
    if (!ok || conf.contains_subclass(number)) {
        return;
    }
    const int shown = ui->comboBoxSubclasses->count() > 0
        ? entryNumber(ui->comboBoxSubclasses->currentText()).toInt()
        : -1;
    // A subclass nobody has given a category yet belongs in the uncategorised category.
    document->createSubclass(number, ui->lineEditUncategorised->text(), shown);
    selectSubclass(number);
}

void Veltora::deleteSubclass()
{
    if (const Subclass *subclass = selectedSubclass()) {
        document->removeSubclass(subclass->get_subclass_number());
    }
}

void Veltora::on_lineEditCopy_textEdited(const QString &arg1)
{
    if (arg1.isEmpty()) {
        FieldStyle::colourNeutral(ui->lineEditCopy);
        ui->buttonCopy->setEnabled(false);
        return;
    }
    bool ok = false;
    const quint16 target = arg1.toUShort(&ok);
    // A text that is no subclass number (above 65535, negative) is no target either.
    validateEdit(ui->lineEditCopy, ok && !conf.contains_subclass(target),
        ok ? tipCopyTargetExists : QString());
    ui->buttonCopy->setEnabled(!isMarkedInvalid(ui->lineEditCopy));
}

void Veltora::on_buttonCopy_clicked()
{
    const Subclass *source = selectedSubclass();
    bool ok = false;
    const quint16 target = ui->lineEditCopy->text().toUShort(&ok);
    if (!source || !ok) {
        return;
    }
    // The button can be stale (the target created since): a copy never replaces a subclass.
    if (conf.contains_subclass(target)) {
        validateEdit(ui->lineEditCopy, false, tipCopyTargetExists);
        ui->buttonCopy->setEnabled(false);
        return;
    }
    document->copySubclass(source->get_subclass_number(), target);
    ui->buttonCopy->setEnabled(false);
    validateEdit(ui->lineEditCopy, false, QString());
    selectSubclass(target);
}
