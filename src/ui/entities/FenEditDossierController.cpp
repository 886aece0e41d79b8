#include "entities/FenEditDossierController.h"

#include "entities/FenEditToolController.h"
#include "entities/LogoFiller.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/host/editedentity.h"
#include "toolkit/popups/PopLogo.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {

const QString kPoste = QStringLiteral("poste");

} // namespace

WindowDataPtr posteEditorData(POSTE& poste, DOCUMENT& doc)
{
    return editedEntityData(kPoste, poste, doc);
}

POSTE& FenEditDossierController::edited() const
{
    return editedEntity<POSTE>(*getData(), kPoste);
}

DOCUMENT& FenEditDossierController::document() const
{
    return editedDocument(*getData());
}

void FenEditDossierController::buildInterface(StdWindow& window)
{
    window.setObjectName(QString::fromLatin1(metaObject()->className()).remove(QStringLiteral("Controller")));
    window.setWindowTitle(localizedAppl(titleKey()));
    m_icone = new QLabel(&window);
    m_icone->setObjectName(QStringLiteral("icone"));
    m_icone->setFixedSize(LogoFiller::kImageSide, LogoFiller::kImageSide);
    m_nom = new StdTextView(&window);
    m_nom->setObjectName(QStringLiteral("field_nom"));
    m_nom->setMinimumWidth(260);
    m_persistant = new QCheckBox(localizedAppl(QStringLiteral("FenEditPoste_persistant")), &window);
    m_persistant->setObjectName(QStringLiteral("cb_persistant"));
    m_logo = new QLabel(&window);
    m_logo->setObjectName(QStringLiteral("field_logo"));
    auto* popLogo = new PopLogo(&window);
    popLogo->setObjectName(QStringLiteral("pop_logo"));
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_logo, 1);
    logoRow->addWidget(popLogo);
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditPoste_nom")), m_nom);
    buildExtraRows(*form, window);
    form->addRow(QString(), m_persistant);
    form->addRow(localizedAppl(QStringLiteral("FenEditPoste_logo")), logoRow);
    auto* top = new QHBoxLayout;
    top->addWidget(m_icone, 0, Qt::AlignTop);
    top->addLayout(form, 1);

    layOutEditor(*this, window, {top});
}

void FenEditDossierController::FILL()
{
    StdWindowController::FILL();
    const POSTE& poste = edited();
    m_nom->setStoredText(poste.nom.isEmpty() ? localizedMisc(QStringLiteral("kMisc_DefaultName")) : poste.nom);
    m_nom->selectAll();
    m_persistant->setChecked(poste.permanent);
    FILL_LOGO();
}

void FenEditDossierController::FILL_LOGO()
{
    LogoFiller::fill(edited().logoID, &document(), StdPopUp::itemImage(imageName()), m_logo, m_icone,
                     outlet<PopLogo>(QStringLiteral("pop_logo")));
}

void FenEditDossierController::LOGO(QObject* item)
{
    edited().logoID = LogoFiller::chosenLogo(item);
    FILL_LOGO();
}

bool FenEditDossierController::nameTaken(const QString& name) const
{
    const DossierList& dossiers = document().dossierHdl;
    return std::any_of(dossiers.begin(), dossiers.end(), [&name](const DOSSIER& d) { return d.nom == name; });
}

bool FenEditDossierController::verifName(const QString& name)
{
    if (name.trimmed().isEmpty()) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_NameEmpty")), QString(), imageName(), 1);
        m_nom->setFocus();
        return false;
    }
    if (name != edited().nom && nameTaken(name)) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_NameAlreadyExist")), name, imageName(), 1);
        m_nom->setFocus();
        return false;
    }
    return true;
}

bool FenEditDossierController::READ()
{
    StdWindowController::READ();
    edited().nom = m_nom->storedText();
    edited().permanent = m_persistant->isChecked();
    return true;
}

void FenEditDossierController::OUI(QObject*)
{
    if (!verifName(m_nom->storedText()))
        return;
    READ();
    endModal(1);
}

bool editDossierModal(StdWindowController* parent, POSTE& dossier, DOCUMENT& doc)
{
    return StdWindowController::pushModal<FenEditDossierController>(parent, posteEditorData(dossier, doc),
                                                                    parent ? parent->devise() : 0)
        == 1;
}

long createDossierWithDialog(StdWindowController* parent, DOCUMENT& doc, long* index)
{
    DOSSIER dossier = DOSSIER::allocNewDossier(doc.dossierHdl, -1);
    dossier.nom.clear();
    if (!editDossierModal(parent, dossier, doc))
        return -1;
    const long row = DOSSIER::insertDossier(dossier, doc.dossierHdl);
    if (index)
        *index = row;
    return dossier.ident;
}
