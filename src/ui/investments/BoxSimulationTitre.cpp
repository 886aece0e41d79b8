#include "investments/BoxSimulationTitre.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"

#include "foundation/localized.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

template <class Label = QLabel> Label* printField(const char* name, QWidget* parent, const QString& text = QString())
{
    auto* label = new Label(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(false, false, 11));
    return label;
}

// The amounts and the rate, drawn whole.
FigureLabel* printFigure(const char* name, QWidget* parent)
{
    return printField<FigureLabel>(name, parent);
}

} // namespace

BoxSimulationTitre::BoxSimulationTitre(QWidget* parent)
    : StdViewTitre(parent, kHeight)
    , m_montant(printFigure("field_print_montant", this))
    , m_taux(printFigure("field_print_taux", this))
    , m_kind(printField("field_print_kind", this))
    , m_mensualite(printFigure("field_print_mensualite", this))
    , m_cout(printFigure("field_print_cout", this))
{
    // Two lines, so that the largest amounts show whole on a page whatever the inputs.
    auto* loan = new QHBoxLayout;
    loan->setSpacing(6);
    loan->addWidget(
        printField("label_print_montant", this, localizedAppl(QStringLiteral("FenSimulation_print_montant"))));
    loan->addWidget(m_montant);
    loan->addSpacing(14);
    loan->addWidget(printField("label_print_taux", this, localizedAppl(QStringLiteral("FenSimulation_print_taux"))));
    loan->addWidget(m_taux);
    loan->addStretch(1);
    auto* repayment = new QHBoxLayout;
    repayment->setSpacing(6);
    repayment->addWidget(m_kind);
    repayment->addWidget(m_mensualite);
    repayment->addSpacing(14);
    repayment->addWidget(printField("label_print_cout", this, localizedAppl(QStringLiteral("FenSimulation_cout"))));
    repayment->addWidget(m_cout);
    repayment->addStretch(1);
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addLayout(loan, 3, 0, 1, 2);
    grid->addLayout(repayment, 4, 0, 1, 2);
}
