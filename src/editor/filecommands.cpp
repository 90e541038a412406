// File menu commands: New, Open and Save. A configuration reaches a file only whole (written
// aside and renamed into place), and every failure to read or write is told to the user.
#include "veltora.h"
#include "document.h"
#include "ruletexts.h"
#include "saveverdict.h"
#include "ui_veltora.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QUrl>

QString Veltora::askFileName(bool save)
{
    QFileDialog dialog(
        this, save ? tr("Save as") : tr("Open file"), QString(), tr("Configuration (*.conf)"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("conf"));
        // Enter saves over the current file (after the dialog's own question).
        if (!document->filePath().isEmpty()) {
            dialog.selectFile(document->filePath());
        }
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    return dialog.selectedFiles().value(0);
}

void Veltora::showOutcome(const QString &text)
{
    constexpr int shownForMs = 5000;
    statusBar()->showMessage(text, shownForMs);
}

QString Veltora::openedMessage(const QString &path) const
{
    // The invalid list has just been filled from the configuration read: it holds the count.
    const int subclasses = conf.get_subclass_numbers().size();
    QString message
        = tr("Opened %1: %2, %3 invalid")
              .arg(QDir::toNativeSeparators(path),
                  subclasses == 1 ? tr("1 subclass") : tr("%1 subclasses").arg(subclasses),
                  QString::number(ui->comboBoxInvalid->count()));
    const int notes = conf.read_notes().size() + conf.read_notes_not_kept();
    if (notes > 0) {
        message += notes == 1 ? tr(", 1 note") : tr(", %1 notes").arg(notes);
    }
    return message;
}

// Every note of the last read, one per line, for a box's details.
QString Veltora::readNotesText() const
{
    QStringList lines;
    for (const ReadNote &note : conf.read_notes()) {
        lines << note.words();
    }
    if (conf.read_notes_not_kept() > 0) {
        lines << tr("%1 more notes are not listed.").arg(conf.read_notes_not_kept());
    }
    return lines.join(QLatin1Char('\n'));
}

void Veltora::tellWhatWasRead(const QString &path)
{
    // A byte-order mark alone changes no value: it is counted on the status line only.
    int changed = conf.read_notes_not_kept();
    for (const ReadNote &note : conf.read_notes()) {
        changed += note.changes_values() ? 1 : 0;
    }
    const QString file = QDir::toNativeSeparators(path);
    QString title;
    QString text;
    if (conf.stopped_at_line() > 0) {
        title = tr("File not completely read");
        text = tr("Reading %1 stopped at line %2, which could not be read:\n%3\nThe section it "
                  "stands in and the rest of the file were not loaded.")
                   .arg(file)
                   .arg(conf.stopped_at_line())
                   .arg(conf.stopped_line_text());
        if (changed > 0) {
            text += changed == 1 ? tr("\n\nBefore that, 1 value was read differently from how "
                                      "the file writes it (see the details).")
                                 : tr("\n\nBefore that, %1 values were read differently from how "
                                      "the file writes them (see the details).")
                                       .arg(changed);
        }
    } else if (changed > 0) {
        title = tr("File read with notes");
        text = changed == 1
            ? tr("1 value in %1 was read differently from how the file writes it; Save will "
                 "write it as the editor shows it.")
                  .arg(file)
            : tr("%1 values in %2 were read differently from how the file writes them; Save "
                 "will write them as the editor shows them.")
                  .arg(changed)
                  .arg(file);
    } else {
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    if (changed > 0) {
        box.setDetailedText(readNotesText());
    }
    box.exec();
}

void Veltora::warn(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box.exec();
}

bool Veltora::writeFile(const QString &path, const Conf &written)
{
    // No direct-write fallback: writing over the old file in place is what could lose it.
    QSaveFile file(path);
    const QByteArray text = written.to_string().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        warn(tr("Could not save configuration"),
            tr("The configuration could not be written to %1:\n%2\nThe file was not changed.")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

bool Veltora::maybeSave()
{
    if (!document->isModified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, tr("Unsaved changes"),
        tr("The configuration has been modified.\nDo you want to save your changes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    // Named plainly: some desktop themes would call Discard "Close without Saving", which is
    // wrong before Open or New.
    box.button(QMessageBox::Save)->setText(tr("Save"));
    box.button(QMessageBox::Discard)->setText(tr("Discard"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveWithChecks();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Veltora::closeEvent(QCloseEvent *event)
{
    if (maybeSave()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool Veltora::isConfigurationFile(const QMimeData *data, QString *path)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1) {
        return false;
    }
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()
        || !url.toLocalFile().endsWith(QLatin1String(".conf"), Qt::CaseInsensitive)) {
        return false;
    }
    *path = url.toLocalFile();
    return true;
}

void Veltora::dragEnterEvent(QDragEnterEvent *event)
{
    QString path;
    if (isConfigurationFile(event->mimeData(), &path)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void Veltora::dropEvent(QDropEvent *event)
{
    QString path;
    if (!isConfigurationFile(event->mimeData(), &path)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Asked and opened once the drop is over, so that the file manager is not kept waiting
    // while the user answers.
    QTimer::singleShot(0, this, [this, path] {
        if (maybeSave()) {
            openConfiguration(path);
        }
    });
}

void Veltora::menuNewClicked()
{
    // New carries the header over and drops the subclasses: only they can be lost by it.
    if (!conf.get_subclass_numbers().isEmpty() && !maybeSave()) {
        return;
    }
    // The new configuration is made aside: until its file is written, the one being edited
    // stays as it is, subclasses included.
    Conf fresh;
    storeHeaderFields(fresh);
    if (!fresh.is_configuration_valid().first) {
        warn(tr(RuleTexts::titleNewRefused), tr(RuleTexts::textNewRefused));
        return;
    }
    const QString path = askFileName(true);
    if (path.isEmpty() || !writeFile(path, fresh)) {
        return;
    }
    document->replace(std::move(fresh), path);
    showOutcome(tr("Created %1").arg(QDir::toNativeSeparators(path)));
}

void Veltora::menuOpenClicked()
{
    if (!maybeSave()) {
        return;
    }
    const QString path = askFileName(false);
    if (!path.isEmpty()) {
        openConfiguration(path);
    }
}

bool Veltora::openConfiguration(const QString &path)
{
    Conf read(path, this);
    if (!read.file_opened()) {
        const QFileInfo info(path);
        QString reason = tr("it does not exist.");
        if (info.exists() && !info.isFile()) {
            reason = tr("it is not a regular file.");
        } else if (info.exists()) {
            QFile file(path);
            reason
                = file.open(QIODevice::ReadOnly) ? tr("it could not be read.") : file.errorString();
        }
        warn(tr("Could not open file"),
            tr("%1 could not be opened: %2").arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    document->replace(std::move(read), path);
    showOutcome(openedMessage(path));
    tellWhatWasRead(path);
    return true;
}

// Open and New replaced the configuration: everything on screen is shown afresh from it.
void Veltora::documentReset()
{
    clearSubclassPanel();
    recheckMaxAxleDistance();
    showHeader();

    // One call for the whole selector; the first entry becomes current and is loaded.
    ui->comboBoxSubclasses->addItems(entryTexts(conf.get_subclass_numbers()));
    fillInvalidList();
    if (ui->comboBoxSubclasses->count() > 0) {
        showSubclassPanel();
        if (ui->comboBoxSubclasses->currentIndex() == 0) {
            on_comboBoxSubclasses_currentIndexChanged(ui->comboBoxSubclasses->itemText(0));
        } else {
            ui->comboBoxSubclasses->setCurrentIndex(0);
        }
    } else {
        // A file with a header only (as New writes it) opens ready for its first subclass.
        showEmptySubclassPanel();
    }
    showAxleOneWidgets();
}

void Veltora::stepReplayed(int subclass)
{
    if (subclass < 0) {
        // A header step: its field shows what the configuration holds again.
        for (const HeaderField &field : headerFields()) {
            showHeaderField(field);
        }
        return;
    }
    showSubclassIfAny(subclass);
}

void Veltora::menuSaveClicked()
{
    saveWithChecks();
}

bool Veltora::saveWithChecks()
{
    const SaveVerdict verdict(conf);
    if (verdict.asks()) {
        QMessageBox box(QMessageBox::Warning, verdict.question_title(), verdict.question_text(),
            QMessageBox::Yes | QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            return false;
        }
    }
    if (!verdict.accepts()) {
        warn(verdict.refusal_title(), verdict.refusal_text());
        return false;
    }
    const QString path = askFileName(true);
    return !path.isEmpty() && saveConfiguration(path);
}

bool Veltora::saveConfiguration(const QString &path)
{
    if (!writeFile(path, conf)) {
        return false;
    }
    document->markSaved(path);
    showOutcome(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
    return true;
}
