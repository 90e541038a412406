// The [classes] sections of a .conf file, delimited as Qt's INI reader delimits them.
#include "inisections.h"

#include <QString>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The characters that end or change a logical line.
bool isSpecial(char c)
{
    return c == '"' || c == '\n' || c == '\r' || c == ';';
}

// A section name as the INI reader decodes it: "%XX" and "%UXXXX" are characters in hexadecimal.
QString unescapedName(const QByteArray &name)
{
    QString result;
    for (int i = 0; i < name.size();) {
        const char c = name.at(i);
        if (c != '%' || i + 1 == name.size()) {
            result += QLatin1Char(c);
            ++i;
            continue;
        }
        int first = i + 1;
        int digits = 2;
        if (name.at(first) == 'U') {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const int code = first + digits <= name.size() ? name.mid(first, digits).toInt(&ok, 16) : 0;
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

bool namesClasses(const QByteArray &line)
{
    const int close = line.indexOf(']');
    const QByteArray name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
    if (!name.contains('%')) {
        return name == "classes";
    }
    return unescapedName(name) == QLatin1String("classes");
}

} // namespace

void IniSections::feed(const char *data, int size)
{
    // A byte-order mark is looked for in the first three bytes, however they arrive; bytes that
    // start like one and then differ are read as they are.
    static const char bom[] = "\xEF\xBB\xBF";
    int i = 0;
    while (deciding && i < size) {
        if (data[i] != bom[markBytes]) {
            deciding = false;
            scan(bom, markBytes);
            break;
        }
        ++i;
        mark = ++markBytes == 3;
        deciding = !mark;
    }
    scan(data + i, size - i);
}

void IniSections::scan(const char *data, int size)
{
    int i = 0;
    copyFrom = copying && !header ? i : -1;
    headerFrom = i;
    while (i < size) {
        if (phase == LineStart) {
            while (i < size && isBlank(data[i])) {
                newlines += data[i] == '\n' ? 1 : 0;
                ++i;
            }
            if (i == size) {
                break;
            }
            if (data[i] == ';') {
                phase = InComment;
                ++i;
                continue;
            }
            startLine(data, i);
            continue;
        }
        if (phase == InComment) {
            while (i < size && data[i] != '\n' && data[i] != '\r') {
                ++i;
            }
            if (i < size) {
                phase = LineStart;
            }
            continue;
        }
        while (i < size && !isSpecial(data[i])) {
            ++i;
        }
        if (i == size) {
            break;
        }
        const char c = data[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            ++i;
        } else if (inQuotes) {
            newlines += c == '\n' ? 1 : 0;
            ++i;
        } else if (c == ';') {
            endLine(data, i, true);
            phase = InComment;
            ++i;
        } else {
            endLine(data, i, false);
            phase = LineStart;
        }
    }
    if (header) {
        headerText.append(data + headerFrom, size - headerFrom);
    }
    if (copyFrom >= 0) {
        out.append(data + copyFrom, size - copyFrom);
    }
}

void IniSections::finish()
{
    if (deciding) {
        deciding = false;
        scan("\xEF\xBB", markBytes);
    }
    if (phase == InLine) {
        copyFrom = copying && !header ? 0 : -1;
        headerFrom = 0;
        endLine(nullptr, 0, false);
    }
    phase = LineStart;
}

void IniSections::startLine(const char *data, int at)
{
    phase = InLine;
    inQuotes = false;
    header = data[at] == '[';
    if (header) {
        // The section so far ends here; whether the next one is copied is known at its end.
        if (copyFrom >= 0) {
            out.append(data + copyFrom, at - copyFrom);
        }
        copyFrom = -1;
        headerText.clear();
        headerFrom = at;
        return;
    }
    if (copying) {
        current = {newlines + 1, int(copied(at)), 0, false};
    }
}

void IniSections::endLine(const char *data, int at, bool cut)
{
    if (header) {
        header = false;
        if (at > headerFrom) {
            headerText.append(data + headerFrom, at - headerFrom);
        }
        copying = namesClasses(headerText);
        headerText.clear();
        if (copying) {
            // The section's data starts with what ended its line (a line end, a ";" or the end
            // of the file), so it reads the same after a plain "[classes]" line.
            out += "[classes]";
            copyFrom = at;
        }
        return;
    }
    if (copying) {
        current.end = int(copied(at));
        current.cut = cut;
        found.append(current);
    }
}

QString IniSections::restored(QString text)
{
    return text.replace(QChar(0xFDD0), QLatin1Char('@')).replace(QChar(0xFDD1), QLatin1Char('\\'));
}

QString IniSections::decoded_key(const QString &key)
{
    for (const QChar c : key) {
        if (c.unicode() > 0xFF) {
            return key;
        }
    }
    const QByteArray bytes = key.toLatin1();
    const QString utf8 = QString::fromUtf8(bytes.constData(), bytes.size());
    return utf8.toUtf8() == bytes ? utf8 : key;
}

QString IniSections::key_of(const QByteArray &raw, bool risky)
{
    QByteArray bytes = raw;
    if (risky) {
        bytes.replace('@', AtStandIn).replace('\\', BackslashStandIn);
    }
    // As the INI reader unescapes a key: "%XX" and "%UXXXX" in hexadecimal are the character of
    // that code, any other byte (a "%" that starts no such escape too) is its Latin-1 character.
    QString name;
    name.reserve(bytes.size());
    const int to = bytes.size();
    for (int i = 0; i < to;) {
        if (bytes.at(i) != '%' || i == to - 1) {
            name += QLatin1Char(bytes.at(i));
            ++i;
            continue;
        }
        const bool wide = bytes.at(i + 1) == 'U';
        const int first = i + (wide ? 2 : 1);
        const int digits = wide ? 4 : 2;
        bool ok = false;
        const int code = first + digits <= to ? bytes.mid(first, digits).toInt(&ok, 16) : 0;
        if (!ok) {
            name += QLatin1Char('%');
            ++i;
            continue;
        }
        name += QChar(code);
        i = first + digits;
    }
    const QString key = decoded_key(name);
    return risky ? restored(key) : key;
}
