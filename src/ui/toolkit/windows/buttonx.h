#pragma once
// What the program adds to the platform's buttons.
#include <QString>

class QAbstractButton;

// Sets the button's title; nothing without a button.
void XsetTitle(QAbstractButton* button, const QString& title);
