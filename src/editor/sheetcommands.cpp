// File -> Export sheet and Print: the classification sheet of the configuration being edited,
// in the units it is shown in, as a PDF file or on a printer.
#include "document.h"
#include "sheet.h"
#include "sheetlayout.h"
#include "veltora.h"
#include "ui_veltora.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

SheetOptions Veltora::sheetOptions() const
{
    SheetOptions options;
    const QString path = document->filePath();
    options.fileName = path.isEmpty() ? tr("unsaved configuration") : QFileInfo(path).fileName();
    options.weightUnit = weightUnit;
    options.lengthUnit = lengthUnit;
    return options;
}

void Veltora::menuExportSheetClicked()
{
    QFileDialog dialog(this, tr("Export sheet"), QString(), tr("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // Proposed beside the configuration's file, under its name.
    const QString source = document->filePath();
    if (!source.isEmpty()) {
        const QFileInfo info(source);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.completeBaseName() + QStringLiteral(".pdf"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    QString error;
    if (!writeSheetPdf(conf, sheetOptions(), path, &error)) {
        warn(tr("Could not export sheet"),
            tr("The sheet could not be written to %1:\n%2")
                .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    statusBar()->showMessage(tr("Exported %1").arg(QDir::toNativeSeparators(path)), 5000);
}

void Veltora::menuPrintClicked()
{
    const SheetOptions options = sheetOptions();
    QPrinter printer(QPrinter::HighResolution);
    // The sheet's own paper, orientation and margins, as its PDF has them, until the dialog
    // changes them.
    printer.setPageLayout(SheetLayout::pageLayout(options));
    printer.setDocName(options.fileName);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print sheet"));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (!printSheet(conf, options, &printer, &error)) {
        warn(tr("Could not print sheet"), tr("The sheet could not be printed: %1.").arg(error));
        return;
    }
    statusBar()->showMessage(tr("Printed the sheet of %1").arg(options.fileName), 5000);
}
