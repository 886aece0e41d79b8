#pragma once
// The document's macros ("macro.xml"): root "list", one "record" per macro in list order with
// "nom", "ch" (the key's 16 bits) and "transact", the template written as a record of
// "transact.xml".
#include "model/MACRO.h"

#include "foundation/xmlmember.h"

inline constexpr char kMacroFileName[] = "macro.xml";

// Null with *error set when the document can't be made; *error set too when a record or its
// template can't be fully written, the document being answered all the same. Templates are
// written as transactions are, which zeroes an orphan tax and the quotes in memory too.
XmlDocPtr makeDocMacroXML(MacroList& list, const DeviseList& devises, bool* error);
// False when no document was made or the file can't be written.
bool saveMacro(const QString& packageURL, MacroList& list, const DeviseList& devises);
// The macros of the file, sorted by name whatever the file's order. A faulty record (no template,
// or a template amount missing) is noted on issues (may be null) by its number in the file, the
// macro being kept; so is damage, and a file that exists but can't be read. A missing file gives
// none.
MacroList loadMacro(const QString& packageURL, LoadIssues* issues);
