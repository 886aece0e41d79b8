#pragma once
// A transaction template bound to a key character: typing the key enters a new transaction made
// from the template. The document keeps its macros sorted by name, case ignored.
#include "model/TRANSACT.h"

#include <QList>
#include <QString>

#include <optional>

class DOCUMENT;

class MACRO {
public:
    char16_t ch = 0; // key character; 0 = none
    QString nom;
    std::optional<TRANSACT> transact; // the template
};
using MacroList = QList<MACRO>;

// Empty name, no key, no template.
MACRO allocNewMacro();
// 0 for a null list.
long macroCount(const MacroList* list);
// Null for a null list or an index outside it. The pointer lives until the list changes.
const MACRO* macroAtIndex(const MacroList* list, long index);
MACRO* macroAtIndex(MacroList* list, long index);
// Null for a null document.
MacroList* getDocMacro(DOCUMENT* doc);
const MacroList* getDocMacro(const DOCUMENT* doc);
// Null when the macro has no template.
const TRANSACT* macroTransact(const MACRO& macro);
// Same name and key, and a copy of the template when there is one.
MACRO copyOfMacro(const MACRO& macro);
// The first position whose name does not sort before the macro's, case ignored.
long findMacroInsertIndex(const MacroList* list, const MACRO& macro);
// Removes the document's macro at that position; nothing for a position outside the list.
void deleteMacroAtIndex(long index, DOCUMENT* doc);
// A copy of the template in no statement, of that date; none without a template.
std::optional<TRANSACT> newTransactFromMacro(const MACRO& macro, double when);
// The first macro of the document bound to that key; *index counts up to it (the count when none).
// Key 0 ("no key") is never found. The whole 16-bit character is compared.
bool findMacroWithKey(char16_t key, long* index, const DOCUMENT* doc);
// The document is being closed.
void disposeMacro(MacroList* list);
