// The questions for a text, a whole number or whether to go on, the free document name asked
// until one fits, and the progress window, each answered through the test host as a user would.
#include "toolkit/dialogs/FenAskIntegerNController.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/dialogs/FenMessageController.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>

namespace {

// The window the questions are asked on.
class Host : public StdWindowController {
    Q_OBJECT
};

// Types the text over the field's content; an empty text clears it.
void typeOver(WindowDriver& window, const char* field, const QString& text)
{
    window.type(QString::fromLatin1(field), text);
    if (text.isEmpty())
        QTest::keyClick(window.widget(QString::fromLatin1(field)), Qt::Key_Backspace);
}

class QuestionDialogTest : public UiTestFixture {
protected:
    QuestionDialogTest()
    {
        APPLIPARAM::loadAppliParam().doAnimations = false;
        host = StdWindowController::push<Host>(makeWindowData(), 0, true);
    }
    ~QuestionDialogTest() override
    {
        if (host)
            host->close();
        QDir::setSearchPaths(QStringLiteral("assistant"), {});
    }

    // The next text question's answer; a null text cancels.
    void answerString(const QString& text)
    {
        ui().onModal<FenAskStringController>([text](FenAskStringController& c) {
            WindowDriver window(c);
            if (!text.isNull())
                typeOver(window, "field_texte", text);
            window.click(text.isNull() ? "NON:" : "OUI:");
        });
    }

    long askGoOn(const QString& resName, const QString& autre, bool undoButton, bool undoDefault,
                 std::function<void(FenAskPoursuivreController&)> script)
    {
        ui().onModal<FenAskPoursuivreController>(std::move(script));
        long answer = -1;
        askPoursuivre(host, resName, autre, undoButton, undoDefault, [&answer](long a) { answer = a; });
        return answer;
    }

    static bool shows(FenAskPoursuivreController& c, const char* button)
    {
        return !WindowDriver(c).widget(QString::fromLatin1(button))->isHidden();
    }

    QPointer<Host> host;
};

} // namespace

TEST_F(QuestionDialogTest, TheTextAndNumberQuestionsGiveTheAnswerOnlyOnOk)
{
    ui().onModal<FenAskStringController>([](FenAskStringController& c) {
        WindowDriver window(c);
        EXPECT_EQ(window.text("field_titre"), localizedDialogue("kMessage_AskYear"));
        EXPECT_EQ(qobject_cast<QLineEdit*>(window.widget("field_texte"))->placeholderText(), "Exercice 2026");
        window.type("field_texte", "Exercice 2027");
        c.window()->show();
        window.grab(QStringLiteral("question.png"));
        window.click("OUI:");
    });
    QString out = "x";
    EXPECT_TRUE(askStringModal(host, "kMessage_AskYear", "Exercice 2026", &out));
    EXPECT_EQ(out, "Exercice 2027");
    EXPECT_TRUE(ui().modalRuns().constLast().sheet);
    answerString(QString());
    EXPECT_FALSE(askStringModal(nullptr, "kMessage_AskYear", "Exercice 2026", &out));
    EXPECT_TRUE(out.isEmpty());
    // The block form leaves the caller's text alone on Cancel.
    QString answer = "avant";
    std::vector<bool> got;
    answerString(QString());
    askStringWithBlock(host, "kMessage_AskYear", "x", &answer, [&](bool ok) { got.push_back(ok); });
    EXPECT_EQ(answer, "avant");
    answerString("Livret A");
    askStringWithBlock(host, "kMessage_AskYear", "x", &answer, [&](bool ok) { got.push_back(ok); });
    EXPECT_EQ(answer, "Livret A");
    EXPECT_EQ(got, (std::vector<bool> {false, true}));

    // Numbers: the leading number of the answer, 0 for none; Cancel leaves the number alone.
    for (const char* typed : {"12abc", ""}) {
        ui().onModal<FenAskIntegerNController>([typed](FenAskIntegerNController& c) {
            WindowDriver window(c);
            EXPECT_EQ(window.text("view_texte"), "2026");
            typeOver(window, "view_texte", typed);
            window.click("OUI:");
        });
        long value = -1;
        EXPECT_TRUE(askIntegerN(host, "Aller à la page", 2026, &value));
        EXPECT_EQ(value, *typed ? 12 : 0);
    }
    ui().onModal<FenAskIntegerNController>([](FenAskIntegerNController& c) { WindowDriver(c).click("NON:"); });
    long value = 33;
    EXPECT_FALSE(askIntegerN(nullptr, "Aller à la page", 7, &value));
    EXPECT_EQ(value, 33);
}

// Return presses the default button; Escape always cancels, never goes on, even where going on is
// the default.
TEST_F(QuestionDialogTest, TheGoOnQuestionShowsTheButtonsAskedForAndTheirKeys)
{
    EXPECT_EQ(askGoOn("ASSISTAbsent", "", false, false,
                      [](FenAskPoursuivreController& c) {
                          EXPECT_FALSE(shows(c, "button_non") || shows(c, "button_autre"));
                          EXPECT_EQ(WindowDriver(c).widget("content")->height(),
                                    FenAskPoursuivreController::kInterfaceContentHeight);
                          WindowDriver(c).click("OUI:");
                      }),
              1);
    EXPECT_EQ(askGoOn("ASSISTAbsent", "Plus tard", true, false,
                      [](FenAskPoursuivreController& c) {
                          EXPECT_TRUE(shows(c, "button_non") && shows(c, "button_autre"));
                          EXPECT_EQ(WindowDriver(c).text("button_autre"), "Plus tard");
                          WindowDriver(c).click("AUTRE:");
                      }),
              2);

    auto press = [](Qt::Key key) {
        return [key](FenAskPoursuivreController& c) {
            c.window()->show();
            c.window()->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(c.window()));
            QTest::keyClick(c.window(), key);
        };
    };
    EXPECT_EQ(askGoOn("", "", true, true, press(Qt::Key_Return)), 0);
    EXPECT_EQ(askGoOn("", "", true, true, press(Qt::Key_Escape)), 0);
    EXPECT_EQ(askGoOn("", "", true, false, press(Qt::Key_Return)), 1);
    EXPECT_EQ(askGoOn("", "", true, false, press(Qt::Key_Escape)), 0);
}

TEST_F(QuestionDialogTest, TheGoOnQuestionShowsItsPageWholeUpToTheScreensHeight)
{
    const QString pages = testenv::freshDir("assistant");
    QDir::addSearchPath(QStringLiteral("assistant"), pages);
    const QString paragraph = "<p>Le document est clôturé à la date choisie : les opérations qui suivent "
                              "passent dans le nouvel exercice, avec les soldes reportés.</p>";
    for (const auto& [name, body] :
         {std::pair {"ASSISTCourt", "<h3>Clôture de l'exercice</h3>" + paragraph.repeated(4)},
          std::pair {"ASSISTLong", paragraph.repeated(200)}}) {
        QFile file(pages + "/" + name + ".html");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(body.toUtf8());
    }
    askGoOn("ASSISTCourt", "", true, false, [&](FenAskPoursuivreController& c) {
        auto* content = qobject_cast<QTextBrowser*>(WindowDriver(c).widget("content"));
        EXPECT_TRUE(content->toPlainText().startsWith("Clôture de l'exercice"));
        EXPECT_GE(content->height(), int(content->document()->size().height()));
        c.window()->show();
        WindowDriver(c).grab(QStringLiteral("poursuivre.png"));
        WindowDriver(c).click("OUI:");
    });
    askGoOn("ASSISTLong", "", false, false, [&](FenAskPoursuivreController& c) {
        const int available = ui().screenInfo().frame.height() - 25;
        EXPECT_LE(c.window()->height(), available);
        EXPECT_GE(c.window()->height(), available - 2);
        WindowDriver(c).click("OUI:");
    });
}

// Renaming to the own name or to another document's in other letters asks again; duplicating
// with an empty answer proposes the old name, which is taken; a name that would leave the
// Documents folder or hide the document is refused.
TEST_F(QuestionDialogTest, AFreeDocumentNameIsAskedUntilOneFits)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir(documents).removeRecursively();
    QDir().mkpath(documents + "/Budget.svd");
    QDir().mkpath(documents + "/Exercice 2025.svd");
    auto ask = [&](const QStringList& answers, bool forDuplicate, QString* name) {
        for (const QString& answer : answers)
            answerString(answer);
        std::vector<bool> got;
        FenAskStringController::askForAvailableRecentName(host, "kAskString_RenameDocument", "Budget", name,
                                                          forDuplicate, kFileSystemLocal,
                                                          [&](bool ok) { got.push_back(ok); });
        EXPECT_EQ(got.size(), 1u);
        return !got.empty() && got.front();
    };
    QString name;
    for (int i = 0; i < 2; ++i)
        ui().answerAlert("kAlerte_NameAlreadyExist", 1000);
    EXPECT_TRUE(ask({"Budget", "exercice 2025", "Budget 2026"}, false, &name));
    EXPECT_EQ(name, "Budget 2026");
    EXPECT_EQ(ui().alertsShown().constLast().request.information, "exercice 2025");
    EXPECT_TRUE(ui().alertsShown().constLast().sheet);

    ui().answerAlert("kAlerte_NameAlreadyExist", 1000);
    ui().answerAlert("kAlerte_NameNotValid", 1000);
    ui().answerAlert("kAlerte_NameNotValid", 1000);
    EXPECT_FALSE(ask({"", "../Budget copie", ".Budget", QString()}, true, &name));
    EXPECT_EQ(ui().alertsShown()[2].request.information, "Budget");
    EXPECT_TRUE(ask({"Budget copie"}, true, &name));
    EXPECT_EQ(name, "Budget copie");
}

TEST_F(QuestionDialogTest, TheProgressWindowIsOneAndMeasuresOnceToldHowFar)
{
    auto open = [](const QString& text) {
        return QPointer<FenMessageController>(
            StdWindowController::push<FenMessageController>(makeWindowData({{"message", text}}), 0, true));
    };
    QPointer<FenMessageController> first = open("Enregistrement du document…");
    EXPECT_EQ(WindowDriver(*first).text("text_message"), "Enregistrement du document…");
    auto* bar = qobject_cast<QProgressBar*>(WindowDriver(*first).widget("indicator"));
    EXPECT_EQ(bar->maximum(), 0); // moving on its own
    first->setJauge(100, 300, 150);
    EXPECT_EQ(bar->value(), FenMessageController::kJaugeSteps / 4);

    QPointer<FenMessageController> second = open("Calcul de l'analyse…");
    EXPECT_EQ(FenMessageController::sharedInstance(), second);
    EXPECT_TRUE(!first || !first->windowIfLoaded() || first->windowIfLoaded()->isHidden());
    FenMessageController::doClose();
    EXPECT_EQ(FenMessageController::sharedInstance(), nullptr);
}

#include "QuestionDialogTest.moc"
