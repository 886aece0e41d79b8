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
// Operator codes:
//   critereDate, critereMontant: 2 equal (same calendar day), 3 below, 4 below or equal, 5 above,
//     6 above or equal, 7 from the first bound to the second, both included;
//   critereCompteDebit/Credit: 2 the account (and the statement when critereReleve is 2),
//     8 problem (the account or the named statement is missing);
//   critereBanque*, critereCategorie*, criterePoste, critereDossier, critereMoyen, critereSynonyme,
//     critereTaxe, criterePlacement, critereChrono, critereReleve: 2 on;
//   critereBool*: 1 either side (OR), 2 both sides (AND);
//   criterePointe: 2 ticked, 3 not ticked;
//   critereImport: 2 imported, 3 imported and touched, 4 imported and untouched, 5 imported
//     duplicate, 6 received by sync, 7 received by the last sync;
//   critereReference, critereWhy, critereWhyImport: 2 begins with, 3 contains, 4 equals (case and
//     accents ignored).
#include "model/MONTANT.h"

#include <QString>
#include <array>
#include <optional>

class DOCUMENT;

// Codes of the evaluation list. 6 and 7 are never produced; a criterion holds at most 17 codes.
inline constexpr long kCritereCodeDate = 0;
inline constexpr long kCritereCodeMontant = 1;
inline constexpr long kCritereCodePoste = 2;
inline constexpr long kCritereCodeCompte = 3;
inline constexpr long kCritereCodeBanque = 4;
inline constexpr long kCritereCodeCategorie = 5;
inline constexpr long kCritereCodePointe = 8;
inline constexpr long kCritereCodeTaxe = 9;
inline constexpr long kCritereCodePlacement = 10;
inline constexpr long kCritereCodeChrono = 11;
inline constexpr long kCritereCodeMoyen = 12;
inline constexpr long kCritereCodeSynonyme = 13;
inline constexpr long kCritereCodeDossier = 14;
inline constexpr long kCritereCodeReference = 15;
inline constexpr long kCritereCodeImport = 16;
inline constexpr long kCritereCodeWhy = 17;
inline constexpr long kCritereCodeWhyImport = 18;
inline constexpr int kCritereMaxCodes = 20;

class TRANSACT;

class Critere {
public:
    long nbUsedCritere = 0;
    std::array<long, kCritereMaxCodes> usedCritere {};

    QString reference;
    QString why;
    QString whyImport;
    long critereDate = 1;
    long critereMontant = 1;
    long criterePoste = 1;
    long critereCompteDebit = 1;
    long critereCompteCredit = 1;
    long critereBanqueDebit = 1;
    long critereBanqueCredit = 1;
    int critereCategorieDebit = 1;
    int critereCategorieCredit = 1;
    long critereBoolCompte = 2;
    long critereBoolBanque = 2;
    long critereBoolCategorie = 2;
    long criterePointe = 1;
    long critereTaxe = 1;
    long criterePlacement = 1;
    long critereChrono = 1;
    long critereMoyen = 1;
    long critereSynonyme = 1;
    long critereDossier = 1;
    long critereReference = 1;
    long critereWhy = 1;
    long critereWhyImport = 1;
    long critereReleve = 1;
    long critereImport = 1;
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
    // initWithDocument:useDefault:.
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
    void setImportCritere(long code);
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
    static Critere makeImportCritere(long code, const DOCUMENT* doc);
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
    // The horizon up to which future occurrences are searched: date1 for dates 2 to 4, date2 for
    // 7; otherwise, when date is given, the latest transaction date of the document (0 without
    // one). False only for the other operators without date.
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
    void prepareForMatching();
    Prepared m_prepared;
};
