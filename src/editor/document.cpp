// The editing object: the edit API of the window, the undo commands behind it, and the file
// and modified state of the configuration being edited.
#include "document.h"
#include "conf.h"
#include "subclass.h"

#include <QMap>
#include <QUndoCommand>

using FileFormat::Header;
using FileFormat::Section;

namespace {

struct HeaderAccess
{
    QString (Conf::*get)() const;
    void (Conf::*set)(QString);
};

HeaderAccess headerAccess(Header key)
{
    switch (key) {
    case Header::ClassificationVersion:
        return {&Conf::get_classification_version, &Conf::set_classification_version};
    case Header::CountryCode:
        return {&Conf::get_country_code, &Conf::set_country_code};
    case Header::GAccelerationConstant:
        return {&Conf::get_g_acceleration_constant, &Conf::set_g_acceleration_constant};
    case Header::GroupMaxDistance:
        return {&Conf::get_group_max_distance, &Conf::set_group_max_distance};
    case Header::MaxAxleDistance:
        return {&Conf::get_max_axle_distance, &Conf::set_max_axle_distance};
    case Header::Min2AxleTruckSpacing:
        return {&Conf::get_min_2axle_truck_spacing, &Conf::set_min_2axle_truck_spacing};
    case Header::MinAvgAxleWeight:
        return {&Conf::get_min_avg_axle_weight, &Conf::set_min_avg_axle_weight};
    case Header::MinAxleDistance:
        return {&Conf::get_min_axle_distance, &Conf::set_min_axle_distance};
    case Header::UnclassifiedVehiclesSubclass:
        return {
            &Conf::get_unclassified_vehicles_subclass, &Conf::set_unclassified_vehicles_subclass};
    case Header::UncategorisedVehicleCategory:
        return {
            &Conf::get_uncategorised_vehicle_category, &Conf::set_uncategorised_vehicle_category};
    }
    return {&Conf::get_classification_version, &Conf::set_classification_version};
}

struct ValueAccess
{
    QString (Subclass::*get)() const;
    void (Subclass::*set)(QString);
};

// The ten scalar values; the number of axles has a command of its own, since it shapes the
// lists, but is stored the same way.
ValueAccess valueAccess(Section key)
{
    switch (key) {
    case Section::Category:
        return {&Subclass::get_category, &Subclass::set_category};
    case Section::NumberOfAxles:
        return {&Subclass::get_number_of_axles, &Subclass::set_number_of_axles};
    case Section::AxleConfiguration:
        return {&Subclass::get_axle_configuration, &Subclass::set_axle_configuration};
    case Section::MaxGVW:
        return {&Subclass::get_max_GVW, &Subclass::set_max_GVW};
    case Section::UpperGVWLimit:
        return {&Subclass::get_upper_GVW_limit, &Subclass::set_upper_GVW_limit};
    case Section::ReclassifyUpToSubclass:
        return {&Subclass::get_reclassify_up_to_subclass, &Subclass::set_reclassify_up_to_subclass};
    case Section::LowerGVWLimit:
        return {&Subclass::get_lower_GVW_limit, &Subclass::set_lower_GVW_limit};
    case Section::ReclassifyDownToSubclass:
        return {
            &Subclass::get_reclassify_down_to_subclass, &Subclass::set_reclassify_down_to_subclass};
    case Section::Prepend:
        return {&Subclass::get_prepend, &Subclass::set_prepend};
    case Section::Append:
        return {&Subclass::get_append, &Subclass::set_append};
    case Section::Subclass:
    case Section::TyreType:
    case Section::MaxAxleWeight:
    case Section::MaxAxleDistance:
    case Section::MinAxleDistance:
        break;
    }
    return {&Subclass::get_category, &Subclass::set_category};
}

// Keystrokes merge per kind of field: a command merges only with one of its own id.
enum CommandId { HeaderValueId = 1, SubclassValueId, ListEntryId, AxleCountId };

// Every command knows the subclass it happened in (-1: the header) and tells the window to
// show it when it is undone or redone; the first redo is the edit itself, already on screen.
class Step : public QUndoCommand
{
public:
    Step(Document *document, int subclass, const QString &text)
        : QUndoCommand(text)
        , document(document)
        , subclass(subclass)
        , epoch(document->mergeEpoch())
    {
    }

    void undo() override
    {
        rewind();
        document->announceReplay(shownAfterUndo());
    }

    void redo() override
    {
        replay();
        if (!first) {
            document->announceReplay(shownAfterRedo());
        }
        first = false;
    }

protected:
    virtual void rewind() = 0;
    virtual void replay() = 0;
    virtual int shownAfterUndo() const { return subclass; }
    virtual int shownAfterRedo() const { return subclass; }
    bool mergesWith(const Step *other) const
    {
        return other->subclass == subclass && other->epoch == epoch;
    }

    Document *document;
    const int subclass;

private:
    const int epoch;
    bool first = true;
};

class HeaderValueStep : public Step
{
public:
    HeaderValueStep(Document *document, Header key, const QString &before, const QString &after,
        const QString &text, bool merges)
        : Step(document, -1, text)
        , key(key)
        , before(before)
        , after(after)
        , merges(merges)
    {
    }

    int id() const override { return merges ? HeaderValueId : -1; }
    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *other = static_cast<const HeaderValueStep *>(command);
        if (!other->merges || other->key != key || !mergesWith(other)) {
            return false;
        }
        after = other->after;
        setObsolete(after == before);
        return true;
    }

protected:
    void rewind() override { document->writeHeader(key, before); }
    void replay() override { document->writeHeader(key, after); }

private:
    const Header key;
    const QString before;
    QString after;
    const bool merges;
};

class SubclassValueStep : public Step
{
public:
    SubclassValueStep(Document *document, quint16 number, Section key, const QString &before,
        const QString &after, const QString &text)
        : Step(document, number, text)
        , key(key)
        , before(before)
        , after(after)
    {
    }

    int id() const override { return SubclassValueId; }
    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *other = static_cast<const SubclassValueStep *>(command);
        if (other->key != key || !mergesWith(other)) {
            return false;
        }
        after = other->after;
        setObsolete(after == before);
        return true;
    }

protected:
    void rewind() override { document->writeSubclassValue(quint16(subclass), key, before); }
    void replay() override { document->writeSubclassValue(quint16(subclass), key, after); }

private:
    const Section key;
    const QString before;
    QString after;
};

// One entry of a per-axle list. An index at the end appends, so undoing it drops the entry
// again instead of leaving an empty one behind.
class ListEntryStep : public Step
{
public:
    ListEntryStep(Document *document, quint16 number, Document::AxleList list, int index,
        const QString &before, const QString &after, bool appends, const QString &text)
        : Step(document, number, text)
        , list(list)
        , index(index)
        , before(before)
        , after(after)
        , appends(appends)
    {
    }

    int id() const override { return ListEntryId; }
    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *other = static_cast<const ListEntryStep *>(command);
        if (other->list != list || other->index != index || other->appends || !mergesWith(other)) {
            return false;
        }
        after = other->after;
        setObsolete(!appends && after == before);
        return true;
    }

protected:
    void rewind() override
    {
        if (appends) {
            document->dropLastListEntry(quint16(subclass), list);
        } else {
            document->writeListEntry(quint16(subclass), list, index, before);
        }
    }
    void replay() override { document->writeListEntry(quint16(subclass), list, index, after); }

private:
    const Document::AxleList list;
    const int index;
    const QString before;
    QString after;
    const bool appends;
};

// A change that reshapes a subclass (its number of axles, its constraints): the subclass is
// kept whole before and after, which is in proportion to the subclass and exact.
class ReshapeStep : public Step
{
public:
    ReshapeStep(Document *document, quint16 number, const Subclass &before, const Subclass &after,
        const QString &text, bool merges)
        : Step(document, number, text)
        , before(before)
        , after(after)
        , merges(merges)
    {
    }

    int id() const override { return merges ? AxleCountId : -1; }
    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *other = static_cast<const ReshapeStep *>(command);
        if (!other->merges || !mergesWith(other)) {
            return false;
        }
        after = other->after;
        return true;
    }

protected:
    void rewind() override { document->writeSubclass(quint16(subclass), before); }
    void replay() override { document->writeSubclass(quint16(subclass), after); }

private:
    const Subclass before;
    Subclass after;
    const bool merges;
};

// A subclass that the step makes (New, Copy) or takes away (Delete), kept whole, so that
// undoing a Delete puts it back as it was.
class SubclassStep : public Step
{
public:
    SubclassStep(Document *document, quint16 number, const Subclass &subclass, bool adds,
        int shownBefore, const QString &text)
        : Step(document, number, text)
        , kept(subclass)
        , adds(adds)
        , shownBefore(shownBefore)
    {
    }

protected:
    void rewind() override { adds ? remove() : add(); }
    void replay() override { adds ? add() : remove(); }
    int shownAfterUndo() const override { return adds ? shownBefore : subclass; }
    // After a Delete the selector has made the neighbour current already, and the deleted
    // subclass is nowhere to be shown.

private:
    void add() { document->insertSubclass(quint16(subclass), kept); }
    void remove() { document->eraseSubclass(quint16(subclass)); }

    const Subclass kept;
    const bool adds;
    const int shownBefore;
};

} // namespace

Document::Document(Conf &conf, QObject *parent)
    : QObject(parent)
    , conf(conf)
    , stack(this)
{
    connect(&stack, &QUndoStack::cleanChanged, this,
        [this](bool clean) { emit modifiedChanged(!clean); });
}

void Document::replace(Conf replacement, const QString &file)
{
    conf = std::move(replacement);
    stack.clear();
    endMerging();
    if (file != path) {
        path = file;
        emit filePathChanged(path);
    }
    emit reset();
}

void Document::markSaved(const QString &file)
{
    stack.setClean();
    endMerging();
    if (file != path) {
        path = file;
        emit filePathChanged(path);
    }
    emit saved();
}

void Document::endMerging()
{
    ++epoch;
}

QString Document::headerValue(const Conf &conf, Header key)
{
    return (conf.*headerAccess(key).get)();
}

QString Document::subclassValue(const Subclass &subclass, Section key)
{
    return (subclass.*valueAccess(key).get)();
}

QString Document::listEntry(const Subclass &subclass, AxleList list, int index)
{
    switch (list) {
    case AxleList::MaxDistance:
        return subclass.get_max_distance_at_index(index);
    case AxleList::MinDistance:
        return subclass.get_min_distance_at_index(index);
    case AxleList::MaxWeight:
        return subclass.get_max_axle_weight_at_index(index);
    case AxleList::TyreType:
        return index < subclass.get_tyre_type_count() ? subclass.get_tyre_type_at_index(index)
                                                      : QString();
    case AxleList::Constraint:
        return subclass.get_combined_constraint_at_index(index);
    }
    return QString();
}

int Document::listLength(const Subclass &subclass, AxleList list)
{
    switch (list) {
    case AxleList::MaxDistance:
        return subclass.get_max_distance_count();
    case AxleList::MinDistance:
        return subclass.get_min_distance_count();
    case AxleList::MaxWeight:
        return subclass.get_max_axle_weight_count();
    case AxleList::TyreType:
        return subclass.get_tyre_type_count();
    case AxleList::Constraint:
        return subclass.get_combined_constraint_count();
    }
    return 0;
}

Subclass Document::withAxleCount(Subclass subclass, const QString &count)
{
    // Storing the count grows the lists to it; a count the editor shows no rows for (below 2,
    // above the largest) changes nothing else, so typing "12" through "1" keeps the values.
    subclass.set_number_of_axles(count);
    if (!subclass.is_number_of_axles_valid()) {
        return subclass;
    }
    const int axles = count.toInt();
    while (subclass.get_min_distance_count() > axles - 1) {
        subclass.remove_last_min_distance();
    }
    while (subclass.get_max_distance_count() > axles - 1) {
        subclass.remove_last_max_distance();
    }
    while (subclass.get_max_axle_weight_count() > axles) {
        subclass.remove_last_max_axle_weight();
    }
    while (subclass.get_tyre_type_count() > axles) {
        subclass.remove_last_tyre_type();
    }
    return subclass;
}

void Document::setHeaderValue(Header key, const QString &value, const QString &label)
{
    const QString before = headerValue(conf, key);
    // The setter may store the text otherwise (upper case): compare what would be stored.
    Conf probe;
    (probe.*headerAccess(key).set)(value);
    const QString after = headerValue(probe, key);
    if (after == before) {
        return;
    }
    stack.push(new HeaderValueStep(this, key, before, after, label, true));
}

void Document::setG(const QString &value)
{
    const QString before = headerValue(conf, Header::GAccelerationConstant);
    if (value == before) {
        return;
    }
    stack.push(new HeaderValueStep(
        this, Header::GAccelerationConstant, before, value, QStringLiteral("g"), false));
}

void Document::setSubclassValue(
    quint16 number, Section key, const QString &value, const QString &label)
{
    if (!conf.contains_subclass(number)) {
        return;
    }
    const QString before = subclassValue(conf.get_subclass(number), key);
    Subclass probe;
    (probe.*valueAccess(key).set)(value);
    const QString after = subclassValue(probe, key);
    if (after == before) {
        return;
    }
    stack.push(new SubclassValueStep(this, number, key, before, after, label));
}

void Document::setListEntry(
    quint16 number, AxleList list, int index, const QString &value, const QString &label)
{
    if (!conf.contains_subclass(number) || index < 0) {
        return;
    }
    const Subclass &subclass = conf.get_subclass(number);
    const int length = listLength(subclass, list);
    // Constraints are edited only where one exists; the other lists append past their end.
    if (list == AxleList::Constraint && index >= length) {
        return;
    }
    const bool appends = index >= length;
    const QString before = appends ? QString() : listEntry(subclass, list, index);
    if (!appends && value == before) {
        return;
    }
    stack.push(new ListEntryStep(
        this, number, list, appends ? length : index, before, value, appends, label));
}

void Document::setAxleCount(quint16 number, const QString &count)
{
    if (!conf.contains_subclass(number)) {
        return;
    }
    const Subclass &before = conf.get_subclass(number);
    if (before.get_number_of_axles() == count) {
        return;
    }
    stack.push(new ReshapeStep(
        this, number, before, withAxleCount(before, count), tr("Number of axles"), true));
}

void Document::createSubclass(quint16 number, const QString &category, int shownBefore)
{
    if (conf.contains_subclass(number)) {
        return;
    }
    Subclass made(
        QMap<QString, QString> {{FileFormat::key(Section::Subclass), QString::number(number)}});
    made.set_category(category);
    stack.push(
        new SubclassStep(this, number, made, true, shownBefore, tr("New subclass %1").arg(number)));
}

void Document::copySubclass(quint16 source, quint16 target)
{
    if (!conf.contains_subclass(source) || conf.contains_subclass(target)) {
        return;
    }
    Subclass copy = conf.get_subclass(source);
    copy.set_subclass_number(target);
    stack.push(new SubclassStep(
        this, target, copy, true, source, tr("Copy subclass %1 to %2").arg(source).arg(target)));
}

void Document::removeSubclass(quint16 number)
{
    if (!conf.contains_subclass(number)) {
        return;
    }
    stack.push(new SubclassStep(this, number, conf.get_subclass(number), false, number,
        tr("Delete subclass %1").arg(number)));
}

void Document::addConstraint(quint16 number, const QString &constraint)
{
    if (!conf.contains_subclass(number)) {
        return;
    }
    const Subclass &before = conf.get_subclass(number);
    Subclass after = before;
    after.set_combined_constraint(constraint, -1);
    stack.push(new ReshapeStep(this, number, before, after, tr("Add constraint"), false));
}

void Document::removeConstraint(quint16 number, int index)
{
    if (!conf.contains_subclass(number)) {
        return;
    }
    const Subclass &before = conf.get_subclass(number);
    if (index < 0 || index >= before.get_combined_constraint_count()) {
        return;
    }
    Subclass after = before;
    after.remove_combined_constraint(index);
    stack.push(new ReshapeStep(this, number, before, after, tr("Remove constraint"), false));
}

void Document::writeHeader(Header key, const QString &value)
{
    (conf.*headerAccess(key).set)(value);
    emit headerChanged(key);
}

void Document::writeSubclassValue(quint16 number, Section key, const QString &value)
{
    (conf.get_subclass(number).*valueAccess(key).set)(value);
    emit subclassChanged(number);
}

void Document::writeListEntry(quint16 number, AxleList list, int index, const QString &value)
{
    Subclass &subclass = conf.get_subclass(number);
    switch (list) {
    case AxleList::MaxDistance:
        subclass.set_max_distance_at_index(value, index);
        break;
    case AxleList::MinDistance:
        subclass.set_min_distance_at_index(value, index);
        break;
    case AxleList::MaxWeight:
        subclass.set_max_axle_weight_at_index(value, index);
        break;
    case AxleList::TyreType:
        subclass.set_tyre_type_at_index(value, index);
        break;
    case AxleList::Constraint:
        subclass.set_combined_constraint(value, index);
        break;
    }
    emit subclassChanged(number);
}

void Document::dropLastListEntry(quint16 number, AxleList list)
{
    Subclass &subclass = conf.get_subclass(number);
    switch (list) {
    case AxleList::MaxDistance:
        subclass.remove_last_max_distance();
        break;
    case AxleList::MinDistance:
        subclass.remove_last_min_distance();
        break;
    case AxleList::MaxWeight:
        subclass.remove_last_max_axle_weight();
        break;
    case AxleList::TyreType:
        subclass.remove_last_tyre_type();
        break;
    case AxleList::Constraint:
        subclass.remove_combined_constraint(subclass.get_combined_constraint_count() - 1);
        break;
    }
    emit subclassChanged(number);
}

void Document::writeSubclass(quint16 number, const Subclass &subclass)
{
    conf.set_subclass(number, subclass);
    emit subclassChanged(number);
}

void Document::insertSubclass(quint16 number, const Subclass &subclass)
{
    conf.set_subclass(number, subclass);
    emit subclassAdded(number);
}

void Document::eraseSubclass(quint16 number)
{
    conf.remove_subclass(number);
    emit subclassRemoved(number);
}
