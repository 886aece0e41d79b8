// The synthesis grids: the analysis's folders and categories by month, opened from the analysis
// window's period pop-up, and the budget's rows by schedule and forecast; their titles, values,
// colours, currency, rotation, footer, and a grid without data.
#include "AnalyseHousehold.h"

#include "analysis/FenAnalyseController.h"
#include "analysis/FenTableurAnalyseController.h"
#include "analysis/FenTableurBudgetController.h"
#include "analysis/PopPeriode.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "model/DOCPARAM.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

namespace {

using analysehousehold::at;

const QColor kBlack(Qt::black);
const QColor kRed = QColor::fromRgbF(0.4F, 0, 0);
const QColor kGreen = QColor::fromRgbF(0, 0.4F, 0);

class FenTableurSyntheseTest : public UiTestFixture {
protected:
    FenTableurSyntheseTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        doc.docParam->analyseShowEmpty = true;
        session.emplace(doc);
    }
    ~FenTableurSyntheseTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* w = qobject_cast<StdWindowController*>(controller))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }
    template <class C> static C* opened()
    {
        C* found = nullptr;
        for (QObject* controller : registeredWindowControllers())
            if (auto* c = qobject_cast<C*>(controller))
                found = c;
        return found;
    }
    FenTableurAnalyseController* analyseGrid(const QString& configuration)
    {
        FenAnalyseController* w = openNewAnalyseWindow(doc, configuration, 0, std::nullopt, true);
        w->pop_periode()->rebuild();
        EXPECT_TRUE(w->pop_periode()->activateTag(PopPeriode::kTagTableauSynthese));
        return opened<FenTableurAnalyseController>();
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(FenTableurSyntheseTest, TheAnalysisGridShowsEachRowsBalanceByMonth)
{
    FenTableurAnalyseController* grid = analyseGrid(QStringLiteral("Année 2024"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->numberOfColumnsInDataSource(), 13);
    ASSERT_EQ(grid->numberOfRowsInDataSource(), 10);
    EXPECT_EQ(grid->valueAtColumnHeaderInDataSource(0), QStringLiteral("Total"));
    EXPECT_EQ(grid->valueAtColumnHeaderInDataSource(8), QStringLiteral("Août 2024"));
    struct Case {
        long row;
        long column;
        const char* value;
        QColor colour;
    };
    const Case cases[] = {
        {0, 0, "-15 972,00", kRed}, {9, 0, "30 000,00", kGreen}, {7, 3, "-", kBlack},
        {7, 8, "-1 200,00", kRed},  {2, 1, "-800,00", kRed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid->valueAtRowInDataSource(c.row, c.column), QString::fromUtf8(c.value))
            << c.row << "," << c.column;
        EXPECT_EQ(grid->foregroundColorAtRow(c.row, c.column), c.colour) << c.row << "," << c.column;
    }
    EXPECT_EQ(grid->alignmentOfRowHeaderInDataSource(0), TableurProtocol::kAlignLeft) << "a folder";
    EXPECT_EQ(grid->alignmentOfRowHeaderInDataSource(1), TableurProtocol::kAlignRight) << "a category";
    EXPECT_TRUE(grid->fontForRowHeaderInDataSource(0, 11).bold());
    EXPECT_TRUE(grid->fontForCellAtRowIndex(1, 0, 11).fixedPitch() || grid->fontForCellAtRowIndex(1, 0, 11).bold());
    EXPECT_EQ(grid->fieldConfiguration()->text(), QStringLiteral("Année 2024 (Du 01/01/2024 au 31/12/2024)"));
    EXPECT_EQ(grid->stringForFooterAtPage(1, 2),
              QStringLiteral("Année 2024 (Du 01/01/2024 au 31/12/2024) - 15 déc. 2024 12:00 - page 1/2"));
    EXPECT_EQ(grid->windowIfLoaded()->windowTitle(), QStringLiteral("Synthèse de l'analyse par poste"));
    grid->windowIfLoaded()->resize(900, 360);
    WindowDriver(*grid).grab(QStringLiteral("analyse-synthese-tableur.png"));

    // Another currency reads the same figures again in it; a rotated grid shows them transposed.
    QAction franc;
    franc.setData(QVariant::fromValue<qint64>(1));
    grid->perform(QStringLiteral("DEVISE:"), &franc);
    EXPECT_EQ(grid->cellAtRow(2, 1)->value(), QStringLiteral("-121,96"));
    grid->inverseRotation();
    EXPECT_EQ(grid->valueAtRowHeaderInDataSource(0), QStringLiteral("Total"));
    EXPECT_EQ(grid->valueAtColumnHeaderInDataSource(2), QStringLiteral("Loyer"));
    EXPECT_EQ(grid->foregroundColorAtRow(0, 9), kGreen);
    EXPECT_EQ(grid->cellAtRow(1, 2)->value(), grid->valueAtRowInDataSource(2, 1));
}

TEST_F(FenTableurSyntheseTest, WithoutMonthsOneTotalColumnAndWithoutDataAQuestionMark)
{
    FenTableurAnalyseController* grid = analyseGrid(QStringLiteral("Sans mois"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->numberOfColumnsInDataSource(), 1);
    EXPECT_EQ(grid->valueAtColumnHeaderInDataSource(0), QStringLiteral("Total"));
    grid->close();

    auto* empty = StdWindowController::push<FenTableurAnalyseController>(nullptr, 0, true);
    EXPECT_EQ(empty->numberOfColumnsInDataSource(), 0);
    EXPECT_EQ(empty->fieldConfiguration()->text(), QStringLiteral("?"));
    EXPECT_EQ(empty->stringForFooterAtPage(1, 1), QStringLiteral("15 déc. 2024 12:00 - page 1/1"));
}

TEST_F(FenTableurSyntheseTest, TheBudgetGridHasFiveColumnsAndNamesWhatItCannotFileUnderOneCategory)
{
    BudgetSyntheseEntry groupage;
    groupage.kind = BudgetSyntheseKind::Echeancier;
    groupage.ident = 4;
    groupage.name = QStringLiteral("Vacances en famille");
    groupage.groupage = true;
    groupage.montantPrevuDebit = testenv::amount(500);
    groupage.montantReelDebit = testenv::amount(650);
    BudgetSyntheseEntry total;
    total.montantPrevuDebit = testenv::amount(500);
    total.montantReelDebit = testenv::amount(650);
    AnalyseFile file;
    file.devises = doc.deviseHdl;
    FenTableurBudgetController* grid = openTableurBudget({groupage, total}, file, 0);
    ASSERT_EQ(grid->numberOfColumnsInDataSource(), 5);
    EXPECT_EQ(grid->valueAtColumnHeaderInDataSource(1), QStringLiteral("Poste budgétaire"));
    EXPECT_EQ(grid->valueAtRowInDataSource(0, 0), QStringLiteral("-"));
    EXPECT_EQ(grid->valueAtRowInDataSource(0, 1), QStringLiteral("(groupage)"));
    EXPECT_EQ(grid->valueAtRowInDataSource(0, 4), QStringLiteral("-150,00"));
    EXPECT_EQ(grid->foregroundColorAtRow(0, 4), kRed);
    EXPECT_EQ(grid->foregroundColorAtRow(0, 1), kBlack);
    EXPECT_EQ(grid->valueAtRowHeaderInDataSource(1), QStringLiteral("Total"));
    EXPECT_EQ(grid->foregroundColorForHeaderAtRow(1), QColor(Qt::white));
    EXPECT_EQ(grid->backgroundColorAtRow(1, 3), QColor::fromRgbF(0.9F, 0.9F, 0.9F));
    EXPECT_EQ(grid->backgroundColorForHeaderAtRow(0), QColor::fromRgbF(1.0F, 0.8F, 0.8F, 0.5F));
    grid->rowAtIndex(0)->setState(CellObject::kStateSelected);
    EXPECT_NE(grid->backgroundColorForHeaderAtRow(0), QColor::fromRgbF(1.0F, 0.8F, 0.8F, 0.5F))
        << "the selection shows";

    FenTableurBudgetController* alone = openTableurBudget({total}, file, 0);
    EXPECT_EQ(alone->numberOfColumnsInDataSource(), 5);
    EXPECT_EQ(alone->numberOfRowsInDataSource(), 1);
}

} // namespace
