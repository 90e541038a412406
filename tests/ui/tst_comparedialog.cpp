// File -> Compare with... and Compare with saved, and the comparison dialog through its widgets:
// what the tree shows, a double-click selecting a subclass, recorded vehicles chosen with the
// dialog's button, and a comparison left behind by later edits.
#include "comparedialog.h"
#include "veltora.h"
#include "windowtest.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace WindowTest;

namespace {

const QString european = sourceFile("examples/european.conf");
const QString revised = sourceFile("examples/european-revised.conf");

// Every row of the tree, indented by its depth.
QStringList rows(QTreeWidgetItem *item, int depth = 0)
{
    QStringList all;
    for (int i = 0; i < item->childCount(); ++i) {
        all << QString(2 * depth, ' ') + item->child(i)->text(0);
        all << rows(item->child(i), depth + 1);
    }
    return all;
}

QTreeWidgetItem *rowNamed(QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found
        = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class tst_CompareDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        log.reset(new MessageLog);
        window.reset(new Veltora);
        window->show();
    }
    void cleanup()
    {
        window.reset();
        // A renamed widget silently loses its on_ slot; Qt only says so in this warning.
        QCOMPARE(log->lines().filter("connectSlotsByName"), QStringList());
        log.reset();
    }

    void reviewEditsBeforeSave();
    void doubleClickSelectsTheSubclass();
    void recordedVehiclesFromTheButton();
    void unreadableFileIsTold();

private:
    CompareDialog *dialog() const { return window->findChild<CompareDialog *>(); }
    QTreeWidget *tree() const { return dialog()->findChild<QTreeWidget *>("treeChanges"); }

    QScopedPointer<MessageLog> log;
    QScopedPointer<Veltora> window;
};

void tst_CompareDialog::reviewEditsBeforeSave()
{
    QAction *saved = action(*window, "actionCompareWithSaved");
    QVERIFY(!saved->isEnabled()); // nothing came from a file yet
    open(*window, european);
    QVERIFY(saved->isEnabled());

    typeInto(field(*window, "lineEditVersion"), "EU-19 2.2");
    typeInto(field(*window, "lineEditCategory"), "2");
    saved->trigger();
    QVERIFY(dialog()->isVisible());
    QCOMPARE(dialog()->findChild<QLabel *>("labelFiles")->text(),
        "Old: " + european + "\nNew: " + european + ", as edited");
    QCOMPARE(rows(tree()->invisibleRootItem()),
        QStringList({"Header: 1 difference",
            "  Classification version: \"EU-19 2.1\" -> \"EU-19 2.2\"", "Subclasses: 1 difference",
            "  subclass 1", "    category 1 -> 2", "Vehicles: no recorded vehicles",
            "  Choose a file of recorded vehicles with Recorded vehicles… to see which vehicles "
            "the changes move."}));

    // An edit made while the dialog is open leaves it behind until Refresh.
    auto *outdated = dialog()->findChild<QLabel *>("labelOutdated");
    QVERIFY(outdated->isHidden());
    typeInto(field(*window, "lineEditPrepend"), "0.5");
    QVERIFY(!outdated->isHidden());
    dialog()->findChild<QPushButton *>("buttonRefresh")->click();
    QVERIFY(outdated->isHidden());
    QVERIFY(rows(tree()->invisibleRootItem()).contains("    prepend 0.40 -> 0.50 m"));
}

void tst_CompareDialog::doubleClickSelectsTheSubclass()
{
    open(*window, revised);
    QCOMPARE(answerModals(action(*window, "actionCompareWith"), {choose(european)}),
        QStringList({"Compare with"}));
    QVERIFY(QTest::qWaitForWindowExposed(dialog()));
    const QStringList shown = rows(tree()->invisibleRootItem());
    for (const char *row : {"Subclasses: 6 differences", "  subclass 6 removed",
             "  subclass 20 added", "    gap 1: max 6.00 -> 4.40 m",
             "    window (3 axles) narrowed", "    constraint 3+4+5: 235.40 -> 245.20 kN"}) {
        QVERIFY2(shown.contains(row), row);
    }
    // A removed subclass is not in the configuration being edited: nothing to select.
    const QList<QPair<QString, QString>> clicks {{"subclass 13", "13"},
        {"window (3 axles) narrowed", "10"}, {"subclass 20 added", "20"},
        {"subclass 6 removed", "20"}};
    for (const auto &click : clicks) {
        QTreeWidgetItem *item = rowNamed(tree(), click.first);
        QVERIFY(item);
        tree()->scrollToItem(item);
        // A double-click is a click and then the second press.
        const QPoint at = tree()->visualItemRect(item).center();
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(field(*window, "lineEditSubclass")->text(), click.second);
    }
}

void tst_CompareDialog::recordedVehiclesFromTheButton()
{
    open(*window, revised);
    QVERIFY(window->compareWith(european));
    QCOMPARE(answerModals([this] { dialog()->findChild<QPushButton *>("buttonRecords")->click(); },
                 {choose(sourceFile("examples/european-vehicles.csv"))}),
        QStringList({"Recorded vehicles"}));
    const QStringList shown = rows(tree()->invisibleRootItem());
    const int vehicles = shown.indexOf("Vehicles: 3 moved");
    QVERIFY(vehicles > 0);
    QCOMPARE(shown.mid(vehicles + 1, 5),
        QStringList({"  european-vehicles.csv: 35 rows, 32 compared, 2 skipped in both, 1 in one "
                     "only",
            "  line 7 (car-03): subclass 2 -> ambiguous: subclasses 2, 4",
            "  line 15: skipped in new: expected: no subclass 6 in the configuration",
            "  line 18 (truck3-02): ambiguous: subclasses 9, 10 -> ambiguous: subclasses 9, 20",
            "  line 24 (truck4-02): unmatched -> subclass 11"}));
    QVERIFY(shown.contains("    category 2: 6 -> 5 (-1, -16.7 %)"));
    QVERIFY(shown.contains("    ambiguous: 4 -> 5 (+1, +25.0 %)"));
    QVERIFY(
        shown.contains("  Totals: 3 moved, 0 newly unmatched, 1 newly ambiguous, 1 newly matched"));

    // Records handed over by their text, as the analysis panel does, that cannot be used.
    dialog()->setRecords("axles,gaps_m\n2,3\n", "other.csv");
    QVERIFY(rows(tree()->invisibleRootItem()).contains("  other.csv: line 1: no column \"id\""));
}

void tst_CompareDialog::unreadableFileIsTold()
{
    const QString missing = sourceFile("examples/missing.conf");
    QCOMPARE(
        answerModals([&] { QVERIFY(!window->compareWith(missing)); }, {press(QMessageBox::Ok)}),
        QStringList(
            {"Could not open file: " + missing + " could not be opened: it does not exist."}));
    QVERIFY(!dialog() || !dialog()->isVisible());
}

QTEST_MAIN(tst_CompareDialog)
#include "tst_comparedialog.moc"
