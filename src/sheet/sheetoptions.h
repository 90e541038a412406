#pragma once

#include "veltora.h" // the display units

#include <QDateTime>
#include <QString>

class Conf;

// The marks of the display units, indexed by WeightUnit and LengthUnit: the sheet shows them
// beside its values, and the command line's --units names the units by them.
extern const char *const weightMarks[3]; // "t", "lb", "kN"
extern const char *const lengthMarks[3]; // "m", "ft", "in"

// What a classification sheet is made with besides the configuration: the name the file goes
// by, the units its values are shown in, the paper and the date printed.
struct SheetOptions
{
    enum class Paper { A4, Letter };

    // Shown in the page head and in every page's footer, as given (a file name, not a path).
    QString fileName;
    quint8 weightUnit = Tons;
    quint8 lengthUnit = Meters;
    // The paper of a PDF; a printer prints on the paper its own settings name.
    Paper paper = Paper::A4;
    bool landscape = false;
    // The date in the page head; when not valid, the time the sheet is made.
    QDateTime printed;
};

// The display units of a sheet with their factors: a value shown is the stored kilonewtons or
// metres divided by the factor. Tonnes take the configuration's g when it is above 0.
struct SheetUnits
{
    SheetUnits(const Conf &conf, const SheetOptions &options);

    float weightFactor = 1;
    float lengthFactor = 1;
    QString weightMark; // "t", "lb" or "kN"
    QString lengthMark; // "m", "ft" or "in"
    // The units in words for the page head, with the g used for tonnes.
    QString description;
};
