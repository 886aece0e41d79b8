// The document's password window: asked at the opening of a protected package, changed or removed
// from the menu, the change written into the package at once and kept by the next save.
#include "app/FenPasswordController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/TestEnvironment.h"

#include "document/SVDocumentManager.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

class PasswordTest : public UiTestFixture {
protected:
    PasswordTest()
        : package(testenv::freshDir(QStringLiteral("password")) + QStringLiteral("/Budget.svd"))
    {
        BEFOREPARAM::setDigestIterationsForTesting(10);
        QDir().mkpath(package);
        createPackageResources(package, nullptr, nullptr);
    }
    ~PasswordTest() override { BEFOREPARAM::setDigestIterationsForTesting(std::nullopt); }

    BEFOREPARAM stored() const
    {
        bool error = false;
        return BEFOREPARAM::loadBeforeParam(package, &error);
    }
    void protect(const QString& password)
    {
        BEFOREPARAM before = stored();
        before.setPassword(password);
        ASSERT_TRUE(BEFOREPARAM::saveBeforeParam(package, before));
    }
    static void type(FenPasswordController& window, const char* field, const QString& text)
    {
        window.outlet<QLineEdit>(QString::fromLatin1(field))->setText(text);
    }
    // The menu's change: the current password, then the new one twice.
    void change(const QString& current, const QString& first, const QString& second)
    {
        ui().onModal<FenPasswordController>([current, first, second](FenPasswordController& window) {
            type(window, "field_password0", current);
            window.outlet<QCheckBox>(QStringLiteral("button_modifier"))->click();
            type(window, "field_password1", first);
            type(window, "field_password2", second);
            // OUI: as the button does it, or Cancel once the window refused.
            if (window.READ())
                window.endModal(1);
            else
                window.perform(QStringLiteral("NON:"));
        });
    }

    QString package;
};

} // namespace

TEST_F(PasswordTest, AnUnprotectedDocumentOpensWithoutTheWindow)
{
    EXPECT_TRUE(askDocumentPassword(nullptr, stored(), true, package));
    EXPECT_TRUE(ui().modalRuns().isEmpty());
}

TEST_F(PasswordTest, AWrongPasswordIsRefusedAndTheUserTriesAgain)
{
    protect(QStringLiteral("Secret"));
    ui().onModal<FenPasswordController>([this](FenPasswordController& window) {
        WindowDriver driver(window);
        EXPECT_FALSE(driver.widget(QStringLiteral("field_password1"))->isEnabled());
        driver.grab(QStringLiteral("password-window.png"));
        type(window, "field_password0", QStringLiteral("secret"));
        ui().answerAlert(QStringLiteral("kAlert_wrong_password"), kAlertFirstButton);
        window.perform(QStringLiteral("OUI:"));
        EXPECT_EQ(ui().alertsShown().size(), 1) << "letter case counts";
        type(window, "field_password0", QStringLiteral("Secret"));
        window.perform(QStringLiteral("OUI:"));
    });
    EXPECT_TRUE(askDocumentPassword(nullptr, stored(), true, package));

    ui().onModal<FenPasswordController>([](FenPasswordController& window) { window.perform(QStringLiteral("NON:")); });
    EXPECT_FALSE(askDocumentPassword(nullptr, stored(), true, package)) << "cancelling fails the opening";
}

TEST_F(PasswordTest, AChangeIsWrittenAtOnceAsADigestAndAnEmptyOneRemovesIt)
{
    // From the menu a document without a password takes an empty current password.
    change(QString(), QStringLiteral("Nouveau"), QStringLiteral("Nouveau"));
    EXPECT_TRUE(askDocumentPassword(nullptr, stored(), false, package));
    EXPECT_TRUE(stored().passwordMatches(QStringLiteral("Nouveau")));
    EXPECT_FALSE(stored().passwordMatches(QStringLiteral("nouveau")));
    QFile file(package + QStringLiteral("/Contents/Resources/beforeparam.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("Nouveau")) << "never kept as typed";

    ui().answerAlert(QStringLiteral("kAlert_different_passwords"), kAlertFirstButton);
    change(QStringLiteral("Nouveau"), QStringLiteral("Autre"), QStringLiteral("autre"));
    EXPECT_FALSE(askDocumentPassword(nullptr, stored(), false, package));
    EXPECT_TRUE(stored().passwordMatches(QStringLiteral("Nouveau"))) << "nothing written";

    change(QStringLiteral("Nouveau"), QString(), QString());
    EXPECT_TRUE(askDocumentPassword(nullptr, stored(), false, package));
    EXPECT_FALSE(stored().hasPassword());
    EXPECT_TRUE(askDocumentPassword(nullptr, stored(), true, package));
    EXPECT_EQ(ui().modalRuns().size(), 3);
}

TEST_F(PasswordTest, AFailedWriteIsToldAndTheWindowStays)
{
    package = testenv::freshDir(QStringLiteral("gone")) + QStringLiteral("/Absent.svd");
    ui().answerAlert(QStringLiteral("kAlert_cant_save_password"), kAlertFirstButton);
    change(QString(), QStringLiteral("x"), QStringLiteral("x"));
    EXPECT_FALSE(askDocumentPassword(nullptr, BEFOREPARAM(), false, package));
}

TEST_F(PasswordTest, TheNextSaveKeepsTheNewPassword)
{
    DOCUMENT doc(package, kFileSystemLocal);
    bool error = false;
    doc.docParam = DOCPARAM::loadDocParam(package, &error);
    change(QString(), QStringLiteral("Après"), QStringLiteral("Après"));
    ASSERT_TRUE(askDocumentPassword(nullptr, stored(), false, package));

    bool saved = false;
    SVDocumentManager::defaultManager().saveDocument(
        &doc, package, {.useTempFolder = true, .doMessage = false}, [&saved] { saved = true; }, [] {});
    ASSERT_TRUE(saved);
    EXPECT_TRUE(stored().passwordMatches(QStringLiteral("Après")));
}
