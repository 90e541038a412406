// The checker's command line: options, the report per file, --format and the exit status.
#include "checkcommand.h"
#include "analysisreport.h"
#include "comparereport.h"
#include "filecheck.h"
#include "report.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

namespace {

const char description[]
    = "Checks Veltora classification configuration files (.conf) the way the editor does,\n"
      "without a screen. Exit status: 0 when every file is fit to deploy, 1 when any file\n"
      "has a reported problem, 2 when a file cannot be opened or written or an option is wrong.\n"
      "With --overlaps or --vehicles it analyses the classification instead: 1 when subclasses\n"
      "of different categories overlap or reclassification runs in a cycle, or when a row was\n"
      "skipped, a vehicle is ambiguous or 2 % or more are unmatched.";

QString refusal(const FileCheck &check)
{
    if (!check.conf.file_opened()) {
        return QStringLiteral("the file cannot be opened");
    }
    if (check.stoppedAtLine > 0) {
        return QStringLiteral("reading stopped at line %1").arg(check.stoppedAtLine);
    }
    // Save would write these values differently from the file: the user decides, not --format.
    QStringList noted;
    int more = check.notesNotKept;
    for (const ReadNote &note : check.notes) {
        if (note.changes_values()) {
            if (noted.size() < 5) {
                noted << QStringLiteral("line %1 (%2)").arg(note.line).arg(note.what());
            } else {
                ++more;
            }
        }
    }
    if (!noted.isEmpty() || more > 0) {
        return QStringLiteral("it was read with notes: ") + noted.join(QStringLiteral(", "))
            + (more > 0 ? QStringLiteral(" and %1 more").arg(more) : QString());
    }
    if (check.save.asks()) {
        return QStringLiteral("Save would ask about duplicated subclasses ")
            + check.save.get_duplicates();
    }
    if (!check.save.accepts()) {
        return QStringLiteral("Save would refuse it (") + check.save.refusal_title()
            + QLatin1Char(')');
    }
    return QString();
}

} // namespace

void format_file(FileCheck &check)
{
    check.format = {FormatOutcome::Refused, refusal(check)};
    if (!check.format.reason.isEmpty()) {
        return;
    }
    QFile file(check.path);
    if (!file.open(QIODevice::ReadOnly)) {
        check.format = {FormatOutcome::Failed, file.errorString()};
        return;
    }
    QByteArray bytes = file.readAll();
    file.close();
    // The writer writes no byte-order mark; a file that starts with one is rewritten without.
    const bool mark = bytes.startsWith("\xEF\xBB\xBF");
    if (mark) {
        bytes.remove(0, 3);
    }
    // Text that is not UTF-8 was read with replacement characters: writing it back would
    // replace the bytes the reader could not decode.
    if (QString::fromUtf8(bytes).toUtf8() != bytes) {
        check.format.reason = QStringLiteral("it is not UTF-8 text");
        return;
    }
    const QByteArray canonical = check.conf.to_string().toUtf8();
    if (canonical == bytes && !mark) {
        check.format = {FormatOutcome::Unchanged, QString()};
        return;
    }
    // No direct-write fallback: a file that cannot be replaced atomically is left as it was.
    QSaveFile out(check.path);
    if (!out.open(QIODevice::WriteOnly) || out.write(canonical) != canonical.size()
        || !out.commit()) {
        check.format = {FormatOutcome::Failed, out.errorString()};
        return;
    }
    check.format = {FormatOutcome::Rewritten, QString()};
}

int run_check(
    const QStringList &arguments, QTextStream &out, QTextStream &err, AfterCheck after)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QLatin1String(description));
    // Not addHelpOption(): newer Qt releases add --help-all to it, which only Qt's own
    // process() answers; listed in the help and the manual page, it would fail here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
        QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption json(QStringLiteral("json"),
        QStringLiteral("Print one JSON object per file, one line each (JSON Lines); with "
                       "--vehicles one per row, then a summary."));
    const QCommandLineOption format(QStringLiteral("format"),
        QStringLiteral("Rewrite each file that Save would accept as it is in the editor's "
                       "canonical form; leave any other file untouched."));
    const QCommandLineOption overlaps(QStringLiteral("overlaps"),
        QStringLiteral("Report subclasses that accept the same vehicles, subclasses covered by "
                       "another and reclassification cycles."));
    const QCommandLineOption vehicles(QStringLiteral("vehicles"),
        QStringLiteral("Run the recorded vehicles of a CSV file through each configuration."),
        QStringLiteral("RECORDS.csv"));
    parser.addOption(json);
    parser.addOption(format);
    parser.addOption(overlaps);
    parser.addOption(vehicles);
    const QCommandLineOption compare(QStringLiteral("compare"),
        QStringLiteral("Compare two configurations, OLD then NEW: what changed, and with "
                       "--vehicles which recorded vehicles it moves."));
    parser.addOption(compare);
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("Configuration files to check."), QStringLiteral("FILE..."));

    if (!parser.parse(arguments)) {
        err << parser.errorText() << '\n' << parser.helpText();
        return 2;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(compare)) {
        return run_compare(files,
            {parser.isSet(format), parser.isSet(overlaps), parser.isSet(json),
                parser.isSet(vehicles), parser.value(vehicles), after == AfterCheck::Exits},
            out, err);
    }
    if (files.isEmpty()) {
        err << "No file given.\n" << parser.helpText();
        return 2;
    }
    const bool analysis = parser.isSet(overlaps) || parser.isSet(vehicles);
    if (analysis && parser.isSet(format)) {
        err << "--format cannot be combined with --overlaps or --vehicles.\n";
        return 2;
    }
    int status = 0;
    for (const QString &path : files) {
        if (analysis) {
            if (parser.isSet(overlaps)) {
                status = std::max(status, report_overlaps(path, parser.isSet(json), out));
            }
            if (parser.isSet(vehicles)) {
                status = std::max(
                    status, report_vehicles(parser.value(vehicles), path, parser.isSet(json), out));
            }
            out.flush();
            continue;
        }
        FileCheck check(path);
        if (parser.isSet(format)) {
            format_file(check);
        }
        if (parser.isSet(json)) {
            out << QString::fromUtf8(json_report(check));
        } else {
            write_text_report(check, out);
        }
        out.flush();
        status = std::max(status, check.status());
    }
    return status;
}
