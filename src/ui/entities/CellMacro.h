#pragma once
// The row of a macro: its key (typed with Alt), its name and the payment means of its template.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class DOCUMENT;
class MACRO;

class CellMacro : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit CellMacro(QWidget* parent = nullptr);

    QLabel* getFieldNom() const { return field_nom; }
    QLabel* getFieldTouche() const { return field_touche; }
    QLabel* getFieldMoyen() const { return field_moyen; }

    void fill(const MACRO& macro, const DOCUMENT& doc);

private:
    QLabel* field_touche;
    QLabel* field_nom;
    QLabel* field_moyen;
};
