// The logos window on a document of three logos: pictures chosen from files (scaled, turned
// upright, named after the file), written to the package at once, never sharing a file, and left
// untouched by a cancelled editor.
#include "entities/FenLogoController.h"
#include "entities/FenEditLogoController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "toolkit/tables/StdTableView.h"

#include "model/DOCUMENT.h"
#include "model/LogoFile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

namespace {

QImage picture(int width, int height, QColor top, QColor bottom)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width, height / 2, top);
    painter.fillRect(0, height / 2, width, height - height / 2, bottom);
    return image;
}

// A JPEG whose pixels lie on their side, with the EXIF orientation 6 ("turn 90 degrees clockwise
// to show"): the top row of pixels is the picture's right-hand edge.
QByteArray jpegLyingOnItsSide(int width, int height)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture(width, height, Qt::red, Qt::blue).save(&buffer, "JPEG", 95);
    const QByteArray tiff = QByteArray("MM\0*\0\0\0\x08", 8) + QByteArray("\0\x01", 2) // one entry
        + QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 12) // Orientation, SHORT, 1, value 6
        + QByteArray(4, '\0');
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(payload.size()) + 2;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.insert(2, app1); // after the start-of-image marker
}

class FenLogoControllerTest : public UiTestFixture {
protected:
    FenLogoControllerTest()
    {
        dir = testenv::freshDir(QStringLiteral("logos"));
        doc.documentUrl = testenv::package(QStringLiteral("logos-doc"));
        testenv::addDefaultDocParam(doc);
        session.emplace(doc);
        const std::tuple<const char*, QColor, int> logos[] = {{"Banque du Coin", QColor(30, 90, 160), 2},
                                                              {"Épicerie", QColor(200, 120, 30), 3},
                                                              {"Mutuelle", QColor(60, 150, 80), 4}};
        for (const auto& [nom, color, ident] : logos) {
            Logo logo(ident);
            logo.visibleName = QString::fromUtf8(nom);
            logo.internalName = QStringLiteral("logo%1.png").arg(ident);
            EXPECT_TRUE(logo.storeImage(png(picture(64, 64, color, Qt::white)), doc));
            Logo::insertLogo(logo, doc.logoArray);
        }
        window = FenLogoController::openLogos();
    }
    ~FenLogoControllerTest() override
    {
        if (window)
            window->close();
    }
    static QByteArray png(const QImage& image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
    QString imageFile(const QString& name, const QImage& image)
    {
        const QString path = dir + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path, QFileInfo(name).suffix().toLatin1().toUpper() == "PNG" ? "PNG" : "JPEG"));
        return path;
    }
    // The editor, run from the command: a name typed, the file chosen (none: no picture), then
    // OK or cancel.
    void edit(const char* command, const QString& name, const QString& file, bool ok = true)
    {
        if (!file.isEmpty())
            ui().answerOpenPanel(file);
        ui().onModal<FenEditLogoController>([name, file, ok](FenEditLogoController& editor) {
            editor.outlet<QLineEdit>("fieldUserName")->setText(name);
            if (!file.isEmpty())
                editor.perform("TELECHARGER:");
            WindowDriver(editor).grab(QStringLiteral("logo-editor.png"));
            editor.perform(ok ? "OUI:" : "NON:");
        });
        window->perform(QString::fromLatin1(command));
    }
    const Logo& logoNamed(const QString& name) const
    {
        for (const Logo& logo : doc.logoArray) {
            if (logo.visibleName == name)
                return logo;
        }
        static const Logo none;
        ADD_FAILURE() << "no logo " << name.toStdString();
        return none;
    }
    int rowOf(const QString& name) const
    {
        for (int row = 0; row < doc.logoArray.size(); ++row) {
            if (doc.logoArray.at(row).visibleName == name)
                return row;
        }
        return -1;
    }
    QImage stored(const QString& name) const { return QImage::fromData(logoNamed(name).loadImage(doc)); }
    QStringList listOnDisk() const
    {
        QStringList names;
        for (const Logo& logo : loadLogo(doc.documentUrl, nullptr))
            names << logo.visibleName + QLatin1Char('=') + logo.internalName;
        return names;
    }
    QStringList filesOnDisk() const
    {
        QString folder;
        Logo::getLogoFolderUrl(doc, &folder);
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    QString dir;
    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    QPointer<FenLogoController> window;
};

TEST_F(FenLogoControllerTest, NewLogosAreScaledNamedAfterTheFileAndWrittenAtOnce)
{
    struct Case {
        const char* file;
        QSize size;
        QSize storedSize;
        const char* internalName;
    };
    const Case cases[] = {
        {"Grand.png", {2048, 1024}, {512, 256}, "Grand.png"},
        {"Haut.png", {600, 1200}, {256, 512}, "Haut.png"},
        {"Petit.png", {300, 200}, {300, 200}, "Petit.png"},
        {"Photo.JPG", {80, 60}, {80, 60}, "Photo.png"},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.file).section(QLatin1Char('.'), 0, 0);
        edit("CREER:", name,
             imageFile(QString::fromLatin1(c.file), picture(c.size.width(), c.size.height(), Qt::red, Qt::blue)));
        EXPECT_EQ(logoNamed(name).internalName, QString::fromLatin1(c.internalName)) << c.file;
        EXPECT_EQ(stored(name).size(), c.storedSize) << c.file;
        EXPECT_TRUE(listOnDisk().contains(name + QLatin1Char('=') + QString::fromLatin1(c.internalName))) << c.file;
    }
    EXPECT_EQ(doc.logoArray.size(), 7);
    const IndexSet selected = window->table1()->selectedRowIndexes();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(doc.logoArray.at(long(*selected.begin())).visibleName, "Photo");
    WindowDriver(*window).grab(QStringLiteral("logos.png"));
}

TEST_F(FenLogoControllerTest, APhotoLyingOnItsSideIsStoredUpright)
{
    const QString path = dir + "/Portrait.jpg";
    testenv::writeFile(path, jpegLyingOnItsSide(80, 40));
    edit("CREER:", QStringLiteral("Portrait"), path);
    const QImage image = stored(QStringLiteral("Portrait"));
    ASSERT_EQ(image.size(), QSize(40, 80));
    // The red top half, turned clockwise, is now on the right.
    EXPECT_GT(qRed(image.pixel(35, 40)), 200);
    EXPECT_GT(qBlue(image.pixel(4, 40)), 200);
}

TEST_F(FenLogoControllerTest, CancellingOrAnUnreadableFileChangesNothing)
{
    const QStringList files = filesOnDisk();
    const QStringList list = listOnDisk();
    edit("CREER:", QStringLiteral("Abandon"), imageFile("Abandon.png", picture(40, 40, Qt::red, Qt::red)), false);
    window->table1()->GO(0);
    edit("MODIFIER:", QStringLiteral("Autre nom"), imageFile("Autre.png", picture(40, 40, Qt::red, Qt::red)), false);
    EXPECT_EQ(filesOnDisk(), files);
    EXPECT_EQ(listOnDisk(), list);
    EXPECT_EQ(doc.logoArray.size(), 3);

    const QString broken = dir + "/Casse.png";
    testenv::writeFile(broken, "pas une image");
    window->table1()->GO(rowOf(QStringLiteral("Banque du Coin")));
    edit("MODIFIER:", QStringLiteral("Banque du Coin"), broken);
    EXPECT_EQ(logoNamed(QStringLiteral("Banque du Coin")).internalName, "logo2.png");
    EXPECT_EQ(filesOnDisk(), files);
}

TEST_F(FenLogoControllerTest, TwoLogosFromFilesOfOneNameNeverShareAPicture)
{
    edit("CREER:", QStringLiteral("Rouge"), imageFile("logo2.jpg", picture(40, 40, Qt::red, Qt::red)));
    edit("CREER:", QStringLiteral("Vert"), imageFile("logo2.png", picture(40, 40, Qt::green, Qt::green)));
    EXPECT_EQ(logoNamed(QStringLiteral("Rouge")).internalName, "logo2-1.png");
    EXPECT_EQ(logoNamed(QStringLiteral("Vert")).internalName, "logo2-2.png");
    EXPECT_EQ(qBlue(stored(QStringLiteral("Banque du Coin")).pixel(2, 2)), 160) << "the first logo kept its picture";

    // Deleting one leaves the others' pictures.
    window->table1()->GO(rowOf(QStringLiteral("Rouge")));
    ui().answerAlert("kConfirm_SuppLogo", kAlertSecondButton);
    window->perform("SUPPRIMER:");
    EXPECT_TRUE(window->table1()->selectedRowIndexes().empty());
    EXPECT_EQ(filesOnDisk(), (QStringList {"logo2-2.png", "logo2.png", "logo3.png", "logo4.png"}));
    EXPECT_FALSE(listOnDisk().join(u',').contains("Rouge"));
}

TEST_F(FenLogoControllerTest, ANewPictureReplacesTheOldFileOnlyOnceStored)
{
    window->table1()->GO(rowOf(QStringLiteral("Épicerie"))); // logo3.png
    edit("MODIFIER:", QStringLiteral("Zinc"), imageFile("Zinc.png", picture(50, 50, Qt::green, Qt::green)));
    EXPECT_EQ(doc.logoArray.last().visibleName, "Zinc");
    EXPECT_EQ(doc.logoArray.last().ident, 3);
    EXPECT_EQ(filesOnDisk(), (QStringList {"Zinc.png", "logo2.png", "logo4.png"}));
    EXPECT_EQ(long(*window->table1()->selectedRowIndexes().begin()), 2);

    // A new name alone keeps the picture.
    edit("MODIFIER:", QStringLiteral("Zinc et fer"), QString());
    EXPECT_EQ(doc.logoArray.last().internalName, "Zinc.png");
    EXPECT_EQ(stored(QStringLiteral("Zinc et fer")).size(), QSize(50, 50));
    EXPECT_TRUE(listOnDisk().contains("Zinc et fer=Zinc.png"));
}

} // namespace
