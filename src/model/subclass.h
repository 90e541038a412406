#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// One vehicle subclass: one [subclass_N] section of a configuration file. Every value is kept
// as the text that was typed or read; numbers are parsed only inside the checks, so the file
// gets back exactly what the user wrote. Owned by value by Conf.
class Subclass
{
public:
    // An empty record (number 0, no values, empty lists); containers need it.
    Subclass();
    // Builds a subclass from a section's key/value map, the way the file reader does.
    explicit Subclass(const QMap<QString, QString> &section);

    quint16 get_subclass_number() const;
    void set_subclass_number(quint16 number);

    // The section text, from the [subclass_N] line to the end of the min_axle_distance__m line.
    QString to_string() const;

    QString get_category() const;
    void set_category(QString value);
    QString get_number_of_axles() const;
    void set_number_of_axles(QString value);
    QString get_axle_configuration() const;
    void set_axle_configuration(QString value);
    QString get_max_GVW() const;
    void set_max_GVW(QString value);
    QString get_upper_GVW_limit() const;
    void set_upper_GVW_limit(QString value);
    QString get_reclassify_up_to_subclass() const;
    void set_reclassify_up_to_subclass(QString value);
    QString get_lower_GVW_limit() const;
    void set_lower_GVW_limit(QString value);
    QString get_reclassify_down_to_subclass() const;
    void set_reclassify_down_to_subclass(QString value);
    QString get_prepend() const;
    void set_prepend(QString value);
    QString get_append() const;
    void set_append(QString value);

    // Per-axle access. Getters answer the empty text for an index outside the list.
    QString get_max_axle_weight_at_index(int index) const;
    QString get_min_distance_at_index(int index) const;
    QString get_max_distance_at_index(int index) const;
    QString get_combined_constraint_at_index(int index) const;
    QString get_tyre_type_at_index(int index) const;
    // An index at or past the end appends the value (at the end, not at the index).
    void set_max_axle_weight_at_index(QString value, int index);
    void set_min_distance_at_index(QString value, int index);
    void set_max_distance_at_index(QString value, int index);
    void set_tyre_type_at_index(QString value, int index);
    void remove_last_max_axle_weight();
    void remove_last_min_distance();
    void remove_last_max_distance();
    void remove_last_tyre_type();
    int get_max_axle_weight_count() const;
    int get_min_distance_count() const;
    int get_max_distance_count() const;
    int get_tyre_type_count() const;
    int get_combined_constraint_count() const;

    // The list lines of a file section.
    void set_min_max_distances(QString min_text, QString max_text);
    void set_tyre_types(QString text);
    void set_max_axle_weights(QString text);

    // index -1 appends a new constraint.
    void set_combined_constraint(QString value, int index);
    void remove_combined_constraint(int index);

    bool is_max_axle_weight_valid(int index) const;
    bool is_tyre_type_valid(int index) const;
    bool is_combined_constraint_valid(int index) const;
    bool is_min_distance_valid(int index, QString hdr_min, QString hdr_max) const;
    bool is_max_distance_valid(int index, QString hdr_min, QString hdr_max) const;

    bool is_category_valid() const;
    bool is_max_GVW_valid() const;
    bool is_number_of_axles_valid() const;
    bool is_axle_configuration_valid() const;
    bool is_reclassify_up_valid(QString target_axles) const;
    bool is_reclassify_down_valid(QString target_axles) const;

    bool can_draw() const;
    bool is_subclass_valid(QString hdr_min, QString hdr_max) const;
    bool is_subclass_complete() const;
    bool is_duplicate_of(const Subclass &other) const;

private:
    // The set's duplicate search and header check read the lists directly.
    friend class Conf;

    // Text read as a real (QString::toFloat) or a whole number (QString::toInt), with a fast
    // path for plain decimal text: the invalid-subclass list is rebuilt after every edit.
    static float real_of(const QString &text);
    static int whole_of(const QString &text);
    QString value_of(const QString &key) const;
    bool min_distance_valid(int index, float hdr_min, float hdr_max) const;
    bool max_distance_valid(int index, float hdr_min, float hdr_max) const;

    // What the whole-subclass checks, the header's maximum check and the duplicate search
    // need, read once and kept until the subclass changes: the editor rebuilds the list of
    // invalid subclasses after every edit, when all subclasses but one are as they were.
    struct Summary;
    Summary &summary() const;
    const Summary &checked_summary() const;
    bool subclass_valid(float hdr_min, float hdr_max) const;
    float largest_max_distance() const;
    // What the duplicate search compares before it compares texts: a hash of the values, and
    // per list (0 weights, 1 minimum distances, 2 maximum distances, 3 tyres) its length, the
    // hash of its first entry and, when asked for, the hashes of its prefixes, prefixes[k][i]
    // for the first i entries. Valid until the subclass changes.
    struct Fingerprint
    {
        quint64 values = 0;
        std::array<int, 4> lengths {};
        std::array<quint64, 4> heads {};
        std::array<const quint64 *, 4> prefixes {};
    };
    Fingerprint fingerprint(bool with_prefixes) const;

    quint16 subclass = 0;
    QMap<QString, QString> values;
    QStringList max_axle_weights;
    QStringList min_axle_distances;
    QStringList max_axle_distances;
    QStringList tyre_types;
    QStringList combined_constraints;

    mutable std::shared_ptr<Summary> cache;
};
