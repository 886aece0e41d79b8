#pragma once
// The files attached to transactions live as copies in the package's "Documents" folder. The entry
// window only edits records; the files follow at save time, in two steps around the save:
//   - before writing the members, synchronizeAttachedDocuments copies every chosen file into the
//     folder, so the transactions written name their stored copies;
//   - once the save has succeeded (the new package is in place), treatStoredAttachedDocumentsToDelete
//     removes the stored copies whose records went away. Removing them earlier would leave the
//     package on disk naming missing files whenever the save fails or is refused.
// Copies of a transaction (paste, templates, multiple edit) share stored names, so a queued file
// is removed only when nothing in the document names it any more.
#include <QSet>
#include <QString>
#include <QStringList>

class DOCUMENT;

inline constexpr char kAttachedDocumentsFolderName[] = "Documents";

// The document's "Documents" folder, made when missing; empty when it can't be had.
QString attachedDocumentsFolder(const DOCUMENT& document);

// The stored copy of that name in the folder (a copy gone missing keeps its path, which then
// fails to open with its own message); empty when a link or a folder is at its place: a link
// put there would lead anywhere on the disk.
QString storedAttachedDocumentPath(const DOCUMENT& document, const QString& storeName);

// The stored names the document's records give: its transactions and the templates of its macros,
// schedules and forecasts, whose occurrences name the same files. Every list that holds
// transaction records is walked, or a copy's file could be removed under it.
QSet<QString> attachedDocumentNamesInUse(const DOCUMENT& document);

// Queues stored names of the document, in order, for removal after its next successful save.
void addStoredAttachedDocumentToDelete(DOCUMENT& document, const QStringList& storeNames);

// The step before the save: stores the chosen files (see treatNewAttachedDocumentToStore).
void synchronizeAttachedDocuments(DOCUMENT& document);

// The step after a successful save of the document into its own package: removes each queued file
// that no transaction or macro template of the document still names, then empties the queue.
// A file that is missing or can't be removed is logged and forgotten.
void treatStoredAttachedDocumentsToDelete(DOCUMENT& document);

// Copies every chosen file of the document's transactions into the folder under a fresh name; the
// record then names the copy and forgets the chosen file. A file that can't be copied (moved away,
// unreadable) is logged and its record keeps waiting for the next save.
void treatNewAttachedDocumentToStore(DOCUMENT& document);

// For a package written elsewhere than the document's own, which is not written (kept without
// saving): the chosen files are copied into that package's folder and its transactions file is
// written again naming them, while the document's own records keep waiting. True when nothing
// waits; false, logged, when a file or the transactions can't be written.
bool storeWaitingAttachedDocumentsInto(DOCUMENT& document, const QString& package);

// The text with every run of spaces reduced to one space.
QString cleanDocumentName(const QString& text);
