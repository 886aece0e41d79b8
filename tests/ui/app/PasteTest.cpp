// A paste into every kind of field the windows have, and into the grid, with what a clipboard may
// hold besides text: nothing at all (a fresh session, or the program that copied has quit), only
// an image, only a page. Nothing goes in and the window goes on; text still goes in.
#include "calculator/FenCalculetteController.h"
#include "calculator/ViewConsole.h"
#include "spreadsheet/ViewTableurCenter.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/fields/TextViewPoste.h"
#include "transactions/TextFieldNote.h"
#include "ui/spreadsheet/DemoTableur.h"
#include "uisupport/UiTestFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

namespace {

struct Clipboard {
    const char* name;
    std::function<void(QMimeData&)> fill;
};

const Clipboard kWithoutText[] = {
    {"empty", [](QMimeData&) {}},
    {"image", [](QMimeData& data) { data.setImageData(QImage(4, 4, QImage::Format_RGB32)); }},
    {"html", [](QMimeData& data) { data.setHtml(QStringLiteral("<p><b>12</b> €</p>")); }},
};

void offer(const std::function<void(QMimeData&)>& fill)
{
    auto* data = new QMimeData;
    fill(*data);
    QGuiApplication::clipboard()->setMimeData(data);
}

// The field's text, whatever its class.
QString textOf(QWidget* field)
{
    if (auto* line = qobject_cast<QLineEdit*>(field))
        return line->text();
    return qobject_cast<QPlainTextEdit*>(field)->toPlainText();
}

// Ctrl+V, then the Edit menu's command, which calls the field's own paste.
void pasteTwice(QWidget* field)
{
    field->setFocus(Qt::OtherFocusReason);
    QTest::keySequence(field, QKeySequence::Paste);
    QMetaObject::invokeMethod(field, "paste", Qt::DirectConnection);
}

class PasteTest : public UiTestFixture {
protected:
    PasteTest()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* field : std::initializer_list<QWidget*> {note, texte, montant, completion, ligne})
            layout->addWidget(field);
        window.show();
    }
    ~PasteTest() override
    {
        if (FenCalculetteController* calculette = FenCalculetteController::freeCalculette())
            calculette->close();
        QGuiApplication::clipboard()->clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QWidget window;
    TextFieldNote* note = new TextFieldNote;
    StdTextView* texte = new StdTextView;
    TextFieldMontant* montant = new TextFieldMontant;
    TextViewPoste* completion = new TextViewPoste;
    QLineEdit* ligne = new QLineEdit;
};

TEST_F(PasteTest, AClipboardWithoutTextPutsNothingInAnyFieldAndTheWindowGoesOn)
{
    FenCalculetteController* calculette = FenCalculetteController::openCalculette(0);
    ASSERT_NE(calculette, nullptr);
    QTest::keyClicks(calculette->console(), QStringLiteral("12"));
    const QList<QWidget*> fields {calculette->console(), note, texte, montant, completion, ligne};
    for (QWidget* field : fields) {
        if (field != calculette->console())
            QTest::keyClicks(field, QStringLiteral("12"));
    }
    for (const Clipboard& clipboard : kWithoutText) {
        offer(clipboard.fill);
        for (QWidget* field : fields) {
            const QString before = textOf(field);
            pasteTwice(field);
            EXPECT_EQ(textOf(field), before) << clipboard.name << " into " << field->metaObject()->className();
        }
    }

    // Text still goes in, each field by its own rules (the console at its prompt, the note with
    // its lines), but for the completing field, which takes no paste.
    offer([](QMimeData& data) { data.setText(QStringLiteral("3\n4")); });
    for (QWidget* field : fields) {
        pasteTwice(field);
        EXPECT_EQ(textOf(field) == QStringLiteral("12"), field == completion) << field->metaObject()->className();
    }
    EXPECT_TRUE(textOf(calculette->console()).endsWith(QStringLiteral("> 123\n43\n4")));
    EXPECT_EQ(textOf(note), QStringLiteral("123\n43\n4"));
}

// The grid takes no paste: the keys and the Edit menu leave its cells and its selection alone.
TEST_F(PasteTest, TheGridTakesNoPasteOfAnyKind)
{
    std::unique_ptr<DemoTableurController> grid
        = openDemoTableur(DemoTableurController::statementRows(), DemoTableurController::statementTitles());
    ViewTableurCenter* center = grid->viewTableurCenter();
    grid->selectCellAtRowIndex(2, 3);
    const QList<QStringList> rows = grid->rows;
    for (const Clipboard& clipboard : kWithoutText) {
        offer(clipboard.fill);
        center->setFocus(Qt::OtherFocusReason);
        QTest::keySequence(center, QKeySequence::Paste);
        EXPECT_FALSE(grid->canPaste()) << clipboard.name;
    }
    EXPECT_EQ(grid->rows, rows);
    EXPECT_TRUE(grid->hasCellWithStateAtRow(2, CellObject::kStateSelected));
    EXPECT_TRUE(grid->hasCellWithStateAtColumn(3, CellObject::kStateSelected));
}

} // namespace
