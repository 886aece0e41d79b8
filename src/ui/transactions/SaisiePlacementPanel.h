#pragma once
// The investment tab of the entry window: the investment chosen, its capital, interest and fees
// (which add up to the amount) and, for a security, the number of securities; the buttons that
// solve one part from the others and the help pop-up's ready splits (PlacementHelp).
#include "model/MONTANT.h"

class FenEditSaisieController;
class TRANSACT;

class SaisiePlacementPanel {
public:
    explicit SaisiePlacementPanel(FenEditSaisieController& window);

    bool hasPlacement() const;
    // The fields from the transaction's investment, or empty and disabled without one.
    void FILL_TRANS_PLACEMENT();
    // A new choice: the whole amount as capital, no interest nor fees; the number of securities
    // is open only when the choice is a security (fromTitre).
    void COMPUTE_PLACEMENT(bool fromTitre);
    void setLayoutSaisiePlacement(bool enabled, bool titre);
    // 1 capital, 2 interest, 3 fees := amount − the two others.
    void SET_QUOTE(int which);
    void DEAL_HELP_PLAC(int tag);
    int getPlacementCategorie() const;

    MONTANT capital() const;
    MONTANT interets() const;
    MONTANT frais() const;
    double nTitre() const;
    // The three parts and the number of securities into the transaction.
    void read(TRANSACT& rec) const;

private:
    void fillQuote(int which, const MONTANT& value);
    void fillNTitre(double value);

    FenEditSaisieController& m_window;
};
