#pragma once
// The settings of the program as a whole, as opposed to those of one document (DOCPARAM): sounds,
// animations, automatic saves and backups, list and entry options, print options, the colour
// gradients of the analysis and budget windows, the storage last shown by the document browser and
// the windows to reopen that belong to no document. They live in the preference file of the
// program's library.
//
// There is one instance for the whole run. It is never replaced: disposing of it only marks it
// stale, and the next loadAppliParam reads the file again into the same object, so a reference a
// window keeps always sees the current settings. Setting a field never saves.
#include "engines/Colorizator.h"
#include "foundation/xmlmember.h"
#include "model/PARAMFEN.h"

class APPLIPARAM {
public:
    // Every field starts at its default for a file that lacks its element.
    bool doSounds = true;
    bool doSoundsOpen = true;
    bool doSoundsClose = true;
    bool doSoundsAlert = true;
    bool doSoundsTransact = true;
    bool doAnimations = true;
    bool doRemind = true; // remember open windows and reopen them
    bool doTruc = true; // tips window when a document opens
    bool helpOn = true; // tool-tips
    bool reglesImport = true;
    bool reglesManuel = false;
    long mn = 0; // minutes between automatic saves, 0 = never
    int defaultSort = 2; // sort of listings asked for sort 0; never 0 itself
    long nbSauvNew = 10; // automatic backups kept per document
    long everyDaysManualSave = 7;
    bool notifySauv = true;
    long aVenir = 30; // days ahead that count as upcoming
    bool aVenirPrev = true;
    bool palette_aimant = true;
    bool autoSaveWhenQuit = false;
    bool informSynchro = true;
    bool acceptNotSynchro = false;
    bool svOptionFondsColores = false;
    bool svOptionTextesColores = false;
    bool svOptionAddBorders = true;
    bool svOptionPrintImages = true;
    float svOptionMargeLeft = 70; // points
    float svOptionMargeTop = 50;
    float svOptionMargeRight = 70;
    float svOptionMargeBottom = 50;
    long svOptionGroupees = 0;
    float svOptionEchelle = 100; // percent
    bool automaticHeight = true;
    bool flouter = true;
    int lastFileSystemUsed = 1; // 0 the cloud, 1 the user's Documents folder
    int optionSaisieDate = 0;
    int optionSaisieRubrique = 0; // 0 date, 1 amount, 2 category, 3 debit account, 4 reference
    bool optionSaisieQuick = false;
    Colorizator colorisatorAnalyseTitre = Colorizator::defaultColorisatorAnalyseTitre();
    Colorizator colorisatorAnalyseDepense = Colorizator::defaultColorisatorAnalyseDepense();
    Colorizator colorisatorAnalyseRecette = Colorizator::defaultColorisatorAnalyseRecette();
    Colorizator colorisatorAnalyseSolde = Colorizator::defaultColorisatorAnalyseSolde();
    Colorizator colorisatorBudgetTitre = Colorizator::defaultColorisatorBudgetTitre();
    Colorizator colorisatorBudgetDepense = Colorizator::defaultColorisatorBudgetDepense();
    Colorizator colorisatorBudgetRecette = Colorizator::defaultColorisatorBudgetRecette();
    Colorizator colorisatorBudgetSolde = Colorizator::defaultColorisatorBudgetSolde();
    ParamFenList applicationWindows;
    // The web-quote service: the address every query starts with (up to "q="), the address of its
    // table store and the provider's page. Empty by default: no request leaves the program until
    // the user names a service.
    QString quoteRootPath;
    QString quoteTableStore;
    QString quoteProviderPage;

    // Reads the preference file once, at start-up.
    static void initAppliParam();
    // The shared instance, read from the preference file on the first call after start or after
    // a dispose. Never fails: without a readable file every setting takes its default and the
    // file is written at once (an unreadable file is first kept aside as "<file>.bad").
    static APPLIPARAM& loadAppliParam();
    // Writes the shared instance to the preference file; false when nothing was written.
    static bool saveAppliParam();
    // Drops unsaved changes: the next loadAppliParam reads the file again.
    static void disposeAppliParam();

    // The rules a typed or read value goes through before it is used: a number of days ahead or
    // between manual copies is at least 1 or 0 (off); the backups kept are 0..100 (the backup
    // routine keeps at most 50 of them, whatever is stored); automatic saves are at least 5
    // minutes apart (1..4 becomes 5), 0 meaning never.
    static long aVenirRule(long value);
    static long nbSauvNewRule(long value);
    static long mnRule(long value);
    static long everyDaysManualSaveRule(long value);
    // Values no window could set (a file written by hand or by another program) brought into
    // range: no negative number of days or minutes, 0..100 backups, a sort of the listings' sorts
    // and entry options the entry window knows. Every reading of the file goes through it.
    void keepInRange();
    // keepInRange, then the window's rules for what it did not check (automatic saves at least 5
    // minutes apart); true when a value changed. An imported file goes through it before use.
    bool applyReadBackRules();

    // The preference file's XML; error is set when the document can't be made (null answer) or
    // when a gradient or the window list could not be appended (the document is answered anyway).
    XmlDocPtr makeDocAppliParamXML(bool* error) const;
};
