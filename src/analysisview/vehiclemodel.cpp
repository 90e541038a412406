// The recorded vehicles of a run as a filtered table, texts made per shown cell.
#include "vehiclemodel.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyle>

VehicleModel::VehicleModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void VehicleModel::setRun(const std::shared_ptr<const AnalysisRun> &latest, bool markChanges)
{
    beginResetModel();
    run = latest;
    marks = markChanges;
    refilter();
    endResetModel();
}

void VehicleModel::setUnits(const DisplayUnits &shownUnits)
{
    beginResetModel();
    units = shownUnits;
    endResetModel();
}

void VehicleModel::setFilter(int which)
{
    beginResetModel();
    filter = which;
    refilter();
    endResetModel();
}

void VehicleModel::refilter()
{
    shown.clear();
    if (!run) {
        return;
    }
    const QVector<VehicleOutcome> &vehicles = run->vehicles;
    shown.reserve(vehicles.size());
    for (int i = 0; i < vehicles.size(); ++i) {
        const VehicleOutcome &v = vehicles.at(i);
        if (filter == All || (filter == ChangedOnly && marks && v.changed)
            || int(v.verdict) == filter) {
            shown.append(i);
        }
    }
}

const VehicleOutcome *VehicleModel::vehicleAt(int row) const
{
    return row >= 0 && row < shown.size() ? &run->vehicles.at(shown.at(row)) : nullptr;
}

int VehicleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shown.size();
}

int VehicleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString VehicleModel::previousOutcome(const VehicleOutcome &vehicle) const
{
    const int before = run->comparedWith ? run->comparedWith->find(vehicle.record.line) : -1;
    if (before < 0) {
        return QString();
    }
    const RowOutcomes &then = *run->comparedWith;
    if (then.verdict(before) < 0) {
        return tr("skipped");
    }
    QStringList numbers;
    for (const quint16 number : then.subclasses(before)) {
        numbers << QString::number(number);
    }
    const QString verdict
        = AnalysisTexts::verdict_word(VehicleMatch::Verdict(then.verdict(before)));
    return numbers.isEmpty()  ? verdict
        : numbers.size() == 1 ? tr("%1 (subclass %2)").arg(verdict, numbers.first())
                              : tr("%1 (subclasses %2)").arg(verdict, numbers.join(", "));
}

QVariant VehicleModel::data(const QModelIndex &index, int role) const
{
    const VehicleOutcome *v = vehicleAt(index.row());
    if (!v) {
        return QVariant();
    }
    const bool changed = marks && v->changed;
    const int column = index.column();
    if (role == Qt::FontRole && changed) {
        QFont font;
        font.setBold(true);
        return font;
    }
    if (role == Qt::DecorationRole && column == Expected && !v->expectedMatched) {
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    }
    if (role == Qt::TextAlignmentRole && (column == Line || column == Axles)) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == Qt::TextAlignmentRole && column == Changed) {
        return int(Qt::AlignCenter);
    }
    if (role == Qt::ToolTipRole) {
        if (column == Changed && changed) {
            return tr("Changed by your edits; before: %1").arg(previousOutcome(*v));
        }
        if (column == Expected && !v->expectedMatched) {
            return tr("The expected subclass %1 is not among the matches").arg(v->record.expected);
        }
        if (column == Matched || column == Id || column == Gaps) {
            return data(index, Qt::DisplayRole);
        }
        return QVariant();
    }
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    const WindowTable &table = run->table;
    switch (column) {
    case Changed:
        return changed ? QStringLiteral("●") : QString();
    case Line:
        return v->record.line;
    case Id:
        return v->record.id.left(AnalysisTexts::longestShownText);
    case Axles:
        return v->record.gaps.size() + 1;
    case Gaps: {
        QStringList gaps;
        for (const float gap : v->record.gaps) {
            gaps << AnalysisTexts::length_text(gap, units);
        }
        return gaps.join(QStringLiteral("; "));
    }
    case Verdict:
        return AnalysisTexts::verdict_word(v->verdict);
    case Matched:
        return v->verdict == VehicleMatch::Unmatched
            ? AnalysisTexts::unmatched_text(table)
            : AnalysisTexts::matches_text(table, run->flagged(*v), units);
    case Expected:
        return v->record.hasExpected ? AnalysisTexts::expected_text(table, v->record.expected)
                                     : QString();
    }
    return QVariant();
}

QVariant VehicleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) {
        return QVariant();
    }
    if (role == Qt::ToolTipRole && section == Changed) {
        return tr("Marked when the verdict or the matches differ from the baseline (the "
                  "configuration as opened or last saved)");
    }
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    switch (section) {
    case Changed:
        return tr("Δ");
    case Line:
        return tr("Line");
    case Id:
        return tr("Id");
    case Axles:
        return tr("Axles");
    case Gaps:
        return tr("Gaps (%1)").arg(units.length);
    case Verdict:
        return tr("Verdict");
    case Matched:
        return tr("Matched subclasses");
    case Expected:
        return tr("Expected");
    }
    return QVariant();
}
