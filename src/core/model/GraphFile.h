#pragma once
// The files of graphs and of memorised analysis windows.
//
// "graphdef.xml": root "list", one "header" per definition of the document, in list order.
// "graphs/graph<n>.xml": one computed graph of an open window, root "record" with "version",
// "header" and "datalist" holding one "data" ("when", "total", "solde") per point.
// A "header" holds "nom", "titre", "makeDoc", "mode", "plotKind", "totalKind", "timeKind",
// "compteID", "posteID", "banqueID", "dossierID", "date1", "date2" (6 decimals), "modeDate",
// "forceMonth", "autoCompute", "soldeInit", "maxTot", "maxSol" (amounts), "simul", "makeDate"
// (6 decimals), "left", "top", "right", "bottom"; the highlighted period is never written.
//
// The package folders "analyse", "budget" and "graphs" are written afresh, into the package a
// save builds, each time a document closes with saving.
#include "model/GRAPH.h"

#include "foundation/xmlmember.h"
#include "model/Devise.h"

inline constexpr char kGraphDefFileName[] = "graphdef.xml";
inline constexpr char kGraphsFolderName[] = "graphs";
inline constexpr char kAnalyseFolderName[] = "analyse";
inline constexpr char kBudgetFolderName[] = "budget";

// ---- Header -------------------------------------------------------------------------------------

// False when the element can't be made or an amount can't be written.
bool appendGraphHeaderXML(pugi::xml_node parent, const GRAPH& graph, const DeviseList& devises);
// Reads the children by name, in any order; a missing child takes its default (identifiers from
// the document's defaults, dates now, the default frame). False when an amount is missing, which
// is noted on issues (may be null) at their current place.
bool readGraphHeader(pugi::xml_node element, GRAPH& graph, const DOCUMENT* doc, LoadIssues* issues = nullptr);

// ---- "graphdef.xml" -----------------------------------------------------------------------------

// Null with *error set when the document can't be made; *error set too when a header can't be
// fully written.
XmlDocPtr makeGraphDefsXML(const GraphList& list, const DeviseList& devises, bool* error);
// False when the XML can't be made or written.
bool saveGraphDefs(const QString& packageURL, const GraphList& list, const DeviseList& devises);
// The definitions of the package, each started from a new record's defaults. A missing file
// gives none and no issue; noted on issues (may be null): a file that exists but can't be read,
// damage, and a definition that lacks one of its amounts (kept with zero amounts).
GraphList loadGraphDefs(const QString& packageURL, const DOCUMENT* doc, LoadIssues* issues);

// ---- Graph files of open windows --------------------------------------------------------------------

// *error (may be null) set when the header or an amount can't be written; the document is
// answered all the same, null only when it can't be made.
XmlDocPtr makeGraphFileXML(const GRAPHFILE& file, const DeviseList& devises, bool* error);
bool writeGraphFile(const GRAPHFILE& file, const QString& path, const DeviseList& devises);
// Writes "graph<n>.xml" into the "graphs" folder of the package (the one a save is writing); false
// on any failure.
bool saveGraphFile(const GRAPHFILE& file, long n, const QString& packageURL, const DeviseList& devises);
// Replaces the file's points and header with the file's content. False when the file can't be
// read, lacks "header" or "datalist", or its header lacks an amount; a point lacking an amount is
// kept with zero and only logged.
bool loadGraphFile(const QString& path, GRAPHFILE& file, const DOCUMENT* doc);

// ---- Package folders ------------------------------------------------------------------------------

// Contents/Resources/<folder> of the package, created when missing; false when it can't be had.
bool getGraphsFolder(QString* url, const QString& docURL);
bool getAnalyseFolderInDocument(QString* url, const QString& docURL);
bool getBudgetFolderInDocument(QString* url, const QString& docURL);
// Removes the folder (to the Trash when removal fails). True when done, and when the folder
// can't be had: there is then nothing to remove.
bool deleteGraphsFolder(const QString& docURL);
bool removeAnalyseFolderInDocument(const QString& docURL);
bool removeBudgetFolderInDocument(const QString& docURL);
