#pragma once
// What a print is made with: the paper (its size as oriented, in points), the orientation, the
// four margins the printed views keep (points) and the program's print options. One shared
// instance lives for the whole run, so the paper and orientation chosen stay for the next print;
// each print works on a copy that the window's driver fills from the application parameters.
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>

#include <optional>

struct PrintInfo {
    static constexpr long kPortrait = 0;
    static constexpr long kLandscape = 1;

    PrintInfo(); // A4 portrait, no margins, the options' defaults

    // The print information every print starts from.
    static PrintInfo& sharedPrintInfo();

    QSizeF paperSize; // width and height as the paper is turned
    long orientation = kPortrait;
    double leftMargin = 0;
    double topMargin = 0;
    double rightMargin = 0;
    double bottomMargin = 0;

    bool svOptionFondsColores = false; // coloured backgrounds
    bool svOptionTextesColores = false; // coloured texts
    bool svOptionAddBorders = false; // frames round printed blocks
    bool svOptionPrintImages = false; // images, else their replacement texts
    long svOptionGroupees = 0; // how a transaction list prints its split transactions
    std::optional<double> svOptionEchelle; // scale in percent; absent for none

    // Turns the paper: its width and height swap when the orientation changes.
    void setOrientation(long newOrientation);
    // The paper less the margins, in points from the paper's top-left corner.
    QRectF printableRect() const;
    // The paper and orientation for a printer; no margins, the views keep their own.
    QPageLayout pageLayout() const;
    void setPageLayout(const QPageLayout& layout);
};
