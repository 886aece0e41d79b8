#pragma once
// The row of one statement in the statement chooser: the account that holds it, its name, its
// date and the button that goes to it. The button carries its row in the property kCellTag.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class RELEVE;
class StdButton;

inline constexpr char kCellTag[] = "tag";

class CellShowReleves : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;

    explicit CellShowReleves(QWidget* parent = nullptr);

    QLabel* fieldCompte() const { return m_fieldCompte; }
    QLabel* fieldNameReleve() const { return m_fieldNameReleve; }
    QLabel* fieldDateReleve() const { return m_fieldDateReleve; }
    StdButton* buttonGotoReleve() const { return m_buttonGotoReleve; }

    // Shows the statement of the account (a date of 0 shows nothing) and tags the button.
    void fill(const QString& compteNom, const RELEVE& releve, int row);
    // Where the button is drawn in a row of that size.
    QRect buttonRectInRow(const QSize& rowSize);

private:
    QLabel* m_fieldCompte;
    QLabel* m_fieldNameReleve;
    QLabel* m_fieldDateReleve;
    StdButton* m_buttonGotoReleve;
};
