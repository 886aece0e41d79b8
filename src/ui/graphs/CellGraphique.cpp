#include "graphs/CellGraphique.h"

#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"

#include <QHBoxLayout>

#include <algorithm>

CellGraphique::CellGraphique(QWidget* parent)
    : StdCell(parent)
    , m_date(new FigureLabel(this))
    , m_montant(new FigureLabel(this))
    , m_solde(new FigureLabel(this))
{
    m_date->setObjectName(QStringLiteral("date"));
    m_montant->setObjectName(QStringLiteral("montant"));
    m_solde->setObjectName(QStringLiteral("solde"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->addWidget(m_date, 2);
    for (QLabel* amount : {m_montant, m_solde}) {
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->addWidget(amount, 1);
    }
    resize(kWidth, kHeight);
}

void CellGraphique::fill(const QString& date, const QString& montant, const QString& solde, bool report)
{
    QFont font = m_date->font();
    font.setItalic(report);
    m_date->setFont(font);
    m_date->setText(date);
    m_montant->setText(montant);
    m_solde->setText(solde);
}

// figureRoom measures upright and italic alike, so the opening-balance row needs no room of its
// own.
int CellGraphique::makeRoom(const QStringList& periods, const QString& largestAmount)
{
    int period = 0;
    for (const QString& name : periods)
        period = std::max(period, figureRoom(name, m_date->font()));
    m_date->setMinimumWidth(period);
    for (QLabel* amount : {m_montant, m_solde})
        amount->setMinimumWidth(figureRoom(largestAmount, amount->font()));
    layout()->invalidate();
    return layout()->minimumSize().width();
}
