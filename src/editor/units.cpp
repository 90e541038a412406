// Display units of the editor: the conversion factors, the unit marks of the labels, and
// showing every value in the chosen units. The model and the file always keep kilonewtons and
// metres.
#include "veltora.h"
#include "analysispanel.h"
#include "document.h"
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
    }
    lengthUnit = length;
    // The g belongs to the configuration: a g chosen for tonnes that differs from its own is an
    // edit of it (the standard g stands in for none). Showing other units writes nothing.
    if (weight == Tons && g > 0.0f && g != storedG()) {
        document->setG(QString::number(double(g), 'g', 6));
    }
    updateWeightFactor();
    redisplayAllValues();
}

float Veltora::storedG() const
{
    const QString text = conf.get_g_acceleration_constant();
    return text.isEmpty() ? FileFormat::StandardG : text.toFloat();
}

float Veltora::gInUse() const
{
    const float g = conf.get_g_acceleration_constant().toFloat();
    return g > 0.0f ? g : FileFormat::StandardG;
}

void Veltora::updateWeightFactor()
{
    switch (weightUnit) {
    case Tons:
        weightFactor = gInUse();
        break;
    case Pounds:
        weightFactor = FileFormat::KilonewtonsPerPound;
        break;
    case Kilonewtons:
        weightFactor = 1.0f;
        break;
    }
    switch (lengthUnit) {
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
    showUnitsInAnalysis();
}

void Veltora::showUnitsInAnalysis()
{
    if (!analysis) {
        return;
    }
    // The labels' unit marks without their brackets and colon: "(ft):" gives "ft".
    const auto mark = [this](Unit unit) { return unitSuffix(unit).mid(1).chopped(2); };
    analysis->setDisplayUnits(
        lengthFactor, mark(Unit::Length), weightFactor, mark(Unit::Weight));
}

void Veltora::setUnitSuffix(QLabel *label, const QString &suffix)
{
    label->setText(label->text().section(QLatin1Char('('), 0, 0) + suffix);
}

// A new configuration made while weights are shown in tonnes keeps the g in use, when it is
// not the standard one.
void Veltora::storeG(Conf &into) const
{
    if (weightUnit == Tons && gInUse() != FileFormat::StandardG) {
        into.set_g_acceleration_constant(QString::number(double(gInUse()), 'g', 6));
    }
}

// Shows every value again in the display units; the configuration is only read.
void Veltora::redisplayAllValues()
{
    for (const HeaderField &field : headerFields()) {
        if (field.unit != Unit::None) {
            setUnitSuffix(ui->*field.label, unitSuffix(field.unit));
            showHeaderField(field);
        }
    }
    for (const SubclassField &field : subclassFields()) {
        if (field.unit != Unit::None) {
            setUnitSuffix(ui->*field.label, unitSuffix(field.unit));
        }
    }
    for (QLabel *label : {ui->labelMaxAxleDists, ui->labelMinAxleDists}) {
        setUnitSuffix(label, unitSuffix(Unit::Length));
    }
    for (QLabel *label : {ui->labelMaxAxleWeightsEdits, ui->labelCombinedWeightConstraints}) {
        setUnitSuffix(label, unitSuffix(Unit::Weight));
    }
    alignAxleRows();
    // The selected subclass is shown again as loading shows it, every field coloured by its
    // own check. A number that names no subclass has nothing to show.
    if (const Subclass *subclass = selectedSubclass()) {
        loadSubclass(entryText(subclass->get_subclass_number()));
    }
}

void Veltora::showHeaderField(const HeaderField &field)
{
    QLineEdit *edit = ui->*field.edit;
    const QString value = (conf.*field.stored)();
    const bool valid = field.check ? (conf.*field.check)() : true;
    if (field.threeWayCheck) {
        showConvertedValueThreeWay(edit, value, false, maxAxleState);
    } else if (field.unit != Unit::None) {
        showConvertedValue(edit, value, isWeight(field.unit), valid);
    } else {
        edit->setText(value);
        validateEdit(edit, valid, field.tip ? this->*field.tip : QString());
    }
}

void Veltora::showHeader()
{
    updateWeightFactor();
    if (weightUnit == Tons && conf.is_g_acceleration_constant_valid()) {
        qDebug() << "New conversion weight " << weightFactor;
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
