// Entry point: gives the application its identity, reads the command line, and either writes
// the classification sheet without a window or shows the one main window and runs the loop.
#include "appidentity.h"
#include "commandline.h"
#include "veltora.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The form has a fixed size; on high-DPI screens Qt scales it instead of shrinking it.
    // Both attributes only take effect when set before the first application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);

    // The identity first: --help and --version show it.
    QCoreApplication::setOrganizationName(QLatin1String(AppIdentity::organizationName));
    QCoreApplication::setOrganizationDomain(QLatin1String(AppIdentity::organizationDomain));
    QCoreApplication::setApplicationName(QLatin1String(AppIdentity::applicationName));
    QCoreApplication::setApplicationVersion(QLatin1String(AppIdentity::applicationVersion));

    // Read under a plain QCoreApplication, which needs no display: --help, --version and a
    // wrong option answer from a terminal without one (and help2man makes the manual page so).
    CommandLine line;
    {
        QCoreApplication reader(argc, argv);
        line = CommandLine::parse(QCoreApplication::arguments());
    }
    if (line.action == CommandLine::Action::Exit) {
        std::fputs(line.message.toLocal8Bit().constData(), line.status == 0 ? stdout : stderr);
        return line.status;
    }

    if (line.action == CommandLine::Action::Sheet) {
        CommandLine::prepareHeadless();
        // The pictures are graphics scenes, which want the widgets' application; no window.
        QApplication application(argc, argv);
        QString message;
        const int status = line.writeSheet(&message);
        std::fputs(message.toLocal8Bit().constData(), stderr);
        return status;
    }

    QApplication application(argc, argv);
    // Declared after the application, so it is destroyed first.
    Veltora window;
    line.start(window);
    return application.exec();
}
