#pragma once

#include <QStringList>

class Conf;

// The rules a subclass of the configuration fails, each in the words of the configuration's
// rule texts, with the failing values in the file's units (metres, kilonewtons) as the
// checker's report shows them. Never empty for a subclass in the invalid list. The closing page
// of the sheet takes every rule it prints from here and nowhere else.
QStringList sheetRuleWords(const Conf &conf, quint16 number);
