#include "engines/Critere.h"
#include "engines/CritereXml.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/TRANSACT.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

namespace {

using testenv::tool;

double at(long day, long month, long year, long hour = 0, long minute = 0, long second = 0)
{
    double t = 0;
    dmyhmsToDate(day, month, year, hour, minute, second, &t);
    return t;
}

// The evaluation list as the integers its kinds stand for.
std::vector<long> codes(const Critere& c)
{
    std::vector<long> out;
    for (long i = 0; i < c.nbUsedCritere; ++i)
        out.push_back(static_cast<long>(c.usedCritere[static_cast<size_t>(i)]));
    return out;
}

// Gives the operators, in order, the stored integers from first on, whatever the enum of each.
template <typename... Operators> void setOperators(long first, Operators&... operators)
{
    ((operators = static_cast<Operators>(first++)), ...);
}

template <typename Operator> long stored(Operator op)
{
    return static_cast<long>(op);
}

class CritereFixture : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    const double now = at(14, 3, 2024, 10, 30);

    void SetUp() override
    {
        SystemClock::setNowForTesting(now);
        testenv::addDefaultDocParam(doc);
        doc.docParam->defaultPoste = 20;
        doc.docParam->defaultDossier = 4;
        doc.docParam->defaultCompte = 7;
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {tool(kToolBanque, 10, QStringLiteral("Ma banque"), kBanqueUser),
                         tool(kToolBanque, 11, QStringLiteral("Fournisseurs"), kBanqueTiers)};
        doc.compteHdl = {tool(kToolCompte, 7, QStringLiteral("Courant"), kBanqueUser, 10),
                         tool(kToolCompte, 22, QStringLiteral("Épicerie"), kBanqueTiers, 11)};
        RELEVE releve;
        releve.ident = 3;
        releve.nom_v3 = QStringLiteral("Mars");
        doc.compteHdl[0].releves = {releve};
        doc.posteHdl = {POSTE {.ident = 20, .dossierID = 4, .nom = QStringLiteral("Courses")}};
        doc.dossierHdl = {DOSSIER()};
        doc.dossierHdl[0].ident = 4;
        doc.dossierHdl[0].nom = QStringLiteral("Maison");
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }
};

} // namespace

TEST_F(CritereFixture, NewCriteriaTestNothingAndTheListFollowsTheFixedOrder)
{
    TRANSACT any;
    any.who1 = 40;
    for (const bool useDefault : {false, true}) {
        const Critere c(&doc, useDefault);
        EXPECT_EQ(c.nbUsedCritere, 0);
        EXPECT_TRUE(c.transFitCritere(any, nullptr, &doc, 0, nullptr));
        EXPECT_EQ(c.compteIDDebit, useDefault ? 7 : -1);
        EXPECT_EQ(c.categorieIDCredit, useDefault ? kBanqueUser : -1);
    }
    Critere c(&doc, false);
    setOperators(2, c.critereWhyImport, c.critereWhy, c.critereReference, c.critereDossier, c.critereChrono,
                 c.criterePlacement, c.critereImport, c.criterePointe, c.critereTaxe, c.criterePoste, c.critereSynonyme,
                 c.critereMoyen, c.critereBanqueDebit, c.critereCompteCredit, c.critereMontant, c.critereDate,
                 c.critereReleve);
    c.critereCategorieCredit = CritereSwitch::On;
    EXPECT_EQ(c.nbUsedCritere, 0) << "a plain field doesn't rebuild the list";
    c.computeCritere();
    EXPECT_EQ(codes(c), (std::vector<long> {0, 1, 3, 4, 5, 12, 13, 2, 9, 8, 16, 10, 11, 14, 15, 17, 18}));
}

TEST_F(CritereFixture, ToolCriterionSelectsByStatement)
{
    TRANSACT onStatement;
    onStatement.who1 = 22;
    onStatement.who2 = 7;
    onStatement.releveID2 = 3;
    TRANSACT onNone;
    onNone.who1 = 7;
    onNone.who2 = 22;
    const auto fits
        = [this](const Critere& c, const TRANSACT& t) { return c.transFitCritere(t, nullptr, &doc, 0, nullptr); };
    const Critere all = Critere::makeToolCritere(true, 7, -1, &doc);
    EXPECT_TRUE(fits(all, onStatement));
    EXPECT_TRUE(fits(all, onNone));
    EXPECT_EQ(codes(all), std::vector<long> {3});
    const Critere notTicked = Critere::makeToolCritere(true, 7, 0, &doc);
    EXPECT_FALSE(fits(notTicked, onStatement));
    EXPECT_TRUE(fits(notTicked, onNone));
    const Critere ticked = Critere::makeToolCritere(true, 7, 3, &doc);
    EXPECT_TRUE(fits(ticked, onStatement));
    EXPECT_FALSE(fits(ticked, onNone));
    EXPECT_EQ(codes(ticked), (std::vector<long> {3, 8}));

    const Critere bank = Critere::makeToolCritere(false, 10, -1, &doc);
    EXPECT_TRUE(bank.isCritereBanque());
    EXPECT_EQ(bank.getCritereCompte(), -1);
    EXPECT_TRUE(fits(bank, onNone));
    EXPECT_FALSE(Critere::makeToolCritere(true, 0, -1, &doc).isCritereCompte()) << "an ident below 1 names none";
    EXPECT_EQ(Critere::makeToolCritere(true, 0, -1, &doc).getCritereCompte(), 0);

    // The bank-type setter qualifies the statement but leaves the ticked state alone.
    Critere type(&doc, false);
    type.criterePointe = CriterePointe::NotTicked;
    type.setCategorieCritere(kBanqueUser, 0);
    EXPECT_EQ(std::tuple(type.critereBoolCategorie, type.critereReleve, type.releveID, type.criterePointe),
              std::tuple(CritereBool::Or, CritereSwitch::On, -1L, CriterePointe::NotTicked));
    type.setCategorieCritere(kBanqueUser, -1);
    EXPECT_EQ(type.critereReleve, CritereSwitch::Off);
}

TEST_F(CritereFixture, DateSettersTakeDayBoundsAndFactoriesBuildTheirPeriod)
{
    Critere c(&doc, false);
    c.setDateCritere(now);
    EXPECT_EQ(c.date1, at(14, 3, 2024, 23, 59, 59));
    c.setPeriodeCritere(now, at(2, 4, 2024, 8));
    EXPECT_EQ(std::pair(c.date1, c.date2), std::pair(at(14, 3, 2024), at(2, 4, 2024, 23, 59, 59)));
    c.setPeriodeInferieurACritere(now);
    EXPECT_EQ(c.date1, at(14, 3, 2024));

    const Critere avenir = Critere::makeAVenirCritere(7, 20, &doc);
    EXPECT_EQ(avenir.getCritereCompte(), 7);
    EXPECT_EQ(std::pair(avenir.date1, avenir.date2), std::pair(at(15, 3, 2024), at(4, 4, 2024, 23, 59, 59)));

    const Critere nonPointees = Critere::makeNonPointeesCritere(7, &doc);
    EXPECT_EQ(codes(nonPointees), (std::vector<long> {0, 3, 8}));
    EXPECT_EQ(nonPointees.date1, at(14, 3, 2024, 23, 59, 59));

    EXPECT_FALSE(Critere::makeMoyenCritere(9, -1, &doc).has_value());
    EXPECT_EQ(codes(Critere::makeMoyenCritere(9, 7, &doc).value()), (std::vector<long> {3, 12}));

    const Critere taxe = Critere::makeTaxeCritere(static_cast<long long>(at(1, 1, 2024, 12)),
                                                  static_cast<long long>(at(31, 3, 2024, 12)), 6, &doc);
    EXPECT_EQ(std::pair(taxe.date1, taxe.date2), std::pair(at(1, 1, 2024), at(31, 3, 2024, 23, 59, 59)));
    EXPECT_EQ(codes(taxe), (std::vector<long> {0, 9}));
}

TEST_F(CritereFixture, HorizonOfFutureOccurrences)
{
    TRANSACT late;
    late.when = at(20, 6, 2024);
    doc.transact_array = {late, TRANSACT()};
    Critere c(&doc, false);
    c.date1 = at(1, 5, 2024);
    c.date2 = at(31, 5, 2024);
    for (const long op : {1L, 2L, 3L, 4L, 5L, 6L, 7L}) {
        c.critereDate = static_cast<CritereCompare>(op);
        double horizon = 0;
        EXPECT_TRUE(c.critereCanFutur(&horizon, &doc));
        const bool own = op >= 2 && op <= 4;
        EXPECT_EQ(horizon, own ? c.date1 : op == 7 ? c.date2 : late.when) << op;
        EXPECT_EQ(c.critereCanFutur(nullptr, &doc), own || op == 7) << op;
    }
}

TEST_F(CritereFixture, ReplaceCopiesByValueAndRebuildsTheList)
{
    Critere source(&doc, false);
    source.setMontantCritere(MONTANT());
    source.montant1.values[0] = 12.5;
    source.setWhyCritere(QStringLiteral("Loyer"));
    source.critereWhyImport = CritereText::Contains;
    Critere copy(&doc, true);
    copy.replaceWithCritere(source);
    EXPECT_EQ(copy.why, QStringLiteral("Loyer"));
    EXPECT_EQ(copy.compteIDDebit, -1);
    EXPECT_EQ(codes(copy), (std::vector<long> {1, 17, 18}));
    copy.montant1.values[0] = 99;
    EXPECT_EQ(source.montant1.values[0], 12.5) << "the two criteria don't share their amounts";
}

// ---- XML form --------------------------------------------------------------------------------------

TEST_F(CritereFixture, XmlRoundTripsEveryOperatorAndValue)
{
    Critere c(&doc, false);
    // Values no test knows among them: they are kept as they are.
    setOperators(2, c.critereDate, c.critereMontant, c.criterePoste, c.critereCompteDebit, c.critereCompteCredit,
                 c.critereBanqueDebit, c.critereBanqueCredit, c.critereBoolCompte, c.critereBoolBanque,
                 c.critereBoolCategorie, c.criterePointe, c.critereTaxe, c.criterePlacement, c.critereChrono,
                 c.critereMoyen, c.critereSynonyme, c.critereDossier, c.critereReference, c.critereWhy,
                 c.critereWhyImport, c.critereReleve, c.critereImport);
    setOperators(40, c.critereCategorieDebit, c.critereCategorieCredit);
    long value = 100;
    for (long* field :
         {&c.devise, &c.synonymeID, &c.posteID, &c.dossierID, &c.compteIDDebit, &c.compteIDCredit, &c.banqueIDDebit,
          &c.banqueIDCredit, &c.releveID, &c.taxeID, &c.titreID, &c.remunereID, &c.empruntID, &c.chronoID})
        *field = value++;
    c.moyen = 11;
    c.categorieIDDebit = 0;
    c.categorieIDCredit = 1;
    c.date1 = at(1, 2, 2024, 8, 15, 30);
    c.date2 = at(29, 2, 2024, 23, 59, 59);
    c.montant1.values = {-12.34, 1.5, 0, 0, 0};
    c.montant2.values = {1234.5, 0, 0, 0, 0};
    c.includesPrevisions = true;
    c.reference = QStringLiteral("CHQ <123>");
    c.why = QStringLiteral("Loyer & charges");
    c.whyImport = QStringLiteral("PRLV SEPA l'agence");

    bool error = false;
    const XmlDocPtr xml = critere_to_XML(c, &doc, &error);
    ASSERT_TRUE(xml);
    EXPECT_FALSE(error);
    const pugi::xml_node root = xml->document_element();
    EXPECT_STREQ(root.name(), "CRITERE");
    EXPECT_EQ(QString::fromUtf8(root.child("date1").text().get()), QString::number(c.date1, 'f', 6));
    EXPECT_STREQ(root.child("montant1").first_child().text().get(), "-12.34");

    Critere read(&doc, true);
    read.computeCritere();
    ASSERT_TRUE(XML_to_critere(read, root, &doc));
    EXPECT_EQ(read.nbUsedCritere, 0) << "the caller rebuilds the list";
    read.computeCritere();
    c.computeCritere();
    const XmlDocPtr again = critere_to_XML(read, &doc, &error);
    EXPECT_EQ(read.critereWhyImport, c.critereWhyImport) << "a saved import-reason test is kept";
    EXPECT_EQ(stored(read.critereImport), 23);
    EXPECT_EQ(stored(read.critereCategorieCredit), 41);
    // Field by field, through the writer: both criteria write the same document.
    std::ostringstream first;
    std::ostringstream second;
    xml->save(first);
    again->save(second);
    EXPECT_EQ(first.str(), second.str());
}

TEST_F(CritereFixture, XmlMissingElementsTakeTheirDefaults)
{
    MONTANT::setCurrentDeviseSlot(1);
    pugi::xml_document xml;
    pugi::xml_node root = xml.append_child("CRITERE");
    Critere c(&doc, false);
    c.setWhyImportCritere(QStringLiteral("x"));
    c.critereDate = CritereCompare::Above;
    c.montant1.values[0] = 3;
    EXPECT_FALSE(XML_to_critere(c, root, &doc)) << "the amounts are missing";
    EXPECT_EQ(std::tuple(c.critereDate, c.critereWhyImport, c.critereCategorieDebit, c.critereBoolCompte,
                         c.critereBoolBanque, c.critereBoolCategorie),
              std::tuple(CritereCompare::Off, CritereText::Off, CritereSwitch::Off, CritereBool::And, CritereBool::And,
                         CritereBool::And));
    EXPECT_EQ(std::tuple(c.date1, c.date2, c.montant1, c.devise, c.moyen, c.synonymeID),
              std::tuple(now, now, MONTANT(), 1L, 0, -1L));
    EXPECT_EQ(std::tuple(c.posteID, c.dossierID, c.compteIDDebit, c.compteIDCredit, c.banqueIDDebit,
                         c.categorieIDCredit, c.releveID),
              std::tuple(20L, 4L, 7L, 7L, 1L, kBanqueUser, -1L));
    // No stored file lacks these; -1 is "none", as a new criterion has.
    EXPECT_EQ(std::tuple(c.taxeID, c.titreID, c.remunereID, c.empruntID, c.chronoID),
              std::tuple(-1L, -1L, -1L, -1L, -1L));
    EXPECT_TRUE(c.whyImport.isEmpty());
    EXPECT_EQ(c.nbUsedCritere, 0);

    root.append_child("montant1").append_child("v").text().set("2.5");
    root.append_child("montant2");
    EXPECT_FALSE(XML_to_critere(c, root, &doc)) << "an empty amount element is missing too";
    root.remove_child("montant2");
    root.append_child("montant2").append_child("v").text().set("7");
    EXPECT_TRUE(XML_to_critere(c, root, &doc));
    EXPECT_EQ(c.montant1.values[0], 2.5);
}

// ---- Text form --------------------------------------------------------------------------------------

TEST_F(CritereFixture, TextFormWithoutTestIsTheNoCriterionLine)
{
    const Critere c(&doc, true);
    EXPECT_EQ(c.critereToString(&doc, false, false), QStringLiteral("Aucun critère"));
    EXPECT_EQ(c.critereToString(&doc, true, true), QStringLiteral("Critères de recherche :\rAucun critère"));
}

TEST_F(CritereFixture, TextFormNamesEachTestInItsOrder)
{
    Critere c(&doc, false);
    c.setWhyCritere(QStringLiteral("loyer"));
    c.setImportCritere(CritereImport::ImportedTouched);
    c.setPeriodeCritere(at(1, 3, 2024), at(31, 3, 2024));
    c.setToolCritere(true, 7, 3);
    c.setPosteCritere(20);
    c.setMontantCritere(MONTANT());
    c.montant1.values[0] = 1234.5;
    c.critereMontant = CritereCompare::AboveOrEqual;
    c.setTaxeCritere(-1);
    c.setChronoCritere(-1);
    c.setMoyenCritere(1);
    c.setDossierCritere(4);
    c.critereReference = CritereText::Contains;
    c.reference = QStringLiteral("CHQ");
    const QString expected = QStringLiteral("\tDate comprise entre le 01/03/2024 00:00 et le 31/03/2024 23:59\r"
                                            "\tMontant supérieur ou égal à 1 234,50 €\r"
                                            "\tPoste : Courses\r"
                                            "\tCompte : Courant\r"
                                            "\tOpérations pointées (Mars)\r"
                                            "\tSans taxe\r"
                                            "\tÉchéancier : Aucun échéancier\r"
                                            "\tMoyen de paiement : %1\r"
                                            "\tDossier : Maison\r"
                                            "\tRéférence : CHQ...\r"
                                            "\tLibellé : loyer...\r"
                                            "\tOpérations importées et modifiées")
                                 .arg(MOYEN::newMoyenName(1));
    EXPECT_EQ(c.critereToString(&doc, false, true), expected);

    // A synonym takes the payment means' place; a category or folder not found gives no line.
    c.setSynonymeCritere(-5);
    c.setPosteCritere(99);
    c.setDossierCritere(99);
    const QString text = c.critereToString(&doc, false, false);
    EXPECT_TRUE(text.contains(QStringLiteral("\rMoyen de paiement : ?\r")));
    EXPECT_FALSE(text.contains(QStringLiteral("Poste")));
    EXPECT_FALSE(text.contains(QStringLiteral("Dossier")));

    // Investments and schedules by name; an investment not found gives no line.
    FINANCE titre;
    titre.ident = 4;
    titre.nom = QStringLiteral("Actions X");
    doc.titreHdl = {titre};
    ECHEANCIER echeancier;
    echeancier.ident = 12;
    echeancier.nom = QStringLiteral("Assurance");
    doc.echeancierHdl = {echeancier};
    Critere inv(&doc, false);
    inv.setTitreCritere(4);
    inv.setChronoCritere(12);
    EXPECT_EQ(inv.critereToString(&doc, false, false), QStringLiteral("Titre : Actions X\rÉchéancier : Assurance"));
    inv.setEmpruntCritere(4);
    EXPECT_EQ(inv.critereToString(&doc, false, false), QStringLiteral("Échéancier : Assurance"));
    inv.setEmpruntCritere(-1);
    EXPECT_TRUE(inv.critereToString(&doc, false, false).startsWith(QStringLiteral("Sans placement\r")));
}

TEST_F(CritereFixture, TextFormOfTwoSidedTests)
{
    Critere c(&doc, false);
    c.critereCompteDebit = CritereCompte::On;
    c.compteIDDebit = 7;
    c.critereBanqueCredit = CritereSwitch::On;
    c.banqueIDCredit = 11;
    c.critereBoolBanque = CritereBool::Or;
    c.critereCategorieDebit = CritereSwitch::On;
    c.categorieIDDebit = kBanqueLiquide;
    c.critereCategorieCredit = CritereSwitch::On;
    c.categorieIDCredit = kBanqueTiers;
    c.criterePointe = CriterePointe::NotTicked;
    c.critereWhyImport = CritereText::BeginsWith;
    c.computeCritere();
    EXPECT_EQ(c.critereToString(&doc, false, false),
              QStringLiteral("Compte débité : Courant et compte crédité indifférent\r"
                             "Banque débitée indifférente ou banque créditée : Fournisseurs\r"
                             "Type de banque débitée : Espèces et type de banque créditée : Tiers\r"
                             "Opérations non pointées"));

    Critere problem = Critere::makeProblemCritere(&doc);
    EXPECT_EQ(problem.critereToString(&doc, false, false),
              QStringLiteral("Compte débité indifférent ou compte crédité indifférent"));
}
