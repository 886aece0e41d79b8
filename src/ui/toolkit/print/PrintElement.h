#pragma once
// A copy of a view as the table print draws it, taken at the moment the view is spooled: a list
// window hands out the same row view for every row, filled anew, so the print keeps what each
// row showed then. Widgets can't be copied; this tree keeps what the print needs of each one
// (kind, frame, text and font, image, fill, border) and leaves out hidden views with everything
// inside them.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

class QWidget;
class TRANSACT;

// An image view that prints a short text in place of its image when images are not printed.
class PrintReplacementText {
public:
    virtual ~PrintReplacementText() = default;
    // The text for the row's transaction (null outside transaction rows); empty prints nothing.
    virtual QString replacementString(const TRANSACT* transact) const = 0;
};

// A row view that shows one transaction: its image views print their texts for it.
class PrintTransactSource {
public:
    virtual ~PrintTransactSource() = default;
    virtual const TRANSACT* printTransact() const = 0;
};

struct PrintElement {
    enum class Kind {
        Plain, // nothing of its own: only its subviews print
        TextField,
        ImageView,
        Button, // its print image, filling its frame
        PopUp, // likewise
        TableCell, // a row template: nothing of its own
        View, // a framed view
        Box, // a fill and a frame, by the options
    };

    Kind kind = Kind::Plain;
    QString name; // the view's object name
    QRectF frame; // in the parent's coordinates, before scaling

    QString text;
    QFont font; // sized in pixels, so it keeps its size against the frames on any device
    QColor textColor;
    int alignment = 0; // 0 left, 1 right, 2 centre
    bool truncates = false;
    bool fixedPitch = false;

    QImage image; // an image view's image, a control's print image
    QString replacement; // an image view's text when images are not printed

    QColor fillColor; // invalid for none
    bool printBorder = false;

    std::vector<PrintElement> children;

    // The copy of the view and its visible subviews; the transaction is the one the row shows.
    static PrintElement fromView(QWidget* view, const TRANSACT* transact = nullptr);

    // The text as printed: a truncating field cuts 21 characters or more to 20 and "...".
    QString printedText() const;
    // The first element of that name in the tree (this one included); null for none.
    const PrintElement* find(const QString& elementName) const;
    // Every text of the tree that prints, in tree order.
    QStringList texts() const;
};
