#include "toolkit/drawing/drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFrameWidth = 0.3;
constexpr double kHorizontalInset = 3;
constexpr double kVerticalInset = 1;

QColor colorOf(const SVColor& c)
{
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha));
}

// The font's vertical measures, all positive: a line is ascent + descent + leading high and its
// baseline lies ascent below its top.
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    double height() const { return ascent + descent + leading; }
};

LineMetrics lineMetricsOf(const QFont& font)
{
    const QFontMetricsF fm(font);
    return LineMetrics {fm.ascent(), fm.descent(), std::abs(fm.leading())};
}

double lineX(const QRectF& rect, double textWidth, int horizontal)
{
    if (horizontal == 1)
        return rect.right() - kHorizontalInset - textWidth;
    if (horizontal == 2)
        return rect.x() + (rect.width() - textWidth) * 0.5;
    return rect.x() + kHorizontalInset;
}

// The top of a single line. Without leading the line keeps 2 more points from the top edge.
double lineTop(const QRectF& rect, const LineMetrics& m, int vertical)
{
    const double gap = m.leading > 0 ? -m.leading : -2;
    if (vertical == 1)
        return rect.top() + kVerticalInset - gap - m.leading;
    if (vertical == 2)
        return rect.bottom() - (rect.height() - m.ascent - m.descent + gap) * 0.5 - m.height();
    return rect.bottom() - kVerticalInset - m.height();
}

// The top of a wrapped text of that height; a text taller than the rect sits on the bottom edge.
double wrappedTop(const QRectF& rect, double textHeight, int vertical)
{
    if (vertical == 1)
        return rect.top() + kVerticalInset;
    if (vertical == 2 && rect.height() >= textHeight)
        return rect.top() + (rect.height() - textHeight) * 0.5;
    return rect.bottom() - kVerticalInset - textHeight;
}

Qt::Alignment horizontalFlag(int horizontal)
{
    if (horizontal == 1)
        return Qt::AlignRight;
    if (horizontal == 2)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

// The area wrapped lines are laid out in, between the side insets.
QRectF wrapArea(const QRectF& rect)
{
    return QRectF(rect.x() + kHorizontalInset, rect.y(), std::max(0.0, rect.width() - 2 * kHorizontalInset),
                  rect.height());
}

double wrappedHeight(const QFont& font, const QString& string, const QRectF& area)
{
    return QFontMetricsF(font).boundingRect(area, Qt::TextWordWrap, string).height();
}

void fillAndFrame(QPainter& painter, const QColor& fill, const QColor& frame, bool antialias, const QRectF& rect)
{
    if (fill.isValid())
        fillRectCG(painter, fill, antialias, rect);
    if (frame.isValid())
        strokeRectCG(painter, frame, true, rect);
}

void prepareText(QPainter& painter, QFont font, const QColor& textColor, bool antialias)
{
    if (!antialias)
        font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(textColor);
    painter.setRenderHint(QPainter::TextAntialiasing, antialias);
}

void drawOneLine(QPainter& painter, const QString& string, const QFont& font, double x, double top)
{
    painter.drawText(QPointF(x, top + QFontMetricsF(font).ascent()), string);
}

void drawWrapped(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                 const QRectF& rect)
{
    const QRectF area = wrapArea(rect);
    const double height = wrappedHeight(font, string, area);
    const QRectF box(area.x(), wrappedTop(rect, height, vertical), area.width(), height);
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(box, int(horizontalFlag(horizontal) | Qt::AlignTop | Qt::TextWordWrap), string);
}

} // namespace

void fillRectCG(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.fillRect(rect, color);
    painter.restore();
}

void fillRectWithColor(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect)
{
    fillRectCG(painter, color, antialias, rect);
}

void fillRectRGBA(QPainter& painter, bool antialias, const QRectF& rect, double red, double green, double blue,
                  double alpha)
{
    fillRectWithColor(painter, colorOf(SVColor {red, green, blue, alpha}), antialias, rect);
}

void strokeRectCG(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.setPen(QPen(color, kFrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

void strokeRectWithColor(QPainter& painter, const QColor& color, bool antialias, const QRectF& rect)
{
    strokeRectCG(painter, color, antialias, rect);
}

void drawLineCG(QPainter& painter, const QColor& color, bool antialias, double x1, double y1, double x2, double y2,
                double lineWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.setPen(QPen(color, lineWidth));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    painter.restore();
}

void drawLineWithColor(QPainter& painter, const QColor& color, bool antialias, double x1, double y1, double x2,
                       double y2, double lineWidth)
{
    if (color.isValid())
        drawLineCG(painter, color, antialias, x1, y1, x2, y2, lineWidth);
}

void drawLineRGBA(QPainter& painter, bool antialias, double x1, double y1, double x2, double y2, double lineWidth,
                  double red, double green, double blue, double alpha)
{
    drawLineWithColor(painter, colorOf(SVColor {red, green, blue, alpha}), antialias, x1, y1, x2, y2, lineWidth);
}

void fillPieSlice(QPainter& painter, const QColor& color, double centerX, double centerY, double radius,
                  double startAngle, double endAngle)
{
    // Counter-clockwise from start to end: a negative difference goes the long way round.
    double sweep = endAngle - startAngle;
    if (sweep < 360)
        sweep = std::fmod(std::fmod(sweep, 360) + 360, 360);
    else
        sweep = 360;
    QPainterPath path(QPointF(centerX, centerY));
    path.arcTo(QRectF(centerX - radius, centerY - radius, 2 * radius, 2 * radius), startAngle, sweep);
    path.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(path, color);
    painter.restore();
}

void drawStringInRectFull(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                          const QColor& textColor, const QColor& fillColor, const QRectF& rect,
                          const QColor& frameColor, bool antialias, bool wrap)
{
    fillAndFrame(painter, fillColor, frameColor, antialias, rect);
    if (string.isEmpty())
        return;
    painter.save();
    prepareText(painter, font, textColor, antialias);
    if (wrap) {
        drawWrapped(painter, string, font, horizontal, vertical, rect);
    } else {
        const double x = lineX(rect, QFontMetricsF(font).horizontalAdvance(string), horizontal);
        drawOneLine(painter, string, font, x, lineTop(rect, lineMetricsOf(font), vertical));
    }
    painter.restore();
}

void drawStringInRect(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                      const QColor& textColor, const QColor& fillColor, const QRectF& rect, const QColor& frameColor,
                      bool antialias)
{
    drawStringInRectFull(painter, string, font, horizontal, vertical, textColor, fillColor, rect, frameColor, antialias,
                         false);
}

void drawStringInRectWrapped(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                             const QColor& textColor, const QColor& fillColor, const QRectF& rect,
                             const QColor& frameColor, bool antialias)
{
    drawStringInRectFull(painter, string, font, horizontal, vertical, textColor, fillColor, rect, frameColor, antialias,
                         true);
}

void drawStringInRectCGFull(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                            const QColor& textColor, const QRectF& rect, const QColor& fillColor,
                            const QColor& frameColor, bool antialias, bool wrap)
{
    fillAndFrame(painter, fillColor, frameColor, antialias, rect);
    if (string.isEmpty())
        return;
    const LineMetrics m = lineMetricsOf(font);
    double top = lineTop(rect, m, vertical);
    if (wrap) {
        const double height = wrappedHeight(font, string, wrapArea(rect));
        top = wrappedTop(rect, height, vertical) + height - m.height();
    }
    painter.save();
    prepareText(painter, font, textColor, antialias);
    drawOneLine(painter, string, font, lineX(rect, QFontMetricsF(font).horizontalAdvance(string), horizontal), top);
    painter.restore();
}

void drawStringInRectCG(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                        const QColor& textColor, const QRectF& rect, const QColor& fillColor, const QColor& frameColor,
                        bool antialias)
{
    drawStringInRectCGFull(painter, string, font, horizontal, vertical, textColor, rect, fillColor, frameColor,
                           antialias, false);
}

void drawStringInRectRGBA(QPainter& painter, const QString& string, const QFont& font, int horizontal, int vertical,
                          bool antialias, const QRectF& rect, const SVColor& text, const SVColor& fill,
                          const SVColor& frame)
{
    drawStringInRect(painter, string, font, horizontal, vertical, colorOf(text), colorOf(fill), rect, colorOf(frame),
                     antialias);
}

QPointF alignedStringOrigin(const QString& string, const QFont& font, int horizontal, int vertical, const QRectF& rect)
{
    const QFontMetricsF fm(font);
    const LineMetrics m = lineMetricsOf(font);
    const double width = fm.horizontalAdvance(string);
    double x = rect.x();
    if (horizontal == 1)
        x = rect.right() - width;
    else if (horizontal == 2)
        x = rect.x() + (rect.width() - width) * 0.5;
    double y = rect.top() + (rect.height() - m.height()) * 0.5;
    if (vertical == 1)
        y = rect.top();
    return QPointF(x, y);
}
