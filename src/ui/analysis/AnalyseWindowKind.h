#pragma once
// What sets the analysis window and the budget window apart where their logic is one: where each
// keeps its settings, how it titles itself and its columns, where its open windows are memorised
// and how its figures are exported.
#include "engines/AnalyseFile.h"
#include "engines/Colorizator.h"

#include <QString>

class APPLIPARAM;
class DOCPARAM;

struct AnalyseWindowKind {
    // The four gradients among the application's parameters, each with its default.
    Colorizator APPLIPARAM::*tete;
    Colorizator APPLIPARAM::*depense;
    Colorizator APPLIPARAM::*recette;
    Colorizator APPLIPARAM::*solde;
    Colorizator (*defaultTete)();
    Colorizator (*defaultDepense)();
    Colorizator (*defaultRecette)();
    Colorizator (*defaultSolde)();
    // The automatic computing and empty-rows flags among the document's parameters.
    bool DOCPARAM::*autoCompute;
    bool DOCPARAM::*showEmpty;
    // Keys of the Misc table: the window's title, then the three titles under the expenses and
    // under the income.
    const char* titleKey;
    const char* subTitleKeys[3];
    // The document's folder of memorised windows, and the generic name of their records.
    bool (*memoryFolder)(QString* url, const QString& docURL);
    const char* memoryName;
    QString (*columnTitle)(long month, const AnalyseFile& file, long devise, bool showUnit, double monthDate);
    long (*exporterSize)(const AnalyseFile& file);
    void (*exporterTete)(const AnalyseFile& file, long month, long devise, QString& text, int format);
    void (*exporterListe)(const AnalyseFile& file, long month, long devise, long row, QString& text, int format);
    void (*exporterPied)(QString& text, int format);
};

const AnalyseWindowKind& analyseWindowKind(AnalyseType type);
