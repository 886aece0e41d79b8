#include "ISyncWindows.h"

#include "foundation/localized.h"

namespace {

ISyncWindows* g_windows = nullptr;

// The joiner stays: emoji are built with it.
bool hidesOrBreaksTheLine(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Other_Format:
        return c != QChar(0x200D);
    default:
        return false;
    }
}

// Each run of such characters becomes one space.
QString oneLine(const QString& text)
{
    QString line;
    line.reserve(text.size());
    bool replacing = false;
    for (const QChar c : text) {
        const bool hidden = hidesOrBreaksTheLine(c);
        if (hidden && !replacing)
            line.append(QLatin1Char(' '));
        else if (!hidden)
            line.append(c);
        replacing = hidden;
    }
    return line.trimmed();
}

} // namespace

QString phoneQuestionInformation(const PhoneQuestion& question)
{
    const QString name = oneLine(question.deviceName);
    if (name.isEmpty())
        return localizedDialogue(QStringLiteral("kConfirm_iPhone_address")).arg(question.address);
    // One pass, so that a name holding "%1" stays as it is spelt.
    return localizedDialogue(QStringLiteral("kConfirm_iPhone_name_address")).arg(question.address, name);
}

ISyncWindows* syncWindows()
{
    return g_windows;
}

void installSyncWindows(ISyncWindows* windows)
{
    g_windows = windows;
}
