// The checker's report on one file, as text and as one line of JSON.
#include "report.h"
#include "filecheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

QString stopped_words(const FileCheck &check)
{
    return QStringLiteral("reading stopped at line %1: \"%2\"; the rest of the file was not read")
        .arg(check.stoppedAtLine)
        .arg(check.stoppedLine);
}

QString format_words(const FormatOutcome &format)
{
    switch (format.kind) {
    case FormatOutcome::Rewritten:
        return QStringLiteral("rewritten");
    case FormatOutcome::Unchanged:
        return QStringLiteral("left as it was (already canonical)");
    case FormatOutcome::Refused:
        return QStringLiteral("not rewritten: ") + format.reason;
    case FormatOutcome::Failed:
        return QStringLiteral("could not be written: ") + format.reason;
    case FormatOutcome::NotAsked:
        break;
    }
    return QString();
}

QJsonArray findings(const QVector<SubclassFinding> &list)
{
    QJsonArray array;
    for (const SubclassFinding &finding : list) {
        array.append(QJsonObject {
            {"subclass", finding.number}, {"rules", QJsonArray::fromStringList(finding.rules)}});
    }
    return array;
}

} // namespace

void write_text_report(const FileCheck &check, QTextStream &out)
{
    // Written line by line: a file whose every subclass fails has a report of many megabytes.
    const auto item = [&out](const QString &where, const QString &what) {
        out << "  " << where << ": " << what << '\n';
    };
    const int problems = check.problem_count();
    const auto notes = [&check, &item] {
        for (const ReadNote &note : check.notes) {
            item(QStringLiteral("note"), note.words());
        }
        if (check.notesNotKept > 0) {
            item(QStringLiteral("note"),
                QStringLiteral("%1 more not listed").arg(check.notesNotKept));
        }
    };
    if (!check.conf.file_opened()) {
        out << check.path << ": cannot be opened\n";
    } else if (problems == 0) {
        out << check.path << ": ok\n";
        notes(); // a byte-order mark, which is no problem
    } else {
        out << check.path << ": " << problems << (problems > 1 ? " problems\n" : " problem\n");
        if (check.stoppedAtLine > 0) {
            item(QStringLiteral("read"), stopped_words(check));
        }
        notes();
        for (const HeaderFinding &finding : check.header) {
            item(finding.warning ? QStringLiteral("header warning") : QStringLiteral("header"),
                finding.label + QStringLiteral(": ") + finding.rule);
        }
        for (const auto *list : {&check.invalidSubclasses, &check.targets}) {
            for (const SubclassFinding &finding : *list) {
                const QString where = QStringLiteral("subclass %1").arg(finding.number);
                for (const QString &rule : finding.rules) {
                    item(where, rule);
                }
            }
        }
        if (check.save.asks()) {
            item(QStringLiteral("save asks"),
                check.save.question_title() + QLatin1Char(' ') + check.save.question_text());
        }
        if (!check.save.accepts()) {
            // The message box's text runs over several lines; each keeps the report's indent.
            item(QStringLiteral("save refuses"),
                check.save.refusal_title() + QStringLiteral("\n    ")
                    + check.save.refusal_text().replace(
                        QLatin1Char('\n'), QStringLiteral("\n    ")));
        }
    }
    if (check.format.kind != FormatOutcome::NotAsked) {
        item(QStringLiteral("format"), format_words(check.format));
    }
}

QByteArray json_report(const FileCheck &check)
{
    QJsonArray notes;
    for (const ReadNote &note : check.notes) {
        notes.append(QJsonObject {{"line", note.line}, {"text", note.text}, {"what", note.what()},
            {"detail", note.detail}});
    }
    QJsonObject object {{"file", check.path}, {"status", check.status()},
        {"opened", check.conf.file_opened()}, {"notes", notes},
        {"notes_not_listed", check.notesNotKept}};
    if (check.format.kind != FormatOutcome::NotAsked) {
        static const char *const outcomes[] = {"", "rewritten", "unchanged", "refused", "failed"};
        object.insert("format",
            QJsonObject {
                {"outcome", outcomes[check.format.kind]}, {"reason", check.format.reason}});
    }
    if (check.conf.file_opened()) {
        object.insert("stopped",
            check.stoppedAtLine > 0 ? QJsonValue(
                QJsonObject {{"line", check.stoppedAtLine}, {"text", check.stoppedLine}})
                                    : QJsonValue());
        QJsonArray header;
        for (const HeaderFinding &finding : check.header) {
            header.append(QJsonObject {
                {"field", finding.label}, {"rule", finding.rule}, {"warning", finding.warning}});
        }
        object.insert("header", header);
        object.insert("invalid_subclasses", findings(check.invalidSubclasses));
        object.insert("targets", findings(check.targets));
        const SaveVerdict &save = check.save;
        object.insert("duplicates", save.asks() ? QJsonValue(save.get_duplicates()) : QJsonValue());
        object.insert("save",
            QJsonObject {{"accepts", save.accepts()},
                {"question", save.asks() ? QJsonValue(save.question_text()) : QJsonValue()},
                {"refusal",
                    save.accepts() ? QJsonValue()
                                   : QJsonObject {{"title", save.refusal_title()},
                                       {"text", save.refusal_text()}}}});
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
