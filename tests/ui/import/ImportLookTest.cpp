// The import's windows as the user sees them, written as pictures: the tab editor on a French
// bank's CSV with its roles given, the review, each question, and the account afterwards.
#include "ImportUiFixture.h"

#include "foundation/localized.h"

#include <QFileDialog>

namespace {

using importui::ImportUiTest;

class ImportLook : public ImportUiTest { };

TEST_F(ImportLook, EditorReviewAndQuestions)
{
    const QString path = writeBankFile(QStringLiteral("releve.csv"), csv());
    FenReleveController* window = releve();
    ASSERT_NE(window, nullptr);
    ui().answerOpenPanel(path);
    window->IMPORTER_WITH_FORMAT(kImportFormatCSV);
    FenEditImportTABController* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(ui().panelsShown().opens.size(), 1);
    const OpenPanelRequest& asked = ui().panelsShown().opens.constFirst();
    EXPECT_EQ(asked.title, localizedMisc(QStringLiteral("kMisc_OpenImportTitle")));
    {
        // The panel the program shows for that request, drawn without being run.
        QFileDialog panel(nullptr, asked.title, dir.path());
        panel.setOption(QFileDialog::DontUseNativeDialog);
        panel.setLabelText(QFileDialog::Accept, asked.prompt);
        panel.resize(700, 420);
        panel.show();
        WindowDriver(&panel).grab(QStringLiteral("import_file_choice.png"));
    }
    editor->window()->resize(900, 420);
    ui().onModal<FenAskImportCompteController>([](FenAskImportCompteController& w) {
        WindowDriver(w).grab(QStringLiteral("import_question_compte.png"));
        w.pickers().compteDID = 24;
        w.perform(QStringLiteral("OUI:"));
    });
    editor->RUBRIQUE(ImportRubrique::DateJMA, 0, true);
    editor->RUBRIQUE(ImportRubrique::Info, 1, true);
    editor->RUBRIQUE(ImportRubrique::MontantSeul, 2, true);
    editor->RUBRIQUE(ImportRubrique::Contre, 3, true);
    WindowDriver(*editor).grab(QStringLiteral("import_editor_csv.png"));

    using Ask = void (FenEditImportTABController::*)(const QString&, const ImportTabRoles::AskEndBlock&);
    const std::pair<const char*, Ask> questions[] = {{"FenAskImportDevise", &FenEditImportTABController::askForDevise},
                                                     {"FenAskImportPoste", &FenEditImportTABController::askForPoste},
                                                     {"FenAskImportMoyen", &FenEditImportTABController::askForMoyen},
                                                     {"FenAskImportFiscal", &FenEditImportTABController::askForFiscal}};
    for (const auto& [nib, ask] : questions) {
        const QString name = QString::fromLatin1(nib);
        ui().onModal(name, [name](const ModalRequest& request) {
            auto* controller = qobject_cast<StdWindowController*>(request.controller);
            WindowDriver(*controller).grab(name + QStringLiteral(".png"));
            controller->perform(QStringLiteral("NON:"));
        });
        long code = -5;
        (editor->*ask)(QStringLiteral("Inconnu"), [&code](long answered, qint64) { code = answered; });
        EXPECT_EQ(code, kAskImportStop) << nib;
    }

    ui().onModal<FenEditImportController>([](FenEditImportController& w) {
        w.perform(QStringLiteral("NEXT:"));
        WindowDriver(w).grab(QStringLiteral("import_review.png"));
        w.perform(QStringLiteral("NON:"));
    });
    editor->perform(QStringLiteral("IMPORTER:"));
    window->close();
}

} // namespace
