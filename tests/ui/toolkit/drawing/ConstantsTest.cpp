#include "toolkit/drawing/Constants.h"
#include "support/ExpectedWarning.h"

#include "document/APPLIPARAM.h"
#include "engines/Critere.h"
#include "engines/POS.h"
#include "foundation/localized.h"

#include <gtest/gtest.h>

namespace {

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

class ConstantsTest : public ::testing::Test {
protected:
    void SetUp() override { APPLIPARAM::disposeAppliParam(); }
    void TearDown() override { APPLIPARAM::disposeAppliParam(); }
};

TEST_F(ConstantsTest, SortTitlesNameTheDefaultSortAndUnknownSorts)
{
    EXPECT_EQ(Constants::sortToString(static_cast<ListingSort>(11)), "?");
    EXPECT_EQ(Constants::sortToString(static_cast<ListingSort>(-1)), "?");
    EXPECT_EQ(Constants::sortToString(ListingSort::Montant2), "Montant décroissant");
    APPLIPARAM::loadAppliParam().defaultSort = 3;
    EXPECT_EQ(Constants::sortToString(ListingSort::Defaut), "Tri par défaut (Montant croissant)");
    APPLIPARAM::loadAppliParam().defaultSort = 0;
    EXPECT_EQ(Constants::sortToString(ListingSort::Defaut), "Tri par défaut");
}

TEST_F(ConstantsTest, EveryOtherValueTakesTheLastTitle)
{
    const std::vector<std::pair<QString, const char*>> fallbacks {
        {Constants::categorieToString(1), "TITLE_BANQUE_TIERS"},
        {Constants::saisieRubriqueToString(9), "POPUP_SAISIE_RUBRIQUE_REFERENCE"},
        {Constants::saisieDateToString(-1), "POPUP_SAISIE_DATE_PRECEDENTE"},
        {Constants::timeUnitToString(7), "POPUP_TIMEUNIT_ANNEE"},
        {Constants::reconductionTypeToString(2), "POPUP_RECONDUCTION_YES"},
        {Constants::ecritureTypeToString(5), "POPUP_ECRITURE_FINDEMOIS"},
        {Constants::impactTypeToString(1), "POPUP_IMPACT_DEBUT"},
        {Constants::dureeTypeToString(0), "POPUP_DUREE_MANUEL"},
        {Constants::modeDateToString(0), "POPUP_MODEDATE_ASK"},
        {Constants::fiscaliteToString(0), "POPUP_FISCALITE_TTC"},
        {Constants::modePosteToString(3), "POPUP_MODE_POSTE_ALL"},
        {Constants::optionMontantToString(1), "POPUP_OPTION_MONTANT_RECETTE"},
        {Constants::modeGroupageToString(1), "POPUP_OPTION_GROUPAGE_JOUR"},
        {Constants::typeTotauxToString(1), "POPUP_TYPE_TOTAUX_CUMULE"},
        {Constants::typeGraphiqueToString(3), "POPUP_TYPE_GRAPHIQUE_COURBE_RELIEF"},
        // Stored values no operator has.
        {Constants::critereComparaisonToString(static_cast<CritereCompare>(0)), "POPUP_CRITERE_INTER"},
        {Constants::criterePointageToString(CriterePointe::NotTicked), "POPUP_CRITERE_NPOINTE"},
        {Constants::critereBoolToString(static_cast<CritereBool>(0)), "POPUP_CRITERE_ET"},
        {Constants::critereStringToString(static_cast<CritereText>(0)), "POPUP_CRITERE_EXACTEMENT"},
    };
    for (const auto& [title, key] : fallbacks) {
        EXPECT_EQ(title, appl(key)) << key;
        EXPECT_NE(title, QString::fromLatin1(key)) << "no French text for " << key;
    }
    EXPECT_EQ(Constants::categorieToString(2), appl("TITLE_BANQUE_USER"));
    EXPECT_EQ(Constants::critereStringToString(CritereText::Off),
              Constants::critereComparaisonToString(CritereCompare::Off));
}

TEST_F(ConstantsTest, MonthShiftsAndFamilyIcons)
{
    EXPECT_EQ(Constants::impactShiftToString(-2), "-2 mois");
    EXPECT_EQ(Constants::impactShiftToString(3), "+3 mois");
    EXPECT_EQ(Constants::impactShiftToString(0), "+0 mois");

    Constants::initConstants();
    QStringList names;
    for (int family = 0; family <= 12; ++family)
        names.append(familyIconName(family));
    EXPECT_EQ(names.join(' '), "208 206 203 2032 208 204 2042 205 207 202 2022 201 2012");
    const ExpectedWarning assertion(QStringLiteral("family >= 0 && family < kFamilyCount"));
    EXPECT_TRUE(familyIconName(13).isEmpty());
    EXPECT_EQ(assertion.count(), 1);
}

TEST_F(ConstantsTest, ListFontsAreHelveticaWithTheirTraits)
{
    const QFont font = makeListFont(true, true, 10);
    EXPECT_EQ(font.family(), "Helvetica");
    EXPECT_EQ(font.styleHint(), QFont::SansSerif);
    EXPECT_EQ(font.pixelSize(), 10);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());

    initListFonts();
    for (int group = 0; group < kListFontGroups; ++group) {
        EXPECT_EQ(listFont(group, false, false).pixelSize(), 12);
        EXPECT_FALSE(listFont(group, false, true).bold());
        EXPECT_TRUE(listFont(group, false, true).italic());
        EXPECT_TRUE(listFont(group, true, false).bold());
        EXPECT_FALSE(listFont(group, true, false).italic());
    }
}

} // namespace
