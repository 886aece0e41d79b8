#pragma once
// The header box of the analysis and budget tables: the period's title, the column titles of the
// expenses, the income and the balance, and the totals of all folders, each in a coloured box
// aligned with the rows' columns.
#include "toolkit/windows/StdBoxNoBorder.h"

#include <QLabel>

class BoxAnalyseBudgetTete : public StdBoxNoBorder {
    Q_OBJECT
public:
    // subTitles: the three column titles under the expenses and under the income.
    BoxAnalyseBudgetTete(const QStringList& subTitles, QWidget* parent = nullptr);

    QLabel* cell_title3() const { return m_title3; }
    // 1..6, in column order.
    QLabel* cell_total_dossier(int i) const { return m_totals[i - 1]; }
    QLabel* cell_total_solde() const { return m_solde; }
    // The box of that outlet name ("box_depenses_tit0", "box_header_tot0"...); null for none.
    StdBox* box(const QString& name) const;

private:
    // A cell of the header; a figure (a total) is drawn whole.
    QLabel* addBoxLabel(const QString& boxName, const QRect& rect, const QString& text, bool bold, Qt::Alignment align,
                        bool figure = false);

    QLabel* m_title3 = nullptr;
    QLabel* m_totals[6] {};
    QLabel* m_solde = nullptr;
};
