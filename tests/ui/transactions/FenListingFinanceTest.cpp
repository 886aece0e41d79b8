// The financial listings: each footer's arithmetic, totals that count a split transaction once
// however it is shown, the loan whose record went, and the declarations.
#include "TransListFixture.h"

#include "toolkit/tables/CellTransact.h"
#include "transactions/FenListingEmpruntController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingRemunereController.h"
#include "transactions/FenListingTaxeController.h"
#include "transactions/FenListingTitreController.h"
#include "transactions/StdViewPiedReleve.h"
#include "transactions/TemplateTransList.h"

#include <QLabel>

#include "model/FINANCE.h"

namespace {

using saisieui::at;
using translist::TransListTest;

class FenListingFinanceTest : public TransListTest {
protected:
    // A listing left open would hear the next test's broadcasts about a document gone.
    ~FenListingFinanceTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* list = qobject_cast<FenListingController*>(controller))
                list->close();
    }
    FenListingFinanceTest()
    {
        doc.titreHdl[0].cour.setValueForDevise(0, 150);
        TRANSACT achat = trans(at(4, 6, 2024), 7, 24, 1000, 4, "Achat Air Liquide");
        achat.titreID = 1;
        achat.nTitre = 6.5;
        achat.quote1 = euros(990);
        achat.quote3 = euros(10);
        achat.multis = {MULTI(4, euros(990), {}), MULTI(1, euros(10), {})};
        TRANSACT vente = trans(at(9, 6, 2024), 24, 7, 300, 4, "Vente Air Liquide");
        vente.titreID = 1;
        vente.nTitre = 2;
        vente.quote1 = euros(295);
        vente.quote2 = euros(5);
        doc.transact_array.push_back(achat);
        doc.transact_array.push_back(vente);
        doc.transact_array[0].taxeID = 2;
        doc.transact_array[0].taxe = euros(2.08);
        doc.transact_array[1].taxeID = 2;
        doc.transact_array[1].taxe = euros(300);
        FINANCE pret;
        pret.ident = 3;
        pret.nom = QStringLiteral("Prêt auto");
        doc.empruntHdl = {pret};
        doc.transact_array[6].empruntID = 3;
        doc.transact_array[6].quote1 = euros(45);
        doc.transact_array[6].quote2 = euros(5);
        FINANCE livret;
        livret.ident = 4;
        livret.nom = QStringLiteral("Livret A");
        doc.remunereHdl = {livret};
        doc.transact_array[5].remunereID = 4;
    }

    // The first two of the named rectangles that overlap, or an empty text.
    static std::string overlapping(const QList<std::pair<QString, QRect>>& rects)
    {
        for (qsizetype i = 0; i < rects.size(); ++i)
            for (qsizetype j = i + 1; j < rects.size(); ++j)
                if (rects[i].second.intersects(rects[j].second))
                    return (rects[i].first + QStringLiteral(" / ") + rects[j].first).toStdString();
        return {};
    }
    static QList<std::pair<QString, QRect>> rowColumns(TransExtraKind kind, int width)
    {
        CellTransact row(kind);
        QList<std::pair<QString, QRect>> rects;
        for (int i = 0; i < kRowTextCount; ++i)
            if (const QRect r = row.textRectInRow(RowText(i), QSize(width, CellTransact::kHeight)); !r.isEmpty())
                rects.append({QString::fromLatin1(kRowTextNames[size_t(i)]), r});
        return rects;
    }
    static QList<std::pair<QString, QRect>> headings(const QWidget* tete)
    {
        QList<std::pair<QString, QRect>> rects;
        for (const QLabel* label : tete->findChildren<QLabel*>())
            if (!label->isHidden())
                rects.append({label->objectName(), label->geometry()});
        return rects;
    }

    static QStringList pied(FenListingController* list, std::initializer_list<const char*> fields)
    {
        QStringList texts;
        auto* view = qobject_cast<StdViewPiedFields*>(list->view_pied());
        for (const char* name : fields)
            texts << (view && view->field(name) ? view->field(name)->text() : QStringLiteral("?"));
        return texts;
    }
    static DECLARATION declaration(long taxeID) { return DECLARATION {taxeID, at(1, 1, 2024), saisieui::today()}; }
};

TEST_F(FenListingFinanceTest, EachFooterShowsItsTotals)
{
    struct Case {
        const char* what;
        std::function<FenListingController*()> open;
        std::initializer_list<const char*> fields;
        QStringList texts;
    };
    const Case cases[] = {
        {"security: 6.5 bought, 2 sold at 150",
         [&] { return openListingTitre(doc, 1, 0, true); },
         {"field_total_achat", "field_total_vente", "field_total_titres", "field_total_interets", "field_total_couts",
          "field_etat_liquidites", "field_etat_valeur", "field_etat_plusvalue"},
         {"-990,00", "295,00", "4,5", "5,00", "-10,00", "-700,00 €", "675,00 €", "-25,00 €"}},
        {"tax: 2,08 recoverable on the bread, 300 collected on the salary",
         [&] { return openListingTaxe(doc, declaration(2), 0, true); },
         {"field_total_ttc_deb", "field_total_ttc_cre", "field_total_ht_deb", "field_total_ht_cre",
          "field_total_tx_deb", "field_total_tx_cre", "field_etat_tva_recuperable", "field_etat_tva_collectee",
          "field_etat_tva_solde"},
         {"12,50", "1 800,00", "10,42", "1 500,00", "2,08", "300,00", "2,08 €", "300,00 €", "297,92 €"}},
        {"loan: the broker's 200 repays 45 and 5 of interest",
         [&] { return openListingEmprunt(doc, 3, 0, true); },
         {"field_total_achat", "field_total_vente", "field_total_interets", "field_etat_interets"},
         {"-45,00", "-", "-5,00", "-5,00 €"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FenListingController* list = c.open();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(pied(list, c.fields), c.texts);
        EXPECT_EQ(list->preferedOrientation(), 1);
        list->close();
    }
}

TEST_F(FenListingFinanceTest, AnExpandedSplitTransactionCountsOnce)
{
    FenListingTitreController* list = openListingTitre(doc, 1, 0, true);
    ASSERT_NE(list, nullptr);
    const std::initializer_list<const char*> fields = {"field_total_achat", "field_total_titres", "field_etat_valeur"};
    const QStringList collapsed = pied(list, fields);
    const long row = rowOf(list, 7);
    ASSERT_GE(row, 0);
    list->multiActionAtRow(row);
    ASSERT_EQ(listingCount(list->listing()), 4);
    list->COMPUTE_TOTAUX();
    EXPECT_EQ(pied(list, fields), collapsed);
    EXPECT_EQ(nombreTitresText(0.004), QStringLiteral("-"));
    EXPECT_EQ(nombreTitresText(1.250000), QStringLiteral("1,25"));
    EXPECT_TRUE(list->window()->grab().save(QStringLiteral("/tmp/listing-titre.png")));
    list->close();
}

TEST_F(FenListingFinanceTest, ALoanListingKeepsItsFooterWhenItsLoanGoes)
{
    FenListingEmpruntController* list = openListingEmprunt(doc, 3, 0, true);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->button_simulation()->isEnabled());
    const QStringList before = pied(list, {"field_total_achat", "field_etat_capital"});
    doc.empruntHdl.clear();
    doc.transact_array[6].quote1 = euros(99);
    list->COMPUTE_TOTAUX();
    EXPECT_EQ(pied(list, {"field_total_achat", "field_etat_capital"}), before);
    list->close();
}

TEST_F(FenListingFinanceTest, EachAcceptedDeclarationOpensItsOwnWindow)
{
    int asked = 0;
    const AskDeclaration cancel = [&](StdWindowController*, DECLARATION&) { return ++asked, false; };
    EXPECT_EQ(openListingDeclaration(doc, nullptr, 2, 0, true, cancel), nullptr);
    EXPECT_EQ(openListingDeclaration(doc, nullptr, 2, 0, true, {}), nullptr);
    EXPECT_EQ(asked, 1);

    DECLARATION asked1;
    const AskDeclaration accept = [&](StdWindowController*, DECLARATION& d) {
        asked1 = d;
        return true;
    };
    FenListingTaxeController* first = openListingDeclaration(doc, nullptr, 2, 0, true, accept);
    EXPECT_EQ(asked1.date1, at(1, 1, 2024));
    EXPECT_EQ(asked1.date2, saisieui::today());
    FenListingTaxeController* second = openListingDeclaration(doc, nullptr, 2, 0, true, accept);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->window()->windowTitle(), QStringLiteral("Déclaration TVA 20 %"));
    FenListingTaxeController* none = openListingTaxe(doc, declaration(99), 0, true);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->window()->windowTitle(), QStringLiteral("Pas de taxe"));
    for (FenListingController* list :
         {static_cast<FenListingController*>(first), static_cast<FenListingController*>(second),
          static_cast<FenListingController*>(none)})
        list->close();
}

TEST_F(FenListingFinanceTest, NoColumnsOrHeadingsOverlapAtTheDefaultWidth)
{
    struct Case {
        TransExtraKind kind;
        std::function<FenListingController*()> open; // none: the template alone
    };
    const Case cases[] = {
        {TransExtraKind::None, {}},
        {TransExtraKind::Cumul, [&] { return openListingPoste(doc, 4, 0, true); }},
        {TransExtraKind::Titre, [&] { return openListingTitre(doc, 1, 0, true); }},
        {TransExtraKind::Remunere, [&] { return openListingRemunere(doc, 4, 0, true); }},
        {TransExtraKind::Emprunt, [&] { return openListingEmprunt(doc, 3, 0, true); }},
        {TransExtraKind::Taxe, [&] { return openListingTaxe(doc, declaration(2), 0, true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        TemplateTransList views(c.kind);
        views.didAwakeFromNib();
        ASSERT_NE(views.template_view_tete(), nullptr);
        EXPECT_EQ(overlapping(rowColumns(c.kind, views.rowWidth())), "");
        EXPECT_EQ(overlapping(headings(views.template_view_tete())), "");
        if (!c.open)
            continue;
        FenListingController* list = c.open();
        ASSERT_NE(list, nullptr);
        list->window()->show();
        ASSERT_TRUE(list->table1() && list->view_tete());
        const int width = list->table1()->viewport()->width();
        EXPECT_GE(width, views.rowWidth());
        EXPECT_EQ(overlapping(rowColumns(c.kind, width)), "");
        EXPECT_EQ(overlapping(headings(list->view_tete())), "");
        list->window()->grab().save(QStringLiteral("/tmp/listing-kind-%1.png").arg(int(c.kind)));
        list->close();
    }
}

} // namespace
