// Fuzz target for the set operations after edits: the bytes are read as a sequence of edits to
// one configuration (subclasses added, copied in batches, removed and changed in place, header
// values changed), and after every edit find_duplicates, get_invalid_subclasses,
// check_max_axle_distance and is_configuration_valid must give what their plain definitions
// give, subclass by subclass. What the model keeps between calls must never show.
#include "conf.h"
#include "../tests/model/modeltest.h"

#include <QMap>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void ignoreMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

// The input, a byte at a time; past its end every byte reads as 0.
class Input
{
public:
    Input(const uint8_t *data, size_t size)
        : data(data)
        , size(size)
    {
    }
    bool done() const { return at >= size; }
    int below(int n) { return (at < size ? data[at++] : 0) % n; }
    template <typename T, size_t N> const T &pick(const T (&from)[N]) { return from[below(N)]; }

private:
    const uint8_t *data;
    size_t size;
    size_t at = 0;
};

// Few texts, so that entries and values often agree; numbers as the checks read them, odd ones
// included.
const QString texts[]
    = {"", "1", "2", "3", "4", "5", "0", "0.5", "1.5", "4.5", "12", "a", "-1", "nan", "1e1", "07"};
const QString axleCounts[] = {"", "2", "3", "4", "1", "21", "2.5", "2000000000"};
const QString constraints[] = {"1+2,180", "1,180", "1+2", "2+3,40.5"};
const QString configurations[] = {"", "H2", "H3", "A2S2", "h2t1", "H2X1"};

using EntrySetter = void (Subclass::*)(QString, int);
const EntrySetter entrySetters[]
    = {&Subclass::set_max_axle_weight_at_index, &Subclass::set_min_distance_at_index,
        &Subclass::set_max_distance_at_index, &Subclass::set_tyre_type_at_index};
using Remover = void (Subclass::*)();
const Remover removers[]
    = {&Subclass::remove_last_max_axle_weight, &Subclass::remove_last_min_distance,
        &Subclass::remove_last_max_distance, &Subclass::remove_last_tyre_type};

quint16 number(Input &in)
{
    return quint16(in.below(48));
}

// One edit through the calls the editor makes.
void edit(Conf &conf, Input &in)
{
    const quint16 n = number(in);
    switch (in.below(10)) {
    case 0: {
        // A new subclass, as the editor creates it.
        Subclass s(QMap<QString, QString> {{"subclass", QString::number(n)}});
        s.set_category(in.pick(texts));
        conf.set_subclass(n, s);
        break;
    }
    case 1:
        conf.remove_subclass(n);
        break;
    case 2: {
        // Copies of one subclass under consecutive numbers, some with one entry changed: groups
        // of equal values both below and above the size the search compares pair by pair.
        const quint16 first = number(in);
        for (int i = in.below(40); i >= 0; --i) {
            Subclass copy = conf.get_subclass(n);
            if (in.below(2)) {
                (copy.*in.pick(entrySetters))(in.pick(texts), in.below(6));
            }
            copy.set_subclass_number(quint16(first + i));
            conf.set_subclass(quint16(first + i), copy);
        }
        break;
    }
    case 3:
    case 4:
        (conf.get_subclass(n).*in.pick(entrySetters))(in.pick(texts), in.below(6));
        break;
    case 5:
        (conf.get_subclass(n).*in.pick(removers))();
        break;
    case 6: {
        Subclass &s = conf.get_subclass(n);
        switch (in.below(4)) {
        case 0:
            s.set_number_of_axles(in.pick(axleCounts));
            break;
        case 1:
            s.set_axle_configuration(in.pick(configurations));
            break;
        case 2:
            s.set_max_GVW(in.pick(texts));
            break;
        default:
            s.set_prepend(in.pick(texts));
        }
        break;
    }
    case 7:
        if (in.below(2)) {
            conf.get_subclass(n).set_combined_constraint(in.pick(constraints), in.below(3) - 1);
        } else {
            conf.get_subclass(n).remove_combined_constraint(in.below(3));
        }
        break;
    case 8:
        (in.below(2) ? conf.set_min_axle_distance(in.pick(texts))
                     : conf.set_max_axle_distance(in.pick(texts)));
        break;
    default:
        switch (in.below(3)) {
        case 0:
            conf.set_country_code(in.below(2) ? "si" : "");
            break;
        case 1:
            conf.set_group_max_distance(in.pick(texts));
            break;
        default:
            conf.set_unclassified_vehicles_subclass(QString::number(number(in)));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The checks log every missing index; printing them would only slow the search down.
    qInstallMessageHandler(ignoreMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    Conf conf;
    for (int step = 0; step < 100 && !in.done(); ++step) {
        edit(conf, in);
        const QString answered = setChecks(conf, false);
        const QString defined = setChecks(conf, true);
        if (answered != defined) {
            std::fprintf(stderr,
                "after edit %d the set answers\n  %s\nwhere its definitions give\n  %s\n", step + 1,
                qPrintable(answered), qPrintable(defined));
            std::abort();
        }
    }
    return 0;
}
