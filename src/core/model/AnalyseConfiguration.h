#pragma once
// What an analysis or a budget covers: its period, the tax mode, the categories, folders,
// accounts and banks that count, whether internal transfers count, and which rows and columns
// the table shows. The document keeps an ordered list of named configurations (anadefHdl); its
// position 0 is the default configuration. Windows never compute on a configuration of the list:
// they take a copy.
#include <QList>
#include <QString>

class DOCUMENT;
class QObject;

// Tax modes.
inline constexpr int kFiscaliteTTC = 0; // amounts with tax
inline constexpr int kFiscaliteHT = 1; // amounts before tax
inline constexpr int kFiscaliteTaxe = 2; // the tax alone
// Selection modes of categories (modePoste) and accounts (modeCompte).
inline constexpr int kSelectionAll = 0;
inline constexpr int kSelectionOnly = 1;
inline constexpr int kSelectionAllBut = 2;
// Date modes.
inline constexpr int kModeDateGiven = 0;
inline constexpr int kModeDateNoLimit = 1;
inline constexpr int kModeDateThisYear = 2;
inline constexpr int kModeDateThisMonth = 3;

// The longest period an analysis computes, in calendar months.
inline constexpr long kAnalyseMaxMonths = 200;

using AnaIdentList = QList<long>;

class AnalyseConfiguration {
public:
    // A plain configuration is empty: every flag off, every mode 0, no dates, compteID 0.
    // Every way of making one then applies anaConfigSetDefaults or sets every field.
    bool showPoste = false; // category rows
    bool showDossier = false; // folder rows
    bool showVirInt = false; // count transfers between two analysed accounts
    bool showMonth = false; // one column per month
    bool forceMonth = false; // widen the period to whole months (date modes 1 to 3)
    int fiscalite = kFiscaliteTTC;
    int modePoste = kSelectionAll;
    int modeCompte = kSelectionAll;
    int modeDate = kModeDateGiven;
    QString nom;
    double date1 = 0; // first instant of the period
    double date2 = 0; // last instant of the period
    long compteID = 0; // reference account; -1 all of the user's accounts
    AnaIdentList postesArray; // categories for modePoste 1 and 2
    AnaIdentList dossiersArray; // folders for modePoste 1 and 2 (a category also matches through its folder)
    AnaIdentList banquesArray; // banks for modeCompte 1 and 2 (an account also matches through its bank)
    AnaIdentList comptesArray; // accounts for modeCompte 1 and 2

    // Calendar months from date1's month to date2's month, both counted.
    long numberOfMonths() const;
    // A period longer than kAnalyseMaxMonths can't be computed: the configuration falls back to
    // this year (its dates recomputed for the document) and the user is told, on the window
    // when one is given. False when it had to fall back. The period counted is the one a layout
    // would use now (anaConfigUpdateDates without the all-transactions option).
    bool assumeValideConfiguration(const DOCUMENT* doc, QObject* window = nullptr);
};
using AnalyseConfigList = QList<AnalyseConfiguration>;

// The defaults of a new configuration, named after "POPUP_ANALYSE_EMPTY", with its dates
// computed for the document (which may be null).
void anaConfigSetDefaults(const DOCUMENT* doc, AnalyseConfiguration& conf);
// date1 and date2 from the date mode: this month or this year up to now, all the document's
// transactions (mode 1, and mode 0 when allTransactions is set), else the stored dates. Outside
// mode 0 forceMonth widens them to whole months. date1 then starts its day, date2 ends its day.
void anaConfigUpdateDates(const DOCUMENT* doc, AnalyseConfiguration& conf, bool allTransactions);
// Period bounds of the analysis windows. Kind 2: 1 January of this year to now; kind 3: the
// first of this month to now; kind 1, or another kind when extremeDates is set: the first and
// last transaction dates of the document; otherwise *first and *last as given. With wholeMonths
// and a kind other than 0 the bounds widen to whole months. Finally first starts at 00:00:00 and
// last ends at 23:59:59 of its day.
void periodBoundsForKind(long kind, double* first, double* last, bool wholeMonths, bool extremeDates,
                         const DOCUMENT* doc);
AnalyseConfiguration copyAnaConfig(const AnalyseConfiguration& conf);

// ---- Lists of configurations -----------------------------------------------------------------

long anaConfigListCount(const AnalyseConfigList* list);
// Null for no list or an index outside it. The pointer lives until the list changes.
AnalyseConfiguration* anaConfigAtIndex(AnalyseConfigList* list, long index);
const AnalyseConfiguration* anaConfigAtIndex(const AnalyseConfigList* list, long index);
// The first configuration whose name is not empty and equals the name exactly; false and index 0
// when none. index may be null.
bool findAnaConfigNamed(const AnalyseConfigList* list, const QString& name, long* index);
// Null without a document.
AnalyseConfigList* getAnaDefHdl(DOCUMENT* doc);
const AnalyseConfigList* getAnaDefHdl(const DOCUMENT* doc);
// Every occurrence of the ident leaves the category (folder) list of every configuration.
void removePosteFromAnaDefs(long posteID, DOCUMENT* doc);
void removeDossierFromAnaDefs(long dossierID, DOCUMENT* doc);
// Whether two configurations compute the same table: name, tax mode, flags, reference account,
// both selection modes, date mode, the four lists in order, and the dates only in date mode 0
// (the other modes recompute them).
bool isSameAnalyseConfiguration(const AnalyseConfiguration& a, const AnalyseConfiguration& b);

// ---- The lists of one configuration (0 counts and -1 idents for no configuration) -----------------

long anaConfigNbPostes(const AnalyseConfiguration* conf);
long anaConfigNbDossiers(const AnalyseConfiguration* conf);
long anaConfigNbComptes(const AnalyseConfiguration* conf);
long anaConfigNbBanques(const AnalyseConfiguration* conf);
long anaConfigPosteAtIndex(const AnalyseConfiguration* conf, long index);
long anaConfigDossierAtIndex(const AnalyseConfiguration* conf, long index);
long anaConfigCompteAtIndex(const AnalyseConfiguration* conf, long index);
long anaConfigBanqueAtIndex(const AnalyseConfiguration* conf, long index);
AnaIdentList& anaConfigPostesArray(AnalyseConfiguration& conf);
AnaIdentList& anaConfigDossiersArray(AnalyseConfiguration& conf);
AnaIdentList& anaConfigComptesArray(AnalyseConfiguration& conf);
AnaIdentList& anaConfigBanquesArray(AnalyseConfiguration& conf);
