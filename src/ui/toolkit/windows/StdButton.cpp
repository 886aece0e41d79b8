#include "toolkit/windows/StdButton.h"

#include "toolkit/dialogs/QtAlertPresenter.h"

#include <QPainter>
#include <QPainterPath>

StdButton::StdButton(QWidget* parent)
    : QPushButton(parent)
{
}

StdButton::StdButton(const QString& title, QWidget* parent)
    : QPushButton(title, parent)
{
}

void StdButton::setBezelStyle(int style)
{
    if (m_bezelStyle == style)
        return;
    m_bezelStyle = style;
    if (!isDisclosure())
        return;
    setCheckable(true);
    setFlat(true);
    setIconSize(QSize(kDisclosureSize, kDisclosureSize));
    connect(this, &QAbstractButton::toggled, this, &StdButton::showDisclosureState, Qt::UniqueConnection);
    showDisclosureState();
}

void StdButton::showDisclosureState()
{
    if (isDisclosure())
        setIcon(QIcon(QPixmap::fromImage(disclosureImage(isChecked()))));
}

QImage StdButton::printImage() const
{
    if (isDisclosure())
        return disclosureImage(isChecked());
    return icon().pixmap(iconSize()).toImage();
}

QImage StdButton::disclosureImage(bool opened)
{
    const QPixmap named = QtAlertPresenter::namedImage(opened ? QStringLiteral("disclosure_opened")
                                                              : QStringLiteral("disclosure_closed"));
    if (!named.isNull())
        return named.toImage();
    QImage image(kDisclosureSize, kDisclosureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    if (opened) {
        triangle.moveTo(2, 4);
        triangle.lineTo(11, 4);
        triangle.lineTo(6.5, 10);
    } else {
        triangle.moveTo(4, 2);
        triangle.lineTo(10, 6.5);
        triangle.lineTo(4, 11);
    }
    triangle.closeSubpath();
    painter.fillPath(triangle, QColor(110, 110, 110));
    return image;
}
