#pragma once
// Painting helpers for list cells, calendars, printouts and charts: filled and framed
// rectangles, lines, pie slices, and text placed in a rectangle by alignment codes. Each takes the
// painter to draw with and leaves its state as it found it.
//
// Coordinates are the painter's: y grows downward. Alignment codes: horizontal 1 right,
// 2 centre, anything else left; vertical 1 top, 2 middle, anything else bottom. Text keeps
// 3 points from the left or right edge and 1 point from the top or bottom edge. An invalid
// QColor stands for "no colour" where a colour is optional.
#include "foundation/color.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

void fillRectCG(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect);
void fillRectWithColor(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect);
void fillRectRGBA(QPainter& painter, bool antialias, const QRectF& rect, double red, double green, double blue,
                  double alpha);
// Frames the rectangle with a line 0.3 wide.
void strokeRectCG(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect);
void strokeRectWithColor(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect);
void drawLineCG(QPainter& painter, const QColor& color, bool antialias, double x1, double y1, double x2, double y2,
                double lineWidth);
// Draws nothing for an invalid colour.
void drawLineWithColor(QPainter& painter, const QColor& color, bool antialias, double x1, double y1, double x2,
                       double y2, double lineWidth);
void drawLineRGBA(QPainter& painter, bool antialias, double x1, double y1, double x2, double y2, double lineWidth,
                  double red, double green, double blue, double alpha);
// A filled slice from the start angle to the end angle, counter-clockwise as seen on the screen,
// 0 degrees pointing right; antialiased.
void fillPieSlice(QPainter& painter, const QColor& color, double centerX, double centerY, double radius,
                  double startAngle, double endAngle);

// Fills the rect (when a fill colour is given), frames it (when a frame colour is given, always
// antialiased), then draws the string in it by the alignment codes: on one line, or wrapped to
// the rect's width and kept inside the rect.
void drawStringInRectFull(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                          const QColor& textColor, const QColor& fillColor, const QRectF& rect,
                          const QColor& frameColor, bool antialias, bool wrap);
void drawStringInRect(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                      const QColor& textColor, const QColor& fillColor, const QRectF& rect, const QColor& frameColor,
                      bool antialias);
void drawStringInRectWrapped(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                             const QColor& textColor, const QColor& fillColor, const QRectF& rect,
                             const QColor& frameColor, bool antialias);
// The same, always on one line: the wrap flag only places that line where the bottom line of the
// wrapped text would end.
void drawStringInRectCGFull(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                            const QColor& textColor, const QRectF& rect, const QColor& fillColor,
                            const QColor& frameColor, bool antialias, bool wrap);
void drawStringInRectCG(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                        const QColor& textColor, const QRectF& rect, const QColor& fillColor, const QColor& frameColor,
                        bool antialias);
// drawStringInRect with colours as components; the fill and the frame are always drawn.
void drawStringInRectRGBA(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                          bool antialias, const QRectF& rect, const SVColor& text, const SVColor& fill,
                          const SVColor& frame);

// The top-left corner of the string's line when placed in the rect by the alignment codes, with
// no inset; any vertical code other than 1 and 2 centres the line.
QPointF alignedStringOrigin(const QString& string, const QFont& font, int horizontal, int vertical, const QRectF& rect);
