#include "investments/BoxSimulationTitre.h"

#include "toolkit/drawing/Constants.h"

#include "foundation/localized.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

QLabel* printField(const char* name, QWidget* parent, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(false, false, 11));
    return label;
}

} // namespace

BoxSimulationTitre::BoxSimulationTitre(QWidget* parent)
    : StdViewTitre(parent, kHeight)
    , m_montant(printField("field_print_montant", this))
    , m_taux(printField("field_print_taux", this))
    , m_kind(printField("field_print_kind", this))
    , m_mensualite(printField("field_print_mensualite", this))
    , m_cout(printField("field_print_cout", this))
{
    auto* inputs = new QHBoxLayout;
    inputs->setSpacing(6);
    inputs->addWidget(
        printField("label_print_montant", this, localizedAppl(QStringLiteral("FenSimulation_print_montant"))));
    inputs->addWidget(m_montant);
    inputs->addSpacing(14);
    inputs->addWidget(printField("label_print_taux", this, localizedAppl(QStringLiteral("FenSimulation_print_taux"))));
    inputs->addWidget(m_taux);
    inputs->addSpacing(14);
    inputs->addWidget(m_kind);
    inputs->addWidget(m_mensualite);
    inputs->addSpacing(14);
    inputs->addWidget(printField("label_print_cout", this, localizedAppl(QStringLiteral("FenSimulation_cout"))));
    inputs->addWidget(m_cout);
    inputs->addStretch(1);
    static_cast<QGridLayout*>(layout())->addLayout(inputs, 3, 0, 1, 2);
}
