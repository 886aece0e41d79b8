#include "toolkit/dialogs/FenCalendrierController2.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/shownorder.h"
#include "toolkit/host/KeyboardReturn.h"

#include "foundation/dates.h"
#include "model/MONTANT.h"

#include <QLineEdit>
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

// Buttons are not where typing goes: the calendar button itself follows the year.
QWidget* nextTypingField(QWidget* view)
{
    return view ? nextShownStop(view, takesTypedText) : nullptr;
}

QWidget* keyboardPlaceAfterDate(QWidget* lastField)
{
    if (!lastField)
        return nullptr;
    if (QWidget* field = nextTypingField(lastField))
        return field;
    if (QWidget* stop = nextShownStop(lastField))
        return stop;
    return lastField;
}

// The field may have the keyboard already (the calendar closed without taking it, or the window
// manager gave it back first): giving it again selects nothing, so the text is selected here. The
// program chose the place: a give-back of the run that has just ended leaves it there.
void giveKeyboardAfterPick(QWidget* place)
{
    if (!place)
        return;
    KeyboardReturn::programPlaces(place);
    if (auto* view = qobject_cast<StdTextView*>(place)) {
        view->takeKeyboardForTyping();
        return;
    }
    place->setFocus(Qt::TabFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(place))
        line->selectAll();
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
    if (window) {
        QWidget* last = yearField ? yearField : monthField ? monthField : dayField;
        giveKeyboardAfterPick(keyboardPlaceAfterDate(last));
    }
    return true;
}
