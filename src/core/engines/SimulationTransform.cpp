#include "engines/SimulationTransform.h"

#include "engines/ChronoManager.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/FINANCE.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"

#include <cmath>

namespace {

constexpr long kCompteInitialisation = 5;

QString simulLabel(const char* key, const QString& name)
{
    return QStringLiteral("%1 %2 %3")
        .arg(localizedAppl(QString::fromLatin1(key)), name, localizedAppl("simul_apointer"));
}

void setRowAmounts(TRANSACT& trans, const TOTAUX& row)
{
    trans.solde.setFromMontant(row.total1);
    trans.quote1.setFromMontant(row.total2);
    trans.quote2.setFromMontant(row.total3);
    trans.quote3.setFromMontant(row.total6);
}

void makeSimulPlanificator(Planificator& plan, double first)
{
    plan.initWithFirstDate(first, Planificator::kTypeEcheancier);
    plan.repeatTimeUnit = Planificator::kUnitMonth;
    plan.repeatTimeUnitCount = 1;
    plan.nbEcheance = 1;
    plan.permanent = false;
    plan.reconductionType = 0;
    plan.reconductionTimeUnit = Planificator::kUnitMonth;
    plan.reconductionTimeUnitCount = 1;
    plan.reconductionNbEcheance = 1;
    plan.reconductionPermanent = false;
    plan.valideType = Planificator::kValideOwnDate;
    plan.valideTimeUnit = Planificator::kUnitMonth;
    plan.valideTimeUnitCount = 1;
    plan.dateEcriture = 0;
    plan.avance = 0;
}

ECHEANCIER makeSimulEcheancier(const SIMULrec& rec, const TRANSACT& templ, const QString& name, long empruntID,
                               const DOCUMENT* doc)
{
    ECHEANCIER echeancier = ECHEANCIER::newEcheancier(doc);
    echeancier.nom = name;
    makeSimulPlanificator(echeancier.planificator, templ.when);
    echeancier.transact = copyTransact(templ);
    echeancier.transact.empruntID = empruntID;
    setRowAmounts(echeancier.transact, rec.rows.front());
    for (size_t k = 1; k < rec.rows.size(); ++k) {
        PECHEANCIER perso = allocNewPEcheancier(echeancier);
        perso.transact = copyTransact(echeancier.transact);
        perso.transact.when = simulInstalmentDate(templ.when, static_cast<long>(k) + 1);
        perso.transact.planifiedDate = perso.transact.when;
        setRowAmounts(perso.transact, rec.rows[k]);
        echeancierInsertPersoSorted(echeancier, perso);
    }
    return echeancier;
}

double compteSolde(long compteID, long slot, const DOCUMENT* doc)
{
    const TOOL* compte = TOOL::getTool(1, compteID, doc);
    return compte ? compte->solde.getValueForDevise(slot) : 0.0;
}

// Undoes what the transform stored: the transactions written from its schedule, the schedule and
// the loan.
void rollback(long echeancierID, long empruntID, DOCUMENT* doc)
{
    {
        const TransactBatch batch(doc);
        for (long i = doc->transact_array.size() - 1; i >= 0; --i) {
            if (doc->transact_array[i].chronoID == echeancierID)
                deleteTransact(i, doc, true, true);
        }
    }
    long position = -1;
    if (echeancierID >= 0 && findEcheancierIndexPosition(echeancierID, &position, doc))
        removeEcheancierAtIndexPosition(position, doc);
    for (long i = 0; i < doc->empruntHdl.size(); ++i) {
        if (doc->empruntHdl[i].ident == empruntID) {
            EMPRUNT::unInsertEmprunt(i, *doc);
            break;
        }
    }
}

// From the initialisation account to the account, by the amount that puts its balance back; a
// negative amount is stored as the positive one between swapped accounts.
void correctSolde(long compteID, double change, const TRANSACT& model, const QString& name, DOCUMENT* doc)
{
    int bType = 0;
    if (std::fabs(change) < 0.005 || !TOOL::compteIDToBType(compteID, &bType, doc) || bType == kBanqueTiers)
        return;
    TRANSACT correction = TRANSACT::allocNewTransact(doc);
    correction.devise = model.devise;
    correction.when = SystemClock::now();
    correction.planifiedDate = correction.when;
    double amount = -change;
    correction.who1 = kCompteInitialisation;
    correction.who2 = compteID;
    if (amount < 0) {
        std::swap(correction.who1, correction.who2);
        amount = -amount;
    }
    correction.solde.makeMontant(model.devise, amount, doc->deviseHdl);
    correction.why = simulLabel("simul_correctif", name);
    long index = 0;
    makeTransact(correction, &index, doc, true, true);
}

void storeApport(const SIMULrec& rec, const ECHEANCIER& echeancier, const TRANSACT& templ, const QString& name,
                 DOCUMENT* doc)
{
    TRANSACT apport = copyTransact(templ);
    apport.devise = echeancier.transact.devise;
    apport.when = echeancier.planificator.firstDate;
    apport.planifiedDate = apport.when;
    apport.who1 = templ.who2;
    apport.who2 = templ.who1;
    apport.solde.setFromMontant(rec.montant);
    apport.quote1.setFromMontant(rec.montant);
    apport.quote2 = MONTANT();
    apport.quote3 = MONTANT();
    apport.empruntID = echeancier.transact.empruntID;
    apport.why = simulLabel("simul_apport", name);
    long index = 0;
    makeTransact(apport, &index, doc, true, true);
}

} // namespace

double simulInstalmentDate(double first, long k)
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, first);
    const long months = (month - 1) + (k - 1);
    const long targetYear = year + months / 12;
    const long targetMonth = months % 12 + 1;
    double date = 0;
    dmyToDate(std::min(day, daysInMonth(targetMonth, targetYear)), targetMonth, targetYear, &date);
    return date + (first - startOfDay(first));
}

SimulTransformResult makeSimulData(const SIMULrec& rec, const TRANSACT& templ, const QString& name, DOCUMENT* doc,
                                   QObject* parentWindow)
{
    if (!doc || rec.rows.empty())
        return SimulTransformResult::Failed;
    FINANCE emprunt = EMPRUNT::allocNewEmprunt(*doc);
    emprunt.nom = name;
    bool debit = false;
    bool credit = false;
    transactCheckDebitCredit(templ, -1, &debit, &credit, doc);
    emprunt.pret = credit;
    const long empruntPosition = EMPRUNT::insertEmprunt(emprunt, *doc);

    long echeancierPosition = -1;
    const ECHEANCIER made = makeSimulEcheancier(rec, templ, name, emprunt.ident, doc);
    const long echeancierID = addEcheancier(made, doc, -1, &echeancierPosition);
    const ECHEANCIER* stored = nullptr;
    if (echeancierID < 0 || !findEcheancier(echeancierID, static_cast<const DOCUMENT*>(doc), &stored, nullptr)) {
        svLog(QStringLiteral("Probleme addEcheancier dans makeSimulData."));
        rollback(echeancierID, emprunt.ident, doc);
        return SimulTransformResult::Failed;
    }
    const ECHEANCIER echeancier = *stored;
    const long slot = echeancier.transact.devise;
    const long who1 = echeancier.transact.who1;
    const long who2 = echeancier.transact.who2;
    const double solde1 = compteSolde(who1, slot, doc);
    const double solde2 = compteSolde(who2, slot, doc);

    bool cancelled = false;
    const QString information
        = QStringLiteral("%1 %2 %3").arg(localizedAppl("simul_historique_pret"), name, localizedAppl("simul_apointer"));
    collectAwakeOccurrences(parentWindow, doc, &echeancier, information, &cancelled);
    if (cancelled) {
        rollback(echeancierID, emprunt.ident, doc);
        return SimulTransformResult::Abandoned;
    }
    storeApport(rec, echeancier, templ, name, doc);
    correctSolde(who1, compteSolde(who1, slot, doc) - solde1, echeancier.transact, name, doc);
    if (who2 != who1)
        correctSolde(who2, compteSolde(who2, slot, doc) - solde2, echeancier.transact, name, doc);
    sendToAllWindowDelegates(Sel::notifyNewEmprunt, QVariant::fromValue<qint64>(empruntPosition));
    sendToAllWindowDelegates(Sel::notifyNewEcheancier, QVariant::fromValue<qint64>(echeancierID),
                             QVariant::fromValue<qint64>(0));
    return SimulTransformResult::Done;
}
