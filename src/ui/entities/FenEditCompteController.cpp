#include "entities/FenEditCompteController.h"

#include "entities/FenEditSoldeInitialController.h"
#include "entities/FenVarianteController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldIntegerN.h"
#include "toolkit/fields/TextViewPoste.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

#include <QFormLayout>
#include <QHBoxLayout>

#include <algorithm>

namespace {

constexpr long kMaxStatementDay = 31;

template <class W> W* named(const char* name, QWidget& parent)
{
    auto* control = new W(&parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QHBoxLayout* pair(QWidget* field, QWidget* pop)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(pop);
    return row;
}

long bankFilterOf(int type)
{
    switch (type) {
    case kBanqueLiquide:
        return kFilterBanqueLiquide;
    case kBanqueTiers:
        return kFilterBanqueTiers;
    default:
        return kFilterBanqueUser;
    }
}

} // namespace

void FenEditCompteController::buildTypeRows(QFormLayout& form, QWidget& parent)
{
    auto* field_banque = named<StdTextView>("field_banqueD", parent);
    field_banque->setEnabled(false);
    auto* pop_banque = named<PopCompte>("pop_banqueD", parent);
    pop_banque->setCanCreate(false);
    form.addRow(localizedAppl(QStringLiteral("FenEditCompte_banque")), pair(field_banque, pop_banque));
    form.addRow(localizedAppl(QStringLiteral("FenEditCompte_poste")),
                pair(named<TextViewPoste>("view_poste", parent), named<PopPoste>("pop_poste", parent)));
    auto* field_taxe = named<StdTextView>("field_taxe", parent);
    field_taxe->setEnabled(false);
    form.addRow(localizedAppl(QStringLiteral("FenEditCompte_taxe")),
                pair(field_taxe, named<PopTaxe>("pop_taxe", parent)));
    auto* days = new QHBoxLayout;
    for (std::size_t i = 0; i < m_dates.size(); ++i) {
        m_dates[i] = new TextFieldIntegerN(&parent);
        m_dates[i]->setObjectName(QStringLiteral("field_date%1").arg(i + 1));
        m_dates[i]->setFixedWidth(44);
        days->addWidget(m_dates[i]);
    }
    days->addStretch();
    form.addRow(localizedAppl(QStringLiteral("FenEditCompte_releves")), days);
}

int FenEditCompteController::compteType() const
{
    int type = kBanqueUser;
    tool().compteToBType(&type, &document());
    return type;
}

long FenEditCompteController::uniquenessBanque() const
{
    return pickers().banqueDID;
}

long FenEditCompteController::statementDay(const QString& typed)
{
    const QString digits = typed.trimmed();
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok) // empty, or more digits than a number holds
        return digits.isEmpty() ? 0 : kMaxStatementDay;
    return long(std::clamp<qlonglong>(value, 0, kMaxStatementDay));
}

void FenEditCompteController::FILL()
{
    const TOOL& compte = tool();
    pickers().posteID = compte.posteID;
    pickers().banqueDID = compte.ownerID;
    pickers().taxeID = compte.taxeID;
    if (auto* pop = outlet<PopCompte>(QStringLiteral("pop_banqueD"))) {
        pop->setPOPcompteCFilter(0);
        pop->setPOPcompteBFilter(qint32(bankFilterOf(compteType())));
    }
    FenEditToolController::FILL();
    FILL_POSTE();
    FILL_TAXE();
    FILL_DATES();
    if (compte.ident == kCompteInitialisationID) {
        setTexts(QStringLiteral("TITLE_COMPTE_INIT"), QStringLiteral("STATIC_COMPTE_INIT_INFO"));
        return;
    }
    if (compte.ident == kCompteAnonymeID) {
        setTexts(QStringLiteral("TITLE_COMPTE_ANONYME"), QStringLiteral("STATIC_COMPTE_ANONYME_INFO"));
        return;
    }
    switch (compteType()) {
    case kBanqueLiquide:
        setTexts(QStringLiteral("TITLE_COMPTE_LIQUIDE"), QStringLiteral("STATIC_COMPTE_LIQUIDE_INFO"));
        break;
    case kBanqueTiers:
        setTexts(QStringLiteral("TITLE_COMPTE_TIERS"), QStringLiteral("STATIC_COMPTE_TIERS_INFO"));
        break;
    case kBanqueUser:
        setTexts(QStringLiteral("TITLE_COMPTE_USER"), QStringLiteral("STATIC_COMPTE_USER_INFO"));
        break;
    default:
        break;
    }
}

void FenEditCompteController::FILL_POSTE()
{
    pickers().FILL_POSTE();
    const bool payee = compteType() == kBanqueTiers;
    if (auto* view = outlet<StdTextView>(QStringLiteral("view_poste")))
        view->setEnabled(payee);
    if (auto* pop = outlet<PopPoste>(QStringLiteral("pop_poste")))
        pop->setEnabled(payee);
}

void FenEditCompteController::FILL_TAXE()
{
    const bool payee = compteType() == kBanqueTiers;
    if (payee)
        pickers().FILL_TAXE();
    else if (auto* field = outlet<StdTextView>(QStringLiteral("field_taxe")))
        field->clear();
    if (auto* pop = outlet<PopTaxe>(QStringLiteral("pop_taxe")))
        pop->setEnabled(payee);
}

void FenEditCompteController::FILL_DATES()
{
    const TOOL& compte = tool();
    const bool own = compteType() == kBanqueUser;
    const std::array<long, 4> days {compte.dateReleve0, compte.dateReleve1, compte.dateReleve2, compte.dateReleve3};
    for (std::size_t i = 0; i < m_dates.size(); ++i) {
        m_dates[i]->setPlainText(own ? QString::number(days[i]) : QString());
        m_dates[i]->setEnabled(own);
    }
}

bool FenEditCompteController::READ()
{
    FenEditToolController::READ();
    TOOL& compte = tool();
    compte.posteID = pickers().posteID;
    compte.ownerID = pickers().banqueDID;
    compte.taxeID = pickers().taxeID;
    std::array<long*, 4> days {&compte.dateReleve0, &compte.dateReleve1, &compte.dateReleve2, &compte.dateReleve3};
    for (std::size_t i = 0; i < m_dates.size(); ++i)
        *days[i] = statementDay(m_dates[i]->toPlainText());
    return true;
}

long editCompteDialog(StdWindowController* parent, TOOL& compte, DOCUMENT& doc)
{
    return StdWindowController::pushModal<FenEditCompteController>(parent, toolEditorData(compte, doc), compte.devise);
}

namespace {

// A new account may already hold money, and one of the user's own banks may already have its
// cheque books and cards: both are offered while the account is fresh in mind.
void offerOpeningBalance(StdWindowController* parent, long compteID, int bType, DOCUMENT& doc)
{
    long answer = 0;
    askPoursuivre(parent, QStringLiteral("ASSIST009"), localizedDialogue(QStringLiteral("kConfirm_SoldeInitial")), true,
                  false, [&answer](long given) { answer = given; });
    if (answer == 2)
        askSoldeInitial(parent, compteID, doc);
    if (answer == 0 || bType != kBanqueUser)
        return;
    askPoursuivre(parent, QStringLiteral("ASSIST010"), localizedDialogue(QStringLiteral("kConfirm_Moyens")), true,
                  false, [&answer](long given) { answer = given; });
    if (answer == 2)
        editVariantesOfCompte(parent, compteID, false, doc);
}

} // namespace

bool createCompteWithDialog(StdWindowController* parent, long banqueID, int bType, long* compteID, DOCUMENT& doc)
{
    if (compteID)
        *compteID = -1;
    const TOOL* banque = getTool(kToolBanque, banqueID, &doc);
    if (!banque) {
        qWarning("Pas de banque ID=%ld", banqueID);
        return false;
    }
    TOOL compte = TOOL::newToolHdl(kToolCompte, banqueID, QString(), bType, banque->devise, &doc);
    if (editCompteDialog(parent, compte, doc) != 1)
        return false;
    const long ident = TOOL::addToolToDocumentNoCopy(kToolCompte, compte, &doc);
    if (ident < 0)
        return false;
    if (compteID)
        *compteID = ident;
    long place = 0;
    insertDeal(kToolCompte, *getTool(kToolCompte, ident, &doc), &place, &doc, false);
    if (bType != kBanqueTiers)
        offerOpeningBalance(parent, ident, bType, doc);
    return true;
}
