#pragma once
// The pictures of the schedule windows' rows (the states of a schedule, folders, categories,
// accounts): the program's own image of that name. An empty or unknown name gives no picture.
#include <QPixmap>
#include <QString>

QPixmap schedulePicture(const QString& name, int side);
