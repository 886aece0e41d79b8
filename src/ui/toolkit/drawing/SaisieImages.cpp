#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/dialogs/QtAlertPresenter.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <functional>
#include <map>

namespace {

using Draw = std::function<void(QPainter&, double)>;

void drawNote(QPainter& p, double u, bool filled)
{
    p.setPen(QPen(QColor(150, 120, 40), u * 0.8));
    p.setBrush(filled ? QColor(255, 226, 110) : QColor(Qt::transparent));
    p.drawRoundedRect(QRectF(u * 2, u * 1.5, u * 8, u * 9), u, u);
    if (!filled)
        return;
    p.setPen(QPen(QColor(150, 120, 40), u * 0.6));
    for (double y : {4.0, 6.0, 8.0})
        p.drawLine(QPointF(u * 3.5, u * y), QPointF(u * 8.5, u * y));
}

void drawSupprimer(QPainter& p, double u)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 60, 55));
    p.drawEllipse(QRectF(u, u, u * 10, u * 10));
    p.setPen(QPen(Qt::white, u * 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(u * 4, u * 4), QPointF(u * 8, u * 8));
    p.drawLine(QPointF(u * 8, u * 4), QPointF(u * 4, u * 8));
}

void drawPlus(QPainter& p, double u, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(u, u, u * 10, u * 10));
    p.setPen(QPen(Qt::white, u * 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(u * 6, u * 3.5), QPointF(u * 6, u * 8.5));
    p.drawLine(QPointF(u * 3.5, u * 6), QPointF(u * 8.5, u * 6));
}

void drawPoste(QPainter& p, double u)
{
    QPainterPath tag;
    tag.moveTo(u * 1.5, u * 3);
    tag.lineTo(u * 7.5, u * 3);
    tag.lineTo(u * 10.5, u * 6);
    tag.lineTo(u * 7.5, u * 9);
    tag.lineTo(u * 1.5, u * 9);
    tag.closeSubpath();
    p.setPen(QPen(QColor(60, 100, 160), u * 0.7));
    p.setBrush(QColor(170, 200, 235));
    p.drawPath(tag);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(u * 7.3, u * 6), u * 0.8, u * 0.8);
}

void drawDocument(QPainter& p, double u)
{
    QPainterPath page;
    page.moveTo(u * 2.5, u);
    page.lineTo(u * 7, u);
    page.lineTo(u * 9.5, u * 3.5);
    page.lineTo(u * 9.5, u * 11);
    page.lineTo(u * 2.5, u * 11);
    page.closeSubpath();
    p.setPen(QPen(QColor(110, 110, 120), u * 0.7));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QPen(QColor(160, 160, 170), u * 0.6));
    for (double y : {5.0, 7.0, 9.0})
        p.drawLine(QPointF(u * 4, u * y), QPointF(u * 8, u * y));
}

void drawCadenas(QPainter& p, double u)
{
    p.setPen(QPen(QColor(120, 124, 134), u * 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(u * 3.5, u * 1.2, u * 5, u * 6.5), 0, 180 * 16);
    p.drawLine(QPointF(u * 3.5, u * 4.45), QPointF(u * 3.5, u * 5.5));
    p.drawLine(QPointF(u * 8.5, u * 4.45), QPointF(u * 8.5, u * 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 164, 48));
    p.drawRoundedRect(QRectF(u * 2, u * 5.3, u * 8, u * 5.7), u, u);
}

void drawCalendrier(QPainter& p, double u)
{
    p.setPen(QPen(QColor(110, 110, 120), u * 0.7));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(u * 1.5, u * 2, u * 9, u * 8.5), u * 0.8, u * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 60, 55));
    p.drawRect(QRectF(u * 1.9, u * 2.4, u * 8.2, u * 2));
    p.setBrush(QColor(120, 120, 130));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(u * (3 + col * 2.3), u * (5.6 + row * 2.2), u * 1.2, u * 1.2));
    }
}

void drawDevise(QPainter& p, double u)
{
    p.setPen(QPen(QColor(150, 110, 20), u * 0.6));
    p.setBrush(QColor(240, 200, 80));
    p.drawEllipse(QRectF(u * 0.8, u * 3.2, u * 7, u * 7));
    p.drawEllipse(QRectF(u * 4.2, u * 1.2, u * 7, u * 7));
    QFont font = p.font();
    font.setPixelSize(int(u * 5.5));
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(u * 4.2, u * 1.2, u * 7, u * 7), Qt::AlignCenter, QStringLiteral("€"));
}

const std::map<QString, Draw>& pictograms()
{
    static const std::map<QString, Draw> drawn = {
        {QStringLiteral("note"), [](QPainter& p, double u) { drawNote(p, u, true); }},
        {QStringLiteral("note_empty"), [](QPainter& p, double u) { drawNote(p, u, false); }},
        {QStringLiteral("supprimer"), drawSupprimer},
        {QStringLiteral("plusplus"), [](QPainter& p, double u) { drawPlus(p, u, QColor(70, 120, 200)); }},
        {QStringLiteral("plus"), [](QPainter& p, double u) { drawPlus(p, u, QColor(60, 150, 80)); }},
        {QStringLiteral("poste"), drawPoste},
        {QStringLiteral("document"), drawDocument},
        {QStringLiteral("cadenas"), drawCadenas},
        {QStringLiteral("calendrier"), drawCalendrier},
        {QStringLiteral("devise"), drawDevise},
    };
    return drawn;
}

} // namespace

QPixmap saisieImage(const QString& name, int side)
{
    QPixmap own = QtAlertPresenter::namedImage(name, side);
    if (!own.isNull())
        return own;
    const auto drawn = pictograms().find(name);
    if (drawn == pictograms().end())
        return QApplication::style()->standardIcon(QStyle::SP_FileIcon).pixmap(side, side);
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawn->second(painter, side / 12.0);
    return picture;
}

QIcon saisieIcon(const QString& name, int side)
{
    return QIcon(saisieImage(name, side));
}
