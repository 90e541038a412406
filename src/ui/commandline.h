#pragma once

#include "sheetoptions.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class Veltora;

// What the editor's command line asks start-up to do. It is read before any display is needed,
// so that --help and --version work from a terminal without one. Every option is declared in
// one table in commandline.cpp; --help, the manual page made from it and the checks all follow
// that table.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Action {
        Edit, // show the window, opening `file` when one is named
        Sheet, // write the classification sheet of `file` to `sheet`, with no window
        Exit, // print `message` (on standard output when `status` is 0, else on standard error)
    };

    Action action = Action::Edit;
    QString file; // absolute; empty when none is named
    QString sheet; // with Sheet: the PDF to write, absolute
    SheetOptions sheetOptions; // with Sheet: its units and paper
    QString message;
    int status = 0;

    // `arguments` as QCoreApplication::arguments() gives them, the program's name first. Needs
    // an application object of any kind: QCoreApplication serves, and needs no display.
    static CommandLine parse(const QStringList &arguments);

    // With Sheet, before the application object exists: without a display (no DISPLAY, no
    // WAYLAND_DISPLAY) and no platform chosen by the user, the offscreen platform is taken, so
    // that the sheet is made where no window could be shown; and the drawing's debug lines are
    // kept off the terminal (QT_LOGGING_RULES still turns them on).
    static void prepareHeadless();

    // With Sheet, under the application: reads `file` and writes its sheet. Answers the exit
    // status, 0 when written, 1 when written but reading stopped early, 2 when the file cannot
    // be read or the sheet cannot be written, each but 0 with `message` saying why.
    int writeSheet(QString *message) const;

    // Shows the window and, once the event loop runs, opens the named file as File -> Open
    // does, with its reports over the shown window; the window stays open either way.
    void start(Veltora &window) const;
};
