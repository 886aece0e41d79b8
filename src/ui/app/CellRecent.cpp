#include "app/CellRecent.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"

#include "document/RecentDocument.h"
#include "foundation/numbers.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kIconSide = 24;
constexpr int kStateSide = 16;

QLabel* imageLabel(const char* name, int side, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedSize(side, side);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* textLabel(const char* name, const QFont& font, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    return label;
}

// The style's picture standing for an image the program names, for the images it does not ship.
QStyle::StandardPixmap styleFallback(const QString& imageName)
{
    if (imageName == QLatin1String("iCloud_downloaded") || imageName == QLatin1String("iCloud_uploaded"))
        return QStyle::SP_DialogApplyButton;
    if (imageName == QLatin1String("iCloud_notdownloaded"))
        return QStyle::SP_ArrowDown;
    if (imageName == QLatin1String("iCloud_notuploaded"))
        return QStyle::SP_ArrowUp;
    if (imageName == QLatin1String("conflict"))
        return QStyle::SP_MessageBoxWarning;
    if (imageName == QLatin1String("buzy"))
        return QStyle::SP_BrowserReload;
    if (imageName == QLatin1String("iCloud_logo"))
        return QStyle::SP_DriveNetIcon;
    if (imageName == QLatin1String("supprimer"))
        return QStyle::SP_DialogCancelButton;
    return QStyle::SP_FileIcon;
}

} // namespace

CellRecent::CellRecent(QWidget* parent)
    : StdCell(parent)
    , text_nom(textLabel("text_nom", makeListFont(false, false, 13), this))
    , popup_plus(new PopRecent(this))
    , buzy_indicator(imageLabel("buzy_indicator", kIconSide, this))
    , icone(imageLabel("icone", kIconSide, this))
    , popup_conflictual(imageLabel("popup_conflictual", kStateSide, this))
    , image_download(imageLabel("image_download", kStateSide, this))
    , image_upload(imageLabel("image_upload", kStateSide, this))
    , text_size(textLabel("text_size", makeListFont(false, false, 11), this))
{
    popup_plus->setObjectName(QStringLiteral("popup_plus"));
    popup_plus->setFixedSize(28, 22);
    text_size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    text_size->setFixedWidth(90);
    QPalette grey = text_size->palette();
    grey.setColor(QPalette::WindowText, QColor(110, 110, 118));
    text_size->setPalette(grey);
    setImage(buzy_indicator, QStringLiteral("buzy"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 8, 0);
    layout->setSpacing(8);
    layout->addWidget(icone);
    layout->addWidget(buzy_indicator);
    layout->addWidget(text_nom, 1);
    layout->addWidget(popup_conflictual);
    layout->addWidget(image_download);
    layout->addWidget(image_upload);
    layout->addWidget(text_size);
    layout->addWidget(popup_plus);
    resize(520, kHeight);
}

void CellRecent::fill(const RecentDocument& document, const CellRecentState& state)
{
    buzy_indicator->setVisible(state.buzy);
    icone->setVisible(!state.buzy);
    const bool cloud = state.fileSystemTag == 0;
    popup_plus->setVisible(state.selected);
    popup_plus->setTag(state.row);
    popup_plus->setFileSystemTag(state.fileSystemTag);
    popup_plus->setCanOpenDocument(state.canOpen);
    popup_plus->setNeedsSynchro(cloud && (state.buzy || !document.downloaded() || !document.uploaded()));
    popup_plus->setCanMove(state.canMove);
    fillStates(document, cloud);
    text_size->setText(fileSizeToString(uint64_t(std::max<qint64>(0, document.fileSize()))));
    text_nom->setText(document.name());
    setImage(icone, QStringLiteral("document"));
}

void CellRecent::fillStates(const RecentDocument& document, bool cloud)
{
    popup_conflictual->setVisible(cloud && document.conflictual());
    image_download->setVisible(cloud);
    image_upload->setVisible(cloud);
    if (!cloud)
        return;
    setImage(popup_conflictual, QStringLiteral("conflict"));
    setImage(image_download,
             document.downloaded() ? QStringLiteral("iCloud_downloaded") : QStringLiteral("iCloud_notdownloaded"));
    if (document.uploaded())
        setImage(image_upload, QStringLiteral("iCloud_uploaded"));
    else if (document.uploading())
        setImage(image_upload, QStringLiteral("iCloud_uploaded"), 0.5);
    else
        setImage(image_upload, QStringLiteral("iCloud_notuploaded"));
}

QRect CellRecent::popupRectInRow(const QSize& rowSize)
{
    resize(rowSize);
    layout()->activate();
    return popup_plus->geometry();
}

QPixmap CellRecent::namedPixmap(const QString& imageName, int side)
{
    QPixmap own = QtAlertPresenter::namedImage(imageName, side);
    if (!own.isNull())
        return own;
    return QApplication::style()->standardIcon(styleFallback(imageName)).pixmap(side, side);
}

void CellRecent::setImage(QLabel* label, const QString& imageName, double alpha)
{
    if (!label)
        return;
    const QPixmap picture = namedPixmap(imageName, label->width());
    if (alpha >= 1.0) {
        label->setPixmap(picture);
        return;
    }
    QPixmap faded(picture.size());
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(alpha);
    painter.drawPixmap(0, 0, picture);
    painter.end();
    label->setPixmap(faded);
}

QStringList CellRecent::rowTexts() const
{
    return {text_nom->text(), text_size->text()};
}
