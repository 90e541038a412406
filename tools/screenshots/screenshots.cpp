// Draws the README's pictures of the editor from the shipped examples, driving the window as a
// user would: a subclass of the European example with its rows and constraints, its two vehicle
// pictures, the warnings example with its red and yellow fields, a subclass just created, and
// the European example shown in pounds and feet, the Edit menu after two edits and the
// question before unsaved changes are thrown away, the analysis dock with its window map and
// its recorded vehicles, and the comparison of the revised European example with the
// original; then, from a second run of itself at twice the scale, the window in pounds and
// feet at 200 %.
//     screenshots OUTDIR
// Run it on a display (xvfb-run), so that the fonts are those a desktop gives the window.
#include "analysispanel.h"
#include "comparedialog.h"
#include "liveanalysis.h"
#include "measurementunits.h"
#include "veltora.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Opened by their paths from the repository's root, which the status bar then shows.
const QString examples = QStringLiteral("examples/");

// Lets the layouts settle (the window grows to its contents) before it is photographed.
void settle()
{
    QTest::qWait(200);
}

bool save(const QPixmap &picture, const QDir &out, const QString &name)
{
    const QString path = out.filePath(name);
    if (!picture.save(path)) {
        QTextStream(stderr) << "screenshots: cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << "wrote " << path << '\n';
    return true;
}

void select(Veltora &window, const QString &number)
{
    QLineEdit *edit = window.findChild<QLineEdit *>(QStringLiteral("lineEditSubclass"));
    edit->selectAll();
    QTest::keyClicks(edit, number);
    settle();
}

// Options -> Configuration: the units dialog answered with the two buttons and OK.
void chooseUnits(Veltora &window, const QString &weight, const QString &length)
{
    QTimer::singleShot(100, [=] {
        auto *dialog = qobject_cast<MeasurementUnits *>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        dialog->findChild<QRadioButton *>(weight)->click();
        dialog->findChild<QRadioButton *>(length)->click();
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    window.findChild<QAction *>(QStringLiteral("actionConfiguration"))->trigger();
    settle();
}

QPixmap pictures(Veltora &window)
{
    auto *minimum = window.findChild<QGraphicsView *>(QStringLiteral("graphicsViewMin"));
    auto *maximum = window.findChild<QGraphicsView *>(QStringLiteral("graphicsViewMax"));
    QPixmap both(minimum->width(), minimum->height() + maximum->height());
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, minimum->grab());
    painter.drawPixmap(0, minimum->height(), maximum->grab());
    return both;
}

void type(Veltora &window, const QString &field, const QString &text)
{
    QLineEdit *edit = window.findChild<QLineEdit *>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    settle();
}

// The window with its Edit menu open: the menu is a window of its own, so the screen is taken.
QPixmap editMenu(Veltora &window)
{
    auto *menu = window.findChild<QMenu *>(QStringLiteral("menuEdit"));
    window.menuBar()->setActiveAction(menu->menuAction());
    settle();
    const QRect area = window.frameGeometry().united(menu->geometry());
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, area.x(), area.y(), area.width(), area.height());
    menu->hide();
    return shot;
}

// The question File -> Exit asks with unsaved changes, answered Cancel once photographed.
QPixmap question(Veltora &window)
{
    QPixmap shot;
    QTimer::singleShot(300, [&shot] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shot = box->grab();
            box->button(QMessageBox::Cancel)->click();
        }
    });
    window.findChild<QAction *>(QStringLiteral("actionExit"))->trigger();
    return shot;
}

// The analysis dock of the window (View -> Analysis): its map with the van subclass selected,
// and the recorded vehicles after a window was widened in the editor, side by side.
QPixmap analysis(Veltora &window)
{
    AnalysisPanel *panel = window.analysisPanel();
    window.findChild<QAction *>(QStringLiteral("actionAnalysis"))->trigger();
    window.resizeDocks({panel}, {720}, Qt::Horizontal);
    window.resize(window.width() + 720, std::max(window.height(), 760));
    select(window, QStringLiteral("4"));
    panel->loadRecords(examples + QStringLiteral("european-vehicles.csv"));
    const auto finish = [panel] {
        for (int waited = 0; waited < 200 && panel->analysis()->busy(); ++waited) {
            QTest::qWait(50);
        }
        settle();
    };
    finish();
    auto *tabs = panel->findChild<QTabWidget *>(QStringLiteral("tabWidgetAnalysis"));
    // The van of the recorded vehicles, double-clicked: its gap is marked on the map.
    tabs->setCurrentIndex(3);
    settle();
    auto *table = panel->findChild<QTableView *>(QStringLiteral("tableVehicles"));
    const QPoint van = table->visualRect(table->model()->index(7, 2)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, van);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, van);
    tabs->setCurrentIndex(0);
    settle();
    QPixmap map = panel->grab();
    // A wider motorcycle window, as an engineer might try: the panel marks what it changed.
    select(window, QStringLiteral("1"));
    type(window, QStringLiteral("MaxAxleDist1"), QStringLiteral("2.5"));
    finish();
    tabs->setCurrentIndex(3);
    settle();
    QPixmap vehicles = panel->grab();
    // In device pixels, so that a picture taken at 200 % stays sharp.
    const qreal ratio = map.devicePixelRatio();
    const int gap = int(8 * ratio);
    QPixmap both(map.width() + gap + vehicles.width(), std::max(map.height(), vehicles.height()));
    both.fill(Qt::white);
    map.setDevicePixelRatio(1);
    vehicles.setDevicePixelRatio(1);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, map);
    painter.drawPixmap(map.width() + gap, 0, vehicles);
    window.findChild<QAction *>(QStringLiteral("actionUndo"))->trigger();
    window.findChild<QAction *>(QStringLiteral("actionAnalysis"))->trigger();
    return both;
}

// The revised example opened and compared with the original, as File -> Compare with... does,
// with the example's recorded vehicles handed to the dialog.
QPixmap comparison(Veltora &window)
{
    // From the examples folder, so that the dialog names the files as a user there would.
    const QString current = QDir::currentPath();
    QDir::setCurrent(examples);
    QFile records(QStringLiteral("european-vehicles.csv"));
    auto *dialog = window.openConfiguration(QStringLiteral("european-revised.conf"))
            && window.compareWith(QStringLiteral("european.conf"))
            && records.open(QIODevice::ReadOnly)
        ? window.findChild<CompareDialog *>()
        : nullptr;
    if (!dialog) {
        QDir::setCurrent(current);
        return QPixmap();
    }
    dialog->setRecords(
        QString::fromUtf8(records.readAll()), QStringLiteral("european-vehicles.csv"));
    dialog->resize(720, 760);
    settle();
    const QPixmap shot = dialog->grab();
    dialog->close();
    QDir::setCurrent(current);
    return shot;
}

} // namespace

int main(int argc, char *argv[])
{
    // Qt reads the scale once, when the application starts: the 200 % picture is taken by a
    // run of its own, which this program starts last.
    const char doubledArgument[] = "200%";
    const bool doubled = argc == 3 && qstrcmp(argv[2], doubledArgument) == 0;
    if (doubled) {
        qputenv("QT_SCALE_FACTOR", "2");
    }
    QApplication application(argc, argv);
    if (QCoreApplication::arguments().size() != 2 && !doubled) {
        QTextStream(stderr) << "usage: screenshots OUTDIR\n";
        return 2;
    }
    const QDir out(QDir::current().absoluteFilePath(QCoreApplication::arguments().at(1)));
    QDir::setCurrent(QStringLiteral(VELTORA_SOURCE_DIR));
    Veltora window;
    window.show();
    bool ok = window.openConfiguration(examples + QStringLiteral("european.conf"));
    select(window, QStringLiteral("14"));
    if (doubled) {
        chooseUnits(window, QStringLiteral("radioButtonPounds"), QStringLiteral("radioButtonFeet"));
        // The window is larger than the virtual screen: the pointer rests on some field, whose
        // status tip would stand in the picture.
        window.statusBar()->clearMessage();
        return ok && save(window.grab(), out, QStringLiteral("scaled-200.png")) ? 0 : 1;
    }
    ok = ok && save(window.grab(), out, QStringLiteral("veltora-window.png"))
        && save(pictures(window), out, QStringLiteral("drawings.png"));

    type(window, QStringLiteral("lineEditMaxGrossWeight"), QStringLiteral("41"));
    type(window, QStringLiteral("TyreType3"), QStringLiteral("1"));
    ok = ok && save(editMenu(window), out, QStringLiteral("edit-menu.png"))
        && save(question(window), out, QStringLiteral("unsaved-changes.png"));
    window.findChild<QAction *>(QStringLiteral("actionUndo"))->trigger();
    window.findChild<QAction *>(QStringLiteral("actionUndo"))->trigger();
    select(window, QStringLiteral("4"));
    ok = ok && save(analysis(window), out, QStringLiteral("analysis-panel.png"));
    select(window, QStringLiteral("14"));

    chooseUnits(window, QStringLiteral("radioButtonPounds"), QStringLiteral("radioButtonFeet"));
    ok = ok && save(window.grab(), out, QStringLiteral("units.png"));
    chooseUnits(window, QStringLiteral("radioButtonTons"), QStringLiteral("radioButtonMeters"));

    select(window, QStringLiteral("30"));
    window.findChild<QPushButton *>(QStringLiteral("buttonSubclass"))->click();
    settle();
    ok = ok && save(window.grab(), out, QStringLiteral("new-subclass.png"));

    // The subclass just made is an edit of the example; it is left unsaved.
    window.findChild<QAction *>(QStringLiteral("actionUndo"))->trigger();
    ok = ok && window.openConfiguration(examples + QStringLiteral("warnings.conf"));
    select(window, QStringLiteral("5"));
    ok = ok && save(window.grab(), out, QStringLiteral("warnings.png"));
    ok = ok && save(comparison(window), out, QStringLiteral("compare-dialog.png"));
    ok = ok
        && QProcess::execute(QCoreApplication::applicationFilePath(),
               {out.path(), QLatin1String(doubledArgument)})
            == 0;
    return ok ? 0 : 1;
}
