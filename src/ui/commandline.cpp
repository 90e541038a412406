// The editor's command line: its options, the help and version texts and what start-up does.
#include "commandline.h"
#include "veltora.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace {

// Qt's own options, which QApplication takes out of the arguments (with their values) when the
// window's application starts: -style NAME, -platform NAME, -reverse, and -session ID, which a
// desktop adds when it restores a session. Let through here and kept out of --help.
const char *const qtOptionsWithValue[]
    = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"};
const char *const qtOptionsWithoutValue[] = {"reverse", "widgetcount"};

void addQtOption(QCommandLineParser &parser, const char *name, bool takesValue)
{
    QCommandLineOption option {QLatin1String(name)};
    if (takesValue) {
        option.setValueName(QStringLiteral("value"));
    }
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

CommandLine exitWith(int status, const QString &message)
{
    CommandLine line;
    line.action = CommandLine::Action::Exit;
    line.status = status;
    line.message = message;
    return line;
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    // Every option, once. An option that changes what start-up does also gets an Action and
    // its checks below; the help text, and the manual page made from it, follow by themselves.
    QCommandLineParser parser;
    // One dash or two, as Qt's own options are written: -style fusion or --style fusion.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        tr("Edits the vehicle-classification configuration (.conf) of a weigh-in-motion system:\n"
           "checks every field as it is typed, manages the vehicle subclasses, draws each\n"
           "vehicle and saves a file the system can trust. Given FILE.conf, it opens that file\n"
           "at start-up as File > Open does. Qt's own options, such as -style NAME, are\n"
           "accepted too."));
    // Not addHelpOption(): newer Qt releases add --help-all to it, which only Qt's own
    // process() answers, and that ends the process on the spot.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, tr("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    for (const char *name : qtOptionsWithValue) {
        addQtOption(parser, name, true);
    }
    for (const char *name : qtOptionsWithoutValue) {
        addQtOption(parser, name, false);
    }
    parser.addPositionalArgument(QStringLiteral("FILE.conf"),
        tr("The configuration to open at start-up."), QStringLiteral("[FILE.conf]"));

    if (!parser.parse(arguments)) {
        return exitWith(2, parser.errorText() + QLatin1Char('\n') + parser.helpText());
    }
    if (parser.isSet(help)) {
        return exitWith(0, parser.helpText());
    }
    if (parser.isSet(version)) {
        return exitWith(0,
            QCoreApplication::applicationName() + QLatin1Char(' ')
                + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return exitWith(2,
            tr("Only one FILE.conf can be opened at a time; %1 were given.\n").arg(files.size())
                + parser.helpText());
    }
    CommandLine line;
    if (!files.isEmpty()) {
        // An empty name would otherwise start the editor as if none were given.
        if (files.first().isEmpty()) {
            return exitWith(2, tr("The file name is empty.\n") + parser.helpText());
        }
        // File > Open hands over absolute paths too; the title shows the path.
        line.file = QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
    }
    return line;
}

void CommandLine::start(Veltora &window) const
{
    window.show();
    if (!file.isEmpty()) {
        // From the event loop, so that a report about the file appears over the shown window.
        const QString path = file;
        QTimer::singleShot(0, &window, [&window, path] { window.openConfiguration(path); });
    }
}
