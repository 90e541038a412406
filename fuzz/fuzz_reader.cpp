// Fuzz target for the .conf reader: any bytes given as a configuration file must be read without
// a crash, a hang, a leak or undefined behaviour, and what was read must write back to text and
// read again. The header must be the one Qt's INI reader reads from the whole file (the reader
// gives it only the [classes] sections), the notes stay bounded, a read without notes writes a
// text that reads without notes, and every invalid subclass has its rules in words.
#include "conf.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryFile>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void ignoreMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

// Both passes of the reader want a file name (Qt's INI reader reads from a path). Each process
// rewrites the same two files: a name per input would fill the INI reader's per-path cache, and
// LeakSanitizer would then scan the whole heap after every input. The cache answers for a file
// whose size and modification time are unchanged, so every input gets a modification time of its
// own: an input of the same size written within the same millisecond is read afresh too.
QString inputPath(int which)
{
    return QDir::tempPath()
        + QStringLiteral("/veltora-fuzz-%1-%2.conf")
              .arg(QCoreApplication::applicationPid())
              .arg(which);
}

void removeInputs()
{
    QFile::remove(inputPath(1));
    QFile::remove(inputPath(2));
}

// The header as Qt's INI reader reads it from the whole file, "@" and "\\" standing in as the
// reader has them.
QMap<QString, QString> wholeFileHeader(QByteArray bytes, bool risky)
{
    bytes.replace('@', "\xEF\xB7\x90").replace('\\', "\xEF\xB7\x91");
    QTemporaryFile copy;
    QMap<QString, QString> header;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush()) {
        return header;
    }
    QSettings settings(copy.fileName(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.beginGroup(QStringLiteral("classes"));
    for (const QString &key : settings.childKeys()) {
        const QVariant value = settings.value(key);
        QString text = value.type() == QVariant::StringList || value.type() == QVariant::List
            ? value.toStringList().join(QLatin1Char(','))
            : value.toString();
        // Keys decoded as the reader decodes them (valid UTF-8 read as Latin-1 is UTF-8), then
        // the stand-ins put back.
        QString name = key;
        if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
            const QByteArray latin = name.toLatin1();
            // By size: a NUL byte is part of the key.
            const QString utf8 = QString::fromUtf8(latin.constData(), latin.size());
            name = utf8.toUtf8() == latin ? utf8 : name;
        }
        if (risky) {
            for (QString *t : {&text, &name}) {
                t->replace(QChar(0xFDD0), QLatin1Char('@'))
                    .replace(QChar(0xFDD1), QLatin1Char('\\'));
            }
        }
        header.insert(name, text);
    }
    return header;
}

void check(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz_reader: %s\n", what);
        std::abort();
    }
}

// Reads the bytes, checks what was read and returns the text the writer makes of it; `noted` is
// set when the read had notes or stopped early.
QString readThroughFile(const QByteArray &bytes, int which, bool *noted = nullptr)
{
    const QString path = inputPath(which);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes) != bytes.size() || !file.flush()) {
            return QString();
        }
        static qint64 inputs = 0;
        const QDateTime stamp = QDateTime::fromMSecsSinceEpoch(++inputs * 1000, Qt::UTC);
        if (!file.setFileTime(stamp, QFileDevice::FileModificationTime)) {
            return QString();
        }
    }
    const Conf conf(path, nullptr);
    (void)conf.stopped_line_text();
    check(conf.read_notes().size() <= ReadNotes::Most, "more notes kept than the bound");
    if (noted) {
        *noted = !conf.read_notes().isEmpty() || conf.stopped_at_line() > 0;
    }
    if (conf.file_opened() && which == 1) {
        // The header lines the writer would write of the whole file's header.
        QString expected = QStringLiteral("[classes]\n");
        const QMap<QString, QString> header
            = wholeFileHeader(bytes, bytes.contains('@') || bytes.contains('\\'));
        for (auto it = header.constBegin(); it != header.constEnd(); ++it) {
            if (!it.value().isEmpty()) {
                expected += it.key() + QLatin1Char('=') + it.value() + QLatin1Char('\n');
            }
        }
        const QString written = conf.to_string();
        check(written.startsWith(expected + QLatin1Char('\n'))
                && (written.size() == expected.size() + 1
                    || written.midRef(expected.size() + 1).startsWith(QLatin1String("[subclass_"))),
            "the header differs from the one of the whole file");
    }
    const QString hdrMin = conf.get_min_axle_distance();
    const QString hdrMax = conf.get_max_axle_distance();
    for (const quint16 number : conf.get_subclass_numbers()) {
        const Subclass &s = conf.get_subclass(number);
        check(s.is_subclass_valid(hdrMin, hdrMax) == s.get_failing_rules(hdrMin, hdrMax).isEmpty(),
            "an invalid subclass without words, or a valid one with");
    }
    return conf.to_string();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The reader logs every odd line; printing them would only slow the search down.
    qInstallMessageHandler(ignoreMessage);
    std::atexit(removeInputs);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    bool noted = true;
    const QString written = readThroughFile(bytes, 1, &noted);
    bool notedAgain = false;
    readThroughFile(written.toUtf8(), 2, &notedAgain);
    check(noted || !notedAgain, "a file read without notes writes a text read with notes");
    return 0;
}
