#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Picks the [classes] sections out of a .conf file's bytes, delimited exactly as Qt's INI reader
// delimits them: a section starts at a logical line whose first character (after blanks) is "[",
// and a logical line ends at a line end or at a ";" outside double quotes (a quoted value runs on
// over line ends, so a "[" line inside one is no section). The header is then read from these
// sections alone: the reader gives the same header as for the whole file, without copying and
// parsing the thousands of subclass sections. Fed in chunks, so that any file size takes a
// chunk's memory beyond the sections kept. A backslash counts as a plain character: the header
// is read from a copy in which it stands in for a character no text uses.
class IniSections
{
public:
    // Stand-ins for "@" and "\" in the copy a risky header is read from (a header is risky when
    // its file holds either): the noncharacters U+FDD0 and U+FDD1, which no text uses, in UTF-8.
    // (A risky file that holds them anyway gets them back as "@" and "\".)
    static constexpr char AtStandIn[] = "\xEF\xB7\x90";
    static constexpr char BackslashStandIn[] = "\xEF\xB7\x91";
    static QString restored(QString text);

    // A key as the reader keeps it, from the name Qt's INI reader gave it: that reader decodes
    // keys as Latin-1 while the writer writes UTF-8, so a key such as "Čas" would grow at every
    // open and save. Keys that are valid UTF-8 read as UTF-8.
    static QString decoded_key(const QString &key);
    // The same key from its bytes in the file, as Qt's INI reader names it when it reads the
    // header's copy (stand-ins included when `risky`): escapes decoded, NUL bytes included.
    static QString key_of(const QByteArray &raw, bool risky);

    void feed(const char *data, int size);
    void finish();

    // "[classes]" and the data of each section the INI reader calls "classes", in file order.
    const QByteArray &copy() const { return out; }

    // A logical line of those sections, other than a comment: its 1-based line number in the
    // file and its bytes out.mid(start, end - start); cut when it ended at a ";".
    struct Line
    {
        int number;
        int start;
        int end;
        bool cut;
    };
    const QVector<Line> &lines() const { return found; }

    // Whether the file starts with a UTF-8 byte-order mark, which the INI reader skips.
    bool byte_order_mark() const { return mark; }

private:
    void scan(const char *data, int size);
    void startLine(const char *data, int at);
    void endLine(const char *data, int at, bool cut);
    qint64 copied(int at) const { return out.size() + (at - copyFrom); }

    enum Phase { LineStart, InLine, InComment } phase = LineStart;
    bool inQuotes = false;
    bool header = false; // the current logical line starts with "["
    QByteArray headerText;
    int headerFrom = 0; // where the header line's bytes start in the current chunk
    bool copying = false; // in a [classes] section
    int copyFrom = -1; // where the bytes still to copy start in the current chunk
    int newlines = 0;
    Line current {0, 0, 0, false};
    bool deciding = true; // still reading what may be a byte-order mark
    int markBytes = 0;
    bool mark = false;
    QByteArray out;
    QVector<Line> found;
};
