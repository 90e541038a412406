#pragma once

#include "fileformat.h"
#include "readnote.h"
#include "subclass.h"

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class QObject;

// The whole classification configuration: the [classes] header, the table of valid country
// codes and the subclasses by number. The main window holds exactly one, by value; Open and
// New replace its contents. Invalid values are stored like valid ones: the checks report.
class Conf
{
public:
    Conf();
    // Reads a .conf file. A file that cannot be read gives an empty configuration; the
    // outcome of the read is kept (file_opened, stopped_at_line) for the caller to report.
    Conf(const QString &path, QObject *parent);

    // The whole file text.
    QString to_string() const;

    // How the last read went. file_opened() is false when the file could not be opened.
    // When the subclass scan stopped at a line it could not read (and dropped the rest of
    // the file), stopped_at_line() is that line's 1-based number and stopped_line_text()
    // its text; otherwise stopped_at_line() is 0.
    bool file_opened() const;
    int stopped_at_line() const;
    QString stopped_line_text() const;
    // Every place where what the read kept differs from what the file writes (a repeated
    // section or key, an unknown key, a value that is no number, ...), in line order: at most
    // ReadNotes::Most of them, and read_notes_not_kept() more. The reading itself follows the
    // format's rules whatever the notes say; a configuration not read from a file has none.
    const QVector<ReadNote> &read_notes() const;
    int read_notes_not_kept() const;

    QString get_classification_version() const;
    void set_classification_version(QString value);
    QString get_country_code() const;
    void set_country_code(QString value);
    QString get_g_acceleration_constant() const;
    void set_g_acceleration_constant(QString value);
    QString get_group_max_distance() const;
    void set_group_max_distance(QString value);
    QString get_max_axle_distance() const;
    void set_max_axle_distance(QString value);
    QString get_min_2axle_truck_spacing() const;
    void set_min_2axle_truck_spacing(QString value);
    QString get_min_avg_axle_weight() const;
    void set_min_avg_axle_weight(QString value);
    QString get_min_axle_distance() const;
    void set_min_axle_distance(QString value);
    QString get_unclassified_vehicles_subclass() const;
    void set_unclassified_vehicles_subclass(QString value);
    QString get_uncategorised_vehicle_category() const;
    void set_uncategorised_vehicle_category(QString value);

    bool is_g_acceleration_constant_valid() const;
    bool is_group_max_distance_valid() const;
    bool is_country_code_valid() const;
    bool is_unclassified_vehicles_subclass_valid() const;
    bool is_uncategorised_vehicle_category_valid() const;
    bool is_min_axle_distance_valid() const;
    // 0 valid, 1 below some subclass's maximum axle distance, 2 empty or below the minimum.
    int check_max_axle_distance() const;
    // Whether some entry of the subclass's maximum axle distances (over the whole list) lies
    // above the header's maximum: what makes check_max_axle_distance 1. An editor that knows
    // which subclass changed keeps that check current without visiting every subclass.
    bool is_subclass_above_max_axle_distance(quint16 number) const;

    // Every entry of the [classes] section as read or set, keys the system does not know
    // included, in key order; the writer leaves out those with an empty value.
    QMap<QString, QString> get_header_entries() const;

    bool contains_subclass(quint16 number) const;
    // The stored subclass, to read or edit in place. For a number that does not exist the
    // set is left untouched: the result is a fresh, empty scratch subclass that belongs to
    // no number, so edits made through it are simply lost.
    Subclass &get_subclass(quint16 number);
    // The stored subclass to read; for a number that does not exist, an empty subclass.
    const Subclass &get_subclass(quint16 number) const;
    void set_subclass(quint16 number, Subclass subclass);
    void remove_subclass(quint16 number);
    QVector<quint16> get_subclass_numbers() const;
    QVector<quint16> get_invalid_subclasses() const;
    // Empty, or the first duplicated pair "A = B" (A < B) in ascending order of A, then B.
    QString find_duplicates() const;
    // ok, and the failing subclass number (0 for a header failure).
    QPair<bool, quint16> is_configuration_valid() const;

    // A header check that fails: the field's label (in metres and kilonewtons), the rule in
    // words, and whether the editor shows it as a warning (yellow) rather than invalid (red).
    struct HeaderFailure
    {
        QString label;
        QString rule;
        bool warning = false;
    };
    // Every header check that fails, in the order the editor's header panel shows the fields.
    QVector<HeaderFailure> get_failing_header_rules() const;
    // The rules the subclass fails for the editor's invalid list, with the header's distances
    // (Subclass::get_failing_rules); empty for a valid or absent subclass.
    QStringList get_failing_subclass_rules(quint16 number) const;
    // The subclass's reclassification targets that fail the editor's rule: a target must exist
    // and have the same number of axles. Empty when both pass (or name no subclass).
    QStringList get_failing_target_rules(quint16 number) const;

private:
    class DuplicateSearch;

    // The 249 officially assigned ISO 3166-1 alpha-2 codes, shared by every Conf.
    static const QStringList &isoCountryCodes();
    QString headerValue(FileFormat::Header key) const;
    // The lowest subclass with a maximum axle distance above `max`, or -1.
    int firstSubclassAbove(float max) const;
    void setHeaderValue(FileFormat::Header key, const QString &value);

    QMap<quint16, Subclass> subclasses;
    QStringList country_codes;
    QMap<QString, QString> header;

    Subclass scratch;
    bool opened = true;
    int stopLine = 0;
    QString stopText;
    ReadNotes notes;
};
