#pragma once
// What the program adds to the platform's text fields.
class MONTANT;
class QWidget;

// Colours the field's text by the amount: half-transparent dark blue for a null amount, dark red
// for a negative one, dark green otherwise. Nothing without a field.
void colorizeForMontant(QWidget* field, const MONTANT& amount);
