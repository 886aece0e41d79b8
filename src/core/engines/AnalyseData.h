#pragma once
// One cell of an analysis or budget table: the real and planned totals on each side, their
// differences, the shares of the month's total and of the folder, and what the figures came from
// (transaction positions for an analysis, metadata items for a budget). A cell is a plain value.
#include "engines/AnalyseMetadata.h"
#include "model/MONTANT.h"

#include <QList>

class AnalyseData {
public:
    MONTANT totDeb; // real debits (spending)
    MONTANT totCre; // real credits (income)
    MONTANT totDebPrev; // planned debits
    MONTANT totCrePrev; // planned credits
    MONTANT totDebDiff; // totDebPrev - totDeb
    MONTANT totCreDiff; // totCre - totCrePrev
    double percentTotDeb = 0; // share of the month's debits, in percent
    double percentTotCre = 0;
    double percentDosDeb = 0; // share of the folder's debits
    double percentDosCre = 0;
    AnalyseMetadataList metadataArray; // budget
    // Positions in the document's transaction list, ascending. They go stale when the list
    // changes before the next computation: every reader checks them against the list.
    QList<long> transArray;

    void setMetaDataToDefault() { metadataArray.clear(); }
    void setTransactsToDefault() { transArray.clear(); }
    // The real totals are both null; planned amounts are not looked at.
    bool isEmpty() const;

    // Copies with amounts, metadata and positions, but percentages at 0.
    static QList<AnalyseData> copyOfAnalyseDataArray(const QList<AnalyseData>& cells);
};
using AnalyseDataList = QList<AnalyseData>;

void analyseDataZero(AnalyseData& cell);

// The item, one field a line, to the log; the cell dump separates its items with a dashed line.
void logAnalyseMetadata(const AnalyseMetadata& item);
void logAnalyseDataMetadata(const AnalyseData& cell);
