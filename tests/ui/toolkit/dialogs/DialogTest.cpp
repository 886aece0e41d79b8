#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"

#include "uisupport/UiTestFixture.h"

#include "document/APPLIPARAM.h"

#include <QWidget>

#include <optional>

namespace {

class DialogTest : public UiTestFixture {
protected:
    const TestAlertPresenter::Record& lastAlert() { return ui().alertsShown().constLast(); }
};

TEST_F(DialogTest, EmptyTitlesAreSkippedAndButtonsAnswerByPosition)
{
    ui().answerAlert(1000);
    EXPECT_EQ(showAlert(nullptr, "Sauvegarder ?", QString(), QString(), QString(), "Plus tard", QString(), 1, 1000),
              1000);
    EXPECT_EQ(lastAlert().buttons, QStringList {"Plus tard"});
    EXPECT_FALSE(lastAlert().sheet);

    // An alert given no button at all still has one to end it.
    ui().answerAlert(1000);
    showAlert(nullptr, "Terminé", QString(), QString(), QString(), QString(), QString(), 1, 1000);
    EXPECT_EQ(lastAlert().buttons, QStringList {"OK"});

    bool now = false;
    ui().answerAlert(1000);
    EXPECT_TRUE(askManualSaveChoice(nullptr, "Copie", "info", "Maintenant", "Plus tard", "Jamais", &now));
    EXPECT_TRUE(now);
    EXPECT_EQ(lastAlert().request.style, 0);
    EXPECT_EQ(lastAlert().buttons.size(), 3);
    ui().answerAlert(1001);
    EXPECT_TRUE(askManualSaveChoice(nullptr, "Copie", "info", "Maintenant", "Plus tard", "Jamais", &now));
    EXPECT_FALSE(now);
    ui().answerAlert(1002);
    EXPECT_FALSE(askManualSaveChoice(nullptr, "Copie", "info", "Maintenant", "Plus tard", "Jamais", &now));
    EXPECT_FALSE(now);
    EXPECT_EQ(alertEscapeButton(lastAlert().request), 1001) << "asked again next time";

    // The core's alerts reach the same presenter.
    ui().answerAlert("LIB_BUTTON_NON", 1000);
    EXPECT_EQ(alertKey("LIB_BUTTON_NON"), 1000);
    EXPECT_EQ(lastAlert().request.style, 2);
}

TEST_F(DialogTest, SoundsFollowTheWindowAndTheParameters)
{
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.doSounds = parameters.doSoundsAlert = parameters.doSoundsClose = true;
    QWidget window;

    ui().answerAlert(1000);
    showAlertOK(nullptr, "Sans fenêtre", QString(), QString(), 2);
    EXPECT_TRUE(ui().sounds().playedNames().isEmpty());

    ui().answerAlert(1000);
    showAlertOK(&window, "Sur la fenêtre", QString(), QString(), 2);
    EXPECT_TRUE(lastAlert().sheet);
    EXPECT_EQ(ui().sounds().playedNames(), (QStringList {"Alert", "CloseWindow"}));

    int code = 0;
    ui().answerAlert(1000);
    Dialog::alerte(nullptr, "Sans fenêtre", QString(), QString(), 1, [&](int c) { code = c; });
    EXPECT_EQ(code, 1000);
    ui().answerAlert(1001);
    Dialog::confirmation(&window, "Sur la fenêtre", QString(), "Oui", "Non", QString(), QString(), 1, 1001,
                         [&](int c) { code = c; });
    EXPECT_EQ(code, 1001); // the block has run before the call returned
    EXPECT_EQ(ui().sounds().playedNames(), (QStringList {"Alert", "CloseWindow", "Alert", "Alert"}));

    parameters.doSounds = false;
    ui().answerAlert(1000);
    Dialog::alerte(&window, "Silence", QString(), QString(), 1, nullptr);
    parameters.doSounds = true;
    parameters.doSoundsAlert = parameters.doSoundsClose = false;
    ui().answerAlert(1000);
    showAlertOK(&window, "Silence", QString(), QString(), 1);
    EXPECT_EQ(ui().sounds().playedNames().size(), 4);
}

TEST_F(DialogTest, DictionaryFormsTakeTheirDefaults)
{
    int code = 0;
    ui().answerAlert(1000);
    Dialog::undoConfirmationWithDictionary({{"title", "Tout effacer ?"}, {"information", "Sans retour."}},
                                           [&](int c) { code = c; });
    EXPECT_EQ(code, 1000);
    EXPECT_EQ(lastAlert().buttons, (QStringList {Dialog::noString(), Dialog::yesString()}));
    EXPECT_EQ(lastAlert().buttons.constFirst(), "Non");
    EXPECT_EQ(lastAlert().request.style, 1);
    EXPECT_EQ(lastAlert().request.message, "Tout effacer ?");
    EXPECT_EQ(lastAlert().request.information, "Sans retour.");

    QWidget window;
    ui().answerAlert(1001);
    Dialog::OKConfirmationWithDictionary(
        {{"window", QVariant::fromValue(&window)}, {"titleOK", "Supprimer"}, {"style", 2}, {"imageName", "document"}},
        [&](int c) { code = c; });
    EXPECT_EQ(code, 1001);
    EXPECT_EQ(lastAlert().buttons, (QStringList {"Supprimer", "Non"}));
    EXPECT_EQ(lastAlert().request.style, 2);
    EXPECT_EQ(lastAlert().request.imageName, "document");
    EXPECT_TRUE(lastAlert().sheet);

    ui().answerAlert(1000);
    Dialog::confirmationWithDictionary({{"titleOther", "Plus tard"}}, nullptr);
    EXPECT_EQ(lastAlert().buttons, QStringList {"Plus tard"});
}

// Escape gives an alert's only button, and at a question only the answer the question names: a
// title is no evidence ("Non" may switch a warning off for good), so naming none leaves Escape
// doing nothing.
TEST_F(DialogTest, EscapeGivesOnlyTheAnswerTheQuestionNames)
{
    const struct {
        const char* name;
        QStringList titles;
        std::optional<int> named;
        int escape;
    } cases[] = {
        {"one button", {"OK"}, std::nullopt, 1000},
        {"no button given: OK", {}, kAlertNoEscape, 1000},
        {"Oui and Non, none named", {"Oui", "Non"}, std::nullopt, 0},
        {"Annuler and OK, none named", {"Annuler", "OK"}, std::nullopt, 0},
        {"Oui and Non, Oui named", {"Oui", "Non"}, 1000, 1000},
        {"three, the third named", {"Oui", "Non", "Annuler"}, 1002, 1002},
        {"named beyond the buttons", {"Oui", "Non"}, 1002, 0},
        {"none safe", {"Annuler", "Non"}, kAlertNoEscape, 0},
    };
    for (const auto& c : cases) {
        AlertRequest request;
        request.button1 = c.titles.value(0);
        request.button2 = c.titles.value(1);
        request.button3 = c.titles.value(2);
        if (c.named)
            request.escapeButton = *c.named;
        EXPECT_EQ(alertEscapeButton(request), c.escape) << c.name;
    }

    // The dictionary forms name it by "escapeButton".
    ui().answerAlert(1000);
    Dialog::undoConfirmationWithDictionary({{"title", "Tout effacer ?"}}, nullptr);
    EXPECT_EQ(alertEscapeButton(lastAlert().request), 0);
    ui().answerAlert(1000);
    Dialog::OKConfirmationWithDictionary({{"title", "Averti encore ?"}, {"escapeButton", 1000}}, nullptr);
    EXPECT_EQ(alertEscapeButton(lastAlert().request), 1000);
}

} // namespace
