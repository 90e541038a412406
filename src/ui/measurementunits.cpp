// The measurement units dialog: radio-button ids are the unit codes, g only applies to tonnes.
#include "measurementunits.h"
#include "numbervalidators.h"
#include "textfit.h"
#include "veltora.h"
#include "ui_measurementunits.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDoubleValidator>
#include <QLineEdit>

MeasurementUnits::MeasurementUnits(QWidget *parent, quint8 weight, quint8 length, float g)
    : QDialog(parent)
    , ui(new Ui::MeasurementUnits)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    // Ids are given and the button checked before the group is connected, so only the explicit
    // call at the end sets up the g field.
    ui->buttonGroupWeight->setId(ui->radioButtonTons, Tons);
    ui->buttonGroupWeight->setId(ui->radioButtonPounds, Pounds);
    ui->buttonGroupWeight->setId(ui->radioButtonKN, Kilonewtons);
    if (QAbstractButton *button = ui->buttonGroupWeight->button(weight)) {
        button->setChecked(true);
    }
    connect(ui->buttonGroupWeight,
        QOverload<QAbstractButton *, bool>::of(&QButtonGroup::buttonToggled), this,
        [this](QAbstractButton *button, bool) {
            weightUnitChanged(ui->buttonGroupWeight->id(button));
        });

    ui->buttonGroupLength->setId(ui->radioButtonMeters, Meters);
    ui->buttonGroupLength->setId(ui->radioButtonFeet, Feet);
    ui->buttonGroupLength->setId(ui->radioButtonInches, Inches);
    if (QAbstractButton *button = ui->buttonGroupLength->button(length)) {
        button->setChecked(true);
    }

    this->g = g;
    ui->lineEditG->setValidator(inModelLocale(new QDoubleValidator(this)));
    weightUnitChanged(weight);
    TextFit::keep(this);
}

MeasurementUnits::~MeasurementUnits()
{
    delete ui;
}

void MeasurementUnits::weightUnitChanged(int radioButton)
{
    // A toggle reports the button losing the check first, then the one gaining it: the second
    // call decides what the field shows.
    if (radioButton == Tons) {
        ui->lineEditG->setEnabled(true);
        ui->lineEditG->setText(QString::number(g, 'f', 6));
    } else {
        ui->lineEditG->setEnabled(false);
        ui->lineEditG->setText(QString());
    }
}

void MeasurementUnits::on_lineEditG_textEdited(const QString &arg1)
{
    g = arg1.toFloat();
}

void MeasurementUnits::on_buttonBox_accepted()
{
    g = ui->lineEditG->text().toFloat();
    emit sendUnits(
        quint8(ui->buttonGroupWeight->checkedId()), quint8(ui->buttonGroupLength->checkedId()), g);
}
