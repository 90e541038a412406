// The read notes: where what the reader keeps differs from what the file writes.
#include "notefinder.h"
#include "inisections.h"
#include "textscan.h"

#include <QStringList>

#include <algorithm>

using FileFormat::Header;
using FileFormat::Section;

namespace {

QString quoted(const QStringRef &text)
{
    constexpr int longest = 40;
    QString shown = text.left(longest).toString();
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control) {
            c = QChar::ReplacementCharacter;
        }
    }
    return QLatin1Char('"') + shown
        + (text.size() > longest ? QStringLiteral("...\"") : QStringLiteral("\""));
}

QString quoted(const QString &text)
{
    return quoted(QStringRef(&text));
}

// A header key as a note names it: any key the INI reader read, however long.
QString shownKey(const QString &key)
{
    constexpr int longest = 40;
    return key.size() > longest ? key.left(longest) + QStringLiteral("...") : key;
}

// How a value read as a number is read.
enum class Reading { None, Real, Amount, Whole, SubclassNumber };

// Reals that are lengths or weights are amounts: a negative one is noted too.
Reading reading(Section key)
{
    switch (key) {
    case Section::MaxGVW:
    case Section::UpperGVWLimit:
    case Section::LowerGVWLimit:
    case Section::Prepend:
    case Section::Append:
    case Section::MaxAxleWeight:
    case Section::MaxAxleDistance:
    case Section::MinAxleDistance:
        return Reading::Amount;
    case Section::NumberOfAxles:
    case Section::TyreType:
        return Reading::Whole;
    case Section::Subclass:
    case Section::ReclassifyUpToSubclass:
    case Section::ReclassifyDownToSubclass:
        return Reading::SubclassNumber;
    case Section::Category:
    case Section::AxleConfiguration:
        break;
    }
    return Reading::None;
}

Reading reading(Header key)
{
    switch (key) {
    case Header::GAccelerationConstant:
        return Reading::Real;
    case Header::GroupMaxDistance:
    case Header::MaxAxleDistance:
    case Header::Min2AxleTruckSpacing:
    case Header::MinAvgAxleWeight:
    case Header::MinAxleDistance:
        return Reading::Amount;
    case Header::UnclassifiedVehiclesSubclass:
        return Reading::SubclassNumber;
    case Header::ClassificationVersion:
    case Header::CountryCode:
    case Header::UncategorisedVehicleCategory:
        break;
    }
    return Reading::None;
}

// ASCII digits, at most one ".", a digit first: a number any reading takes as written. Short
// enough not to overflow a float.
bool plainDecimal(const QStringRef &text, bool point)
{
    if (text.isEmpty() || text.size() > 30 || !isAsciiDigit(text.at(0).unicode())) {
        return false;
    }
    for (const QChar c : text) {
        if (c == QLatin1Char('.') && point) {
            point = false;
        } else if (!isAsciiDigit(c.unicode())) {
            return false;
        }
    }
    return true;
}

// What is wrong with a non-empty value read as a number, or an empty text when nothing is.
QString numberFault(Reading how, const QStringRef &value)
{
    bool ok = false;
    switch (how) {
    case Reading::Real:
    case Reading::Amount: {
        if (plainDecimal(value, true)) {
            return QString();
        }
        const float number = value.toFloat(&ok);
        if (!ok) {
            return QStringLiteral("is not a number; the WIM system will read 0");
        }
        if (!qIsFinite(number)) {
            return QStringLiteral("is not a number");
        }
        return how == Reading::Amount && number < 0 ? QStringLiteral("is negative") : QString();
    }
    case Reading::Whole:
        if ((value.size() <= 9 && plainDecimal(value, false)) || (value.toInt(&ok), ok)) {
            return QString();
        }
        return QStringLiteral("is not a whole number; the WIM system will read 0");
    case Reading::SubclassNumber:
        if ((value.size() <= 4 && plainDecimal(value, false)) || (value.toUShort(&ok), ok)) {
            return QString();
        }
        return QStringLiteral("is not a subclass number (0-65535); the WIM system will read 0");
    case Reading::None:
        break;
    }
    return QString();
}

QString entryText(Section key, const QString &value)
{
    return FileFormat::key(key) + QLatin1Char('=') + value;
}

// Edits between two texts, at most `most` + 1 counted.
int editDistance(const QString &a, const QString &b, int most)
{
    if (qAbs(a.size() - b.size()) > most) {
        return most + 1;
    }
    std::vector<int> row(size_t(b.size()) + 1);
    for (int j = 0; j <= b.size(); ++j) {
        row[size_t(j)] = j;
    }
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j) - 1] + 1,
                diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[size_t(b.size())];
}

// The known key a misspelt one most resembles, within two edits, compared case-insensitively.
QString resembled(const QString &key)
{
    const QString lower = key.toLower();
    int best = 3;
    QString found;
    for (int k = 0; k < FileFormat::SectionKeyCount; ++k) {
        const QString &known = FileFormat::key(Section(k));
        const int distance = editDistance(lower, known.toLower(), 2);
        if (distance < best) {
            best = distance;
            found = known;
        }
    }
    return found;
}

// The lines of a section as the writer writes them, by key.
QMap<QString, QString> writtenLines(const Subclass &subclass)
{
    QMap<QString, QString> lines;
    for (const QString &line : subclass.to_string().split(QLatin1Char('\n'))) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            lines.insert(line.left(equals), line.mid(equals + 1));
        }
    }
    return lines;
}

} // namespace

void NoteFinder::header(const IniSections &sections, bool risky, const QMap<QString, QString> &read)
{
    if (sections.byte_order_mark()) {
        notes.add(1, QString(), ReadNote::ByteOrderMark,
            QStringLiteral("the file starts with a UTF-8 byte-order mark; Save writes it without"));
    }
    const QByteArray &bytes = sections.copy();
    const auto text = [risky](const QByteArray &raw) {
        // By its size: a NUL byte is text here, as it is to the INI reader.
        const QString decoded = QString::fromUtf8(raw.constData(), raw.size());
        return risky ? IniSections::restored(decoded) : decoded;
    };
    struct Given
    {
        int line;
        QString value; // as the file writes it, to the end of its line
        bool cut;
        bool quoted;
    };
    QMap<QString, Given> last;
    for (const IniSections::Line &line : sections.lines()) {
        const QByteArray logical = bytes.mid(line.start, line.end - line.start);
        int equals = -1;
        bool inQuotes = false;
        for (int i = 0; i < logical.size() && equals < 0; ++i) {
            inQuotes = logical.at(i) == '"' ? !inQuotes : inQuotes;
            equals = logical.at(i) == '=' && !inQuotes ? i : -1;
        }
        const QByteArray rawKey = logical.left(qMax(equals, 0)).trimmed();
        if (equals <= 0) {
            continue;
        }
        int lineEnd = line.end;
        while (line.cut && lineEnd < bytes.size() && bytes.at(lineEnd) != '\n'
            && bytes.at(lineEnd) != '\r') {
            ++lineEnd;
        }
        const QByteArray written
            = bytes.mid(line.start + equals + 1, lineEnd - line.start - equals - 1);
        Given given {
            line.number, text(written).trimmed(), line.cut, logical.mid(equals).contains('"')};
        const QString key = IniSections::key_of(rawKey, risky);
        if (!read.contains(key)) {
            // A key the header does not hold (a group's, as "a/b" is): its line is lost either
            // way, but a quoted value may have run on over the lines after it.
            if (given.cut || given.quoted) {
                notes.add(given.line, text(logical), ReadNote::HeaderValueCut,
                    QStringLiteral("%1: the header reader keeps nothing of %2 (%3)")
                        .arg(shownKey(text(rawKey)), quoted(given.value),
                            given.cut ? QStringLiteral("\";\" starts a comment there")
                                      : QStringLiteral("it removes the quotes")));
            }
            continue;
        }
        const auto earlier = last.constFind(key);
        if (earlier != last.constEnd()) {
            notes.add(line.number, text(logical), ReadNote::RepeatedKey,
                QStringLiteral("%1 given again: %2 replaces %3 of line %4")
                    .arg(shownKey(key), quoted(given.value), quoted(earlier->value))
                    .arg(earlier->line));
        }
        last.insert(key, given);
    }
    for (auto it = last.constBegin(); it != last.constEnd(); ++it) {
        const Given &given = it.value();
        const QString value = read.value(it.key());
        const QString entry = it.key() + QLatin1Char('=') + given.value;
        if (given.cut || given.quoted) {
            notes.add(given.line, entry, ReadNote::HeaderValueCut,
                QStringLiteral("%1: the header reader keeps %2 of %3 (%4)")
                    .arg(shownKey(it.key()), quoted(value), quoted(given.value),
                        given.cut ? QStringLiteral("\";\" starts a comment there")
                                  : QStringLiteral("it removes the quotes")));
        }
        for (int k = 0; k <= int(Header::UncategorisedVehicleCategory); ++k) {
            if (FileFormat::key(Header(k)) == it.key() && !value.isEmpty()) {
                const QString fault = numberFault(reading(Header(k)), QStringRef(&value));
                if (!fault.isEmpty()) {
                    notes.add(given.line, entry, ReadNote::NotANumber,
                        shownKey(it.key()) + QStringLiteral(": ") + quoted(value) + QLatin1Char(' ')
                            + fault);
                }
            }
        }
    }
}

void NoteFinder::section_line(int line, const QString &text, const QString &number)
{
    bool ok = false;
    number.toUShort(&ok);
    if (!ok) {
        notes.add(line, text, ReadNote::SectionNumber,
            QStringLiteral("%1 is no subclass number (0-65535); the section is read as subclass 0")
                .arg(quoted(number)));
    }
}

void NoteFinder::header_part_line(int line, const QString &text)
{
    // The INI reader takes a line that starts with "[" for a section of its own; one it does
    // not call "classes" ends the header, and the subclass scan skips it and its lines.
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1Char('['))) {
        return;
    }
    const int close = trimmed.indexOf(QLatin1Char(']'));
    const QString name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
    if (name == FileFormat::header_group()) {
        return;
    }
    notes.add(line, text, ReadNote::SectionNumber,
        QStringLiteral("%1 is no [subclass_N] line with a number 0-65535: it and the lines after "
                       "it up to the next section are not read")
            .arg(quoted(text)));
}

void NoteFinder::unknown_key(int line, const QString &text, const QStringRef &key)
{
    const QString trimmed = key.trimmed().toString();
    if (trimmed.size() != key.size() && FileFormat::section_key_index(QStringRef(&trimmed)) >= 0) {
        const int equals = text.indexOf(QLatin1Char('='));
        notes.add(line, text, ReadNote::BlanksAroundEquals,
            QStringLiteral("the blanks around \"=\" make the key %1, which is not read; write "
                           "%2")
                .arg(quoted(key),
                    quoted(trimmed + QLatin1Char('=') + text.mid(equals + 1).trimmed())));
        return;
    }
    const QString like = resembled(trimmed);
    notes.add(line, text, ReadNote::UnknownKey,
        QStringLiteral("%1 is no key of a subclass section and is not read").arg(quoted(key))
            + (like.isEmpty() ? QString() : QStringLiteral("; did you mean %1?").arg(like)));
}

void NoteFinder::repeated_key(int line, const QString &text, Section key, const QString &earlier,
    int earlierLine, const QString &value)
{
    notes.add(line, text, ReadNote::RepeatedKey,
        QStringLiteral("%1 given again in this section: %2 replaces %3 of line %4")
            .arg(FileFormat::key(key), quoted(value), quoted(earlier))
            .arg(earlierLine));
}

void NoteFinder::subclass(const Subclass::SectionTexts &texts, const KeyLines &lines,
    int sectionLine, const QString &sectionText, const Subclass &built, int first,
    const Subclass *replaced)
{
    if (replaced) {
        const QMap<QString, QString> before = writtenLines(*replaced);
        const QMap<QString, QString> after = writtenLines(built);
        QStringList changed;
        for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
            if (after.value(it.key()) != it.value()) {
                changed << it.key();
            }
        }
        for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
            if (!before.contains(it.key())) {
                changed << it.key();
            }
        }
        std::sort(changed.begin(), changed.end());
        notes.add(sectionLine, sectionText, ReadNote::RepeatedSection,
            QStringLiteral("subclass %1 again (first at line %2): this section replaces that one "
                           "whole, %3")
                .arg(built.get_subclass_number())
                .arg(first)
                .arg(changed.isEmpty()
                        ? QStringLiteral("with the same values")
                        : QStringLiteral("changing ") + changed.join(QStringLiteral(", "))));
    }
    for (int k = 0; k < FileFormat::SectionKeyCount; ++k) {
        const Section key = Section(k);
        const QString &value = texts[size_t(k)];
        if (lines[size_t(k)] == 0 || value.isEmpty()) {
            continue;
        }
        switch (key) {
        case Section::TyreType:
            items(key, lines[size_t(k)], value, built.writtenItems(FileFormat::Section::TyreType));
            break;
        case Section::MinAxleDistance:
        case Section::MaxAxleDistance:
            // Read only when both lines have items.
            if (!texts[size_t(Section::MinAxleDistance)].isEmpty()
                && !texts[size_t(Section::MaxAxleDistance)].isEmpty()) {
                items(key, lines[size_t(k)], value, built.writtenItems(key));
            }
            break;
        case Section::MaxAxleWeight:
            weights(lines[size_t(k)], value, built.writtenItems(key));
            break;
        default:
            number(key, lines[size_t(k)], value);
        }
    }
}

void NoteFinder::number(Section key, int line, const QString &value)
{
    const QString fault = numberFault(reading(key), QStringRef(&value));
    if (!fault.isEmpty()) {
        notes.add(line, entryText(key, value), ReadNote::NotANumber,
            FileFormat::key(key) + QStringLiteral(": ") + quoted(value) + QLatin1Char(' ') + fault);
    }
}

void NoteFinder::items(Section key, int line, const QString &value, int written)
{
    const auto lineText = [key, &value] { return entryText(key, value); };
    const Reading how = reading(key);
    int count = 0;
    for (int from = 0; from <= value.size(); ++count) {
        int end = value.indexOf(QLatin1Char(','), from);
        end = end < 0 ? value.size() : end;
        const QStringRef item = value.midRef(from, end - from);
        const QString fault = item.isEmpty() ? QString() : numberFault(how, item);
        if (!fault.isEmpty()) {
            notes.add(line, lineText(), ReadNote::NotANumber,
                QStringLiteral("%1: item %2, %3, %4")
                    .arg(FileFormat::key(key))
                    .arg(count + 1)
                    .arg(quoted(item), fault));
        }
        from = end + 1;
    }
    if (count > written) {
        notes.add(line, lineText(), ReadNote::ExtraItems,
            QStringLiteral("%1: %2 items, of which the number of axles uses %3; Save drops the "
                           "rest")
                .arg(FileFormat::key(key))
                .arg(count)
                .arg(written));
    }
}

void NoteFinder::weights(int line, const QString &value, int written)
{
    const QString &key = FileFormat::key(Section::MaxAxleWeight);
    const auto text = [&value] { return entryText(Section::MaxAxleWeight, value); };
    // Each item as the writer separates them: axle numbers joined by "+", ",", a weight.
    for (int from = 0; from < value.size();) {
        int end = from;
        while (
            end < value.size() && value.at(end) != QLatin1Char(';') && !value.at(end).isSpace()) {
            ++end;
        }
        const QStringRef item = value.midRef(from, end - from);
        from = end + 1;
        if (item.isEmpty()) {
            continue;
        }
        int axlesEnd = 0;
        int runs = 0;
        while (axlesEnd < item.size() && item.at(axlesEnd).isDigit()) {
            while (axlesEnd < item.size() && item.at(axlesEnd).isDigit()) {
                ++axlesEnd;
            }
            ++runs;
            if (axlesEnd + 1 < item.size() && item.at(axlesEnd) == QLatin1Char('+')
                && item.at(axlesEnd + 1).isDigit()) {
                ++axlesEnd;
            }
        }
        if (runs == 0 || axlesEnd >= item.size() || item.at(axlesEnd) != QLatin1Char(',')) {
            notes.add(line, text(), ReadNote::NotANumber,
                QStringLiteral("%1: %2 is no axle and weight; it is not read")
                    .arg(key, quoted(item)));
            continue;
        }
        const QStringRef weight = item.mid(axlesEnd + 1);
        if (weight.isEmpty() && runs == 1) {
            continue; // a weight not given yet, as the writer writes it
        }
        if (plainDecimal(weight, true)) {
            continue; // the writer's form: digits, and a "." and digits
        }
        // The reader takes digits, optionally "." and more digits, and nothing else.
        int taken = 0;
        while (taken < weight.size() && weight.at(taken).isDigit()) {
            ++taken;
        }
        if (taken > 0 && taken < weight.size() && weight.at(taken) == QLatin1Char('.')) {
            ++taken;
            while (taken < weight.size() && weight.at(taken).isDigit()) {
                ++taken;
            }
        }
        bool converts = false;
        const bool negative = weight.toFloat(&converts) < 0 && converts;
        const QString fault = taken > 0 && taken == weight.size()
            ? numberFault(Reading::Amount, weight)
            : negative ? QStringLiteral("is negative; it is not read")
                       : QStringLiteral("is not a number; it is not read");
        if (!fault.isEmpty()) {
            notes.add(line, text(), ReadNote::NotANumber,
                QStringLiteral("%1: %2, the weight in %3, %4")
                    .arg(key, quoted(weight), quoted(item), fault));
        }
    }

    // The weights the reader takes, in the order written: their axle numbers are not used.
    int count = 0;
    bool ordered = true;
    int end = 0;
    for (int start = findAxleItem(value, 0, &end); start >= 0;
         start = findAxleItem(value, end, &end)) {
        if (start > 0 && value.at(start - 1) == QLatin1Char(',')) {
            break; // where the reader stops reading the line
        }
        const int comma = value.indexOf(QLatin1Char(','), start);
        const QStringRef axle = value.midRef(start, comma - start);
        int number = 0;
        if (axle.size() <= 9 && plainDecimal(axle, false)) {
            for (const QChar c : axle) {
                number = number * 10 + (c.unicode() - '0');
            }
        } else {
            number = axle.toInt();
        }
        if (ordered && number != count + 1) {
            ordered = false;
            notes.add(line, text(), ReadNote::WeightAxleOrder,
                QStringLiteral("%1: weights are read in the order written, whatever their axle "
                               "numbers: %2 is read as the weight of axle %3")
                    .arg(key, quoted(value.midRef(start, end - start)))
                    .arg(count + 1));
        }
        ++count;
    }
    if (count > written) {
        notes.add(line, text(), ReadNote::ExtraItems,
            QStringLiteral("%1: %2 weights, of which the number of axles uses %3; Save drops the "
                           "rest")
                .arg(key)
                .arg(count)
                .arg(written));
    }
}
