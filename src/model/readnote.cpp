// The notes of a read: what the reader keeps differently from what the file writes.
#include "readnote.h"

#include <algorithm>
#include <iterator>

namespace {

// A line as a note quotes it: long enough for any line the writer produces with realistic
// values, and never a copy of a hostile megabyte line.
constexpr int longestText = 120;

// A control character (a NUL, an escape) would reach a terminal or a report as it is.
QString printable(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

QString shortened(const QString &line)
{
    const QString shown = printable(line.left(longestText));
    return shown.size() < line.size() ? shown + QStringLiteral("...") : shown;
}

} // namespace

QString ReadNote::what() const
{
    static const char *const names[] = {"repeated_section", "repeated_key", "section_number",
        "unknown_key", "blanks_around_equals", "header_value_cut", "byte_order_mark",
        "not_a_number", "weight_axle_order", "extra_items"};
    static_assert(std::size(names) == size_t(ExtraItems) + 1, "a name for every kind");
    return QLatin1String(names[kind]);
}

QString ReadNote::words() const
{
    return QStringLiteral("line %1: ").arg(line) + detail;
}

void ReadNotes::add(int line, const QString &text, ReadNote::Kind kind, const QString &detail)
{
    if (kept.size() >= Most) {
        ++notKept;
        return;
    }
    ReadNote note;
    note.line = line;
    note.text = shortened(text);
    note.kind = kind;
    note.detail = printable(detail);
    kept.append(note);
}

void ReadNotes::finish()
{
    std::stable_sort(kept.begin(), kept.end(),
        [](const ReadNote &a, const ReadNote &b) { return a.line < b.line; });
}
