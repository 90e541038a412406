#pragma once

#include <QString>

class QLineEdit;

// The colours that record whether a field's value is valid, and the conversions between the
// texts the model stores (kilonewtons and metres) and the numbers a field shows in the display
// unit. They hold no state: the window passes the factor of the unit in use, so the same rules
// serve every field and can be checked without a window.
namespace FieldStyle {

extern const QString validStyle;
extern const QString invalidStyle;
extern const QString warningStyle;
extern const QString neutralStyle;

// Lime with no tool tip, or red with `tip`.
void colour(QLineEdit *edit, bool valid, const QString &tip);
// Yellow with `tip`: valid, but lower than some subclass needs.
void colourWarning(QLineEdit *edit, const QString &tip);
// White: neither valid nor invalid (an empty copy target). The tool tip stays as it was.
void colourNeutral(QLineEdit *edit);
// Readable on every colour and in every state: a coloured field's text is black, and a
// placeholder, shown only while the field is empty, is black and italic. For the fields of a
// form, whose first colours and placeholders the form sets itself.
void keepReadable(QLineEdit *edit);
// Only red marks a field invalid; yellow, white and lime do not.
bool isMarkedInvalid(QLineEdit *edit);

// Stored text -> displayed number: the text read as a float, divided by the factor in single
// precision; the empty text gives 0.
double toDisplayValue(const QString &text, float factor);
// Displayed number -> stored text: times the factor, 6 significant digits; a value not above 0
// gives the empty text, so it is never stored as a number.
QString toStoredText(const QString &text, float factor);
// A displayed value: two decimals, or the empty text for a value not above 0.
QString shownText(double value);
// A stored combined constraint "axles,weight" with its weight in the display unit.
QString shownConstraint(const QString &text, float weightFactor);

} // namespace FieldStyle
