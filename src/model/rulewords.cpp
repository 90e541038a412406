// The configuration's rules in words: why a header field, a subclass or a reclassification target
// fails, said by the same comparisons the checks make.
#include "conf.h"
#include "ruletexts.h"
#include "subclass.h"
#include "textscan.h"
#include "valuewords.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

using FileFormat::Section;

namespace {

// Long enough for any value the writer produces with realistic values.
constexpr int longestShownText = 80;

QString words(const char *text)
{
    return QCoreApplication::translate(RuleTexts::context, text);
}

QString printable(const QString &text)
{
    QString shown = text.left(longestShownText);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control) {
            c = QChar::ReplacementCharacter;
        }
    }
    return shown.size() < text.size() ? shown + QStringLiteral("...") : shown;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + printable(text) + QLatin1Char('"');
}

// A non-empty text that converts to no finite number: a rule comparing it compares 0 or nan.
bool isNoNumber(const QString &text)
{
    if (text.isEmpty()) {
        return false;
    }
    bool ok = false;
    const float value = text.toFloat(&ok);
    return !ok || !qIsFinite(value);
}

} // namespace

namespace ValueWords {

// Values as the words show them: empty, as a number with its unit (two decimals, as the editor
// shows them, unless that would hide a difference), or quoted when the text reads as no number.
QString shown_real(const QString &text, const char *unit)
{
    if (text.isEmpty()) {
        return words(RuleTexts::valueEmpty);
    }
    if (isNoNumber(text)) {
        return quoted(text);
    }
    const float value = text.toFloat();
    QString number = QString::number(double(value), 'f', 2);
    if (number.toFloat() != value) {
        number = printable(text.trimmed());
    }
    return unit ? number + QLatin1Char(' ') + QLatin1String(unit) : number;
}


QString shown_whole(const QString &text)
{
    if (text.isEmpty()) {
        return words(RuleTexts::valueEmpty);
    }
    bool ok = false;
    text.toInt(&ok);
    return ok ? printable(text) : quoted(text);
}

QString shown_text(const QString &text)
{
    return text.isEmpty() ? words(RuleTexts::valueEmpty) : quoted(text);
}

} // namespace ValueWords

namespace {

QString metres(const QString &text)
{
    return ValueWords::shown_real(text, "m");
}

// Rules failed at gaps or axles, said once for each run of consecutive ones with the same words:
// a new five-axle subclass misses every weight, and a file may declare thousands of axles.
class IndexedRules
{
public:
    void add(const char *where, const char *whereRun, int index, const QString &rule)
    {
        for (Run &run : runs) {
            if (run.where == where && run.last + 1 == index && run.rule == rule) {
                run.last = index;
                return;
            }
            if (run.where == where && run.last == index && run.rule == rule) {
                return; // said for this index already
            }
        }
        runs.append({where, whereRun, index, index, rule});
    }

    void append_to(QStringList &rules) const
    {
        for (const Run &run : runs) {
            const QString where = run.first == run.last
                ? words(run.where).arg(run.first)
                : words(run.whereRun).arg(run.first).arg(run.last);
            rules << where + QStringLiteral(": ") + run.rule;
        }
    }

private:
    struct Run
    {
        const char *where;
        const char *whereRun;
        int first;
        int last;
        QString rule;
    };
    QVector<Run> runs;
};

} // namespace

QStringList Subclass::get_failing_rules(QString hdr_min, QString hdr_max) const
{
    QStringList rules;
    // Indices are bounded by the lists and by the largest valid axle count: a file may declare
    // any count, and one beyond the range fails its own rule.
    const int n = readWhole(valueOf(Section::NumberOfAxles));
    const int axles = qBound(0, n, FileFormat::MaxAxles);
    const int mins = min_axle_distances.size();
    const int maxs = max_axle_distances.size();
    if (n > 1 && mins != maxs) {
        // The maximum check refuses every gap then, whatever the values.
        rules << words(RuleTexts::ruleDistanceListsDiffer);
    }
    IndexedRules gaps;
    const float low = readReal(hdr_min);
    const float high = readReal(hdr_max);
    for (int i = 0; i + 1 < axles; ++i) {
        if (i >= qMin(mins, maxs)) {
            gaps.add(
                RuleTexts::whereGap, RuleTexts::whereGaps, i + 1, words(RuleTexts::ruleMissing));
            continue;
        }
        const QString &m = min_axle_distances.at(i);
        const QString &M = max_axle_distances.at(i);
        unsigned faults = gapFaults(readReal(m), readReal(M), low, high);
        if (mins != maxs) {
            faults &= ~(MaxBelowHeader | MaxAboveHeader); // said once for the whole list above
        }
        // Each failing comparison, blamed on the value of it that reads as no number if any.
        const auto add = [&](unsigned fault, const QString &first, const char *firstNoNumber,
                             const QString &second, const char *secondNoNumber, const char *rule,
                             const QString &shownFirst, const QString &shownSecond) {
            if (!(faults & fault)) {
                return;
            }
            QString said;
            if (isNoNumber(first)) {
                said = words(firstNoNumber).arg(quoted(first));
            } else if (isNoNumber(second)) {
                said = words(secondNoNumber).arg(quoted(second));
            } else {
                said = words(rule).arg(shownFirst, shownSecond);
            }
            gaps.add(RuleTexts::whereGap, RuleTexts::whereGaps, i + 1, said);
        };
        add(MinAboveMax, m, RuleTexts::ruleGapMinNotANumber, M, RuleTexts::ruleGapMaxNotANumber,
            RuleTexts::ruleGapMinAboveMax, metres(m), metres(M));
        add(MinBelowHeader, m, RuleTexts::ruleGapMinNotANumber, hdr_min,
            RuleTexts::ruleHeaderMinNotANumber, RuleTexts::ruleGapMinBelowHeader, metres(m),
            metres(hdr_min));
        add(MinAboveHeader, m, RuleTexts::ruleGapMinNotANumber, hdr_max,
            RuleTexts::ruleHeaderMaxNotANumber, RuleTexts::ruleGapMinAboveHeader, metres(m),
            metres(hdr_max));
        add(MaxBelowHeader, M, RuleTexts::ruleGapMaxNotANumber, hdr_min,
            RuleTexts::ruleHeaderMinNotANumber, RuleTexts::ruleGapMaxBelowHeader, metres(M),
            metres(hdr_min));
        add(MaxAboveHeader, M, RuleTexts::ruleGapMaxNotANumber, hdr_max,
            RuleTexts::ruleHeaderMaxNotANumber, RuleTexts::ruleGapMaxAboveHeader, metres(M),
            metres(hdr_max));
    }
    gaps.append_to(rules);

    IndexedRules axleRules;
    for (int i = 0; i < axles; ++i) {
        if (i >= max_axle_weights.size() || i >= tyre_types.size()) {
            axleRules.add(
                RuleTexts::whereAxle, RuleTexts::whereAxles, i + 1, words(RuleTexts::ruleMissing));
            continue;
        }
        const QString &weight = max_axle_weights.at(i);
        if (!is_max_axle_weight_valid(i)) {
            axleRules.add(RuleTexts::whereAxle, RuleTexts::whereAxles, i + 1,
                isNoNumber(weight) ? words(RuleTexts::ruleAxleWeightNotANumber).arg(quoted(weight))
                                   : words(RuleTexts::ruleAxleWeight).arg(ValueWords::shown_real(weight, "kN")));
        }
        if (!is_tyre_type_valid(i)) {
            axleRules.add(RuleTexts::whereAxle, RuleTexts::whereAxles, i + 1,
                words(RuleTexts::ruleAxleTyre).arg(ValueWords::shown_whole(tyre_types.at(i))));
        }
    }
    axleRules.append_to(rules);
    for (int i = 0; i < combined_constraints.size(); ++i) {
        if (!is_combined_constraint_valid(i)) {
            rules << words(RuleTexts::whereConstraint).arg(i + 1) + QStringLiteral(": ")
                    + words(RuleTexts::ruleConstraint).arg(ValueWords::shown_text(combined_constraints.at(i)));
        }
    }
    if (!is_category_valid()) {
        rules << words(RuleTexts::ruleCategory);
    }
    if (!is_number_of_axles_valid()) {
        rules << words(RuleTexts::ruleAxleCount).arg(ValueWords::shown_whole(get_number_of_axles()));
    }
    if (!is_max_GVW_valid()) {
        rules << words(RuleTexts::ruleMaxGVW);
    }
    if (!is_axle_configuration_valid()) {
        static const QRegularExpression form(QStringLiteral("\\A[ABCHLMV]\\d+(?:[DTS]\\d+)*\\z"),
            QRegularExpression::UseUnicodePropertiesOption);
        const QString configuration = get_axle_configuration();
        if (configuration.isEmpty()) {
            rules << words(RuleTexts::ruleAxleConfMissing);
        } else if (!form.match(configuration).hasMatch()) {
            rules << words(RuleTexts::ruleAxleConfForm).arg(quoted(configuration));
        } else {
            rules << words(RuleTexts::ruleAxleConfCount)
                         .arg(printable(configuration), ValueWords::shown_whole(get_number_of_axles()));
        }
    }
    return rules;
}

QVector<Conf::HeaderFailure> Conf::get_failing_header_rules() const
{
    QVector<HeaderFailure> found;
    const auto fails = [&found](bool valid, const char *label, const QString &rule) {
        if (!valid) {
            found.append({words(label), rule, false});
        }
    };
    const QString min = get_min_axle_distance();
    const QString max = get_max_axle_distance();
    const QString unclassified = get_unclassified_vehicles_subclass();
    fails(is_country_code_valid(), RuleTexts::labelCountry,
        words(RuleTexts::ruleCountryCode).arg(ValueWords::shown_text(get_country_code())));
    fails(is_group_max_distance_valid(), RuleTexts::labelGroupMaxDist,
        words(RuleTexts::ruleNotAboveZero).arg(metres(get_group_max_distance())));
    const int maxState = check_max_axle_distance();
    fails(maxState != 2, RuleTexts::labelMaxAxleDist,
        max.isEmpty() ? words(RuleTexts::ruleMissing)
                      : words(RuleTexts::ruleHeaderMaxBelowMin).arg(metres(max), metres(min)));
    if (maxState == 1) {
        // The subclass the check found, and the first of its maximum distances above the header's.
        const float limit = readReal(max);
        const quint16 number = quint16(firstSubclassAbove(limit));
        const Subclass &s = get_subclass(number);
        for (const QString &distance : s.max_axle_distances) {
            if (readReal(distance) > limit) {
                found.append({words(RuleTexts::labelMaxAxleDist),
                    words(RuleTexts::ruleHeaderMaxBelowSubclass)
                        .arg(metres(max), metres(distance), QString::number(number)),
                    true});
                break;
            }
        }
    }
    fails(is_min_axle_distance_valid(), RuleTexts::labelMinAxleDist,
        words(RuleTexts::ruleHeaderMinAboveMax).arg(metres(min), metres(max)));
    fails(is_unclassified_vehicles_subclass_valid(), RuleTexts::labelUnclassified,
        words(RuleTexts::ruleUnclassifiedExists)
            .arg(ValueWords::shown_whole(unclassified), QString::number(unclassified.toUShort())));
    fails(is_uncategorised_vehicle_category_valid(), RuleTexts::labelUncategorised,
        words(RuleTexts::ruleUncategorised).arg(ValueWords::shown_whole(get_uncategorised_vehicle_category())));
    fails(is_g_acceleration_constant_valid(), RuleTexts::labelG,
        words(RuleTexts::ruleNotAboveZero).arg(ValueWords::shown_real(get_g_acceleration_constant(), nullptr)));
    return found;
}

QStringList Conf::get_failing_subclass_rules(quint16 number) const
{
    if (!contains_subclass(number)) {
        return QStringList();
    }
    return get_subclass(number).get_failing_rules(get_min_axle_distance(), get_max_axle_distance());
}

QStringList Conf::get_failing_target_rules(quint16 number) const
{
    QStringList rules;
    if (!contains_subclass(number)) {
        return rules;
    }
    const Subclass &s = get_subclass(number);
    // The editor's loading rule for a target: the text read as a subclass number, 0 for none; an
    // existing target must have this subclass's number of axles, as text.
    const auto check = [&](const QString &target, bool (Subclass::*valid)(QString) const,
                           const char *missing, const char *axles) {
        const quint16 to = target.toUShort();
        if (to == 0) {
            return;
        }
        if (!contains_subclass(to)) {
            rules << words(missing).arg(printable(target));
            return;
        }
        const QString theirs = get_subclass(to).get_number_of_axles();
        if (!(s.*valid)(theirs) || theirs != s.get_number_of_axles()) {
            rules << words(axles).arg(
                printable(target), ValueWords::shown_whole(theirs), ValueWords::shown_whole(s.get_number_of_axles()));
        }
    };
    check(s.get_reclassify_up_to_subclass(), &Subclass::is_reclassify_up_valid,
        RuleTexts::ruleReclassifyUpMissing, RuleTexts::ruleReclassifyUpAxles);
    check(s.get_reclassify_down_to_subclass(), &Subclass::is_reclassify_down_valid,
        RuleTexts::ruleReclassifyDownMissing, RuleTexts::ruleReclassifyDownAxles);
    return rules;
}
