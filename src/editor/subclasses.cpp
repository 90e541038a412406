// Subclass panel: emptying and hiding it, and the handlers of the subclass selector, number,
// copy and scalar fields.
#include "veltora.h"
#include "ui_veltora.h"

#include <QLineEdit>

void Veltora::resetSubclassPanel()
{
    for (QLineEdit *edit : {ui->lineEditSubclass, ui->lineEditCopy, ui->lineEditCategory,
                            ui->lineEditNumOfAxles, ui->lineEditMaxGrossWeight,
                            ui->lineEditReclassUpGvw, ui->lineEditReclassUpTo,
                            ui->lineEditReclassDownGvw, ui->lineEditReclassDownTo}) {
        edit->clear();
    }
    ui->groupBoxSubclass->hide();
    ui->groupBoxReclassify->hide();
    ui->frameMiddle->hide();
}

// The handlers below are wired already; what they do to the model and the panel lands with
// subclass management, so for now they leave everything as it is.

void Veltora::on_comboBoxSubclasses_currentIndexChanged(const QString &)
{
}

void Veltora::on_lineEditSubclass_textChanged(const QString &)
{
}

void Veltora::on_comboBoxInvalid_activated(const QString &)
{
}

void Veltora::on_buttonSubclass_clicked()
{
}

void Veltora::on_buttonCopy_clicked()
{
}

void Veltora::on_lineEditCopy_textEdited(const QString &)
{
}

void Veltora::textChanged(const QString &)
{
}
