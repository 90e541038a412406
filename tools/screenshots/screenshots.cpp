// Draws the README's pictures of the editor: the main window with a configuration opened and
// one subclass selected, and the two vehicle pictures of that subclass.
//     screenshots CONFIGURATION SUBCLASS OUTDIR
// Run it from any display (xvfb-run, or QT_QPA_PLATFORM=offscreen for the fonts fontconfig has).
#include "veltora.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGraphicsView>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

namespace {

bool save(const QPixmap &picture, const QString &path)
{
    if (!picture.save(path)) {
        QTextStream(stderr) << "screenshots: cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << "wrote " << path << '\n';
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        QTextStream(stderr) << "usage: screenshots CONFIGURATION SUBCLASS OUTDIR\n";
        return 2;
    }
    Veltora window;
    window.show();
    if (!window.openConfiguration(arguments.at(1))) {
        return 1;
    }
    auto *subclasses = window.findChild<QComboBox *>(QStringLiteral("comboBoxSubclasses"));
    subclasses->setCurrentIndex(
        subclasses->findText(QStringLiteral("subclass_") + arguments.at(2)));
    // Let the layouts settle and the window grow to its contents before it is photographed.
    QTimer::singleShot(300, &application, &QCoreApplication::quit);
    application.exec();

    const QDir out(arguments.at(3));
    auto *minimum = window.findChild<QGraphicsView *>(QStringLiteral("graphicsViewMin"));
    auto *maximum = window.findChild<QGraphicsView *>(QStringLiteral("graphicsViewMax"));
    QPixmap drawings(minimum->width(), minimum->height() + maximum->height());
    drawings.fill(Qt::white);
    QPainter painter(&drawings);
    painter.drawPixmap(0, 0, minimum->grab());
    painter.drawPixmap(0, minimum->height(), maximum->grab());
    painter.end();
    const bool ok = save(window.grab(), out.filePath(QStringLiteral("veltora-window.png")))
        && save(drawings, out.filePath(QStringLiteral("drawings.png")));
    return ok ? 0 : 1;
}
