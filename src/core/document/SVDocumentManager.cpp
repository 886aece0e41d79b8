#include "SVDocumentManager.h"

#include "document/DOCPARAM.h"
#include "document/DOCUMENT.h"
#include "document/DocContext.h"
#include "foundation/diagnostics.h"
#include "foundation/files.h"
#include "model/DOSSIER.h"
#include "model/FINANCE.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

#include <QFileInfo>

SVDocumentManager& SVDocumentManager::defaultManager()
{
    static SVDocumentManager manager;
    return manager;
}

void SVDocumentManager::disposeDocument(std::unique_ptr<DOCUMENT> doc)
{
    if (!doc)
        return;
    if (doc->docParam)
        doc->docParam->disposeDocParam();
    doc->docParam.reset();
    DOSSIER::disposeDocDossier(doc->dossierHdl);
    POSTE::disposeDocPoste(doc->posteHdl);
    TOOL::disposeToolList(doc->compteHdl);
    TOOL::disposeToolList(doc->banqueHdl);
    TAXE::disposeTaxe(doc->taxeHdl);
    MOYEN::disposeMoyen(doc->moyenHdl);
    for (FinanceList* list : {&doc->titreHdl, &doc->remunereHdl, &doc->empruntHdl, &doc->portfolioArray})
        FINANCE::disposeFinance(list);
    ECHEANCIER::disposeChrono(doc->echeancierHdl);
    zeroDocument(*doc);
    if (DocContext::instance().document == doc.get())
        DocContext::instance().document = nullptr;
}

void SVDocumentManager::zeroDocument(DOCUMENT& doc)
{
    doc.transact_array.clear();
    doc.moyenHdl.clear();
    doc.posteHdl.clear();
    doc.dossierHdl.clear();
    doc.compteHdl.clear();
    doc.banqueHdl.clear();
    doc.echeancierHdl.clear();
    doc.taxeHdl.clear();
    doc.deviseHdl.clear();
    doc.macroHdl.clear();
    doc.synonymeArray.clear();
    doc.logoArray.clear();
    doc.titreHdl.clear();
    doc.remunereHdl.clear();
    doc.empruntHdl.clear();
    doc.portfolioArray.clear();
    doc.previsionsArray.clear();
}

bool SVDocumentManager::moveDocumentToCache(DOCUMENT* doc, const QString& cacheFolder)
{
    if (!doc || cacheFolder.isEmpty())
        return false;
    doc->documentUrl = cacheFolder + QLatin1Char('/') + doc->getDocLoadName();
    doc->fileSystemTag = kFileSystemLocal;
    return false;
}

bool SVDocumentManager::moveCacheToDocument(DOCUMENT* doc, const QString& rootUrl)
{
    if (!doc || rootUrl.isEmpty())
        return false;
    const QString target = rootUrl + QStringLiteral("/Documents/") + doc->getDocLoadName();
    if (QFileInfo::exists(doc->documentUrl)) {
        int error = 0;
        if (!removeOrTrashItemAtURL(doc->documentUrl, &error)) {
            svLog(QStringLiteral("Impossible de vider le cache (%1) : %2").arg(error).arg(doc->documentUrl));
            return false;
        }
    }
    doc->documentUrl = target;
    doc->fileSystemTag = kFileSystemICloud;
    return true;
}
