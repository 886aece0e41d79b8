#include "import/FenAskImportController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopCompte.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopPoste.h"
#include "toolkit/popups/PopTaxe.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/POSTE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOld = QStringLiteral("old");
const QString kNew = QStringLiteral("new");
constexpr long kAnonymousPayee = 3;
constexpr int kNbMoyenFamilies = 13;

QLabel* addText(QWidget& window, QLayout& row, const char* name)
{
    auto* text = new QLabel(&window);
    text->setObjectName(QString::fromLatin1(name));
    text->setMinimumWidth(220);
    row.addWidget(text);
    return text;
}

QPushButton* addButton(StdWindowController& controller, QWidget& window, QHBoxLayout& row, const char* key,
                       const char* action)
{
    auto* button = new QPushButton(localizedAppl(QString::fromLatin1(key)), &window);
    button->setAutoDefault(false);
    controller.connectAction(button, QString::fromLatin1(action));
    row.addWidget(button);
    return button;
}

} // namespace

FenAskImportController::FenAskImportController(const Config& config)
    : m_config(config)
{
}

void FenAskImportController::buildInterface(StdWindow& window)
{
    window.setObjectName(nibName());
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAskImport_titre")));
    auto* message = new QLabel(localizedAppl(QString::fromLatin1(m_config.messageKey)), &window);
    message->setWordWrap(true);
    auto* old = new QLabel(&window);
    old->setObjectName(QStringLiteral("field_old"));
    old->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* chooser = new QHBoxLayout;
    buildChooser(window, *chooser);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenAskImport_old")), old);
    form->addRow(localizedAppl(QStringLiteral("FenAskImport_new")), chooser);
    auto* buttons = new QHBoxLayout;
    addButton(*this, window, *buttons, "FenAskImport_invalider", "INVALIDER:");
    if (m_config.canAcceder)
        addButton(*this, window, *buttons, "FenAskImport_acceder", "ACCEDER:");
    buttons->addStretch();
    addButton(*this, window, *buttons, "FenAskImport_arreter", "NON:");
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    ok->setObjectName(QStringLiteral("button_ok"));
    connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(message);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void FenAskImportController::willAwakeFromNib()
{
    StdWindowController::willAwakeFromNib();
    presetAnswer();
}

void FenAskImportController::FILL()
{
    if (auto* old = outlet<QLabel>(QStringLiteral("field_old")))
        old->setText(getData()->value(kOld).toString());
    StdWindowController::FILL();
}

bool FenAskImportController::READ()
{
    if (!StdWindowController::READ())
        return false;
    const std::optional<qint64> answer = chosenAnswer();
    if (!answer) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_ImportChoixInvalide")), QString(),
                    QStringLiteral("exporter"), 1);
        return false;
    }
    getData()->insert(kNew, qlonglong(*answer));
    return true;
}

void FenAskImportController::ACCEDER(QObject*)
{
    endModal(2);
}

// ---------------------------------------------------------------------------------------------
// Account

FenAskImportCompteController::FenAskImportCompteController()
    : FenAskImportController({"FenAskImportCompte", "FenAskImportCompte_message", true})
{
}

void FenAskImportCompteController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopCompte(&window);
    pop->setObjectName(QStringLiteral("pop_compteD"));
    pop->setPOPcompteCFilter(7);
    pop->setSelectedTag(StdPopUp::kNoTag);
    pop->setCompteDebit(true);
    row.addWidget(pop);
    addText(window, row, "view_compteD");
}

void FenAskImportCompteController::presetAnswer()
{
    pickers().compteDID = kAnonymousPayee;
}

std::optional<qint64> FenAskImportCompteController::chosenAnswer() const
{
    const long ident = pickers().compteDID;
    if (!getTool(kToolCompte, ident, currentDocument()))
        return std::nullopt;
    return ident;
}

// ---------------------------------------------------------------------------------------------
// Payment means

FenAskImportMoyenController::FenAskImportMoyenController()
    : FenAskImportController({"FenAskImportMoyen", "FenAskImportMoyen_message", false})
{
}

void FenAskImportMoyenController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopMoyen(&window);
    pop->setObjectName(QStringLiteral("pop_moyen"));
    pop->setFilter(false);
    row.addWidget(pop);
    addText(window, row, "field_moyen");
}

void FenAskImportMoyenController::presetAnswer()
{
    pickers().moyenID = 0;
}

std::optional<qint64> FenAskImportMoyenController::chosenAnswer() const
{
    const qint32 family = pickers().moyenID;
    if (family < 0 || family >= kNbMoyenFamilies)
        return std::nullopt;
    return family;
}

// ---------------------------------------------------------------------------------------------
// Currency

FenAskImportDeviseController::FenAskImportDeviseController()
    : FenAskImportController({"FenAskImportDevise", "FenAskImportDevise_message", true})
{
}

void FenAskImportDeviseController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopDevise(&window);
    pop->setObjectName(QStringLiteral("pop_devise_import"));
    m_popDevise = pop;
    row.addWidget(pop);
    m_fieldDevise = addText(window, row, "field_devise");
}

void FenAskImportDeviseController::presetAnswer()
{
    FILL_DEVISE(devise());
}

void FenAskImportDeviseController::FILL_DEVISE(long slot)
{
    m_newDevise = slot;
    const DOCUMENT* doc = currentDocument();
    if (m_fieldDevise)
        m_fieldDevise->setText(doc ? Devise::deviseToString(doc->deviseHdl, slot) : QString());
    if (m_popDevise)
        m_popDevise->setSelectedTag(slot);
}

void FenAskImportDeviseController::DEVISE(QObject* item)
{
    FILL_DEVISE(long(StdMenu::tagOf(item)));
}

std::optional<qint64> FenAskImportDeviseController::chosenAnswer() const
{
    const DOCUMENT* doc = currentDocument();
    if (!doc || m_newDevise < 0 || m_newDevise >= doc->deviseHdl.size()
        || !Devise::deviseUsedAtIndex(doc->deviseHdl, m_newDevise))
        return std::nullopt;
    return m_newDevise;
}

// ---------------------------------------------------------------------------------------------
// Category

FenAskImportPosteController::FenAskImportPosteController()
    : FenAskImportController({"FenAskImportPoste", "FenAskImportPoste_message", true})
{
}

void FenAskImportPosteController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopPoste(&window);
    pop->setObjectName(QStringLiteral("pop_poste"));
    row.addWidget(pop);
    addText(window, row, "view_poste");
}

// The document's default category: a fixed ident may name none in this document.
void FenAskImportPosteController::presetAnswer()
{
    pickers().posteID = DOCPARAM::getDefaultPoste(currentDocument());
}

std::optional<qint64> FenAskImportPosteController::chosenAnswer() const
{
    const DOCUMENT* doc = currentDocument();
    const long ident = pickers().posteID;
    if (!doc || !POSTE::posteWithIdent(ident, *doc))
        return std::nullopt;
    return ident;
}

// ---------------------------------------------------------------------------------------------
// Tax

FenAskImportFiscalController::FenAskImportFiscalController()
    : FenAskImportController({"FenAskImportFiscal", "FenAskImportFiscal_message", true})
{
}

void FenAskImportFiscalController::buildChooser(QWidget& window, QLayout& row)
{
    auto* pop = new PopTaxe(&window);
    pop->setObjectName(QStringLiteral("pop_taxe"));
    row.addWidget(pop);
    addText(window, row, "field_taxe");
}

void FenAskImportFiscalController::presetAnswer()
{
    pickers().taxeID = -1;
}

// No tax is an answer too: the text then stands for none.
std::optional<qint64> FenAskImportFiscalController::chosenAnswer() const
{
    const DOCUMENT* doc = currentDocument();
    const long ident = pickers().taxeID;
    long index = 0;
    if (ident >= 0 && (!doc || !TAXE::findTaxe(ident, &index, doc->taxeHdl)))
        return std::nullopt;
    return ident;
}
