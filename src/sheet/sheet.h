#pragma once

#include "sheetoptions.h"

#include <QString>

class Conf;
class QPrinter;

// The classification sheet: every subclass that takes part, with its picture and its windows,
// grouped by category, after a page head that names the file and its header, and a closing
// list of the subclasses that do not take part with the rules they fail. The editor's export
// and print commands and the headless command line all make it through these two calls.

// Writes the sheet as a PDF file. The file appears only once it is complete: when it cannot be
// written, `error` (when given) says why, false is answered and no file is left behind.
bool writeSheetPdf(
    const Conf &conf, const SheetOptions &options, const QString &path, QString *error);

// Prints the sheet on the printer's own paper and margins (as its settings or the print dialog
// chose them; SheetLayout::pageLayout gives those of a PDF), only the pages of the printer's
// page range when it has one. False, with `error` (when given) saying why, when the printer
// cannot be painted on or the range holds no page of the sheet.
bool printSheet(
    const Conf &conf, const SheetOptions &options, QPrinter *printer, QString *error = nullptr);
