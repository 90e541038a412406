// The words of the configuration's rules, shared by the editor and the checker.
#include "ruletexts.h"
#include "fileformat.h"

#include <QtGlobal>

namespace RuleTexts {

// A text handed to the translator is a literal; these two spell out the axle limit.
static_assert(FileFormat::MaxAxles == 20, "tipAxleCountRange and ruleAxleCount say 2 to 20");

const char context[] = "Veltora";

const char tipAcceptsReal[] = QT_TRANSLATE_NOOP("Veltora", "Accepts real values.");
const char tipAxleSelection[] = QT_TRANSLATE_NOOP(
    "Veltora", "Used for selecting to which axles we want to apply the constraint.");
const char tipTyreType[] = QT_TRANSLATE_NOOP(
    "Veltora", "Integer value representing tyre type. Should be between 1 and 4.");
const char tipRemoveConstraint[]
    = QT_TRANSLATE_NOOP("Veltora", "To remove a constraint, delete the text.");
const char tipCountryCode[] = QT_TRANSLATE_NOOP("Veltora", "Enter a two letter ISO code.");
const char tipSubclassMissing[] = QT_TRANSLATE_NOOP(
    "Veltora", "Subclass does not exist. Click on button \"New\" to create one");
const char tipCopyTargetExists[] = QT_TRANSLATE_NOOP("Veltora",
    "The subclass you wish to copy to already exists. Please choose a different value or "
    "delete the subclass.");
const char tipLowerThanSubclasses[]
    = QT_TRANSLATE_NOOP("Veltora", "Value is lower than some subclasses.");
const char tipAxleConfFormat[] = QT_TRANSLATE_NOOP("Veltora",
    "Proper format is XaYb where X must be one of:\n"
    "A=tractor, B=bus, C=car, H=heavy truck, L=light truck, M=motorbike, V=van\n"
    "and Y is one of (D=dolly, T=trailer, S=semi-trailer).\n"
    "a and b represent the number of axles on the part and must be equal to number of axles.");
const char tipAxleCountRange[] = QT_TRANSLATE_NOOP("Veltora", "Value must be between 2 and 20");
const char tipMaxDistance[] = QT_TRANSLATE_NOOP("Veltora",
    "Value must be higher than corresponding min distance and between min and max distances in "
    "header.");
const char tipMinDistance[] = QT_TRANSLATE_NOOP("Veltora",
    "Value must be lower than corresponding max distance and between min and max distances in "
    "header.");
const char tipConstraintFormat[] = QT_TRANSLATE_NOOP("Veltora",
    "Proper format is {a1+a2+...an,c} where a are axles and c is a real value representing "
    "maximum combined weight.");
const char tipTyreTypeRange[] = QT_TRANSLATE_NOOP("Veltora", "Valid types are between 1 and 4");
const char tipReclassifyTarget[] = QT_TRANSLATE_NOOP(
    "Veltora", "Subclass must exist and have the same number of axles as current.");
const char textSubclassesValid[] = QT_TRANSLATE_NOOP("Veltora", "Subclasses are valid.");
const char textInvalidSubclasses[] = QT_TRANSLATE_NOOP("Veltora", "Invalid subclasses:");
const char tipMaxBelowMin[]
    = QT_TRANSLATE_NOOP("Veltora", "Value must be higher than min axle distance.");

const char titleNewRefused[] = QT_TRANSLATE_NOOP("Veltora", "Could not save configuration");
const char textNewRefused[] = QT_TRANSLATE_NOOP("Veltora",
    "Please make sure required (red) fields are filled before creating a new configuration.");
const char titleDuplicates[] = QT_TRANSLATE_NOOP("Veltora", "Duplicate subclasses found!");
const char textDuplicates[] = QT_TRANSLATE_NOOP(
    "Veltora", "At least one duplicated subclass found. Do you wish to continue saving?");
const char titleSubclassIncomplete[]
    = QT_TRANSLATE_NOOP("Veltora", "Vital information missing in one or more subclasses!");
const char textSubclassIncomplete[] = QT_TRANSLATE_NOOP("Veltora",
    "Missing data found in subclass %1\n"
    "Please make sure all of the following fields are valid:\n"
    "Category\nNumber of axles\nMax. gross weight\nAxle configuration\n"
    "and all fields dependant on number of axles.");
const char titleHeaderInvalid[] = QT_TRANSLATE_NOOP("Veltora", "Header invalid!");
const char textHeaderInvalid[]
    = QT_TRANSLATE_NOOP("Veltora", "Please make sure all required fields are filled and valid.");
const char titleConstraintRefused[] = QT_TRANSLATE_NOOP("Veltora", "Cannot add a new constraint");
const char textConstraintRefused[] = QT_TRANSLATE_NOOP("Veltora",
    "Make sure you have at least two checkboxes selected and there is a viable value in the "
    "adjacent field.");

const char labelVersion[] = QT_TRANSLATE_NOOP("Veltora", "Classification version");
const char labelCountry[] = QT_TRANSLATE_NOOP("Veltora", "Country code");
const char labelG[] = QT_TRANSLATE_NOOP("Veltora", "G constant");
const char labelGroupMaxDist[] = QT_TRANSLATE_NOOP("Veltora", "Group max distance (m)");
const char labelMinAxleSpacing[] = QT_TRANSLATE_NOOP("Veltora", "Min. axle truck spacing (m)");
const char labelMinAvgAxleWeight[] = QT_TRANSLATE_NOOP("Veltora", "Min. avg. axle weight (kN)");
const char labelMaxAxleDist[] = QT_TRANSLATE_NOOP("Veltora", "Max. axle distance (m)");
const char labelMinAxleDist[] = QT_TRANSLATE_NOOP("Veltora", "Min. axle distance (m)");
const char labelUnclassified[] = QT_TRANSLATE_NOOP("Veltora", "Unclassified subclass");
const char labelUncategorised[] = QT_TRANSLATE_NOOP("Veltora", "Uncategorised vehicle cat.");

const char valueEmpty[] = QT_TRANSLATE_NOOP("Veltora", "(empty)");

const char whereGap[] = QT_TRANSLATE_NOOP("Veltora", "gap %1");
const char whereGaps[] = QT_TRANSLATE_NOOP("Veltora", "gaps %1-%2");
const char whereAxle[] = QT_TRANSLATE_NOOP("Veltora", "axle %1");
const char whereAxles[] = QT_TRANSLATE_NOOP("Veltora", "axles %1-%2");
const char whereConstraint[] = QT_TRANSLATE_NOOP("Veltora", "constraint %1");

const char ruleMissing[] = QT_TRANSLATE_NOOP("Veltora", "missing");
const char ruleNotAboveZero[] = QT_TRANSLATE_NOOP("Veltora", "%1 not above 0");
const char ruleCountryCode[] = QT_TRANSLATE_NOOP("Veltora", "%1 not an ISO 3166-1 alpha-2 code");
const char ruleUnclassifiedExists[]
    = QT_TRANSLATE_NOOP("Veltora", "%1 names subclass %2, which exists");
const char ruleUncategorised[] = QT_TRANSLATE_NOOP("Veltora", "%1 not a whole number above 5");
const char ruleHeaderMinAboveMax[]
    = QT_TRANSLATE_NOOP("Veltora", "%1 above the max. axle distance %2");
const char ruleHeaderMaxBelowMin[]
    = QT_TRANSLATE_NOOP("Veltora", "%1 below the min. axle distance %2");
const char ruleHeaderMaxBelowSubclass[]
    = QT_TRANSLATE_NOOP("Veltora", "%1 below max distance %2 of subclass %3");
const char ruleGapMinAboveMax[] = QT_TRANSLATE_NOOP("Veltora", "min distance %1 above max %2");
const char ruleGapMinBelowHeader[]
    = QT_TRANSLATE_NOOP("Veltora", "min distance %1 below header min %2");
const char ruleGapMinAboveHeader[]
    = QT_TRANSLATE_NOOP("Veltora", "min distance %1 above header max %2");
const char ruleGapMaxBelowHeader[]
    = QT_TRANSLATE_NOOP("Veltora", "max distance %1 below header min %2");
const char ruleGapMaxAboveHeader[]
    = QT_TRANSLATE_NOOP("Veltora", "max distance %1 above header max %2");
const char ruleGapMinNotANumber[] = QT_TRANSLATE_NOOP("Veltora", "min distance %1 is not a number");
const char ruleGapMaxNotANumber[] = QT_TRANSLATE_NOOP("Veltora", "max distance %1 is not a number");
const char ruleHeaderMinNotANumber[]
    = QT_TRANSLATE_NOOP("Veltora", "header min %1 is not a number");
const char ruleHeaderMaxNotANumber[]
    = QT_TRANSLATE_NOOP("Veltora", "header max %1 is not a number");
const char ruleAxleWeightNotANumber[]
    = QT_TRANSLATE_NOOP("Veltora", "max weight %1 is not a number");
const char ruleDistanceListsDiffer[]
    = QT_TRANSLATE_NOOP("Veltora", "min and max distance lists differ in length");
const char ruleAxleWeight[] = QT_TRANSLATE_NOOP("Veltora", "max weight %1 not above 0");
const char ruleAxleTyre[] = QT_TRANSLATE_NOOP("Veltora", "tyre type %1 not in 1-4");
const char ruleConstraint[] = QT_TRANSLATE_NOOP("Veltora", "%1 not of the form a+b+...,w");
const char ruleCategory[] = QT_TRANSLATE_NOOP("Veltora", "category missing");
const char ruleMaxGVW[] = QT_TRANSLATE_NOOP("Veltora", "max GVW missing");
const char ruleAxleCount[] = QT_TRANSLATE_NOOP("Veltora", "number of axles %1 not in 2-20");
const char ruleAxleConfMissing[] = QT_TRANSLATE_NOOP("Veltora", "axle configuration missing");
const char ruleAxleConfForm[] = QT_TRANSLATE_NOOP("Veltora",
    "axle configuration %1 not a vehicle letter (ABCHLMV) and count, then D, S or T parts and "
    "counts");
const char ruleAxleConfCount[]
    = QT_TRANSLATE_NOOP("Veltora", "axle configuration %1 does not add up to %2 axles");
const char ruleReclassifyUpMissing[]
    = QT_TRANSLATE_NOOP("Veltora", "reclassify up to %1: no such subclass");
const char ruleReclassifyDownMissing[]
    = QT_TRANSLATE_NOOP("Veltora", "reclassify down to %1: no such subclass");
const char ruleReclassifyUpAxles[]
    = QT_TRANSLATE_NOOP("Veltora", "reclassify up to %1: it has %2 axles, this subclass %3");
const char ruleReclassifyDownAxles[]
    = QT_TRANSLATE_NOOP("Veltora", "reclassify down to %1: it has %2 axles, this subclass %3");

} // namespace RuleTexts
