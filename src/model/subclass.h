#pragma once

#include "fileformat.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <memory>
#include <vector>

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
    // The same from a section's texts by key, in the order of FileFormat::Section (a key the
    // section does not give is the empty text): the reader collects them so.
    using SectionTexts = std::array<QString, FileFormat::SectionKeyCount>;
    explicit Subclass(const SectionTexts &section);

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
    // Every rule of is_subclass_valid the subclass fails, in words, in the check's order: empty
    // exactly when the subclass is valid. Values are said as written ("gap 1: max distance
    // \"nan\" is not a number"); runs of gaps or axles failing in the same words are said once
    // ("axles 3-20: ..."). The checker, the editor and any report take them from here.
    QStringList get_failing_rules(QString hdr_min, QString hdr_max) const;
    bool is_subclass_complete() const;
    bool is_duplicate_of(const Subclass &other) const;

private:
    template <typename Read> void build(Read read);
    QString valueOf(FileFormat::Section key) const;
    void setValue(FileFormat::Section key, const QString &value);
    bool minDistanceValid(int index, float hdrMin, float hdrMax) const;
    bool maxDistanceValid(int index, float hdrMin, float hdrMax) const;
    // The comparisons of a gap's checks that fail, for its minimum m and maximum M and the
    // header's limits: the distance checks and their words both go by them. A comparison with
    // a value that reads as no number (nan) fails.
    enum GapFault : unsigned {
        MinAboveMax = 1, // !(m <= M), which fails both checks of the gap
        MinBelowHeader = 2,
        MinAboveHeader = 4,
        MaxBelowHeader = 8,
        MaxAboveHeader = 16,
    };
    static constexpr unsigned MinFaults = MinAboveMax | MinBelowHeader | MinAboveHeader;
    static constexpr unsigned MaxFaults = MinAboveMax | MaxBelowHeader | MaxAboveHeader;
    static unsigned gapFaults(float m, float M, float hdrMin, float hdrMax);

    // What a check or the duplicate search reads of a subclass is read in one go and kept until
    // the subclass changes: the editor rebuilds the list of invalid subclasses after every edit,
    // and looks for duplicates before every save, when all subclasses but one are as they were.
    // Each kept record is complete when made and never filled in later.
    template <typename Record> struct Kept;
    template <typename Record> const Record &kept(std::shared_ptr<const Kept<Record>> &slot) const;
    struct Summary;
    std::array<const QStringList *, 4> perAxleLists() const;

    // The set's checks and its duplicate search read these, and nothing else, of a subclass.
    friend class Conf;
    friend class NoteFinder;
    // How many items the writer writes of a list line.
    int writtenItems(FileFormat::Section list) const;
    bool subclassValid(float hdrMin, float hdrMax) const;
    float largestMaxDistance() const;
    // The hash of the values, and per list (0 weights, 1 minimum distances, 2 maximum
    // distances, 3 tyres) its length and the hash of its first entry.
    struct Fingerprint
    {
        explicit Fingerprint(const Subclass &subclass);
        quint64 values = 0;
        std::array<int, 4> lengths {};
        std::array<quint64, 4> heads {};
    };
    const Fingerprint &fingerprint() const;
    // Per list k, the hashes of its prefixes, of(k)[i] for the first i entries.
    struct PrefixHashes
    {
        explicit PrefixHashes(const Subclass &subclass);
        std::vector<quint64> hashes;
        std::array<size_t, 4> starts {};
        const quint64 *of(size_t k) const { return hashes.data() + starts[k]; }
    };
    const PrefixHashes &prefixHashes() const;

    // The ten scalar values, at their key's place in the key order the file is written in
    // (scalarSlot), and which of them the subclass has been given: a new record has none, one
    // built from a section all ten. Empty until the first is given.
    static constexpr int ScalarCount = 10;
    static int scalarSlot(FileFormat::Section key);
    static FileFormat::Section scalarKey(int slot);
    static int scalarsGiven(quint16 given);

    quint16 subclass = 0;
    QVector<QString> values;
    quint16 given = 0;
    QStringList max_axle_weights;
    QStringList min_axle_distances;
    QStringList max_axle_distances;
    QStringList tyre_types;
    QStringList combined_constraints;

    mutable std::shared_ptr<const Kept<Summary>> summary;
    mutable std::shared_ptr<const Kept<Fingerprint>> print;
    mutable std::shared_ptr<const Kept<PrefixHashes>> prefixes;
};
