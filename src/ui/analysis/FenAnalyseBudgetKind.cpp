// What the analysis and budget windows take from their kind (AnalyseWindowKind): where their
// settings are kept, their titles, the engine's run, their memory and their export.
#include "analysis/FenAnalyseBudgetController.h"

#include "toolkit/drawing/geometry.h"

#include "document/APPLIPARAM.h"
#include "engines/AnalyseRecord.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

// ---------------------------------------------------------------------------------------------
// The window's settings

Colorizator FenAnalyseBudgetController::colorizatorTete() const
{
    return APPLIPARAM::loadAppliParam().*windowKind().tete;
}

Colorizator FenAnalyseBudgetController::colorizatorDepense() const
{
    return APPLIPARAM::loadAppliParam().*windowKind().depense;
}

Colorizator FenAnalyseBudgetController::colorizatorRecette() const
{
    return APPLIPARAM::loadAppliParam().*windowKind().recette;
}

Colorizator FenAnalyseBudgetController::colorizatorSolde() const
{
    return APPLIPARAM::loadAppliParam().*windowKind().solde;
}

void FenAnalyseBudgetController::setColorizatorsToDefault()
{
    const AnalyseWindowKind& kind = windowKind();
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    parameters.*kind.tete = kind.defaultTete();
    parameters.*kind.depense = kind.defaultDepense();
    parameters.*kind.recette = kind.defaultRecette();
    parameters.*kind.solde = kind.defaultSolde();
}

bool* FenAnalyseBudgetController::documentFlag(bool DOCPARAM::*field) const
{
    DOCUMENT* doc = document();
    return doc && doc->docParam ? &((*doc->docParam).*field) : nullptr;
}

bool FenAnalyseBudgetController::getPreferenceAutoCompute() const
{
    const bool* flag = documentFlag(windowKind().autoCompute);
    return flag && *flag;
}

void FenAnalyseBudgetController::savePreferenceAutoCompute(bool on)
{
    if (bool* flag = documentFlag(windowKind().autoCompute))
        *flag = on;
}

bool FenAnalyseBudgetController::getPreferenceShowEmpty() const
{
    const bool* flag = documentFlag(windowKind().showEmpty);
    return flag && *flag;
}

void FenAnalyseBudgetController::savePreferenceShowEmpty(bool on)
{
    if (bool* flag = documentFlag(windowKind().showEmpty))
        *flag = on;
}

// ---------------------------------------------------------------------------------------------
// Computing and titles

void FenAnalyseBudgetController::RECOMPUTE()
{
    DOCUMENT* doc = document();
    if (!doc || !myAnaFile())
        return;
    recomputeAnalyse(*myAnaFile(), myAnaMonth(), *doc, analyseType(), devise());
    figuresRecomputed();
    computeAnalyseTotaux(*myAnaFile(), analyseType(), devise(), myAnaMonth());
    FILTER_ANALYSE();
}

void FenAnalyseBudgetController::RESET_TITLE()
{
    if (StdWindow* w = windowIfLoaded()) {
        const QString title = localizedMisc(QString::fromLatin1(windowKind().titleKey));
        w->setWindowTitle(QStringLiteral("%1 - %2").arg(title, m_myAnaFile->anaDef.nom));
    }
}

QStringList FenAnalyseBudgetController::headerSubTitles() const
{
    QStringList titles;
    for (const char* key : windowKind().subTitleKeys)
        titles.append(localizedMisc(QString::fromLatin1(key)));
    return titles;
}

QString FenAnalyseBudgetController::getTitleForMonth(long month, bool showDevise) const
{
    const AnalyseColumn* column = month >= 1 ? analyseColumnAtIndex(*myAnaFile(), month - 1) : nullptr;
    return windowKind().columnTitle(month, *myAnaFile(), devise(), showDevise, column ? column->month : 0);
}

// ---------------------------------------------------------------------------------------------
// Memory and export

void FenAnalyseBudgetController::MEMORISE(const QVariant& number, const QString& package)
{
    QString folder;
    if (!windowKind().memoryFolder(&folder, package))
        return;
    const QString name
        = QStringLiteral("%1%2.xml").arg(QString::fromLatin1(windowKind().memoryName)).arg(number.toLongLong());
    if (StdWindow* w = windowIfLoaded())
        m_myAnaFile->frame = toScreenBottomLeft(w->geometry());
    else
        m_myAnaFile->frame = QRectF();
    memoriseAnalyseFile(*m_myAnaFile, folder, name);
}

void FenAnalyseBudgetController::EXPORTER(QObject* sender)
{
    ListExporter::EXPORTER(*this, *this, sender);
}

long FenAnalyseBudgetController::EXPORTER_SIZE()
{
    return windowKind().exporterSize(*myAnaFile());
}

void FenAnalyseBudgetController::EXPORTER_TETE(QString& text, int format)
{
    windowKind().exporterTete(*myAnaFile(), myAnaMonth(), devise(), text, format);
}

void FenAnalyseBudgetController::EXPORTER_LISTE(QString& text, long index, int format)
{
    windowKind().exporterListe(*myAnaFile(), myAnaMonth(), devise(), index, text, format);
}

void FenAnalyseBudgetController::EXPORTER_PIED(QString& text, int format)
{
    windowKind().exporterPied(text, format);
}
