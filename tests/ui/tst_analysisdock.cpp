// The analysis dock in the window, as a user meets it: hidden until View -> Analysis, following
// what is typed in the editor and what undo puts back, and selecting in the editor what is
// clicked on its map.
#include "analysispanel.h"
#include "veltora.h"
#include "windowmap.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QHelpEvent>
#include <QMenuBar>
#include <QToolTip>
#include <QtTest>

using namespace WindowTest;

class tst_AnalysisDock : public QObject
{
    Q_OBJECT

private slots:
    void dockFollowsTheEditor();
};

void tst_AnalysisDock::dockFollowsTheEditor()
{
    Veltora window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.openConfiguration(sourceFile("examples/european.conf")));
    AnalysisPanel *dock = window.analysisPanel();
    QVERIFY(dock->isHidden());
    QStringList menus;
    for (QAction *menu : window.menuBar()->actions()) {
        menus << menu->text();
    }
    QCOMPARE(menus.join(' '), QString("File Edit View Options Help"));
    action(window, "actionAnalysis")->trigger();
    QVERIFY(dock->isVisible());
    QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);

    auto *map = dock->findChild<WindowMap *>();
    const auto bar = [map](quint16 number) {
        for (const WindowMap::Bar &b : map->bars()) {
            if (b.number == number && b.gap == 0) {
                return b;
            }
        }
        return WindowMap::Bar {};
    };
    typeInto(field(window, "lineEditSubclass"), "4");
    QVERIFY(bar(4).selected);
    const QRectF before = bar(4).rect;
    // A wider window typed in the editor moves the bar's right end at once.
    typeInto(field(window, "MaxAxleDist1"), "5.7");
    QVERIFY(bar(4).rect.right() > before.right() + 10);
    action(window, "actionUndo")->trigger();
    QCOMPARE(bar(4).rect, before);

    // A bar clicked on the map selects its subclass in the editor.
    QTest::mouseClick(map, Qt::LeftButton, {}, bar(5).rect.center().toPoint());
    QCOMPARE(
        window.findChild<QComboBox *>("comboBoxSubclasses")->currentText(), QString("subclass_5"));
    QVERIFY(bar(5).selected);

    // The map speaks the window's units: in feet, so does its tip.
    answerModals(action(window, "actionConfiguration"), {[](QWidget *dialog) {
        dialog->findChild<QAbstractButton *>("radioButtonFeet")->click();
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    }});
    const QPoint centre = bar(5).rect.center().toPoint();
    QHelpEvent tip(QEvent::ToolTip, centre, map->mapToGlobal(centre));
    QApplication::sendEvent(map, &tip);
    QVERIFY2(QToolTip::text().contains(" ft"), qPrintable(QToolTip::text()));
    QVERIFY(!window.isWindowModified());
}

QTEST_MAIN(tst_AnalysisDock)
#include "tst_analysisdock.moc"
