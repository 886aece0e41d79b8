#pragma once
// The row of one of the document's five currency slots in the currencies window. What a row shows
// is decided by deviseRowLook, which tests read without widgets.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class DOCUMENT;

struct DeviseRowLook {
    enum class Font { Normal, Gras, Italique };
    QString nom;
    QString unit;
    QString taux; // "= 0.152449 €" for slots 1 to 4 in use, empty otherwise
    QString image; // "devise_principale", "devise", or empty for an unused slot
    bool coeur = false; // the document's preferred slot
    Font font = Font::Normal;
};

// The look of slot n of the document; an unused slot shows "kMisc_Devise_inutilisee".
DeviseRowLook deviseRowLook(const DOCUMENT& doc, long slot);

class CellDevise : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;

    explicit CellDevise(QWidget* parent = nullptr);

    QLabel* getNom() const { return nom; }
    QLabel* getUnit() const { return unit; }
    QLabel* getTaux() const { return taux; }
    QLabel* getImage() const { return image; }
    QLabel* getCoeur() const { return coeur; }

    void fill(const DeviseRowLook& look);

private:
    QLabel* nom;
    QLabel* unit;
    QLabel* taux;
    QLabel* image;
    QLabel* coeur;
};
