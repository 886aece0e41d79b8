#pragma once
// Saved searches: one XML file per named search (root "CRITERE") in the "searches" folder of the
// document package, the list of those files, the current search criterion and the chosen search,
// all kept in the document context. The search window drives naming, choosing and deleting; the
// document store copies and removes the folder with the package.
//
// No message is shown here: every function answers false or leaves the list empty, and the
// search window reports. Nothing is written, renamed nor removed in a package the user keeps
// without saving (DocContext::mayWriteAt).
#include <QString>

class Critere;
class DOCUMENT;

inline constexpr char kSearchesFolderName[] = "searches";

// Empties the list of saved searches (application start and end).
void createSavedSearchList();
void releaseSavedSearchList();

// The package's "searches" folder, created when missing; false when the package has no
// resources folder or creation fails.
bool searchesFolderInDocument(QString* url, const QString& docURL);
// Removes the package's "searches" folder (to the Trash when removal fails); true when it is
// gone or there was none.
bool removeSearchesFolder(const QString& docURL);

// Refills the list with the folder's files whose extension is exactly "xml", hidden files left
// out, in name order; empty when the folder can't be found or listed.
void scanSavedSearches(const DOCUMENT* doc);

// A file name the search window may use: not empty, no "/" nor NUL, not starting with "." (which
// also rules out "." and ".."), so a saved search never lands outside its folder.
bool isSafeSearchFileName(const QString& fileName);
// The path of that file in the folder (empty when the folder can't be found or the name is not
// safe) and whether a file exists there.
bool savedSearchURL(const QString& fileName, QString* url, const DOCUMENT* doc);
// Writes the criterion to that file, replacing it whole: a failed write leaves the previous
// content. False when the name is not safe, the folder can't be found, or the XML can't be built
// or written. *url (may be null) gets the path.
bool saveCritereToSearches(const Critere& critere, const QString& fileName, const DOCUMENT* doc, QString* url);
// The file name of the saved search called name ("<name>.xml"); empty when the name is blank or
// the file name would not be safe.
QString savedSearchFileName(const QString& name);
// The saved search's name: its file name without the ".xml" extension.
QString savedSearchName(const QString& url);
// Moves the file to that name in its folder. False, and nothing moved, when the name is not
// safe, a file of that name exists or the move fails; *newURL (may be null) gets the new path.
bool renameSavedSearch(const QString& url, const QString& fileName, QString* newURL);
// Removes the file (to the Trash when removal fails); false when it is still there.
bool removeSavedSearch(const QString& url);
// Fills the criterion from the file. False when the file can't be read or lacks an amount; the
// criterion is then left as it was, so a damaged search is never taken for (and saved back as)
// defaults. Like any criterion read from XML, its evaluation list is left empty.
bool loadCritereFromURL(Critere& critere, const QString& url, const DOCUMENT* doc);
// At document open, once the list holds the document's searches (scanSavedSearches): the current
// search criterion gets the document's defaults; when the document names a last search, the
// first file of the list of that name (extension left out) is loaded into it and chosen.
// Otherwise, or when loading fails, none is chosen (-1).
void restoreLastSearch(const DOCUMENT* doc);
