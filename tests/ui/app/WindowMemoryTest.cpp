// The windows kept with a document: recorded at a saving close, reopened on the same entities at
// the same place when the document opens again; analyses and graphs kept in the package.
#include "app/WindowMemory.h"
#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "app/ApplicationDelegate.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenGraphiqueController.h"
#include "transactions/FenListingChronoController.h"
#include "transactions/FenListingDossierController.h"
#include "transactions/FenListingEmpruntController.h"
#include "transactions/FenListingMoyenController.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingRemunereController.h"
#include "transactions/FenListingTiersController.h"
#include "transactions/FenListingTitreController.h"
#include "transactions/FenReleveController.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/DocContext.h"
#include "document/SVDocumentManager.h"
#include "engines/AnalyseRecord.h"
#include "foundation/broadcast.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/GraphFile.h"
#include "support/TestEnvironment.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include <QCoreApplication>
#include <QDir>

namespace {

class KeptWindow : public StdWindowController {
    Q_OBJECT
protected:
    void buildInterface(StdWindow& window) override { window.resize(300, 200); }
};

class WindowMemoryTest : public UiTestFixture {
protected:
    WindowMemoryTest()
    {
        BEFOREPARAM::setDigestIterationsForTesting(10);
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.nbSauvNew = 0;
        parameters.everyDaysManualSave = 100000;
        parameters.doAnimations = false;
        parameters.autoSaveWhenQuit = false;
        APPLIPARAM::saveAppliParam();
        WindowMemory::registerWindowClass(QStringLiteral("FenRecentController"),
                                          [](const PARAMFEN&, bool) -> StdWindowController* { return nullptr; });
        WindowMemory::registerWindowClass(QStringLiteral("KeptWindow"), [](const PARAMFEN& record, bool appear) {
            return StdWindowController::push<KeptWindow>(nullptr, record.devise, appear);
        });
        delegate = std::make_unique<ApplicationDelegate>();
        delegate->BEFORE();
        url = testenv::freshDir(QStringLiteral("window-memory")) + QStringLiteral("/Famille.svd");
        EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
        BEFOREPARAM before;
        before.version = 31;
        EXPECT_TRUE(BEFOREPARAM::saveBeforeParam(url, before));
        for (const char* memorised : {"analyse", "budget", "graphs"})
            QDir(url + QStringLiteral("/Contents/Resources/") + QLatin1String(memorised)).removeRecursively();
        editWindows([](ParamFenList& windows) { windows.clear(); });
    }
    ~WindowMemoryTest() override
    {
        delegate->AFTER();
        delegate.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowMemory::unregisterWindowClass(QStringLiteral("FenRecentController"));
        WindowMemory::unregisterWindowClass(QStringLiteral("KeptWindow"));
        BEFOREPARAM::setDigestIterationsForTesting(std::nullopt);
    }

    // The document's records as stored, changed and saved back.
    void editWindows(const std::function<void(ParamFenList&)>& change)
    {
        bool error = false;
        const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
        param->echInactive = 1;
        change(param->documentWindows);
        EXPECT_TRUE(param->saveDocParam(url));
    }
    ParamFenList storedWindows() const
    {
        bool error = false;
        return DOCPARAM::loadDocParam(url, &error)->documentWindows;
    }
    DOCUMENT& open()
    {
        EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        return *delegate->document();
    }
    void close(bool saving)
    {
        ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_SaveDoc")),
                         saving ? kAlertFirstButton : kAlertSecondButton);
        delegate->FERMER_DOCUMENT();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void setRemind(bool remind)
    {
        APPLIPARAM::loadAppliParam().doRemind = remind;
        APPLIPARAM::saveAppliParam();
    }
    static QList<StdWindowController*> openOfClass(const char* className)
    {
        QList<StdWindowController*> found;
        for (QObject* object : registeredWindowControllers()) {
            auto* controller = qobject_cast<StdWindowController*>(object);
            if (controller && qstrcmp(controller->metaObject()->className(), className) == 0)
                found << controller;
        }
        return found;
    }
    static QStringList classesOf(const ParamFenList& records)
    {
        QStringList classes;
        for (const PARAMFEN& record : records)
            classes << record.fenclass;
        return classes;
    }

    std::unique_ptr<ApplicationDelegate> delegate;
    QString url;
};

using Ids = std::array<long, 3>;

TEST_F(WindowMemoryTest, EveryKeptClassReopensOnItsEntitiesWhereItWas)
{
    DOCUMENT& doc = open();
    const long compte = doc.compteHdl.first().ident;
    const MOYEN& moyen = doc.moyenHdl.first();
    const long synonyme = doc.synonymeArray.first().ident;
    const auto first = [](const auto& list) { return list.first().ident; };
    QList<std::pair<StdWindowController*, Ids>> kept {
        {openReleveWindow(compte, true, 1, doc), {compte, -1, -1}},
        {openListingDossier(doc, first(doc.dossierHdl), 1, true), {first(doc.dossierHdl), -1, -1}},
        {openListingPoste(doc, first(doc.posteHdl), 1, true), {first(doc.posteHdl), -1, -1}},
        {openListingTiers(doc, doc.compteHdl.last().ident, 1, true), {doc.compteHdl.last().ident, -1, -1}},
        {openListingChrono(doc, first(doc.echeancierHdl), 1, true), {first(doc.echeancierHdl), -1, -1}},
        {openListingMoyen(doc, moyen.compte, moyen.kind, synonyme, 1, true), {moyen.kind, moyen.compte, synonyme}},
        {openListingTitre(doc, first(doc.titreHdl), 1, true), {first(doc.titreHdl), -1, -1}},
        {openListingRemunere(doc, first(doc.remunereHdl), 1, true), {first(doc.remunereHdl), -1, -1}},
        {openListingEmprunt(doc, first(doc.empruntHdl), 1, true), {first(doc.empruntHdl), -1, -1}},
    };
    for (const char* command : {"CALENDRIER", "DEVISES", "DOSSIERS", "MACROS", "TAXES", "GERER"})
        QMetaObject::invokeMethod(delegate.get(), command, Q_ARG(QObject*, nullptr));
    for (const char* single : {"FenCalendrierController", "FenDeviseController", "FenDossierController",
                               "FenMacroController", "FenTaxeController", "FenSynonymeController"}) {
        ASSERT_EQ(openOfClass(single).size(), 1) << single;
        kept.append({openOfClass(single).first(), {-1, -1, -1}});
    }
    // Each moved to its own place, as the user left it.
    QHash<QString, std::pair<QRect, Ids>> expected;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        ASSERT_NE(kept.at(i).first, nullptr) << i;
        StdWindow* window = kept.at(i).first->window();
        window->setGeometry(QRect(QPoint(30 + int(i) * 17, 40 + int(i) * 13), window->size()));
        expected.insert(QString::fromLatin1(kept.at(i).first->metaObject()->className()),
                        {window->geometry(), kept.at(i).second});
    }
    const auto expectRecorded = [&expected](const ParamFenList& records) {
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const qsizetype at = classesOf(records).indexOf(it.key());
            ASSERT_GE(at, 0) << qPrintable(it.key());
            const PARAMFEN& record = records.at(at);
            EXPECT_EQ((Ids {record.ID1, record.ID2, record.ID3}), it->second) << qPrintable(it.key());
            const QRect& f = it->first;
            EXPECT_EQ(QRectF(record.x, record.y, record.width, record.height),
                      QRectF(f.x(), 900 - f.y() - f.height(), f.width(), f.height()))
                << qPrintable(it.key());
        }
    };
    close(true);
    expectRecorded(storedWindows());

    open();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QList<StdWindowController*> again = openOfClass(qPrintable(it.key()));
        ASSERT_EQ(again.size(), 1) << qPrintable(it.key());
        EXPECT_TRUE(again.first()->window()->isVisible()) << qPrintable(it.key());
        EXPECT_EQ(again.first()->window()->geometry(), it->first) << qPrintable(it.key());
        if (it->second[0] != -1) { // on an entity: in the slot it was in
            EXPECT_EQ(again.first()->devise(), 1) << qPrintable(it.key());
        }
    }
    // Reopened on the same entities, they are recorded alike at the next close.
    close(true);
    expectRecorded(storedWindows());
}

TEST_F(WindowMemoryTest, FramesCountFromTheWholeScreensBottomAndAnEmptyOneStillShows)
{
    // Panels take the top 30 points and the bottom 30: stored frames ignore them.
    ui().screenInfo().full = QRect(0, 0, 1600, 1000);
    ui().screenInfo().frame = QRect(0, 30, 1600, 940);
    open();
    StdWindowController::push<KeptWindow>(nullptr, 0, true)->window()->setGeometry(100, 150, 300, 200);
    close(true);
    ParamFenList records = storedWindows();
    const PARAMFEN kept = records.at(classesOf(records).indexOf(QStringLiteral("KeptWindow")));
    EXPECT_EQ(QRectF(kept.x, kept.y, kept.width, kept.height), QRectF(100, 650, 300, 200));

    // A record written elsewhere: a class this program doesn't have, and a window without a size.
    editWindows([](ParamFenList& windows) {
        PARAMFEN unknown = WindowMemory::recordForClass(QStringLiteral("FenDisparuController"));
        PARAMFEN empty = WindowMemory::recordForClass(QStringLiteral("KeptWindow"));
        empty.x = 100;
        empty.y = 100;
        empty.width = 0;
        empty.height = 120;
        windows.append(unknown);
        windows.append(empty);
    });
    open();
    const QList<StdWindowController*> again = openOfClass("KeptWindow");
    ASSERT_EQ(again.size(), 2);
    // Opened from the last record to the first: the empty one first, where it opens by itself.
    EXPECT_TRUE(again.at(0)->window()->isVisible());
    EXPECT_EQ(again.at(0)->window()->size(), QSize(300, 200));
    EXPECT_TRUE(again.at(1)->window()->isVisible());
    EXPECT_EQ(again.at(1)->window()->geometry(), QRect(100, 150, 300, 200));
}

TEST_F(WindowMemoryTest, ThirtyWindowsAtMostTheLastOpenedAndAnUnsavedCloseKeepsTheLastSavedOnes)
{
    open();
    for (int i = 0; i < 31; ++i)
        StdWindowController::push<KeptWindow>(nullptr, 0, true)->window()->setGeometry(10 + i, 20 + i, 300, 200);
    close(true);
    const ParamFenList records = storedWindows();
    ASSERT_EQ(records.size(), 30);
    EXPECT_EQ(classesOf(records).count(QStringLiteral("KeptWindow")), 30); // the standard windows opened first
    EXPECT_EQ(records.first().x, 40); // recorded from the newest window
    EXPECT_EQ(records.last().x, 11);

    open();
    ASSERT_EQ(openOfClass("KeptWindow").size(), 30);
    openOfClass("KeptWindow").first()->window()->close();
    StdWindowController::push<KeptWindow>(nullptr, 0, true)->window()->setGeometry(500, 500, 300, 200);
    close(false);
    const ParamFenList unsaved = storedWindows();
    ASSERT_EQ(unsaved.size(), 30);
    for (qsizetype i = 0; i < unsaved.size(); ++i)
        EXPECT_EQ(unsaved.at(i).x, records.at(i).x);
}

TEST_F(WindowMemoryTest, AnalysesAndGraphsKeepTheirFramesInThePackageEvenWithoutWindowMemory)
{
    DOCUMENT& doc = open();
    FenAnalyseController* analyse
        = openNewAnalyseWindow(doc, doc.anadefHdl.first().nom, 0, QRectF(40, 300, 560, 500), true);
    ASSERT_NE(analyse, nullptr);
    // Given from the bottom: 900 - 300 - 500. Its height and width are then its own.
    EXPECT_EQ(analyse->window()->geometry().topLeft(), QPoint(40, 100));
    const QRect analyseFrame = analyse->window()->geometry();
    ui().onModal<FenEditGraphiqueController>([](FenEditGraphiqueController& e) { e.perform(QStringLiteral("OUI:")); });
    FenGraphiqueController* graph
        = openGraphiqueWindow(nullptr, false, kGraphModeCompte, doc.compteHdl.first().ident, doc, 0);
    ASSERT_NE(graph, nullptr);
    graph->window()->setGeometry(700, 120, 640, 400);
    setRemind(false);
    close(true);
    EXPECT_TRUE(storedWindows().isEmpty());

    QString folder;
    ASSERT_TRUE(getAnalyseFolderInDocument(&folder, url));
    const QStringList analyses = memorisedAnalyseRecordPaths(folder);
    ASSERT_EQ(analyses.size(), 1);
    AnalyseRecord record;
    ASSERT_TRUE(loadAnalyseRecord(analyses.first(), &record));
    EXPECT_EQ(record.frame,
              QRectF(40, 900 - analyseFrame.y() - analyseFrame.height(), analyseFrame.width(), analyseFrame.height()));
    ASSERT_TRUE(getGraphsFolder(&folder, url));
    const QFileInfoList graphs = QDir(folder).entryInfoList({QStringLiteral("*.xml")}, QDir::Files);
    ASSERT_EQ(graphs.size(), 1);
    GRAPHFILE file;
    loadGraphFile(graphs.first().filePath(), file, nullptr);
    EXPECT_EQ((std::array<long, 4> {file.header.left, file.header.top, file.header.right, file.header.bottom}),
              (std::array<long, 4> {700, 380, 1340, 780})); // from y 900 - 120 - 400

    // Without window memory the standard windows open alone.
    open();
    EXPECT_TRUE(openOfClass("FenAnalyseController").isEmpty());
    EXPECT_EQ(openOfClass("FenBanqueController").size(), 1);
    close(false);
    setRemind(true);
    open();
    ASSERT_EQ(openOfClass("FenAnalyseController").size(), 1);
    EXPECT_EQ(openOfClass("FenAnalyseController").first()->window()->geometry().topLeft(), QPoint(40, 100));
    ASSERT_EQ(openOfClass("FenGraphiqueController").size(), 1);
    EXPECT_EQ(openOfClass("FenGraphiqueController").first()->window()->geometry(), QRect(700, 120, 640, 400));
}

// The windows a user leaves on a laptop screen, each in slot 2 while the program's slot is 0: the
// banks, favourites and balance sheet come back in their own slot, the calculator and schedules
// in the program's; every frame, the analysis and budget included, comes back to the pixel at
// each reopening, with and without a title bar, and the entry palette beside its statement. The
// first windows stand against the top of the screen, where a frame guessed before the window
// manager has framed them (a title bar taller than its own) would push them down.
TEST_F(WindowMemoryTest, EachKindComesBackInItsSlotAndAtItsFrameAtEveryReopening)
{
    ui().screenInfo().full = ui().screenInfo().frame = QRect(0, 0, 1366, 768);
    const struct {
        std::optional<QMargins> decorations;
        std::optional<QMargins> guessUntilFramed;
    } desktops[] = {
        {std::nullopt, std::nullopt},
        {QMargins(1, 24, 1, 1), std::nullopt},
        {QMargins(1, 20, 1, 5), QMargins(0, 24, 0, 0)}, // told late, as by a real window manager
    };
    for (const auto& [decorations, guess] : desktops) {
        StdWindowPlacement::setDecorations(decorations, guess);
        DOCUMENT& doc = open();
        ASSERT_NE(MONTANT::currentDeviseSlot(), 2);
        for (const char* command : {"BANQUES", "FAVORIS", "BILAN", "CALCULETTE", "ECHEANCIERS"})
            QMetaObject::invokeMethod(delegate.get(), command, Q_ARG(QObject*, nullptr));
        openReleveWindow(doc.compteHdl.first().ident, true, 0, doc);
        if (openOfClass("FenAnalyseController").isEmpty()) // those of the first pass come back
            openNewAnalyseWindow(doc, doc.anadefHdl.first().nom, 0, std::nullopt, true);
        if (openOfClass("FenBudgetController").isEmpty())
            openBudgetWindow(doc, doc.anadefHdl.first().nom, 0, std::nullopt, true);
        const char* kinds[]
            = {"FenBanqueController",     "FenFavoriController", "FenBilanController",   "FenCalculetteController",
               "FenEcheancierController", "FenReleveController", "FenAnalyseController", "FenBudgetController"};
        ui().advance(1000); // framed by the window manager before the program places them
        int step = 0;
        for (const char* kind : kinds) {
            ASSERT_EQ(openOfClass(kind).size(), 1) << kind << (decorations ? " framed" : "");
            StdWindowController* controller = openOfClass(kind).first();
            controller->setDevise(2);
            StdWindow* window = controller->window();
            // A size its window manager keeps, as a user resizing it would leave.
            const QSize size = StdWindowPlacement::steppedSize(
                window, kind == QByteArray("FenAnalyseController") ? QSize(1066, 308) : window->size() + QSize(12, 12));
            window->setGeometry(StdWindowPlacement::fittedGeometry(QRect(QPoint(20 + 11 * step, 9 * step), size),
                                                                   decorations.value_or(QMargins()),
                                                                   StdWindowPlacement::availableArea(window)));
            ++step;
        }
        ui().advance(1000); // the entry palette takes its place beside its window
        QHash<QString, QRect> frames;
        for (const char* kind : kinds)
            frames.insert(QString::fromLatin1(kind), openOfClass(kind).first()->window()->geometry());
        const auto paletteOffset = [] {
            StdWindowController* releve = openOfClass("FenReleveController").first();
            return releve->palette()->window()->geometry().topLeft() - releve->window()->geometry().topLeft();
        };
        const QPoint offset = paletteOffset();
        for (int reopening = 0; reopening < 2; ++reopening) {
            close(true);
            open();
            ui().advance(1000);
            for (const char* kind : kinds) {
                ASSERT_EQ(openOfClass(kind).size(), 1) << kind;
                StdWindowController* again = openOfClass(kind).first();
                const QRect frame = again->window()->geometry();
                EXPECT_EQ(frame, frames.value(QString::fromLatin1(kind)))
                    << kind << " at " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
            }
            for (const char* recorded : {"FenBanqueController", "FenFavoriController", "FenBilanController"})
                EXPECT_EQ(openOfClass(recorded).first()->devise(), 2) << recorded;
            for (const char* current : {"FenCalculetteController", "FenEcheancierController"})
                EXPECT_EQ(openOfClass(current).first()->devise(), MONTANT::currentDeviseSlot()) << current;
            EXPECT_EQ(paletteOffset(), offset) << reopening;
        }
        close(false);
    }
    StdWindowPlacement::setDecorations(std::nullopt);
}

} // namespace

#include "WindowMemoryTest.moc"
