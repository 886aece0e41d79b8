// The filtered entry fields, typed into with real key events: what each kind lets through, how it
// cleans its content, where the focus goes once a day or year is complete, what leaving a field
// puts back, pasting from the clipboard, and the amount field's slots.
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldIntegerNStar.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/fields/TextFieldSingleChar.h"

#include "document/DocumentSession.h"
#include "model/DOCUMENT.h"
#include "toolkit/windows/StdWindow.h"
#include "uisupport/UiTestFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

namespace {

// The window's controller, asked for the fields' font size.
class SizeProbe : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE QVariant defaultFontSize() const { return QVariant(QStringLiteral("11")); }
};

class FieldsTest : public UiTestFixture {
protected:
    FieldsTest()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* field :
             std::initializer_list<QWidget*> {jour, mois, annee, entier, etoile, reel, montant, lettre, fin})
            layout->addWidget(field);
        window.setController(&probe);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~FieldsTest() override
    {
        setKeyDownInterceptor({});
        DocumentSession::close();
    }

    // Focuses the field, selects all of it and types the text.
    static void typeInto(StdTextView* field, const QString& text)
    {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    static void pasteInto(StdTextView* field, const QString& clipboard)
    {
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keySequence(field, QKeySequence(QKeySequence::Paste));
    }
    static void leave(StdTextView* field)
    {
        field->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(field, Qt::Key_Tab);
    }

    SizeProbe probe;
    StdWindow window;
    TextFieldJour* jour = new TextFieldJour(&window);
    TextFieldMois* mois = new TextFieldMois(&window);
    TextFieldAnnee* annee = new TextFieldAnnee(&window);
    TextFieldIntegerN* entier = new TextFieldIntegerN(&window);
    TextFieldIntegerNStar* etoile = new TextFieldIntegerNStar(&window);
    TextFieldReal* reel = new TextFieldReal(&window);
    TextFieldMontant* montant = new TextFieldMontant(&window);
    TextFieldSingleChar* lettre = new TextFieldSingleChar(&window);
    StdTextView* fin = new StdTextView(&window);
};

TEST_F(FieldsTest, DatePartsAreBoundedMoveTheFocusOnAndAreCompletedWhenLeft)
{
    typeInto(jour, "45");
    EXPECT_EQ(jour->toPlainText(), "31");
    EXPECT_EQ(QApplication::focusWidget(), mois);
    typeInto(mois, "13");
    EXPECT_EQ(mois->toPlainText(), "12");
    EXPECT_EQ(QApplication::focusWidget(), annee);
    // A single digit waits; a digit typed before it still makes a complete day.
    typeInto(jour, "7");
    EXPECT_EQ(QApplication::focusWidget(), jour);
    jour->moveCursor(QTextCursor::Start);
    QTest::keyClicks(jour, "9");
    EXPECT_EQ(jour->toPlainText(), "31");
    EXPECT_EQ(jour->font().pixelSize(), 11); // the size the window asks for

    typeInto(annee, "98");
    leave(annee);
    EXPECT_EQ(annee->toPlainText(), "1998");
    typeInto(annee, "5");
    leave(annee);
    EXPECT_EQ(annee->toPlainText(), "2005");
    typeInto(annee, "2024");
    EXPECT_EQ(QApplication::focusWidget(), entier);
    typeInto(jour, "0");
    leave(jour);
    EXPECT_EQ(jour->toPlainText(), "1");
}

TEST_F(FieldsTest, FieldsTakeOnlyTheirCharactersTypedOrPasted)
{
    typeInto(entier, "1a2-");
    QTest::keyClick(entier, Qt::Key_Left);
    QTest::keyClicks(entier, "3");
    EXPECT_EQ(entier->toPlainText(), "123");
    entier->clear();
    leave(entier);
    EXPECT_EQ(entier->toPlainText(), "0");
    typeInto(etoile, "000");
    leave(etoile);
    EXPECT_EQ(etoile->toPlainText(), "1");

    typeInto(reel, "12");
    QTest::keyClick(reel, Qt::Key_Left);
    QTest::keyClicks(reel, "3");
    EXPECT_EQ(reel->toPlainText(), "132");
    typeInto(reel, "5-.2,"); // either separator shows as the decimal comma
    EXPECT_EQ(reel->toPlainText(), "5,2");
    reel->selectAll();
    pasteInto(reel, "-12.3.4");
    EXPECT_EQ(reel->toPlainText(), "-12,34");
    EXPECT_EQ(reel->textCursor().selectedText(), "-12,34");
    reel->moveCursor(QTextCursor::End);
    pasteInto(reel, "abc");
    EXPECT_EQ(reel->toPlainText(), "-12,34");

    typeInto(jour, "");
    pasteInto(jour, "j 4\n5");
    EXPECT_EQ(jour->toPlainText(), "31");
    EXPECT_EQ(QApplication::focusWidget(), mois);

    typeInto(lettre, "x");
    EXPECT_EQ(QApplication::focusWidget(), fin);
    QTest::keyClicks(lettre, "yz");
    EXPECT_EQ(lettre->toPlainText(), "z");
}

TEST_F(FieldsTest, TheAmountFollowsTheTextInEverySlot)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.deviseHdl = Devise::defaultDevises();
    doc.deviseHdl[2].convert = 2.0;
    doc.deviseHdl[2].decimale = 0;
    DocumentSession::adopt(doc);

    MONTANT amount;
    amount.makeMontant(0, 12.5, doc.deviseHdl);
    montant->fillMontant(amount, 0, 4);
    EXPECT_EQ(montant->toPlainText(), "12,50");
    montant->SET_DEVISE(2);
    EXPECT_EQ(montant->toPlainText(), "6");

    typeInto(montant, "10");
    MONTANT read;
    montant->readMontant(read);
    EXPECT_DOUBLE_EQ(read.values[2], 10.0);
    EXPECT_DOUBLE_EQ(read.values[0], 20.0);
    EXPECT_DOUBLE_EQ(read.values[1], storedMontantValue(20.0 / doc.deviseHdl[1].convert, 2)); // as stored
    // Held as stored: slot 2's currency has no decimals.
    montant->selectAll();
    pasteInto(montant, "1.234,5");
    EXPECT_DOUBLE_EQ(montant->montant().values[2], 1.0);
    EXPECT_DOUBLE_EQ(montant->montant().values[0], 2.0);
    montant->moveCursor(QTextCursor::End);
    QTest::keyClick(montant, Qt::Key_Backspace);
    EXPECT_DOUBLE_EQ(montant->montant().values[2], 1.0);

    // A macro key is the application's alone.
    int offered = 0;
    setKeyDownInterceptor([&offered](QKeyEvent* event) {
        offered += event->key() == Qt::Key_5;
        return event->modifiers() == Qt::AltModifier;
    });
    QTest::keyClick(montant, Qt::Key_5, Qt::AltModifier);
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(montant->toPlainText(), "1,234");

    // A text without digits before the point, and a value no double holds.
    EXPECT_EQ(TextFieldMontant::valueOfText("-.5"), -0.5);
    montant->selectAll();
    pasteInto(montant, QString(400, u'9'));
    EXPECT_EQ(montant->montant().values[0], 0.0);
}

// A figure is read at the precision it is stored with, and shown so once the field is left; a
// field of a figure kept as typed, or of a text that is no number, is left as it is.
TEST_F(FieldsTest, AFigureIsReadAsStoredAndShownSoOnceLeft)
{
    DOCUMENT doc(QString(), kFileSystemLocal);
    doc.deviseHdl = Devise::defaultDevises();
    DocumentSession::adopt(doc);
    struct Row {
        TextFieldReal* field;
        int storedDecimales; // -1: the amount's currency, or as typed
        const char* typed;
        double read;
        const char* shownWhenLeft;
    };
    const Row rows[] = {
        {montant, -1, "12,345", 12.35, "12,35"},
        {montant, -1, "0,0012", 0.0, "0,00"},
        {montant, -1, "-0,004", 0.0, "0,00"},
        {montant, 6, "1,23456789", 1.234568, "1,234568"},
        {montant, -1, "-", 0.0, "-"},
        {reel, 6, "0,0000004", 0.0, "0,000000"},
        {reel, 6, "1,23456789", 1.234568, "1,234568"},
        {reel, 2, "500,5", 500.5, "500,5"},
        {reel, -1, "1,23456789", 1.23456789, "1,23456789"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        if (row.field == montant)
            montant->setStoredDecimales(row.storedDecimales);
        else
            reel->setStoredDecimales(row.storedDecimales);
        typeInto(row.field, QString::fromLatin1(row.typed));
        const double read = row.field == montant ? montant->montant().values[0] : reel->storedValue();
        EXPECT_DOUBLE_EQ(read, row.read);
        leave(row.field);
        EXPECT_EQ(row.field->toPlainText(), QString::fromLatin1(row.shownWhenLeft));
        EXPECT_DOUBLE_EQ(row.field == montant ? montant->montant().values[0] : reel->storedValue(), row.read);
    }
}

} // namespace

#include "FieldsTest.moc"
