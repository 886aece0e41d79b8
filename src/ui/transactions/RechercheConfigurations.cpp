#include "transactions/RechercheConfigurations.h"

#include "transactions/FenRechercheController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskStringController.h"

#include "document/DocContext.h"
#include "document/SavedSearches.h"
#include "foundation/IDesktop.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QFileInfo>

namespace {

const QString kImage = QStringLiteral("loupe");

} // namespace

RechercheConfigurations::RechercheConfigurations(FenRechercheController& window)
    : m_window(window)
{
}

DOCUMENT* RechercheConfigurations::document()
{
    return currentDocument();
}

QString RechercheConfigurations::currentURL()
{
    const DocContext& context = DocContext::instance();
    const long current = context.selectedSavedSearch;
    return current >= 0 && current < context.savedSearchList.size() ? context.savedSearchList[current] : QString();
}

void RechercheConfigurations::setLastSearch(const QString& name)
{
    DOCUMENT* doc = document();
    if (doc && doc->docParam)
        doc->docParam->lastConfRecherche = name;
}

void RechercheConfigurations::alert(const QString& key, const QString& information) const
{
    showAlertOK(&m_window, Dialog::keyString(key), information, kImage, 1);
}

QString RechercheConfigurations::askFileName(const QString& promptKey, const QString& initialText,
                                             const QString& unchanged) const
{
    QString name;
    if (!askStringModal(&m_window, promptKey, initialText, &name))
        return QString();
    if (!unchanged.isNull() && name.compare(unchanged, Qt::CaseInsensitive) == 0)
        return QString();
    QString fileName = savedSearchFileName(name);
    if (fileName.isEmpty()) {
        alert(QStringLiteral("kRechercheBadName"), name);
        return QString();
    }
    if (savedSearchURL(fileName, nullptr, document())) {
        alert(QStringLiteral("kRechercheAlreadyExists"), name);
        return QString();
    }
    return fileName;
}

// An unreadable file leaves no saved search current: saved back, it would become the defaults.
void RechercheConfigurations::RECHERCHE(long tag)
{
    if (!ENREGISTRER())
        return;
    DocContext& context = DocContext::instance();
    const DOCUMENT* doc = document();
    Critere& critere = FenRechercheController::critere();
    const bool known = tag >= 0 && tag < context.savedSearchList.size();
    context.selectedSavedSearch = known ? tag : -1;
    if (!known) {
        critere.defaultCritere(doc);
        setLastSearch(QString());
    } else if (loadCritereFromURL(critere, context.savedSearchList[tag], doc)) {
        setLastSearch(savedSearchName(context.savedSearchList[tag]));
    } else {
        beep();
        critere.defaultCritere(doc);
        context.selectedSavedSearch = -1;
    }
    m_window.FILL();
}

void RechercheConfigurations::CREER()
{
    if (DocContext::refusesChangeInPackage(&m_window))
        return;
    const QString fileName = askFileName(QStringLiteral("kPrompt_CreateRechercheName"),
                                         localizedDialogue(QStringLiteral("kDefault_RechercheName")), QString());
    if (fileName.isEmpty())
        return;
    m_window.READ();
    QString url;
    if (!saveCritereToSearches(FenRechercheController::critere(), fileName, document(), &url)) {
        alert(QStringLiteral("kAlerte_search_save_droit"), QString());
        return;
    }
    DocContext& context = DocContext::instance();
    context.savedSearchList.append(url);
    context.selectedSavedSearch = context.savedSearchList.size() - 1;
    setLastSearch(savedSearchName(url));
    m_window.FILL();
}

// The file is replaced in one step (written beside it, then renamed over it): a failed write
// keeps the search as it was saved before.
bool RechercheConfigurations::ENREGISTRER()
{
    if (!m_window.READ())
        return false;
    const QString url = currentURL();
    // In a document kept without saving, the edited criterion stays in memory only.
    if (url.isEmpty() || !QFileInfo::exists(url) || !DocContext::mayWriteAt(url))
        return true;
    if (saveCritereToSearches(FenRechercheController::critere(), QFileInfo(url).fileName(), document(), nullptr))
        return true;
    alert(QStringLiteral("kAlerte_search_save_droit"), savedSearchName(url));
    return false;
}

void RechercheConfigurations::SUPPRIMER()
{
    const QString url = currentURL();
    if (url.isEmpty() || DocContext::refusesChangeInPackage(&m_window))
        return;
    int answer = kAlertFirstButton;
    Dialog::confirmation(&m_window, localizedDialogue(QStringLiteral("kConfirm_suppRecherche")), savedSearchName(url),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(), kImage, 1, kAlertFirstButton,
                         [&answer](int code) { answer = code; });
    if (answer != kAlertSecondButton)
        return;
    if (!removeSavedSearch(url)) {
        beep();
        return;
    }
    DocContext& context = DocContext::instance();
    context.savedSearchList.removeAt(context.selectedSavedSearch);
    context.selectedSavedSearch = -1;
    m_window.FILL();
}

void RechercheConfigurations::RENOMMER()
{
    const QString url = currentURL();
    if (url.isEmpty() || DocContext::refusesChangeInPackage(&m_window))
        return;
    const QString oldName = savedSearchName(url);
    const QString fileName = askFileName(QStringLiteral("kPrompt_RenommerRechercheName"), oldName, oldName);
    if (fileName.isEmpty())
        return;
    QString moved;
    if (!renameSavedSearch(url, fileName, &moved)) {
        beep();
        return;
    }
    DocContext& context = DocContext::instance();
    context.savedSearchList[context.selectedSavedSearch] = moved;
    DOCUMENT* doc = document();
    if (doc && doc->docParam && doc->docParam->lastConfRecherche == oldName)
        setLastSearch(savedSearchName(moved));
    m_window.FILL();
}
