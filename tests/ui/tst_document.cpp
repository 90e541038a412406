// The editing object through the window, as a user meets it: every edit one step of the Edit
// menu's history, undo and redo putting the configuration back exactly, the modified mark, and
// looking at a configuration (browsing, units) changing nothing.
#include "../model/modeltest.h"
#include "veltora.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>
#include <QtTest>

using namespace WindowTest;

namespace {

const QString european = sourceFile("examples/european.conf");

// Everything the configuration holds, spare list entries included: what Save would write and
// every list as it stands.
QString modelState(const Conf &conf)
{
    QString state = conf.to_string();
    for (const quint16 number : conf.get_subclass_numbers()) {
        state += QString::number(number) + ' ' + lists(conf.get_subclass(number)).join('|') + '\n';
    }
    return state;
}

// The colour of every field on screen, header and selected subclass.
QString screenColours(QObject &window)
{
    QList<QLineEdit *> edits;
    for (QLineEdit *edit : window.findChildren<QLineEdit *>()) {
        if (edit->isVisibleTo(static_cast<QWidget *>(&window))) {
            edits << edit;
        }
    }
    return colours(edits);
}

using Edit = std::function<void(Veltora &)>;

void select(Veltora &window, const QString &number)
{
    typeInto(field(window, "lineEditSubclass"), number);
}

void click(Veltora &window, const char *button)
{
    window.findChild<QPushButton *>(button)->click();
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class tst_Document : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { window.reset(); }

    void everyStepUndoesAndRedoesExactly_data();
    void everyStepUndoesAndRedoesExactly();
    void keystrokesInOneFieldAreOneStep();
    void undoBackToTheSavedStateClearsTheMark();
    void lookingChangesNothing();
    void undoKeysActOnTheWindowsHistory();

private:
    QAction *undo() { return action(*window, "actionUndo"); }
    QAction *redo() { return action(*window, "actionRedo"); }
    QString selected()
    {
        return window->findChild<QComboBox *>("comboBoxSubclasses")->currentText();
    }

    QScopedPointer<Veltora> window;
};

void tst_Document::init()
{
    window.reset(new Veltora);
    QVERIFY(window->openConfiguration(european));
}

void tst_Document::everyStepUndoesAndRedoesExactly_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("shownAfterUndo");
    const auto row = [](const char *name, const Edit &edit, const char *step, const char *shown) {
        QTest::newRow(name) << edit << QString(step) << QString(shown);
    };
    row(
        "header field", [](Veltora &w) { typeInto(field(w, "lineEditCountry"), "si"); },
        "Undo Country code", "subclass_1");
    row(
        "scalar field in tonnes",
        [](Veltora &w) {
            select(w, "14");
            typeInto(field(w, "lineEditMaxGrossWeight"), "44");
        },
        "Undo Max. gvw", "subclass_14");
    row(
        "reclassify target",
        [](Veltora &w) {
            select(w, "3");
            typeInto(field(w, "lineEditReclassUpTo"), "4");
        },
        "Undo Reclassify up, reclassify to subclass", "subclass_3");
    row(
        "gap distance",
        [](Veltora &w) {
            select(w, "13");
            typeInto(field(w, "MaxAxleDist2"), "4.8");
        },
        "Undo Max. axle distance, gap 2", "subclass_13");
    row(
        "tyre type", [](Veltora &w) { typeInto(field(w, "TyreType2"), "3"); },
        "Undo Tyre type, axle 2", "subclass_1");
    row(
        "New subclass",
        [](Veltora &w) {
            select(w, "5");
            select(w, "50");
            click(w, "buttonSubclass");
        },
        "Undo New subclass 50", "subclass_5");
    row(
        "Copy",
        [](Veltora &w) {
            select(w, "11");
            typeInto(field(w, "lineEditCopy"), "30");
            click(w, "buttonCopy");
        },
        "Undo Copy subclass 11 to 30", "subclass_11");
    row(
        "Delete",
        [](Veltora &w) {
            select(w, "7");
            click(w, "buttonSubclass");
        },
        "Undo Delete subclass 7", "subclass_7");
    // Fewer axles drop the values of the hidden rows; undo brings them back.
    row(
        "number of axles",
        [](Veltora &w) {
            select(w, "18");
            typeInto(field(w, "lineEditNumOfAxles"), "3");
        },
        "Undo Number of axles", "subclass_18");
    row(
        "constraint removed",
        [](Veltora &w) {
            select(w, "14");
            typeInto(field(w, "Constraint1"), "");
        },
        "Undo Remove constraint", "subclass_14");
    row(
        "constraint added",
        [](Veltora &w) {
            select(w, "13");
            w.findChild<QCheckBox *>("MaxAxleWeightBox1")->setChecked(true);
            w.findChild<QCheckBox *>("MaxAxleWeightBox2")->setChecked(true);
            typeInto(field(w, "lineEditAddConstraint"), "18");
            click(w, "buttonAddConstraint");
        },
        "Undo Add constraint", "subclass_13");
}

void tst_Document::everyStepUndoesAndRedoesExactly()
{
    QFETCH(Edit, edit);
    QFETCH(QString, step);
    QFETCH(QString, shownAfterUndo);
    const QString before = modelState(window->configuration());
    edit(*window);
    const QString after = modelState(window->configuration());
    QVERIFY(after != before);
    QVERIFY(window->isWindowModified());
    QCOMPARE(undo()->text(), step);
    const QString shown = selected();

    undo()->trigger();
    QCOMPARE(modelState(window->configuration()), before);
    QCOMPARE(selected(), shownAfterUndo);
    QVERIFY(!window->isWindowModified());
    QVERIFY(!undo()->isEnabled());
    // What is shown is what a fresh load of the same subclass shows.
    const QString coloursAfterUndo = screenColours(*window);
    select(*window, "1");
    select(*window, shownAfterUndo.mid(9));
    QCOMPARE(screenColours(*window), coloursAfterUndo);

    redo()->trigger();
    QCOMPARE(modelState(window->configuration()), after);
    QVERIFY(window->isWindowModified());
    if (!step.startsWith("Undo Delete")) {
        QCOMPARE(selected(), shown);
    }
}

void tst_Document::keystrokesInOneFieldAreOneStep()
{
    // Focus moves only in a shown, active window.
    window->show();
    QApplication::setActiveWindow(window.data());
    QVERIFY(QTest::qWaitForWindowActive(window.data()));
    const QString before = modelState(window->configuration());
    select(*window, "2");
    QLineEdit *gvw = field(*window, "lineEditMaxGrossWeight");
    gvw->setFocus();
    gvw->selectAll();
    QTest::keyClicks(gvw, "12.3456789012345678901");
    QCOMPARE(gvw->text().size(), 22);
    QUndoStack *stack = window->findChild<QUndoStack *>();
    QCOMPARE(stack->count(), 1);
    // Another field, then back: a new step each time the focus moves.
    field(*window, "lineEditPrepend")->setFocus();
    QTest::keyClicks(field(*window, "lineEditPrepend"), "1");
    gvw->setFocus();
    gvw->selectAll();
    QTest::keyClicks(gvw, "5");
    QCOMPARE(stack->count(), 3);
    undo()->trigger();
    undo()->trigger();
    QCOMPARE(undo()->text(), QString("Undo Max. gvw"));
    undo()->trigger();
    QCOMPARE(modelState(window->configuration()), before);

    // Typed back to what it was, a field's step goes away: nothing is left to undo.
    redo()->trigger();
    redo()->trigger();
    redo()->trigger();
    select(*window, "3");
    QLineEdit *category = field(*window, "lineEditCategory");
    category->setFocus();
    const QString stored = category->text();
    const int steps = stack->count();
    QTest::keyClick(category, Qt::Key_Backspace);
    QTest::keyClicks(category, stored.right(1));
    QCOMPARE(stack->count(), steps);
}

void tst_Document::undoBackToTheSavedStateClearsTheMark()
{
    QTemporaryDir dir;
    typeInto(field(*window, "lineEditCategory"), "7");
    QVERIFY(window->isWindowModified());
    QVERIFY(window->saveConfiguration(dir.filePath("saved.conf")));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->windowTitle(), "Veltora v3.2.0 " + dir.filePath("saved.conf") + "[*]");
    field(*window, "lineEditPrepend")->setFocus();
    typeInto(field(*window, "lineEditPrepend"), "2");
    QVERIFY(window->isWindowModified());
    undo()->trigger();
    QVERIFY(!window->isWindowModified());
    // Past the save, the configuration differs from the file again.
    undo()->trigger();
    QVERIFY(window->isWindowModified());
    QCOMPARE(field(*window, "lineEditCategory")->text(), QString("1"));
}

void tst_Document::lookingChangesNothing()
{
    // A file whose g another unit would spell otherwise, and a spare list entry above the
    // header's maximum that the writer leaves out.
    QTemporaryDir dir;
    QByteArray text = fileBytes(european);
    text.replace("g_acceleration_constant=9.81", "g_acceleration_constant=9.810");
    text.replace("max_axle_distance__m=4.3\n", "max_axle_distance__m=4.3,13\n");
    // The spare entry is one the writer drops: Open says so.
    const QStringList said = answerModals(
        [&] { window->openConfiguration(writeFile(dir.filePath("spare.conf"), text)); },
        {press(QMessageBox::Ok)});
    QVERIFY(said.value(0).startsWith("File read with notes: 1 value in "));
    const QString before = modelState(window->configuration());
    const QString headerColours = colours({field(*window, "lineEditMaxAxleDist")});
    QCOMPARE(headerColours, QString("y"));

    auto *selector = window->findChild<QComboBox *>("comboBoxSubclasses");
    for (int i = 0; i < selector->count(); ++i) {
        selector->setCurrentIndex(i);
    }
    const auto setUnits = [this](const char *weight, const char *length) {
        answerModals(action(*window, "actionConfiguration"), {[=](QWidget *dialog) {
            dialog->findChild<QAbstractButton *>(weight)->click();
            dialog->findChild<QAbstractButton *>(length)->click();
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        }});
    };
    setUnits("radioButtonPounds", "radioButtonFeet");
    setUnits("radioButtonTons", "radioButtonMeters");
    selector->setCurrentIndex(0);
    QCOMPARE(modelState(window->configuration()), before);
    QVERIFY(!window->isWindowModified());
    QVERIFY(!undo()->isEnabled());
    QCOMPARE(colours({field(*window, "lineEditMaxAxleDist")}), headerColours);
}

void tst_Document::undoKeysActOnTheWindowsHistory()
{
    window->show();
    QApplication::setActiveWindow(window.data());
    QVERIFY(QTest::qWaitForWindowActive(window.data()));
    QLineEdit *country = field(*window, "lineEditCountry");
    country->setFocus();
    typeInto(field(*window, "lineEditCategory"), "4");
    country->setFocus();
    typeInto(country, "AT");
    // Ctrl+Z in a field undoes the window's last step, not the field's own typing only.
    QTest::keySequence(country, QKeySequence::Undo);
    QCOMPARE(window->configuration().get_country_code(), QString("DE"));
    QCOMPARE(country->text(), QString("DE"));
    QTest::keySequence(country, QKeySequence::Undo);
    QCOMPARE(window->configuration().get_subclass(1).get_category(), QString("1"));
    QTest::keySequence(country, QKeySequence::Redo);
    QCOMPARE(field(*window, "lineEditCategory")->text(), QString("4"));
    // So does the Undo of a field's own context menu.
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2));
    QApplication::sendEvent(country, &request);
    auto *menu = country->findChild<QMenu *>();
    QVERIFY(menu);
    QVERIFY(menu->actions().at(0)->isEnabled());
    menu->actions().at(0)->trigger();
    menu->close();
    QCOMPARE(field(*window, "lineEditCategory")->text(), QString("1"));

    // The Edit menu stands between File and View.
    QStringList menus;
    for (QAction *menu : window->menuBar()->actions()) {
        menus << menu->text();
    }
    QCOMPARE(menus.join(' '), QString("File Edit View Options Help"));
}

QTEST_MAIN(tst_Document)
#include "tst_document.moc"
