#include "transactions/TextFieldMontantSaisie.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

void TextFieldMontantSaisie::montantEdited()
{
    QObject* target = delegate();
    if (target && target->metaObject()->indexOfMethod("fieldMontantDidChange(QObject*)") >= 0)
        QMetaObject::invokeMethod(target, "fieldMontantDidChange", Qt::DirectConnection, Q_ARG(QObject*, this));
}

void TextFieldMontantDetail::keyPressEvent(QKeyEvent* event)
{
    if (interceptKeyDownEvent(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (QObject* target = delegate())
            QMetaObject::invokeMethod(target, "ADD_DETAIL", Qt::DirectConnection, Q_ARG(QObject*, this));
        return;
    }
    TextFieldMontant::keyPressEvent(event);
}
