#pragma once
// The row of one split line: its picture (the reference line's, or the category's), the category,
// the amount in the transaction's currency with its unit (a figure, drawn whole in a room made
// for the largest amount), the note button and, on the selected row of an unlocked transaction,
// the delete button. The buttons are drawn with the row; the
// window finds a click on them through their rectangles.
#include "toolkit/tables/StdCell.h"

#include <QLabel>
#include <QToolButton>

class DOCUMENT;
class MULTI;

struct CellDetailState {
    bool reference = false; // the row is the reference line
    bool selected = false;
    bool locked = false;
    long devise = 0; // the transaction's currency slot
};

class CellDetail : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit CellDetail(QWidget* parent = nullptr);

    QLabel* getImage() const { return image; }
    QLabel* getPoste() const { return poste; }
    QLabel* getMontant() const { return montant; }
    QLabel* getUnit() const { return unit; }
    QToolButton* getButtonSupprimer() const { return button_supprimer; }
    QToolButton* getButtonMultiNote() const { return button_multiNote; }

    void fill(const MULTI& line, const CellDetailState& state, const DOCUMENT* doc);
    // Where the buttons are drawn in a row of that size.
    QRect supprimerRectInRow(const QSize& rowSize);
    QRect multiNoteRectInRow(const QSize& rowSize);

    QStringList rowTexts() const override;

    static QString emptyNoteToolTip();

private:
    QRect rectInRow(QWidget* control, const QSize& rowSize);

    QLabel* image;
    QLabel* poste;
    QLabel* montant;
    QLabel* unit;
    QToolButton* button_multiNote;
    QToolButton* button_supprimer;
};
