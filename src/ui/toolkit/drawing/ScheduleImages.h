#pragma once
// The pictures of the schedule windows' rows: the program's own image of that name when it ships
// one, else a pictogram ("poste", "supprimer" and the entry window's others), else, for the
// states of a schedule ("echeancier_reel", "echeancier_prev", "crayon", "checkmark", "groupee",
// "dossier") and for the accounts, a sign on a coloured disc. An unknown name gives no picture.
#include <QPixmap>
#include <QString>

QPixmap schedulePicture(const QString& name, int side);
