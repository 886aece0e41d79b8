#pragma once
// The transaction clipboard as the lists use it: the program's own, kept apart from the desktop's
// clipboard (a copy of transactions never replaces what another program copied, and a paste
// never reads it). The application empties it when a document opens or closes, so what was
// copied in one document can't be pasted into another.
#include "model/TRANSACT.h"

#include <QList>

class DOCUMENT;
class QObject;

// Empties the clipboard, then copies the transactions (prepared as fresh ones) to it.
void copyTransactsToPasteboard(const TransactList& transacts);
// Whether a paste has transactions to take.
bool canPasteTransactFromPasteboard();
// Appends the clipboard's transactions to the document and answers their positions. An alert on
// the window tells why nothing was pasted: an empty clipboard, or transactions naming accounts
// the document lacks.
QList<long> pasteTransactsFromPasteboard(QObject* window, DOCUMENT* doc);
