#include "analysis/BoxAnalyseBudgetTete.h"

#include "analysis/AnalyseColumns.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"

#include "foundation/localized.h"

using namespace analysecolumns;

namespace {

constexpr int kLine = 20;

QRect spanRect(int firstColumn, int lastColumn, int line, int lines = 1)
{
    const QRect first = columnRect(firstColumn, kLine);
    const QRect last = columnRect(lastColumn, kLine);
    return QRect(first.left(), line * kLine, last.right() - first.left() + 1, lines * kLine);
}

} // namespace

BoxAnalyseBudgetTete::BoxAnalyseBudgetTete(const QStringList& subTitles, QWidget* parent)
    : StdBoxNoBorder(parent)
{
    setObjectName(QStringLiteral("view_tete"));
    setFixedSize(totalWidth(), 3 * kLine);
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    m_title3 = addBoxLabel(QStringLiteral("box_header_tit0"), spanRect(0, 0, 0, 2), QString(), true, centre);
    m_title3->setObjectName(QStringLiteral("cell_title3"));
    m_title3->setWordWrap(true);
    addBoxLabel(QStringLiteral("box_depenses_tit0"), spanRect(1, 3, 0),
                localizedMisc(QStringLiteral("kMisc_AnalyseDepenses")), true, centre);
    addBoxLabel(QStringLiteral("box_recettes_tit0"), spanRect(4, 6, 0),
                localizedMisc(QStringLiteral("kMisc_AnalyseRecettes")), true, centre);
    addBoxLabel(QStringLiteral("box_titre_solde"), spanRect(7, 7, 0),
                localizedMisc(QStringLiteral("kMisc_AnalyseSolde")), true, centre);
    for (int i = 0; i < 3; ++i) {
        const QString sub = subTitles.value(i);
        addBoxLabel(QStringLiteral("box_depenses_tit%1").arg(i + 1), spanRect(i + 1, i + 1, 1), sub, false, centre);
        addBoxLabel(QStringLiteral("box_recettes_tit%1").arg(i + 1), spanRect(i + 4, i + 4, 1), sub, false, centre);
    }
    addBoxLabel(QStringLiteral("box_sous_titre_solde"), spanRect(7, 7, 1), QString(), false, centre);
    addBoxLabel(QStringLiteral("box_header_tot0"), spanRect(0, 0, 2),
                localizedMisc(QStringLiteral("kMisc_AnalyseTotalDossiers")), true, Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < 3; ++i) {
        m_totals[i] = addBoxLabel(QStringLiteral("box_depenses_dos%1").arg(i + 1), spanRect(i + 1, i + 1, 2), QString(),
                                  true, right, true);
        m_totals[i + 3] = addBoxLabel(QStringLiteral("box_recettes_dos%1").arg(i + 1), spanRect(i + 4, i + 4, 2),
                                      QString(), true, right, true);
    }
    for (int i = 0; i < 6; ++i)
        m_totals[i]->setObjectName(QStringLiteral("cell_total_dossier%1").arg(i + 1));
    m_solde = addBoxLabel(QStringLiteral("box_total_solde"), spanRect(7, 7, 2), QString(), true, right, true);
    m_solde->setObjectName(QStringLiteral("cell_total_solde"));
}

QLabel* BoxAnalyseBudgetTete::addBoxLabel(const QString& boxName, const QRect& rect, const QString& text, bool bold,
                                          Qt::Alignment align, bool figure)
{
    auto* box = new StdBox(this);
    box->setObjectName(boxName);
    box->setGeometry(rect.adjusted(0, 0, -1, -1));
    QLabel* label = figure ? new FigureLabel(text, box) : new QLabel(text, box);
    label->setFont(makeListFont(bold, false, 11));
    label->setAlignment(align);
    label->setGeometry(QRect(QPoint(0, 0), rect.size()).adjusted(4, 0, -5, 0));
    return label;
}

StdBox* BoxAnalyseBudgetTete::box(const QString& name) const
{
    return findChild<StdBox*>(name);
}
