#pragma once

#include <QString>

class Conf;

// What Save makes of a configuration before it asks for a file name: whether it must first ask
// about a duplicated pair, and whether it then writes the file or refuses with a message box.
// The editor's Save and the command-line checker both go by it, so they never disagree.
class SaveVerdict
{
public:
    explicit SaveVerdict(const Conf &conf);

    // The first duplicated pair ("3 = 5"), or empty. When there is one, Save asks whether to go
    // on before it looks any further.
    QString get_duplicates() const;
    bool asks() const;
    QString question_title() const;
    QString question_text() const;

    // Whether Save writes the file (after a yes to its question, if it asks). Otherwise the
    // refusal names an incomplete subclass or the header.
    bool accepts() const;
    bool refuses_subclass() const;
    quint16 get_refused_subclass() const;
    QString refusal_title() const;
    QString refusal_text() const;

private:
    QString duplicates;
    enum class Refusal { None, IncompleteSubclass, InvalidHeader } refusal = Refusal::None;
    quint16 subclass = 0;
};
