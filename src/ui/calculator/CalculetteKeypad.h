#pragma once
// The calculator's buttons: for each, its identifier (the button's objectName), its label and the
// text it enters in the console, in the order of the table; and the keypad that lays them out.
#include <QList>
#include <QString>

class QGridLayout;
class QWidget;

struct CalculetteButton {
    QString identifier;
    QString label;
    QString text; // BREAK, CLEAR and = enter the control codes 1, 2 and 3
};

// The 46 buttons, "BBREAK" first and "BPRINTLN" last.
const QList<CalculetteButton>& calculetteButtonTable();
// The record whose identifier is the name, letter case ignored; null when none is.
const CalculetteButton* findCalculetteButton(const QList<CalculetteButton>& table, const QString& name);

// The buttons of the table in a grid of eight columns, each a QPushButton named by its identifier
// that sends "ENTER_BUTTON:" and never takes the focus from the console.
QGridLayout* buildCalculetteKeypad(QWidget* parent, const QList<CalculetteButton>& table);
