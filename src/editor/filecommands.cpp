// File menu commands: New, Open and Save. A configuration reaches a file only whole (written
// aside and renamed into place), and every failure to read or write is told to the user.
#include "veltora.h"
#include "ruletexts.h"
#include "saveverdict.h"
#include "ui_veltora.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStringList>

QString Veltora::askFileName(bool save)
{
    QFileDialog dialog(
        this, save ? tr("Save as") : tr("Open file"), QString(), tr("Configuration (*.conf)"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("conf"));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    return dialog.selectedFiles().value(0);
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

void Veltora::menuNewClicked()
{
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
    conf = fresh;
    setWindowTitle(titleText + QLatin1Char(' ') + path);
    showEmptySubclassPanel();
}

void Veltora::menuOpenClicked()
{
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
    setWindowTitle(titleText + QLatin1Char(' ') + path);
    conf = std::move(read);
    clearSubclassPanel();
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

    if (conf.stopped_at_line() > 0) {
        warn(tr("File not completely read"),
            tr("Reading %1 stopped at line %2, which could not be read:\n%3\nThe section it "
               "stands in and the rest of the file were not loaded.")
                .arg(QDir::toNativeSeparators(path))
                .arg(conf.stopped_at_line())
                .arg(conf.stopped_line_text()));
    }
    return true;
}

void Veltora::menuSaveClicked()
{
    const SaveVerdict verdict(conf);
    if (verdict.asks()) {
        QMessageBox box(QMessageBox::Warning, verdict.question_title(), verdict.question_text(),
            QMessageBox::Yes | QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            return;
        }
    }
    if (!verdict.accepts()) {
        warn(verdict.refusal_title(), verdict.refusal_text());
        return;
    }
    const QString path = askFileName(true);
    if (!path.isEmpty()) {
        saveConfiguration(path);
    }
}

bool Veltora::saveConfiguration(const QString &path)
{
    return writeFile(path, conf);
}
