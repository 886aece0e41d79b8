// The rows and header of the analysis and budget windows: the rows of one period, the synthesis
// view's lines, the figures and colours of rows and header, and the pie chart of the selection.
#include "analysis/FenAnalyseBudgetController.h"

#include "analysis/BoxAnalyseBudgetTete.h"
#include "analysis/Camembert.h"
#include "analysis/ColorAccessoryViewController.h"
#include "analysis/FenAskCamembertController.h"
#include "analysis/FenCamembertController.h"
#include "analysis/PopPeriode.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/popups/StdMenu.h"

#include "document/APPLIPARAM.h"
#include "engines/AnalyseTitles.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QMenu>
#include <QMouseEvent>

namespace {

QColor toColor(const SVColor& c)
{
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Synthesis view

void FenAnalyseBudgetController::GLOBAL_VIEW(QObject*)
{
    m_popPeriode->GOTO_TAG(PopPeriode::kTagGlobal);
    m_currentShowMode = AnalyseShowMode::Synthese;
    m_myAnaMonth = 0;
    m_oldAnaFile = nullptr;
    if (!m_myAnaFile->anaDef.showMonth) {
        // A configuration without months is shown month by month from a copy that has them.
        AnalyseConfiguration byMonth = copyAnaConfig(m_myAnaFile->anaDef);
        byMonth.showMonth = true;
        if (AnalyseFilePtr file = buildFile(byMonth)) {
            m_oldAnaFile = m_myAnaFile;
            m_myAnaFile = file;
            m_popPeriode->setAnaFile(m_myAnaFile.get());
            RECOMPUTE();
        }
    }
    computeSynthese();
    reloadAll();
    DRAW_TETE();
    adjustHeight(false);
}

void FenAnalyseBudgetController::computeSynthese()
{
    m_lineSyntheseEntries.clear();
    for (long m = 1; m <= analyseNumberOfColumns(*m_myAnaFile); ++m) {
        computeAnalyseTotaux(*m_myAnaFile, m_analyseType, devise(), m);
        LineSynthese line;
        line.kind = LineKind::Mois;
        line.title = getTitleForMonth(m, false);
        if (const AnalyseData* total = m_myAnaFile->getAnalyseDataTotalDossierAtMonth(m))
            line.analyseData = *total;
        line.month = m;
        m_lineSyntheseEntries.append(line);
    }
}

void FenAnalyseBudgetController::OPEN_GLOBAL_VIEW(QObject* sender)
{
    const auto* button = qobject_cast<QAbstractButton*>(sender);
    const int row = sender ? sender->property("tag").toInt() : -1;
    if (!button || row < 0 || row >= m_lineSyntheseEntries.size())
        return;
    const LineSynthese& line = m_lineSyntheseEntries.at(row);
    if (line.kind != LineKind::Mois)
        return;
    if (line.opened && !button->isChecked())
        closeSyntheseAtRowInIndex(row);
    else if (!line.opened && button->isChecked())
        openSyntheseAtRowInIndex(row);
}

void FenAnalyseBudgetController::openSyntheseAtRowInIndex(int row)
{
    if (row < 0 || row >= m_lineSyntheseEntries.size())
        return;
    LineSynthese& line = m_lineSyntheseEntries[row];
    line.opened = true;
    const long month = line.month;
    computeAnalyseTotaux(*m_myAnaFile, m_analyseType, devise(), month);
    QList<LineSynthese> inserted;
    for (long r = 0; r < analyseNumberOfRows(*m_myAnaFile); ++r) {
        const AnalyseData* data = m_myAnaFile->getAnalyseDataAtRow(r, month);
        if (!data || data->isEmpty())
            continue;
        const AnalyseRow& fileRow = m_myAnaFile->rows.at(r);
        LineSynthese sub;
        sub.kind = fileRow.kind == AnalyseRowKind::Dossier ? LineKind::Dossier : LineKind::Poste;
        sub.title = fileRow.nom;
        sub.analyseData = *data;
        sub.month = month;
        sub.ident = fileRow.ident;
        inserted.append(sub);
    }
    for (qsizetype i = 0; i < inserted.size(); ++i)
        m_lineSyntheseEntries.insert(row + 1 + i, inserted.at(i));
    reloadAll();
    adjustHeight(false);
}

void FenAnalyseBudgetController::closeSyntheseAtRowInIndex(int row)
{
    if (row < 0 || row >= m_lineSyntheseEntries.size())
        return;
    m_lineSyntheseEntries[row].opened = false;
    while (row + 1 < m_lineSyntheseEntries.size() && m_lineSyntheseEntries.at(row + 1).kind != LineKind::Mois)
        m_lineSyntheseEntries.removeAt(row + 1);
    reloadAll();
    if (table1())
        table1()->GO(-1);
    adjustHeight(false);
}

bool FenAnalyseBudgetController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && table1() && watched == table1()->viewport()) {
        if (clickOnDisclosure(static_cast<QMouseEvent*>(event)->position().toPoint()))
            return true;
    }
    return StdWindowWithTableController::eventFilter(watched, event);
}

// The disclosure button of a month line is painted, not live: a click on its place toggles it.
bool FenAnalyseBudgetController::clickOnDisclosure(const QPoint& viewportPoint)
{
    if (m_currentShowMode != AnalyseShowMode::Synthese || viewportPoint.x() > 20)
        return false;
    const int row = table1()->rowAt(viewportPoint.y());
    if (row < 0 || row >= m_lineSyntheseEntries.size() || m_lineSyntheseEntries.at(row).kind != LineKind::Mois)
        return false;
    CellAnalyseBudget& cell = cellOfKind(int(LineKind::Mois));
    cell.buttonOpen()->setProperty("tag", row);
    cell.buttonOpen()->setChecked(!m_lineSyntheseEntries.at(row).opened);
    OPEN_GLOBAL_VIEW(cell.buttonOpen());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Rows

StdCell* FenAnalyseBudgetController::viewForTableColumn1(StdTableView* table, int row)
{
    if (m_currentShowMode == AnalyseShowMode::Classic)
        return fillClassicRow(table, row);
    if (row < 0 || row >= m_lineSyntheseEntries.size())
        return nullptr;
    const LineSynthese& line = m_lineSyntheseEntries.at(row);
    CellAnalyseBudget& cell = cellOfKind(int(line.kind));
    fillSyntheseRow(cell, line, row);
    return &cell;
}

StdCell* FenAnalyseBudgetController::fillClassicRow(StdTableView* table, int row)
{
    const AnalyseData* data = currentAnalyseDataAtRowIndex(row);
    const int kind = currentLineKindAtRowIndex(row);
    if (!data || (kind != 0 && kind != 1))
        return nullptr;
    CellAnalyseBudget& cell = cellOfKind(kind);
    colorizeTableCellViewAtRow(cell, row);
    cell.getBgbox()->setFillColor(Qt::white);
    setFillBackground(&cell, table, row);
    cell.getNom()->setText(currentNameAtRowIndex(row));
    // The template served other rows: none of their figures' colours stays.
    for (int i = 1; i <= 6; ++i)
        cell.getCellData(i)->setPalette(QPalette());
    cell.getCellDataSolde()->setPalette(QPalette());
    cellNumbers(*data, cell, true);
    return &cell;
}

void FenAnalyseBudgetController::fillSyntheseRow(CellAnalyseBudget& cell, const LineSynthese& line, int row)
{
    const bool month = line.kind == LineKind::Mois;
    if (!month)
        colorizeTableCellViewAtRowWithKind(cell, row, int(line.kind));
    else
        colorizeTableCellViewAtRowWithKind(cell, row, int(LineKind::Dossier));
    cell.getBgbox()->setFillColor(Qt::white);
    setFillBackground(&cell, table1(), row);
    cell.getNom()->setText(line.title);
    if (QToolButton* open = cell.buttonOpen()) {
        const QSignalBlocker blocker(open);
        open->setChecked(line.opened);
        open->setArrowType(line.opened ? Qt::DownArrow : Qt::RightArrow);
        open->setProperty("tag", row);
    }
    if (QToolButton* popup = cell.popup_poste())
        popup->hide();
    if (!month) {
        cellNumbers(line.analyseData, cell, true);
        return;
    }
    // A month line shows its total without shares; the file's cell keeps its own.
    AnalyseData shown = line.analyseData;
    shown.percentTotDeb = shown.percentTotCre = shown.percentDosDeb = shown.percentDosCre = 0;
    cellNumbers(shown, cell, false);
}

void FenAnalyseBudgetController::showCellTexts(const CellTexts& cells, QLabel* const labels[7]) const
{
    for (int i = 0; i < 7; ++i) {
        labels[i]->setText(cells.texts[i]);
        if (!cells.colours[i].isValid())
            continue;
        QPalette palette = labels[i]->palette();
        palette.setColor(QPalette::WindowText, cells.colours[i]);
        labels[i]->setPalette(palette);
    }
}

void FenAnalyseBudgetController::cellNumbers(const AnalyseData& data, CellAnalyseBudget& cell, bool colorizeTotal) const
{
    QLabel* const labels[7] = {cell.getCellData(1), cell.getCellData(2), cell.getCellData(3),    cell.getCellData(4),
                               cell.getCellData(5), cell.getCellData(6), cell.getCellDataSolde()};
    showCellTexts(figureTexts(data, colorizeTotal), labels);
}

// ---------------------------------------------------------------------------------------------
// Header

void FenAnalyseBudgetController::DRAW_TETE()
{
    BoxAnalyseBudgetTete* tete = boxTete();
    if (!tete || !myAnaFile())
        return;
    tete->cell_title3()->setText(getTitleForMonth(myAnaMonth(), true));
    QLabel* const labels[7] = {tete->cell_total_dossier(1), tete->cell_total_dossier(2), tete->cell_total_dossier(3),
                               tete->cell_total_dossier(4), tete->cell_total_dossier(5), tete->cell_total_dossier(6),
                               tete->cell_total_solde()};
    if (const AnalyseData* total = myAnaFile()->getAnalyseDataTotalDossierAtMonth(myAnaMonth()))
        showCellTexts(figureTexts(*total, true), labels);
    else
        showCellTexts(CellTexts(), labels);
    colorizeTete(*tete);
}

void FenAnalyseBudgetController::colorizeTete(BoxAnalyseBudgetTete& tete) const
{
    const Colorizator titre = colorizatorTete();
    const Colorizator depense = colorizatorDepense();
    const Colorizator recette = colorizatorRecette();
    const Colorizator solde = colorizatorSolde();
    auto fill = [&tete](const QString& name, const Colorizator& gradient, int index) {
        if (StdBox* box = tete.box(name))
            box->setFillColor(toColor(gradient.colorAtIndex(index)));
    };
    fill(QStringLiteral("box_header_tit0"), titre, 0);
    fill(QStringLiteral("box_header_tot0"), titre, 1);
    for (int i = 0; i <= 3; ++i) {
        fill(QStringLiteral("box_depenses_tit%1").arg(i), depense, i);
        fill(QStringLiteral("box_recettes_tit%1").arg(i), recette, i);
    }
    for (int i = 1; i <= 3; ++i) {
        fill(QStringLiteral("box_depenses_dos%1").arg(i), depense, 3 + i);
        fill(QStringLiteral("box_recettes_dos%1").arg(i), recette, 3 + i);
    }
    fill(QStringLiteral("box_titre_solde"), solde, 0);
    fill(QStringLiteral("box_sous_titre_solde"), solde, 1);
    fill(QStringLiteral("box_total_solde"), solde, 2);
    tete.update();
}

void FenAnalyseBudgetController::colorizeTableCellViewAtRowWithKind(CellAnalyseBudget& cell, int row, int kind) const
{
    const bool selected = table1() && table1()->selectedRowIndexes().count(row) > 0;
    const bool folder = kind == int(LineKind::Dossier);
    auto fill = [&](StdBox* box, const Colorizator& gradient, int index) {
        const QColor colour = toColor(gradient.colorAtIndex(index));
        box->setFillColor(selected ? QColor(0, 0, 0, 0) : modifiedColorForParity(colour, row % 2 == 0, 0.8));
    };
    fill(cell.boxTitle(), colorizatorTete(), folder ? 2 : 3);
    for (int i = 1; i <= 3; ++i) {
        fill(cell.boxDepenses(i), colorizatorDepense(), (folder ? 6 : 9) + i);
        fill(cell.boxRecettes(i), colorizatorRecette(), (folder ? 6 : 9) + i);
    }
    fill(cell.boxSolde(), colorizatorSolde(), folder ? 3 : 4);
}

void FenAnalyseBudgetController::colorizeTableCellViewAtRow(CellAnalyseBudget& cell, int row) const
{
    colorizeTableCellViewAtRowWithKind(cell, row, currentLineKindAtRowIndex(row));
}

QToolButton* FenAnalyseBudgetController::makeColourButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("popCouleurs"));
    button->setText(localizedAppl(QStringLiteral("FenAnalyse_couleurs")));
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    static const char* const keys[]
        = {"FenAnalyse_couleursDefaut",  "FenAnalyse_couleurTitre1",   "FenAnalyse_couleurTitre2",
           "FenAnalyse_couleurDepense1", "FenAnalyse_couleurDepense2", "FenAnalyse_couleurRecette1",
           "FenAnalyse_couleurRecette2", "FenAnalyse_couleurSolde1",   "FenAnalyse_couleurSolde2"};
    for (qint64 tag = 0; tag <= 8; ++tag) {
        QAction* item = menu->addAction(localizedAppl(QString::fromLatin1(keys[tag])));
        item->setData(QVariant::fromValue(tag));
        connectAction(item, QStringLiteral("COLORISER:"));
        if (tag == 0)
            menu->addSeparator();
    }
    button->setMenu(menu);
    return button;
}

Colorizator* FenAnalyseBudgetController::storedColorizator(qint64 tag) const
{
    if (tag < 1 || tag > 8)
        return nullptr;
    APPLIPARAM& parameters = APPLIPARAM::loadAppliParam();
    Colorizator* const analyse[4] = {&parameters.colorisatorAnalyseTitre, &parameters.colorisatorAnalyseDepense,
                                     &parameters.colorisatorAnalyseRecette, &parameters.colorisatorAnalyseSolde};
    Colorizator* const budget[4] = {&parameters.colorisatorBudgetTitre, &parameters.colorisatorBudgetDepense,
                                    &parameters.colorisatorBudgetRecette, &parameters.colorisatorBudgetSolde};
    const qint64 index = (tag - 1) / 2;
    switch (m_analyseType) {
    case AnalyseType::Analyse:
        return analyse[index];
    case AnalyseType::Budget:
        return budget[index];
    }
    return nullptr;
}

void FenAnalyseBudgetController::COLORISER(QObject* sender)
{
    const qint64 tag = StdMenu::tagOf(sender);
    if (tag == 0) {
        setColorizatorsToDefault();
        colorsChanged();
        return;
    }
    const Colorizator* gradient = storedColorizator(tag);
    if (!gradient)
        return;
    IColorPanel& panel = UiHost::instance().colorPanel();
    auto* accessory = new ColorAccessoryViewController(this, &panel, tag, this);
    ColorPanelRequest request;
    request.window = window();
    request.color = toColor(tag % 2 == 1 ? gradient->firstColor() : gradient->lastColor());
    request.accessory = accessory->view();
    request.controller = accessory;
    request.dismissed = [guard = QPointer<ColorAccessoryViewController>(accessory)] {
        if (guard)
            guard->clickNOK();
    };
    panel.show(request);
}

void FenAnalyseBudgetController::exitColorPanelWithCode(const QVariantMap& result)
{
    if (auto* panel = result.value(QStringLiteral("panel")).value<IColorPanel*>())
        panel->close();
    if (QObject* accessory = result.value(QStringLiteral("controller")).value<QObject*>())
        accessory->deleteLater();
    const qint64 tag = result.value(QStringLiteral("tag")).toLongLong();
    Colorizator* gradient = storedColorizator(tag);
    const QColor colour = result.value(QStringLiteral("color")).value<QColor>().toRgb();
    if (!result.value(QStringLiteral("code")).toBool() || !gradient || !colour.isValid())
        return;
    const SVColor calibrated = makeCalibratedColor(colour.redF(), colour.greenF(), colour.blueF(), colour.alphaF());
    if (tag % 2 == 1)
        gradient->setFirstColor(calibrated);
    else
        gradient->setLastColor(calibrated);
    colorsChanged();
}

void FenAnalyseBudgetController::colorsChanged()
{
    APPLIPARAM::saveAppliParam();
    DRAW_TETE();
    if (table1())
        table1()->SMART_RELOAD();
}

QWidget* FenAnalyseBudgetController::viewTete()
{
    return m_tete;
}

QWidget* FenAnalyseBudgetController::copyOfViewTete(QWidget*)
{
    auto* copy = new BoxAnalyseBudgetTete(headerSubTitles());
    copy->cell_title3()->setText(m_tete->cell_title3()->text());
    for (int i = 1; i <= 6; ++i)
        copy->cell_total_dossier(i)->setText(m_tete->cell_total_dossier(i)->text());
    copy->cell_total_solde()->setText(m_tete->cell_total_solde()->text());
    copy->cell_total_solde()->setPalette(m_tete->cell_total_solde()->palette());
    for (StdBox* box : m_tete->findChildren<StdBox*>()) {
        if (StdBox* twin = copy->box(box->objectName()))
            twin->setFillColor(box->fillColor());
    }
    return copy;
}

// ---------------------------------------------------------------------------------------------
// Pie chart

void FenAnalyseBudgetController::CAMEMBERT(QObject*)
{
    const int row = selectedRow();
    // The shares of the month the chart shows, whatever month the table shows.
    computeAnalyseTotaux(*m_myAnaFile, m_analyseType, devise(), currentMonthAtRowIndex(row));
    std::optional<Camembert> camembert
        = askCamembertData(this, *m_myAnaFile, ligToDossier(row), currentMonthAtRowIndex(row));
    if (!camembert)
        return;
    openCamembertWindow(*camembert, devise());
}

Camembert FenAnalyseBudgetController::newAnaCamembertData(int kind, long month, long dossierID) const
{
    const DOCUMENT* doc = document();
    const QString name = dossierID < 0 ? localizedMisc(QStringLiteral("kMisc_AnalyseTousDossiers"))
                                       : (doc ? DOSSIER::getDossierNameNS(dossierID, *doc) : QString());
    Camembert camembert(camembertTitle(kind == 1, month, name, *m_myAnaFile));
    bool inFolder = false;
    for (long r = 0; r < analyseNumberOfRows(*m_myAnaFile); ++r) {
        const AnalyseRow& row = m_myAnaFile->rows.at(r);
        const AnalyseData* data = m_myAnaFile->getAnalyseDataAtRow(r, month);
        if (!data)
            continue;
        if (row.kind == AnalyseRowKind::Dossier) {
            inFolder = row.ident == dossierID;
            if (dossierID < 0)
                camembert.addCamembertData(row.nom, kind == 1 ? data->percentTotCre : data->percentTotDeb);
        } else if (dossierID >= 0 && inFolder) {
            camembert.addCamembertData(row.nom, kind == 1 ? data->percentDosCre : data->percentDosDeb);
        }
    }
    return camembert;
}
