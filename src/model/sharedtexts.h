#pragma once

#include <QString>
#include <QStringView>

#include <array>

// Short values repeat from section to section of a file ("2", "0.5", "H2T2", "80.2"). A value
// met again shares the copy kept before instead of taking an allocation of its own: a file of
// 65,536 subclasses holds some two million values, and their allocations are most of the time
// and memory of reading it. Direct-mapped, so a miss costs one comparison and a store. One
// table per thread, since two files may be read at once.
inline QString sharedText(QStringView text)
{
    constexpr int longest = 16; // longer texts seldom repeat
    constexpr int slots = 1024;
    if (text.size() == 0 || text.size() > longest) {
        return text.toString();
    }
    uint hash = uint(text.size());
    for (const QChar c : text) {
        hash = hash * 31 + c.unicode();
    }
    thread_local std::array<QString, slots> table;
    QString &slot = table[hash % slots];
    if (slot != text) {
        slot = text.toString();
    }
    return slot;
}
