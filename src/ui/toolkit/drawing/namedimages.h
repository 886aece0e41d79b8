#pragma once
// The program's own pictures, by the names the windows and alerts give them: scalable drawings
// (":/ui/images/<name>.svg", or a bitmap ".png") compiled into the resources. A few pictures say
// what an icon of the freedesktop naming scheme says; those come from the desktop's icon theme
// when it has them, so the program fits the user's desktop, and from the program's drawing
// otherwise. A name the program ships no picture for gives a null picture and is logged once.
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The resource path of the program's own picture of that name, empty when it ships none. A name
// with an extension names the file itself.
QString namedImagePath(const QString& name);

// The freedesktop icon that says the same as the picture, empty for most pictures.
QString namedImageThemeName(const QString& name);

// The picture as an icon that draws itself afresh at every size and device-pixel ratio.
QIcon namedImageIcon(const QString& name);

// The picture `side` logical pixels square (kept in proportion; 0 for its own size), drawn for
// a screen of that device-pixel ratio.
QPixmap namedImagePixmap(const QString& name, int side, qreal devicePixelRatio);

// The names of every picture the program ships, sorted.
QStringList shippedImageNames();
