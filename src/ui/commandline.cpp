// The editor's command line: its options, the help and version texts and what start-up does.
#include "commandline.h"
#include "conf.h"
#include "printable.h"
#include "sheet.h"
#include "veltora.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
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
           "accepted too.\n"
           "\n"
           "With --sheet OUT.pdf it shows no window and needs no display: it writes the\n"
           "classification sheet of FILE.conf to OUT.pdf, a page head with the file's header,\n"
           "one row per subclass that takes part (its picture, axles, gap windows and limits)\n"
           "grouped by category, and a closing list of the subclasses that do not take part\n"
           "with the rules they fail. Exit status: 0 when the sheet is written; 1 when it is\n"
           "written but reading FILE.conf stopped early at a line it could not read; 2 when\n"
           "FILE.conf cannot be read, OUT.pdf cannot be written or an option is wrong, with\n"
           "the reason on standard error. A file that is not a PDF is never replaced."));
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
    const QCommandLineOption sheet(QStringLiteral("sheet"),
        tr("Writes the classification sheet of FILE.conf to OUT.pdf, without a window."),
        QStringLiteral("OUT.pdf"));
    const QCommandLineOption units(QStringLiteral("units"),
        tr("The sheet's units: W, of weight, one of t, lb or kN; L, of length, one of m, ft or "
           "in (default t,m). Tonnes use the file's g when it is above 0, else 9.80665."),
        QStringLiteral("W,L"));
    const QCommandLineOption landscape(
        QStringLiteral("landscape"), tr("Lays the sheet's pages out in landscape."));
    const QCommandLineOption page(QStringLiteral("page"),
        tr("The sheet's paper size, a4 (the default) or letter."), QStringLiteral("a4|letter"));
    for (const QCommandLineOption *option : {&sheet, &units, &landscape, &page}) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument(QStringLiteral("FILE.conf"),
        tr("The configuration to open at start-up, or to make the sheet of."),
        QStringLiteral("[FILE.conf]"));

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
    const auto wrong = [&parser](const QString &reason) {
        return exitWith(2, reason + QLatin1Char('\n') + parser.helpText());
    };
    for (const QCommandLineOption *option : {&sheet, &units, &page}) {
        // The last of two would win unseen: a script that means one of them is mistaken.
        if (parser.values(*option).size() > 1) {
            return wrong(tr("--%1 is given more than once.").arg(option->names().constFirst()));
        }
    }
    if (!parser.isSet(sheet)) {
        for (const QCommandLineOption *option : {&units, &landscape, &page}) {
            if (parser.isSet(*option)) {
                return wrong(tr("--%1 is an option of --sheet, which is not given.")
                                 .arg(option->names().constFirst()));
            }
        }
        return line;
    }
    if (parser.value(sheet).isEmpty()) {
        return wrong(tr("The sheet's file name (--sheet OUT.pdf) is empty."));
    }
    if (line.file.isEmpty()) {
        return wrong(tr("--sheet needs the FILE.conf to make the sheet of."));
    }
    line.action = Action::Sheet;
    line.sheet = QDir::cleanPath(QFileInfo(parser.value(sheet)).absoluteFilePath());
    line.sheetOptions.fileName = QFileInfo(line.file).fileName();
    line.sheetOptions.landscape = parser.isSet(landscape);
    if (parser.isSet(units)) {
        const QStringList pair = parser.value(units).split(QLatin1Char(','));
        const auto find = [](const char *const(&marks)[3], const QString &text) {
            for (int i = 0; i < 3; ++i) {
                if (text.trimmed().compare(QLatin1String(marks[i]), Qt::CaseInsensitive) == 0) {
                    return i;
                }
            }
            return -1;
        };
        const int weight = pair.size() == 2 ? find(weightMarks, pair.at(0)) : -1;
        const int length = pair.size() == 2 ? find(lengthMarks, pair.at(1)) : -1;
        if (weight < 0 || length < 0) {
            return wrong(tr("--units %1: expected W,L, W one of t, lb, kN and L one of m, ft, in.")
                             .arg(parser.value(units)));
        }
        line.sheetOptions.weightUnit = quint8(weight);
        line.sheetOptions.lengthUnit = quint8(length);
    }
    if (parser.isSet(page)) {
        const QString paper = parser.value(page).trimmed().toLower();
        if (paper != QLatin1String("a4") && paper != QLatin1String("letter")) {
            return wrong(tr("--page %1: expected a4 or letter.").arg(parser.value(page)));
        }
        line.sheetOptions.paper
            = paper == QLatin1String("a4") ? SheetOptions::Paper::A4 : SheetOptions::Paper::Letter;
    }
    return line;
}

void CommandLine::prepareHeadless()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    // One line per picture drawn, on a terminal or in a CI log, says nothing to the reader.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

int CommandLine::writeSheet(QString *message) const
{
    const QString shownFile = QDir::toNativeSeparators(file);
    const QString shownSheet = QDir::toNativeSeparators(sheet);
    // Names swapped by mistake (--sheet FILE.conf OUT.pdf) must not cost the configuration.
    QFile existing(sheet);
    if (QFileInfo(sheet).isFile() && existing.size() > 0
        && (!existing.open(QIODevice::ReadOnly) || !existing.read(5).startsWith("%PDF-"))) {
        *message = tr("%1 is there and is not a PDF: it is not replaced by the sheet.\n")
                       .arg(shownSheet);
        return 2;
    }
    existing.close();
    const Conf conf(file, nullptr);
    if (!conf.file_opened()) {
        const QFileInfo info(file);
        QString reason = tr("it does not exist");
        if (info.exists() && !info.isFile()) {
            reason = tr("it is not a regular file");
        } else if (info.exists()) {
            QFile opened(file);
            reason = opened.open(QIODevice::ReadOnly) ? tr("it could not be read")
                                                      : opened.errorString();
        }
        *message = tr("%1 could not be opened: %2.\n").arg(shownFile, reason);
        return 2;
    }
    QString error;
    if (!writeSheetPdf(conf, sheetOptions, sheet, &error)) {
        *message = tr("The sheet could not be written to %1: %2\n").arg(shownSheet, error);
        return 2;
    }
    if (conf.stopped_at_line() > 0) {
        *message = tr("Reading %1 stopped at line %2, which could not be read: \"%3\". The "
                      "sheet %4 is written without the subclass it stands in and the rest of "
                      "the file.\n")
                       .arg(shownFile)
                       .arg(conf.stopped_at_line())
                       .arg(printable(conf.stopped_line_text(), 80), shownSheet);
        return 1;
    }
    return 0;
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
