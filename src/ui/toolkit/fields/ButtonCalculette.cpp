#include "toolkit/fields/ButtonCalculette.h"

#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/windows/StdWindow.h"
#include "toolkit/windows/StdWindowController.h"

#include "foundation/localized.h"

namespace {

ButtonCalculette::Runner& runner()
{
    static ButtonCalculette::Runner installed;
    return installed;
}

} // namespace

void ButtonCalculette::setCalculetteRunner(Runner calculette)
{
    runner() = std::move(calculette);
}

bool ButtonCalculette::hasCalculetteRunner()
{
    return bool(runner());
}

ButtonCalculette::ButtonCalculette(TextFieldMontant* field, QWidget* parent)
    : QPushButton(parent)
    , m_fieldMontant(field)
{
    setObjectName(QStringLiteral("button_calculette"));
    setText(QStringLiteral("="));
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    setFixedWidth(28);
    setToolTip(localizedMisc(QStringLiteral("kMisc_Calculette_Titre")));
    setEnabled(hasCalculetteRunner());
    if (field)
        field->setButtonCalculette(this);
    connect(this, &QPushButton::clicked, this, &ButtonCalculette::CALCULETTE);
}

TextFieldMontant* ButtonCalculette::field_montant() const
{
    return m_fieldMontant;
}

void ButtonCalculette::CALCULETTE()
{
    if (!m_fieldMontant || !hasCalculetteRunner())
        return;
    auto* window = qobject_cast<StdWindow*>(this->window());
    QObject* delegate = window ? window->controller() : nullptr;
    const WindowDataPtr montantData = makeWindowData();
    m_fieldMontant->readMontant(montantData->montant);
    const qint64 slot = m_fieldMontant->devise();
    if (runner()(qobject_cast<StdWindowController*>(delegate), montantData, long(slot)) != 1)
        return;
    m_fieldMontant->fillMontant(montantData->montant, slot);
    if (delegate && delegate->metaObject()->indexOfMethod("fieldMontantDidChange(QObject*)") >= 0)
        QMetaObject::invokeMethod(delegate, "fieldMontantDidChange", Qt::DirectConnection,
                                  Q_ARG(QObject*, m_fieldMontant.data()));
}
