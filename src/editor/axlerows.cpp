// Per-axle rows and combined constraints of the selected subclass.
#include "numbervalidators.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QLineEdit>

void Veltora::setupAxleEdit(QLineEdit *edit, bool realValues, const QString &statusTip,
                            const QString &objectName)
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

// Reshaping the rows with the number of axles and adding constraints land with the per-axle
// editing; until then these handlers change nothing.

void Veltora::on_lineEditNumOfAxles_textChanged(const QString &)
{
}

void Veltora::on_buttonAddConstraint_clicked()
{
}
