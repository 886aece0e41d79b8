// The export of a transaction list: whole texts byte for byte against the files kept in
// tests/data/translist-export (written anew by running with SORV_WRITE_GOLDEN=1, the difference
// reviewed before it is kept), and the attached files handed to the driver.
#include "transactions/TransListExport.h"

#include "engines/Critere.h"
#include "engines/LISTING.h"
#include "foundation/dates.h"
#include "model/AttachedDocuments.h"
#include "model/DOCUMENT.h"
#include "model/TOTAUX.h"
#include "support/TestFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kGolden = QStringLiteral(SORV_TEST_DATA_DIR "/translist-export/");
constexpr long kCompte = 7;

// The same sum in euros (slot 0) and francs (slot 1).
MONTANT money(double euros)
{
    return testenv::amount(euros, euros * 6.55957);
}

TRANSACT transact(int day, double amount, long poste, long from = kCompte, long to = 22)
{
    TRANSACT t;
    dmyhmsToDate(day, 3, 2024, 12, 0, 0, &t.when);
    t.who1 = from;
    t.who2 = to;
    t.posteID = poste;
    t.solde = money(amount);
    return t;
}

// A folder, investment or schedule known by its ident and name.
template <typename T> T named(long ident, const char* nom)
{
    T entity;
    entity.ident = ident;
    entity.nom = QString::fromUtf8(nom);
    return entity;
}

class TransListExportTest : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    LISTING listing {ListingSort::NoSort};

    TransListExportTest()
    {
        doc.deviseHdl = Devise::defaultDevises();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, kBanqueUser), testenv::tool(kToolBanque, 11, kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, kCompte, QStringLiteral("Compte courant"), kBanqueUser, 10),
                         testenv::tool(kToolCompte, 22, QStringLiteral("Marché; halles"), kBanqueTiers, 11),
                         testenv::tool(kToolCompte, 23, QStringLiteral("Employeur"), kBanqueTiers, 11)};
        doc.dossierHdl = {named<DOSSIER>(1, "Maison"), named<DOSSIER>(2, "Vacances")};
        doc.posteHdl = {{.ident = 1, .dossierID = 1, .nom = QStringLiteral("Alimentation")},
                        {.ident = 2, .dossierID = 2, .nom = QStringLiteral("Loisirs")},
                        {.ident = 3, .dossierID = 1, .nom = QStringLiteral("Santé")}};
        doc.taxeHdl = {{.ident = 2, .rate = 20, .nom = QStringLiteral("TVA")}};
        doc.titreHdl = {named<FINANCE>(9, "Actions Fruitière")};
        doc.empruntHdl = {named<FINANCE>(12, "Prêt auto")};
        doc.echeancierHdl = {named<ECHEANCIER>(5, "Loyer")};
        // A ticked and taxed purchase, a split one of three lines, a sale of securities entered
        // in francs, a loan repayment split in two, 0.004, and an occurrence of a schedule.
        TRANSACT plain = transact(1, 12.5, 1);
        plain.ref = QStringLiteral("A;12");
        plain.why = QStringLiteral("Pain\tet lait");
        plain.moyen = 11;
        plain.releveID1 = 4;
        plain.taxeID = 2;
        plain.taxe = money(2.08);
        TRANSACT split = transact(2, 100, -1);
        split.why = QStringLiteral("Courses; marché");
        for (auto [poste, part] : {std::pair {1L, 50.0}, {2L, 30.0}, {3L, 20.0}})
            split.addMultiWithPosteID(poste, money(part), QString());
        TRANSACT foreign = transact(3, 12, 2, 23, kCompte);
        foreign.devise = 1;
        foreign.releveID2 = 3;
        foreign.titreID = 9;
        foreign.quote1 = money(12);
        foreign.nTitre = 0.003125; // fund units: below a cent, still written
        TRANSACT loan = transact(4, 300, -1);
        loan.empruntID = 12;
        loan.quote1 = money(250);
        loan.quote2 = money(50);
        loan.addMultiWithPosteID(3, money(250), QString());
        loan.addMultiWithPosteID(2, money(50), QString());
        doc.transact_array = {plain, split, foreign, loan, transact(5, 0.004, 2)};
        for (long i = 0; i < doc.transact_array.size(); ++i)
            listingInsertPositionSorted({.transact = &doc.transact_array[i], .storageIndex = i}, &listing, &doc);
        TRANSACT rent = transact(31, 700, 1);
        rent.chronoID = 5;
        const long storage = listingAddEcheanceOccurrence(rent, &listing);
        listingInsertPositionSorted({.transact = listingEcheanceOccurrenceAtIndex(&listing, storage),
                                     .storageIndex = storage,
                                     .storageType = StorageKind::Echeancier},
                                    &listing, &doc);
    }

    TransListExport exporter(const Critere& critere, long devise = 0, const TOTAUX* totaux = nullptr)
    {
        return TransListExport({doc, &listing, &critere, devise, kCompte, totaux});
    }
};

// The amounts of the split line within the criteria's category or folder only; the balance on
// the debit side (compte, poste) or the credit side (dossier); a split transaction expanded in
// the window is written as when collapsed.
TEST_F(TransListExportTest, WholeTextsAreTheGoldenOnes)
{
    const Critere compte = Critere::makeToolCritere(true, kCompte, -1, &doc);
    const Critere poste = Critere::makePosteCritere(1, &doc);
    const Critere dossier = Critere::makeDossierCritere(1, &doc);
    const struct {
        const char* file;
        const Critere& criteria;
        long devise;
        int format;
        bool creditor = false;
        bool expanded = false;
    } cases[] = {{"compte.txt", compte, 0, 0},
                 {"compte.csv", compte, 0, 1},
                 {"poste.csv", poste, 0, 1},
                 {"poste.csv", poste, 0, 1, false, true},
                 {"dossier.txt", dossier, 1, 0, true}};
    for (const auto& c : cases) {
        TOTAUX totaux;
        totaux.total2 = money(120);
        totaux.total5 = money(12.5);
        (c.creditor ? totaux.total6 : totaux.total3) = money(700);
        if (c.expanded)
            listingExpandMultiAtIndex(&listing, 1, &doc, 1, -1);
        TransListExport hooks = exporter(c.criteria, c.devise, &totaux);
        const QByteArray text = ListExporter::exportText(hooks, c.format).toUtf8();
        const QString path = kGolden + QString::fromLatin1(c.file);
        if (qEnvironmentVariableIsSet("SORV_WRITE_GOLDEN"))
            testenv::writeFile(path, text);
        EXPECT_EQ(text.toStdString(), testenv::readFile(path).toStdString()) << c.file;
    }
}

TEST_F(TransListExportTest, AttachedFilesAreThoseStoredEachOnce)
{
    const Critere critere = Critere::makeToolCritere(true, kCompte, -1, &doc);
    EXPECT_EQ(exporter(critere).EXPORTER_ATTACHEMENT_ARRAY(), std::nullopt);
    doc.documentUrl = testenv::package(QStringLiteral("export"));
    for (const char* stored : {"ticket.pdf", "", "facture.pdf"}) {
        AttachedDocument& file = doc.transact_array[1].attachedDocuments.emplace_back();
        file.docStoreName = QString::fromLatin1(stored);
        file.docUrl = file.docStoreName.isEmpty() ? QStringLiteral("/tmp/pas-encore.pdf") : QString();
    }
    listingExpandMultiAtIndex(&listing, 1, &doc, -1, -1);
    const QDir folder(attachedDocumentsFolder(doc));
    EXPECT_EQ(exporter(critere).EXPORTER_ATTACHEMENT_ARRAY(),
              QStringList({folder.filePath("ticket.pdf"), folder.filePath("facture.pdf")}));
}

} // namespace
