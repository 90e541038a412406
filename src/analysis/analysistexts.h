#pragma once

#include "fleetsummary.h"
#include "overlapsearch.h"
#include "vehiclematch.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class WindowTable;
struct VehicleRecord;

// The units lengths and weights are shown in: the factor from one shown unit to metres or
// kilonewtons, and the unit's symbol. The default is the file's own units, as the checker reports.
struct DisplayUnits
{
    float lengthFactor = 1;
    QString length = QStringLiteral("m");
    float weightFactor = 1;
    QString weight = QStringLiteral("kN");
};

// The words of the classification analysis, said once: the checker prints them and the editor's
// analysis panel shows them, so the two never disagree.
namespace AnalysisTexts {

// Texts from a file are shown at most this long.
constexpr int longestShownText = 80;

// The shortest decimal text that reads back as the same float: a witness pasted into a records
// file is then the very vehicle that was checked.
QString number_text(float value);
// Gaps in metres as a records file's gaps_m cell has them: "2.25;1.35".
QString gaps_text(const QVector<float> &metres);
// A length in the units shown, without the unit: in metres the exact text above, in the other
// units with three decimals.
QString length_text(float metres, const DisplayUnits &units);
// "3 values" or "1 value".
QString counted(qint64 count, const char *one, const char *many);

// "17 of 19 subclasses take part", or why none does.
QString taking_part(const WindowTable &table);
QString stopped(int line);

// The first line of the overlap report after the file's name.
QString overlaps_headline(const WindowTable &table, const Overlaps &found);
// "5 more not listed", or empty when every finding is listed.
QString more_not_listed(qint64 total, int listed);
QString category_text(const WindowTable &table, int window);
// Whether the pair's categories differ: the same vehicle in two categories.
bool ambiguous(const WindowTable &table, QPair<int, int> pair);
// "both category 2" or "categories 2 and 3 differ".
QString pair_categories(const WindowTable &table, QPair<int, int> pair);
// The pair's witness in metres, as a gaps_m cell.
QString witness_text(const WindowTable &table, QPair<int, int> pair);
// The witness as a records file with one vehicle, "witness-A-B".
QString witness_records(const WindowTable &table, QPair<int, int> pair);
QString overlap_text(const WindowTable &table, QPair<int, int> pair);
// "covered" or "identical", and what it means.
QString covered_kind(const CoveredWindow &covered);
QString covered_text(const WindowTable &table, const CoveredWindow &covered);
// "reclassify up 1 -> 2 -> 1".
QString cycle_text(const WindowTable &table, const ReclassifyCycle &cycle);
// The subclasses of a cycle, "1 -> 2 -> 1".
QString cycle_path(const WindowTable &table, const ReclassifyCycle &cycle);

// "once", "one category", "ambiguous" or "unmatched".
QString verdict_word(VehicleMatch::Verdict verdict);
// The verdict's name in the checker's JSON: "once", "one_category", "ambiguous", "unmatched".
const char *verdict_name(VehicleMatch::Verdict verdict);
// A matching subclass with its category, weight flags and reclassification.
QString match_text(
    const WindowTable &table, const SubclassMatch &match, const DisplayUnits &units = {});
QString matches_text(
    const WindowTable &table, const VehicleMatch &match, const DisplayUnits &units = {});
// Whether the vehicle names no expected subclass or one of its matches.
bool expected_matched(
    const WindowTable &table, const VehicleRecord &vehicle, const VehicleMatch &match);
// Where an unmatched vehicle goes.
QString unmatched_text(const WindowTable &table);
// "subclass 3 (category 10)".
QString expected_text(const WindowTable &table, quint16 expected);
// "line 3 (van-01)".
QString where_text(const VehicleRecord &vehicle);
// The report's text for one vehicle after its place.
QString vehicle_text(const WindowTable &table, const VehicleRecord &vehicle,
    const VehicleMatch &match, const DisplayUnits &units = {});

// The summary's lines, each a caption and its value.
QVector<QPair<QString, QString>> summary_items(const FleetSummary &summary);
// The caption of the confusion table, which says when there is none.
QString confusion_caption(const FleetSummary &summary);
// The confusion table with its header row, cells ready to show; empty without expected subclasses.
QVector<QStringList> confusion_table(const FleetSummary &summary);

} // namespace AnalysisTexts
