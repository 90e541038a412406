#pragma once

#include "conf.h"
#include "saveverdict.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A header check that fails, in the model's words.
using HeaderFinding = Conf::HeaderFailure;

// A subclass and the rules it fails, in words.
struct SubclassFinding
{
    quint16 number = 0;
    QStringList rules;
};

// What --format did with a file.
struct FormatOutcome
{
    enum Kind { NotAsked, Rewritten, Unchanged, Refused, Failed } kind = NotAsked;
    QString reason;
};

// Everything the checker finds in one configuration file: how far it could be read, where what
// was read differs from what the file writes (the read notes), the header checks it fails, the
// invalid subclasses with their failing rules, the reclassification targets that fail, and what
// Save would make of it. Built by the checker once per file named on the command line; the report
// printers only read it.
class FileCheck
{
public:
    explicit FileCheck(const QString &path);

    // 0 when there is nothing to report, 1 for a reported problem, 2 when the file could not
    // be opened or --format could not write it. A byte-order mark alone is reported, and no
    // problem.
    int status() const;
    // The number of problems the report lists: every note but a byte-order mark (and one for
    // the notes beyond those kept), and every finding.
    int problem_count() const;
    // The notes that are problems: every one but a byte-order mark.
    int value_note_count() const;

    QString path;
    Conf conf;
    // When the subclass scan stopped early: the 1-based line number (0: read to the end) and
    // the line, shortened and made printable.
    int stoppedAtLine = 0;
    QString stoppedLine;
    QVector<ReadNote> notes;
    int notesNotKept = 0;
    QVector<HeaderFinding> header;
    // In the editor's invalid list, ascending, each with its failing rules.
    QVector<SubclassFinding> invalidSubclasses;
    // Subclasses, invalid or not, whose reclassification targets fail.
    QVector<SubclassFinding> targets;
    SaveVerdict save;
    FormatOutcome format;
};
