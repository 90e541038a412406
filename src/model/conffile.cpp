// The .conf file of a configuration: the reader (the [classes] section through Qt's INI reader,
// the subclass sections through a line scanner) and the writer.
#include "conf.h"
#include "fileformat.h"
#include "inisections.h"
#include "notefinder.h"
#include "sharedtexts.h"
#include "textscan.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>
#include <QTextStream>
#include <QVariant>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace {

bool isBlank(const QString &line)
{
    for (const QChar c : line) {
        if (!c.isSpace()) {
            return false;
        }
    }
    return true;
}

// The number of a subclass section line "[subclass_N]" (N one or more digits, as the pattern \d
// sees them), or a null text when the line is no such line.
QString subclassLineNumber(const QString &line)
{
    const QString &start = FileFormat::subclass_line_start();
    if (!line.startsWith(start) || !line.endsWith(QLatin1Char(']'))
        || line.size() < start.size() + 2 || skipDigits(line, start.size()) != line.size() - 1) {
        return QString();
    }
    return line.mid(start.size(), line.size() - start.size() - 1);
}

QString valueText(const QVariant &value)
{
    // The INI reader hands back a value with commas (EU 8+1, rev 3) as a list, which would
    // read as the empty text and be lost at the next save.
    if (value.type() == QVariant::StringList || value.type() == QVariant::List) {
        QStringList items;
        for (const QVariant &item : value.toList()) {
            items << item.toString();
        }
        return items.join(QLatin1Char(','));
    }
    return value.toString();
}

// Every key of the [classes] section of `file`, known or not, through Qt's INI reader. That
// reader turns a value starting with "@" (typed, or made by an escape such as \x40) into a
// QVariant, and for "@Variant(" it deserialises the bytes that follow: a list length declared
// there is reserved before anything is read, so a few hostile bytes make it ask for gigabytes
// and abort. No value the editor writes holds "@" or "\". The header is read from a temporary
// copy of the file's [classes] sections alone, in which both stand in for characters no text
// uses, put back afterwards when the file holds either: there every value reads as its literal
// text and escapes stay as written. The copy has a name of its own every time, which also keeps
// the INI reader from answering from its cache of parsed files: that cache goes by path, size
// and modification time, so a file rewritten in the same millisecond with the same size would
// otherwise show its old header. False when the file cannot be read or the copy cannot be made.
bool readHeader(QObject *parent, QFile &file, QMap<QString, QString> &header, IniSections &sections,
    bool &risky)
{
    char chunk[1 << 16];
    qint64 size = 0;
    risky = false;
    while ((size = file.read(chunk, sizeof chunk)) > 0) {
        risky = risky || std::memchr(chunk, '@', size_t(size))
            || std::memchr(chunk, '\\', size_t(size));
        sections.feed(chunk, int(size));
    }
    if (size < 0) {
        return false;
    }
    sections.finish();
    const QByteArray &classes = sections.copy();
    QByteArray safe;
    safe.reserve(classes.size());
    for (const char c : classes) {
        if (c == '@') {
            safe += IniSections::AtStandIn;
        } else if (c == '\\') {
            safe += IniSections::BackslashStandIn;
        } else {
            safe += c;
        }
    }
    QTemporaryFile copy;
    if (!copy.open() || copy.write(safe) != safe.size() || !copy.flush()) {
        return false;
    }

    QSettings settings(copy.fileName(), QSettings::IniFormat, parent);
    // Qt 5 reads INI values as Latin-1 unless told otherwise; the writer writes UTF-8, so a
    // version such as "Č-2024" would come back corrupted after one open and save.
    settings.setIniCodec("UTF-8");
    settings.beginGroup(FileFormat::header_group());
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys) {
        const QString value = valueText(settings.value(key));
        if (risky) {
            header.insert(IniSections::restored(IniSections::decoded_key(key)),
                IniSections::restored(value));
        } else {
            header.insert(IniSections::decoded_key(key), value);
        }
    }
    settings.endGroup();
    return true;
}

} // namespace

Conf::Conf(const QString &path, QObject *parent)
    : country_codes(isoCountryCodes())
{
    // Only a regular file: a device such as /dev/zero never ends, and opening a named pipe
    // waits for a writer.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        opened = false;
        return;
    }

    // A header that cannot be read safely makes the file unreadable rather than headerless.
    IniSections sections;
    bool risky = false;
    if (!readHeader(parent, file, header, sections, risky) || !file.seek(0)) {
        header.clear();
        opened = false;
        return;
    }
    NoteFinder finder;
    finder.header(sections, risky, header);

    // The subclass sections. readLine ends a line only at "\n" (dropping a "\r" before it), so
    // line numbers count the same in LF and CRLF files; a file with bare "\r" line ends is one
    // line.
    QTextStream in(&file);
    in.setCodec("UTF-8");
    const QString &classes = FileFormat::header_line();

    // The section being read, by key; pending while it holds anything since the last store.
    bool inClasses = false;
    bool pending = false;
    Subclass::SectionTexts texts;
    NoteFinder::KeyLines keyLines {};
    int numberEntryLine = 0; // the "subclass" key given by an entry line, not the section line
    int sectionLine = 0;
    int firstLine = 0;
    QString sectionText;
    // The line of the section each number was last read from, to say which one a repeat replaces.
    std::vector<int> readAt;
    const auto storePending = [&] {
        const Subclass subclass(texts);
        const quint16 number = subclass.get_subclass_number();
        const auto earlier = subclasses.constFind(number);
        if (readAt.empty()) {
            readAt.resize(size_t(std::numeric_limits<quint16>::max()) + 1);
        }
        // Lines before the first section line make a section of their own, from its first line.
        const int line = sectionLine > 0 ? sectionLine : firstLine;
        finder.subclass(texts, keyLines, line, sectionText, subclass, readAt[number],
            earlier == subclasses.constEnd() ? nullptr : &earlier.value());
        readAt[number] = line;
        subclasses.insert(number, subclass);
        for (QString &text : texts) {
            text.clear();
        }
        keyLines.fill(0);
        numberEntryLine = 0;
        sectionLine = 0;
        firstLine = 0;
        sectionText.clear();
        pending = false;
    };

    QString line;
    int lineNumber = 0;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (isBlank(line)) {
            continue;
        }
        if (line == classes) {
            inClasses = true;
            continue;
        }
        const QString number = subclassLineNumber(line);
        if (!number.isNull()) {
            if (pending) {
                storePending();
            }
            inClasses = false;
            finder.section_line(lineNumber, line, number);
            texts[size_t(FileFormat::Section::Subclass)] = number;
            sectionLine = lineNumber;
            sectionText = line;
            pending = true;
            continue;
        }
        if (inClasses) {
            finder.header_part_line(lineNumber, line);
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.indexOf(QLatin1Char('='), equals + 1) >= 0) {
            // The rest of the file is dropped; the line is kept so the caller can say where.
            qWarning() << "Read a line without equals:" << line;
            stopLine = lineNumber;
            stopText = line;
            break;
        }
        if (!pending) {
            pending = true;
            firstLine = lineNumber;
        }
        const QStringRef key = line.leftRef(equals);
        const int k = FileFormat::section_key_index(key);
        if (k < 0) {
            finder.unknown_key(lineNumber, line, key);
            continue;
        }
        const int earlierLine
            = k == int(FileFormat::Section::Subclass) ? numberEntryLine : keyLines[size_t(k)];
        QString &text = texts[size_t(k)];
        const QString value = sharedText(QStringView(line).mid(equals + 1));
        if (earlierLine > 0) {
            finder.repeated_key(lineNumber, line, FileFormat::Section(k), text, earlierLine, value);
        }
        text = value;
        keyLines[size_t(k)] = lineNumber;
        if (k == int(FileFormat::Section::Subclass)) {
            numberEntryLine = lineNumber;
        }
    }
    if (stopLine == 0 && pending) {
        storePending();
    }
    finder.notes.finish();
    notes = finder.notes;
}

QString Conf::to_string() const
{
    QString out;
    out.reserve(64 + 512 * subclasses.size());
    out += FileFormat::header_line();
    out += QLatin1Char('\n');
    for (auto it = header.constBegin(); it != header.constEnd(); ++it) {
        if (!it.value().isEmpty()) {
            out += it.key();
            out += QLatin1Char('=');
            out += it.value();
            out += QLatin1Char('\n');
        }
    }
    out += QLatin1Char('\n');
    for (const Subclass &subclass : subclasses) {
        out += subclass.to_string();
        out += QLatin1Char('\n');
    }
    return out;
}

bool Conf::file_opened() const
{
    return opened;
}

int Conf::stopped_at_line() const
{
    return stopLine;
}

QString Conf::stopped_line_text() const
{
    return stopText;
}

const QVector<ReadNote> &Conf::read_notes() const
{
    return notes.kept;
}

int Conf::read_notes_not_kept() const
{
    return notes.notKept;
}
