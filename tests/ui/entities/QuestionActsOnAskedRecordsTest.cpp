// A question of an entity window leaves the other windows usable; here it runs in a real event loop,
// where another window adds a record (which the list may then select) or gives a use to the one
// asked about before the user answers yes. The answer acts on the records asked about, nothing else.
#include "entities/FenBanqueController.h"
#include "entities/FenDossierController.h"
#include "entities/FenMacroController.h"
#include "entities/FenReglesController.h"
#include "entities/FenTaxeController.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/tables/StdTableView.h"
#include "uisupport/UiTestFixture.h"

#include "foundation/broadcast.h"
#include "model/DOCUMENT.h"
#include "model/PosteFile.h"
#include "model/TransactOps.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

// In the question's event loop, the user answers yes ("Oui", "OK") to the question up, and to any
// question its answer brings.
void answerYes()
{
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>()) {
            if (button->text() == "Oui" || button->text() == "OK") {
                answerYes();
                return button->click();
            }
        }
    });
}

template <class List, class Field> QString names(const List& list, Field field)
{
    QStringList out;
    for (const auto& record : list)
        out << record.*field;
    return out.join(u',');
}

// The lists the cases touch, the number of folders and the folder of the category "Péage".
QString state(const DOCUMENT& doc)
{
    const POSTE* peage = POSTE::posteWithIdent(99, doc);
    return QStringList {names(doc.taxeHdl, &TAXE::nom),         names(doc.macroHdl, &MACRO::nom),
                        names(doc.reglesArray, &REGLE::title),  names(doc.compteHdl, &TOOL::nom),
                        QString::number(doc.dossierHdl.size()), peage ? QString::number(peage->dossierID) : ""}
        .join(u'|');
}

void household(DOCUMENT& doc)
{
    testenv::addDefaultDocParam(doc);
    doc.banqueHdl = {testenv::tool(kToolBanque, 10, "Banque du Centre", kBanqueUser)};
    doc.compteHdl = {testenv::tool(kToolCompte, 20, "Compte courant", kBanqueUser, 10),
                     testenv::tool(kToolCompte, 21, "Livret A", kBanqueUser, 10)};
    std::tie(doc.dossierHdl, doc.posteHdl) = std::pair(defaultDossiers(), defaultPostes());
    doc.taxeHdl = {{2, 10, QStringLiteral("TVA 10 %")}, {3, 20, QStringLiteral("TVA 20 %")}};
    doc.macroHdl = {{0, QStringLiteral("Loyer"), {}}, {0, QStringLiteral("Pain"), {}}};
    doc.reglesArray
        = {{.title = QStringLiteral("Boulangerie"), .mots = {}}, {.title = QStringLiteral("Loyer"), .mots = {}}};
}

StdWindowWithTableController* select(StdWindowWithTableController* window, int row1, int row2 = -1)
{
    window->table1()->GO(row1);
    if (row2 >= 0)
        window->table2()->GO(row2);
    return window;
}

struct Case {
    const char* name;
    StdWindowWithTableController* (*open)(); // with the rows asked about selected
    const char* action;
    void (*meanwhile)(DOCUMENT&);
    const char* expected;
};

using QuestionActsOnAskedRecords = UiTestFixture;

TEST_F(QuestionActsOnAskedRecords, TheAnswerActsOnTheRecordsAskedAboutWhateverTheOtherWindowsDidMeanwhile)
{
    const Case cases[] = {
        {"a tax added before the one asked about", [] { return select(FenTaxeController::openTaxes(0), 1); },
         "SUPPRIMER:",
         [](DOCUMENT& doc) {
             TAXE::insertTaxe({5, 19.6, QStringLiteral("Ancienne TVA")}, doc.taxeHdl);
         },
         "Ancienne TVA,TVA 10 %|Loyer,Pain|Boulangerie,Loyer|Compte courant,Livret A|11|"},
        {"a macro made in the entry window, which the list selects", [] { return select(showMacros(), 1); },
         "SUPPRIMER:",
         [](DOCUMENT& doc) {
             doc.macroHdl.prepend({0, QStringLiteral("Assurance"), {}});
             sendToAllWindowDelegates("NOTIFY_NEW_MACRO", qlonglong(0));
         },
         "TVA 10 %,TVA 20 %|Assurance,Loyer|Boulangerie,Loyer|Compte courant,Livret A|11|"},
        {"every rule, while an import learnt one", [] { return select(showRegles(), 0); }, "SUPPRIMERTOUT:",
         [](DOCUMENT& doc) { doc.reglesArray.prepend({.title = QStringLiteral("Péage"), .mots = {}}); },
         "TVA 10 %,TVA 20 %|Loyer,Pain|Péage|Compte courant,Livret A|11|"},
        {"an account that gained a transaction", [] { return select(showBanques(), 0, 1); }, "SUPPRIMERC:",
         [](DOCUMENT& doc) {
             TRANSACT t;
             std::tie(t.who1, t.who2) = std::pair(20L, 21L);
             makeTransact(t, nullptr, &doc, true, true);
         },
         "TVA 10 %,TVA 20 %|Loyer,Pain|Boulangerie,Loyer|Compte courant,Livret A|11|"},
        // "Voiture" (row 9, before "À classer") goes once the replacement, the default folder, takes
        // in the category the user never saw in it.
        {"a folder that gained a category", [] { return select(showDossiers(), 9); }, "SUPPRIMER_DOSSIER:",
         [](DOCUMENT& doc) {
             POSTE::insertPoste({false, 99, 11, QStringLiteral("Péage")}, doc.posteHdl);
             sendToAllWindowDelegates("REBUILD_LIST");
         },
         "TVA 10 %,TVA 20 %|Loyer,Pain|Boulangerie,Loyer|Compte courant,Livret A|10|1"},
    };
    UiHost::Services services = testServices();
    services.alerts = std::make_unique<QtAlertPresenter>();
    UiHost asking(std::move(services));
    UiHost::install(&asking);
    auto& runner = dynamic_cast<TestModalRunner&>(asking.modal());
    // The replacements asked for: no tax, and the folder the dialog offers.
    runner.scripts["FenAskSubstTaxeController"].push_back([](const ModalRequest& run) {
        auto* dialog = qobject_cast<StdWindowController*>(run.controller);
        dialog->pickers().taxeID = -1;
        dialog->perform("OUI:");
    });
    runner.scripts["FenAskSubstDossierController"].push_back(
        [](const ModalRequest& run) { qobject_cast<StdWindowController*>(run.controller)->perform("OUI:"); });
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        DOCUMENT doc {QString(), kFileSystemLocal};
        household(doc);
        testenv::OpenDocument opened(doc);
        QPointer<StdWindowWithTableController> window = each.open();
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) << "no question up";
            each.meanwhile(doc);
            answerYes();
        });
        window->perform(QString::fromLatin1(each.action));
        EXPECT_EQ(state(doc).toStdString(), each.expected);
        window->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    UiHost::install(&ui());
}

} // namespace
