// Header panel editing: stores each header field into the configuration as it is typed,
// colours it by its check, and keeps the list of invalid subclasses current.
#include "veltora.h"

#include "ui_veltora.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLayoutItem>
#include <QLineEdit>
#include <QtDebug>

void Veltora::connectHeaderFields()
{
    // textEdited only: filling the fields from the model must never write back into it.
    for (const HeaderField &field : headerFields()) {
        QLineEdit *edit = ui->*field.edit;
        const auto setter = [this, field](QString value) { (conf.*field.store)(value); };
        std::function<void()> handler;
        if (field.threeWayCheck) {
            handler = [=] {
                checkHeaderMaxAxleDistance(
                    edit, setter, [this, field] { return (conf.*field.threeWayCheck)(); });
            };
        } else if (field.check && field.unit == Unit::Length) {
            handler = [=] {
                checkHeaderLength(edit, setter, [this, field] { return (conf.*field.check)(); });
            };
        } else if (field.check) {
            handler = [=] {
                checkHeaderField(
                    edit, setter, [this, field] { return (conf.*field.check)(); },
                    field.tip ? this->*field.tip : QString());
            };
        } else if (field.unit != Unit::None) {
            handler = [=] { setter(editToStoredText(edit, isWeight(field.unit))); };
        } else {
            handler = [=] { setter(edit->text()); };
        }
        connect(edit, &QLineEdit::textEdited, this, handler);
    }
}

void Veltora::checkHeaderField(QLineEdit *edit, const std::function<void(QString)> &setter,
    const std::function<bool()> &check, const QString &tip)
{
    if (!edit) {
        return;
    }
    setter(edit->text());
    validateEdit(edit, check(), tip);
}

void Veltora::checkHeaderLength(
    QLineEdit *edit, const std::function<void(QString)> &setter, const std::function<bool()> &check)
{
    if (!edit) {
        return;
    }
    setter(editToStoredText(edit, false));
    validateEdit(edit, check(), QString());
    if (edit->objectName() == QLatin1String("lineEditMinAxleDist")) {
        recolourDistanceRows();
        fillInvalidList();
    }
}

void Veltora::checkHeaderMaxAxleDistance(
    QLineEdit *edit, const std::function<void(QString)> &setter, const std::function<int()> &check)
{
    if (!edit) {
        return;
    }
    setter(editToStoredText(edit, false));
    validateEditThreeWay(edit, check());
    recolourDistanceRows();
    fillInvalidList();
}

namespace {

// The line edit at a position of a frame's layout. Positions past the end are answered with
// null and isRow false: the number of axles may name rows that were never built.
QLineEdit *rowEditAt(QFrame *frame, int position, bool *isRow)
{
    *isRow = false;
    QLayout *layout = frame ? frame->layout() : nullptr;
    if (!layout || position >= layout->count()) {
        return nullptr;
    }
    *isRow = true;
    QLayoutItem *item = layout->itemAt(position);
    return item ? qobject_cast<QLineEdit *>(item->widget()) : nullptr;
}

} // namespace

// Each header bound limits the other and every distance row, so a change of either one
// re-colours both bounds and all rows of the selected subclass by the model's own checks;
// comparing against only the changed bound would leave colours that no longer hold.
void Veltora::recolourDistanceRows()
{
    validateEdit(ui->lineEditMinAxleDist, conf.is_min_axle_distance_valid(), QString());
    validateEditThreeWay(ui->lineEditMaxAxleDist, conf.check_max_axle_distance());

    bool ok = false;
    const quint16 number = ui->lineEditSubclass->text().toUShort(&ok);
    if (!ok || !conf.contains_subclass(number)) {
        return;
    }
    const Subclass &subclass = conf.get_subclass(number);
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();

    const int axles = ui->lineEditNumOfAxles->text().toInt();
    for (int row = 1; row < axles; ++row) {
        bool minExists = false;
        bool maxExists = false;
        QLineEdit *minEdit = rowEditAt(ui->frameMinAxleDists, row, &minExists);
        QLineEdit *maxEdit = rowEditAt(ui->frameMaxAxleDists, row, &maxExists);
        if (!minExists && !maxExists) {
            break;
        }
        if (minEdit) {
            validateEdit(
                minEdit, subclass.is_min_distance_valid(row - 1, hdrMin, hdrMax), tipMinDistance);
        } else if (minExists) {
            qWarning() << "Failed to convert a widget to a lineEdit while trying to validate min "
                          "axle distance at index "
                       << row << " upon changing of max axle distance";
        }
        if (maxEdit) {
            validateEdit(
                maxEdit, subclass.is_max_distance_valid(row - 1, hdrMin, hdrMax), tipMaxDistance);
        } else if (maxExists) {
            qWarning() << "Failed to convert a widget to a lineEdit while trying to validate max "
                          "axle distance at index "
                       << row << " upon changing of max axle distance";
        }
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
    const quint16 number = subclass.get_subclass_number();
    const int index = invalidEntry(number);
    const bool valid
        = subclass.is_subclass_valid(conf.get_min_axle_distance(), conf.get_max_axle_distance());
    if (index >= 0 && valid) {
        ui->comboBoxInvalid->removeItem(index);
    } else if (index < 0 && !valid) {
        ui->comboBoxInvalid->addItem(entryText(number));
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
