#pragma once
// The application's delegate launched headless over a stand-in document browser, and ended.
#include "app/ApplicationDelegate.h"
#include "app/WindowMemory.h"

#include <QCoreApplication>
#include <memory>

// The document browser the delegate opens is Browser, a window that needs no documents folder.
template <typename Browser> void standInBrowser()
{
    WindowMemory::registerWindowClass(QStringLiteral("FenRecentController"), [](const PARAMFEN& record, bool) {
        return StdWindowController::push<Browser>(nullptr, record.devise, true);
    });
}

// The delegate launched over Browser.
template <typename Browser> std::unique_ptr<ApplicationDelegate> launchDelegate()
{
    standInBrowser<Browser>();
    auto delegate = std::make_unique<ApplicationDelegate>();
    delegate->BEFORE();
    return delegate;
}

// Closes the browser, ends the delegate and forgets the stand-in browser.
inline void endDelegate(std::unique_ptr<ApplicationDelegate>& delegate)
{
    if (StdWindowController* browser = delegate->recentWindow())
        browser->close();
    delegate->AFTER();
    delegate.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WindowMemory::unregisterWindowClass(QStringLiteral("FenRecentController"));
}
