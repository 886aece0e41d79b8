#include "toolkit/fields/TextViewPoste.h"

#include "document/DocContext.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

bool TextViewPoste::makeCompletionList()
{
    m_doc = currentDocument();
    return m_doc != nullptr;
}

long TextViewPoste::completionCount() const
{
    return m_doc ? long(POSTE::getDocPoste(*m_doc).size()) : 0;
}

long TextViewPoste::completionSearch(const QString& text) const
{
    return m_doc ? POSTE::searchPoste(text, *m_doc) : 0;
}

QString TextViewPoste::completionName(long index) const
{
    const POSTE* poste = m_doc ? POSTE::posteAtIndex(POSTE::getDocPoste(*m_doc), index) : nullptr;
    return poste ? poste->nom : QString();
}

void TextViewPoste::completionChoose(long index)
{
    const POSTE* poste = m_doc ? POSTE::posteAtIndex(POSTE::getDocPoste(*m_doc), index) : nullptr;
    if (poste)
        sendToDelegate(QStringLiteral("POSTE:"), poste->ident);
}
