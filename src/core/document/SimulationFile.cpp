#include "document/SimulationFile.h"

#include "document/DocContext.h"
#include "foundation/files.h"
#include "foundation/textfold.h"
#include "foundation/xmlmember.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qsizetype kComparedLength = 255;
const QString kExtension = QStringLiteral("xml");

// The name as a file name without its extension, leaving room for ".xml" within 255 bytes.
QString simulationFileBaseName(const QString& name)
{
    return safeFileName(name, 255 - 4);
}

QString foldedForLookup(const QString& name)
{
    return foldStringForSearch(name.left(kComparedLength));
}

XmlDocPtr simulationToXML(const SIMULrec& rec, const DeviseList& devises)
{
    pugi::xml_node root;
    XmlDocPtr xml = newXMLDocumentWithRoot(QStringLiteral("record"), &root);
    if (!xml)
        return nullptr;
    xmlAppendLong(root, "kind", rec.kind);
    xmlAppendLong(root, "nbMensu", rec.nbMensu);
    xmlAppendDouble(root, "taux", 6, rec.taux);
    const bool ok = rec.montant.XML_append_montant(root, "montant", devises)
        && rec.mensu.XML_append_montant(root, "mensu", devises) && rec.cout.XML_append_montant(root, "cout", devises);
    if (!ok)
        return nullptr;
    return xml;
}

} // namespace

bool simulationFolderInDocument(QString* url, const QString& docURL)
{
    return DOCUMENT::getFolderInDocument(url, QString::fromLatin1(kSimulationFolderName), docURL);
}

std::unique_ptr<SIMULrec> loadSimulation(const QString& url, bool* error)
{
    std::unique_ptr<SIMULrec> rec = newSimulation();
    XmlDocPtr xml;
    const pugi::xml_node root = loadXMLRootFromURL(url, &xml);
    bool failed = !root;
    if (root) {
        rec->kind = xmlGetLong(root, "kind", 0);
        rec->nbMensu = xmlGetLong(root, "nbMensu", 0);
        rec->taux = xmlGetDouble(root, "taux", 0);
        failed = !loadMontantFromXML(root, "montant", rec->montant);
        failed = !loadMontantFromXML(root, "mensu", rec->mensu) || failed;
        failed = !loadMontantFromXML(root, "cout", rec->cout) || failed;
    }
    if (failed && error)
        *error = true;
    return rec;
}

bool saveSimulation(const SIMULrec& rec, const QString& name, const DOCUMENT* doc, QString* url)
{
    if (url)
        url->clear();
    const QString baseName = simulationFileBaseName(name);
    QString folder;
    if (!doc || baseName.isEmpty() || !DocContext::mayWriteAt(doc->documentUrl)
        || !simulationFolderInDocument(&folder, doc->documentUrl))
        return false;
    QStringList& list = DocContext::instance().simulationList;
    long index = -1;
    const bool known = findSimulationNamed(name, &index);
    const QString path = known ? list[index] : folder + QLatin1Char('/') + baseName + QLatin1Char('.') + kExtension;
    if (url)
        *url = path;
    const XmlDocPtr xml = simulationToXML(rec, doc->deviseHdl);
    if (!xml || !writeXMLToURL(path, xml.get()))
        return false;
    if (!known)
        list.append(path);
    return true;
}

bool findSimulationNamed(const QString& name, long* index)
{
    if (index)
        *index = -1;
    const QString wanted = foldedForLookup(simulationFileBaseName(name));
    if (wanted.isEmpty())
        return false;
    const QStringList& list = DocContext::instance().simulationList;
    for (long i = 0; i < list.size(); ++i) {
        if (foldedForLookup(QFileInfo(list[i]).completeBaseName()) != wanted)
            continue;
        if (index)
            *index = i;
        return true;
    }
    return false;
}

void loadSimulationList(const DOCUMENT* doc)
{
    QStringList& list = DocContext::instance().simulationList;
    list.clear();
    QString folder;
    if (!doc || !simulationFolderInDocument(&folder, doc->documentUrl))
        return;
    // QDir leaves hidden files out unless asked; the extension test is case-sensitive.
    const QFileInfoList items = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& item : items) {
        if (item.suffix() == kExtension)
            list.append(item.filePath());
    }
}

void disposeSimulationList()
{
    DocContext::instance().simulationList.clear();
}
