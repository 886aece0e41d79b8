#pragma once
// The row of one document in the document browser: its icon (or a busy mark while it is being
// deleted or moved), its name, its size and, for the cloud storage, its transfer states and a
// conflict mark; the selected row also shows the pop-up of the document's commands.
#include "app/PopRecent.h"
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class RecentDocument;

// What the browser decides about a row besides the document itself.
struct CellRecentState {
    int row = 0;
    int fileSystemTag = 1; // the storage listed
    bool selected = false; // the pop-up shows on the selected row only
    bool buzy = false;
    bool canOpen = false;
    bool canMove = false;
};

class CellRecent : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 34;

    explicit CellRecent(QWidget* parent = nullptr);

    QLabel* getTextNom() const { return text_nom; }
    PopRecent* getPopPlus() const { return popup_plus; }
    QLabel* getBuzyIndicator() const { return buzy_indicator; }
    QLabel* getIcone() const { return icone; }
    QLabel* getPopupConflictual() const { return popup_conflictual; }
    QLabel* getImageDownload() const { return image_download; }
    QLabel* getImageUpload() const { return image_upload; }
    QLabel* getTextSize() const { return text_size; }

    // Shows the document: the busy mark in place of the icon while it is busy, the transfer
    // states in the cloud list only, and the pop-up, set for the row, on the selected row.
    void fill(const RecentDocument& document, const CellRecentState& state);
    // Where the pop-up is drawn in a row of that size.
    QRect popupRectInRow(const QSize& rowSize);

    // Shows the named image of the program in the label, at the label's size, at that opacity.
    static void setImage(QLabel* label, const QString& imageName, double alpha = 1.0);
    // The picture of a named image: the program's own, else the closest one of the style.
    static QPixmap namedPixmap(const QString& imageName, int side);

    // The name and the size: the icons have no text.
    QStringList rowTexts() const override;

private:
    void fillStates(const RecentDocument& document, bool cloud);

    QLabel* text_nom;
    PopRecent* popup_plus;
    QLabel* buzy_indicator;
    QLabel* icone;
    QLabel* popup_conflictual;
    QLabel* image_download;
    QLabel* image_upload;
    QLabel* text_size;
};
