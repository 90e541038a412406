// The .conf file: the exact text the writer produces, the reading rules and quirks of both passes,
// hostile files, and the example configurations shipped for users.
#include "conf.h"
#include "modeltest.h"
#include "../testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

const QString european = sourceFile("examples/european.conf");

} // namespace

class tst_ConfFile : public QObject
{
    Q_OBJECT

private:
    TestFiles files;

private slots:
    void axleCountBeyondRangeBoundsTheItems_data();
    void axleCountBeyondRangeBoundsTheItems();
    void savedAfterReading_data();
    void savedAfterReading();
    void readNotes_data();
    void readNotes();
    void notesAreBounded();
    void headerSectionsAsTheIniReaderSeesThem_data();
    void headerSectionsAsTheIniReaderSeesThem();
    void scan_data();
    void scan();
    void listLines_data();
    void listLines();
    void unreadableFileGivesEmptyConfiguration_data();
    void unreadableFileGivesEmptyConfiguration();
    void hostileFileOpens_data();
    void hostileFileOpens();
};

void tst_ConfFile::axleCountBeyondRangeBoundsTheItems_data()
{
    QTest::addColumn<QString>("axles");
    QTest::addColumn<QString>("tyres");
    QTest::addColumn<QString>("line");
    QTest::newRow("25 axles, every read item")
        << "25"
        << "1" + QString(",1").repeated(24) << "1" + QString(",1").repeated(24);
    // The two items read plus the 21 spare entries grown in step with the 22 weights.
    QTest::newRow("a million axles, bounded")
        << "1000000" << QString("1,2") << "1,2" + QString(21, ',');
}

void tst_ConfFile::axleCountBeyondRangeBoundsTheItems()
{
    QFETCH(QString, axles);
    QFETCH(QString, tyres);
    QFETCH(QString, line);
    const Capture capturing;
    const Subclass subclass(QMap<QString, QString> {{"subclass", "1"}, {"number_of_axles", axles},
        {"tyre_type", tyres}, {"max_axle_weight__kN", "1,5"}});
    QVERIFY(subclass.to_string().contains("\ntyre_type=" + line + "\n"));
}

void tst_ConfFile::savedAfterReading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("written");
    const QByteArray no_items
        = "tyre_type=\nmax_axle_weight__kN=\nmax_axle_distance__m=\nmin_axle_distance__m=\n\n";
    // roundtrip.conf holds every key and UTF-8 text in both passes.
    for (const QString &path :
        {european, sourceFile("examples/warnings.conf"), QFINDTESTDATA("data/roundtrip.conf")}) {
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << fileBytes(path) << fileBytes(path);
    }
    QTest::newRow("CRLF") << fileBytes(european).replace("\n", "\r\n") << fileBytes(european);
    // Keys in code-unit order, empty values and spare list entries left out, subclasses in
    // ascending number, list lines of a subclass without items kept with their "=".
    QTest::newRow("written in order") << fileBytes(QFINDTESTDATA("data/unordered.conf"))
                                      << fileBytes(QFINDTESTDATA("data/unordered-written.conf"));
    // Qt's INI reader takes a key's bytes for Latin-1.
    const QByteArray key = "[classes]\ncountry_code=SI\n\xC4\x8D"
                           "as=12:00\n\n";
    QTest::newRow("header key with non-ASCII letters") << key << key;
    // Header values read literally: Qt's INI reader would deserialise the @Variant, however
    // written (and reserve room for two billion list items).
    for (const char *line : {"x=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xf0)",
             "x=\\x40Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xf0)"}) {
        const QByteArray text = "[classes]\ncountry_code=SI\n" + QByteArray(line) + "\n\n";
        QTest::newRow(line) << text << text;
    }
    // Qt's INI reader splits a value at its commas and drops the space after each.
    QTest::newRow("header list value joined")
        << QByteArray("[classes]\nclassification_version=EU 8+1, rev 3\n")
        << QByteArray("[classes]\nclassification_version=EU 8+1,rev 3\n\n");
    // Editors on Windows start UTF-8 files with a byte order mark; it belongs to neither pass.
    QTest::newRow("byte order mark")
        << QByteArray("\xEF\xBB\xBF[classes]\ncountry_code=SI\n\n[subclass_1]\ncategory=1\n")
        << "[classes]\ncountry_code=SI\n\n[subclass_1]\ncategory=1\n" + no_items;
    // A subclass without a number of axles has no items; its empty list lines read back.
    QTest::newRow("padded number written plain, empty lists")
        << QByteArray("[subclass_007]\ncategory=1\n[subclass_5]\ncategory=2\n")
        << "[classes]\n\n[subclass_5]\ncategory=2\n" + no_items + "[subclass_7]\ncategory=1\n"
            + no_items;
}

void tst_ConfFile::savedAfterReading()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, written);
    const Capture capturing;
    const Conf conf(files.write(text), nullptr);
    QVERIFY(conf.file_opened());
    QCOMPARE(conf.stopped_at_line(), 0);
    // The bytes Save writes: the text in UTF-8, no line-end translation.
    QCOMPARE(conf.to_string().toUtf8(), written);
    const Conf again(files.write(written), nullptr);
    QCOMPARE(again.to_string().toUtf8(), written);
    // No file the writer wrote gets a note, and no clean file does; these two rows hold spare
    // list items and a byte-order mark.
    QCOMPARE(again.read_notes().size(), 0);
    const QByteArray tag = QTest::currentDataTag();
    QCOMPARE(conf.read_notes().isEmpty(), tag != "written in order" && tag != "byte order mark");
}

void tst_ConfFile::readNotes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("notes"); // what@line, in line order
    QTest::addColumn<QByteArray>("written"); // the subclass sections Save writes then
    const QByteArray none = "tyre_type=\nmax_axle_weight__kN=\nmax_axle_distance__m=\n"
                            "min_axle_distance__m=\n\n";
    const auto row = [&none](const char *name, const QByteArray &text, const char *notes,
                         const QByteArray &written) {
        QTest::newRow(name) << text << notes << written + (written.isEmpty() ? "" : none);
    };
    row("repeated section", "[subclass_2]\ncategory=1\nappend__m=1\n\n[subclass_2]\ncategory=3\n",
        "repeated_section@5", "[subclass_2]\ncategory=3\n");
    row("repeated key", "[subclass_1]\ncategory=1\ncategory=7\n", "repeated_key@3",
        "[subclass_1]\ncategory=7\n");
    row("70000 and a real 0", "[subclass_70000]\ncategory=1\n[subclass_0]\ncategory=2\n",
        "section_number@1 repeated_section@3", "[subclass_0]\ncategory=2\n");
    row("20 digits", "[subclass_99999999999999999999]\ncategory=1\n", "section_number@1",
        "[subclass_0]\ncategory=1\n");
    row("no number after [classes]", "[classes]\n[subclass_-1]\ncategory=1\n[subclass_2]\n",
        "section_number@2", "[subclass_2]\n");
    row("misspelt section after [classes]", "[classes]\n[subclas_1]\ncategory=1\n",
        "section_number@2", "");
    row("unknown keys", "[subclass_1]\ncolour=red\nCategory=5\nmax_gvw__kN=5\n",
        "unknown_key@2 unknown_key@3 unknown_key@4", "[subclass_1]\n");
    row("blanks around =", "[subclass_1]\ncategory = 1\n", "blanks_around_equals@2",
        "[subclass_1]\n");
    row("not numbers",
        "[subclass_1]\nmax_GVW__kN=abc\nprepend__m=-5\nnumber_of_axles=2.5\n"
        "reclassify_up_to_subclass=70000\nappend__m=inf\n",
        "not_a_number@2 not_a_number@3 not_a_number@4 not_a_number@5 not_a_number@6",
        "[subclass_1]\nappend__m=inf\nmax_GVW__kN=abc\nnumber_of_axles=2.5\nprepend__m=-5\n"
        "reclassify_up_to_subclass=70000\n");
    QTest::newRow("weights: order, no numbers, extra items")
        << QByteArray("[subclass_1]\nnumber_of_axles=2\nmax_axle_weight__kN=2,12.3;1,10;3,5;1,nan\n"
                      "tyre_type=1,x,1\nmin_axle_distance__m=1,1\nmax_axle_distance__m=2\n")
        << "not_a_number@3 weight_axle_order@3 extra_items@3 not_a_number@4 extra_items@4 "
           "extra_items@5"
        << QByteArray("[subclass_1]\nnumber_of_axles=2\ntyre_type=1,x\n"
                      "max_axle_weight__kN=1,12.3;2,10\nmax_axle_distance__m=2\n"
                      "min_axle_distance__m=1\n\n");
    // The header's own: its reader's cuts, repeats and numbers; with no section, no subclass.
    row("header value cut at ;", "[classes]\nclassification_version=EU;19 2.1\n",
        "header_value_cut@2", "");
    row("header value in quotes", "[classes]\nclassification_version=\"EU;19\"\n",
        "header_value_cut@2", "");
    // Qt names a key that is no UTF-8 by its Latin-1 reading; its quoted value runs over a line
    // end, which the writer would write as a line of its own.
    row("header key not UTF-8, value over two lines", "[classes]\nv\xFF=\"a\nb=1\"\n",
        "header_value_cut@2", "");
    row("header key with a NUL, value over two lines",
        QByteArray("[classes]\nv\0w=\"a\nb=1\"\n", 22), "header_value_cut@2", "");
    // Keys as the INI reader unescapes them; a group's key is lost, but not what it swallows.
    row("header key escaped, value over two lines", "[classes]\nv%41%U00e9=\"a\nb=1\"\n",
        "header_value_cut@2", "");
    row("header key escaped, given twice", "[classes]\ncountry_code=SI\ncountry%5Fcode=AT\n",
        "repeated_key@3", "");
    row("group key, value over two lines", "[classes]\na%2Fb=\"x\ny=1\"\n", "header_value_cut@2",
        "");
    row("header key twice, in two sections",
        "[classes]\ncountry_code=SI\n[subclass_1]\n[classes]\ncountry_code=AT\nx=nan\n"
        "min_axle_distance__m=-1\ng_acceleration_constant=-9.81\n",
        "repeated_key@5 not_a_number@7", "[subclass_1]\n");
    row("byte-order mark", "\xEF\xBB\xBF[subclass_1]\n", "byte_order_mark@1", "[subclass_1]\n");
}

void tst_ConfFile::readNotes()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, notes);
    QFETCH(QByteArray, written);
    const Capture capturing;
    const Conf conf(files.write(text), nullptr);
    QStringList seen;
    for (const ReadNote &note : conf.read_notes()) {
        seen << QStringLiteral("%1@%2").arg(note.what()).arg(note.line);
        QVERIFY(note.words().startsWith(QStringLiteral("line %1: ").arg(note.line)));
        for (const QChar c : note.words() + note.text) {
            QVERIFY(c.category() != QChar::Other_Control);
        }
    }
    QCOMPARE(seen.join(' '), notes);
    QCOMPARE(conf.to_string().section("\n\n", 1).toUtf8(), written);
}

void tst_ConfFile::headerSectionsAsTheIniReaderSeesThem_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("header"); // the header lines Save writes
    // A quoted value runs over line ends, so a "[" line inside it starts no section.
    QTest::newRow("quoted value over a section line")
        << QByteArray("[classes]\nclassification_version=\"a\n[subclass_1]\nb\"\ncountry_code=SI\n")
        << "classification_version=a\n[subclass_1]\nb\ncountry_code=SI";
    QTest::newRow("quote in a subclass hides [classes]")
        << QByteArray("[subclass_1]\ncategory=\"x\n[classes]\ncountry_code=SI\n") << "";
    QTest::newRow("a ; comment hides a quote")
        << QByteArray("[classes]\nx=1 ;\"\n[subclass_1]\n[classes]\ncountry_code=SI\n")
        << "country_code=SI\nx=1";
    QTest::newRow("section name escaped, blanks, text after ]")
        << QByteArray("  [ %63lasses ] x\ncountry_code=SI\n") << "country_code=SI";
    QTest::newRow("section line without ]")
        << QByteArray("[classes\ncountry_code=SI\n") << "country_code=SI";
    QTest::newRow("other section names") << QByteArray("[a]classes]\nx=1\n[Classes]\ny=1\n") << "";
}

void tst_ConfFile::headerSectionsAsTheIniReaderSeesThem()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, header);
    const Capture capturing;
    const QString written = Conf(files.write(text), nullptr).to_string();
    QCOMPARE(written.section("\n\n", 0, 0), QString("[classes]\n" + header).trimmed());
}

void tst_ConfFile::notesAreBounded()
{
    const Capture capturing;
    const Conf conf(
        files.write("[subclass_1]\n" + QByteArray("colour=red\n").repeated(1500)), nullptr);
    QCOMPARE(conf.read_notes().size(), ReadNotes::Most);
    QCOMPARE(conf.read_notes_not_kept(), 500);
    QCOMPARE(conf.read_notes().last().line, 1001);
}

void tst_ConfFile::scan_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("read"); // number:category of each subclass
    QTest::addColumn<QString>("stop"); // line number:text where the scan stopped, if it did
    const auto row = [](const char *name, const QByteArray &text, const char *read,
                         const char *stop = "") { QTest::newRow(name) << text << read << stop; };
    row("70000 reads as 0", "[subclass_70000]\ncategory=1\n", "0:1");
    row("twenty digits read as 0", "[subclass_99999999999999999999]\ncategory=1\n", "0:1");
    row("lines before the first section", "category=1\n[subclass_2]\ncategory=2\n", "0:1 2:2");
    row("subclass entry overrides", "[subclass_3]\nsubclass=9\ncategory=1\n", "9:1");
    row("later duplicate wins", "[subclass_3]\ncategory=1\n\n[subclass_3]\ncategory=2\n", "3:2");
    row("section without entries", "[subclass_5]\n", "5:");
    row("blank lines with spaces", "  \n[subclass_6]\n\t\ncategory=1\n \n", "6:1");
    row("key with spaces dropped", "[subclass_1]\ncategory = 3\n[subclass_2]\ncategory=2\n",
        "1: 2:2");
    // Header lines are the INI reader's: the scan skips them, comments included, and a pending
    // subclass is stored only at the next subclass section or at the end of the file.
    row("[classes] anywhere",
        "[subclass_1]\ncategory=1\n[classes]\n; note\nx=AT\n[subclass_2]\ncategory=2\n"
        "[classes]\nx=1\n",
        "1:1 2:2");
    // A line that does not split in two at "=" ends the scan and drops the rest of the file.
    const QByteArray equals = "[classes]\ncountry_code=SI\n\n[subclass_1]\ncategory=1\n"
                              "[subclass_2]\ncategory=3=4\n[subclass_3]\ncategory=5\n";
    row("value with equals", equals, "1:1", "7:category=3=4");
    row("same in CRLF", QByteArray(equals).replace("\n", "\r\n"), "1:1", "7:category=3=4");
    row("comment inside a section drops it", "[subclass_1]\ncategory=1\n# note\n", "", "3:# note");
    row("section line with spaces", "[subclass_1]\ncategory=1\n [subclass_2] \ncategory=2\n", "",
        "3: [subclass_2] ");
    row("section line without a number", "[subclass_]\ncategory=1\n", "", "1:[subclass_]");
}

void tst_ConfFile::scan()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, read);
    QFETCH(QString, stop);
    messages.clear();
    const Capture capturing;
    Conf conf(files.write(text), nullptr);
    QStringList seen;
    for (const quint16 number : conf.get_subclass_numbers()) {
        QCOMPARE(conf.get_subclass(number).get_subclass_number(), number);
        seen << QString("%1:%2").arg(number).arg(conf.get_subclass(number).get_category());
    }
    QCOMPARE(seen.join(' '), read);
    QCOMPARE(QString("%1:%2").arg(conf.stopped_at_line()).arg(conf.stopped_line_text()),
        stop.isEmpty() ? "0:" : stop);
    QCOMPARE(messages.filter("without equals"),
        stop.isEmpty()
            ? QStringList()
            : QStringList("Read a line without equals: \"" + stop.section(':', 1) + "\""));
}

void tst_ConfFile::listLines_data()
{
    // A line with "/" is a minimum/maximum distance pair, its first part also a tyre line;
    // otherwise a weight line. Lists: weights|minimums|maximums|tyres|constraints.
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("warning");
    const auto row
        = [](const char *name, const char *line, const char *read, const char *warning = "") {
              QTest::newRow(name) << line << read << warning;
          };
    row("two axles and a constraint", "1,100;2,110;1+2,200", "100;110|old|old||1+2,200");
    row("comma between items stops the line", "1,100,2,110;1+2,200", "100|old|old||",
        "Expected two values for axle weight, got  (\"\", \"2\", \"110\")");
    row("last term of 9+10 is no axle", "9,80;10,80;9+10,150", "80;80|old|old||9+10,150");
    row("any other separator, axle numbers unused", "5,12.5 x 1,7.;2+3+4,240.25|1+2,9",
        "12.5;7.|old|old||2+3+4,240.25;1+2,9");
    row("constraint without weight is nothing", "1,10;1+2,;1+2", "10|old|old||");
    row("equal lengths", "1,2/3,4", "|1;2|3;4|1;2|");
    row("empty parts kept, no trimming", "1,, 2/3,4,5 ", "|1;; 2|3;4;5 |1;; 2|");
    row("different lengths", "1/3,4", "|1|3;4|1|",
        "Mins and maxs have a different number of elements!");
    row("empty minimum changes nothing", "/3", "|old|old||");
    row("empty maximum changes nothing", "1/", "|old|old|1|");
}

void tst_ConfFile::listLines()
{
    QFETCH(QString, line);
    QFETCH(QString, read);
    QFETCH(QString, warning);
    Subclass subclass;
    subclass.set_min_distance_at_index("old", 0);
    subclass.set_max_distance_at_index("old", 0);
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    }
    if (line.contains('/')) {
        subclass.set_min_max_distances(line.section('/', 0, 0), line.section('/', 1));
        subclass.set_tyre_types(line.section('/', 0, 0));
    } else {
        subclass.set_max_axle_weights(line);
    }
    QCOMPARE(lists(subclass).join('|'), read);
}

void tst_ConfFile::unreadableFileGivesEmptyConfiguration_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("missing file") << files.dir.filePath("missing.conf");
    QTest::newRow("folder") << files.dir.path();
    QTest::newRow("endless device") << "/dev/zero";
#ifdef Q_OS_UNIX
    // Opening a pipe would wait for a writer that never comes.
    const QString pipe = files.dir.filePath("pipe.conf");
    QVERIFY(QFile::exists(pipe) || mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    QTest::newRow("named pipe") << pipe;
#endif
}

void tst_ConfFile::unreadableFileGivesEmptyConfiguration()
{
    QFETCH(QString, path);

    const Conf conf(path, nullptr);
    QVERIFY(!conf.file_opened());
    QCOMPARE(conf.stopped_at_line(), 0);
    QCOMPARE(conf.to_string(), QStringLiteral("[classes]\n\n"));
    QVERIFY(!QFile::exists(files.dir.filePath("missing.conf")));
}

void tst_ConfFile::hostileFileOpens_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("subclasses");

    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(char((i * 7919) % 256));
    }
    const QByteArray megabyte(1 << 20, 'x');

    // The fuzzing seeds, each a file that once needed care.
    const QDir seeds(sourceFile("fuzz/corpus"));
    for (const QString &name : seeds.entryList(QDir::Files)) {
        QTest::newRow(qPrintable("seed " + name)) << fileBytes(seeds.filePath(name)) << -1;
    }
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("binary bytes") << binary << -1;
    QTest::newRow("1 MB value") << "[subclass_1]\ncategory=" + megabyte + "\n" << 1;
    QTest::newRow("1 MB section-like line") << "[subclass_" + QByteArray(1 << 20, '1') << 0;
    QTest::newRow("1 MB header line") << "[classes]\nclassification_version=" + megabyte << 0;
    QTest::newRow("1 MB chain of +")
        << "[subclass_1]\nmax_axle_weight__kN=" + QByteArray("1+").repeated(1 << 19) + "\n"
        << 1;
    QTest::newRow("CR-only line ends")
        << QByteArray("[classes]\rcountry_code=SI\r\r[subclass_1]\rcategory=1\r") << 0;
}

void tst_ConfFile::hostileFileOpens()
{
    QFETCH(QByteArray, text);
    QFETCH(int, subclasses);
    const Capture capturing;
    const Conf conf(files.write(text), nullptr);
    const QString written = conf.to_string();
    QVERIFY(conf.file_opened());
    QVERIFY(Conf(files.write(written.toUtf8()), nullptr).file_opened());
    if (subclasses >= 0) {
        QCOMPARE(conf.get_subclass_numbers().size(), subclasses);
    }
    // Nothing grows with a number read from the file: the text stays about the input's size.
    QVERIFY(written.size() <= text.size() + 4096);
    for (const quint16 number : conf.get_subclass_numbers()) {
        QVERIFY(conf.get_subclass(number).get_tyre_type_count() <= 4096);
    }
}

QTEST_GUILESS_MAIN(tst_ConfFile)
#include "tst_conffile.moc"
