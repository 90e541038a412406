#pragma once

// The words of the configuration's rules, kept in one place: the editor's tool tips and message
// boxes and the command-line checker's report all read them here. Each is a plain UTF-8 text in
// the translation context "Veltora" (context below), ready for QCoreApplication::translate.
// Texts with %1, %2, ... are filled in with QString::arg.
namespace RuleTexts {

extern const char context[];

// The main window's tool tips and list captions.
extern const char tipAcceptsReal[];
extern const char tipAxleSelection[];
extern const char tipTyreType[];
extern const char tipRemoveConstraint[];
extern const char tipCountryCode[];
extern const char tipSubclassMissing[];
extern const char tipCopyTargetExists[];
// Also the tip of a maximum axle distance below some subclass's (the yellow state).
extern const char tipLowerThanSubclasses[];
extern const char tipAxleConfFormat[];
extern const char tipAxleCountRange[]; // says FileFormat::MaxAxles in words
extern const char tipMaxDistance[];
extern const char tipMinDistance[];
extern const char tipConstraintFormat[];
extern const char tipTyreTypeRange[];
extern const char tipReclassifyTarget[];
extern const char textSubclassesValid[];
extern const char textInvalidSubclasses[];
// The tip of a maximum axle distance that is empty or below the minimum (the red state).
extern const char tipMaxBelowMin[];

// Message boxes: New with an invalid header, Save's question and refusals, Add constraint.
extern const char titleNewRefused[];
extern const char textNewRefused[];
extern const char titleDuplicates[];
extern const char textDuplicates[]; // followed by a blank and the pair "3 = 5"
extern const char titleSubclassIncomplete[];
extern const char textSubclassIncomplete[]; // %1 the subclass number
extern const char titleHeaderInvalid[];
extern const char textHeaderInvalid[];
extern const char titleConstraintRefused[];
extern const char textConstraintRefused[];

// The header fields' labels, in the file's units (metres and kilonewtons).
extern const char labelVersion[];
extern const char labelCountry[];
extern const char labelG[];
extern const char labelGroupMaxDist[];
extern const char labelMinAxleSpacing[];
extern const char labelMinAvgAxleWeight[];
extern const char labelMaxAxleDist[];
extern const char labelMinAxleDist[];
extern const char labelUnclassified[];
extern const char labelUncategorised[];

// A stored value the report shows as "(empty)".
extern const char valueEmpty[];

// Where a subclass fails: a gap or axle (counted from 1), a run of them, or a constraint.
// The report puts the place, ": " and the rule.
extern const char whereGap[];
extern const char whereGaps[];
extern const char whereAxle[];
extern const char whereAxles[];
extern const char whereConstraint[];

// A failed rule in words. Values come already shown with their unit ("6.00 m", "12.30 kN"),
// as valueEmpty or as quoted text that reads as no number. Conf and Subclass put them together
// (get_failing_header_rules, get_failing_rules, get_failing_target_rules).
extern const char ruleMissing[];
extern const char ruleNotAboveZero[];
extern const char ruleCountryCode[];
extern const char ruleUnclassifiedExists[];
extern const char ruleUncategorised[];
extern const char ruleHeaderMinAboveMax[];
extern const char ruleHeaderMaxBelowMin[];
extern const char ruleHeaderMaxBelowSubclass[];
extern const char ruleGapMinAboveMax[];
extern const char ruleGapMinBelowHeader[];
extern const char ruleGapMinAboveHeader[];
extern const char ruleGapMaxBelowHeader[];
extern const char ruleGapMaxAboveHeader[];
// A value a rule compares that reads as no number: the gap's own, or the header's limit.
extern const char ruleGapMinNotANumber[];
extern const char ruleGapMaxNotANumber[];
extern const char ruleHeaderMinNotANumber[];
extern const char ruleHeaderMaxNotANumber[];
extern const char ruleAxleWeightNotANumber[];
extern const char ruleDistanceListsDiffer[];
extern const char ruleAxleWeight[];
extern const char ruleAxleTyre[];
extern const char ruleConstraint[];
extern const char ruleCategory[];
extern const char ruleMaxGVW[];
extern const char ruleAxleCount[]; // says FileFormat::MaxAxles in words
extern const char ruleAxleConfMissing[];
extern const char ruleAxleConfForm[];
extern const char ruleAxleConfCount[];
extern const char ruleReclassifyUpMissing[];
extern const char ruleReclassifyDownMissing[];
extern const char ruleReclassifyUpAxles[];
extern const char ruleReclassifyDownAxles[];

} // namespace RuleTexts
