// The pop-up base, driven in a small window: the menu rebuilt from the document at each opening
// behind its kept first item, the mark put back by tag (in submenus too), items sending their
// action to the window controller, and the look of an open menu.
#include "toolkit/popups/StdPopUp.h"

#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include <vector>

namespace {

struct DemoFolder {
    qint64 ident;
    QString name;
    QColor color;
};

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// Lists the folders of its "document": a "none" item when the first item may be marked, one
// item per folder, then a submenu of archived folders (one of them disabled).
class DemoPopDossier : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;
    const std::vector<DemoFolder>* folders = nullptr;
    int willUpdateCount = 0;

    void WILL_UPDATE() override { ++willUpdateCount; }
    void FILL_MENU() override
    {
        StdMenu* menu = stdMenu();
        if (getCanSelectFirstItem())
            addItemToMenu(menu, "Aucun dossier", "DOSSIER:", QString(), true, -1);
        for (const DemoFolder& folder : *folders)
            addItemToMenuWithImage(menu, folder.name, "DOSSIER:", swatch(folder.color), true, folder.ident);
        menu->addSeparator();
        auto* archived = new StdMenu("Archivés", menu);
        menu->addMenu(archived);
        addItemToMenuWithImage(archived, "Ancienne maison", "DOSSIER:", swatch(Qt::gray), true, 90);
        addItemToMenuWithImage(archived, "Clôturé", "DOSSIER:", swatch(Qt::gray), false, 91);
    }
};

class DemoFolderWindow : public StdWindowController {
    Q_OBJECT
public:
    std::vector<DemoFolder> folders {{2, "Maison", QColor(70, 130, 180)},
                                     {3, "Voiture", QColor(220, 120, 40)},
                                     {5, "Loisirs", QColor(90, 160, 90)}};
    QList<qint64> chosen;

    DemoPopDossier* pop() const { return outlet<DemoPopDossier>("pop_dossier"); }

    Q_INVOKABLE void DOSSIER(QObject* sender)
    {
        chosen.append(StdMenu::tagOf(sender));
        pop()->setSelectedTag(StdMenu::tagOf(sender));
    }

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* pop = new DemoPopDossier(&window);
        pop->setObjectName("pop_dossier");
        pop->folders = &folders;
        pop->setTitle("Choisir un dossier");
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(new QLabel("Dossier :", &window));
        layout->addWidget(pop);
        layout->addStretch();
        window.resize(360, 60);
    }
};

// A table cell's menu sends its items here.
class DemoCell : public QObject {
    Q_OBJECT
public:
    QList<qint64> got;
    Q_INVOKABLE void POINTER(QObject* sender) { got.append(StdMenu::tagOf(sender)); }
};

// The plain items (no separator, no submenu) after the first, as "tag:checked".
std::string marks(const QMenu* menu)
{
    QStringList out;
    const auto items = menu->actions();
    for (qsizetype i = 1; i < items.size(); ++i) {
        if (!items[i]->isSeparator() && !items[i]->menu())
            out.append(QStringLiteral("%1:%2").arg(StdMenu::tagOf(items[i])).arg(items[i]->isChecked() ? 1 : 0));
    }
    return out.join(u' ').toStdString();
}

QMenu* submenuOf(const QMenu* menu)
{
    for (QAction* item : menu->actions())
        if (item->menu())
            return item->menu();
    return nullptr;
}

class PopUpTest : public UiTestFixture {
protected:
    PopUpTest()
    {
        APPLIPARAM::loadAppliParam().doAnimations = false;
        controller = StdWindowController::push<DemoFolderWindow>(makeWindowData({}), 0, true);
        pop = controller->pop();
    }
    ~PopUpTest() override { controller->close(); }

    DemoFolderWindow* controller;
    DemoPopDossier* pop;
};

TEST_F(PopUpTest, OpeningRebuildsFromTheDocumentBehindTheKeptFirstItem)
{
    QAction* first = pop->firstItem();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(pop->text(), "Choisir un dossier"); // the face shows the first item
    EXPECT_EQ(pop->stdMenu()->popup(), pop);
    EXPECT_EQ(pop->stdMenu()->delegate(), controller);

    pop->rebuild();
    pop->rebuild();
    EXPECT_EQ(pop->willUpdateCount, 2);
    EXPECT_EQ(pop->stdMenu()->actions().first(), first);
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:0 5:0");
    EXPECT_EQ(pop->stdMenu()->findChildren<QMenu*>().size(), 1); // the earlier rebuild's submenu is gone

    // Opening the menu, as the user does, lists what the document holds now.
    controller->folders.push_back({8, "Santé", QColor(200, 60, 90)});
    pop->stdMenu()->popup(pop->mapToGlobal(QPoint(0, pop->height())));
    EXPECT_EQ(pop->willUpdateCount, 3);
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:0 5:0 8:0");
    pop->stdMenu()->hide();

    // A menu holding only its first item stays as it is.
    StdPopUp bare;
    bare.CLEAR_MENU();
    ASSERT_EQ(bare.stdMenu()->actions().size(), 1);
    EXPECT_FALSE(bare.stdMenu()->actions().first()->isVisible());
}

TEST_F(PopUpTest, RebuildMarksTheTagToSelectAndMinusOneIsNone)
{
    pop->setSelectedTag(3);
    pop->rebuild();
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:1 5:0");

    pop->setSelectedTag(-1);
    pop->rebuild();
    EXPECT_EQ(marks(pop->stdMenu()), "-1:1 2:0 3:0 5:0");

    // A tag inside the submenu marks its item and the submenu's own item.
    pop->setSelectedTag(90);
    pop->rebuild();
    QMenu* archived = submenuOf(pop->stdMenu());
    ASSERT_NE(archived, nullptr);
    EXPECT_TRUE(archived->menuAction()->isChecked());
    EXPECT_EQ(marks(archived), "91:0"); // marks() skips index 0, "Ancienne maison"
    EXPECT_TRUE(archived->actions().first()->isChecked());
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:0 5:0");

    // -2 is no tag: nothing is marked; several marks at once put nothing back by themselves.
    pop->setSelectedTag(StdPopUp::kNoTag);
    pop->rebuild();
    EXPECT_FALSE(submenuOf(pop->stdMenu())->menuAction()->isChecked());
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:0 5:0");
    pop->setSelectedTag(2);
    pop->setCanSelectMulti(true);
    pop->rebuild();
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:0 5:0");
    pop->setCanSelectMulti(false);
    pop->setCanAutoSelect(false);
    pop->rebuild();
    EXPECT_EQ(marks(pop->stdMenu()), "-1:0 2:0 3:0 5:0");
}

TEST_F(PopUpTest, TheFirstItemOfAMenuAndSubmenuAnswersFollowTheirRules)
{
    pop->setCanSelectFirstItem(false); // also drops the "none" item
    pop->rebuild();
    QMenu* archived = submenuOf(pop->stdMenu());
    ASSERT_NE(archived, nullptr);
    EXPECT_FALSE(pop->SELECT_ITEM_WITH_TAG(0)); // only the hidden first item has tag 0
    EXPECT_FALSE(pop->firstItem()->isChecked());
    EXPECT_FALSE(pop->SELECT_ITEM_WITH_TAG(90)); // first item of its submenu
    EXPECT_FALSE(archived->menuAction()->isChecked());
    EXPECT_TRUE(pop->SELECT_ITEM_WITH_TAG(91));
    EXPECT_TRUE(archived->menuAction()->isChecked());
    pop->setCanSelectFirstItem(true);
    pop->SELECT_ITEM_WITH_TAG(0); // answers for the submenu, which comes last
    EXPECT_TRUE(pop->firstItem()->isChecked());

    // The answer is that of the last deciding item: a tag found in an earlier submenu and then
    // missing from a later one is marked, parent too, yet answers false.
    StdPopUp two;
    auto* early = new StdMenu("A", two.stdMenu());
    auto* late = new StdMenu("B", two.stdMenu());
    two.stdMenu()->addMenu(early);
    two.stdMenu()->addMenu(late);
    two.addItemToMenu(early, "x", QString(), QString(), true, 10);
    two.addItemToMenu(early, "y", QString(), QString(), true, 7);
    two.addItemToMenu(late, "z", QString(), QString(), true, 11);
    EXPECT_FALSE(two.SELECT_ITEM_WITH_TAG(7));
    EXPECT_TRUE(early->actions().at(1)->isChecked());
    EXPECT_TRUE(early->menuAction()->isChecked());
    EXPECT_FALSE(late->menuAction()->isChecked());
    // A plain item of the tag after a submenu that holds it too: both marked, true.
    two.addItemToMenu(two.stdMenu(), "w", QString(), QString(), true, 11);
    EXPECT_TRUE(two.SELECT_ITEM_WITH_TAG(11));
    EXPECT_TRUE(late->actions().first()->isChecked());
    EXPECT_TRUE(two.stdMenu()->actions().last()->isChecked());
    EXPECT_FALSE(early->menuAction()->isChecked()); // unmarked first
}

TEST_F(PopUpTest, ChoosingAnItemRunsTheControllersActionWithTheItem)
{
    pop->setSelectedTag(2);
    pop->rebuild();
    EXPECT_TRUE(pop->activateTag(5));
    EXPECT_TRUE(pop->activateTag(-1));
    EXPECT_TRUE(pop->activateTag(90)); // inside the submenu
    EXPECT_FALSE(pop->activateTag(91)); // disabled
    EXPECT_FALSE(pop->activateTag(42));
    EXPECT_EQ(controller->chosen, (QList<qint64> {5, -1, 90}));
    // The action told the pop-up the new choice; the next opening marks it.
    pop->rebuild();
    EXPECT_TRUE(submenuOf(pop->stdMenu())->menuAction()->isChecked());

    // Clicking by the action's name reaches the controller the same way, once.
    controller->chosen.clear();
    WindowDriver(*controller).click("DOSSIER:");
    EXPECT_EQ(controller->chosen, (QList<qint64> {-1}));

    // A menu shown by itself sends its items to the target given, with their context.
    StdMenu cellMenu;
    DemoCell target;
    QAction* item
        = StdPopUp::addItemToMenu(&cellMenu, "Pointer", "POINTER:", &target, QVariant(17), QString(), true, true, 4);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(StdMenu::representedObject(item).toInt(), 17);
    item->trigger();
    EXPECT_EQ(target.got, (QList<qint64> {4}));
    EXPECT_EQ(cellMenu.delegate(), nullptr);
}

TEST_F(PopUpTest, OpenMenuLooksRight)
{
    pop->setSelectedTag(3);
    StdWindow* window = controller->window();
    window->show();
    StdMenu* menu = pop->stdMenu();
    menu->popup(pop->mapToGlobal(QPoint(0, pop->height())));
    // An unfit item draws its title in red.
    QAction* loisirs = menu->actions().at(4);
    ASSERT_EQ(StdMenu::tagOf(loisirs), 5);
    StdMenu::setTitleColor(loisirs, QColor::fromRgbF(0.6f, 0, 0));
    menu->update();

    const QImage menuImage = menu->grab().toImage();
    const QRect row = menu->actionGeometry(loisirs);
    int reddish = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left() + row.width() / 4; x <= row.right(); ++x) {
            const QColor c = menuImage.pixelColor(x, y);
            reddish += c.red() > 100 && c.green() < 50 && c.blue() < 50;
        }
    EXPECT_GT(reddish, 10);
    EXPECT_GE(menu->actionGeometry(menu->actions().at(2)).height(), StdMenu::kItemImageSize);

    // The window with its menu open, for a person to look at.
    const QImage windowImage = window->grab().toImage();
    const QPoint offset = window->mapFromGlobal(menu->pos());
    const QRect all = QRect(QPoint(0, 0), windowImage.size()).united(QRect(offset, menuImage.size()));
    QImage canvas(all.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(QColor(236, 236, 236));
    QPainter painter(&canvas);
    painter.drawImage(-all.topLeft(), windowImage);
    painter.drawImage(offset - all.topLeft(), menuImage);
    painter.end();
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(canvas.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/popup-open.png")));
    menu->hide();
}

} // namespace

#include "PopUpTest.moc"
