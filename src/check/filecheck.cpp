// The checker's findings in one file: the editor's checks, each failure put into words.
#include "filecheck.h"
#include "fileformat.h"
#include "printable.h"
#include "ruletexts.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Long enough for any line the writer produces with realistic values.
constexpr int longestShownText = 80;

QString printable(const QString &text)
{
    return ::printable(text, longestShownText);
}

QString words(const char *text)
{
    return QString::fromUtf8(text);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + printable(text) + QLatin1Char('"');
}

// Values as the report shows them: empty, as a number with its unit (two decimals, as the editor
// shows them, unless that would hide a difference), or quoted when the text reads as no number.
QString shown_real(const QString &text, const char *unit)
{
    if (text.isEmpty()) {
        return words(RuleTexts::valueEmpty);
    }
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok) {
        return quoted(text);
    }
    QString number = QString::number(double(value), 'f', 2);
    if (number.toFloat() != value) {
        number = printable(text.trimmed());
    }
    return unit ? number + QLatin1Char(' ') + QLatin1String(unit) : number;
}

QString metres(const QString &text)
{
    return shown_real(text, "m");
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

// The first maximum axle distance of a subclass above the header's maximum, over each whole
// list as the header check reads it.
HeaderFinding below_subclass(const Conf &conf)
{
    const QString max = conf.get_max_axle_distance();
    for (const quint16 number : conf.get_subclass_numbers()) {
        const Subclass &s = conf.get_subclass(number);
        for (int i = 0; i < s.get_max_distance_count(); ++i) {
            const QString distance = s.get_max_distance_at_index(i);
            if (distance.toFloat() > max.toFloat()) {
                return {words(RuleTexts::labelMaxAxleDist),
                    words(RuleTexts::ruleHeaderMaxBelowSubclass)
                        .arg(metres(max), metres(distance), QString::number(number)),
                    true};
            }
        }
    }
    return {};
}

QVector<HeaderFinding> header_findings(const Conf &conf)
{
    QVector<HeaderFinding> found;
    const auto fails = [&found](bool valid, const char *label, const QString &rule) {
        if (!valid) {
            found.append({words(label), rule, false});
        }
    };
    const QString min = conf.get_min_axle_distance();
    const QString max = conf.get_max_axle_distance();
    const QString unclassified = conf.get_unclassified_vehicles_subclass();
    fails(conf.is_country_code_valid(), RuleTexts::labelCountry,
        words(RuleTexts::ruleCountryCode).arg(shown_text(conf.get_country_code())));
    fails(conf.is_group_max_distance_valid(), RuleTexts::labelGroupMaxDist,
        words(RuleTexts::ruleNotAboveZero).arg(metres(conf.get_group_max_distance())));
    const int maxState = conf.check_max_axle_distance();
    fails(maxState != 2, RuleTexts::labelMaxAxleDist,
        max.isEmpty() ? words(RuleTexts::ruleMissing)
                      : words(RuleTexts::ruleHeaderMaxBelowMin).arg(metres(max), metres(min)));
    if (maxState == 1) {
        found.append(below_subclass(conf));
    }
    fails(conf.is_min_axle_distance_valid(), RuleTexts::labelMinAxleDist,
        words(RuleTexts::ruleHeaderMinAboveMax).arg(metres(min), metres(max)));
    fails(conf.is_unclassified_vehicles_subclass_valid(), RuleTexts::labelUnclassified,
        words(RuleTexts::ruleUnclassifiedExists)
            .arg(shown_whole(unclassified), QString::number(unclassified.toUShort())));
    fails(conf.is_uncategorised_vehicle_category_valid(), RuleTexts::labelUncategorised,
        words(RuleTexts::ruleUncategorised)
            .arg(shown_whole(conf.get_uncategorised_vehicle_category())));
    fails(conf.is_g_acceleration_constant_valid(), RuleTexts::labelG,
        words(RuleTexts::ruleNotAboveZero)
            .arg(shown_real(conf.get_g_acceleration_constant(), nullptr)));
    return found;
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

// Every rule of the full subclass check that the subclass fails, in the check's order. Indices
// are bounded by the lists and by the largest valid axle count: a file may declare any count.
QStringList subclass_rules(const Subclass &s, const QString &hdrMin, const QString &hdrMax)
{
    QStringList rules;
    const int axles = qBound(0, s.get_number_of_axles().toInt(), FileFormat::MaxAxles);
    const int mins = s.get_min_distance_count();
    const int maxs = s.get_max_distance_count();
    if (axles > 1 && mins != maxs) {
        // The maximum check refuses every gap then, whatever the values.
        rules << words(RuleTexts::ruleDistanceListsDiffer);
    }
    IndexedRules gaps;
    const float low = hdrMin.toFloat();
    const float high = hdrMax.toFloat();
    for (int i = 0; i + 1 < axles && i < qMin(mins, maxs); ++i) {
        const bool minFails = !s.is_min_distance_valid(i, hdrMin, hdrMax);
        const bool maxFails = mins == maxs && !s.is_max_distance_valid(i, hdrMin, hdrMax);
        const QString m = s.get_min_distance_at_index(i);
        const QString M = s.get_max_distance_at_index(i);
        const auto add
            = [&](bool broken, const char *rule, const QString &value, const QString &bound) {
                  if (broken) {
                      gaps.add(RuleTexts::whereGap, RuleTexts::whereGaps, i + 1,
                          words(rule).arg(metres(value), metres(bound)));
                  }
              };
        add((minFails || maxFails) && m.toFloat() > M.toFloat(), RuleTexts::ruleGapMinAboveMax, m,
            M);
        add(minFails && m.toFloat() < low, RuleTexts::ruleGapMinBelowHeader, m, hdrMin);
        add(minFails && m.toFloat() > high, RuleTexts::ruleGapMinAboveHeader, m, hdrMax);
        add(maxFails && M.toFloat() < low, RuleTexts::ruleGapMaxBelowHeader, M, hdrMin);
        add(maxFails && M.toFloat() > high, RuleTexts::ruleGapMaxAboveHeader, M, hdrMax);
    }
    gaps.append_to(rules);
    IndexedRules axleRules;
    const int weighed = std::min({axles, s.get_max_axle_weight_count(), s.get_tyre_type_count()});
    for (int i = 0; i < weighed; ++i) {
        if (!s.is_max_axle_weight_valid(i)) {
            axleRules.add(RuleTexts::whereAxle, RuleTexts::whereAxles, i + 1,
                words(RuleTexts::ruleAxleWeight)
                    .arg(shown_real(s.get_max_axle_weight_at_index(i), "kN")));
        }
        if (!s.is_tyre_type_valid(i)) {
            axleRules.add(RuleTexts::whereAxle, RuleTexts::whereAxles, i + 1,
                words(RuleTexts::ruleAxleTyre).arg(shown_whole(s.get_tyre_type_at_index(i))));
        }
    }
    axleRules.append_to(rules);
    for (int i = 0; i < s.get_combined_constraint_count(); ++i) {
        if (!s.is_combined_constraint_valid(i)) {
            rules << words(RuleTexts::whereConstraint).arg(i + 1) + QStringLiteral(": ")
                    + words(RuleTexts::ruleConstraint)
                          .arg(shown_text(s.get_combined_constraint_at_index(i)));
        }
    }
    if (!s.is_category_valid()) {
        rules << words(RuleTexts::ruleCategory);
    }
    if (!s.is_number_of_axles_valid()) {
        rules << words(RuleTexts::ruleAxleCount).arg(shown_whole(s.get_number_of_axles()));
    }
    if (!s.is_max_GVW_valid()) {
        rules << words(RuleTexts::ruleMaxGVW);
    }
    if (!s.is_axle_configuration_valid()) {
        static const QRegularExpression form(QStringLiteral("\\A[ABCHLMV]\\d+(?:[DTS]\\d+)*\\z"),
            QRegularExpression::UseUnicodePropertiesOption);
        const QString configuration = s.get_axle_configuration();
        if (configuration.isEmpty()) {
            rules << words(RuleTexts::ruleAxleConfMissing);
        } else if (!form.match(configuration).hasMatch()) {
            rules << words(RuleTexts::ruleAxleConfForm).arg(quoted(configuration));
        } else {
            rules << words(RuleTexts::ruleAxleConfCount)
                         .arg(printable(configuration), shown_whole(s.get_number_of_axles()));
        }
    }
    return rules;
}

// The editor's loading rule for a reclassification target: the text read as a subclass number,
// 0 for none; an existing target must have this subclass's number of axles, as text.
void check_target(const Conf &conf, const Subclass &s, const QString &target,
    bool (Subclass::*valid)(QString) const, const char *missing, const char *axles,
    QStringList &rules)
{
    const quint16 number = target.toUShort();
    if (number == 0) {
        return;
    }
    if (!conf.contains_subclass(number)) {
        rules << words(missing).arg(printable(target));
        return;
    }
    const QString theirs = conf.get_subclass(number).get_number_of_axles();
    if (!(s.*valid)(theirs) || theirs != s.get_number_of_axles()) {
        rules << words(axles).arg(
            printable(target), shown_whole(theirs), shown_whole(s.get_number_of_axles()));
    }
}

} // namespace

FileCheck::FileCheck(const QString &path)
    : path(path)
    , conf(path, nullptr)
    , save(conf)
{
    if (!conf.file_opened()) {
        return;
    }
    stoppedAtLine = conf.stopped_at_line();
    stoppedLine = printable(conf.stopped_line_text());
    header = header_findings(conf);
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();
    for (const quint16 number : conf.get_invalid_subclasses()) {
        invalidSubclasses.append(
            {number, subclass_rules(conf.get_subclass(number), hdrMin, hdrMax)});
    }
    for (const quint16 number : conf.get_subclass_numbers()) {
        const Subclass &s = conf.get_subclass(number);
        QStringList rules;
        check_target(conf, s, s.get_reclassify_up_to_subclass(), &Subclass::is_reclassify_up_valid,
            RuleTexts::ruleReclassifyUpMissing, RuleTexts::ruleReclassifyUpAxles, rules);
        check_target(conf, s, s.get_reclassify_down_to_subclass(),
            &Subclass::is_reclassify_down_valid, RuleTexts::ruleReclassifyDownMissing,
            RuleTexts::ruleReclassifyDownAxles, rules);
        if (!rules.isEmpty()) {
            targets.append({number, rules});
        }
    }
}

int FileCheck::problem_count() const
{
    int count = header.size() + (stoppedAtLine > 0 ? 1 : 0) + (save.asks() ? 1 : 0)
        + (save.accepts() ? 0 : 1);
    for (const auto *list : {&invalidSubclasses, &targets}) {
        for (const SubclassFinding &finding : *list) {
            count += finding.rules.size();
        }
    }
    return count;
}

int FileCheck::status() const
{
    if (!conf.file_opened() || format.kind == FormatOutcome::Failed) {
        return 2;
    }
    return problem_count() > 0 || format.kind == FormatOutcome::Refused ? 1 : 0;
}
