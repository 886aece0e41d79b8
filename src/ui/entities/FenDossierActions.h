#pragma once
// What the categories-and-folders window decides, as plain functions over the document, so the
// decisions are tested without widgets: the categories a folder shows, where a typed letter
// lands, moving categories to another folder, and deleting categories and folders once their uses
// have a replacement.
#include <QChar>
#include <QList>

class DOCUMENT;

// The idents of the folder's categories, in the order of the document's category list.
QList<long> postesOfDossier(long dossierID, const DOCUMENT& doc);

// The row a typed character selects among the categories: the first whose name equals it or sorts
// after it (letter case ignored), else the last; -1 when there is no row. False for a character
// other than 0-9, A-Z, a-z, which the list does not take.
bool chercherPosteRow(QChar typed, const QList<long>& posteIDs, const DOCUMENT& doc, int* row);

// Moves the categories found to the folder; answers how many moved (none when the folder does not
// exist).
int movePostesToDossier(const QList<long>& posteIDs, long dossierID, DOCUMENT& doc);

// Those of the categories the document still has, in their order.
QList<long> existingPostes(const QList<long>& posteIDs, const DOCUMENT& doc);
// Whether one of the categories is named anywhere in the document.
bool anyPosteUsed(const QList<long>& posteIDs, DOCUMENT& doc);
// Gives every place naming one of the categories to the replacement, then removes the categories.
// A replacement below 0 only removes them: it is for categories nothing names.
void supprimerPostes(const QList<long>& posteIDs, long replacement, DOCUMENT& doc);

// Removes the folder. With a replacement (>= 0) every category of the folder and every other use
// moves to it first; without one the folder's categories, which nothing may name, go with it.
// False, changing nothing, when the folder does not exist, or the replacement is the folder itself or
// no folder.
bool supprimerDossier(long dossierID, long replacement, DOCUMENT& doc);
