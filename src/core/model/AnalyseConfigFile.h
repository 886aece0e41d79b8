#pragma once
// The document's analysis configurations ("anadef8.xml"): root "list", one "anaDef" per
// configuration in list order with "nom", "date1", "date2" (6 decimals), "fiscalite", "showPoste",
// "showDossier", "showVirInt", "showMonth", "forceMonth", "compteID", "modePoste", "modeCompte",
// "modeDate", then, each only when not empty, "listpostes"/"poste", "listdossiers"/"dossier",
// "listcomptes"/"compte" and "listbanques"/"banque". Older documents hold "anadef.xml" in the
// same form, without the default configuration at position 0; it is read, never written.
#include "model/AnalyseConfiguration.h"

#include "foundation/xmlmember.h"

inline constexpr char kAnaDefFileName[] = "anadef8.xml";
inline constexpr char kAnaDefLegacyFileName[] = "anadef.xml";

// The configurations of the package. A missing file falls back to "anadef.xml", then to the
// three built-in configurations, without issue. Noted on issues (may be null): an existing file
// that can't be read (the next one is tried), damage, and an entry that holds nothing to read
// (kept with its defaults).
AnalyseConfigList loadAnaConfigs(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues);
// Null with *error set when the document can't be made.
XmlDocPtr makeAnaConfigsXML(const AnalyseConfigList& list, bool* error);
// Writes "anadef8.xml"; false when the XML can't be made or written.
bool saveAnaConfigs(const QString& packageURL, const AnalyseConfigList& list);
void disposeAnaConfigs(AnalyseConfigList& list);
// The list of a document whose package has no configuration: the default one, then a complete
// and a simplified analysis.
AnalyseConfigList builtInAnaConfigs(const DOCUMENT* doc);
