// Escape at a question gives the answer that changes nothing, never another, whichever button
// Return presses: played with real runs and real questions, and read in the document as saved.
#include "app/FenRecentController.h"
#include "entities/FenBanqueController.h"
#include "entities/FenTaxeController.h"
#include "schedules/FenEcheancierController.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenListingPosteController.h"
#include "transactions/SaisieRoutine.h"
#include "ui/app/ShellFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "document/FileSystemOps.h"
#include "foundation/files.h"
#include "foundation/xmlfileaccess.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "model/VARIANTE.h"
#include "support/PackageSnapshot.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <functional>
#include <vector>

namespace {

constexpr long kCompteCourant = 1001;
constexpr long kLandlord = 2002;

// What the user has no right to do, refused as the system would refuse it (the tests run as root,
// who may write anywhere): writing the package readOnly, copying anything when a backup is made.
class RefusingFiles : public FileSystemOps {
public:
    RefusingFiles() { FileSystemOps::install(this); }
    ~RefusingFiles() override { FileSystemOps::install(nullptr); }
    RefusingFiles(const RefusingFiles&) = delete;
    RefusingFiles& operator=(const RefusingFiles&) = delete;

    QString readOnly;
    int copyError = 0;

    bool isWritable(const QString& path) override
    {
        return (readOnly.isEmpty() || !path.startsWith(readOnly)) && FileSystemOps::isWritable(path);
    }
    bool cloneItem(const QString& from, const QString& to, const CloneOptions& options, int* error) override
    {
        if (copyError == 0)
            return FileSystemOps::cloneItem(from, to, options, error);
        *error = copyError;
        return false;
    }
};

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

    // The sample alone in its folder, closed.
    void place()
    {
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        copyQuietSample(url);
    }
    void start()
    {
        place();
        ASSERT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        closePaletteOutils();
    }
    QString folder() const { return QFileInfo(url).path(); }
    DOCUMENT& doc() { return *delegate->document(); }
    // The member file as saved, without the line breaks and indents between its tags.
    QString saved(const char* member) const
    {
        QFile file(url + QStringLiteral("/Contents/Resources/") + QLatin1String(member));
        return file.open(QIODevice::ReadOnly)
            ? QString::fromUtf8(file.readAll())
                  .replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"))
            : QString();
    }

    static Act escape(const char* front)
    {
        return {front, [](QWidget* window) {
                    QWidget* focus = window->focusWidget();
                    QTest::keyClick(focus ? focus : window, Qt::Key_Escape);
                }};
    }
    // The question of that key of "Dialogue" (its text up to its first argument), left by Escape.
    static Act escapeAt(const char* key)
    {
        return {"QMessageBox", [key](QWidget* box) {
                    const QString asked = localizedDialogue(QString::fromLatin1(key)).section(u'%', 0, 0);
                    EXPECT_TRUE(static_cast<QMessageBox*>(box)->text().startsWith(asked)) << key;
                    QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Escape);
                }};
    }
    // A payment of 12 to the landlord in the entry window, under that number when one is given, in
    // that year when one is given; OK is pressed once the act is over, so that the question it
    // raises is the next act's.
    static Act enterPayment(const char* number, const char* year = nullptr)
    {
        return {"FenEditSaisieController", [number, year](QWidget* window) {
                    auto* entry = qobject_cast<StdWindowController*>(static_cast<StdWindow*>(window)->controller());
                    auto* payee = entry->outlet<StdPopUp>(QStringLiteral("pop_compteC"));
                    payee->rebuild();
                    EXPECT_TRUE(payee->activateTag(kLandlord));
                    WindowDriver driver(window);
                    if (number)
                        driver.type(QStringLiteral("field_reference"), QString::fromLatin1(number));
                    driver.type(QStringLiteral("field_montant"), QStringLiteral("12"));
                    if (year)
                        driver.type(QStringLiteral("field_annee1"), QString::fromLatin1(year));
                    QTimer::singleShot(0, window, [window] { WindowDriver(window).click(QStringLiteral("OUI:")); });
                }};
    }
    // A button of the window in front, by its action.
    static Act press(const char* front, const char* action)
    {
        return {front, [action](QWidget* window) { WindowDriver(window).click(QString::fromLatin1(action)); }};
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

    static SaisieRequest payment(int family)
    {
        SaisieRequest request;
        request.fam = family;
        request.ident = kCompteCourant;
        request.forReal = true;
        return request;
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
        std::function<std::string()> files = nullptr; // what is on disk outside the document, kept
        qsizetype recorded = 0; // the transactions the answer records
    };
    const auto deleteTax = [this] {
        FenTaxeController* taxes = FenTaxeController::openTaxes(0);
        taxes->table1()->GO(int(taxeRow(3)));
        taxes->perform(QStringLiteral("SUPPRIMER:"));
    };
    // A closed document of the browser's, and another one a copy could be saved over.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString budget = documents + QStringLiteral("/Budget.svd");
    const QString other = folder() + QStringLiteral("/Maison.svd");
    QPointer<FenRecentController> browser;
    const auto inBrowser = [&](const char* action) {
        return [&browser, action] {
            FenRecentController::setStorageNoticeShown(true);
            browser = StdWindowController::push<FenRecentController>(nullptr, 0, true);
            browser->start();
            ASSERT_TRUE(browser->GOTO_NAME(QStringLiteral("Budget")));
            browser->perform(QString::fromLatin1(action));
        };
    };
    const auto browsed = [&] { return testenv::packageSnapshot(documents) + testenv::packageSnapshot(folder()); };
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
        // "Non" there would switch the warning off for good.
        {"the cheque book's end",
         [] { openSaisieTransact(nullptr, payment(kFamilyChequeDebit)); },
         {enterPayment("1234521"), escapeAt("kConfirm_EndOfChequier")},
         "moyen.xml",
         "<alerte>5</alerte><alerteDone>0</alerteDone>",
         nullptr,
         1},
        {"the card's end",
         [] { openSaisieTransact(nullptr, payment(kFamilyCarteDebit)); },
         {enterPayment(nullptr), escapeAt("kConfirm_EndOfCarte")},
         "moyen.xml",
         "<limite>1500.000000</limite><alerte>0</alerte><alerteDone>0</alerteDone>",
         nullptr,
         1},
        // "Non" there would close without saving.
        {"the save question of a quit",
         [this] { delegate->terminate(nullptr); },
         {escape("QMessageBox")},
         nullptr,
         nullptr},
        {"a save that failed, at the close",
         [this] {
             setXmlWriteFaultForTesting(
                 [](const QString& path) { return path.endsWith(QLatin1String("/transact.xml")) ? ENOSPC : 0; });
             delegate->FERMER_DOCUMENT(nullptr);
         },
         {click("Oui"), escapeAt("kQuestion_CannotSaveDoc"), escapeAt("kAlerte_CannotSaveDoc"),
          escapeAt("kConfirm_CloseWithoutSaving")},
         nullptr,
         nullptr},
        {"a list's deletion of transactions",
         [this] {
             FenListingPosteController* list
                 = openListingPoste(doc(), doc().transact_array.constFirst().posteID, 0, true);
             list->table1()->selectAll();
             list->EFFACER(nullptr);
         },
         {escapeAt("kConfirm_SuppTrans")},
         "transact.xml",
         "<chronoID>40</chronoID>"},
        // "OK" there would record the transaction in 2040.
        {"a date five years away",
         [] { openSaisieTransact(nullptr, payment(kFamilyChequeDebit)); },
         {enterPayment("1234500", "2040"), escapeAt("kConfirm_FarDate"), press("FenEditSaisieController", "NON:")},
         "transact.xml",
         "<chronoID>40</chronoID>"},
        {"a document's deletion in the browser",
         inBrowser("SUPPRIMER:"),
         {escapeAt("kConfirm_SuppDocument")},
         nullptr,
         nullptr,
         browsed},
        // The panel comes back after the question: closed, it ends the copy.
        {"a copy over another document",
         inBrowser("ENREGISTRER_COPIE:"),
         {escapeAt("kConfirm_ReplaceExisting")},
         nullptr,
         nullptr,
         browsed},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        start();
        QDir(budget).removeRecursively();
        ASSERT_TRUE(copyItemAtPath(url, budget));
        ASSERT_TRUE(copyItemAtPath(url, other));
        panels->saveAnswers = {other, QString()};
        const std::string files = each.files ? each.files() : std::string();
        const qsizetype taxes = doc().taxeHdl.size();
        const qsizetype schedules = doc().echeancierHdl.size();
        const qsizetype accounts = doc().compteHdl.size();
        const qsizetype transactions = doc().transact_array.size();
        play(each.acts, each.ask);
        setXmlWriteFaultForTesting(nullptr);
        delete browser.data();
        ASSERT_TRUE(delegate->bankIsOpen()) << "nothing closed the document";
        EXPECT_EQ(doc().taxeHdl.size(), taxes);
        EXPECT_EQ(doc().echeancierHdl.size(), schedules);
        EXPECT_EQ(doc().compteHdl.size(), accounts);
        EXPECT_EQ(doc().transact_array.size(), transactions + each.recorded);
        if (each.files) {
            EXPECT_EQ(each.files(), files) << "nothing deleted or replaced";
        }
        if (!each.member)
            continue;
        delegate->ENREGISTRER_DOCUMENT(nullptr);
        EXPECT_TRUE(saved(each.member).contains(QString::fromUtf8(each.record))) << "as saved";
        EXPECT_TRUE(saved("transact.xml").contains(QStringLiteral("<chronoID>40</chronoID>")))
            << "the schedule's transactions keep their link";
    }
}

// The questions of an opening or a save: Escape opens nothing, saves nothing, and nothing in the
// document's folder is made, renamed or written.
TEST_F(EscapeAtAQuestion, AtAnOpeningOrASaveLeavesTheFilesAsTheyWere)
{
    struct Case {
        const char* name;
        std::function<void()> prepare; // once the sample is in its folder
        const char* question;
        bool save; // asked by a save of the open document, else by its opening
        const char* then = nullptr; // the alert that follows the answer, left by Escape too
    };
    RefusingFiles files;
    const auto backups = [] {
        APPLIPARAM::loadAppliParam().nbSauvNew = 2;
        APPLIPARAM::saveAppliParam();
    };
    const std::vector<Case> cases = {
        {"a damaged document",
         [this] {
             QFile transactions(url + QStringLiteral("/Contents/Resources/transact.xml"));
             ASSERT_TRUE(transactions.open(QIODevice::WriteOnly | QIODevice::Truncate));
             transactions.write("<list><transact>");
         },
         "kAlerte_CannotOpenDoc", false},
        {"a document not found, its old namesake beside it",
         [this] { ASSERT_TRUE(QDir().rename(url, folder() + QStringLiteral("/Famille.old.svd"))); },
         "kConfirm_DocumentNotFoundTakeOld", false},
        {"a read-only document", [&] { files.readOnly = url; }, "kConfirm_ReadOnlyDocument", false},
        {"a backup folder without permission",
         [&] {
             backups();
             files.copyError = EACCES;
         },
         "kConfirm_PbSauvegarde_Droit", false},
        {"a backup that failed",
         [&] {
             backups();
             files.copyError = EIO;
         },
         "kConfirm_PbSauvegarde", false},
        {"a member that can't be saved",
         [] {
             setXmlWriteFaultForTesting(
                 [](const QString& path) { return path.endsWith(QLatin1String("/transact.xml")) ? ENOSPC : 0; });
         },
         "kQuestion_CannotSaveDoc", true, "kAlerte_CannotSaveDoc"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        if (each.save)
            start();
        else
            place();
        each.prepare();
        const std::string before = testenv::packageSnapshot(folder());
        std::vector<Act> acts {escapeAt(each.question)};
        if (each.then)
            acts.push_back(escapeAt(each.then));
        play(acts, [&] {
            if (each.save)
                delegate->ENREGISTRER_DOCUMENT(nullptr);
            else
                delegate->openSorvFile(url, kFileSystemLocal);
        });
        setXmlWriteFaultForTesting(nullptr);
        files.readOnly.clear();
        files.copyError = 0;
        APPLIPARAM::loadAppliParam().nbSauvNew = 0;
        APPLIPARAM::saveAppliParam();
        EXPECT_EQ(delegate->bankIsOpen(), each.save);
        EXPECT_EQ(testenv::packageSnapshot(folder()), before);
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
