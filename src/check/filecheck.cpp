// The checker's findings in one file: the read notes and the editor's checks, in the model's words.
#include "filecheck.h"
#include "printable.h"

#include <algorithm>

namespace {

// Long enough for any line the writer produces with realistic values.
constexpr int longestShownText = 80;

} // namespace

FileCheck::FileCheck(const QString &path)
    : path(path)
    , conf(path, nullptr)
    , save(conf)
{
    if (!conf.file_opened()) {
        return;
    }
    stoppedAtLine = conf.stopped_at_line();
    stoppedLine = printable(conf.stopped_line_text(), longestShownText);
    notes = conf.read_notes();
    notesNotKept = conf.read_notes_not_kept();
    header = conf.get_failing_header_rules();
    for (const quint16 number : conf.get_invalid_subclasses()) {
        invalidSubclasses.append({number, conf.get_failing_subclass_rules(number)});
    }
    for (const quint16 number : conf.get_subclass_numbers()) {
        const QStringList rules = conf.get_failing_target_rules(number);
        if (!rules.isEmpty()) {
            targets.append({number, rules});
        }
    }
}

int FileCheck::value_note_count() const
{
    return int(std::count_if(notes.begin(), notes.end(), [](const ReadNote &note) {
        return note.changes_values();
    })) + (notesNotKept > 0 ? 1 : 0);
}

int FileCheck::problem_count() const
{
    int count = value_note_count() + header.size() + (stoppedAtLine > 0 ? 1 : 0)
        + (save.asks() ? 1 : 0) + (save.accepts() ? 0 : 1);
    for (const auto *list : {&invalidSubclasses, &targets}) {
        for (const SubclassFinding &finding : *list) {
            count += finding.rules.size();
        }
    }
    return count;
}

int FileCheck::status() const
{
    if (!conf.file_opened() || format.kind == FormatOutcome::Failed) {
        return 2;
    }
    return problem_count() > 0 || format.kind == FormatOutcome::Refused ? 1 : 0;
}
