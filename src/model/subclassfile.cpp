// A subclass section of a .conf file: the text the writer emits and the list lines the reader
// turns back into per-axle lists.
#include "subclass.h"

#include <QDebug>
#include <QtGlobal>

namespace {

// The largest number of axles a valid subclass has.
constexpr int MaxAxles = 20;

// How many items a list line gets. A valid subclass (2 to 20 axles) gets exactly `wanted`, its
// number of axles (or gaps), read as the empty text where the list is shorter. A number of axles
// beyond the valid range can only come from a file or a typo; writing that many items would make
// the writer's time and the file's size follow a number the user never meant. Such a subclass
// gets what its list holds, so nothing read is lost, padded with empty items only up to the
// largest valid number of axles.
int itemCount(int wanted, int held)
{
    return qBound(0, wanted, qMax(held, MaxAxles));
}

// Ends a list line. The last item's separator becomes the line feed. A line without items keeps
// its "=": turning that into the line end would write a key without "=", which the reader takes
// for a broken line and at which it stops, dropping the rest of the file.
void endLine(QString &out, bool wroteItems)
{
    if (wroteItems) {
        out[out.size() - 1] = QLatin1Char('\n');
    } else {
        out += QLatin1Char('\n');
    }
}

void appendListLine(QString &out, const char *key, const QStringList &list, int wanted)
{
    out += QLatin1String(key);
    const int count = itemCount(wanted, list.size());
    for (int i = 0; i < count; ++i) {
        if (i < list.size()) {
            out += list.at(i);
        }
        out += QLatin1Char(',');
    }
    endLine(out, count > 0);
}

int skipDigits(const QString &text, int pos)
{
    while (pos < text.size() && text.at(pos).isDigit()) {
        ++pos;
    }
    return pos;
}

// Finds the next single-axle item "axle,weight" at or after `from`: the axle is a whole run of
// digits that does not follow a "+" (so the last term of a combined constraint is no item), the
// weight is digits, optionally "." and more digits. Returns the item's start and sets `end` to
// just past it, or returns -1. Every position is looked at a bounded number of times, so a long
// hostile line costs linear time.
int findAxleItem(const QString &text, int from, int *end)
{
    int pos = from;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        const int start = pos;
        const int axleEnd = skipDigits(text, start);
        const bool wholeRun = start == 0 || !text.at(start - 1).isDigit();
        const bool afterPlus = start > 0 && text.at(start - 1) == QLatin1Char('+');
        if (wholeRun && !afterPlus && axleEnd + 1 < text.size()
            && text.at(axleEnd) == QLatin1Char(',') && text.at(axleEnd + 1).isDigit()) {
            int weightEnd = skipDigits(text, axleEnd + 1);
            if (weightEnd < text.size() && text.at(weightEnd) == QLatin1Char('.')) {
                weightEnd = skipDigits(text, weightEnd + 1);
            }
            *end = weightEnd;
            return start;
        }
        pos = axleEnd;
    }
    return -1;
}

// Finds the next combined constraint at or after `from`: the leftmost match of
// (?:\d+\+)+\d+,\d+\.?\d* (two or more digit runs joined by "+", ",", then digits, optionally "."
// and more digits). Returns its start and sets `end` to just past it, or returns -1. A regular
// expression search would try every start again and take quadratic time on a long hostile line
// such as 1+1+1+...; here a chain that fails is skipped whole, since a match starting anywhere
// inside it would end where it ends and fail the same way.
int findConstraint(const QString &text, int from, int *end)
{
    int pos = from;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        int runs = 1;
        int chainEnd = skipDigits(text, pos);
        while (chainEnd + 1 < text.size() && text.at(chainEnd) == QLatin1Char('+')
               && text.at(chainEnd + 1).isDigit()) {
            chainEnd = skipDigits(text, chainEnd + 1);
            ++runs;
        }
        if (runs >= 2 && chainEnd + 1 < text.size() && text.at(chainEnd) == QLatin1Char(',')
            && text.at(chainEnd + 1).isDigit()) {
            int weightEnd = skipDigits(text, chainEnd + 1);
            if (weightEnd < text.size() && text.at(weightEnd) == QLatin1Char('.')) {
                weightEnd = skipDigits(text, weightEnd + 1);
            }
            *end = weightEnd;
            return pos;
        }
        pos = chainEnd;
    }
    return -1;
}

} // namespace

QString Subclass::to_string() const
{
    const int axles = values.value(QStringLiteral("number_of_axles")).toInt();

    QString out;
    out.reserve(512);
    out += QLatin1String("[subclass_");
    out += QString::number(subclass);
    out += QLatin1String("]\n");
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        if (!it.value().isEmpty()) {
            out += it.key();
            out += QLatin1Char('=');
            out += it.value();
            out += QLatin1Char('\n');
        }
    }

    appendListLine(out, "tyre_type=", tyre_types, axles);

    out += QLatin1String("max_axle_weight__kN=");
    const int weights = itemCount(axles, max_axle_weights.size());
    for (int i = 0; i < weights; ++i) {
        out += QString::number(i + 1);
        out += QLatin1Char(',');
        if (i < max_axle_weights.size()) {
            out += max_axle_weights.at(i);
        }
        out += QLatin1Char(';');
    }
    for (const QString &constraint : combined_constraints) {
        out += constraint;
        out += QLatin1Char(';');
    }
    endLine(out, weights > 0 || !combined_constraints.isEmpty());

    appendListLine(out, "max_axle_distance__m=", max_axle_distances, axles - 1);
    appendListLine(out, "min_axle_distance__m=", min_axle_distances, axles - 1);
    return out;
}

void Subclass::set_min_max_distances(QString min_text, QString max_text)
{
    if (min_text.isEmpty() || max_text.isEmpty()) {
        return;
    }
    min_axle_distances = min_text.split(QLatin1Char(','));
    max_axle_distances = max_text.split(QLatin1Char(','));
    if (min_axle_distances.size() != max_axle_distances.size()) {
        qWarning() << "Mins and maxs have a different number of elements!";
    }
}

void Subclass::set_tyre_types(QString text)
{
    if (!text.isEmpty()) {
        tyre_types = text.split(QLatin1Char(','));
    }
}

void Subclass::set_max_axle_weights(QString text)
{
    if (text.isEmpty()) {
        qWarning() << "Received empty weights string for class " << subclass;
    }

    // Weights are taken in the order they appear; the axle numbers in the text are not used.
    int end = 0;
    for (int start = findAxleItem(text, 0, &end); start >= 0; start = findAxleItem(text, end, &end)) {
        // With the character before it, an item "a,w" normally splits into two parts; a ","
        // there means the items are not separated properly, and the rest of the line is dropped.
        const int from = start > 0 ? start - 1 : 0;
        const QStringList parts = text.mid(from, end - from).split(QLatin1Char(','));
        if (parts.size() != 2) {
            qWarning() << "Expected two values for axle weight, got " << parts;
            return;
        }
        max_axle_weights.append(parts.at(1));
    }

    for (int start = findConstraint(text, 0, &end); start >= 0; start = findConstraint(text, end, &end)) {
        combined_constraints.append(text.mid(start, end - start));
    }
}
