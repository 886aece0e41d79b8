#pragma once
// The transaction clipboard on the desktop's clipboard: a copy puts the transactions there as the
// records of the transactions' member file (a type of this program's own) and as plain text, so
// they can be pasted into another document, or as text into any program. A paste takes the
// desktop's records when there are some, else the program's own clipboard.
#include "model/TRANSACT.h"

#include <QList>

class DOCUMENT;
class QObject;

inline constexpr char kTransactMimeType[] = "application/x-sorvanta-transactions+xml";

// Empties the clipboard, then copies the transactions (prepared as fresh ones) to it and to the
// desktop's clipboard.
void copyTransactsToPasteboard(const TransactList& transacts, const DOCUMENT* doc);
// Whether a paste has transactions to take.
bool canPasteTransactFromPasteboard();
// Appends the clipboard's transactions to the document and answers their positions. An alert on
// the window tells why nothing was pasted: no transaction records on the clipboard, or records
// naming accounts the document lacks.
QList<long> pasteTransactsFromPasteboard(QObject* window, DOCUMENT* doc);
