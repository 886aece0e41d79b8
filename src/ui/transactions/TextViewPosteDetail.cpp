#include "transactions/TextViewPosteDetail.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

void TextViewPosteDetail::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_partner) {
        if (interceptKeyDownEvent(event)) {
            event->accept();
            return;
        }
        event->accept();
        focusPartner();
        return;
    }
    TextViewPoste::keyPressEvent(event);
}

bool TextViewPosteDetail::focusNextPrevChild(bool next)
{
    if (!m_partner)
        return TextViewPoste::focusNextPrevChild(next);
    focusPartner();
    return true;
}

void TextViewPosteDetail::focusPartner()
{
    m_partner->setFocus(Qt::TabFocusReason);
    if (auto* text = qobject_cast<QPlainTextEdit*>(m_partner))
        text->selectAll();
}
