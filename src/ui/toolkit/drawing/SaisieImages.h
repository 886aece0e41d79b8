#pragma once
// The small pictures of the entry window: the program's own image of that name, drawn at the
// size asked for the screen; every name the windows ask for ships with the program.
#include <QIcon>
#include <QPixmap>
#include <QString>

QPixmap saisieImage(const QString& name, int side);
QIcon saisieIcon(const QString& name, int side = 16);
