// Entry point of veltora-check, the configuration checker for scripts and CI jobs.
#include "appidentity.h"
#include "checkcommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltora-check"));
    QCoreApplication::setApplicationVersion(QLatin1String(AppIdentity::applicationVersion));
    // The model logs what it makes of odd input; the report already says it in its own words,
    // and a log line in the middle of JSON Lines would break them.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    return run_check(QCoreApplication::arguments(), out, err, AfterCheck::Exits);
}
