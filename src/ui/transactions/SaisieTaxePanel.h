#pragma once
// The tax tab of the entry window: the tax chosen splits the amount into the amount before tax
// and the tax, both following the amount as it is typed; they are never typed in themselves.
class FenEditSaisieController;
class QObject;

class SaisieTaxePanel {
public:
    explicit SaisieTaxePanel(FenEditSaisieController& window);

    void FILL_TRANS_TAXE();
    // Splits the amount field by the tax chosen, in the transaction's currency.
    void COMPUTE_TAXE();
    // The amount changed: the split follows; a part changed: the other one follows.
    void fieldMontantDidChange(QObject* field);
    // Without a tax the two fields are empty and greyed.
    void setLayoutSaisieTaxe(bool hasTaxe);

private:
    FenEditSaisieController& m_window;
};
