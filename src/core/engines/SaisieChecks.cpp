#include "engines/SaisieChecks.h"

#include "foundation/dates.h"
#include "foundation/numbers.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/TransactOps.h"
#include "model/VARIANTE.h"

#include <algorithm>
#include <cstdlib>

namespace {

const QString kOK = QStringLiteral("LIB_BUTTON_OK");
const QString kAnnuler = QStringLiteral("LIB_BUTTON_ANNULER");
const QString kOui = QStringLiteral("LIB_BUTTON_OUI");
const QString kNon = QStringLiteral("LIB_BUTTON_NON");

bool sameInSlot(const MONTANT& a, const MONTANT& b, long slot)
{
    return sameDoubleMontant(a.getValueForDevise(slot), b.getValueForDevise(slot));
}

bool zeroInEverySlot(const MONTANT& m)
{
    return std::all_of(m.values.begin(), m.values.end(), [](double v) { return sameDoubleMontant(v, 0.0); });
}

bool isCarteOuCheque(int family)
{
    return family == kFamilyChequeDebit || family == kFamilyCarteDebit;
}

} // namespace

SaisieChecks::SaisieChecks(SaisieData& data, const SaisieWindowState& state, DOCUMENT* doc, SaisieDialogs& dialogs)
    : m_data(data)
    , m_state(state)
    , m_doc(doc)
    , m_dialogs(dialogs)
{
}

bool SaisieChecks::CHECK_GLOBAL()
{
    if (!CHECK_BALANCE() || !CHECK_GROUPEE() || !CHECK_DATE_RELEVE())
        return false;
    if (!m_data.forReal)
        return !m_data.storesInDocument() || checkStoredValidity();
    return CHECK_TRANS() && checkMontantQuestions() && checkFarDate() && checkReleves();
}

bool SaisieChecks::CHECK_BALANCE()
{
    const long slot = m_state.devise;
    if (m_state.hasTaxe()) {
        MONTANT sum;
        MONTANT::addMontant(m_state.montantHT, m_state.montantTaxe, sum);
        if (!sameInSlot(sum, m_state.montant, slot)) {
            m_dialogs.refuse(QStringLiteral("kAlerte_WrongFiscal"), QStringLiteral("taxe"), false);
            return false;
        }
    }
    if (m_state.hasPlacement()) {
        MONTANT sum;
        MONTANT::addMontant(m_state.capital, m_state.interets, sum);
        MONTANT::addMontant(sum, m_state.frais, sum);
        if (!sameInSlot(sum, m_state.montant, slot)) {
            m_dialogs.refuse(QStringLiteral("kAlerte_WrongFinance"), QStringLiteral("placement"), false);
            return false;
        }
    }
    return true;
}

bool SaisieChecks::CHECK_GROUPEE()
{
    if (m_data.rec.nbMultis() != 1)
        return true;
    m_dialogs.refuse(QStringLiteral("kAlerte_SingleMulti"), QStringLiteral("releve"), false);
    return false;
}

bool SaisieChecks::CHECK_DATE_RELEVE()
{
    const TRANSACT& rec = m_data.rec;
    if ((rec.releveID1 < 0 && rec.releveID2 < 0) || rec.when <= m_state.now)
        return true;
    m_dialogs.refuse(QStringLiteral("kAlerte_PointeeCannotFutur"), QStringLiteral("releve"), false);
    return false;
}

void SaisieChecks::refuseTrans(int code)
{
    m_dialogs.refuse(transErrToKey(code), QString(), true);
}

bool SaisieChecks::CHECK_TRANS()
{
    long moyenIndex = -1;
    const bool carteOuCheque = isCarteOuCheque(m_state.moyen);
    if (carteOuCheque && m_doc
        && !MOYEN::getMoyenIndex(m_doc->moyenHdl, m_state.moyen, m_data.rec.transToMoyenCompte(), &moyenIndex, m_doc))
        moyenIndex = -1;
    if (const int code = goodTransact(m_data.rec, moyenIndex, m_doc); code != 0) {
        refuseTrans(code);
        return false;
    }
    if (carteOuCheque && moyenIndex >= 0)
        endAlerts(moyenIndex);
    return true;
}

// Either answer lets the transaction through: the questions only warn. "Non" switches the warning
// off for good, so "Oui" is the answer that changes nothing.
void SaisieChecks::endAlerts(long moyenIndex)
{
    MOYEN* moyen = MOYEN::moyenAtIndex(m_doc->moyenHdl, moyenIndex);
    long index = -1;
    if (!moyen || !VARIANTE::findVariante(m_data.rec.variante, moyen->variantes, &index))
        return;
    VARIANTE& variante = moyen->variantes[index];
    if (variante.alerteDone)
        return;
    if (m_state.moyen == kFamilyCarteDebit && VARIANTE::transactAlerteCarte(m_data.rec.when, variante))
        doAlerteCarte(variante);
    else if (m_state.moyen == kFamilyChequeDebit && VARIANTE::transactAlerteCheque(m_data.rec.ref, variante))
        doAlerteCheque(variante);
}

bool SaisieChecks::doAlerteCheque(VARIANTE& variante)
{
    const bool first = m_dialogs.ask(QStringLiteral("kConfirm_EndOfChequier"), kOui, kNon, QStringLiteral("chequier"),
                                     SaisieDialogs::Safe::First);
    if (!first)
        variante.alerteDone = true;
    return first;
}

bool SaisieChecks::doAlerteCarte(VARIANTE& variante)
{
    const bool first = m_dialogs.ask(QStringLiteral("kConfirm_EndOfCarte"), kOui, kNon, QStringLiteral("carte"),
                                     SaisieDialogs::Safe::First);
    if (!first)
        variante.alerteDone = true;
    return first;
}

bool SaisieChecks::checkStoredValidity()
{
    int code = 0;
    if (!goodTransactMontant(m_data.rec))
        code = kBadTransMontant;
    else
        goodTransactCompte(m_data.rec, m_doc, &code);
    if (code == 0)
        return true;
    refuseTrans(code);
    return false;
}

bool SaisieChecks::checkMontantQuestions()
{
    const MONTANT& montant = m_state.montant;
    QString question;
    if (!m_state.annulee && zeroInEverySlot(montant))
        question = QStringLiteral("kConfirm_ZeroTrans");
    else if (!m_data.oldSolde.nullMontant() && !sameInSlot(m_data.oldSolde, montant, m_state.devise))
        question = QStringLiteral("kConfirm_ChangeTrans");
    return question.isEmpty() || m_dialogs.ask(question, kOK, kAnnuler, QString(), SaisieDialogs::Safe::Second);
}

bool SaisieChecks::isFarDate(double date, double today)
{
    return std::labs(dateYear(date) - dateYear(today)) >= 5;
}

bool SaisieChecks::checkFarDate()
{
    if (!isFarDate(m_data.rec.when, m_state.now))
        return true;
    return m_dialogs.ask(QStringLiteral("kConfirm_FarDate"), kOK, kAnnuler, QStringLiteral("calendrier"),
                         SaisieDialogs::Safe::Second);
}

void SaisieChecks::carryReleves(const TRANSACT& old, TRANSACT& rec)
{
    auto tickOf = [&old](long compte) {
        if (compte == old.who1)
            return old.releveID1;
        if (compte == old.who2)
            return old.releveID2;
        return -1L;
    };
    rec.releveID1 = tickOf(rec.who1);
    rec.releveID2 = tickOf(rec.who2);
}

bool SaisieChecks::losesReleve(const TRANSACT& old, const TRANSACT& rec)
{
    auto gone = [&rec](long compte) { return compte != rec.who1 && compte != rec.who2; };
    return (gone(old.who1) && old.releveID1 >= 0) || (gone(old.who2) && old.releveID2 >= 0);
}

bool SaisieChecks::checkReleves()
{
    if (losesReleve(m_data.oldTransHdl, m_data.rec)
        && !m_dialogs.ask(QStringLiteral("kConfirm_ChangeReleve"), kOK, kAnnuler, QStringLiteral("releve"),
                          SaisieDialogs::Safe::Second))
        return false;
    carryReleves(m_data.oldTransHdl, m_data.rec);
    return true;
}
