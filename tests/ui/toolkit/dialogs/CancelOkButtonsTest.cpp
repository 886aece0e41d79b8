// The closing row of the small editors, driven through the favourite's editor: the default button
// is OK and keeps what was typed; Cancel and Escape both leave the edited object as it was.
#include "entities/FenEditFavoriController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/StdWindow.h"
#include "uisupport/UiTestFixture.h"

#include "foundation/localized.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace {

class CancelOkButtonsTest : public UiTestFixture {
protected:
    // Runs the editor on a favourite, types a new name, then closes it with what the script does
    // to the window; whether the editor answered OK, and the favourite afterwards.
    std::pair<bool, Favori> closeWith(const std::function<void(StdWindow&)>& close)
    {
        Favori favori {QStringLiteral("Banque"), QStringLiteral("https://banque.example")};
        ui().onModal<FenEditFavoriController>([&close](FenEditFavoriController& editor) {
            editor.outlet<QLineEdit>("field_nom")->setText(QStringLiteral("Mutuelle"));
            close(*editor.window());
        });
        const bool ok = editFavoriModal(nullptr, favori);
        return {ok, favori};
    }
    static QPushButton* buttonNamed(StdWindow& window, const QString& text)
    {
        for (QPushButton* button : window.findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }
};

TEST_F(CancelOkButtonsTest, OkIsTheDefaultAndKeepsWhatWasTyped)
{
    const auto [ok, favori] = closeWith([](StdWindow& window) {
        QPushButton* button = buttonNamed(window, Dialog::OKString());
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isDefault());
        button->click();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(favori.nom, QStringLiteral("Mutuelle"));
}

TEST_F(CancelOkButtonsTest, CancelAndEscapeLeaveTheObjectAsItWas)
{
    const auto cancelled = closeWith([](StdWindow& window) {
        QPushButton* button = buttonNamed(window, localizedMisc(QStringLiteral("kMisc_Annuler")));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->autoDefault());
        button->click();
    });
    EXPECT_FALSE(cancelled.first);
    EXPECT_EQ(cancelled.second.nom, QStringLiteral("Banque"));
    const auto escaped = closeWith([](StdWindow& window) {
        const QList<QShortcut*> shortcuts = window.findChildren<QShortcut*>();
        const auto escape = std::find_if(shortcuts.begin(), shortcuts.end(),
                                         [](QShortcut* s) { return s->key() == QKeySequence(Qt::Key_Escape); });
        ASSERT_NE(escape, shortcuts.end());
        emit(*escape)->activated();
    });
    EXPECT_FALSE(escaped.first);
    EXPECT_EQ(escaped.second.nom, QStringLiteral("Banque"));
}

} // namespace
