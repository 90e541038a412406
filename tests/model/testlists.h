// Helpers shared by the model tests: log capture and a subclass's lists as text.
#pragma once

#include "subclass.h"

#include <QStringList>
#include <QVector>
#include <QtGlobal>

// The log lines written while a Capture lives, instead of printing them.
inline QStringList messages;

struct Capture
{
    QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { messages << text; });
    ~Capture() { qInstallMessageHandler(previous); }
};

// The weight, minimum and maximum distance, tyre and constraint lists, each joined by ";".
inline QStringList lists(const Subclass &s)
{
    using Count = int (Subclass::*)() const;
    using At = QString (Subclass::*)(int) const;
    const QVector<QPair<Count, At>> kinds {
        {&Subclass::get_max_axle_weight_count, &Subclass::get_max_axle_weight_at_index},
        {&Subclass::get_min_distance_count, &Subclass::get_min_distance_at_index},
        {&Subclass::get_max_distance_count, &Subclass::get_max_distance_at_index},
        {&Subclass::get_tyre_type_count, &Subclass::get_tyre_type_at_index},
        {&Subclass::get_combined_constraint_count, &Subclass::get_combined_constraint_at_index}};
    QStringList all;
    for (const auto &kind : kinds) {
        QStringList items;
        for (int i = 0; i < (s.*kind.first)(); ++i) {
            items << (s.*kind.second)(i);
        }
        all << items.join(';');
    }
    return all;
}
