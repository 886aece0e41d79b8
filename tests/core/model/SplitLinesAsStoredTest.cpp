// A split transaction's lines enter the document as the transaction file holds them, like its
// amount: typed in a second currency, a line's value in the reference slot has more decimals than
// the file keeps, and a per-category total summed from it would change at the reopening.
#include "document/DocumentSession.h"
#include "engines/AnalyseFile.h"
#include "engines/DeviseConversion.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/TransactBatch.h"
#include "model/TransactOps.h"
#include "support/SavedAndReopened.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double kNow = 800000000.0;
constexpr long kSplits = 20;
constexpr long kPostes[] = {40, 41, 42};

// Spending from the user's account 7 to the payee 22, in three lines of cents no rate divides
// evenly, one a category.
TRANSACT split(DOCUMENT& doc, long slot, long k)
{
    TRANSACT t = TRANSACT::allocNewTransact(&doc);
    t.when = kNow - 86400.0;
    t.who1 = 7;
    t.who2 = 22;
    t.devise = slot;
    for (long line = 0; line < 3; ++line) {
        MONTANT montant;
        montant.makeMontant(slot, 1.07 + static_cast<double>((k * 3 + line) * 7919 % 10000) / 100.0, doc.deviseHdl);
        t.addMultiWithPosteID(kPostes[line], montant, QString());
        MONTANT::addMontant(t.solde, montant, t.solde);
    }
    return t;
}

void enter(DOCUMENT& doc, long slot)
{
    const TransactBatch batch(&doc);
    for (long k = 0; k < kSplits; ++k)
        makeTransact(split(doc, slot, k), nullptr, &doc, false, false);
}

void addCategories(DOCUMENT& doc)
{
    doc.dossierHdl.clear();
    doc.posteHdl.clear();
    DOSSIER dossier;
    dossier.ident = 1;
    dossier.nom = QStringLiteral("Maison");
    doc.dossierHdl.append(dossier);
    for (long poste : kPostes)
        doc.posteHdl.append(POSTE {.ident = poste, .dossierID = 1, .nom = QStringLiteral("P%1").arg(poste)});
}

// The spending of every category over the last month, then the whole, in every slot.
QList<MONTANT> categoryTotals(DOCUMENT& doc)
{
    AnalyseConfiguration conf;
    conf.showPoste = true;
    conf.modeDate = kModeDateGiven;
    conf.date1 = kNow - 30 * 86400.0;
    conf.date2 = kNow;
    conf.compteID = -1;
    AnalyseFile file;
    initAnalyseFileWithConfiguration(file, doc, conf, QRectF());
    computeAnalyse(file, 0, AnalyseType::Analyse, 0, doc);
    QList<MONTANT> out;
    for (long row = 0; row < analyseNumberOfRows(file); ++row)
        out << file.getAnalyseDataAtRow(row, 0)->totDeb;
    return out << file.getAnalyseDataTotalDossierAtMonth(0)->totDeb;
}

} // namespace

// The dollar at 0,92 (in use from the start or not) and a three-decimal dinar at 0,29.
TEST(SplitLinesAsStored, PerCategoryTotalsOfSplitsInASecondCurrencyReadTheSameAfterAReopening)
{
    const struct {
        const char* name;
        bool dollarInUse;
        std::function<void(DOCUMENT&)> make;
    } cases[] = {
        {"saisies en dollars", true, [](DOCUMENT& doc) { enter(doc, 1); }},
        {"saisies en dinars", true, [](DOCUMENT& doc) { enter(doc, 2); }},
        {"saisies en euros modifiées en dollars", true,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             for (long k = 0; k < kSplits; ++k)
                 replaceTransact(split(doc, 1, k + kSplits), k, &doc, false, false, false);
         }},
        {"dollar mis en usage après les saisies", false,
         [](DOCUMENT& doc) {
             enter(doc, 0);
             doc.deviseHdl[1].used = true;
             convertDocumentDevise(1, &doc);
         }},
    };
    SystemClock::setNowForTesting(kNow);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString url = testenv::package(QStringLiteral("ventilations"));
        DOCUMENT doc(url, kFileSystemLocal);
        testenv::addDefaultDocParam(doc);
        testenv::useEuroDollarDinar(doc, c.dollarInUse);
        testenv::addBanks(doc, {7}, {22});
        addCategories(doc);
        DocumentSession::adopt(doc);
        c.make(doc);
        const QList<MONTANT> before = categoryTotals(doc);
        ASSERT_EQ(before.size(), 4);
        const auto reopened = testenv::savedAndReopened(doc, url);
        const QList<MONTANT> after = categoryTotals(*reopened);
        for (const MONTANT& total : after)
            EXPECT_FALSE(total.nullMontant());
        testenv::expectSameAmounts(after, before);
        DocumentSession::close();
    }
    SystemClock::setNowForTesting(std::nullopt);
}
