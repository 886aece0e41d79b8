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
    reopenMemorisedAnalyses<FenAnalyseController>(doc, AnalyseType::Analyse);
}

// ---------------------------------------------------------------------------------------------
// Figures

FenAnalyseBudgetController::CellTexts FenAnalyseController::analyseCellNumber(const AnalyseData& data, long devise,
                                                                              const DeviseList& devises,
                                                                              bool colorizeTotal)
{
    auto amount = [&](const MONTANT& m) {
        return m.nullMontant() ? QString() : montantToStringForDevise(m, devise, &devises, false);
    };
    auto percent = [](double v) {
        return sameDoubleMontant(v, 0) ? QString() : doubleToStringWithDecimales(2, v).replace(u'.', u',');
    };
    CellTexts cells;
    cells.texts[0] = amount(data.totDeb);
    cells.texts[1] = percent(data.percentTotDeb);
    cells.texts[2] = percent(data.percentDosDeb);
    cells.texts[3] = amount(data.totCre);
    cells.texts[4] = percent(data.percentTotCre);
    cells.texts[5] = percent(data.percentDosCre);
    MONTANT balance;
    MONTANT::subMontant(data.totCre, data.totDeb, balance);
    cells.texts[6] = amount(balance);
    if (colorizeTotal && !balance.nullMontant())
        cells.colours[6]
            = balance.negativeMontant() ? QColor::fromRgbF(0.5f, 0, 0, 1) : QColor::fromRgbF(0, 0.2f, 0, 1);
    return cells;
}

FenAnalyseBudgetController::CellTexts FenAnalyseController::figureTexts(const AnalyseData& data,
                                                                        bool colorizeTotal) const
{
    return analyseCellNumber(data, devise(), myAnaFile()->devises, colorizeTotal);
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

void FenAnalyseController::figuresRecomputed()
{
    closeListings();
}

void FenAnalyseController::windowWillClose()
{
    const IWindowAppDelegate* app = windowAppDelegate();
    if (!app || !app->duringCloseDocument())
        closeListings();
    FenAnalyseBudgetController::windowWillClose();
}

void FenAnalyseController::TABLEAU_SYNTHESE(QObject*)
{
    if (myAnaFile())
        openTableurAnalyse(*myAnaFile(), devise());
}
