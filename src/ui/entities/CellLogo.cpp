#include "entities/CellLogo.h"

#include "toolkit/drawing/Constants.h"

#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>

namespace {

constexpr int kImageSide = 32;

} // namespace

CellLogo::CellLogo(QWidget* parent)
    : StdCell(parent)
    , visibleName(new QLabel(this))
    , logoImageView(new QLabel(this))
{
    visibleName->setObjectName(QStringLiteral("visibleName"));
    logoImageView->setObjectName(QStringLiteral("logoImageView"));
    visibleName->setFont(makeListFont(false, false, 13));
    logoImageView->setFixedSize(kImageSide, kImageSide);
    logoImageView->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->setSpacing(10);
    layout->addWidget(logoImageView);
    layout->addWidget(visibleName, 1);
}

void CellLogo::fill(const QString& name, const QByteArray& png)
{
    visibleName->setText(name);
    const QImage image = QImage::fromData(png);
    if (image.isNull()) {
        logoImageView->clear();
        return;
    }
    logoImageView->setPixmap(
        QPixmap::fromImage(image.scaled(kImageSide, kImageSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
