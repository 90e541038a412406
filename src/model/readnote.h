#pragma once

#include <QString>
#include <QVector>

// One place where what the reader keeps of a .conf file differs from what the file writes: the
// reading itself follows the format's rules, and a note only tells. Conf keeps the notes of its
// last read (read_notes); the checker reports them, and the editor lists them after Open.
struct ReadNote
{
    // The kinds, each with its name in the checker's JSON (what()).
    enum Kind {
        RepeatedSection, // a [subclass_N] section again: it replaces the earlier one whole
        RepeatedKey, // a key given twice in one section: the later value wins
        SectionNumber, // a section name that is no subclass number 0-65535, read as the rules say
        UnknownKey, // a key no subclass section has: dropped
        BlanksAroundEquals, // a known key with blanks before "=": dropped
        HeaderValueCut, // a header value cut at ";" or stripped of its quotes
        ByteOrderMark, // a UTF-8 byte-order mark, which Save does not write
        NotANumber, // a value read as a number that is none (or a negative length or weight)
        WeightAxleOrder, // weights whose axle numbers are not 1, 2, 3... in order
        ExtraItems, // list items beyond what the number of axles uses: Save drops them
    };

    int line = 0; // 1-based
    QString text; // the line as the file writes it, shortened and without control characters
    Kind kind = NotANumber;
    QString detail; // what differs, in words, naming the key and the values

    // The kind's name, such as "repeated_key".
    QString what() const;
    // The note as the checker and the editor say it: "line 12: " and the detail.
    QString words() const;
    // A byte-order mark changes nothing that Save writes but the mark itself; every other note
    // is a value Save would write differently from the file.
    bool changes_values() const { return kind != ByteOrderMark; }
};

// The notes of one read, in line order, at most `Most`; the rest only counted.
class ReadNotes
{
public:
    static constexpr int Most = 1000;

    void add(int line, const QString &text, ReadNote::Kind kind, const QString &detail);
    // Sorts by line (the header's notes are found after the subclass sections').
    void finish();

    QVector<ReadNote> kept;
    int notKept = 0;
};
