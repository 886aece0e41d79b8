#pragma once
// The row of a folder: the category row's picture, name and marks, and "(n)", the number of its
// categories.
#include "entities/CellPoste.h"

class CellDossier : public CellPoste {
    Q_OBJECT
public:
    explicit CellDossier(QWidget* parent = nullptr);

    QLabel* getCount() const { return count; }
    void setCount(long n);

private:
    QLabel* count;
};
