// What a person looks at: an account's list of two hundred transactions (split transactions
// expanded and collapsed, a schedule and a forecast occurrence, ticked rows, a cancelled one, one
// in another currency) on screen, and its first printed page, saved under the test output folder.
#include "TransListFixture.h"

#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "foundation/localized.h"

#include <QDir>

namespace translist {
namespace {

class FenTransListLookTest : public TransListTest {
protected:
    FenTransListLookTest()
    {
        doc.deviseHdl[2].used = true;
        doc.deviseHdl[2].unit = QStringLiteral("$");
        doc.deviseHdl[2].ticker = QStringLiteral("USD");
        doc.deviseHdl[2].convert = 0.92;
        RELEVE avril;
        avril.ident = 2;
        avril.date = at(30, 4, 2024);
        RELEVE juin;
        juin.ident = 3;
        juin.date = at(30, 6, 2024);
        TOOL* courant = getTool(kToolCompte, 7, &doc);
        courant->releves.prepend(juin);
        courant->releves.append(avril);
        doc.transact_array[0].releveID1 = 3;
        doc.transact_array[1].releveID2 = 3;
        addMonths();
    }

    // Six months of a household's account before the fixture's June.
    void addMonths()
    {
        static const char* const kLabels[] = {"Boulangerie du port", "Supermarché", "Pharmacie", "Cinéma", "Essence",
                                              "Restaurant",          "Librairie",   "Marché"};
        static const long kPayees[] = {22, 24, 30};
        static const long kPostes[] = {1, 4, 8};
        for (int i = 0; i < 193; ++i) {
            const long day = 1 + (i * 5) % 28;
            const long month = 12 - i / 40 - 7; // December 2023 to May 2024
            const double when = at(day, month < 1 ? month + 12 : month, month < 1 ? 2023 : 2024);
            TRANSACT t
                = trans(when, 7, kPayees[i % 3], 4.5 + (i * 37) % 180 + (i % 4) * 0.25, kPostes[i % 3], kLabels[i % 8]);
            if (i % 40 == 0)
                t = trans(when, 23, 7, 2150, 6, "Salaire");
            if (i % 25 == 3)
                t.multis = {MULTI(1, euros(t.solde.values[0] - 10), {}), MULTI(8, euros(10), QStringLiteral("Note"))};
            if (i % 9 == 0 && when <= at(30, 4, 2024))
                t.releveID1 = 2;
            doc.transact_array.append(t);
        }
        TRANSACT annulee = trans(at(6, 6, 2024), 7, 22, 0, 1, "Chèque annulé");
        annulee.annulation = true;
        TRANSACT dollars = trans(at(7, 6, 2024), 7, 24, 120, 4, "Abonnement en ligne");
        dollars.devise = 2;
        doc.transact_array << annulee << dollars;
    }
};

TEST_F(FenTransListLookTest, AnAccountsListOnScreenAndOnPaper)
{
    FenTransListController* list = open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(listingCount(list->listing()), 203);
    list->multiActionAtRow(rowOf(list, 2));
    list->windowIfLoaded()->resize(1100, 760);
    list->table1()->GO(int(rowOf(list, 6)));
    const QString salaire = text(list, rowOf(list, 1));
    EXPECT_TRUE(salaire.contains(QStringLiteral("1 800,00"))) << salaire.toStdString();
    const QImage screen = WindowDriver(*list).grab(QStringLiteral("translist-compte.png"));
    EXPECT_FALSE(screen.isNull());

    APPLIPARAM::loadAppliParam().svOptionGroupees = 0;
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    ui().printHost().pdfPath = QStringLiteral(SORV_TEST_OUTPUT_DIR "/translist-compte.pdf");
    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    list->IMPRIMER(nullptr);
    ASSERT_EQ(ui().printHost().records.size(), 1);
    const TestPrintHost::Record& printed = ui().printHost().records.first();
    EXPECT_GT(printed.nbPages, 3);
    ASSERT_FALSE(printed.pages.isEmpty());
    EXPECT_TRUE(printed.pages.first().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/translist-compte-page1.png")));
    list->close();
}

} // namespace
} // namespace translist
