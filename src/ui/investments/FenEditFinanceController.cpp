#include "investments/FenEditFinanceController.h"

#include "investments/FenEditFinanceEmpruntController.h"
#include "investments/FenEditFinanceRemunereController.h"
#include "investments/FenEditFinanceTitreController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/drawing/SaisieImages.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kFinance = QStringLiteral("finance");

} // namespace

void FenEditFinanceController::buildInterface(StdWindow& window)
{
    window.setObjectName(interfaceName());
    window.setWindowTitle(localizedAppl(titleKey()));
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image_titre"));
    image->setPixmap(saisieImage(QStringLiteral("placement"), 32));
    m_fieldNom = new QLineEdit(&window);
    m_fieldNom->setObjectName(QStringLiteral("field_nom"));
    m_fieldNom->setMinimumWidth(260);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditFinance_nom")), m_fieldNom);
    addRows(*form, window);
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = cancelOkButtons(*this, window, &ok);
    ok->setObjectName(QStringLiteral("button_OK"));
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(form, 1);
    QVBoxLayout* layout = editorLayout(window);
    layout->addLayout(top);
    addBelow(*layout, window);
    layout->addLayout(buttons);
}

void FenEditFinanceController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    m_finance = getData()->value(kFinance).value<FINANCE>();
}

void FenEditFinanceController::storeFinance()
{
    getData()->insert(kFinance, QVariant::fromValue(m_finance));
}

bool FenEditFinanceController::VALIDE()
{
    const DOCUMENT* doc = currentDocument();
    const QString typed = m_fieldNom->text();
    if (!doc || !financeNameTaken(financeList(*doc, kind()), typed, m_finance.nom))
        return true;
    showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_NameAlreadyExist")), typed, QStringLiteral("placement"),
                1);
    m_fieldNom->setFocus();
    return false;
}

void FenEditFinanceController::OUI(QObject*)
{
    if (VALIDE() && READ()) {
        storeFinance();
        endModal(1);
    }
}

bool editFinanceModal(StdWindowController* parent, FinanceKind kind, FINANCE& item)
{
    WindowDataPtr data = makeWindowData({{kFinance, QVariant::fromValue(item)}});
    const long devise = parent ? parent->devise() : 0;
    long result = 0;
    switch (kind) {
    case FinanceKind::Titre:
        result = StdWindowController::pushModal<FenEditFinanceTitreController>(parent, data, devise);
        break;
    case FinanceKind::Remunere:
        result = StdWindowController::pushModal<FenEditFinanceRemunereController>(parent, data, devise);
        break;
    case FinanceKind::Emprunt:
        result = StdWindowController::pushModal<FenEditFinanceEmpruntController>(parent, data, devise);
        break;
    }
    if (result != 1)
        return false;
    item = data->value(kFinance).value<FINANCE>();
    return true;
}
