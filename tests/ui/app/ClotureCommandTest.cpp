// Closing a year from the delegate: the questions, the date, the name, then the new document on
// disk and opened in place of the old one; what each cancel and a failure leave.
#include "ShellFixture.h"

#include "app/FenPasswordController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/dialogs/FenCalendrierController2.h"

#include "document/BEFOREPARAM.h"
#include "document/FileSystemOps.h"
#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/TOOL.h"
#include "model/ToolTree.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
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
            if (error)
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
        BEFOREPARAM::setDigestIterationsForTesting(10);
        SystemClock::setNowForTesting(noon(2024, 3, 14));
        FileSystemOps::install(&saves);
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        oldUrl = folder + QStringLiteral("/Famille clôture.svd");
        newUrl = folder + QStringLiteral("/Exercice 2024.svd");
        QDir().mkpath(oldUrl);
        answer("NON:"); // the new document's assistant
        answer("OUI:");
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
        BEFOREPARAM::setDigestIterationsForTesting(std::nullopt);
    }

    // A current account with one statement before the closing date: a salary ticked in it
    // (closed), a bill not ticked (open) and a salary after the date.
    void fillYear(DOCUMENT& doc)
    {
        const long banque = TOOL::addToolToDocumentNoCopy(
            kToolBanque, TOOL::newToolHdl(kToolBanque, -1, QStringLiteral("Banque"), kBanqueUser, 0, &doc), &doc);
        TOOL courant = TOOL::newToolHdl(kToolCompte, banque, QStringLiteral("Courant"), kBanqueUser, 0, &doc);
        RELEVE releve;
        releve.ident = 1;
        releve.date = noon(2024, 1, 25);
        courant.releves = {releve};
        compte = TOOL::addToolToDocumentNoCopy(kToolCompte, courant, &doc);
        const auto add = [&doc, this](double when, long who1, long who2, double amount, long releve2) {
            TRANSACT t;
            t.when = when;
            t.who1 = who1;
            t.who2 = who2;
            t.releveID2 = releve2;
            t.solde.makeMontant(0, amount, doc.deviseHdl);
            doc.transact_array.append(t);
        };
        add(noon(2024, 1, 10), kCompteAnonymeID, compte, 1000, 1);
        add(noon(2024, 1, 20), compte, kCompteAnonymeID, 50, -1);
        add(noon(2024, 2, 10), kCompteAnonymeID, compte, 300, -1);
        buildToolArbo(&doc);
        recomputeAllReleves(&doc);
    }

    // The questions up to the name, each answered yes, the calendar set to the 31st of January.
    void answerUpToTheName()
    {
        answer("OUI:");
        answer("OUI:");
        ui().onModal<FenCalendrierController2>([this](FenCalendrierController2& calendar) {
            note(QStringLiteral("FenCalendrierController2"));
            EXPECT_EQ(calendar.getData()->date, SystemClock::now()) << "the closing date starts as now";
            calendar.GO(noon(2024, 1, 31));
            WindowDriver(calendar).grab(QStringLiteral("cloture-calendrier.png"));
            calendar.perform(QStringLiteral("OUI:"));
        });
        answer("OUI:");
    }
    void answerName(const char* typed)
    {
        ui().onModal<FenAskStringController>([this, typed](FenAskStringController& question) {
            note(QStringLiteral("FenAskStringController"));
            WindowDriver window(question);
            EXPECT_EQ(question.outlet<QLineEdit>(QStringLiteral("field_texte"))->text(),
                      localizedMisc(QStringLiteral("kMisc_DefaultClotureName")));
            EXPECT_EQ(window.text(QStringLiteral("field_titre")), dialogue("kAskString_ClotureDocument"));
            window.grab(QStringLiteral("cloture-nom.png"));
            if (!typed) {
                question.perform(QStringLiteral("NON:"));
                return;
            }
            window.type(QStringLiteral("field_texte"), QString::fromUtf8(typed));
            question.perform(QStringLiteral("OUI:"));
        });
    }
    static long echInactiveOnDisk(const QString& url)
    {
        bool error = false;
        const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
        return param ? param->echInactive : -1;
    }
    static std::unique_ptr<DOCUMENT> loadFromDisk(const QString& url)
    {
        auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
        EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(url, *doc), DocError::None);
        return doc;
    }
    static QString dialogue(const char* key) { return localizedDialogue(QString::fromLatin1(key)); }

    FailingSaves saves;
    QString folder;
    QString oldUrl;
    QString newUrl;
    long compte = -1;
};

} // namespace

// The whole closing: the questions in order, the new document written beside the old, which is
// kept whole as the archive of the year, and opened in its place.
TEST_F(ClotureCommandTest, ClosesTheYearIntoANewDocumentAndOpensIt)
{
    answerUpToTheName();
    answerName("Exercice 2024");
    ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertFirstButton);
    const qsizetype before = trace().size();
    delegate->CLOTURE();

    EXPECT_EQ(
        trace().mid(before),
        QStringList({"ASSIST100", "ASSIST110", "FenCalendrierController2", "ASSIST120", "FenAskStringController"}));
    const TestAlertPresenter::Record& offer = ui().alertsShown().last();
    EXPECT_EQ(offer.request.information, QStringLiteral("Exercice 2024"));
    EXPECT_EQ(offer.request.imageName, QStringLiteral("cloture"));
    ASSERT_NE(delegate->document(), nullptr);
    EXPECT_EQ(QFileInfo(delegate->document()->documentUrl).canonicalFilePath(), QFileInfo(newUrl).canonicalFilePath());
    EXPECT_EQ(delegate->recentWindow(), nullptr) << "the browser is not shown between the two";

    // The new year: the open bill, the later salary and the balance carried (1000 ticked before).
    DOCUMENT& year = *delegate->document();
    double total = 0;
    QList<double> amounts;
    for (const TRANSACT& t : year.transact_array) {
        amounts << t.solde.getValueForDevise(0);
        total += t.who2 == compte ? t.solde.getValueForDevise(0) : -t.solde.getValueForDevise(0);
    }
    std::sort(amounts.begin(), amounts.end());
    EXPECT_EQ(amounts, QList<double>({50, 300, 1000}));
    EXPECT_NEAR(total, 1250, 0.005);
    EXPECT_NEAR(getTool(kToolCompte, compte, &year)->solde.getValueForDevise(0), 1250, 0.005);

    // The closed year stays on disk with all of it, and proposes no due schedule any more.
    EXPECT_EQ(loadFromDisk(oldUrl)->transact_array.size(), 3);
    EXPECT_EQ(echInactiveOnDisk(oldUrl), 4);
    EXPECT_EQ(echInactiveOnDisk(newUrl), 0);
}

// A cancel at any step leaves the document open as it was and makes nothing on disk; declining
// to open the new year keeps the old one open and the new one on disk.
TEST_F(ClotureCommandTest, EachCancelStopsTheClosingAndDecliningKeepsTheOldDocumentOpen)
{
    const int steps = 5;
    for (int cancelAt = 0; cancelAt <= steps; ++cancelAt) {
        SCOPED_TRACE(cancelAt);
        const auto reply = [cancelAt](int step) { return step == cancelAt ? "NON:" : "OUI:"; };
        answer(reply(0));
        if (cancelAt > 0)
            answer(reply(1));
        if (cancelAt > 1)
            ui().onModal<FenCalendrierController2>(
                [&reply](FenCalendrierController2& calendar) { calendar.perform(QString::fromLatin1(reply(2))); });
        if (cancelAt > 2)
            answer(reply(3));
        if (cancelAt > 3)
            answerName(cancelAt == 4 ? nullptr : "Exercice 2024");
        if (cancelAt == steps) {
            ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
            ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertSecondButton);
        }
        delegate->CLOTURE();
        ASSERT_NE(delegate->document(), nullptr);
        EXPECT_EQ(delegate->document()->documentUrl, oldUrl);
        EXPECT_EQ(delegate->document()->transact_array.size(), 3);
        EXPECT_EQ(QFileInfo::exists(newUrl), cancelAt == steps);
        EXPECT_EQ(delegate->document()->docParam->echInactive, cancelAt == steps ? 4 : 0);
    }
    EXPECT_EQ(loadFromDisk(newUrl)->transact_array.size(), 3);
}

// A closing that fails says so, leaves the document open with its due schedules active, and
// leaves no package under the new name.
TEST_F(ClotureCommandTest, AFailedClosingIsReportedAndChangesNothing)
{
    answerUpToTheName();
    answerName("Exercice 2024");
    saves.failing = true;
    ui().answerAlert(dialogue("kAlerte_CannotSaveDoc"), kAlertFirstButton);
    ui().answerAlert(dialogue("kAlerte_ClotureFailure"), kAlertFirstButton);
    delegate->CLOTURE();
    EXPECT_EQ(ui().alertsShown().last().request.imageName, QStringLiteral("cloture"));
    ASSERT_NE(delegate->document(), nullptr);
    EXPECT_EQ(delegate->document()->documentUrl, oldUrl);
    EXPECT_EQ(delegate->document()->docParam->echInactive, 0);
    EXPECT_FALSE(QFileInfo::exists(newUrl));
}

// The new year keeps the old one's password: refused at its opening, the user is left with the
// document browser rather than with no window at all.
TEST_F(ClotureCommandTest, ANewYearThatDoesNotOpenLeavesTheBrowser)
{
    BEFOREPARAM before;
    before.setPassword(QStringLiteral("Sesame"));
    ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(oldUrl, before));
    answerUpToTheName();
    answerName("Exercice 2024");
    ui().answerAlert(dialogue("kAlerte_EchNotActive"), kAlertFirstButton);
    ui().answerAlert(dialogue("kConfirm_openNewExercice"), kAlertFirstButton);
    ui().onModal<FenPasswordController>([](FenPasswordController& window) { window.perform(QStringLiteral("NON:")); });
    delegate->CLOTURE();
    EXPECT_FALSE(delegate->bankIsOpen());
    EXPECT_NE(delegate->recentWindow(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(newUrl));
}
