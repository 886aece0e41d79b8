// The calculator window driven with real keys, offscreen: the console's rules for typing, deleting,
// cutting and pasting around the prompt, the buttons, the "enter" question, programs with their
// interruption, the free window kept single, and the modal form on an amount field.
#include "calculator/FenCalculetteController2.h"
#include "calculator/ViewConsole.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/HelperSVLibraryFolder.h"
#include "support/TestEnvironment.h"
#include "toolkit/dialogs/FenAskStringController.h"
#include "toolkit/fields/ButtonCalculette.h"
#include "toolkit/fields/TextFieldMontant.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A window with an amount field and its calculator button, told when the field changes.
class AmountWindow : public StdWindowController {
    Q_OBJECT
public:
    Q_INVOKABLE void fieldMontantDidChange(QObject* changed) { changes.append(changed); }

    TextFieldMontant* field = nullptr;
    ButtonCalculette* button = nullptr;
    QList<QObject*> changes;

protected:
    void buildInterface(StdWindow& window) override
    {
        field = new TextFieldMontant(&window);
        button = new ButtonCalculette(field, &window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(button);
    }
};

class CalculatorWindowTest : public UiTestFixture {
protected:
    CalculatorWindowTest()
    {
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doAnimations = false;
        parameters.doSoundsOpen = false;
        parameters.doSoundsClose = false;
        QString folder;
        int error = 0;
        HelperSVLibraryFolder::getSVLibraryCalculetteFolderUrl(&folder, &error);
        QDir(folder).removeRecursively();
        ButtonCalculette::setCalculetteRunner(&FenCalculetteController2::pushOnMontant);
    }
    ~CalculatorWindowTest() override
    {
        if (FenCalculetteController* window = FenCalculetteController::freeCalculette())
            window->close();
        ButtonCalculette::setCalculetteRunner({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static FenCalculetteController& openFree()
    {
        FenCalculetteController* window = FenCalculetteController::openCalculette(0);
        EXPECT_NE(window, nullptr);
        return *window;
    }
    static void typeLine(FenCalculetteController& window, const QString& line)
    {
        QTest::keyClicks(window.console(), line);
        QTest::keyClick(window.console(), Qt::Key_Return);
    }
    static QString text(const FenCalculetteController& window) { return window.console()->toPlainText(); }
    // The console's lines from the one before the last prompt on.
    static QStringList lastLines(const FenCalculetteController& window, int count)
    {
        const QStringList lines = text(window).split(u'\n');
        return lines.mid(std::max<qsizetype>(0, lines.size() - count));
    }
    static void press(FenCalculetteController& window, const char* identifier)
    {
        auto* button = window.outlet<QPushButton>(QString::fromLatin1(identifier));
        ASSERT_NE(button, nullptr) << identifier;
        button->click();
    }
    static void setCursor(FenCalculetteController& window, qint64 position)
    {
        window.calculetteSetSelection(position, 0);
    }
    static QString programmeFolder()
    {
        QString folder;
        int error = 0;
        HelperSVLibraryFolder::getSVLibraryCalculetteProgrammeFolderUrl(&folder, &error);
        return folder;
    }
    static QString libraryProgramme(const QString& name) { return programmeFolder() + u'/' + name; }
    // The next "enter" question answered with the text (an empty optional cancels it); its
    // prompt is kept.
    void answerEnter(const std::optional<QString>& answer, QString* promptShown = nullptr)
    {
        ui().onModal<FenAskStringController>([answer, promptShown](FenAskStringController& question) {
            WindowDriver driver(question);
            if (promptShown)
                *promptShown = driver.text(QStringLiteral("field_titre"));
            if (!answer) {
                driver.click(QStringLiteral("NON:"));
                return;
            }
            driver.type(QStringLiteral("field_texte"), *answer);
            driver.click(QStringLiteral("OUI:"));
        });
    }
};

} // namespace

TEST_F(CalculatorWindowTest, ADozenTypedLinesShowTheirResultsAndErrors)
{
    FenCalculetteController& window = openFree();
    EXPECT_EQ(text(window), QStringLiteral("> "));
    const QStringList lines = {QStringLiteral("2 + 3 * 4"),   QStringLiteral("* 2"),       QStringLiteral("sto 1"),
                               QStringLiteral("(1 + 2) * 3"), QStringLiteral("rcl 1 / 4"), QStringLiteral("degre"),
                               QStringLiteral("sin 30 + 1"),  QStringLiteral("2 3"),       QStringLiteral("hexa"),
                               QStringLiteral("FF + 1"),      QStringLiteral("decimal"),   QStringLiteral("rcl 50")};
    for (const QString& line : lines)
        typeLine(window, line);
    QTest::keyClicks(window.console(), QStringLiteral("1 / 3="));
    const QStringList expected = {"> 2 + 3 * 4",
                                  "= 14",
                                  "> * 2",
                                  "= 28",
                                  "> sto 1",
                                  "= 28",
                                  "> (1 + 2) * 3",
                                  "= 9",
                                  "> rcl 1 / 4",
                                  "= 7",
                                  "> degre",
                                  "= 7",
                                  "> sin 30 + 1",
                                  "= 1.5",
                                  "> 2 3",
                                  "*** Caractère inattendu : « 3 »",
                                  "> hexa",
                                  "= 01",
                                  "> FF + 1",
                                  "= 0100",
                                  "> decimal",
                                  "= 256",
                                  "> rcl 50",
                                  "*** Mémoire inexistante (de 0 à 49) : 50",
                                  "> 1 / 3",
                                  "= 0.33",
                                  "> "};
    EXPECT_EQ(text(window).split(u'\n'), expected);
    EXPECT_EQ(window.lastPrompt(), text(window).size());
    // The free window's amount follows every result, in the window's currency.
    EXPECT_NEAR(window.montant().getValueForDevise(0), 1.0 / 3, 1e-12);
    EXPECT_EQ(window.outlet<TextFieldMontant>(QStringLiteral("text_montant"))->toPlainText(), QStringLiteral("0,33"));
    EXPECT_FALSE(window.outlet<QPushButton>(QStringLiteral("button_oui"))->isVisible());
    WindowDriver(window).grab(QStringLiteral("calculette-console.png"));

    // The window's currency changed: the amount field shows the amount in the new slot.
    QAction slot2;
    slot2.setData(2);
    EXPECT_TRUE(window.perform(QStringLiteral("DEVISE:"), &slot2));
    EXPECT_EQ(window.outlet<TextFieldMontant>(QStringLiteral("text_montant"))->devise(), 2);
}

TEST_F(CalculatorWindowTest, EarlierLinesCannotBeChangedByTypingDeletingCuttingOrPasting)
{
    FenCalculetteController& window = openFree();
    ViewConsole* console = window.console();
    typeLine(window, QStringLiteral("1 + 1"));
    QTest::keyClicks(console, QStringLiteral("4"));
    const QString before = text(window);

    // Typing inside an earlier line goes to the end.
    setCursor(window, 3);
    QTest::keyClicks(console, QStringLiteral("5"));
    EXPECT_EQ(text(window), before + u'5');

    // Delete at the prompt, or inside an earlier line, does nothing; after it, it deletes.
    setCursor(window, window.lastPrompt());
    QTest::keyClick(console, Qt::Key_Backspace);
    setCursor(window, 2);
    QTest::keyClick(console, Qt::Key_Backspace);
    QTest::keyClick(console, Qt::Key_Delete);
    QTest::keyClick(console, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(text(window), before + u'5');
    setCursor(window, text(window).size());
    QTest::keyClick(console, Qt::Key_Backspace);
    EXPECT_EQ(text(window), before);

    // Cut of a selection beginning before the prompt does nothing; after it, it cuts.
    window.calculetteSetSelection(0, 4);
    QTest::keySequence(console, QKeySequence::Cut);
    EXPECT_EQ(text(window), before);
    window.calculetteSetSelection(window.lastPrompt(), 1);
    QTest::keySequence(console, QKeySequence::Cut);
    EXPECT_EQ(text(window), before.left(before.size() - 1));

    // Paste before or at the prompt goes to the end; the pasted text runs with the line.
    QGuiApplication::clipboard()->setText(QStringLiteral("7 * 6"));
    setCursor(window, 1);
    QTest::keySequence(console, QKeySequence::Paste);
    EXPECT_TRUE(text(window).endsWith(QStringLiteral("> 7 * 6")));
    QTest::keyClicks(console, QStringLiteral("="));
    EXPECT_EQ(lastLines(window, 3), QStringList({"> 7 * 6", "= 42", "> "}));

    // An input method's text is typed as keys are: at the end, a comma read as a point.
    setCursor(window, 0);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("1,5"));
    QCoreApplication::sendEvent(console, &composed);
    EXPECT_EQ(lastLines(window, 1), QStringList({"> 1.5"}));
    QTest::keyClick(console, Qt::Key_Backspace);
    QTest::keyClick(console, Qt::Key_Backspace);
    QTest::keyClick(console, Qt::Key_Backspace);

    // Arrows move the insertion point; they never reach the calculator.
    QTest::keyClick(console, Qt::Key_Left);
    QTest::keyClick(console, Qt::Key_Up);
    EXPECT_LT(console->textCursor().position(), window.lastPrompt());
    EXPECT_EQ(lastLines(window, 1), QStringList({"> "}));
}

TEST_F(CalculatorWindowTest, ButtonsEnterTheirTextsBreakAbandonsAndClearEmpties)
{
    FenCalculetteController& window = openFree();
    for (const char* id : {"BSIN", "B3", "B0", "BEGAL"})
        press(window, id);
    EXPECT_EQ(lastLines(window, 3), QStringList({"> Sin 30", "= -0.99", "> "}));

    for (const char* id : {"B1", "BPLUS", "B2", "BBREAK"})
        press(window, id);
    EXPECT_EQ(lastLines(window, 3), QStringList({"> 1 + 2", "-- Interruption --", "> "}));
    EXPECT_NEAR(window.calculette().calculette().lastResult, std::sin(30.0), 1e-12);

    for (const char* id : {"BPI", "BCARRE", "BFOIS", "BUNSUR", "B4", "BEGAL"})
        press(window, id);
    EXPECT_EQ(lastLines(window, 3), QStringList({"> Pi ^ 2 * 1 /4", "= 2.47", "> "}));

    press(window, "BCLEAR");
    EXPECT_EQ(text(window), QStringLiteral("> "));
    EXPECT_NEAR(window.calculette().calculette().lastResult, 2.4674, 1e-4); // a clear keeps the calculator

    // Identifiers are compared without regard to case; one without a record does nothing.
    QObject lower;
    lower.setObjectName(QStringLiteral("bhexf"));
    window.ENTER_BUTTON(&lower);
    lower.setObjectName(QStringLiteral("BNOTHING"));
    window.ENTER_BUTTON(&lower);
    EXPECT_EQ(text(window), QStringLiteral("> F"));
    EXPECT_EQ(calculetteButtonTable().size(), 46);
}

TEST_F(CalculatorWindowTest, EnterAsksThroughTheQuestionWindowAndCancellingBreaksTheLine)
{
    FenCalculetteController& window = openFree();
    QString promptShown;
    answerEnter(QStringLiteral("21"), &promptShown);
    typeLine(window, QStringLiteral("enter \"kCalculette_Capital\" * 2"));
    EXPECT_EQ(promptShown, QStringLiteral("Capital emprunté :"));
    EXPECT_EQ(lastLines(window, 2), QStringList({"= 42", "> "}));

    answerEnter(std::nullopt);
    typeLine(window, QStringLiteral("1 + enter"));
    EXPECT_EQ(lastLines(window, 2), QStringList({"*** Interrompu", "> "}));
    EXPECT_EQ(window.calculette().calculette().lastResult, 42);
}

TEST_F(CalculatorWindowTest, TheFirstOpeningCopiesTheProgramsAndASecondCommandKeepsTheWindow)
{
    const QString mine = libraryProgramme(QStringLiteral("Emprunt.txt"));
    QDir().mkpath(QFileInfo(mine).absolutePath());
    QFile own(mine);
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("println \"le mien\"\n");
    own.close();

    FenCalculetteController& window = openFree();
    // The user's own program stays as it was (and, as it is copied in order, stops the copy).
    QFile kept(mine);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("println \"le mien\"\n"));
    window.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile::remove(mine);

    FenCalculetteController& fresh = openFree();
    for (const char* name : {"Welcome.txt", "Emprunt.txt", "TVA.txt"}) {
        const QFileInfo copied(libraryProgramme(QString::fromLatin1(name)));
        EXPECT_TRUE(copied.isFile()) << name;
        EXPECT_TRUE(copied.isWritable()) << name;
    }
    typeLine(fresh, QStringLiteral("12"));
    EXPECT_EQ(&openFree(), &fresh);
    EXPECT_EQ(lastLines(fresh, 3), QStringList({"> 12", "= 12", "> "}));
}

TEST_F(CalculatorWindowTest, AProgramRunsFromTheLibraryAndShowsItsResult)
{
    FenCalculetteController& window = openFree();
    typeLine(window, QStringLiteral("1 + 1"));
    answerEnter(QStringLiteral("10000"));
    answerEnter(QStringLiteral("6"));
    answerEnter(QStringLiteral("12"));
    ui().answerOpenPanel(libraryProgramme(QStringLiteral("Emprunt.txt")));
    WindowDriver(window).click(QStringLiteral("PROGRAMME:"));
    EXPECT_TRUE(window.programmeIsRunning());
    ui().flush();
    EXPECT_FALSE(window.programmeIsRunning());
    EXPECT_EQ(lastLines(window, 4),
              QStringList({"> Emprunt.txt", "Mensualité d'un emprunt à taux fixe", "Mensualité = 860.66", "> "}));
    ASSERT_EQ(ui().panelsShown().opens.size(), 1);
    EXPECT_EQ(ui().panelsShown().opens[0].startFolder, programmeFolder());
    WindowDriver(window).grab(QStringLiteral("calculette-programme.png"));

    // A program that can't be read is said so in the console.
    ERRORrec err;
    EXPECT_FALSE(window.executeProgramme(libraryProgramme(QStringLiteral("Absent.txt")), err));
    EXPECT_EQ(lastLines(window, 3), QStringList({"> Absent.txt", "*** Programme illisible : Absent.txt", "> "}));
}

TEST_F(CalculatorWindowTest, BreakStopsARunningProgramBetweenItsLines)
{
    const QString path = testenv::freshDir(QStringLiteral("calcprog")) + QStringLiteral("/Long.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("0\n") + QByteArray("+ 1\n").repeated(500));
    file.close();

    FenCalculetteController& window = openFree();
    ERRORrec err;
    ASSERT_TRUE(window.executeProgramme(path, err));
    ui().advance(1); // the first step
    const double reached = window.calculette().calculette().lastResult;
    EXPECT_GT(reached, 0);
    EXPECT_LT(reached, 500);
    // Typing is refused while the program runs; BREAK is not.
    QTest::keyClicks(window.console(), QStringLiteral("9"));
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
    press(window, "BBREAK");
    ui().flush();
    EXPECT_FALSE(window.programmeIsRunning());
    EXPECT_EQ(window.calculette().calculette().lastResult, reached);
    EXPECT_EQ(lastLines(window, 3), QStringList({"", "-- Interruption --", "> "}));
    typeLine(window, QStringLiteral("last"));
    EXPECT_EQ(lastLines(window, 2), QStringList({"= " + QString::number(reached), "> "}));
}

TEST_F(CalculatorWindowTest, TheAmountFieldsButtonComputesIntoTheFieldOnOKOnly)
{
    auto* owner = StdWindowController::push<AmountWindow>(nullptr, 0, false);
    owner->window();
    MONTANT start;
    start.makeMontant(0, 12.5, {});
    owner->field->fillMontant(start, 0);

    ui().onModal<FenCalculetteController2>([](FenCalculetteController2& calculator) {
        EXPECT_FALSE(calculator.outlet<QPushButton>(QStringLiteral("button_programme"))->isHidden());
        EXPECT_FALSE(calculator.outlet<QPushButton>(QStringLiteral("button_oui"))->isHidden());
        typeLine(calculator, QStringLiteral("* 2"));
        EXPECT_EQ(calculator.getData()->montant.getValueForDevise(0), 25);
        typeLine(calculator, QStringLiteral("1 / 0"));
        // An infinite result is no amount: OK says so and the window stays.
        WindowDriver(calculator).click(QStringLiteral("OUI:"));
        typeLine(calculator, QStringLiteral("40 + 2"));
        WindowDriver(calculator).click(QStringLiteral("OUI:"));
    });
    ui().answerAlert(QStringLiteral("kAlerte_CalculetteNonFini"), kAlertFirstButton);
    owner->button->click();
    EXPECT_EQ(owner->field->montant().getValueForDevise(0), 42);
    EXPECT_EQ(owner->field->toPlainText(), QStringLiteral("42,00"));
    EXPECT_EQ(owner->changes, QList<QObject*>({owner->field}));

    ui().onModal<FenCalculetteController2>([](FenCalculetteController2& calculator) {
        typeLine(calculator, QStringLiteral("+ 1000"));
        WindowDriver(calculator).click(QStringLiteral("NON:"));
    });
    owner->button->click();
    EXPECT_EQ(owner->field->montant().getValueForDevise(0), 42);
    EXPECT_EQ(owner->changes.size(), 1);

    owner->field->setEnabled(false);
    EXPECT_FALSE(owner->button->isEnabled());
    owner->field->setEnabled(true);
    EXPECT_TRUE(owner->button->isEnabled());
    ButtonCalculette::setCalculetteRunner({});
    owner->field->setEnabled(true);
    EXPECT_FALSE(owner->button->isEnabled());
    owner->close();
}

TEST_F(CalculatorWindowTest, AFreeAndAModalCalculatorKeepTheirOwnStates)
{
    FenCalculetteController& freeWindow = openFree();
    typeLine(freeWindow, QStringLiteral("42"));
    typeLine(freeWindow, QStringLiteral("sto 1"));
    typeLine(freeWindow, QStringLiteral("hexa"));
    const QString freeText = text(freeWindow);

    auto data = makeWindowData();
    data->montant.makeMontant(0, 7, {});
    ui().onModal<FenCalculetteController2>([](FenCalculetteController2& calculator) {
        EXPECT_EQ(text(calculator), QStringLiteral("> "));
        typeLine(calculator, QStringLiteral("rcl 1 + last"));
        EXPECT_EQ(lastLines(calculator, 2), QStringList({"= 7", "> "}));
        WindowDriver(calculator).grab(QStringLiteral("calculette-modale.png"));
        WindowDriver(calculator).click(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(FenCalculetteController2::pushOnMontant(nullptr, data, 0), 1);
    EXPECT_EQ(data->montant.getValueForDevise(0), 7);
    EXPECT_EQ(text(freeWindow), freeText);
    EXPECT_EQ(freeWindow.calculette().calculette().base, CalcBase::Hexa);
    EXPECT_EQ(FenCalculetteController::freeCalculette(), &freeWindow);
}

#include "CalculatorWindowTest.moc"
