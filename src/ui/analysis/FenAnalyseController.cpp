#include "analysis/FenAnalyseController.h"

#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/FenTableurAnalyseController.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/IWindowDoors.h"

#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "engines/AnalyseListing.h"
#include "engines/AnalyseRecord.h"
#include "engines/AnalyseTitles.h"
#include "foundation/localized.h"
#include "foundation/numbers.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

FenAnalyseController::FenAnalyseController()
{
    setAnalyseType(AnalyseType::Analyse);
}

FenAnalyseController* openNewAnalyseWindow(DOCUMENT& doc, const QString& name, long initialMonth,
                                           std::optional<QRectF> frame, bool appear)
{
    return openAnalyseWindow<FenAnalyseController>(
        doc, AnalyseWindowOpening {name, initialMonth, frame, appear, AnalyseType::Analyse});
}

void reopenAnalysesOfDocument(DOCUMENT& doc)
{
    QString folder;
    if (getAnalyseFolderInDocument(&folder, doc.documentUrl))
        reopenMemorisedAnalyses<FenAnalyseController>(folder, doc, AnalyseType::Analyse);
}

// ---------------------------------------------------------------------------------------------
// Preferences and colours

const FenAnalyseBudgetController::SettingsFields& FenAnalyseController::settingsFields() const
{
    static const SettingsFields fields {&APPLIPARAM::colorisatorAnalyseTitre,
                                        &APPLIPARAM::colorisatorAnalyseDepense,
                                        &APPLIPARAM::colorisatorAnalyseRecette,
                                        &APPLIPARAM::colorisatorAnalyseSolde,
                                        &Colorizator::defaultColorisatorAnalyseTitre,
                                        &Colorizator::defaultColorisatorAnalyseDepense,
                                        &Colorizator::defaultColorisatorAnalyseRecette,
                                        &Colorizator::defaultColorisatorAnalyseSolde,
                                        &DOCPARAM::autoComputeAnalyse,
                                        &DOCPARAM::analyseShowEmpty};
    return fields;
}

void FenAnalyseController::RESET_TITLE()
{
    RESET_TITLE_WITH_KEY(QStringLiteral("kMisc_AnalyseParPostes"));
}

QStringList FenAnalyseController::headerSubTitles() const
{
    return {localizedMisc(QStringLiteral("kMisc_AnalyseTotal")), localizedMisc(QStringLiteral("kMisc_AnalysePourcent")),
            localizedMisc(QStringLiteral("kMisc_AnalysePourcentDoss"))};
}

// ---------------------------------------------------------------------------------------------
// Computing and drawing

void FenAnalyseController::RECOMPUTE()
{
    DOCUMENT* doc = document();
    if (!doc || !myAnaFile())
        return;
    recomputeAnalyse(*myAnaFile(), myAnaMonth(), *doc, AnalyseType::Analyse, devise());
    closeListings();
    computeAnalyseTotaux(*myAnaFile(), analyseType(), devise(), myAnaMonth());
    FILTER_ANALYSE();
}

QString FenAnalyseController::getTitleForMonth(long month, bool showDevise) const
{
    const AnalyseColumn* column = month >= 1 ? analyseColumnAtIndex(*myAnaFile(), month - 1) : nullptr;
    return analyseColumnTitle(month, *myAnaFile(), devise(), showDevise, column ? column->month : 0);
}

void FenAnalyseController::analyseCellNumber(const AnalyseData& data, long devise, const DeviseList& devises,
                                             QString texts[7], QColor* balanceColour, bool colorizeTotal)
{
    auto amount = [&](const MONTANT& m) {
        return m.nullMontant() ? QString() : montantToStringForDevise(m, devise, &devises, false);
    };
    auto percent = [](double v) {
        return sameDoubleMontant(v, 0) ? QString() : doubleToStringWithDecimales(2, v).replace(u'.', u',');
    };
    texts[0] = amount(data.totDeb);
    texts[1] = percent(data.percentTotDeb);
    texts[2] = percent(data.percentDosDeb);
    texts[3] = amount(data.totCre);
    texts[4] = percent(data.percentTotCre);
    texts[5] = percent(data.percentDosCre);
    MONTANT balance;
    MONTANT::subMontant(data.totCre, data.totDeb, balance);
    texts[6] = amount(balance);
    if (balanceColour && colorizeTotal && !balance.nullMontant())
        *balanceColour = balance.negativeMontant() ? QColor::fromRgbF(0.5f, 0, 0, 1) : QColor::fromRgbF(0, 0.2f, 0, 1);
}

void FenAnalyseController::cellNumbers(const AnalyseData& data, CellAnalyseBudget& cell, bool colorizeTotal) const
{
    QString texts[7];
    QColor colour;
    analyseCellNumber(data, devise(), myAnaFile()->devises, texts, &colour, colorizeTotal);
    for (int i = 1; i <= 6; ++i)
        cell.getCellData(i)->setText(texts[i - 1]);
    cell.getCellDataSolde()->setText(texts[6]);
    if (colour.isValid()) {
        QPalette palette = cell.getCellDataSolde()->palette();
        palette.setColor(QPalette::WindowText, colour);
        cell.getCellDataSolde()->setPalette(palette);
    }
}

void FenAnalyseController::DRAW_TETE()
{
    BoxAnalyseBudgetTete* tete = boxTete();
    if (!tete || !myAnaFile())
        return;
    tete->cell_title3()->setText(getTitleForMonth(myAnaMonth(), true));
    QString texts[7];
    QColor colour;
    if (const AnalyseData* total = myAnaFile()->getAnalyseDataTotalDossierAtMonth(myAnaMonth()))
        analyseCellNumber(*total, devise(), myAnaFile()->devises, texts, &colour, true);
    for (int i = 1; i <= 6; ++i)
        tete->cell_total_dossier(i)->setText(texts[i - 1]);
    tete->cell_total_solde()->setText(texts[6]);
    if (colour.isValid()) {
        QPalette palette = tete->cell_total_solde()->palette();
        palette.setColor(QPalette::WindowText, colour);
        tete->cell_total_solde()->setPalette(palette);
    }
    colorizeTete(*tete);
}

StdCell* FenAnalyseController::viewForTableColumn1(StdTableView* table, int row)
{
    if (currentShowMode() == AnalyseShowMode::Synthese)
        return FenAnalyseBudgetController::viewForTableColumn1(table, row);
    const AnalyseData* data = currentAnalyseDataAtRowIndex(row);
    const int kind = currentLineKindAtRowIndex(row);
    if (!data || (kind != 0 && kind != 1))
        return nullptr;
    CellAnalyseBudget& cell = cellOfKind(kind);
    colorizeTableCellViewAtRow(cell, row);
    cell.getBgbox()->setFillColor(Qt::white);
    setFillBackground(&cell, table, row);
    cell.getNom()->setText(currentNameAtRowIndex(row));
    cell.getCellDataSolde()->setPalette(QPalette());
    cellNumbers(*data, cell, true);
    return &cell;
}

// ---------------------------------------------------------------------------------------------
// Listings

void FenAnalyseController::LISTING(QObject*)
{
    const int row = selectedRow();
    const AnalyseData* data = currentAnalyseDataAtRowIndex(row);
    DOCUMENT* doc = document();
    if (!canListing() || !data || !doc)
        return;
    const long ident = currentIdentAtRowIndex(row);
    Critere critere(doc, false);
    switch (currentLineKindAtRowIndex(row)) {
    case int(LineKind::Poste):
        critere.setPosteCritere(ident);
        break;
    case int(LineKind::Dossier):
        critere.setDossierCritere(ident);
        break;
    default:
        break;
    }
    TransListOpening opening;
    opening.debitID = myAnaFile()->anaDef.compteID;
    opening.mode = 1;
    opening.listing = listingForAnalyseCell(*data, critere, *doc);
    opening.critere = critere;
    opening.title = QStringLiteral("Listing Analyse - %1").arg(currentNameAtRowIndex(row));
    opening.smartGrow = true;
    opening.appear = true;
    opening.allowDepointer = false;
    opening.doc = doc;
    opening.devise = devise();
    if (IWindowDoors* doors = windowDoors())
        m_openListings.append(doors->openListing(std::move(opening)));
}

QList<StdWindowController*> FenAnalyseController::openListings() const
{
    QList<StdWindowController*> open;
    for (const QPointer<StdWindowController>& listing : m_openListings) {
        if (listing)
            open.append(listing.data());
    }
    return open;
}

void FenAnalyseController::closeListings()
{
    m_duringCloseAllListings = true;
    const QList<StdWindowController*> open = openListings();
    m_openListings.clear();
    for (StdWindowController* listing : open)
        listing->close();
    m_duringCloseAllListings = false;
}

void FenAnalyseController::listingWillClose(const QVariant& listing, const QVariant&)
{
    if (m_duringCloseAllListings)
        return;
    auto* closing = qobject_cast<StdWindowController*>(listing.value<QObject*>());
    const qsizetype index = m_openListings.indexOf(closing);
    if (index >= 0)
        m_openListings.removeAt(index);
}

void FenAnalyseController::windowWillClose()
{
    const IWindowAppDelegate* app = windowAppDelegate();
    if (!app || !app->duringCloseDocument())
        closeListings();
    FenAnalyseBudgetController::windowWillClose();
}

void FenAnalyseController::MEMORISE(const QVariant& number)
{
    const DOCUMENT* doc = document();
    QString folder;
    if (doc && getAnalyseFolderInDocument(&folder, doc->documentUrl))
        memoriseAnalyseBudget(long(number.toLongLong()), folder, QStringLiteral("analyse"));
}

void FenAnalyseController::TABLEAU_SYNTHESE(QObject*)
{
    if (myAnaFile())
        openTableurAnalyse(*myAnaFile(), devise());
}

// ---------------------------------------------------------------------------------------------
// Export

void FenAnalyseController::EXPORTER(QObject* sender)
{
    ListExporter::EXPORTER(*this, *this, sender);
}

long FenAnalyseController::EXPORTER_SIZE()
{
    return analyseExporterSize(*myAnaFile());
}

void FenAnalyseController::EXPORTER_TETE(QString& text, int format)
{
    analyseExporterTete(*myAnaFile(), myAnaMonth(), devise(), text, format);
}

void FenAnalyseController::EXPORTER_LISTE(QString& text, long index, int format)
{
    analyseExporterListe(*myAnaFile(), myAnaMonth(), devise(), index, text, format);
}

void FenAnalyseController::EXPORTER_PIED(QString& text, int format)
{
    analyseExporterPied(text, format);
}
