#include "entities/FenEditSoldeInitialController.h"

#include "entities/FenEditToolController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/StdMenu.h"

#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "model/TransactOps.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kTool = QStringLiteral("tool");
constexpr int kImageSide = 32;

} // namespace

void FenEditSoldeInitialController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditSoldeInitial"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditSoldeInitial_titre")));
    m_image = new QLabel(&window);
    m_image->setObjectName(QStringLiteral("image_compte"));
    m_image->setFixedSize(kImageSide, kImageSide);
    m_compte = new QLabel(&window);
    m_compte->setObjectName(QStringLiteral("field_compte"));
    QFont bold = m_compte->font();
    bold.setBold(true);
    m_compte->setFont(bold);
    auto* explanation = new QLabel(localizedAppl(QStringLiteral("FenEditSoldeInitial_info")), &window);
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(340);
    m_solde = new TextFieldMontant(&window);
    m_solde->setObjectName(QStringLiteral("field_solde"));
    m_solde->setFixedWidth(150);
    auto* pop = new PopDevise(&window);
    pop->setObjectName(QStringLiteral("pop_devise"));
    auto* head = new QHBoxLayout;
    head->addWidget(m_image);
    head->addWidget(m_compte, 1);
    auto* amount = new QHBoxLayout;
    amount->addWidget(new QLabel(localizedAppl(QStringLiteral("FenEditSoldeInitial_solde")), &window));
    amount->addWidget(m_solde);
    amount->addWidget(pop);
    amount->addStretch();

    layOutEditor(*this, window, {head, explanation, amount}, 12);
}

void FenEditSoldeInitialController::didAwakeFromNib()
{
    if (auto* pop = outlet<PopDevise>(QStringLiteral("pop_devise")))
        pop->setAssociatedMontant(m_solde);
    StdWindowController::didAwakeFromNib();
}

void FenEditSoldeInitialController::FILL()
{
    StdWindowController::FILL();
    const DOCUMENT& doc = editedDocument(*getData());
    const long ident = getData()->value(kTool).toLongLong();
    m_compte->setText(getToolNameNS(kToolCompte, ident, &doc));
    m_solde->fillMontant(getData()->montant, devise());
    const QIcon image = PopCompte::getCompteImage(ident, &doc);
    if (!image.isNull())
        m_image->setPixmap(image.pixmap(kImageSide, kImageSide));
}

void FenEditSoldeInitialController::FILL_DEVISE(long slot)
{
    m_solde->readMontant(getData()->montant);
    pickers().FILL_DEVISE(slot);
    m_solde->fillMontant(getData()->montant, slot);
}

void FenEditSoldeInitialController::DEVISE(QObject* item)
{
    FILL_DEVISE(long(StdMenu::tagOf(item)));
}

bool FenEditSoldeInitialController::READ()
{
    m_solde->readMontant(getData()->montant);
    return true;
}

bool askSoldeInitial(StdWindowController* parent, long compteID, DOCUMENT& doc)
{
    const TOOL* compte = getTool(kToolCompte, compteID, &doc);
    if (!compte)
        return false;
    // The other windows go on while the window is up: the account is found again by its ident after.
    const long slot = compte->devise;
    WindowDataPtr data = makeWindowData({{kTool, qlonglong(compteID)}});
    setEditedDocument(*data, doc);
    if (StdWindowController::pushModal<FenEditSoldeInitialController>(parent, data, slot) != 1
        || data->montant.nullMontant() || !getTool(kToolCompte, compteID, &doc))
        return false;
    const TRANSACT trans = TRANSACT::initialisationTransact(compteID, data->montant, slot, SystemClock::now(), &doc);
    if (!makeTransact(trans, nullptr, &doc, true, true))
        return false;
    if (TOOL* stored = getTool(kToolCompte, compteID, &doc))
        stored->inited = true;
    return true;
}
