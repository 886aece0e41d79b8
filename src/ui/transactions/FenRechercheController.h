#pragma once
// The search window: edits the open document's one search criterion (DocContext's current search
// criterion), modally. Each sub-criterion has an operator pop-up whose tag is the criterion's
// operator code (1: any value) and, where the operator needs one, value controls that only that
// operator enables. The criterion can be kept under a name as a saved search and picked back,
// renamed or deleted (RechercheConfigurations); those actions change the document's "searches"
// folder at once, whatever button closes the window.
//
// The window has no data of its own: FILL shows the current criterion, READ writes the controls
// back into it. OK ends with 1 (the caller then runs the search), Cancel with 0.
#include "transactions/RechercheLayout.h"

#include "toolkit/windows/StdWindowController.h"

#include <functional>
#include <memory>
#include <vector>

class Critere;
class RechercheConfigurations;

class FenRechercheController : public StdWindowController {
    Q_OBJECT
    // The synonym chosen in the payment-means picker, -1 none.
    Q_PROPERTY(long synonymeID READ synonymeID WRITE setSynonymeID)

public:
    FenRechercheController();
    ~FenRechercheController() override;

    // The criterion the window edits, made for the open document when it has none yet.
    static Critere& critere();

    const RechercheControls& controls() const { return m_controls; }
    long synonymeID() const { return m_synonymeID; }
    void setSynonymeID(long ident) { m_synonymeID = ident; }

    // ---- Which value controls their operators enable (canSetChanged tells they may have changed).

    bool canSetDate1() const;
    bool canSetDate2() const;
    bool canSetMontant1() const;
    bool canSetMontant2() const;
    bool canSetCompteD() const { return tagOf(m_controls.comptes.operateurD) == 2; }
    bool canSetCompteC() const { return tagOf(m_controls.comptes.operateurC) == 2; }
    bool canSetBanqueD() const { return tagOf(m_controls.banques.operateurD) == 2; }
    bool canSetBanqueC() const { return tagOf(m_controls.banques.operateurC) == 2; }
    bool canSetCategorieD() const { return tagOf(m_controls.categories.operateurD) == 2; }
    bool canSetCategorieC() const { return tagOf(m_controls.categories.operateurC) == 2; }
    bool canSetCompteBool() const { return canSetCompteD() && canSetCompteC(); }
    bool canSetBanqueBool() const { return canSetBanqueD() && canSetBanqueC(); }
    bool canSetCategorieBool() const { return canSetCategorieD() && canSetCategorieC(); }
    bool canSetPoste() const { return tagOf(m_controls.poste.operateur) == 2; }
    bool canSetDossier() const { return tagOf(m_controls.dossier.operateur) == 2; }
    bool canSetTaxe() const { return tagOf(m_controls.taxe.operateur) == 2; }
    bool canSetPlacement() const { return tagOf(m_controls.placement.operateur) == 2; }
    bool canSetMoyen() const { return tagOf(m_controls.moyen.operateur) == 2; }
    bool canSetEcheancier() const { return tagOf(m_controls.echeancier.operateur) == 2; }
    bool canSetReference() const { return tagOf(m_controls.popup_reference) != 1; }
    bool canSetInformation() const { return tagOf(m_controls.popup_information) != 1; }
    // A saved search is current.
    bool onConfiguration() const;

    // ---- Filling and reading.

    double defaultFontSize() const override { return 11.0; }
    void didAwakeFromNib() override;
    void FILL() override;
    // The dates, then every control into the current criterion; always true.
    bool READ() override;
    // Each currency pop-up and each amount field takes the slot.
    void FILL_DEVISE(long slot);
    // The payment-means picker, with the chosen synonym.
    void FILL_MOYEN();

    // ---- Operators: each announces what it enables and puts the typing where it now goes.

    Q_INVOKABLE void POPUP_DATE(QObject* sender);
    Q_INVOKABLE void POPUP_MONTANT(QObject* sender);
    Q_INVOKABLE void POPUP_POSTE(QObject* sender);
    Q_INVOKABLE void POPUP_REFERENCE(QObject* sender);
    Q_INVOKABLE void POPUP_INFORMATION(QObject* sender);
    Q_INVOKABLE void POPUP_COMPTED(QObject* sender);
    Q_INVOKABLE void POPUP_COMPTEC(QObject* sender);
    Q_INVOKABLE void POPUP_BANQUED(QObject* sender);
    Q_INVOKABLE void POPUP_BANQUEC(QObject* sender);
    Q_INVOKABLE void POPUP_CATEGORIED(QObject* sender);
    Q_INVOKABLE void POPUP_CATEGORIEC(QObject* sender);
    Q_INVOKABLE void POPUP_DOSSIER(QObject* sender);
    Q_INVOKABLE void POPUP_TAXE(QObject* sender);
    Q_INVOKABLE void POPUP_PLACEMENT(QObject* sender);
    Q_INVOKABLE void POPUP_MOYEN(QObject* sender);
    Q_INVOKABLE void POPUP_ECHEANCIER(QObject* sender);

    // ---- Pickers and pages.

    // A payment means or one of its synonyms: the synonym is searched for when one was chosen.
    Q_INVOKABLE void MOYEN(QObject* item);
    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void TAB_SELECT(QObject* sender);

    // ---- Saved searches (RechercheConfigurations).

    // The saved search of the item's tag becomes current (-1: the empty search).
    Q_INVOKABLE void RECHERCHE(QObject* item);
    Q_INVOKABLE void CREER(QObject* sender);
    Q_INVOKABLE void RENOMMER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    // Reads the controls and writes the criterion into the current saved search's file; false
    // when that write failed (the user has been told).
    bool ENREGISTRER();

    // ---- Closing.

    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void NON(QObject* sender) override;
    void windowWillClose() override;

    // Every canSet property again: the value controls follow their operators.
    void announceCanSet();

signals:
    void canSetChanged();

protected:
    void buildInterface(StdWindow& window) override;

private:
    // An operator pop-up bound to the criterion's field of its operator.
    struct OperateurBinding {
        PopOperateur* pop = nullptr;
        std::function<long(const Critere&)> read;
        std::function<void(Critere&, long)> write;
    };
    // A picker's identifier bound to the criterion's field of that identifier.
    struct IdentBinding {
        std::function<long(const Critere&)> read;
        std::function<void(Critere&, long)> write;
        std::function<long(const StdWindowPickers&)> chosen;
        std::function<void(StdWindowPickers&, long)> choose;
    };

    static long tagOf(const PopOperateur* pop);
    void setUpPickers();
    void bindCriterion();
    void connectOperateurs();
    void fillConfiguration();
    void fillValues(const Critere& c);
    void fillPage();
    void readValues(Critere& c) const;
    // After an operator changed: what it enables, and the typing there.
    void operatorChanged(bool enabled, QWidget* first);
    // The same for one side of a pair; a side left on any value makes both sides count.
    void sideChanged(const RechercheSides& sides, bool sideSet, QWidget* first);

    RechercheControls m_controls;
    std::vector<OperateurBinding> m_operateurs;
    std::vector<IdentBinding> m_idents;
    std::unique_ptr<RechercheConfigurations> m_configurations;
    long m_synonymeID = -1;
};
