#pragma once
// The row of a category in the categories-and-folders window: its picture, its name, a mark when
// it is permanent and a padlock when it is the document's default category. CellDossier adds a
// folder's count of categories.
#include "toolkit/tables/StdCell.h"

#include <QIcon>
#include <QLabel>

class CellPoste : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 28;

    explicit CellPoste(QWidget* parent = nullptr);

    QLabel* getNom() const { return nom; }
    QLabel* getIcone() const { return icone; }
    QLabel* getIconePermanent() const { return icone_permanent; }
    QLabel* getIconeCadenas() const { return icone_cadenas; }

    void fill(const QString& name, const QIcon& image, bool permanent, bool locked);

protected:
    QLabel* icone;
    QLabel* nom;
    QLabel* icone_permanent;
    QLabel* icone_cadenas;
};
