#include "entities/FenLogoController.h"

#include "entities/AskedRecord.h"
#include "entities/FenEditLogoController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Logo.h"
#include "model/LogoFile.h"

#include <QHBoxLayout>

FenLogoController* FenLogoController::openLogos(bool appear)
{
    return openEntityWindow<FenLogoController>(appear);
}

void FenLogoController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenLogo"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenLogo_titre")));
    StdTableView* table = makeListTable(window, CellLogo::kHeight, 320, 6);
    auto* popHelp = new PopHelp(&window);
    popHelp->setObjectName(QStringLiteral("popHelp"));
    popHelp->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_LOGO")));
    popHelp->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_LOGO")));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(popHelp);
    buttons->addStretch();
    addCommandButtons(
        *this, window, *buttons,
        {{"FenLogo_supprimer", "SUPPRIMER:"}, {"FenLogo_modifier", "MODIFIER:"}, {"FenLogo_creer", "CREER:"}});
    layOutList(window, table, buttons);
}

int FenLogoController::numberOfRowsInTableView1(StdTableView*)
{
    const DOCUMENT* doc = currentDocument();
    return doc ? int(doc->logoArray.size()) : 0;
}

StdCell* FenLogoController::viewForTableColumn1(StdTableView*, int row)
{
    const DOCUMENT* doc = currentDocument();
    const Logo* logo = doc ? Logo::logoAtIndex(row, doc->logoArray) : nullptr;
    if (!logo)
        return nullptr;
    m_cell.fill(logo->visibleName, logo->loadImage(*doc));
    return &m_cell;
}

bool FenLogoController::canDeleteSomething() const
{
    return selectedRow(1) >= 0;
}

bool FenLogoController::deleteInTable(int)
{
    const int before = numberOfRowsInTableView1(table1());
    SUPPRIMER(nullptr);
    return numberOfRowsInTableView1(table1()) != before;
}

void FenLogoController::editInTable(int)
{
    MODIFIER(nullptr);
}

void FenLogoController::reloadAndSelect(int row)
{
    table1()->reloadData();
    adjustHeight(false);
    table1()->GO(row);
}

bool FenLogoController::storeChosenPicture(Logo& logo, DOCUMENT& doc)
{
    if (logo.logoImage.isEmpty())
        return true;
    if (logo.storeImage(logo.logoImage, doc))
        return true;
    showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CantStoreLogo")), logo.internalName,
                QStringLiteral("logo"), 0);
    return false;
}

// The list goes to the package at once: the pictures are there already, and a list that names
// them must not wait for the next save of the document.
void FenLogoController::writeLogoList(const DOCUMENT& doc)
{
    if (!saveLogo(doc.documentUrl, doc.logoArray))
        showAlertOK(this, localizedDialogue(QStringLiteral("kOpenDoc_errLogo")), QString(), QStringLiteral("logo"), 0);
}

// Logos are written into the package at once: a document kept without saving keeps its own.
void FenLogoController::CREER(QObject*)
{
    DOCUMENT* doc = currentDocument();
    if (!doc || DocContext::refusesChangeInPackage(this))
        return;
    Logo logo(Logo::newLogoIdent(doc->logoArray));
    if (!editLogoModal(this, logo, *doc) || !storeChosenPicture(logo, *doc))
        return;
    const long row = Logo::insertLogo(logo, doc->logoArray);
    writeLogoList(*doc);
    reloadAndSelect(int(row));
}

// The new picture is written before the old one is removed, so a failed write loses nothing; the
// old file goes only when the logo now names another one.
void FenLogoController::MODIFIER(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const int row = selectedRow(1);
    if (!doc || row < 0 || row >= doc->logoArray.size() || DocContext::refusesChangeInPackage(this))
        return;
    const Logo old = doc->logoArray.at(row);
    Logo copy = old.copyOfLogo();
    if (!editLogoModal(this, copy, *doc))
        return;
    const qsizetype index = askedRecordIndex(doc->logoArray, old);
    if (index < 0 || !storeChosenPicture(copy, *doc))
        return;
    if (copy.internalName != old.internalName)
        old.removeImage(*doc);
    Logo::unInsertLogo(index, doc->logoArray);
    const long newRow = Logo::insertLogo(copy, doc->logoArray);
    writeLogoList(*doc);
    reloadAndSelect(int(newRow));
}

void FenLogoController::SUPPRIMER(QObject*)
{
    DOCUMENT* doc = currentDocument();
    const int row = selectedRow(1);
    if (!doc || row < 0 || row >= doc->logoArray.size() || DocContext::refusesChangeInPackage(this))
        return;
    const Logo asked = doc->logoArray.at(row);
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_SuppLogo")), asked.visibleName,
                         localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(), QStringLiteral("logo"), 1,
                         kAlertFirstButton, [&code](int c) { code = c; });
    const qsizetype index = askedRecordIndex(doc->logoArray, asked);
    if (code != kAlertSecondButton || index < 0)
        return;
    doc->logoArray.at(index).removeImage(*doc);
    Logo::unInsertLogo(index, doc->logoArray);
    writeLogoList(*doc);
    table1()->GO(-1);
    table1()->reloadData();
    adjustHeight(false);
}
