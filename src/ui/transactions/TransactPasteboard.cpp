#include "transactions/TransactPasteboard.h"

#include "toolkit/dialogs/Dialog.h"

#include "engines/TransactClipboard.h"
#include "model/DOCUMENT.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QString mimeType()
{
    return QString::fromLatin1(kTransactMimeType);
}

// What was copied last wins: the desktop's clipboard holds something else when another program
// (or a text field) copied after the transactions.
bool desktopHoldsOther(const QMimeData* mime)
{
    return mime && !mime->formats().isEmpty() && !mime->hasFormat(mimeType());
}

void refuse(QObject* window, const QString& key)
{
    showAlertOK(window, Dialog::keyString(key), QString(), QString(), 1);
}

} // namespace

void copyTransactsToPasteboard(const TransactList& transacts, const DOCUMENT* doc)
{
    TransactClipboard* clipboard = transactClipboard();
    if (!clipboard)
        return;
    clipboard->clearTransactClipboard();
    for (const TRANSACT& trans : transacts)
        clipboard->copyTransactToClipboard(trans);
    auto* mime = new QMimeData;
    mime->setData(mimeType(), clipboard->toXml(doc ? doc->deviseHdl : Devise::defaultDevises()));
    mime->setText(clipboard->toText(doc));
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool canPasteTransactFromPasteboard()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime && mime->hasFormat(mimeType()))
        return true;
    const TransactClipboard* clipboard = transactClipboard();
    return !desktopHoldsOther(mime) && clipboard && clipboard->canPasteTransact();
}

QList<long> pasteTransactsFromPasteboard(QObject* window, DOCUMENT* doc)
{
    TransactClipboard* clipboard = transactClipboard();
    if (!clipboard || !doc)
        return {};
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const bool ours = mime && mime->hasFormat(mimeType());
    const bool usable = ours ? clipboard->setFromXml(mime->data(mimeType()))
                             : !desktopHoldsOther(mime) && clipboard->canPasteTransact();
    if (!usable) {
        refuse(window, QStringLiteral("kAlerte_PasteNotTransact"));
        return {};
    }
    QString errorKey;
    QList<long> pasted = clipboard->pasteTransactClipboard(doc, &errorKey);
    if (!errorKey.isEmpty())
        refuse(window, errorKey);
    return pasted;
}
