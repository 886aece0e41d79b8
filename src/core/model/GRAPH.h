#pragma once
// A graph follows the money through one account, category, bank or folder, period by period.
// GRAPH is its definition (what, over which dates, drawn how, where its window stood); the
// document keeps named definitions in graphHdl ("graphdef.xml"), and one more, the current graph,
// lives in memory while a document is open. DATAGRAPH is one computed period and GRAPHFILE a
// computed graph: a header and its points.
#include "model/MONTANT.h"

#include <QList>
#include <QString>

#include <optional>

class DOCUMENT;

// What a graph follows (mode).
inline constexpr int kGraphModeCompte = 0;
inline constexpr int kGraphModePoste = 1;
inline constexpr int kGraphModeBanque = 2;
inline constexpr int kGraphModeDossier = 3;

// Frame of a window whose file holds none.
inline constexpr long kGraphDefaultLeft = 7;
inline constexpr long kGraphDefaultTop = 70;
inline constexpr long kGraphDefaultRight = 840;
inline constexpr long kGraphDefaultBottom = 420;

class GRAPH {
public:
    QString nom;
    QString titre; // drawn above the graph; rebuilt by makeGraphTitle
    QString makeDoc; // file name of the document the points were computed from
    int mode = kGraphModeCompte;
    int plotKind = 0; // 0 bars, 1 bars in relief, 2 curve, 3 curve in relief
    int totalKind = 0; // 0 the period totals, otherwise the running balance
    int timeKind = 0; // 0 a calendar month, 1 a day
    // Only the ident mode selects matters; the others are carried along.
    long compteID = -1;
    long posteID = -1;
    long banqueID = -1;
    long dossierID = -1;
    double graph_date1 = 0;
    double graph_date2 = 0;
    int modeDate = 0; // as the analyses: 0 given, 1 all transactions, 2 this year, 3 this month
    bool forceMonth = false;
    bool autoCompute = false; // kept with the definition only
    bool simul = false; // count schedule and forecast occurrences
    MONTANT soldeInit; // balance before graph_date1, set by the computation
    MONTANT maxTot; // largest absolute period total
    MONTANT maxSol; // largest absolute running balance
    double hilite_date = 0; // period selected in the window; memory only
    double makeDate = 0; // time of the last computation
    // The window's content rectangle: x, y, x + width, y + height.
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;

    // A plain record is empty; newGraph gives the defaults of a new definition.
    GRAPH() = default;
    static GRAPH newGraph(const DOCUMENT* doc);
    // Named after "POPUP_GRAPH_EMPTY", following the first account of the user's banks (the
    // document's defaults for the other modes) from 1 January to now, as bars of monthly totals
    // with the planned occurrences, computed now; the frame is left as it is.
    void defaultGraphique(const DOCUMENT* doc);
};
using GraphList = QList<GRAPH>;

class DATAGRAPH {
public:
    double when = 0; // first instant of the period
    MONTANT total; // credits minus debits of the period
    MONTANT solde; // running balance at the end of the period
};
using DataGraphList = QList<DATAGRAPH>;

class GRAPHFILE {
public:
    long version = 2;
    GRAPH header;
    DataGraphList dataArray; // in period order
};

// ---- The document's definitions ---------------------------------------------------------------

// Null without a document.
GraphList* getGraphHdl(DOCUMENT* doc);
const GraphList* getGraphHdl(const DOCUMENT* doc);
long nbGraph(const GraphList* list);
// Null for no list or an index outside it. The pointer lives until the list changes.
GRAPH* graphAtIndex(GraphList* list, long index);
const GRAPH* graphAtIndex(const GraphList* list, long index);
// The first definition whose name is not empty and equals the name exactly; false and -1 when
// none. index may be null.
bool findGraphByName(const GraphList* list, const QString& name, long* index);
// Every field, the highlighted period included.
bool copyGraphDef(const GRAPH& source, GRAPH& destination);
// Whether both show the same data: name, mode, the three kinds, the ident the mode selects, the
// date mode, forceMonth, simul, and the dates only in date mode 0. Title, document, frame,
// amounts and autoCompute are not compared.
bool isSameGraphDef(const GRAPH& a, const GRAPH& b);
// The header's title: what it follows, the followed entity's name in quotes and both dates.
void makeGraphTitle(GRAPHFILE& file, const DOCUMENT* doc);
void disposeGraphDefs(GraphList& list);

// ---- Points of a computed graph ----------------------------------------------------------------

long graphFileDataCount(const GRAPHFILE& file);
// 1-based: index 1 is the first point. Null outside the points.
const DATAGRAPH* graphFileDataAtIndex(long index, const GRAPHFILE& file);

// ---- The current graph of the open document ----------------------------------------------------

// A new definition with the document's defaults, replacing any other.
void initCurrentGraph(const DOCUMENT* doc);
void disposeCurrentGraph();
// Null while no document is open.
GRAPH* currentGraph();
