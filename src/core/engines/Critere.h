#pragma once
// The one filter of the program: seventeen sub-criteria over a transaction, each switched by its
// own operator, where 1 always means "off". Every list window, the statement window, the document
// check, the import's duplicate test, the rule learner, the sync server and the analyses build one
// and hand it to the search.
//
// Fields are plain: setting one changes nothing else. The compound setters, replaceWithCritere
// and computeCritere rebuild the evaluation list (the sub-criteria to test, in their fixed order);
// a criterion changed through its fields alone must be given computeCritere before it is matched.
// computeCritere also prepares the folded texts and the day bounds the matcher compares with.
//
// Each operator is stored as the integer its enum gives it; a value a test doesn't know passes,
// as "off" does.
#include "model/MONTANT.h"

#include <QString>
#include <array>
#include <optional>

class DOCUMENT;

// The date and amount tests. Equal, for dates, is the same calendar day; Between runs from the
// first bound to the second, both included.
enum class CritereCompare : long {
    Off = 1,
    Equal = 2,
    Below = 3,
    BelowOrEqual = 4,
    Above = 5,
    AboveOrEqual = 6,
    Between = 7,
};

// The account tests: On is the account (and the statement when critereReleve is On); Problem, the
// account or the named statement is missing.
enum class CritereCompte : long {
    Off = 1,
    On = 2,
    Problem = 8,
};

// The tests of one value: banks, bank types, category, folder, family, synonym, tax, investment,
// schedule and statement.
enum class CritereSwitch : long {
    Off = 1,
    On = 2,
};

// How the debit and credit sides of a pair combine.
enum class CritereBool : long {
    Or = 1,
    And = 2,
};

enum class CriterePointe : long {
    Off = 1,
    Ticked = 2,
    NotTicked = 3,
};

enum class CritereImport : long {
    Off = 1,
    Imported = 2,
    ImportedTouched = 3,
    ImportedUntouched = 4,
    ImportedDoublon = 5,
    Synchro = 6, // received by sync
    LastSynchro = 7, // received by the last sync
};

// The text tests, case and accents ignored.
enum class CritereText : long {
    Off = 1,
    BeginsWith = 2,
    Contains = 3,
    Equals = 4,
};

// The sub-criteria of the evaluation list. 6 and 7 are never produced; a criterion holds at most
// 17 of them.
enum class CritereKind : long {
    Date = 0,
    Montant = 1,
    Poste = 2,
    Compte = 3,
    Banque = 4,
    Categorie = 5,
    Pointe = 8,
    Taxe = 9,
    Placement = 10,
    Chrono = 11,
    Moyen = 12,
    Synonyme = 13,
    Dossier = 14,
    Reference = 15,
    Import = 16,
    Why = 17,
    WhyImport = 18,
};
inline constexpr int kCritereMaxCodes = 20;

class TRANSACT;

class Critere {
public:
    long nbUsedCritere = 0;
    std::array<CritereKind, kCritereMaxCodes> usedCritere {};

    QString reference;
    QString why;
    QString whyImport;
    CritereCompare critereDate = CritereCompare::Off;
    CritereCompare critereMontant = CritereCompare::Off;
    CritereSwitch criterePoste = CritereSwitch::Off;
    CritereCompte critereCompteDebit = CritereCompte::Off;
    CritereCompte critereCompteCredit = CritereCompte::Off;
    CritereSwitch critereBanqueDebit = CritereSwitch::Off;
    CritereSwitch critereBanqueCredit = CritereSwitch::Off;
    CritereSwitch critereCategorieDebit = CritereSwitch::Off; // stored in 32 bits
    CritereSwitch critereCategorieCredit = CritereSwitch::Off;
    CritereBool critereBoolCompte = CritereBool::And;
    CritereBool critereBoolBanque = CritereBool::And;
    CritereBool critereBoolCategorie = CritereBool::And;
    CriterePointe criterePointe = CriterePointe::Off;
    CritereSwitch critereTaxe = CritereSwitch::Off;
    CritereSwitch criterePlacement = CritereSwitch::Off;
    CritereSwitch critereChrono = CritereSwitch::Off;
    CritereSwitch critereMoyen = CritereSwitch::Off;
    CritereSwitch critereSynonyme = CritereSwitch::Off;
    CritereSwitch critereDossier = CritereSwitch::Off;
    CritereText critereReference = CritereText::Off;
    CritereText critereWhy = CritereText::Off;
    CritereText critereWhyImport = CritereText::Off;
    CritereSwitch critereReleve = CritereSwitch::Off;
    CritereImport critereImport = CritereImport::Off;
    double date1 = 0;
    double date2 = 0;
    MONTANT montant1;
    MONTANT montant2;
    long devise = 0; // currency slot the text form shows amounts in
    int moyen = 0; // payment-means family 0..12
    long synonymeID = -1;
    long posteID = -1;
    long dossierID = -1;
    long compteIDDebit = -1;
    long compteIDCredit = -1;
    long banqueIDDebit = -1;
    long banqueIDCredit = -1;
    int categorieIDDebit = -1; // bank types: 0 cash, 1 third parties, 2 the user's banks
    int categorieIDCredit = -1;
    long releveID = -1;
    long taxeID = -1; // -1: no tax
    long titreID = -1; // the three investment idents all -1: no investment
    long remunereID = -1;
    long empruntID = -1;
    long chronoID = -1; // -1: no schedule
    // Future schedule and forecast occurrences are searched too; read by whoever starts a search.
    bool includesPrevisions = false;

    // ---- Creation and copying ------------------------------------------------------------------

    // initWithDocument(nullptr, false).
    Critere();
    // As initWithDocument.
    Critere(const DOCUMENT* doc, bool useDefault);
    // Empty texts, defaultCritere, then addDefaultElements when asked.
    void initWithDocument(const DOCUMENT* doc, bool useDefault);
    // Every operator off but the three combinations (AND); both dates now; zero amounts; the
    // current currency slot; the document's default category and folder; every other ident,
    // both bank types -1, family 0; no future occurrences; empty texts and evaluation list.
    void defaultCritere(const DOCUMENT* doc);
    // Values only: the document's default account on both sides, bank 1, the user's bank type.
    // Operators and the evaluation list are left as they are.
    void addDefaultElements(const DOCUMENT* doc);
    // Every operator, value, flag and text of the other criterion, amounts copied by value; then
    // the evaluation list is rebuilt.
    void replaceWithCritere(const Critere& other);

    // ---- Compound setters (each rebuilds the evaluation list) ------------------------------------

    void setDateCritere(double date); // the same day (date1 at its end)
    void setPeriodeCritere(double d1, double d2); // from the start of d1 to the end of d2
    void setPeriodeInferieurACritere(double date); // before the start of the day
    void setPeriodeInferieurOuEgCritere(double date); // up to the end of the day
    void setPeriodeSuperieurACritere(double date); // after the end of the day
    void setMontantCritere(const MONTANT& montant);
    void setPosteCritere(long ident);
    void setDossierCritere(long ident);
    void setMoyenCritere(int family);
    void setSynonymeCritere(long ident);
    void setChronoCritere(long ident);
    void setTaxeCritere(long ident);
    // The investment named, the other two kinds -1.
    void setTitreCritere(long ident);
    void setRemunereCritere(long ident);
    void setEmpruntCritere(long ident);
    void setImportCritere(CritereImport code);
    // One account (isCompte) or one bank on either side. Statement below 0: ticked state and
    // statement off; above 0: ticked on that statement; 0: not ticked and on no statement.
    void setToolCritere(bool isCompte, long ident, long relID);
    // Either side's account or statement missing.
    void setCompteProblemCritere();
    // One bank type on either side. Statement above 0: on that statement; 0: on none; below 0:
    // statement off. The ticked state is left as it is.
    void setCategorieCritere(int type, long relID);
    // Begins with the text.
    void setWhyCritere(const QString& text);
    void setWhyImportCritere(const QString& text);

    // ---- Factories (initWithDocument without defaults, then one compound setter) -----------------

    static Critere makeProblemCritere(const DOCUMENT* doc);
    static Critere makeToolCritere(bool isCompte, long ident, long relID, const DOCUMENT* doc);
    // The account's transactions from tomorrow to aVenir days after tomorrow (the application's
    // setting of that name).
    static Critere makeAVenirCritere(long compteID, long aVenir, const DOCUMENT* doc);
    // The account's transactions up to the end of today, not ticked and on no statement.
    static Critere makeNonPointeesCritere(long compteID, const DOCUMENT* doc);
    // The family on that account; none for an account below 0.
    static std::optional<Critere> makeMoyenCritere(int family, long compteID, const DOCUMENT* doc);
    static Critere makeSynonymeCritere(long ident, const DOCUMENT* doc);
    static Critere makePosteCritere(long ident, const DOCUMENT* doc);
    static Critere makeDossierCritere(long ident, const DOCUMENT* doc);
    static Critere makeChronoCritere(long ident, const DOCUMENT* doc);
    static Critere makeTitreCritere(long ident, const DOCUMENT* doc);
    static Critere makeRemunereCritere(long ident, const DOCUMENT* doc);
    static Critere makeEmpruntCritere(long ident, const DOCUMENT* doc);
    static Critere makeImportCritere(CritereImport code, const DOCUMENT* doc);
    // The tax over the period from first to last (whole seconds).
    static Critere makeTaxeCritere(long long first, long long last, long taxe, const DOCUMENT* doc);

    // ---- Queries -------------------------------------------------------------------------------

    // The account named on both sides, OR-combined; -1 when the criterion doesn't name exactly one.
    long getCritereCompte() const;
    long getCritereBanque() const;
    // The same with an ident of 1 or more.
    bool isCritereCompte() const;
    bool isCritereBanque() const;
    // The category and folder in use, -1 for those off. Either output may be null.
    void getCriterePosteValue(long* pID, long* dID) const;
    // The horizon up to which future occurrences are searched: date1 for the dates Equal to
    // BelowOrEqual, date2 for Between; otherwise, when date is given, the latest transaction date
    // of the document (0 without one). False only for the other operators without date.
    bool critereCanFutur(double* date, const DOCUMENT* doc) const;

    // The text shown to the user: a title line when asked, one line per sub-criterion in use
    // (tab-indented when asked), lines ended by CR (13) except the last.
    QString critereToString(const DOCUMENT* doc, bool showTitle, bool doIndent) const;

    // Rebuilds the evaluation list from the operators, in the fixed order of the tests.
    void computeCritere();

    // ---- Matching (CritereMatch.cpp) -----------------------------------------------------------

    // Whether the transaction passes every sub-criterion in use; *tot (may be null) gets the part
    // of its amount the criterion selects: its split lines in the category or folder, else its
    // whole amount. devise is not read. devHdl null: the document's currencies. A search over
    // many transactions prepares a CritereMatcher once instead.
    bool transFitCritere(const TRANSACT& trans, MONTANT* tot, const DOCUMENT* doc, long devise,
                         const DeviseList* devHdl) const;

    // What computeCritere prepared, with the values it was prepared from. The matcher prepares
    // again whatever a field changed since.
    struct Prepared {
        QString referenceSource;
        QString referenceFolded;
        QString whySource;
        QString whyFolded;
        QString whyImportSource;
        QString whyImportFolded;
        double dayOf = 0; // date1 the bounds were computed for
        double dayStart = 0; // first moment of date1's day
        double nextDayStart = 0; // first moment of the next day; 0 when date1 can't be split
    };
    const Prepared& prepared() const { return m_prepared; }

private:
    // The date that bounds the operator itself; none for those without an upper bound.
    std::optional<double> ownHorizon() const;
    void prepareForMatching();
    Prepared m_prepared;
};
