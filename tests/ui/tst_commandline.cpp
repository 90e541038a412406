// The editor's command line: what each argument list asks start-up to do, the same answers from
// the built program without a display, and a named file opening in the shown window.
#include "appidentity.h"
#include "commandline.h"
#include "veltora.h"
#include "../testfiles.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void namedFileOpensInShownWindow();
};

void tst_CommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status"); // -1: the window starts
    QTest::addColumn<QString>("expected"); // the file it opens, or a part of what is printed
    QTest::newRow("nothing named") << QStringList() << -1 << "";
    QTest::newRow("relative") << QStringList {"b/../a"} << -1 << QDir::current().filePath("a");
    QTest::newRow("Qt's options") << QStringList {"-style", "x", "/a", "--reverse"} << -1 << "/a";
    QTest::newRow("help beats a file") << QStringList {"a", "-h"} << 0 << "] [FILE.conf]\n";
    QTest::newRow("version") << QStringList {"--version"} << 0 << " 3.2.0\n";
    QTest::newRow("unknown option") << QStringList {"-x", "a"} << 2 << "Unknown option 'x'.\n";
    QTest::newRow("two files") << QStringList {"a", "b"} << 2 << "Only one FILE.conf can be";
    QTest::newRow("empty name") << QStringList {""} << 2 << "The file name is empty.\n";
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, expected);
    QCoreApplication::setApplicationVersion(AppIdentity::applicationVersion); // as main() does
    const CommandLine line = CommandLine::parse(QStringList("veltora") + arguments);
    QCOMPARE(line.action == CommandLine::Action::Exit ? line.status : -1, status);
    QVERIFY(status < 0 ? line.file == expected : line.message.contains(expected));
    if (status < 0) {
        return;
    }
    // The built program prints the same on the stream its status calls for, and only there. A
    // window would need this platform, which does not exist: the answer must come first.
    qputenv("QT_QPA_PLATFORM", "no-such-platform");
    QProcess program;
    program.start(VELTORA_EDITOR, arguments);
    QVERIFY(program.waitForFinished(30000) && program.exitStatus() == QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString out = program.readAllStandardOutput(), err = program.readAllStandardError();
    QVERIFY2((status == 0 ? out : err).contains(expected), qPrintable(out + err));
    QCOMPARE(status == 0 ? err : out, QString());
}

void tst_CommandLine::namedFileOpensInShownWindow()
{
    Veltora window;
    CommandLine::parse({"veltora", sourceFile("examples/european.conf")}).start(window);
    QVERIFY(window.isVisible());
    QTRY_COMPARE(window.configuration().get_subclass_numbers().size(), 19);
}

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
