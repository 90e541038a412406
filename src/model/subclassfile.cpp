// A subclass section of a .conf file: the text the writer emits and the list lines the reader
// turns back into per-axle lists.
#include "subclass.h"
#include "fileformat.h"
#include "sharedtexts.h"
#include "textscan.h"

#include <QDebug>
#include <QtGlobal>

#include <algorithm>

using FileFormat::Section;

namespace {

// A list line's items, split at ",": the list sized once, since a reader of 65,536 sections
// would otherwise grow each of its four lists step by step.
QStringList listItems(const QString &text)
{
    QStringList items;
    items.reserve(text.count(QLatin1Char(',')) + 1);
    int from = 0;
    for (int comma = text.indexOf(QLatin1Char(',')); comma >= 0;
         comma = text.indexOf(QLatin1Char(','), from)) {
        items.append(sharedText(QStringView(text).mid(from, comma - from)));
        from = comma + 1;
    }
    items.append(sharedText(QStringView(text).mid(from)));
    return items;
}

// How many items a list line gets. A valid subclass gets exactly `wanted`, its number of axles
// (or gaps), read as the empty text where the list is shorter. A number of axles beyond the
// valid range can only come from a file or a typo; writing that many items would make the
// writer's time and the file's size follow a number the user never meant. Such a subclass gets
// what its list holds, so nothing read is lost, padded with empty items only up to the largest
// valid number of axles.
int itemCount(int wanted, int held)
{
    return qBound(0, wanted, qMax(held, FileFormat::MaxAxles));
}

// Fills a text through a plain pointer after sizing it once for an upper bound of its length: a
// section is some 150 small pieces, and a configuration has up to 65,536 sections.
class TextFiller
{
public:
    TextFiller(QString &text, int bound)
        : text(text)
    {
        text.resize(bound);
        begin = cursor = text.data();
    }
    TextFiller(const TextFiller &) = delete;
    TextFiller &operator=(const TextFiller &) = delete;

    void add(QChar c) { *cursor++ = c; }
    void add(QLatin1String latin)
    {
        for (int i = 0; i < latin.size(); ++i) {
            *cursor++ = QLatin1Char(latin.data()[i]);
        }
    }
    void add(const QString &piece)
    {
        std::copy(piece.constData(), piece.constData() + piece.size(), cursor);
        cursor += piece.size();
    }
    // A list line's key and its "=".
    void addKey(Section key)
    {
        add(FileFormat::key(key));
        add(QLatin1Char('='));
    }
    void addNumber(uint number)
    {
        char digits[10];
        int count = 0;
        do {
            digits[count++] = char('0' + number % 10);
            number /= 10;
        } while (number != 0);
        while (count > 0) {
            *cursor++ = QLatin1Char(digits[--count]);
        }
    }
    // Ends a list line: the last item's separator becomes the line feed. A line without items
    // keeps its "=": turning that into the line end would write a key without "=", which the
    // reader takes for a broken line and at which it stops, dropping the rest of the file.
    void endListLine(bool wroteItems)
    {
        if (wroteItems) {
            cursor[-1] = QLatin1Char('\n');
        } else {
            add(QLatin1Char('\n'));
        }
    }
    void finish() { text.resize(int(cursor - begin)); }

private:
    QString &text;
    QChar *begin;
    QChar *cursor;
};

// The most a list line of `count` items can take beyond its key.
int listBound(const QStringList &list, int count)
{
    int bound = 1 + count;
    for (int i = 0; i < qMin(count, list.size()); ++i) {
        bound += list.at(i).size();
    }
    return bound;
}

void fillListLine(TextFiller &fill, Section key, const QStringList &list, int count)
{
    fill.addKey(key);
    for (int i = 0; i < count; ++i) {
        if (i < list.size()) {
            fill.add(list.at(i));
        }
        fill.add(QLatin1Char(','));
    }
    fill.endListLine(count > 0);
}

} // namespace

QString Subclass::to_string() const
{
    const int axles = readWhole(valueOf(Section::NumberOfAxles));
    const int tyres = itemCount(axles, tyre_types.size());
    const int weights = itemCount(axles, max_axle_weights.size());
    const int maxs = itemCount(axles - 1, max_axle_distances.size());
    const int mins = itemCount(axles - 1, min_axle_distances.size());

    // The section line, "=" and the line end of every line, and per weight item up to ten
    // digits, "," and ";".
    const QString &start = FileFormat::subclass_line_start();
    int bound = start.size() + 7;
    for (const Section list : {Section::TyreType, Section::MaxAxleWeight, Section::MaxAxleDistance,
             Section::MinAxleDistance}) {
        bound += FileFormat::key(list).size() + 1;
    }
    for (int slot = 0; slot < values.size(); ++slot) {
        bound += FileFormat::key(scalarKey(slot)).size() + values.at(slot).size() + 2;
    }
    bound += listBound(tyre_types, tyres) + listBound(max_axle_distances, maxs)
        + listBound(min_axle_distances, mins);
    bound += listBound(max_axle_weights, weights) + 11 * weights;
    for (const QString &constraint : combined_constraints) {
        bound += constraint.size() + 1;
    }

    QString out;
    TextFiller fill(out, bound);
    fill.add(start);
    fill.addNumber(subclass);
    fill.add(QLatin1String("]\n"));
    // A value not given is empty, and an empty value is not written.
    for (int slot = 0; slot < values.size(); ++slot) {
        if (!values.at(slot).isEmpty()) {
            fill.add(FileFormat::key(scalarKey(slot)));
            fill.add(QLatin1Char('='));
            fill.add(values.at(slot));
            fill.add(QLatin1Char('\n'));
        }
    }

    fillListLine(fill, Section::TyreType, tyre_types, tyres);

    fill.addKey(Section::MaxAxleWeight);
    for (int i = 0; i < weights; ++i) {
        fill.addNumber(uint(i) + 1);
        fill.add(QLatin1Char(','));
        if (i < max_axle_weights.size()) {
            fill.add(max_axle_weights.at(i));
        }
        fill.add(QLatin1Char(';'));
    }
    for (const QString &constraint : combined_constraints) {
        fill.add(constraint);
        fill.add(QLatin1Char(';'));
    }
    fill.endListLine(weights > 0 || !combined_constraints.isEmpty());

    fillListLine(fill, Section::MaxAxleDistance, max_axle_distances, maxs);
    fillListLine(fill, Section::MinAxleDistance, min_axle_distances, mins);
    fill.finish();
    return out;
}

int Subclass::writtenItems(Section list) const
{
    const int axles = readWhole(valueOf(Section::NumberOfAxles));
    switch (list) {
    case Section::TyreType:
        return itemCount(axles, tyre_types.size());
    case Section::MaxAxleWeight:
        return itemCount(axles, max_axle_weights.size());
    case Section::MaxAxleDistance:
        return itemCount(axles - 1, max_axle_distances.size());
    case Section::MinAxleDistance:
        return itemCount(axles - 1, min_axle_distances.size());
    default:
        break;
    }
    return 0;
}

void Subclass::set_min_max_distances(QString min_text, QString max_text)
{
    if (min_text.isEmpty() || max_text.isEmpty()) {
        return;
    }
    min_axle_distances = listItems(min_text);
    max_axle_distances = listItems(max_text);
    if (min_axle_distances.size() != max_axle_distances.size()) {
        qWarning() << "Mins and maxs have a different number of elements!";
    }
}

void Subclass::set_tyre_types(QString text)
{
    if (!text.isEmpty()) {
        tyre_types = listItems(text);
    }
}

void Subclass::set_max_axle_weights(QString text)
{
    if (text.isEmpty()) {
        qWarning() << "Received empty weights string for class " << subclass;
    }

    // Weights are taken in the order they appear; the axle numbers in the text are not used.
    max_axle_weights.reserve(max_axle_weights.size() + text.count(QLatin1Char(';')) + 1);
    int end = 0;
    for (int start = findAxleItem(text, 0, &end); start >= 0;
         start = findAxleItem(text, end, &end)) {
        // With the character before it, an item "a,w" splits at "," into two parts, or into
        // three when that character is a ",": the items are not separated properly, and the
        // rest of the line is dropped.
        if (start > 0 && text.at(start - 1) == QLatin1Char(',')) {
            const QStringList parts = text.mid(start - 1, end - start + 1).split(QLatin1Char(','));
            qWarning() << "Expected two values for axle weight, got " << parts;
            return;
        }
        const int weight = text.indexOf(QLatin1Char(','), start) + 1;
        max_axle_weights.append(sharedText(QStringView(text).mid(weight, end - weight)));
    }

    for (int start = findCombinedConstraint(text, 0, &end); start >= 0;
         start = findCombinedConstraint(text, end, &end)) {
        combined_constraints.append(text.mid(start, end - start));
    }
}
