// The year calendar: where each day is drawn and which day a click hits (one computation, checked
// both ways), picking a day or a range with real mouse events at computed cell centres, the year
// buttons, the picture, and the date control of the windows running the picker on its fields.
#include "toolkit/dialogs/FenAskIntegerNController.h"
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"

#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>

namespace {

double at(long day, long month, long year)
{
    double date = 0;
    dmyToDate(day, month, year, &date);
    return date;
}

QPoint centreOf(long day, long month, long year)
{
    return cellRect(day, month, year).center().toPoint();
}

using Day = std::tuple<long, long, long>;

Day firstEnd(const FenCalendrierController& c)
{
    return {c.calDay1(), c.calMon1(), c.calYea1()};
}
Day lastEnd(const FenCalendrierController& c)
{
    return {c.calDay2(), c.calMon2(), c.calYea2()};
}
Day hit(long year, const QPointF& point)
{
    long day = 0;
    long month = 0;
    point2jm(&day, &month, year, point);
    return {day, month, year};
}

void clickDay(FenCalendrierController& c, long day, long month, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(c.viewCalendrier(), Qt::LeftButton, modifiers, centreOf(day, month, c.year()));
}

// QTest moves carry no button: the drag is sent as the window system sends it.
void dragTo(ViewCalendrier* view, const QPoint& to)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(to), view->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view, &move);
}

// Whether the cell's fill (a corner, away from the number) is the selection's dark teal.
bool drawnSelected(ViewCalendrier* view, long day, long month, long year)
{
    const QColor fill
        = view->grab().toImage().pixelColor(cellRect(day, month, year).topLeft().toPoint() + QPoint(1, 1));
    return std::abs(fill.red() - 37) <= 2 && std::abs(fill.green() - 99) <= 2 && std::abs(fill.blue() - 113) <= 2;
}

// The three date fields of a window and the field after them.
class DateHost : public StdWindowController {
    Q_OBJECT
public:
    TextFieldJour* jour = nullptr;
    TextFieldMois* mois = nullptr;
    TextFieldAnnee* annee = nullptr;
    StdTextView* after = nullptr;

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(jour = new TextFieldJour(&window));
        layout->addWidget(mois = new TextFieldMois(&window));
        layout->addWidget(annee = new TextFieldAnnee(&window));
        layout->addWidget(after = new StdTextView(&window));
    }
};

class DatePickerTest : public UiTestFixture {
protected:
    DatePickerTest()
    {
        APPLIPARAM::loadAppliParam().doAnimations = false;
        SystemClock::setNowForTesting(at(14, 7, 2026) + 36000);
    }
    ~DatePickerTest() override { SystemClock::setNowForTesting(std::nullopt); }

    // Runs the picker on the date, the script playing the user; the date after the run.
    double pick(double date, std::function<void(FenCalendrierController2&)> script)
    {
        ui().onModal<FenCalendrierController2>(std::move(script));
        WindowDataPtr data = makeWindowData();
        data->date = date;
        StdWindowController::pushModal<FenCalendrierController2>(nullptr, data, 0);
        return data->date;
    }
    int lastResult() { return ui().modalRuns().constLast().code; }
};

} // namespace

// March 2026 begins on a Sunday: its 30th and 31st wrap to Monday and Tuesday of the first week
// column. August 2026 begins on a Saturday: only its 31st wraps.
TEST_F(DatePickerTest, DaysLieInFiveWeekColumnsAndEveryCellCentreHitsItsDay)
{
    EXPECT_EQ(firstWeekdayOfMonth(3, 2026), 6);
    const QPointF march = calendrierMonthOrigin(3);
    EXPECT_EQ(cellRect(1, 3, 2026), QRectF(march.x() + 1, march.y() + 6 * 15, 19, 14));
    EXPECT_EQ(cellRect(30, 3, 2026), QRectF(march.x() + 1, march.y(), 19, 14));
    EXPECT_EQ(cellRect(31, 3, 2026), QRectF(march.x() + 1, march.y() + 15, 19, 14));
    EXPECT_EQ(cellRect(31, 8, 2026).topLeft(), calendrierMonthOrigin(8) + QPointF(1, 0));

    for (long year : {2024L, 2026L}) {
        for (long month = 1; month <= 12; ++month) {
            for (long day = 1; day <= daysInMonth(month, year); ++day)
                ASSERT_EQ(hit(year, cellRect(day, month, year).center()), Day(day, month, year));
        }
    }
    // Empty cells before the 1st give the 1st, those after the end the last day; the gap right
    // of a month is its own; a drag beyond the view stays in the last column of months.
    EXPECT_EQ(hit(2026, march + QPointF(10, 3 * 15 + 7)), Day(1, 3, 2026));
    EXPECT_EQ(hit(2026, calendrierMonthOrigin(4) + QPointF(90, 6 * 15 + 7)), Day(30, 4, 2026));
    EXPECT_EQ(hit(2026, march + QPointF(108, 7)), Day(23, 3, 2026));
    EXPECT_EQ(std::get<1>(hit(2026, calendrierMonthOrigin(4) + QPointF(300, 7))), 4);
}

TEST_F(DatePickerTest, ClicksPickADayShiftAndDragsARangeAndOkGivesTheFirstDayAtMidnight)
{
    double chosen = pick(at(15, 6, 2026) + 5000, [](FenCalendrierController2& c) {
        EXPECT_EQ(WindowDriver(c).text("label_year"), "2026");
        EXPECT_EQ(firstEnd(c), Day(15, 6, 2026));
        clickDay(c, 30, 3);
        EXPECT_EQ(firstEnd(c), lastEnd(c));
        clickDay(c, 10, 3, Qt::ShiftModifier); // before the first end: up to the old first end
        EXPECT_EQ(firstEnd(c), Day(10, 3, 2026));
        EXPECT_EQ(lastEnd(c), Day(30, 3, 2026));
        EXPECT_TRUE(c.isCalSelectedAtDay(20, 3, 2026));
        EXPECT_FALSE(c.isCalSelectedAtDay(10, 3, 2025));
        WindowDriver(c).click("OUI:");
    });
    EXPECT_EQ(lastResult(), 1);
    EXPECT_EQ(chosen, at(10, 3, 2026));

    chosen = pick(at(1, 1, 2026), [](FenCalendrierController2& c) {
        ViewCalendrier* view = c.viewCalendrier();
        QTest::mousePress(view, Qt::LeftButton, {}, centreOf(5, 1, 2026));
        dragTo(view, centreOf(12, 1, 2026));
        EXPECT_EQ(lastEnd(c), Day(12, 1, 2026));
        QTest::mouseRelease(view, Qt::LeftButton, {}, centreOf(12, 1, 2026));
        // With Shift the drag keeps the first end of the click's time.
        QTest::mousePress(view, Qt::LeftButton, Qt::ShiftModifier, centreOf(20, 1, 2026));
        dragTo(view, centreOf(3, 1, 2026));
        EXPECT_EQ(firstEnd(c), Day(3, 1, 2026));
        EXPECT_EQ(lastEnd(c), Day(12, 1, 2026));
        QTest::mouseRelease(view, Qt::LeftButton, {}, centreOf(3, 1, 2026));
        // A double click comes as a click, then the double click.
        QTest::mouseClick(view, Qt::LeftButton, {}, centreOf(12, 5, 2026));
        QTest::mouseDClick(view, Qt::LeftButton, {}, centreOf(12, 5, 2026));
    });
    EXPECT_EQ(lastResult(), 1);
    EXPECT_EQ(chosen, at(12, 5, 2026));

    EXPECT_EQ(pick(at(1, 1, 2026), [](FenCalendrierController2& c) { WindowDriver(c).click("NON:"); }), at(1, 1, 2026));
    EXPECT_EQ(lastResult(), 0);
}

TEST_F(DatePickerTest, YearChangesKeepTheSelectionAndAYearWithoutDatesIsRefused)
{
    pick(at(20, 12, 2026), [this](FenCalendrierController2& c) {
        WindowDriver window(c);
        c.setCalSelectionAtDay(10, 1, 2027, 20, 12, 2026, c.year());
        window.click("YEAR_SUIV:");
        EXPECT_EQ(window.text("label_year"), "2027");
        EXPECT_EQ(firstEnd(c), Day(20, 12, 2026));
        window.click("YEAR_PREV:");
        window.click("YEAR_PREV:");
        EXPECT_EQ(c.year(), 2025);

        for (const char* typed : {"2031", "0"}) {
            ui().onModal<FenAskIntegerNController>([typed](FenAskIntegerNController& ask) {
                EXPECT_EQ(WindowDriver(ask).text("field_titre"), localizedDialogue("kMessage_AskYear"));
                WindowDriver(ask).type("view_texte", typed);
                WindowDriver(ask).click("OUI:");
            });
            window.click("YEAR_EDIT:");
            EXPECT_TRUE(ui().modalRuns().constLast().sheet);
        }
        EXPECT_EQ(window.text("label_year"), "2031");
        EXPECT_EQ(ui().desktopRequests().beeps, 1);

        window.click("TODAY:");
        EXPECT_EQ(c.year(), 2026);
        EXPECT_EQ(firstEnd(c), lastEnd(c));
        EXPECT_EQ(lastEnd(c), Day(14, 7, 2026));
        window.click("NON:");
    });
}

// A range into the next year is drawn up to 31 December of the shown year and from 1 January of
// the next; OK gives its first day. The plain calendar shows the year and ignores clicks.
TEST_F(DatePickerTest, TheSelectionIsDrawnInItsOwnYearOnlyAndThePlainCalendarIgnoresClicks)
{
    const double chosen = pick(at(1, 1, 2026), [](FenCalendrierController2& c) {
        c.window()->show();
        ViewCalendrier* view = c.viewCalendrier();
        c.setCalSelectionAtDay(20, 12, 2026, 10, 1, 2027, c.year());
        EXPECT_TRUE(drawnSelected(view, 20, 12, 2026));
        EXPECT_TRUE(drawnSelected(view, 31, 12, 2026));
        EXPECT_FALSE(drawnSelected(view, 5, 1, 2026));
        c.CHANGE(2027);
        EXPECT_TRUE(drawnSelected(view, 5, 1, 2027));
        c.CHANGE(2026);
        WindowDriver(c).grab(QStringLiteral("calendrier.png"));
        WindowDriver(c).click("OUI:");
    });
    EXPECT_EQ(chosen, at(20, 12, 2026));

    WindowDataPtr data = makeWindowData();
    data->date = at(3, 2, 2026);
    QPointer<FenCalendrierController> plain = StdWindowController::push<FenCalendrierController>(data, 0, true);
    EXPECT_TRUE(WindowDriver(*plain).widget("but_oui")->isHidden());
    clickDay(*plain, 9, 9);
    EXPECT_EQ(firstEnd(*plain), Day(3, 2, 2026));
    plain->close();
}

TEST_F(DatePickerTest, PickingForFieldsWritesTheDayBackAndMovesTheFocusOn)
{
    QPointer<DateHost> host = StdWindowController::push<DateHost>(makeWindowData(), 0, true);
    // Empty fields open on today; the picker is a sheet on the window.
    ui().onModal<FenCalendrierController2>([](FenCalendrierController2& c) {
        EXPECT_EQ(firstEnd(c), Day(14, 7, 2026));
        clickDay(c, 31, 3);
        WindowDriver(c).click("OUI:");
    });
    pickDateForField(host, host->jour, host->mois, host->annee, 11);
    EXPECT_TRUE(ui().modalRuns().constLast().sheet);
    EXPECT_EQ(host->jour->toPlainText() + "/" + host->mois->toPlainText() + "/" + host->annee->toPlainText(),
              "31/3/2026");
    EXPECT_EQ(host->annee->font().pixelSize(), StdTextView::systemFontOfSize(11).pixelSize());
    EXPECT_EQ(host->window()->focusWidget(), host->after);

    // The fields' date is shown first; cancelling leaves the fields as they were.
    host->annee->setPlainText("25");
    ui().onModal<FenCalendrierController2>([](FenCalendrierController2& c) {
        EXPECT_EQ(firstEnd(c), Day(31, 3, 2025));
        clickDay(c, 1, 1);
        WindowDriver(c).click("NON:");
    });
    pickDateForField(host, host->jour, host->mois, host->annee, 11);
    EXPECT_EQ(host->annee->toPlainText(), "25");
    host->close();
}

#include "DatePickerTest.moc"
