#include "entities/FenEditLogoController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/windows/editvaluemodal.h"
#include "toolkit/windows/windowutils.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFormLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kLogo = QStringLiteral("logo");
const QString kStored = QStringLiteral("storedImage"); // the PNG bytes of the picture in the package
constexpr int kPreviewSide = 128;

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QByteArray();
    return bytes;
}

} // namespace

void FenEditLogoController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditLogo"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditLogo_titre")));
    fieldUserName = new QLineEdit(&window);
    fieldUserName->setObjectName(QStringLiteral("fieldUserName"));
    fieldUserName->setMinimumWidth(240);
    logoImageView = new QLabel(&window);
    logoImageView->setObjectName(QStringLiteral("logoImageView"));
    logoImageView->setFixedSize(kPreviewSide, kPreviewSide);
    logoImageView->setAlignment(Qt::AlignCenter);
    logoImageView->setFrameShape(QFrame::StyledPanel);
    buttonUpload = new QPushButton(localizedAppl(QStringLiteral("FenEditLogo_telecharger")), &window);
    buttonUpload->setObjectName(QStringLiteral("buttonUpload"));
    buttonUpload->setAutoDefault(false);
    connectAction(buttonUpload, QStringLiteral("TELECHARGER:"));
    auto* picture = new QVBoxLayout;
    picture->addWidget(logoImageView, 0, Qt::AlignHCenter);
    picture->addWidget(buttonUpload, 0, Qt::AlignHCenter);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditLogo_nom")), fieldUserName);
    form->addRow(localizedAppl(QStringLiteral("FenEditLogo_image")), picture);
    layOutEditor(*this, window, {form});
}

void FenEditLogoController::FILL()
{
    StdWindowController::FILL();
    const Logo logo = getData()->value(kLogo).value<Logo>();
    fieldUserName->setText(logo.visibleName);
    showPicture(QImage::fromData(getData()->value(kStored).toByteArray()));
}

void FenEditLogoController::showPicture(const QImage& image)
{
    m_picture = image;
    if (image.isNull()) {
        logoImageView->clear();
        return;
    }
    logoImageView->setPixmap(QPixmap::fromImage(
        image.scaled(kPreviewSide - 8, kPreviewSide - 8, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QImage FenEditLogoController::readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return QImage();
    return image;
}

QImage FenEditLogoController::resizedImage(const QImage& image)
{
    if (std::max(image.width(), image.height()) <= kMaxSide)
        return image;
    return image.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString FenEditLogoController::internalNameForFile(const QString& path)
{
    return QFileInfo(path).completeBaseName() + QStringLiteral(".png");
}

void FenEditLogoController::TELECHARGER(QObject*)
{
    const QStringList types {"png", "PNG", "jpg", "JPG", "jpeg", "JPEG", "tif", "TIF", "tiff", "TIFF"};
    const QString path = runOpenPanel(localizedMisc(QStringLiteral("kMisc_OpenTitle")),
                                      localizedMisc(QStringLiteral("kMisc_OpenPrompt")), false, types);
    if (path.isEmpty())
        return;
    const QImage image = readPicture(path);
    if (image.isNull())
        return;
    showPicture(resizedImage(image));
    m_chosenName = internalNameForFile(path);
}

bool FenEditLogoController::READ()
{
    if (!StdWindowController::READ())
        return false;
    Logo logo = getData()->value(kLogo).value<Logo>();
    logo.visibleName = fieldUserName->text();
    logo.logoImage.clear();
    if (!m_chosenName.isEmpty()) {
        logo.internalName = m_chosenName;
        logo.logoImage = pngBytes(m_picture);
    }
    getData()->insert(kLogo, QVariant::fromValue(logo));
    return true;
}

bool editLogoModal(StdWindowController* parent, Logo& logo, const DOCUMENT& doc)
{
    return editValueModal<FenEditLogoController>(parent, kLogo, logo, {{kStored, logo.loadImage(doc)}});
}
