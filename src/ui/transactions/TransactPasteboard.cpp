#include "transactions/TransactPasteboard.h"

#include "toolkit/dialogs/Dialog.h"

#include "engines/TransactClipboard.h"
#include "model/DOCUMENT.h"

namespace {

void refuse(QObject* window, const QString& key)
{
    showAlertOK(window, Dialog::keyString(key), QString(), QString(), 1);
}

} // namespace

void copyTransactsToPasteboard(const TransactList& transacts)
{
    TransactClipboard* clipboard = transactClipboard();
    if (!clipboard)
        return;
    clipboard->clearTransactClipboard();
    for (const TRANSACT& trans : transacts)
        clipboard->copyTransactToClipboard(trans);
}

bool canPasteTransactFromPasteboard()
{
    const TransactClipboard* clipboard = transactClipboard();
    return clipboard && clipboard->canPasteTransact();
}

QList<long> pasteTransactsFromPasteboard(QObject* window, DOCUMENT* doc)
{
    TransactClipboard* clipboard = transactClipboard();
    if (!clipboard || !doc)
        return {};
    if (!clipboard->canPasteTransact()) {
        refuse(window, QStringLiteral("kAlerte_PasteNotTransact"));
        return {};
    }
    QString errorKey;
    QList<long> pasted = clipboard->pasteTransactClipboard(doc, &errorKey);
    if (!errorKey.isEmpty())
        refuse(window, errorKey);
    return pasted;
}
