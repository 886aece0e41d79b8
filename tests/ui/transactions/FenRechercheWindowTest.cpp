#include "transactions/FenListingSearchController.h"
#include "transactions/FenRechercheController.h"
#include "transactions/PopOperateur.h"
#include "transactions/RechercheCommand.h"

#include "SaisieUiFixture.h"

#include "document/SavedSearches.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/Synonyme.h"
#include "support/TestEnvironment.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/PopCritere.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabBar>

namespace {

using saisieui::at;
using Check = std::function<long(const Critere&)>;

template <class E> Check field(E Critere::*member)
{
    return [member](const Critere& c) { return long(c.*member); };
}

class RechercheWindowTest : public saisieui::SaisieUiTest {
protected:
    RechercheWindowTest()
    {
        const QString package = testenv::freshDir(QStringLiteral("recherche")) + QStringLiteral("/Maison.svd");
        QDir().mkdir(package);
        EXPECT_TRUE(createPackageResources(package, nullptr, nullptr));
        packageResourcesURL(package, &folder);
        folder += QStringLiteral("/searches");
        doc.documentUrl = package;
        Synonyme paypal(40);
        paypal.nom = QStringLiteral("Paiement en ligne");
        paypal.family = 10;
        doc.synonymeArray = {paypal};
        DocumentSession::adopt(doc);
    }

    // Runs the search command with the script standing for the user in the window; the result's
    // list, when one opened, is looked at and closed.
    long search(std::function<void(FenRechercheController&)> user)
    {
        ui().onModal<FenRechercheController>(std::move(user));
        const long result = openRechercheWindow(doc);
        found.reset();
        while (auto* list = findOpenWindowController<FenListingSearchController>(-1, -1, -1, -1, -1, -1, -1, -1)) {
            EXPECT_FALSE(found) << "one list per search";
            const LISTING* listing = list->listing();
            found = Found {listingCount(listing), listing->doEcheanciers, listing->doPrevisions,
                           list->window()->windowTitle()};
            list->close();
        }
        return result;
    }
    static void choose(FenRechercheController& w, const char* pop, long tag)
    {
        auto* operateur = w.outlet<PopOperateur>(QString::fromLatin1(pop));
        ASSERT_NE(operateur, nullptr) << pop;
        EXPECT_TRUE(operateur->choose(tag)) << pop << " " << tag;
    }
    static void pick(FenRechercheController& w, const char* name, qint64 tag)
    {
        auto* pop = w.outlet<StdPopUp>(QString::fromLatin1(name));
        ASSERT_NE(pop, nullptr) << name;
        pop->rebuild();
        EXPECT_TRUE(pop->activateTag(tag)) << name << " " << tag;
    }
    static long shown(FenRechercheController& w, const char* pop)
    {
        auto* operateur = w.outlet<PopOperateur>(QString::fromLatin1(pop));
        return operateur ? operateur->selectedTag() : -100;
    }
    static void pickConfiguration(FenRechercheController& w, long tag)
    {
        auto* pop = w.outlet<PopCritere>(QStringLiteral("pop_critere"));
        pop->rebuild();
        EXPECT_TRUE(pop->activateTag(tag)) << tag;
    }
    void answerName(const QString& name)
    {
        ui().onModal<FenAskStringController>([name](FenAskStringController& question) {
            question.outlet<QLineEdit>(QStringLiteral("field_texte"))->setText(name);
            question.perform(QStringLiteral("OUI:"));
        });
    }
    // Saves the window's criterion under the name, as the user does with "Enregistrer sous…".
    void create(FenRechercheController& w, const QString& name, const QString& why)
    {
        choose(w, "popup_information", 3);
        fill(w, "field_information", why);
        answerName(name);
        w.perform(QStringLiteral("CREER:"));
    }
    static void fill(FenRechercheController& w, const char* name, const QString& text)
    {
        w.outlet<StdTextView>(QString::fromLatin1(name))->setPlainText(text);
    }
    Critere savedAs(const QString& name) const
    {
        Critere c(&doc, true);
        EXPECT_TRUE(loadCritereFromURL(c, folder + QLatin1Char('/') + name + QStringLiteral(".xml"), &doc))
            << name.toStdString();
        return c;
    }
    static const Critere& current() { return FenRechercheController::critere(); }
    static const QStringList& list() { return DocContext::instance().savedSearchList; }

    QString folder;
    struct Found {
        long count = 0;
        bool echeanciers = false;
        bool previsions = false;
        QString title;
    };
    std::optional<Found> found; // the list of the last search
};

} // namespace

// Each operator pop-up writes its own field, and a criterion read back shows the same choices.
TEST_F(RechercheWindowTest, OperatorsWriteTheirFieldAndComeBackFromTheCriterion)
{
    struct Row {
        const char* pop;
        long tag;
        Check check;
    };
    // A side set to any value makes both sides count: the combinations come after their sides.
    const std::vector<Row> rows = {
        {"popup_date", 7, field(&Critere::critereDate)},
        {"popup_montant", 3, field(&Critere::critereMontant)},
        {"popup_compteD", 2, field(&Critere::critereCompteDebit)},
        {"popup_compteC", 2, field(&Critere::critereCompteCredit)},
        {"popup_compteBool", 1, field(&Critere::critereBoolCompte)},
        {"popup_banqueD", 2, field(&Critere::critereBanqueDebit)},
        {"popup_banqueC", 1, field(&Critere::critereBanqueCredit)},
        {"popup_banqueBool", 1, field(&Critere::critereBoolBanque)},
        {"popup_categorieD", 1, field(&Critere::critereCategorieDebit)},
        {"popup_categorieC", 2, field(&Critere::critereCategorieCredit)},
        {"popup_poste", 2, field(&Critere::criterePoste)},
        {"popup_dossier", 2, field(&Critere::critereDossier)},
        {"popup_taxe", 2, field(&Critere::critereTaxe)},
        {"popup_placement", 2, field(&Critere::criterePlacement)},
        {"popup_moyen", 2, field(&Critere::critereMoyen)},
        {"popup_echeancier", 2, field(&Critere::critereChrono)},
        {"popup_pointe", 3, field(&Critere::criterePointe)},
        {"popup_import", 5, field(&Critere::critereImport)},
        {"popup_reference", 3, field(&Critere::critereReference)},
        {"popup_information", 4, field(&Critere::critereWhy)},
    };
    EXPECT_EQ(search([&](FenRechercheController& w) {
                  for (const Row& row : rows)
                      choose(w, row.pop, row.tag);
                  w.perform(QStringLiteral("OUI:"));
              }),
              1);
    for (const Row& row : rows)
        EXPECT_EQ(row.check(current()), row.tag) << row.pop;
    EXPECT_EQ(current().critereBoolCategorie, CritereBool::And) << "a side left on any value";

    search([&](FenRechercheController& w) {
        for (const Row& row : rows)
            EXPECT_EQ(shown(w, row.pop), row.tag) << row.pop;
        w.perform(QStringLiteral("NON:"));
    });
}

TEST_F(RechercheWindowTest, ValuesAndIdentifiersRoundTrip)
{
    search([&](FenRechercheController& w) {
        choose(w, "popup_date", 7);
        WindowDriver driver(w);
        driver.type(QStringLiteral("field_jour2"), QStringLiteral("30"));
        driver.type(QStringLiteral("field_mois2"), QStringLiteral("06"));
        driver.type(QStringLiteral("field_annee2"), QStringLiteral("2024"));
        choose(w, "popup_montant", 7);
        driver.type(QStringLiteral("field_montant2"), QStringLiteral("99.5"));
        choose(w, "popup_compteD", 2);
        pick(w, "pop_compteD", 22);
        pick(w, "pop_poste", 8);
        fill(w, "field_reference", QStringLiteral("Chèque 1240"));
        w.outlet<QCheckBox>(QStringLiteral("button_prevision"))->setChecked(true);
        w.perform(QStringLiteral("OUI:"));
    });
    const Critere& c = current();
    EXPECT_EQ(c.date2, endOfDay(at(30, 6, 2024)));
    EXPECT_NEAR(c.montant2.values[0], 99.5, 0.005);
    EXPECT_EQ(c.compteIDDebit, 22);
    EXPECT_EQ(c.posteID, 8);
    EXPECT_EQ(c.reference, QStringLiteral("Chèque 1240"));
    EXPECT_TRUE(c.includesPrevisions);
    EXPECT_GT(c.nbUsedCritere, 0) << "the evaluation list is built";

    search([](FenRechercheController& w) {
        WindowDriver driver(w);
        EXPECT_EQ(driver.text(QStringLiteral("field_jour2")), QStringLiteral("30"));
        EXPECT_EQ(driver.text(QStringLiteral("view_compteD")), QStringLiteral("Boulangerie"));
        EXPECT_EQ(driver.text(QStringLiteral("view_poste")), QStringLiteral("Santé"));
        EXPECT_EQ(driver.text(QStringLiteral("field_reference")), QStringLiteral("Chèque 1240"));
        EXPECT_NEAR(w.outlet<TextFieldMontant>(QStringLiteral("field_montant2"))->montant().values[0], 99.5, 0.005);
        EXPECT_TRUE(w.outlet<QCheckBox>(QStringLiteral("button_prevision"))->isChecked());
        w.perform(QStringLiteral("NON:"));
    });
}

// An amount range below zero keeps its signs; a day its month lacks keeps the window open.
TEST_F(RechercheWindowTest, ANegativeRangeKeepsItsSignsAndAnImpossibleDayIsRefused)
{
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_DateInexistante")).arg(QStringLiteral("31/04/2024")),
                     kAlertFirstButton);
    search([&](FenRechercheController& w) {
        choose(w, "popup_date", 7);
        choose(w, "popup_montant", 7);
        WindowDriver driver(w);
        driver.type(QStringLiteral("field_montant1"), QStringLiteral("-250"));
        driver.type(QStringLiteral("field_montant2"), QStringLiteral("-10,5"));
        driver.type(QStringLiteral("field_jour2"), QStringLiteral("31"));
        driver.type(QStringLiteral("field_mois2"), QStringLiteral("04"));
        driver.type(QStringLiteral("field_annee2"), QStringLiteral("2024"));
        w.perform(QStringLiteral("OUI:"));
        EXPECT_EQ(driver.text(QStringLiteral("field_jour2")), QStringLiteral("31")) << "still open, as typed";
        driver.type(QStringLiteral("field_jour2"), QStringLiteral("30"));
        w.perform(QStringLiteral("OUI:"));
    });
    const Critere& c = current();
    EXPECT_NEAR(c.montant1.values[0], -250, 0.005);
    EXPECT_NEAR(c.montant2.values[0], -10.5, 0.005);
    EXPECT_EQ(c.date2, endOfDay(at(30, 4, 2024)));
}

TEST_F(RechercheWindowTest, ValueControlsFollowTheirOperators)
{
    struct Row {
        const char* pop;
        long tag;
        std::function<bool(const FenRechercheController&)> can;
        bool expected;
    };
    using W = FenRechercheController;
    const Row rows[] = {
        {"popup_date", 1, &W::canSetDate1, false},         {"popup_date", 3, &W::canSetDate1, true},
        {"popup_date", 6, &W::canSetDate2, false},         {"popup_date", 7, &W::canSetDate2, true},
        {"popup_montant", 2, &W::canSetMontant2, false},   {"popup_montant", 7, &W::canSetMontant2, true},
        {"popup_compteD", 2, &W::canSetCompteBool, false}, {"popup_compteC", 2, &W::canSetCompteBool, true},
        {"popup_compteC", 1, &W::canSetCompteBool, false}, {"popup_reference", 1, &W::canSetReference, false},
        {"popup_reference", 2, &W::canSetReference, true}, {"popup_echeancier", 2, &W::canSetEcheancier, true},
    };
    search([&](FenRechercheController& w) {
        for (const Row& row : rows) {
            choose(w, row.pop, row.tag);
            EXPECT_EQ(row.can(w), row.expected) << row.pop << " " << row.tag;
        }
        EXPECT_EQ(shown(w, "popup_compteBool"), 2) << "any credit account: both sides count";
        EXPECT_TRUE(w.outlet<StdTextView>(QStringLiteral("field_jour2"))->isEnabled());
        EXPECT_FALSE(w.outlet<QWidget>(QStringLiteral("popup_compteBool"))->isEnabled());
        EXPECT_FALSE(w.outlet<QWidget>(QStringLiteral("button_supprimer"))->isEnabled()) << "no saved search";
        w.perform(QStringLiteral("NON:"));
    });
}

TEST_F(RechercheWindowTest, NamesThatCantBeSavedAreRefusedWithoutWriting)
{
    struct Row {
        QString name;
        QString alertKey;
    };
    const Row rows[] = {{QString(), QStringLiteral("kRechercheBadName")},
                        {QStringLiteral("Loyers/2024"), QStringLiteral("kRechercheBadName")},
                        {QStringLiteral("../Loyers"), QStringLiteral("kRechercheBadName")},
                        {QStringLiteral(".cache"), QStringLiteral("kRechercheBadName")},
                        {QStringLiteral("Loyers"), QStringLiteral("kRechercheAlreadyExists")}};
    search([&](FenRechercheController& w) {
        create(w, QStringLiteral("Loyers"), QStringLiteral("Loyer"));
        for (const Row& row : rows) {
            ui().answerAlert(row.alertKey, kAlertFirstButton);
            create(w, row.name, QStringLiteral("Autre"));
            EXPECT_EQ(ui().alertsShown().last().request.information, row.name);
        }
        w.perform(QStringLiteral("NON:"));
    });
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {QStringLiteral("Loyers.xml")});
    EXPECT_EQ(savedAs(QStringLiteral("Loyers")).why, QStringLiteral("Loyer"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(doc.documentUrl).path() + QStringLiteral("/Loyers.xml")));
}

TEST_F(RechercheWindowTest, SwitchingSavesTheEditsFirstAndTheEmptySearchResets)
{
    search([&](FenRechercheController& w) {
        create(w, QStringLiteral("Alpha"), QStringLiteral("Loyer"));
        create(w, QStringLiteral("Beta"), QStringLiteral("Salaire"));
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_critere")), QStringLiteral("Beta"));
        EXPECT_TRUE(w.outlet<QWidget>(QStringLiteral("button_supprimer"))->isEnabled());
        fill(w, "field_information", QStringLiteral("Prime"));
        pickConfiguration(w, 0);
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_information")), QStringLiteral("Loyer"));
        pickConfiguration(w, -1);
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_critere")), QStringLiteral("-"));
        EXPECT_EQ(shown(w, "popup_information"), 1);
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_information")), QString());
        w.perform(QStringLiteral("NON:"));
    });
    EXPECT_EQ(savedAs(QStringLiteral("Beta")).why, QStringLiteral("Prime")) << "the edits went into Beta first";
    EXPECT_EQ(savedAs(QStringLiteral("Alpha")).why, QStringLiteral("Loyer"));
    EXPECT_TRUE(doc.docParam->lastConfRecherche.isEmpty());
}

TEST_F(RechercheWindowTest, RenameAndDelete)
{
    search([&](FenRechercheController& w) {
        create(w, QStringLiteral("Alpha"), QStringLiteral("Loyer"));
        create(w, QStringLiteral("Beta"), QStringLiteral("Salaire"));
        answerName(QStringLiteral("BETA"));
        w.perform(QStringLiteral("RENOMMER:")); // the same name in other letters: nothing
        ui().answerAlert(QStringLiteral("kRechercheAlreadyExists"), kAlertFirstButton);
        answerName(QStringLiteral("Alpha"));
        w.perform(QStringLiteral("RENOMMER:"));
        answerName(QStringLiteral("Salaires"));
        w.perform(QStringLiteral("RENOMMER:"));
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_critere")), QStringLiteral("Salaires"));

        ui().answerAlert(QStringLiteral("kConfirm_suppRecherche"), kAlertFirstButton);
        w.perform(QStringLiteral("SUPPRIMER:"));
        ui().answerAlert(QStringLiteral("kConfirm_suppRecherche"), kAlertSecondButton);
        w.perform(QStringLiteral("SUPPRIMER:"));
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_critere")), QStringLiteral("-"));
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_information")), QStringLiteral("Salaire"));
        w.perform(QStringLiteral("NON:"));
    });
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList {QStringLiteral("Alpha.xml")});
    EXPECT_EQ(list(), QStringList {folder + QStringLiteral("/Alpha.xml")});
    EXPECT_EQ(DocContext::instance().selectedSavedSearch, -1);
}

// A damaged file is left alone: choosing it beeps and shows the defaults, and nothing saves the
// defaults over it afterwards.
TEST_F(RechercheWindowTest, AnUnreadableSearchIsNeverWrittenOver)
{
    QDir().mkpath(folder);
    const QByteArray damaged = "<?xml version=\"1.0\"?><CRITERE><critereWhy>3";
    QFile file(folder + QStringLiteral("/Abîmée.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    search([&](FenRechercheController& w) {
        pickConfiguration(w, 0);
        EXPECT_EQ(ui().desktopRequests().beeps, 1);
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_critere")), QStringLiteral("-"));
        choose(w, "popup_pointe", 2);
        w.perform(QStringLiteral("OUI:"));
    });
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
    EXPECT_EQ(current().criterePointe, CriterePointe::Ticked);
}

TEST_F(RechercheWindowTest, TheLastSearchAndPageComeBackWhenTheDocumentReopens)
{
    search([&](FenRechercheController& w) {
        create(w, QStringLiteral("Loyers"), QStringLiteral("Loyer"));
        w.outlet<QTabBar>(QStringLiteral("segmented_control"))->setCurrentIndex(kPageClassement);
        EXPECT_EQ(w.outlet<QStackedWidget>(QStringLiteral("tab_view"))->currentIndex(), kPageClassement);
        choose(w, "popup_moyen", 2);
        QAction* paypal = nullptr;
        auto* moyens = w.outlet<StdPopUp>(QStringLiteral("pop_moyen"));
        moyens->rebuild();
        for (QAction* item : moyens->stdMenu()->actions())
            paypal = item->text() == QStringLiteral("Paiement en ligne") ? item : paypal;
        ASSERT_NE(paypal, nullptr);
        paypal->trigger();
        w.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(current().synonymeID, 40);
    EXPECT_EQ(current().critereSynonyme, CritereSwitch::On);
    EXPECT_EQ(doc.docParam->currentRechercheTab, kPageClassement);

    DocumentSession::close();
    DocumentSession::adopt(doc);
    EXPECT_EQ(current().why, QStringLiteral("Loyer"));
    EXPECT_EQ(current().synonymeID, 40);
    search([](FenRechercheController& w) {
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_critere")), QStringLiteral("Loyers"));
        EXPECT_EQ(WindowDriver(w).text(QStringLiteral("field_moyen")), QStringLiteral("Paiement en ligne"));
        EXPECT_EQ(w.outlet<QStackedWidget>(QStringLiteral("tab_view"))->currentIndex(), kPageClassement);
        choose(w, "popup_moyen", 1);
        w.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(current().critereSynonyme, CritereSwitch::Off) << "no synonym once the means is any";
    EXPECT_EQ(savedAs(QStringLiteral("Loyers")).critereSynonyme, CritereSwitch::Off);
}

// A saved search whose file went away keeps the edits made on OK.
TEST_F(RechercheWindowTest, OkKeepsTheEditsWhenTheSavedFileIsGone)
{
    search([&](FenRechercheController& w) {
        create(w, QStringLiteral("Loyers"), QStringLiteral("Loyer"));
        ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Loyers.xml")));
        fill(w, "field_information", QStringLiteral("Charges"));
        w.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(current().why, QStringLiteral("Charges"));
}

TEST_F(RechercheWindowTest, EveryPageLaidOut)
{
    search([&](FenRechercheController& w) {
        create(w, QStringLiteral("Loyers"), QStringLiteral("Loyer"));
        choose(w, "popup_date", 7);
        choose(w, "popup_montant", 2);
        for (int page : {kPageOperation, kPageComptes, kPageClassement}) {
            w.outlet<QTabBar>(QStringLiteral("segmented_control"))->setCurrentIndex(page);
            const QImage image
                = WindowDriver(w).grab(QStringLiteral("recherche_page%1.png").arg(page)); // looked at by a person
            EXPECT_GE(image.width(), 700);
        }
        w.perform(QStringLiteral("NON:"));
    });
}

TEST_F(RechercheWindowTest, OkListsWhatTheCriterionPassesAndCancelListsNothing)
{
    for (const char* why : {"Loyer de juin", "Pain", "loyer de juillet"}) {
        TRANSACT trans;
        trans.defaultTransact(&doc);
        trans.who1 = 7;
        trans.who2 = 22;
        trans.why = QString::fromUtf8(why);
        trans.solde = euros(10);
        doc.transact_array.append(trans);
    }
    for (const bool previsions : {false, true}) {
        EXPECT_EQ(search([previsions](FenRechercheController& w) {
                      choose(w, "popup_information", 3);
                      fill(w, "field_information", QStringLiteral("LOYER"));
                      w.outlet<QCheckBox>(QStringLiteral("button_prevision"))->setChecked(previsions);
                      w.perform(QStringLiteral("OUI:"));
                  }),
                  1);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->count, 2) << previsions;
        EXPECT_EQ(found->previsions, previsions);
        EXPECT_EQ(found->echeanciers, previsions);
        EXPECT_EQ(found->title, QStringLiteral("2 opération(s) trouvée(s)"));
    }
    EXPECT_EQ(search([](FenRechercheController& w) { w.perform(QStringLiteral("NON:")); }), 0);
    EXPECT_FALSE(found.has_value());
}
