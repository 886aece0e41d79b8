#include "engines/TransactClipboard.h"

#include "foundation/dateformat.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/TOOL.h"
#include "model/TransactBatch.h"
#include "model/TransactFile.h"
#include "model/TransactOps.h"

#include <memory>
#include <sstream>

namespace {

std::unique_ptr<TransactClipboard> g_clipboard;

// A record pasted must have what a transaction can't do without: its two sides and its amount.
bool isTransactRecord(pugi::xml_node record)
{
    return xmlFirstElementNamed(record, "who1") && xmlFirstElementNamed(record, "who2")
        && xmlFirstElementNamed(record, "solde");
}

} // namespace

TRANSACT TransactClipboard::preparedCopy(const TRANSACT& trans)
{
    TRANSACT copy = trans.copyOfTransact();
    copy.releveID1 = -1;
    copy.releveID2 = -1;
    copy.importID = -1;
    copy.synchroID = 0;
    copy.deleteAttachedDocuments();
    return copy;
}

void TransactClipboard::copyTransactToClipboard(const TRANSACT& trans)
{
    m_transacts.append(preparedCopy(trans));
}

QList<long> TransactClipboard::pasteTransactClipboard(DOCUMENT* doc, QString* errorKey)
{
    QList<long> indexes;
    if (!doc)
        return indexes;
    TransactList checked = m_transacts;
    for (TRANSACT& trans : checked) {
        int code = 0;
        if (!goodTransactMontant(trans))
            code = kBadTransMontant;
        else
            goodTransactCompte(trans, doc, &code);
        if (code != 0) {
            if (errorKey)
                *errorKey = transErrToKey(code);
            return indexes;
        }
    }
    const TransactBatch batch(doc);
    for (qsizetype i = 0; i < checked.size(); ++i) {
        long index = -1;
        if (makeTransact(checked[i], &index, doc, true, i == checked.size() - 1))
            indexes.append(index);
    }
    return indexes;
}

QByteArray TransactClipboard::toXml(const DeviseList& devises) const
{
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    if (!document)
        return {};
    for (TRANSACT trans : m_transacts)
        XML_append_transact(root, "transact", trans, devises);
    std::ostringstream out;
    document->save(out, "", pugi::format_raw);
    return QByteArray::fromStdString(out.str());
}

bool TransactClipboard::setFromXml(const QByteArray& xml)
{
    pugi::xml_document document;
    if (!document.load_buffer(xml.constData(), size_t(xml.size())))
        return false;
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != "list")
        return false;
    TransactList read;
    for (pugi::xml_node record = root.child("transact"); record; record = record.next_sibling("transact")) {
        if (!isTransactRecord(record))
            return false;
        LoadIssues faults;
        TRANSACT trans = XML_load_transact_from_record(record, &faults);
        if (!faults.isEmpty())
            return false;
        read.append(preparedCopy(trans));
    }
    if (read.isEmpty())
        return false;
    m_transacts = std::move(read);
    return true;
}

QString TransactClipboard::toText(const DOCUMENT* doc) const
{
    QStringList lines;
    const DeviseList* devises = doc ? &doc->deviseHdl : nullptr;
    for (const TRANSACT& trans : m_transacts) {
        const QString poste = doc ? POSTE::getPosteNameNS(trans.posteID, *doc) : QString();
        lines << QStringList {dateToStringWithStyles(1, 0, trans.when),
                              moyenCompteName(trans.moyen, trans.transToMoyenCompte(), doc),
                              getToolNameNS(kToolCompte, trans.who1, doc),
                              getToolNameNS(kToolCompte, trans.who2, doc),
                              poste,
                              trans.ref,
                              trans.why,
                              montantToStringForDevise(trans.solde, trans.devise, devises, true)}
                     .join(u'\t');
    }
    return lines.join(u'\n');
}

void initTransactClipboard()
{
    g_clipboard = std::make_unique<TransactClipboard>();
}

void disposeTransactClipboard()
{
    g_clipboard.reset();
}

TransactClipboard* transactClipboard()
{
    return g_clipboard.get();
}

QString moyenCompteName(int family, long compteID, const DOCUMENT* doc)
{
    QString name = moyenNameForFamily(family);
    if (compteID < 0)
        return name;
    return QStringLiteral("%1 - %2").arg(name, getToolNameNS(kToolCompte, compteID, doc));
}
