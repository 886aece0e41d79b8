#pragma once
// The row of a categorisation rule: its title (or its number), its key words, the two accounts,
// the category and the payment family it gives, and how many transactions confirmed it.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class DOCUMENT;
class REGLE;

class CellRegle : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 48;

    explicit CellRegle(QWidget* parent = nullptr);

    QLabel* getFieldTitre() const { return field_titre; }
    QLabel* getFieldMots() const { return field_mots; }

    void fill(const REGLE& regle, long row, const DOCUMENT& doc);

private:
    QLabel* field_titre;
    QLabel* field_mots;
    QLabel* field_debit;
    QLabel* field_credit;
    QLabel* field_poste;
    QLabel* field_moyen;
    QLabel* field_nb_opetations;
    QLabel* image_debit;
    QLabel* image_credit;
    QLabel* image_moyen;
};
