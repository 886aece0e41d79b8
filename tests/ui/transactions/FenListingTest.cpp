// The listings: entity listings opened, reused and closed, their footer, the bound that follows
// the days, the search result's title, and the problem listing of the document check.
#include "TransListFixture.h"

#include "transactions/FenListingChronoController.h"
#include "transactions/FenListingDossierController.h"
#include "transactions/FenListingMoyenController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingProblemController.h"
#include "transactions/FenListingSearchController.h"
#include "transactions/FenListingTiersController.h"
#include "transactions/StdViewPiedReleve.h"

#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include "document/DocumentCheck.h"
#include "foundation/selectors.h"

#include <QPointer>

namespace {

using saisieui::at;
using translist::TransListTest;

class FenListingTest : public TransListTest {
protected:
    // A listing left open would hear the next test's broadcasts about a document gone.
    ~FenListingTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* list = qobject_cast<FenListingController*>(controller))
                list->close();
    }
    // The category listing of Loisirs, shown.
    FenListingController* openPoste(long posteID = 4) { return openListingPoste(doc, posteID, 0, true); }

    static QString pied(FenListingController* list, const char* field)
    {
        auto* view = qobject_cast<StdViewPiedFields*>(list->view_pied());
        QLabel* label = view ? view->field(field) : nullptr;
        return label ? label->text() : QStringLiteral("?");
    }
};

TEST_F(FenListingTest, EachEntityOpensItsListingTitledWithItsName)
{
    struct Case {
        const char* what;
        std::function<FenListingController*()> open;
        const char* title;
        long rows;
    };
    const Case cases[] = {
        {"payee", [&] { return openListingTiers(doc, 22, 0, true); }, "Relevé Boulangerie", 4},
        {"folder", [&] { return openListingDossier(doc, 2, 0, true); }, "Dossier Courant", 7},
        {"category", [&] { return openPoste(4); }, "Catégorie Loisirs", 3},
        {"schedule", [&] { return openListingChrono(doc, 501, 0, true); }, "Relevé Loyer", 0},
        {"means", [&] { return openListingMoyen(doc, 7, 0, -1, 0, true); }, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FenListingController* list = c.open();
        ASSERT_NE(list, nullptr);
        if (c.rows >= 0) {
            EXPECT_EQ(list->window()->windowTitle(), QString::fromUtf8(c.title));
            EXPECT_EQ(listingCount(list->listing()), c.rows);
        }
        list->close();
    }
}

TEST_F(FenListingTest, AMissingEntityOpensNothingAndAnOpenListingIsReused)
{
    EXPECT_EQ(openListingPoste(doc, 99, 0, true), nullptr);
    EXPECT_EQ(openListingDossier(doc, 99, 0, true), nullptr);
    EXPECT_EQ(openListingTiers(doc, 99, 0, true), nullptr);
    EXPECT_EQ(openListingChrono(doc, 99, 0, true), nullptr);

    FenListingDossierController* first = openListingDossier(doc, 2, 0, true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(openListingDossier(doc, 2, 0, true), first);
    // The means listing of the same account and means, whatever the synonym.
    FenListingMoyenController* moyen = openListingMoyen(doc, 7, 0, -1, 0, false);
    EXPECT_EQ(openListingMoyen(doc, 7, 0, 5, 0, true), moyen);
    // Through the program's openers.
    EXPECT_EQ(::openListingDossier(2, 0, true), first);
    EXPECT_NE(qobject_cast<FenListingPosteController*>(::openListingPoste(4, 0, true)), nullptr);
}

TEST_F(FenListingTest, TheFooterTotalsTheListAgainstItsAccount)
{
    FenListingController* list = openListingTiers(doc, 22, 0, true);
    ASSERT_NE(list, nullptr);
    // Bread, shopping, savings and chemist: all credited to the baker.
    const std::pair<const char*, const char*> expected[] = {
        {"field_debit", "-"},  {"field_credit", "162,50"}, {"field_benefice", "162,50"},
        {"field_report", "-"}, {"field_bilan", "162,50"},
    };
    for (const auto& [field, text] : expected)
        EXPECT_EQ(pied(list, field), QString::fromUtf8(text)) << field;
    EXPECT_EQ(pied(list, "field_nb_operations"), QStringLiteral("4 opération(s)"));
}

TEST_F(FenListingTest, ACategoryListingGoesWithItsCategory)
{
    QPointer<FenListingController> loisirs = openPoste(4);
    QPointer<FenListingController> sante = openPoste(8);
    ASSERT_TRUE(loisirs && sante);
    sendToAllWindowDelegates(Sel::notifyPosteDeleted, qlonglong(4), QVariant());
    EXPECT_EQ(findOpenWindowController<FenListingPosteController>(-1, -1, 4, -1, -1, -1, -1, -1), nullptr);
    EXPECT_EQ(findOpenWindowController<FenListingPosteController>(-1, -1, 8, -1, -1, -1, -1, -1), sante.data());
}

TEST_F(FenListingTest, ABoundUpToTodayFollowsTheNewDay)
{
    struct Case {
        double bound;
        long rowsAfter;
    };
    // The transactions of the 14th and 15th join a listing bounded by the 13th only when the
    // bound was the day that ended.
    const double tomorrow = at(15, 6, 2024) + 9 * 3600.0;
    for (const Case c : {Case {saisieui::today(), 8}, Case {at(13, 6, 2024), 6}}) {
        SCOPED_TRACE(c.rowsAfter);
        ListingWithCritere request;
        request.critere = Critere::makeToolCritere(true, 7, -1, &doc);
        request.critere.critereDate = CritereCompare::BelowOrEqual;
        request.critere.date1 = c.bound;
        request.listing = searchListing(request.critere, doc, 0);
        request.title = QStringLiteral("Courant");
        FenListingController* list = openListingWithCritere(std::move(request), doc);
        ASSERT_NE(list, nullptr);
        doc.transact_array.push_back(trans(at(14, 6, 2024) + 3600.0, 7, 22, 5, 1, "Croissant"));
        doc.transact_array.push_back(trans(at(15, 6, 2024) + 3600.0, 7, 22, 5, 1, "Journal"));
        SystemClock::setNowForTesting(tomorrow);
        list->notifyNewDay(saisieui::today() - 3600.0, QVariant());
        EXPECT_EQ(listingCount(list->listing()), c.rowsAfter);
        doc.transact_array.resize(7);
        SystemClock::setNowForTesting(saisieui::today());
        list->close();
    }
}

TEST_F(FenListingTest, ASearchResultIsTitledWithItsCountAndShowsForecasts)
{
    Critere critere = Critere::makeToolCritere(true, 7, -1, &doc);
    critere.includesPrevisions = true;
    FenListingSearchController* list = openListingSearch(doc, critere, 0);
    ASSERT_NE(list, nullptr);
    const long rows = listingCount(list->listing());
    EXPECT_GT(rows, 6);
    EXPECT_GE(occurrenceRow(list, StorageKind::Prevision), 0);
    EXPECT_EQ(list->window()->windowTitle(), QStringLiteral("%1 opération(s) trouvée(s)").arg(rows));
}

// Three broken transactions: one ticked on a statement the account no longer holds (both of its
// sides ticked), one on a deleted account, one on a missing statement on the credit side.
class ProblemListingTest : public FenListingTest {
protected:
    ProblemListingTest()
    {
        doc.transact_array[0].releveID1 = 42;
        doc.transact_array[0].releveID2 = 7;
        doc.transact_array[3].who2 = 77;
        doc.transact_array[1].releveID2 = 43;
    }
    FenListingProblemController* check()
    {
        ui().answerAlert(QStringLiteral("kConfirm_ProblemList"), kAlertFirstButton);
        verifierDocument(nullptr, doc);
        return findOpenWindowController<FenListingProblemController>(-1, -1, -1, -1, -1, -1, -1, -1);
    }
};

TEST_F(ProblemListingTest, ListsTheBrokenTransactionsAndUntickingClearsBothMarks)
{
    FenListingProblemController* list = check();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->window()->windowTitle(), QStringLiteral("Opérations à vérifier"));
    ASSERT_EQ(listingCount(list->listing()), 3);
    EXPECT_FALSE(list->canDepointerTrans());
    select(list, {0, 1, 2});
    EXPECT_TRUE(list->canDepointerTrans());

    struct Step {
        const char* answer;
        long releveID1; // of the bread, ticked on both sides
        long releveID2;
    };
    for (const Step step : {Step {"NON:", 42, 7}, Step {"OUI:", -1, -1}}) {
        ui().onModal<FenAskPoursuivreController>(
            [&](FenAskPoursuivreController& question) { WindowDriver(question).click(step.answer); });
        WindowDriver(*list).click("HARD_DEPOINTER:");
        EXPECT_EQ(doc.transact_array[0].releveID1, step.releveID1) << step.answer;
        EXPECT_EQ(doc.transact_array[0].releveID2, step.releveID2) << step.answer;
    }
    EXPECT_EQ(doc.transact_array[1].releveID2, -1);
    EXPECT_TRUE(list->table1()->selectedRowIndexes().empty());
    list->close();

    // The deleted account is still there: checked again, only it is left.
    FenListingProblemController* again = check();
    ASSERT_NE(again, nullptr);
    ASSERT_EQ(listingCount(again->listing()), 1);
    EXPECT_EQ(listingPosAtIndex(again->listing(), 0)->storageIndex, 3);
    again->close();
}

TEST_F(ProblemListingTest, ACleanDocumentOnlySaysSo)
{
    doc.transact_array[0].releveID1 = -1;
    doc.transact_array[0].releveID2 = -1;
    doc.transact_array[3].who2 = 30;
    doc.transact_array[1].releveID2 = -1;
    for (int run = 0; run < 2; ++run) {
        ui().answerAlert(QStringLiteral("kAlerte_noProblem"), kAlertFirstButton);
        verifierDocument(nullptr, doc);
    }
    EXPECT_EQ(ui().alertsShown().size(), 2);
}

TEST_F(ProblemListingTest, Looks)
{
    FenListingProblemController* list = check();
    ASSERT_NE(list, nullptr);
    select(list, {1});
    EXPECT_TRUE(list->window()->grab().save(QStringLiteral("/tmp/listing-problem.png")));
    FenListingController* poste = openListingDossier(doc, 2, 0, true);
    ASSERT_NE(poste, nullptr);
    EXPECT_TRUE(poste->window()->grab().save(QStringLiteral("/tmp/listing-dossier.png")));
    poste->close();
    list->close();
}

} // namespace
