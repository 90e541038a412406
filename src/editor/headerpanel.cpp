// Header panel editing: hands each header field to the editing object as it is typed, colours
// the header by its checks whenever the configuration changes, and keeps the list of invalid
// subclasses current.
#include "document.h"
#include "veltora.h"

#include "ui_veltora.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void Veltora::connectHeaderFields()
{
    // textEdited only: filling the fields from the model must never write back into it.
    for (const HeaderField &field : headerFields()) {
        connect(ui->*field.edit, &QLineEdit::textEdited, this,
            [this, field] { storeHeaderField(field); });
    }
}

QString Veltora::stepName(const QString &label)
{
    QString name = label.section(QLatin1Char('('), 0, 0).trimmed();
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    return name;
}

void Veltora::storeHeaderField(const HeaderField &field)
{
    QLineEdit *edit = ui->*field.edit;
    const QString value
        = field.unit == Unit::None ? edit->text() : editToStoredText(edit, isWeight(field.unit));
    document->setHeaderValue(field.key, value, stepName((ui->*field.label)->text()));
}

void Veltora::colourHeaderField(const HeaderField &field)
{
    QLineEdit *edit = ui->*field.edit;
    if (field.threeWayCheck) {
        validateEditThreeWay(edit, maxAxleState);
    } else if (field.check) {
        validateEdit(edit, (conf.*field.check)(), field.tip ? this->*field.tip : QString());
    }
}

// Each check reads the header and, for the maximum axle distance and the unclassified
// subclass, the subclasses too; colouring them all after every change keeps no colour that no
// longer holds. Fields without a check keep the colour they were shown with.
void Veltora::colourHeader()
{
    for (const HeaderField &field : headerFields()) {
        colourHeaderField(field);
    }
}

// The maximum axle distance is checked against every subclass's distances. After an edit of one
// subclass only that subclass can have changed the outcome, so the check is made again in full
// only when the subclass that kept the maximum too low no longer does.
void Veltora::recheckMaxAxleDistance()
{
    maxAxleState = conf.check_max_axle_distance();
    aboveMaxWitness = -1;
    if (maxAxleState == 1) {
        for (const quint16 number : conf.get_subclass_numbers()) {
            if (conf.is_subclass_above_max_axle_distance(number)) {
                aboveMaxWitness = number;
                break;
            }
        }
    }
}

void Veltora::subclassMayChangeMaxAxleDistance(quint16 number)
{
    if (maxAxleState == 2) {
        return;
    }
    if (conf.is_subclass_above_max_axle_distance(number)) {
        if (maxAxleState == 0) {
            maxAxleState = 1;
            aboveMaxWitness = number;
        }
    } else if (number == aboveMaxWitness) {
        recheckMaxAxleDistance();
    }
}

void Veltora::headerChanged(FileFormat::Header key)
{
    if (key == Header::MinAxleDistance || key == Header::MaxAxleDistance) {
        recheckMaxAxleDistance();
    }
    colourHeader();
    if (key == Header::MinAxleDistance || key == Header::MaxAxleDistance) {
        // The bounds limit every distance row and decide which subclasses are invalid.
        if (const Subclass *subclass = selectedSubclass()) {
            colourAxleRows(*subclass, shownAxles);
        }
        fillInvalidList();
    } else if (key == Header::GAccelerationConstant) {
        updateWeightFactor();
        redisplayAllValues();
    }
}

void Veltora::fillInvalidList()
{
    ui->comboBoxInvalid->clear();
    // One call for the whole list: a configuration may have tens of thousands of entries.
    ui->comboBoxInvalid->addItems(entryTexts(conf.get_invalid_subclasses()));
    if (ui->comboBoxInvalid->count() == 0) {
        ui->comboBoxInvalid->hide();
        ui->labelInvalid->setText(textSubclassesValid);
    } else {
        ui->comboBoxInvalid->show();
        ui->labelInvalid->setText(textInvalidSubclasses);
    }
}

void Veltora::updateInvalidListEntry(const Subclass &subclass)
{
    showInvalidEntry(subclass.get_subclass_number(),
        !subclass.is_subclass_valid(conf.get_min_axle_distance(), conf.get_max_axle_distance()));
}

void Veltora::showInvalidEntry(quint16 number, bool invalid)
{
    bool listed = false;
    const int place = entryPlace(ui->comboBoxInvalid, number, &listed);
    const bool valid = !invalid;
    if (listed && valid) {
        ui->comboBoxInvalid->removeItem(place);
    } else if (!listed && !valid) {
        ui->comboBoxInvalid->insertItem(place, entryText(number));
    }
    if (ui->comboBoxInvalid->count() == 0) {
        ui->labelInvalid->setText(textSubclassesValid);
        ui->comboBoxInvalid->hide();
    } else if (ui->comboBoxInvalid->isHidden()) {
        ui->labelInvalid->setText(textInvalidSubclasses);
        ui->comboBoxInvalid->show();
    }
}

void Veltora::clearInvalidList()
{
    ui->comboBoxInvalid->clear();
    ui->comboBoxInvalid->hide();
    ui->labelInvalid->setText(textSubclassesValid);
}
