#include "graphs/CellGraphique.h"

#include <QHBoxLayout>

CellGraphique::CellGraphique(QWidget* parent)
    : StdCell(parent)
    , m_date(new QLabel(this))
    , m_montant(new QLabel(this))
    , m_solde(new QLabel(this))
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
