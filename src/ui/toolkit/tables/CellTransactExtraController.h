#pragma once
// The extra columns of a transaction row, after its amounts. The base shows the running balance;
// each subclass shows the figures of one kind of entity instead (a security, a savings account,
// a loan, a tax) and works them out by its own paintTransExtra, which replaces the base's.
//
// The figures are worked out into the row's content (static paintTransExtra, no widget touched);
// the controller only shows its own fields of a content.
#include "toolkit/tables/TransRowContent.h"

#include <QList>
#include <QWidget>

class CellTransact;
class QLabel;
class TOTAUX;

class CellTransactExtraController : public QWidget {
    Q_OBJECT
public:
    explicit CellTransactExtraController(CellTransact* cell, QWidget* parent = nullptr);

    // The controller of that kind; null for none.
    static CellTransactExtraController* make(TransExtraKind kind, CellTransact* cell, QWidget* parent);

    CellTransact* cellTransact() const { return _cellTransact; }
    // The fields, left to right.
    const QList<QLabel*>& fields() const { return m_fields; }
    // The width the columns take in a row.
    int columnsWidth() const;
    // The width of each column: room for the largest figure of the list's currency.
    int columnWidth() const { return m_columnWidth; }
    void setColumnWidth(int width);

    // "-" when the balance is hidden or null, else the balance in the list's currency.
    static void paintTransExtra(const TransLine& line, RowContent& content, const DOCUMENT& doc);

    // The least width of a column.
    static constexpr int kColumnWidth = 84;

protected:
    struct Bare { };
    // A subclass's columns: no running balance.
    CellTransactExtraController(CellTransact* cell, QWidget* parent, Bare);
    QLabel* addField(RowText field);

    // The figures of an investment: totals 1 and 2 in the row's debit and credit columns, 3 and 4 as
    // interest and costs (italic on an expanded head), each by its sign; on a split line each is its
    // share of the transaction's (splitRatio).
    static void paintInvestmentTotaux(const TOTAUX& totaux, const TransLine& line, RowContent& content);
    // Sets a field to the amount in the list's currency, coloured by its sign.
    static void showColouredMontant(RowTextContent& field, const MONTANT& amount, const TransLine& line);

    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutFields();

    CellTransact* _cellTransact;
    int m_columnWidth = kColumnWidth;
    QList<QLabel*> m_fields;
    QLabel* field_cumul = nullptr;
};
