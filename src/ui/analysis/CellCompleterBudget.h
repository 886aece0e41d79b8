#pragma once
// The row of a completion proposal: the category, its balance over the months looked at, the
// monthly amount proposed, the number of transactions, the reliability in stars, and the button
// that writes the proposal (shown on the selected row only). The fields are laid out in columns
// that the window's header repeats; the amounts and the count are figures, drawn whole in columns
// made for the largest of them.
#include "toolkit/tables/StdCell.h"

#include <QHash>
#include <QLabel>
#include <QPushButton>

class CellCompleterBudget : public StdCell {
    Q_OBJECT
public:
    struct Column {
        const char* name; // the field's outlet name
        const char* titleKey; // of its title in the window's header
        int width;
        Qt::Alignment alignment;
        bool figure = false; // an amount or a count, drawn whole
    };
    static constexpr int kRowHeight = 30;

    explicit CellCompleterBudget(QWidget* parent = nullptr);
    static QList<Column> columns();
    // The width of a column of amounts: the least given, or the largest amount with the widest
    // unit of the open document's currencies in the rows' font, inside the field's inset.
    static int amountWidth(int least);

    QLabel* poste() const { return field("poste"); }
    QLabel* montant12mois() const { return field("montant12mois"); }
    QLabel* montantpropose() const { return field("montantpropose"); }
    QLabel* nbOperations() const { return field("nbOperations"); }
    QLabel* etoiles() const { return field("etoiles"); }
    QPushButton* buttonWrite() const { return m_buttonWrite; }
    // Where the write button sits in a row of that height.
    QRect buttonRect(int height) const;
    // The picture of one to five stars ("etoile<n>").
    static QPixmap etoilesPicture(long stars);

protected:
    CellCompleterBudget(QList<Column> columns, QWidget* parent);
    QLabel* field(const char* name) const;
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<Column> m_columns;
    QHash<QString, QLabel*> m_fields;
    QPushButton* m_buttonWrite = nullptr;
};
