#pragma once
// The application's delegate, launched headless over a stand-in document browser, for the tests
// that create or open documents through it and answer its questions.
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "ui/app/ShellLaunch.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "foundation/localized.h"

#include <QCoreApplication>

class ShellBrowser : public StdWindowController {
    Q_OBJECT
public:
    Q_INVOKABLE void start() { }
};

class ShellFixture : public UiTestFixture {
protected:
    ShellFixture()
    {
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.nbSauvNew = 0;
        parameters.everyDaysManualSave = 100000;
        parameters.doAnimations = false;
        parameters.autoSaveWhenQuit = false;
        parameters.doTruc = false;
        APPLIPARAM::saveAppliParam();
        delegate = launchDelegate<ShellBrowser>();
    }
    ~ShellFixture() override
    {
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        endDelegate(delegate);
    }

    // The next question must show that page, with the third button the page calls for and Cancel
    // on every page but the closing ones; it is answered with the button of the action and saved
    // as a picture.
    void answer(const char* page, const char* action)
    {
        ui().onModal<FenAskPoursuivreController>([page, action](FenAskPoursuivreController& window) {
            static const QHash<QString, QString> others {{"ASSIST002", "kConfirm_ChangeDevise"},
                                                         {"ASSIST004", "kConfirm_AutreBanque"},
                                                         {"ASSIST008", "kConfirm_AutreCompte"},
                                                         {"ASSIST009", "kConfirm_SoldeInitial"},
                                                         {"ASSIST010", "kConfirm_Moyens"}};
            const WindowDataPtr data = window.getData();
            const QString shown = data->value(QStringLiteral("resName")).toString();
            EXPECT_EQ(shown.toStdString(), std::string(page));
            const QString other = others.value(shown);
            EXPECT_EQ(data->value(QStringLiteral("autreName")).toString(),
                      other.isEmpty() ? QString() : localizedDialogue(other))
                << page;
            EXPECT_EQ(data->value(QStringLiteral("undoButton")).toBool(),
                      shown != QLatin1String("ASSIST005") && shown != QLatin1String("ASSIST006"))
                << page;
            WindowDriver(window).grab(shown + QStringLiteral(".png"));
            window.perform(QString::fromLatin1(action));
        });
    }

    std::unique_ptr<ApplicationDelegate> delegate;
};
