// Entry point: gives the application its identity, shows the one main window and runs the loop.
#include "appidentity.h"
#include "veltora.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // The form has a fixed size; on high-DPI screens Qt scales it instead of shrinking it.
    // Both attributes only take effect when set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(AppIdentity::organizationName));
    QCoreApplication::setOrganizationDomain(QLatin1String(AppIdentity::organizationDomain));
    QCoreApplication::setApplicationName(QLatin1String(AppIdentity::applicationName));
    QCoreApplication::setApplicationVersion(QLatin1String(AppIdentity::applicationVersion));

    // Declared after the application, so it is destroyed first.
    Veltora window;
    window.show();
    return application.exec();
}
