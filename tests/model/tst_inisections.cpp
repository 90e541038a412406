// The [classes] sections picked out of a file's bytes: what is copied, its logical lines, and the
// same result however the bytes arrive in chunks (the reader feeds 64 KB at a time).
#include "inisections.h"

#include <QTest>

namespace {

// The copy, then each line as number:text, with "|cut" when it ended at a ";".
QStringList sectionsOf(const QByteArray &bytes, int chunk)
{
    IniSections sections;
    for (int from = 0; from < bytes.size(); from += chunk) {
        sections.feed(bytes.constData() + from, qMin(chunk, bytes.size() - from));
    }
    sections.finish();
    QStringList seen {QString::fromUtf8(sections.copy())};
    for (const IniSections::Line &line : sections.lines()) {
        seen << QStringLiteral("%1:%2%3")
                    .arg(line.number)
                    .arg(QString::fromUtf8(sections.copy().mid(line.start, line.end - line.start)))
                    .arg(line.cut ? "|cut" : "");
    }
    seen << (sections.byte_order_mark() ? "mark" : "");
    return seen;
}

} // namespace

class tst_IniSections : public QObject
{
    Q_OBJECT

private slots:
    void picked_data();
    void picked();
};

void tst_IniSections::picked_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sections around subclasses")
        << QByteArray("\xEF\xBB\xBFx=1\n[classes]\na=1\n[subclass_1]\nb=2\n [classes] \nc=3;d\n")
        << QStringList {"[classes]\na=1\n[classes]\nc=3;d\n", "3:a=1", "7:c=3|cut", "mark"};
    QTest::newRow("quote over lines, comment lines")
        << QByteArray("[classes]\r\n;c\"\r\nk=\"x\n[subclass_1]\ny\"\r\nm=2")
        << QStringList {"[classes]\r\n;c\"\r\nk=\"x\n[subclass_1]\ny\"\r\nm=2",
               "3:k=\"x\n[subclass_1]\ny\"", "6:m=2", ""};
    QTest::newRow("header line that ends the file")
        << QByteArray("a=1\n[classes]") << QStringList {"[classes]", ""};
    QTest::newRow("no [classes]") << QByteArray("[subclass_1]\n\"[classes]\nk=1\n")
                                  << QStringList {"", ""};
}

void tst_IniSections::picked()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QCOMPARE(sectionsOf(bytes, bytes.size() + 1), expected);
    for (int chunk = 1; chunk <= 7; ++chunk) {
        QCOMPARE(sectionsOf(bytes, chunk), expected);
    }
}

QTEST_GUILESS_MAIN(tst_IniSections)
#include "tst_inisections.moc"
