// What the server does with a request once it has come whole, and with the phone's transactions.
#include "sync/ServerAppDelegate.h"

#include "sync/ISyncWindows.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "engines/Critere.h"
#include "engines/SearchEngine.h"
#include "foundation/broadcast.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/DeviseFile.h"
#include "model/MoyenFile.h"
#include "model/PosteFile.h"
#include "model/ToolFile.h"
#include "model/TransactOps.h"

#include <QStringDecoder>

namespace {

constexpr int kMaxDeviceNameBytes = 253;
constexpr qsizetype kLoggedRequestLength = 200;
constexpr int kStyleWarning = 0;
constexpr int kStyleInformational = 1;

struct ListRequest {
    const char* word;
    SyncState state;
    XmlDocPtr (*make)(const DOCUMENT& doc);
};

// The lists the phone copies, each as its member file holds it; banks and accounts without
// their statements.
const ListRequest kListRequests[] = {
    {"REQUESTDOCMOYEN", SyncState::MoyenSent,
     [](const DOCUMENT& doc) { return makeDocMoyenXML(doc.moyenHdl, nullptr); }},
    {"REQUESTDOCPOSTE", SyncState::PosteSent,
     [](const DOCUMENT& doc) { return makeDocPosteXML(doc.posteHdl, nullptr); }},
    {"REQUESTDOCDOSSIER", SyncState::DossierSent,
     [](const DOCUMENT& doc) { return makeDocDossierXML(doc.dossierHdl, nullptr); }},
    {"REQUESTDOCBANQUE", SyncState::BanqueSent,
     [](const DOCUMENT& doc) { return makeDocBanqueXML(doc.banqueHdl, doc.deviseHdl, false, nullptr); }},
    {"REQUESTDOCCOMPTE", SyncState::CompteSent,
     [](const DOCUMENT& doc) { return makeDocCompteXML(doc.compteHdl, doc.deviseHdl, false, nullptr); }},
    {"REQUESTDOCDEVISE", SyncState::DeviseSent,
     [](const DOCUMENT& doc) { return makeDocDeviseXML(doc.deviseHdl, nullptr); }},
};

// The phone's name: what follows the word and the one character after it. A name too long for
// the question is shown as no name.
QString deviceName(const QString& request, qsizetype wordLength)
{
    QString name = request.mid(wordLength + 1);
    if (name.toUtf8().size() > kMaxDeviceNameBytes)
        return QString();
    return name;
}

bool hasWordAndName(const QString& request, const QString& word)
{
    return request.size() > word.size() && request.startsWith(word);
}

// The requests that ask no question of their own.
bool isNamelessRequest(const QString& request)
{
    for (const ListRequest& list : kListRequests)
        if (request == QLatin1String(list.word))
            return true;
    return request == QLatin1String("REQUESTSIGNATURE") || request == QLatin1String("RECEIVED_DOC_OK")
        || request == QLatin1String("RECEIVED_DOC_OK_NOCONFIRM");
}

} // namespace

void ServerAppDelegate::dealWithReceivedData(ConnectionEntry* connection, const QByteArray& data, DOCUMENT* doc)
{
    // A document closed since the request came answers nothing.
    if (!doc) {
        closeConnection(connection);
        return;
    }
    const QString peer = connection->peer();
    if (m_trust.value(peer) == PeerTrust::Refused) {
        svLog(QStringLiteral("Synchronisation : requête de %1 ignorée, appareil refusé").arg(peer));
        closeConnection(connection);
        return;
    }
    if (stateOf(peer) == SyncState::WaitingTransactions) {
        setState(peer, SyncState::TransactionsReceived);
        performSynchronize(connection, data, doc);
        return;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString request = decoder(data);
    if (decoder.hasError()) {
        svLog(QStringLiteral("Unknown request : %1").arg(QString::fromLatin1(data.left(kLoggedRequestLength).toHex())));
        closeConnection(connection);
        return;
    }
    if (isNamelessRequest(request) && !acceptPeer(connection))
        return;
    // The list words are exact and none begins with another request's word: their place in the
    // order does not matter.
    if (requestList(connection, request, doc))
        return;
    if (request == QLatin1String("REQUESTSIGNATURE") && doc->docParam) {
        setState(peer, SyncState::SignatureSent);
        pushDataToSend(connection, doc, QByteArray::number(qint64(doc->docParam->docSignature)));
    } else if (hasWordAndName(request, QStringLiteral("REQUESTDOCPARAM"))) {
        requestDocParam(connection, deviceName(request, 15), doc);
    } else if (hasWordAndName(request, QStringLiteral("REQUESTSENDDOC"))) {
        requestSendDoc(connection, deviceName(request, 14), doc);
    } else if (request == QLatin1String("RECEIVED_DOC_OK")) {
        setState(peer, SyncState::Idle);
        closeConnection(connection);
        tellPhone(QStringLiteral("kMessage_Embarquement_iPhone_OK"), kStyleInformational);
    } else if (request == QLatin1String("RECEIVED_DOC_OK_NOCONFIRM")) {
        setState(peer, SyncState::Idle);
        closeConnection(connection);
    } else {
        svLog(QStringLiteral("Unknown request : %1").arg(request.left(kLoggedRequestLength)));
        closeConnection(connection);
    }
}

// A request naming no phone shows its address in the question that copies the document.
bool ServerAppDelegate::acceptPeer(ConnectionEntry* connection)
{
    const QString peer = connection->peer();
    if (m_trust.value(peer) == PeerTrust::Accepted)
        return true;
    const QPointer<ConnectionEntry> guard(connection);
    const bool yes = askPhone(connection, QStringLiteral("kConfirm_Embarquer_iPhone"), QString());
    // Closed meanwhile, or another document opened: the answer is for nobody.
    if (!stillServing(guard))
        return false;
    setTrust(peer, yes);
    if (!yes) {
        svLog(QStringLiteral("Synchronisation : appareil %1 refusé").arg(peer));
        closeConnection(connection);
    }
    return yes;
}

// A yes to a phone's own question accepts its address; a no refuses only an address not heard
// yet (a phone accepted earlier may well be told "not now").
void ServerAppDelegate::noteAnswer(const QString& peer, bool yes)
{
    if (yes || m_trust.value(peer) == PeerTrust::Unknown)
        setTrust(peer, yes);
}

// Whatever the phone calls itself, the document leaves only with the user's word.
void ServerAppDelegate::requestDocParam(ConnectionEntry* connection, const QString& deviceName, DOCUMENT* doc)
{
    const QPointer<ConnectionEntry> guard(connection);
    const QString peer = connection->peer();
    const bool yes = askPhone(connection, QStringLiteral("kConfirm_Embarquer_iPhone"), deviceName);
    if (!stillServing(guard))
        return;
    noteAnswer(peer, yes);
    if (!yes || !doc->docParam) {
        setState(peer, SyncState::Idle);
        pushDataToSend(connection, doc, QByteArrayLiteral("NO"));
        return;
    }
    // A document kept without saving keeps its new signature in memory only.
    doc->docParam->updateSignatureIfNecessary(DocContext::mayWriteAt(doc->documentUrl) ? doc->documentUrl : QString());
    setState(peer, SyncState::ParamSent);
    answerXml(connection, doc, xmlDocumentBytes(doc->docParam->makeDocParamXML(nullptr).get()));
}

bool ServerAppDelegate::requestList(ConnectionEntry* connection, const QString& request, DOCUMENT* doc)
{
    for (const ListRequest& list : kListRequests) {
        if (request != QLatin1String(list.word))
            continue;
        setState(connection->peer(), list.state);
        answerXml(connection, doc, xmlDocumentBytes(list.make(*doc).get()));
        return true;
    }
    return false;
}

// A list that can't be written is not answered; the phone gives up on its own.
void ServerAppDelegate::answerXml(ConnectionEntry* connection, DOCUMENT* doc, const QByteArray& xml)
{
    if (xml.isEmpty())
        closeConnection(connection);
    else
        pushDataToSend(connection, doc, xml);
}

void ServerAppDelegate::requestSendDoc(ConnectionEntry* connection, const QString& deviceName, DOCUMENT* doc)
{
    const QPointer<ConnectionEntry> guard(connection);
    const QString peer = connection->peer();
    const bool yes = askPhone(connection, QStringLiteral("kConfirm_Debarquer_iPhone"), deviceName);
    if (!stillServing(guard))
        return;
    noteAnswer(peer, yes);
    setState(peer, yes ? SyncState::WaitingTransactions : SyncState::Idle);
    pushDataToSend(connection, doc, yes ? QByteArrayLiteral("OK") : QByteArrayLiteral("NO"));
}

// =============================================================================================
// The phone's transactions

// Every transaction is checked before any is stored: a batch goes in whole or not at all, and the
// phone hears "ACK" only for a batch that went in.
void ServerAppDelegate::performSynchronize(ConnectionEntry* connection, const QByteArray& data, DOCUMENT* doc)
{
    PhoneTransactionList list;
    QString reason;
    if (!readPhoneTransactions(data, &list, &reason)) {
        refuseTransactions(connection, doc, reason);
        return;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString fault = phoneTransactionFault(list[i], *doc);
        if (!fault.isEmpty()) {
            refuseTransactions(connection, doc, QStringLiteral("opération %1 : %2").arg(i + 1).arg(fault));
            return;
        }
    }
    storeTransactions(list, doc);
    pushDataToSend(connection, doc, QByteArrayLiteral("ACK"));
    if (APPLIPARAM::loadAppliParam().informSynchro)
        showReceivedTransactions(doc);
}

void ServerAppDelegate::refuseTransactions(ConnectionEntry* connection, DOCUMENT* doc, const QString& reason)
{
    svLog(QStringLiteral("Synchronisation refusée : %1").arg(reason));
    setState(connection->peer(), SyncState::Idle);
    pushDataToSend(connection, doc, QByteArrayLiteral("NO"));
}

// One time for the whole batch and the document's last sync, so that the listing of the last
// sync shows exactly this batch. The windows hear of it once, after its last transaction.
void ServerAppDelegate::storeTransactions(const PhoneTransactionList& list, DOCUMENT* doc)
{
    const double now = dateNow();
    long index = -1;
    for (const PhoneTransaction& phone : list) {
        TRANSACT trans = TRANSACT::allocNewTransact(doc);
        trans.synchroID = 1;
        trans.synchroDate = now;
        trans.who1 = phone.debitID;
        trans.who2 = phone.creditID;
        trans.posteID = phone.posteID;
        trans.moyen = int(phone.kind);
        trans.variante = phone.variante;
        trans.devise = phone.devise;
        trans.when = phone.when;
        trans.ref = phone.reference;
        trans.why = phone.info;
        trans.solde.makeMontant(phone.devise, phone.montant, doc->deviseHdl);
        makeTransact(trans, &index, doc, true, false);
    }
    if (index >= 0)
        notifyMakeTransact(index);
    if (doc->docParam)
        doc->docParam->lastSynchro = now;
}

void ServerAppDelegate::showReceivedTransactions(DOCUMENT* doc)
{
    const std::weak_ptr<const void> lifetime = doc->lifetime();
    tellPhone(QStringLiteral("kMessage_Debarquement_iPhone_OK"), kStyleWarning);
    if (lifetime.expired())
        return;
    sendToAllWindowDelegates(Sel::notifyDidSynchonize);
    const Critere critere = Critere::makeImportCritere(CritereImport::LastSynchro, doc);
    SearchRequest request;
    request.critere = &critere;
    request.doc = doc;
    request.defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
    request.devise = MONTANT::currentDeviseSlot();
    std::unique_ptr<LISTING> listing = searchWithCritere(request);
    if (ISyncWindows* windows = syncWindows())
        windows->showSyncListing(critere, std::move(listing), localizedAppl(QStringLiteral("TITLE_SYNCHRO")), *doc);
}
