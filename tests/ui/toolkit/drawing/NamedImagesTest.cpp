// The program's pictures: every name the windows, pop-ups and alerts ask for draws a picture of
// its own, every shipped picture is asked for, and a picture stays visible on a light and on a
// dark background at the sizes the lists use.
#include "toolkit/drawing/namedimages.h"

#include "analysis/PopPeriode.h"
#include "schedules/CellAwake.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"

#include "model/MOYEN.h"
#include "model/TOOL.h"
#include "model/VARIANTE.h"
#include "support/LogLines.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The names the program gives literally, by where they are asked for.
const QStringList kLiteralNames = {
    // marks of list rows: locks, ticks, split lines, notes, imports, investments
    "cadenas", "cadenas_open", "checkmark", "supprimer", "pointe", "note", "note_empty", "groupee", "plus", "plusplus",
    "import_synchro", "import_touched", "import_not_touched", "initialisation", "taxe", "placement", "calendrier",
    "crayon", "poste", "dossier", "document", "devise", "devise_principale", "disclosure_opened", "disclosure_closed",
    // the statement window
    "releve", "clock", "depointer", "pointer_start", "pointer_stop",
    // schedules, forecasts and budgets
    "echeancier_reel", "echeancier_prev", "prevision_prev", "filtrer", "menu_calcul_auto", "budget", "budget_mensuel",
    // analyses, graphs and their configurations
    "analyse_par_postes", "graphique", "outil", "outil_defaut", "calcul_auto", "calcul_auto_grey", "import_tableur",
    "sort", "sort_default",
    // alerts, questions and menus
    "verifier", "cloture", "nav_down", "DD", "information", "exporter", "exporter_vert", "export", "listing", "loupe",
    "photo", "favori", "plume", "renommer", "logo", "simulateur", "portfolio", "imprimante", "deplacer", "dupliquer",
    // the document browser and the phone
    "iSorvanta", "iCloud_logo", "iCloud_synchro", "iCloud_downloaded", "iCloud_notdownloaded", "iCloud_uploaded",
    "iCloud_notuploaded", "conflict", "buzy"};

// Every name: the literal ones and those the model and the windows compute.
QStringList askedNames()
{
    QStringList names = kLiteralNames;
    for (const int type : {kBanqueUser, kBanqueLiquide, kBanqueTiers})
        names << TOOL::getBanquePictureName(type) << TOOL::getCompteBTypePictureName(type);
    names << toolPictureName(nullptr, nullptr);
    for (int family = 0; family < kFamilyCount; ++family)
        names << familyIconName(family);
    VARIANTE variante;
    for (const int family : {kFamilyChequeDebit, kFamilyCarteDebit})
        names << variante.getImageForFamily(family, nullptr).name;
    for (long status = 0; status < 5; ++status)
        names << CellAwake::imageNameForStatus(status);
    for (const qint64 tag : {PopPeriode::kTagTableauSynthese, PopPeriode::kTagGlobal, PopPeriode::kTagTotal, qint64(1)})
        names << PopPeriode::imageNameForTag(tag);
    for (int stars = 1; stars <= 5; ++stars)
        names << QStringLiteral("etoile%1").arg(stars);
    names.removeDuplicates();
    names.sort();
    return names;
}

// The pixels that differ clearly from the background the picture was laid on.
int visiblePixels(const QPixmap& picture, const QColor& background)
{
    QImage laid(picture.size(), QImage::Format_RGB32);
    laid.fill(background);
    QPainter painter(&laid);
    painter.drawPixmap(0, 0, picture);
    painter.end();
    int count = 0;
    for (int y = 0; y < laid.height(); ++y) {
        for (int x = 0; x < laid.width(); ++x) {
            const QColor c = laid.pixelColor(x, y);
            const int distance = std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
                + std::abs(c.blue() - background.blue());
            count += distance > 120 ? 1 : 0;
        }
    }
    return count;
}

TEST(NamedImagesTest, EveryNameTheProgramAsksForHasItsOwnPicture)
{
    for (const QString& name : askedNames()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(namedImagePath(name).isEmpty()) << "no picture shipped";
        EXPECT_FALSE(QtAlertPresenter::namedImage(name).isNull());
        EXPECT_FALSE(QtAlertPresenter::namedImage(name, 16).isNull());
        EXPECT_FALSE(namedImageIcon(name).pixmap(24, 24).isNull());
    }
}

TEST(NamedImagesTest, EveryShippedPictureIsAskedForOnce)
{
    const QStringList shipped = shippedImageNames();
    EXPECT_EQ(shipped, askedNames());
    EXPECT_EQ(QSet<QString>(shipped.begin(), shipped.end()).size(), shipped.size()) << "two files for one name";
}

// Draws every picture at the two list sizes on a light and a dark background into one sheet for
// a person to look at, and checks that each stays visible on both.
TEST(NamedImagesTest, PicturesShowOnLightAndDarkBackgroundsAtListSizes)
{
    const QStringList names = shippedImageNames();
    const QList<QColor> backgrounds {QColor(255, 255, 255), QColor(43, 43, 43)};
    constexpr int kCellWidth = 240;
    constexpr int kCellHeight = 44;
    constexpr int kColumns = 4;
    QImage sheet(kColumns * kCellWidth, int((names.size() + kColumns - 1) / kColumns) * kCellHeight,
                 QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    QPainter painter(&sheet);
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QPoint cell(int(i % kColumns) * kCellWidth, int(i / kColumns) * kCellHeight);
        int x = cell.x() + 2;
        for (const QColor& background : backgrounds) {
            for (const int side : {16, 32}) {
                const QPixmap picture = namedImagePixmap(names[i], side, 1.0);
                ASSERT_FALSE(picture.isNull()) << names[i].toStdString();
                const int wanted = picture.width() * picture.height() / 10;
                EXPECT_GE(visiblePixels(picture, background), wanted)
                    << names[i].toStdString() << " at " << side << " on " << background.name().toStdString();
                painter.fillRect(QRect(x, cell.y() + 2, picture.width() + 4, 36), background);
                painter.drawPixmap(x + 2, cell.y() + 4, picture);
                x += picture.width() + 6;
            }
        }
        painter.setPen(Qt::black);
        painter.drawText(QPoint(x + 2, cell.y() + 24), names[i]);
    }
    painter.end();
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(sheet.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/pictures-contact-sheet.png")));
}

TEST(NamedImagesTest, PicturesAreDrawnForTheDevicePixelRatioAtTheSizeAsked)
{
    const QPixmap sharp = namedImagePixmap(QStringLiteral("poste"), 16, 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(16, 16));
    // A picture that is not square keeps its proportions; 0 asks for its own size.
    EXPECT_EQ(namedImagePixmap(QStringLiteral("etoile3"), 0, 1.0).size(), QSize(70, 14));
    EXPECT_EQ(namedImagePixmap(QStringLiteral("etoile3"), 28, 1.0).size(), QSize(28, 5));
    EXPECT_EQ(QtAlertPresenter::namedImage(QStringLiteral("disclosure_opened")).size(), QSize(13, 13));
}

TEST(NamedImagesTest, AnUnknownNameGivesNoPictureAndIsLoggedOnce)
{
    const LogLines log;
    const QString unknown = QStringLiteral("image_que_personne_ne_dessine");
    for (int paint = 0; paint < 3; ++paint) {
        EXPECT_TRUE(QtAlertPresenter::namedImage(unknown, 16).isNull());
        EXPECT_TRUE(namedImageIcon(unknown).isNull());
    }
    EXPECT_EQ(LogLines::count(unknown), 1);
    // No name, no picture and nothing to report.
    EXPECT_TRUE(QtAlertPresenter::namedImage(QString()).isNull());
    EXPECT_EQ(LogLines::count(QStringLiteral("no picture named \"\"")), 0);
}

// With a desktop theme that has the freedesktop icon, the picture comes from the theme; a theme
// without it leaves the program's own drawing.
TEST(NamedImagesTest, TheDesktopThemeStandsInWhereItHasTheSameIcon)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("essai/16x16/status"));
    QFile index(root.path() + QStringLiteral("/essai/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=essai\nDirectories=16x16/status\n\n[16x16/status]\nSize=16\nType=Fixed\n");
    index.close();
    QImage locked(16, 16, QImage::Format_ARGB32);
    locked.fill(QColor(255, 0, 255));
    ASSERT_TRUE(locked.save(root.path() + QStringLiteral("/essai/16x16/status/object-locked.png")));

    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({root.path()});
    QIcon::setThemeName(QStringLiteral("essai"));
    EXPECT_EQ(namedImageThemeName(QStringLiteral("cadenas")), "object-locked");
    const QImage themed = namedImagePixmap(QStringLiteral("cadenas"), 16, 1.0).toImage();
    const QImage iconThemed = namedImageIcon(QStringLiteral("cadenas")).pixmap(16, 16).toImage();
    const QImage own = namedImagePixmap(QStringLiteral("cadenas_open"), 16, 1.0).toImage();
    QIcon::setThemeName(themeName);
    QIcon::setThemeSearchPaths(searchPaths);

    EXPECT_EQ(themed.pixelColor(8, 8), QColor(255, 0, 255));
    EXPECT_EQ(iconThemed.pixelColor(8, 8), QColor(255, 0, 255));
    EXPECT_FALSE(own.isNull());
    EXPECT_NE(own.pixelColor(8, 8), QColor(255, 0, 255));
    EXPECT_TRUE(namedImageThemeName(QStringLiteral("echeancier_reel")).isEmpty());
}

} // namespace
