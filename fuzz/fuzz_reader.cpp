// Fuzz target for the .conf reader: any bytes given as a configuration file must be read without
// a crash, a hang, a leak or undefined behaviour, and what was read must write back to text and
// read again.
#include "conf.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
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

QString readThroughFile(const QByteArray &bytes, int which)
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
    (void)conf.file_opened();
    (void)conf.stopped_at_line();
    (void)conf.stopped_line_text();
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
    const QString written = readThroughFile(bytes, 1);
    readThroughFile(written.toUtf8(), 2);
    return 0;
}
