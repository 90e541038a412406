#pragma once

// Text scanning, number reading and hashing shared by the header and subclass checks, the file's
// list lines and the duplicate search. The scanners read the format's patterns by hand, in linear
// time: a regular-expression search would try every start again and take quadratic time on a
// long hostile line.

#include <QString>

inline bool isAsciiDigit(ushort c)
{
    return c >= '0' && c <= '9';
}

// The end of the run of digits (as the pattern \d sees them) that starts at `from`.
inline int skipDigits(const QString &text, int from)
{
    while (from < text.size() && text.at(from).isDigit()) {
        ++from;
    }
    return from;
}

// The end of a number \d+\.?\d* whose first digit is at `from` (the caller has seen it).
inline int skipDecimal(const QString &text, int from)
{
    int end = skipDigits(text, from);
    if (end < text.size() && text.at(end) == QLatin1Char('.')) {
        end = skipDigits(text, end + 1);
    }
    return end;
}

// The leftmost combined constraint at or after `from`: a match of (?:\d+\+)+\d+,\d+\.?\d* (two
// or more digit runs joined by "+", ",", then a number). Returns its start and sets `end` just
// past it, or returns -1. A chain that fails is skipped whole, since a match starting anywhere
// inside it would end where it ends and fail the same way.
inline int findCombinedConstraint(const QString &text, int from, int *end)
{
    int pos = from;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        int runs = 1;
        int chainEnd = skipDigits(text, pos);
        while (chainEnd + 1 < text.size() && text.at(chainEnd) == QLatin1Char('+')
            && text.at(chainEnd + 1).isDigit()) {
            chainEnd = skipDigits(text, chainEnd + 1);
            ++runs;
        }
        if (runs >= 2 && chainEnd + 1 < text.size() && text.at(chainEnd) == QLatin1Char(',')
            && text.at(chainEnd + 1).isDigit()) {
            *end = skipDecimal(text, chainEnd + 1);
            return pos;
        }
        pos = chainEnd;
    }
    return -1;
}

// Finds the next single-axle item "axle,weight" at or after `from`: the axle is a whole run of
// digits that does not follow a "+" (so the last term of a combined constraint is no item), the
// weight is digits, optionally "." and more digits. Returns the item's start and sets `end` to
// just past it, or returns -1. Every position is looked at a bounded number of times, so a long
// hostile line costs linear time.
inline int findAxleItem(const QString &text, int from, int *end)
{
    int pos = from;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        const int start = pos;
        const int axleEnd = skipDigits(text, start);
        const bool wholeRun = start == 0 || !text.at(start - 1).isDigit();
        const bool afterPlus = start > 0 && text.at(start - 1) == QLatin1Char('+');
        if (wholeRun && !afterPlus && axleEnd + 1 < text.size()
            && text.at(axleEnd) == QLatin1Char(',') && text.at(axleEnd + 1).isDigit()) {
            *end = skipDecimal(text, axleEnd + 1);
            return start;
        }
        pos = axleEnd;
    }
    return -1;
}

// Text read as a real, exactly as QString::toFloat reads it (text that does not convert reads as
// 0), with a fast path for plain decimal text: the invalid-subclass list is rebuilt after every
// edit. Plain decimal text of at most 15 digits converts exactly: mantissa and power of ten are
// both exact doubles, so the one division is correctly rounded, as the general conversion is,
// and the float is then rounded from that double just as QString::toFloat does.
inline float readReal(const QString &text)
{
    static const double powers[]
        = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const int len = text.size();
    if (len == 0 || len > 16) {
        return text.toFloat();
    }
    const QChar *c = text.constData();
    if (c[0].unicode() == '0' && len > 1 && c[1].unicode() != '.') {
        return text.toFloat();
    }
    quint64 mantissa = 0;
    int digits = 0;
    int decimals = -1;
    for (int i = 0; i < len; ++i) {
        const ushort u = c[i].unicode();
        if (isAsciiDigit(u)) {
            mantissa = mantissa * 10 + (u - '0');
            ++digits;
            if (decimals >= 0) {
                ++decimals;
            }
        } else if (u == '.' && decimals < 0 && digits > 0 && i + 1 < len) {
            decimals = 0;
        } else {
            return text.toFloat();
        }
    }
    if (digits > 15) {
        return text.toFloat();
    }
    return float(double(mantissa) / powers[decimals < 0 ? 0 : decimals]);
}

// Text read as a whole number, exactly as QString::toInt reads it, with a fast path for plain
// digits.
inline int readWhole(const QString &text)
{
    const int len = text.size();
    if (len == 0 || len > 9 || (len > 1 && text.at(0).unicode() == '0')) {
        return text.toInt();
    }
    int value = 0;
    for (int i = 0; i < len; ++i) {
        const ushort u = text.at(i).unicode();
        if (!isAsciiDigit(u)) {
            return text.toInt();
        }
        value = value * 10 + (u - '0');
    }
    return value;
}

// FNV-1a over the UTF-16 code units.
inline quint64 textHash(const QString &text)
{
    quint64 h = 0xCBF29CE484222325ULL;
    const QChar *c = text.constData();
    for (int i = 0; i < text.size(); ++i) {
        h = (h ^ c[i].unicode()) * 0x100000001B3ULL;
    }
    return h;
}

// A 64-bit mixing step (splitmix64's finaliser): spreads the sum of a running hash and the next
// part over all bits, so that sequences of equal texts in another order hash apart.
inline quint64 mixHash(quint64 h)
{
    h += 0x9E3779B97F4A7C15ULL;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}
