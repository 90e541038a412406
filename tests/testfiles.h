// Files for the tests that read them: fixed inputs of the source tree, and new files written
// into a temporary folder.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A file of the source tree by its path from the root, such as "examples/european.conf".
inline QString sourceFile(const QString &path)
{
    return QStringLiteral(VELTORA_SOURCE_DIR "/") + path;
}

// The whole file, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// New files in one temporary folder, each under a name of its own, so that no file a test
// reads is one an earlier test wrote.
struct TestFiles
{
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("file%1.conf").arg(++count));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

    QTemporaryDir dir;
    int count = 0;
};
