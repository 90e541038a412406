// File -> Compare with... and Compare with saved: a configuration file (old) against the
// configuration being edited (new), shown in the comparison dialog.
#include "analysispanel.h"
#include "comparedialog.h"
#include "liveanalysis.h"
#include "document.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUndoStack>

namespace {

// How the dialog names the configuration being edited.
QString editedName(const QString &file)
{
    return file.isEmpty() ? Veltora::tr("the configuration being edited")
                          : Veltora::tr("%1, as edited").arg(QDir::toNativeSeparators(file));
}

} // namespace

void Veltora::connectCompare()
{
    connect(ui->actionCompareWith, &QAction::triggered, this, &Veltora::menuCompareWithClicked);
    connect(ui->actionCompareWithSaved, &QAction::triggered, this,
        &Veltora::menuCompareWithSavedClicked);
    // Only a configuration that came from a file, or was written to one, has a saved form.
    connect(document, &Document::filePathChanged, ui->actionCompareWithSaved,
        [this](const QString &path) { ui->actionCompareWithSaved->setEnabled(!path.isEmpty()); });
    ui->actionCompareWithSaved->setEnabled(!document->filePath().isEmpty());
}

void Veltora::menuCompareWithClicked()
{
    QFileDialog dialog(this, tr("Compare with"), QString(), tr("Configuration (*.conf)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        compareWith(dialog.selectedFiles().constFirst());
    }
}

void Veltora::menuCompareWithSavedClicked()
{
    if (!document->filePath().isEmpty()) {
        compareWith(document->filePath());
    }
}

bool Veltora::compareWith(const QString &path)
{
    if (!compareDialog) {
        compareDialog = new CompareDialog(conf, this);
        connect(compareDialog, &CompareDialog::subclassChosen, this, &Veltora::showSubclass);
        // Any edit, undo, Open, New or Save leaves the comparison on screen behind.
        connect(document->undoStack(), &QUndoStack::indexChanged, compareDialog,
            &CompareDialog::markOutdated);
        connect(document, &Document::reset, compareDialog, &CompareDialog::markOutdated);
        connect(document, &Document::saved, compareDialog, &CompareDialog::markOutdated);
        connect(document, &Document::filePathChanged, compareDialog,
            [this](const QString &file) { compareDialog->setEditedName(editedName(file)); });
    }
    if (!compareDialog->compare(path, editedName(document->filePath()))) {
        const QFileInfo info(path);
        warn(tr("Could not open file"),
            tr("%1 could not be opened: %2")
                .arg(QDir::toNativeSeparators(path),
                    !info.exists()      ? tr("it does not exist.")
                        : info.isFile() ? tr("it could not be read.")
                                        : tr("it is not a regular file.")));
        return false;
    }
    // The recorded vehicles loaded in the analysis dock show what the changes do to them.
    const LiveAnalysis *live = analysisPanel()->analysis();
    if (live->has_records()) {
        compareDialog->setRecords(QString::fromUtf8(live->records_text()), live->records_name());
    }
    compareDialog->show();
    compareDialog->raise();
    compareDialog->activateWindow();
    return true;
}

void Veltora::showSubclass(quint16 number)
{
    selectSubclass(number);
}
