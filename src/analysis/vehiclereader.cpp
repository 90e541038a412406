// Recorded vehicles from CSV text, row by row, each unusable row with its reason.
#include "vehiclereader.h"
#include "conf.h"
#include "fileformat.h"
#include "printable.h"

#include <QIODevice>
#include <QtNumeric>

#include <limits>

namespace {

enum Unit { Plain, Feet, Tonnes, Pounds };

struct ColumnName
{
    const char *name;
    int column;
    Unit unit;
};

// A value from a row as a reason shows it: short, quoted, without control characters.
QString shown(const QStringRef &text)
{
    constexpr int longest = 20;
    return QLatin1Char('"') + printable(text.left(longest + 1).toString(), longest)
        + QLatin1Char('"');
}

// A number as the model reads one; infinities and NaN are no measurement.
bool read_real(const QStringRef &text, float factor, float *value)
{
    bool ok = false;
    *value = text.toFloat(&ok) * factor;
    return ok && qIsFinite(*value);
}

} // namespace

VehicleReader::VehicleReader(QIODevice *device, const Conf &conf)
    : in(device)
    , conf(conf)
    , g(conf.is_g_acceleration_constant_valid() ? conf.get_g_acceleration_constant().toFloat()
                                                : FileFormat::StandardG)
{
    in.setCodec("UTF-8");
    for (int c = 0; c < ColumnCount; ++c) {
        position[c] = -1;
        factor[c] = 1;
    }
    read_header();
}

bool VehicleReader::next_row(int most)
{
    cells.clear();
    do {
        if (in.atEnd()) {
            return false;
        }
        line = in.readLine();
        ++lineNumber;
    } while (line.trimmed().isEmpty());
    rowLine = lineNumber;
    if (!line.contains(QLatin1Char('"'))) {
        for (int from = 0; cells.size() < most;) {
            const int comma = line.indexOf(QLatin1Char(','), from);
            cells.append(line.midRef(from, comma < 0 ? -1 : comma - from));
            if (comma < 0) {
                break;
            }
            from = comma + 1;
        }
        return true;
    }
    // A field that starts with a quote (after blanks) runs to the quote that closes it, over
    // line ends; "" inside it is a quote. Blanks after the closing quote are dropped; any other
    // text there is kept as it stands.
    quotedCells.clear();
    QString cell;
    enum { Start, Plain, Quoted, QuoteSeen } state = Start;
    for (;;) {
        for (const QChar c : qAsConst(line)) {
            switch (state) {
            case Start:
                if (c == QLatin1Char('"')) {
                    cell.clear();
                    state = Quoted;
                    continue;
                }
                if (c.isSpace()) {
                    cell += c;
                    continue;
                }
                state = Plain;
                break;
            case Quoted:
                if (c == QLatin1Char('"')) {
                    state = QuoteSeen;
                } else {
                    cell += c;
                }
                continue;
            case QuoteSeen:
                if (c == QLatin1Char('"')) {
                    cell += c;
                    state = Quoted;
                    continue;
                }
                if (c.isSpace()) {
                    continue;
                }
                if (c != QLatin1Char(',')) {
                    state = Plain;
                }
                break;
            case Plain:
                break;
            }
            if (c == QLatin1Char(',')) {
                if (quotedCells.size() < most) {
                    quotedCells.append(cell);
                }
                cell.clear();
                state = Start;
            } else {
                cell += c;
            }
        }
        if (state != Quoted || in.atEnd()) {
            break;
        }
        cell += QLatin1Char('\n');
        line = in.readLine();
        ++lineNumber;
    }
    if (quotedCells.size() < most) {
        quotedCells.append(cell);
    }
    for (const QString &text : qAsConst(quotedCells)) {
        cells.append(QStringRef(&text));
    }
    return true;
}

void VehicleReader::read_header()
{
    static const ColumnName names[] = {{"id", Id, Plain}, {"axles", Axles, Plain},
        {"gaps_m", Gaps, Plain}, {"gaps_ft", Gaps, Feet}, {"axle_weights_kN", Weights, Plain},
        {"axle_weights_t", Weights, Tonnes}, {"axle_weights_lb", Weights, Pounds},
        {"gross_kN", Gross, Plain}, {"gross_t", Gross, Tonnes}, {"gross_lb", Gross, Pounds},
        {"expected", Expected, Plain}};
    const float factors[] = {1, FileFormat::MetresPerFoot, g, FileFormat::KilonewtonsPerPound};
    if (!next_row(std::numeric_limits<int>::max())) {
        problem = QStringLiteral("no header row");
        return;
    }
    // A spreadsheet saving "CSV" in a locale with decimal commas separates columns by ";": its
    // numbers would all be misread, so the file is refused as a whole.
    if (!line.contains(QLatin1Char(',')) && line.contains(QLatin1Char(';'))) {
        problem = QStringLiteral(
            "the records use ';' between columns; save them with ',' between columns");
        return;
    }
    for (int k = 0; k < cells.size() && problem.isEmpty(); ++k) {
        QString cell = cells.at(k).trimmed().toString();
        if (k == 0 && cell.startsWith(QChar(0xfeff))) {
            cell = cell.mid(1).trimmed();
        }
        for (const ColumnName &known : names) {
            if (cell != QLatin1String(known.name)) {
                continue;
            }
            const int c = known.column;
            if (position[c] >= 0) {
                problem = name[c] == cell
                    ? QStringLiteral("column \"%1\" given twice").arg(cell)
                    : QStringLiteral("columns \"%1\" and \"%2\" both given").arg(name[c], cell);
            }
            position[c] = k;
            name[c] = cell;
            factor[c] = factors[known.unit];
            lastNeeded = qMax(lastNeeded, k);
        }
    }
    if (problem.isEmpty() && position[Id] < 0) {
        problem = QStringLiteral("no column \"id\"");
    }
    if (problem.isEmpty() && position[Axles] < 0) {
        problem = QStringLiteral("no column \"axles\"");
    }
    if (problem.isEmpty() && position[Gaps] < 0) {
        problem = QStringLiteral("no column \"gaps_m\" or \"gaps_ft\"");
    }
    if (!problem.isEmpty()) {
        problem = QStringLiteral("line %1: %2").arg(rowLine).arg(problem);
    }
}

VehicleReader::Outcome VehicleReader::next(VehicleRecord *record, QString *reason)
{
    if (!problem.isEmpty()) {
        return End;
    }
    // Only the cells up to the last known column are kept: the rest of a row is ignored.
    if (!next_row(lastNeeded + 1)) {
        return End;
    }
    *record = VehicleRecord();
    record->line = rowLine;
    reason->clear();
    return read_row(record, reason) ? Vehicle : Skipped;
}

bool VehicleReader::read_row(VehicleRecord *record, QString *reason) const
{
    const auto cell = [&](int c) {
        return position[c] >= 0 && position[c] < cells.size() ? cells.at(position[c])
                                                              : QStringRef();
    };
    const auto fail = [&](int c, const QString &what) {
        *reason = name[c] + QStringLiteral(": ") + what;
        return false;
    };
    for (const int c : {Id, Axles, Gaps}) {
        if (position[c] >= cells.size()) {
            *reason = QStringLiteral("missing column \"%1\"").arg(name[c]);
            return false;
        }
        if (c != Id && cell(c).trimmed().isEmpty()) {
            return fail(c, QStringLiteral("no value"));
        }
    }
    record->id = cell(Id).trimmed().toString();
    bool ok = false;
    const int axles = cell(Axles).toInt(&ok);
    if (!ok) {
        return fail(Axles, shown(cell(Axles)) + QStringLiteral(" is not a whole number"));
    }
    if (axles < 2 || axles > FileFormat::MaxAxles) {
        return fail(Axles, QStringLiteral("%1 not in 2-%2").arg(axles).arg(FileFormat::MaxAxles));
    }
    // A list is counted before it is read: a cell may hold millions of values.
    const auto read_list = [&](int c, int count, QVector<float> *values) {
        const QStringRef text = cell(c);
        const int given = text.count(QLatin1Char(';')) + 1;
        if (given != count) {
            return fail(c,
                QStringLiteral("%1 %2 for %3 axles, %4 expected")
                    .arg(given)
                    .arg(given == 1 ? "value" : "values")
                    .arg(axles)
                    .arg(count));
        }
        values->resize(count);
        int from = 0;
        for (int i = 0; i < count; ++i) {
            const int end = i + 1 < count ? text.indexOf(QLatin1Char(';'), from) : text.size();
            const QStringRef item = text.mid(from, end - from);
            if (!read_real(item, factor[c], &(*values)[i])) {
                return fail(
                    c, QStringLiteral("value %1, %2, is not a number").arg(i + 1).arg(shown(item)));
            }
            if ((*values)[i] < 0) {
                return fail(
                    c, QStringLiteral("value %1, %2, is negative").arg(i + 1).arg(shown(item)));
            }
            from = end + 1;
        }
        return true;
    };
    if (!read_list(Gaps, axles - 1, &record->gaps)) {
        return false;
    }
    if (!cell(Weights).trimmed().isEmpty() && !read_list(Weights, axles, &record->axleWeights)) {
        return false;
    }
    if (!cell(Gross).trimmed().isEmpty()) {
        if (!read_real(cell(Gross), factor[Gross], &record->gross)) {
            return fail(Gross, shown(cell(Gross)) + QStringLiteral(" is not a number"));
        }
        if (record->gross < 0) {
            return fail(Gross, shown(cell(Gross)) + QStringLiteral(" is negative"));
        }
        record->hasGross = true;
    } else if (!record->axleWeights.isEmpty()) {
        for (const float weight : qAsConst(record->axleWeights)) {
            record->gross += weight;
        }
        record->hasGross = true;
    }
    if (!cell(Expected).trimmed().isEmpty()) {
        record->expected = cell(Expected).toUShort(&ok);
        if (!ok) {
            return fail(
                Expected, shown(cell(Expected)) + QStringLiteral(" is not a subclass number"));
        }
        if (!conf.contains_subclass(record->expected)) {
            return fail(Expected,
                QStringLiteral("no subclass %1 in the configuration").arg(record->expected));
        }
        record->hasExpected = true;
    }
    return true;
}
