#include "toolkit/palettes/FenPaletteToolController.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindowPlacement.h"

#include "document/DocContext.h"
#include "foundation/IAppShell.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/MACRO.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QList>
#include <QMargins>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <functional>
#include <utility>

namespace {

QPointer<FenPaletteToolController> g_paletteOutils;

constexpr QMargins kMargins(4, 4, 8, 4);
constexpr int kSpacing = 4;
// Between the document's lists and the windows' commands.
constexpr int kGroupGap = 8;

struct PaletteControl {
    QWidget* control;
    bool apart; // set apart from the control before it
};

constexpr int kSlideMs = 250;
// The debit account pop-up lists the accounts of every kind of bank.
constexpr qint32 kEveryBank = 7;

QPushButton* toolButton(const QString& action, const QString& title, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    StdActionDispatcher::setAction(button, action);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton* closeButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("button_close"));
    StdActionDispatcher::setAction(button, QStringLiteral("BUTTON_CLOSE:"));
    button->setIcon(parent->style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    button->setToolTip(localizedMisc(QStringLiteral("kMisc_PaletteFermer")));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

template <class P> P* toolPopUp(const char* name, const QString& title, QWidget* parent)
{
    auto* popUp = new P(parent);
    popUp->setObjectName(QString::fromLatin1(name));
    popUp->setTitle(title);
    popUp->setToolButtonStyle(Qt::ToolButtonTextOnly);
    popUp->setFocusPolicy(Qt::NoFocus);
    return popUp;
}

QHBoxLayout* newRow(QVBoxLayout* rows)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(kSpacing);
    row->setAlignment(Qt::AlignLeft);
    rows->addLayout(row);
    return row;
}

// Whether the control, added at the end of the row, leaves the row within that width; when not,
// the row is as it was.
bool fitsInRow(QHBoxLayout* row, const PaletteControl& added, int width)
{
    if (added.apart)
        row->addSpacing(kGroupGap);
    row->addWidget(added.control);
    if (width <= 0 || row->sizeHint().width() <= width)
        return true;
    row->removeWidget(added.control);
    if (added.apart)
        delete row->takeAt(row->count() - 1);
    return false;
}

// The controls in rows, each filled in order before the next begins, as wide as the screen: one
// row on a wide screen, more on a narrow one, where a single row would run off its edge or be
// squeezed by a manager that holds a dock to the screen's width.
void layOutInRows(QWidget& window, const QList<PaletteControl>& controls, int screenWidth)
{
    auto* rows = new QVBoxLayout(&window);
    // A manager that stretches a dock across the screen leaves the buttons at their size.
    rows->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rows->setContentsMargins(kMargins);
    rows->setSpacing(kSpacing);
    const int room = screenWidth - kMargins.left() - kMargins.right();
    QHBoxLayout* row = nullptr;
    for (const PaletteControl& control : controls) {
        if (row && fitsInRow(row, control, room))
            continue;
        row = newRow(rows);
        row->addWidget(control.control);
    }
}

// Every window of the application that shows, as it shows.
class ShownWindowWatch : public QObject {
public:
    ShownWindowWatch(QObject* owner, std::function<void(QWidget*)> shown)
        : QObject(owner)
        , m_shown(std::move(shown))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            m_shown(static_cast<QWidget*>(watched));
        return false;
    }

private:
    std::function<void(QWidget*)> m_shown;
};

} // namespace

FenPaletteToolController* FenPaletteToolController::paletteOutils()
{
    return stillOpen(g_paletteOutils.data());
}

PopMacro* FenPaletteToolController::pop_macro() const
{
    return m_popMacro;
}

PopPoste* FenPaletteToolController::pop_poste() const
{
    return m_popPoste;
}

PopCompte* FenPaletteToolController::pop_compteD() const
{
    return m_popCompteD;
}

// ---------------------------------------------------------------------------------------------
// The window

void FenPaletteToolController::buildInterface(StdWindow& window)
{
    window.setWindowTitle(localizedMisc(QStringLiteral("kMisc_PaletteOutils")));
    QList<PaletteControl> controls = {{closeButton(&window), false},
                                      {toolButton(QStringLiteral("BUTTON_OPERATION:"),
                                                  localizedMisc(QStringLiteral("kMisc_PaletteOperation")), &window),
                                       false}};
    m_popMacro = toolPopUp<PopMacro>("pop_macro", localizedMisc(QStringLiteral("kMisc_PaletteMacros")), &window);
    m_popPoste = toolPopUp<PopPoste>("pop_poste", localizedMisc(QStringLiteral("kMisc_PaletteCategories")), &window);
    m_popCompteD = toolPopUp<PopCompte>("pop_compteD", localizedMisc(QStringLiteral("kMisc_PaletteComptes")), &window);
    for (QWidget* popUp : QList<QWidget*> {m_popMacro, m_popPoste, m_popCompteD})
        controls.append({popUp, false});
    const std::pair<const char*, QString> commands[] = {
        {"RECHERCHE:", localizedMisc(QStringLiteral("kMisc_PaletteRecherche"))},
        {"ANALYSE:", localizedMisc(QStringLiteral("kMisc_PaletteAnalyse"))},
        {"BUDGET:", localizedMisc(QStringLiteral("kMisc_PaletteBudget"))},
        {"GRAPHIQUE:", localizedMisc(QStringLiteral("kMisc_PaletteGraphique"))},
        {"CALENDRIER:", localizedMisc(QStringLiteral("kMisc_PaletteCalendrier"))},
        {"CALCULETTE:", localizedMisc(QStringLiteral("kMisc_PaletteCalculette"))},
        {"FAVORIS:", localizedMisc(QStringLiteral("kMisc_PaletteFavoris"))},
        {"GUIDE:", localizedMisc(QStringLiteral("kMisc_PaletteGuide"))},
    };
    const IAppShell* app = appShell();
    const qsizetype lists = controls.size();
    for (const auto& [action, title] : commands) {
        QPushButton* button = toolButton(QString::fromLatin1(action), title, &window);
        button->setEnabled(!app || app->validateMenuAction(QString::fromLatin1(action)));
        // The windows' commands stand apart from the document's lists.
        controls.append({button, controls.size() == lists});
    }
    layOutInRows(window, controls, UiHost::instance().screen().visibleFrame().width());
    window.adjustSize();
}

// A floating panel without title bar, dragged by its background, that never takes the keyboard:
// each window carries its own menu's shortcuts, and they must keep reaching it. It slides into
// the corner and the other windows move clear of it.
void FenPaletteToolController::didAwakeFromNib()
{
    StdWindow* palette = windowIfLoaded();
    palette->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                            | Qt::WindowDoesNotAcceptFocus);
    palette->setAttribute(Qt::WA_ShowWithoutActivating);
    if (!m_panel)
        m_panel = new PalettePanel(palette);
    followKeyWindow();
    m_docked = UiHost::instance().screen().managerTilesWindows();
    m_panel->setDocked(m_docked);
    if (m_docked)
        dockInCorner();
    else
        slideIn();
    setMenuItemTicked(true);
    setUpPopUps();
    StdWindowController::didAwakeFromNib();
}

QRect FenPaletteToolController::cornerFrame() const
{
    const QRect screen = UiHost::instance().screen().visibleFrame();
    const QSize size = windowIfLoaded() ? windowIfLoaded()->size() : QSize();
    return QRect(screen.topLeft(), size);
}

// The slide starts off the screen's left edge: the palette is told it slides before it shows.
void FenPaletteToolController::slideIn()
{
    StdWindow* palette = windowIfLoaded();
    const QRect corner = cornerFrame();
    StdWindowPlacement::setSliding(palette, true);
    palette->setGeometry(QRect(QPoint(-corner.width(), corner.y()), corner.size()));
    palette->show();
    palette->raise();
    slideTo(corner, false);
    StdWindowPlacement::setSliding(palette, false);
    didReachPlace();
}

// The manager takes a dock where it stands as it maps, and refuses it any other frame.
void FenPaletteToolController::dockInCorner()
{
    StdWindow* palette = windowIfLoaded();
    palette->setGeometry(cornerFrame());
    palette->show();
    palette->raise();
    didReachPlace();
}

// The windows keep clear of the palette where it stands once it has got there: on the way, Qt may
// hold it where the window manager mapped it, anywhere on the screen. A slide that ends at once
// ends inside slideIn, which tells its own end.
void FenPaletteToolController::didReachPlace()
{
    if (!StdWindowPlacement::isSliding(windowIfLoaded()))
        sendToAllWindowDelegates(Sel::ASSUME_BOUND, QVariant::fromValue<QObject*>(this));
}

void FenPaletteToolController::slideTo(const QRect& frame, bool close)
{
    StdWindow* palette = windowIfLoaded();
    if (!palette)
        return;
    if (m_docked) {
        if (close)
            this->close();
        else
            palette->setGeometry(frame);
        return;
    }
    StdWindowPlacement::setSliding(palette, true);
    QPointer<FenPaletteToolController> self(this);
    QPointer<StdWindow> slid(palette);
    UiHost::instance().animator().animateWidget(palette, {{frame, kSlideMs}}, [self, slid, close] {
        StdWindowPlacement::setSliding(slid, false);
        if (close && self) {
            self->close();
        } else if (!close) {
            StdWindowPlacement::keepSelfPlacedOnScreen(slid);
            if (self)
                self->didReachPlace();
        }
    });
}

void FenPaletteToolController::followKeyWindow()
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* key) {
        const StdWindow* palette = windowIfLoaded();
        if (key && (!palette || key != palette->windowHandle()) && key->type() != Qt::Popup
            && !key->flags().testFlag(Qt::WindowDoesNotAcceptFocus))
            m_keyBefore = key;
    });
    new ShownWindowWatch(this, [this](QWidget* shown) { windowShown(shown); });
}

// A window opened from the palette (a button, a pop-up's menu) takes the keyboard some time after
// it shows, once the manager has mapped it: the palette given the keyboard meanwhile (the click,
// the menu closing) hands it to that window, not back to the one it is leaving.
void FenPaletteToolController::windowShown(QWidget* shown)
{
    const Qt::WindowType type = shown->windowType();
    if (shown == windowIfLoaded() || shown->testAttribute(Qt::WA_ShowWithoutActivating)
        || shown->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) || (type != Qt::Window && type != Qt::Dialog))
        return;
    if (QWindow* handle = shown->windowHandle())
        m_keyBefore = handle;
}

// Given the keyboard all the same (the headless platform gives it to each window it shows), the
// palette hands it back to the window that had it.
void FenPaletteToolController::windowDidBecomeKey()
{
    StdWindowController::windowDidBecomeKey();
    if (QWindow* before = m_keyBefore; before && before->isVisible())
        before->requestActivate();
}

// A dock is told its room before it maps, and again when the manager gives it another frame (one
// as wide as the screen).
bool FenPaletteToolController::eventFilter(QObject* watched, QEvent* event)
{
    StdWindow* palette = windowIfLoaded();
    if (watched == palette) {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show)
            StdWindowPlacement::keepSelfPlacedOnScreen(palette);
        if (m_docked
            && (type == QEvent::Show || ((type == QEvent::Move || type == QEvent::Resize) && palette->isVisible())))
            UiHost::instance().screen().reserveTopStrip(palette);
    }
    return StdWindowController::eventFilter(watched, event);
}

void FenPaletteToolController::setUpPopUps()
{
    if (PopMacro* macros = pop_macro()) {
        macros->setCan_create(false);
        macros->setCanManage(true);
        macros->setSelectedTag(StdPopUp::kNoTag);
    }
    if (PopPoste* postes = pop_poste()) {
        postes->setSelectedTag(StdPopUp::kNoTag);
        postes->setCanManage(true);
    }
    if (PopCompte* comptes = pop_compteD()) {
        comptes->setPOPcompteCFilter(kEveryBank);
        comptes->setSelectedTag(StdPopUp::kNoTag);
        comptes->setCompteDebit(true);
    }
}

void FenPaletteToolController::setMenuItemTicked(bool ticked)
{
    QObject* item = appShell() ? appShell()->menuItemPaletteOutil() : nullptr;
    if (item)
        item->setProperty("checked", ticked);
}

void FenPaletteToolController::PLACE_PALETTE_TOOLS()
{
    slideTo(cornerFrame(), false);
}

void FenPaletteToolController::didChangeScreen()
{
    PLACE_PALETTE_TOOLS();
}

// ---------------------------------------------------------------------------------------------
// Closing

void FenPaletteToolController::closeSliding()
{
    if (g_paletteOutils == this)
        g_paletteOutils = nullptr;
    StdWindow* palette = windowIfLoaded();
    const QRect screen = UiHost::instance().screen().visibleFrame();
    if (!palette || !palette->isVisible() || palette->geometry().x() != screen.x()) {
        close();
        return;
    }
    slideTo(QRect(QPoint(-palette->width(), palette->geometry().y()), palette->size()), true);
}

void FenPaletteToolController::windowWillClose()
{
    if (g_paletteOutils == this)
        g_paletteOutils = nullptr;
    setMenuItemTicked(false);
    StdWindowController::windowWillClose();
}

FenPaletteToolController* openPaletteOutils(bool appear)
{
    if (FenPaletteToolController* open = stillOpen(g_paletteOutils.data())) {
        if (StdWindow* palette = open->window()) {
            palette->show();
            palette->raise();
        }
        return open;
    }
    g_paletteOutils
        = StdWindowController::push<FenPaletteToolController>(nullptr, MONTANT::currentDeviseSlot(), appear);
    return g_paletteOutils;
}

void closePaletteOutils()
{
    if (FenPaletteToolController* open = stillOpen(g_paletteOutils.data()))
        open->closeSliding();
}

// ---------------------------------------------------------------------------------------------
// Actions

void FenPaletteToolController::BUTTON_CLOSE(QObject*)
{
    closeSliding();
}

void FenPaletteToolController::BUTTON_OPERATION(QObject*)
{
    bool repeat = false;
    while (openSaisieTransact(0, -1, -1, nullptr, repeat) == kSaisieOK && !UiHost::instance().commandWaits())
        repeat = true;
}

void FenPaletteToolController::MACRO(QObject* sender)
{
    const ::MACRO* macro = macroAtIndex(getDocMacro(currentDocument()), long(StdMenu::tagOf(sender)));
    const TRANSACT* model = macro ? macroTransact(*macro) : nullptr;
    if (model)
        openSaisieTransact(model->moyen, model->synonymeID, -1, macro, false);
}

void FenPaletteToolController::CHOOSE_DOSSIER(QObject* sender)
{
    openListingDossier(long(StdMenu::tagOf(sender)), int(devise()), true);
}

void FenPaletteToolController::POSTE(QObject* sender)
{
    openListingPoste(long(StdMenu::tagOf(sender)), int(devise()), true);
}

void FenPaletteToolController::CREATE_POSTE(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->CREATE_POSTE(nullptr, sender);
}

// Those windows belong to the application, which opens each once.
void FenPaletteToolController::DOSSIERS(QObject* sender)
{
    if (auto* app = dynamic_cast<QObject*>(appShell()))
        StdActionDispatcher::invoke(app, QStringLiteral("DOSSIERS:"), sender);
}

void FenPaletteToolController::MACROS(QObject* sender)
{
    if (auto* app = dynamic_cast<QObject*>(appShell()))
        StdActionDispatcher::invoke(app, QStringLiteral("MACROS:"), sender);
}

void FenPaletteToolController::DEBIT(QObject* sender)
{
    openCompteWindow(long(StdMenu::tagOf(sender)), true);
}

void FenPaletteToolController::CREATE_COMPTED(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->CREATE_COMPTE(nullptr, sender);
}

void FenPaletteToolController::RECHERCHE(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->RECHERCHE(sender);
}

void FenPaletteToolController::ANALYSE(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->ANALYSE(sender);
}

void FenPaletteToolController::BUDGET(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->BUDGET(sender);
}

void FenPaletteToolController::GRAPHIQUE(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->GRAPHIQUE(sender);
}

void FenPaletteToolController::CALENDRIER(QObject* sender) // NOLINT(bugprone-virtual-near-miss): the calendar
{
    if (IAppShell* app = appShell())
        app->CALENDRIER(sender);
}

void FenPaletteToolController::CALCULETTE(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->CALCULETTE(sender);
}

void FenPaletteToolController::FAVORIS(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->FAVORIS(sender);
}

void FenPaletteToolController::GUIDE(QObject* sender)
{
    if (IAppShell* app = appShell())
        app->GUIDE(sender);
}
