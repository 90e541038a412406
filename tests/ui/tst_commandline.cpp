// The editor's command line: what each argument list asks start-up to do, the same answers from
// the built program without a display, and a named file opening in the shown window.
#include "appidentity.h"
#include "commandline.h"
#include "veltora.h"
#include "../testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
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
    QTest::addColumn<QStringList>("arguments"); // @ stands for a fresh folder, EU for the example
    QTest::addColumn<int>("status"); // -1: the window starts; else the program's exit status
    QTest::addColumn<QString>("expected"); // the file it opens, or a part of what is printed
    QTest::addColumn<QString>("sheet"); // the units and paper of a sheet to write
    QTest::newRow("nothing named") << QStringList() << -1 << ""
                                   << "";
    QTest::newRow("relative") << QStringList {"b/../a"} << -1 << QDir::current().filePath("a")
                              << "";
    QTest::newRow("Qt's options") << QStringList {"-style", "x", "/a", "--reverse"} << -1 << "/a"
                                  << "";
    QTest::newRow("help beats a file") << QStringList {"a", "-h"} << 0 << "] [FILE.conf]\n"
                                       << "";
    QTest::newRow("help names the sheet's options")
        << QStringList {"-h"} << 0 << "--page <a4|letter>"
        << "";
    QTest::newRow("version") << QStringList {"--version"} << 0 << " 3.2.0\n"
                             << "";
    QTest::newRow("unknown option") << QStringList {"-x", "a"} << 2 << "Unknown option 'x'.\n"
                                    << "";
    QTest::newRow("two files") << QStringList {"a", "b"} << 2 << "Only one FILE.conf can be"
                               << "";
    QTest::newRow("empty name") << QStringList {""} << 2 << "The file name is empty.\n"
                                << "";
    QTest::newRow("units without a sheet")
        << QStringList {"--units", "t,m", "a"} << 2 << "--units is an option of --sheet"
        << "";
    QTest::newRow("landscape without a sheet")
        << QStringList {"--landscape", "a"} << 2 << "--landscape is an option of"
        << "";
    QTest::newRow("unknown weight unit")
        << QStringList {"--sheet", "s", "--units", "kg,m", "a"} << 2 << "--units kg,m: expected W,L"
        << "";
    QTest::newRow("one unit only")
        << QStringList {"--sheet", "s", "--units", "t", "a"} << 2 << "--units t: expected"
        << "";
    QTest::newRow("unknown paper") << QStringList {"--sheet", "s", "--page", "a3", "a"} << 2
                                   << "--page a3: expected a4 or letter."
                                   << "";
    QTest::newRow("sheet without a file")
        << QStringList {"--sheet", "s"} << 2 << "--sheet needs the FILE.conf"
        << "";
    QTest::newRow("sheet without a name")
        << QStringList {"--sheet", "", "a"} << 2 << "(--sheet OUT.pdf) is empty."
        << "";
    QTest::newRow("two sheets") << QStringList {"--sheet", "s", "--sheet", "t", "a"} << 2
                                << "--sheet is given more than once."
                                << "";
    // Run without a display: the offscreen platform must be chosen by the program itself.
    QTest::newRow("sheet") << QStringList {"--sheet", "@/s.pdf", "EU"} << 0 << ""
                           << "t,m a4 portrait";
    QTest::newRow("sheet in other units, landscape, letter") << QStringList {"--units", "LB,in",
        "--sheet", "@/s.pdf", "--landscape", "--page", "Letter", "EU"}
                                                             << 0 << ""
                                                             << "lb,in letter landscape";
    QTest::newRow("sheet of a file read in part")
        << QStringList {"--sheet", "@/s.pdf", "@/stopped.conf"} << 1
        << "stopped at line 246, which could not be read: \"no equals sign here\"."
        << "t,m a4 portrait";
    QTest::newRow("sheet of a missing file")
        << QStringList {"--sheet", "@/s.pdf", "@/none.conf"} << 2
        << "none.conf could not be opened: it does not exist.\n"
        << "t,m a4 portrait";
    QTest::newRow("sheet into a missing folder") << QStringList {"--sheet", "@/no/s.pdf", "EU"} << 2
                                                 << "no/s.pdf: No such file or directory\n"
                                                 << "t,m a4 portrait";
    QTest::newRow("names swapped: the configuration stays")
        << QStringList {"--sheet", "@/in.conf", "@/s.pdf"} << 2
        << "in.conf is there and is not a PDF: it is not replaced"
        << "t,m a4 portrait";
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, expected);
    QFETCH(QString, sheet);
    QTemporaryDir dir;
    const QByteArray european = fileBytes(sourceFile("examples/european.conf"));
    const auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write("in.conf", european));
    QVERIFY(write("stopped.conf",
        QByteArray(european).replace("[subclass_19]", "[subclass_19]\nno equals sign here")));
    arguments.replaceInStrings(QRegularExpression("^EU$"), sourceFile("examples/european.conf"));
    arguments.replaceInStrings(QRegularExpression("^@"), dir.path());
    QCoreApplication::setApplicationVersion(AppIdentity::applicationVersion); // as main() does
    const CommandLine line = CommandLine::parse(QStringList("veltora") + arguments);
    if (!sheet.isEmpty()) {
        QCOMPARE(int(line.action), int(CommandLine::Action::Sheet));
        const SheetOptions &o = line.sheetOptions;
        QCOMPARE(QString("%1,%2 %3 %4")
                     .arg(weightMarks[o.weightUnit], lengthMarks[o.lengthUnit],
                         o.paper == SheetOptions::Paper::A4 ? "a4" : "letter",
                         o.landscape ? "landscape" : "portrait"),
            sheet);
        QCOMPARE(o.fileName, QFileInfo(arguments.last()).fileName());
    } else {
        QCOMPARE(line.action == CommandLine::Action::Exit ? line.status : -1, status);
        QVERIFY(status < 0 ? line.file == expected : line.message.contains(expected));
    }
    if (status < 0) {
        return;
    }
    // The built program prints the same on the stream its status calls for, and only there. A
    // window would need the platform given here, which does not exist: the answer must come
    // first. A sheet is made with no platform named and no display, debug lines kept quiet.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "no-such-platform");
    if (!sheet.isEmpty()) {
        for (const char *name :
            {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QT_LOGGING_RULES"}) {
            environment.remove(name);
        }
        environment.insert("XDG_RUNTIME_DIR", dir.path()); // else Qt warns when run as root
        environment.insert("QT_MESSAGE_PATTERN", "%{type}: %{message}");
    }
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(VELTORA_EDITOR, arguments);
    QVERIFY(program.waitForFinished(30000) && program.exitStatus() == QProcess::NormalExit);
    const QString out = program.readAllStandardOutput(), err = program.readAllStandardError();
    QCOMPARE(program.exitCode(), status);
    QVERIFY2((status == 0 ? out : err).contains(expected), qPrintable(out + err));
    if (sheet.isEmpty()) {
        QCOMPARE(status == 0 ? err : out, QString());
    } else {
        QVERIFY2(out.isEmpty() && !err.contains("debug: "), qPrintable(err));
        // Written even when reading stopped early; otherwise nothing, or the file as it was.
        QCOMPARE(fileBytes(line.sheet).startsWith("%PDF-"), status < 2);
        QCOMPARE(fileBytes(dir.filePath("in.conf")), european);
    }
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
