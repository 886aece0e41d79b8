#include "toolkit/fields/TextViewCompteC.h"

void TextViewCompteC::ACTION(qint64 ident)
{
    sendToDelegate(QStringLiteral("CREDIT:"), ident);
}
