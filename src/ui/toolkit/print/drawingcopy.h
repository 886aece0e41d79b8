#pragma once
// Copying a chart's view: its drawing goes on the clipboard both as a one-page PDF the size of the
// view (so it pastes sharp at any scale) and as the picture the view shows.
#include <QByteArray>
#include <QRectF>

#include <functional>

class QPainter;
class QWidget;

// Draws into the rectangle it is given, from the origin.
using DrawingFunction = std::function<void(QPainter& painter, const QRectF& rect)>;

// The drawing as one PDF page of that size in points, without margins.
QByteArray drawingAsPdfPage(const QSizeF& size, const DrawingFunction& draw);
// Puts the view's drawing on the clipboard: the PDF page of the view's size and the view grabbed.
void copyViewDrawing(QWidget& view, const DrawingFunction& draw);
