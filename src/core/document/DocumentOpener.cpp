#include "DocumentOpener.h"

#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/BackupManager.h"
#include "document/DocContext.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "document/UpgradeManager.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"

namespace {

// The application parameters exist whenever the preference file has a place: read from it, or
// the defaults when it is missing or unreadable (an unreadable file is kept aside). Only a library
// with no place for it leaves the opening without parameters to go by.
bool appliParamAvailable()
{
    QString url;
    int error = 0;
    return HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, &error) && error == 0;
}

// Asks whether to go on despite the failure of that code; the user's answer.
bool askContinue(DocError code, bool forSave)
{
    bool goOn = false;
    SVDocumentManager::informDocErrorAndAskContinue(
        code, forSave, [&goOn]() { goOn = true; }, [&goOn]() { goOn = false; });
    return goOn;
}

} // namespace

bool DocumentOpener::doOpen(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag,
                            IOpenPrompts& prompts)
{
    doc->reset();
    DocContext::instance().m_document = nullptr;
    if (crea) {
        const DocError code = doOpen_step_create_beforeParam(url);
        if (code != DocError::None && !askContinue(code, false))
            return false;
    } else if (!passPassword(url, prompts) || !makeBackup(url) || !passVersionGate(url)) {
        return false;
    }
    return loadStage(url, doc, crea, fileSystemTag);
}

DocError DocumentOpener::doOpen_step_create_beforeParam(const QString& url)
{
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    // The package folder is made by the caller; its resources folder comes with its first file.
    createPackageResources(url, nullptr, nullptr);
    return BEFOREPARAM::saveBeforeParam(url, before) ? DocError::None : DocError::BeforeParam;
}

bool DocumentOpener::passPassword(const QString& url, IOpenPrompts& prompts)
{
    bool ignored = false;
    const BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    return !before.hasPassword() || prompts.askDocumentPassword(before, url);
}

bool DocumentOpener::makeBackup(const QString& url)
{
    // Going on without parameters still makes the backup, with the default count: the copy is the
    // user's safety net, and never the price of an answer.
    if (!appliParamAvailable() && !askContinue(DocError::AppliParam, true))
        return false;
    const long count = APPLIPARAM::loadAppliParam().nbSauvNew;
    if (count <= 0)
        return true;
    bool done = false;
    BackupManager::defaultManager().sauvegardeAutomatique(
        url, count, [&done]() { done = true; }, [&done]() { done = false; });
    return done;
}

bool DocumentOpener::passVersionGate(const QString& url)
{
    bool ignored = false;
    BEFOREPARAM before = BEFOREPARAM::loadBeforeParam(url, &ignored);
    bool passed = false;
    UpgradeManager::doUpgrade(
        before.version, url, nullptr, [&passed]() { passed = true; }, [&passed]() { passed = false; });
    if (!passed)
        return false;
    before.version = kDocumentFormatVersion;
    const bool written = BEFOREPARAM::saveBeforeParam(url, before);
    APPLIPARAM::disposeAppliParam();
    return written || askContinue(DocError::BeforeParam, false);
}

bool DocumentOpener::loadStage(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag)
{
    *doc = std::make_unique<DOCUMENT>(url, fileSystemTag);
    DocContext::instance().m_document = doc->get();
    bool loaded = false;
    SVDocumentManager::defaultManager().loadDocument(
        *doc, [&loaded]() { loaded = true; }, [&loaded]() { loaded = false; });
    if (!loaded) {
        doc->reset();
        DocContext::instance().m_document = nullptr;
        return false;
    }
    if (!crea)
        MOYEN::cleanMoyensAtOpen(doc->get());
    return true;
}
