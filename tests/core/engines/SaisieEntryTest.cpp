// The entry routine around the window: where the working transaction comes from for each kind of
// caller, and what each closing status does to the document or to the caller's transaction.
#include "SaisieFixture.h"

#include "engines/SaisieEntry.h"
#include "model/DOCPARAM.h"
#include "model/ITransactionWindows.h"
#include "model/MACRO.h"
#include "model/TransactOps.h"

using namespace saisietest;

namespace {

class SaisieEntryTest : public SaisieDocument {
protected:
    SaisieEntryTest()
    {
        TRANSACT stored = expense(80);
        stored.releveID1 = 2;
        stored.why = QStringLiteral("Loyer");
        doc.transact_array = {stored};
        macro.nom = QStringLiteral("Pain");
        TRANSACT model = expense(1.2);
        model.releveID1 = 5;
        model.releveID2 = 6;
        model.when = at(1, 1, 2020);
        macro.transact = model;
    }
    std::optional<SaisieData> make(const SaisieRequest& request, int optionSaisieDate = 0)
    {
        return makeSaisieData(request, &doc, optionSaisieDate, lastEntered());
    }
    static double lastEntered() { return at(3, 3, 2024); }
    MACRO macro;
};

} // namespace

TEST_F(SaisieEntryTest, TheWorkingTransactionOfEachCaller)
{
    TRANSACT own = expense(9);
    own.why = QStringLiteral("modèle");

    SaisieRequest edit;
    edit.editObj = &own;
    edit.pos = 0; // the caller's object wins
    std::optional<SaisieData> data = make(edit);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->rec.why, QStringLiteral("modèle"));
    EXPECT_TRUE(data->oldSolde.nullMontant());
    EXPECT_EQ(data->pos, -1);
    EXPECT_TRUE(data->editsCallerObject);

    SaisieRequest stored;
    stored.pos = 0;
    data = make(stored);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->rec.why, QStringLiteral("Loyer"));
    EXPECT_EQ(data->oldSolde.values[0], 80);
    EXPECT_EQ(data->oldTransHdl.releveID1, 2);

    SaisieRequest fromMacro;
    fromMacro.macro = &macro;
    fromMacro.synonymeID = 4;
    data = make(fromMacro);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->rec.releveID1, -1);
    EXPECT_EQ(data->rec.releveID2, -1);
    EXPECT_EQ(data->rec.when, today());
    EXPECT_EQ(data->rec.synonymeID, -1) << "the synonym goes with a family only";
    EXPECT_EQ(make(fromMacro, 1)->rec.when, lastEntered());

    SaisieRequest family;
    family.fam = 7;
    family.synonymeID = 4;
    family.ident = 9;
    data = make(family);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->rec.moyen, 7);
    EXPECT_EQ(data->rec.synonymeID, 4);
    EXPECT_EQ(data->rec.who1, 9);
    EXPECT_TRUE(data->oldSolde.nullMontant());
    EXPECT_EQ(data->oldTransHdl.moyen, 7);
}

TEST_F(SaisieEntryTest, NoWindowForAPositionOutsideTheListOrWithoutADocument)
{
    SaisieRequest request;
    request.pos = 1;
    EXPECT_FALSE(make(request));
    request.pos = -1;
    EXPECT_FALSE(makeSaisieData(request, nullptr, 0, 0));
}

TEST_F(SaisieEntryTest, WhatDocumentTheResultEndsIn)
{
    struct Caller {
        const char* name;
        bool editObj;
        long pos;
        bool forImport, forSimul;
        bool stores;
    };
    const Caller callers[] = {
        {"palette", false, -1, false, false, true},       {"list edit", false, 0, false, false, true},
        {"template", true, -1, false, false, false},      {"import record", true, -1, true, false, true},
        {"simulation row", true, -1, false, true, false},
    };
    for (const Caller& c : callers) {
        TRANSACT own = expense(1);
        SaisieRequest request;
        request.editObj = c.editObj ? &own : nullptr;
        request.pos = c.pos;
        request.forImport = c.forImport;
        request.forSimul = c.forSimul;
        const std::optional<SaisieData> data = make(request);
        ASSERT_TRUE(data) << c.name;
        EXPECT_EQ(data->storesInDocument(), c.stores) << c.name;
    }
}

TEST_F(SaisieEntryTest, ClosingStatuses)
{
    SaisieRequest request;
    request.fam = 7;
    request.ident = 7;
    for (int status : {kSaisieCancel, kSaisieStopImport}) {
        std::optional<SaisieData> data = make(request);
        ASSERT_TRUE(data);
        EXPECT_FALSE(storeSaisieResult(status, *data, nullptr, &doc));
    }
    EXPECT_EQ(doc.transact_array.size(), 1) << "nothing stored";
    for (int status : {kSaisieOK, kSaisieImportAll}) {
        std::optional<SaisieData> data = make(request);
        ASSERT_TRUE(data);
        EXPECT_TRUE(storeSaisieResult(status, *data, nullptr, &doc));
    }
    EXPECT_EQ(doc.transact_array.size(), 3);
}

TEST_F(SaisieEntryTest, AStoredEditIsReplacedInPlace)
{
    SaisieRequest request;
    request.pos = 0;
    std::optional<SaisieData> data = make(request);
    ASSERT_TRUE(data);
    data->rec.why = QStringLiteral("Loyer de juin");
    EXPECT_TRUE(storeSaisieResult(kSaisieOK, *data, nullptr, &doc));
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_EQ(doc.transact_array[0].why, QStringLiteral("Loyer de juin"));
}

TEST_F(SaisieEntryTest, TheCallersObjectTakesTheResultAndTheDocumentStaysAsItWas)
{
    TRANSACT own = expense(9);
    SaisieRequest request;
    request.editObj = &own;
    std::optional<SaisieData> data = make(request);
    ASSERT_TRUE(data);
    data->rec.why = QStringLiteral("changé");
    EXPECT_FALSE(storeSaisieResult(kSaisieCancel, *data, &own, &doc));
    EXPECT_TRUE(own.why.isEmpty());
    EXPECT_FALSE(storeSaisieResult(kSaisieOK, *data, &own, &doc));
    EXPECT_EQ(own.why, QStringLiteral("changé"));
    EXPECT_EQ(doc.transact_array.size(), 1);
}

TEST_F(SaisieEntryTest, AnImportedTransactionGetsItsTouchedMarkAgain)
{
    doc.transact_array[0].importID = 3;
    doc.transact_array[0].who2 = kCompteAnonymeID;
    doc.transact_array[0].posteID = DOCPARAM::getDefaultPoste(&doc);
    doc.transact_array[0].moyen = 0;
    SaisieRequest request;
    request.pos = 0;
    std::optional<SaisieData> data = make(request);
    ASSERT_TRUE(data);
    data->rec.who2 = 22;
    EXPECT_TRUE(storeSaisieResult(kSaisieOK, *data, nullptr, &doc));
    EXPECT_TRUE(doc.transact_array[0].importTouched);
}
