#include "model/ReferencePasses.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TRANSACT trans(long who1, long who2, long poste)
{
    TRANSACT t;
    t.who1 = who1;
    t.who2 = who2;
    t.posteID = poste;
    return t;
}

POSTE poste(long ident, long dossier)
{
    POSTE p;
    p.ident = ident;
    p.dossierID = dossier;
    return p;
}

GRAPH graph(int mode, long ident)
{
    GRAPH g;
    g.mode = mode;
    g.compteID = g.posteID = g.dossierID = ident;
    return g;
}

// A rule that credits the account and files under the category.
REGLE regle(long compteID, long posteID)
{
    REGLE r;
    r.importID = 5;
    r.who1 = 6;
    r.who2 = compteID;
    r.posteID = posteID;
    return r;
}

class ReferencePassesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testenv::addDefaultDocParam(doc);
        doc.docParam->defaultPoste = 20;
        doc.docParam->defaultDossier = 2;
    }
    DOCUMENT doc {QString(), kFileSystemLocal};
};

} // namespace

TEST_F(ReferencePassesTest, EveryUseOfAnAccountIsReported)
{
    doc.reglesArray = {regle(77, 20)};
    CompteUses uses;
    EXPECT_FALSE(compteWhereUsed(50, &doc, &uses));
    EXPECT_FALSE(compteWhereUsed(-1, &doc, &uses)); // never matches "all accounts" in an analysis

    doc.docParam->defaultCompte = 50;
    doc.transact_array = {trans(3, 50, 20)};
    MACRO macro;
    macro.transact = trans(50, 3, 20);
    doc.macroHdl = {macro};
    ECHEANCIER echeancier;
    echeancier.perso = {PECHEANCIER(trans(9, 50, 20), false)};
    doc.echeancierHdl = {echeancier};
    Prevision prevision;
    prevision.transact = trans(50, 9, 20);
    doc.previsionsArray = {prevision};
    AnalyseConfiguration conf;
    conf.compteID = 50;
    doc.anadefHdl = {conf};
    doc.graphHdl = {graph(kGraphModePoste, 50), graph(kGraphModeCompte, 50)};
    FINANCE emprunt;
    emprunt.compteID = 50;
    doc.empruntHdl = {emprunt};
    ASSERT_TRUE(compteWhereUsed(50, &doc, &uses));
    EXPECT_TRUE(uses.inTransact && uses.inPreferences && uses.inMacro && uses.inEcheancier && uses.inPrevision);
    EXPECT_TRUE(uses.inAnalyse && uses.inGraphique && uses.inFinance);
    EXPECT_FALSE(uses.inRemunere || uses.inRegle);

    // A graph of a category naming the ident as its account is no use.
    doc.graphHdl = {graph(kGraphModePoste, 51)};
    doc.anadefHdl[0].comptesArray = {51};
    EXPECT_TRUE(compteWhereUsed(51, &doc, &uses));
    EXPECT_TRUE(uses.inAnalyse);
    EXPECT_FALSE(uses.inGraphique || uses.inTransact);
    EXPECT_TRUE(compteWhereUsed(77, &doc, &uses));
    EXPECT_TRUE(uses.inRegle);
    // The user's own default account counts as much as the default one.
    doc.docParam->defaultCompteUser = 52;
    ASSERT_TRUE(compteWhereUsed(52, &doc, &uses));
    EXPECT_TRUE(uses.inPreferences);
}

TEST_F(ReferencePassesTest, ReplacingACategoryRewritesEveryReference)
{
    doc.reglesArray = {regle(77, 20), regle(78, 21), regle(79, 20)};
    TRANSACT split = trans(3, 4, 21);
    split.addMultiWithPosteID(20, MONTANT(), QString());
    split.addMultiWithPosteID(22, MONTANT(), QString());
    doc.transact_array = {trans(3, 4, 20), trans(3, 4, 20), split, trans(3, 4, 22)};
    TOOL compte = testenv::tool(kToolCompte, 40, kBanqueUser, 4);
    compte.posteID = 20;
    doc.compteHdl = {compte};
    ECHEANCIER echeancier;
    echeancier.perso = {PECHEANCIER(trans(3, 4, 20), false)};
    doc.echeancierHdl = {echeancier};
    AnalyseConfiguration conf;
    conf.postesArray = {22, 20};
    doc.anadefHdl = {conf};
    doc.graphHdl = {graph(kGraphModePoste, 20), graph(kGraphModeCompte, 20)};

    // A query reports the first use only and changes nothing.
    PosteUses uses;
    ASSERT_TRUE(replacePosteEverywhere(20, &doc, -1, &uses));
    EXPECT_TRUE(uses.inPreferences);
    EXPECT_FALSE(uses.inTransact || uses.inCompte);
    EXPECT_EQ(doc.transact_array[0].posteID, 20);
    EXPECT_TRUE(changePosteInEcheanciers(20, &doc, -1));
    EXPECT_EQ(doc.echeancierHdl[0].perso[0].transact.posteID, 20);
    EXPECT_FALSE(changePosteInPrevisions(20, &doc, -1));

    ASSERT_TRUE(replacePosteEverywhere(20, &doc, 30, &uses));
    EXPECT_TRUE(uses.inPreferences && uses.inTransact && uses.inCompte && uses.inEcheancier && uses.inAnalyse
                && uses.inGraphique && uses.inRegle);
    EXPECT_FALSE(uses.inMacro || uses.inPrevision);
    EXPECT_EQ(doc.docParam->defaultPoste, 30);
    for (const TRANSACT& t : doc.transact_array)
        EXPECT_FALSE(transactUsesPoste(20, t));
    EXPECT_EQ(doc.transact_array[2].multis[0].posteID, 30);
    EXPECT_EQ(doc.transact_array[3].posteID, 22);
    EXPECT_EQ(doc.compteHdl[0].posteID, 30);
    EXPECT_EQ(doc.echeancierHdl[0].perso[0].transact.posteID, 30);
    EXPECT_EQ(doc.anadefHdl[0].postesArray, (AnaIdentList {22, 30}));
    EXPECT_EQ(doc.graphHdl[0].posteID, 30);
    EXPECT_EQ(doc.graphHdl[1].posteID, 20); // an account graph's category is not followed
    EXPECT_EQ(doc.reglesArray[0].posteID, 30);
    EXPECT_EQ(doc.reglesArray[1].posteID, 21);
    EXPECT_EQ(doc.reglesArray[2].posteID, 30);
    EXPECT_FALSE(replacePosteEverywhere(20, &doc, -1, &uses));
}

TEST_F(ReferencePassesTest, AReplacedFolderTakesAllItsCategoriesAlong)
{
    doc.docParam->defaultPoste = 1;
    doc.posteHdl = {poste(10, 5), poste(11, 5), poste(12, 6)};
    DossierUses uses;
    EXPECT_FALSE(replaceDossierEverywhere(5, &doc, -1, &uses)); // categories nothing uses

    AnalyseConfiguration conf;
    conf.dossiersArray = {5};
    doc.anadefHdl = {conf};
    doc.graphHdl = {graph(kGraphModeDossier, 5)};
    doc.transact_array = {trans(3, 4, 11)};
    ASSERT_TRUE(replaceDossierEverywhere(5, &doc, -1, &uses));
    EXPECT_TRUE(uses.inPostes);
    EXPECT_FALSE(uses.inAnalyse || uses.inGraphique);
    EXPECT_EQ(doc.posteHdl[0].dossierID, 5);

    ASSERT_TRUE(replaceDossierEverywhere(5, &doc, 6, &uses));
    EXPECT_TRUE(uses.inPostes && uses.inAnalyse && uses.inGraphique);
    EXPECT_FALSE(uses.inPreferences);
    for (const POSTE& p : doc.posteHdl)
        EXPECT_EQ(p.dossierID, 6);
    EXPECT_EQ(doc.anadefHdl[0].dossiersArray, AnaIdentList {6});
    EXPECT_EQ(doc.graphHdl[0].dossierID, 6);

    EXPECT_TRUE(replaceDossierEverywhere(2, &doc, -1, &uses));
    EXPECT_TRUE(uses.inPreferences);
}
