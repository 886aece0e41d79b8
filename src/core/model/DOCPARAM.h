#pragma once
// The settings a document keeps for itself rather than for the program ("docparam73.xml"): its
// default currency, folder, category and accounts, what the analysis, search and graph windows
// last used, its signature for the companion phone application, the manual-copy reminder and the
// windows to reopen with it.
#include "foundation/xmlmember.h"
#include "model/PARAMFEN.h"

#include <QString>
#include <memory>

class DOCUMENT;

inline constexpr const char* kDocParamFileName = "docparam73.xml";

class DOCPARAM {
public:
    // A new instance holds empty texts, no windows and zero elsewhere; defaultDocParam gives the
    // settings of a new document.
    long echInactive = 0; // openings left during which due schedules are not proposed after a closing
    long defaultDevise = 0; // currency slot amounts are shown in
    long defaultDossier = 0;
    long defaultPoste = 0; // also given to transactions whose category is missing
    long defaultCompte = 0;
    long defaultCompteUser = 0; // -1 = none chosen
    long defaultCompteHistorique = 0; // -1 = not created yet
    QString lastConfAnalyse;
    QString lastConfRecherche;
    QString lastGraphique;
    long lastAnalyseAnalyseMonth = 0;
    long docSignature = 0; // identifies the document to the companion phone application
    bool docSignatureIsNew = false; // the signature has been redrawn once
    double lastSynchro = 0; // 0 = never
    bool multidevise = false;
    int chronoFilter = 0;
    long currentRechercheTab = 0; // not stored
    bool autoComputeAnalyse = false;
    bool autoComputeBudget = false;
    bool autoComputeGraphique = false;
    double lastManualSave = 0; // last manual copy, or last "ignore" of the reminder
    bool lastManualSaveStarted = false;
    long lastAnalyseDevise = 0;
    bool analyseShowEmpty = false;
    bool budgetShowEmpty = false;
    ParamFenList documentWindows;

    // The settings of a document that has none yet.
    void defaultDocParam();
    // Everything it holds is released with it; called where a document is disposed of.
    void disposeDocParam() { }

    // The parameters of the package, or the defaults when its file is missing or unreadable, which
    // is not an error: error is always cleared. A date that can't be read takes its default and
    // is noted on issues (may be null).
    static std::unique_ptr<DOCPARAM> loadDocParam(const QString& package, bool* error, LoadIssues* issues = nullptr);
    // The file's XML (also what the phone is sent). error is set when the document can't be made
    // (the answer is then null) or the window list can't be appended.
    XmlDocPtr makeDocParamXML(bool* error) const;
    // False only when no document was made or the write failed.
    bool saveDocParam(const QString& package) const;
    // Draws a new signature the first time only, and writes the parameters into the document's
    // package at once; without a package, the signature waits in memory for the next save.
    void updateSignatureIfNecessary(const QString& package);

    // A document's defaults, answered also for a document without parameters or no document.
    static long getDefaultDossier(const DOCUMENT* doc); // 1 without parameters
    static long getDefaultPoste(const DOCUMENT* doc); // 1 without parameters
    static long getDefaultCompte(const DOCUMENT* doc); // 3 without parameters
    static long getDefaultCompteUser(const DOCUMENT* doc); // -1 without parameters
    // The first of the user's banks, else the first bank; -1 when none.
    static long getDefaultBanque(const DOCUMENT* doc);
    // The history account, made on first request and remembered; -1 (and another try at the next
    // request) while the document has no account 5 to take its bank from.
    static long getDefaultCompteHistorique(DOCUMENT* doc);
    // A new account "Historique" in the bank of account 5, announced to the windows; -1 without
    // account 5.
    static long createCompteHistorique(DOCUMENT* doc);
};
