#pragma once

#include <QByteArray>
#include <QString>

class FileCheck;
class QTextStream;

// The two forms of the checker's report on one file: text for people, a line of JSON for
// programs. Both say the same facts; the README documents the JSON fields.
void write_text_report(const FileCheck &check, QTextStream &out);
QByteArray json_report(const FileCheck &check);
