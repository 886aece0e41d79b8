#include "transactions/TransListExport.h"

#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "foundation/numbers.h"
#include "import/ImportManager.h"
#include "model/AttachedDocuments.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/ECHEANCIER.h"
#include "model/FinanceCompute.h"
#include "model/POSTE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "model/TOTAUX.h"

#include <QDir>
#include <QSet>

#include <cmath>

namespace {

constexpr int kShortDate = 1;
constexpr int kNoTime = 0;
// Below this a quantity of securities shows as 0 at six decimals.
constexpr double kNoQuantity = 0.0000005;

QString amountText(const MONTANT& amount, long devise)
{
    QString text;
    appendValueAtIndexCSV(text, amount, devise);
    return text;
}

QString quantityText(double nTitre)
{
    return std::abs(nTitre) < kNoQuantity ? QString() : doubleToStringTrimmed(6, u',', nTitre);
}

// Fields cleaned for the format, joined by its separator and ended by its line end.
void appendLine(QString& text, const QStringList& fields, int format)
{
    QStringList clean;
    clean.reserve(fields.size());
    for (const QString& field : fields)
        clean.append(exportSanitizeField(field, format));
    text += clean.join(exportFieldSeparator(format)) + exportLineEnd(format);
}

QStringList headings()
{
    return {localizedAppl(QStringLiteral("EXPORT_RUB_POINTE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_GROUPE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_DATE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_MONTANTD")),
            localizedAppl(QStringLiteral("EXPORT_RUB_MONTANTC")),
            localizedAppl(QStringLiteral("EXPORT_RUB_WHO1")),
            localizedAppl(QStringLiteral("EXPORT_RUB_WHO2")),
            localizedAppl(QStringLiteral("EXPORT_RUB_MOYEN")),
            localizedAppl(QStringLiteral("EXPORT_RUB_REF")),
            localizedAppl(QStringLiteral("EXPORT_RUB_DOSSIER")),
            localizedAppl(QStringLiteral("EXPORT_RUB_POSTE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_CHRONO")),
            localizedAppl(QStringLiteral("EXPORT_RUB_TAXE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_MONTANT_TAXE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_MONTANT_HT")),
            localizedAppl(QStringLiteral("EXPORT_RUB_FINANCE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_QUOTE1")),
            localizedAppl(QStringLiteral("EXPORT_RUB_QUOTE2")),
            localizedAppl(QStringLiteral("EXPORT_RUB_QUOTE3")),
            localizedAppl(QStringLiteral("EXPORT_RUB_NTITRE")),
            localizedAppl(QStringLiteral("EXPORT_RUB_INFO")),
            localizedAppl(QStringLiteral("EXPORT_RUB_DEVISE"))};
}

QString echeancierName(long chronoID, const DOCUMENT& doc)
{
    const ECHEANCIER* echeancier = nullptr;
    return chronoID >= 0 && findEcheancier(chronoID, &doc, &echeancier, nullptr) && echeancier ? echeancier->nom
                                                                                               : QString();
}

QString taxeName(long taxeID, const DOCUMENT& doc)
{
    long index = -1;
    if (!TAXE::findTaxe(taxeID, &index, doc.taxeHdl))
        return QString();
    const TAXE* taxe = TAXE::taxeAtIndex(doc.taxeHdl, index);
    return taxe ? taxe->nom : QString();
}

QString financeName(long ident, const FinanceList& list)
{
    long index = -1;
    if (!findFinanceWithIdent(ident, &index, &list))
        return QString();
    const FINANCE* finance = FINANCE::financeAtIndex(&list, index);
    return finance ? finance->nom : QString();
}

// The first investment the transaction names decides, even when it is gone.
QString placementName(const TRANSACT& t, const DOCUMENT& doc)
{
    if (t.titreID >= 0)
        return financeName(t.titreID, doc.titreHdl);
    if (t.remunereID >= 0)
        return financeName(t.remunereID, doc.remunereHdl);
    if (t.empruntID >= 0)
        return financeName(t.empruntID, doc.empruntHdl);
    return QString();
}

QString dossierOfPoste(long posteID, const DOCUMENT& doc)
{
    const POSTE* poste = POSTE::posteWithIdent(posteID, doc);
    return poste ? DOSSIER::getDossierNameNS(poste->dossierID, doc) : QString();
}

} // namespace

TransListExport::TransListExport(const TransListExportContext& context)
    : m_context(context)
{
}

long TransListExport::EXPORTER_SIZE()
{
    return listingCount(m_context.listing);
}

void TransListExport::EXPORTER_TETE(QString& text, int format)
{
    const QChar lineEnd = exportLineEnd(format);
    text += exportSanitizeField(localizedAppl(QStringLiteral("EXPORT_RUB_DEVISE")) + QLatin1Char(' ')
                                    + Devise::deviseUnitAtIndex(m_context.doc.deviseHdl, m_context.devise),
                                format)
        + lineEnd + lineEnd;
    // The criteria keep one line each; only what lies within a line is cleaned.
    if (m_context.criteria) {
        const QStringList lines = m_context.criteria->critereToString(&m_context.doc, true, false).split(QChar(13));
        for (const QString& line : lines)
            text += exportSanitizeField(line, format) + lineEnd;
    } else {
        text += lineEnd;
    }
    appendLine(text, headings(), format);
}

void TransListExport::EXPORTER_LISTE(QString& text, long index, int format)
{
    const POS* row = listingPosAtIndex(m_context.listing, index);
    if (!row || row->multiState == MultiState::Line || row->multiState == MultiState::LineOut)
        return;
    const TRANSACT* t = listingTransactAtIndex(m_context.listing, index, &m_context.doc);
    if (!t)
        return;
    EXPORTER_TRANSACT(text, index, -1, format);
    for (long line = 0; line < t->nbMultis(); ++line)
        EXPORTER_TRANSACT(text, index, line, format);
}

void TransListExport::EXPORTER_TRANSACT(QString& text, long index, long multiIndex, int format)
{
    const TRANSACT* t = listingTransactAtIndex(m_context.listing, index, &m_context.doc);
    if (!t || multiIndex >= t->nbMultis())
        return;
    appendLine(text, lineFields(*t, multiIndex), format);
}

std::optional<MONTANT> TransListExport::lineAmount(const TRANSACT& t, long multiIndex) const
{
    const MULTI* multi = t.multiAtIndex(multiIndex);
    if (!multi)
        return t.nbMultis() > 0 ? std::nullopt : std::optional<MONTANT>(t.solde);
    long posteID = -1;
    long dossierID = -1;
    if (m_context.criteria)
        m_context.criteria->getCriterePosteValue(&posteID, &dossierID);
    if (posteID >= 0 && multi->posteID != posteID)
        return std::nullopt;
    if (dossierID >= 0) {
        const POSTE* poste = POSTE::posteWithIdent(multi->posteID, m_context.doc);
        if (!poste || poste->dossierID != dossierID)
            return std::nullopt;
    }
    return multi->montant;
}

QStringList TransListExport::lineFields(const TRANSACT& t, long multiIndex) const
{
    const DOCUMENT& doc = m_context.doc;
    const long devise = m_context.devise;
    const MULTI* multi = t.multiAtIndex(multiIndex);
    const bool ownLine = !multi;
    const bool noQuotes = multi && t.empruntID >= 0;
    bool debit = false;
    bool credit = false;
    t.checkDebitCredit(m_context.debitID, &debit, &credit, &doc);
    const std::optional<MONTANT> amount = lineAmount(t, multiIndex);
    const QString amountField = amount ? amountText(*amount, devise) : QString();
    // A split transaction's own line names no category: its lines do.
    const long posteID = multi ? multi->posteID : (t.nbMultis() > 0 ? -1 : t.posteID);
    const bool taxed = ownLine && t.taxeID >= 0;
    MONTANT horsTaxe;
    MONTANT::subMontant(t.solde, t.taxe, horsTaxe);

    QString ref = t.ref;
    QString why = t.why;
    replaceControlCharsBySpace(ref);
    replaceControlCharsBySpace(why);
    return {t.releveID1 >= 0 || t.releveID2 >= 0 ? QStringLiteral("P") : QString(),
            t.nbMultis() > 0 ? QStringLiteral("G") : QString(),
            dateToStringWithStyles(kShortDate, kNoTime, t.when),
            debit ? amountField : QString(),
            credit ? amountField : QString(),
            getToolNameNS(kToolCompte, t.who1, &doc),
            getToolNameNS(kToolCompte, t.who2, &doc),
            moyenNameForFamily(t.moyen),
            ref,
            dossierOfPoste(posteID, doc),
            POSTE::getPosteNameNS(posteID, doc),
            echeancierName(t.chronoID, doc),
            taxed ? taxeName(t.taxeID, doc) : QString(),
            taxed ? amountText(t.taxe, devise) : QString(),
            taxed ? amountText(horsTaxe, devise) : QString(),
            ownLine ? placementName(t, doc) : QString(),
            noQuotes ? QString() : amountText(t.quote1, devise),
            noQuotes ? QString() : amountText(t.quote2, devise),
            noQuotes ? QString() : amountText(t.quote3, devise),
            noQuotes ? QString() : quantityText(t.nTitre),
            why,
            Devise::deviseUnitAtIndex(doc.deviseHdl, t.devise)};
}

void TransListExport::appendTotalLine(QString& text, const QString& label, const MONTANT& debit, const MONTANT& credit,
                                      long devise, int format)
{
    QStringList fields {QString(), QString(), label, amountText(debit, devise), amountText(credit, devise)};
    while (fields.size() < kColumnCount)
        fields.append(QString());
    appendLine(text, fields, format);
}

void TransListExport::EXPORTER_PIED(QString& text, int format)
{
    const TOTAUX totaux = m_context.totaux ? *m_context.totaux : TOTAUX();
    const long devise = m_context.devise;
    MONTANT debits;
    MONTANT credits;
    MONTANT::addMontant(totaux.total2, totaux.total3, debits);
    MONTANT::addMontant(totaux.total5, totaux.total6, credits);
    MONTANT solde;
    MONTANT::subMontant(credits, debits, solde);
    // The balance goes to the side it falls on, as a positive amount.
    const bool negative = solde.getValueForDevise(devise) < 0;
    MONTANT opposite;
    MONTANT::subMontant(MONTANT::zero(), solde, opposite);
    appendTotalLine(text, localizedAppl(QStringLiteral("EXPORT_RUB_TOTAL_POINTE")), totaux.total2, totaux.total5,
                    devise, format);
    appendTotalLine(text, localizedAppl(QStringLiteral("EXPORT_RUB_TOTAL_NONPOINTE")), totaux.total3, totaux.total6,
                    devise, format);
    appendTotalLine(text, localizedAppl(QStringLiteral("EXPORT_RUB_TOTAL")), debits, credits, devise, format);
    appendTotalLine(text, localizedAppl(QStringLiteral("EXPORT_RUB_SOLDE")), negative ? opposite : MONTANT(),
                    negative ? MONTANT() : solde, devise, format);
}

std::optional<QStringList> TransListExport::EXPORTER_ATTACHEMENT_ARRAY()
{
    QStringList files;
    QString folder;
    // An expanded split transaction has several rows: its files are listed once.
    QSet<long> seen;
    const long count = listingCount(m_context.listing);
    for (long index = 0; index < count; ++index) {
        StorageKind kind = StorageKind::Transact;
        const TRANSACT* t = listingTransactAtIndex(m_context.listing, index, &m_context.doc, &kind);
        const long storageIndex = listingStorageIndexAtIndex(m_context.listing, index);
        if (!t || kind != StorageKind::Transact || t->nbAttachedDocuments() == 0 || seen.contains(storageIndex))
            continue;
        seen.insert(storageIndex);
        for (const AttachedDocument& document : t->attachedDocuments) {
            if (document.docStoreName.isEmpty())
                continue;
            if (folder.isEmpty())
                folder = attachedDocumentsFolder(m_context.doc);
            if (folder.isEmpty())
                return std::nullopt;
            // A stored copy that is a link is not followed out of the package.
            const QString stored = storedAttachedDocumentPath(m_context.doc, document.docStoreName);
            if (!stored.isEmpty())
                files.append(stored);
        }
    }
    if (files.isEmpty())
        return std::nullopt;
    return files;
}
