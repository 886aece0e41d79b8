// Every window of the program as a user meets it, on a small screen (1280×720 under a top panel,
// with window frames): opened through the menus as the user opens them, each window and dialog
// lies wholly inside the screen, below the tool palette, and shows no English left over from Qt's
// defaults (button texts, file chooser labels, month and day names); it opens with the keyboard in
// its first field, and Tab goes round each of its controls once.
#include "app/ApplicationDelegate.h"
#include "app/FenRecentController.h"
#include "app/MainMenu.h"
#include "app/WindowMemory.h"
#include "entities/FenDeviseController.h"
#include "entities/FenEditDeviseController.h"
#include "entities/FenVarianteController.h"
#include "import/FenEditImportController.h"
#include "import/FenEditImportTABController.h"
#include "import/ImportManager.h"
#include "schedules/FenEcheancierController.h"
#include "schedules/FenEditEcheancierController.h"
#include "schedules/ScheduleEditors.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldWithFilter.h"
#include "toolkit/fields/TextViewWithCompletion.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/PopChrono.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdFrameKeeper.h"
#include "toolkit/windows/StdWindowPlacement.h"
#include "toolkit/windows/StdWindowWithTableController.h"
#include "transactions/FenEditSaisieController.h"
#include "transactions/FenReleveController.h"
#include "transactions/FenTransListController.h"
#include "ui/app/ShellLaunch.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"
#include "foundation/files.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/MOYEN.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <set>

namespace {

const QRect kSmallScreen(0, 32, 1280, 688);
const QMargins kFrame(1, 24, 1, 1);

// The windows that open with the keyboard in a control of their own choice.
const std::map<std::string, QString> kChosenFirstControls {{"FenEditGraphiqueController", "view_poste"},
                                                           {"FenEditReleveController", "field_jour1"},
                                                           {"FenEditImportTABController", "mainView"}};

// What the first key typed as a window opens leaves in a control that takes it without replacing
// its text: the calculator's console writes it after its prompt.
const std::map<std::string, QString> kFirstKeyShows {{"FenCalculetteController", "> q"}};

// What Return on the first row of a window's list opens (and a double click there): the lists not
// named open nothing on that row (a heading, a total, a list of names).
const std::map<std::string, QString> kReturnOpens {
    {"FenAnalyseController/table1", "FenListingController"},
    {"FenBanqueController/table1", "FenEditBanqueController"},
    {"FenBudgetController/table1", "FenBudgetMetadataController"},
    {"FenDeviseController/table1", "FenAskPoursuivreController"},
    {"FenDossierController/table1", "FenListingDossierController"},
    {"FenDossierController/table2", "FenListingPosteController"},
    {"FenEditEcheancierController/table1", "FenEditSaisieController"},
    {"FenFinanceEmpruntController/table1", "FenListingEmpruntController"},
    {"FenFinanceRemunereController/table1", "FenListingRemunereController"},
    {"FenLogoController/table1", "FenEditLogoController"},
    {"FenMacroController/table1", "FenEditMacroController"},
    {"FenReleveController/table1", "FenEditEcheancierController"},
    {"FenTaxeController/table1", "FenEditTaxeController"},
    {"FenVarianteController/table1", "FenEditVarianteChequeController"},
    {"FenVarianteController/table2", "FenEditVarianteCarteController"},
};

// The lists whose one row stands for the record the window edits: Return opens it, selected or not.
const std::set<std::string> kReturnOpensUnselected {"FenEditEcheancierController/table1"};

std::string describe(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// English from Qt's defaults: its button and file chooser texts, and month and day names.
const QRegularExpression& englishWords()
{
    static const QRegularExpression words(QStringLiteral(
        "\\b(Cancel|Open|Save|Look in|File name|Files of type|Apply|Close|Yes|No|Reset|Discard|Help|Directory|"
        "January|February|March|April|May|June|July|August|September|October|November|December|"
        "Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday)\\b"
        "|\\b\\d{1,2} (Jan|Feb|Mar|Apr|Jun|Jul|Aug|Sep|Oct|Nov|Dec)\\b"
        "|\\b(Mon|Tue|Wed|Thu|Fri|Sat|Sun|Jan|Feb|Mar|Apr|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d"));
    return words;
}

void addModelTexts(const QAbstractItemModel* model, QStringList& texts)
{
    if (!model)
        return;
    for (int column = 0; column < model->columnCount(); ++column) {
        texts << model->headerData(column, Qt::Horizontal).toString();
        for (int row = 0; row < std::min(model->rowCount(), 40); ++row)
            texts << model->index(row, column).data().toString();
    }
}

void addWidgetTexts(const QWidget* widget, QStringList& texts)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        texts << label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        texts << button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        texts << group->title();
    else if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        texts << line->text() << line->placeholderText();
    else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    else if (const auto* tabs = qobject_cast<const QTabBar*>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
        addModelTexts(view->model(), texts);
    texts << widget->toolTip();
}

// What the window shows: its title, its visible controls' texts, its lists' rows and headers,
// and the items of its menus.
QStringList shownTexts(const QWidget* window)
{
    QStringList texts {window->windowTitle()};
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(window))
            addWidgetTexts(widget, texts);
    }
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        for (const QAction* item : menu->actions())
            texts << item->text();
    }
    return texts;
}

class EveryWindowTest : public UiTestFixture {
protected:
    EveryWindowTest()
    {
        ui().screenInfo().frame = kSmallScreen;
        StdWindowPlacement::setDecorations(kFrame);
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.everyDaysManualSave = 100000;
        parameters.doAnimations = false;
        parameters.autoSaveWhenQuit = false;
        parameters.doTruc = false;
        APPLIPARAM::saveAppliParam();
        for (QObject* controller : registeredWindowControllers())
            before.append(controller);
        delegate = launchDelegate<FenRecentController>();
        menu = std::make_unique<MainMenu>(delegate.get());
        menu->install(); // the windows get their menu bars as they show, as for the user
        // Every dialog is looked at while it runs, then cancelled as with its close box.
        ui().onModal(QStringLiteral("*"), [this](const ModalRequest& request) {
            check(request.window, request.controller ? request.controller->metaObject()->className() : "dialog");
            checkKeys(request.window, request.controller ? request.controller->metaObject()->className() : "dialog");
            UiHost::instance().modal().endModal(request.window, 0);
        });
    }
    ~EveryWindowTest() override
    {
        menu.reset();
        endDelegate(delegate);
        StdWindowPlacement::setDecorations(std::nullopt);
    }

    void openDocument()
    {
        url = testenv::freshDir(QStringLiteral("every")) + QStringLiteral("/Famille.svd");
        ASSERT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
        bool error = false;
        const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
        param->documentWindows.clear();
        param->echInactive = 1;
        ASSERT_TRUE(param->saveDocParam(url));
        ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
    }

    void choose(const char* name)
    {
        menu->refresh();
        QAction* item = menu->action(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        ASSERT_TRUE(item->isEnabled()) << name;
        item->trigger();
        QCoreApplication::processEvents();
    }

    // The area a window's frame must stay in: the screen, below the tool palette unless the
    // window floats over everything as the palettes do.
    static QRect areaFor(const QWidget* window)
    {
        QRect area = UiHost::instance().screen().visibleFrame();
        const FenPaletteToolController* tool = FenPaletteToolController::paletteOutils();
        const QWidget* palette = tool ? tool->windowIfLoaded() : nullptr;
        const bool floats = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (palette && palette != window && palette->isVisible() && !floats)
            area.setTop(palette->geometry().bottom() + 3);
        return area;
    }

    void check(const QWidget* window, const char* name)
    {
        ASSERT_NE(window, nullptr) << name;
        seen.insert(name);
        if (!window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
            const QRect frame = window->geometry().marginsAdded(kFrame);
            EXPECT_TRUE(areaFor(window).contains(frame))
                << name << " at " << describe(frame) << " outside " << describe(areaFor(window));
        }
        for (const QString& text : shownTexts(window)) {
            const QRegularExpressionMatch english = englishWords().match(text);
            EXPECT_FALSE(english.hasMatch())
                << name << " shows \"" << english.captured(0).toStdString() << "\" in \"" << text.toStdString() << '"';
        }
    }

    // Once per window: the keyboard as it opens is in the control the window chooses, else in the
    // first taking typing (a text field, a list holding rows) on the round of Tab from its top left
    // control, else in that control; the first key typed there does what it should, Return in each
    // of its lists what a double click does, and Tab goes round.
    void checkKeys(QWidget* window, const std::string& name)
    {
        if (window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) || window->property("keysSeen").toBool())
            return;
        window->setProperty("keysSeen", true);
        WindowDriver driver(window);
        if (!driver.takeKeyboard())
            return;
        QWidget* opening = QApplication::focusWidget();
        checkFirstKey(window, name);
        checkReturnInLists(window, name);
        checkEscapeInPopUps(window, name);
        QList<QWidget*> round = driver.keyRound();
        const auto earlier = [window](const QWidget* a, const QWidget* b) { // above it, else on its left
            const QRect ra(a->mapTo(window, QPoint()), a->size()), rb(b->mapTo(window, QPoint()), b->size());
            return ra.bottom() < rb.top() || (rb.bottom() >= ra.top() && ra.x() < rb.x());
        };
        if (round.isEmpty())
            return;
        std::rotate(round.begin(), std::min_element(round.begin(), round.end(), earlier), round.end());
        const auto typing = std::find_if(round.begin(), round.end(), [](const QWidget* w) {
            const auto* list = qobject_cast<const QAbstractItemView*>(w);
            return w->testAttribute(Qt::WA_InputMethodEnabled) || (list && list->model()->rowCount() > 0);
        });
        const auto chosen = kChosenFirstControls.find(name);
        EXPECT_EQ(opening,
                  chosen != kChosenFirstControls.end() ? window->findChild<QWidget*>(chosen->second)
                      : typing != round.end()          ? *typing
                                                       : round.first())
            << name << " opens on " << opening->objectName().toStdString();
    }

    // The first key typed as the window opens, as the user types it: in a one-line field it
    // replaces the text, so the field holds that key alone (a digit in a field of figures; a
    // completing field shows the first name starting with the letter); elsewhere it does what the
    // table says, or changes nothing there (a list, a pop-up, a button); it never ends the window.
    void checkFirstKey(QWidget* window, const std::string& name)
    {
        QWidget* focus = QApplication::focusWidget();
        auto* line = qobject_cast<QLineEdit*>(focus);
        auto* view = qobject_cast<StdTextView*>(focus);
        const auto shown = [line, view] { return line ? line->text() : view ? view->toPlainText() : QString(); };
        const bool completes = qobject_cast<TextViewWithCompletion*>(focus) && !shown().isEmpty();
        const QChar key = qobject_cast<TextFieldWithFilter*>(focus) ? u'2'
            : completes                                             ? shown().front().toLower()
                                                                    : u'q';
        const QString opened = shown();
        QTest::keyClick(focus, key.toLatin1());
        const std::string where = name + " on " + focus->objectName().toStdString();
        if (!opened.isEmpty()) {
            EXPECT_NE(shown().toStdString(), (opened + key).toStdString()) << where << ": the key went after the text";
        }
        if (const auto other = kFirstKeyShows.find(name); other != kFirstKeyShows.end()) {
            EXPECT_EQ(qobject_cast<QPlainTextEdit*>(focus)->toPlainText().toStdString(), other->second.toStdString())
                << where;
        } else if (completes) {
            EXPECT_TRUE(shown().startsWith(key, Qt::CaseInsensitive)) << where << " shows " << shown().toStdString();
        } else if (line || view) {
            EXPECT_EQ(shown().toStdString(), QString(key).toStdString()) << where;
        }
        EXPECT_TRUE(window->isVisible() && !ui().modalRunEnded(window)) << where << " ended";
    }

    // What an act in a window opened: the modal window it ran (the outermost, whose run ends
    // last), or the windows it left open, closed again; and whether it ended the window.
    struct Effects {
        QString opened;
        bool ended = false;
        bool operator==(const Effects&) const = default;
    };

    template <class Act> Effects effectsOf(QWidget* window, Act act)
    {
        const qsizetype runs = ui().modalRuns().size();
        const QList<QObject*> controllers = registeredWindowControllers();
        act();
        QCoreApplication::processEvents();
        Effects effects;
        if (ui().modalRuns().size() > runs)
            effects.opened = ui().modalRuns().last().name;
        for (QObject* object : registeredWindowControllers()) {
            auto* controller = qobject_cast<StdWindowController*>(object);
            StdWindow* shown = controller && !controllers.contains(object) ? controller->windowIfLoaded() : nullptr;
            if (shown && shown->isVisible()) {
                effects.opened += QString::fromLatin1(controller->metaObject()->className());
                controller->close();
            }
        }
        effects.ended = ui().modalRunEnded(window) || !window->isVisible();
        return effects;
    }

    // Return on the first row of each list that has one opens what a double click on it opens,
    // as the table says, and leaves the window open; keypad Enter does the same, and neither opens
    // anything with no row selected, as a deletion leaves the list.
    void checkReturnInLists(QWidget* window, const std::string& name)
    {
        const struct {
            const char* what;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool selected;
        } presses[] = {
            {"Return", Qt::Key_Return, Qt::NoModifier, true},
            {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
            {"Return with no row selected", Qt::Key_Return, Qt::NoModifier, false},
        };
        for (QAbstractItemView* list : window->findChildren<QAbstractItemView*>()) {
            if (list->window() != window || !list->isVisibleTo(window) || !list->isEnabled()
                || list->model()->rowCount() == 0)
                continue;
            const std::string where = name + "/" + list->objectName().toStdString();
            const auto opens = kReturnOpens.find(where);
            const std::string rowOpens = opens == kReturnOpens.end() ? std::string() : opens->second.toStdString();
            const QModelIndex row = list->model()->index(0, 0);
            for (const auto& press : presses) {
                const Effects byKey = effectsOf(window, [list, row, &press] {
                    list->setCurrentIndex(row);
                    if (!press.selected)
                        list->clearSelection();
                    list->setFocus(Qt::OtherFocusReason);
                    QTest::keyClick(list, press.key, press.modifiers);
                });
                EXPECT_EQ(byKey.opened.toStdString(),
                          press.selected || kReturnOpensUnselected.count(where) ? rowOpens : std::string())
                    << where << ", " << press.what;
                EXPECT_FALSE(byKey.ended) << where << ", " << press.what;
                if (byKey.ended)
                    return;
            }
            const QPoint at = list->visualRect(row).center();
            const Effects byDoubleClick = effectsOf(window, [list, at] {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            });
            EXPECT_EQ(byDoubleClick.opened.toStdString(), rowOpens) << where << ", a double click";
            EXPECT_FALSE(byDoubleClick.ended) << where << ", a double click";
        }
    }

    // What the user set in a window: its fields' texts, its boxes' ticks and its lists' choices.
    static QStringList setIn(const QWidget* window)
    {
        QStringList set;
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            if (const auto* line = qobject_cast<const QLineEdit*>(widget))
                set << line->text();
            else if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget))
                set << text->toPlainText();
            else if (const auto* box = qobject_cast<const QAbstractButton*>(widget))
                set << QString::number(box->isChecked());
            else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
                set << QString::number(combo->currentIndex());
        }
        return set;
    }

    // Escape with one of the window's drop-down lists or pop-up menus open closes that alone: the
    // window stays, with what was typed and ticked in it.
    void checkEscapeInPopUps(QWidget* window, const std::string& name)
    {
        const QStringList set = setIn(window);
        const auto escape = [] {
            QWidget* popUp = QApplication::activePopupWidget();
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == popUp ? focus : popUp, Qt::Key_Escape);
        };
        for (QWidget* control : window->findChildren<QWidget*>()) {
            auto* list = qobject_cast<QComboBox*>(control);
            auto* popUp = qobject_cast<StdPopUp*>(control);
            if ((!list && !popUp) || (list && list->count() == 0) || control->window() != window
                || !control->isVisibleTo(window) || !control->isEnabled())
                continue;
            const std::string where = name + "/" + control->objectName().toStdString();
            // The user sees the list open before pressing Escape.
            bool opened = false;
            const auto escapeOnceOpen = [&opened, &escape] {
                QCoreApplication::processEvents();
                opened = QApplication::activePopupWidget() != nullptr;
                if (opened)
                    escape();
            };
            if (list) {
                list->showPopup();
                escapeOnceOpen();
            } else {
                QTimer::singleShot(0, control, escapeOnceOpen);
                popUp->showMenu();
            }
            QCoreApplication::processEvents();
            EXPECT_TRUE(opened) << where << " opens no list";
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << where << " left open";
            const bool ended = ui().modalRunEnded(window) || !window->isVisible();
            EXPECT_FALSE(ended) << where << ": Escape in its list ended the window";
            if (ended)
                return;
            EXPECT_EQ(setIn(window), set) << where;
            // The headless platform hands the keyboard to a pop-up as to a window, and not always back
            // to Qt as it closes; a display leaves it with the window all along.
            if (QApplication::activeWindow() != window)
                QApplication::setActiveWindow(window);
        }
    }

    // Every window this test opened and still open now, as the program lists them; with keys, the
    // keyboard in each.
    void checkOpenWindows(bool keys = false)
    {
        for (QObject* object : registeredWindowControllers()) {
            if (before.contains(object))
                continue;
            auto* controller = qobject_cast<StdWindowController*>(object);
            StdWindow* window = controller ? controller->windowIfLoaded() : nullptr;
            if (window && window->isVisible() && keys)
                checkKeys(window, controller->metaObject()->className());
            else if (window && window->isVisible())
                check(window, controller->metaObject()->className());
        }
    }

    std::unique_ptr<ApplicationDelegate> delegate;
    std::unique_ptr<MainMenu> menu;
    std::set<std::string> seen;
    QList<QPointer<QObject>> before; // windows other tests left open
    QString url; // the document's package
};

// Names the events the program's objects receive: one that comes back in most rounds of the event
// loop with nobody touching anything is one the program keeps causing itself.
class EventNames : public QObject {
public:
    std::set<QString> seen;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        seen.insert(QStringLiteral("event %1 to %2 \"%3\"")
                        .arg(int(event->type()))
                        .arg(QLatin1String(receiver->metaObject()->className()), receiver->objectName()));
        return false;
    }
};

void expectRest(const char* what)
{
    constexpr int kRounds = 40;
    EventNames names;
    std::map<QString, int> roundsSeen;
    for (int round = -10; round < kRounds; ++round) { // ten rounds to settle first
        if (round == 0)
            QCoreApplication::instance()->installEventFilter(&names);
        names.seen.clear();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        for (const QString& event : names.seen)
            ++roundsSeen[event];
    }
    QCoreApplication::instance()->removeEventFilter(&names);
    for (const auto& [event, count] : roundsSeen)
        EXPECT_LE(2 * count, kRounds) << what << " at rest keep receiving " << event.toStdString();
}

const char* const kWindowCommands[] = {
    "BANQUES:", "DEVISES:",    "TAXES:",      "DOSSIERS:",   "MACROS:",       "LOGOS:",   "FAVORIS:",
    "TITRES:",  "REMUNERES:",  "EMPRUNTS:",   "SIMULATION:", "ECHEANCIERS:",  "ANALYSE:", "BUDGET:",
    "BILAN:",   "CALCULETTE:", "CALENDRIER:", "ABOUT:",      "ABOUT_REGLES:", "LETTRES:",
};

const char* const kDialogCommands[] = {"PREFERENCES:", "RECHERCHE:", "NOUVELLE_OPERATION:", "PASSWORD:", "GRAPHIQUE:"};

} // namespace

TEST_F(EveryWindowTest, EveryWindowOpensOnASmallScreenInReachAndInFrench)
{
    checkOpenWindows(); // the document browser
    openDocument();
    checkOpenWindows(); // the tool palette and the standard windows
    for (const char* command : kWindowCommands) {
        choose(command);
        checkOpenWindows();
    }
    for (const char* command : kDialogCommands)
        choose(command);
    // A currency's editor over their list, and an account's cheque books and cards, two of each.
    editDeviseDialog(findOpenWindowController<FenDeviseController>(-1, -1, -1, -1, -1, -1, -1, -1), 4);
    for (MOYEN& moyen : delegate->document()->moyenHdl)
        moyen.variantes += moyen.variantes;
    editVariantesOfCompte(nullptr, 1001, true, *delegate->document());

    // An account's window with its entry palette, from the accounts menu.
    QWidget host;
    QMenuBar* bar = menu->buildMenuBar(&host);
    auto* comptes = bar->findChild<QMenu*>(QStringLiteral("MENU_COMPTES"));
    ASSERT_NE(comptes, nullptr);
    emit comptes->aboutToShow();
    ASSERT_FALSE(comptes->actions().isEmpty());
    comptes->actions().first()->menu()->actions().first()->trigger();
    QCoreApplication::processEvents();
    ui().flush();
    checkOpenWindows();
    // Looked at as it opens: once the headless platform has framed the palette, it stands 2 pixels
    // further right. The statement, as wide as the small screen, leaves no room beside it: the
    // palette takes its place at the screen's left edge, its top one point above the statement's.
    auto* releve = findOpenWindowController<FenReleveController>(-1, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_TRUE(releve && releve->palette());
    EXPECT_EQ(releve->palette()->window()->geometry().topLeft(),
              QPoint(kSmallScreen.left() + kFrame.left(), releve->window()->geometry().top() - 1));
    // The editors the windows open to create what they list.
    for (QObject* object : registeredWindowControllers()) {
        auto* controller = qobject_cast<StdWindowController*>(object);
        if (!controller || before.contains(object))
            continue;
        if (auto* lists = qobject_cast<StdWindowWithTableController*>(controller); lists && lists->table1())
            lists->table1()->GO(0); // a bank for its new account, a folder for its new category
        for (const char* action : {"NOUVEAU", "CREER", "CREER_REEL", "CREER_PREV", "CREER_RELEVE", "CREER_DOSSIER",
                                   "CREER_POSTE", "CREERC", "EDIT_CONFIGURATION"}) {
            const QByteArray method = QByteArray(action) + "(QObject*)";
            if (controller->metaObject()->indexOfMethod(method.constData()) >= 0)
                controller->perform(QString::fromLatin1(action) + u':');
        }
    }
    // The tab import editor, and the review of imported records over the account's window.
    auto* account = findOpenWindowController<FenReleveController>(-1, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_NE(account, nullptr);
    const long compte = account->getArg().debitID;
    FenEditImportTABController* tab
        = openImportTABWindow({{QStringLiteral("Date"), QStringLiteral("Libellé"), QStringLiteral("Montant")},
                               {QStringLiteral("05/03/2023"), QStringLiteral("Boulangerie"), QStringLiteral("-12,50")}},
                              1, compte, 0, {});
    ASSERT_NE(tab, nullptr);
    checkOpenWindows();
    checkKeys(tab->window(), "FenEditImportTABController");
    tab->close();
    ImportRecords records(2);
    for (ImportRecord& record : records)
        record.fields = {{ImportRubrique::DateJMA, QStringLiteral("05/03/2023")},
                         {ImportRubrique::Info, QStringLiteral("Boulangerie")}};
    openImportReviewWindow(account, records, kImportFormatQIF, compte, 0);

    // A schedule's editor, over the schedules window.
    ECHEANCIER loyer(delegate->document());
    loyer.nom = QStringLiteral("Loyer");
    editEcheancier(FenEcheancierController::current(), *delegate->document(), loyer);
    FenEcheancierController::current()->CREER_PREVISION(-1);
    checkOpenWindows(true); // as they were opened, no key typed since

    for (const char* expected :
         {"FenEditImportTABController", "FenEditImportController", "FenReleveController", "FenEditSaisieController",
          "FenPreferencesController", "FenRechercheController", "FenPaletteToolController", "FenAnalyseController",
          "FenCalculetteController", "FenEditEcheancierController", "FenEditDeviseController", "FenVarianteController",
          "FenEditPrevisionController", "FenEditGraphiqueController", "FenEditConfigurationController"})
        EXPECT_EQ(seen.count(expected), 1U) << expected << " was not looked at";
}

// On a laptop's screen every window fits with its buttons in sight, no content scrolling, and the
// list windows open tall enough for their rows as far as the screen allows.
TEST_F(EveryWindowTest, OnALaptopScreenEveryWindowShowsItsButtonsAndItsRows)
{
    ui().screenInfo().frame = QRect(0, 0, 1366, 768);
    const auto fitsWhole = [this](const QWidget* window, const char* name) {
        check(window, name);
        EXPECT_EQ(window->findChild<QScrollArea*>(QLatin1String(StdWindowPlacement::kScrollName)), nullptr)
            << name << " scrolls its controls at " << describe(window->geometry());
    };
    ui().onModal(QStringLiteral("*"), [&fitsWhole](const ModalRequest& request) {
        fitsWhole(request.window, request.controller ? request.controller->metaObject()->className() : "dialog");
        UiHost::instance().modal().endModal(request.window, 0);
    });
    openDocument();
    for (const char* command : {"BANQUES:", "FAVORIS:", "BILAN:", "ANALYSE:", "BUDGET:", "ECHEANCIERS:", "RECHERCHE:"})
        choose(command);
    DOCUMENT& doc = *delegate->document();
    openReleveWindow(doc.compteHdl.first().ident, true, 0, doc);
    ui().flush();
    for (QObject* object : registeredWindowControllers()) {
        auto* controller = qobject_cast<StdWindowWithTableController*>(object);
        StdWindow* window = controller && !before.contains(object) ? controller->windowIfLoaded() : nullptr;
        if (!window || !window->isVisible())
            continue;
        const char* name = controller->metaObject()->className();
        fitsWhole(window, name);
        // The analyses, the balance sheet, the schedules and the banks: every row of each list in
        // sight, or the window as tall as the screen lets it be below its top.
        static const std::set<std::string> listWindows {"FenAnalyseController", "FenBudgetController",
                                                        "FenBilanController", "FenEcheancierController",
                                                        "FenBanqueController"};
        if (listWindows.count(name) == 0)
            continue;
        const bool tallest = window->geometry().marginsAdded(kFrame).bottom() >= areaFor(window).bottom() - 1;
        for (const StdTableView* table : {controller->table1(), controller->table2()}) {
            if (table && !tallest) {
                EXPECT_GE(table->contentsRect().height(), table->verticalHeader()->length())
                    << name << ", " << table->numberOfRows() << " rows at " << describe(window->geometry());
            }
        }
    }
}

// A program at rest takes no processor: with a document's windows open, the keeper of their frames
// included, no event keeps coming back, in the windows nor in a modal entry window.
TEST_F(EveryWindowTest, AtRestNoWindowKeepsAskingForWhatItJustHad)
{
    ui().screenInfo().frame = QRect(0, 0, 1366, 768);
    openDocument();
    for (const char* command :
         {"BANQUES:", "FAVORIS:", "BILAN:", "ANALYSE:", "BUDGET:", "ECHEANCIERS:", "GRAPHIQUE:", "CALCULETTE:"})
        choose(command);
    DOCUMENT& doc = *delegate->document();
    const long compte = doc.compteHdl.first().ident;
    ASSERT_NE(openReleveWindow(compte, true, 0, doc), nullptr);
    ASSERT_NE(openCompteTransList(compte, doc, true), nullptr);
    ui().flush();
    int kept = 0;
    for (QObject* object : registeredWindowControllers()) {
        auto* controller = qobject_cast<StdWindowController*>(object);
        StdWindow* window = controller && !before.contains(object) ? controller->windowIfLoaded() : nullptr;
        kept += window && window->isVisible() && StdFrameKeeper::isKept(window) ? 1 : 0;
    }
    EXPECT_GE(kept, 9) << "the windows whose frames are kept";
    expectRest("the document's windows");

    bool entered = false;
    ui().onModal<FenEditSaisieController>([&entered](FenEditSaisieController& entry) {
        entered = true;
        entry.window()->show();
        expectRest("the entry window");
        EXPECT_TRUE(StdFrameKeeper::isKept(entry.window()));
        UiHost::instance().modal().endModal(entry.window(), 0);
    });
    choose("NOUVELLE_OPERATION:");
    EXPECT_TRUE(entered);
}

// "Nouvelle échéance…" from the schedules window: the name the user types as the editor opens
// replaces the one proposed, and the saved document holds that name alone.
TEST_F(EveryWindowTest, ANewScheduleIsNamedByTheKeysTypedAsItsEditorOpens)
{
    openDocument();
    choose("ECHEANCIERS:");
    FenEcheancierController* schedules = FenEcheancierController::current();
    ASSERT_NE(schedules, nullptr);
    auto* creer = schedules->outlet<PopChrono>(QStringLiteral("pop_chrono"));
    ASSERT_NE(creer, nullptr);
    QString proposed;
    ui().onModal<FenEditEcheancierController>([&proposed](FenEditEcheancierController& editor) {
        WindowDriver driver(editor);
        proposed = driver.text(QStringLiteral("field_nom"));
        if (driver.takeKeyboard())
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("qzx"));
        driver.click(QStringLiteral("MODIFIER:")); // the amount, which a schedule needs
        driver.click(QStringLiteral("OUI:"));
    });
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& entry) {
        WindowDriver(entry).type(QStringLiteral("field_montant"), QStringLiteral("45"));
        entry.perform(QStringLiteral("OUI:"));
    });
    creer->rebuild();
    ASSERT_TRUE(creer->activateTag(0));
    EXPECT_FALSE(proposed.isEmpty());
    choose("ENREGISTRER_DOCUMENT:");
    QFile chrono(url + QStringLiteral("/Contents/Resources/chrono.xml"));
    ASSERT_TRUE(chrono.open(QIODevice::ReadOnly));
    const QByteArray stored = chrono.readAll();
    EXPECT_TRUE(stored.contains("<nom>qzx</nom>")) << stored.toStdString();
    EXPECT_FALSE(stored.contains(proposed.toUtf8())) << proposed.toStdString();
}
