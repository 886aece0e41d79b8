// The currencies window and the currency editor on a household of three currencies: what each row
// shows, bringing a slot into use, the editor's refusals, the ticker, and making a slot the main
// currency checked against the conversion engine.
#include "entities/FenDeviseController.h"
#include "entities/FenEditDeviseController.h"
#include "entities/PopDeviseTicker.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/FakeQuoteService.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/tables/StdTableView.h"

#include "foundation/broadcast.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TRANSACT.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

class Recorder : public QObject {
    Q_OBJECT
public:
    Recorder() { registerWindowController(this); }
    ~Recorder() override { unregisterWindowController(this); }
    Q_INVOKABLE void newDevisePrincipale(const QVariant& a, const QVariant&) { calls << "main " + a.toString(); }
    Q_INVOKABLE void didChangeDeviseConfiguration(const QVariant&, const QVariant&) { calls << "config"; }
    QStringList calls;
};

class FenDeviseControllerTest : public UiTestFixture {
protected:
    FenDeviseControllerTest()
    {
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addDefaultDocParam(doc);
        setSlot(0, "Euro", "€", 1.0);
        setSlot(1, "Dollar US", "$", 0.92);
        setSlot(2, "Franc suisse", "CHF", 1.05);
        for (double value : {100.0, 52.5, 1800.0}) {
            TRANSACT t;
            t.solde.makeMontant(0, value, doc.deviseHdl);
            doc.transact_array.push_back(t);
        }
        session.emplace(doc);
    }
    ~FenDeviseControllerTest() override
    {
        if (FenDeviseController* window = FenDeviseController::current())
            window->close();
    }

    void setSlot(int n, const char* name, const char* unit, double rate)
    {
        Devise& d = doc.deviseHdl[n];
        d.fullName = QString::fromUtf8(name);
        d.unit = QString::fromUtf8(unit);
        d.convert = rate;
        d.used = true;
    }
    FenDeviseController* open(int row)
    {
        FenDeviseController* window = FenDeviseController::openDevises(0);
        window->table1()->GO(row);
        return window;
    }
    void continueAssistant()
    {
        ui().onModal<FenAskPoursuivreController>([](FenAskPoursuivreController& w) { w.perform("OUI:"); });
    }
    static void type(FenEditDeviseController& editor, const char* field, const QString& text)
    {
        if (auto* line = editor.outlet<QLineEdit>(QString::fromLatin1(field)))
            line->setText(text);
        else if (auto* view = editor.outlet<StdTextView>(QString::fromLatin1(field)))
            view->setPlainText(text);
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(FenDeviseControllerTest, EachSlotShowsItsRowAndItsCommands)
{
    doc.docParam->defaultDevise = 2;
    doc.deviseHdl[1].convert = 0.1524490172374104;
    struct Case {
        long slot;
        QString nom, taux, image;
        bool coeur;
        DeviseRowLook::Font font;
        bool canNew, canEdit;
    };
    const Case cases[] = {
        {0, "Euro", "", "devise_principale", false, DeviseRowLook::Font::Gras, false, true},
        {1, "Dollar US", "= 0,152449 €", "devise", false, DeviseRowLook::Font::Normal, false, true},
        {2, "Franc suisse", "= 1,050000 €", "devise", true, DeviseRowLook::Font::Normal, false, true},
        {3, "Devise inutilisée", "", "", false, DeviseRowLook::Font::Italique, true, false},
        {5, "Devise inutilisée", "", "", false, DeviseRowLook::Font::Italique, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        const DeviseRowLook look = deviseRowLook(doc, c.slot);
        EXPECT_EQ(look.nom, c.nom);
        EXPECT_EQ(look.taux, c.taux);
        EXPECT_EQ(look.image, c.image);
        EXPECT_EQ(look.coeur, c.coeur);
        EXPECT_EQ(look.font, c.font);
        const DeviseCommands commands = deviseCommandsForRow(doc, c.slot);
        EXPECT_EQ(commands.canNew, c.canNew);
        EXPECT_EQ(commands.canEdit, c.canEdit);
    }
}

TEST_F(FenDeviseControllerTest, ANewCurrencyIsComputedInEveryAmountFromItsRate)
{
    FenDeviseController* window = open(3);
    EXPECT_TRUE(window->canNew());
    continueAssistant();
    ui().onModal<FenEditDeviseController>([this](FenEditDeviseController& editor) {
        type(editor, "field_nom", "Livre sterling");
        type(editor, "field_abreviation", "£");
        type(editor, "field_taux", "0");
        ui().answerAlert("kAlerte_DeviseTauxInvalide", 1000);
        editor.perform("OUI:");
        EXPECT_FALSE(doc.deviseHdl[3].used) << "a refused rate leaves the slot alone";
        type(editor, "field_taux", "1.25");
        editor.perform("OUI:");
    });
    window->perform("NOUVEAU:");
    ASSERT_TRUE(doc.deviseHdl[3].used);
    EXPECT_EQ(doc.deviseHdl[3].fullName, "Livre sterling");
    EXPECT_NEAR(doc.transact_array[0].solde.getValueForDevise(3), 80.0, 1e-9);
    EXPECT_TRUE(window->canEdit());
    EXPECT_FALSE(bringDeviseIntoUse(doc, 4)) << "slot 4 still has its rate of zero";
    EXPECT_FALSE(doc.deviseHdl[4].used);
}

TEST_F(FenDeviseControllerTest, SavingARateRecomputesNoStoredAmount)
{
    Recorder recorder;
    FenDeviseController* window = open(1);
    const double before = doc.transact_array[0].solde.getValueForDevise(1);
    continueAssistant();
    ui().onModal<FenEditDeviseController>([](FenEditDeviseController& editor) {
        // The rate shows and is typed with the decimal comma, as amounts are.
        const auto* rate = editor.outlet<StdTextView>("field_taux");
        EXPECT_TRUE(rate->toPlainText().contains(u',')) << rate->toPlainText().toStdString();
        WindowDriver(editor).type("field_taux", "0.95");
        EXPECT_EQ(rate->toPlainText(), "0,95");
        type(editor, "field_decimale", "9");
        editor.perform("OUI:");
    });
    window->perform("MODIFIER:");
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, 0.95);
    EXPECT_EQ(doc.deviseHdl[1].decimale, FenEditDeviseController::kMaxDecimales);
    EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.getValueForDevise(1), before);
    EXPECT_EQ(recorder.calls, QStringList {"config"});
}

// A save writes each amount with its currency's decimals: with fewer of them, every amount and
// balance is at once what the reopened document will show.
TEST_F(FenDeviseControllerTest, FewerDecimalsRoundEveryAmountAsASaveKeepsIt)
{
    FenDeviseController* window = open(1);
    continueAssistant();
    ui().onModal<FenEditDeviseController>([](FenEditDeviseController& editor) {
        type(editor, "field_decimale", "0");
        editor.perform("OUI:");
    });
    window->perform("MODIFIER:");
    ASSERT_EQ(doc.deviseHdl[1].decimale, 0);
    const double expected[] = {109, 57, 1957};
    for (qsizetype i = 0; i < doc.transact_array.size(); ++i)
        EXPECT_EQ(doc.transact_array[i].solde.getValueForDevise(1), expected[i]) << i;
    EXPECT_EQ(doc.transact_array[0].solde.getValueForDevise(2), 95.24) << "every slot as the file holds it";
}

TEST_F(FenDeviseControllerTest, MakingSlotTwoMainConvertsEveryAmountAndSwapsThePreferredSlot)
{
    Recorder recorder;
    FenDeviseController* window = open(2);
    continueAssistant();
    ui().onModal<FenEditDeviseController>([this](FenEditDeviseController& editor) {
        ui().answerAlert("kConfirm_DevisePrincipale", 1001);
        editor.perform("definirPrincipale:");
    });
    window->perform("MODIFIER:");
    EXPECT_EQ(doc.deviseHdl[0].fullName, "Franc suisse");
    EXPECT_EQ(doc.deviseHdl[2].fullName, "Euro");
    EXPECT_DOUBLE_EQ(doc.deviseHdl[0].convert, 1.0);
    EXPECT_NEAR(doc.deviseHdl[1].convert, 0.92 / 1.05, 1e-12);
    EXPECT_NEAR(doc.deviseHdl[2].convert, 1.0 / 1.05, 1e-12);
    for (const TRANSACT& t : doc.transact_array) {
        const double euros = t.solde.getValueForDevise(2);
        EXPECT_NEAR(t.solde.getValueForDevise(0), euros / 1.05, 1e-9);
    }
    EXPECT_NEAR(doc.transact_array[2].solde.getValueForDevise(2), 1800.0, 1e-9);
    EXPECT_EQ(doc.docParam->defaultDevise, 2) << "the preferred euro follows its slot";
    EXPECT_EQ(deviseRowLook(doc, 0).nom, "Franc suisse") << "the table shows the slots as they are now";
    EXPECT_EQ(recorder.calls, (QStringList {"main 2", "config"}));
}

TEST_F(FenDeviseControllerTest, TheEditorFollowsTheSlotAndItsTicker)
{
    FakeQuoteService quotes;
    quotes.answerPrice(QStringLiteral("CHFEUR=X"), 1.07);
    doc.deviseHdl[2].ticker.clear();
    QString before;
    ui().onModal<FenEditDeviseController>([&](FenEditDeviseController& editor) {
        WindowDriver driver(editor);
        EXPECT_TRUE(editor.outlet<StdTextView>("field_taux")->isEnabled());
        EXPECT_EQ(driver.text("field_maj"), "Mise à jour manuelle");
        EXPECT_FALSE(editor.outlet<QWidget>("button_supprimer_ticker")->isEnabled());
        auto* pop = editor.outlet<PopDeviseTicker>("pop_ticker");
        pop->rebuild();
        const DeviseTickerList& tickers = Devise::getDeviseTickers();
        const auto chf
            = std::find_if(tickers.begin(), tickers.end(), [](const DeviseTicker& t) { return t.code == "CHF"; });
        ASSERT_NE(chf, tickers.end());
        ASSERT_TRUE(pop->activateTag(chf - tickers.begin()));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_FALSE(editor.outlet<StdTextView>("field_taux")->isEnabled());
        EXPECT_TRUE(editor.outlet<QWidget>("button_supprimer_ticker")->isEnabled());
        before = driver.text("field_maj");
        editor.perform("supprimerTicker:");
        editor.perform("NON:");
    });
    editDeviseDialog(nullptr, 2);
    EXPECT_EQ(quotes.requested.size(), 1);
    EXPECT_TRUE(before.startsWith("Mise à jour le"));
    EXPECT_TRUE(doc.deviseHdl[2].ticker.isEmpty()) << "removing the ticker stays after cancel";
    EXPECT_EQ(doc.deviseHdl[2].updateTime, 0);
    EXPECT_EQ(editDeviseDialog(nullptr, 5), 0);
}

TEST_F(FenDeviseControllerTest, ACancelledEditorIgnoresALateRateButTheSlotKeepsIt)
{
    FakeQuoteService quotes;
    quotes.hold = true;
    quotes.answerPrice(QStringLiteral("USDEUR=X"), 0.9);
    doc.deviseHdl[1].ticker.clear();
    ui().onModal<FenEditDeviseController>([](FenEditDeviseController& editor) {
        auto* pop = editor.outlet<PopDeviseTicker>("pop_ticker");
        pop->rebuild();
        const DeviseTickerList& tickers = Devise::getDeviseTickers();
        const auto usd
            = std::find_if(tickers.begin(), tickers.end(), [](const DeviseTicker& t) { return t.code == "USD"; });
        ASSERT_NE(usd, tickers.end());
        pop->activateTag(usd - tickers.begin());
        editor.perform("NON:");
    });
    editDeviseDialog(nullptr, 1);
    quotes.release();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(doc.deviseHdl[1].ticker, "USD");
    EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, 0.9);
}

TEST_F(FenDeviseControllerTest, SlotZeroIsFixedAndAZeroRateCannotBecomeMain)
{
    doc.deviseHdl[2].convert = 0.0;
    ui().onModal<FenEditDeviseController>([](FenEditDeviseController& editor) {
        EXPECT_FALSE(editor.outlet<StdTextView>("field_taux")->isEnabled());
        EXPECT_FALSE(editor.outlet<QWidget>("button_definir_principal")->isEnabled());
        EXPECT_EQ(WindowDriver(editor).text("field_maj"), "Taux fixe non modifiable");
        editor.perform("NON:");
    });
    EXPECT_EQ(editDeviseDialog(nullptr, 0), 0);
    ui().onModal<FenEditDeviseController>([this](FenEditDeviseController& editor) {
        ui().answerAlert(1000);
        editor.perform("definirPrincipale:");
        editor.outlet<QCheckBox>("cb_preferer")->setChecked(true);
        type(editor, "field_taux", "1.1");
        editor.perform("OUI:");
    });
    EXPECT_EQ(editDeviseDialog(nullptr, 2), 1);
    EXPECT_EQ(doc.docParam->defaultDevise, 2);
    EXPECT_EQ(MONTANT::currentDeviseSlot(), 2);
    MONTANT::setCurrentDeviseSlot(0);
}

// A rate typed is read with the decimals the currencies file keeps, and judged so; one left as shown
// keeps all of its own.
TEST_F(FenDeviseControllerTest, ARateIsJudgedAndKeptAsTheFileHoldsIt)
{
    struct Row {
        const char* typed; // null: left as shown
        double rate;
        bool refused;
    };
    const Row rows[] = {
        {"0,0000004", 0.92, true},
        {"1,23456789", 1.234568, false},
        {nullptr, 0.123456789, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed ? row.typed : "untouched");
        doc.deviseHdl[1].convert = row.typed ? 0.92 : 0.123456789;
        if (row.refused)
            ui().answerAlert(QStringLiteral("kAlerte_DeviseTauxInvalide"), kAlertFirstButton);
        ui().onModal<FenEditDeviseController>([&](FenEditDeviseController& editor) {
            if (row.typed)
                WindowDriver(editor).type("field_taux", QString::fromLatin1(row.typed));
            editor.perform("OUI:");
            if (row.refused)
                editor.perform("NON:");
        });
        EXPECT_EQ(editDeviseDialog(nullptr, 1), row.refused ? 0 : 1);
        EXPECT_DOUBLE_EQ(doc.deviseHdl[1].convert, row.rate);
    }
}

} // namespace

#include "FenDeviseControllerTest.moc"
