// The .conf file of a configuration: the reader (the [classes] section through Qt's INI reader,
// the subclass sections through a line scanner) and the writer.
#include "conf.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QRegExp>
#include <QSettings>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

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

// Every key of the [classes] section, known or not.
QMap<QString, QString> readHeader(const QString &path, QObject *parent)
{
    QSettings settings(path, QSettings::IniFormat, parent);
    // Qt 5 reads INI files as Latin-1 unless told otherwise; the writer writes UTF-8, so a
    // version such as "Č-2024" would come back corrupted after one open and save.
    settings.setIniCodec("UTF-8");
    settings.beginGroup(QStringLiteral("classes"));
    QMap<QString, QString> header;
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys) {
        const QVariant value = settings.value(key);
        // The INI reader hands back a value with commas (EU 8+1, rev 3) as a list, which
        // would read as the empty text and be lost at the next save.
        if (value.type() == QVariant::StringList) {
            header.insert(key, value.toStringList().join(QLatin1Char(',')));
        } else {
            header.insert(key, value.toString());
        }
    }
    settings.endGroup();
    return header;
}

} // namespace

Conf::Conf(const QString &path, QObject *parent)
    : country_codes(iso_country_codes())
{
    // Only a regular file: a device such as /dev/zero never ends, and opening a named pipe
    // waits for a writer.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        opened = false;
        return;
    }

    header = readHeader(path, parent);

    // The subclass sections. readLine ends a line only at "\n" (dropping a "\r" before it), so
    // line numbers count the same in LF and CRLF files; a file with bare "\r" line ends is one
    // line.
    QTextStream in(&file);
    in.setCodec("UTF-8");
    QRegExp sectionPattern(QStringLiteral("(\\[subclass_\\d+\\])|(\\[classes\\])"));
    QRegExp numberPattern(QStringLiteral("\\d+"));
    const QString classes = QStringLiteral("[classes]");
    const QString numberKey = QStringLiteral("subclass");

    QString section;
    QMap<QString, QString> pending;
    const auto storePending = [this, &pending, &numberKey] {
        const quint16 number = pending.value(numberKey).toUShort();
        subclasses.insert(number, Subclass(pending));
        pending.clear();
    };

    QString line;
    int lineNumber = 0;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (isBlank(line)) {
            continue;
        }
        // The first match is the whole line exactly when the whole line matches: both
        // alternatives start with "[" and end with their only "]". A line that does not start
        // with "[" cannot be a section line and needs no pattern.
        if (line.startsWith(QLatin1Char('[')) && sectionPattern.exactMatch(line)) {
            if (line == classes) {
                section = line;
                continue;
            }
            if (!pending.isEmpty()) {
                storePending();
            }
            section = line;
            numberPattern.indexIn(line);
            pending.insert(numberKey, numberPattern.cap(0));
            continue;
        }
        if (section == classes) {
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.indexOf(QLatin1Char('='), equals + 1) >= 0) {
            // The rest of the file is dropped; the line is kept so the caller can say where.
            qWarning() << "Read a line without equals:" << line;
            stopLine = lineNumber;
            stopText = line;
            return;
        }
        pending.insert(line.left(equals), line.mid(equals + 1));
    }
    if (!pending.isEmpty()) {
        storePending();
    }
}

QString Conf::to_string() const
{
    QString out;
    out.reserve(64 + 512 * subclasses.size());
    out += QLatin1String("[classes]\n");
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
