// The graph window on a household's year: opening through the editor, its table and selection,
// the compute mode and the currency, closing on deletions, copy, print, memorising and
// reopening; pictures of bars, curves and relief.
#include "../analysis/AnalyseHousehold.h"

#include "entities/FenBanqueController.h"
#include "entities/FenDossierController.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenGraphiqueController.h"
#include "graphs/ViewGraphique.h"
#include "transactions/FenListingController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCPARAM.h"
#include "model/DOSSIER.h"
#include "model/GraphFile.h"
#include "model/POSTE.h"
#include "model/TOOL.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/print/PrintOperation.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMimeData>

namespace {

using analysehousehold::at;

class FenGraphiqueControllerTest : public UiTestFixture {
protected:
    FenGraphiqueControllerTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        session.emplace(doc);
    }
    ~FenGraphiqueControllerTest() override
    {
        for (const QPointer<StdWindowController>& w : windows)
            if (w)
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    // Opens a graph following the entity, confirming the editor after the script.
    FenGraphiqueController* open(int mode, long ident, std::function<void(FenEditGraphiqueController&)> script = {})
    {
        ui().onModal<FenEditGraphiqueController>([script](FenEditGraphiqueController& e) {
            if (script)
                script(e);
            e.perform(QStringLiteral("OUI:"));
        });
        FenGraphiqueController* w = openGraphiqueWindow(nullptr, false, mode, ident, doc, 0);
        windows.append(w);
        return w;
    }
    static QStringList rows(FenGraphiqueController* w)
    {
        QStringList out;
        for (int row = 0; row < w->table1()->numberOfRows(); ++row) {
            StdCell* cell = w->viewForTableColumn1(w->table1(), row);
            out << (cell ? cell->rowTexts().join(u'|') : QStringLiteral("(none)"));
        }
        return out;
    }
    static void choose(StdWindowController* w, const char* action, qint64 tag)
    {
        QAction item;
        item.setData(QVariant::fromValue<qint64>(tag));
        w->perform(QString::fromLatin1(action), &item);
    }
    void reformat(FenGraphiqueController* w, int plotKind, int totalKind)
    {
        ui().onModal<FenEditGraphiqueParamController>([=](FenEditGraphiqueParamController& dialog) {
            auto* type = dialog.outlet<QComboBox>(QStringLiteral("popup_type"));
            type->setCurrentIndex(type->findData(plotKind));
            auto* totaux = dialog.outlet<QComboBox>(QStringLiteral("popup_totaux"));
            totaux->setCurrentIndex(totaux->findData(totalKind));
            dialog.perform(QStringLiteral("OUI:"));
        });
        w->perform(QStringLiteral("FORMAT:"));
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
    QList<QPointer<StdWindowController>> windows;
};

TEST_F(FenGraphiqueControllerTest, TheYearOfAnAccountListsTheOpeningThenEachMonth)
{
    FenGraphiqueController* w = open(kGraphModeCompte, 7);
    ASSERT_NE(w, nullptr);
    const QStringList shown = rows(w);
    ASSERT_EQ(shown.size(), 13);
    EXPECT_EQ(shown.at(0), localizedMisc(QStringLiteral("kMisc_Passe")) + QStringLiteral("|-|-"));
    EXPECT_TRUE(shown.at(1).startsWith(localizedMonthName(1) + QStringLiteral(" 2024|"))) << shown.at(1).toStdString();
    EXPECT_EQ(w->graph_file().header.titre.left(14), QStringLiteral("Compte \"Compte"));
    EXPECT_EQ(w->windowIfLoaded()->windowTitle(),
              QStringLiteral("%1 (%2)").arg(localizedAppl(QStringLiteral("FenGraphique_titre")),
                                            localizedAppl(QStringLiteral("POPUP_GRAPH_EMPTY"))));
    EXPECT_EQ(currentGraph()->compteID, 7) << "the current graph keeps the edited definition";
    WindowDriver(*w).grab(QStringLiteral("graph-bars.png"));
    reformat(w, 2, 1);
    EXPECT_EQ(w->graph_file().header.plotKind, 2);
    WindowDriver(*w).grab(QStringLiteral("graph-curve.png"));
    reformat(w, 1, 0);
    WindowDriver(*w).grab(QStringLiteral("graph-relief.png"));
}

TEST_F(FenGraphiqueControllerTest, SelectingARowHighlightsItsPeriodAndTheOpeningRowClearsIt)
{
    FenGraphiqueController* w = open(kGraphModeCompte, 7);
    w->table1()->GO(3);
    EXPECT_DOUBLE_EQ(w->graph_file().header.hilite_date, at(1, 3, 2024));
    w->table1()->GO(0);
    EXPECT_DOUBLE_EQ(w->graph_file().header.hilite_date, 0);
}

TEST_F(FenGraphiqueControllerTest, ACurrencyChangeRedrawsOnlyAndAutomaticComputingRecomputesAtOnce)
{
    FenGraphiqueController* w = open(kGraphModeCompte, 7);
    const double computed = w->graph_file().dataArray.at(0).total.getValueForDevise(0);
    w->graph_file().dataArray[0].total.setValueForDevise(0, 12345);
    choose(w, "DEVISE:", 1);
    EXPECT_EQ(w->devise(), 1);
    EXPECT_EQ(w->view_graphique()->devise(), 1);
    EXPECT_DOUBLE_EQ(w->graph_file().dataArray.at(0).total.getValueForDevise(0), 12345);
    choose(w, "AUTOCOMPUTE:", 0);
    EXPECT_FALSE(doc.docParam->autoComputeGraphique);
    for (const char* change : {Sel::DID_CHANGE_TRANSACT, Sel::DID_CREATE_CHRONO, Sel::DID_DELETE_CHRONO,
                               Sel::DID_APPLY_REGLE, Sel::chronoDidChange})
        sendToAllWindowDelegates(change);
    EXPECT_DOUBLE_EQ(w->graph_file().dataArray.at(0).total.getValueForDevise(0), 12345) << "manual waits";
    choose(w, "AUTOCOMPUTE:", 1);
    EXPECT_TRUE(doc.docParam->autoComputeGraphique);
    EXPECT_DOUBLE_EQ(w->graph_file().dataArray.at(0).total.getValueForDevise(0), computed);
    w->graph_file().dataArray[0].total.setValueForDevise(0, 12345);
    sendToAllWindowDelegates(Sel::DID_CHANGE_TRANSACT);
    EXPECT_DOUBLE_EQ(w->graph_file().dataArray.at(0).total.getValueForDevise(0), computed);
}

// A span of more than 1,500 months is refused by the editor, whether typed or taken from the
// transactions, and by a graph memorised over one, which keeps its stored points.
TEST_F(FenGraphiqueControllerTest, ASpanTooLongToShowIsRefusedWithItsAlert)
{
    struct Case {
        int modeDate;
        const char* year2;
        int grouper;
        int rows; // the opening row and one per point; 0: refused
    };
    const Case cases[] = {{0, "2126", 1, 37621}, {0, "2148", 0, 1501}, {0, "2149", 0, 0}, {1, "", 1, 0}};
    TRANSACT far = doc.transact_array.first();
    far.when = at(31, 12, 9999);
    doc.transact_array.append(far); // the last of "Toutes les opérations"
    for (const Case& c : cases) {
        ui().onModal<FenEditGraphiqueController>([&c, this](FenEditGraphiqueController& e) {
            auto* popup = e.outlet<QComboBox>(QStringLiteral("popup_modedate"));
            popup->setCurrentIndex(popup->findData(c.modeDate));
            e.perform(QStringLiteral("MODEDATE:"));
            auto* grouper = e.outlet<QComboBox>(QStringLiteral("popup_grouper"));
            grouper->setCurrentIndex(grouper->findData(c.grouper));
            if (c.modeDate == 0)
                WindowDriver(e).type(QStringLiteral("field_annee2"), QString::fromLatin1(c.year2));
            if (c.rows == 0)
                ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_CannotComputeGraph")), 1000);
            e.perform(QStringLiteral("OUI:"));
            if (c.rows == 0)
                e.perform(QStringLiteral("NON:"));
        });
        FenGraphiqueController* w = openGraphiqueWindow(nullptr, false, kGraphModeCompte, 7, doc, 0);
        windows.append(w);
        EXPECT_EQ(w ? w->table1()->numberOfRows() : 0, c.rows) << c.year2;
        if (w && c.grouper == 1)
            WindowDriver(*w).grab(QStringLiteral("graph-century-by-day.png"));
    }
    doc.documentUrl = testenv::freshDir(QStringLiteral("graph-long")) + QStringLiteral("/Foyer.svd");
    ASSERT_TRUE(QDir().mkpath(doc.documentUrl + QStringLiteral("/Contents/Resources")));
    GRAPHFILE stored;
    stored.header = GRAPH::newGraph(&doc);
    stored.header.graph_date1 = at(1, 1, 1);
    stored.header.graph_date2 = at(31, 12, 9999);
    stored.dataArray.resize(3);
    ASSERT_TRUE(saveGraphFile(stored, 1, doc.documentUrl, doc.deviseHdl));
    reopenGraphiquesOfDocument(doc);
    auto* reopened = qobject_cast<FenGraphiqueController*>(registeredWindowControllers().last());
    ASSERT_NE(reopened, nullptr);
    windows.append(reopened);
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_CannotComputeGraph")), 1000);
    choose(reopened, "AUTOCOMPUTE:", -1);
    EXPECT_EQ(reopened->graph_file().dataArray.size(), 3);
    // Told once, it computes on no change of the document and says nothing more.
    const qsizetype alerts = ui().alertsShown().size();
    doc.docParam->autoComputeGraphique = true;
    for (int change = 0; change < 2; ++change)
        sendToAllWindowDelegates(Sel::DID_CHANGE_TRANSACT);
    EXPECT_EQ(ui().alertsShown().size(), alerts);
    EXPECT_EQ(reopened->graph_file().dataArray.size(), 3);
}

TEST_F(FenGraphiqueControllerTest, ACategoryGraphClosesWithItsCategoryAFolderGraphStays)
{
    QPointer<FenGraphiqueController> poste = open(kGraphModePoste, 21, [](FenEditGraphiqueController& e) {
        e.perform(QStringLiteral("POSTECB:"));
        e.pickers().posteID = 21;
    });
    QPointer<FenGraphiqueController> dossier = open(kGraphModeDossier, 1, [](FenEditGraphiqueController& e) {
        e.perform(QStringLiteral("DOSSIERCB:"));
        e.pickers().dossierID = 1;
    });
    ASSERT_TRUE(poste && dossier);
    EXPECT_EQ(poste->graph_file().header.mode, kGraphModePoste);
    sendToAllWindowDelegates(Sel::notifyPosteDeleted, QVariant::fromValue<qint64>(22));
    EXPECT_TRUE(poste) << "another category";
    sendToAllWindowDelegates(Sel::notifyPosteDeleted, QVariant::fromValue<qint64>(21));
    sendToAllWindowDelegates(Sel::notifyPosteDeleted, QVariant::fromValue<qint64>(1));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(poste);
    EXPECT_TRUE(dossier);
}

TEST_F(FenGraphiqueControllerTest, CancellingTheEditorOpensNothing)
{
    ui().onModal<FenEditGraphiqueController>([](FenEditGraphiqueController& e) { e.perform(QStringLiteral("NON:")); });
    EXPECT_EQ(openGraphiqueWindow(nullptr, true, kGraphModePoste, 21, doc, 0), nullptr);
}

TEST_F(FenGraphiqueControllerTest, ThePictureIsCopiedAndPrintedThenTheTableOnRequest)
{
    FenGraphiqueController* w = open(kGraphModeCompte, 7);
    w->perform(QStringLiteral("copy:"));
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data(QStringLiteral("application/pdf")).startsWith("%PDF"));
    EXPECT_TRUE(mime->hasImage());
    ui().onPrint([](PrintOperation& operation, PrintAccessoryViewController*) {
        operation.printInfo().svOptionFondsColores = operation.printInfo().svOptionTextesColores = true;
        return true;
    });
    ui().onPrint([](PrintOperation&, PrintAccessoryViewController*) { return true; });
    ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_printGraphique")), 1000);
    w->perform(QStringLiteral("IMPRIMER:"));
    ASSERT_EQ(ui().printHost().records.size(), 2);
    ASSERT_FALSE(ui().printHost().records.at(0).pages.isEmpty());
    ui().printHost().records.at(0).pages.first().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/graph-print.png"));
    EXPECT_EQ(ui().printHost().records.at(1).nbPages, 1) << "thirteen rows on one page";
    ui().printHost().records.at(1).pages.first().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/graph-print-table.png"));
    EXPECT_FALSE(w->during_print_list());
    const auto* printedTitle = w->viewTitre()->findChild<QLabel*>(QStringLiteral("field_titre"));
    ASSERT_NE(printedTitle, nullptr);
    EXPECT_EQ(printedTitle->text(), w->graph_file().header.titre);
    EXPECT_NE(printedTitle->text(), w->windowIfLoaded()->windowTitle());
}

TEST_F(FenGraphiqueControllerTest, AMemorisedGraphReopensWithItsStoredPointsAndFrame)
{
    doc.documentUrl = testenv::freshDir(QStringLiteral("graph-memory")) + QStringLiteral("/Foyer.svd");
    ASSERT_TRUE(QDir().mkpath(doc.documentUrl + QStringLiteral("/Contents/Resources")));
    FenGraphiqueController* w = open(kGraphModeCompte, 7);
    w->window()->setGeometry(40, 60, 700, 480);
    w->graph_file().dataArray[2].total.setValueForDevise(0, 777);
    w->MEMORISE(QVariant::fromValue<qint64>(3), doc.documentUrl);
    w->close();
    reopenGraphiquesOfDocument(doc);
    FenGraphiqueController* reopened = nullptr;
    for (QObject* object : registeredWindowControllers())
        if (auto* graph = qobject_cast<FenGraphiqueController*>(object))
            reopened = graph;
    ASSERT_NE(reopened, nullptr);
    windows.append(reopened);
    EXPECT_DOUBLE_EQ(reopened->graph_file().dataArray.at(2).total.getValueForDevise(0), 777);
    EXPECT_EQ(reopened->windowIfLoaded()->geometry(), QRect(40, 60, 700, 480));
}

TEST_F(FenGraphiqueControllerTest, DoubleClickingARowListsItsPeriod)
{
    FenGraphiqueController* w = open(kGraphModeCompte, 7);
    w->table1()->GO(2);
    w->didDoubleClick1(w);
    FenListingController* listing = nullptr;
    for (QObject* object : registeredWindowControllers())
        if (auto* found = qobject_cast<FenListingController*>(object))
            listing = found;
    ASSERT_NE(listing, nullptr);
    windows.append(listing);
    EXPECT_GT(listing->table1()->numberOfRows(), 0);
}

// The banks window graphs the selected bank and the selected account by two commands; the
// categories window the first selected category or the selected folder.
TEST_F(FenGraphiqueControllerTest, TheBanksAndCategoriesWindowsOpenTheGraphOfTheirSelection)
{
    QList<std::pair<int, long>> edited;
    auto record = [&edited](FenEditGraphiqueController& e) {
        edited.append({e.header().mode,
                       e.header().mode == kGraphModeDossier      ? e.header().dossierID
                           : e.header().mode == kGraphModePoste  ? e.header().posteID
                           : e.header().mode == kGraphModeBanque ? e.header().banqueID
                                                                 : e.header().compteID});
        e.perform(QStringLiteral("NON:"));
    };
    FenDossierController* dossiers = showDossiers(true);
    windows.append(dossiers);
    dossiers->table1()->GO(0);
    dossiers->table2()->GO(0);
    for (const char* action : {"GRAPHIQUED:", "GRAPHIQUE:"}) {
        ui().onModal<FenEditGraphiqueController>(record);
        dossiers->perform(QString::fromLatin1(action));
    }
    FenBanqueController* banques = showBanques(true);
    windows.append(banques);
    banques->table1()->GO(0);
    ASSERT_GT(banques->table2()->numberOfRows(), 0);
    banques->table2()->GO(0); // an account selected too: the bank's command still graphs the bank
    for (const char* action : {"GRAPHIQUEB:", "GRAPHIQUE:"}) {
        ui().onModal<FenEditGraphiqueController>(record);
        banques->perform(QString::fromLatin1(action));
    }
    ASSERT_EQ(edited.size(), 4);
    EXPECT_EQ(edited.at(0).first, kGraphModeDossier);
    EXPECT_NE(DOSSIER::dossierWithIdent(edited.at(0).second, doc), nullptr);
    EXPECT_EQ(edited.at(1).first, kGraphModePoste);
    EXPECT_NE(POSTE::posteWithIdent(edited.at(1).second, doc), nullptr);
    EXPECT_EQ(edited.at(2).first, kGraphModeBanque);
    EXPECT_NE(getTool(kToolBanque, edited.at(2).second, &doc), nullptr);
    EXPECT_EQ(edited.at(3).first, kGraphModeCompte);
    EXPECT_NE(getTool(kToolCompte, edited.at(3).second, &doc), nullptr);
}

} // namespace
