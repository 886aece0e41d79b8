// The synonyms window on two synonyms: creating one for a family, editing its family and logo, a
// logo that is gone, deleting.
#include "entities/FenSynonymeController.h"
#include "entities/FenEditSynonymeController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/tables/StdTableView.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QLabel>

namespace {

Synonyme synonyme(long ident, const char* nom, int family, long logoID = -1)
{
    Synonyme s(ident);
    s.nom = QString::fromUtf8(nom);
    s.family = family;
    s.logoID = logoID;
    return s;
}

class FenSynonymeTest : public UiTestFixture {
protected:
    FenSynonymeTest()
    {
        testenv::addDefaultDocParam(doc);
        doc.synonymeArray = {synonyme(7, "Paiement mobile", 11, 404), synonyme(9, "Virement instantané", 7)};
        opened.emplace(doc);
        fen = showSynonymes(true);
    }
    ~FenSynonymeTest() override
    {
        if (fen)
            fen->close();
    }
    // A menu item carrying the tag, as a pop-up sends it.
    static std::unique_ptr<QAction> item(int tag)
    {
        auto action = std::make_unique<QAction>();
        action->setData(tag);
        return action;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> opened;
    QPointer<FenSynonymeController> fen;
};

} // namespace

TEST_F(FenSynonymeTest, ANewSynonymTakesTheFamilyOfItsItemAndCancelAddsNothing)
{
    ui().onModal<FenEditSynonymeController>([](FenEditSynonymeController& editor) {
        EXPECT_EQ(editor.synonyme().family, 11);
        editor.perform(QStringLiteral("NON:"));
    });
    const auto card = item(11);
    fen->MOYEN(card.get());
    EXPECT_EQ(doc.synonymeArray.size(), 2);

    ui().onModal<FenEditSynonymeController>([](FenEditSynonymeController& editor) {
        editor.outlet<StdTextView>(QStringLiteral("field_nom"))->setPlainText(QStringLiteral("Carte cadeau"));
        const auto transfer = item(7);
        editor.MOYEN(transfer.get());
        EXPECT_EQ(editor.outlet<QLabel>(QStringLiteral("field_family"))->text(), moyenNameForFamily(7));
        WindowDriver(editor).grab(QStringLiteral("FenEditSynonyme.png"));
        editor.perform(QStringLiteral("OUI:"));
    });
    fen->MOYEN(card.get());
    ASSERT_EQ(doc.synonymeArray.size(), 3);
    EXPECT_EQ(doc.synonymeArray[0].nom, QStringLiteral("Carte cadeau"));
    EXPECT_EQ(doc.synonymeArray[0].family, 7);
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {0});
    WindowDriver(*fen).grab(QStringLiteral("FenSynonyme.png"));
}

TEST_F(FenSynonymeTest, AGoneLogoShowsNoLogoAndADeletionDeselects)
{
    fen->table1()->GO(0);
    ui().onModal<FenEditSynonymeController>([](FenEditSynonymeController& editor) {
        EXPECT_EQ(editor.outlet<QLabel>(QStringLiteral("field_logo"))->text(),
                  localizedAppl(QStringLiteral("POPUP_AUCUN_LOGO")));
        editor.perform(QStringLiteral("NON:"));
    });
    fen->perform(QStringLiteral("MODIFIER:"));
    EXPECT_EQ(fen->viewForTableColumn1(fen->table1(), 0)->rowTexts().last(), moyenNameForFamily(11));

    ui().answerAlert(QStringLiteral("kConfirm_SuppSynonyme"), 1001);
    fen->perform(QStringLiteral("SUPPRIMER:"));
    ASSERT_EQ(doc.synonymeArray.size(), 1);
    EXPECT_EQ(doc.synonymeArray[0].ident, 9);
    EXPECT_TRUE(fen->table1()->selectedRowIndexes().empty());
}
