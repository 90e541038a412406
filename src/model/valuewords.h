#pragma once

#include <QString>

// Stored values as the rule words show them: "(empty)", a real with two decimals (more where two
// would hide a difference) and its unit, a whole number as written, and quoted text where the
// text reads as no number. The checker's findings, the comparison of two configurations and the
// sheet show values so.
namespace ValueWords {

QString shown_real(const QString &text, const char *unit);
QString shown_whole(const QString &text);
QString shown_text(const QString &text);

} // namespace ValueWords
