// Save's checks before writing: the duplicate question, then the completeness and header verdict.
#include "saveverdict.h"
#include "conf.h"
#include "ruletexts.h"

#include <QCoreApplication>

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate(RuleTexts::context, text);
}

} // namespace

SaveVerdict::SaveVerdict(const Conf &conf)
    : duplicates(conf.find_duplicates())
{
    const auto valid = conf.is_configuration_valid();
    if (valid.first) {
        return;
    }
    // The configuration check answers 0 both for the header and for subclass 0; an incomplete
    // subclass 0 must be named, or the user hunts for a fault in a valid header.
    subclass = valid.second;
    const bool zeroIncomplete
        = conf.contains_subclass(0) && !conf.get_subclass(0).is_subclass_complete();
    refusal
        = subclass != 0 || zeroIncomplete ? Refusal::IncompleteSubclass : Refusal::InvalidHeader;
}

QString SaveVerdict::get_duplicates() const
{
    return duplicates;
}

bool SaveVerdict::asks() const
{
    return !duplicates.isEmpty();
}

QString SaveVerdict::question_title() const
{
    return translated(RuleTexts::titleDuplicates);
}

QString SaveVerdict::question_text() const
{
    return translated(RuleTexts::textDuplicates) + QLatin1Char(' ') + duplicates;
}

bool SaveVerdict::accepts() const
{
    return refusal == Refusal::None;
}

bool SaveVerdict::refuses_subclass() const
{
    return refusal == Refusal::IncompleteSubclass;
}

quint16 SaveVerdict::get_refused_subclass() const
{
    return subclass;
}

QString SaveVerdict::refusal_title() const
{
    switch (refusal) {
    case Refusal::IncompleteSubclass:
        return translated(RuleTexts::titleSubclassIncomplete);
    case Refusal::InvalidHeader:
        return translated(RuleTexts::titleHeaderInvalid);
    case Refusal::None:
        break;
    }
    return QString();
}

QString SaveVerdict::refusal_text() const
{
    switch (refusal) {
    case Refusal::IncompleteSubclass:
        return translated(RuleTexts::textSubclassIncomplete).arg(subclass);
    case Refusal::InvalidHeader:
        return translated(RuleTexts::textHeaderInvalid);
    case Refusal::None:
        break;
    }
    return QString();
}
