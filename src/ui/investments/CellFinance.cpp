#include "investments/CellFinance.h"

#include "investments/TemplateFinance.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/fields/textfieldx.h"
#include "toolkit/tables/RowLabel.h"
#include "toolkit/tables/TemplateFinanceTitre.h"
#include "toolkit/windows/StdButton.h"

#include "model/DOCUMENT.h"
#include "model/FinanceCompute.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

const QColor kQuantityColour = QColor::fromRgbF(0.0, 0.0, 0.5, 1.0);
const QColor kNoQuantityColour = QColor::fromRgbF(0.0, 0.0, 0.5, 0.5);
constexpr int kIndent = 18;
constexpr int kLeastNameWidth = 40;

void setTextColour(QLabel* field, const QColor& colour)
{
    QPalette colours = field->palette();
    colours.setColor(QPalette::WindowText, colour);
    field->setPalette(colours);
}

} // namespace

CellFinance::CellFinance(QWidget* parent)
    : StdCell(parent)
    , m_nom(new RowLabel(this))
{
    m_nom->setObjectName(QStringLiteral("field_nom"));
    m_nom->setFont(makeListFont(false, false, 12));
    m_nom->setMinimumWidth(kLeastNameWidth); // the name gives way to the figures
}

QStringList CellFinance::rowTexts() const
{
    QStringList texts {m_nom->text()};
    for (const QLabel* column : m_columns)
        texts << column->text();
    return texts;
}

QLabel* CellFinance::makeAmountField(const char* name)
{
    auto* field = new FigureLabel(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setFont(makeListFont(false, false, 12));
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return field;
}

void CellFinance::showAmount(QLabel* field, const MONTANT& amount, long devise, const DeviseList* devises, bool colour)
{
    field->setText(montantToStringForDevise(amount, devise, devises, false));
    if (colour)
        colorizeForMontant(field, amount);
}

// ---- Loans and savings ---------------------------------------------------------------------------

CellFinanceAmounts::CellFinanceAmounts(const std::array<const char*, 4>& fieldNames, const Totals& totals,
                                       QWidget* parent)
    : CellFinance(parent)
    , m_totals(totals)
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i] = makeAmountField(fieldNames[i]);
    TemplateFinance::layOutColumns(this, field_nom(), {m_fields[0], m_fields[1], m_fields[2], m_fields[3]});
    setColumns({m_fields[0], m_fields[1], m_fields[2], m_fields[3]});
}

void CellFinanceAmounts::paintListe(const FinanceList& list, long row, long devise, const DeviseList* devises)
{
    const FINANCE* item = FINANCE::financeAtIndex(&list, row);
    TOTAUX zero;
    const TOTAUX& totaux = item ? item->totaux : zero;
    field_nom()->setText(item ? item->nom : QString());
    for (size_t i = 0; i < m_fields.size(); ++i)
        showAmount(m_fields[i], totaux.*m_totals[i], devise, devises, true);
}

CellFinanceEmprunt::CellFinanceEmprunt(QWidget* parent)
    : CellFinanceAmounts({"field_rembourse", "field_prete", "field_interet", "field_cout"},
                         {&TOTAUX::total1, &TOTAUX::total2, &TOTAUX::total3, &TOTAUX::total4}, parent)
{
}

void CellFinanceEmprunt::paintEmpruntListe(long row, long devise, const DeviseList* devises, const DOCUMENT* doc)
{
    paintListe(doc ? doc->empruntHdl : FinanceList(), row, devise, devises);
}

CellFinanceRemunere::CellFinanceRemunere(QWidget* parent)
    : CellFinanceAmounts({"field_capital", "field_interet", "field_cout", "field_solde"},
                         {&TOTAUX::total5, &TOTAUX::total3, &TOTAUX::total4, &TOTAUX::total6}, parent)
{
}

void CellFinanceRemunere::paintRemunereListe(long row, long devise, const DeviseList* devises, const DOCUMENT* doc)
{
    paintListe(doc ? doc->remunereHdl : FinanceList(), row, devise, devises);
}

// ---- Securities and portfolios -------------------------------------------------------------------

CellFinanceTitre::CellFinanceTitre(bool portfolio, QWidget* parent)
    : CellFinance(parent)
    , m_cours(makeAmountField("field_cours"))
    , m_nbtitre(makeAmountField("field_nbtitre"))
{
    setObjectName(portfolio ? QStringLiteral("PORTFOLIO") : QStringLiteral("TITRE_IN_PORTFOLIO"));
    m_totals
        = {makeAmountField("field_liquidite"), makeAmountField("field_valeur"), makeAmountField("field_plusvalue")};
    auto* nom = new QWidget(this);
    auto* line = new QHBoxLayout(nom);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    if (portfolio) {
        m_buttonOpen = new StdButton(nom);
        m_buttonOpen->setObjectName(QStringLiteral("buttonOpen"));
        m_buttonOpen->setBezelStyle(StdButton::kBezelDisclosure);
        m_buttonOpen->setFixedSize(StdButton::kDisclosureSize, StdButton::kDisclosureSize);
        line->addWidget(m_buttonOpen);
        field_nom()->setFont(makeListFont(true, false, 12));
    } else {
        m_indent = new QWidget(nom);
        m_indent->setFixedWidth(kIndent);
        line->addWidget(m_indent);
    }
    field_nom()->setParent(nom);
    line->addWidget(field_nom(), 1);
    TemplateFinanceTitre::layOutColumns(this, {nom, m_cours, m_nbtitre, m_totals[0], m_totals[1], m_totals[2]});
    setColumns({m_cours, m_nbtitre, m_totals[0], m_totals[1], m_totals[2]});
}

QLabel* CellFinanceTitre::field(const char* name) const
{
    return findChild<QLabel*>(QString::fromLatin1(name));
}

QString CellFinanceTitre::nbTitreText(double nTitre)
{
    MONTANT count;
    count.setValueForDevise(0, nTitre);
    return count.nullMontant() ? QStringLiteral("-") : formatQuantity6(nTitre, QLatin1Char(','));
}

void CellFinanceTitre::showTotals(const TOTAUX& totaux, long devise, const DeviseList* devises)
{
    const MONTANT* amounts[] = {&totaux.total5, &totaux.total6, &totaux.total7};
    for (size_t i = 0; i < m_totals.size(); ++i)
        showAmount(m_totals[i], *amounts[i], devise, devises, true);
}

void CellFinanceTitre::paintTitreListe(long ident, long devise, const DeviseList* devises, const DOCUMENT* doc)
{
    long index = 0;
    const bool found = doc && findTitreWithIdent(ident, &index, doc);
    const FINANCE* titre = found ? FINANCE::financeAtIndex(&doc->titreHdl, index) : nullptr;
    TOTAUX totaux;
    if (titre) {
        totaux = titre->totaux;
        totaux.total1.setFromMontant(titre->cour);
    }
    field_nom()->setText(titre ? titre->nom : QString());
    if (m_indent)
        m_indent->setVisible(titre && titre->portfolioID >= 0);
    m_nbtitre->setText(nbTitreText(totaux.nTitre));
    setTextColour(m_nbtitre, m_nbtitre->text() == QLatin1String("-") ? kNoQuantityColour : kQuantityColour);
    const QString cours = totaux.total1.montantToStringWithDecimales(devise, devises, false, 6, QLatin1Char(','));
    m_cours->setText(devises ? trimMontantZeros(cours, devise, *devises) : cours);
    showTotals(totaux, devise, devises);
}

void CellFinanceTitre::paintPortfolioListe(long ident, long devise, const DeviseList* devises, const DOCUMENT* doc)
{
    const FINANCE* portfolio = doc ? PORTFOLIO::portfolioFromIdent(ident, *doc) : nullptr;
    field_nom()->setText(portfolio ? portfolio->nom : QString());
    m_nbtitre->setText(QStringLiteral("-"));
    m_cours->setText(QStringLiteral("-"));
    if (m_buttonOpen)
        m_buttonOpen->setChecked(portfolio && portfolio->opened);
    showTotals(portfolio ? portfolio->totaux : TOTAUX(), devise, devises);
}
