// Escape at a question gives the answer that changes nothing, never another, whichever button
// Return presses: played with real runs and real questions, and read in the document as saved.
#include "entities/FenBanqueController.h"
#include "entities/FenTaxeController.h"
#include "schedules/FenEcheancierController.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "ui/app/ShellFixture.h"

#include "document/APPLIPARAM.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace {

class EscapeAtAQuestion : public ShellFixture {
protected:
    // What the user does once a window of that class (a QMessageBox for an alert) is in front.
    struct Act {
        const char* front;
        std::function<void(QWidget*)> act;
    };

    EscapeAtAQuestion()
    {
        url = testenv::freshDir(QStringLiteral("escape")) + QStringLiteral("/Famille.svd");
        UiHost::Services services = testServices();
        services.modal = std::make_unique<QtModalRunner>();
        services.alerts = std::make_unique<QtAlertPresenter>();
        panels = static_cast<TestFilePanels*>(services.panels.get());
        real = std::make_unique<UiHost>(std::move(services));
        UiHost::install(real.get());
    }
    ~EscapeAtAQuestion() override { UiHost::install(&ui()); }

    void start()
    {
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        QDir(url).removeRecursively();
        copyQuietSample(url);
        ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        closePaletteOutils();
    }
    DOCUMENT& doc() { return *delegate->document(); }
    QString saved(const char* member) const
    {
        QFile file(url + QStringLiteral("/Contents/Resources/") + QLatin1String(member));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static Act escape(const char* front)
    {
        return {front, [](QWidget* window) {
                    QWidget* focus = window->focusWidget();
                    QTest::keyClick(focus ? focus : window, Qt::Key_Escape);
                }};
    }
    static Act click(const char* title)
    {
        return {"QMessageBox", [title](QWidget* box) {
                    for (QAbstractButton* button : static_cast<QMessageBox*>(box)->buttons()) {
                        if (button->text() == QString::fromUtf8(title))
                            return button->click();
                    }
                    ADD_FAILURE() << "no button " << title;
                }};
    }

    // The acts in turn, each once its window is the active modal one; what is left open when the
    // user is done is ended, so that a case gone wrong fails rather than hangs.
    void play(std::vector<Act> acts, const std::function<void()>& ask)
    {
        QObject turn;
        std::size_t next = 0;
        int tries = 0;
        const QWidget* last = nullptr;
        std::function<void()> step = [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (next < acts.size() && window && window != last && window == QApplication::activeWindow()
                && inherits(window, acts[next].front)) {
                last = window;
                tries = 0;
                acts[next++].act(window);
            } else if (++tries > 400) {
                if (next < acts.size())
                    ADD_FAILURE() << acts[next].front << " never came forward";
                else if (window)
                    ADD_FAILURE() << "the key left its question open";
                next = acts.size();
                if (auto* box = qobject_cast<QMessageBox*>(window))
                    box->done(0);
                else if (window)
                    UiHost::instance().modal().endModal(window, 0);
                else
                    return;
            } else if (next >= acts.size() && !window) {
                return;
            }
            QTimer::singleShot(5, &turn, step);
        };
        QTimer::singleShot(0, &turn, step);
        ask();
        EXPECT_EQ(next, acts.size());
        EXPECT_EQ(UiHost::instance().modalDepth(), 0) << "a question was left open";
    }
    static bool inherits(QWidget* window, const char* className)
    {
        if (auto* std = qobject_cast<StdWindow*>(window))
            return std->controller() && std->controller()->inherits(className);
        return window->inherits(className);
    }
    static int rowOf(StdWindowWithTableController& window, const QString& title)
    {
        for (int row = 0; row < window.table1()->numberOfRows(); ++row) {
            const StdCell* cell = window.viewForTableColumn1(window.table1(), row);
            if (cell && cell->rowTexts().join(u'|').startsWith(title + u'|'))
                return row;
        }
        return -1;
    }

    long taxeRow(long ident)
    {
        for (qsizetype row = 0; row < doc().taxeHdl.size(); ++row) {
            if (doc().taxeHdl.at(row).ident == ident)
                return long(row);
        }
        return -1;
    }

    QString url;
    std::unique_ptr<UiHost> real;
    TestFilePanels* panels = nullptr;
};

TEST_F(EscapeAtAQuestion, GivesTheAnswerThatChangesNothing)
{
    struct Case {
        const char* name;
        std::function<void()> ask;
        std::vector<Act> acts;
        const char* member; // the member file that must still hold the record asked about
        const char* record;
    };
    const auto deleteTax = [this] {
        FenTaxeController* taxes = FenTaxeController::openTaxes(0);
        taxes->table1()->GO(int(taxeRow(3)));
        taxes->perform(QStringLiteral("SUPPRIMER:"));
    };
    const std::vector<Case> cases = {
        // Return there keeps the schedule too: its safe answer is the default button.
        {"a schedule's deletion",
         [] {
             FenEcheancierController* list = FenEcheancierController::openEcheanciers(0);
             list->table1()->GO(rowOf(*list, QStringLiteral("Loyer")));
             list->perform(QStringLiteral("SUPPRIMER:"));
         },
         {escape("FenAskPoursuivreController")},
         "chrono.xml",
         "<chronoID>40</chronoID>"},
        {"a tax's deletion", deleteTax, {escape("QMessageBox")}, "taxe.xml", "TVA 5,5 %"},
        // Return in the replacement deletes the tax.
        {"a tax's replacement", deleteTax, {click("OK"), escape("FenAskSubstTaxeController")}, "taxe.xml", "TVA 5,5 %"},
        {"an account's deletion",
         [] {
             // A third party with transactions: it would be archived.
             FenBanqueController* banques = showBanques(true);
             for (int bank = 0; bank < banques->table1()->numberOfRows(); ++bank) {
                 banques->table1()->GO(bank);
                 for (int row = 0; row < banques->table2()->numberOfRows(); ++row) {
                     const StdCell* cell = banques->viewForTableColumn2(banques->table2(), row);
                     if (cell && cell->rowTexts().value(1) == QLatin1String("Employeur")) {
                         banques->table2()->GO(row);
                         banques->perform(QStringLiteral("SUPPRIMERC:"));
                         return;
                     }
                 }
             }
             ADD_FAILURE() << "no account Employeur";
         },
         {escape("QMessageBox")},
         "compte.xml",
         "<nom>Compte courant</nom>"},
        // "Non" there would close without saving.
        {"the save question of a quit",
         [this] { delegate->terminate(nullptr); },
         {escape("QMessageBox")},
         nullptr,
         nullptr},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        start();
        const qsizetype taxes = doc().taxeHdl.size();
        const qsizetype schedules = doc().echeancierHdl.size();
        const qsizetype accounts = doc().compteHdl.size();
        play(each.acts, each.ask);
        ASSERT_TRUE(delegate->bankIsOpen()) << "nothing closed the document";
        EXPECT_EQ(doc().taxeHdl.size(), taxes);
        EXPECT_EQ(doc().echeancierHdl.size(), schedules);
        EXPECT_EQ(doc().compteHdl.size(), accounts);
        if (!each.member)
            continue;
        delegate->ENREGISTRER_DOCUMENT(nullptr);
        EXPECT_TRUE(saved(each.member).contains(QString::fromUtf8(each.record))) << "as saved";
        EXPECT_TRUE(saved("transact.xml").contains(QStringLiteral("<chronoID>40</chronoID>")))
            << "the schedule's transactions keep their link";
    }
}

// The copy reminder's safe answer is "next time": neither a copy nor the period started again.
TEST_F(EscapeAtAQuestion, TheCopyReminderAsksAgainNextTime)
{
    start();
    APPLIPARAM::loadAppliParam().everyDaysManualSave = 1;
    APPLIPARAM::loadAppliParam().autoSaveWhenQuit = true;
    APPLIPARAM::saveAppliParam();
    const double lastCopy = doc().docParam->lastManualSave;
    play({escape("QMessageBox")}, [&] { delegate->FERMER_DOCUMENT(nullptr); });
    EXPECT_FALSE(delegate->bankIsOpen());
    bool error = false;
    EXPECT_EQ(DOCPARAM::loadDocParam(url, &error)->lastManualSave, lastCopy);
    EXPECT_TRUE(panels->saves.isEmpty()) << "no copy was asked for";
}

} // namespace
