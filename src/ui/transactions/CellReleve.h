#pragma once
// The row of the statement window's list of statements: its picture, its name, its date, the
// balance it ends on and the lock button of a statement. The two first rows of the list stand for
// the coming days and for the transactions on no statement; the rows after them are the account's
// statements, newest first.
#include "toolkit/tables/StdCell.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

class DOCUMENT;
class StdButton;
class StdImageView;
class TOOL;

// The rows of the list of statements before the first statement.
inline constexpr int kRowAVenir = 0;
inline constexpr int kRowNonPointees = 1;
inline constexpr int kFirstReleveRow = 2;

// The pictures of the statement window: "clock", "depointer", "releve", "cadenas",
// "cadenas_open", "pointer_start" and "pointer_stop": the program's own pictures.
QPixmap releveImage(const QString& name, int side);

// What a row of the list shows; the window fills it (paintDataReleve).
struct ReleveRowContent {
    QString nom;
    QString date;
    MONTANT solde;
    QString icone;
    bool italic = false;
    bool verrouVisible = false;
    QString verrouImage; // "cadenas_open" for a statement that may still be ticked, else "cadenas"
};

// The fields are placed by the cell itself at every painting: one template paints every row, and
// what a row shows must never be placed by what the row before it showed. The balance's column is
// as wide as the largest amount of the currency shown, in italics; the name takes what is left.
class CellReleve : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;
    static constexpr int kWidth = 330;

    explicit CellReleve(QWidget* parent = nullptr);

    // The width of a row showing the largest balance of the slot's currency and some letters of
    // a name: kWidth, or more for a currency with many decimals or a long unit.
    static int widthFor(long devise, const DeviseList* devHdl);

    QLabel* field_nom_releve() const { return m_nom; }
    QLabel* field_date_releve() const { return m_date; }
    QLabel* field_solde_releve() const { return m_solde; }
    StdButton* button_verrou_releve() const { return m_verrou; }
    StdButton* button_verrou() const { return m_verrou; }
    StdImageView* image_icone_releve() const { return m_icone; }
    // The lock button's picture, for tests that look at it.
    QString verrouImageName() const { return m_verrouImage; }

    // What the row of the account's list shows (null account: nothing); canPointer is the
    // window's answer for the row.
    static ReleveRowContent contentForRow(const TOOL* compte, int row, const MONTANT& soldeAVenir, bool canPointer,
                                          const QString& nomAVenir);
    // Fills the cell for the row in the slot's currency; the lock button carries the row as its
    // "tag".
    void paintDataReleve(const ReleveRowContent& content, int row, long devise, const DeviseList* devHdl);
    // Where the lock button is drawn in a row of that size.
    QRect verrouRectInRow(const QSize& rowSize);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static int soldeWidthFor(long devise, const DeviseList* devHdl);
    void layOutFields();

    StdImageView* m_icone;
    QLabel* m_nom;
    QLabel* m_date;
    QLabel* m_solde;
    StdButton* m_verrou;
    QString m_verrouImage;
    int m_soldeWidth;
};
