// Set-up shared by the window tests: fields by name, typing as a user does, a log of the
// messages said, answering the modal dialogs a command opens, and reading colours back.
#pragma once

#include "../testfiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace WindowTest {

inline QLineEdit *field(QObject &window, const QString &name)
{
    return window.findChild<QLineEdit *>(name);
}

inline QAction *action(QObject &window, const char *name)
{
    return window.findChild<QAction *>(name);
}

// Replaces the field's text the way a user does: select everything and type over it.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(edit, text);
    }
}

// Types each "name=text" into the field of that name, in order.
inline void typeFields(QObject &window, const QStringList &assignments)
{
    for (const QString &assignment : assignments) {
        typeInto(field(window, assignment.section('=', 0, 0)), assignment.section('=', 1));
    }
}

// One letter per field: l(ime), r(ed), y(ellow), w(hite), - for none, ? for any other style.
inline QString colours(const QList<QLineEdit *> &edits)
{
    QString text;
    for (const QLineEdit *edit : edits) {
        const QString style = edit->styleSheet();
        const QString colour = style.section(':', 1).section('}', 0, 0).trimmed();
        text += style.isEmpty() ? '-' : style.startsWith("QLineEdit {") ? colour.at(0) : '?';
    }
    return text;
}

// The shown line edits of a frame, in the order of its layout (the editor's row order).
inline QList<QLineEdit *> shownEdits(QObject &window, const char *frame)
{
    QList<QLineEdit *> edits;
    QLayout *layout = window.findChild<QFrame *>(frame)->layout();
    for (int i = 0; i < layout->count(); ++i) {
        auto *edit = qobject_cast<QLineEdit *>(layout->itemAt(i)->widget());
        if (edit && !edit->isHidden()) {
            edits << edit;
        }
    }
    return edits;
}

inline QStringList entries(QComboBox *box)
{
    QStringList all;
    for (int i = 0; i < box->count(); ++i) {
        all << box->itemText(i);
    }
    return all;
}

// The invalid list as the user sees it: its caption, whether it shows, and its entries.
inline QString invalidList(QObject &window)
{
    auto *list = window.findChild<QComboBox *>("comboBoxInvalid");
    return window.findChild<QLabel *>("labelInvalid")->text() + ' '
        + (list->isHidden() ? "hidden" : "shown") + ' ' + entries(list).join(' ');
}

inline QStringList texts(const QList<QLineEdit *> &edits)
{
    QStringList all;
    for (const QLineEdit *edit : edits) {
        all << edit->text();
    }
    return all;
}

// A configuration file of tests/ui/data.
inline QString fixture(const QString &name)
{
    return sourceFile(QStringLiteral("tests/ui/data/") + name);
}

inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// While it lives, collects the debug and warning lines, "D " or "W " before each; every other
// message goes on to the handler it replaced. One log at a time: logs do not nest.
class MessageLog
{
public:
    MessageLog()
    {
        collected().clear();
        previous() = qInstallMessageHandler(collect);
    }
    ~MessageLog() { qInstallMessageHandler(previous()); }
    QStringList &lines() { return collected(); }

private:
    static QStringList &collected()
    {
        static QStringList lines;
        return lines;
    }
    static QtMessageHandler &previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtDebugMsg || type == QtWarningMsg) {
            collected().append((type == QtDebugMsg ? "D " : "W ") + text);
        } else {
            previous()(type, context, text);
        }
    }
};

using Answer = std::function<void(QWidget *)>;

// Triggers the command and answers the modal dialogs it opens, one answer each, in order.
// Returns what each dialog said: a message box its title and text ("title: text"), a file
// dialog its caption. A dialog left without an answer is closed after a few seconds, so that a
// test fails instead of hanging.
inline QStringList answerModals(const std::function<void()> &command, QList<Answer> answers)
{
    QStringList seen;
    QPointer<QWidget> last;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            return;
        }
        if (modal == last || answers.isEmpty()) {
            if (++tries > 300) {
                tries = 0;
                seen << "unanswered: " + modal->windowTitle();
                modal->close();
            }
            return;
        }
        last = modal;
        tries = 0;
        const auto *box = qobject_cast<QMessageBox *>(modal);
        seen << (box ? box->windowTitle() + ": " + box->text() : modal->windowTitle());
        // Answered from a fresh event: an answer that opens a dialog of its own (a file
        // dialog asking before it replaces a file) must not block this poll.
        QTimer::singleShot(0, modal, [modal, answer = answers.takeFirst()] { answer(modal); });
    });
    poll.start(10);
    command();
    return seen;
}

inline QStringList answerModals(QAction *command, const QList<Answer> &answers)
{
    return answerModals([command] { command->trigger(); }, answers);
}

inline Answer press(QMessageBox::StandardButton button)
{
    return [button](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            box->button(button)->click();
        } else {
            modal->close();
        }
    };
}

// Types `path` into a file dialog's name field and accepts it, as a user does (selecting a
// file the dialog's directory listing has not read yet would select nothing).
inline Answer choose(const QString &path)
{
    return [path](QWidget *modal) {
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            static_cast<QDialog *>(dialog)->accept();
        } else {
            modal->close();
        }
    };
}

inline Answer cancel()
{
    return [](QWidget *modal) { modal->close(); };
}

// File -> Open with `path` chosen in its dialog.
inline QStringList open(QObject &window, const QString &path)
{
    return answerModals(action(window, "actionOpen"), {choose(path)});
}

} // namespace WindowTest

Q_DECLARE_METATYPE(WindowTest::Answer)
Q_DECLARE_METATYPE(QList<WindowTest::Answer>)
