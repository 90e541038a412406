// File -> New, Open and Save with real files and their dialogs answered as a user answers them:
// what each asks, what reaches the disk, and that nothing is lost when a command fails.
#include "veltora.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTest;

namespace {

const QByteArray header = R"([classes]
country_code=SI
group_max_distance__m=2
max_axle_distance__m=10
min_axle_distance__m=1
unclassified_vehicles_subclass=99

)";

// A complete subclass `number`; `category` empty makes it incomplete.
QByteArray subclass(int number, const char *category = "1")
{
    return QString("[subclass_%1]\naxle_configuration=H2\ncategory=%2\nmax_GVW__kN=100\n"
                   "number_of_axles=2\ntyre_type=1,1\nmax_axle_weight__kN=1,50;2,50\n"
                   "max_axle_distance__m=4\nmin_axle_distance__m=2\n\n")
        .arg(number)
        .arg(category)
        .toUtf8();
}

const QString vitalMissing = "Vital information missing in one or more subclasses!: Missing data "
                             "found in subclass %1\nPlease make sure all of the following fields "
                             "are valid:\nCategory\nNumber of axles\nMax. gross weight\nAxle "
                             "configuration\nand all fields dependant on number of axles.";

} // namespace

class tst_FileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { window.reset(new Veltora); }
    void cleanup() { window.reset(); }

    void openThenSaveGivesTheFileBack_data();
    void openThenSaveGivesTheFileBack();
    void saveAsksOrRefuses_data();
    void saveAsksOrRefuses();
    void newKeepsTheConfigurationUntilItsFileIsWritten();
    void openTellsWhatItCouldNotRead_data();
    void openTellsWhatItCouldNotRead();
    void reopenShowsTheFileAsItIsNow();
    void unsavedChangesAreAskedFor_data();
    void unsavedChangesAreAskedFor();
    void saveProposesTheCurrentFile();
    void droppedFileOpens_data();
    void droppedFileOpens();

private:
    QTemporaryDir dir;
    QScopedPointer<Veltora> window;
};

void tst_FileCommands::openThenSaveGivesTheFileBack_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("read");
    QFile example(VELTORA_SOURCE_DIR "/examples/european.conf");
    QVERIFY(example.open(QIODevice::ReadOnly));
    QTest::newRow("the European example") << example.readAll() << "19 subclasses, 0 invalid";
    QTest::newRow("letters beyond ASCII")
        << QByteArray("[classes]\nclassification_version=\xc4\x8c-2024\ncountry_code=SI\n"
                      "group_max_distance__m=2\n\xc4\x8d"
                      "as=1\n\n")
            + subclass(1)
        << "1 subclass, 1 invalid";
}

void tst_FileCommands::openThenSaveGivesTheFileBack()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, read);
    QFile::remove(dir.filePath("out.conf"));
    open(*window, writeFile(dir.filePath("in.conf"), text));
    QCOMPARE(window->windowTitle(), "Veltora v3.2.0 " + dir.filePath("in.conf") + "[*]");
    QCOMPARE(
        window->statusBar()->currentMessage(), "Opened " + dir.filePath("in.conf") + ": " + read);
    // Typed without a suffix, the name gets ".conf"; the title names the file written.
    QCOMPARE(answerModals(action(*window, "actionSave"), {choose(dir.filePath("out"))}),
        QStringList {"Save as"});
    QCOMPARE(fileBytes(dir.filePath("out.conf")), text);
    QCOMPARE(window->windowTitle(), "Veltora v3.2.0 " + dir.filePath("out.conf") + "[*]");
    QCOMPARE(window->statusBar()->currentMessage(), "Saved " + dir.filePath("out.conf"));
}

void tst_FileCommands::saveAsksOrRefuses_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<bool>("written");
    const QString duplicates = "Duplicate subclasses found!: At least one duplicated subclass "
                               "found. Do you wish to continue saving? 3 = 5";
    const QByteArray twins = header + subclass(3) + subclass(5);
    QTest::newRow("duplicates: no")
        << twins << QList<Answer> {press(QMessageBox::No)} << QStringList {duplicates} << false;
    QTest::newRow("duplicates: yes")
        << twins << QList<Answer> {press(QMessageBox::Yes), choose(dir.filePath("out.conf"))}
        << QStringList {duplicates, "Save as"} << true;
    QTest::newRow("incomplete subclass")
        << header + subclass(2) + subclass(4, "") << QList<Answer> {press(QMessageBox::Ok)}
        << QStringList {vitalMissing.arg(4)} << false;
    QTest::newRow("incomplete subclass 0 is no header fault")
        << header + subclass(0, "") << QList<Answer> {press(QMessageBox::Ok)}
        << QStringList {vitalMissing.arg(0)} << false;
    QTest::newRow("header invalid")
        << QByteArray(header).replace("SI", "UK") + subclass(1)
        << QList<Answer> {press(QMessageBox::Ok)}
        << QStringList {"Header invalid!: Please make sure all required fields are filled and "
                        "valid."}
        << false;
    QTest::newRow("dialog cancelled")
        << header + subclass(1) << QList<Answer> {cancel()} << QStringList {"Save as"} << false;
}

void tst_FileCommands::saveAsksOrRefuses()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, seen);
    QFETCH(bool, written);
    open(*window, writeFile(dir.filePath("in.conf"), text));
    QFile::remove(dir.filePath("out.conf"));
    QCOMPARE(answerModals(action(*window, "actionSave"), answers), seen);
    QCOMPARE(QFile::exists(dir.filePath("out.conf")), written);
}

void tst_FileCommands::newKeepsTheConfigurationUntilItsFileIsWritten()
{
    open(*window, writeFile(dir.filePath("in.conf"), header + subclass(1)));
    const QString title = window->windowTitle();
    const auto unchanged = [&] {
        return window->windowTitle() == title
            && window->configuration().get_subclass_numbers() == QVector<quint16> {1}
        && !window->findChild<QFrame *>("frameMiddle")->isHidden();
    };
    QAction *command = action(*window, "actionNew");
    // Each command would drop the edited subclasses: it asks first, and goes on when told.
    const QString question = "Unsaved changes: The configuration has been modified.\nDo you want "
                             "to save your changes?";
    const Answer discard = press(QMessageBox::Discard);
    typeInto(field(*window, "lineEditCountry"), "");
    QCOMPARE(answerModals(command, {discard, press(QMessageBox::Ok)}),
        (QStringList {question,
            "Could not save configuration: Please make sure required (red) fields are "
            "filled before creating a new configuration."}));
    QVERIFY(unchanged());
    typeInto(field(*window, "lineEditCountry"), "si");
    QCOMPARE(answerModals(command, {discard, cancel()}), (QStringList {question, "Save as"}));
    QVERIFY(unchanged());
    QCOMPARE(answerModals(action(*window, "actionOpen"), {discard, cancel()}),
        (QStringList {question, "Open file"}));
    QVERIFY(unchanged());
    // A folder that does not exist cannot be written to: said, and nothing changes.
    const QStringList failed = answerModals(
        command, {discard, choose(dir.filePath("missing/new.conf")), press(QMessageBox::Ok)});
    QCOMPARE(failed.value(2).section('\n', 0, 0),
        "Could not save configuration: The configuration could not be written to "
            + dir.filePath("missing/new.conf") + ':');
    QVERIFY(unchanged());

    QCOMPARE(answerModals(command, {discard, choose(dir.filePath("new"))}),
        (QStringList {question, "Save as"}));
    QCOMPARE(fileBytes(dir.filePath("new.conf")), header);
    QCOMPARE(window->windowTitle(), "Veltora v3.2.0 " + dir.filePath("new.conf") + "[*]");
    QCOMPARE(window->statusBar()->currentMessage(), "Created " + dir.filePath("new.conf"));
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->configuration().get_subclass_numbers().isEmpty());
    QCOMPARE(window->findChild<QComboBox *>("comboBoxSubclasses")->count(), 0);
    QVERIFY(window->findChild<QFrame *>("frameMiddle")->isHidden());
    // Opened later, the header-only file is ready for its first subclass.
    Veltora later;
    open(later, dir.filePath("new.conf"));
    QVERIFY(!later.findChild<QWidget *>("groupBoxSubclass")->isHidden());
    QVERIFY(later.findChild<QWidget *>("frameSubclassBottom")->isHidden());
}

void tst_FileCommands::openTellsWhatItCouldNotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QVector<quint16>>("subclasses");
    QTest::newRow("missing") << "missing.conf"
                             << "Could not open file: %1 could not be opened: it does not exist."
                             << QVector<quint16> {1};
    QTest::newRow("a folder") << "folder.conf"
                              << "Could not open file: %1 could not be opened: it is not a "
                                 "regular file."
                              << QVector<quint16> {1};
    QTest::newRow("stopped early")
        << "broken.conf"
        << "File not completely read: Reading %1 stopped at line 18, which could not be "
           "read:\n; a comment\nThe section it stands in and the rest of the file were not "
           "loaded."
        << QVector<quint16> {};
    QTest::newRow("read with notes")
        << "notes.conf"
        << "File read with notes: 2 values in %1 were read differently from how the file writes "
           "them; Save will write them as the editor shows them."
        << QVector<quint16> {2, 3};
    QTest::newRow("stopped early after a note")
        << "stopped-notes.conf"
        << "File not completely read: Reading %1 stopped at line 19, which could not be "
           "read:\n; a comment\nThe section it stands in and the rest of the file were not "
           "loaded.\n\nBefore that, 1 value was read differently from how the file writes it "
           "(see the details)."
        << QVector<quint16> {};
}

void tst_FileCommands::openTellsWhatItCouldNotRead()
{
    QFETCH(QString, name);
    QFETCH(QString, said);
    QFETCH(QVector<quint16>, subclasses);
    open(*window, writeFile(dir.filePath("in.conf"), header + subclass(1)));
    QDir(dir.path()).mkdir("folder.conf");
    writeFile(dir.filePath("broken.conf"), header + subclass(2) + "; a comment\n" + subclass(3));
    // An unknown key and a category given twice; a byte-order mark changes no value.
    writeFile(dir.filePath("notes.conf"),
        "\xef\xbb\xbf" + header + subclass(2).replace("category=1", "colour=red\ncategory=1")
            + subclass(3).replace("category=1", "category=1\ncategory=7"));
    writeFile(dir.filePath("stopped-notes.conf"),
        header + subclass(2).replace("category=1", "colour=red\ncategory=1") + "; a comment\n");
    // The dialog only lets existing files through; the command's own checks are reached here.
    const QString path = dir.filePath(name);
    QString details;
    const QStringList seen
        = answerModals([&] { window->openConfiguration(path); }, {[&details](QWidget *modal) {
              details = qobject_cast<QMessageBox *>(modal)->detailedText();
              press(QMessageBox::Ok)(modal);
          }});
    QCOMPARE(seen, QStringList {said.arg(path)});
    QCOMPARE(window->configuration().get_subclass_numbers(), subclasses);
    const bool opened = !name.startsWith("missing") && !name.startsWith("folder");
    QVERIFY(window->windowTitle().endsWith((opened ? name : "in.conf") + "[*]"));
    // The details list every note with its line, the byte-order mark too.
    QCOMPARE(details.isEmpty() ? 0 : details.split('\n').size(),
        name == "notes.conf" ? 3 : name.contains("notes") ? 1 : 0);
    QVERIFY(details.isEmpty() || details.startsWith("line "));
    if (name == "notes.conf") {
        QCOMPARE(window->statusBar()->currentMessage(),
            "Opened " + path + ": 2 subclasses, 0 invalid, 3 notes");
    }
}

void tst_FileCommands::reopenShowsTheFileAsItIsNow()
{
    const QString path = writeFile(dir.filePath("same.conf"), header + subclass(1));
    const QDateTime stamp = QFileInfo(path).lastModified();
    open(*window, path);
    // Rewritten with the same size and time stamp, as a quick tool or a copy may leave it.
    writeFile(path, QByteArray(header).replace("SI", "HR") + subclass(1));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite)
        && file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    open(*window, path);
    QCOMPARE(field(*window, "lineEditCountry")->text(), QString("HR"));
}

void tst_FileCommands::unsavedChangesAreAskedFor_data()
{
    // The answers to the question and what follows it, and whether the window then closed.
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("closed");
    QTest::newRow("cancel") << QList<Answer> {press(QMessageBox::Cancel)} << false;
    QTest::newRow("escape") << QList<Answer> {cancel()} << false;
    QTest::newRow("discard") << QList<Answer> {press(QMessageBox::Discard)} << true;
    // Save runs as File -> Save does: a refused or cancelled save keeps everything.
    QTest::newRow("save refused") << QList<Answer> {press(QMessageBox::Save),
        press(QMessageBox::Ok)} << false;
    QTest::newRow("save cancelled") << QList<Answer> {press(QMessageBox::Save), cancel()} << false;
    QTest::newRow("saved") << QList<Answer> {press(QMessageBox::Save),
        choose(dir.filePath("saved.conf"))}
                           << true;
}

void tst_FileCommands::unsavedChangesAreAskedFor()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, closed);
    const QByteArray text = header + subclass(1) + subclass(2);
    const QString path = writeFile(dir.filePath("in.conf"), text);
    QFile::remove(dir.filePath("saved.conf"));
    open(*window, path);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    // Unmodified, Open shows its dialog at once.
    QCOMPARE(answerModals(action(*window, "actionOpen"), {cancel()}), QStringList {"Open file"});
    const bool refused = QTest::currentDataTag() == QLatin1String("save refused");
    typeInto(field(*window, "lineEditCategory"), refused ? "" : "7"); // "": Save refuses
    const QStringList seen = answerModals(action(*window, "actionExit"), answers);
    QCOMPARE(seen.value(0),
        "Unsaved changes: The configuration has been modified.\nDo you want to save your "
        "changes?");
    QCOMPARE(window->isVisible(), !closed);
    QCOMPARE(window->isWindowModified(), QTest::currentDataTag() != QLatin1String("saved"));
    QCOMPARE(fileBytes(path), text);
    QCOMPARE(
        fileBytes(dir.filePath("saved.conf")).contains("category=7"), seen.size() == 2 && closed);
}

void tst_FileCommands::saveProposesTheCurrentFile()
{
    const QString path = writeFile(dir.filePath("in.conf"), header + subclass(1));
    open(*window, path);
    typeInto(field(*window, "lineEditCategory"), "7");
    QString proposed;
    const Answer accept = [&proposed](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        proposed = dialog ? dialog->selectedFiles().value(0) : QString();
        // Saving over the file asks the dialog's own question first.
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                box->button(QMessageBox::Yes)->click();
            }
        });
        static_cast<QDialog *>(modal)->accept();
    };
    answerModals(action(*window, "actionSave"), {accept});
    QCOMPARE(proposed, path);
    QVERIFY(fileBytes(path).contains("category=7"));
    QVERIFY(!window->isWindowModified());
}

void tst_FileCommands::droppedFileOpens_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("opens");
    QTest::newRow("one .conf file") << QStringList {"drop.conf"} << true;
    QTest::newRow("upper-case suffix") << QStringList {"DROP.CONF"} << true;
    QTest::newRow("another suffix") << QStringList {"drop.txt"} << false;
    QTest::newRow("two files") << QStringList {"drop.conf", "in.conf"} << false;
}

void tst_FileCommands::droppedFileOpens()
{
    QFETCH(QStringList, names);
    QFETCH(bool, opens);
    open(*window, writeFile(dir.filePath("in.conf"), header + subclass(1)));
    typeInto(field(*window, "lineEditCategory"), "7");
    QList<QUrl> urls;
    for (const QString &name : names) {
        urls << QUrl::fromLocalFile(writeFile(dir.filePath(name), header + subclass(5)));
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.data(), &enter);
    QCOMPARE(enter.isAccepted(), opens);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // The edited configuration is asked for before the dropped file replaces it.
    const QStringList seen = answerModals(
        [&] {
            QApplication::sendEvent(window.data(), &drop);
            QTest::qWait(50);
        },
        {press(QMessageBox::Discard)});
    QCOMPARE(seen.size(), opens ? 1 : 0);
    QCOMPARE(window->configuration().contains_subclass(5), opens);
    QCOMPARE(window->windowTitle().endsWith(names.first() + "[*]"), opens);
}

QTEST_MAIN(tst_FileCommands)
#include "tst_filecommands.moc"
