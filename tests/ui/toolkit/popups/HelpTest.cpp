// Help pop-overs: the panel's size from its text or its own size, the title and text shown at
// each opening (and their look), the investment help's items enabled by the entry's kind.
#include "toolkit/popups/PopHelp.h"
#include "toolkit/popups/PopHelpLegende.h"
#include "toolkit/popups/PopPlacementHelp.h"
#include "toolkit/popups/ViewHelpController.h"

#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"
#include "foundation/localized.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextEdit>
#include <QWidgetAction>

#include <algorithm>

namespace {

// A window with a help button and the investment help, which asks the window for the kind of
// investment entry.
class DemoEntryWindow : public StdWindowController, public PlacementCategorieSource {
    Q_OBJECT
public:
    int categorie = 0;
    QList<qint64> computed;

    PopHelp* help() const { return outlet<PopHelp>("pop_help"); }
    PopPlacementHelp* placementHelp() const { return outlet<PopPlacementHelp>("pop_help_placement"); }

    int getPlacementCategorie() override { return categorie; }
    Q_INVOKABLE void DEAL_HELP_PLAC(QObject* sender) { computed.append(StdMenu::tagOf(sender)); }

protected:
    void buildInterface(StdWindow& window) override
    {
        window.setWindowTitle("Échéancier");
        auto* title = new QLabel("Échéances du document", &window);
        auto* help = new PopHelp(&window);
        help->setObjectName("pop_help");
        auto* placement = new PopPlacementHelp(&window);
        placement->setObjectName("pop_help_placement");
        auto* layout = new QHBoxLayout(&window);
        layout->setContentsMargins(16, 12, 16, 12);
        layout->addWidget(title);
        layout->addStretch();
        layout->addWidget(placement);
        layout->addWidget(help);
        window.resize(520, 50);
    }
};

QWidget* helpPanel(const PopHelp& help)
{
    const auto items = help.stdMenu()->actions();
    if (items.size() != 2)
        return nullptr;
    auto* item = qobject_cast<QWidgetAction*>(items.at(1));
    return item ? item->defaultWidget() : nullptr;
}

class HelpTest : public UiTestFixture {
protected:
    HelpTest()
    {
        APPLIPARAM::loadAppliParam().doAnimations = false;
        controller = StdWindowController::push<DemoEntryWindow>(makeWindowData({}), 0, true);
    }
    ~HelpTest() override { controller->close(); }

    DemoEntryWindow* controller;
};

TEST(ViewHelpSize, FollowsTheTextUnlessTheButtonGivesOne)
{
    EXPECT_EQ(ViewHelpController::viewSize(QSizeF(0, 0), QString()), QSizeF(450, 90));
    EXPECT_EQ(ViewHelpController::viewSize(QSizeF(0, 0), QString(300, u'a')), QSizeF(450, 190));
    EXPECT_EQ(ViewHelpController::viewSize(QSizeF(320, 140), QString(300, u'a')), QSizeF(320, 140));
    // A width of its own with no height still shows the text rather than an empty strip.
    EXPECT_EQ(ViewHelpController::viewSize(QSizeF(300, 0), QString(30, u'a')), QSizeF(300, 100));
}

TEST_F(HelpTest, OpeningShowsTheTitleAndTextSetAtThatMoment)
{
    PopHelp* help = controller->help();
    help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_ECHEANCIER")));
    help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_ECHEANCIER")));
    ASSERT_NE(help->getStringTitle(), "HELP_TITLE_ECHEANCIER"); // the table has the text

    help->stdMenu()->popup(help->mapToGlobal(QPoint(0, help->height())));
    QWidget* panel = helpPanel(*help);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->findChild<QLabel*>("field_titre")->text(), help->getStringTitle());
    EXPECT_EQ(panel->findChild<QTextEdit*>("field_texte")->toPlainText(), help->getStringContent());
    EXPECT_EQ(panel->size(), QSize(450, 90 + int(help->getStringContent().size()) / 3));
    EXPECT_TRUE(StdMenu::actionOf(help->stdMenu()->actions().at(1)).isEmpty());
    // The open help, for a person to look at.
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(help->stdMenu()->grab().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/help-open.png")));
    help->stdMenu()->hide();

    help->setStringContent("Autre texte");
    help->setUseSize(QSizeF(300, 120));
    help->rebuild();
    panel = helpPanel(*help);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->findChild<QTextEdit*>("field_texte")->toPlainText(), "Autre texte");
    EXPECT_EQ(panel->size(), QSize(300, 120));
}

TEST_F(HelpTest, InvestmentHelpEnablesTheItemsOfTheEntrysKind)
{
    PopPlacementHelp* placement = controller->placementHelp();
    auto enabledTags = [&] {
        QStringList out;
        const auto items = placement->stdMenu()->actions();
        for (qsizetype i = 1; i < items.size(); ++i)
            if (items[i]->isEnabled())
                out.append(QStringLiteral("%1:%2").arg(i).arg(StdMenu::tagOf(items[i])));
        return out.join(u' ').toStdString();
    };

    placement->rebuild();
    ASSERT_EQ(placement->stdMenu()->actions().size(), 15);
    EXPECT_EQ(enabledTags(), "");
    EXPECT_EQ(placement->stdMenu()->actions().at(1)->text(), localizedAppl(QStringLiteral("POPUP_PLACEMENT1")));
    EXPECT_NE(placement->stdMenu()->actions().at(14)->text(), "POPUP_PLACEMENT14");

    controller->categorie = 5;
    placement->rebuild();
    EXPECT_EQ(enabledTags(), "9:1");
    controller->categorie = 7;
    placement->rebuild();
    EXPECT_EQ(enabledTags(), "11:1 12:2");
    EXPECT_TRUE(placement->activateTag(2));
    EXPECT_FALSE(placement->activateTag(3));
    EXPECT_EQ(controller->computed, (QList<qint64> {2}));

    // Without a delegate there is nothing to offer; a delegate that can't tell the kind gets
    // every item disabled.
    PopPlacementHelp alone;
    alone.rebuild();
    EXPECT_EQ(alone.stdMenu()->actions().size(), 1);
    QObject mute;
    alone.stdMenu()->setDelegate(&mute);
    alone.rebuild();
    const auto items = alone.stdMenu()->actions();
    ASSERT_EQ(items.size(), 15);
    EXPECT_TRUE(std::none_of(items.begin() + 1, items.end(), [](QAction* a) { return a->isEnabled(); }));
}

TEST_F(HelpTest, LegendShowsTheUsersColourRampsAtEachOpening)
{
    PopHelpLegende legend;
    APPLIPARAM::loadAppliParam().colorisatorAnalyseDepense.setFirstColor({1, 0, 0, 1});
    legend.rebuild();
    const auto items = legend.stdMenu()->actions();
    ASSERT_EQ(items.size(), 2);
    auto* item = qobject_cast<QWidgetAction*>(items.at(1));
    ASSERT_NE(item, nullptr);
    QWidget* panel = item->defaultWidget();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->objectName(), "ViewHelpLegende");
    EXPECT_EQ(panel->findChild<QLabel*>("field_titre")->text(), localizedHelp("HELP_TITLE_LEGENDE"));
    for (const char* key :
         {"kMisc_AnalyseTitre", "kMisc_AnalyseDepenses", "kMisc_AnalyseRecettes", "kMisc_AnalyseSolde"})
        EXPECT_EQ(panel->findChild<QLabel*>(key)->text(), localizedMisc(key));
    // The expense ramp starts with the colour the user gave it.
    const QImage shot = panel->grab().toImage();
    const QLabel* depenses = panel->findChild<QLabel*>("kMisc_AnalyseDepenses");
    const QPoint rampStart(panel->layout()->contentsMargins().left() + 3, depenses->geometry().center().y());
    const QColor start = shot.pixelColor(rampStart * shot.devicePixelRatio());
    EXPECT_GT(start.red(), 240);
    EXPECT_LT(start.green(), 40);
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(panel->grab().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/help-legend.png")));
}

} // namespace

#include "HelpTest.moc"
