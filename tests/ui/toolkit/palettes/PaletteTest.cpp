// Palettes: where a palette goes beside its window on the screen, the entry palette of a statement
// window starting entries and listings for its account, the drag of a panel by its background,
// and the application's one tool palette.
#include "toolkit/palettes/FenPaletteSaisieUserController.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/palettes/HelperSVPalette.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopSynonyme.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/DocumentSession.h"
#include "engines/LISTING.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/MACRO.h"
#include "model/MONTANT.h"
#include "model/Synonyme.h"
#include "support/FakeAppShell.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <deque>

namespace {

// The transaction windows: the entry answers the statuses queued, then "cancelled".
class ScriptedTransactionWindows : public ITransactionWindows {
public:
    std::deque<int> statuses;
    QStringList calls;

    int openSaisieTransact(int family, long synonymeID, long compteID, const MACRO* macro, bool repeat) override
    {
        calls << QStringLiteral("saisie %1 %2 %3 %4 %5")
                     .arg(family)
                     .arg(synonymeID)
                     .arg(compteID)
                     .arg(macro ? macro->nom : QStringLiteral("-"))
                     .arg(repeat ? "repeat" : "first");
        if (statuses.empty())
            return kSaisieCancel;
        const int status = statuses.front();
        statuses.pop_front();
        return status;
    }
    QObject* openListingMoyen(long compteID, int family, long synonymeID, int deviseSlot, bool show) override
    {
        calls << QStringLiteral("moyen %1 %2 %3 %4 %5")
                     .arg(compteID)
                     .arg(family)
                     .arg(synonymeID)
                     .arg(show)
                     .arg(deviseSlot);
        return nullptr;
    }
    QObject* openListingDossier(long dossierID, int deviseSlot, bool) override
    {
        calls << QStringLiteral("dossier %1 %2").arg(dossierID).arg(deviseSlot);
        return nullptr;
    }
    QObject* openListingPoste(long posteID, int deviseSlot, bool) override
    {
        calls << QStringLiteral("poste %1 %2").arg(posteID).arg(deviseSlot);
        return nullptr;
    }
    QObject* openCompteWindow(long compteID, bool) override
    {
        calls << QStringLiteral("compte %1").arg(compteID);
        return nullptr;
    }
    QObject* openListingProblem(DOCUMENT&, std::unique_ptr<LISTING>, int) override { return nullptr; }
};

class RecordingShell : public FakeAppShell {
public:
    QStringList commands;
    QAction menuItemOutils;

    RecordingShell() { menuItemOutils.setCheckable(true); }
    void RECHERCHE(QObject*) override { commands << "RECHERCHE"; }
    void GUIDE(QObject*) override { commands << "GUIDE"; }
    void ANALYSE(QObject*) override { commands << "ANALYSE"; }
    bool validateMenuAction(const QString& action) const override { return action != QLatin1String("ANALYSE:"); }
    void MACRO(long index) override { commands << QStringLiteral("MACRO %1").arg(index); }
    QObject* menuItemPaletteOutil() override { return &menuItemOutils; }
};

// A statement window: only its frame matters here.
class StatementWindow : public StdWindowController {
    Q_OBJECT
protected:
    void buildInterface(StdWindow& window) override { window.setGeometry(400, 100, 600, 400); }
};

// A statement window that counts the placements of its palette.
class CountingStatementWindow : public StatementWindow {
    Q_OBJECT
public:
    int placements = 0;
    void didPlacePalette() override { ++placements; }
};

// The shows, hides and moves of the windows it watches.
class WindowEvents : public QObject {
public:
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move)
            seen << QStringLiteral("%1 %2").arg(watched->objectName()).arg(int(type));
        return false;
    }
};

QAction* itemWithTag(qint64 tag)
{
    auto* item = new QAction(qApp);
    item->setData(tag);
    return item;
}

void sendMouse(QWidget* window, QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    const QPointF local = window->mapFromGlobal(QPointF(global));
    QMouseEvent event(type, local, QPointF(global), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

class PaletteTest : public UiTestFixture {
protected:
    PaletteTest()
    {
        APPLIPARAM::loadAppliParam().doSoundsOpen = false;
        ui().screenInfo().frame = QRect(0, 25, 1440, 875);
        const QString url = testenv::freshDir(QStringLiteral("palettes")) + QStringLiteral("/doc.svd");
        QDir().mkpath(url + QStringLiteral("/Contents/Resources"));
        doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
        DocumentSession::adopt(*doc);
        installTransactionWindows(&windows);
        installAppShell(&shell);
    }
    ~PaletteTest() override
    {
        closePaletteOutils();
        installAppShell(nullptr);
        installTransactionWindows(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DocumentSession::close();
    }

    std::unique_ptr<DOCUMENT> doc;
    ScriptedTransactionWindows windows;
    RecordingShell shell;
};

// The placement on the installed host's screen.
class PalettePlacement : public UiTestFixture { };

TEST_F(PalettePlacement, BesideItsWindowAndOnTheScreen)
{
    // A visible frame below a 25-point menu bar; palettes of 180 x 300.
    const QRect screen(0, 25, 1440, 875);
    const QRect palette(0, 0, 180, 300);
    auto place = [&](const QRect& parent, long position) {
        return HelperSVPalette::paletteFrame(screen, parent, palette, position);
    };
    // Left: one point clear of the window, its top one point above the window's.
    EXPECT_EQ(place(QRect(400, 100, 600, 400), 0), QRect(219, 99, 180, 300));
    // A window at the screen's left edge, as the formula has it: on the screen, over the window.
    EXPECT_EQ(place(QRect(0, 100, 600, 400), 0), QRect(0, 99, 180, 300));
    // A low, short window: the palette is held one point above the screen's bottom.
    EXPECT_EQ(place(QRect(400, 700, 600, 150), 0), QRect(219, 599, 180, 300));
    // Any position but 2 is the left.
    EXPECT_EQ(place(QRect(400, 100, 600, 400), 1), place(QRect(400, 100, 600, 400), 0));
    // Right: tops lined up, one point clear of the window...
    EXPECT_EQ(place(QRect(200, 100, 600, 400), 2), QRect(801, 100, 180, 300));
    // ...and one point short of the screen's right edge.
    EXPECT_EQ(place(QRect(900, 100, 540, 400), 2), QRect(1259, 100, 180, 300));
}

// A palette covers nothing of the window it serves while one side has room (a click meant for it,
// once it has hidden, would land on the window). Placing it never moves the window: when neither
// side has room, the palette takes its own side's place, over the window.
TEST_F(PalettePlacement, ClearOfItsWindowOnTheSideThatHasRoom)
{
    ui().screenInfo().frame = QRect(0, 25, 1440, 875);
    const struct {
        QRect parent;
        long position;
        QRect palette;
    } cases[] = {
        {QRect(400, 100, 600, 400), 0, QRect(219, 99, 180, 300)}, // room on the left
        {QRect(0, 100, 600, 400), 0, QRect(601, 100, 180, 300)}, // at the left edge
        {QRect(900, 100, 540, 400), 2, QRect(719, 99, 180, 300)}, // at the right edge
        // A fresh statement at the first cascade step, its palette's room left to it: on its left,
        // whole on the screen.
        {QRect(181, 25, 1100, 400), 0, QRect(0, 25, 180, 300)},
        // Low at the left edge, shorter than the palette: on its right, raised whole onto the screen.
        {QRect(0, 700, 600, 150), 0, QRect(601, 600, 180, 300)},
        // No room on either side.
        {QRect(0, 100, 1300, 400), 0, QRect(0, 99, 180, 300)},
        {QRect(100, 100, 1300, 400), 2, QRect(1259, 100, 180, 300)},
    };
    for (const auto& c : cases) {
        QWidget parent;
        QWidget palette;
        parent.setGeometry(c.parent);
        palette.setGeometry(0, 0, 180, 300);
        HelperSVPalette::placePalette(&palette, &parent, c.position);
        EXPECT_EQ(palette.geometry(), c.palette) << c.parent.x() << " " << c.position;
        EXPECT_EQ(parent.geometry(), c.parent) << c.parent.x() << " " << c.position;
    }
}

TEST_F(PaletteTest, EntryPaletteStartsEntriesAndListingsOfItsAccount)
{
    Synonyme::loadSynonymeAux(QStringLiteral("Téléphone"), 11, doc->synonymeArray);
    Synonyme::loadSynonymeAux(QStringLiteral("Prélèvement EDF"), 7, doc->synonymeArray);
    const long telephone = doc->synonymeArray[1].ident;
    MONTANT::setCurrentDeviseSlot(2);

    auto* statement = StdWindowController::push<StatementWindow>(makeWindowData(), 0, true);
    QPointer<FenPaletteSaisieUserController> palette
        = openPaletteForWindow<FenPaletteSaisieUserController>(statement, 42);
    statement->attachePalette(palette, statement);
    EXPECT_FALSE(palette->isWindowLoaded()); // opened hidden, built when placed
    ui().advance(100);
    ASSERT_TRUE(statement->paletteDock().paletteIsPlaced());
    EXPECT_EQ(palette->ident(), 42);
    EXPECT_EQ(palette->fen(), statement);
    EXPECT_EQ(palette->parentDelegate(), statement);
    EXPECT_EQ(palette->devise(), 2);
    EXPECT_EQ(palette->window()->geometry().topLeft(), QPoint(400 - palette->window()->width() - 1, 99));
    EXPECT_TRUE(palette->window()->windowFlags() & Qt::WindowDoesNotAcceptFocus);

    // A family button: entries on the account, repeated while each is confirmed.
    windows.statuses = {kSaisieOK, kSaisieOK, kSaisieCancel};
    palette->outlet<QPushButton>("moyen_11")->click();
    EXPECT_EQ(windows.calls,
              QStringList({"saisie 11 -1 42 - first", "saisie 11 -1 42 - repeat", "saisie 11 -1 42 - repeat"}));
    windows.calls.clear();
    windows.statuses = {kSaisieStopImport};
    palette->outlet<QPushButton>("moyen_9")->click();
    EXPECT_EQ(windows.calls, QStringList({"saisie 9 -1 42 - first"}));

    // By synonym, at its position in the document's list.
    windows.calls.clear();
    auto* synonymes = palette->outlet<PopSynonyme>("pop_synonyme");
    synonymes->rebuild();
    ASSERT_TRUE(synonymes->activateTag(1));
    EXPECT_EQ(windows.calls, QStringList({QStringLiteral("saisie 11 %1 42 - first").arg(telephone)}));

    // The listings of the account: a family, and a synonym (which shares its family's tag).
    windows.calls.clear();
    PopMoyen* moyens = palette->popMoyen();
    moyens->rebuild();
    ASSERT_TRUE(moyens->activateTag(7));
    for (QAction* item : moyens->stdMenu()->actions()) {
        if (item->text() == QStringLiteral("Téléphone"))
            item->trigger();
    }
    EXPECT_EQ(windows.calls, QStringList({"moyen 42 7 -1 1 2", QStringLiteral("moyen 42 11 %1 1 2").arg(telephone)}));

    // A macro is the application's to run.
    palette->perform(QStringLiteral("MACRO:"), itemWithTag(3));
    EXPECT_EQ(shell.commands, QStringList({"MACRO 3"}));

    // Shown only while its window is the active one; closed with it, telling it.
    statement->windowDidResignKey();
    EXPECT_FALSE(palette->window()->isVisible());
    statement->windowDidBecomeKey();
    EXPECT_TRUE(palette->window()->isVisible());
    WindowDriver(*palette).grab(QStringLiteral("palette_saisie.png"));
    palette->close();
    EXPECT_EQ(statement->palette(), nullptr);
    statement->close();
}

// A window manager that gives the keyboard to each window it maps (as the headless platform does)
// gives it to the palette as it shows: the palette hands it back and stays where it was placed, and
// nothing shows, hides or moves again.
TEST_F(PaletteTest, APaletteGivenTheKeyboardHandsItBackAndTheWindowsSettle)
{
    auto* statement = StdWindowController::push<CountingStatementWindow>(makeWindowData(), 0, true);
    QPointer<FenPaletteSaisieUserController> palette
        = openPaletteForWindow<FenPaletteSaisieUserController>(statement, 42);
    statement->attachePalette(palette, statement);
    StdWindow* window = statement->window();
    StdWindow* panel = palette->window();
    window->setObjectName(QStringLiteral("statement"));
    panel->setObjectName(QStringLiteral("palette"));
    const auto settle = [this] {
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
            ui().advance(400);
        }
    };
    settle();
    // The user was in another window, and clicks the statement.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_FALSE(panel->isVisible());
    const QRect placed = panel->geometry();
    window->activateWindow();
    settle();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry(), placed);
    EXPECT_EQ(QApplication::activeWindow(), window) << "the palette handed the keyboard back";

    WindowEvents events;
    window->installEventFilter(&events);
    panel->installEventFilter(&events);
    statement->placements = 0;
    settle();
    EXPECT_EQ(events.seen, QStringList());
    EXPECT_EQ(statement->placements, 0);
    statement->close();
}

TEST_F(PaletteTest, PanelFollowsTheMouseUntilTheButtonComesUp)
{
    auto* statement = StdWindowController::push<StatementWindow>(makeWindowData(), 0, true);
    auto* palette = openPaletteForWindow<FenPaletteSaisieUserController>(statement, 42);
    StdWindow* panel = palette->window();
    panel->move(300, 200);
    panel->show();
    // Where the window's placement left it on the screen.
    const QPoint start = panel->pos();
    const QPoint origin = panel->mapToGlobal(QPoint(0, 0));

    sendMouse(panel, QEvent::MouseButtonPress, origin + QPoint(10, 10), Qt::LeftButton);
    ASSERT_TRUE(palette->panel()->dragHandler());
    EXPECT_EQ(palette->panel()->pt0(), QPointF(10, 10));
    sendMouse(panel, QEvent::MouseMove, origin + QPoint(40, 30), Qt::LeftButton);
    EXPECT_EQ(panel->pos(), start + QPoint(30, 20));
    sendMouse(panel, QEvent::MouseMove, origin + QPoint(45, 30), Qt::LeftButton);
    EXPECT_EQ(panel->pos(), start + QPoint(35, 20));

    sendMouse(panel, QEvent::MouseButtonRelease, origin + QPoint(45, 30), Qt::NoButton);
    EXPECT_FALSE(palette->panel()->dragHandler());
    sendMouse(panel, QEvent::MouseMove, origin + QPoint(200, 200), Qt::LeftButton);
    EXPECT_EQ(panel->pos(), start + QPoint(35, 20));
    delete palette;
    statement->close();
}

TEST_F(PaletteTest, ToolPaletteIsOneAndSendsTheMainCommands)
{
    MACRO macro = allocNewMacro();
    macro.nom = QStringLiteral("Essence");
    macro.transact.emplace();
    macro.transact->moyen = 11;
    macro.transact->synonymeID = 5;
    doc->macroHdl.append(macro);
    // A window in the way of the palette's strip at the top of the screen.
    auto* other = StdWindowController::push<StatementWindow>(makeWindowData(), 0, true);
    other->window()->setGeometry(400, 30, 600, 400);

    FenPaletteToolController* tool = openPaletteOutils(true);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(openPaletteOutils(true), tool);
    EXPECT_EQ(FenPaletteToolController::paletteOutils(), tool);
    const QRect strip = tool->window()->geometry();
    EXPECT_EQ(strip.topLeft(), QPoint(0, 25));
    EXPECT_EQ(ui().animations().framesOf(tool->window()).front(), strip); // slid in
    EXPECT_EQ(other->window()->frameGeometry().top(), strip.bottom() + 3); // moved clear, title bar too
    EXPECT_TRUE(shell.menuItemOutils.isChecked());
    EXPECT_EQ(tool->pop_compteD()->getPOPcompteCFilter(), 7);
    EXPECT_EQ(tool->pop_compteD()->getSelectedTag(), StdPopUp::kNoTag);
    EXPECT_FALSE(tool->pop_macro()->getCan_create());
    WindowDriver(*tool).grab(QStringLiteral("palette_outils.png"));

    windows.statuses = {kSaisieOK, kSaisieCancel};
    WindowDriver(*tool).click(QStringLiteral("BUTTON_OPERATION:"));
    tool->perform(QStringLiteral("MACRO:"), itemWithTag(0));
    tool->perform(QStringLiteral("POSTE:"), itemWithTag(12));
    tool->perform(QStringLiteral("DEBIT:"), itemWithTag(20));
    EXPECT_EQ(windows.calls,
              QStringList({"saisie 0 -1 -1 - first", "saisie 0 -1 -1 - repeat", "saisie 11 5 -1 Essence first",
                           "poste 12 0", "compte 20"}));
    WindowDriver(*tool).click(QStringLiteral("RECHERCHE:"));
    WindowDriver(*tool).click(QStringLiteral("GUIDE:"));
    // A command the shell can't run now is disabled, not silent.
    for (QAbstractButton* button : tool->windowIfLoaded()->findChildren<QAbstractButton*>()) {
        const QString action = StdActionDispatcher::actionOf(button);
        if (action == QLatin1String("ANALYSE:") || action == QLatin1String("GUIDE:")) {
            EXPECT_EQ(button->isEnabled(), action == QLatin1String("GUIDE:")) << action.toStdString();
        }
    }
    EXPECT_EQ(shell.commands, QStringList({"RECHERCHE", "GUIDE"}));

    // Closing from the corner slides it out; the menu item is unticked and a new one may open.
    closePaletteOutils();
    EXPECT_EQ(ui().animations().framesOf(tool->windowIfLoaded()).back().left(), -strip.width());
    EXPECT_EQ(FenPaletteToolController::paletteOutils(), nullptr);
    EXPECT_FALSE(shell.menuItemOutils.isChecked());
    other->close();
}

} // namespace

#include "PaletteTest.moc"
