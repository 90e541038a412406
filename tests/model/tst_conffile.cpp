// The .conf file: the exact text the writer produces, the reading rules and quirks of both passes,
// hostile files, and the example configurations shipped for users.
#include "conf.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QVector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

// One of a subclass's lists, read through its count and index getters.
QStringList listOf(
    const Subclass &subclass, int (Subclass::*count)() const, QString (Subclass::*at)(int) const)
{
    QStringList list;
    for (int i = 0; i < (subclass.*count)(); ++i) {
        list << (subclass.*at)(i);
    }
    return list;
}

// Collects the log lines written while it lives, instead of printing them (hostile files log
// lines of a megabyte; sections without a weight line log one line each).
class CapturedLog
{
public:
    CapturedLog()
    {
        current = this;
        previous = qInstallMessageHandler(capture);
    }
    ~CapturedLog()
    {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    CapturedLog(const CapturedLog &) = delete;
    CapturedLog &operator=(const CapturedLog &) = delete;

    QStringList messages;

private:
    static void capture(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        current->messages.append(message);
    }

    static CapturedLog *current;
    QtMessageHandler previous;
};
CapturedLog *CapturedLog::current = nullptr;

} // namespace

class tst_ConfFile : public QObject
{
    Q_OBJECT

private:
    // A new file in the temporary folder holding exactly these bytes. Every file gets a name of
    // its own: Qt's INI reader caches files by name.
    QString writeFile(const QByteArray &bytes);
    // The bytes the Save command writes: the text through a UTF-8 QTextStream, no line-end
    // translation.
    QByteArray saved(const Conf &conf);

    QTemporaryDir dir;
    int files = 0;

private slots:
    void emptyConfigurationIsHeaderAndBlankLine();
    void writerOrdersKeysAndSkipsSpareEntries();
    void listLineWithoutItemsKeepsEquals();
    void axleCountBeyondRangeBoundsTheItems_data();
    void axleCountBeyondRangeBoundsTheItems();
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void crlfReadsLikeLf();
    void headerListValueKeptJoined();
    void nonAsciiHeaderSurvivesByteForByte();
    void atSignAndBackslashReadLiterally_data();
    void atSignAndBackslashReadLiterally();
    void byteOrderMarkIsSkipped();
    void sectionNumbers_data();
    void sectionNumbers();
    void paddedNumberWrittenPlain();
    void keyWithSpacesIsDropped();
    void classesSectionMayStandAnywhere();
    void weightLine_data();
    void weightLine();
    void distanceAndTyreLines_data();
    void distanceAndTyreLines();
    void scanStopIsRecorded_data();
    void scanStopIsRecorded();
    void unreadableFileGivesEmptyConfiguration_data();
    void unreadableFileGivesEmptyConfiguration();
    void hostileFileOpens_data();
    void hostileFileOpens();
    void europeanExampleIsValidEverywhere();
    void warningsExampleShowsWarnings();
};

QString tst_ConfFile::writeFile(const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("file%1.conf").arg(++files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray tst_ConfFile::saved(const Conf &conf)
{
    const QString path = dir.filePath(QStringLiteral("saved%1.conf").arg(++files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << conf.to_string();
    out.flush();
    file.close();
    return fileBytes(path);
}

void tst_ConfFile::emptyConfigurationIsHeaderAndBlankLine()
{
    Conf conf;
    QCOMPARE(conf.to_string(), QStringLiteral("[classes]\n\n"));

    conf.set_g_acceleration_constant("9.81");
    conf.set_country_code("si");
    conf.set_classification_version("");
    const QByteArray text = "[classes]\ncountry_code=SI\ng_acceleration_constant=9.81\n\n";
    QCOMPARE(saved(conf), text);

    const Conf read(writeFile(text), nullptr);
    QVERIFY(read.file_opened());
    QCOMPARE(read.get_country_code(), QStringLiteral("SI"));
    QCOMPARE(read.get_g_acceleration_constant(), QStringLiteral("9.81"));
    QVERIFY(read.get_subclass_numbers().isEmpty());
    QCOMPARE(read.to_string(), QString::fromLatin1(text));
}

void tst_ConfFile::writerOrdersKeysAndSkipsSpareEntries()
{
    QMap<QString, QString> section;
    section.insert("subclass", "12");
    section.insert("number_of_axles", "2");
    section.insert("category", "4");
    section.insert("max_GVW__kN", "180");
    section.insert("append__m", "1");
    section.insert("lower_GVW_limit__kN", "90");
    section.insert("reclassify_down_to_subclass", "3");
    section.insert("axle_configuration", "b2");
    // More items than axles: the spare entries stay in the lists but are never written.
    section.insert("tyre_type", "1,2,3");
    section.insert("max_axle_weight__kN", "1,70;2,110;3,5;1+2,175.5");
    section.insert("max_axle_distance__m", "7,8");
    section.insert("min_axle_distance__m", "4,5");
    const Subclass subclass(section);
    QCOMPARE(subclass.to_string(),
        QStringLiteral("[subclass_12]\n"
                       "append__m=1\n"
                       "axle_configuration=B2\n"
                       "category=4\n"
                       "lower_GVW_limit__kN=90\n"
                       "max_GVW__kN=180\n"
                       "number_of_axles=2\n"
                       "reclassify_down_to_subclass=3\n"
                       "tyre_type=1,2\n"
                       "max_axle_weight__kN=1,70;2,110;1+2,175.5\n"
                       "max_axle_distance__m=7\n"
                       "min_axle_distance__m=4\n"));

    Conf conf;
    conf.set_subclass(12, subclass);
    QTest::ignoreMessage(QtWarningMsg, "Received empty weights string for class  3");
    conf.set_subclass(
        3, Subclass(QMap<QString, QString> {{"subclass", "3"}, {"number_of_axles", "2"}}));
    const QString text = conf.to_string();
    QVERIFY(text.startsWith("[classes]\n\n[subclass_3]\nnumber_of_axles=2\n"));
    QVERIFY(text.endsWith("min_axle_distance__m=\n\n" + subclass.to_string() + "\n"));
}

void tst_ConfFile::listLineWithoutItemsKeepsEquals()
{
    // A subclass without a number of axles has no items; its lines must still read back.
    CapturedLog log;
    const Subclass empty(QMap<QString, QString> {{"subclass", "4"}, {"category", "1"}});
    const QString section = QStringLiteral("[subclass_4]\ncategory=1\n"
                                           "tyre_type=\nmax_axle_weight__kN=\n"
                                           "max_axle_distance__m=\nmin_axle_distance__m=\n");
    QCOMPARE(empty.to_string(), section);

    Conf conf;
    conf.set_subclass(4, empty);
    conf.set_subclass(5, Subclass(QMap<QString, QString> {{"subclass", "5"}, {"category", "2"}}));
    const Conf read(writeFile(saved(conf)), nullptr);
    QCOMPARE(read.stopped_at_line(), 0);
    QCOMPARE(read.get_subclass_numbers(), (QVector<quint16> {4, 5}));
    QCOMPARE(log.messages.size(), 4);
}

void tst_ConfFile::axleCountBeyondRangeBoundsTheItems_data()
{
    QTest::addColumn<QString>("axles");
    QTest::addColumn<QString>("tyres");
    QTest::addColumn<QString>("tyreLine");
    QTest::addColumn<int>("items");

    QTest::newRow("20 axles, short list, padded") << "20"
                                                  << "1,2"
                                                  << "1,2" + QString(18, ',') << 20;
    QTest::newRow("25 axles, all read items kept")
        << "25"
        << "1" + QString(",1").repeated(24) << "1" + QString(",1").repeated(24) << 25;
    // The list holds the two items read plus the spare entries the model grows for a number
    // beyond the valid range; no more than that is written.
    QTest::newRow("a million axles, no more than the list holds") << "1000000"
                                                                  << "1,2"
                                                                  << "1,2," << -1;
    QTest::newRow("four billion does not convert") << "4000000000"
                                                   << "1,2,3"
                                                   << "" << 0;
    QTest::newRow("negative") << "-3"
                              << "1,2"
                              << "" << 0;
}

void tst_ConfFile::axleCountBeyondRangeBoundsTheItems()
{
    QFETCH(QString, axles);
    QFETCH(QString, tyres);
    QFETCH(QString, tyreLine);
    QFETCH(int, items);

    CapturedLog log;
    const Subclass subclass(QMap<QString, QString> {{"subclass", "1"}, {"number_of_axles", axles},
        {"tyre_type", tyres}, {"max_axle_weight__kN", "1,5"}});
    const QString text = subclass.to_string();
    const int start = text.indexOf("\ntyre_type=") + 11;
    const QString line = text.mid(start, text.indexOf('\n', start) - start);
    const int written = line.isEmpty() ? 0 : line.count(',') + 1;
    if (items >= 0) {
        QCOMPARE(line, tyreLine);
        QCOMPARE(written, items);
    } else {
        QVERIFY(line.startsWith(tyreLine));
        QVERIFY(written >= 20);
        QCOMPARE(written, subclass.get_tyre_type_count());
    }
    QVERIFY(text.size() < 1000);
}

void tst_ConfFile::roundTripIsByteExact_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("european example")
        << QStringLiteral(VELTORA_SOURCE_DIR "/examples/european.conf");
    QTest::newRow("warnings example")
        << QStringLiteral(VELTORA_SOURCE_DIR "/examples/warnings.conf");
    QTest::newRow("unknown keys, UTF-8, 0 and 65535, 20 axles")
        << QFINDTESTDATA("data/roundtrip.conf");
}

void tst_ConfFile::roundTripIsByteExact()
{
    QFETCH(QString, path);

    const QByteArray original = fileBytes(path);
    QVERIFY(!original.isEmpty());
    const Conf conf(path, nullptr);
    QVERIFY(conf.file_opened());
    QCOMPARE(conf.stopped_at_line(), 0);
    QCOMPARE(saved(conf), original);
}

void tst_ConfFile::crlfReadsLikeLf()
{
    QByteArray lf = fileBytes(VELTORA_SOURCE_DIR "/examples/european.conf");
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    const Conf conf(writeFile(crlf), nullptr);
    QCOMPARE(conf.get_subclass_numbers().size(), 19);
    QCOMPARE(saved(conf), lf);
}

void tst_ConfFile::headerListValueKeptJoined()
{
    // Qt's INI reader splits the value at its commas and drops the space after each; the
    // items come back joined, and from then on the value is stable.
    const Conf first(writeFile("[classes]\nclassification_version=EU 8+1, rev 3\n"), nullptr);
    QCOMPARE(first.get_classification_version(), QStringLiteral("EU 8+1,rev 3"));
    const QByteArray once = saved(first);
    QCOMPARE(once, QByteArray("[classes]\nclassification_version=EU 8+1,rev 3\n\n"));
    const Conf second(writeFile(once), nullptr);
    QCOMPARE(second.get_classification_version(), first.get_classification_version());
    QCOMPARE(saved(second), once);
}

void tst_ConfFile::nonAsciiHeaderSurvivesByteForByte()
{
    const QByteArray text = "[classes]\nclassification_version=\xC4\x8C-2024\n\n"
                            "[subclass_1]\ncategory=\xC5\xA0\nnumber_of_axles=2\n"
                            "tyre_type=1,1\nmax_axle_weight__kN=1,1;2,1\n"
                            "max_axle_distance__m=2\nmin_axle_distance__m=1\n\n";
    const Conf conf(writeFile(text), nullptr);
    QCOMPARE(conf.get_classification_version(), QString::fromUtf8("\xC4\x8C-2024"));
    Conf copy = conf;
    QCOMPARE(copy.get_subclass(1).get_category(), QString::fromUtf8("\xC5\xA0"));
    QCOMPARE(saved(conf), text);
}

void tst_ConfFile::atSignAndBackslashReadLiterally_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    // Qt's INI reader would deserialise these and reserve room for two billion list items.
    QTest::newRow("@Variant list")
        << QByteArray("x=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xf0)") << "x"
        << "@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xf0)";
    QTest::newRow("@ made by an escape")
        << QByteArray("x=\\x40Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xf0)") << "x"
        << "\\x40Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xf0)";
    QTest::newRow("@ inside a value") << QByteArray("contact=wim@example.com") << "contact"
                                      << "wim@example.com";
    QTest::newRow("@Rect is text, not lost") << QByteArray("x=@Rect(1 2 3 4)") << "x"
                                             << "@Rect(1 2 3 4)";
    QTest::newRow("non-ASCII key") << QByteArray("\xC4\x8C"
                                                 "as=1")
                                   << QString::fromUtf8("\xC4\x8C"
                                                        "as")
                                   << "1";
}

void tst_ConfFile::atSignAndBackslashReadLiterally()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray text = "[classes]\ncountry_code=SI\n" + line + "\n\n";
    const Conf conf(writeFile(text), nullptr);
    QCOMPARE(conf.get_country_code(), QStringLiteral("SI"));
    QVERIFY(conf.to_string().contains("\n" + key + "=" + value + "\n"));
    const QByteArray once = saved(conf);
    QCOMPARE(saved(Conf(writeFile(once), nullptr)), once);
    if (!line.startsWith("x=\\x40")) {
        QVERIFY(once.contains("\n" + line + "\n"));
    }
}

void tst_ConfFile::byteOrderMarkIsSkipped()
{
    // Editors on Windows start UTF-8 files with a byte order mark; it belongs to neither pass.
    const Conf conf(writeFile("\xEF\xBB\xBF[classes]\ncountry_code=SI\n\n"
                              "[subclass_1]\nmax_axle_weight__kN=1,5\n"),
        nullptr);
    QCOMPARE(conf.stopped_at_line(), 0);
    QCOMPARE(conf.get_country_code(), QStringLiteral("SI"));
    QCOMPARE(conf.get_subclass_numbers(), QVector<quint16> {1});
    QVERIFY(conf.to_string().startsWith("[classes]\ncountry_code=SI\n\n[subclass_1]\n"));
}

void tst_ConfFile::sectionNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QVector<quint16>>("numbers");
    QTest::addColumn<QString>("category");

    QTest::newRow("leading zeros")
        << QByteArray("[subclass_007]\ncategory=1\n") << QVector<quint16> {7} << "1";
    QTest::newRow("70000 reads as 0")
        << QByteArray("[subclass_70000]\ncategory=1\n") << QVector<quint16> {0} << "1";
    QTest::newRow("twenty digits read as 0")
        << QByteArray("[subclass_99999999999999999999]\ncategory=1\n") << QVector<quint16> {0}
        << "1";
    QTest::newRow("lines before the first section")
        << QByteArray("category=1\n[subclass_2]\ncategory=2\n") << QVector<quint16> {0, 2} << "1";
    QTest::newRow("subclass entry overrides the section")
        << QByteArray("[subclass_3]\nsubclass=9\ncategory=1\n") << QVector<quint16> {9} << "1";
    QTest::newRow("later duplicate wins")
        << QByteArray("[subclass_3]\ncategory=1\n\n[subclass_3]\ncategory=2\n")
        << QVector<quint16> {3} << "2";
    QTest::newRow("section without entries")
        << QByteArray("[subclass_5]\n") << QVector<quint16> {5} << "";
    QTest::newRow("blank lines with spaces skipped")
        << QByteArray("  \n[subclass_6]\n\t\ncategory=1\n \n") << QVector<quint16> {6} << "1";
}

void tst_ConfFile::sectionNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(QVector<quint16>, numbers);
    QFETCH(QString, category);

    CapturedLog log;
    Conf conf(writeFile(text), nullptr);
    QVERIFY(log.messages.size() >= numbers.size());
    QVERIFY(log.messages.first().startsWith("Received empty weights string for class "));
    QCOMPARE(conf.get_subclass_numbers(), numbers);
    QCOMPARE(conf.stopped_at_line(), 0);
    const Subclass &first = conf.get_subclass(numbers.first());
    QCOMPARE(first.get_subclass_number(), numbers.first());
    QCOMPARE(first.get_category(), category);
}

void tst_ConfFile::paddedNumberWrittenPlain()
{
    QTest::ignoreMessage(QtWarningMsg, "Received empty weights string for class  7");
    const Conf conf(writeFile("[subclass_007]\ncategory=1\n"), nullptr);
    QVERIFY(conf.to_string().startsWith("[classes]\n\n[subclass_7]\ncategory=1\n"));
}

void tst_ConfFile::keyWithSpacesIsDropped()
{
    QTest::ignoreMessage(QtWarningMsg, "Received empty weights string for class  1");
    Conf conf(writeFile("[subclass_1]\ncategory = 3\nmax_GVW__kN=40\n"), nullptr);
    QCOMPARE(conf.stopped_at_line(), 0);
    QCOMPARE(conf.get_subclass(1).get_category(), QString());
    QCOMPARE(conf.get_subclass(1).get_max_GVW(), QStringLiteral("40"));
}

void tst_ConfFile::classesSectionMayStandAnywhere()
{
    // Header lines are the INI reader's: the scan skips them, comments included, and a pending
    // subclass is stored only at the next subclass section or at the end of the file.
    const QByteArray text = "[subclass_1]\ncategory=1\nmax_axle_weight__kN=1,5\n"
                            "[classes]\n; a comment\ncountry_code=AT\n"
                            "[subclass_2]\ncategory=2\nmax_axle_weight__kN=1,5\n"
                            "[classes]\nmin_axle_distance__m=1\n";
    Conf conf(writeFile(text), nullptr);
    QCOMPARE(conf.stopped_at_line(), 0);
    QCOMPARE(conf.get_country_code(), QStringLiteral("AT"));
    QCOMPARE(conf.get_min_axle_distance(), QStringLiteral("1"));
    QCOMPARE(conf.get_subclass_numbers(), (QVector<quint16> {1, 2}));
    QCOMPARE(conf.get_subclass(2).get_category(), QStringLiteral("2"));
}

void tst_ConfFile::weightLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("weights");
    QTest::addColumn<QStringList>("constraints");
    QTest::addColumn<QString>("warning");

    QTest::newRow("two axles and a constraint")
        << "1,100;2,110;1+2,200" << QStringList {"100", "110"} << QStringList {"1+2,200"} << "";
    QTest::newRow("comma between items stops the line")
        << "1,100,2,110;1+2,200" << QStringList {"100"} << QStringList()
        << "Expected two values for axle weight, got  (\"\", \"2\", \"110\")";
    QTest::newRow("last term of 9+10 is no axle")
        << "9,80;10,80;9+10,150" << QStringList {"80", "80"} << QStringList {"9+10,150"} << "";
    QTest::newRow("any other separator, axle numbers unused")
        << "5,12.5 x 1,7.;2+3+4,240.25|1+2,9" << QStringList {"12.5", "7."}
        << QStringList {"2+3+4,240.25", "1+2,9"} << "";
    QTest::newRow("constraint without weight is nothing")
        << "1,10;1+2,;1+2" << QStringList {"10"} << QStringList() << "";
    QTest::newRow("empty") << "" << QStringList() << QStringList()
                           << "Received empty weights string for class  42";
}

void tst_ConfFile::weightLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, weights);
    QFETCH(QStringList, constraints);
    QFETCH(QString, warning);

    Subclass subclass;
    subclass.set_subclass_number(42);
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    }
    subclass.set_max_axle_weights(line);
    QCOMPARE(listOf(subclass, &Subclass::get_max_axle_weight_count,
                 &Subclass::get_max_axle_weight_at_index),
        weights);
    QCOMPARE(listOf(subclass, &Subclass::get_combined_constraint_count,
                 &Subclass::get_combined_constraint_at_index),
        constraints);
}

void tst_ConfFile::distanceAndTyreLines_data()
{
    QTest::addColumn<QString>("minText");
    QTest::addColumn<QString>("maxText");
    QTest::addColumn<QStringList>("mins");
    QTest::addColumn<QStringList>("maxs");
    QTest::addColumn<bool>("warns");

    QTest::newRow("equal lengths")
        << "1,2"
        << "3,4" << QStringList {"1", "2"} << QStringList {"3", "4"} << false;
    QTest::newRow("empty parts kept, no trimming")
        << "1,, 2"
        << "3,4,5 " << QStringList {"1", "", " 2"} << QStringList {"3", "4", "5 "} << false;
    QTest::newRow("different lengths")
        << "1"
        << "3,4" << QStringList {"1"} << QStringList {"3", "4"} << true;
    QTest::newRow("empty minimum changes nothing")
        << ""
        << "3" << QStringList {"old"} << QStringList {"old"} << false;
    QTest::newRow("empty maximum changes nothing")
        << "1"
        << "" << QStringList {"old"} << QStringList {"old"} << false;
}

void tst_ConfFile::distanceAndTyreLines()
{
    QFETCH(QString, minText);
    QFETCH(QString, maxText);
    QFETCH(QStringList, mins);
    QFETCH(QStringList, maxs);
    QFETCH(bool, warns);

    Subclass subclass;
    subclass.set_min_distance_at_index("old", 0);
    subclass.set_max_distance_at_index("old", 0);
    if (warns) {
        QTest::ignoreMessage(QtWarningMsg, "Mins and maxs have a different number of elements!");
    }
    subclass.set_min_max_distances(minText, maxText);
    QCOMPARE(
        listOf(subclass, &Subclass::get_min_distance_count, &Subclass::get_min_distance_at_index),
        mins);
    QCOMPARE(
        listOf(subclass, &Subclass::get_max_distance_count, &Subclass::get_max_distance_at_index),
        maxs);

    // The tyre line follows the same splitting; the empty text leaves the list alone.
    subclass.set_tyre_types(minText);
    const QStringList tyres = minText.isEmpty() ? QStringList() : minText.split(',');
    QCOMPARE(subclass.get_tyre_type_count(), tyres.size());
    for (int i = 0; i < tyres.size(); ++i) {
        QCOMPARE(subclass.get_tyre_type_at_index(i), tyres.at(i));
    }
}

void tst_ConfFile::scanStopIsRecorded_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("lineText");
    QTest::addColumn<QVector<quint16>>("numbers");

    const QByteArray equals
        = "[classes]\ncountry_code=SI\n\n[subclass_1]\nmax_axle_weight__kN=1,5\n"
          "[subclass_2]\ncategory=3=4\n[subclass_3]\ncategory=5\n";
    QTest::newRow("value with equals") << equals << 7 << "category=3=4" << QVector<quint16> {1};
    QTest::newRow("same in CRLF") << QByteArray(equals).replace("\n", "\r\n") << 7 << "category=3=4"
                                  << QVector<quint16> {1};
    QTest::newRow("comment before the first section")
        << QByteArray("; made by hand\n[subclass_1]\ncategory=1\n") << 1 << "; made by hand"
        << QVector<quint16>();
    QTest::newRow("comment inside a section drops it")
        << QByteArray("[subclass_1]\ncategory=1\n# note\n") << 3 << "# note" << QVector<quint16>();
    QTest::newRow("section line with spaces")
        << QByteArray("[subclass_1]\nmax_axle_weight__kN=1,5\n [subclass_2] \ncategory=2\n") << 3
        << " [subclass_2] " << QVector<quint16>();
    QTest::newRow("classes comments are no stop") << QByteArray(
        "[classes]\n; note\ncountry_code=SI\n\n[subclass_1]\nmax_axle_weight__kN=1,5\n")
                                                  << 0 << "" << QVector<quint16> {1};
}

void tst_ConfFile::scanStopIsRecorded()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, lineText);
    QFETCH(QVector<quint16>, numbers);

    if (line > 0) {
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable("Read a line without equals: \"" + lineText + "\""));
    }
    const Conf conf(writeFile(text), nullptr);
    QVERIFY(conf.file_opened());
    QCOMPARE(conf.stopped_at_line(), line);
    QCOMPARE(conf.stopped_line_text(), lineText);
    QCOMPARE(conf.get_subclass_numbers(), numbers);
}

void tst_ConfFile::unreadableFileGivesEmptyConfiguration_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("missing file") << dir.filePath("missing.conf");
    QTest::newRow("folder") << dir.path();
    QTest::newRow("endless device") << "/dev/zero";
#ifdef Q_OS_UNIX
    // Opening a pipe would wait for a writer that never comes.
    const QString pipe = dir.filePath("pipe.conf");
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
    QVERIFY(!conf.is_country_code_valid());
    QVERIFY(!QFile::exists(dir.filePath("missing.conf")));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Received empty weights string"));
    QVERIFY(Conf(writeFile("[subclass_1]\n"), nullptr).file_opened());
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

    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("only [classes]") << QByteArray("[classes]\n") << 0;
    QTest::newRow("binary bytes") << binary << -1;
    static const char nul[] = "[subclass_1]\ncategory=\0\0x\n\0\n";
    QTest::newRow("NUL bytes") << QByteArray(nul, sizeof(nul) - 1) << -1;
    QTest::newRow("1 MB value") << "[subclass_1]\ncategory=" + megabyte + "\n" << 1;
    QTest::newRow("1 MB line without equals") << "[subclass_1]\n" + megabyte + "\n" << 0;
    QTest::newRow("1 MB section-like line") << "[subclass_" + QByteArray(1 << 20, '1') << 0;
    QTest::newRow("1 MB header line") << "[classes]\nclassification_version=" + megabyte << 0;
    QTest::newRow("1 MB chain of +")
        << "[subclass_1]\nmax_axle_weight__kN=" + QByteArray("1+").repeated(1 << 19) + "\n"
        << 1;
    QTest::newRow("four billion axles")
        << QByteArray("[subclass_1]\nnumber_of_axles=4000000000\n") << 1;
    QTest::newRow("int max axles") << QByteArray("[subclass_1]\nnumber_of_axles=2147483647\n") << 1;
    QTest::newRow("huge section number")
        << QByteArray("[subclass_99999999999999999999]\nnumber_of_axles=3\n") << 1;
    QTest::newRow("CR-only line ends")
        << QByteArray("[classes]\rcountry_code=SI\r\r[subclass_1]\rcategory=1\r") << 0;
    QTest::newRow("bare CR before LF inside a line")
        << QByteArray("[subclass_1]\rcategory=1\n") << 1;
    QTest::newRow("@Variant header value")
        << QByteArray("[classes]\nclassification_version=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xff)\n")
        << 0;
}

void tst_ConfFile::hostileFileOpens()
{
    QFETCH(QByteArray, text);
    QFETCH(int, subclasses);

    CapturedLog log;
    const Conf conf(writeFile(text), nullptr);
    const QString written = conf.to_string();
    const Conf again(writeFile(written.toUtf8()), nullptr);

    QVERIFY(conf.file_opened());
    if (subclasses >= 0) {
        QCOMPARE(conf.get_subclass_numbers().size(), subclasses);
    }
    // Nothing grows with a number read from the file: the text stays about the input's size.
    QVERIFY(written.size() <= text.size() + 4096);
    for (const quint16 number : conf.get_subclass_numbers()) {
        Conf copy = conf;
        QVERIFY(copy.get_subclass(number).get_tyre_type_count() <= 4096);
    }
    QVERIFY(again.file_opened());
}

void tst_ConfFile::europeanExampleIsValidEverywhere()
{
    Conf conf(VELTORA_SOURCE_DIR "/examples/european.conf", nullptr);
    QVERIFY(conf.file_opened());
    QCOMPARE(conf.stopped_at_line(), 0);

    QVERIFY(conf.is_country_code_valid());
    QVERIFY(conf.is_g_acceleration_constant_valid());
    QVERIFY(conf.is_group_max_distance_valid());
    QVERIFY(conf.is_min_axle_distance_valid());
    QCOMPARE(conf.check_max_axle_distance(), 0);
    QVERIFY(conf.is_unclassified_vehicles_subclass_valid());
    QVERIFY(conf.is_uncategorised_vehicle_category_valid());
    QVERIFY(conf.get_invalid_subclasses().isEmpty());
    QCOMPARE(conf.find_duplicates(), QString());
    QCOMPARE(conf.is_configuration_valid(), qMakePair(true, quint16(0)));

    const QVector<quint16> numbers = conf.get_subclass_numbers();
    QVERIFY(numbers.size() >= 15);
    QSet<QChar> letters;
    int constraints = 0;
    int reclassified = 0;
    // The editor's rule for a target: empty or 0 passes "", a missing subclass "0", otherwise
    // the target's number of axles.
    const auto targetAxles = [&conf](const QString &target) {
        const quint16 number = target.toUShort();
        if (target.isEmpty() || number == 0) {
            return QString();
        }
        return conf.contains_subclass(number) ? conf.get_subclass(number).get_number_of_axles()
                                              : QStringLiteral("0");
    };
    for (const quint16 number : numbers) {
        const Subclass subclass = conf.get_subclass(number);
        QVERIFY2(
            subclass.is_subclass_valid(conf.get_min_axle_distance(), conf.get_max_axle_distance()),
            qPrintable(QString::number(number)));
        QVERIFY(subclass.is_subclass_complete());
        QVERIFY(subclass.can_draw());
        for (int i = 0; i < subclass.get_combined_constraint_count(); ++i) {
            QVERIFY(subclass.is_combined_constraint_valid(i));
            ++constraints;
        }
        const QString up = subclass.get_reclassify_up_to_subclass();
        const QString down = subclass.get_reclassify_down_to_subclass();
        QVERIFY(subclass.is_reclassify_up_valid(targetAxles(up)));
        QVERIFY(subclass.is_reclassify_down_valid(targetAxles(down)));
        reclassified += !up.isEmpty() + !down.isEmpty();
        for (const QChar c : subclass.get_axle_configuration()) {
            if (c.isLetter()) {
                letters.insert(c);
            }
        }
    }
    QCOMPARE(letters, (QSet<QChar> {'A', 'B', 'C', 'H', 'L', 'M', 'V', 'D', 'S', 'T'}));
    QVERIFY(constraints >= 5);
    QVERIFY(reclassified >= 4);
}

void tst_ConfFile::warningsExampleShowsWarnings()
{
    const Conf conf(VELTORA_SOURCE_DIR "/examples/warnings.conf", nullptr);
    QCOMPARE(conf.stopped_at_line(), 0);
    QVERIFY(!conf.is_country_code_valid());
    QCOMPARE(conf.check_max_axle_distance(), 1);
    QVERIFY(conf.is_g_acceleration_constant_valid());
    QCOMPARE(conf.get_invalid_subclasses(), (QVector<quint16> {2, 3, 4, 5}));
    QCOMPARE(conf.is_configuration_valid(), qMakePair(false, quint16(3)));
}

QTEST_GUILESS_MAIN(tst_ConfFile)
#include "tst_conffile.moc"
