#include "entities/FenEditSynonymeController.h"

#include "entities/FenEditToolController.h"
#include "entities/LogoFiller.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/host/editedentity.h"
#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/StdMenu.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/Synonyme.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kSynonyme = QStringLiteral("synonyme");
constexpr int kNoMoyenFamily = 4;

} // namespace

void PopFamilleSynonyme::FILL_MENU()
{
    for (int family = 0; family < kFamilyCount; ++family) {
        if (family != kNoMoyenFamily)
            addItemToMenu(stdMenu(), moyenNameForFamily(family), QStringLiteral("MOYEN:"), familyIconName(family), true,
                          family);
    }
}

Synonyme& FenEditSynonymeController::synonyme() const
{
    return editedEntity<Synonyme>(*getData(), kSynonyme);
}

DOCUMENT& FenEditSynonymeController::document() const
{
    return editedDocument(*getData());
}

void FenEditSynonymeController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditSynonyme"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditSynonyme_titre")));
    auto label = [&window](const char* name) {
        auto* l = new QLabel(&window);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_titleIcone = label("titleIcone");
    m_titleIcone->setFixedSize(LogoFiller::kImageSide, LogoFiller::kImageSide);
    m_nom = new StdTextView(&window);
    m_nom->setObjectName(QStringLiteral("field_nom"));
    m_nom->setMinimumWidth(240);
    m_icone = label("icone");
    m_icone->setFixedSize(20, 20);
    m_family = label("field_family");
    auto* popFamily = new PopFamilleSynonyme(&window);
    popFamily->setObjectName(QStringLiteral("pop_family"));
    m_logo = label("field_logo");
    auto* popLogo = new PopLogo(&window);
    popLogo->setObjectName(QStringLiteral("pop_logo"));
    auto* familyRow = new QHBoxLayout;
    familyRow->addWidget(m_icone);
    familyRow->addWidget(m_family, 1);
    familyRow->addWidget(popFamily);
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_logo, 1);
    logoRow->addWidget(popLogo);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditSynonyme_nom")), m_nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditSynonyme_family")), familyRow);
    form->addRow(localizedAppl(QStringLiteral("FenEditSynonyme_logo")), logoRow);
    auto* top = new QHBoxLayout;
    top->addWidget(m_titleIcone, 0, Qt::AlignTop);
    top->addLayout(form, 1);

    layOutEditor(*this, window, {top});
}

void FenEditSynonymeController::FILL()
{
    StdWindowController::FILL();
    m_nom->setStoredText(synonyme().nom);
    FILL_FAMILY();
    FILL_LOGO();
}

void FenEditSynonymeController::FILL_FAMILY()
{
    m_family->setText(moyenNameForFamily(synonyme().family));
    m_icone->setPixmap(StdPopUp::itemImage(familyIconName(synonyme().family)).pixmap(20, 20));
    if (auto* pop = outlet<StdPopUp>(QStringLiteral("pop_family")))
        pop->setSelectedTag(synonyme().family);
}

void FenEditSynonymeController::FILL_LOGO()
{
    LogoFiller::fill(synonyme().logoID, &document(), StdPopUp::itemImage(QStringLiteral("renommer")), m_logo,
                     m_titleIcone, outlet<PopLogo>(QStringLiteral("pop_logo")));
}

void FenEditSynonymeController::MOYEN(QObject* item)
{
    synonyme().family = int(StdMenu::tagOf(item));
    FILL_FAMILY();
}

void FenEditSynonymeController::LOGO(QObject* item)
{
    synonyme().logoID = LogoFiller::chosenLogo(item);
    FILL_LOGO();
}

bool FenEditSynonymeController::READ()
{
    StdWindowController::READ();
    synonyme().nom = m_nom->storedText();
    return true;
}

bool editSynonyme(StdWindowController* parent, Synonyme& synonyme, DOCUMENT& doc)
{
    return StdWindowController::pushModal<FenEditSynonymeController>(parent, editedEntityData(kSynonyme, synonyme, doc),
                                                                     parent ? parent->devise() : 0)
        == 1;
}
