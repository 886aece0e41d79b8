#include "graphs/FenEditGraphiqueParamController.h"

#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/popups/tagcombos.h"

#include "foundation/localized.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

} // namespace

void FenEditGraphiqueParamController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditGraphiqueParam"));
    window.setWindowTitle(appl("FenEditGraphiqueParam_titre"));
    auto* grid = new QGridLayout;
    buildFormat(window, *grid, true);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addLayout(grid);
    layout->addLayout(buildButtons(window));
}

void FenEditGraphiqueParamController::buildFormat(QWidget& parent, QGridLayout& grid, bool withTitle)
{
    m_popupType = tagCombo(parent, "popup_type",
                           {{appl("POPUP_TYPE_GRAPHIQUE_HISTO_SIMPLE"), 0},
                            {appl("POPUP_TYPE_GRAPHIQUE_HISTO_RELIEF"), 1},
                            {appl("POPUP_TYPE_GRAPHIQUE_COURBE_SIMPLE"), 2},
                            {appl("POPUP_TYPE_GRAPHIQUE_COURBE_RELIEF"), 3}});
    m_popupTotaux
        = tagCombo(parent, "popup_totaux", {{appl("POPUP_TOTAUX_PERIODE"), 0}, {appl("POPUP_TOTAUX_CUMUL"), 1}});
    const int row = grid.rowCount();
    grid.addWidget(new QLabel(appl("FenEditGraphiqueParam_type"), &parent), row, 0);
    grid.addWidget(m_popupType, row, 1);
    grid.addWidget(new QLabel(appl("FenEditGraphiqueParam_totaux"), &parent), row + 1, 0);
    grid.addWidget(m_popupTotaux, row + 1, 1);
    if (!withTitle)
        return;
    m_fieldTitre = new QLineEdit(&parent);
    m_fieldTitre->setObjectName(QStringLiteral("field_titre"));
    m_fieldTitre->setMinimumWidth(320);
    grid.addWidget(new QLabel(appl("FenEditGraphiqueParam_titreGraphique"), &parent), row + 2, 0);
    grid.addWidget(m_fieldTitre, row + 2, 1);
}

QLayout* FenEditGraphiqueParamController::buildButtons(QWidget& parent)
{
    const CancelOkRow buttons = cancelOkRow(*this, parent);
    buttons.cancel->setObjectName(QStringLiteral("but_NON"));
    buttons.ok->setObjectName(QStringLiteral("but_OK"));
    return buttons.row;
}

void FenEditGraphiqueParamController::willAwakeFromNib()
{
    m_header = getData()->value(QStringLiteral("header")).value<GRAPH>();
    StdWindowController::willAwakeFromNib();
}

void FenEditGraphiqueParamController::FILL()
{
    selectComboTag(m_popupTotaux, m_header.totalKind);
    selectComboTag(m_popupType, m_header.plotKind);
    if (m_fieldTitre)
        m_fieldTitre->setText(m_header.titre);
    StdWindowController::FILL();
}

QWidget* FenEditGraphiqueParamController::initialFirstResponder() const
{
    return m_fieldTitre;
}

bool FenEditGraphiqueParamController::READ()
{
    StdWindowController::READ();
    m_header.totalKind = comboTag(m_popupTotaux);
    m_header.plotKind = comboTag(m_popupType);
    if (m_fieldTitre)
        m_header.titre = m_fieldTitre->text();
    return true;
}

void FenEditGraphiqueParamController::writeBack()
{
    getData()->insert(QStringLiteral("header"), QVariant::fromValue(m_header));
}

void FenEditGraphiqueParamController::OUI(QObject*)
{
    if (!READ())
        return;
    writeBack();
    endModal(1);
}

void FenEditGraphiqueParamController::NON(QObject*)
{
    writeBack();
    endModal(0);
}
