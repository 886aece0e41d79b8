#include "diagnostics.h"

void svLog(const QString& text)
{
    qInfo().noquote() << text;
}

void svSoftAssertFailed(const char* condition, const char* file, int line)
{
    qWarning().noquote() << QStringLiteral("assertion failed: %1 (%2:%3)")
                                .arg(QString::fromLatin1(condition), QString::fromLatin1(file))
                                .arg(line);
}
