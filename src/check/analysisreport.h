#pragma once

class QString;
class QTextStream;

// veltora-check --overlaps: the overlap report on one configuration file, as text or as one line
// of JSON. Returns the file's status: 0 when no two taking-part subclasses of different
// categories overlap and there is no reclassification cycle, 1 otherwise, when reading stopped
// early or when a header axle-distance bound is no number, 2 when the file cannot be opened.
int report_overlaps(const QString &path, bool json, QTextStream &out);

// veltora-check --vehicles RECORDS: the recorded vehicles of a CSV file run through one
// configuration, one line per row and a summary, as text or JSON Lines. Returns 0 when no row was
// skipped, no vehicle is ambiguous and under 2 % are unmatched, 1 otherwise or when reading the
// configuration stopped early or a header bound is no number, 2 when either file cannot be
// opened or the CSV's header row does not name the columns a vehicle needs.
int report_vehicles(const QString &records, const QString &path, bool json, QTextStream &out);
