#pragma once
// The row of one due occurrence: the picture of what will be done with it, the schedule's name,
// the date, and the amount, or the word "annulée" when the occurrence is to be or was written as
// cancelled. The right end of the row is left free for the row's pop-up of commands, which the
// window lays over the selected row.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellAwake : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;
    static constexpr int kPopUpWidth = 150;

    explicit CellAwake(QWidget* parent = nullptr);

    // The texts shown; pictures are not texts.
    QStringList rowTexts() const override;

    QLabel* getNom() const { return nom; }
    QLabel* getDate() const { return date; }
    QLabel* getMontant() const { return montant; }
    QLabel* getAnnulee() const { return annulee; }
    QLabel* getImage() const { return image; }

    struct Content {
        QString imageName; // empty: no picture
        QString nom;
        QString date;
        QString montant;
        bool cancelled = false; // annulee shown instead of the amount
    };
    void fill(const Content& content);
    // The row's picture for a status: the table of the window, none for another value.
    static QString imageNameForStatus(long status);

private:
    QLabel* image;
    QLabel* nom;
    QLabel* date;
    QLabel* montant;
    QLabel* annulee;
};
