#include "toolkit/windows/windowutils.h"

#include "uisupport/UiTestFixture.h"

namespace {

class WindowUtilsTest : public UiTestFixture { };

TEST_F(WindowUtilsTest, NoteHeightWrapsAtTheWidth)
{
    const QFont font(QStringLiteral("Sans Serif"), 12);
    const QString note
        = QStringLiteral("Remboursement du dépôt de garantie de l'ancien appartement, reçu par virement");
    const double wide = noteHeightForString(note, font, 2000);
    const double narrow = noteHeightForString(note, font, 120);
    EXPECT_GT(wide, 0);
    EXPECT_GE(narrow, 3 * wide);
    EXPECT_EQ(noteHeightForString(note, font, 0), 0);
}

TEST_F(WindowUtilsTest, PanelsAndScreenGoThroughTheHostAndColoursStayInRange)
{
    ui().answerSavePanel(QStringLiteral("/tmp/export.csv"));
    EXPECT_EQ(runSavePanel(QStringLiteral("export"), QStringLiteral("csv")), QStringLiteral("/tmp/export.csv"));
    EXPECT_EQ(ui().panelsShown().saves.constFirst().allowedType, QStringLiteral("csv"));
    ui().answerOpenPanel(QString());
    EXPECT_TRUE(runOpenPanel(QStringLiteral("Importer"), QStringLiteral("Choisir"), true).isEmpty());
    EXPECT_TRUE(ui().panelsShown().opens.constFirst().folders);
    EXPECT_EQ(getMainScreenVisibleFrame(), QRect(0, 0, 1440, 900));

    EXPECT_EQ(toQColor(SVColor {1, 0.5, 0, 1}), QColor::fromRgbF(1, 0.5f, 0, 1));
    const QColor clamped = toQColor(SVColor {1.5, -0.2, 0.25, 2});
    EXPECT_TRUE(clamped.isValid());
    EXPECT_EQ(clamped.spec(), QColor::Rgb);
    EXPECT_EQ(clamped, QColor::fromRgbF(1, 0, 0.25f, 1));
}

} // namespace
