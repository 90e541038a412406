// Set-up shared by the window tests: fields by name, typing as a user does, a log of the
// messages said, and answering the modal dialog a command opens.
#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

namespace WindowTest {

inline QLineEdit *field(QObject &window, const QString &name)
{
    return window.findChild<QLineEdit *>(name);
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

// Triggers the command and hands the modal dialog it opens to answer. A dialog of another kind
// is closed after a few seconds, so a wrong dialog fails the test instead of hanging it. The
// pointer is null when no such dialog showed, or when it is gone since.
template <typename Dialog, typename Answer>
QPointer<Dialog> answerModal(QAction *command, Answer answer)
{
    QPointer<Dialog> seen;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if ((seen = qobject_cast<Dialog *>(modal))) {
            poll.stop();
            answer(*seen);
        } else if (modal && ++tries > 300) {
            poll.stop();
            modal->close();
        }
    });
    poll.start(10);
    command->trigger();
    return seen;
}

} // namespace WindowTest
