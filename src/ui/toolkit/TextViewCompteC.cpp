#include "TextViewCompteC.h"

void TextViewCompteC::ACTION(qint64 ident)
{
    sendToDelegate(QStringLiteral("CREDIT:"), ident);
}
