// File -> Export sheet and Print through their dialogs, answered as a user answers them: the
// PDF written or the warning shown, the printer's paper before its dialog and the pages printed.
#include "veltora.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

using namespace WindowTest;

namespace {

int pdfPages(const QString &path)
{
    return fileBytes(path).count("/Type /Page\n");
}

} // namespace

class tst_SheetCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window.reset(new Veltora);
        QVERIFY(window->openConfiguration(sourceFile("examples/european.conf")));
        log.reset(new MessageLog); // the pictures' debug lines
    }
    void cleanup()
    {
        log.reset();
        window.reset();
    }

    void exportWritesThePdfOrSaysWhy_data();
    void exportWritesThePdfOrSaysWhy();
    void printPrintsThePagesAsked_data();
    void printPrintsThePagesAsked();

private:
    QScopedPointer<Veltora> window;
    QScopedPointer<MessageLog> log;
};

void tst_SheetCommands::exportWritesThePdfOrSaysWhy_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // empty: nothing may be written
    QTest::addColumn<QString>("warning");
    QTest::newRow("a name without suffix") << "sheet"
                                           << "sheet.pdf"
                                           << "";
    QTest::newRow("a folder that does not exist")
        << "missing/sheet.pdf"
        << ""
        << "Could not export sheet: The sheet could not be written to %1:\n"
           "No such file or directory";
}

void tst_SheetCommands::exportWritesThePdfOrSaysWhy()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, warning);
    QTemporaryDir out;
    const QStringList seen = answerModals(action(*window, "actionExportSheet"),
        {choose(out.filePath(typed)), press(QMessageBox::Ok)});
    QStringList expected {"Export sheet"};
    if (!warning.isEmpty()) {
        expected << warning.arg(QDir::toNativeSeparators(out.filePath(typed)));
    }
    QCOMPARE(seen, expected);
    const QStringList files = QDir(out.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList(written));
    if (!written.isEmpty()) {
        QCOMPARE(pdfPages(out.filePath(written)), 2);
        QCOMPARE(window->statusBar()->currentMessage(),
            "Exported " + QDir::toNativeSeparators(out.filePath(written)));
    }
}

void tst_SheetCommands::printPrintsThePagesAsked_data()
{
    QTest::addColumn<int>("from"); // 0: every page
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("pages"); // -1: nothing printed
    QTest::addColumn<QString>("warning");
    QTest::newRow("every page") << 0 << 0 << 2 << "";
    QTest::newRow("the second page") << 2 << 2 << 1 << "";
    QTest::newRow("pages beyond the sheet")
        << 5 << 6 << -1
        << "Could not print sheet: The sheet could not be printed: the sheet has 2 pages; page 5 "
           "is not one of them.";
}

void tst_SheetCommands::printPrintsThePagesAsked()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, pages);
    QFETCH(QString, warning);
    QTemporaryDir out;
    const QString path = out.filePath("printed.pdf");
    QString paper;
    // The printer to a PDF file and the page range, as a user sets them in the dialog.
    const Answer print = [&](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        const QPageLayout layout = dialog->printer()->pageLayout();
        paper = QString("%1 %2 %3 mm")
                    .arg(layout.pageSize().name())
                    .arg(layout.orientation() == QPageLayout::Portrait ? "portrait" : "landscape")
                    .arg(layout.margins(QPageLayout::Millimeter).left());
        auto *printers = dialog->findChild<QComboBox *>("printers");
        printers->setCurrentIndex(printers->count() - 1); // Print to File (PDF)
        dialog->findChild<QLineEdit *>("filename")->setText(path);
        if (from > 0) {
            dialog->findChild<QRadioButton *>("printRange")->setChecked(true);
            dialog->findChild<QSpinBox *>("to")->setValue(to);
            dialog->findChild<QSpinBox *>("from")->setValue(from);
        }
        dialog->accept();
    };
    const QStringList seen
        = answerModals(action(*window, "actionPrint"), {print, press(QMessageBox::Ok)});
    QCOMPARE(paper, QString("A4 portrait 12 mm"));
    QCOMPARE(seen,
        warning.isEmpty() ? QStringList("Print sheet") : QStringList({"Print sheet", warning}));
    QCOMPARE(QFile::exists(path), pages > 0);
    if (pages > 0) {
        QCOMPARE(pdfPages(path), pages);
        QCOMPARE(
            window->statusBar()->currentMessage(), QString("Printed the sheet of european.conf"));
    }
}

QTEST_MAIN(tst_SheetCommands)
#include "tst_sheetcommands.moc"
