#include "toolkit/dialogs/FenAskIntegerNController.h"

#include "toolkit/fields/TextFieldIntegerN.h"

#include <climits>

QWidget* FenAskIntegerNController::makeAnswerView(StdWindow& window)
{
    m_field = new TextFieldIntegerN(&window);
    m_field->setObjectName(QStringLiteral("view_texte"));
    return m_field;
}

void FenAskIntegerNController::FILL()
{
    const WindowDataPtr data = getData();
    setPrompt(data ? data->value(QStringLiteral("titre")).toString() : QString());
    m_field->setPlainText(data ? data->value(QStringLiteral("istr")).toString() : QString());
    m_field->selectAll();
}

QWidget* FenAskIntegerNController::initialFirstResponder() const
{
    return m_field;
}

bool FenAskIntegerNController::READ()
{
    if (const WindowDataPtr data = getData())
        data->insert(QStringLiteral("ostr"), m_field->toPlainText());
    return true;
}

// A number too long for a long stays at the largest one of its sign.
long leadingIntegerValue(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const long digit = text[i].unicode() - u'0';
        if (value > (LONG_MAX - digit) / 10)
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool askIntegerN(StdWindowController* parent, const QString& prompt, long initial, long* out)
{
    return askIntegerWithClass<FenAskIntegerNController>(parent, prompt, initial, out);
}
