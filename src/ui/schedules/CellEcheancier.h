#pragma once
// The rows of the schedules window. A schedule or forecast row (32 high) shows its picture,
// whether it still runs, its name, its accounts with their pictures, its first and last dates and
// its amount, signed and coloured as the user's own accounts see it; a folder or category header
// (24 high) shows its picture and name. What a row shows is computed apart from the painting
// (chronoRowContent), from the document and the window's currency slot.
#include "engines/CHRONOLIST.h"
#include "toolkit/tables/StdCell.h"

#include <QColor>
#include <QLabel>

class DOCUMENT;

struct ChronoRowContent {
    CHRONOLIST::Kind kind = CHRONOLIST::Kind::Echeancier;
    bool found = false; // a schedule or forecast that is gone shows a blank row
    QString imageChrono; // "echeancier_reel", "echeancier_prev"
    QString imageActif; // "checkmark" while it runs, "supprimer" once finished
    QString imagePoste; // headers: "dossier", "poste" or "groupee"
    QString title;
    QString compteDebit;
    QString compteCredit;
    QString imageCompteDebit;
    QString imageCompteCredit;
    QString date1;
    QString date2; // "-" without an end
    QString montant;
    QColor montantColor;
};

ChronoRowContent chronoRowContent(const CHRONOLIST& entry, const DOCUMENT& doc, long devise);

class CellEcheancier : public StdCell {
    Q_OBJECT
public:
    static constexpr int kChronoHeight = 32;
    static constexpr int kHeaderHeight = 24;
    static int heightOfKind(CHRONOLIST::Kind kind);

    explicit CellEcheancier(QWidget* parent = nullptr);

    // The texts shown; pictures are not texts.
    QStringList rowTexts() const override;

    void fill(const ChronoRowContent& content);

private:
    void showPicture(QLabel* view, const QString& name);

    QLabel* image_chrono;
    QLabel* image_actif;
    QLabel* image_dossier;
    QLabel* image_poste;
    QLabel* field_title;
    QLabel* image_compte_debit;
    QLabel* field_compte_debit;
    QLabel* image_compte_credit;
    QLabel* field_compte_credit;
    QLabel* field_date1;
    QLabel* field_date2;
    QLabel* field_montant;
};
