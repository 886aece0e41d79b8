#include "transactions/CellShowReleves.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/windows/StdButton.h"

#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/RELEVE.h"

#include <QHBoxLayout>

namespace {

QLabel* textLabel(const char* name, bool bold, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(bold, false, 13));
    return label;
}

} // namespace

CellShowReleves::CellShowReleves(QWidget* parent)
    : StdCell(parent)
    , m_fieldCompte(textLabel("fieldCompte", true, this))
    , m_fieldNameReleve(textLabel("fieldNameReleve", false, this))
    , m_fieldDateReleve(textLabel("fieldDateReleve", false, this))
    , m_buttonGotoReleve(new StdButton(localizedAppl(QStringLiteral("FenShowReleves_voir")), this))
{
    m_buttonGotoReleve->setObjectName(QStringLiteral("buttonGotoReleve"));
    m_fieldCompte->setFixedWidth(170);
    m_fieldDateReleve->setFixedWidth(90);
    m_fieldDateReleve->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 0, 6, 0);
    layout->setSpacing(10);
    layout->addWidget(m_fieldCompte);
    layout->addWidget(m_fieldNameReleve, 1);
    layout->addWidget(m_fieldDateReleve);
    layout->addWidget(m_buttonGotoReleve);
    resize(520, kHeight);
}

void CellShowReleves::fill(const QString& compteNom, const RELEVE& releve, int row)
{
    m_fieldCompte->setText(compteNom);
    m_fieldNameReleve->setText(releve.nom_v3);
    m_fieldDateReleve->setText(releve.date == 0 ? QString() : dateToStringWithStyles(1, 0, releve.date));
    m_buttonGotoReleve->setProperty(kCellTag, row);
}

QRect CellShowReleves::buttonRectInRow(const QSize& rowSize)
{
    resize(rowSize);
    layout()->activate();
    return m_buttonGotoReleve->geometry();
}
