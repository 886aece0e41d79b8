#include "toolkit/drawing/Constants.h"

#include "document/APPLIPARAM.h"
#include "engines/Critere.h"
#include "engines/POS.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/MOYEN.h"

#include <algorithm>
#include <array>
#include <cmath>

// The family icon table lives with the payment means, which the model needs too.
void Constants::initConstants() { }

QString familyIconName(int family)
{
    if (!SV_ASSERT(family >= 0 && family < kFamilyCount))
        return QString();
    return MOYEN::getActionIcone(family);
}

QString Constants::sortToString(ListingSort sort)
{
    switch (sort) {
    case ListingSort::Defaut: {
        QString title = localizedAppl(QStringLiteral("POPUP_TRI_DEFAUT"));
        // The setting is stored as the kind's integer.
        const auto defaultSort = static_cast<ListingSort>(APPLIPARAM::loadAppliParam().defaultSort);
        if (defaultSort == ListingSort::Defaut)
            return title;
        return QStringLiteral("%1 (%2)").arg(title, sortToString(defaultSort));
    }
    case ListingSort::Date1:
        return localizedAppl(QStringLiteral("POPUP_TRI_DATE1"));
    case ListingSort::Date2:
        return localizedAppl(QStringLiteral("POPUP_TRI_DATE2"));
    case ListingSort::Montant1:
        return localizedAppl(QStringLiteral("POPUP_TRI_MONTANT1"));
    case ListingSort::Montant2:
        return localizedAppl(QStringLiteral("POPUP_TRI_MONTANT2"));
    case ListingSort::Reference:
        return localizedAppl(QStringLiteral("POPUP_TRI_REFERENCE"));
    case ListingSort::Moyen:
        return localizedAppl(QStringLiteral("POPUP_TRI_MOYEN"));
    case ListingSort::Poste:
        return localizedAppl(QStringLiteral("POPUP_TRI_POSTE"));
    case ListingSort::Saisie1:
        return localizedAppl(QStringLiteral("POPUP_TRI_SAISIE1"));
    case ListingSort::Saisie2:
        return localizedAppl(QStringLiteral("POPUP_TRI_SAISIE2"));
    case ListingSort::NoSort:
        return localizedAppl(QStringLiteral("POPUP_TRI_NOSORT"));
    }
    return QStringLiteral("?");
}

QString Constants::categorieToString(long categorie)
{
    if (categorie == 0)
        return localizedAppl(QStringLiteral("TITLE_BANQUE_LIQUIDE"));
    if (categorie == 2)
        return localizedAppl(QStringLiteral("TITLE_BANQUE_USER"));
    return localizedAppl(QStringLiteral("TITLE_BANQUE_TIERS"));
}

QString Constants::saisieRubriqueToString(long rubrique)
{
    switch (rubrique) {
    case 0:
        return localizedAppl(QStringLiteral("POPUP_SAISIE_RUBRIQUE_DATE"));
    case 1:
        return localizedAppl(QStringLiteral("POPUP_SAISIE_RUBRIQUE_MONTANT"));
    case 2:
        return localizedAppl(QStringLiteral("POPUP_SAISIE_RUBRIQUE_POSTE"));
    case 3:
        return localizedAppl(QStringLiteral("POPUP_SAISIE_RUBRIQUE_COMPTE"));
    default:
        return localizedAppl(QStringLiteral("POPUP_SAISIE_RUBRIQUE_REFERENCE"));
    }
}

QString Constants::saisieDateToString(long option)
{
    return option == 0 ? localizedAppl(QStringLiteral("POPUP_SAISIE_DATE_AUJOURDHUI"))
                       : localizedAppl(QStringLiteral("POPUP_SAISIE_DATE_PRECEDENTE"));
}

QString Constants::timeUnitToString(long unit)
{
    switch (unit) {
    case 0:
        return localizedAppl(QStringLiteral("POPUP_TIMEUNIT_MOIS"));
    case 1:
        return localizedAppl(QStringLiteral("POPUP_TIMEUNIT_SEMAINE"));
    case 2:
        return localizedAppl(QStringLiteral("POPUP_TIMEUNIT_JOUR"));
    default:
        return localizedAppl(QStringLiteral("POPUP_TIMEUNIT_ANNEE"));
    }
}

QString Constants::reconductionTypeToString(long type)
{
    return type == 0 ? localizedAppl(QStringLiteral("POPUP_RECONDUCTION_NO"))
                     : localizedAppl(QStringLiteral("POPUP_RECONDUCTION_YES"));
}

QString Constants::ecritureTypeToString(long type)
{
    return type == 0 ? localizedAppl(QStringLiteral("POPUP_ECRITURE_REGULIERE"))
                     : localizedAppl(QStringLiteral("POPUP_ECRITURE_FINDEMOIS"));
}

QString Constants::impactTypeToString(long type)
{
    return type == 0 ? localizedAppl(QStringLiteral("POPUP_IMPACT_ECHEANCE"))
                     : localizedAppl(QStringLiteral("POPUP_IMPACT_DEBUT"));
}

QString Constants::impactShiftToString(long shift)
{
    if (shift == 0)
        return QStringLiteral("+0 mois");
    if (shift > 0)
        return QStringLiteral("+%1 mois").arg(shift);
    return QStringLiteral("%1 mois").arg(shift);
}

QString Constants::dureeTypeToString(long type)
{
    return type == 1 ? localizedAppl(QStringLiteral("POPUP_DUREE_FINDEMOIS"))
                     : localizedAppl(QStringLiteral("POPUP_DUREE_MANUEL"));
}

QString Constants::modeDateToString(long mode)
{
    switch (mode) {
    case 1:
        return localizedAppl(QStringLiteral("POPUP_MODEDATE_NOLIMIT"));
    case 2:
        return localizedAppl(QStringLiteral("POPUP_MODEDATE_YEAR"));
    case 3:
        return localizedAppl(QStringLiteral("POPUP_MODEDATE_MONTH"));
    default:
        return localizedAppl(QStringLiteral("POPUP_MODEDATE_ASK"));
    }
}

QString Constants::fiscaliteToString(long fiscalite)
{
    if (fiscalite == 1)
        return localizedAppl(QStringLiteral("POPUP_FISCALITE_HT"));
    if (fiscalite == 2)
        return localizedAppl(QStringLiteral("POPUP_FISCALITE_TAXE"));
    return localizedAppl(QStringLiteral("POPUP_FISCALITE_TTC"));
}

QString Constants::modePosteToString(long mode)
{
    if (mode == 1)
        return localizedAppl(QStringLiteral("POPUP_MODE_POSTE_INCLUDE"));
    if (mode == 2)
        return localizedAppl(QStringLiteral("POPUP_MODE_POSTE_EXCLUDE"));
    return localizedAppl(QStringLiteral("POPUP_MODE_POSTE_ALL"));
}

QString Constants::optionMontantToString(long option)
{
    return option == 0 ? localizedAppl(QStringLiteral("POPUP_OPTION_MONTANT_DEPENSE"))
                       : localizedAppl(QStringLiteral("POPUP_OPTION_MONTANT_RECETTE"));
}

QString Constants::modeGroupageToString(long mode)
{
    return mode == 0 ? localizedAppl(QStringLiteral("POPUP_OPTION_GROUPAGE_MOIS"))
                     : localizedAppl(QStringLiteral("POPUP_OPTION_GROUPAGE_JOUR"));
}

QString Constants::typeTotauxToString(long type)
{
    return type == 0 ? localizedAppl(QStringLiteral("POPUP_TYPE_TOTAUX_NON_CUMULE"))
                     : localizedAppl(QStringLiteral("POPUP_TYPE_TOTAUX_CUMULE"));
}

QString Constants::typeGraphiqueToString(long type)
{
    switch (type) {
    case 0:
        return localizedAppl(QStringLiteral("POPUP_TYPE_GRAPHIQUE_HISTO_SIMPLE"));
    case 1:
        return localizedAppl(QStringLiteral("POPUP_TYPE_GRAPHIQUE_HISTO_RELIEF"));
    case 2:
        return localizedAppl(QStringLiteral("POPUP_TYPE_GRAPHIQUE_COURBE_SIMPLE"));
    default:
        return localizedAppl(QStringLiteral("POPUP_TYPE_GRAPHIQUE_COURBE_RELIEF"));
    }
}

// A value of no operator takes the last title, as Between does.
QString Constants::critereComparaisonToString(CritereCompare comparaison)
{
    switch (comparaison) {
    case CritereCompare::Off:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_INDIF"));
    case CritereCompare::Equal:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_EGAL"));
    case CritereCompare::Below:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_INF"));
    case CritereCompare::BelowOrEqual:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_INF_EGAL"));
    case CritereCompare::Above:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_SUP"));
    case CritereCompare::AboveOrEqual:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_SUP_EGAL"));
    case CritereCompare::Between:
        break;
    }
    return localizedAppl(QStringLiteral("POPUP_CRITERE_INTER"));
}

QString Constants::criterePointageToString(CriterePointe pointage)
{
    switch (pointage) {
    case CriterePointe::Off:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_INDIF"));
    case CriterePointe::Ticked:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_POINTE"));
    case CriterePointe::NotTicked:
        break;
    }
    return localizedAppl(QStringLiteral("POPUP_CRITERE_NPOINTE"));
}

QString Constants::critereBoolToString(CritereBool operation)
{
    return operation == CritereBool::Or ? localizedAppl(QStringLiteral("POPUP_CRITERE_OU"))
                                        : localizedAppl(QStringLiteral("POPUP_CRITERE_ET"));
}

QString Constants::critereStringToString(CritereText comparaison)
{
    switch (comparaison) {
    case CritereText::Off:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_INDIF"));
    case CritereText::BeginsWith:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_COMMENCE"));
    case CritereText::Contains:
        return localizedAppl(QStringLiteral("POPUP_CRITERE_CONTIENT"));
    case CritereText::Equals:
        break;
    }
    return localizedAppl(QStringLiteral("POPUP_CRITERE_EXACTEMENT"));
}

QFont makeListFont(bool bold, bool italic, double size)
{
    return makeListFont(QStringLiteral("Helvetica"), bold, italic, size);
}

QFont makeListFont(const QString& family, bool bold, bool italic, double size)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

namespace {

// Indexed by group * 4 + bold * 2 + italic.
std::array<QFont, size_t {kListFontGroups} * 4>& listFonts()
{
    static std::array<QFont, size_t {kListFontGroups} * 4> fonts;
    return fonts;
}

bool g_listFontsBuilt = false;

} // namespace

void initListFonts()
{
    for (int i = 0; i < kListFontGroups * 4; ++i)
        listFonts()[size_t(i)] = makeListFont((i & 2) != 0, (i & 1) != 0, 12);
    g_listFontsBuilt = true;
}

const QFont& listFont(int group, bool bold, bool italic)
{
    if (!g_listFontsBuilt)
        initListFonts();
    if (!SV_ASSERT(group >= 0 && group < kListFontGroups))
        group = 0;
    const int index = group * 4 + (bold ? 2 : 0) + (italic ? 1 : 0);
    return listFonts()[size_t(index)];
}
