#include "DocumentSession.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "document/SVDocumentManager.h"
#include "document/SavedSearches.h"
#include "document/SimulationFile.h"
#include "engines/ChronoManager.h"
#include "engines/PrevisionManager.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/GRAPH.h"
#include "model/MONTANT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

bool DocumentSession::open(const QString& url, std::unique_ptr<DOCUMENT>* doc, bool crea, int fileSystemTag,
                           IOpeningShell& shell)
{
    if (!DocumentOpener::doOpen(url, doc, crea, fileSystemTag, shell))
        return false;
    buildDocumentState(**doc, crea);
    // A new document that is not on disk can't be worked on: it goes.
    if (crea && !saveNewDocument(**doc)) {
        close(std::move(*doc));
        return false;
    }
    computeDocument(**doc);
    shell.showOpenedDocument(**doc, crea);
    if (!crea)
        collectAwakeOccurrences(nullptr, doc->get(), nullptr, QString(), nullptr);
    return true;
}

void DocumentSession::adopt(DOCUMENT& doc)
{
    close();
    DocContext::instance().m_document = &doc;
    buildDocumentState(doc, false);
    computeDocument(doc);
}

void DocumentSession::close(std::unique_ptr<DOCUMENT> doc)
{
    releaseDocumentState();
    SVDocumentManager::defaultManager().disposeDocument(std::move(doc));
    DocContext::reset();
}

void DocumentSession::close()
{
    close(nullptr);
}

// Later steps read what earlier ones made (the search criterion reads the currency slot, a new
// document's indexes its fixed banks and accounts): keep the order.
void DocumentSession::buildDocumentState(DOCUMENT& doc, bool crea)
{
    // The version gate released the shared parameters; the windows about to open read them.
    APPLIPARAM::loadAppliParam();
    if (crea)
        TOOL::initContrepartie(&doc);
    MONTANT::loadMontant(&doc);
    scanSavedSearches(&doc);
    restoreLastSearch(&doc);
    buildToolArbo(&doc);
    buildEcheancierIndex(&doc);
    PrevisionManager::sharedManager().buildPrevisionIndex(&doc);
    initCurrentGraph(&doc);
    loadSimulationList(&doc);
}

void DocumentSession::computeDocument(DOCUMENT& doc)
{
    recomputeAllReleves(&doc, QStringLiteral("kMessage_ComputeOpen"));
    transactLibDidOpenDocument();
}

bool DocumentSession::saveNewDocument(DOCUMENT& doc)
{
    bool saved = false;
    SVDocumentManager::defaultManager().saveDocument(&doc, doc.documentUrl, {.useTempFolder = true, .doMessage = true},
                                                     [&saved] { saved = true; }, {});
    return saved;
}

// The search state goes with the reset of the context that follows.
void DocumentSession::releaseDocumentState()
{
    disposeSimulationList();
    disposeCurrentGraph();
}
