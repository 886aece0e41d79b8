#include "entities/FenEditToolController.h"

#include "entities/LogoFiller.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/host/editedentity.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/StdMenu.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/TOOL.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <tuple>

namespace {

const QString kTool = QStringLiteral("tool");
constexpr int kImageSide = LogoFiller::kImageSide;

} // namespace

WindowDataPtr toolEditorData(TOOL& tool, DOCUMENT& doc)
{
    return editedEntityData(kTool, tool, doc);
}

void takeToolEdits(TOOL& stored, const TOOL& edited)
{
    std::tie(stored.nom, stored.infos, stored.devise, stored.logoIdent)
        = std::tie(edited.nom, edited.infos, edited.devise, edited.logoIdent);
    std::tie(stored.posteID, stored.ownerID, stored.taxeID) = std::tie(edited.posteID, edited.ownerID, edited.taxeID);
    std::tie(stored.dateReleve0, stored.dateReleve1, stored.dateReleve2, stored.dateReleve3)
        = std::tie(edited.dateReleve0, edited.dateReleve1, edited.dateReleve2, edited.dateReleve3);
}

TOOL& FenEditToolController::tool() const
{
    return editedEntity<TOOL>(*getData(), kTool);
}

DOCUMENT& FenEditToolController::document() const
{
    return editedDocument(*getData());
}

bool FenEditToolController::toolNameTaken(const DOCUMENT& doc, int kind, long banqueID, const QString& name,
                                          long selfID)
{
    const ToolList* list = TOOL::toolList(kind, &doc);
    if (!list)
        return false;
    for (const TOOL& other : *list) {
        if (other.ident == selfID || (kind == kToolCompte && other.ownerID != banqueID))
            continue;
        if (other.nom.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void FenEditToolController::buildInterface(StdWindow& window)
{
    window.setObjectName(QString::fromLatin1(metaObject()->className()).remove(QStringLiteral("Controller")));
    m_image = new QLabel(&window);
    m_image->setObjectName(QStringLiteral("image"));
    m_image->setFixedSize(kImageSide, kImageSide);
    m_title = new QLabel(&window);
    m_title->setObjectName(QStringLiteral("field_title"));
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPixelSize(15);
    m_title->setFont(bold);
    m_info = new QLabel(&window);
    m_info->setObjectName(QStringLiteral("field_info"));
    m_info->setWordWrap(true);
    m_info->setMinimumWidth(320);
    auto* heading = new QVBoxLayout;
    heading->addWidget(m_title);
    heading->addWidget(m_info);
    auto* top = new QHBoxLayout;
    top->addWidget(m_image, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    m_nom = new StdTextView(&window);
    m_nom->setObjectName(QStringLiteral("field_nom"));
    m_nom->setMinimumWidth(260);
    m_toolInfo = new StdTextView(&window);
    m_toolInfo->setObjectName(QStringLiteral("field_tool_info"));
    m_toolInfo->setFixedHeight(64);
    m_devise = new QLabel(&window);
    m_devise->setObjectName(QStringLiteral("field_devise"));
    m_devise->setTextInteractionFlags(Qt::NoTextInteraction);
    auto* popDevise = new PopDevise(&window);
    popDevise->setObjectName(QStringLiteral("pop_devise"));
    m_logo = new QLabel(&window);
    m_logo->setObjectName(QStringLiteral("field_logo"));
    auto* popLogo = new PopLogo(&window);
    popLogo->setObjectName(QStringLiteral("pop_logo"));

    auto* deviseRow = new QHBoxLayout;
    deviseRow->addWidget(m_devise, 1);
    deviseRow->addWidget(popDevise);
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_logo, 1);
    logoRow->addWidget(popLogo);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditTool_nom")), m_nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditTool_infos")), m_toolInfo);
    form->addRow(localizedAppl(QStringLiteral("FenEditTool_devise")), deviseRow);
    form->addRow(localizedAppl(QStringLiteral("FenEditTool_logo")), logoRow);
    buildTypeRows(*form, window);

    layOutEditor(*this, window, {top, form});
}

void FenEditToolController::didAwakeFromNib()
{
    setDevise(tool().devise);
    if (auto* pop = outlet<PopDevise>(QStringLiteral("pop_devise")))
        pop->setShowTitle(false);
    StdWindowController::didAwakeFromNib();
}

void FenEditToolController::FILL()
{
    setDevise(tool().devise);
    StdWindowController::FILL();
    FILL_DEVISE(devise());
    m_nom->setStoredText(tool().nom);
    m_toolInfo->setStoredText(tool().infos);
    FILL_LOGO();
}

void FenEditToolController::FILL_DEVISE(long slot)
{
    pickers().FILL_DEVISE(slot);
    m_devise->setText(Devise::deviseToString(document().deviseHdl, slot));
}

void FenEditToolController::DEVISE(QObject* item)
{
    FILL_DEVISE(long(StdMenu::tagOf(item)));
}

void FenEditToolController::FILL_LOGO()
{
    const DOCUMENT& doc = document();
    LogoFiller::fill(tool().logoIdent, &doc, StdPopUp::itemImage(tool().getToolPictureName(&doc)), m_logo, m_image,
                     outlet<PopLogo>(QStringLiteral("pop_logo")));
}

void FenEditToolController::LOGO(QObject* item)
{
    tool().logoIdent = LogoFiller::chosenLogo(item);
    if (TOOL* stored = TOOL::getTool(tool().kind, tool().ident, &document()))
        stored->logoIdent = tool().logoIdent;
    FILL_LOGO();
}

void FenEditToolController::setTexts(const QString& titleKey, const QString& infoKey)
{
    const QString title = localizedAppl(titleKey);
    if (title != titleKey)
        m_title->setText(title);
    const QString info = localizedAppl(infoKey);
    if (info != infoKey)
        m_info->setText(info);
}

bool FenEditToolController::READ()
{
    StdWindowController::READ();
    tool().devise = devise();
    tool().nom = m_nom->storedText();
    tool().infos = m_toolInfo->storedText();
    return true;
}

bool FenEditToolController::verifName(const QString& name)
{
    if (name.trimmed().isEmpty()) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_NameEmpty")), QString(), QString(), 1);
        return false;
    }
    const TOOL& edited = tool();
    const long banque = uniquenessBanque();
    // A tool moved to another bank must be checked there even under its own name.
    const bool moved = edited.kind == kToolCompte && banque != edited.ownerID;
    if ((name != edited.nom || moved) && toolNameTaken(document(), edited.kind, banque, name, edited.ident)) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_NameAlreadyExist")), name, QString(), 1);
        return false;
    }
    return true;
}

void FenEditToolController::OUI(QObject* sender)
{
    Q_UNUSED(sender);
    if (!verifName(m_nom->storedText()))
        return;
    READ();
    endModal(1);
}
