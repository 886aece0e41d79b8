#pragma once
// The test of one transaction (of the document, or built for a schedule or forecast occurrence)
// against a criterion, and the part of its amount the criterion selects.
//
// A search prepares one matcher for the whole run: the bank, bank-type, folder and statement
// lookups that a criterion in use needs are then gathered once into sorted ident lists, and the
// test of a transaction allocates nothing (a text test longer than 256 characters aside). An
// unprepared matcher (what Critere::transFitCritere uses) looks in the document's lists instead.
// The matcher keeps references: the criterion, the document and the currency list must outlive it,
// and the document's lists must not change while a prepared matcher is in use.
#include "engines/Critere.h"

#include <QString>
#include <vector>

class DOCUMENT;
class TRANSACT;

// The fold of every text comparison of criteria: canonical accents dropped (decomposed, combining
// marks left out) and simple case folding, one character at a time; other characters are kept.
// Unlike the search fold of names, punctuation stays what it is.
QString foldForCritere(const QString& text);

class CritereMatcher {
public:
    CritereMatcher(const Critere& critere, const DOCUMENT* doc, const DeviseList* devHdl, bool prepare = true);

    // The walk over the evaluation list: *tot (may be null) first takes the transaction's amount,
    // then the sum of its matching split lines when a category or folder test selects some.
    bool transFitCritere(const TRANSACT& trans, MONTANT* tot) const;

    // One sub-criterion each; an operator a test doesn't know (1 among them) passes.
    bool transFitCritereDate(const TRANSACT& trans) const;
    bool transFitCritereMontant(const TRANSACT& trans) const;
    bool transFitCritereCompte(const TRANSACT& trans) const;
    bool transFitCritereBanque(const TRANSACT& trans) const;
    bool transFitCritereCategorie(const TRANSACT& trans) const;
    bool transFitCritereMoyen(const TRANSACT& trans) const;
    bool transFitCritereSynonyme(const TRANSACT& trans) const;
    bool transFitCritereTaxe(const TRANSACT& trans) const;
    bool transFitCriterePlac(const TRANSACT& trans) const;
    bool transFitCritereChrono(const TRANSACT& trans) const;
    bool transFitCriterePoste(const TRANSACT& trans, MONTANT* tot) const;
    bool transFitCritereDossier(const TRANSACT& trans, MONTANT* tot) const;
    bool transFitCriterePointe(const TRANSACT& trans) const;
    bool transFitCritereImport(const TRANSACT& trans) const;
    bool transFitCritereReference(const TRANSACT& trans) const;
    bool transFitCritereWhy(const TRANSACT& trans) const;
    bool transFitCritereWhyImport(const TRANSACT& trans) const;

    // One side of the account test, as a transaction's side shows it: its account and the
    // statement it is ticked on (-1 for none).
    struct CompteSide {
        long compte = -1;
        long releveID = -1;
    };
    // What one side of the account test asks: On, the account ident (and, when critRel is On,
    // the statement relID: -1 for no statement); Problem, the account missing or holding no
    // statement the side is ticked on (a statement of 0 or more).
    struct CompteTest {
        CritereCompte crit = CritereCompte::Off;
        long ident = -1;
        CritereSwitch critRel = CritereSwitch::Off;
        long relID = -1;
    };
    static bool compteFitCritere(const CompteSide& side, const CompteTest& test, const DOCUMENT* doc);
    // On: the account belongs to the bank / its bank has the type.
    static bool compteFitCritereB(long compte, CritereSwitch crit, long ident, const DOCUMENT* doc);
    static bool compteFitCritereCat(long compte, CritereSwitch crit, int ident, const DOCUMENT* doc);
    // Case and accents ignored. An empty criterion text begins or is contained in nothing.
    static bool stringFitCritere(const QString& str, CritereText crit, const QString& critStr);

private:
    // Sorted idents, for lookups without allocation.
    class IdentSet {
    public:
        void add(long ident) { m_idents.push_back(ident); }
        void seal();
        bool contains(long ident) const;

    private:
        std::vector<long> m_idents;
    };

    void prepareLookups();
    bool problemSide(long compte, long transID) const;
    bool rowIsTicked(const TRANSACT& trans) const;
    bool compteSide(const CompteSide& side, CritereCompte crit, long ident) const;
    bool banqueSide(long compte, CritereSwitch crit, long banqueID, const IdentSet& accounts) const;
    bool categorieSide(long compte, CritereSwitch crit, int type, const IdentSet& accounts) const;
    bool posteInDossier(long poste) const;
    bool lineFitPoste(long poste, bool dossier) const;
    bool transFitPosteOrDossier(const TRANSACT& trans, MONTANT* tot, bool dossier) const;
    static bool foldedFit(const QString& text, CritereText crit, const QString& needle);

    const Critere& m_critere;
    const DOCUMENT* m_doc;
    const DeviseList& m_devises;
    bool m_prepared;
    long m_pointeCompte;
    double m_lastSynchro;
    bool m_hasLastSynchro;
    double m_dayStart;
    double m_nextDayStart;
    QString m_reference;
    QString m_why;
    QString m_whyImport;
    IdentSet m_banqueDebitAccounts;
    IdentSet m_banqueCreditAccounts;
    IdentSet m_categorieDebitAccounts;
    IdentSet m_categorieCreditAccounts;
    IdentSet m_dossierPostes;
    IdentSet m_knownAccounts;
    std::vector<std::pair<long, long>> m_statements; // (account, statement), sorted
};
