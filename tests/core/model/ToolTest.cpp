#include "model/TOOL.h"
#include "document/DocumentSession.h"
#include "foundation/LoadIssues.h"
#include "foundation/broadcast.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/ToolFile.h"
#include "model/ToolTree.h"
#include "model/idents.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using testenv::tool;

MONTANT amount(double v0)
{
    MONTANT m;
    m.values = {v0, 0, 0, 0, 0};
    return m;
}

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DocumentSession::close();
        testenv::addDefaultDocParam(doc);
    }
    void TearDown() override { DocumentSession::close(); }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

QString package(const char* name, const QByteArray& compteXml = QByteArray())
{
    QString resources;
    const QString url = testenv::package(QString::fromLatin1(name), &resources);
    QFile file(resources + QStringLiteral("/compte.xml"));
    if (!compteXml.isNull() && file.open(QIODevice::WriteOnly))
        file.write(compteXml);
    return url;
}

class HistoryListener : public QObject {
    Q_OBJECT
public:
    HistoryListener() { registerWindowController(this); }
    ~HistoryListener() override { unregisterWindowController(this); }
    QList<qlonglong> created;
    Q_INVOKABLE void didCreateCompteHistorique(const QVariant& compte, const QVariant&)
    {
        created << compte.toLongLong();
    }
};

TRANSACT transact(long who1, long who2, const QString& why)
{
    TRANSACT t;
    t.who1 = who1;
    t.who2 = who2;
    t.why = why;
    return t;
}

} // namespace

TEST_F(ToolTest, NewDocumentHasTheDefaultBanksAndAccountsWithUniqueIdents)
{
    // Random idents are drawn many times over: none may ever take a fixed one.
    for (int round = 0; round < 40; ++round) {
        DOCUMENT fresh(QString(), kFileSystemLocal);
        TOOL::initContrepartie(&fresh);
        ASSERT_EQ(fresh.banqueHdl.size(), 5);
        ASSERT_EQ(fresh.compteHdl.size(), 11);
        for (const ToolList* list : {&fresh.banqueHdl, &fresh.compteHdl}) {
            QSet<long> idents;
            for (const TOOL& t : *list)
                idents.insert(t.ident);
            EXPECT_EQ(idents.size(), list->size());
        }
        for (const TOOL& compte : fresh.compteHdl)
            EXPECT_NE(TOOL::getTool(kToolBanque, compte.ownerID, &fresh), nullptr) << compte.nom.toStdString();
    }
    TOOL::initContrepartie(&doc);
    EXPECT_EQ(doc.banqueHdl[0].ident, kBanqueLiquideID);
    EXPECT_EQ(doc.banqueHdl[0].bType, kBanqueLiquide);
    EXPECT_EQ(doc.banqueHdl[1].ident, kBanqueTiersSpeciauxID);
    const TOOL* anonyme = TOOL::getTool(kToolCompte, kCompteAnonymeID, &doc);
    const TOOL* initialisation = TOOL::getTool(kToolCompte, kCompteInitialisationID, &doc);
    ASSERT_TRUE(anonyme && initialisation);
    EXPECT_EQ(anonyme->nom, QStringLiteral("Anonyme"));
    EXPECT_EQ(initialisation->ownerID, kBanqueTiersSpeciauxID);
    EXPECT_EQ(doc.compteHdl[0].ownerID, kBanqueLiquideID);
    // Cash is the user's money; the anonymous third party is not.
    EXPECT_TRUE(TOOL::compteIDBelongToUser(doc.compteHdl[0].ident, &doc));
    EXPECT_FALSE(TOOL::compteIDBelongToUser(kCompteAnonymeID, &doc));
    long found = -1;
    EXPECT_TRUE(TOOL::findCompteWithName(QStringLiteral("porte-MONNAIE"), &found, &doc));
    EXPECT_EQ(found, doc.compteHdl[0].ident);
}

TEST_F(ToolTest, FreshIdentsNeverTakeAFixedOneAndAFullListEndsTheSearch)
{
    // Idents 1 to 5 stay free here, yet are never given: they belong to the fixed tools.
    ToolList list;
    for (long ident = kLastFixedIdent + 1; ident <= kMaxRandomIdent; ++ident) {
        if (ident != 20000)
            list.append(tool(kToolCompte, ident, QString(), kBanqueTiers));
    }
    EXPECT_EQ(TOOL::newToolID(list), 20000);
    list.append(tool(kToolCompte, 20000, QString(), kBanqueTiers));
    EXPECT_EQ(TOOL::newToolID(list), -1);
    doc.compteHdl = list;
    EXPECT_EQ(TOOL::addToolToDocumentNoCopy(kToolCompte, TOOL(), &doc), -1);
    ASSERT_EQ(doc.compteHdl.size(), kMaxRandomIdent - kLastFixedIdent);
    EXPECT_EQ(TOOL::addToolToDocumentNoCopy(kToolCompte, TOOL(), nullptr), -1);
}

TEST_F(ToolTest, LookupsAnswerNothingForUnknownIdentsAndMissingBanks)
{
    doc.banqueHdl = {tool(kToolBanque, 10, "Maison", kBanqueUser), tool(kToolBanque, 11, "Cash", kBanqueLiquide),
                     tool(kToolBanque, 12, "Tiers", kBanqueTiers), tool(kToolBanque, 13, "Bizarre", 7)};
    doc.compteHdl
        = {tool(kToolCompte, 20, "Courant", kBanqueUser, 10), tool(kToolCompte, 21, "Perdu", kBanqueUser, 99)};
    long index = -1;
    EXPECT_EQ(TOOL::getTool(kToolCompte, 21, &doc, &index), &doc.compteHdl[1]);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(TOOL::getTool(kToolCompte, 77, &doc, &index), nullptr);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(TOOL::getTool(kToolCompte, 20, static_cast<DOCUMENT*>(nullptr), &index), nullptr);
    EXPECT_EQ(index, 0);

    int typ = -1;
    EXPECT_FALSE(doc.compteHdl[1].compteToBType(&typ, &doc));
    EXPECT_EQ(typ, kBanqueUser);
    EXPECT_FALSE(TOOL::compteIDToBType(-1, &typ, &doc));
    EXPECT_FALSE(TOOL::compteIDBelongToUser(21, &doc));
    EXPECT_TRUE(TOOL::compteInBanque(20, 10, &doc));
    EXPECT_FALSE(TOOL::compteInBanque(20, 11, &doc));

    // Mask 5: the user's banks and third parties, not cash; mask 0: every known type.
    EXPECT_TRUE(TOOL::banqueFitFilter(10, 5, &doc));
    EXPECT_FALSE(TOOL::banqueFitFilter(11, 5, &doc));
    EXPECT_TRUE(TOOL::banqueFitFilter(12, 5, &doc));
    for (long banque : {10L, 11L, 12L})
        EXPECT_TRUE(TOOL::banqueFitFilter(banque, 0, &doc));
    EXPECT_FALSE(TOOL::banqueFitFilter(13, 0, &doc));
    EXPECT_FALSE(TOOL::banqueFitFilter(99, 0, &doc));

    const TOOL* sansBanque = &doc.compteHdl[1];
    EXPECT_FALSE(sansBanque->getToolPattern(&doc).has_value());
    EXPECT_EQ(TOOL::getComptePictureName(21, &doc), QString());
    EXPECT_EQ(TOOL::getComptePictureName(20, &doc), QStringLiteral("compte_user"));
    EXPECT_EQ(TOOL::getComptePictureName(kCompteInitialisationID, &doc), QStringLiteral("compte_special"));
    EXPECT_EQ(doc.banqueHdl[1].getToolPattern(&doc), makeCalibratedColor(1.0, 1.0, 220 / 255.0, 0.6));
}

TEST_F(ToolTest, RemovingAnAccountTakesItsPaymentMeansAlong)
{
    doc.compteHdl = {tool(kToolCompte, 20, "A", kBanqueUser, 10), tool(kToolCompte, 21, "B", kBanqueUser, 10)};
    MOYEN::creerMoyen(doc.moyenHdl, 9, 20);
    MOYEN::creerMoyen(doc.moyenHdl, 11, 21);
    MOYEN::creerMoyen(doc.moyenHdl, 11, 20);
    TOOL::suppTool(20, kToolCompte, &doc);
    ASSERT_EQ(doc.compteHdl.size(), 1);
    EXPECT_EQ(doc.compteHdl[0].ident, 21);
    ASSERT_EQ(doc.moyenHdl.size(), 1);
    EXPECT_EQ(doc.moyenHdl[0].compte, 21);
}

TEST_F(ToolTest, ArchivingAThirdPartyNeedsTheHistoryAccount)
{
    doc.transact_array
        = {transact(30, 40, QString()), transact(41, 30, QStringLiteral("Loyer")), transact(41, 42, QString())};
    const TransactList& transacts = doc.transact_array;
    const TOOL tiers = tool(kToolCompte, 30, "Ancien", kBanqueTiers, 1);
    EXPECT_FALSE(TOOL::archiverCompteTiers(tiers, &doc));
    EXPECT_EQ(transacts[0].who1, 30);

    doc.docParam->defaultCompteHistorique = 50;
    EXPECT_TRUE(TOOL::archiverCompteTiers(tiers, &doc));
    EXPECT_EQ(transacts[0].who1, 50);
    EXPECT_EQ(transacts[0].why, QStringLiteral("Archive du compte Ancien"));
    EXPECT_EQ(transacts[1].who2, 50);
    EXPECT_EQ(transacts[1].why, QStringLiteral("Loyer - Archive du compte Ancien"));
    EXPECT_EQ(transacts[2].why, QString());
}

TEST_F(ToolTest, DefaultGettersAndTheHistoryAccount)
{
    EXPECT_EQ(DOCPARAM::getDefaultCompte(nullptr), 3);
    EXPECT_EQ(DOCPARAM::getDefaultBanque(&doc), -1);
    EXPECT_EQ(DOCPARAM::getDefaultCompteHistorique(nullptr), -1);
    doc.docParam->defaultPoste = 12;
    EXPECT_EQ(TOOL::newToolHdl(kToolCompte, 1, "x", kBanqueTiers, 0, &doc).posteID, 12);

    // Without account 5 nothing is made, and the next request tries again.
    for (int call = 0; call < 2; ++call) {
        EXPECT_EQ(DOCPARAM::getDefaultCompteHistorique(&doc), -1);
        EXPECT_EQ(doc.docParam->defaultCompteHistorique, -1);
    }
    TOOL::initContrepartie(&doc);
    EXPECT_EQ(DOCPARAM::getDefaultBanque(&doc), kBanqueLiquideID);
    doc.banqueHdl.append(tool(kToolBanque, 60, "Ma banque", kBanqueUser));
    EXPECT_EQ(DOCPARAM::getDefaultBanque(&doc), 60);

    HistoryListener listener;
    const long historique = DOCPARAM::getDefaultCompteHistorique(&doc);
    ASSERT_GT(historique, kLastFixedIdent);
    EXPECT_EQ(DOCPARAM::getDefaultCompteHistorique(&doc), historique);
    EXPECT_EQ(listener.created, QList<qlonglong> {historique});
    const TOOL* compte = TOOL::getTool(kToolCompte, historique, &doc);
    ASSERT_NE(compte, nullptr);
    EXPECT_EQ(compte->nom, QStringLiteral("Historique"));
    EXPECT_EQ(compte->ownerID, kBanqueTiersSpeciauxID);
    EXPECT_EQ(TOOL::getComptePictureName(historique, &doc), QStringLiteral("compte_special"));
}

TEST_F(ToolTest, AccountsAndStatementsRoundTripThroughTheFile)
{
    doc.posteHdl = {POSTE(), POSTE()};
    doc.posteHdl[0].ident = 1;
    doc.posteHdl[1].ident = 7;
    TOOL compte = tool(kToolCompte, 300, "Courant <joint>", kBanqueUser, 10);
    compte.infos = QStringLiteral("Agence\rRue & place");
    compte.inited = true;
    compte.dateReleve0 = 5;
    compte.dateReleve1 = 20;
    compte.posteID = 7;
    compte.taxeID = 2;
    compte.devise = 1;
    compte.locked_releve_to_date = 123456.5;
    compte.logoIdent = 9;
    compte.solde = amount(90);
    compte.RsoldeSR = amount(20);
    RELEVE newer;
    newer.nom_v3 = QStringLiteral("Mars");
    newer.ident = 2;
    newer.date = 2000.0;
    newer.Rsolde = amount(-30);
    RELEVE older;
    older.ident = 1;
    older.date = 1000.0;
    older.solde = amount(100);
    compte.releves = {newer, older};
    const ToolList list = {compte, tool(kToolCompte, 301, "Sans catégorie", kBanqueTiers, 1)};

    const QString url = package("tool-roundtrip");
    ASSERT_TRUE(saveCompte(url, list, Devise::defaultDevises()));
    LoadIssues issues;
    const ToolList back = loadCompte(url, &doc, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(back.size(), 2);
    const TOOL& a = back[0];
    EXPECT_EQ(std::tie(a.nom, a.infos, a.inited, a.ownerID, a.dateReleve1, a.posteID, a.taxeID, a.locked_releve_to_date,
                       a.logoIdent, a.solde),
              std::tie(compte.nom, compte.infos, compte.inited, compte.ownerID, compte.dateReleve1, compte.posteID,
                       compte.taxeID, compte.locked_releve_to_date, compte.logoIdent, compte.solde));
    ASSERT_EQ(a.releves.size(), 2);
    EXPECT_EQ(a.releves[0].nom_v3, QStringLiteral("Mars"));
    EXPECT_EQ(a.releves[0].ident, 2);
    EXPECT_DOUBLE_EQ(a.releves[0].Rsolde.values[0], -30);
    EXPECT_EQ(a.releves[1].ident, 1);
    EXPECT_DOUBLE_EQ(a.releves[1].solde.values[0], 100);
    // A category the document doesn't have falls back to its default one.
    EXPECT_EQ(back[1].posteID, 1);
    EXPECT_EQ(doc.docParam->defaultCompteUser, 300);
}

TEST_F(ToolTest, DamagedAndOlderRecordsKeepWhatCanBeRead)
{
    const QString url = package("tool-legacy",
                                "<list><record><ident>40</ident><nom>Ancien</nom><infos></infos>"
                                "<personne>M. Martin</personne><adresse1>1 rue Haute</adresse1>"
                                "<adresse2></adresse2><telephone>0102</telephone></record>"
                                "<record><nom>Sans ident</nom><relevelist/></record>"
                                "<record><ident>41</ident><relevelist><releve><ident>3</ident></releve>"
                                "<releve><nom_v3>Sans ident</nom_v3></releve></relevelist></record></list>");
    LoadIssues issues;
    const ToolList back = loadCompte(url, &doc, &issues);
    EXPECT_FALSE(issues.isEmpty());
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back[0].infos, QStringLiteral("M. Martin\r1 rue Haute\r0102\r"));
    EXPECT_EQ(back[0].solde, MONTANT::zero());
    EXPECT_TRUE(back[0].releves.isEmpty());
    EXPECT_GT(back[1].ident, kLastFixedIdent);
    EXPECT_NE(back[1].ident, back[0].ident);
    // A statement without an ident gets a fresh one, never -1 (the part outside statements).
    ASSERT_EQ(back[2].releves.size(), 2);
    EXPECT_EQ(back[2].releves[0].ident, 3);
    EXPECT_EQ(back[2].releves[1].ident, 4);

    // A missing file is no error.
    issues = LoadIssues();
    EXPECT_TRUE(loadCompte(package("tool-missing"), &doc, &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty());
}

#include "ToolTest.moc"
