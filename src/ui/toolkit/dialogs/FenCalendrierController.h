#pragma once
// The calendar window: the twelve months of one year, with the year and buttons to step it, ask
// for it or come back to today. Opened modeless it is the program's plain year calendar; run
// modally (as FenCalendrierController2) it picks a day or a range of days, its OK and Cancel
// buttons shown, and READ gives the first day of the selection.
//
// The window data's date is the date shown first (today when it has none) and, after OK, the
// chosen day at midnight.
//
// The selection is two days, first and last, never the last before the first; it is kept when
// the year changes, and days of it show as selected only in their own year.
#include "toolkit/dialogs/ViewCalendrier.h"
#include "toolkit/windows/StdWindowController.h"

#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

class FenCalendrierController : public StdWindowController {
    Q_OBJECT
public:
    long year() const { return m_year; }
    long calDay1() const { return m_calDay1; }
    long calMon1() const { return m_calMon1; }
    long calYea1() const { return m_calYea1; }
    long calDay2() const { return m_calDay2; }
    long calMon2() const { return m_calMon2; }
    long calYea2() const { return m_calYea2; }
    const QFont& fontCalendrier() const { return m_fontCalendrier; }
    ViewCalendrier* viewCalendrier() const { return m_viewCalendrier; }

    void FILL() override;
    bool READ() override;
    void windowWillClose() override;

    // Selects the date's day alone and shows its year.
    void GO(double date);
    Q_INVOKABLE void YEAR_PREV(QObject* sender);
    Q_INVOKABLE void YEAR_SUIV(QObject* sender);
    Q_INVOKABLE void YEAR_EDIT(QObject* sender);
    Q_INVOKABLE void TODAY(QObject* sender);
    // Shows that year, the selection unchanged. A year outside 1 to 9999 has no calendar date
    // that the fields could hold: it is refused with a beep.
    void CHANGE(long year);
    void FILL_YEAR();

    bool isCalSelectedAtDay(long day, long month, long year) const;
    // Selects from one day to the other, in whichever order they come, and repaints what changed
    // in the shown year annee.
    void setCalSelectionAtDay(long day1, long month1, long year1, long day2, long month2, long year2, long annee);
    // Repaints the days of the range that lie in the year annee.
    void invertPlage(long day1, long month1, long year1, long day2, long month2, long year2, long annee);
    void point2jm(long* day, long* month, long year, const QPointF& point) const;
    // 0 for Monday to 6 for Sunday.
    long getDayOfWeek(long month, long year) const;

    static constexpr long kFirstYear = 1;
    static constexpr long kLastYear = 9999;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QWidget* buildHeader(StdWindow& window);
    QWidget* buildButtons(StdWindow& window);
    double dataDate() const;
    void redraw();

    long m_year = 0;
    long m_calDay1 = 0;
    long m_calMon1 = 0;
    long m_calYea1 = 0;
    long m_calDay2 = 0;
    long m_calMon2 = 0;
    long m_calYea2 = 0;
    QFont m_fontCalendrier;
    QPointer<ViewCalendrier> m_viewCalendrier;
    QPointer<QWidget> m_buttonRow; // OK and Cancel, shown only when the calendar picks a day
    QPointer<QToolButton> m_yearLabel;
    QPointer<QPushButton> m_oui;
    QPointer<QPushButton> m_non;
};
