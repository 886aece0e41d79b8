#pragma once
// The window side of the shared utilities: standard panels, the key and modal windows, cursors,
// the screen, text measuring and colours. Panels and the screen go through the host, so tests
// answer them.
#include "foundation/color.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

// The path chosen in a modal save panel preset with the file name, restricted to the one type
// when given (an extension); empty when cancelled. A place where something exists is answered only
// after the user's "Remplacer"; cancelling that question runs the panel again. Every save panel of
// the program goes through here.
QString runSavePanel(const QString& defaultName, const QString& allowedType = QString());
// The first path chosen in a modal open panel of files, or of folders when the flag is set,
// starting in the folder given; empty when cancelled.
QString runOpenPanel(const QString& title, const QString& prompt, bool folders,
                     const QStringList& allowedTypes = QStringList(), const QString& startFolder = QString());

// Whether a modal run is open and this is its window.
bool isModalWindow(const QWidget* window);
QWidget* keyWindow();
// Brings the window to the front and makes it key.
void showWindowOfController(QWidget* window);

// The cursor stack shared by the whole application; every push is undone by one popCursor().
void pushArrowCursor();
void pushIBeamCursor();
void pushCrosshairCursor(); // the statement-ticking cursor
void popCursor();

// The main screen's visible frame; an empty rectangle when there is no screen.
QRect getMainScreenVisibleFrame();

// The height of the text wrapped at that width in that font; 0 when it can't be laid out (no
// positive width).
double noteHeightForString(const QString& text, const QFont& font, double width);

// The core's colour as a Qt colour; components outside 0..1 are brought back into it.
QColor toQColor(const SVColor& color);
