#pragma once

#include <QString>

// A text from a file as a report shows it: control characters replaced, at most `longest`
// characters and "..." when it was longer.
inline QString printable(const QString &text, int longest)
{
    QString shown = text.left(longest);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control) {
            c = QChar::ReplacementCharacter;
        }
    }
    return shown.size() < text.size() ? shown + QStringLiteral("...") : shown;
}
