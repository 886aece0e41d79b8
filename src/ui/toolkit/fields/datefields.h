#pragma once
// The three fields of a date (day, month, year) read together, as every window reads them.
class QObject;
class QWidget;

// When the fields name a day the calendar doesn't have (31 February), shows an alert on the
// window naming that date, puts the focus back in the day field and answers true: the caller
// stays open with the user's text, to be corrected. False for a real day or no date; absent
// fields take today's value.
bool refuseImpossibleDate(QObject* window, QWidget* jour, QWidget* mois, QWidget* annee);
