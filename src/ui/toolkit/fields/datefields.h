#pragma once
// The three fields of a date (day, month, year) built and read together, as every window does.
#include <QList>

class QHBoxLayout;
class QObject;
class QWidget;

// The day, month and year fields of a window's nth date ("field_jour1", "field_mois1",
// "field_annee1" for the first), side by side in a new row; they are appended to fields.
QHBoxLayout* dateFieldsRow(QWidget& parent, int n, QList<QWidget*>& fields);

// When the fields name a day the calendar doesn't have (31 February), shows an alert on the
// window naming that date, puts the focus back in the day field and answers true: the caller
// stays open with the user's text, to be corrected. False for a real day or no date; absent
// fields take today's value.
bool refuseImpossibleDate(QObject* window, QWidget* jour, QWidget* mois, QWidget* annee);
