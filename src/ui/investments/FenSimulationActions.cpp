// The simulator's saved simulations (new, copy, save, delete, load), the names they may take, and
// the turning of a simulation into a loan.
#include "investments/FenSimulationController.h"

#include "investments/InvestmentWindows.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/DocContext.h"
#include "document/SimulationFile.h"
#include "engines/SimulationTransform.h"
#include "foundation/SystemClock.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/FINANCE.h"
#include "model/ITransactionWindows.h"

#include <QFile>
#include <QFileInfo>

namespace {

std::function<void(const QString&)>& empruntShower()
{
    static std::function<void(const QString&)> shower;
    return shower;
}

// A name that stands as one file name in the package as it is: no separator, no control
// character, no leading dot, and not empty.
bool isFitForFile(const QString& name)
{
    return !name.trimmed().isEmpty() && safeFileName(name) == name;
}

} // namespace

void setEmpruntShower(std::function<void(const QString& nom)> shower)
{
    empruntShower() = std::move(shower);
}

void FenSimulationController::resetSimulation()
{
    m_simul = newSimulation();
    m_configuration.clear();
    MyTotaux() = TOTAUX();
    FILL();
    table1()->reloadData();
    adjustHeight(false);
}

void FenSimulationController::NOUVELLE(QObject*)
{
    resetSimulation();
}

void FenSimulationController::NOUVELLE_COPIE(QObject*)
{
    m_configuration.clear();
    FILL();
}

void FenSimulationController::ENREGISTRER(QObject*)
{
    saveCurrentSimulation();
}

void FenSimulationController::CHARGER(QObject* item)
{
    gotoSimulationAtIndex(long(StdMenu::tagOf(item)));
}

bool FenSimulationController::gotoSimulationAtIndex(long index)
{
    const QStringList& list = DocContext::instance().simulationList;
    if (index < 0 || index >= list.size())
        return false;
    return gotoSimulationAtUrl(list.at(index));
}

bool FenSimulationController::gotoSimulationAtUrl(const QString& url)
{
    bool error = false;
    std::unique_ptr<SIMULrec> loaded = loadSimulation(url, &error);
    if (error || !loaded)
        return false;
    m_simul = std::move(loaded);
    m_configuration = QFileInfo(url).completeBaseName();
    FILL();
    SIMULER(nullptr);
    return true;
}

bool FenSimulationController::isNameAvailableForSimulation(const QString& name) const
{
    long index = -1;
    return !findSimulationNamed(name, &index);
}

bool FenSimulationController::isNameAvailableForEmprunt(const QString& name) const
{
    const DOCUMENT* doc = currentDocument();
    long index = -1;
    return !doc || !EMPRUNT::findEmpruntWithName(name, &index, *doc);
}

bool FenSimulationController::isNameAvailableForEcheancier(const QString& name) const
{
    long index = -1;
    return !findEcheancierByName(name, currentDocument(), &index);
}

bool FenSimulationController::assumeAvailableNameForSimulation(const QString& name, bool test)
{
    if (!test)
        return isNameAvailableForEmprunt(name) && isNameAvailableForEcheancier(name);
    const struct {
        bool available;
        const char* key;
        const char* image;
    } checks[] = {
        {isFitForFile(name), "kAlerte_BadSimulName", "simulateur"},
        {isNameAvailableForSimulation(name), "kAlerte_SimulationAlreadyExist", "simulateur"},
        {isNameAvailableForEmprunt(name), "kAlerte_EmpruntAlreadyExist", "placement"},
        {isNameAvailableForEcheancier(name), "kAlerte_EcheancierAlreadyExist", "echeancier_reel"},
    };
    for (const auto& check : checks) {
        if (!check.available) {
            alert(check.key, name, check.image);
            return false;
        }
    }
    return true;
}

bool FenSimulationController::askForAvailableSimulationName(QString* name)
{
    const QString initial = localizedMisc(QStringLiteral("kMisc_DefaultName"));
    for (;;) {
        QString asked;
        if (!askStringModal(this, QStringLiteral("kConfirm_AskSimulNom"), initial, &asked))
            return false;
        if (assumeAvailableNameForSimulation(asked, true)) {
            *name = asked;
            return true;
        }
    }
}

bool FenSimulationController::saveCurrentSimulation()
{
    if (DocContext::refusesChangeInPackage(this))
        return false;
    QString name;
    if (!askForAvailableSimulationName(&name) || !READ())
        return false;
    if (!saveSimulation(*m_simul, name, currentDocument())) {
        alert("kAlerte_FailSaveSimul", name, "simulateur");
        return false;
    }
    m_configuration = name;
    FILL();
    return true;
}

void FenSimulationController::SUPPRIMER(QObject*)
{
    const QString name = m_configuration;
    if (name.isEmpty() || DocContext::refusesChangeInPackage(this))
        return;
    if (!assumeAvailableNameForSimulation(name, false)) {
        alert("kMessage_cannotDeleteSimul", name, "simulateur");
        return;
    }
    QStringList& list = DocContext::instance().simulationList;
    long position = -1;
    if (!findSimulationNamed(name, &position) || position >= list.size() || !QFile::remove(list.at(position))) {
        alert("kAlerte_FailDeleteSimul", name, "simulateur");
        return;
    }
    list.removeAt(position);
    resetSimulation();
    alert("kAlerte_DeleteSimulOK", name, "simulateur", 1);
}

bool FenSimulationController::askGoOn(const QString& resource)
{
    long answer = 0;
    askPoursuivre(this, resource, QString(), true, false, [&answer](long code) { answer = code; });
    return answer == 1;
}

void FenSimulationController::TRANSFORMER(QObject*)
{
    if (simulationNbRows(m_simul.get()) == 0) {
        alert("kAlerte_EmptySimul", QString(), "simulateur");
        return;
    }
    if (!askGoOn(QStringLiteral("ASSIST130")))
        return;
    if (m_configuration.isEmpty() && !saveCurrentSimulation())
        return;
    const QString name = m_configuration;
    if (!assumeAvailableNameForSimulation(name, false)) {
        alert("kMessage_alreadyTransformed", name, "simulateur");
        return;
    }
    if (!askGoOn(QStringLiteral("ASSIST140")) || !transformIntoLoan(name))
        return;
    alert("kMessage_TransformOK", name, "placement", 1);
    if (empruntShower())
        empruntShower()(name);
}

// The user completes a template of the instalments; the loan and its schedule are made from it.
bool FenSimulationController::transformIntoLoan(const QString& name)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return false;
    TRANSACT templ = TRANSACT::moyenToTrans(doc->moyenHdl, 0, -1, SystemClock::now(), doc);
    SaisieRequest request;
    request.fam = 0;
    request.editObj = &templ;
    request.forSimul = true;
    if (!windowDoors() || windowDoors()->openSaisie(this, request) != kSaisieOK)
        return false;
    if (makeSimulData(*m_simul, templ, name, doc, this) == SimulTransformResult::Done)
        return true;
    alert("kAlerte_SimulationAbort", name, "simulateur");
    return false;
}
