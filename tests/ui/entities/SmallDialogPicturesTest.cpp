// The small editors and replacement questions of a household's taxes, folders and macros, as a
// person sees them: each is shown on its data, its picture saved, and closed by Cancel, leaving
// what it edits untouched. Also the currency ticker's rows.
#include "entities/FenAskDeclarationController.h"
#include "entities/FenAskSubstDossierController.h"
#include "entities/FenAskSubstPosteController.h"
#include "entities/FenAskSubstTaxeController.h"
#include "entities/FenEditDeviseController.h"
#include "entities/FenEditDossierController.h"
#include "entities/FenEditMacroController.h"
#include "entities/FenEditTaxeController.h"
#include "entities/ViewDeviseTicker.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include "model/DOCUMENT.h"
#include "model/PosteFile.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace {

constexpr long kVoiture = 11;

class SmallDialogPicturesTest : public UiTestFixture {
protected:
    SmallDialogPicturesTest()
    {
        doc.deviseHdl = Devise::defaultDevises();
        testenv::addDefaultDocParam(doc);
        doc.dossierHdl = defaultDossiers();
        doc.posteHdl = defaultPostes();
        TAXE::loadTaxeAux(QStringLiteral("TVA 20 %"), 2, 20, doc.taxeHdl);
        TAXE::loadTaxeAux(QStringLiteral("TVA 5,5 %"), 3, 5.5, doc.taxeHdl);
        session.emplace(doc);
    }
    // Runs the dialog of class C through show: its picture saved as name, then Cancel.
    template <class C> void cancelAfterPicture(const char* name, const std::function<bool()>& show)
    {
        const QString file = QString::fromLatin1(name);
        ui().onModal<C>([file](C& dialog) {
            EXPECT_FALSE(WindowDriver(dialog).grab(file).isNull());
            dialog.perform("NON:");
        });
        EXPECT_FALSE(show()) << name;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(SmallDialogPicturesTest, EditorsAndQuestionsCancelledLeaveTheirDataAlone)
{
    TAXE taxe = doc.taxeHdl.first();
    cancelAfterPicture<FenEditTaxeController>("taxe-editor.png", [&] { return editTaxeModal(nullptr, taxe); });
    EXPECT_EQ(taxe.nom, doc.taxeHdl.first().nom);

    long replacement = 42;
    cancelAfterPicture<FenAskSubstTaxeController>("taxe-substitution.png",
                                                  [&] { return askSubstTaxe(nullptr, 2, &replacement); });
    cancelAfterPicture<FenAskSubstDossierController>("dossier-substitution.png",
                                                     [&] { return askSubstDossier(nullptr, kVoiture, &replacement); });
    cancelAfterPicture<FenAskSubstPosteController>("poste-substitution.png", [&] {
        return askSubstPoste(nullptr, {31, 32}, &replacement);
    });
    EXPECT_EQ(replacement, 42);

    DECLARATION declaration {3, 100.0, 200.0};
    cancelAfterPicture<FenAskDeclarationController>("declaration.png",
                                                    [&] { return askDeclaration(nullptr, declaration); });
    EXPECT_EQ(declaration.taxeID, 3);

    DOSSIER dossier = doc.dossierHdl.first();
    cancelAfterPicture<FenEditDossierController>("dossier-editor.png",
                                                 [&] { return editDossierModal(nullptr, dossier, doc); });

    MACRO macro = allocNewMacro();
    macro.nom = QStringLiteral("Plein d'essence");
    macro.ch = u'E';
    cancelAfterPicture<FenEditMacroController>("macro-editor.png", [&] { return editMacro(nullptr, macro, -1); });
    EXPECT_EQ(macro.nom, "Plein d'essence");

    cancelAfterPicture<FenEditDeviseController>("devise-editor.png", [&] { return editDeviseDialog(nullptr, 1) == 1; });
}

TEST_F(SmallDialogPicturesTest, CurrencyTickerRowsAlternateAndChooseTheirItem)
{
    QAction item(QStringLiteral("USD"));
    int chosen = 0;
    QObject::connect(&item, &QAction::triggered, [&chosen] { ++chosen; });
    QWidget menu;
    auto* even = new ViewDeviseTicker(QStringLiteral("USD"), QStringLiteral("Dollar des États-Unis"), 0, &item);
    auto* odd = new ViewDeviseTicker(QStringLiteral("JPY"), QStringLiteral("Yen"), 1, nullptr);
    auto* layout = new QVBoxLayout(&menu);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(even);
    layout->addWidget(odd);
    EXPECT_EQ(even->code(), "USD");
    const QImage picture = WindowDriver(&menu).grab(QStringLiteral("devise-tickers.png"));
    EXPECT_NE(picture.pixel(2, 2), picture.pixel(2, picture.height() - 2));

    QTest::mouseClick(even, Qt::LeftButton);
    QTest::mouseClick(odd, Qt::LeftButton);
    EXPECT_EQ(chosen, 1);
}

} // namespace
