// Closing a year on small packages: the new package loads with the open transactions only, its
// statements cut back to one closing statement, and every account's balance carried; a closing that
// fails leaves the live document as it was.
#include "document/Cloture.h"

#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/AttachedDocuments.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "support/FakeAlerts.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr long kBanque = 10;
constexpr long kCourant = 20;
constexpr long kEpargne = 21;
constexpr long kTiers = 30;
constexpr long kPermanent = 7;

double day(int y, int m, int d)
{
    return dateFromDateTime(QDateTime(QDate(y, m, d), QTime(12, 0)));
}

RELEVE releve(long ident, double date)
{
    RELEVE r;
    r.ident = ident;
    r.date = date;
    return r;
}

void addTransact(DOCUMENT& doc, double when, long who1, long who2, double amount, long r1, long r2, long poste = 1,
                 const QString& attached = QString())
{
    TRANSACT t;
    t.when = when;
    t.who1 = who1;
    t.who2 = who2;
    t.releveID1 = r1;
    t.releveID2 = r2;
    t.posteID = poste;
    t.solde.makeMontant(0, amount, doc.deviseHdl);
    if (!attached.isEmpty())
        t.attachedDocuments.append(AttachedDocument {attached, attached, QString()});
    doc.transact_array.append(t);
}

// A user account with four statements (two after the closing date, two on or before), a savings
// account with one old statement, and a third party; transactions closed, open and half-closed.
std::unique_ptr<DOCUMENT> makeYear(const QString& folder)
{
    const QString url = testenv::package(folder);
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    testenv::addDefaultDocParam(*doc);
    doc->deviseHdl = Devise::defaultDevises();
    doc->dossierHdl.append(DOSSIER::allocNewDossier(doc->dossierHdl, 1));
    POSTE standard = POSTE::allocNewPoste(doc->posteHdl, 1);
    standard.dossierID = 1;
    doc->posteHdl.append(standard);
    POSTE permanent = POSTE::allocNewPoste(doc->posteHdl, kPermanent);
    permanent.dossierID = 1;
    permanent.permanent = true;
    doc->posteHdl.append(permanent);
    doc->banqueHdl.append(testenv::tool(kToolBanque, kBanque, QStringLiteral("Banque"), kBanqueUser));
    TOOL courant = testenv::tool(kToolCompte, kCourant, QStringLiteral("Courant"), kBanqueUser, kBanque);
    courant.releves = {releve(4, day(2024, 2, 28)), releve(3, day(2024, 1, 31)), releve(2, day(2023, 12, 31)),
                       releve(1, day(2023, 11, 30))};
    TOOL epargne = testenv::tool(kToolCompte, kEpargne, QStringLiteral("Epargne"), kBanqueUser, kBanque);
    epargne.releves = {releve(1, day(2023, 10, 31))};
    doc->compteHdl << courant << epargne
                   << testenv::tool(kToolCompte, kTiers, QStringLiteral("Employeur"), kBanqueTiers,
                                    kBanqueTiersSpeciauxID);
    // After this year's own: the default tools draw their idents at random, around the ones in use.
    TOOL::initContrepartie(doc.get());
    addTransact(*doc, day(2023, 11, 10), kTiers, kCourant, 1000, -1, 1, 1, QStringLiteral("vieux.pdf"));
    addTransact(*doc, day(2023, 12, 20), kCourant, kEpargne, 200, 2, -1); // closed on one side only
    addTransact(*doc, day(2023, 12, 28), kCourant, kTiers, 50, -1, -1, 1, QStringLiteral("facture.pdf"));
    addTransact(*doc, day(2024, 1, 15), kTiers, kCourant, 300, -1, 3); // in a kept statement
    addTransact(*doc, day(2023, 6, 1), kCourant, kTiers, 40, 1, -1, kPermanent);
    addTransact(*doc, day(2023, 11, 5), kTiers, kEpargne, 500, -1, 1);
    const QString files = attachedDocumentsFolder(*doc);
    testenv::writeFile(files + QStringLiteral("/vieux.pdf"), "old");
    testenv::writeFile(files + QStringLiteral("/facture.pdf"), "bill");
    recomputeAllReleves(doc.get());
    return doc;
}

double balance(const DOCUMENT& doc, long compte)
{
    return TOOL::getTool(kToolCompte, compte, &doc)->solde.values[0];
}

// Another document is the current one, so a closing that reaches for it shows.
struct Closing {
    FakeAlerts alerts;
    std::unique_ptr<DOCUMENT> other = std::make_unique<DOCUMENT>(QStringLiteral("/nowhere/autre.svd"), 1);
    QString result = QStringLiteral("not called");

    Closing()
    {
        SystemClock::setNowForTesting(day(2024, 6, 1));
        DocumentSession::adopt(*other);
    }
    ~Closing()
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(std::nullopt);
    }
    void run(DOCUMENT* doc, const QString& name)
    {
        clotureDocument(doc, name, day(2023, 12, 31), [this](const QString& url) { result = url; });
    }
};

// Fails the first move onto the package of that name.
class FailingMoves : public FileSystemOps {
public:
    QString target;
    int attempts = 0;
    bool moveItem(const QString& from, const QString& to, int* error) override
    {
        if (QFileInfo(to).fileName() == target && ++attempts == 1) {
            if (error)
                *error = 5;
            return false;
        }
        return FileSystemOps::moveItem(from, to, error);
    }
};

} // namespace

TEST(Cloture, NewYearKeepsOpenTransactionsAndCarriesBalances)
{
    Closing closing;
    auto doc = makeYear(QStringLiteral("cloture-ok"));
    doc->docParam->echInactive = 0;
    closing.alerts.expect(kAlertFirstButton); // due schedules not active
    closing.run(doc.get(), QStringLiteral("Exercice 2024.svd"));
    ASSERT_FALSE(closing.result.isEmpty()) << closing.alerts.shown.at(0).message.toStdString();
    EXPECT_EQ(closing.alerts.shown.at(0).imageName, QStringLiteral("cloture"));
    EXPECT_EQ(doc->docParam->echInactive, 4);
    EXPECT_EQ(doc->transact_array.size(), 6);

    auto loaded = std::make_unique<DOCUMENT>(closing.result, kFileSystemLocal);
    ASSERT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(closing.result, *loaded), DocError::None);
    DOCUMENT& year = *loaded;
    EXPECT_EQ(year.docParam->echInactive, 0);
    recomputeAllReleves(&year);
    EXPECT_NEAR(balance(year, kCourant), balance(*doc, kCourant), 1e-9);
    EXPECT_NEAR(balance(year, kEpargne), 700, 1e-9);
    EXPECT_NEAR(balance(year, kTiers), balance(*doc, kTiers) + 1000 + 500, 1e-9);

    // Kept: half-closed, open, later and permanent ones; plus one opening per user account.
    ASSERT_EQ(year.transact_array.size(), 6);
    const TRANSACT& halfClosed = year.transact_array.at(0);
    EXPECT_EQ(halfClosed.releveID1, 5); // the closing statement
    EXPECT_EQ(halfClosed.releveID2, -1);
    EXPECT_EQ(year.transact_array.at(1).releveID1, -1);
    EXPECT_EQ(year.transact_array.at(2).releveID2, 3);
    EXPECT_EQ(year.transact_array.at(3).releveID1, 5); // permanent category
    const TRANSACT& opening = year.transact_array.at(4);
    EXPECT_EQ(opening.who1, kCompteInitialisationID);
    EXPECT_EQ(opening.who2, kCourant);
    EXPECT_NEAR(opening.solde.values[0], 1000, 1e-9);
    EXPECT_EQ(opening.when, day(2023, 12, 31));
    EXPECT_EQ(opening.releveID2, 5);
    EXPECT_NEAR(year.transact_array.at(5).solde.values[0], 500, 1e-9);
    EXPECT_TRUE(TOOL::getTool(kToolCompte, kCourant, &year)->inited);

    // Two later statements kept, then the closing one, whose balance is the old one at that date.
    const TOOL& courant = *TOOL::getTool(kToolCompte, kCourant, &year);
    ASSERT_EQ(courant.nbReleve(), 3);
    EXPECT_EQ(courant.releves.at(1).ident, 3);
    EXPECT_EQ(courant.releves.at(2).ident, 5);
    EXPECT_EQ(courant.releves.at(2).date, day(2023, 12, 31));
    EXPECT_EQ(courant.releves.at(2).nom_v3, QStringLiteral("Clôture"));
    EXPECT_NEAR(courant.releves.at(2).solde.values[0],
                TOOL::getTool(kToolCompte, kCourant, doc.get())->releves.at(2).solde.values[0], 1e-9);

    const QString files = attachedDocumentsFolder(year);
    EXPECT_TRUE(QFileInfo::exists(files + QStringLiteral("/facture.pdf")));
    EXPECT_FALSE(QFileInfo::exists(files + QStringLiteral("/vieux.pdf")));
    EXPECT_TRUE(QFileInfo::exists(attachedDocumentsFolder(*doc) + QStringLiteral("/vieux.pdf")));
    EXPECT_EQ(currentDocument(), closing.other.get());
}

TEST(Cloture, FailureLeavesTheLiveDocumentAsItWas)
{
    // A taken name fails before anything is touched.
    {
        Closing closing;
        auto doc = makeYear(QStringLiteral("cloture-taken"));
        QString folder;
        ASSERT_TRUE(SVWorkspaceManager::getRecentFolderUrl(&folder, kFileSystemLocal));
        ASSERT_TRUE(testenv::makePackage(folder + QStringLiteral("/Pris.svd")));
        closing.run(doc.get(), QStringLiteral("pris.svd"));
        EXPECT_TRUE(closing.result.isEmpty());
        EXPECT_EQ(doc->docParam->echInactive, 0);
    }
    // The whole new year can't take its name; then the closed document can't be saved silenced
    // once the new year is in place, which takes the new year away again.
    for (int failing : {1, 2}) {
        Closing closing;
        auto doc = makeYear(QStringLiteral("cloture-fail") + QString::number(failing));
        doc->docParam->echInactive = 1;
        const QMap<QString, QByteArray> onDisk = testenv::filesUnder(doc->documentUrl);
        FailingMoves moves;
        moves.target = failing == 1 ? QStringLiteral("Rate1.svd") : QFileInfo(doc->documentUrl).fileName();
        FileSystemOps::install(&moves);
        closing.alerts.expect(kAlertFirstButton); // due schedules not active
        closing.alerts.expect(kAlertFirstButton); // the save failed
        closing.run(doc.get(), QStringLiteral("Rate%1.svd").arg(failing));
        FileSystemOps::install(nullptr);
        EXPECT_TRUE(closing.result.isEmpty()) << failing;
        EXPECT_EQ(doc->docParam->echInactive, 1);
        EXPECT_TRUE(testenv::filesUnder(doc->documentUrl) == onDisk) << failing;
        QString folder;
        SVWorkspaceManager::getRecentFolderUrl(&folder, kFileSystemLocal);
        EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Rate%1.svd").arg(failing))) << failing;
        EXPECT_EQ(moves.attempts, failing == 1 ? 1 : 2) << failing;
        EXPECT_EQ(doc->transact_array.size(), 6);
    }
}
