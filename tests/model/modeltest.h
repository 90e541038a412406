// Helpers shared by the model tests and the edit fuzzer: log capture, a subclass's lists as
// text, one builder of valid subclasses, and the plain definitions the set operations must agree
// with. Qt Core only, so that the fuzzer can use them too.
#pragma once

#include "conf.h"

#include <QStringList>
#include <QVector>
#include <QtGlobal>

// The log lines written while a Capture lives, instead of printing them; fatal ones still go
// to the handler before it.
inline QStringList messages;
inline QtMessageHandler uncaptured = nullptr;

struct Capture
{
    QtMessageHandler previous = uncaptured = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            type == QtFatalMsg ? uncaptured(type, context, text) : void(messages << text);
        });
    ~Capture() { qInstallMessageHandler(previous); }
};

// The weight, minimum and maximum distance, tyre and constraint lists, each joined by ";".
inline QStringList lists(const Subclass &s)
{
    const auto join = [&s](int count, QString (Subclass::*at)(int) const) {
        QStringList items;
        for (int i = 0; i < count; ++i) {
            items << (s.*at)(i);
        }
        return items.join(';');
    };
    return {join(s.get_max_axle_weight_count(), &Subclass::get_max_axle_weight_at_index),
        join(s.get_min_distance_count(), &Subclass::get_min_distance_at_index),
        join(s.get_max_distance_count(), &Subclass::get_max_distance_at_index),
        join(s.get_tyre_type_count(), &Subclass::get_tyre_type_at_index),
        join(s.get_combined_constraint_count(), &Subclass::get_combined_constraint_at_index)};
}

// A complete, valid subclass of `axles` axles: category 3, weights 100, tyre type 2, minimum
// distances 1.5 and maximum distances `max`.
inline Subclass validSubclass(quint16 number, int axles = 3, const QString &max = "4.5")
{
    Subclass s;
    s.set_subclass_number(number);
    s.set_category("3");
    s.set_max_GVW("400");
    s.set_axle_configuration("H" + QString::number(axles));
    for (int i = 0; i < axles; ++i) {
        s.set_max_axle_weight_at_index("100", i);
        s.set_tyre_type_at_index("2", i);
        if (i + 1 < axles) {
            s.set_min_distance_at_index("1.5", i);
            s.set_max_distance_at_index(max, i);
        }
    }
    s.set_number_of_axles(QString::number(axles));
    return s;
}

// The whole-subclass check (or the completeness check) step by step through the per-index
// checks, in their order.
inline bool checkedByIndex(
    const Subclass &s, const QString &low, const QString &high, bool complete)
{
    const int n = s.get_number_of_axles().toInt();
    bool ok = true;
    for (int i = 0; ok && i + 1 < n; ++i) {
        ok = complete
            ? s.get_min_distance_at_index(i).toFloat() > 0
                && s.get_max_distance_at_index(i).toFloat() > 0
            : s.is_min_distance_valid(i, low, high) && s.is_max_distance_valid(i, low, high);
    }
    for (int i = 0; ok && i < n; ++i) {
        ok = complete ? s.is_tyre_type_valid(i) && s.is_max_axle_weight_valid(i)
                      : s.is_max_axle_weight_valid(i) && s.is_tyre_type_valid(i);
    }
    for (int i = 0; ok && !complete && i < s.get_combined_constraint_count(); ++i) {
        ok = s.is_combined_constraint_valid(i);
    }
    return ok && s.is_category_valid() && s.is_number_of_axles_valid() && s.is_max_GVW_valid()
        && s.is_axle_configuration_valid();
}

// The first duplicated pair in plain pairwise order.
inline QString pairwiseDuplicates(Conf &conf)
{
    const QVector<quint16> numbers = conf.get_subclass_numbers();
    for (int a = 0; a < numbers.size(); ++a) {
        for (int b = a + 1; b < numbers.size(); ++b) {
            if (conf.get_subclass(numbers[a]).is_duplicate_of(conf.get_subclass(numbers[b]))) {
                return QStringLiteral("%1 = %2").arg(numbers[a]).arg(numbers[b]);
            }
        }
    }
    return QString();
}

// What find_duplicates, get_invalid_subclasses, check_max_axle_distance and
// is_configuration_valid answer, or, when `plain`, what their plain definitions give, taken
// subclass by subclass through the per-index checks.
inline QString setChecks(Conf &conf, bool plain)
{
    const QString low = conf.get_min_axle_distance();
    const QString high = conf.get_max_axle_distance();
    QVector<quint16> invalid = plain ? QVector<quint16>() : conf.get_invalid_subclasses();
    QPair<bool, quint16> valid
        = plain ? qMakePair(true, quint16(0)) : conf.is_configuration_valid();
    int above = !plain                                     ? conf.check_max_axle_distance()
        : high.isEmpty() || high.toFloat() < low.toFloat() ? 2
                                                           : 0;
    for (const quint16 number : plain ? conf.get_subclass_numbers() : QVector<quint16>()) {
        const Subclass &s = conf.get_subclass(number);
        if (!checkedByIndex(s, low, high, false)) {
            invalid << number;
        }
        if (valid.first && !checkedByIndex(s, low, high, true)) {
            valid = qMakePair(false, number);
        }
        for (int i = 0; above == 0 && i < s.get_max_distance_count(); ++i) {
            above = s.get_max_distance_at_index(i).toFloat() > high.toFloat() ? 1 : 0;
        }
    }
    if (plain && valid.first) {
        valid.first = conf.is_country_code_valid() && conf.is_group_max_distance_valid()
            && conf.is_unclassified_vehicles_subclass_valid();
    }
    QStringList numbers;
    for (const quint16 number : invalid) {
        numbers << QString::number(number);
    }
    return QStringLiteral("%1|%2|%3|%4 %5")
        .arg(plain ? pairwiseDuplicates(conf) : conf.find_duplicates(), numbers.join(' '))
        .arg(above)
        .arg(valid.first)
        .arg(valid.second);
}
