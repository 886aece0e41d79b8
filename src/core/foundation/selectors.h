#pragma once
// The operations broadcast to the windows. A window controller takes part by defining a slot or
// Q_INVOKABLE method of that name taking (QVariant, QVariant), (QVariant) or nothing.
namespace Sel {
// A number holding the transaction's position or ident, then a boolean number.
inline constexpr char MAKE_TRANSACT[] = "MAKE_TRANSACT";
inline constexpr char DELETE_TRANSACT[] = "DELETE_TRANSACT";
inline constexpr char REPLACE_TRANSACT[] = "REPLACE_TRANSACT";
// A batch of changes told at once (TransactBatch): a list of positions, in the order of the
// changes, then for the replacements the keep-selection flag of the last.
inline constexpr char didReplaceTransactAtIndexes[] = "didReplaceTransactAtIndexes";
inline constexpr char didDeleteTransactAtIndexes[] = "didDeleteTransactAtIndexes";
// The object concerned, then nothing.
inline constexpr char ASSUME_BOUND[] = "ASSUME_BOUND";

// Notifications: the object concerned (a record, an ident or a slot number, or nothing), then
// nothing.
inline constexpr char banqueHasBeenEdited[] = "banqueHasBeenEdited";
inline constexpr char chronoDidChange[] = "chronoDidChange";
inline constexpr char compteHasBeenCreated[] = "compteHasBeenCreated";
inline constexpr char compteHasBeenDeleted[] = "compteHasBeenDeleted";
inline constexpr char compteHasBeenEdited[] = "compteHasBeenEdited";
inline constexpr char didAwakeFile[] = "didAwakeFile";
inline constexpr char didChangeDeviseConfiguration[] = "didChangeDeviseConfiguration";
inline constexpr char didChangeMarkImport[] = "didChangeMarkImport";
inline constexpr char didChangePointeTransact[] = "didChangePointeTransact";
inline constexpr char didChangePoste[] = "didChangePoste";
inline constexpr char didCreateCompteFromMenu[] = "didCreateCompteFromMenu";
inline constexpr char didCreateCompteHistorique[] = "didCreateCompteHistorique";
inline constexpr char didPasteTransactAtIndexes[] = "didPasteTransactAtIndexes";
inline constexpr char didTouchLockReleve[] = "didTouchLockReleve";
inline constexpr char didUpdateDevise[] = "didUpdateDevise";
inline constexpr char didUpdateTitres[] = "didUpdateTitres";
inline constexpr char downAlphaIfNotEquals[] = "downAlphaIfNotEquals";
inline constexpr char empruntHasBeenCreated[] = "empruntHasBeenCreated";
inline constexpr char empruntHasBeenDeleted[] = "empruntHasBeenDeleted";
inline constexpr char empruntHasBeenModified[] = "empruntHasBeenModified";
inline constexpr char listingWillClose[] = "listingWillClose";
inline constexpr char newDevisePrincipale[] = "newDevisePrincipale";
inline constexpr char notifyAnalyseChange[] = "notifyAnalyseChange";
inline constexpr char notifyAnalyseDelete[] = "notifyAnalyseDelete";
inline constexpr char notifyAnalyseRename[] = "notifyAnalyseRename";
inline constexpr char notifyDidSynchonize[] = "notifyDidSynchonize";
inline constexpr char notifyHardDepointer[] = "notifyHardDepointer";
inline constexpr char notifyNewDay[] = "notifyNewDay";
inline constexpr char notifyNewEcheancier[] = "notifyNewEcheancier";
inline constexpr char notifyNewEmprunt[] = "notifyNewEmprunt";
inline constexpr char notifyPosteDeleted[] = "notifyPosteDeleted";
inline constexpr char preferencesDidChange[] = "preferencesDidChange";
inline constexpr char remunereHasBeenCreated[] = "remunereHasBeenCreated";
inline constexpr char remunereHasBeenDeleted[] = "remunereHasBeenDeleted";
inline constexpr char remunereHasBeenModified[] = "remunereHasBeenModified";
inline constexpr char titreHasBeenCreated[] = "titreHasBeenCreated";
inline constexpr char titreHasBeenDeleted[] = "titreHasBeenDeleted";
inline constexpr char titreHasBeenModified[] = "titreHasBeenModified";
inline constexpr char upAlpha[] = "upAlpha";
inline constexpr char willDeleteCompte[] = "willDeleteCompte";

// Sent with no arguments.
inline constexpr char COMPUTE_ANALYSE_NOTIFICATION[] = "COMPUTE_ANALYSE_NOTIFICATION";
inline constexpr char REBUILD_LIST[] = "REBUILD_LIST";
inline constexpr char DID_CHANGE_TRANSACT[] = "DID_CHANGE_TRANSACT";
inline constexpr char DID_CREATE_CHRONO[] = "DID_CREATE_CHRONO";
inline constexpr char DID_DELETE_CHRONO[] = "DID_DELETE_CHRONO";
inline constexpr char DID_APPLY_REGLE[] = "DID_APPLY_REGLE";
inline constexpr char UPDATE_AVENIR[] = "UPDATE_AVENIR";
inline constexpr char didVerifyDocument[] = "didVerifyDocument";
inline constexpr char didChangeScreen[] = "didChangeScreen";
inline constexpr char periodicAction[] = "periodicAction";
} // namespace Sel
