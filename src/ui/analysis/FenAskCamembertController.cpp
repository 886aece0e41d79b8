#include "analysis/FenAskCamembertController.h"

#include "analysis/FenAnalyseBudgetController.h"
#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/popups/PopDossier.h"

#include "engines/AnalyseTitles.h"
#include "foundation/localized.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

void FenAskCamembertController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAskCamembert"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAskCamembert_titre")));
    m_popupMontant = new QComboBox(&window);
    m_popupMontant->setObjectName(QStringLiteral("popup_montant"));
    m_popupMontant->addItem(localizedMisc(QStringLiteral("kMisc_AnalyseDepenses")), 0);
    m_popupMontant->addItem(localizedMisc(QStringLiteral("kMisc_AnalyseRecettes")), 1);
    m_fieldPeriode = new QLabel(&window);
    m_fieldPeriode->setObjectName(QStringLiteral("field_periode"));
    m_popDossier = new PopDossier(&window);
    m_popDossier->setObjectName(QStringLiteral("pop_dossier"));
    m_popDossier->setShowAllDossierOption(true);
    auto* fieldDossier = new QLabel(&window);
    fieldDossier->setObjectName(QStringLiteral("field_dossier"));
    auto* dossierRow = new QHBoxLayout;
    dossierRow->addWidget(m_popDossier);
    dossierRow->addWidget(fieldDossier, 1);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenAskCamembert_montant")), m_popupMontant);
    form->addRow(localizedAppl(QStringLiteral("FenAskCamembert_dossier")), dossierRow);
    form->addRow(localizedAppl(QStringLiteral("FenAskCamembert_periode")), m_fieldPeriode);
    QHBoxLayout* buttons = cancelOkRow(*this, window).row;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void FenAskCamembertController::willAwakeFromNib()
{
    pickers().dossierID = long(getData()->value(QStringLiteral("dossier")).toLongLong());
}

void FenAskCamembertController::FILL()
{
    m_popupMontant->setCurrentIndex(getData()->value(QStringLiteral("montant")).toInt() == 1 ? 1 : 0);
    m_fieldPeriode->setText(getData()->value(QStringLiteral("periode")).toString());
    StdWindowController::FILL();
}

bool FenAskCamembertController::READ()
{
    const bool ok = StdWindowController::READ();
    getData()->insert(QStringLiteral("montant"), m_popupMontant->currentData().toInt());
    getData()->insert(QStringLiteral("dossier"), QVariant::fromValue<qint64>(pickers().dossierID));
    return ok;
}

std::optional<Camembert> askCamembertData(FenAnalyseBudgetController* window, const AnalyseFile& file, long dossierID,
                                          long month)
{
    QString periode = localizedAppl(QStringLiteral("POPUP_ANALYSE_TOTAL"));
    if (const AnalyseColumn* column = month >= 1 ? analyseColumnAtIndex(file, month - 1) : nullptr)
        periode = monthTitleForDate(column->month);
    WindowDataPtr data = makeWindowData({{QStringLiteral("periode"), periode},
                                         {QStringLiteral("montant"), 0},
                                         {QStringLiteral("dossier"), QVariant::fromValue<qint64>(dossierID)}});
    if (StdWindowController::pushModal<FenAskCamembertController>(window, data, window->devise()) != 1)
        return std::nullopt;
    return window->newAnaCamembertData(data->value(QStringLiteral("montant")).toInt(), month,
                                       long(data->value(QStringLiteral("dossier")).toLongLong()));
}
