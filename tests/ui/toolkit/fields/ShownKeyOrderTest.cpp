// Each window takes the keyboard in one order, the one it shows: a round of Tab reaches every
// control once, Shift+Tab goes the exact reverse, and dates typed in one go land in their fields,
// the keys going on past each date into the next field that takes typing.
#include "../../transactions/TransListFixture.h"

#include "analysis/FenEditConfigurationController.h"
#include "entities/FenAskDeclarationController.h"
#include "entities/FenEditBanqueController.h"
#include "entities/FenEditCompteController.h"
#include "entities/FenEditVarianteController.h"
#include "graphs/FenEditGraphiqueController.h"
#include "graphs/FenEditGraphiqueParamController.h"
#include "investments/FenEditFinanceController.h"
#include "investments/FenEditFinanceEmpruntController.h"
#include "investments/FenEditFinanceRemunereController.h"
#include "investments/FenEditFinanceTitreController.h"
#include "schedules/FenEditEcheancierController.h"
#include "schedules/FenEditPrevisionController.h"
#include "schedules/ScheduleEditors.h"
#include "transactions/FenEditReleveController.h"
#include "transactions/FenEditSaisieMultipleController.h"
#include "transactions/FenListingSearchController.h"
#include "transactions/FenRechercheController.h"
#include "transactions/PopOperateur.h"
#include "transactions/RechercheCommand.h"

#include "engines/PrevisionManager.h"
#include "model/AnalyseConfiguration.h"
#include "model/GRAPH.h"
#include "toolkit/dialogs/DECLARATION.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/windowutils.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>

using namespace translist;

namespace {

QString described(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(none)");
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    const QString action = StdActionDispatcher::actionOf(widget);
    if (!action.isEmpty())
        return action;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QString::fromLatin1(widget->metaObject()->className());
}

std::string described(const QList<QWidget*>& widgets)
{
    QStringList names;
    for (const QWidget* widget : widgets)
        names << described(widget);
    return names.join(u' ').toStdString();
}

// What Tab can reach in the window, as Qt decides it.
QList<QWidget*> tabStops(QWidget* window)
{
    QList<QWidget*> stops;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() == window && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()
            && widget->isVisibleTo(window) && !widget->focusProxy())
            stops << widget;
    }
    return stops;
}

// The controls the key meets from start until it comes back there (or loops elsewhere).
QList<QWidget*> round(QWidget* start, bool forward)
{
    QList<QWidget*> met {start};
    for (;;) {
        QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget* now = QApplication::focusWidget();
        if (now == start || met.contains(now))
            return met;
        met << now;
    }
}

class ShownKeyOrderTest : public TransListTest {
protected:
    using Check = std::function<void(StdWindowController&)>;

    static void showActive(QWidget* window)
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
    }
    // Runs the editor C on the check, then closes it as cancelled.
    template <class C> void onEditor(const Check& check)
    {
        ui().onModal<C>([check](C& editor) {
            check(editor);
            UiHost::instance().modal().endModal(editor.window(), 0);
        });
    }
    void openGraph(GRAPH& header)
    {
        header = GRAPH::newGraph(&doc);
        header.modeDate = kModeDateGiven;
        header.graph_date1 = at(1, 1, 2024);
        header.graph_date2 = at(2, 12, 2024);
        editGraphiqueParam<FenEditGraphiqueController>(nullptr, header, -1, 0);
    }
    void openConfiguration(int type);
    std::string typeDates(const char* window, const char* keys);
    // The keys typed from a click in the window's first day field, then OK.
    template <class C> void typeThenOk(const char* keys, const std::function<void(C&)>& first = {})
    {
        ui().onModal<C>([keys, first](C& editor) {
            if (first)
                first(editor);
            showActive(editor.window());
            auto* day = editor.template outlet<QWidget>(QStringLiteral("field_jour1"));
            if (QApplication::focusWidget() != day)
                clickOn(day);
            for (const char* key = keys; *key; ++key) // each to the control that has the keyboard by then
                QTest::keyClick(QApplication::focusWidget(), *key);
            editor.perform(QStringLiteral("OUI:"));
        });
    }
    static std::string day(double t)
    {
        return QStringLiteral("%1/%2/%3 ").arg(dateDay(t)).arg(dateMonth(t)).arg(dateYear(t)).toStdString();
    }
    void open(const char* window, const Check& check);
};

void ShownKeyOrderTest::openConfiguration(int type)
{
    AnalyseConfiguration conf;
    anaConfigSetDefaults(&doc, conf);
    conf.modeDate = kModeDateGiven;
    conf.forceMonth = false;
    conf.date1 = at(1, 1, 2024);
    conf.date2 = at(31, 1, 2024);
    doc.anadefHdl = {conf};
    StdWindowController::pushModal<FenEditConfigurationController>(
        nullptr, makeWindowData({{QStringLiteral("pindex"), 0}, {QStringLiteral("type"), type}}), 0);
}

// Opens the window named, runs the check in it, and cancels it.
void ShownKeyOrderTest::open(const char* window, const Check& check)
{
    const std::string name = window;
    if (name == "entry") {
        onEditor<FenEditSaisieController>(check);
        openSaisieTransact(nullptr, newOf(11));
    } else if (name == "multiple edit") {
        FenTransListController* list = TransListTest::open();
        select(list, {0, 2});
        onEditor<FenEditSaisieMultipleController>(check);
        list->perform(QStringLiteral("EDIT:"));
        list->close();
    } else if (name == "search") {
        onEditor<FenRechercheController>([check](StdWindowController& w) {
            w.outlet<PopOperateur>(QStringLiteral("popup_date"))->choose(long(CritereCompare::Between));
            check(w);
        });
        openRechercheWindow(doc);
    } else if (name == "statement") {
        RELEVE statement;
        statement.date = at(10, 5, 2024);
        onEditor<FenEditReleveController>(check);
        editReleveDialog(nullptr, statement);
    } else if (name == "analysis" || name == "budget") {
        onEditor<FenEditConfigurationController>(check);
        openConfiguration(name == "budget" ? 1 : 0);
    } else if (name == "analysis, folders Seulement") {
        onEditor<FenEditConfigurationController>([check](StdWindowController& editor) {
            auto* mode = editor.outlet<QComboBox>(QStringLiteral("popup_modeposte"));
            mode->setCurrentIndex(mode->findData(kSelectionOnly));
            editor.perform(QStringLiteral("MODEPOSTE:"), mode);
            check(editor);
        });
        openConfiguration(0);
    } else if (name == "declaration") {
        DECLARATION declaration {2, at(1, 1, 2024), at(31, 1, 2024)};
        onEditor<FenAskDeclarationController>(check);
        askDeclaration(nullptr, declaration);
    } else if (name == "graph") {
        GRAPH header;
        onEditor<FenEditGraphiqueController>(check);
        openGraph(header);
    } else if (name == "forecast") {
        Prevision p = Prevision::newPrevision(&doc);
        p.transact.when = at(1, 1, 2024);
        const long ident = PrevisionManager::sharedManager().addIndexedPrevisionReference(p, &doc, -1, nullptr);
        onEditor<FenEditPrevisionController>(check);
        editIndexedPrevision(nullptr, doc, ident);
    } else if (name == "schedule") {
        ECHEANCIER loyer = doc.echeancierHdl[0];
        onEditor<FenEditEcheancierController>(check);
        editEcheancier(nullptr, doc, loyer);
    } else if (name == "card" || name == "cheque book") {
        VARIANTE variante = doc.moyenHdl[name == "card" ? 1 : 0].variantes[0];
        if (variante.moyenType != kFamilyChequeDebit)
            onEditor<FenEditVarianteCarteController>(check);
        else
            onEditor<FenEditVarianteChequeController>(check);
        editVariante(nullptr, variante, doc, [](long) {});
    } else if (name == "bank") {
        onEditor<FenEditBanqueController>(check);
        editBanqueDialog(nullptr, *getTool(kToolBanque, 10, &doc), doc);
    } else if (name == "account") {
        onEditor<FenEditCompteController>(check);
        editCompteDialog(nullptr, *getTool(kToolCompte, 7, &doc), doc);
    } else {
        FINANCE item;
        FinanceKind kind = FinanceKind::Emprunt;
        if (name == "security") {
            kind = FinanceKind::Titre;
            onEditor<FenEditFinanceTitreController>(check);
        } else if (name == "savings") {
            kind = FinanceKind::Remunere;
            onEditor<FenEditFinanceRemunereController>(check);
        } else {
            onEditor<FenEditFinanceEmpruntController>(check);
        }
        editFinanceModal(nullptr, kind, item);
    }
}

// The dates (and amount) the window saved once the keys were typed.
std::string ShownKeyOrderTest::typeDates(const char* window, const char* keys)
{
    const std::string name = window;
    if (name == "graph") {
        GRAPH header;
        typeThenOk<FenEditGraphiqueController>(keys);
        openGraph(header);
        return day(header.graph_date1) + day(header.graph_date2);
    }
    if (name == "entry") {
        doc.transact_array.clear();
        typeThenOk<FenEditSaisieController>(keys, [](FenEditSaisieController& w) { choose(w, "pop_compteC", 22); });
        openSaisieTransact(nullptr, newOf(11));
        if (doc.transact_array.size() != 1)
            return "none";
        const TRANSACT& saved = doc.transact_array[0];
        return day(saved.when) + QString::number(std::abs(saved.solde.values[0])).toStdString();
    }
    if (name == "declaration") {
        DECLARATION declaration {2, at(1, 1, 2024), at(31, 1, 2024)};
        typeThenOk<FenAskDeclarationController>(keys);
        askDeclaration(nullptr, declaration);
        return day(declaration.date1) + day(declaration.date2);
    }
    typeThenOk<FenRechercheController>(keys, [](FenRechercheController& w) {
        w.outlet<PopOperateur>(QStringLiteral("popup_date"))->choose(long(CritereCompare::Between));
    });
    openRechercheWindow(doc);
    while (auto* found = findOpenWindowController<FenListingSearchController>(-1, -1, -1, -1, -1, -1, -1, -1))
        found->close();
    return day(FenRechercheController::critere().date1) + day(FenRechercheController::critere().date2);
}

} // namespace

TEST_F(ShownKeyOrderTest, TabGoesRoundEveryControlOnceInTheShownOrderAndShiftTabGoesBack)
{
    const struct {
        const char* window;
        std::vector<const char*> shown; // some of its controls in the order the window shows them
    } cases[] = {
        {"entry",
         {"pop_moyen", "pop_help", "qt_tabwidget_tabbar", "field_jour1", "field_annee1", "button_calendrier",
          "field_montant", "button_note", "button_annuler", "button_ok"}},
        {"multiple edit", {}},
        {"search",
         {"popup_date", "field_jour1", "field_annee1", "button_calendrier1", "field_jour2", "field_annee2",
          "button_calendrier2", "popup_montant", "button_annuler", "button_ok"}},
        {"statement", {"field_nom", "field_jour1", "field_annee1", "button_calendrier", "POINTER:", "NON:", "OUI:"}},
        {"analysis", {"field_jour1", "field_annee2", "button_calendrier2", "checkbox_montrer_mois_complets"}},
        {"analysis, folders Seulement",
         {"button_calendrier2", "checkbox_montrer_mois_complets", "checkbox_montrer_detail_mensuel", "popup_fiscalite",
          "pop_compteC", "popup_modeposte", "pop_dossier", "popup_modecompte", "NON:", "OUI:"}},
        {"budget", {}},
        {"declaration", {"field_jour1", "field_annee1", "field_jour2", "field_annee2"}},
        {"graph",
         {"pop_configuration", "EFFACER", "cb_poste", "pop_banqueD", "cb_prevision", "popup_totaux", "popup_modedate",
          "field_annee1", "field_jour2", "field_annee2", "cb_mois_complet", "popup_grouper", "but_NON", "but_OK"}},
        {"forecast", {}},
        {"schedule", {}},
        {"card",
         {"field_nom", "field_numero", "field_jour1", "field_annee1", "field_alerte", "pop_logo", "NON:", "OUI:"}},
        {"cheque book", {}},
        {"bank", {}},
        {"account", {}},
        {"security", {}},
        {"savings", {}},
        {"loan", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        bool ran = false;
        open(c.window, [&](StdWindowController& editor) {
            ran = true;
            showActive(editor.window());
            QWidget* start = QApplication::focusWidget();
            ASSERT_NE(start, nullptr);
            const QList<QWidget*> forward = round(start, true);
            QList<QWidget*> backward = round(start, false);
            std::reverse(backward.begin() + 1, backward.end());
            EXPECT_EQ(described(backward), described(forward)) << "Shift+Tab, reversed";
            QList<QWidget*> stops = tabStops(editor.window());
            EXPECT_EQ(forward.size(), stops.size()) << described(forward);
            for (QWidget* stop : stops)
                EXPECT_TRUE(forward.contains(stop))
                    << described(stop).toStdString() << " out of " << described(forward);
            QStringList names;
            for (const QWidget* widget : forward)
                names << described(widget);
            if (!c.shown.empty()) // the round from the first named
                std::rotate(names.begin(),
                            names.begin() + std::max<qsizetype>(0, names.indexOf(QString::fromLatin1(c.shown[0]))),
                            names.end());
            qsizetype at = -1;
            for (const char* name : c.shown) {
                const qsizetype found = names.indexOf(QString::fromLatin1(name), at + 1);
                EXPECT_GT(found, at) << name << " after the one before in " << described(forward);
                at = std::max(at, found);
            }
        });
        EXPECT_TRUE(ran);
    }
}

TEST_F(ShownKeyOrderTest, DatesTypedInOneGoLandInTheirFields)
{
    const struct {
        const char* window;
        const char* keys;
        const char* saved;
    } cases[] = {
        {"graph", "0101202515062026", "1/1/2025 15/6/2026 "},
        {"entry", "0303202650", "3/3/2026 50"},
        {"search", "0101202631122026", "1/1/2026 31/12/2026 "},
        {"declaration", "0102202428022025", "1/2/2024 28/2/2025 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        EXPECT_EQ(typeDates(c.window, c.keys), c.saved);
    }
}
