#pragma once
// The application's delegate, launched headless over a stand-in document browser, for the tests
// that create or open documents through it and answer its questions. A question's page and its
// buttons, and each editor shown, are noted in trace() in the order the user met them.
#include "app/ApplicationDelegate.h"
#include "app/WindowMemory.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"

#include <QCoreApplication>
#include <QStringList>

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
        WindowMemory::registerWindowClass(QStringLiteral("FenRecentController"), [](const PARAMFEN& record, bool) {
            return StdWindowController::push<ShellBrowser>(nullptr, record.devise, true);
        });
        delegate = std::make_unique<ApplicationDelegate>();
        delegate->BEFORE();
    }
    ~ShellFixture() override
    {
        if (delegate->bankIsOpen())
            delegate->doCloseDocument(false);
        if (StdWindowController* browser = delegate->recentWindow())
            browser->close();
        delegate->AFTER();
        delegate.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WindowMemory::unregisterWindowClass(QStringLiteral("FenRecentController"));
    }

    // The next question is answered with the button of that action ("OUI:", "NON:", "AUTRE:");
    // its page is saved as a picture. Noted as the page's name, " +" and the third button's title
    // when it has one, and " seul" when it offers no Cancel.
    void answer(const char* action)
    {
        ui().onModal<FenAskPoursuivreController>([this, action](FenAskPoursuivreController& window) {
            const WindowDataPtr data = window.getData();
            const QString page = data->value(QStringLiteral("resName")).toString();
            const QString other = data->value(QStringLiteral("autreName")).toString();
            QString entry = page;
            if (!other.isEmpty())
                entry += QStringLiteral(" +") + other;
            if (!data->value(QStringLiteral("undoButton")).toBool())
                entry += QStringLiteral(" seul");
            m_trace << entry;
            WindowDriver(window).grab(page + QStringLiteral(".png"));
            window.perform(QString::fromLatin1(action));
        });
    }
    // The next run of that editor: the name typed (when given), then the button.
    template <class Editor> void edit(const char* name, const char* action)
    {
        ui().onModal<Editor>([this, name, action](Editor& window) {
            m_trace << QString::fromLatin1(Editor::staticMetaObject.className());
            if (name)
                WindowDriver(window).type(QStringLiteral("field_nom"), QString::fromUtf8(name));
            window.perform(QString::fromLatin1(action));
        });
    }
    void note(const QString& entry) { m_trace << entry; }
    const QStringList& trace() const { return m_trace; }

    std::unique_ptr<ApplicationDelegate> delegate;

private:
    QStringList m_trace;
};
