// Closing a year from the delegate on a document with transactions before and after the date:
// the new document on disk and opened in place of the old, each cancel, a failure.
#include "ShellFixture.h"

#include "app/FenPasswordController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/dialogs/FenCalendrierController2.h"

#include "document/BEFOREPARAM.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

double noon(int y, int m, int d)
{
    return dateFromDateTime(QDateTime(QDate(y, m, d), QTime(12, 0)));
}

// Saves fail while failing is set: the staging package can't be made.
class FailingSaves : public FileSystemOps {
public:
    bool failing = false;
    bool makeFolder(const QString& path, int* error) override
    {
        if (failing && path.endsWith(QLatin1String(kSavingPackageName))) {
            *error = EIO;
            return false;
        }
        return FileSystemOps::makeFolder(path, error);
    }
};

class ClotureCommandTest : public ShellFixture {
protected:
    ClotureCommandTest()
    {
        SystemClock::setNowForTesting(noon(2024, 3, 14));
        FileSystemOps::install(&saves);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        oldUrl = folder + QStringLiteral("/Famille clôture.svd");
        newUrl = folder + QStringLiteral("/Exercice 2024.svd");
        QDir().mkpath(oldUrl);
        answer("ASSIST001", "NON:");
        answer("ASSIST006", "OUI:");
        EXPECT_TRUE(delegate->nouveauDocument(oldUrl, kFileSystemLocal));
        fillYear(*delegate->document());
    }
    ~ClotureCommandTest() override
    {
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        QDir(oldUrl).removeRecursively();
        QDir(newUrl).removeRecursively();
        FileSystemOps::install(nullptr);
        SystemClock::setNowForTesting(std::nullopt);
    }

    // An account with a statement of the 25th of January: a salary of 1000 ticked in it, a bill
    // of 50 left open, and a salary of 300 after the closing date.
    void fillYear(DOCUMENT& doc)
    {
        const long banque = TOOL::addToolToDocumentNoCopy(
            kToolBanque, TOOL::newToolHdl(kToolBanque, -1, QStringLiteral("Banque"), kBanqueUser, 0, &doc), &doc);
        TOOL courant = TOOL::newToolHdl(kToolCompte, banque, QStringLiteral("Courant"), kBanqueUser, 0, &doc);
        courant.releves = {RELEVE()};
        courant.releves[0].ident = 1;
        courant.releves[0].date = noon(2024, 1, 25);
        compte = TOOL::addToolToDocumentNoCopy(kToolCompte, courant, &doc);
        for (const auto& [when, debit, amount, releve] : {std::tuple {noon(2024, 1, 10), false, 1000.0, 1L},
                                                          {noon(2024, 1, 20), true, 50.0, -1L},
                                                          {noon(2024, 2, 10), false, 300.0, -1L}}) {
            TRANSACT t;
            t.when = when;
            t.who1 = debit ? compte : kCompteAnonymeID;
            t.who2 = debit ? kCompteAnonymeID : compte;
            t.releveID2 = releve;
            t.solde.makeMontant(0, amount, doc.deviseHdl);
            doc.transact_array.append(t);
        }
        buildToolArbo(&doc);
        recomputeAllReleves(&doc);
    }
    // The five questions and windows up to the one cancelled (none when out of 0..4), the
    // calendar set to the 31st of January and the name typed.
    void answerUpTo(int cancelled)
    {
        const auto action = [cancelled](int step) { return step == cancelled ? "NON:" : "OUI:"; };
        const char* pages[] = {"ASSIST100", "ASSIST110", nullptr, "ASSIST120"};
        const int last = cancelled < 0 || cancelled > 4 ? 4 : cancelled;
        for (int step = 0; step <= last; ++step) {
            if (step == 2) {
                ui().onModal<FenCalendrierController2>([action](FenCalendrierController2& calendar) {
                    EXPECT_EQ(calendar.getData()->date, SystemClock::now());
                    calendar.GO(noon(2024, 1, 31));
                    calendar.perform(QString::fromLatin1(action(2)));
                });
            } else if (step == 4) {
                ui().onModal<FenAskStringController>([action](FenAskStringController& question) {
                    WindowDriver window(question);
                    EXPECT_EQ(window.text(QStringLiteral("field_texte")),
                              localizedMisc(QStringLiteral("kMisc_DefaultClotureName")));
                    window.grab(QStringLiteral("cloture-nom.png"));
                    window.type(QStringLiteral("field_texte"), QStringLiteral("Exercice 2024"));
                    question.perform(QString::fromLatin1(action(4)));
                });
            } else {
                answer(pages[step], action(step));
            }
        }
    }
    static std::unique_ptr<DOCUMENT> load(const QString& url)
    {
        auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
        EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, *doc), DocError::None);
        return doc;
    }
    static QString dialogue(const char* key) { return localizedDialogue(QString::fromLatin1(key)); }

    FailingSaves saves;
    QString oldUrl;
    QString newUrl;
    long compte = -1;
};

} // namespace

// The new year holds the open bill, the later salary and the ticked 1000 carried as an opening
// balance; the closed year stays whole on disk and proposes no due schedule any more.
TEST_F(ClotureCommandTest, ClosesTheYearIntoANewDocumentAndOpensIt)
{
    answerUpTo(-1);
    ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertFirstButton);
    delegate->CLOTURE();

    EXPECT_EQ(ui().alertsShown().last().request.information, QStringLiteral("Exercice 2024"));
    ASSERT_NE(delegate->document(), nullptr);
    EXPECT_EQ(QFileInfo(delegate->document()->documentUrl).canonicalFilePath(), QFileInfo(newUrl).canonicalFilePath());
    EXPECT_EQ(delegate->recentWindow(), nullptr);
    DOCUMENT& year = *delegate->document();
    QList<double> amounts;
    for (const TRANSACT& t : year.transact_array)
        amounts << t.solde.getValueForDevise(0);
    std::sort(amounts.begin(), amounts.end());
    EXPECT_EQ(amounts, QList<double>({50, 300, 1000}));
    EXPECT_NEAR(getTool(kToolCompte, compte, &year)->solde.getValueForDevise(0), 1250, 0.005);
    const std::unique_ptr<DOCUMENT> closed = load(oldUrl);
    EXPECT_EQ(closed->transact_array.size(), 3);
    EXPECT_EQ(closed->docParam->echInactive, 4);
    EXPECT_EQ(load(newUrl)->docParam->echInactive, 0);
}

// The whole closing day belongs to the closed year: a statement dated on it in the evening, after
// the hour the calendar gives, is closed with its transactions and counted in the opening balance.
TEST_F(ClotureCommandTest, AStatementOfTheClosingDayIsClosedWhateverItsHour)
{
    DOCUMENT& doc = *delegate->document();
    TOOL* courant = getTool(kToolCompte, compte, &doc);
    ASSERT_NE(courant, nullptr);
    RELEVE evening;
    evening.ident = 2;
    evening.date = dateFromDateTime(QDateTime(QDate(2024, 1, 31), QTime(18, 0)));
    courant->releves.append(evening);
    TRANSACT salary;
    salary.when = noon(2024, 1, 30);
    salary.who1 = kCompteAnonymeID;
    salary.who2 = compte;
    salary.releveID2 = 2;
    salary.solde.makeMontant(0, 200.0, doc.deviseHdl);
    doc.transact_array.append(salary);
    recomputeAllReleves(&doc);

    answerUpTo(-1);
    ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertFirstButton);
    delegate->CLOTURE();
    ASSERT_NE(delegate->document(), nullptr);
    QList<double> amounts;
    for (const TRANSACT& t : delegate->document()->transact_array)
        amounts << t.solde.getValueForDevise(0);
    std::sort(amounts.begin(), amounts.end());
    EXPECT_EQ(amounts, QList<double>({50, 300, 1200}));
}

// A cancel at any step leaves the document as it was and nothing on disk; declining to open the
// new year keeps the old one open, the new one written.
TEST_F(ClotureCommandTest, EachCancelStopsTheClosingAndDecliningKeepsTheOldDocumentOpen)
{
    for (int cancelled = 0; cancelled <= 5; ++cancelled) {
        SCOPED_TRACE(cancelled);
        answerUpTo(cancelled);
        if (cancelled == 5) {
            ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
            ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertSecondButton);
        }
        delegate->CLOTURE();
        ASSERT_NE(delegate->document(), nullptr);
        EXPECT_EQ(delegate->document()->documentUrl, oldUrl);
        EXPECT_EQ(delegate->document()->transact_array.size(), 3);
        EXPECT_EQ(QFileInfo::exists(newUrl), cancelled == 5);
        EXPECT_EQ(delegate->document()->docParam->echInactive, cancelled == 5 ? 4 : 0);
    }
}

// A failed closing is reported and leaves the document open with its due schedules active and no
// package under the new name. A new year that then does not open (its password refused) leaves
// the user the document browser rather than no window at all.
TEST_F(ClotureCommandTest, AFailureIsReportedAndANewYearThatDoesNotOpenLeavesTheBrowser)
{
    answerUpTo(-1);
    saves.failing = true;
    ui().answerAlert(dialogue("kAlerte_CannotSaveDoc"), kAlertFirstButton);
    ui().answerAlert(dialogue("kAlerte_ClotureFailure"), kAlertFirstButton);
    delegate->CLOTURE();
    EXPECT_EQ(delegate->document()->documentUrl, oldUrl);
    EXPECT_EQ(delegate->document()->docParam->echInactive, 0);
    EXPECT_FALSE(QFileInfo::exists(newUrl));

    saves.failing = false;
    BEFOREPARAM::setDigestIterationsForTesting(10);
    BEFOREPARAM before;
    before.setPassword(QStringLiteral("Sesame"));
    ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(oldUrl, before));
    answerUpTo(-1);
    ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertFirstButton);
    ui().onModal<FenPasswordController>([](FenPasswordController& window) { window.perform(QStringLiteral("NON:")); });
    delegate->CLOTURE();
    BEFOREPARAM::setDigestIterationsForTesting(std::nullopt);
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_NE(delegate->recentWindow(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(newUrl));
}

// The page before the name tells the order the closing keeps: the new year whole under its name
// first, the closed one saved only then.
TEST(ClotureNamePage, SaysTheOpenDocumentIsSavedOnlyOnceTheNewYearIsWhole)
{
    QFile page(FenAskPoursuivreController::assistantPagePath(QStringLiteral("ASSIST120")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll()).simplified();
    EXPECT_FALSE(text.contains(QStringLiteral("enregistré avant la clôture")));
    EXPECT_TRUE(text.contains(QStringLiteral("Alors seulement, le document actuel est enregistré")));
}
