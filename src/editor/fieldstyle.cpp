// Field colouring and value conversion: the colours that record a field's validity, and the
// conversions between the stored kilonewtons and metres and the numbers shown in the fields.
#include "fieldstyle.h"
#include "ruletexts.h"
#include "veltora.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPalette>
#include <QStringList>
#include <QtDebug>

namespace FieldStyle {

const QString validStyle = QStringLiteral("QLineEdit {background-color: lime}");
const QString invalidStyle = QStringLiteral("QLineEdit {background-color: red}");
const QString warningStyle = QStringLiteral("QLineEdit {background-color: yellow}");
const QString neutralStyle = QStringLiteral("QLineEdit {background-color: white}");

namespace {

// Every colour a field is given is a light one, so its text is black whatever the desktop's
// palette: even on red, black reaches a contrast of 5.25:1, where a light theme's white text
// would all but vanish on lime and yellow.
void darkText(QLineEdit *edit, QPalette::ColorRole role)
{
    QPalette palette = edit->palette();
    if (palette.color(role) != QColor(Qt::black)) {
        palette.setColor(role, Qt::black);
        edit->setPalette(palette);
    }
}

// Setting a style sheet restyles the widget even when it is the one it has: the fields are
// coloured again after every edit, so only a colour that changes is set.
void setStyle(QLineEdit *edit, const QString &style)
{
    if (edit->styleSheet() != style) {
        edit->setStyleSheet(style);
    }
    darkText(edit, QPalette::Text);
}

void show(QLineEdit *edit, const QString &style, const QString &tip)
{
    setStyle(edit, style);
    if (edit->toolTip() != tip) {
        edit->setToolTip(tip);
    }
}

// A placeholder as dark as the text would pass for a value; italics tell it apart. Only the
// empty field is italic, so a typed value shows upright.
void italicWhileEmpty(QLineEdit *edit)
{
    QFont font = edit->font();
    if (font.italic() != edit->text().isEmpty()) {
        font.setItalic(edit->text().isEmpty());
        edit->setFont(font);
    }
}

} // namespace

void colour(QLineEdit *edit, bool valid, const QString &tip)
{
    show(edit, valid ? validStyle : invalidStyle, valid ? QString() : tip);
}

void colourWarning(QLineEdit *edit, const QString &tip)
{
    show(edit, warningStyle, tip);
}

void colourNeutral(QLineEdit *edit)
{
    setStyle(edit, neutralStyle);
}

void keepReadable(QLineEdit *edit)
{
    if (!edit->styleSheet().isEmpty()) {
        darkText(edit, QPalette::Text);
    }
    if (edit->placeholderText().isEmpty()) {
        return;
    }
    darkText(edit, QPalette::PlaceholderText);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { italicWhileEmpty(edit); });
    italicWhileEmpty(edit);
}

bool isMarkedInvalid(QLineEdit *edit)
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

double toDisplayValue(const QString &text, float factor)
{
    if (text.isEmpty()) {
        return 0.0;
    }
    return static_cast<double>(text.toFloat() / factor);
}

QString toStoredText(const QString &text, float factor)
{
    const float value = text.toFloat();
    if (text.isEmpty() || !(value > 0.0f)) {
        return QString();
    }
    return QString::number(static_cast<double>(value * factor), 'g', 6);
}

QString shownText(double value)
{
    return value > 0.0 ? QString::number(value, 'f', 2) : QString();
}

QString shownConstraint(const QString &text, float weightFactor)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < 2) {
        // A constraint read from a file may lack its weight: there is nothing to convert, so it
        // shows as stored rather than with an invented weight.
        return text;
    }
    return parts.at(0) + QLatin1Char(',')
        + QString::number(toDisplayValue(parts.at(1), weightFactor), 'f', 2);
}

} // namespace FieldStyle

void Veltora::validateEdit(QLineEdit *edit, bool valid, const QString &tip)
{
    if (!edit) {
        qWarning() << "Edit passed to validate is a nullptr!";
        return;
    }
    FieldStyle::colour(edit, valid, tip);
}

void Veltora::validateEditThreeWay(QLineEdit *edit, int state)
{
    if (!edit) {
        qWarning() << "Edit passed to validate is a nullptr!";
        return;
    }
    if (state == 1) {
        FieldStyle::colourWarning(edit, tipLowerThanSubclasses);
    } else {
        validateEdit(edit, state == 0, tr(RuleTexts::tipMaxBelowMin));
    }
}

bool Veltora::isMarkedInvalid(QLineEdit *edit) const
{
    return FieldStyle::isMarkedInvalid(edit);
}

float Veltora::factor(bool isWeight) const
{
    return isWeight ? weightFactor : lengthFactor;
}

double Veltora::toDisplayValue(const QString &text, bool isWeight) const
{
    return FieldStyle::toDisplayValue(text, factor(isWeight));
}

QString Veltora::toStoredText(const QString &text, bool isWeight) const
{
    return FieldStyle::toStoredText(text, factor(isWeight));
}

QString Veltora::editToStoredText(QLineEdit *edit, bool isWeight) const
{
    return edit ? toStoredText(edit->text(), isWeight) : QString();
}

void Veltora::showConvertedValue(QLineEdit *edit, const QString &text, bool isWeight, bool valid)
{
    if (!edit) {
        qWarning() << "Could not set converted text to edit";
        return;
    }
    edit->setText(FieldStyle::shownText(toDisplayValue(text, isWeight)));
    validateEdit(edit, valid, QString());
}

void Veltora::showConvertedValueThreeWay(
    QLineEdit *edit, const QString &text, bool isWeight, int state)
{
    if (!edit) {
        qWarning() << "Could not set converted text to edit";
        return;
    }
    edit->setText(FieldStyle::shownText(toDisplayValue(text, isWeight)));
    validateEditThreeWay(edit, state);
}

void Veltora::showConvertedConstraint(QLineEdit *edit, const QString &text, bool valid)
{
    if (!edit) {
        qWarning() << "Could not set converted text to edit";
        return;
    }
    edit->setText(FieldStyle::shownConstraint(text, weightFactor));
    validateEdit(edit, valid, QString());
}
