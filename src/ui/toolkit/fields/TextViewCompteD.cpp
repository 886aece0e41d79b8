#include "toolkit/fields/TextViewCompteD.h"

void TextViewCompteD::ACTION(qint64 ident)
{
    sendToDelegate(QStringLiteral("DEBIT:"), ident);
}
