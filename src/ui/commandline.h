#pragma once

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
        Exit, // print `message` (on standard output when `status` is 0, else on standard error)
    };

    Action action = Action::Edit;
    QString file; // absolute; empty when none is named
    QString message;
    int status = 0;

    // `arguments` as QCoreApplication::arguments() gives them, the program's name first. Needs
    // an application object of any kind: QCoreApplication serves, and needs no display.
    static CommandLine parse(const QStringList &arguments);

    // Shows the window and, once the event loop runs, opens the named file as File -> Open
    // does, with its reports over the shown window; the window stays open either way.
    void start(Veltora &window) const;
};
