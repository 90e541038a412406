// The display units of a classification sheet: their factors and their names.
#include "sheetoptions.h"
#include "conf.h"
#include "fileformat.h"

#include <QCoreApplication>
#include <QtNumeric>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ClassificationSheet", text);
}

} // namespace

const char *const weightMarks[3] = {"t", "lb", "kN"};
const char *const lengthMarks[3] = {"m", "ft", "in"};

SheetUnits::SheetUnits(const Conf &conf, const SheetOptions &options)
{
    QString weight;
    switch (options.weightUnit) {
    case Pounds:
        weightFactor = FileFormat::KilonewtonsPerPound;
        weightMark = QLatin1String(weightMarks[Pounds]);
        weight = tr("pounds (lb)");
        break;
    case Kilonewtons:
        weightFactor = 1.0f;
        weightMark = QLatin1String(weightMarks[Kilonewtons]);
        weight = tr("kilonewtons (kN)");
        break;
    default: {
        // A g of 0 or less (or none that is finite) would show every weight as nothing: the
        // standard g stands in.
        const float read = conf.get_g_acceleration_constant().toFloat();
        const float g = qIsFinite(read) && read > 0.0f ? read : 0.0f;
        weightFactor = g > 0.0f ? g : FileFormat::StandardG;
        weightMark = QLatin1String(weightMarks[Tons]);
        weight = (g > 0.0f ? tr("tonnes (t), 1 t = %1 kN by the file's g")
                           : tr("tonnes (t), 1 t = %1 kN by the standard g"))
                     .arg(double(weightFactor), 0, 'g', 6);
        break;
    }
    }
    QString length;
    switch (options.lengthUnit) {
    case Feet:
        lengthFactor = FileFormat::MetresPerFoot;
        lengthMark = QLatin1String(lengthMarks[Feet]);
        length = tr("feet (ft)");
        break;
    case Inches:
        lengthFactor = FileFormat::MetresPerInch;
        lengthMark = QLatin1String(lengthMarks[Inches]);
        length = tr("inches (in)");
        break;
    default:
        lengthFactor = 1.0f;
        lengthMark = QLatin1String(lengthMarks[Meters]);
        length = tr("metres (m)");
        break;
    }
    description = tr("weights in %1; lengths in %2").arg(weight, length);
}
