#pragma once
// The small pictures of the entry window: the program's own image of that name when it ships
// one, else a pictogram drawn here ("note", "note_empty", "supprimer", "plusplus", "poste",
// "document", "cadenas", "calendrier", "plus"), else the style's file icon.
#include <QIcon>
#include <QPixmap>
#include <QString>

QPixmap saisieImage(const QString& name, int side);
QIcon saisieIcon(const QString& name, int side = 16);
