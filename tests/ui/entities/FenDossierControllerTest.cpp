// The categories-and-folders window on a new document's 11 folders and 38 categories, with the
// car categories (folder 11) used by transactions, a split line, a schedule, a forecast, a macro, a
// rule and a budget: deleting and replacing move every reference, drops move categories, typed
// letters select, names stay unique.
#include "entities/FenDossierController.h"
#include "entities/FenAskSubstDossierController.h"
#include "entities/FenAskSubstPosteController.h"
#include "entities/FenDossierActions.h"
#include "entities/FenEditPosteController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/tables/StdTableView.h"

#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/PosteFile.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include <QLabel>

namespace {

constexpr long kVoiture = 11; // Essence 31, Réparations 32, Assurance 33, Emprunt 34, Amendes 35
constexpr long kMaison = 7;
constexpr long kEssence = 31;
constexpr long kReparations = 32;
constexpr long kAmendes = 35;
constexpr long kLoyer = 23;

// The first selected row, -1 for none.
int selected(const StdTableView* table)
{
    const IndexSet rows = table->selectedRowIndexes();
    return rows.empty() ? -1 : *rows.begin();
}

TRANSACT transact(long posteID)
{
    TRANSACT t;
    t.posteID = posteID;
    return t;
}

// What the other windows hear, and whether a deleted category was still there when they heard it.
class Listener : public QObject {
    Q_OBJECT
public:
    explicit Listener(const DOCUMENT& doc)
        : m_doc(doc)
    {
        registerWindowController(this);
    }
    ~Listener() override { unregisterWindowController(this); }
    Q_INVOKABLE void COMPUTE_ANALYSE_NOTIFICATION() { heard << QStringLiteral("analyse"); }
    Q_INVOKABLE void REBUILD_LIST() { heard << QStringLiteral("rebuild"); }
    Q_INVOKABLE void notifyPosteDeleted(const QVariant& ident, const QVariant&)
    {
        const bool there = POSTE::posteWithIdent(long(ident.toLongLong()), m_doc) != nullptr;
        heard << QStringLiteral("deleted %1%2").arg(ident.toLongLong()).arg(there ? "" : " (gone)");
    }
    QStringList heard;

private:
    const DOCUMENT& m_doc;
};

class FenDossierTest : public UiTestFixture {
protected:
    FenDossierTest()
    {
        testenv::addDefaultDocParam(doc);
        doc.dossierHdl = defaultDossiers();
        doc.posteHdl = defaultPostes();
        doc.transact_array = {transact(kEssence), transact(kLoyer), transact(kLoyer)};
        doc.transact_array[2].multis = {MULTI(kReparations, MONTANT(), QString())};
        ECHEANCIER echeancier;
        echeancier.transact = transact(kReparations);
        doc.echeancierHdl = {echeancier};
        Prevision prevision;
        prevision.transact = transact(kEssence);
        doc.previsionsArray = {prevision};
        MACRO macro;
        macro.transact = transact(kReparations);
        doc.macroHdl = {macro};
        REGLE regle;
        regle.posteID = kEssence;
        doc.reglesArray = {regle};
        AnalyseConfiguration budget;
        budget.postesArray = {kEssence, kLoyer};
        budget.dossiersArray = {kVoiture};
        doc.anadefHdl = {budget};
        opened.emplace(doc);
        fen = showDossiers(true);
    }
    ~FenDossierTest() override
    {
        if (fen)
            fen->close();
    }
    void selectDossier(long ident)
    {
        long row = 0;
        ASSERT_TRUE(DOSSIER::findDossier(ident, &row, doc.dossierHdl));
        fen->table1()->GO(int(row));
    }
    void selectPostes(const QList<long>& idents)
    {
        fen->table2()->clearSelection();
        for (long ident : idents) {
            const qsizetype row = fen->myPosteList().indexOf(ident);
            ASSERT_GE(row, 0) << ident;
            fen->table2()->selectionModel()->select(fen->table2()->model()->index(int(row), 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    bool namesPoste(long ident) const
    {
        const auto uses = [ident](const TRANSACT& t) {
            return t.posteID == ident || std::any_of(t.multis.begin(), t.multis.end(), [ident](const MULTI& m) {
                       return m.posteID == ident;
                   });
        };
        return std::any_of(doc.transact_array.begin(), doc.transact_array.end(), uses)
            || uses(doc.echeancierHdl[0].transact) || uses(doc.previsionsArray[0].transact)
            || uses(*doc.macroHdl[0].transact) || doc.reglesArray[0].posteID == ident
            || doc.anadefHdl[0].postesArray.contains(ident);
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> opened;
    QPointer<FenDossierController> fen;
};

} // namespace

TEST_F(FenDossierTest, TypedCharactersSelectTheFirstNameNotBeforeThem)
{
    DOCUMENT small {QString(), kFileSystemLocal};
    for (const auto& [nom, ident] : {std::pair {"Auto", 1L}, {"Maison", 2L}, {"Zoo", 3L}})
        POSTE::insertPoste(POSTE {false, ident, 1, QString::fromLatin1(nom), -1, 0}, small.posteHdl);
    struct Case {
        QChar typed;
        QList<long> idents;
        bool taken;
        int row;
    };
    const Case cases[] = {{u'm', {1, 2, 3}, true, 1}, {u'M', {1, 2, 3}, true, 1}, {u'z', {1, 2}, true, 1},
                          {u'a', {1, 2, 3}, true, 0}, {u'0', {1, 2, 3}, true, 0}, {u'-', {1, 2, 3}, false, -1},
                          {u'b', {}, true, -1},       {u'é', {1, 2}, false, -1}};
    for (const Case& c : cases) {
        int row = -7;
        EXPECT_EQ(chercherPosteRow(c.typed, c.idents, small, &row), c.taken) << QString(c.typed).toStdString();
        if (c.taken) {
            EXPECT_EQ(row, c.row) << QString(c.typed).toStdString();
        }
    }
    selectDossier(kVoiture);
    EXPECT_TRUE(fen->didKeyDown1('c')); // Amendes, Assurance automobile, Carburant...
    EXPECT_EQ(fen->table2()->selectedRowIndexes(), IndexSet {int(fen->myPosteList().indexOf(kEssence))});
    EXPECT_TRUE(fen->didKeyDown2('x'));
    EXPECT_EQ(fen->table2()->selectedRowIndexes(), IndexSet {4});
}

TEST_F(FenDossierTest, ShowsTheFoldersAndTheCategoriesOfTheChosenOne)
{
    ASSERT_EQ(fen->table1()->numberOfRows(), 11);
    selectDossier(kVoiture);
    EXPECT_EQ(fen->myPosteList().size(), 5);
    ASSERT_GE(selected(fen->table1()), 0);
    EXPECT_EQ(fen->viewForTableColumn1(fen->table1(), selected(fen->table1()))->rowTexts(),
              (QStringList {QString(), DOSSIER::getDossierNameNS(kVoiture, doc), "(5)"}));
    selectPostes({kEssence});
    WindowDriver(*fen).grab(QStringLiteral("FenDossier.png"));
}

TEST_F(FenDossierTest, ADropMovesTheCategoriesAndShowsTheTargetFolder)
{
    EXPECT_EQ(movePostesToDossier({kEssence, 999}, 999, doc), 0) << "no such folder";
    selectDossier(kVoiture);
    selectPostes({kEssence, kAmendes});
    long target = 0;
    ASSERT_TRUE(DOSSIER::findDossier(kMaison, &target, doc.dossierHdl));
    ASSERT_TRUE(fen->validateDrop(target));
    Listener listener(doc);
    fen->dragRowsFromIndexes(fen->table2()->selectedRowIndexes(), target);
    EXPECT_EQ(listener.heard, (QStringList {"analyse", "rebuild"})) << "analyses group by folder";
    EXPECT_EQ(POSTE::posteWithIdent(kEssence, doc)->dossierID, kMaison);
    EXPECT_EQ(POSTE::posteWithIdent(kAmendes, doc)->dossierID, kMaison);
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {int(target)});
    EXPECT_EQ(fen->myPosteList().size(), 7);
}

TEST_F(FenDossierTest, TheDefaultCategoryAmongOthersStopsTheWholeDeletion)
{
    selectDossier(1);
    selectPostes({1, fen->myPosteList().last()});
    ui().answerAlert(QStringLiteral("kAlerte_CannotDeleteDefaultPoste"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER_POSTE:"));
    EXPECT_EQ(doc.posteHdl.size(), 38);
}

TEST_F(FenDossierTest, UsedCategoriesAskOnceForAReplacementThatMovesEveryUse)
{
    selectDossier(kVoiture);
    selectPostes({kEssence, kReparations});
    ui().answerAlert(QStringLiteral("kConfirm_SuppPoste"), 1001);
    ui().onModal<FenAskSubstPosteController>([](FenAskSubstPosteController& dialog) {
        EXPECT_EQ(dialog.outlet<QLabel>(QStringLiteral("field_old"))->text(),
                  localizedDialogue(QStringLiteral("kSelection_Multiple")));
        for (long refused : {kEssence, kReparations, -1L}) {
            dialog.pickers().posteID = refused;
            dialog.perform(QStringLiteral("OUI:"));
        }
        dialog.pickers().posteID = kLoyer;
        dialog.perform(QStringLiteral("OUI:"));
    });
    for (int i = 0; i < 3; ++i)
        ui().answerAlert(QStringLiteral("kAlerte_CannotSubstPoste"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER_POSTE:"));
    EXPECT_EQ(ui().modalRuns().size(), 1);
    EXPECT_FALSE(namesPoste(kEssence));
    EXPECT_FALSE(namesPoste(kReparations));
    EXPECT_EQ(doc.transact_array[0].posteID, kLoyer);
    EXPECT_EQ(doc.transact_array[2].multis[0].posteID, kLoyer);
    EXPECT_EQ(doc.reglesArray[0].posteID, kLoyer);
    EXPECT_EQ(doc.posteHdl.size(), 36);
    EXPECT_EQ(fen->myPosteList().size(), 3);
}

TEST_F(FenDossierTest, UnusedCategoriesGoWithoutAReplacement)
{
    selectDossier(kVoiture);
    selectPostes({kAmendes, 33});
    ui().answerAlert(QStringLiteral("kConfirm_SuppPoste"), 1001);
    Listener listener(doc);
    fen->perform(QStringLiteral("SUPPRIMER_POSTE:"));
    EXPECT_EQ(listener.heard, (QStringList {"deleted 35", "deleted 33", "analyse", "rebuild"}));
    EXPECT_TRUE(ui().modalRuns().empty());
    EXPECT_EQ(POSTE::posteWithIdent(kAmendes, doc), nullptr);
}

TEST_F(FenDossierTest, FoldersOfTheDefaultsStayAndAnUnusedOneGoesWithItsCategories)
{
    selectDossier(1);
    ui().answerAlert(QStringLiteral("kAlerte_CannotDeleteDefaultDossier"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER_DOSSIER:"));
    doc.docParam->defaultDossier = kMaison;
    selectDossier(1);
    ui().answerAlert(QStringLiteral("kAlerte_CannotDeleteDefaultPosteOwner"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER_DOSSIER:"));
    EXPECT_EQ(doc.dossierHdl.size(), 11);

    constexpr long kSante = 9; // three categories nothing uses
    selectDossier(kSante);
    ui().answerAlert(QStringLiteral("kConfirm_SuppDossier"), 1001);
    fen->perform(QStringLiteral("SUPPRIMER_DOSSIER:"));
    EXPECT_TRUE(ui().modalRuns().empty());
    EXPECT_EQ(doc.dossierHdl.size(), 10);
    EXPECT_EQ(doc.posteHdl.size(), 35);
    EXPECT_TRUE(postesOfDossier(kSante, doc).isEmpty());
}

TEST_F(FenDossierTest, AUsedFolderGivesAllItsCategoriesToItsReplacement)
{
    selectDossier(kVoiture);
    const int row = selected(fen->table1());
    ui().answerAlert(QStringLiteral("kConfirm_SuppDossier"), 1001);
    ui().onModal<FenAskSubstDossierController>([](FenAskSubstDossierController& dialog) {
        dialog.pickers().dossierID = kVoiture;
        dialog.perform(QStringLiteral("OUI:"));
        dialog.pickers().dossierID = kMaison;
        dialog.perform(QStringLiteral("OUI:"));
    });
    ui().answerAlert(QStringLiteral("kAlerte_CannotSubstDossier"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER_DOSSIER:"));
    EXPECT_EQ(DOSSIER::dossierWithIdent(kVoiture, doc), nullptr);
    EXPECT_EQ(postesOfDossier(kMaison, doc).size(), 10) << "used and unused car categories alike";
    EXPECT_EQ(doc.anadefHdl[0].dossiersArray, AnaIdentList {kMaison});
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {std::min(row, 9)});
}

// A folder can't be its own replacement: refused, and nothing has moved.
TEST_F(FenDossierTest, AFolderRefusedAsItsOwnReplacementChangesNothing)
{
    // Every folder, each category's folder, each transaction's category.
    const auto state = [this] {
        QStringList out;
        for (const DOSSIER& dossier : doc.dossierHdl)
            out << QStringLiteral("d%1").arg(dossier.ident);
        for (const POSTE& poste : doc.posteHdl)
            out << QStringLiteral("p%1>%2").arg(poste.ident).arg(poste.dossierID);
        for (const TRANSACT& trans : doc.transact_array)
            out << QStringLiteral("t%1").arg(trans.posteID);
        return out;
    };
    const QStringList before = state();
    const AnaIdentList analysed = doc.anadefHdl[0].dossiersArray;
    selectDossier(kVoiture);
    ui().answerAlert(QStringLiteral("kConfirm_SuppDossier"), 1001);
    ui().onModal<FenAskSubstDossierController>([](FenAskSubstDossierController& dialog) {
        dialog.pickers().dossierID = kVoiture;
        dialog.perform(QStringLiteral("OUI:"));
        dialog.perform(QStringLiteral("NON:"));
    });
    ui().answerAlert(QStringLiteral("kAlerte_CannotSubstDossier"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER_DOSSIER:"));
    EXPECT_EQ(state(), before);
    // The removal itself refuses such a replacement, or one that is no folder.
    EXPECT_FALSE(supprimerDossier(kVoiture, kVoiture, doc));
    EXPECT_FALSE(supprimerDossier(kVoiture, 999, doc));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(doc.anadefHdl[0].dossiersArray, analysed);
}

TEST_F(FenDossierTest, EditorsKeepNamesUniqueAndCreateInTheChosenFolder)
{
    selectDossier(kVoiture);
    selectPostes({kEssence});
    const QString loyer = POSTE::getPosteNameNS(kLoyer, doc);
    ui().onModal<FenEditPosteController>([&](FenEditPosteController& editor) {
        auto* nom = editor.outlet<StdTextView>(QStringLiteral("field_nom"));
        nom->setPlainText(loyer); // a category of another folder
        editor.perform(QStringLiteral("OUI:"));
        nom->setPlainText(QString());
        editor.perform(QStringLiteral("OUI:"));
        nom->setPlainText(loyer.toUpper()); // names are compared exactly
        editor.perform(QStringLiteral("OUI:"));
    });
    ui().answerAlert(QStringLiteral("kAlerte_NameAlreadyExist"), 1000);
    ui().answerAlert(QStringLiteral("kAlerte_NameEmpty"), 1000);
    fen->perform(QStringLiteral("VOIR_POSTE:"));
    EXPECT_EQ(POSTE::getPosteNameNS(kEssence, doc), loyer.toUpper());
    EXPECT_FALSE(fen->table2()->selectedRowIndexes().empty());

    ui().onModal<FenEditPosteController>([](FenEditPosteController& editor) {
        editor.outlet<StdTextView>(QStringLiteral("field_nom"))->setPlainText(QStringLiteral("Péage"));
        WindowDriver(editor).grab(QStringLiteral("FenEditPoste.png"));
        editor.perform(QStringLiteral("OUI:"));
    });
    fen->perform(QStringLiteral("CREER_POSTE:"));
    long ident = -1;
    ASSERT_TRUE(POSTE::findPosteWithName(QStringLiteral("Péage"), &ident, doc));
    EXPECT_EQ(POSTE::posteWithIdent(ident, doc)->dossierID, kVoiture);
    ASSERT_GE(selected(fen->table2()), 0);
    EXPECT_EQ(fen->myPosteList().at(selected(fen->table2())), ident);
}

#include "FenDossierControllerTest.moc"
