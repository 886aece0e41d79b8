#include "toolkit/print/PrintInfo.h"

#include <QPageSize>

#include <algorithm>

PrintInfo::PrintInfo()
    : paperSize(QPageSize(QPageSize::A4).sizePoints())
{
}

PrintInfo& PrintInfo::sharedPrintInfo()
{
    static PrintInfo shared;
    return shared;
}

void PrintInfo::setOrientation(long newOrientation)
{
    const bool landscape = newOrientation == kLandscape;
    const bool wide = paperSize.width() > paperSize.height();
    if (landscape != wide)
        paperSize.transpose();
    orientation = landscape ? kLandscape : kPortrait;
}

QRectF PrintInfo::printableRect() const
{
    return QRectF(leftMargin, topMargin, std::max(0.0, paperSize.width() - leftMargin - rightMargin),
                  std::max(0.0, paperSize.height() - topMargin - bottomMargin));
}

QPageLayout PrintInfo::pageLayout() const
{
    const QSizeF portrait(std::min(paperSize.width(), paperSize.height()),
                          std::max(paperSize.width(), paperSize.height()));
    const QPageSize size(portrait, QPageSize::Point, QString(), QPageSize::FuzzyOrientationMatch);
    return QPageLayout(size, orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

void PrintInfo::setPageLayout(const QPageLayout& layout)
{
    if (!layout.isValid())
        return;
    orientation = layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
    paperSize = QSizeF(layout.fullRectPoints().size());
}
