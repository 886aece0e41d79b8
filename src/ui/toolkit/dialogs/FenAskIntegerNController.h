#pragma once
// The question for a whole number: the text question with a field that takes digits only
// (view_texte) in place of its text field. The answer is still a text in "ostr"; its number is
// taken by the launcher.
#include "toolkit/dialogs/FenAskStringController.h"

#include "model/MONTANT.h"

class TextFieldIntegerN;

class FenAskIntegerNController : public FenAskStringController {
    Q_OBJECT
public:
    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;

protected:
    QWidget* makeAnswerView(StdWindow& window) override;

private:
    TextFieldIntegerN* m_field = nullptr;
};

// The number a text begins with, after spaces and an optional sign; 0 when it begins with none.
long leadingIntegerValue(const QString& text);

// Runs the number question of the class C with the prompt (already a text) and the initial
// number: true with the answer's number in out on OK; false on Cancel, out left alone.
template <class C> bool askIntegerWithClass(StdWindowController* parent, const QString& prompt, long initial, long* out)
{
    const WindowDataPtr data = makeWindowData({{QStringLiteral("titre"), prompt},
                                               {QStringLiteral("istr"), QString::number(initial)},
                                               {QStringLiteral("ostr"), QString()}});
    if (StdWindowController::pushModal<C>(parent, data, MONTANT::currentDeviseSlot()) != 1)
        return false;
    if (out)
        *out = leadingIntegerValue(data->value(QStringLiteral("ostr")).toString());
    return true;
}

bool askIntegerN(StdWindowController* parent, const QString& prompt, long initial, long* out);
