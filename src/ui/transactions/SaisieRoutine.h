#pragma once
// The entry routine: the one road by which a single transaction is created or edited. Every
// caller (the palettes, the macros, the lists, the editors of templates, the simulator, the
// import) describes its entry; the routine builds the working transaction, runs the entry window
// (FenEditSaisieController) modally and, on acceptance, stores the result in the document or
// copies it back into the caller's transaction. It answers the window's closing status:
// kSaisieCancel, kSaisieOK, kSaisieImportAll or kSaisieStopImport.
#include "engines/SaisieEntry.h"
#include "toolkit/host/WindowData.h"

#include <QMetaType>
#include <QRect>

#include <memory>

class StdWindowController;

using SaisieDataPtr = std::shared_ptr<SaisieData>;
Q_DECLARE_METATYPE(SaisieDataPtr)

// The window data of an entry window: the key "saisie" holds the SaisieData.
WindowDataPtr makeSaisieWindowData(const SaisieDataPtr& data);
SaisieData* saisieDataOf(const WindowDataPtr& data);

int openSaisieTransact(StdWindowController* window, const SaisieRequest& request);
// The same with the request's fields as arguments, in the order the callers give them.
int openSaisieTransact(StdWindowController* window, int fam, long synonymeID, long ident, long pos, TRANSACT* editObj,
                       const MACRO* macro, bool forReal, bool forSimul, bool forImport, bool reuseFrame, bool repeat);

// The frame where the last entry window closed (OK, Cancel, or an import button); a window
// opened with reuseFrame takes it. Invalid until a first entry window closed.
QRect& rememberedSaisieFrame();
