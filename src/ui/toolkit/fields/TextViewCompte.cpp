#include "toolkit/fields/TextViewCompte.h"

#include "document/DocContext.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"
#include "toolkit/popups/PopCompte.h"

TextViewCompte::TextViewCompte(QWidget* parent)
    : TextViewWithCompletion(parent)
{
}

TextViewCompte::~TextViewCompte() = default;

PopCompte* TextViewCompte::associatedPopup() const
{
    return m_associatedPopup;
}

void TextViewCompte::setAssociatedPopup(PopCompte* popup)
{
    m_associatedPopup = popup;
}

void TextViewCompte::ACTION(qint64 ident)
{
    Q_UNUSED(ident);
}

long TextViewCompte::compteFilter() const
{
    return m_associatedPopup ? long(m_associatedPopup->getPOPcompteCFilter()) : 0;
}

bool TextViewCompte::makeCompletionList()
{
    m_doc = currentDocument();
    m_comptes = m_doc ? computeSearchCompteList(compteFilter(), m_doc) : QList<long>();
    return m_doc != nullptr;
}

long TextViewCompte::completionCount() const
{
    return long(m_comptes.size());
}

long TextViewCompte::completionSearch(const QString& text) const
{
    return searchCompte(text, m_comptes, m_doc);
}

QString TextViewCompte::completionName(long index) const
{
    if (index < 0 || index >= m_comptes.size())
        return QString();
    return TOOL::getToolNameNS(kToolCompte, m_comptes[index], m_doc);
}

void TextViewCompte::completionChoose(long index)
{
    if (index >= 0 && index < m_comptes.size())
        ACTION(m_comptes[index]);
}
