// A modal window whose run waits under a question asked meanwhile from another window: the
// favourite's editor, open over the favourites, while a category's list asks whether to delete its
// rows. The keys typed into the editor before the answer are not carried out after it (the user's
// next click is), each brings the question forward, and Ctrl+Q quits from there as from any
// window. Every run is a real event loop, and the keys take the desktop's road (shortcuts first).
#include "app/MainMenu.h"
#include "entities/FenFavoriController.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/host/QtModalRunner.h"
#include "toolkit/palettes/FenPaletteToolController.h"
#include "toolkit/windows/StdWindow.h"
#include "transactions/FenListingPosteController.h"
#include "ui/app/ShellFixture.h"

#include "document/favoris.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

class WaitingWindowKeys : public ShellFixture {
protected:
    WaitingWindowKeys()
    {
        APPLIPARAM::loadAppliParam().autoSaveWhenQuit = true;
        APPLIPARAM::saveAppliParam();
        menu->install();
        const QString url = testenv::freshDir(QStringLiteral("waiting-keys")) + QStringLiteral("/Famille.svd");
        copyQuietSample(url);
        EXPECT_TRUE(delegate->openSorvFile(url, kFileSystemLocal));
        // The headless platform gives the keyboard to every palette it shows.
        closePaletteOutils();
    }

    // Real runs and questions, each its own event loop; the test's own host back at the end.
    TestScheduler& runForReal()
    {
        UiHost::Services services = testServices();
        services.modal = std::make_unique<QtModalRunner>();
        services.alerts = std::make_unique<QtAlertPresenter>();
        auto& clock = static_cast<TestScheduler&>(*services.scheduler);
        m_real = std::make_unique<UiHost>(std::move(services));
        UiHost::install(m_real.get());
        return clock;
    }
    ~WaitingWindowKeys() override { UiHost::install(&ui()); }

    std::unique_ptr<MainMenu> menu = std::make_unique<MainMenu>(delegate.get());
    std::unique_ptr<UiHost> m_real;
};

TEST_F(WaitingWindowKeys, KeysTypedUnderAQuestionAreNotCarriedOutAfterItsAnswer)
{
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* userThen; // clicked in the editor once the question is answered
        bool added;
        bool quits;
    };
    const Case cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier, "NON:", false, false},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, "OUI:", true, false},
        // The quit waits for the editor the user typed in, whose OK is carried out.
        {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, "OUI:", true, true},
    };
    TestScheduler& clock = runForReal();
    const QPointer<FenFavoriController> favoris = FenFavoriController::openFavoris();
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        DOCUMENT& doc = *delegate->document();
        FenListingPosteController* list = openListingPoste(doc, doc.transact_array.front().posteID, 0, true);
        const long before = nbFavoris();
        QObject turn;
        bool questionInFront = false;
        const auto answerNo = [&questionInFront] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            questionInFront = box && QApplication::activeWindow() == box;
            if (box)
                box->buttons().constFirst()->click();
        };
        // In the editor's run: a name typed, then the list's question, during which the user clicks
        // back into the editor and types the key.
        QTimer::singleShot(0, &turn, [&] {
            QWidget* editor = UiHost::instance().modal().modalWindow();
            auto* nom = editor->findChild<QLineEdit*>(QStringLiteral("field_nom"));
            QTest::keyClicks(nom, QStringLiteral("AAA"));
            QTimer::singleShot(0, &turn, [&] {
                QApplication::setActiveWindow(editor);
                QTest::keyClick(nom, each.key, each.modifiers);
                QMetaObject::invokeMethod(&turn, answerNo, Qt::QueuedConnection);
            });
            list->table1()->selectAll();
            list->EFFACER(nullptr);
            qobject_cast<StdWindowController*>(static_cast<StdWindow*>(editor)->controller())
                ->perform(QString::fromLatin1(each.userThen));
        });
        favoris->perform(QStringLiteral("NOUVEAU:"));
        clock.flush();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(questionInFront);
        EXPECT_EQ(nbFavoris(), before + (each.added ? 1 : 0));
        EXPECT_EQ(delegate->bankIsOpen(), !each.quits);
    }
    if (favoris)
        favoris->close();
}

// With no question up, Ctrl+Q in a modal editor the user typed nothing in quits all the same, once
// the user has closed the editor: it is never cancelled on the user's behalf.
TEST_F(WaitingWindowKeys, CtrlQInAModalEditorQuits)
{
    TestScheduler& clock = runForReal();
    const QPointer<FenFavoriController> favoris = FenFavoriController::openFavoris();
    const long before = nbFavoris();
    QObject turn;
    bool waited = false;
    QTimer::singleShot(0, &turn, [&] {
        QWidget* editor = UiHost::instance().modal().modalWindow();
        auto* nom = editor->findChild<QLineEdit*>(QStringLiteral("field_nom"));
        QApplication::setActiveWindow(editor);
        QTest::keyClick(nom, Qt::Key_Q, Qt::ControlModifier);
        // Once the quit has run and the editor's event loop has turned again: an editor the quit
        // ended would have returned by then, and no loop of its would run this.
        QTimer::singleShot(0, &turn, [&, editor, nom] {
            QTimer::singleShot(0, &turn, [&, editor, nom] {
                waited = editor->isVisible() && delegate->bankIsOpen();
                QTest::keyClick(nom, Qt::Key_Escape);
            });
        });
    });
    favoris->perform(QStringLiteral("NOUVEAU:"));
    clock.flush();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(waited);
    EXPECT_EQ(nbFavoris(), before);
    EXPECT_FALSE(delegate->bankIsOpen());
}

} // namespace
