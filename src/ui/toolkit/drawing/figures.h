#pragma once
// Figures are drawn whole: an amount, a count, or a line that carries one is never cut and never
// elided (an ellipsis on a figure shows another number). drawFigure is the one place that draws
// one. A figure wider than the room it is given is a fault of whoever made the room: it is logged
// as a warning, which the tests make fatal, and still drawn whole, in a smaller font.
//
// Rooms are made from the text they must hold, measured in the font it is painted with (an
// italic row's font is not its plain font) on the device it is painted on: for the columns of a
// row, the largest amount a household document holds in the list's currency.
#include "model/MONTANT.h"

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;
class QPaintDevice;

// The largest amount a household document holds, 999 999 999,99 (nines to the last decimal of the
// slot), negative, with the slot's unit when asked: the widest text an amount field shows.
QString largestAmountText(long slot = 0, const DeviseList* devises = nullptr, bool showUnit = false);

// How wide the text is in that font on that device (the screen when none).
double figureAdvance(const QString& text, const QFont& font, const QPaintDevice* device = nullptr);
// The whole pixels a field needs to show the text in that font, whether it is painted upright or
// in italics.
int figureRoom(const QString& text, const QFont& font);

// Draws the figure on one line in the room by the alignment (vertically centred unless the
// alignment says otherwise), in the painter's font and pen. False when the room is too narrow:
// the figure is then drawn whole in a smaller font and a warning says so.
bool drawFigure(QPainter& painter, const QRectF& room, Qt::Alignment alignment, const QString& text);
