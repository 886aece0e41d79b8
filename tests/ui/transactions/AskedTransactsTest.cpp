// The delete question leaves the other windows at work: the answer deletes the transactions asked
// about, wherever they stand by then, unless they changed meanwhile, and nothing else. The
// question runs in a real event loop, where the other windows' changes come before the answer.
#include "TransListFixture.h"

#include "transactions/FenListingPosteController.h"
#include "transactions/FenListingSearchController.h"
#include "transactions/FenReleveController.h"

#include "toolkit/dialogs/QtAlertPresenter.h"

#include "engines/TransactClipboard.h"
#include "foundation/localized.h"
#include "foundation/selectors.h"
#include "model/ReferencePasses.h"
#include "model/TransactOps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <vector>

namespace translist {
namespace {

using AskedTransactsTest = TransListTest;

void answerOui()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
        if (button->text() == localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")))
            button->click();
}

// Asked about Salaire (1) and Retrait (3), Retrait alone, or Retrait and Courtier (6). The statement
// selects a transaction made or edited meanwhile. A list closed under its question takes the
// question with it, answered no: nothing it asked about goes, whatever was clicked afterwards.
// Twins: Retrait pasted (7) before the question, or after the asked one went; two purchases alike
// typed apart (7, 8), the first asked, then deleted, the second sliding into its place. Retrait
// moved by a delete before it and edited, Livret sliding into its place: neither goes.
TEST_F(AskedTransactsTest, TheAnswerDeletesOnlyWhatWasAskedAbout)
{
    using Meanwhile = std::function<void(FenTransListController*)>;
    const Meanwhile made
        = [this](auto*) { makeTransact(trans(at(13, 6, 2024), 7, 22, 12.34, 1, "Neuve"), nullptr, &doc, true, true); };
    const auto edit = [this](long position) {
        TRANSACT changed = doc.transact_array[position];
        changed.solde = euros(55);
        replaceTransact(changed, position, &doc, true, true, false);
    };
    const Meanwhile edited = [&](auto*) { edit(3); };
    const Meanwhile movedAndEdited = [&](auto*) {
        deleteTransact(0, &doc, true, true);
        edit(2);
    };
    // Retrait copied; then, when asked, deleted; then pasted.
    const auto paste = [this](bool deleted) {
        TransactClipboard clipboard;
        clipboard.copyTransactToClipboard(doc.transact_array[3]);
        if (deleted)
            deleteTransact(3, &doc, true, true);
        clipboard.pasteTransactClipboard(&doc, nullptr);
    };
    const Meanwhile pasted = [&](auto*) { paste(false); };
    const Meanwhile pastedBack = [&](auto*) { paste(true); };
    const Meanwhile twinEdited = [&](auto*) { edit(7); };
    const Meanwhile retraitDeleted = [this](auto*) { deleteTransact(3, &doc, true, true); };
    const Meanwhile twinDeleted = [this](auto*) { deleteTransact(7, &doc, true, true); };
    const Meanwhile madeTwice = [&](auto* list) {
        made(list);
        made(list);
    };
    const Meanwhile replaced = [this](auto*) {
        replacePosteEverywhere(4, &doc, 1, nullptr);
        sendToAllWindowDelegates(Sel::notifyPosteDeleted, qlonglong(4), QVariant());
        deleteTransact(0, &doc, true, true);
    };
    const Meanwhile closed = [this](auto* list) {
        list->close();
        deleteTransact(0, &doc, true, true);
    };
    const auto statement = [this] { return openReleveWindow(7, true, 0, doc); };
    const auto categorie = [this] { return openListingPoste(doc, 4, 0, true); };
    const auto search = [this] { return openListingSearch(doc, Critere::makeDossierCritere(2, &doc), 0); };
    struct Case {
        std::function<FenTransListController*()> open;
        std::vector<long> asked;
        Meanwhile meanwhile;
        const char* left;
        Meanwhile before = nullptr;
    };
    const Case cases[] = {
        {statement, {1, 3}, made, "Pain,Courses,Livret,Pharmacie,Courtier,Neuve"},
        {statement, {1, 3}, edited, "Pain,Courses,Retrait,Livret,Pharmacie,Courtier"},
        {categorie, {3}, replaced, "Salaire,Courses,Retrait,Livret,Pharmacie,Courtier"},
        {search, {3, 6}, closed, "Salaire,Courses,Retrait,Livret,Pharmacie,Courtier"},
        {statement, {7}, twinEdited, "Pain,Salaire,Courses,Retrait,Livret,Pharmacie,Courtier,Retrait", pasted},
        {statement, {3, 6}, retraitDeleted, "Pain,Salaire,Courses,Livret,Pharmacie,Retrait", pasted},
        {statement, {3}, pastedBack, "Pain,Salaire,Courses,Livret,Pharmacie,Courtier,Retrait"},
        {statement, {7}, twinDeleted, "Pain,Salaire,Courses,Retrait,Livret,Pharmacie,Courtier,Neuve", madeTwice},
        {statement, {3}, movedAndEdited, "Salaire,Courses,Retrait,Livret,Pharmacie,Courtier"},
    };
    UiHost::Services services = testServices();
    services.alerts = std::make_unique<QtAlertPresenter>();
    UiHost asking(std::move(services));
    UiHost::install(&asking);
    // The amounts as a stored document holds them, so that a paste is alike in every field.
    for (TRANSACT& t : doc.transact_array)
        t.roundAmountsAsStored(doc.deviseHdl);
    const TransactList kept = doc.transact_array;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        doc.transact_array = kept;
        recomputeAllReleves(&doc);
        if (c.before)
            c.before(nullptr);
        FenTransListController* list = c.open();
        QList<long> rows;
        for (const long position : c.asked)
            rows << rowOf(list, position);
        select(list, rows);
        QTimer::singleShot(0, qApp, [&] {
            c.meanwhile(list);
            QMetaObject::invokeMethod(qApp, answerOui, Qt::QueuedConnection);
        });
        list->perform(QStringLiteral("EFFACER:"));
        QStringList left;
        for (const TRANSACT& t : doc.transact_array)
            left << t.why;
        EXPECT_EQ(left.join(u',').toStdString(), c.left);
        if (!list->isClosed())
            list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    UiHost::install(&ui());
}

} // namespace
} // namespace translist
