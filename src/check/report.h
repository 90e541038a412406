#pragma once

#include <QByteArray>
#include <QString>

class FileCheck;

// The two forms of the checker's report on one file: text for people, a line of JSON for
// programs. Both say the same facts; the README documents the JSON fields.
QString text_report(const FileCheck &check);
QByteArray json_report(const FileCheck &check);
