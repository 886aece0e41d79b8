#include "investments/FenFinanceController.h"

#include "investments/CellFinance.h"
#include "investments/FenAskSubstFinanceController.h"
#include "investments/FenEditFinanceController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/textfieldx.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/tables/StdTableView.h"

#include "document/DocContext.h"
#include "foundation/broadcast.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "toolkit/tables/selectAfterDelete.h"
#include "toolkit/windows/listlayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBandHeight = 22;
constexpr int kDeleteConfirmed = 1001;

QPushButton* commandButton(const char* titleKey, QWidget* parent)
{
    auto* button = new QPushButton(localizedAppl(QString::fromLatin1(titleKey)), parent);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The window

void FenFinanceController::buildInterface(StdWindow& window)
{
    window.setObjectName(interfaceName());
    window.setWindowTitle(localizedAppl(titleKey()));
    setTemplateViews(makeTemplate());
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(6);
    QList<std::pair<const char*, const char*>> commands = {{"NOUVEAU:", "FenFinance_nouveau"},
                                                           {"MODIFIER:", "FenFinance_modifier"},
                                                           {"SUPPRIMER:", "FenFinance_supprimer"},
                                                           {"LISTING:", "FenFinance_listing"}};
    commands += extraCommands();
    for (const auto& [action, title] : commands) {
        QPushButton* button = commandButton(title, &window);
        button->setObjectName(QStringLiteral("button_") + QString::fromLatin1(action).chopped(1));
        connectAction(button, QString::fromLatin1(action));
        toolbar->addWidget(button);
    }
    toolbar->addStretch();
    auto* devise = new PopDevise(&window);
    devise->setObjectName(QStringLiteral("pop_devise"));
    toolbar->addWidget(devise);
    QPushButton* imprimer = commandButton("FenFinance_imprimer", &window);
    connectAction(imprimer, QStringLiteral("IMPRIMER:"));
    toolbar->addWidget(imprimer);

    QWidget* main = makeBandedList(window, kBandHeight, CellFinance::kHeight, kBandHeight);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addLayout(toolbar);
    layout->addWidget(main, 1);
}

void FenFinanceController::didAwakeFromNib()
{
    EntityListWindow::didAwakeFromNib();
    if (StdTemplate* views = templateViews()) {
        if (QWidget* liste = views->template_view_liste())
            table1()->setMinimumSize(liste->width(), CellFinance::kHeight * 4);
        placeViewTete(views->template_view_tete());
        placeViewPied(views->template_view_pied());
    }
    COMPUTE_TOTAUX();
}

QLabel* FenFinanceController::piedField(const char* name) const
{
    const QWidget* pied = templateViews() ? templateViews()->template_view_pied() : nullptr;
    return pied ? pied->findChild<QLabel*>(QString::fromLatin1(name)) : nullptr;
}

QColor FenFinanceController::getPatColor1(int)
{
    return QColor::fromRgbF(0.902f, 0.902f, 1.0f, 1.0f);
}

// ---------------------------------------------------------------------------------------------
// Commands every window answers alike

void FenFinanceController::NOUVEAU(QObject*) { }
void FenFinanceController::MODIFIER(QObject*) { }
void FenFinanceController::SUPPRIMER(QObject*) { }
void FenFinanceController::LISTING(QObject*) { }

bool FenFinanceController::canDeleteSomething() const
{
    return selectedRow(1) >= 0;
}

bool FenFinanceController::deleteInTable(int)
{
    SUPPRIMER(nullptr);
    return true;
}

void FenFinanceController::DEVISE(QObject* sender)
{
    pickers().DEVISE(sender);
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
    PRINT_PIED();
}

void FenFinanceController::notifyNewDay(const QVariant&, const QVariant&)
{
    COMPUTE_TOTAUX();
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

void FenFinanceController::newDevisePrincipale(const QVariant& slot, const QVariant& arg2)
{
    EntityListWindow::newDevisePrincipale(slot, arg2);
    COMPUTE_TOTAUX();
    if (StdTableView* table = table1())
        table->SMART_RELOAD();
}

bool FenFinanceController::confirmSuppression(const QString& messageKey, const QString& information,
                                              const QString& imageName)
{
    return showAlert(this, Dialog::keyString(messageKey), information,
                     localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                     localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(), imageName, 1, kAlertFirstButton)
        == kDeleteConfirmed;
}

// The length the count's text had when it was a length-prefixed string.
void FenFinanceController::printNbPlacements(long count, const QString& wordKey)
{
    if (QLabel* field = piedField("field_nb_placements"))
        field->setText(QString::asprintf("%ld", count).append(localizedMisc(wordKey)).left(255));
}

void FenFinanceController::paintPiedFields(std::initializer_list<std::pair<const char*, const MONTANT*>> fields,
                                           long slot, const DeviseList* devises, bool colour)
{
    for (const auto& [name, amount] : fields) {
        QLabel* field = piedField(name);
        if (!field)
            continue;
        field->setText(montantToStringForDevise(*amount, slot, devises, false));
        if (colour)
            colorizeForMontant(field, *amount);
    }
}

// ---------------------------------------------------------------------------------------------
// A flat list of one kind

int FenFinanceController::flatRowCount(FinanceKind kind) const
{
    const DOCUMENT* doc = currentDocument();
    return doc ? int(financeList(*doc, kind).size()) : 0;
}

long FenFinanceController::selectedFlatRow(FinanceKind kind) const
{
    const int row = selectedRow(1);
    return row >= 0 && row < flatRowCount(kind) ? row : -1;
}

void FenFinanceController::reloadAndSelect(long row)
{
    table1()->reloadData();
    COMPUTE_TOTAUX();
    adjustHeight(false);
    table1()->GO(int(row));
}

void FenFinanceController::newFlatItem(FinanceKind kind)
{
    DOCUMENT* doc = currentDocument();
    if (!doc)
        return;
    FINANCE item = FINANCE::allocNewFinance(financeList(*doc, kind), doc);
    if (!editFinanceModal(this, kind, item))
        return;
    reloadAndSelect(financeKindInfo(kind).insert(item, *doc));
    sendToAllWindowDelegates(financeKindInfo(kind).created, qlonglong(item.ident));
}

void FenFinanceController::modifyFlatRow(FinanceKind kind)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedFlatRow(kind);
    if (!doc || row < 0)
        return;
    FINANCE copy = financeList(*doc, kind).at(row).copyOfFinance();
    if (!editFinanceModal(this, kind, copy))
        return;
    CLOSE_ETAT(copy.ident);
    const long position = replaceFinance(*doc, kind, row, copy);
    table1()->reloadData();
    table1()->GO(int(position));
    COMPUTE_TOTAUX();
    sendToAllWindowDelegates(financeKindInfo(kind).modified, qlonglong(copy.ident));
}

void FenFinanceController::deleteFlatRow(FinanceKind kind)
{
    DOCUMENT* doc = currentDocument();
    const long row = selectedFlatRow(kind);
    if (!doc || row < 0)
        return;
    const long ident = financeList(*doc, kind).at(row).ident;
    long replacement = -1;
    if (!confirmSuppression(QStringLiteral("kConfirm_SuppFinance"), QString(), QStringLiteral("placement"))
        || !askSubstFinance(this, kind, ident, &replacement))
        return;
    const long count = long(financeList(*doc, kind).size());
    CLOSE_ETAT(ident);
    supprimerFinance(*doc, kind, ident, replacement);
    table1()->reloadData();
    table1()->GO(selectAfterDelete(int(row), int(count)));
    COMPUTE_TOTAUX();
    // Receivers must learn which item went, not which took its transactions.
    sendToAllWindowDelegates(financeKindInfo(kind).deleted, qlonglong(ident));
}
