// The conversion editor on an amount field, reached from the entry window's currency pop-up, and
// the transactions copied to and pasted from the program's clipboard.
#include "SaisieUiFixture.h"

#include "transactions/FenEditConversionController.h"
#include "transactions/TextFieldMontantSaisie.h"
#include "transactions/TransactPasteboard.h"

#include "engines/TransactClipboard.h"
#include "toolkit/fields/TextFieldReal.h"
#include "toolkit/popups/PopDevise.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace saisieui;

namespace {

// The application's side of the currency pop-up's conversion item.
class ConversionApp : public IWindowAppDelegate {
public:
    void windowDidBecomeMain(StdWindow*) override { }
    void windowDidResignMain(StdWindow*) override { }
    StdWindowController* getPaletteTool() override { return nullptr; }
    void EDIT_CONVERSION(StdWindow* window, QObject* item) override
    {
        editConversionDialog(window ? qobject_cast<StdWindowController*>(window->controller()) : nullptr, item);
    }
};

class ConversionPasteboardTest : public SaisieUiTest {
protected:
    ConversionPasteboardTest()
    {
        doc.deviseHdl[1].used = true;
        doc.deviseHdl[1].unit = QStringLiteral("F");
        doc.deviseHdl[2].used = true;
        doc.deviseHdl[2].unit = QStringLiteral("KWD");
        doc.deviseHdl[2].decimale = 3;
        doc.deviseHdl[2].convert = 3.25;
        setWindowAppDelegate(&app);
        initTransactClipboard();
    }
    ~ConversionPasteboardTest() override
    {
        setWindowAppDelegate(nullptr);
        disposeTransactClipboard();
        QGuiApplication::clipboard()->clear();
    }
    static TextFieldReal* slotField(FenEditConversionController& editor, int slot)
    {
        return editor.outlet<TextFieldReal>(QStringLiteral("field_devise%1").arg(slot));
    }
    TRANSACT expense(double amount, long who2 = 22) const
    {
        TRANSACT t;
        t.defaultTransact(&doc);
        t.who1 = 7;
        t.who2 = who2;
        t.moyen = 7;
        t.solde = euros(amount);
        return t;
    }

    ConversionApp app;
};

} // namespace

TEST_F(ConversionPasteboardTest, TheEditorWritesBackOnlyTheValuesChanged)
{
    ui().onModal<FenEditConversionController>([](FenEditConversionController& editor) {
        EXPECT_EQ(slotField(editor, 0)->toPlainText(), QStringLiteral("100,00"));
        EXPECT_EQ(slotField(editor, 2)->toPlainText(), QStringLiteral("30,77"))
            << "two decimals, whatever the currency";
        EXPECT_EQ(slotField(editor, 3)->toPlainText(), QStringLiteral("-"));
        EXPECT_FALSE(slotField(editor, 3)->isEnabled());
        WindowDriver(editor).grab(QStringLiteral("conversion.png"));
        WindowDriver(editor).type(QStringLiteral("field_devise1"), QStringLiteral("650"));
        editor.perform(QStringLiteral("OUI:"));
    });
    enter(newOf(7), [](FenEditSaisieController& w) {
        choose(w, "pop_compteC", 22);
        type(w, "field_montant", QStringLiteral("100"));
        auto* unit = w.outlet<PopDevise>(QStringLiteral("pop_devise"));
        unit->rebuild();
        ASSERT_TRUE(unit->activateTag(-1)) << "the conversions item";
        const MONTANT edited = FenEditSaisieController::montantOf(w.controls().field_montant);
        EXPECT_DOUBLE_EQ(edited.values[0], 100);
        EXPECT_DOUBLE_EQ(edited.values[1], 650);
        EXPECT_DOUBLE_EQ(edited.values[2], 30.769) << "untouched: as the typed amount holds it, stored";
        EXPECT_EQ(text(w, "field_montantTaxe"), QStringLiteral("16,67")) << "the tax split follows";
        ok(w);
    });
    ASSERT_EQ(doc.transact_array.size(), 1);
    EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.values[1], 650);
    EXPECT_DOUBLE_EQ(doc.transact_array[0].solde.values[2], 30.769) << "stored as the file holds it";
}

TEST_F(ConversionPasteboardTest, ADisabledAmountOpensEveryFieldDisabledAndBadTextIsTold)
{
    TextFieldMontantSaisie field;
    field.fillMontant(euros(20), 0);
    static_cast<StdTextView&>(field).setEnabled(false);
    QAction item;
    item.setProperty("sv_represented", QVariant::fromValue<QObject*>(&field));
    ui().onModal<FenEditConversionController>([](FenEditConversionController& editor) {
        for (int slot = 0; slot < 5; ++slot)
            EXPECT_FALSE(slotField(editor, slot)->isEnabled()) << slot;
        editor.perform(QStringLiteral("OUI:"));
    });
    EXPECT_TRUE(editConversionDialog(nullptr, &item));
    EXPECT_DOUBLE_EQ(field.montant().values[0], 20);

    static_cast<StdTextView&>(field).setEnabled(true);
    ui().answerAlert(QStringLiteral("kAlerte_BadMontantSaisie"), kAlertFirstButton);
    ui().onModal<FenEditConversionController>([](FenEditConversionController& editor) {
        slotField(editor, 0)->setPlainText(QStringLiteral("-"));
        editor.perform(QStringLiteral("OUI:"));
        editor.perform(QStringLiteral("NON:"));
    });
    editConversionDialog(nullptr, &item);
    EXPECT_DOUBLE_EQ(field.montant().values[0], 20);
    EXPECT_TRUE(editConversionDialog(nullptr, nullptr)) << "no field, nothing opens";
}

// The program's own clipboard: a copy leaves the desktop's clipboard as another program left it,
// and a paste takes what this run copied whatever the desktop's clipboard holds.
TEST_F(ConversionPasteboardTest, CopiedTransactionsStayInTheProgramsOwnClipboard)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("copié ailleurs"));
    TRANSACT ticked = expense(12.5);
    ticked.releveID1 = 3;
    ticked.why = QStringLiteral("Pain");
    copyTransactsToPasteboard({ticked, expense(4)});
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->formats(), QStringList {QStringLiteral("text/plain")});
    EXPECT_EQ(mime->text(), QStringLiteral("copié ailleurs"));
    ASSERT_TRUE(canPasteTransactFromPasteboard());
    EXPECT_EQ(pasteTransactsFromPasteboard(nullptr, &doc), QList<long>({0, 1}));
    ASSERT_EQ(doc.transact_array.size(), 2);
    EXPECT_EQ(doc.transact_array[0].why, QStringLiteral("Pain"));
    EXPECT_EQ(doc.transact_array[0].releveID1, -1);
    EXPECT_DOUBLE_EQ(balance(7), -16.5);

    // Emptied (as a document's opening or closing does): nothing to paste, whatever the desktop holds.
    transactClipboard()->clearTransactClipboard();
    EXPECT_FALSE(canPasteTransactFromPasteboard());
    ui().answerAlert(QStringLiteral("kAlerte_PasteNotTransact"), kAlertFirstButton);
    EXPECT_TRUE(pasteTransactsFromPasteboard(nullptr, &doc).isEmpty());
    EXPECT_EQ(doc.transact_array.size(), 2);
}

TEST_F(ConversionPasteboardTest, PastingSomethingElseIsToldAndChangesNothing)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("Pain\t12,50"));
    EXPECT_FALSE(canPasteTransactFromPasteboard());
    ui().answerAlert(QStringLiteral("kAlerte_PasteNotTransact"), kAlertFirstButton);
    EXPECT_TRUE(pasteTransactsFromPasteboard(nullptr, &doc).isEmpty());

    auto* forged = new QMimeData;
    forged->setData(QStringLiteral("application/x-sorvanta-transactions+xml"),
                    "<list><transact><why>x</why></transact></list>");
    QGuiApplication::clipboard()->setMimeData(forged);
    ui().answerAlert(QStringLiteral("kAlerte_PasteNotTransact"), kAlertFirstButton);
    EXPECT_TRUE(pasteTransactsFromPasteboard(nullptr, &doc).isEmpty());

    copyTransactsToPasteboard({expense(9, 404)});
    ui().answerAlert(QStringLiteral("kAlerte_BadTransNoCompte"), kAlertFirstButton);
    EXPECT_TRUE(pasteTransactsFromPasteboard(nullptr, &doc).isEmpty());
    EXPECT_TRUE(doc.transact_array.isEmpty());
}
