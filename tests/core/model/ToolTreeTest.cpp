#include "model/ToolTree.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testenv::tool;

QList<long> idents(const ToolNodeList& list)
{
    QList<long> out;
    for (const ToolNode& node : list)
        out << node.ident;
    return out;
}

class ToolTreeTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
};

} // namespace

TEST_F(ToolTreeTest, BanksByTypeThenNameAndAccountsByName)
{
    doc.banqueHdl = {tool(kToolBanque, 10, "Zeta", kBanqueUser), tool(kToolBanque, 11, "Alpha", kBanqueTiers),
                     tool(kToolBanque, 12, "Beta", kBanqueLiquide), tool(kToolBanque, 13, "alpha", kBanqueUser),
                     tool(kToolBanque, 14, "Aa", kBanqueTiers)};
    doc.compteHdl
        = {tool(kToolCompte, 20, "courant", kBanqueUser, 10), tool(kToolCompte, 21, "Epargne", kBanqueUser, 10),
           tool(kToolCompte, 22, "Bourse", kBanqueUser, 10), tool(kToolCompte, 23, "Perdu", kBanqueUser, 99)};
    buildToolArbo(&doc);
    EXPECT_EQ(idents(toolTree(&doc)), (QList<long> {13, 10, 12, 14, 11}));
    EXPECT_EQ(idents(toolTree(&doc)[1].liste), (QList<long> {22, 20, 21}));
    EXPECT_EQ(banqueIDToIndex(10, &doc), 1);
    EXPECT_EQ(banqueIndexToNbCompte(1, &doc), 3);
    EXPECT_EQ(compteIndexToID(1, 2, &doc), 21);

    // Out of range and missing lists answer nothing.
    EXPECT_EQ(banqueIndexToID(5, &doc), -1);
    EXPECT_EQ(banqueIDToIndex(99, &doc), -1);
    EXPECT_EQ(compteIndexToID(1, 3, &doc), -1);
    // The tree is the document's own: another document, or none, has none.
    const DOCUMENT other {QString(), kFileSystemLocal};
    EXPECT_TRUE(toolTree(&other).isEmpty());
    EXPECT_EQ(nbBanque(nullptr), 0);

    // A new account goes before an equal name; an account of a bank outside the tree goes nowhere.
    long position = -1;
    insertDeal(kToolCompte, tool(kToolCompte, 24, "EPARGNE", kBanqueUser, 10), &position, &doc, false);
    doc.compteHdl.append(tool(kToolCompte, 24, "EPARGNE", kBanqueUser, 10));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(idents(toolTree(&doc)[1].liste), (QList<long> {22, 20, 24, 21}));
    insertDeal(kToolCompte, doc.compteHdl[3], &position, &doc, false);
    EXPECT_EQ(position, 0);
    unInsertDeal(kToolCompte, 20, 10, &doc, false);
    EXPECT_EQ(idents(toolTree(&doc)[1].liste), (QList<long> {22, 24, 21}));
}

TEST_F(ToolTreeTest, RenamingABankKeepsItsAccounts)
{
    doc.banqueHdl = {tool(kToolBanque, 10, "Banque A", kBanqueUser), tool(kToolBanque, 11, "Banque B", kBanqueUser)};
    doc.compteHdl
        = {tool(kToolCompte, 20, "Courant", kBanqueUser, 10), tool(kToolCompte, 21, "Livret", kBanqueUser, 10)};
    buildToolArbo(&doc);
    unInsertDeal(kToolBanque, 10, -1, &doc, true);
    doc.banqueHdl[0].nom = QStringLiteral("Banque Z");
    long position = -1;
    insertDeal(kToolBanque, doc.banqueHdl[0], &position, &doc, true);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(idents(toolTree(&doc)), (QList<long> {11, 10}));
    EXPECT_EQ(idents(toolTree(&doc)[1].liste), (QList<long> {20, 21}));
    // The saved accounts serve once: a later bank starts empty.
    doc.banqueHdl.append(tool(kToolBanque, 12, "Banque C", kBanqueUser));
    insertDeal(kToolBanque, doc.banqueHdl[2], &position, &doc, true);
    EXPECT_TRUE(toolTree(&doc)[1].liste.isEmpty());
}

TEST_F(ToolTreeTest, FindingAnAccountNameAndTheDefaultAccountOfAType)
{
    doc.banqueHdl = {tool(kToolBanque, 10, "Vide", kBanqueLiquide), tool(kToolBanque, 11, "Poche", kBanqueLiquide),
                     tool(kToolBanque, 12, "Banque", kBanqueUser)};
    doc.compteHdl
        = {tool(kToolCompte, 20, "Sac", kBanqueLiquide, 11), tool(kToolCompte, 21, "Coffre", kBanqueLiquide, 11),
           tool(kToolCompte, 22, "Courant", kBanqueUser, 12)};
    buildToolArbo(&doc);
    long k = -1;
    EXPECT_TRUE(TOOL::findCompteWithNameAndOwnerID(11, QStringLiteral("sac"), &k, kToolCompte, &doc));
    EXPECT_EQ(k, 1);
    EXPECT_FALSE(TOOL::findCompteWithNameAndOwnerID(11, QStringLiteral("Porte"), &k, kToolCompte, &doc));
    EXPECT_EQ(k, 1);
    EXPECT_FALSE(TOOL::findCompteWithNameAndOwnerID(11, QStringLiteral("Tirelire"), &k, kToolCompte, &doc));
    EXPECT_EQ(k, 2);

    // The first account, in tree order, of the first bank of the type that has one.
    EXPECT_EQ(TOOL::defaultUserCompte(kBanqueLiquide, -1, &doc), 21);
    EXPECT_EQ(TOOL::defaultUserCompte(kBanqueLiquide, 20, &doc), 20);
    EXPECT_EQ(TOOL::defaultUserCompte(kBanqueLiquide, 22, &doc), 21);
    EXPECT_EQ(TOOL::defaultUserCompte(kBanqueTiers, -1, &doc), -1);
    EXPECT_EQ(TOOL::defaultUserCompte(doc.compteHdl), 22);
}

TEST_F(ToolTreeTest, SearchListFiltersBanksAndSortsByFoldedName)
{
    doc.banqueHdl = {tool(kToolBanque, 10, "Banque", kBanqueUser), tool(kToolBanque, 11, "Espèces", kBanqueLiquide),
                     tool(kToolBanque, 12, "Tiers", kBanqueTiers)};
    doc.compteHdl
        = {tool(kToolCompte, 20, "Zoé", kBanqueUser, 10), tool(kToolCompte, 21, "École", kBanqueTiers, 12),
           tool(kToolCompte, 22, "Porte-monnaie", kBanqueLiquide, 11), tool(kToolCompte, 23, "edf", kBanqueTiers, 12)};
    buildToolArbo(&doc);
    EXPECT_EQ(computeSearchCompteList(0, &doc), (QList<long> {21, 23, 22, 20}));
    EXPECT_EQ(computeSearchCompteList(kFilterBanqueUser | kFilterBanqueTiers, &doc), (QList<long> {21, 23, 20}));
    const QList<long> list = computeSearchCompteList(0, &doc);
    EXPECT_EQ(searchCompte(QStringLiteral("ECOLE"), list, &doc), 0);
    EXPECT_EQ(searchCompte(QStringLiteral("porte monnaie"), list, &doc), 2);
    EXPECT_EQ(searchCompte(QStringLiteral("zzz"), list, &doc), 4);
}
