#include "transactions/SaisieMoyenPanel.h"

#include "transactions/FenEditSaisieController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopVariante.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Synonyme.h"
#include "model/TOOL.h"

#include <QLabel>

namespace {

bool isNumberedFamily(int family)
{
    return family == kFamilyVirementInterne || family == kFamilyGuichetDebit || family == kFamilyChequeDebit;
}

} // namespace

SaisieMoyenPanel::SaisieMoyenPanel(FenEditSaisieController& window)
    : m_window(window)
{
}

void SaisieMoyenPanel::fillMoyenWithFamily(int family, long synonymeID)
{
    m_window.pickers().moyenID = family;
    m_window.setSynonymeID(synonymeID);
    PopMoyen* moyens = m_window.controls().pop_moyen;
    moyens->setFilter(true);
    moyens->setDebitID(m_window.pickers().compteDID);
    moyens->setCreditID(m_window.pickers().compteCID);
    moyens->setEnabled(!m_window.isMoyenLocked());
}

QString SaisieMoyenPanel::transactTitle() const
{
    const DOCUMENT* doc = currentDocument();
    const long ident = m_window.synonymeID();
    const Synonyme* synonyme = doc && ident >= 0 ? Synonyme::synonymeWithIdent(ident, doc->synonymeArray) : nullptr;
    return synonyme ? synonyme->nom : moyenNameForFamily(m_window.pickers().moyenID);
}

void SaisieMoyenPanel::addUserFantasia(bool accountsRebuilt)
{
    const SaisieControls& c = m_window.controls();
    const bool locked = m_window.locked();
    const SaisieFamilyLabels& labels = saisieFamilyLabels(m_window.pickers().moyenID);
    c.titre_variante->setText(localizedMisc(QString::fromLatin1(labels.variante)));
    c.titre_montant->setText(localizedMisc(QString::fromLatin1(labels.montant)));
    c.titre_debit->setText(localizedMisc(QString::fromLatin1(labels.debit)));
    c.titre_credit->setText(localizedMisc(QString::fromLatin1(labels.credit)));
    c.titre_reference->setText(localizedMisc(QString::fromLatin1(labels.reference)));
    const bool varianteEnabled = labels.varianteUsable && !locked;
    c.pop_variante->setEnabled(varianteEnabled);
    FenEditSaisieController::setTitleEnabled(c.titre_variante, varianteEnabled);
    c.pop_variante->setImage(StdPopUp::itemImage(saisieVarianteImageName(m_window.pickers().moyenID)));
    c.pop_compteD->setPOPcompteCFilter(qint32(labels.debitFilter));
    c.pop_compteC->setPOPcompteCFilter(qint32(labels.creditFilter));
    const bool debit = saisieSideEnabled(labels, SaisieMaskedSide::Debit, accountsRebuilt, locked);
    const bool credit = saisieSideEnabled(labels, SaisieMaskedSide::Credit, accountsRebuilt, locked);
    static_cast<StdTextView*>(c.view_compteD)->setEnabled(debit);
    c.pop_compteD->setEnabled(debit);
    FenEditSaisieController::setTitleEnabled(c.titre_debit, debit);
    static_cast<StdTextView*>(c.view_compteC)->setEnabled(credit);
    c.pop_compteC->setEnabled(credit);
    FenEditSaisieController::setTitleEnabled(c.titre_credit, credit);
}

bool SaisieMoyenPanel::askChangeMoyen(int family)
{
    return showAlert(&m_window, Dialog::keyString(QStringLiteral("kConfirm_ChangeMoyen")), QString(),
                     Dialog::yesString(), Dialog::noString(), QString(), MOYEN::getActionIcone(family), 0,
                     kAlertSecondButton)
        == kAlertFirstButton;
}

void SaisieMoyenPanel::modifyComptesForFamily(int family)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    const TRANSACT built
        = TRANSACT::moyenToTrans(doc->moyenHdl, family, m_window.data().ident, dateForNewTransact(), doc);
    m_window.pickers().compteDID = built.who1;
    m_window.pickers().compteCID = built.who2;
    fillMoyenWithFamily(family, m_window.synonymeID());
    m_window.pickers().FILL_COMPTED();
    m_window.pickers().FILL_COMPTEC();
}

void SaisieMoyenPanel::MOYEN(QObject* item)
{
    const int family = int(StdMenu::tagOf(item));
    m_window.rec().synonymeID = -1;
    m_window.setSynonymeID(-1);
    bool rebuilt = false;
    const QVariantMap represented = StdMenu::representedObject(item).toMap();
    if (!represented.isEmpty()) {
        if (represented.contains(QStringLiteral("synonyme"))) {
            const long ident = represented.value(QStringLiteral("synonyme")).value<Synonyme>().ident;
            m_window.rec().synonymeID = ident;
            m_window.setSynonymeID(ident);
        }
        fillMoyenWithFamily(m_window.pickers().moyenID, m_window.synonymeID());
        if (represented.value(QStringLiteral("need")).toBool()) {
            if (!askChangeMoyen(family))
                return;
            modifyComptesForFamily(family);
            rebuilt = true;
        }
    }
    m_window.pickers().MOYEN(item);
    chooseVarianteForFamily(family);
    addUserFantasia(rebuilt);
    m_window.pickers().FILL_MOYEN(m_window.synonymeID());
}

// Cheques and cards start from the book or card last used on the account; the other families
// leave the cheque books of the account on offer, none chosen.
void SaisieMoyenPanel::chooseVarianteForFamily(int family)
{
    PopVariante* variantes = m_window.controls().pop_variante;
    const long compteID = m_window.pickers().compteDID;
    variantes->setCompteID(compteID);
    if (family != kFamilyChequeDebit && family != kFamilyCarteDebit) {
        variantes->setFamily(kFamilyChequeDebit);
        VARIANTE_WITH_ID(-1);
        return;
    }
    variantes->setFamily(family);
    DOCUMENT* doc = currentDocument();
    long index = -1;
    if (doc && MOYEN::getMoyenIndex(doc->moyenHdl, family, compteID, &index, doc))
        VARIANTE_WITH_ID(doc->moyenHdl[index].lastVarianteID);
    else
        VARIANTE_WITH_ID(-1);
}

void SaisieMoyenPanel::FILL_TRANS_VARIANTE()
{
    const TRANSACT& rec = m_window.rec();
    m_window.controls().pop_variante->setCompteID(rec.who1);
    m_window.controls().pop_variante->setFamily(rec.moyen);
    m_window.pickers().varianteID = rec.variante;
    if (needsNewNumber())
        NEW_NUMBER();
}

void SaisieMoyenPanel::VARIANTE_WITH_ID(long varianteID)
{
    m_window.pickers().varianteID = varianteID;
    m_window.pickers().FILL_VARIANTE();
    if (varianteID >= 0)
        NEW_NUMBER();
    memoriseVariante();
}

bool SaisieMoyenPanel::needsNewNumber() const
{
    return m_window.data().pos < 0 && isNumberedFamily(m_window.controls().pop_variante->getFamily());
}

void SaisieMoyenPanel::NEW_NUMBER()
{
    const PopVariante* variantes = m_window.controls().pop_variante;
    const int family = variantes->getFamily();
    if (!isNumberedFamily(family))
        return;
    const VARIANTE* variante = MOYEN::varianteForFamily(family, long(variantes->getCompteID()),
                                                        m_window.pickers().varianteID, currentDocument());
    if (variante)
        m_window.controls().field_reference->setPlainText(variante->newReference());
}

void SaisieMoyenPanel::memoriseVariante()
{
    const PopVariante* variantes = m_window.controls().pop_variante;
    const int family = variantes->getFamily();
    const long varianteID = m_window.pickers().varianteID;
    DOCUMENT* doc = currentDocument();
    if (!doc || varianteID < 0 || !(isNumberedFamily(family) || family == kFamilyCarteDebit))
        return;
    long index = -1;
    if (MOYEN::getSaisieMoyenIndex(doc->moyenHdl, family, long(variantes->getCompteID()), &index, doc))
        doc->moyenHdl[index].lastVarianteID = varianteID;
}

void SaisieMoyenPanel::setAutoImputationsForCompteID(long compteID)
{
    const DOCUMENT* doc = currentDocument();
    const TOOL* compte = getTool(kToolCompte, compteID, doc);
    if (!compte)
        return;
    m_window.pickers().posteID = compte->posteID >= 0 ? compte->posteID : DOCPARAM::getDefaultPoste(doc);
    m_window.pickers().taxeID = compte->taxeID >= 0 ? compte->taxeID : -1;
    m_window.COMPUTE_TAXE();
    m_window.pickers().FILL_POSTE();
    m_window.pickers().FILL_TAXE();
    m_window.updateTabView();
}
