// Display units of the editor: the conversion factors, the unit marks of the labels, and
// showing every value in the chosen units. The model and the file always keep kilonewtons and
// metres.
#include "veltora.h"
#include "fileformat.h"
#include "ui_veltora.h"

#include <QLabel>
#include <QLineEdit>
#include <QtDebug>

QString Veltora::unitSuffix(Unit unit) const
{
    if (unit == Unit::Weight) {
        switch (weightUnit) {
        case Tons:
            return QStringLiteral("(t):");
        case Pounds:
            return QStringLiteral("(lb):");
        case Kilonewtons:
            return QStringLiteral("(kN):");
        }
    } else if (unit == Unit::Length) {
        switch (lengthUnit) {
        case Meters:
            return QStringLiteral("(m):");
        case Feet:
            return QStringLiteral("(ft):");
        case Inches:
            return QStringLiteral("(in):");
        }
    }
    return QString();
}

void Veltora::receiveUnits(quint8 weight, quint8 length, float g)
{
    // A g of 0 or less (the dialog sends 0 for an emptied field) would divide every weight shown
    // by 0 and store every weight typed as nothing: tonnes with such a g are refused.
    if (weight != Tons || g > 0.0f) {
        weightUnit = weight;
        switch (weight) {
        case Tons:
            weightFactor = g;
            break;
        case Pounds:
            weightFactor = FileFormat::KilonewtonsPerPound;
            break;
        case Kilonewtons:
            weightFactor = 1.0f;
            break;
        }
    }
    lengthUnit = length;
    switch (length) {
    case Meters:
        lengthFactor = 1.0f;
        break;
    case Feet:
        lengthFactor = FileFormat::MetresPerFoot;
        break;
    case Inches:
        lengthFactor = FileFormat::MetresPerInch;
        break;
    }
    redisplayAllValues();
}

void Veltora::setUnitSuffix(QLabel *label, const QString &suffix)
{
    label->setText(label->text().section(QLatin1Char('('), 0, 0) + suffix);
}

// While weights are shown in tonnes the factor is the g in use: a g other than the standard
// one belongs to the configuration.
void Veltora::storeG(Conf &into) const
{
    if (weightUnit == Tons && weightFactor != FileFormat::StandardG) {
        into.set_g_acceleration_constant(QString::number(double(weightFactor), 'g', 6));
    }
}

void Veltora::redisplayAllValues()
{
    storeG(conf);
    for (const HeaderField &field : headerFields()) {
        if (field.unit != Unit::None) {
            setUnitSuffix(ui->*field.label, unitSuffix(field.unit));
            showHeaderField(field);
        }
    }
    for (const SubclassField &field : subclassFields()) {
        if (field.label) {
            setUnitSuffix(ui->*field.label, unitSuffix(field.unit));
        }
    }
    for (QLabel *label : {ui->labelMaxAxleDists, ui->labelMinAxleDists}) {
        setUnitSuffix(label, unitSuffix(Unit::Length));
    }
    for (QLabel *label : {ui->labelMaxAxleWeightsEdits, ui->labelCombinedWeightConstraints}) {
        setUnitSuffix(label, unitSuffix(Unit::Weight));
    }
    // The selected subclass is shown again as loading shows it, every field coloured by its
    // own check. A number that names no subclass has nothing to show.
    if (const Subclass *subclass = selectedSubclass()) {
        loadSubclass(QString::number(subclass->get_subclass_number()));
    }
}

void Veltora::showHeaderField(const HeaderField &field)
{
    QLineEdit *edit = ui->*field.edit;
    const QString value = (conf.*field.stored)();
    const bool valid = field.check ? (conf.*field.check)() : true;
    if (field.threeWayCheck) {
        showConvertedValueThreeWay(edit, value, false, (conf.*field.threeWayCheck)());
    } else if (field.unit != Unit::None) {
        showConvertedValue(edit, value, isWeight(field.unit), valid);
    } else {
        edit->setText(value);
        validateEdit(edit, valid, field.tip ? this->*field.tip : QString());
    }
}

void Veltora::showHeader()
{
    if (weightUnit == Tons && conf.is_g_acceleration_constant_valid()) {
        const float g = conf.get_g_acceleration_constant().toFloat();
        if (g > 0.0f) {
            weightFactor = g;
            qDebug() << "New conversion weight " << weightFactor;
        }
    }
    for (const HeaderField &field : headerFields()) {
        showHeaderField(field);
    }
}

void Veltora::storeHeaderFields(Conf &into)
{
    storeG(into);
    for (const HeaderField &field : headerFields()) {
        QLineEdit *edit = ui->*field.edit;
        (into.*field.store)(
            field.unit == Unit::None ? edit->text() : editToStoredText(edit, isWeight(field.unit)));
    }
}
