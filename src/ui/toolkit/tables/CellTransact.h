#pragma once
// The row template of every transaction list: date, reference and label, payment means,
// counterpart account, category, debit and credit amounts (with a second, italic amount under
// each), a row of state icons, and the extra columns of its kind (CellTransactExtraController).
// One template serves every row of a table: the list fills it for a row (paintTransReleve) and
// the table draws it in the row's place. What a row shows is worked out by computeRow; the cell
// only applies it to its fields.
//
// The split and forecast-detail buttons are drawn with the row. A click where a shown one is
// drawn sends its action ("multiAction:", "PASTILLE:") to the controller the row was painted
// for, the button being the sender and the row its tag (rowTagOf).
#include "toolkit/tables/TransRowContent.h"

#include "model/TRANSACT.h"
#include "toolkit/print/PrintElement.h"
#include "toolkit/tables/StdCell.h"

#include <QLabel>
#include <QPointer>

#include <array>
#include <optional>

class CellTransactExtraController;
class StdButton;
class StdImageView;
class StdImageViewMoyen;
class StdTableView;

class CellTransact : public StdCell, public PrintTransactSource {
    Q_OBJECT
public:
    static constexpr int kHeight = 34;

    // The extra columns come with the kind: none, the running balance, or an investment's or a
    // tax's figures.
    explicit CellTransact(TransExtraKind extraKind = TransExtraKind::Cumul, QWidget* parent = nullptr);

    TransExtraKind extraKind() const { return m_extraKind; }

    // ---- Painting a row.

    // The listing row for the controller (the target of the row's buttons). Nothing is painted,
    // and false answered, without a listing or outside its rows.
    bool paintTransReleve(QObject* controller, const RowRequest& request, const DOCUMENT& doc);
    // A line the caller worked out itself: the basic row, then the extra columns.
    void paintStdTransWithCumul(QObject* controller, const TransLine& line, const DOCUMENT& doc);
    // The basic row alone; *hide_solde (may be null) tells whether a balance would show "-".
    void paintBasicTrans(QObject* controller, const TransLine& line, const DOCUMENT& doc, bool* hide_solde);
    // Shows the content on the fields the template has.
    void applyRowContent(const RowContent& content);

    // ---- The row's buttons.

    QObject* controller() const { return m_controller; }
    // Sends the action of the shown button drawn under the point (in the row's coordinates, the
    // cell sized as the row) to the controller; false when no shown button is there.
    bool clickButtonAt(const QPoint& rowPoint);
    // The same for a point of a table's viewport: the table's source paints the row's template
    // first. False when the row's template is not a transaction row or no button is there.
    static bool clickInTable(StdTableView* table, const QPoint& viewportPoint);
    // The row a row button stands for; -1 for a sender that is not one.
    static long rowTagOf(const QObject* sender);

    // ---- Fields.

    QLabel* getFieldDebit() const { return field_debit; }
    QLabel* getFieldCredit() const { return field_credit; }
    CellTransactExtraController* extraController() const { return extra_controller; }
    // Where a field lies in a row of that size, for the list's column headings; empty for a field
    // the template lacks.
    QRect textRectInRow(RowText field, const QSize& rowSize);
    QLabel* textField(RowText field) const;
    StdImageView* imageView(RowImage view) const;
    StdButton* rowButton(RowButton control) const;

    // The width of a row showing every column at ease.
    int preferredWidth() const;
    // The narrowest row whose columns still stand apart, each as wide as its heading at least:
    // the reference gives up its room first, then the account and the category.
    int narrowestWidth() const;
    // The least width of the reference, the account or the category column.
    static int leastWidth(RowText field);

    // The transaction shown, printed through the image views' replacement texts.
    const TRANSACT* transact() const { return m_transact ? &*m_transact : nullptr; }
    const TRANSACT* printTransact() const override { return transact(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildFields();
    // Sizes the figure columns for the currency; true when they changed.
    bool fitFigureColumns(long devise, const DeviseList* devHdl, bool showUnit);
    // The row's width less the reference, the account and the category.
    int fixedWidth() const;
    void layOutFields();
    void showPicture(StdImageView* view, const RowImageContent& content) const;
    static void showText(QLabel* field, const RowTextContent& content);
    static void showButton(StdButton* button, const RowButtonContent& content);

    TransExtraKind m_extraKind;
    int m_amountWidth = 0;
    QPointer<QObject> m_controller;
    std::optional<TRANSACT> m_transact;
    std::array<QLabel*, kRowTextCount> m_textFields {};
    std::array<StdImageView*, kRowImageCount> m_imageViews {};

    QLabel* field_debit = nullptr;
    QLabel* field_credit = nullptr;
    QLabel* field_debit_second = nullptr;
    QLabel* field_credit_second = nullptr;
    QLabel* field_date = nullptr;
    QLabel* field_reference = nullptr;
    StdImageViewMoyen* image_moyen = nullptr;
    StdImageView* image_chrono = nullptr;
    StdImageView* image_compte = nullptr;
    QLabel* field_compte = nullptr;
    StdImageView* image_poste = nullptr;
    QLabel* field_poste = nullptr;
    StdImageView* image_note = nullptr;
    StdImageView* image_pointeD = nullptr;
    StdImageView* image_pointeC = nullptr;
    StdImageView* image_verrouD = nullptr;
    StdImageView* image_verrouC = nullptr;
    StdImageView* image_touched = nullptr;
    StdImageView* image_placement = nullptr;
    StdImageView* image_taxe = nullptr;
    StdButton* button_multi = nullptr;
    StdBox* box_left = nullptr;
    StdImageView* image_poste_multi = nullptr;
    QLabel* field_annulee = nullptr;
    QLabel* field_doublon = nullptr;
    StdButton* button_pastille = nullptr;
    CellTransactExtraController* extra_controller = nullptr;
};
