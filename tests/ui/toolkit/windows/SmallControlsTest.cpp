// Small controls and the class extensions: what buttons and image views print, colours written
// as in web pages, and images resized to sizes in points.
#include "toolkit/drawing/colorx.h"
#include "toolkit/print/PrintElement.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/StdImageView.h"
#include "toolkit/windows/StdImageViewCompte.h"
#include "toolkit/windows/StdImageViewMoyen.h"
#include "toolkit/windows/StdImageViewPoste.h"
#include "toolkit/windows/buttonx.h"
#include "toolkit/windows/imagex.h"

#include "model/TRANSACT.h"

#include <gtest/gtest.h>

namespace {

QImage filled(const QColor& color, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace

TEST(SmallControls, DisclosureButtonPrintsTheTriangleOfItsState)
{
    StdButton disclosure;
    disclosure.setBezelStyle(StdButton::kBezelDisclosure);
    EXPECT_TRUE(disclosure.canPrint());
    EXPECT_FALSE(disclosure.isChecked());
    disclosure.setIcon(QIcon(QPixmap::fromImage(filled(Qt::green, 13, 13)))); // whatever it shows
    EXPECT_EQ(disclosure.printImage(), StdButton::disclosureImage(false));
    disclosure.click();
    EXPECT_TRUE(disclosure.isChecked());
    EXPECT_EQ(disclosure.printImage(), StdButton::disclosureImage(true));
    EXPECT_NE(StdButton::disclosureImage(true), StdButton::disclosureImage(false));
    const PrintElement printed = PrintElement::fromView(&disclosure);
    EXPECT_EQ(printed.kind, PrintElement::Kind::Button);
    EXPECT_EQ(printed.image, StdButton::disclosureImage(true));

    StdButton plain("OK");
    plain.setIcon(QIcon(QPixmap::fromImage(filled(Qt::blue, 16, 16))));
    plain.setIconSize(QSize(16, 16));
    EXPECT_EQ(plain.printImage().pixelColor(8, 8), QColor(Qt::blue));
    XsetTitle(&plain, "Annuler");
    EXPECT_EQ(plain.text(), "Annuler");
}

TEST(SmallControls, ImageViewsPrintTheirReplacementTexts)
{
    const std::pair<int, const char*> families[]
        = {{0, "OD"}, {1, "IN"}, {2, "LI"},  {3, "LI"},  {4, "?"},   {5, "RE"}, {6, "DE"}, {7, "VI"},
           {8, "PR"}, {9, "CH"}, {10, "CH"}, {11, "CA"}, {12, "CA"}, {13, "?"}, {-1, "?"}};
    StdImageViewMoyen moyen;
    TRANSACT transact;
    for (const auto& [family, letters] : families) {
        transact.moyen = family;
        EXPECT_EQ(moyen.replacementString(&transact), letters) << family;
    }
    EXPECT_EQ(moyen.replacementString(nullptr), "?");
    transact.moyen = 11;
    EXPECT_EQ(PrintElement::fromView(&moyen, &transact).replacement, "CA"); // what a printed row shows
    EXPECT_EQ(StdImageViewCompte().replacementString(&transact), "C:");
    EXPECT_EQ(StdImageViewPoste().replacementString(nullptr), "P:");
    EXPECT_TRUE(StdImageView().replacementString(&transact).isEmpty());
}

TEST(SmallControls, HtmlColoursAndComponents)
{
    const QColor orange = HTMLColorWithRed(255, 128, 0, 1);
    EXPECT_FLOAT_EQ(XredComponent(orange), 1.0f);
    EXPECT_NEAR(XgreenComponent(orange), 0.502f, 0.001f);
    EXPECT_FLOAT_EQ(XblueComponent(orange), 0.0f);
    EXPECT_FLOAT_EQ(XalphaComponent(orange), 1.0f);
    EXPECT_NEAR(XalphaComponent(HTMLColorWithRed(0, 0, 0, 0.25f)), 0.25f, 0.01f);
}

TEST(SmallControls, ResizedImagesHaveWholePixelsAndKeepTheirSizeInPoints)
{
    const QImage red = filled(Qt::red, 10, 10);
    const ResizedImage resized = resizedImage(red, QSizeF(31.7, 20.2));
    ASSERT_FALSE(resized.isNull());
    EXPECT_EQ(resized.bitmap.size(), QSize(31, 20));
    EXPECT_EQ(resized.size, QSizeF(31.7, 20.2));
    EXPECT_EQ(resized.bitmap.format(), QImage::Format_RGBA8888);
    EXPECT_EQ(resized.bitmap.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(resized.bitmap.pixelColor(30, 19), QColor(Qt::red));

    EXPECT_TRUE(resizedImage(QImage(), QSizeF(10, 10)).isNull());
    EXPECT_TRUE(resizedImage(red, QSizeF(0.5, 10)).isNull());

    const QByteArray png = XPNGRepresentation(resized.bitmap);
    ASSERT_TRUE(png.startsWith("\x89PNG"));
    const QImage back = QImage::fromData(png, "PNG");
    EXPECT_EQ(back.size(), QSize(31, 20));
    EXPECT_EQ(back.pixelColor(15, 10), QColor(Qt::red));
    EXPECT_TRUE(XPNGRepresentation(QImage()).isEmpty());
}
