#include "analysis/AnalyseWindowKind.h"

#include "document/APPLIPARAM.h"
#include "engines/AnalyseTitles.h"
#include "model/DOCPARAM.h"
#include "model/GraphFile.h"

const AnalyseWindowKind& analyseWindowKind(AnalyseType type)
{
    switch (type) {
    case AnalyseType::Analyse: {
        static const AnalyseWindowKind analyse {
            &APPLIPARAM::colorisatorAnalyseTitre,
            &APPLIPARAM::colorisatorAnalyseDepense,
            &APPLIPARAM::colorisatorAnalyseRecette,
            &APPLIPARAM::colorisatorAnalyseSolde,
            &Colorizator::defaultColorisatorAnalyseTitre,
            &Colorizator::defaultColorisatorAnalyseDepense,
            &Colorizator::defaultColorisatorAnalyseRecette,
            &Colorizator::defaultColorisatorAnalyseSolde,
            &DOCPARAM::autoComputeAnalyse,
            &DOCPARAM::analyseShowEmpty,
            "kMisc_AnalyseParPostes",
            {"kMisc_AnalyseTotal", "kMisc_AnalysePourcent", "kMisc_AnalysePourcentDoss"},
            &getAnalyseFolderInDocument,
            "analyse",
            &analyseColumnTitle,
            &analyseExporterSize,
            &analyseExporterTete,
            &analyseExporterListe,
            &analyseExporterPied,
        };
        return analyse;
    }
    case AnalyseType::Budget: {
        static const AnalyseWindowKind budget {
            &APPLIPARAM::colorisatorBudgetTitre,
            &APPLIPARAM::colorisatorBudgetDepense,
            &APPLIPARAM::colorisatorBudgetRecette,
            &APPLIPARAM::colorisatorBudgetSolde,
            &Colorizator::defaultColorisatorBudgetTitre,
            &Colorizator::defaultColorisatorBudgetDepense,
            &Colorizator::defaultColorisatorBudgetRecette,
            &Colorizator::defaultColorisatorBudgetSolde,
            &DOCPARAM::autoComputeBudget,
            &DOCPARAM::budgetShowEmpty,
            "kMisc_BudgetMensuel",
            {"kMisc_Budget_reel", "kMisc_Budget_prevu", "kMisc_Budget_ecart"},
            &getBudgetFolderInDocument,
            "budget",
            &budgetColumnTitle,
            &budgetExporterSize,
            &budgetExporterTete,
            &budgetExporterListe,
            &budgetExporterPied,
        };
        return budget;
    }
    }
    return analyseWindowKind(AnalyseType::Analyse);
}
