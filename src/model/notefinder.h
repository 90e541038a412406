#pragma once

#include "fileformat.h"
#include "readnote.h"
#include "subclass.h"

#include <QMap>
#include <QString>

#include <array>
#include <vector>

class IniSections;

// Finds the read notes while the reader reads a file: it is told each line the subclass scan
// reads and each subclass it builds, and compares what was kept with what the file writes. It
// never changes what is read. A clean file (the writer's output) costs it a scan of each value's
// characters, and no allocation.
class NoteFinder
{
public:
    // The line numbers of the keys of one section (0: not given), in FileFormat::Section order.
    using KeyLines = std::array<int, FileFormat::SectionKeyCount>;

    // The header's notes, from its sections as the INI reader delimited them and the header it
    // read; `risky` as for the header's stand-ins.
    void header(const IniSections &sections, bool risky, const QMap<QString, QString> &read);
    // A [subclass_N] line and its digits.
    void section_line(int line, const QString &text, const QString &number);
    // A line of the [classes] part of the subclass scan, which the scan skips.
    void header_part_line(int line, const QString &text);
    // An entry line of a subclass section whose key no section has (-1 from
    // FileFormat::section_key_index).
    void unknown_key(int line, const QString &text, const QStringRef &key);
    // An entry line that gives a key the section gave before.
    void repeated_key(int line, const QString &text, FileFormat::Section key,
        const QString &earlier, int earlierLine, const QString &value);
    // A built subclass, from its section's texts and their lines; `first` is the line of the
    // section this one replaces (0: none) and `replaced` that subclass.
    void subclass(const Subclass::SectionTexts &texts, const KeyLines &lines, int sectionLine,
        const QString &sectionText, const Subclass &built, int first, const Subclass *replaced);

    ReadNotes notes;

private:
    void number(FileFormat::Section key, int line, const QString &value);
    void items(FileFormat::Section key, int line, const QString &value, int written);
    void weights(int line, const QString &value, int written);
};
