// The five questions of the tab import editor: what each proposes, what OK answers, and the
// refusal of an answer the document doesn't have.
#include "ImportUiFixture.h"

namespace {

using importui::ImportUiTest;

class FenAskImport : public ImportUiTest {
protected:
    // Runs the question of that class on the text; the script may change the choice before OK.
    template <class Q> std::pair<long, qint64> ask(const std::function<void(Q&)>& choose)
    {
        ui().onModal<Q>([&choose](Q& w) {
            if (choose)
                choose(w);
            w.perform(QStringLiteral("OUI:"));
            // A refused answer leaves the question open: the user then gives up.
            if (!w.getData()->values.contains(QStringLiteral("new")))
                w.perform(QStringLiteral("NON:"));
        });
        WindowDataPtr data = makeWindowData({{QStringLiteral("old"), QStringLiteral("Inconnu")}});
        const long code = StdWindowController::pushModal<Q>(nullptr, data, 1);
        return {code, data->value(QStringLiteral("new")).toLongLong()};
    }
};

TEST_F(FenAskImport, EachQuestionProposesAnAnswerTheDocumentHas)
{
    EXPECT_EQ(ask<FenAskImportCompteController>({}), std::make_pair(1L, qint64(3)));
    EXPECT_EQ(ask<FenAskImportMoyenController>({}), std::make_pair(1L, qint64(0)));
    EXPECT_EQ(ask<FenAskImportDeviseController>({}), std::make_pair(1L, qint64(1))) << "the slot shown";
    EXPECT_EQ(ask<FenAskImportFiscalController>({}), std::make_pair(1L, qint64(-1))) << "no tax";
    // The document's default category, whatever its ident.
    doc.docParam->defaultPoste = 6;
    EXPECT_EQ(ask<FenAskImportPosteController>({}), std::make_pair(1L, qint64(6)));
}

TEST_F(FenAskImport, AnAnswerTheDocumentLacksIsRefused)
{
    ui().answerAlert(QStringLiteral("kAlerte_ImportChoixInvalide"), kAlertFirstButton);
    const auto poste
        = ask<FenAskImportPosteController>([](FenAskImportPosteController& w) { w.pickers().posteID = 999; });
    EXPECT_EQ(poste.first, 0);
    ui().answerAlert(QStringLiteral("kAlerte_ImportChoixInvalide"), kAlertFirstButton);
    const auto compte
        = ask<FenAskImportCompteController>([](FenAskImportCompteController& w) { w.pickers().compteDID = 999; });
    EXPECT_EQ(compte.first, 0);
    const auto devise = ask<FenAskImportDeviseController>([](FenAskImportDeviseController& w) {
        w.outlet<StdPopUp>(QStringLiteral("pop_devise_import"))->rebuild();
        w.DEVISE(nullptr);
    });
    EXPECT_EQ(devise, std::make_pair(1L, qint64(0)));
}

TEST_F(FenAskImport, TheOtherButtonsEndWithTheirCodes)
{
    for (const auto& [action, code] :
         {std::pair {"NON:", 0L}, std::pair {"ACCEDER:", 2L}, std::pair {"INVALIDER:", 3L}}) {
        ui().onModal<FenAskImportCompteController>(
            [action = QString::fromLatin1(action)](FenAskImportCompteController& w) { w.perform(action); });
        WindowDataPtr data = makeWindowData({{QStringLiteral("old"), QStringLiteral("x")}});
        EXPECT_EQ(StdWindowController::pushModal<FenAskImportCompteController>(nullptr, data, 0), code) << action;
    }
    EXPECT_FALSE(FenAskImportMoyenController().perform(QStringLiteral("ACCEDER:")))
        << "payment families have no list window";
}

} // namespace
