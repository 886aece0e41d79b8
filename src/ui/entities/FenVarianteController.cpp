#include "entities/FenVarianteController.h"

#include "entities/AskedRecord.h"
#include "entities/CellVariante.h"
#include "entities/FenEditToolController.h"
#include "entities/FenEditVarianteController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/IWindowDoors.h"

#include "foundation/IDesktop.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/TOOL.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kHdl1 = QStringLiteral("hdl1");
const QString kHdl2 = QStringLiteral("hdl2");
const QString kIdent = QStringLiteral("ident");
const QString kCanMoyen = QStringLiteral("canMoyen");

int familyOf(int table)
{
    return table == 1 ? kFamilyChequeDebit : kFamilyCarteDebit;
}

QColor patColor(int table)
{
    return table == 1 ? QColor::fromRgbF(0.7294118F, 0.84313726F, 0.84313726F, 0.5F)
                      : QColor::fromRgbF(0.8509804F, 0.9019608F, 0.9764706F, 0.5F);
}

QPushButton* button(QWidget& parent, const char* name, const QString& text)
{
    auto* control = new QPushButton(text, &parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setAutoDefault(false);
    return control;
}

// The account's means of that family; null when it has none (nor can have).
MOYEN* moyenOf(long compteID, int family, DOCUMENT& doc)
{
    MoyenList* moyens = MOYEN::getDocMoyen(&doc);
    long index = -1;
    if (!moyens || !MOYEN::getMoyenIndex(*moyens, family, compteID, &index, &doc))
        return nullptr;
    return MOYEN::moyenAtIndex(*moyens, index);
}

} // namespace

DOCUMENT& FenVarianteController::document() const
{
    return editedDocument(*getData());
}

VarianteList& FenVarianteController::hdl(int table) const
{
    return *static_cast<VarianteList*>(getData()->value(table == 1 ? kHdl1 : kHdl2).value<void*>());
}

void FenVarianteController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenVariante"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenVariante_titre")));
    m_compte = new QLabel(&window);
    m_compte->setObjectName(QStringLiteral("text_compte"));
    QFont bold = m_compte->font();
    bold.setBold(true);
    m_compte->setFont(bold);
    auto* columns = new QHBoxLayout;
    for (int t = 1; t <= 2; ++t) {
        auto* tableView = new QTableWidget(0, 1, &window);
        tableView->setObjectName(QStringLiteral("table%1").arg(t));
        tableView->horizontalHeader()->setStretchLastSection(true);
        tableView->horizontalHeader()->hide();
        tableView->verticalHeader()->hide();
        tableView->verticalHeader()->setDefaultSectionSize(30);
        tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
        tableView->setSelectionMode(QAbstractItemView::SingleSelection);
        tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tableView->setMinimumSize(240, 180);
        (t == 1 ? m_table1 : m_table2) = tableView;
        QObject::connect(tableView, &QTableWidget::cellDoubleClicked, this, [this, t] { ouvrir(t); });
        QObject::connect(tableView, &QTableWidget::itemSelectionChanged, this, [this, t] { showDeleteButtons(t); });
        auto* heading = new QLabel(
            localizedAppl(t == 1 ? QStringLiteral("FenVariante_chequiers") : QStringLiteral("FenVariante_cartes")),
            &window);
        auto* creer = button(window, t == 1 ? "button_creer1" : "button_creer2",
                             localizedAppl(QStringLiteral("FenVariante_creer")));
        connectAction(creer, t == 1 ? QStringLiteral("CREER1:") : QStringLiteral("CREER2:"));
        auto* listing = button(window, t == 1 ? "button_listing_cheque" : "button_listing_carte",
                               localizedAppl(QStringLiteral("FenVariante_listing")));
        connectAction(listing, t == 1 ? QStringLiteral("RELEVE1:") : QStringLiteral("RELEVE2:"));
        (t == 1 ? m_listingCheque : m_listingCarte) = listing;
        auto* commands = new QHBoxLayout;
        commands->addWidget(creer);
        commands->addStretch();
        commands->addWidget(listing);
        auto* column = new QVBoxLayout;
        column->addWidget(heading);
        column->addWidget(tableView, 1);
        column->addLayout(commands);
        columns->addLayout(column);
    }
    const CancelOkRow buttons = cancelOkRow(*this, window);
    buttons.cancel->setObjectName(QStringLiteral("button_annuler"));
    buttons.ok->setObjectName(QStringLiteral("button_ok"));
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        auto* shortcut = new QShortcut(QKeySequence(key), &window);
        QObject::connect(shortcut, &QShortcut::activated, this, &FenVarianteController::deleteKey);
    }
    QVBoxLayout* layout = editorLayout(window, 12);
    layout->addWidget(m_compte);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons.row);
}

void FenVarianteController::FILL()
{
    StdWindowController::FILL();
    const long ident = getData()->value(kIdent).toLongLong();
    m_compte->setText(getToolNameNS(kToolCompte, ident, &document()));
    const bool canMoyen = getData()->value(kCanMoyen).toBool();
    m_listingCheque->setEnabled(canMoyen);
    m_listingCarte->setEnabled(canMoyen);
    reload(1);
    reload(2);
}

void FenVarianteController::reload(int t)
{
    QTableWidget* view = table(t);
    const int selected = view->currentRow();
    const VarianteList& list = hdl(t);
    view->setRowCount(int(list.size()));
    for (int row = 0; row < view->rowCount(); ++row) {
        const VARIANTE& variante = list.at(row);
        auto* cell = new CellVariante(view);
        cell->setAttribute(Qt::WA_StyledBackground);
        cell->setStyleSheet(QStringLiteral("CellVariante { background: %1; }").arg(patColor(t).name(QColor::HexArgb)));
        cell->getTextNom()->setText(variante.nom);
        const VarianteImage image = variante.getImageForFamily(familyOf(t), &document());
        const QIcon icon = image.name.isEmpty() ? PopLogo::logoIcon(image.png) : StdPopUp::itemImage(image.name);
        cell->icone_variante()->setPixmap(icon.pixmap(24, 24));
        QObject::connect(cell->getButtonSupprimer(), &QPushButton::clicked, this, [this, t] { supprimer(t); });
        view->setCellWidget(row, 0, cell);
    }
    if (selected >= 0 && selected < view->rowCount())
        view->selectRow(selected);
    showDeleteButtons(t);
}

void FenVarianteController::showDeleteButtons(int t)
{
    QTableWidget* view = table(t);
    const int selected = view->selectionModel()->hasSelection() ? view->currentRow() : -1;
    for (int row = 0; row < view->rowCount(); ++row)
        if (auto* cell = qobject_cast<CellVariante*>(view->cellWidget(row, 0)))
            cell->getButtonSupprimer()->setVisible(row == selected);
}

void FenVarianteController::selectRow(int t, int row)
{
    QTableWidget* view = table(t);
    if (row < 0)
        view->clearSelection();
    else
        view->selectRow(row);
    showDeleteButtons(t);
    view->setFocus();
}

bool FenVarianteController::canDeleteSomething() const
{
    return m_table1->selectionModel()->hasSelection() || m_table2->selectionModel()->hasSelection();
}

void FenVarianteController::deleteKey()
{
    if (m_table1->hasFocus())
        supprimer(1);
    else if (m_table2->selectionModel()->hasSelection())
        supprimer(2);
}

void FenVarianteController::creer(int t)
{
    VarianteList& list = hdl(t);
    VARIANTE created = VARIANTE::allocNewVariante(familyOf(t), list);
    created.moyenType = familyOf(t);
    editVariante(this, created, document(), [this, t, &created, &list](long result) {
        if (result != 1)
            return;
        list.append(created);
        reload(t);
        selectRow(t, int(list.size()) - 1);
    });
}

void FenVarianteController::ouvrir(int t)
{
    QTableWidget* view = table(t);
    VarianteList& list = hdl(t);
    const int row = view->selectionModel()->hasSelection() ? view->currentRow() : -1;
    if (row < 0 || row >= list.size()) {
        beep();
        return;
    }
    const VARIANTE asked = list.at(row);
    VARIANTE copy = asked;
    copy.moyenType = familyOf(t);
    editVariante(this, copy, document(), [this, t, &asked, &copy, &list](long result) {
        const qsizetype index = askedRecordIndex(list, asked);
        if (result != 1 || index < 0)
            return;
        list[index] = copy;
        reload(t);
    });
}

void FenVarianteController::supprimer(int t)
{
    QTableWidget* view = table(t);
    VarianteList& list = hdl(t);
    const int row = view->selectionModel()->hasSelection() ? view->currentRow() : -1;
    if (row < 0 || row >= list.size())
        return;
    const VARIANTE asked = list.at(row);
    const int answer = showAlert(
        this,
        localizedDialogue(t == 1 ? QStringLiteral("kConfirm_SuppChequier") : QStringLiteral("kConfirm_SuppCarte")),
        asked.nom, localizedDialogue(QStringLiteral("LIB_BUTTON_NON")),
        localizedDialogue(QStringLiteral("LIB_BUTTON_OUI")), QString(),
        t == 1 ? QStringLiteral("chequier") : QStringLiteral("carte"), 1, kAlertFirstButton);
    const qsizetype index = askedRecordIndex(list, asked);
    if (answer != 1001 || index < 0)
        return;
    const int before = int(list.size());
    list.removeAt(index);
    reload(t);
    selectRow(t, std::min(before - 2, int(index)));
}

void FenVarianteController::RELEVE1()
{
    READ();
    endModal(2);
}

void FenVarianteController::RELEVE2()
{
    READ();
    endModal(3);
}

bool editVariantesOfCompte(StdWindowController* parent, long compteID, bool canMoyen, DOCUMENT& doc)
{
    const MOYEN* cheques = moyenOf(compteID, kFamilyChequeDebit, doc);
    const MOYEN* cartes = cheques ? moyenOf(compteID, kFamilyCarteDebit, doc) : nullptr;
    if (!cheques || !cartes) {
        showAlertOK(parent, localizedDialogue(QStringLiteral("kCriticalVarianteProblem")), QString(),
                    QStringLiteral("chequier"), 2);
        return false;
    }
    VarianteList hdl1 = VARIANTE::copyOfVarianteArray(cheques->variantes);
    VarianteList hdl2 = VARIANTE::copyOfVarianteArray(cartes->variantes);
    WindowDataPtr data = makeWindowData({{kHdl1, QVariant::fromValue(static_cast<void*>(&hdl1))},
                                         {kHdl2, QVariant::fromValue(static_cast<void*>(&hdl2))},
                                         {kIdent, qlonglong(compteID)},
                                         {kCanMoyen, canMoyen}});
    setEditedDocument(*data, doc);
    const long result = StdWindowController::pushModal<FenVarianteController>(parent, data, 0);
    if (result == 0)
        return false;
    // The window may have run anything: find the means again rather than trust the pointers.
    if (MOYEN* stored = moyenOf(compteID, kFamilyChequeDebit, doc))
        stored->variantes = hdl1;
    if (MOYEN* stored = moyenOf(compteID, kFamilyCarteDebit, doc))
        stored->variantes = hdl2;
    if (IWindowDoors* doors = windowDoors(); doors && (result == 2 || result == 3))
        doors->openListingMoyen(doc, compteID, result == 2 ? kFamilyChequeDebit : kFamilyCarteDebit, -1,
                                MONTANT::currentDeviseSlot(), true);
    return true;
}
