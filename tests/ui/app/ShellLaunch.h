#pragma once
// The application's delegate launched headless over a stand-in document browser, and ended.
#include "app/ApplicationDelegate.h"
#include "app/WindowMemory.h"

#include "foundation/files.h"
#include "model/DOCPARAM.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
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

// The sample household copied to url, opening without its remembered windows and with its
// schedules, which came due long ago, kept silent.
inline void copyQuietSample(const QString& url)
{
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    bool error = false;
    const std::unique_ptr<DOCPARAM> param = DOCPARAM::loadDocParam(url, &error);
    param->documentWindows.clear();
    param->echInactive = 1;
    EXPECT_TRUE(param->saveDocParam(url));
}
