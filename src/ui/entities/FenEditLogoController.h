#pragma once
// The editor of a logo: its visible name, and a picture chosen among PNG, JPEG and TIFF files.
// The picture is read upright (a photo's orientation tag applied), brought down to 512 pixels on
// its longer side, and held as PNG bytes until the list window stores it on OK: cancelling leaves
// the document's package as it was.
//
// Window data: "logo" the Logo edited, written back on OK; "storedImage" the PNG bytes of its
// picture in the package, shown until another is chosen.
#include "model/Logo.h"
#include "toolkit/windows/StdWindowController.h"

#include <QImage>
#include <QMetaType>

class DOCUMENT;
class QLabel;
class QLineEdit;
class QPushButton;

class FenEditLogoController : public StdWindowController {
    Q_OBJECT
public:
    static constexpr int kMaxSide = 512;

    void FILL() override;
    bool READ() override;

    Q_INVOKABLE void TELECHARGER(QObject* sender);

    // The picture of the file, upright; a null image when it can't be read or is empty.
    static QImage readPicture(const QString& path);
    // The picture scaled so that its longer side is kMaxSide, when it is longer.
    static QImage resizedImage(const QImage& image);
    // The name of a logo's file made from the chosen file: its base name with the extension png.
    static QString internalNameForFile(const QString& path);

protected:
    void buildInterface(StdWindow& window) override;

private:
    void showPicture(const QImage& image);

    QLineEdit* fieldUserName = nullptr;
    QLabel* logoImageView = nullptr;
    QPushButton* buttonUpload = nullptr;
    QImage m_picture; // the picture shown
    QString m_chosenName; // the file name of a picture chosen here; empty when none was
};

Q_DECLARE_METATYPE(Logo)

// Runs the editor on the logo as a sheet on the parent's window; true on OK, the logo then holding
// the name typed and, when a picture was chosen, its file name and PNG bytes (logoImage).
bool editLogoModal(StdWindowController* parent, Logo& logo, const DOCUMENT& doc);
