#pragma once
// A household's document for the entry window's tests, open as the current document, with the
// entry openers installed as the application installs them.
//   Banque du Port (user, 10): Compte courant 7 (cheque book 2, card 3), Livret A 9
//   Commerçants (payees, 11): Boulangerie 22 (category Alimentation), Employeur 23, Courtier 24
//   Espèces (cash, 12): Porte-monnaie 30
//   special bank 1: accounts 3 (anonymous) and 5 (opening balances)
//   folder Courant 2: categories Alimentation 1, Loisirs 4, Salaire 6, Santé 8
//   tax TVA 20 % (2); security Air Liquide (1); macro "Pain" on key "p"
#include "transactions/FenEditSaisieController.h"
#include "transactions/SaisieRoutine.h"
#include "transactions/TransactionWindows.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "model/ToolTree.h"
#include "support/TestFiles.h"
#include "toolkit/popups/StdPopUp.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

namespace saisieui {

inline double at(long day, long month, long year)
{
    double t = 0;
    dmyToDate(day, month, year, &t);
    return t;
}

// A function, not a constant: the shared calendar must not be made before the test environment
// has set the time zone.
inline double today()
{
    return at(14, 6, 2024) + 10 * 3600.0;
}

class SaisieUiTest : public UiTestFixture {
protected:
    SaisieUiTest()
    {
        SystemClock::setNowForTesting(today());
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doSoundsOpen = false;
        parameters.doSoundsClose = false;
        parameters.doSoundsAlert = false;
        parameters.doAnimations = false;
        makeDocument();
        DocumentSession::adopt(doc);
        DocContext::instance().lastEnteredDate = today();
        installTransactionWindows(&windows);
    }
    ~SaisieUiTest() override
    {
        installTransactionWindows(nullptr);
        DocumentSession::close();
        SystemClock::setNowForTesting(std::nullopt);
        rememberedSaisieFrame() = QRect();
    }

    void makeDocument();

    // Runs the entry on a script standing for the user; answers the closing status.
    int enter(const SaisieRequest& request, std::function<void(FenEditSaisieController&)> user)
    {
        ui().onModal<FenEditSaisieController>(std::move(user));
        return openSaisieTransact(nullptr, request);
    }
    static SaisieRequest newOf(int family, long account = 7)
    {
        SaisieRequest request;
        request.fam = family;
        request.ident = account;
        request.forReal = true;
        return request;
    }
    static SaisieRequest editOf(long pos)
    {
        SaisieRequest request;
        request.pos = pos;
        request.forReal = true;
        return request;
    }

    static void choose(FenEditSaisieController& window, const char* pop, qint64 tag)
    {
        auto* popup = window.outlet<StdPopUp>(QString::fromLatin1(pop));
        ASSERT_NE(popup, nullptr) << pop;
        popup->rebuild();
        EXPECT_TRUE(popup->activateTag(tag)) << pop << " " << tag;
    }
    static void type(FenEditSaisieController& window, const char* field, const QString& text)
    {
        WindowDriver(window).type(QString::fromLatin1(field), text);
    }
    // Texts with letters a keyboard script can't type.
    static void fill(FenEditSaisieController& window, const char* field, const QString& text)
    {
        auto* view = window.outlet<QPlainTextEdit>(QString::fromLatin1(field));
        ASSERT_NE(view, nullptr) << field;
        view->setPlainText(text);
    }
    static QString text(FenEditSaisieController& window, const char* field)
    {
        return WindowDriver(window).text(QString::fromLatin1(field));
    }
    static void ok(FenEditSaisieController& window) { window.perform(QStringLiteral("OUI:")); }
    static void cancel(FenEditSaisieController& window) { window.perform(QStringLiteral("NON:")); }
    static QImage grab(FenEditSaisieController& window, const char* name)
    {
        return WindowDriver(window).grab(QString::fromLatin1(name));
    }
    // The window on screen with the keyboard, as the user sees it.
    static void showActive(FenEditSaisieController& window)
    {
        window.window()->show();
        window.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.window()));
        QCoreApplication::processEvents();
    }
    // A click as the user makes it, through the window: what lies over the widget there takes it.
    static void clickOn(QWidget* widget, QPoint at = {})
    {
        if (at.isNull())
            at = widget->rect().center();
        QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, widget->mapTo(widget->window(), at));
    }
    // An expense of 60 from the current account at the baker's, with a note, to store.
    TRANSACT withNote(const QString& note)
    {
        TRANSACT stored;
        stored.defaultTransact(&doc);
        stored.who1 = 7;
        stored.who2 = 22;
        stored.solde = euros(60);
        stored.note = note;
        return stored;
    }

    double balance(long compte) const { return getTool(kToolCompte, compte, &doc)->solde.values[0]; }
    MONTANT euros(double value) const
    {
        MONTANT m;
        m.makeMontant(0, value, doc.deviseHdl);
        return m;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    TransactionWindows windows;
};

} // namespace saisieui
