#pragma once

// Text scanning and hashing shared by the subclass checks, the file's list lines and the
// duplicate search. The scanners read the format's patterns by hand, in linear time: a
// regular-expression search would try every start again and take quadratic time on a long
// hostile line.

#include <QString>

// The end of the run of digits (as the pattern \d sees them) that starts at `from`.
inline int skip_digits(const QString &text, int from)
{
    while (from < text.size() && text.at(from).isDigit()) {
        ++from;
    }
    return from;
}

// The end of a number \d+\.?\d* whose first digit is at `from` (the caller has seen it).
inline int skip_decimal(const QString &text, int from)
{
    int end = skip_digits(text, from);
    if (end < text.size() && text.at(end) == QLatin1Char('.')) {
        end = skip_digits(text, end + 1);
    }
    return end;
}

// The leftmost combined constraint at or after `from`: a match of (?:\d+\+)+\d+,\d+\.?\d* (two
// or more digit runs joined by "+", ",", then a number). Returns its start and sets `end` just
// past it, or returns -1. A chain that fails is skipped whole, since a match starting anywhere
// inside it would end where it ends and fail the same way.
inline int find_combined_constraint(const QString &text, int from, int *end)
{
    int pos = from;
    while (pos < text.size()) {
        if (!text.at(pos).isDigit()) {
            ++pos;
            continue;
        }
        int runs = 1;
        int chainEnd = skip_digits(text, pos);
        while (chainEnd + 1 < text.size() && text.at(chainEnd) == QLatin1Char('+')
            && text.at(chainEnd + 1).isDigit()) {
            chainEnd = skip_digits(text, chainEnd + 1);
            ++runs;
        }
        if (runs >= 2 && chainEnd + 1 < text.size() && text.at(chainEnd) == QLatin1Char(',')
            && text.at(chainEnd + 1).isDigit()) {
            *end = skip_decimal(text, chainEnd + 1);
            return pos;
        }
        pos = chainEnd;
    }
    return -1;
}

// A 64-bit mixing step (splitmix64's finaliser): spreads the sum of a running hash and the next
// part over all bits, so that sequences of equal texts in another order hash apart.
inline quint64 mix_hash(quint64 h)
{
    h += 0x9E3779B97F4A7C15ULL;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}
