// The program's text views, driven by real key and mouse events: the click that gives the focus,
// Return and the window's default button, and the completion of category and account names.
#include "toolkit/fields/TextViewCompteC.h"
#include "toolkit/fields/TextViewCompteD.h"
#include "toolkit/fields/TextViewPoste.h"

#include "document/APPLIPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"
#include "model/TOOL.h"
#include "support/TestFiles.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>

namespace {

using testenv::tool;

// The window's controller: records the entities its fields choose.
class ChoiceProbe : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void POSTE(QObject* item) { postes.append(tagOf(item)); }
    Q_INVOKABLE void DEBIT(QObject* item) { debits.append(tagOf(item)); }
    Q_INVOKABLE void CREDIT(QObject* item) { credits.append(tagOf(item)); }

    static qint64 tagOf(QObject* item) { return qobject_cast<QAction*>(item)->data().toLongLong(); }

    QList<qint64> postes;
    QList<qint64> debits;
    QList<qint64> credits;
};

POSTE poste(long ident, const QString& nom)
{
    POSTE p;
    p.ident = ident;
    p.nom = nom;
    return p;
}

class TextViewTest : public UiTestFixture {
protected:
    TextViewTest()
    {
        for (const POSTE& p : {poste(1, "Alimentation"), poste(2, "Assurance"), poste(3, "Auto"), poste(4, "École")})
            POSTE::insertPoste(p, doc.posteHdl);
        doc.banqueHdl = {tool(kToolBanque, 10, "Banque", kBanqueUser), tool(kToolBanque, 11, "Tiers", kBanqueTiers)};
        doc.compteHdl
            = {tool(kToolCompte, 20, "Courant", kBanqueUser, 10), tool(kToolCompte, 21, "Livret", kBanqueUser, 10),
               tool(kToolCompte, 30, "Boulanger", kBanqueTiers, 11)};
        DocumentSession::adopt(doc);

        auto* date = new QHBoxLayout;
        for (StdTextView* field : std::initializer_list<StdTextView*> {jour, mois, annee}) {
            field->setFixedWidth(field == annee ? 56 : 36);
            date->addWidget(field);
        }
        date->addStretch();
        auto* form = new QFormLayout(&window);
        form->addRow("Montant", montant);
        form->addRow("Date", date);
        form->addRow("Catégorie", postes);
        form->addRow("Débit", debit);
        form->addRow("Crédit", credit);
        form->addRow("Note", plain);
        window.setController(&probe);
        window.resize(320, window.sizeHint().height());
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~TextViewTest() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    static QString selected(const StdTextView* view) { return view->textCursor().selectedText(); }
    int beeps() { return ui().desktopRequests().beeps; }

    DOCUMENT doc {QString(), kFileSystemLocal};
    ChoiceProbe probe;
    StdWindow window;
    TextViewPoste* postes = new TextViewPoste(&window);
    TextViewCompteD* debit = new TextViewCompteD(&window);
    TextViewCompteC* credit = new TextViewCompteC(&window);
    StdTextView* plain = new StdTextView(&window);
    TextFieldMontant* montant = new TextFieldMontant(&window);
    TextFieldJour* jour = new TextFieldJour(&window);
    TextFieldMois* mois = new TextFieldMois(&window);
    TextFieldAnnee* annee = new TextFieldAnnee(&window);
};

TEST_F(TextViewTest, TypingCompletesCategoriesAndArrowsStepThroughThem)
{
    postes->setFocus();
    QTest::keyClicks(postes, "a");
    EXPECT_EQ(postes->toPlainText(), "Alimentation");
    EXPECT_EQ(selected(postes), "A");
    QTest::keyClicks(postes, "u");
    EXPECT_EQ(postes->toPlainText(), "Auto");
    EXPECT_EQ(selected(postes), "Au");
    QTest::keyClicks(postes, "x");
    EXPECT_EQ(beeps(), 1);
    // Delete shortens the typed part and completes again.
    QTest::keyClick(postes, Qt::Key_Backspace);
    EXPECT_EQ(selected(postes), "A");

    QTest::keyClick(postes, Qt::Key_Down);
    EXPECT_EQ(postes->toPlainText(), "École");
    QTest::keyClick(postes, Qt::Key_Right);
    EXPECT_EQ(beeps(), 2);
    QTest::keyClick(postes, Qt::Key_Left);
    EXPECT_EQ(postes->toPlainText(), "Auto");
    QTest::keyClick(postes, Qt::Key_Up);
    QTest::keyClick(postes, Qt::Key_Left);
    EXPECT_EQ(beeps(), 3);
    EXPECT_EQ(probe.postes, (QList<qint64> {1, 3, 1, 4, 3, 1}));

    // Accents and case are ignored; a shift key alone types nothing.
    postes->selectAll();
    QTest::keyClick(postes, Qt::Key_Shift);
    QTest::keyClicks(postes, "ECOLE");
    EXPECT_EQ(selected(postes), "École");
    EXPECT_EQ(beeps(), 3);
}

TEST_F(TextViewTest, CompletionFieldsRefuseThePasteAndArePlainWithoutEntities)
{
    postes->setFocus();
    QTest::keyClicks(postes, "as");
    QGuiApplication::clipboard()->setText("Zut");
    QTest::keySequence(postes, QKeySequence(QKeySequence::Paste));
    QTest::keySequence(postes, QKeySequence(QKeySequence::Cut));
    EXPECT_EQ(postes->toPlainText(), "Assurance");

    postes->moveCursor(QTextCursor::End);
    QTest::mouseClick(postes->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_EQ(selected(postes), "Assurance");

    doc.posteHdl.clear();
    QTest::keyClicks(postes, "xy");
    DocumentSession::close();
    QTest::keyClicks(postes, "z");
    EXPECT_EQ(postes->toPlainText(), "xyz");
    EXPECT_EQ(beeps(), 0);
}

TEST_F(TextViewTest, AccountFieldsOfferTheAccountsTheirPopUpAdmits)
{
    PopCompte popup(&window);
    popup.setPOPcompteCFilter(int(kFilterBanqueUser));
    debit->setAssociatedPopup(&popup);
    debit->setFocus();
    QTest::keyClicks(debit, "b");
    EXPECT_EQ(beeps(), 1);
    QTest::keyClicks(debit, "l");
    EXPECT_EQ(debit->toPlainText(), "Livret");
    QTest::keyClick(debit, Qt::Key_Up);
    EXPECT_EQ(debit->toPlainText(), "Courant");
    EXPECT_EQ(probe.debits, (QList<qint64> {21, 20}));

    credit->setFocus();
    QTest::keyClicks(credit, "b");
    EXPECT_EQ(credit->toPlainText(), "Boulanger");
    EXPECT_EQ(probe.credits, (QList<qint64> {30}));
}

TEST_F(TextViewTest, TheClickThatGivesTheFocusKeepsTheTextSelected)
{
    plain->setPlainText("Cadeau pour Léa");
    SystemClock::setNowForTesting(1000.0);
    QTest::mouseClick(plain->viewport(), Qt::LeftButton, {}, QPoint(30, 8));
    EXPECT_EQ(QApplication::focusWidget(), plain);
    SystemClock::setNowForTesting(1000.05);
    QTest::mouseClick(plain->viewport(), Qt::LeftButton, {}, QPoint(30, 8));
    EXPECT_EQ(selected(plain), "Cadeau pour Léa");

    SystemClock::setNowForTesting(1000.2);
    QTest::mouseClick(plain->viewport(), Qt::LeftButton, {}, QPoint(30, 8));
    EXPECT_FALSE(plain->textCursor().hasSelection());

    debit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(plain->textCursor().anchor(), 0);
    EXPECT_EQ(plain->textCursor().position(), 0);
}

// A field's whole text is selected as it takes the focus, so the first key replaces it; lines a file
// brought into a one-line field are not, nor is a note: the caret goes to their end, and so does
// Return with the caret inside them. The first key typed then adds to them.
TEST_F(TextViewTest, NoKeyReplacesLinesTheUserDidNotSelect)
{
    APPLIPARAM::loadAppliParam().optionSaisieQuick = false;
    struct Case {
        const char* text;
        bool replaced;
    };
    for (const Case& c : {Case {"Cadeau pour Léa", true}, Case {"12 rue des Lilas\n75011 Paris", false},
                          Case {"Tél.\r01 02 03 04 05", false}}) {
        SCOPED_TRACE(c.text);
        plain->setPlainText(QString::fromUtf8(c.text));
        const QString shown = plain->toPlainText();
        debit->setFocus(Qt::TabFocusReason);
        plain->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(plain, QStringLiteral("Z"));
        EXPECT_EQ(plain->toPlainText(), c.replaced ? QStringLiteral("Z") : shown + u'Z');
        if (!c.replaced) {
            plain->moveCursor(QTextCursor::Start);
            QTest::keyClick(plain, Qt::Key_Return);
            EXPECT_FALSE(plain->textCursor().hasSelection()) << "Return in lines";
            EXPECT_TRUE(plain->textCursor().atEnd());
        }
    }
}

// A dialog with one field and a default OK button; counts its READs.
class FenChampDemo : public StdWindowController {
    Q_OBJECT
public:
    int reads = 0;
    bool READ() override
    {
        ++reads;
        return true;
    }

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* field = new TextFieldMontant(&window);
        field->setObjectName("field_montant");
        auto* ok = new QPushButton("OK", &window);
        connectAction(ok, "OUI:");
        ok->setDefault(true);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(ok);
    }
};

TEST_F(TextViewTest, ReturnSelectsAllFirstUnlessQuickEntryThenPressesTheDefaultButton)
{
    for (const bool quick : {false, true}) {
        APPLIPARAM::loadAppliParam().optionSaisieQuick = quick;
        ui().onModal<FenChampDemo>([quick](FenChampDemo& c) {
            auto* field = c.outlet<TextFieldMontant>("field_montant");
            QTest::keyClicks(field, "12.5");
            QTest::keyClick(field, Qt::Key_Left); // the caret before the end of the text
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_EQ(c.reads, quick ? 1 : 0);
            if (quick)
                return;
            EXPECT_EQ(selected(field), "12,5");
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_EQ(c.reads, 1);
        });
        EXPECT_EQ(StdWindowController::pushModal<FenChampDemo>(nullptr, makeWindowData(), 0), 1);
    }
}

TEST_F(TextViewTest, AFormWithAnAmountADateAndACategoryLooksRight)
{
    montant->setFocus();
    QTest::keyClicks(montant, "-1234,5");
    jour->setFocus();
    QTest::keyClicks(jour, "14");
    QTest::keyClicks(mois, "07");
    EXPECT_EQ(QApplication::focusWidget(), annee);
    QTest::keyClicks(annee, "24");
    postes->setFocus();
    QTest::keyClicks(postes, "as");
    EXPECT_EQ(annee->toPlainText(), "2024");
    EXPECT_EQ(montant->toPlainText(), "-1234,5");
    EXPECT_FALSE(WindowDriver(&window).grab("text-fields-form.png").isNull());
}

} // namespace

#include "TextViewTest.moc"
