#include "toolkit/dialogs/FenCalendrierController2.h"

#include "toolkit/fields/StdTextView.h"

#include "foundation/dates.h"
#include "model/MONTANT.h"

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

// The widget after the view in its window's focus chain that can take the keyboard.
QWidget* nextKeyView(QWidget* view)
{
    const QWidget* top = view->window();
    for (QWidget* w = view->nextInFocusChain(); w && w != view; w = w->nextInFocusChain()) {
        if (w->window() == top && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(top)
            && !w->focusProxy())
            return w;
    }
    return nullptr;
}

} // namespace

void pickDateForField(StdWindowController* window, StdTextView* dayField, StdTextView* monthField,
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
        return;
    setDayMonthYearViews(&day, &month, &year, data->date);
    writeField(dayField, day, fontSize);
    writeField(monthField, month, fontSize);
    writeField(yearField, year, fontSize);
    if (window && yearField) {
        if (QWidget* next = nextKeyView(yearField))
            next->setFocus(Qt::OtherFocusReason);
    }
}
