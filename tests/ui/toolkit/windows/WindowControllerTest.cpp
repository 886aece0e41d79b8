// The window controller base, driven through a small dialog: pushes modeless and modal, results,
// the finder, sounds and animations on opening and closing, the palette beside a window, and one
// run on the real modal loop.
#include "toolkit/windows/StdWindowController.h"

#include "toolkit/host/QtUiHost.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A dialog asking for a name: a title, a field, Annuler and OK. OK refuses an empty name.
class DemoDialog : public StdWindowController {
    Q_OBJECT
public:
    int fillCount = 0;

    void FILL() override
    {
        ++fillCount;
        m_titre->setText(getData()->value("titre").toString());
        m_nom->setText(getData()->value("nom").toString());
    }

    bool READ() override
    {
        const QString name = m_nom->text().trimmed();
        if (name.isEmpty())
            return false;
        getData()->insert("nom", name);
        return true;
    }

protected:
    void buildInterface(StdWindow& window) override
    {
        window.setWindowTitle("Nouveau compte");
        m_titre = new QLabel(&window);
        m_titre->setObjectName("label_titre");
        QFont bold = m_titre->font();
        bold.setBold(true);
        m_titre->setFont(bold);
        m_nom = new QLineEdit(&window);
        m_nom->setObjectName("field_nom");
        m_nom->setPlaceholderText("Nom du compte");
        auto* cancel = new QPushButton("Annuler", &window);
        connectAction(cancel, "NON:");
        auto* ok = new QPushButton("OK", &window);
        connectAction(ok, "OUI:");
        ok->setDefault(true);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(cancel);
        buttons->addWidget(ok);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(20, 18, 20, 16);
        layout->setSpacing(12);
        layout->addWidget(m_titre);
        layout->addWidget(m_nom);
        layout->addSpacing(4);
        layout->addLayout(buttons);
        window.resize(380, window.sizeHint().height());
    }

private:
    QLabel* m_titre = nullptr;
    QLineEdit* m_nom = nullptr;
};

// Picks an entity: OK ends with the ident of the data, Annuler with -1.
class DemoPicker : public DemoDialog {
    Q_OBJECT
public:
    void OUI(QObject*) override { endModal(getData()->value("ident").toLongLong()); }
    void NON(QObject*) override { endModal(-1); }
};

class FakeAppDelegate : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow* window) override { mainWindows.append(window); }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return tool; }

    QList<StdWindow*> mainWindows;
    StdWindowController* tool = nullptr;
};

template <class C> C* findAny()
{
    return findOpenWindowController<C>(-1, -1, -1, -1, -1, -1, -1, -1);
}

template <class C> C* findDebit(long debitID)
{
    return findOpenWindowController<C>(debitID, -1, -1, -1, -1, -1, -1, -1);
}

class WindowControllerTest : public UiTestFixture {
protected:
    WindowControllerTest() { parameters().doAnimations = false; }

    static APPLIPARAM& parameters() { return APPLIPARAM::loadAppliParam(); }
    QStringList sounds() { return ui().sounds().playedNames(); }

    WindowDataPtr data = makeWindowData({{"titre", "Nouveau compte"}, {"nom", "Livret A"}, {"ident", 42}});
};

TEST_F(WindowControllerTest, PushWithoutAppearBuildsNothingUntilTheWindowIsAsked)
{
    QPointer<DemoDialog> hidden = StdWindowController::push<DemoDialog>(data, 2, false);
    EXPECT_FALSE(hidden->isWindowLoaded());
    EXPECT_EQ(hidden->fillCount, 0);
    EXPECT_EQ(hidden->devise(), 2);
    EXPECT_EQ(findAny<DemoDialog>(), nullptr);
    EXPECT_TRUE(sounds().isEmpty());

    EXPECT_EQ(WindowDriver(*hidden).text("field_nom"), "Livret A");
    EXPECT_EQ(hidden->fillCount, 1);
    EXPECT_TRUE(hidden->awakeDone());
    EXPECT_EQ(findAny<DemoDialog>(), hidden);

    // Shown with animations off: the open sound, no sliding.
    DemoDialog* shown = StdWindowController::push<DemoDialog>(data, 0, true);
    EXPECT_TRUE(shown->window()->isVisible());
    EXPECT_EQ(sounds(), QStringList {"OpenWindow"});
    EXPECT_TRUE(ui().animations().recorded.empty());

    // With animations on it comes in from beyond the left edge of the screen, once the window
    // manager has shown it (the headless platform keeps a window's 2 px border on the screen).
    parameters().doAnimations = true;
    ui().animations().setSpeed(1);
    DemoDialog* endBlockGot = nullptr;
    StdWindowController::pushAnimated<DemoDialog>(data, 0, true, [&](DemoDialog* c) { endBlockGot = c; });
    ASSERT_NE(endBlockGot, nullptr);
    QCoreApplication::processEvents();
    const QRect start = endBlockGot->window()->geometry();
    EXPECT_EQ(start.x(), 2 - start.width());
    ui().animations().finishAll();
    EXPECT_EQ(endBlockGot->window()->geometry().x(), ui().animations().framesOf(endBlockGot->window()).at(0).x());
    EXPECT_GE(endBlockGot->window()->geometry().x(), 0);

    hidden->close();
    shown->close();
    endBlockGot->close();
    EXPECT_EQ(findAny<StdWindowController>(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(hidden.isNull()); // a modeless controller goes with its window
}

TEST_F(WindowControllerTest, FinderMatchesClassAndIdentsInWindowOrder)
{
    auto* first = StdWindowController::push<DemoDialog>(data, 0, true);
    auto* second = StdWindowController::push<DemoDialog>(data, 0, true);
    auto* picker = StdWindowController::push<DemoPicker>(data, 0, true);
    EXPECT_EQ(first->getArg().posteID, 0); // a new block is zero, not -1
    first->getArg().debitID = 10;
    second->getArg().debitID = 20;
    second->getArg().dossierID = 7;
    picker->getArg().debitID = 30;

    EXPECT_EQ(findAny<DemoDialog>(), first);
    EXPECT_EQ(findDebit<DemoDialog>(20), second);
    EXPECT_EQ(findOpenWindowController<DemoDialog>(20, 8, -1, -1, -1, -1, -1, -1), nullptr);
    EXPECT_EQ(findOpenWindowController<DemoDialog>(-1, 7, 0, 0, 0, 0, 0, 0), second);
    EXPECT_EQ(findDebit<DemoDialog>(30), picker); // a subclass answers for its base
    EXPECT_EQ((findOpenWindowControllerExact<DemoDialog>(30, -1, -1, -1, -1, -1, -1, -1)), nullptr);
    EXPECT_EQ((findOpenWindowControllerExact<DemoPicker>(-1, -1, -1, -1, -1, -1, -1, -1)), picker);
    EXPECT_EQ(findDebit<DemoPicker>(10), nullptr);

    first->close();
    EXPECT_EQ(findAny<DemoDialog>(), second);
    setArgMode(second->getArg(), 3);
    EXPECT_EQ(second->getArg().mode, 3);
    second->close();
    picker->close();
    EXPECT_EQ(findAny<StdWindowController>(), nullptr);
}

TEST_F(WindowControllerTest, ModalRunsEndWithTheirButtonsCodes)
{
    data->insert("nom", QString());
    ui().onModal<DemoDialog>([](DemoDialog& c) {
        WindowDriver window(c);
        EXPECT_EQ(window.text("label_titre"), "Nouveau compte"); // filled before the run
        EXPECT_EQ(findAny<DemoDialog>(), &c);
        window.click("OUI:"); // refused: the name is empty
        window.type("field_nom", "Compte joint");
        QTest::keyClick(window.widget("field_nom"), Qt::Key_Return); // the default button, OK
    });
    EXPECT_EQ(StdWindowController::pushModal<DemoDialog>(nullptr, data, 0), 1);
    EXPECT_EQ(data->value("nom").toString(), "Compte joint");
    EXPECT_EQ(findAny<DemoDialog>(), nullptr);
    EXPECT_FALSE(ui().modalRuns().constLast().sheet);

    ui().onModal<DemoDialog>([](DemoDialog& c) { WindowDriver(c).click("NON:"); });
    EXPECT_EQ(StdWindowController::pushModal<DemoDialog>(nullptr, data, 0), 0);
    ui().onModal<DemoDialog>([](DemoDialog& c) { EXPECT_TRUE(c.perform("AUTRE:")); });
    EXPECT_EQ(StdWindowController::pushModal<DemoDialog>(nullptr, data, 0), 2);
    ui().onModal<DemoDialog>([](DemoDialog& c) {
        EXPECT_FALSE(c.perform("PAS_UNE_ACTION:"));
        c.perform("INVALIDER");
    });
    EXPECT_EQ(StdWindowController::pushModal<DemoDialog>(nullptr, data, 0), 3);

    long picked = 0;
    ui().onModal<DemoPicker>([](DemoPicker& c) { WindowDriver(c).click("OUI:"); });
    StdWindowController::pushModalWithBlock<DemoPicker>(nullptr, data, 0, [&](long r) { picked = r; });
    EXPECT_EQ(picked, 42);
    ui().onModal<DemoPicker>([](DemoPicker& c) { WindowDriver(c).click("NON:"); });
    EXPECT_EQ(StdWindowController::pushModal<DemoPicker>(nullptr, data, 0), -1);
}

TEST_F(WindowControllerTest, ModalOnAParentRunsAsASheet)
{
    auto* parent = StdWindowController::push<DemoDialog>(data, 0, true);
    long result = -7;
    ui().onModal<DemoDialog>([&](DemoDialog& c) {
        EXPECT_TRUE(c.isSheet());
        EXPECT_EQ(c.getForWindow(), parent->window());
        c.perform("OUI:");
    });
    StdWindowController::pushModal<DemoDialog>(parent, data, 0, &result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(ui().modalRuns().constLast().sheet);

    ui().onModal<DemoDialog>([](DemoDialog& c) { c.perform("NON:"); });
    EXPECT_EQ(StdWindowController::pushModal<DemoDialog>(parent, data, 0, nullptr), 0);
    EXPECT_EQ(findAny<DemoDialog>(), parent);
    parent->close();
}

TEST_F(WindowControllerTest, SoundsAndAnimationsOnClosing)
{
    // Animations off: a modeless window closes in silence, a modal one sounds once.
    StdWindowController::push<DemoDialog>(data, 0, true)->close();
    EXPECT_EQ(sounds(), QStringList {"OpenWindow"});
    ui().onModal<DemoDialog>([](DemoDialog& c) { c.perform("NON:"); });
    StdWindowController::pushModal<DemoDialog>(nullptr, data, 0);
    EXPECT_EQ(sounds(), (QStringList {"OpenWindow", "OpenWindow", "CloseWindow"}));
    EXPECT_TRUE(ui().animations().recorded.empty());

    // Animations on: an application-modal window shrinks to its centre, with one close sound.
    parameters().doAnimations = true;
    ui().sounds().plays.clear();
    QRect frame;
    ui().onModal<DemoDialog>([&](DemoDialog& c) {
        frame = c.window()->geometry();
        c.perform("NON:");
    });
    StdWindowController::pushModal<DemoDialog>(nullptr, data, 0);
    ASSERT_EQ(ui().animations().recorded.size(), 1u);
    EXPECT_EQ(ui().animations().recorded[0].stages.at(0).moves.at(0).frame,
              QRect(QRectF(frame).center().toPoint(), QSize(0, 0)));
    EXPECT_EQ(sounds(), (QStringList {"OpenWindow", "CloseWindow"}));

    // A sheet never shrinks, and still sounds once.
    auto* parent = StdWindowController::push<DemoDialog>(data, 0, false);
    parent->window();
    ui().sounds().plays.clear();
    ui().animations().recorded.clear();
    ui().onModal<DemoDialog>([](DemoDialog& c) { c.perform("OUI:"); });
    StdWindowController::pushModal<DemoDialog>(parent, data, 0);
    EXPECT_TRUE(ui().animations().recorded.empty());
    EXPECT_EQ(sounds(), (QStringList {"OpenWindow", "CloseWindow"}));

    // The close box of a modal window: one shrinking, one sound, the run ends with 0.
    ui().sounds().plays.clear();
    bool closing = false;
    ui().onModal<DemoDialog>([&](DemoDialog& c) {
        c.window()->close();
        closing = c.duringClosingProcess();
    });
    EXPECT_EQ(StdWindowController::pushModal<DemoDialog>(nullptr, data, 0), 0);
    EXPECT_TRUE(closing);
    EXPECT_EQ(ui().animations().recorded.size(), 1u);
    EXPECT_EQ(sounds(), (QStringList {"OpenWindow", "CloseWindow"}));

    // A modeless window shrinks and sounds when animations are on.
    ui().sounds().plays.clear();
    parent->close();
    EXPECT_EQ(ui().animations().recorded.size(), 2u);
    EXPECT_EQ(sounds(), QStringList {"CloseWindow"});
}

TEST_F(WindowControllerTest, PaletteSitsLeftOfItsWindowAndKeepsClearOfTheToolPalette)
{
    FakeAppDelegate app;
    setWindowAppDelegate(&app);
    auto* owner = StdWindowController::push<DemoDialog>(data, 0, true);
    owner->window()->setGeometry(400, 200, 380, 160);
    QPointer<DemoDialog> palette = StdWindowController::push<DemoDialog>(data, 0, false);
    palette->window()->resize(120, 300);
    owner->attachePalette(palette, owner);
    EXPECT_EQ(palette->property("parentDelegate").value<QObject*>(), owner);

    ui().advance(99);
    EXPECT_FALSE(owner->paletteDock().paletteIsPlaced());
    ui().advance(1);
    EXPECT_TRUE(owner->paletteDock().paletteIsPlaced());
    // Its right edge one point left of the window, its top one point above the window's.
    EXPECT_EQ(palette->window()->geometry(), QRect(279, 199, 120, 300));
    EXPECT_FALSE(palette->window()->isVisible());
    owner->windowDidBecomeKey();
    EXPECT_TRUE(palette->window()->isVisible());
    owner->windowDidResignKey();
    EXPECT_FALSE(palette->window()->isVisible());
    owner->windowDidBecomeMain();
    EXPECT_EQ(app.mainWindows, QList<StdWindow*> {owner->window()});

    // A tool palette 100 high at the top of a 900 high screen: a window whose top is at 850
    // (50 from the top) moves down by 52 once it has been moved, and its palette follows.
    auto* tool = StdWindowController::push<DemoDialog>(data, 0, false);
    tool->window()->setGeometry(0, 0, 200, 100);
    app.tool = tool;
    owner->window()->setGeometry(10, 50, 380, 160);
    owner->windowDidMove();
    ui().advance(100);
    // Its frame, title bar included, below the palette.
    const int titleBar = owner->window()->geometry().top() - owner->window()->frameGeometry().top();
    EXPECT_EQ(owner->window()->geometry(), QRect(10, 102 + titleBar, 380, 160));
    // No room on its left at the screen's edge: it goes right, covering nothing of the window.
    EXPECT_EQ(palette->window()->geometry().topLeft(), QPoint(391, 102 + titleBar));
    // Pushed too far down, it is shortened to end at the bottom of the screen.
    EXPECT_EQ(owner->paletteDock().assumedBound(tool->window(), QRect(10, 50, 380, 840)), QRect(10, 102, 380, 798));

    owner->close();
    EXPECT_FALSE(palette->window()->isVisible());
    EXPECT_EQ(findDebit<DemoDialog>(0), tool);
    tool->close();
    setWindowAppDelegate(nullptr);
}

// The real modal loop, offscreen: the dialog comes up, is typed into and accepted with its button.
TEST(WindowControllerSmoke, RealModalRunEndsByItsButton)
{
    APPLIPARAM::disposeAppliParam();
    APPLIPARAM::loadAppliParam().doSounds = false;
    std::unique_ptr<UiHost> host = makeQtUiHost();
    UiHost::install(host.get());
    WindowDataPtr data = makeWindowData({{"titre", "Nouveau compte courant"}, {"nom", ""}});
    bool shownModal = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll.stop();
        shownModal = true;
        WindowDriver window(modal);
        window.type("field_nom", "Compte joint");
        window.grab("window-controller-demo.png");
        window.click("OUI:");
    });
    poll.start(20);
    QTimer::singleShot(3000, [&] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    const long result = StdWindowController::pushModal<DemoDialog>(nullptr, data, 0);
    EXPECT_TRUE(shownModal);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(data->value("nom").toString(), "Compte joint");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    UiHost::install(nullptr);
    APPLIPARAM::disposeAppliParam();
}

} // namespace

#include "WindowControllerTest.moc"
