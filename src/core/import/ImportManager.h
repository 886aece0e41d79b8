#pragma once
// The import of bank files into an account of the open document, and the small helpers every
// list export shares. One manager for the process.
//
// A run goes: read the file's text (TextFileDecoder), parse it (ImportParser...), review the
// records, confirm, then one record per tick of the program's timer: build its transaction, offer
// it in the entry window, check it and store it. Once the user chooses to import all the rest, a
// tick takes a batch of records without windows and recomputes the statements once for them.
// A record that fails the check is never stored: the entry window is offered again with an alert
// saying why, and while importing all the record is skipped and reported with its line. The
// duplicate mark compares a record with the transactions that were in the document before the
// run, never with those the run stored itself. The document is consistent between two ticks, so
// an automatic save during a run saves what was stored so far.
//
// The windows, questions, entry routine and timer are the installed ImportServices.
#include "import/ImportConfiguration.h"
#include "import/ImportRecord.h"
#include "import/ImportServices.h"
#include "model/REGLE.h"
#include "model/TRANSACT.h"

#include <QChar>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DOCUMENT;
class ImportDuplicateIndex;

// Format codes, shared by the import and the export menus.
inline constexpr int kImportFormatTab = 0;
inline constexpr int kImportFormatCSV = 1;
inline constexpr int kImportFormatQIF = 2;
inline constexpr int kImportFormatOFX = 3;

// The application's settings a run follows, as they stand when it starts.
struct ImportSettings {
    bool reglesImport = true; // the categorisation rules complete imported transactions
    bool reglesManuel = false; // the document's own rules rather than rules learnt for the run
};

// What became of the records of the last run.
struct ImportReport {
    struct Refused {
        long line = 0; // the file line, or 0 when the record came from no line
        long record = 0; // its position in the run, from 1
        QString reasonKey; // table "Dialogue"
    };
    long stored = 0;
    long skippedByUser = 0;
    long otherSections = 0; // records of sections that hold no transactions
    std::vector<Refused> refused;
    bool stopped = false; // the user stopped the run
};

class ImportManager {
public:
    using DidImportBlock = std::function<void()>;

    static ImportManager& sharedInstance();
    // At document close: stops a run without calling its block and forgets the document's
    // configurations.
    static void goodbye();
    ImportManager(const ImportManager&) = delete;
    ImportManager& operator=(const ImportManager&) = delete;

    void installServices(const ImportServices& services) { m_services = services; }
    const ImportServices& services() const { return m_services; }

    // ---- Formats and field kinds ---------------------------------------------------------------

    static long nbImportExportFormat();
    // "?" for a code outside the formats.
    static QString getImportFormatName(long format);
    // The kind's name (table "Misc"), its group's name when asked; a null string outside 0..20.
    static QString rubriqueToString(long kind, bool useGroupName);
    static bool isRubriqueMontantWithDevise(ImportRubrique kind);
    static bool isRubriqueWithDevise(ImportRubrique kind);
    static bool isRubriqueWithCompte(ImportRubrique kind);

    // ---- The run -------------------------------------------------------------------------------

    // The entry of an import, once the user chose the file: reads it (in the encoding chosen, or
    // the one found when chosenEncoding is empty), parses it and goes on with treatParsedArray.
    // A format outside 0..3, a file that can't be read or decoded and a text that can't be
    // parsed are told in an alert. The controller is the statement window (may be null); the
    // block is called when a run ends or the user declines it, never once the controller is gone.
    void importURLWithFormat(QObject* controller, const QString& url, int format, long compteID, int devise,
                             DOCUMENT* doc, ImportSettings settings, DidImportBlock didImport,
                             const QString& chosenEncoding = QString());
    // The file's text, a null string when it can't be read or decoded (*errorKey, table
    // "Dialogue", says why). *encoding, when it names an encoding on entry, is the one to use;
    // it receives the encoding used.
    static QString importStringAtUrl(const QString& url, QString* encoding, QString* errorKey = nullptr,
                                     int format = kImportFormatCSV);
    // Runs the parser of the format on the text. False, the block never called, for a format
    // outside 0..3, a null text or a text the parser refuses (*errorKey says why).
    bool parseString(const QString& text, int format, long compteID, int devise, const QString& encoding,
                     const ImportEndBlock& endBlock, QString* errorKey) const;
    // No records: an alert. Otherwise the review, then the continue question, then the run.
    void treatParsedArray(QObject* controller, ParsedImport parsed, int format, long compteID, int devise,
                          DOCUMENT* doc, ImportSettings settings, DidImportBlock didImport);
    bool validateParsedArray(QObject* window, const ImportRecords& records, int format, long compteID,
                             int devise) const;
    // Starts the timed run; false, with an alert, while another run is going or when the
    // services it needs are missing.
    bool executeImport(QObject* controller, long compteID, ParsedImport parsed, int format, int devise, DOCUMENT* doc,
                       ImportSettings settings, DidImportBlock didImport);
    // One tick: one record, or a batch while importing all; the run ends when the records are
    // exhausted or the user stops.
    void TIMER_();
    // The record of the tick; false when the run is over.
    bool importOneFiche();
    // The rules of a run: learnt afresh from the document, or, with manual rules, the document's
    // own (learnt and stored into it first when it has none). A copy, and the settings are those
    // of the run's start: a change of preference during the run touches neither the list the run
    // uses nor the document's.
    static RegleList usedRegles(DOCUMENT* doc, bool reglesManuel);
    bool isRunning() const { return m_run != nullptr; }
    const ImportReport& lastReport() const { return m_lastReport; }

    // ---- Building a transaction from a record ---------------------------------------------------

    // A new transaction of the document from the record's fields; the categorisation rules
    // applied when given (with the manual-rules setting); importDoublon set when
    // the document holds the same transaction (through the index when given, which decides what
    // the record is compared with). *dateRead (may be null) tells whether a date field read.
    static TRANSACT extractTransactFromArrayOfRubriques(const ImportRecord& record, int format, long compteID,
                                                        int devise, const RegleList* regles, bool reglesManuel,
                                                        DOCUMENT* doc, ImportDuplicateIndex* duplicates,
                                                        bool* dateRead);
    // The record's currency slot: its first currency field naming a currency of the document,
    // else the account's, else the slot shown.
    static long extractDeviseFromArrayOfRubriques(const ImportRecord& record, long compteID, int devise,
                                                  const DOCUMENT& doc);
    // The accounts the record names as counterpart, debit and credit (the last field of each kind
    // that names an account); -1 for none.
    static void extractComptesFromArrayOfRubriques(const ImportRecord& record, long* compteContre, long* compteDebit,
                                                   long* compteCredit, const DOCUMENT& doc);
    // One field into the transaction; the texts that make the import reason are appended to memo.
    static void fillTransactWithRubrique(TRANSACT& trans, long compteID, const QString& svalue, ImportRubrique kind,
                                         long devise, QString* memo, const ImportRecord& record, const DOCUMENT& doc,
                                         bool* dateRead);
    static void fillTransactWithRubriqueMontant(TRANSACT& trans, long compteID, const QString& svalue,
                                                ImportRubrique kind, long devise, const ImportRecord& record,
                                                const DOCUMENT& doc);
    // The sign rule: a negative value is paid from the account to the counterpart, any other
    // received by the account from it; the amount is the value's size in that slot.
    static void setTransactMontantFromValue(TRANSACT& trans, double value, long devise, long compteReferenceID,
                                            long contrepartieID, const DeviseList& devises);
    static void setTransactDebiteur(TRANSACT& trans, long ident, long contrepartieID);
    static void setTransactCrediteur(TRANSACT& trans, long ident, long contrepartieID);
    // The tax of that name and its part of the transaction's amount, taken as tax included.
    static void fillTransactWithTaxe(TRANSACT& trans, const QString& svalue, const DOCUMENT& doc);
    // The import reason: separator characters at the ends dropped, the others made spaces, runs
    // of spaces made one.
    static QString cleanMemo(const QString& text);
    // Why the transaction can't be stored, as a key of table "Dialogue"; empty when it can: a
    // date read, a finite amount that is not zero, and what the core's check of a transaction
    // asks (category, cheque book or card, both accounts existing and different).
    static QString importTransactError(TRANSACT& trans, bool dateRead, DOCUMENT* doc);

    // ---- Import configurations of the open document ---------------------------------------------

    // The list of the document's configuration files, read from its folder.
    void openDocImport(const DOCUMENT* doc);
    // Adds every entry of the folder whose extension is exactly "plist", in name order.
    void scanImportConfigurations(const QString& docURL);
    void closeDocImport();
    const QStringList& allImportConfigurations() const { return m_configurations; }
    // The package's "importConfigurations" folder, created when missing; false when it can't be had.
    bool getImportConfigurationFolder(QString* url, const QString& docURL) const;
    // The first file whose name without extension is the name, case counting.
    bool findImportConfigurationWithName(const QString& name, long* index) const;
    bool isNameAvailableForImportConfiguration(const QString& name) const;
    // A name that can be a file of the folder: not empty, no "/" or NUL, no leading ".".
    static bool isValidImportConfigurationName(const QString& name);
    // True when testName is off or the name is free; otherwise an alert and false.
    bool assumeAvailableNameForImportConfiguration(QObject* window, const QString& name, bool testName) const;
    // Asks for a name until the user gives one that is valid and free (true) or cancels.
    bool askForAvailableImportConfigurationName(QObject* window, QString* name) const;
    // Asks for a name and saves under it: the name, or an empty string when nothing was saved.
    QString saveCurrentImportConfiguration(QObject* window, const ImportConfiguration& contents);
    // Writes the configuration under the name, replacing a file of that name, atomically; a new
    // file joins the list. False, with an alert, when it can't be written.
    bool saveImportConfigurationWithName(const QString& name, const ImportConfiguration& contents);
    bool replaceConfigurationWithName(const QString& name, const ImportConfiguration& contents);
    // The configuration at that position of the list and its name, its mappings to what the
    // document lacks left out; none (name empty outside the list) when it can't be read.
    std::optional<ImportConfiguration> loadConfigurationAtIndex(long index, QString* name, const DOCUMENT* doc) const;
    // Removes the file of that name and its entry; a file that can't be removed is logged and
    // leaves the list all the same.
    void deleteImportConfiguration(QObject* window, const QString& name);

private:
    struct Run;
    struct Origin;

    ImportManager();
    ~ImportManager();

    void treatParsedArrayFrom(Origin origin, ParsedImport parsed, int format, long compteID, int devise, DOCUMENT* doc,
                              ImportSettings settings);
    bool executeImportFrom(Origin origin, long compteID, ParsedImport parsed, int format, int devise, DOCUMENT* doc,
                           ImportSettings settings);
    int offerInEntryWindow(TRANSACT& trans, bool dateRead);
    void storeFiche(const TRANSACT& trans);
    void scheduleTick();
    void endRun();
    void stopRun();
    void showReport(const ImportReport& report, QObject* window) const;
    void setProgressRunning(bool running) const;
    QString configurationPath(const QString& name) const;

    ImportServices m_services;
    std::unique_ptr<Run> m_run;
    quint64 m_runGeneration = 0; // changes whenever a run starts or stops
    quint64 m_docGeneration = 0; // changes whenever the document's import state is opened or closed
    ImportReport m_lastReport;
    QString m_docUrl; // the package whose configurations are listed
    QStringList m_configurations; // their file paths
};

// ";" for CSV, TAB for every other format.
QChar exportFieldSeparator(int format);
// CR for every format.
QChar exportLineEnd(int format);
// A field made safe to stand between separators without quoting: for CSV every ";" becomes ".",
// for the other formats every TAB a space; in every format CR and LF become spaces, since a line
// break inside a field would cut its record in two.
QString exportSanitizeField(const QString& text, int format);
