#include "ApplicationDelegate.h"
#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "app/FenAboutController.h"
#include "app/FenAboutReglesController.h"
#include "app/FenAuteurController.h"
#include "app/FenLettreController.h"
#include "app/FenNotifySauvegardeController.h"
#include "app/FenPasswordController.h"
#include "app/FenPreferencesController.h"
#include "app/WindowMemory.h"
#include "calculator/FenCalculetteController2.h"
#include "document/APPLIPARAM.h"
#include "document/BackupManager.h"
#include "document/ClassState.h"
#include "document/DocContext.h"
#include "document/DocumentCheck.h"
#include "document/ICloudDelegate.h"
#include "document/RecentDocument.h"
#include "document/SVDocumentManager.h"
#include "document/SavedSearches.h"
#include "engines/ChronoManager.h"
#include "engines/LISTING.h"
#include "engines/TransactClipboard.h"
#include "entities/FenBanqueController.h"
#include "entities/FenDeviseController.h"
#include "entities/FenDossierController.h"
#include "entities/FenEditCompteController.h"
#include "entities/FenEditPosteController.h"
#include "entities/FenFavoriController.h"
#include "entities/FenLogoController.h"
#include "entities/FenMacroController.h"
#include "entities/FenReglesController.h"
#include "entities/FenSynonymeController.h"
#include "entities/FenTaxeController.h"
#include "foundation/ISounds.h"
#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "graphs/FenBilanController.h"
#include "graphs/FenGraphiqueController.h"
#include "investments/FenFinanceEmpruntController.h"
#include "investments/FenFinanceRemunereController.h"
#include "investments/FenFinanceTitreController.h"
#include "investments/FenSimulationController.h"
#include "investments/InvestmentWindows.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/ECHEANCIER.h"
#include "model/GRAPH.h"
#include "model/MACRO.h"
#include "model/MONTANT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"
#include "quotes/DeviseRates.h"
#include "quotes/PortfolioManager.h"
#include "quotes/WebQuoteService.h"
#include "schedules/FenAwakeController.h"
#include "schedules/FenEcheancierController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenCalendrierController.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/windowutils.h"
#include "transactions/FenEditConversionController.h"
#include "transactions/RechercheCommand.h"
#include "transactions/SaisieRoutine.h"
#include "transactions/TransactionWindows.h"
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QSettings>
#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

void ApplicationDelegate::CALENDRIER(QObject* sender)
{
    Q_UNUSED(sender);
    openCalendrier(true);
}

StdWindowController* ApplicationDelegate::openCalendrier(bool appear)
{
    if (m_calendrier && m_calendrier->windowIfLoaded()) {
        if (appear)
            showWindowOfController(m_calendrier->window());
        return m_calendrier;
    }
    WindowDataPtr data = makeWindowData();
    data->date = SystemClock::now();
    m_calendrier = StdWindowController::push<FenCalendrierController>(data, MONTANT::currentDeviseSlot(), appear);
    return m_calendrier;
}

void ApplicationDelegate::CALCULETTE(QObject* sender)
{
    Q_UNUSED(sender);
    FenCalculetteController::openCalculette(MONTANT::currentDeviseSlot());
}

void ApplicationDelegate::PALETTE_OUTILS(QObject* sender)
{
    Q_UNUSED(sender);
    if (FenPaletteToolController::paletteOutils())
        closePaletteOutils();
    else
        openPaletteOutils(true);
}

void ApplicationDelegate::BANQUES(QObject* sender)
{
    Q_UNUSED(sender);
    showBanques();
}

void ApplicationDelegate::LETTRES(QObject* sender)
{
    Q_UNUSED(sender);
    showLetters();
}

void ApplicationDelegate::DEVISES(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenDeviseController::openDevises(MONTANT::currentDeviseSlot());
}

void ApplicationDelegate::TAXES(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenTaxeController::openTaxes(MONTANT::currentDeviseSlot());
}

void ApplicationDelegate::SIMULATION(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenSimulationController::openSimulation(MONTANT::currentDeviseSlot());
}

// The quote service asks the network only at the address the user set; a service already
// installed (a test's) is left in place.
void ApplicationDelegate::installWebQuotes()
{
    const APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    PortfolioManager::sharedInstance().setRootPath(param.quoteRootPath);
    PortfolioManager::sharedInstance().setTableStore(param.quoteTableStore);
    if (quoteService())
        return;
    m_quoteService = std::make_unique<WebQuoteService>();
    installQuoteService(m_quoteService.get());
}

void ApplicationDelegate::LOGOS(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenLogoController::openLogos();
}

void ApplicationDelegate::FAVORIS(QObject* sender)
{
    Q_UNUSED(sender);
    FenFavoriController::openFavoris();
}

void ApplicationDelegate::PREFERENCES(QObject* sender)
{
    Q_UNUSED(sender);
    FenPreferencesController::openPreferences();
}

void ApplicationDelegate::DOSSIERS(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        showDossiers();
}

void ApplicationDelegate::MACROS(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        showMacros();
}

// The rules edited here apply whatever account a transaction was imported into: the user is told
// when the parameter that lets them do so is off.
void ApplicationDelegate::EDIT_REGLES(QObject* sender)
{
    if (!bankIsOpen())
        return;
    if (!FenReglesController::current() && !APPLIPARAM::loadAppliParam().reglesManuel) {
        auto* parent = qobject_cast<StdWindowController*>(sender);
        showAlertOK(parent, localizedDialogue(QStringLiteral("kAlerte_needsManualRegles")), QString(),
                    QStringLiteral("information"), 1);
    }
    showRegles();
}

void ApplicationDelegate::GERER(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        showSynonymes();
}

void ApplicationDelegate::TITRES(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenFinanceTitreController::openTitres();
}

void ApplicationDelegate::REMUNERES(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenFinanceRemunereController::openRemuneres();
}

void ApplicationDelegate::EMPRUNTS(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenFinanceEmpruntController::openEmprunts();
}

void ApplicationDelegate::showEmpruntAtName(const QString& name)
{
    if (!bankIsOpen())
        return;
    if (FenFinanceEmpruntController* emprunts = FenFinanceEmpruntController::openEmprunts())
        emprunts->showEmpruntAtName(name);
}

void ApplicationDelegate::ECHEANCIERS(QObject* sender)
{
    Q_UNUSED(sender);
    if (bankIsOpen())
        FenEcheancierController::openEcheanciers(MONTANT::currentDeviseSlot());
}

int ApplicationDelegate::showAwakeList(QList<AWAKE>& list, DOCUMENT* doc, const QString& info)
{
    return ::showAwakeList(list, doc, info);
}

void ApplicationDelegate::ABOUT_REGLES(QObject* sender)
{
    Q_UNUSED(sender);
    showRulesHelp();
}

void ApplicationDelegate::ABOUT(QObject* sender)
{
    Q_UNUSED(sender);
    showAbout();
}

void ApplicationDelegate::NOUVELLE_OPERATION(QObject* sender)
{
    Q_UNUSED(sender);
    if (m_bankIsOpen)
        m_transactionWindows->runNewTransactions();
}

void ApplicationDelegate::RECHERCHE(QObject* sender)
{
    Q_UNUSED(sender);
    if (m_bankIsOpen && m_document)
        openRechercheWindow(*m_document);
}

void ApplicationDelegate::ANALYSE(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_bankIsOpen || !m_document || !m_document->docParam)
        return;
    const DOCPARAM& parameters = *m_document->docParam;
    openNewAnalyseWindow(*m_document, parameters.lastConfAnalyse, parameters.lastAnalyseAnalyseMonth, std::nullopt,
                         true);
}

void ApplicationDelegate::BUDGET(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_bankIsOpen || !m_document || !m_document->docParam)
        return;
    const DOCPARAM& parameters = *m_document->docParam;
    openBudgetWindow(*m_document, parameters.lastConfAnalyse, parameters.lastAnalyseAnalyseMonth, std::nullopt, true);
}

void ApplicationDelegate::GRAPHIQUE(QObject* sender)
{
    Q_UNUSED(sender);
    if (!m_bankIsOpen || !m_document)
        return;
    openGraphiqueWindow(nullptr, true, kGraphModePoste, DOCPARAM::getDefaultPoste(m_document.get()), *m_document,
                        MONTANT::currentDeviseSlot());
}

void ApplicationDelegate::BILAN(QObject* sender)
{
    Q_UNUSED(sender);
    if (m_bankIsOpen && m_document)
        FenBilanController::openBilan(MONTANT::currentDeviseSlot());
}

void ApplicationDelegate::EDIT_CONVERSION(StdWindow* window, QObject* item)
{
    editConversionDialog(window ? qobject_cast<StdWindowController*>(window->controller()) : nullptr, item);
}

long ApplicationDelegate::CREATE_POSTE(QObject* window, QObject* item)
{
    DOCUMENT* doc = document();
    const long dossierID = item ? long(StdMenu::tagOf(item)) : -1;
    if (!doc || !DOSSIER::dossierWithIdent(dossierID, *doc))
        return -1;
    auto* stdWindow = qobject_cast<StdWindow*>(window);
    auto* parent = stdWindow ? qobject_cast<StdWindowController*>(stdWindow->controller()) : nullptr;
    return createPosteWithDialog(parent, dossierID, *doc);
}

long ApplicationDelegate::CREATE_COMPTE(QObject* window, QObject* item)
{
    DOCUMENT* doc = document();
    const QVariant banque = StdMenu::representedObject(item);
    const TOOL* owner = doc && banque.isValid() ? getTool(kToolBanque, banque.toLongLong(), doc) : nullptr;
    if (!owner)
        return -1;
    auto* stdWindow = qobject_cast<StdWindow*>(window);
    auto* parent = stdWindow ? qobject_cast<StdWindowController*>(stdWindow->controller()) : nullptr;
    long ident = -1;
    if (createCompteWithDialog(parent, owner->ident, owner->bType, &ident, *doc))
        sendToAllWindowDelegates(Sel::compteHasBeenCreated, QVariant::fromValue<qlonglong>(ident));
    return ident;
}

void ApplicationDelegate::doAuteur(StdWindow* window)
{
    ::doAuteur(qobject_cast<StdWindowController*>(window ? window->controller() : nullptr));
}
