// A save panel answers a place where something exists only after the program's own question, in
// French, the safe answer first; Qt's panel asks nothing of its own.
#include "toolkit/dialogs/QtFilePanels.h"
#include "toolkit/windows/windowutils.h"

#include "uisupport/UiTestFixture.h"

#include "foundation/localized.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace {

class SavePanelReplaceTest : public UiTestFixture { };

} // namespace

TEST_F(SavePanelReplaceTest, APlaceThatExistsIsAnsweredOnlyAfterTheUsersWord)
{
    const QString dir = testenv::freshDir(QStringLiteral("replace-question"));
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/Maison.old.svd/Contents/Resources")));
    testenv::writeFile(dir + QStringLiteral("/export.csv"), "a;b");
    testenv::writeFile(dir + QStringLiteral("/lettre.rtf"), "{}");
    const struct {
        const char* chosen;
        const char* type;
        const char* named; // in the question; none when nothing is there
        int answer;
        bool answered; // the path comes back
    } cases[] = {
        {"Maison.old.svd", "svd", "Maison.old", kAlertSecondButton, true},
        {"Maison.old.svd", "svd", "Maison.old", kAlertFirstButton, false},
        {"export.csv", "csv", "export", kAlertSecondButton, true},
        {"lettre.rtf", "", "lettre.rtf", kAlertFirstButton, false},
        {"Nouveau.svd", "svd", nullptr, 0, true},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(std::string(each.chosen) + (each.answered ? " answered" : " cancelled"));
        const QString path = dir + QLatin1Char('/') + QLatin1String(each.chosen);
        const QString question
            = localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg(QString::fromLatin1(each.named));
        const qsizetype alerts = ui().alertsShown().size();
        const qsizetype panels = ui().panelsShown().saves.size();
        ui().answerSavePanel(path);
        if (each.named)
            ui().answerAlert(question, each.answer);
        if (!each.answered)
            ui().answerSavePanel(QString()); // the panel again, cancelled
        EXPECT_EQ(runSavePanel(QStringLiteral("Nom"), QString::fromLatin1(each.type)),
                  each.answered ? path : QString());
        EXPECT_EQ(ui().alertsShown().size(), alerts + (each.named ? 1 : 0));
        if (each.named) {
            const auto& asked = ui().alertsShown().last();
            EXPECT_EQ(asked.request.message, question);
            EXPECT_EQ(asked.buttons,
                      (QStringList {localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                                    localizedDialogue(QStringLiteral("LIB_BUTTON_REMPLACER"))}));
            EXPECT_EQ(asked.request.defaultButton, kAlertFirstButton);
        }
        ASSERT_EQ(ui().panelsShown().saves.size(), panels + (each.answered ? 1 : 2));
        if (!each.answered) {
            EXPECT_EQ(ui().panelsShown().saves.last().defaultName, path);
        }
    }
}

// The panel drawn by Qt would ask its own question, in its own words, before the program's.
TEST_F(SavePanelReplaceTest, QtsPanelTakesAnExistingFileWithoutAQuestionOfItsOwn)
{
    const QString dir = testenv::freshDir(QStringLiteral("qt-question"));
    testenv::writeFile(dir + QStringLiteral("/export.csv"), "a;b");
    QtSavePanel panel(nullptr, QStringLiteral("export.csv"), QStringLiteral("csv"));
    panel.setDirectory(dir);
    panel.selectFile(QStringLiteral("export.csv"));
    QStringList asked;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked.append(box->text());
            box->reject();
        }
    });
    watch.start(0);
    panel.accept();
    watch.stop();
    EXPECT_EQ(asked, QStringList());
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    EXPECT_EQ(panel.chosenPath(), dir + QStringLiteral("/export.csv"));
}
