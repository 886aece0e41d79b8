// The import manager's building of one transaction from one record.
#include "import/ImportManager.h"

#include "engines/RegleManager.h"
#include "engines/SearchEngine.h"
#include "foundation/diagnostics.h"
#include "foundation/textfold.h"
#include "import/ImportParser.h"
#include "model/DOCUMENT.h"
#include "model/TransactOps.h"

#include <cmath>

namespace {

void appendMemo(QString* memo, const QString& value)
{
    if (!memo->isEmpty())
        memo->append(u' ');
    memo->append(value);
}

bool hasVariantes(int family)
{
    return family == kFamilyChequeDebit || family == kFamilyCarteDebit;
}

// The record of the cheque books or cards the transaction's family draws on; -1 when there is none.
long moyenIndexOf(const TRANSACT& trans, const DOCUMENT* doc)
{
    if (!doc || !hasVariantes(trans.moyen))
        return -1;
    const long compteID = trans.transToMoyenCompte();
    for (long i = 0; i < doc->moyenHdl.size(); ++i) {
        if (doc->moyenHdl[i].kind == trans.moyen && doc->moyenHdl[i].compte == compteID)
            return i;
    }
    return -1;
}

// A cheque or a card is drawn on a cheque book or card of the account, as the entry window
// requires: the account's default one. The bank's cheque number stays the reference.
void assumeMoyenVariante(TRANSACT& trans, DOCUMENT* doc)
{
    long index = -1;
    if (!hasVariantes(trans.moyen) || trans.variante >= 0
        || !MOYEN::getMoyenIndex(doc->moyenHdl, trans.moyen, trans.transToMoyenCompte(), &index, doc))
        return;
    const QString importedRef = trans.ref;
    trans.setTransactDefaultVariante(doc->moyenHdl, index);
    if (!importedRef.isEmpty())
        trans.ref = importedRef;
}

} // namespace

TRANSACT ImportManager::extractTransactFromArrayOfRubriques(const ImportRecord& record, int format, long compteID,
                                                            int devise, const RegleList* regles, bool reglesManuel,
                                                            DOCUMENT* doc, ImportDuplicateIndex* duplicates,
                                                            bool* dateRead)
{
    bool read = false;
    TRANSACT trans = TRANSACT::allocNewTransact(doc);
    if (doc) {
        QString memo;
        const long slot = extractDeviseFromArrayOfRubriques(record, compteID, devise, *doc);
        for (const ImportField& field : record.fields)
            fillTransactWithRubrique(trans, compteID, field.value, field.kind, slot, &memo, record, *doc, &read);
        // The tax is a part of the amount: taken once every amount field has been read.
        for (const ImportField& field : record.fields) {
            if (field.kind == ImportRubrique::Fiscal)
                fillTransactWithTaxe(trans, field.value, *doc);
        }
        trans.markTransactImport(cleanMemo(memo), compteID, format == kImportFormatQIF || format == kImportFormatOFX);
        if (regles)
            RegleManager::sharedRegleManager().applyReglesToTransact(*regles, reglesManuel, trans, doc, nullptr);
        assumeMoyenVariante(trans, doc);
        trans.importDoublon = duplicates ? duplicates->importTransactExists(trans) : ::importTransactExists(trans, doc);
    }
    if (dateRead)
        *dateRead = read;
    return trans;
}

long ImportManager::extractDeviseFromArrayOfRubriques(const ImportRecord& record, long compteID, int devise,
                                                      const DOCUMENT& doc)
{
    for (const ImportField& field : record.fields) {
        long slot = 0;
        if (field.kind == ImportRubrique::Devise && Devise::findDeviseWithUnit(doc.deviseHdl, field.value, &slot))
            return slot;
    }
    if (const TOOL* compte = TOOL::getTool(kToolCompte, compteID, &doc))
        return compte->devise;
    return devise;
}

void ImportManager::extractComptesFromArrayOfRubriques(const ImportRecord& record, long* compteContre,
                                                       long* compteDebit, long* compteCredit, const DOCUMENT& doc)
{
    *compteContre = *compteDebit = *compteCredit = -1;
    for (const ImportField& field : record.fields) {
        long* target = field.kind == ImportRubrique::Contre ? compteContre
            : field.kind == ImportRubrique::Debit           ? compteDebit
            : field.kind == ImportRubrique::Credit          ? compteCredit
                                                            : nullptr;
        long ident = -1;
        if (target && TOOL::findCompteWithName(field.value, &ident, &doc))
            *target = ident;
    }
}

void ImportManager::fillTransactWithRubrique(TRANSACT& trans, long compteID, const QString& svalue, ImportRubrique kind,
                                             long devise, QString* memo, const ImportRecord& record,
                                             const DOCUMENT& doc, bool* dateRead)
{
    switch (kind) {
    case ImportRubrique::MontantSeul:
    case ImportRubrique::MontantDevise:
    case ImportRubrique::MontantDebitSeul:
    case ImportRubrique::MontantDebitDevise:
    case ImportRubrique::MontantCreditSeul:
    case ImportRubrique::MontantCreditDevise:
        fillTransactWithRubriqueMontant(trans, compteID, svalue, kind, devise, record, doc);
        break;
    case ImportRubrique::DateJMA:
    case ImportRubrique::DateAMJ:
    case ImportRubrique::DateMJA: {
        // Whatever the column's order, the editor and the parsers hand over day-month-year.
        double date = 0;
        if (ImportParser::parseDateFromString(svalue, ImportRubrique::DateJMA, &date)) {
            trans.when = date;
            if (dateRead)
                *dateRead = true;
        }
        break;
    }
    case ImportRubrique::Contre:
        appendMemo(memo, svalue);
        break;
    case ImportRubrique::Poste: {
        long ident = -1;
        if (POSTE::findPosteWithName(svalue, &ident, doc))
            trans.posteID = ident;
        appendMemo(memo, svalue);
        break;
    }
    case ImportRubrique::Reference:
        trans.ref = svalue;
        appendMemo(memo, svalue);
        break;
    case ImportRubrique::Info:
        trans.why = svalue;
        appendMemo(memo, svalue);
        break;
    case ImportRubrique::Moyen: {
        int family = 0;
        if (MOYEN::findMoyenWithName(svalue, &family))
            trans.moyen = family;
        appendMemo(memo, svalue);
        break;
    }
    case ImportRubrique::Debit:
    case ImportRubrique::Credit:
    case ImportRubrique::Devise:
    case ImportRubrique::Fiscal: // taken after the amounts, by extractTransactFromArrayOfRubriques
    case ImportRubrique::Filler:
    case ImportRubrique::NotAffected:
    case ImportRubrique::Invalide:
        break;
    }
}

void ImportManager::fillTransactWithRubriqueMontant(TRANSACT& trans, long compteID, const QString& svalue,
                                                    ImportRubrique kind, long devise, const ImportRecord& record,
                                                    const DOCUMENT& doc)
{
    double value = 0;
    QString unit;
    if (!ImportParser::parseMontantFromString(svalue, kind, &value, &unit, true)) {
        svLog(QStringLiteral("Parsing Montant error !"));
        return;
    }
    long slot = devise;
    long named = 0;
    if (isRubriqueMontantWithDevise(kind) && Devise::findDeviseWithUnit(doc.deviseHdl, unit, &named))
        slot = named;
    long contre = -1, debit = -1, credit = -1;
    extractComptesFromArrayOfRubriques(record, &contre, &debit, &credit, doc);
    const bool alone = kind == ImportRubrique::MontantSeul || kind == ImportRubrique::MontantDevise;
    if (alone) {
        if (contre < 0 && debit < 0 && credit < 0)
            contre = kCompteAnonymeID;
        if (contre >= 0) {
            setTransactMontantFromValue(trans, value, slot, compteID, contre, doc.deviseHdl);
            return;
        }
    } else if (value == 0) {
        return;
    }
    if (debit < 0 || credit < 0) {
        svLog(QStringLiteral("Missing comptes informations !"));
        return;
    }
    trans.solde.makeMontant(slot, value, doc.deviseHdl);
    trans.who1 = debit;
    trans.who2 = credit;
    trans.devise = slot;
}

void ImportManager::setTransactMontantFromValue(TRANSACT& trans, double value, long devise, long compteReferenceID,
                                                long contrepartieID, const DeviseList& devises)
{
    trans.solde.makeMontant(devise, std::fabs(value), devises);
    if (value < 0)
        setTransactDebiteur(trans, compteReferenceID, contrepartieID);
    else
        setTransactCrediteur(trans, compteReferenceID, contrepartieID);
    trans.devise = devise;
}

void ImportManager::setTransactDebiteur(TRANSACT& trans, long ident, long contrepartieID)
{
    if (trans.who1 != ident)
        trans.who1 = ident;
    if (contrepartieID >= 0)
        trans.who2 = contrepartieID;
}

void ImportManager::setTransactCrediteur(TRANSACT& trans, long ident, long contrepartieID)
{
    if (trans.who2 != ident)
        trans.who2 = ident;
    if (contrepartieID >= 0)
        trans.who1 = contrepartieID;
}

void ImportManager::fillTransactWithTaxe(TRANSACT& trans, const QString& svalue, const DOCUMENT& doc)
{
    long ident = -1;
    long index = -1;
    if (!TAXE::findTaxeWithName(svalue, &ident, doc) || !TAXE::findTaxe(ident, &index, doc.taxeHdl))
        return;
    trans.taxeID = ident;
    const double rate = doc.taxeHdl.at(index).rate;
    if (rate > 0.001)
        MONTANT::divMontant(trans.solde, 100.0 / rate + 1.0, trans.taxe);
    else
        trans.taxe = MONTANT();
}

QString ImportManager::cleanMemo(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isSeparatorChar(text[start]))
        ++start;
    while (end > start && isSeparatorChar(text[end - 1]))
        --end;
    QString clean;
    clean.reserve(end - start);
    for (qsizetype i = start; i < end; ++i) {
        const QChar c = isSeparatorChar(text[i]) ? QChar(u' ') : text[i];
        if (c != u' ' || !clean.endsWith(u' '))
            clean.append(c);
    }
    return clean;
}

QString ImportManager::importTransactError(TRANSACT& trans, bool dateRead, DOCUMENT* doc)
{
    if (!dateRead)
        return QStringLiteral("kAlerte_ImportSansDate");
    const double value = trans.solde.getValueForDevise(trans.devise);
    if (!std::isfinite(value))
        return transErrToKey(kBadTransMontant);
    if (std::fabs(value) < 0.005)
        return QStringLiteral("kAlerte_ImportMontantNul");
    const int code = goodTransact(trans, moyenIndexOf(trans, doc), doc);
    return code == 0 ? QString() : transErrToKey(code);
}
