#include "MACRO.h"

#include "model/DOCUMENT.h"

MACRO allocNewMacro()
{
    return MACRO();
}

long macroCount(const MacroList* list)
{
    return list ? static_cast<long>(list->size()) : 0;
}

const MACRO* macroAtIndex(const MacroList* list, long index)
{
    if (index < 0 || index >= macroCount(list))
        return nullptr;
    return &list->at(index);
}

MACRO* macroAtIndex(MacroList* list, long index)
{
    if (index < 0 || index >= macroCount(list))
        return nullptr;
    return &(*list)[index];
}

MacroList* getDocMacro(DOCUMENT* doc)
{
    return doc ? &doc->macroHdl : nullptr;
}

const MacroList* getDocMacro(const DOCUMENT* doc)
{
    return doc ? &doc->macroHdl : nullptr;
}

const TRANSACT* macroTransact(const MACRO& macro)
{
    return macro.transact ? &*macro.transact : nullptr;
}

MACRO copyOfMacro(const MACRO& macro)
{
    MACRO copy;
    copy.nom = macro.nom;
    copy.ch = macro.ch;
    if (macro.transact)
        copy.transact = macro.transact->copyOfTransact();
    return copy;
}

long findMacroInsertIndex(const MacroList* list, const MACRO& macro)
{
    long low = 0;
    long high = macroCount(list);
    while (low < high) {
        const long middle = low + (high - low) / 2;
        if (QString::compare(list->at(middle).nom, macro.nom, Qt::CaseInsensitive) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void deleteMacroAtIndex(long index, DOCUMENT* doc)
{
    MacroList* list = getDocMacro(doc);
    if (index >= 0 && index < macroCount(list))
        list->removeAt(index);
}

std::optional<TRANSACT> newTransactFromMacro(const MACRO& macro, double when)
{
    if (!macro.transact)
        return std::nullopt;
    TRANSACT trans = macro.transact->copyOfTransact();
    trans.releveID1 = -1;
    trans.releveID2 = -1;
    trans.when = when;
    return trans;
}

bool findMacroWithKey(char16_t key, long* index, const DOCUMENT* doc)
{
    const MacroList* list = getDocMacro(doc);
    const long count = macroCount(list);
    long position = 0;
    // Key 0 marks macros without a key: it must never run one of them.
    if (key == 0)
        position = count;
    while (position < count && list->at(position).ch != key)
        ++position;
    if (index)
        *index = position;
    return position < count;
}

void disposeMacro(MacroList* list)
{
    if (list)
        list->clear();
}
