// The security editor's online side in a window standing for the editor: tickers searched,
// chosen or typed, quotes and histories from a scripted service, late answers to a closed editor,
// and the history graph's geometry and look.
#include "investments/TitreQuotePanel.h"
#include "investments/PopTicker.h"
#include "investments/ViewHistory.h"
#include "investments/ViewTicker.h"

#include "app/FenPreferencesController.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdWindowController.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCUMENT.h"
#include "model/FINANCE.h"
#include "quotes/PortfolioManager.h"
#include "quotes/WebQuoteService.h"
#include "support/FakeQuoteService.h"
#include "support/QuoteHttpServer.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

double ymd(long year, long month, long day)
{
    double date = 0;
    dmyToDate(day, month, year, &date);
    return date;
}

QJsonObject historyJson(const QJsonArray& quotes)
{
    return QJsonObject {{"query", QJsonObject {{"results", QJsonObject {{"quote", quotes}}}}}};
}

QJsonObject day(const char* date, const QJsonValue& close)
{
    return QJsonObject {{"Date", QString::fromLatin1(date)}, {"Close", close}};
}

// What the security editor gives its online side: the copy it edits and its FILL.
class EditorStandIn : public StdWindowController {
    Q_OBJECT
public:
    FINANCE titre;
    int fills = 0;
    DOCUMENT* doc = nullptr;
    TitreQuotePanel* panel = nullptr;

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* layout = new QVBoxLayout(&window);
        TitreQuoteHooks hooks;
        hooks.titre = [this] { return &titre; };
        hooks.read = [] { return true; };
        hooks.fill = [this] { ++fills; };
        panel = addTitreQuotePanel(*this, doc, hooks, &window);
        layout->addWidget(panel);
        window.resize(520, 260);
    }
};

class TitreQuotePanelTest : public UiTestFixture {
protected:
    DOCUMENT doc {QString(), kFileSystemLocal};
    FakeQuoteService service;
    QPointer<EditorStandIn> editor = new EditorStandIn;

    TitreQuotePanelTest()
    {
        SystemClock::setNowForTesting(ymd(2024, 6, 14));
        doc.deviseHdl = Devise::defaultDevises(); // slot 0 in "EUR"
        APPLIPARAM::loadAppliParam().doSoundsAlert = true;
        editor->doc = &doc;
        editor->titre.nom = QStringLiteral("Acme");
        WindowDriver driver(*editor);
        Q_UNUSED(driver);
    }
    ~TitreQuotePanelTest() override
    {
        delete editor;
        SystemClock::setNowForTesting(std::nullopt);
    }
    TitreQuotePanel& panel() { return *editor->panel; }
    FINANCE& titre() { return editor->titre; }
    void search(const QString& text)
    {
        panel().field_search()->setText(text);
        panel().pop_ticker()->rebuild();
    }
    QList<QWidgetAction*> tickerRows()
    {
        QList<QWidgetAction*> rows;
        for (QAction* item : panel().pop_ticker()->stdMenu()->actions()) {
            if (auto* row = qobject_cast<QWidgetAction*>(item))
                rows << row;
        }
        return rows;
    }
    void chooseRow(int row)
    {
        const QList<QWidgetAction*> items = tickerRows();
        ASSERT_GT(items.size(), row);
        auto* view = qobject_cast<ViewTicker*>(items[row]->defaultWidget());
        ASSERT_NE(view, nullptr);
        view->controller()->choose();
    }
    void settle() { QTest::qWait(30); }
    // The answers come back through the event loop; a loaded machine may take longer than a
    // settle to deliver both, so wait for what the test is about rather than for a time.
    template <class Done> static bool settleUntil(Done done) { return QTest::qWaitFor(done, 10000); }
    int alertSounds() const
    {
        return int(const_cast<TitreQuotePanelTest*>(this)->ui().sounds().playedNames().count(QStringLiteral("Alert")));
    }
};

} // namespace

TEST(ViewHistoryGeometry, PointsTicksAndBounds)
{
    const HistoryPoints none;
    HistoryGeometry g = HistoryGeometry::compute(none, 400, 150, 1);
    EXPECT_EQ(g.plotWidth, 321);
    EXPECT_EQ(g.plotHeight, 111);
    EXPECT_TRUE(g.points.isEmpty());
    EXPECT_EQ(g.cMin + g.cMax, 0);

    g = HistoryGeometry::compute({{ymd(2024, 1, 2), 12.5}}, 400, 150, 1);
    ASSERT_EQ(g.points.size(), 1);
    EXPECT_EQ(g.points[0], QPointF(40, 28));
    EXPECT_TRUE(g.labelled[0]);

    g = HistoryGeometry::compute({{1, 7}, {2, 7}, {3, 7}}, 400, 150, 1);
    for (const QPointF& p : g.points)
        EXPECT_EQ(p.y(), 28);

    const struct {
        int n;
        long nbMonth;
        QList<int> labelled;
    } cases[] = {{11, 1, {0, 5, 10}}, {12, 1, {1, 6, 11}}, {12, 2, {1, 11}}, {4, 1, {3}}};
    for (const auto& c : cases) {
        HistoryPoints points;
        for (int i = 0; i < c.n; ++i)
            points.append({double(i + 1), double(10 + i)});
        g = HistoryGeometry::compute(points, 400, 150, c.nbMonth);
        QList<int> labelled;
        for (int i = 0; i < c.n; ++i) {
            if (g.labelled[i])
                labelled << i;
        }
        EXPECT_EQ(labelled, c.labelled) << c.n << " " << c.nbMonth;
        ASSERT_EQ(g.points.size(), c.n);
        EXPECT_EQ(g.points.first().y(), 14 + g.plotHeight); // the lowest at the bottom
        EXPECT_EQ(g.points.last().y(), 14); // the highest at the top
        EXPECT_EQ(g.points.last().x(), 40 + g.plotWidth);
    }
}

// Days without a date or a price are left out, not drawn as zeros that would pull the scale.
TEST(ViewHistoryGeometry, AnswersAreReadSortedWithoutBrokenDays)
{
    const QJsonArray quotes {day("2024-06-12", "101.5"),      day("2024-06-10", 99.0),
                             day("2024-06-11", QJsonValue()), day("", 55),
                             day("2024-6-13", "N/A"),         day("2024-06-14", 0.0)};
    const HistoryPoints points = historyPointsFromQuotes(quotes);
    ASSERT_EQ(points.size(), 3);
    EXPECT_EQ(points[0].date, ymd(2024, 6, 10));
    EXPECT_EQ(points[1].cours, 101.5);
    double cMin = -1, cMax = -1;
    deltaCours(points, &cMin, &cMax);
    EXPECT_EQ(cMin, 0);
    EXPECT_EQ(cMax, 101.5);
    deltaCours(points.mid(0, 2), &cMin, &cMax);
    EXPECT_EQ(cMin, 99);
}

TEST_F(TitreQuotePanelTest, AnEmptyGraphShowsTheWhitePlotAndItsRules)
{
    QImage image(400, 150, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    panel().view_history()->draw(painter, QRectF(0, 0, 400, 150));
    painter.end();
    EXPECT_EQ(image.pixelColor(200, 60), QColor(Qt::white));
    for (const int y : {14, 69, 125})
        EXPECT_EQ(image.pixelColor(200, y).red(), 192) << y;
    EXPECT_EQ(image.pixelColor(390, 60).alpha(), 0);
}

TEST_F(TitreQuotePanelTest, AChosenTickerBringsItsQuoteThenItsHistory)
{
    search(QStringLiteral("pa"));
    QMenu* menu = panel().pop_ticker()->stdMenu();
    menu->popup(QPoint(0, 0));
    EXPECT_TRUE(menu->grab().save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/titre-tickers.png")));
    menu->close();
    search(QStringLiteral("acme"));
    ASSERT_EQ(panel().pop_ticker()->found().size(), 1);
    ASSERT_EQ(tickerRows().size(), 1);
    EXPECT_EQ(WindowDriver(tickerRows()[0]->defaultWidget()).text(QStringLiteral("field_name")),
              QStringLiteral("Acme Industries"));
    service.answerJson(QStringLiteral("ACME.PA"), FakeQuoteService::quoteJson(42.5, QStringLiteral("Acme SA")));
    service.answerHistory(QStringLiteral("ACME.PA"),
                          historyJson({day("2024-06-13", 42.5), day("2024-06-12", "41"), day("2024-06-11", 40)}));
    chooseRow(0);
    EXPECT_TRUE(settleUntil([this] { return panel().graphArray().size() == 3; }));
    EXPECT_EQ(titre().ticker, QStringLiteral("ACME.PA"));
    EXPECT_EQ(titre().categorie, 6);
    EXPECT_EQ(titre().titreDescription, QStringLiteral("Acme SA"));
    EXPECT_EQ(titre().coursNatif, 42.5);
    EXPECT_NEAR(titre().cour.values[0], 42.5, 0.005);
    EXPECT_EQ(service.requested, QStringList({"ACME.PA", "history:ACME.PA"}));
    ASSERT_EQ(panel().graphArray().size(), 3);
    EXPECT_EQ(panel().graphArray().first().cours, 40);
    EXPECT_TRUE(panel().button_supprimer()->isEnabled());
    EXPECT_FALSE(panel().button_logo()->isVisible());
    WindowDriver(*editor).grab(QStringLiteral("titre-historique.png"));

    // Another period asks again; a failed history keeps the graph.
    service.failWith(FakeQuoteService::historyKey(QStringLiteral("ACME.PA")), QStringLiteral("time-out"));
    panel().pop_periode()->setCurrentIndex(1);
    panel().periode(panel().pop_periode());
    settle();
    EXPECT_EQ(panel().nbMonth(), 3);
    EXPECT_EQ(panel().graphArray().size(), 3);

    WindowDriver(*editor).click(QStringLiteral("supprimer:"));
    EXPECT_TRUE(titre().ticker.isEmpty() && titre().titreDescription.isEmpty());
    EXPECT_EQ(titre().categorie, -1);
    EXPECT_EQ(titre().updateTime, 0);
}

TEST_F(TitreQuotePanelTest, AFailedQuoteSoundsTheAlertAndForgetsTheTicker)
{
    search(QStringLiteral("vent"));
    service.answerJson(QStringLiteral("VENT.PA"), FakeQuoteService::quoteJson(QStringLiteral("N/A")));
    chooseRow(0);
    settle();
    EXPECT_EQ(alertSounds(), 1);
    ui().advance(1000);
    EXPECT_TRUE(titre().ticker.isEmpty());
    EXPECT_EQ(titre().coursNatif, 0);
}

// Nothing matches: the typed text may serve as the ticker; an empty one fails at once.
TEST_F(TitreQuotePanelTest, AnUnknownTickerIsOfferedAsTypedAndRefusedUnlessWanted)
{
    service.answerJson(QStringLiteral("ZZZ.XX"), FakeQuoteService::quoteJson(QStringLiteral("N/A")));
    for (const char* typed : {"", "ZZZ.XX"}) {
        search(QString::fromLatin1(typed));
        EXPECT_TRUE(tickerRows().isEmpty());
        ui().answerAlert(QStringLiteral("kConfirm_UseManuelTicker"), kAlertSecondButton);
        ui().flush();
        settle();
        EXPECT_EQ(ui().alertsShown().last().request.information, QString::fromLatin1(typed));
        ui().advance(1000);
        EXPECT_TRUE(titre().ticker.isEmpty()) << typed;
    }
    EXPECT_EQ(alertSounds(), 4); // each question and each failure
    EXPECT_EQ(service.requested, QStringList {QStringLiteral("ZZZ.XX")});

    search(QStringLiteral("nothing known"));
    ui().answerAlert(QStringLiteral("kConfirm_UseManuelTicker"), kAlertFirstButton);
    ui().flush();
    EXPECT_EQ(service.requested.size(), 1);
}

TEST_F(TitreQuotePanelTest, AnswersAfterTheEditorClosedChangeNothing)
{
    APPLIPARAM::loadAppliParam().quoteProviderPage = QStringLiteral("https://quotes.example/");
    panel().FILL();
    EXPECT_FALSE(panel().button_logo()->isHidden());
    WindowDriver(*editor).click(QStringLiteral("logo:"));
    EXPECT_EQ(ui().desktopRequests().openedURLs, QStringList {QStringLiteral("https://quotes.example/")});

    service.hold = true;
    search(QStringLiteral("acme"));
    service.answerJson(QStringLiteral("ACME.PA"), FakeQuoteService::quoteJson(42.5));
    chooseRow(0);
    const int fills = editor->fills;
    delete editor;
    service.release();
    settle();
    EXPECT_EQ(service.requested, QStringList {QStringLiteral("ACME.PA")});
    EXPECT_GT(fills, 0);
}

// Over HTTP: without an address the user is told where to set one, the address is set in the
// preferences and used at once, and a service that stops answering is reported; in both failures
// the chosen ticker stays.
TEST_F(TitreQuotePanelTest, TheQuoteServiceIsReachedAtTheAddressSetInThePreferences)
{
    QuoteHttpServer server;
    ASSERT_TRUE(server.isListening());
    server.add({QStringLiteral("\"ACME.PA\""), 200,
                QJsonDocument(FakeQuoteService::quoteJson(42.5, QStringLiteral("Acme SA"))).toJson()});
    WebQuoteService web;
    installQuoteService(&web);
    PortfolioManager::sharedInstance().setRootPath(QString());
    auto choose = [this] {
        search(QStringLiteral("acme"));
        chooseRow(0);
        QTest::qWait(200);
        ui().flush();
    };

    ui().answerAlert(QStringLiteral("kAlerte_AucunServiceCotations"), kAlertFirstButton);
    choose();
    EXPECT_EQ(titre().ticker, QStringLiteral("ACME.PA"));
    EXPECT_EQ(ui().alertsShown().last().request.information, QStringLiteral("ACME.PA"));
    EXPECT_TRUE(server.targets.isEmpty());

    ui().answerAlert(QStringLiteral("kAlerte_ServiceCotationsInvalide"), kAlertFirstButton);
    ui().onModal<FenPreferencesController>([&server](FenPreferencesController& w) {
        auto* field = w.outlet<QLineEdit>(QStringLiteral("field_service_cotations"));
        EXPECT_TRUE(field->text().isEmpty());
        field->setText(QStringLiteral("cotations.example"));
        w.perform("OUI:"); // refused: the window stays
        field->setText(server.rootPath());
        w.outlet<QTabWidget>(QStringLiteral("tabs"))->setCurrentIndex(3);
        WindowDriver(w).grab(QStringLiteral("preferences-cotations.png"));
        w.perform("OUI:");
    });
    EXPECT_EQ(FenPreferencesController::openPreferences(), 1);
    EXPECT_EQ(APPLIPARAM::loadAppliParam().quoteRootPath, server.rootPath());
    choose();
    ASSERT_TRUE(QTest::qWaitFor([this] { return titre().coursNatif == 42.5; }, 5000));
    EXPECT_EQ(titre().titreDescription, QStringLiteral("Acme SA"));

    server.close();
    titre().coursNatif = 0;
    ui().answerAlert(QStringLiteral("kAlerte_ServiceCotationsMuet"), kAlertFirstButton);
    choose();
    ASSERT_TRUE(QTest::qWaitFor([this] { return ui().alertsShown().size() == 3; }, 5000));
    EXPECT_EQ(titre().ticker, QStringLiteral("ACME.PA"));
    EXPECT_EQ(titre().coursNatif, 0);

    // The preferences were saved with the address: later tests open documents with them.
    PortfolioManager::sharedInstance().setRootPath(QString());
    APPLIPARAM::loadAppliParam().quoteRootPath.clear();
    EXPECT_TRUE(APPLIPARAM::saveAppliParam());
    installQuoteService(&service);
}

#include "TitreQuotePanelTest.moc"
