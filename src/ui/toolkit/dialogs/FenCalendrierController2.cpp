#include "toolkit/dialogs/FenCalendrierController2.h"

#include "toolkit/fields/StdTextView.h"

#include "foundation/dates.h"
#include "model/MONTANT.h"

#include <QWidget>

namespace {

// The text of the field, or null for an absent field, as the date functions take them.
const QString* fieldText(const StdTextView* field, QString& storage)
{
    if (!field)
        return nullptr;
    storage = field->toPlainText();
    return &storage;
}

void writeField(StdTextView* field, const QString& text, double fontSize)
{
    if (!field)
        return;
    field->setPlainText(text);
    field->setFont(StdTextView::systemFontOfSize(fontSize));
}

} // namespace

// Buttons are not where typing goes: the calendar button itself follows the year, and a button
// holding the keyboard would hand it back to the day field, whose next keys would change the date.
QWidget* nextTypingField(QWidget* view)
{
    if (!view)
        return nullptr;
    const QWidget* top = view->window();
    for (QWidget* w = view->nextInFocusChain(); w && w != view; w = w->nextInFocusChain()) {
        if (w->window() == top && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(top)
            && !w->focusProxy() && w->testAttribute(Qt::WA_InputMethodEnabled))
            return w;
    }
    return nullptr;
}

void giveTypingFieldKeyboard(QWidget* field)
{
    // As a Tab would: the field's text selected, ready to be typed over.
    if (field)
        field->setFocus(Qt::TabFocusReason);
}

bool pickDateForField(StdWindowController* window, StdTextView* dayField, StdTextView* monthField,
                      StdTextView* yearField, double fontSize)
{
    QString day;
    QString month;
    QString year;
    double date = 0;
    if (!dateFromDayMonthYearViews(fieldText(dayField, day), fieldText(monthField, month), fieldText(yearField, year),
                                   &date))
        date = dateNow();
    WindowDataPtr data = makeWindowData();
    data->date = date;
    if (StdWindowController::pushModal<FenCalendrierController2>(window, data, MONTANT::currentDeviseSlot()) != 1)
        return false;
    setDayMonthYearViews(&day, &month, &year, data->date);
    writeField(dayField, day, fontSize);
    writeField(monthField, month, fontSize);
    writeField(yearField, year, fontSize);
    if (window)
        giveTypingFieldKeyboard(nextTypingField(yearField));
    return true;
}
