#include "toolkit/tables/CellMetadata.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"

#include <algorithm>

namespace {

constexpr int kMargin = 10;
constexpr int kLineHeight = 18;
constexpr int kLeastAmountWidth = 80;

// The amounts hold the largest a household has.
int amountWidth()
{
    static const int width
        = std::max(kLeastAmountWidth, figureRoom(largestAmountText(), makeListFont(false, false, 12)));
    return width;
}

template <class Label = QLabel> QLabel* makeField(const char* name, QWidget* parent, Qt::Alignment alignment)
{
    auto* label = new Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(false, false, 12));
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

} // namespace

CellMetadata::CellMetadata(QWidget* parent)
    : StdCell(parent)
    , m_fieldNom(makeField("fieldNom", this, Qt::AlignLeft))
    , m_fieldDebit(makeField<FigureLabel>("fieldDebit", this, Qt::AlignRight))
    , m_fieldCredit(makeField<FigureLabel>("fieldCredit", this, Qt::AlignRight))
    , m_fieldBudgetShift(makeField("fieldBudgetShift", this, Qt::AlignLeft))
    , m_fieldBudgetShiftRelatif(makeField("fieldBudgetShiftRelatif", this, Qt::AlignLeft))
    , m_fieldDate(makeField("fieldDate", this, Qt::AlignLeft))
{
    setObjectName(QStringLiteral("CellMetadata"));
    resize(380, 48);
}

void CellMetadata::clear(bool header)
{
    for (QLabel* field :
         {m_fieldNom, m_fieldDebit, m_fieldCredit, m_fieldBudgetShift, m_fieldBudgetShiftRelatif, m_fieldDate})
        field->clear();
    m_header = header;
    m_fieldNom->setFont(makeListFont(header, false, header ? 13 : 12));
    layOutFields();
}

void CellMetadata::resizeEvent(QResizeEvent* event)
{
    StdCell::resizeEvent(event);
    layOutFields();
}

// A header shows its name over its budget shift; an item its date, then its two amounts on the
// right, the date taking what is left so that a period "from - to" fits.
void CellMetadata::layOutFields()
{
    const int inner = width() - 2 * kMargin;
    if (m_header) {
        const int top = std::max(2, (height() - 2 * kLineHeight) / 2);
        m_fieldNom->setGeometry(kMargin, top, inner, kLineHeight);
        const int shift = inner * 2 / 5;
        m_fieldBudgetShift->setGeometry(kMargin, top + kLineHeight, shift, kLineHeight);
        m_fieldBudgetShiftRelatif->setGeometry(kMargin + shift, top + kLineHeight, inner - shift, kLineHeight);
        for (QLabel* unused : {m_fieldDebit, m_fieldCredit, m_fieldDate})
            unused->setGeometry(0, 0, 0, 0);
        return;
    }
    const int line = (height() - kLineHeight) / 2;
    const int credit = width() - kMargin - amountWidth();
    const int debit = credit - 4 - amountWidth();
    m_fieldDate->setGeometry(kMargin, line, std::max(0, debit - 4 - kMargin), kLineHeight);
    m_fieldDebit->setGeometry(debit, line, amountWidth(), kLineHeight);
    m_fieldCredit->setGeometry(credit, line, amountWidth(), kLineHeight);
    for (QLabel* unused : {m_fieldNom, m_fieldBudgetShift, m_fieldBudgetShiftRelatif})
        unused->setGeometry(0, 0, 0, 0);
}
