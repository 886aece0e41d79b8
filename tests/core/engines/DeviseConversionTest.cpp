#include "engines/DeviseConversion.h"

#include "document/DocumentSession.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <gtest/gtest.h>

namespace {

constexpr double kFranc = 0.1524490172374104;

// Listed here independently of the code under test, so a record kind the passes forget shows up.
QList<MONTANT*> everyAmount(DOCUMENT& doc)
{
    QList<MONTANT*> out;
    auto transact = [&out](TRANSACT& t) {
        out << &t.solde << &t.taxe << &t.quote1 << &t.quote2 << &t.quote3;
        for (MULTI& multi : t.multis)
            out << &multi.montant;
    };
    for (TRANSACT& t : doc.transact_array)
        transact(t);
    for (ToolList* tools : {&doc.compteHdl, &doc.banqueHdl}) {
        for (TOOL& tool : *tools) {
            out << &tool.solde << &tool.soldeSR << &tool.RsoldeSR;
            for (RELEVE& releve : tool.releves)
                out << &releve.solde << &releve.Rsolde;
        }
    }
    for (FinanceList* list : {&doc.titreHdl, &doc.remunereHdl, &doc.empruntHdl, &doc.portfolioArray}) {
        for (FINANCE& finance : *list) {
            out << &finance.cour;
            for (MONTANT TOTAUX::*total : TOTAUX::kTotals)
                out << &(finance.totaux.*total);
        }
    }
    for (MACRO& macro : doc.macroHdl) {
        if (macro.transact)
            transact(*macro.transact);
    }
    for (ECHEANCIER& echeancier : doc.echeancierHdl) {
        transact(echeancier.transact);
        for (PECHEANCIER& perso : echeancier.perso)
            transact(perso.transact);
    }
    for (Prevision& prevision : doc.previsionsArray)
        transact(prevision.transact);
    return out;
}

QList<long*> everyDevise(DOCUMENT& doc)
{
    QList<long*> out;
    for (TRANSACT& t : doc.transact_array)
        out << &t.devise;
    for (ToolList* tools : {&doc.compteHdl, &doc.banqueHdl}) {
        for (TOOL& tool : *tools)
            out << &tool.devise;
    }
    out << &doc.macroHdl[0].transact->devise << &doc.echeancierHdl[0].transact.devise;
    for (PECHEANCIER& perso : doc.echeancierHdl[0].perso)
        out << &perso.transact.devise;
    out << &doc.previsionsArray[0].transact.devise;
    return out;
}

QList<MONTANT> amounts(DOCUMENT& doc)
{
    QList<MONTANT> out;
    for (MONTANT* m : everyAmount(doc))
        out << *m;
    return out;
}

QList<long> devises(DOCUMENT& doc)
{
    QList<long> out;
    for (long* d : everyDevise(doc))
        out << *d;
    return out;
}

class DeviseConversion : public ::testing::Test {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};

    // One record of every kind holding amounts; slots 0 to 2 (in use) agree with the rates, slots 3
    // and 4 (not in use) hold stale values; currency indexes run 0, 1, 2, 3 over the records.
    void SetUp() override
    {
        doc.docParam = std::make_unique<DOCPARAM>();
        doc.deviseHdl = Devise::defaultDevises();
        doc.deviseHdl[2].used = true;
        doc.deviseHdl[2].convert = 0.8;
        doc.deviseHdl[4].convert = 0.3;
        TRANSACT t;
        t.multis = {MULTI(2, MONTANT(), QString()), MULTI(3, MONTANT(), QString())};
        doc.transact_array = {t, t};
        TOOL compte;
        compte.releves = {RELEVE(), RELEVE()};
        doc.compteHdl = {compte};
        doc.banqueHdl = {TOOL()};
        doc.titreHdl = doc.remunereHdl = doc.empruntHdl = doc.portfolioArray = {FINANCE()};
        doc.macroHdl = {MACRO {u'a', QStringLiteral("Loyer"), t}, MACRO {u'b', QStringLiteral("Vide"), std::nullopt}};
        ECHEANCIER echeancier;
        echeancier.transact = t;
        echeancier.perso = {PECHEANCIER(t, false), PECHEANCIER(t, true)};
        doc.echeancierHdl = {echeancier};
        Prevision prevision;
        prevision.transact = t;
        doc.previsionsArray = {prevision};
        double k = 0;
        for (MONTANT* m : everyAmount(doc)) {
            m->makeMontant(0, k == 0 ? -37.5 : 100 + 7 * k, doc.deviseHdl);
            m->values[3] = 900 + k;
            m->values[4] = 950 + k++;
        }
        long i = 0;
        for (long* d : everyDevise(doc))
            *d = i++ % 4;
        DocumentSession::adopt(doc);
    }
    void TearDown() override { DocumentSession::close(); }
};

} // namespace

TEST_F(DeviseConversion, PuttingASlotIntoUseFillsItEverywhereFromSlotZero)
{
    const QList<MONTANT> before = amounts(doc);
    const QList<long> devisesBefore = devises(doc);
    ASSERT_EQ(before.size(), 91);
    doc.deviseHdl[3].used = true;
    doc.deviseHdl[3].convert = 1.25;
    ASSERT_TRUE(convertDocumentDevise(3, &doc));
    const QList<MONTANT> after = amounts(doc);
    for (qsizetype k = 0; k < after.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(after[k].values[3], before[k].values[0] / 1.25, 1e-9);
        for (size_t i : {0, 1, 2, 4})
            EXPECT_EQ(after[k].values[i], before[k].values[i]);
    }
    const QList<long> devisesAfter = devises(doc);
    for (qsizetype k = 0; k < devisesAfter.size(); ++k)
        EXPECT_EQ(devisesAfter[k], devisesBefore[k] == 3 ? 0 : devisesBefore[k]) << k;
}

TEST_F(DeviseConversion, MakingASlotMainExchangesItWithSlotZeroEverywhere)
{
    const QList<MONTANT> before = amounts(doc);
    const QList<long> devisesBefore = devises(doc);
    doc.deviseHdl[2].unit = QStringLiteral("$");
    ASSERT_TRUE(makeDeviseSlotMain(2, &doc, true));

    EXPECT_EQ(doc.deviseHdl[0].unit, QStringLiteral("$"));
    EXPECT_EQ(doc.deviseHdl[2].ticker, QStringLiteral("EUR"));
    EXPECT_DOUBLE_EQ(doc.deviseHdl[0].convert, 1.0);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, kFranc / 0.8);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[2].convert, 1 / 0.8);
    EXPECT_EQ(doc.deviseHdl[3].convert, 0.0);
    EXPECT_EQ(doc.deviseHdl[4].convert, 0.3); // not in use: left as it was
    EXPECT_EQ(doc.docParam->defaultDevise, 2);
    EXPECT_EQ(MONTANT::currentDeviseSlot(), 2);

    const QList<MONTANT> after = amounts(doc);
    for (qsizetype k = 0; k < after.size(); ++k) {
        SCOPED_TRACE(k);
        const auto& was = before[k].values;
        EXPECT_EQ(after[k].values, (std::array<double, 5> {was[2], was[1], was[0], was[3], was[4]}));
        // The amounts still agree with the rescaled rates.
        for (long i : {1, 2})
            EXPECT_NEAR(after[k].values[i], MONTANT::convertMontant(after[k].values[0], 0, i, doc.deviseHdl), 1e-9);
    }
    constexpr long kExchanged[] = {2, 1, 0, 3};
    const QList<long> devisesAfter = devises(doc);
    for (qsizetype k = 0; k < devisesAfter.size(); ++k)
        EXPECT_EQ(devisesAfter[k], kExchanged[devisesBefore[k]]) << k;
}

TEST_F(DeviseConversion, TheFrancMadeMainAndBackRestoresTheDocument)
{
    const QList<MONTANT> before = amounts(doc);
    doc.docParam->defaultDevise = 1;
    MONTANT::setCurrentDeviseSlot(1);
    ASSERT_TRUE(makeDeviseSlotMain(1, &doc, true));
    EXPECT_EQ(doc.deviseHdl[0].convert, 1.0);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, 1 / kFranc);
    EXPECT_EQ(doc.docParam->defaultDevise, 0);
    EXPECT_EQ(MONTANT::currentDeviseSlot(), 0);

    // A document the windows don't show leaves their current slot alone.
    ASSERT_TRUE(makeDeviseSlotMain(1, &doc, false));
    EXPECT_EQ(MONTANT::currentDeviseSlot(), 0);
    EXPECT_EQ(doc.docParam->defaultDevise, 1);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, kFranc);
    EXPECT_DOUBLE_EQ(doc.deviseHdl[2].convert, 0.8);
    EXPECT_EQ(amounts(doc), before);
}

TEST_F(DeviseConversion, RefusedSlotsChangeNothing)
{
    const QList<MONTANT> before = amounts(doc);
    doc.deviseHdl[4].used = true;
    doc.deviseHdl[4].convert = 0; // a rate never entered
    for (long slot : {0L, 3L, 4L, 5L, -1L})
        EXPECT_FALSE(makeDeviseSlotMain(slot, &doc, true)) << slot;
    EXPECT_FALSE(makeDeviseSlotMain(1, nullptr, true));
    EXPECT_FALSE(convertDocumentDevise(0, &doc));
    EXPECT_FALSE(convertDocumentDevise(5, &doc));
    EXPECT_EQ(amounts(doc), before);
    EXPECT_EQ(doc.deviseHdl[0].unit, Devise::defaultDevises()[0].unit);
    EXPECT_EQ(doc.deviseHdl[1].convert, kFranc);
    EXPECT_EQ(doc.docParam->defaultDevise, 0);

    // Putting a slot whose rate is still 0 into use fills zeros, never infinities.
    ASSERT_TRUE(convertDocumentDevise(4, &doc));
    for (const MONTANT& m : amounts(doc))
        EXPECT_EQ(m.values[4], 0.0);
}
