#include "investments/FenAskSubstFinanceController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/drawing/SaisieImages.h"
#include "toolkit/popups/PopPlacement.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kIdent = QStringLiteral("ident");

QString interfaceName(FinanceKind kind)
{
    switch (kind) {
    case FinanceKind::Titre:
        return QStringLiteral("FenAskSubstFinanceTitre");
    case FinanceKind::Remunere:
        return QStringLiteral("FenAskSubstFinanceRemunere");
    case FinanceKind::Emprunt:
        return QStringLiteral("FenAskSubstFinanceEmprunt");
    }
    return {};
}

} // namespace

void FenAskSubstFinanceController::buildInterface(StdWindow& window)
{
    window.setObjectName(interfaceName(kind()));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAskSubstFinance_titre")));
    auto* old = new QLabel(&window);
    old->setObjectName(QStringLiteral("field_old"));
    auto* pop = new PopPlacement(&window);
    pop->setObjectName(QStringLiteral("pop_placement"));
    auto* field = new QLabel(&window);
    field->setObjectName(QStringLiteral("field_placement"));
    auto* choice = new QHBoxLayout;
    choice->addWidget(field, 1);
    choice->addWidget(pop);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenAskSubstFinance_old")), old);
    form->addRow(localizedAppl(QStringLiteral("FenAskSubstFinance_new")), choice);
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image"));
    image->setPixmap(saisieImage(QStringLiteral("placement"), 32));
    auto* message = new QLabel(localizedAppl(QStringLiteral("FenAskSubstFinance_message")), &window);
    message->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addWidget(message, 1);
    layOutEditor(*this, window, {top, form});
}

long FenAskSubstFinanceController::oldIdent() const
{
    return long(getData()->value(kIdent).toLongLong());
}

long& FenAskSubstFinanceController::chosen()
{
    switch (kind()) {
    case FinanceKind::Titre:
        return pickers().titreID;
    case FinanceKind::Remunere:
        return pickers().remunereID;
    case FinanceKind::Emprunt:
        return pickers().empruntID;
    }
    return pickers().titreID;
}

void FenAskSubstFinanceController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    FILL();
}

void FenAskSubstFinanceController::FILL()
{
    chosen() = oldIdent();
    const DOCUMENT* doc = currentDocument();
    const FINANCE* item = doc ? financeWithIdent(*doc, kind(), oldIdent()) : nullptr;
    if (auto* field = outlet<QLabel>(QStringLiteral("field_old")))
        field->setText(item ? item->nom : QStringLiteral("?"));
    pickers().setPlacementFilter(kind() == FinanceKind::Titre, kind() == FinanceKind::Remunere,
                                 kind() == FinanceKind::Emprunt);
    StdWindowController::FILL();
}

bool FenAskSubstFinanceController::READ()
{
    if (!StdWindowController::READ())
        return false;
    const long choice = chosen();
    if (choice >= 0 && choice == oldIdent()) {
        showAlertOK(this, Dialog::keyString(QString::fromLatin1(financeKindInfo(kind()).cannotSubstKey)), QString(),
                    QStringLiteral("placement"), 1);
        return false;
    }
    getData()->insert(kIdent, qlonglong(choice < 0 ? -1 : choice));
    return true;
}

bool askSubstFinance(StdWindowController* parent, FinanceKind kind, long ident, long* replacement)
{
    WindowDataPtr data = makeWindowData({{kIdent, qlonglong(ident)}});
    long result = 0;
    switch (kind) {
    case FinanceKind::Titre:
        result = StdWindowController::pushModal<FenAskSubstFinanceTitreController>(parent, data,
                                                                                   MONTANT::currentDeviseSlot());
        break;
    case FinanceKind::Remunere:
        result = StdWindowController::pushModal<FenAskSubstFinanceRemunereController>(parent, data,
                                                                                      MONTANT::currentDeviseSlot());
        break;
    case FinanceKind::Emprunt:
        result = StdWindowController::pushModal<FenAskSubstFinanceEmpruntController>(parent, data,
                                                                                     MONTANT::currentDeviseSlot());
        break;
    }
    if (result != 1)
        return false;
    *replacement = long(data->value(kIdent).toLongLong());
    return true;
}
