#include "transactions/TextFieldMontantSaisie.h"

#include "toolkit/windows/StdWindow.h"

#include <QKeyEvent>

void TextFieldMontantSaisie::keyPressEvent(QKeyEvent* event)
{
    const QString before = toPlainText();
    TextFieldMontant::keyPressEvent(event);
    tellIfChanged(before);
}

void TextFieldMontantSaisie::pasteText(const QString& text)
{
    const QString before = toPlainText();
    TextFieldMontant::pasteText(text);
    tellIfChanged(before);
}

// Any change of the text counts, Delete and Backspace included: the split must follow them too.
void TextFieldMontantSaisie::tellIfChanged(const QString& before)
{
    if (toPlainText() == before)
        return;
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
        synchronizeMontant();
        if (QObject* target = delegate())
            QMetaObject::invokeMethod(target, "ADD_DETAIL", Qt::DirectConnection, Q_ARG(QObject*, this));
        return;
    }
    TextFieldMontant::keyPressEvent(event);
}
