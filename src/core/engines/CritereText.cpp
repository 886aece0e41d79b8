// The text form of a criterion, as the search, listing and analysis windows show it.
#include "engines/Critere.h"

#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/ECHEANCIER.h"
#include "model/FinanceCompute.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/Synonyme.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

#include <optional>

namespace {

constexpr QChar kCR = QChar(13);
constexpr QChar kTAB = QChar(9);
constexpr int kShortStyle = 1;

using Line = std::optional<QString>;

QString dateText(double date)
{
    return dateToStringWithStyles(kShortStyle, kShortStyle, date);
}

QString montantText(const Critere& c, const MONTANT& m, const DOCUMENT* doc)
{
    return montantToStringForDevise(m, c.devise, doc ? &doc->deviseHdl : nullptr, true);
}

// The bank-type titles of the type pop-ups.
QString categorieTitle(long categorie)
{
    if (categorie == kBanqueLiquide)
        return localizedAppl(QStringLiteral("TITLE_BANQUE_LIQUIDE"));
    if (categorie == kBanqueUser)
        return localizedAppl(QStringLiteral("TITLE_BANQUE_USER"));
    return localizedAppl(QStringLiteral("TITLE_BANQUE_TIERS"));
}

Line dateLine(const Critere& c)
{
    switch (c.critereDate) {
    case CritereCompare::Off:
        return std::nullopt;
    case CritereCompare::Equal:
        return localizedAppl(QStringLiteral("CRITERE_DATE_egalA")) + dateText(c.date1);
    case CritereCompare::Below:
        return localizedAppl(QStringLiteral("CRITERE_DATE_inferieurA")) + dateText(c.date1);
    case CritereCompare::BelowOrEqual:
        return localizedAppl(QStringLiteral("CRITERE_DATE_inferieurOuEgA")) + dateText(c.date1);
    case CritereCompare::Above:
        return localizedAppl(QStringLiteral("CRITERE_DATE_superieurA")) + dateText(c.date1);
    case CritereCompare::AboveOrEqual:
        return localizedAppl(QStringLiteral("CRITERE_DATE_superieurOuEgA")) + dateText(c.date1);
    case CritereCompare::Between:
        return localizedAppl(QStringLiteral("CRITERE_DATE_intervalle1")) + dateText(c.date1)
            + localizedAppl(QStringLiteral("CRITERE_DATE_intervalle2")) + dateText(c.date2);
    }
    return std::nullopt;
}

Line montantLine(const Critere& c, const DOCUMENT* doc)
{
    const QString m1 = montantText(c, c.montant1, doc);
    switch (c.critereMontant) {
    case CritereCompare::Off:
        return std::nullopt;
    case CritereCompare::Equal:
        return localizedAppl(QStringLiteral("CRITERE_MONTANT_egalA")) + m1;
    case CritereCompare::Below:
        return localizedAppl(QStringLiteral("CRITERE_MONTANT_inferieurA")) + m1;
    case CritereCompare::BelowOrEqual:
        return localizedAppl(QStringLiteral("CRITERE_MONTANT_inferieurOuEgA")) + m1;
    case CritereCompare::Above:
        return localizedAppl(QStringLiteral("CRITERE_MONTANT_superieurA")) + m1;
    case CritereCompare::AboveOrEqual:
        return localizedAppl(QStringLiteral("CRITERE_MONTANT_superieurOuEgA")) + m1;
    case CritereCompare::Between:
        return localizedAppl(QStringLiteral("CRITERE_MONTANT_intervalle1")) + m1
            + localizedAppl(QStringLiteral("CRITERE_MONTANT_intervalle2")) + montantText(c, c.montant2, doc);
    }
    return std::nullopt;
}

Line posteLine(const Critere& c, const DOCUMENT* doc)
{
    const POSTE* poste = doc ? POSTE::posteWithIdent(c.posteID, *doc) : nullptr;
    if (c.criterePoste == CritereSwitch::Off || !poste)
        return std::nullopt;
    return localizedAppl(QStringLiteral("CRITERE_POSTE")) + poste->nom;
}

// The texts of one debit/credit pair: the key with the name (and a space) on each side in use,
// the "no" key on a side not in use, the combination between.
struct PairKeys {
    QString debit;
    QString debitNo;
    QString credit;
    QString creditNo;
};

// A side is named when its operator is On (2); any other leaves it unnamed.
QString pairText(const PairKeys& keys, bool debitOn, const QString& debitName, CritereBool boolOperator, bool creditOn,
                 const QString& creditName)
{
    QString text = debitOn ? keys.debit + debitName + QLatin1Char(' ') : keys.debitNo;
    text += boolOperator == CritereBool::Or ? localizedAppl(QStringLiteral("CRITERE_OU"))
                                            : localizedAppl(QStringLiteral("CRITERE_ET"));
    text += creditOn ? keys.credit + creditName : keys.creditNo;
    return text;
}

Line compteLine(const Critere& c, const DOCUMENT* doc)
{
    if (c.critereCompteDebit == CritereCompte::Off && c.critereCompteCredit == CritereCompte::Off)
        return std::nullopt;
    if (c.isCritereCompte())
        return localizedAppl(QStringLiteral("CRITERE_COMPTE")) + getToolNameNS(kToolCompte, c.compteIDDebit, doc);
    const PairKeys keys {
        localizedAppl(QStringLiteral("CRITERE_COMPTE_D")), localizedAppl(QStringLiteral("CRITERE_COMPTE_D_NO")),
        localizedAppl(QStringLiteral("CRITERE_COMPTE_C")), localizedAppl(QStringLiteral("CRITERE_COMPTE_C_NO"))};
    return pairText(keys, c.critereCompteDebit == CritereCompte::On, getToolNameNS(kToolCompte, c.compteIDDebit, doc),
                    c.critereBoolCompte, c.critereCompteCredit == CritereCompte::On,
                    getToolNameNS(kToolCompte, c.compteIDCredit, doc));
}

Line banqueLine(const Critere& c, const DOCUMENT* doc)
{
    if (c.critereBanqueDebit == CritereSwitch::Off && c.critereBanqueCredit == CritereSwitch::Off)
        return std::nullopt;
    if (c.isCritereBanque())
        return localizedAppl(QStringLiteral("CRITERE_BANQUE")) + getToolNameNS(kToolBanque, c.banqueIDDebit, doc);
    const PairKeys keys {
        localizedAppl(QStringLiteral("CRITERE_BANQUE_D")), localizedAppl(QStringLiteral("CRITERE_BANQUE_D_NO")),
        localizedAppl(QStringLiteral("CRITERE_BANQUE_C")), localizedAppl(QStringLiteral("CRITERE_BANQUE_C_NO"))};
    return pairText(keys, c.critereBanqueDebit == CritereSwitch::On, getToolNameNS(kToolBanque, c.banqueIDDebit, doc),
                    c.critereBoolBanque, c.critereBanqueCredit == CritereSwitch::On,
                    getToolNameNS(kToolBanque, c.banqueIDCredit, doc));
}

Line categorieLine(const Critere& c)
{
    if (c.critereCategorieDebit == CritereSwitch::Off && c.critereCategorieCredit == CritereSwitch::Off)
        return std::nullopt;
    const PairKeys keys {
        localizedAppl(QStringLiteral("CRITERE_CATEGORIE_D")), localizedAppl(QStringLiteral("CRITERE_CATEGORIE_D_NO")),
        localizedAppl(QStringLiteral("CRITERE_CATEGORIE_C")), localizedAppl(QStringLiteral("CRITERE_CATEGORIE_C_NO"))};
    return pairText(keys, c.critereCategorieDebit == CritereSwitch::On, categorieTitle(c.categorieIDDebit),
                    c.critereBoolCategorie, c.critereCategorieCredit == CritereSwitch::On,
                    categorieTitle(c.categorieIDCredit));
}

QString pointeOuiText(const Critere& c, const DOCUMENT* doc)
{
    QString text = localizedAppl(QStringLiteral("CRITERE_POINTE_oui"));
    const TOOL* compte = c.compteIDDebit >= 0 ? getTool(kToolCompte, c.compteIDDebit, doc) : nullptr;
    if (c.critereReleve == CritereSwitch::On && c.critereCompteDebit == CritereCompte::On && compte)
        text += QStringLiteral(" (") + compte->getReleveStringNS(c.releveID) + QLatin1Char(')');
    return text;
}

Line pointeLine(const Critere& c, const DOCUMENT* doc)
{
    switch (c.criterePointe) {
    case CriterePointe::Off:
        return std::nullopt;
    case CriterePointe::Ticked:
        return pointeOuiText(c, doc);
    case CriterePointe::NotTicked:
        return localizedAppl(QStringLiteral("CRITERE_POINTE_non"));
    }
    return std::nullopt;
}

Line taxeLine(const Critere& c, const DOCUMENT* doc)
{
    if (c.critereTaxe == CritereSwitch::Off)
        return std::nullopt;
    if (c.taxeID < 0)
        return localizedAppl(QStringLiteral("CRITERE_NOTAXE"));
    QString text = localizedAppl(QStringLiteral("CRITERE_TAXE"));
    long index = 0;
    if (doc && TAXE::findTaxe(c.taxeID, &index, doc->taxeHdl))
        text += doc->taxeHdl[index].nom;
    return text;
}

// The first investment ident in use names the kind; all three below 0 stand for none.
Line placementLine(const Critere& c, const DOCUMENT* doc)
{
    if (c.criterePlacement == CritereSwitch::Off)
        return std::nullopt;
    if (c.titreID < 0 && c.remunereID < 0 && c.empruntID < 0)
        return localizedAppl(QStringLiteral("CRITERE_NOPLACEMENT"));
    long index = 0;
    if (c.titreID >= 0) {
        if (!findTitreWithIdent(c.titreID, &index, doc))
            return std::nullopt;
        return localizedAppl(QStringLiteral("CRITERE_TITRE")) + doc->titreHdl[index].nom;
    }
    if (c.remunereID >= 0) {
        if (!findRemunereWithIdent(c.remunereID, &index, doc))
            return std::nullopt;
        return localizedAppl(QStringLiteral("CRITERE_REMUNERE")) + doc->remunereHdl[index].nom;
    }
    if (!findEmpruntWithIdent(c.empruntID, &index, doc))
        return std::nullopt;
    return localizedAppl(QStringLiteral("CRITERE_EMPRUNT")) + doc->empruntHdl[index].nom;
}

Line chronoLine(const Critere& c, const DOCUMENT* doc)
{
    if (c.critereChrono == CritereSwitch::Off)
        return std::nullopt;
    QString text = localizedAppl(QStringLiteral("CRITERE_CHRONO"));
    const ECHEANCIER* echeancier = nullptr;
    if (c.chronoID == -1)
        text += localizedMisc(QStringLiteral("kMisc_PasDEcheancier"));
    else if (findEcheancier(c.chronoID, doc, &echeancier, nullptr))
        text += echeancier->nom;
    return text;
}

Line moyenLine(const Critere& c, const DOCUMENT* doc)
{
    if (c.critereSynonyme == CritereSwitch::On) {
        const QString name = doc ? Synonyme::getSynonymeName(c.synonymeID, doc->synonymeArray) : QStringLiteral("?");
        return localizedAppl(QStringLiteral("CRITERE_MOYEN")) + name;
    }
    if (c.critereMoyen == CritereSwitch::Off)
        return std::nullopt;
    return localizedAppl(QStringLiteral("CRITERE_MOYEN")) + MOYEN::newMoyenName(c.moyen);
}

Line dossierLine(const Critere& c, const DOCUMENT* doc)
{
    const DOSSIER* dossier = doc ? DOSSIER::dossierWithIdent(c.dossierID, *doc) : nullptr;
    if (c.critereDossier == CritereSwitch::Off || !dossier)
        return std::nullopt;
    return localizedAppl(QStringLiteral("CRITERE_DOSSIER")) + dossier->nom;
}

Line texteLines(CritereText crit, const QString& key, const QString& text)
{
    if (crit == CritereText::Off)
        return std::nullopt;
    return key + text + QStringLiteral("...");
}

Line importLine(const Critere& c)
{
    switch (c.critereImport) {
    case CritereImport::Off:
        return std::nullopt;
    case CritereImport::Imported:
        return localizedAppl(QStringLiteral("CRITERE_IMPORT_Importe"));
    case CritereImport::ImportedTouched:
        return localizedAppl(QStringLiteral("CRITERE_IMPORT_Importe_touched"));
    case CritereImport::ImportedUntouched:
        return localizedAppl(QStringLiteral("CRITERE_IMPORT_Importe_untouched"));
    case CritereImport::ImportedDoublon:
        return localizedAppl(QStringLiteral("CRITERE_IMPORT_Importe_doublon"));
    case CritereImport::Synchro:
        return localizedAppl(QStringLiteral("CRITERE_IMPORT_is_synchro"));
    case CritereImport::LastSynchro:
        return localizedAppl(QStringLiteral("CRITERE_IMPORT_last_synchro"));
    }
    return std::nullopt;
}

} // namespace

QString Critere::critereToString(const DOCUMENT* doc, bool showTitle, bool doIndent) const
{
    QString text;
    if (showTitle)
        text += localizedAppl(QStringLiteral("CRITERE_TITLE")) + kCR;
    // The import reason has no line.
    const Line lines[] = {
        dateLine(*this),
        montantLine(*this, doc),
        posteLine(*this, doc),
        compteLine(*this, doc),
        banqueLine(*this, doc),
        categorieLine(*this),
        pointeLine(*this, doc),
        taxeLine(*this, doc),
        placementLine(*this, doc),
        chronoLine(*this, doc),
        moyenLine(*this, doc),
        dossierLine(*this, doc),
        texteLines(critereReference, localizedAppl(QStringLiteral("CRITERE_REFERENCE")), reference),
        texteLines(critereWhy, localizedAppl(QStringLiteral("CRITERE_INFO")), why),
        importLine(*this),
    };
    bool any = false;
    for (const Line& line : lines) {
        if (!line)
            continue;
        any = true;
        if (doIndent)
            text += kTAB;
        text += *line + kCR;
    }
    if (!any)
        text += localizedAppl(QStringLiteral("CRITERE_AUCUN")) + kCR;
    text.chop(1);
    return text;
}
