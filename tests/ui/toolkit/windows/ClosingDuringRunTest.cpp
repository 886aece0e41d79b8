// A window closed or reloaded by another window while a question runs inside one of its own
// actions: the question runs in a real event loop, where the other window's action arrives as the
// desktop would deliver it. Nothing of the window goes under the code still waiting for the answer:
// the action goes on against its own listing, the answer is applied to the document (a sheet goes
// with its window, answered as its default), and the window's teardown and deletion come once the
// runs have ended.
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/windows/StdWindowWithTableController.h"
#include "uisupport/DemoRows.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "document/APPLIPARAM.h"
#include "foundation/broadcast.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <string>

namespace {

constexpr const char* kDidChange = "categoriesDidChange";

// The household's categories. A double-click on one asks (application-modal) whether to remove it;
// the Delete key asks the same as a sheet on the window. The window works on its own listing of
// the document, disposed as the window closes, as the transaction lists dispose theirs.
class CategoryList : public StdWindowWithTableController {
    Q_OBJECT
public:
    QStringList* document = nullptr;
    std::unique_ptr<QStringList> listing;
    DemoRowCell cell;
    int* teardowns = nullptr;
    int changesHeard = 0;
    bool actionFoundItsListing = false;

    int numberOfRowsInTableView1(StdTableView*) override { return listing ? int(listing->size()) : 0; }
    StdCell* viewForTableColumn1(StdTableView*, int row) override
    {
        cell.fill({QString(), listing->at(row), QString(), 0});
        return &cell;
    }
    void didDoubleClick1(QObject*) override { askAndRemove(false); }
    bool canDeleteSomething() const override { return true; }
    bool delete_(QObject*) override
    {
        askAndRemove(true);
        return true;
    }
    void FILL() override
    {
        listing = std::make_unique<QStringList>(*document);
        table1()->reloadData();
    }
    Q_INVOKABLE void categoriesDidChange()
    {
        ++changesHeard;
        FILL();
    }
    void windowWillClose() override
    {
        ++*teardowns;
        listing.reset();
        StdWindowWithTableController::windowWillClose();
    }

protected:
    void buildInterface(StdWindow& window) override
    {
        window.setWindowTitle(QStringLiteral("Catégories et dossiers"));
        auto* table = new StdTableView(&window);
        table->setObjectName(QStringLiteral("table1"));
        table->setUniformRowHeight(DemoRowCell::kHeight);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(table);
        window.setGeometry(80, 100, 520, 260);
    }

private:
    void askAndRemove(bool sheet)
    {
        const int row = table1()->currentIndex().row();
        const QString name = listing->at(row);
        const int answer = showAlert(sheet ? this : nullptr, QStringLiteral("Supprimer ce dossier ?"), name,
                                     QStringLiteral("Annuler"), QStringLiteral("Supprimer"), QString(), QString(), 0,
                                     kAlertFirstButton);
        actionFoundItsListing = listing != nullptr;
        if (answer != kAlertSecondButton || !listing)
            return;
        document->removeAll(name);
        listing->removeAll(name);
        table1()->reloadData();
    }
};

// Another window of the program: one button closes the list, the other changes the document.
class OtherWindow : public StdWindowController {
    Q_OBJECT
public:
    QPointer<CategoryList> list;
    QStringList* document = nullptr;

    Q_INVOKABLE void FERMER_LISTE(QObject*) { list->close(); }
    Q_INVOKABLE void RENOMMER(QObject*)
    {
        (*document)[0] = QStringLiteral("Courses");
        sendToAllWindowDelegates(kDidChange);
    }

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* close = new QPushButton(QStringLiteral("Fermer la liste"), &window);
        connectAction(close, QStringLiteral("FERMER_LISTE:"));
        auto* rename = new QPushButton(QStringLiteral("Renommer"), &window);
        connectAction(rename, QStringLiteral("RENOMMER:"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(close);
        layout->addWidget(rename);
        window.setGeometry(700, 100, 200, 100);
    }
};

// An application-modal question stays in sight, to be answered, whatever happened to the window
// that asked it.
void clickAlertButton(const QString& title)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box)
            continue;
        EXPECT_TRUE(box->isVisible());
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == title)
                button->click();
        }
    }
}

QPoint rowCentre(StdTableView* table, int row)
{
    return table->visualRect(table->tableModel()->index(row, 0)).center();
}

class ClosingDuringRun : public UiTestFixture {
protected:
    ClosingDuringRun()
    {
        APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
        parameters.doAnimations = false;
        parameters.doSoundsOpen = parameters.doSoundsClose = false;
    }
};

TEST_F(ClosingDuringRun, NothingOfAWindowGoesUnderTheQuestionOfItsOwnAction)
{
    enum class Ask { DoubleClick, DeleteKey };
    struct Case {
        const char* name;
        Ask ask;
        const char* otherAction;
        std::string documentAfter;
    };
    const Case cases[] = {
        {"double-click, list closed", Ask::DoubleClick, "FERMER_LISTE:", "Alimentation|Énergie|Loisirs"},
        {"double-click, list reloaded", Ask::DoubleClick, "RENOMMER:", "Courses|Énergie|Loisirs"},
        {"own alert, list closed", Ask::DeleteKey, "FERMER_LISTE:", "Alimentation|Énergie|Logement|Loisirs"},
    };
    UiHost::Services services = testServices();
    services.alerts = std::make_unique<QtAlertPresenter>();
    UiHost asking(std::move(services));
    UiHost::install(&asking);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        const bool closes = QByteArray(each.otherAction) == "FERMER_LISTE:";
        QStringList document {"Alimentation", "Énergie", "Logement", "Loisirs"};
        int teardowns = 0;
        QPointer<CategoryList> list = StdWindowController::push<CategoryList>(nullptr, 0, false);
        list->document = &document;
        list->teardowns = &teardowns;
        list->orderFront();
        auto* other = StdWindowController::push<OtherWindow>(nullptr, 0, true);
        other->list = list;
        other->document = &document;
        QPointer<StdTableView> table = list->table1();
        QApplication::processEvents();

        bool asked = false;
        // Delivered in the question's event loop, as the desktop delivers a click in another
        // window; the user answers later, when that loop has come round again.
        const auto answer = [&] {
            EXPECT_FALSE(list.isNull()) << "deleted under its own question";
            if (list) {
                EXPECT_EQ(teardowns, 0) << "its listing disposed under its own question";
                const int heard = list->changesHeard;
                sendToAllWindowDelegates(kDidChange);
                EXPECT_EQ(list->changesHeard, heard + (closes ? 0 : 1)) << "a closed window hears no broadcast";
                EXPECT_EQ(list->windowIfLoaded()->isVisible(), !closes);
                EXPECT_EQ(findOpenWindowController<CategoryList>(-1, -1, -1, -1, -1, -1, -1, -1),
                          closes ? nullptr : list.data());
            }
            clickAlertButton(QStringLiteral("Supprimer"));
        };
        QTimer::singleShot(0, other, [&] {
            asked = true;
            WindowDriver(*other).click(QString::fromLatin1(each.otherAction));
            QMetaObject::invokeMethod(other, answer, Qt::QueuedConnection);
        });
        list->table1()->GO(2);
        if (each.ask == Ask::DoubleClick) {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, 2));
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, rowCentre(table, 2));
            QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, rowCentre(table, 2));
        } else {
            QTest::keyClick(table, Qt::Key_Delete);
        }
        EXPECT_TRUE(asked);
        EXPECT_EQ(document.join(u'|').toStdString(), each.documentAfter) << "the answer is applied";
        EXPECT_TRUE(list && list->actionFoundItsListing);
        EXPECT_EQ(teardowns, 0) << "the teardown waits for the event loop";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(teardowns, closes ? 1 : 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(list.isNull(), closes) << "a closed list goes once the runs have ended";
        if (list) {
            EXPECT_EQ(table->numberOfRows(), 3);
            list->close();
        }
        other->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    UiHost::install(&ui());
}

} // namespace

#include "ClosingDuringRunTest.moc"
