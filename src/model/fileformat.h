#pragma once

#include <QString>
#include <QStringRef>

// Facts of the .conf file format, each said once: the largest number of axles, the keys of the
// [classes] section and of a [subclass_N] section, and the section lines. The model's setters,
// the section constructor, the reader, the writer and the editor all take them from here.
namespace FileFormat {

// The largest number of axles a valid subclass has (the smallest is 2).
constexpr int MaxAxles = 20;

// The file keeps metres and kilonewtons; the other units convert by these factors. They are
// floats, so that a value converts alike in the editor, the checker and the analysis.
constexpr float MetresPerFoot = 0.3048f;
constexpr float MetresPerInch = 0.0254f;
constexpr float KilonewtonsPerPound = 0.0044482215f;
// Kilonewtons per tonne, unless the configuration gives a g of its own.
constexpr float StandardG = 9.80665f;

// The keys of the [classes] section.
enum class Header {
    ClassificationVersion,
    CountryCode,
    GAccelerationConstant,
    GroupMaxDistance,
    MaxAxleDistance,
    Min2AxleTruckSpacing,
    MinAvgAxleWeight,
    MinAxleDistance,
    UnclassifiedVehiclesSubclass,
    UncategorisedVehicleCategory,
};

// The keys of a [subclass_N] section: the number (when an entry line overrides the section
// line's), the ten scalar values, then the four list lines in the order the writer emits them.
enum class Section {
    Subclass,
    Category,
    NumberOfAxles,
    AxleConfiguration,
    MaxGVW,
    UpperGVWLimit,
    ReclassifyUpToSubclass,
    LowerGVWLimit,
    ReclassifyDownToSubclass,
    Prepend,
    Append,
    TyreType,
    MaxAxleWeight,
    MaxAxleDistance,
    MinAxleDistance,
};

constexpr int SectionKeyCount = int(Section::MinAxleDistance) + 1;

// The key as it stands in the file, for example "country_code" or "max_GVW__kN".
const QString &key(Header which);
const QString &key(Section which);

// The section key a text names exactly (case and blanks count), or -1 for no key of a section.
int section_key_index(const QStringRef &text);

// The group Qt's INI reader knows the header by ("classes") and its section line.
const QString &header_group();
const QString &header_line();
// A subclass section line is this, the number in plain decimal and "]".
const QString &subclass_line_start();

} // namespace FileFormat
