// The entity pop-ups over a small document: what each menu lists, in which order, with which tags,
// actions and enabled states, what it marks, and how it follows changes of the document.
#include "toolkit/popups/PopAutoCompute.h"
#include "toolkit/popups/PopCategorie.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopCritere.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopDossier.h"
#include "toolkit/popups/PopEcheancier.h"
#include "toolkit/popups/PopImportExport.h"
#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPlacement.h"
#include "toolkit/popups/PopPortfolio.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopSynonyme.h"
#include "toolkit/popups/PopTaxe.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/imagex.h"
#include "uisupport/UiTestFixture.h"

#include "document/DocumentSession.h"
#include "document/SavedSearches.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/ToolTree.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {

using testenv::tool;

// Collects what the items send; every picker action ends here.
class PickerWindow : public StdWindowController {
    Q_OBJECT
public:
    QStringList received;
    bool autoCompute = false;

    Q_INVOKABLE void DEBIT(QObject* item) { record("DEBIT", item); }
    Q_INVOKABLE void POSTE(QObject* item) { record("POSTE", item); }
    Q_INVOKABLE void MOYEN(QObject* item) { record("MOYEN", item); }
    Q_INVOKABLE bool getPreferenceAutoCompute() const { return autoCompute; }

    template <class P> P* add()
    {
        auto* pop = new P(window());
        window()->layout()->addWidget(pop);
        pop->show();
        return pop;
    }

protected:
    void buildInterface(StdWindow& window) override
    {
        new QHBoxLayout(&window);
        window.resize(420, 60);
    }

private:
    void record(const char* action, QObject* item)
    {
        received << QStringLiteral("%1 %2").arg(QLatin1String(action)).arg(StdMenu::tagOf(item));
    }
};

// The statement window, the only one that imports.
class FenReleveController : public PickerWindow {
    Q_OBJECT
};

// The items a user sees (no separator, no hidden first item), and one property of each.
QList<QAction*> shown(const QMenu* menu)
{
    QList<QAction*> out;
    for (QAction* item : menu->actions())
        if (!item->isSeparator() && item->isVisible())
            out << item;
    return out;
}
template <class F> auto column(const QMenu* menu, F property)
{
    QList<std::invoke_result_t<F, const QAction*>> out;
    for (const QAction* item : shown(menu))
        out << property(item);
    return out;
}
QList<qint64> tags(const QMenu* menu)
{
    return column(menu, [](const QAction* item) { return StdMenu::tagOf(item); });
}
QStringList titles(const QMenu* menu)
{
    return column(menu, [](const QAction* item) { return item->text(); });
}
QStringList actions(const QMenu* menu)
{
    return column(menu, [](const QAction* item) { return StdMenu::actionOf(item); });
}
QList<bool> enabled(const QMenu* menu)
{
    return column(menu, [](const QAction* item) { return item->isEnabled(); });
}
QList<qint64> checkedTags(const QMenu* menu)
{
    QList<qint64> out;
    for (const QAction* item : shown(menu))
        if (item->isChecked())
            out << StdMenu::tagOf(item);
    return out;
}
QMenu* submenu(const QMenu* menu, int index)
{
    return shown(menu).at(index)->menu();
}

QByteArray squarePng(const QColor& color)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(color);
    return XPNGRepresentation(image);
}

class EntityPopUpTest : public UiTestFixture {
protected:
    EntityPopUpTest()
    {
        APPLIPARAM::loadAppliParam().doAnimations = false;
        const QString url = testenv::freshDir(QStringLiteral("entitypop")) + QStringLiteral("/doc.svd");
        QDir().mkpath(url + QStringLiteral("/Contents/Resources"));
        doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
        fillBanks();
        fillCategories();
        DocumentSession::adopt(*doc);
        addLogo();
        controller = StdWindowController::push<PickerWindow>(makeWindowData({}), 0, true);
    }
    ~EntityPopUpTest() override
    {
        controller->close();
        DocumentSession::close();
    }

    void fillBanks()
    {
        doc->banqueHdl
            = {tool(kToolBanque, 10, "Crédit Rural", kBanqueUser), tool(kToolBanque, 11, "Tiers", kBanqueTiers),
               tool(kToolBanque, 2, "Espèces", kBanqueLiquide), tool(kToolBanque, 12, "Banque Nord", kBanqueUser)};
        doc->compteHdl = {tool(kToolCompte, 20, "Courant", kBanqueUser, 10),
                          tool(kToolCompte, 21, "Livret", kBanqueUser, 10),
                          tool(kToolCompte, 22, "Joint", kBanqueUser, 12),
                          tool(kToolCompte, 23, "Porte-monnaie", kBanqueLiquide, 2),
                          tool(kToolCompte, 24, "EDF", kBanqueTiers, 11),
                          tool(kToolCompte, 25, "Boulangerie", kBanqueTiers, 11)};
        doc->compteHdl[0].logoIdent = 7;
    }

    // The picture goes into the open document's package.
    void addLogo()
    {
        Logo logo(7);
        logo.visibleName = QStringLiteral("Bleu");
        logo.internalName = QStringLiteral("bleu.png");
        ASSERT_TRUE(logo.storeImage(squarePng(QColor(40, 90, 200)), *doc));
        Logo::insertLogo(logo, doc->logoArray);
    }

    void fillCategories()
    {
        for (const auto& [nom, ident] : {std::pair {"Maison", 2}, std::pair {"Loisirs", 3}}) {
            DOSSIER dossier;
            dossier.ident = ident;
            dossier.nom = QString::fromUtf8(nom);
            dossier.logoID = ident == 3 ? 7 : -1;
            DOSSIER::insertDossier(dossier, doc->dossierHdl);
        }
        const std::pair<const char*, long> postes[] = {{"Loyer", 2}, {"Électricité", 2}, {"Cinéma", 3}, {"Livres", 3}};
        long ident = 2;
        for (const auto& [nom, dossier] : postes) {
            POSTE poste;
            poste.ident = ident++;
            poste.nom = QString::fromUtf8(nom);
            poste.dossierID = dossier;
            POSTE::insertPoste(poste, doc->posteHdl);
        }
    }

    std::unique_ptr<DOCUMENT> doc;
    PickerWindow* controller = nullptr;
};

TEST_F(EntityPopUpTest, PaymentMeansMarkTheFamiliesThatDontFitTheAccounts)
{
    struct Row {
        int family, d, c;
        bool filter;
        int filterMoyen;
        bool off;
    };
    const Row rows[] = {{4, 0, 0, true, 2, false}, {13, 0, 0, true, 2, false}, {1, 1, 2, false, 0, false},
                        {3, 1, 0, true, 0, false}, {3, 2, 2, false, 1, true},  {6, 0, 2, true, 0, false}};
    for (const Row& r : rows)
        EXPECT_EQ(PopMoyen::conditionOffForFamily(r.family, r.d, r.c, r.filter, r.filterMoyen), r.off)
            << "family " << r.family << " d " << r.d << " c " << r.c;

    Synonyme::loadSynonymeAux(QStringLiteral("Prélèvement"), 7, doc->synonymeArray);
    Synonyme::loadSynonymeAux(QStringLiteral("Internet"), 7, doc->synonymeArray);
    auto* pop = controller->add<PopMoyen>();
    pop->setFilter(true);
    pop->setDebitID(20); // the user's own bank
    pop->setCreditID(24); // a payee
    pop->selectMoyen(9);
    pop->rebuild();
    EXPECT_EQ(tags(pop->stdMenu()), (QList<qint64> {9, 10, 11, 12, 5, 6, 7, 8, 2, 3, 1, 0, 7, 7}));
    // The unfit families, drawn in red and described as needing another family.
    const auto red = [pop] {
        return column(pop->stdMenu(), [](const QAction* item) {
            const bool need = StdMenu::representedObject(item).toMap().value("need").toBool();
            return need && StdMenu::titleColor(item) == PopMoyen::offColor() ? StdMenu::tagOf(item) : -1;
        });
    };
    EXPECT_EQ(red(), (QList<qint64> {-1, 10, -1, 12, 5, 6, -1, 8, 2, 3, 1, -1, -1, -1}));
    EXPECT_EQ(checkedTags(pop->stdMenu()), (QList<qint64> {9}));

    // Two synonyms of one family share its tag; their represented synonym tells them apart.
    const auto synonymAt = [pop](int index) {
        return StdMenu::representedObject(shown(pop->stdMenu()).at(index)).toMap().value("synonyme").value<Synonyme>();
    };
    EXPECT_EQ(synonymAt(12).nom, "Internet");
    EXPECT_EQ(synonymAt(13).ident, doc->synonymeArray[1].ident);
    pop->selectSynonyme(doc->synonymeArray[1].ident);
    pop->rebuild();
    EXPECT_EQ(checkedTags(pop->stdMenu()), (QList<qint64> {7}));
    EXPECT_TRUE(shown(pop->stdMenu()).at(13)->isChecked());

    // filterMoyen marks whatever the accounts: 2 the counter, transfer, cheque and card families.
    pop->setFilter(false);
    pop->setFilterMoyen(2);
    pop->rebuild();
    EXPECT_EQ(red(), (QList<qint64> {9, 10, 11, 12, 5, 6, 7, 8, -1, -1, -1, -1, 7, 7}));
    ASSERT_TRUE(pop->activateTag(11));
    EXPECT_EQ(controller->received, QStringList {"MOYEN 11"});
}

TEST_F(EntityPopUpTest, AccountsFollowTheTreeWithBanksCarryingTheirAccounts)
{
    auto* pop = controller->add<PopCompte>();
    pop->setPOPcompteCFilter(kFilterBanqueUser | kFilterBanqueLiquide | kFilterBanqueTiers);
    pop->setSelectedTag(22);
    pop->rebuild();
    QMenu* menu = pop->stdMenu();
    EXPECT_EQ(titles(menu), (QStringList {"Banque Nord", "Crédit Rural", "Espèces", "Tiers"}));
    EXPECT_EQ(checkedTags(submenu(menu, 0)), (QList<qint64> {22}));
    EXPECT_TRUE(shown(menu).at(0)->isChecked()); // the bank of the chosen account
    QMenu* rural = submenu(menu, 1);
    EXPECT_EQ(tags(rural), (QList<qint64> {-1, 20, 21}));
    EXPECT_EQ(actions(rural), (QStringList {"CREATE_COMPTED:", "DEBIT:", "DEBIT:"}));
    EXPECT_EQ(StdMenu::representedObject(shown(rural).at(0)).toLongLong(), 10);
    EXPECT_FALSE(shown(rural).at(1)->icon().isNull()); // Courant shows its logo
    // Pictures by ident: the logo, the type's picture, the special one for no account, none for no bank.
    const auto same = [](const QIcon& a, const QIcon& b) { return a.pixmap(16).toImage() == b.pixmap(16).toImage(); };
    EXPECT_TRUE(same(PopCompte::getCompteImage(20, doc.get()), PopCompte::getToolImage(doc->compteHdl[0], doc.get())));
    EXPECT_TRUE(same(PopCompte::getCompteImage(21, doc.get()), StdPopUp::itemImage(QStringLiteral("compte_user"))));
    EXPECT_TRUE(same(PopCompte::getCompteImage(99, doc.get()), StdPopUp::itemImage(QStringLiteral("compte_special"))));
    EXPECT_TRUE(same(PopCompte::getBanqueImage(11, doc.get()), StdPopUp::itemImage(QStringLiteral("banque_contre"))));
    EXPECT_TRUE(PopCompte::getBanqueImage(99, doc.get()).isNull());

    ASSERT_TRUE(pop->activateTag(21));
    EXPECT_EQ(controller->received, QStringList {"DEBIT 21"});

    // A new account is listed at the next opening, at its place in the tree.
    doc->compteHdl.append(tool(kToolCompte, 26, "Actions", kBanqueUser, 10));
    long position = 0;
    insertDeal(kToolCompte, doc->compteHdl.last(), &position, doc.get(), false);
    pop->setCompteDebit(false);
    pop->setCanCreate(false);
    pop->rebuild();
    EXPECT_EQ(tags(submenu(pop->stdMenu(), 1)), (QList<qint64> {26, 20, 21}));
    EXPECT_EQ(actions(submenu(pop->stdMenu(), 1)), (QStringList {"CREDIT:", "CREDIT:", "CREDIT:"}));

    // Banks outside the account filter are shown disabled, without accounts.
    pop->setPOPcompteCFilter(kFilterBanqueUser);
    pop->rebuild();
    EXPECT_EQ(enabled(pop->stdMenu()), (QList<bool> {true, true, false, false}));
    EXPECT_EQ(tags(pop->stdMenu()), (QList<qint64> {0, 0, 2, 11}));
    EXPECT_EQ(submenu(pop->stdMenu(), 2), nullptr);
    EXPECT_EQ(actions(pop->stdMenu()).at(3), "BCREDIT:");
    pop->setPOPcompteCFilter(kFilterBanqueUser | kFilterBanqueTiers);
    pop->rebuild();
    EXPECT_EQ(enabled(pop->stdMenu()), (QList<bool> {true, true, false, true}));

    // Without an account filter the banks themselves are chosen, as the bank filter allows.
    pop->setPOPcompteCFilter(0);
    pop->setPOPcompteBFilter(kFilterBanqueLiquide);
    pop->setCompteDebit(true);
    pop->rebuild();
    EXPECT_EQ(tags(pop->stdMenu()), (QList<qint64> {12, 10, 2, 11}));
    EXPECT_EQ(enabled(pop->stdMenu()), (QList<bool> {false, false, true, false}));
}

TEST_F(EntityPopUpTest, CategoriesSitInTheirFoldersAndTheCreateItemIsNeverMarked)
{
    auto* pop = controller->add<PopPoste>();
    pop->setSelectedTag(3); // the category Électricité; also the ident of the folder Loisirs
    pop->rebuild();
    QMenu* menu = pop->stdMenu();
    EXPECT_EQ(titles(menu), (QStringList {"Loisirs", "Maison"}));
    EXPECT_EQ(tags(menu), (QList<qint64> {3, 2}));
    EXPECT_FALSE(shown(menu).at(0)->icon().isNull()); // Loisirs shows its logo
    EXPECT_EQ(tags(submenu(menu, 0)), (QList<qint64> {3, 4, 5}));
    EXPECT_EQ(tags(submenu(menu, 1)), (QList<qint64> {2, 3, 2}));
    EXPECT_EQ(actions(submenu(menu, 1)), (QStringList {"CREATE_POSTE:", "POSTE:", "POSTE:"}));
    EXPECT_EQ(checkedTags(submenu(menu, 0)), QList<qint64> {});
    EXPECT_EQ(checkedTags(submenu(menu, 1)), (QList<qint64> {3}));
    EXPECT_EQ(checkedTags(menu), (QList<qint64> {2}));

    POSTE poste;
    poste.ident = 6;
    poste.nom = QStringLiteral("Jardin");
    poste.dossierID = 2;
    POSTE::insertPoste(poste, doc->posteHdl);
    pop->rebuild();
    EXPECT_EQ(tags(submenu(pop->stdMenu(), 1)), (QList<qint64> {2, 3, 6, 2}));
    ASSERT_TRUE(pop->activateTag(6));
    EXPECT_EQ(controller->received, QStringList {"POSTE 6"});

    auto* dossiers = controller->add<PopDossier>();
    dossiers->setShowAllDossierOption(true);
    dossiers->rebuild();
    EXPECT_EQ(tags(dossiers->stdMenu()), (QList<qint64> {-1, 3, 2}));
    EXPECT_EQ(actions(dossiers->stdMenu()), (QStringList(3, "DOSSIER:")));
}

TEST_F(EntityPopUpTest, InvestmentTagsCarryTheirKind)
{
    const auto finance = [](long ident, const char* nom) {
        FINANCE f;
        f.ident = ident;
        f.nom = QString::fromUtf8(nom);
        return f;
    };
    TITRE::insertTitre(finance(5, "Air Liquide"), *doc);
    EMPRUNT::insertEmprunt(finance(5, "Prêt maison"), *doc);
    REMUNERE::insertRemunere(finance(2, "Livret A"), *doc);

    PopPlacement alone; // no window to ask for the kinds: nothing
    alone.rebuild();
    EXPECT_TRUE(shown(alone.stdMenu()).isEmpty());

    controller->pickers().setPlacementFilter(true, false, true);
    auto* pop = controller->add<PopPlacement>();
    pop->rebuild();
    QMenu* menu = pop->stdMenu();
    EXPECT_EQ(tags(menu), (QList<qint64> {-1, -1, -1, -1}));
    EXPECT_EQ(enabled(menu), (QList<bool> {true, true, false, true}));
    EXPECT_EQ(actions(menu).first(), "NO_PLACEMENT:");
    EXPECT_EQ(tags(submenu(menu, 1)), (QList<qint64> {0x10000000 | 5}));
    EXPECT_EQ(tags(submenu(menu, 2)), (QList<qint64> {0x20000000 | 2}));
    EXPECT_EQ(tags(submenu(menu, 3)), (QList<qint64> {0x40000000 | 5}));
    pop->setSelectedTag(0x40000000 | 5); // the loan, not the security of the same ident
    pop->rebuild();
    const QList<QAction*> kinds = shown(pop->stdMenu());
    EXPECT_FALSE(kinds.at(0)->isChecked() || kinds.at(1)->isChecked() || kinds.at(2)->isChecked());
    EXPECT_TRUE(kinds.at(3)->isChecked());
    EXPECT_EQ(checkedTags(kinds.at(3)->menu()), (QList<qint64> {0x40000000 | 5}));

    PORTFOLIO::insertPortfolio(finance(5, "PEA"), *doc);
    auto* portfolios = controller->add<PopPortfolio>();
    portfolios->rebuild();
    EXPECT_EQ(tags(portfolios->stdMenu()), (QList<qint64> {-1, 5}));
}

TEST_F(EntityPopUpTest, PositionTaggedListsFollowInsertions)
{
    Synonyme::loadSynonymeAux(QStringLiteral("Téléphone"), 11, doc->synonymeArray);
    auto* synonymes = controller->add<PopSynonyme>();
    synonymes->rebuild();
    ASSERT_EQ(tags(synonymes->stdMenu()), (QList<qint64> {0}));
    Synonyme::loadSynonymeAux(QStringLiteral("Abonnement"), 7, doc->synonymeArray); // sorts first
    synonymes->rebuild();
    EXPECT_EQ(titles(synonymes->stdMenu()), (QStringList {"Abonnement", "Téléphone"}));
    EXPECT_EQ(tags(synonymes->stdMenu()), (QList<qint64> {0, 1}));

    MACRO courses = allocNewMacro();
    courses.nom = QStringLiteral("Courses");
    courses.ch = u'c';
    courses.transact = TRANSACT();
    courses.transact->moyen = 11;
    doc->macroHdl = {courses};
    auto* macros = controller->add<PopMacro>();
    macros->setCan_create(true);
    macros->rebuild();
    EXPECT_EQ(tags(macros->stdMenu()), (QList<qint64> {-1, 0}));
    EXPECT_EQ(actions(macros->stdMenu()), (QStringList {"CREATE_MACRO:", "MACRO:"}));
    EXPECT_EQ(titles(macros->stdMenu()).at(1), "Courses\tAlt+C");

    const QString searches = doc->documentUrl + QStringLiteral("/Contents/Resources/searches/");
    QDir().mkpath(searches);
    for (const char* name : {"Impôts 2023.xml", "v1.2.xml", "notes.txt"})
        testenv::writeFile(searches + QString::fromUtf8(name), "<CRITERE/>");
    scanSavedSearches(doc.get());
    auto* criteres = controller->add<PopCritere>();
    criteres->rebuild();
    EXPECT_EQ(titles(criteres->stdMenu()).mid(1), (QStringList {"Impôts 2023", "v1.2"}));
    EXPECT_EQ(tags(criteres->stdMenu()), (QList<qint64> {-1, 0, 1}));

    // Schedules come in the order of the schedule index, by name.
    for (const char* nom : {"Loyer", "Assurance"}) {
        ECHEANCIER echeancier(doc.get());
        echeancier.nom = QString::fromUtf8(nom);
        addEcheancier(echeancier, doc.get(), -1, nullptr);
    }
    auto* echeanciers = controller->add<PopEcheancier>();
    echeanciers->setCanSelectFirstItem(false);
    echeanciers->rebuild();
    EXPECT_EQ(titles(echeanciers->stdMenu()), (QStringList {"Assurance", "Loyer"}));
    EXPECT_EQ(tags(echeanciers->stdMenu()).first(), echeancierIndexArray(doc.get()).first());
}

TEST_F(EntityPopUpTest, CurrencyPopUpListsUsedSlotsAndShowsTheUnit)
{
    doc->deviseHdl = Devise::defaultDevises();
    for (int slot = 0; slot < kDeviseSlotCount; ++slot)
        doc->deviseHdl[slot].used = slot == 0 || slot == 3;
    auto* pop = controller->add<PopDevise>();
    QLineEdit montant;
    QLabel unit;
    pop->rebuild();
    EXPECT_EQ(tags(pop->stdMenu()), (QList<qint64> {0, 3}));

    pop->setAssociatedMontant(&montant);
    pop->setFieldUnit(&unit);
    pop->rebuild();
    EXPECT_EQ(actions(pop->stdMenu()), (QStringList {"EDIT_CONVERSION:", "DEVISE:", "DEVISE:"}));
    EXPECT_EQ(StdMenu::representedObject(shown(pop->stdMenu()).first()).value<QObject*>(), &montant);

    pop->FILL_DEVISE(3);
    EXPECT_EQ(pop->text(), doc->deviseHdl[3].unit);
    EXPECT_EQ(unit.text(), doc->deviseHdl[3].unit);
    pop->setEnabled(false);
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(unit.graphicsEffect());
    ASSERT_NE(effect, nullptr);
    EXPECT_DOUBLE_EQ(effect->opacity(), 0.5);
    pop->setEnabled(true);
    EXPECT_DOUBLE_EQ(effect->opacity(), 1.0);
}

TEST_F(EntityPopUpTest, OnlyTheStatementWindowImports)
{
    auto* pop = controller->add<PopImportExport>();
    pop->rebuild();
    QMenu* menu = pop->stdMenu();
    ASSERT_EQ(shown(menu).size(), 4);
    EXPECT_EQ(actions(submenu(menu, 0)), QStringList(4, "EXPORTER:"));
    EXPECT_EQ(enabled(submenu(menu, 0)), (QList<bool> {true, true, false, false}));
    EXPECT_EQ(titles(submenu(menu, 1)), (QStringList {"Tableur (Tabulation)", "Tableur (CSV)", "QIF", "OFX"}));
    EXPECT_EQ(enabled(submenu(menu, 1)), QList<bool>(4, false));
    EXPECT_EQ(tags(submenu(menu, 2)), (QList<qint64> {-1, 0, 1, 2, -1, -1, -1, -1, -1}));

    auto* releve = StdWindowController::push<FenReleveController>(makeWindowData({}), 0, true);
    auto* imports = releve->add<PopImportExport>();
    imports->rebuild();
    EXPECT_EQ(enabled(submenu(imports->stdMenu(), 1)), QList<bool>(4, true));
    EXPECT_EQ(tags(submenu(imports->stdMenu(), 1)), (QList<qint64> {0, 1, 2, 3}));
    releve->close();
}

TEST_F(EntityPopUpTest, FixedMenusAndSmallLists)
{
    // The credit side's pop-up sends the credit side's action.
    auto* categorie = controller->add<PopCategorie>();
    categorie->setCompteDebit(false);
    categorie->rebuild();
    EXPECT_EQ(tags(categorie->stdMenu()), (QList<qint64> {2, 0, 1}));
    EXPECT_EQ(actions(categorie->stdMenu()), QStringList(3, "CATEGORIEC:"));

    auto* compute = controller->add<PopAutoCompute>();
    compute->rebuild();
    EXPECT_TRUE(shown(compute->stdMenu()).first()->isEnabled());
    controller->autoCompute = true;
    compute->rebuild();
    EXPECT_FALSE(shown(compute->stdMenu()).first()->isEnabled());

    TAXE::loadTaxeAux(QStringLiteral("TVA 20 %"), 2, 20.0, doc->taxeHdl);
    auto* taxe = controller->add<PopTaxe>();
    taxe->setSelectedTag(-1);
    taxe->rebuild();
    EXPECT_EQ(titles(taxe->stdMenu()), (QStringList {"Pas de taxe", "TVA 20 %"}));
    EXPECT_EQ(checkedTags(taxe->stdMenu()), QList<qint64> {-1});

    // The separator after "no logo" only when there are logos to separate.
    auto* logo = controller->add<PopLogo>();
    logo->rebuild();
    EXPECT_EQ(tags(logo->stdMenu()), (QList<qint64> {-1, 7}));
    EXPECT_FALSE(shown(logo->stdMenu()).at(1)->icon().isNull());
    doc->logoArray.clear();
    logo->rebuild();
    EXPECT_EQ(logo->stdMenu()->actions().size(), 2);
}

// Composes the window and its open menus, as the screen shows them, for a person to look at.
void saveOpenMenus(StdWindow* window, const QList<QWidget*>& menus, const QString& fileName)
{
    QRect all(QPoint(0, 0), window->size());
    for (const QWidget* menu : menus)
        all = all.united(QRect(window->mapFromGlobal(menu->pos()), menu->size()));
    QImage canvas(all.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(QColor(236, 236, 236));
    QPainter painter(&canvas);
    painter.drawImage(-all.topLeft(), window->grab().toImage());
    for (QWidget* menu : menus)
        painter.drawImage(window->mapFromGlobal(menu->pos()) - all.topLeft(), menu->grab().toImage());
    painter.end();
    QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
    EXPECT_TRUE(canvas.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/") + fileName));
}

TEST_F(EntityPopUpTest, OpenMenusLookRight)
{
    auto* comptes = controller->add<PopCompte>();
    comptes->setTitle(QStringLiteral("Compte débité"));
    comptes->setPOPcompteCFilter(kFilterBanqueUser | kFilterBanqueLiquide);
    comptes->setSelectedTag(20);
    auto* postes = controller->add<PopPoste>();
    postes->setTitle(QStringLiteral("Poste"));
    postes->setSelectedTag(4);
    StdWindow* window = controller->window();
    window->show();
    window->layout()->activate();

    const auto openWithSubmenu = [](StdPopUp* pop, int index) -> QList<QWidget*> {
        QMenu* menu = pop->stdMenu();
        menu->popup(pop->mapToGlobal(QPoint(0, pop->height())));
        QAction* parent = shown(menu).at(index);
        menu->setActiveAction(parent);
        if (!parent->menu()->isVisible())
            parent->menu()->popup(menu->mapToGlobal(menu->actionGeometry(parent).topRight()));
        return {menu, parent->menu()};
    };
    const QList<QWidget*> accountMenus = openWithSubmenu(comptes, 1);
    EXPECT_EQ(titles(static_cast<QMenu*>(accountMenus[1])), (QStringList {"Créer un compte…", "Courant", "Livret"}));
    saveOpenMenus(window, accountMenus, QStringLiteral("popup-comptes.png"));
    comptes->stdMenu()->hide();

    const QList<QWidget*> posteMenus = openWithSubmenu(postes, 0);
    saveOpenMenus(window, posteMenus, QStringLiteral("popup-postes.png"));
    postes->stdMenu()->hide();
}

} // namespace

#include "EntityPopUpTest.moc"

// A menu takes "&" for the mark of a keyboard shortcut and hides it: the user's names must show as
// spelt in items, in submenu titles and on the button's face.
TEST_F(EntityPopUpTest, NamesWithAnAmpersandShowAsSpelt)
{
    const auto drawn = [](const QString& text) {
        QString out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'&' && ++i == text.size())
                break;
            out += text[i];
        }
        return out;
    };
    doc->banqueHdl[3].nom = QStringLiteral("Banque du Nord & Sud");
    doc->compteHdl[2].nom = QStringLiteral("Joint & Co");
    doc->dossierHdl[0].nom = QStringLiteral("Maison & jardin");
    auto* comptes = controller->add<PopCompte>();
    comptes->setPOPcompteCFilter(kFilterBanqueUser);
    comptes->rebuild();
    EXPECT_EQ(drawn(shown(comptes->stdMenu()).at(0)->text()), "Banque du Nord & Sud");
    EXPECT_EQ(drawn(shown(submenu(comptes->stdMenu(), 0)).last()->text()), "Joint & Co");
    comptes->setTitle(doc->compteHdl[2].nom);
    EXPECT_EQ(drawn(comptes->text()), "Joint & Co");
    auto* postes = controller->add<PopPoste>();
    postes->rebuild();
    QStringList folders;
    for (const QAction* item : shown(postes->stdMenu()))
        folders << drawn(item->text());
    EXPECT_TRUE(folders.contains("Maison & jardin")) << folders.join(u'|').toStdString();
}
