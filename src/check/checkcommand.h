#pragma once

#include <QStringList>

class FileCheck;
class QTextStream;

// What the caller does once run_check returns. A process that exits straight after it leaves
// the largest data to the system: freeing two configurations of 65,536 subclasses one string at
// a time takes longer than comparing them.
enum class AfterCheck { Returns, Exits };

// veltora-check [--json] [--format | --overlaps | --vehicles RECORDS] FILE...: checks or analyses
// each file, prints one report per file on `out` and returns the exit status (the highest of the
// files'; 2 for a wrong option). Usage errors go to `err`.
int run_check(const QStringList &arguments, QTextStream &out, QTextStream &err,
    AfterCheck after = AfterCheck::Returns);

// Rewrites a checked file in the writer's canonical form when Save would write it as it is,
// and records in check.format what was done and why.
void format_file(FileCheck &check);
