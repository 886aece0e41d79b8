#pragma once
// The title block of a printed simulation: the title, date and page of every print-out, and under
// them the simulation's inputs on two lines (amount and rate, then the kind with its value and
// the cost).
#include "toolkit/windows/StdViewTitre.h"

class QLabel;

class BoxSimulationTitre : public StdViewTitre {
    Q_OBJECT
public:
    static constexpr int kHeight = 94; // the title block and two lines of inputs

    explicit BoxSimulationTitre(QWidget* parent = nullptr);

    QLabel* field_print_montant() const { return m_montant; }
    QLabel* field_print_taux() const { return m_taux; }
    QLabel* field_print_kind() const { return m_kind; }
    QLabel* field_print_mensualite() const { return m_mensualite; }
    QLabel* field_print_cout() const { return m_cout; }

private:
    QLabel* m_montant;
    QLabel* m_taux;
    QLabel* m_kind;
    QLabel* m_mensualite;
    QLabel* m_cout;
};
