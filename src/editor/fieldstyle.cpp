// Field colouring and value conversion: the colours that record a field's validity, and the
// conversions between the stored kilonewtons and metres and the numbers shown in the fields.
#include "veltora.h"

#include <QBrush>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QStringList>
#include <QtDebug>

namespace {

// A displayed value: two decimals, or an empty field for a value not above 0.
QString shownValue(double value)
{
    return value > 0.0 ? QString::number(value, 'f', 2) : QString();
}

} // namespace

void Veltora::validateEdit(QLineEdit *edit, bool valid, const QString &tip)
{
    if (!edit) {
        qWarning() << "Edit passed to validate is a nullptr!";
        return;
    }
    if (valid) {
        edit->setStyleSheet(validStyle);
        edit->setToolTip(QString());
    } else {
        edit->setStyleSheet(invalidStyle);
        edit->setToolTip(tip);
    }
}

void Veltora::validateEditThreeWay(QLineEdit *edit, int state)
{
    if (!edit) {
        qWarning() << "Edit passed to validate is a nullptr!";
        return;
    }
    switch (state) {
    case 0:
        validateEdit(edit, true, QString());
        break;
    case 1:
        edit->setStyleSheet(QStringLiteral("QLineEdit {background-color: yellow}"));
        edit->setToolTip(tipLowerThanSubclasses);
        break;
    default:
        validateEdit(edit, false, tr("Value must be higher than min axle distance."));
        break;
    }
}

bool Veltora::isMarkedInvalid(QLineEdit *edit) const
{
    if (!edit) {
        return false;
    }
    // A style sheet reaches the palette only when the widget is polished; a field that was
    // never shown would otherwise still report its old colour.
    edit->ensurePolished();
    const QPalette palette = edit->palette();
    return palette.brush(palette.currentColorGroup(), QPalette::Window).color() == QColor(Qt::red);
}

double Veltora::toDisplayValue(const QString &text, bool isWeight) const
{
    if (text.isEmpty()) {
        return 0.0;
    }
    const float factor = isWeight ? weightFactor : lengthFactor;
    const float value = text.toFloat() / factor;
    return static_cast<double>(value);
}

QString Veltora::toStoredText(const QString &text, bool isWeight) const
{
    if (text.isEmpty()) {
        return QString();
    }
    const float value = text.toFloat();
    if (!(value > 0.0f)) {
        return QString();
    }
    const float factor = isWeight ? weightFactor : lengthFactor;
    const float stored = value * factor;
    return QString::number(static_cast<double>(stored), 'g', 6);
}

QString Veltora::editToStoredText(QLineEdit *edit, bool isWeight) const
{
    if (!edit) {
        return QString();
    }
    return toStoredText(edit->text(), isWeight);
}

void Veltora::showConvertedValue(QLineEdit *edit, const QString &text, bool isWeight, bool valid)
{
    if (!edit) {
        qWarning() << "Could not set converted text to edit";
        return;
    }
    edit->setText(shownValue(toDisplayValue(text, isWeight)));
    validateEdit(edit, valid, QString());
}

void Veltora::showConvertedValueThreeWay(
    QLineEdit *edit, const QString &text, bool isWeight, int state)
{
    if (!edit) {
        qWarning() << "Could not set converted text to edit";
        return;
    }
    edit->setText(shownValue(toDisplayValue(text, isWeight)));
    validateEditThreeWay(edit, state);
}

void Veltora::showConvertedConstraint(QLineEdit *edit, const QString &text, bool valid)
{
    if (!edit) {
        qWarning() << "Could not set converted text to edit";
        return;
    }
    const QStringList parts = text.split(",");
    if (parts.size() < 2) {
        // A constraint read from a file may lack the weight part: there is nothing to
        // convert, so the text is shown as stored rather than invented.
        edit->setText(text);
    } else {
        edit->setText(
            parts.at(0) + "," + QString::number(toDisplayValue(parts.at(1), true), 'f', 2));
    }
    validateEdit(edit, valid, QString());
}
