// The failing rules of a subclass in words, for the sheet's closing page.
#include "sheetrulewords.h"
#include "conf.h"
#include "fileformat.h"
#include "printable.h"
#include "ruletexts.h"
#include "vehicledrawing.h"

#include <QCoreApplication>

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate(RuleTexts::context, text);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + printable(text, 80) + QLatin1Char('"');
}

// A value as a rule shows it: "(empty)", a number with two decimals and its unit, or the text
// quoted when it reads as no number.
QString shown(const QString &text, const char *unit)
{
    if (text.isEmpty()) {
        return words(RuleTexts::valueEmpty);
    }
    bool ok = false;
    const float value = text.toFloat(&ok);
    if (!ok) {
        return quoted(text);
    }
    const QString number = QString::number(double(value), 'f', 2);
    return unit ? number + QLatin1Char(' ') + QLatin1String(unit) : number;
}

// A whole number as it stands in the file, or quoted when it reads as none.
QString whole(const QString &text)
{
    if (text.isEmpty()) {
        return words(RuleTexts::valueEmpty);
    }
    bool ok = false;
    text.toInt(&ok);
    return ok ? printable(text, 80) : quoted(text);
}

QString at(const char *where, int index, const QString &rule)
{
    return words(where).arg(index) + QStringLiteral(": ") + rule;
}

} // namespace

QStringList sheetRuleWords(const Conf &conf, quint16 number)
{
    const Subclass &s = conf.get_subclass(number);
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();
    QStringList rules;
    // Indices stay within the lists and the largest valid axle count: a file may declare any.
    const int axles = qBound(0, s.get_number_of_axles().toInt(), FileFormat::MaxAxles);
    const int mins = s.get_min_distance_count();
    const int maxs = s.get_max_distance_count();
    if (axles > 1 && mins != maxs) {
        rules << words(RuleTexts::ruleDistanceListsDiffer);
    }
    for (int i = 0; i + 1 < axles; ++i) {
        if (i >= qMin(mins, maxs)) {
            rules << at(RuleTexts::whereGap, i + 1, words(RuleTexts::ruleMissing));
            continue;
        }
        const QString m = s.get_min_distance_at_index(i);
        const QString M = s.get_max_distance_at_index(i);
        const bool minFails = !s.is_min_distance_valid(i, hdrMin, hdrMax);
        const bool maxFails = mins == maxs && !s.is_max_distance_valid(i, hdrMin, hdrMax);
        const auto add
            = [&](bool broken, const char *rule, const QString &value, const QString &bound) {
                  if (broken) {
                      rules << at(RuleTexts::whereGap, i + 1,
                          words(rule).arg(shown(value, "m"), shown(bound, "m")));
                  }
              };
        add((minFails || maxFails) && m.toFloat() > M.toFloat(), RuleTexts::ruleGapMinAboveMax, m,
            M);
        add(minFails && m.toFloat() < hdrMin.toFloat(), RuleTexts::ruleGapMinBelowHeader, m,
            hdrMin);
        add(minFails && m.toFloat() > hdrMax.toFloat(), RuleTexts::ruleGapMinAboveHeader, m,
            hdrMax);
        add(maxFails && M.toFloat() < hdrMin.toFloat(), RuleTexts::ruleGapMaxBelowHeader, M,
            hdrMin);
        add(maxFails && M.toFloat() > hdrMax.toFloat(), RuleTexts::ruleGapMaxAboveHeader, M,
            hdrMax);
    }
    for (int i = 0; i < axles; ++i) {
        if (i >= s.get_max_axle_weight_count() || !s.is_max_axle_weight_valid(i)) {
            rules << at(RuleTexts::whereAxle, i + 1,
                words(RuleTexts::ruleAxleWeight)
                    .arg(shown(s.get_max_axle_weight_at_index(i), "kN")));
        }
        if (i >= s.get_tyre_type_count() || !s.is_tyre_type_valid(i)) {
            rules << at(RuleTexts::whereAxle, i + 1,
                words(RuleTexts::ruleAxleTyre).arg(whole(s.get_tyre_type_at_index(i))));
        }
    }
    for (int i = 0; i < s.get_combined_constraint_count(); ++i) {
        if (!s.is_combined_constraint_valid(i)) {
            const QString text = s.get_combined_constraint_at_index(i);
            rules << at(RuleTexts::whereConstraint, i + 1,
                words(RuleTexts::ruleConstraint).arg(quoted(text)));
        }
    }
    if (!s.is_category_valid()) {
        rules << words(RuleTexts::ruleCategory);
    }
    if (!s.is_number_of_axles_valid()) {
        rules << words(RuleTexts::ruleAxleCount).arg(whole(s.get_number_of_axles()));
    }
    if (!s.is_max_GVW_valid()) {
        rules << words(RuleTexts::ruleMaxGVW);
    }
    if (!s.is_axle_configuration_valid()) {
        const QString configuration = s.get_axle_configuration();
        // Counts that add up to the axles leave the form of the text as what is wrong.
        qint64 counted = 0;
        for (const VehicleUnit &unit : VehicleDrawing::splitUnits(configuration)) {
            counted += unit.count;
        }
        if (configuration.isEmpty()) {
            rules << words(RuleTexts::ruleAxleConfMissing);
        } else if (counted == s.get_number_of_axles().toInt()) {
            rules << words(RuleTexts::ruleAxleConfForm).arg(quoted(configuration));
        } else {
            rules << words(RuleTexts::ruleAxleConfCount)
                         .arg(printable(configuration, 80), whole(s.get_number_of_axles()));
        }
    }
    if (rules.isEmpty() && !s.is_subclass_valid(hdrMin, hdrMax)) {
        // A value that reads as no number can fail a check without any rule above naming it:
        // the subclass is still listed, never silently.
        rules << QCoreApplication::translate(
            "ClassificationSheet", "a value that is no number fails the editor's checks");
    }
    return rules;
}
