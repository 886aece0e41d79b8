#include "transactions/TextViewPosteDetail.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

void TextViewPosteDetail::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && partner()) {
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
