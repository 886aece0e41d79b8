// Periods too long to show, on the household's year with one transaction typed in 9999: every
// way an analysis or a budget comes to the "every transaction" configuration refuses it with its
// alert and shows this year; the forecast planner given a daily repetition valid 9,999 years
// keeps its grid to what a row draws. Nothing stored changes.
#include "AnalyseHousehold.h"

#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/FenAnalyseController.h"
#include "analysis/FenBudgetController.h"
#include "schedules/FenEditPrevisionController.h"
#include "schedules/ScheduleEditors.h"
#include "schedules/ViewPlanificatorController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/SystemClock.h"
#include "foundation/broadcast.h"
#include "support/OpenDocument.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>

#include <functional>

namespace {

using analysehousehold::at;

const QString kToutes = QStringLiteral("Toutes les opérations");

class LongPeriodRefusalTest : public UiTestFixture {
protected:
    LongPeriodRefusalTest()
    {
        SystemClock::setNowForTesting(at(15, 12, 2024) + 43200);
        APPLIPARAM::loadAppliParam().doAnimations = false;
        analysehousehold::fill(doc);
        analysehousehold::addBudget(doc);
        TRANSACT typo = doc.transact_array.first();
        typo.when = at(1, 1, 9999);
        doc.transact_array.append(typo);
        // Saved when the document's transactions spanned 2024 only.
        AnalyseConfiguration toutes = doc.anadefHdl.first();
        toutes.nom = kToutes;
        toutes.modeDate = kModeDateNoLimit;
        doc.anadefHdl.append(toutes);
        session.emplace(doc);
    }
    ~LongPeriodRefusalTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* w = qobject_cast<StdWindowController*>(controller))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
        SystemClock::setNowForTesting(std::nullopt);
    }

    // What the document stores of the configurations, the forecast's rule and the transactions.
    QString stored() const
    {
        QString out = QString::number(doc.transact_array.size());
        for (const AnalyseConfiguration& c : doc.anadefHdl)
            out += QStringLiteral("|%1 %2 %3 %4").arg(c.nom).arg(c.modeDate).arg(c.date1).arg(c.date2);
        const Planificator& p = *doc.previsionsArray.first().planificator;
        return out + QStringLiteral("|%1 %2 %3").arg(p.repeatTimeUnit).arg(p.valideTimeUnit).arg(p.valideTimeUnitCount);
    }
    static QString header(FenAnalyseBudgetController* w)
    {
        return w->boxTete()->cell_title3()->text() + QStringLiteral(" %1").arg(analyseNumberOfColumns(*w->myAnaFile()));
    }
    // The forecast's planner: a validity of 9,999 years, a daily repetition, one wheel step on its
    // unit and back; what its grid holds, then Annuler.
    QString planDailyValidFor9999Years()
    {
        QString shown;
        ui().onModal<FenEditPrevisionController>([&shown](FenEditPrevisionController& w) {
            auto choose = [&w](const char* popup, long tag) {
                auto* pop = w.outlet<QComboBox>(QString::fromLatin1(popup));
                pop->setCurrentIndex(pop->findData(QVariant::fromValue<qlonglong>(tag)));
            };
            w.outlet<QPlainTextEdit>(QStringLiteral("field_validite_tousles"))->setPlainText(QStringLiteral("9999"));
            choose("popup_validite_tousles", Planificator::kUnitYear);
            choose("popup_tousles", Planificator::kUnitWeek);
            choose("popup_tousles", Planificator::kUnitDay);
            const auto* pane = w.outlet<ViewPlanificatorController>(QStringLiteral("planificator_controller"));
            shown = QStringLiteral("%1 rows, %2 span of 5000 %3, OK %4")
                        .arg(pane->numberOfYears())
                        .arg(pane->spansOfYear(5000).size())
                        .arg(WindowDriver(w).text(QStringLiteral("field_last_date")))
                        .arg(w.outlet<QAbstractButton>(QStringLiteral("button_OK"))->isEnabled());
            w.perform(QStringLiteral("NON:"));
        });
        editIndexedPrevision(nullptr, doc, doc.previsionsArray.first().ident);
        return shown;
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> session;
};

TEST_F(LongPeriodRefusalTest, APeriodTooLongIsRefusedWhereverItComesFromAndNothingStoredChanges)
{
    const QString thisYear = QStringLiteral("Du 01/01/2024 au 31/12/2024 (€) 12");
    struct Case {
        const char* name;
        std::function<QString()> act;
        bool refused;
        QString shown;
    };
    const Case cases[] = {
        {"analysis opened", [this] { return header(openNewAnalyseWindow(doc, kToutes, 0, std::nullopt, true)); }, true,
         thisYear},
        {"budget opened", [this] { return header(openBudgetWindow(doc, kToutes, 0, std::nullopt, true)); }, true,
         thisYear},
        {"chosen in an open analysis",
         [this] {
             FenAnalyseController* w = openNewAnalyseWindow(doc, QStringLiteral("Année 2024"), 0, std::nullopt, true);
             QAction item;
             item.setData(QVariant::fromValue<qint64>(doc.anadefHdl.size() - 1));
             w->perform(QStringLiteral("CONFIGURATION:"), &item);
             return header(w);
         },
         true, thisYear},
        {"planner", [this] { return planDailyValidFor9999Years(); }, false,
         QStringLiteral("10002 rows, 1 span of 5000 (Fin : 31/12/12022 inclus), OK 0")},
    };
    const QString before = stored();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype alerts = ui().alertsShown().size();
        if (c.refused)
            ui().answerAlert(QStringLiteral("kAlerte_CannotCompute"), kAlertFirstButton);
        EXPECT_EQ(c.act().toStdString(), c.shown.toStdString());
        ASSERT_EQ(ui().alertsShown().size(), alerts + (c.refused ? 1 : 0));
        if (c.refused) {
            EXPECT_EQ(ui().alertsShown().last().request.information, kToutes);
        }
        EXPECT_EQ(stored().toStdString(), before.toStdString());
    }
}

} // namespace
