// Subclass selection and management: selecting a subclass by number, selector, invalid list or
// shortcut, loading it into the panel, creating, copying and deleting subclasses, and storing
// the edits of its scalar fields.
#include "fieldstyle.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
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
    // The number first: emptying it turns it red and makes every later edit go nowhere, so the
    // number-of-axles handler cannot store into the subclass shown before.
    ui->lineEditSubclass->clear();
    ui->lineEditCopy->clear();
    ui->lineEditNumOfAxles->clear();
    for (const SubclassField &field : subclassFields()) {
        (ui->*field.edit)->clear();
    }
}

void Veltora::resetSubclassPanel()
{
    emptySubclassFields();
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
    ui->labelSubclassLarge->clear();
    clearImage();
}

Subclass *Veltora::selectedSubclass()
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

int Veltora::subclassEntry(quint16 number) const
{
    return ui->comboBoxSubclasses->findText(
        entryText(number), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

int Veltora::invalidEntry(quint16 number) const
{
    return ui->comboBoxInvalid->findText(
        entryText(number), Qt::MatchExactly | Qt::MatchCaseSensitive);
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
    } else if (!loadingSubclass) {
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

void Veltora::showSubclassField(const SubclassField &field, const Subclass &subclass)
{
    QLineEdit *edit = ui->*field.edit;
    const QString value = (subclass.*field.stored)();
    bool valid = true;
    if (field.check) {
        valid = (subclass.*field.check)();
    } else if (field.targetCheck) {
        valid = (subclass.*field.targetCheck)(targetAxles(value, false));
    }
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
    loadingSubclass = true;
    ui->lineEditSubclass->setText(number);
    loadingSubclass = false;
    ui->labelSubclassLarge->setText(number);
    Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }

    // The axle configuration is shown before the number of axles: a changed count runs its
    // handler at once, which stores the shown configuration back into the subclass.
    for (const SubclassField &field : subclassFields()) {
        if (!field.reclassify) {
            showSubclassField(field, *subclass);
        }
    }
    ui->lineEditNumOfAxles->setText(subclass->get_number_of_axles());
    validateEdit(ui->lineEditNumOfAxles, subclass->is_number_of_axles_valid(), tipAxleCountRange);

    // Rows exist only for a valid count: with fewer than 2 or more than 20 axles there are
    // none to fill, and nothing of the subclass shown before may stay on screen.
    const bool rows = subclass->is_number_of_axles_valid();
    if (rows) {
        loadAxleRows(*subclass, ui->lineEditNumOfAxles->text().toInt());
    } else {
        clearAxleRows();
    }
    for (const SubclassField &field : subclassFields()) {
        if (field.reclassify) {
            showSubclassField(field, *subclass);
        }
    }
    if (rows) {
        drawVehicles(*subclass);
    } else {
        clearImage();
    }
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
    Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    for (const SubclassField &field : subclassFields()) {
        QLineEdit *edit = ui->*field.edit;
        if (edit != from) {
            continue;
        }
        (subclass->*field.store)(
            field.unit == Unit::None ? text : toStoredText(text, isWeight(field.unit)));
        const QString tip = field.tip ? this->*field.tip : QString();
        if (field.check) {
            validateEdit(edit, (subclass->*field.check)(), tip);
        } else if (field.targetCheck) {
            validateEdit(edit, (subclass->*field.targetCheck)(targetAxles(text, true)), tip);
        }
        if (edit == ui->lineEditConfString) {
            drawVehicles(*subclass);
        }
        updateInvalidListEntry(*subclass);
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(from);
    if (!edit) {
        qWarning() << "Sender is not a lineEdit"
                   << (from && from->parent() ? from->parent()->objectName() : QString());
        return;
    }
    editAxleValue(edit, *subclass);
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
    Subclass subclass(
        QMap<QString, QString> {{QStringLiteral("subclass"), QString::number(number)}});
    subclass.set_category(ui->lineEditUnclassified->text());
    conf.set_subclass(number, subclass);
    validateEdit(ui->lineEditSubclass, conf.contains_subclass(number), QString());

    // A new subclass is incomplete, so it is listed as invalid at once, caption included.
    ui->comboBoxInvalid->addItem(entryText(number));
    ui->labelInvalid->setText(textInvalidSubclasses);
    ui->comboBoxInvalid->show();
    ui->comboBoxSubclasses->addItem(entryText(number));
    ui->comboBoxSubclasses->setCurrentIndex(ui->comboBoxSubclasses->count() - 1);
    showSubclassPanel();

    for (QFrame *frame : {ui->frameTyreTypes, ui->frameMaxAxleWeightsEdits}) {
        if (QLineEdit *edit = lineEditAt(frame, 1)) {
            validateEdit(edit, false, QString());
        } else {
            qWarning() << "Failed to convert to lineEdit for frame" << frame->objectName()
                       << "at index" << 1;
        }
    }
    ui->buttonSubclass->setText(tr("Delete"));
    clearImage();
    recolourUnclassified();
}

void Veltora::deleteSubclass()
{
    const Subclass *subclass = selectedSubclass();
    if (!subclass) {
        return;
    }
    const quint16 number = subclass->get_subclass_number();
    conf.remove_subclass(number);
    const int invalid = ui->comboBoxInvalid->findText(
        entryText(number), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (invalid >= 0) {
        ui->comboBoxInvalid->removeItem(invalid);
        if (ui->comboBoxInvalid->count() == 0) {
            clearInvalidList();
        }
    }
    // The selector makes the neighbour current, which loads it.
    ui->comboBoxSubclasses->removeItem(subclassEntry(number));
    if (ui->comboBoxSubclasses->count() == 0) {
        showEmptySubclassPanel();
    }
    recolourUnclassified();
}

void Veltora::on_lineEditCopy_textEdited(const QString &arg1)
{
    if (arg1.isEmpty()) {
        ui->lineEditCopy->setStyleSheet(FieldStyle::neutralStyle);
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
    const bool sourceListed = invalidEntry(source->get_subclass_number()) >= 0;
    Subclass copy = *source;
    copy.set_subclass_number(target);
    conf.set_subclass(target, copy);
    ui->comboBoxSubclasses->addItem(entryText(target));
    if (sourceListed) {
        ui->comboBoxInvalid->addItem(entryText(target));
    }
    ui->buttonCopy->setEnabled(false);
    validateEdit(ui->lineEditCopy, false, QString());
    ui->comboBoxSubclasses->setCurrentIndex(ui->comboBoxSubclasses->count() - 1);
    recolourUnclassified();
}

// Whether the unclassified subclass names an existing subclass changes with every creation,
// copy and deletion; its field must not keep a colour that no longer holds.
void Veltora::recolourUnclassified()
{
    validateEdit(
        ui->lineEditUnclassified, conf.is_unclassified_vehicles_subclass_valid(), QString());
}
