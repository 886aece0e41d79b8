// The frame of the small editors, driven through a two-part editor: the parts stand in order above
// the Cancel/OK row, the buttons come last in the tab order, and Escape cancels.
#include "toolkit/dialogs/EditorFrame.h"

#include "toolkit/windows/StdWindowController.h"
#include "uisupport/UiTestFixture.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

class FramedEditor : public StdWindowController {
    Q_OBJECT
public:
    QLabel* message = nullptr;
    QFormLayout* form = nullptr;
    EditorFrame frame {};

protected:
    void buildInterface(StdWindow& window) override
    {
        message = new QLabel(QStringLiteral("Message"), &window);
        form = new QFormLayout;
        form->addRow(QStringLiteral("Nom"), new QLineEdit(&window));
        frame = layOutEditor(*this, window, {message, form}, 9);
    }
};

int escapeShortcuts(const QWidget& window)
{
    int count = 0;
    for (const QShortcut* shortcut : window.findChildren<QShortcut*>())
        count += shortcut->key() == QKeySequence(Qt::Key_Escape) ? 1 : 0;
    return count;
}

class EditorFrameTest : public UiTestFixture { };

TEST_F(EditorFrameTest, PartsStandAboveTheButtonsAndEscapeCancels)
{
    ui().onModal<FramedEditor>([](FramedEditor& editor) {
        QVBoxLayout* layout = editor.frame.layout;
        ASSERT_EQ(layout->count(), 3);
        EXPECT_EQ(layout->spacing(), 9);
        EXPECT_EQ(layout->itemAt(0)->widget(), editor.message);
        EXPECT_EQ(layout->itemAt(1)->layout(), editor.form);
        EXPECT_EQ(layout->itemAt(2)->layout(), editor.frame.buttons.row);
        EXPECT_EQ(editor.frame.buttons.cancel->nextInFocusChain(), editor.frame.buttons.ok);
        EXPECT_TRUE(editor.frame.buttons.ok->isDefault());
        EXPECT_EQ(escapeShortcuts(*editor.window()), 1);
        editor.frame.buttons.cancel->click();
    });
    EXPECT_EQ(StdWindowController::pushModal<FramedEditor>(nullptr, makeWindowData({}), 0), 0);
}

} // namespace

#include "EditorFrameTest.moc"
