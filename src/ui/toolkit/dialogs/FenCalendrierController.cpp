#include "toolkit/dialogs/FenCalendrierController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/FenAskIntegerNController.h"
#include "toolkit/dialogs/ViewCalendrier.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "foundation/IDesktop.h"
#include "foundation/dates.h"
#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const char* action, const QString& toolTip)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setFixedSize(24, 24);
    button->setToolTip(toolTip);
    StdActionDispatcher::setAction(button, QString::fromLatin1(action));
    return button;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The window

void FenCalendrierController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenCalendrier"));
    window.setWindowTitle(localizedMisc(QStringLiteral("kMisc_Calendrier")));
    m_viewCalendrier = new ViewCalendrier(this, &window);
    m_viewCalendrier->setObjectName(QStringLiteral("view_calendrier"));

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(14, 10, 14, 12);
    layout->setSpacing(8);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(buildHeader(window));
    layout->addWidget(m_viewCalendrier);
    layout->addWidget(buildButtons(window));
}

// The year between its two arrows, the year itself a button that asks for another, and the way
// back to today.
QWidget* FenCalendrierController::buildHeader(StdWindow& window)
{
    auto* header = new QWidget(&window);
    auto* previous = arrowButton(header, Qt::LeftArrow, "YEAR_PREV:", localizedMisc(QStringLiteral("kMisc_AnneePrec")));
    auto* next = arrowButton(header, Qt::RightArrow, "YEAR_SUIV:", localizedMisc(QStringLiteral("kMisc_AnneeSuiv")));
    m_yearLabel = new QToolButton(header);
    m_yearLabel->setObjectName(QStringLiteral("label_year"));
    m_yearLabel->setAutoRaise(true);
    m_yearLabel->setToolTip(localizedMisc(QStringLiteral("kMisc_ChoisirAnnee")));
    connectAction(m_yearLabel, QStringLiteral("YEAR_EDIT:"));
    QFont yearFont = m_yearLabel->font();
    yearFont.setBold(true);
    yearFont.setPointSizeF(yearFont.pointSizeF() * 1.3);
    m_yearLabel->setFont(yearFont);
    m_yearLabel->setMinimumWidth(72);
    auto* today = new QPushButton(localizedMisc(QStringLiteral("kMisc_Aujourdhui")), header);
    connectAction(today, QStringLiteral("TODAY:"));
    today->setAutoDefault(false);

    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addStretch();
    row->addWidget(previous);
    row->addWidget(m_yearLabel);
    row->addWidget(next);
    row->addStretch();
    row->addWidget(today);
    return header;
}

QWidget* FenCalendrierController::buildButtons(StdWindow& window)
{
    auto* buttons = new QWidget(&window);
    m_buttonRow = buttons;
    auto* cancel = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), buttons);
    cancel->setObjectName(QStringLiteral("but_non"));
    connectAction(cancel, QStringLiteral("NON:"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(Dialog::OKString(), buttons);
    ok->setObjectName(QStringLiteral("but_oui"));
    connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    ok->setMinimumWidth(cancel->sizeHint().width());
    m_oui = ok;
    m_non = cancel;
    // Escape cancels, as in any dialog, when the calendar has a Cancel button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, cancel, [cancel] {
        if (!cancel->isHidden())
            cancel->click();
    });

    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 4, 0, 0);
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(ok);
    return buttons;
}

double FenCalendrierController::dataDate() const
{
    const WindowDataPtr data = getData();
    return data && data->date != 0 ? data->date : dateNow();
}

void FenCalendrierController::redraw()
{
    if (m_viewCalendrier)
        m_viewCalendrier->update();
}

// ---------------------------------------------------------------------------------------------
// Filling and reading

void FenCalendrierController::FILL()
{
    const bool modal = getModal();
    m_oui->setVisible(modal);
    m_non->setVisible(modal);
    m_buttonRow->setVisible(modal);
    const double date = dataDate();
    m_year = dateYear(date);
    m_fontCalendrier = makeListFont(false, false, 10);
    GO(date);
}

void FenCalendrierController::GO(double date)
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, date);
    m_calDay1 = m_calDay2 = day;
    m_calMon1 = m_calMon2 = month;
    m_calYea1 = m_calYea2 = year;
    m_year = year;
    FILL_YEAR();
}

bool FenCalendrierController::READ()
{
    double date = 0;
    dmyToDate(m_calDay1, m_calMon1, m_calYea1, &date);
    if (const WindowDataPtr data = getData())
        data->date = date;
    return true;
}

// The application finds its plain calendar through the window registry, which the base leaves
// as the window closes; all that is left here is the font.
void FenCalendrierController::windowWillClose()
{
    StdWindowController::windowWillClose();
    m_fontCalendrier = QFont();
}

void FenCalendrierController::FILL_YEAR()
{
    if (m_yearLabel)
        m_yearLabel->setText(QString::number(m_year));
}

// ---------------------------------------------------------------------------------------------
// Actions

void FenCalendrierController::YEAR_PREV(QObject* sender)
{
    Q_UNUSED(sender);
    CHANGE(m_year - 1);
}

void FenCalendrierController::YEAR_SUIV(QObject* sender)
{
    Q_UNUSED(sender);
    CHANGE(m_year + 1);
}

void FenCalendrierController::YEAR_EDIT(QObject* sender)
{
    Q_UNUSED(sender);
    long answer = m_year;
    if (askIntegerN(this, localizedDialogue(QStringLiteral("kMessage_AskYear")), m_year, &answer))
        CHANGE(answer);
}

void FenCalendrierController::CHANGE(long year)
{
    if (year < kFirstYear || year > kLastYear) {
        beep();
        return;
    }
    m_year = year;
    FILL_YEAR();
    redraw();
}

void FenCalendrierController::TODAY(QObject* sender)
{
    Q_UNUSED(sender);
    GO(dateNow());
    redraw();
}

// ---------------------------------------------------------------------------------------------
// The selection

bool FenCalendrierController::isCalSelectedAtDay(long day, long month, long year) const
{
    return dmyBefore({m_calDay1, m_calMon1, m_calYea1}, {day, month, year}, true)
        && dmyBefore({day, month, year}, {m_calDay2, m_calMon2, m_calYea2}, true);
}

void FenCalendrierController::setCalSelectionAtDay(long day1, long month1, long year1, long day2, long month2,
                                                   long year2, long annee)
{
    if (!dmyBefore({day1, month1, year1}, {day2, month2, year2}, false)) {
        std::swap(day1, day2);
        std::swap(month1, month2);
        std::swap(year1, year2);
    }
    // The repainted range covers both the old and the new selection.
    const bool oldFirstEarlier = dmyBefore({m_calDay1, m_calMon1, m_calYea1}, {day1, month1, year1}, false);
    const long fromDay = oldFirstEarlier ? m_calDay1 : day1;
    const long fromMonth = oldFirstEarlier ? m_calMon1 : month1;
    const long fromYear = oldFirstEarlier ? m_calYea1 : year1;
    const bool oldLastLater = dmyBefore({day2, month2, year2}, {m_calDay2, m_calMon2, m_calYea2}, false);
    const long toDay = oldLastLater ? m_calDay2 : day2;
    const long toMonth = oldLastLater ? m_calMon2 : month2;
    const long toYear = oldLastLater ? m_calYea2 : year2;

    m_calDay1 = day1;
    m_calMon1 = month1;
    m_calYea1 = year1;
    m_calDay2 = day2;
    m_calMon2 = month2;
    m_calYea2 = year2;
    invertPlage(fromDay, fromMonth, fromYear, toDay, toMonth, toYear, annee);
}

void FenCalendrierController::invertPlage(long day1, long month1, long year1, long day2, long month2, long year2,
                                          long annee)
{
    if (dmyBefore({day1, month1, year1}, {1, 1, annee}, false)) {
        day1 = month1 = 1;
        year1 = annee;
    }
    if (dmyBefore({31, 12, annee}, {day2, month2, year2}, false)) {
        day2 = 31;
        month2 = 12;
        year2 = annee;
    }
    if (!m_viewCalendrier)
        return;
    for (long d = day1, m = month1, y = year1; dmyBefore({d, m, y}, {day2, month2, year2}, true);
         nextDayDMY(&d, &m, &y))
        m_viewCalendrier->update(cellRect(d, m, y).toAlignedRect());
}

void FenCalendrierController::point2jm(long* day, long* month, long year, const QPointF& point) const
{
    ::point2jm(day, month, year, point);
}

long FenCalendrierController::getDayOfWeek(long month, long year) const
{
    return firstWeekdayOfMonth(month, year);
}
