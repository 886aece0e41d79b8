#pragma once
// The editor of a payment-means synonym: its name, the family it stands for and its logo. Nothing
// is refused. The family and the logo chosen are written to the edited synonym at once; the caller
// stores it only on OK.
//
// Window data: "synonyme" the Synonyme edited and "document" its document.
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class QLabel;
class StdTextView;
class Synonyme;

// The payment families (every one but 4, "no payment means"), each with its icon; items send
// MOYEN: with the family.
class PopFamilleSynonyme : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;
    void FILL_MENU() override;
};

class FenEditSynonymeController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;
    void FILL_FAMILY();
    void FILL_LOGO();
    Q_INVOKABLE void MOYEN(QObject* item);
    Q_INVOKABLE void LOGO(QObject* item);

    Synonyme& synonyme() const;
    DOCUMENT& document() const;

protected:
    void buildInterface(StdWindow& window) override;

private:
    StdTextView* m_nom = nullptr;
    QLabel* m_family = nullptr;
    QLabel* m_icone = nullptr;
    QLabel* m_titleIcone = nullptr;
    QLabel* m_logo = nullptr;
};

bool editSynonyme(StdWindowController* parent, Synonyme& synonyme, DOCUMENT& doc);
