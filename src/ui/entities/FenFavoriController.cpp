#include "entities/FenFavoriController.h"

#include "entities/AskedRecord.h"
#include "entities/FenEditFavoriController.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/tables/selectAfterDelete.h"
#include "toolkit/windows/listlayout.h"
#include "toolkit/windows/windowutils.h"

#include "document/favoris.h"
#include "foundation/localized.h"

#include <QFileInfo>
#include <QHBoxLayout>

FenFavoriController* FenFavoriController::openFavoris(bool appear, long devise)
{
    return openEntityWindow<FenFavoriController>(appear, devise);
}

void FenFavoriController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenFavori"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenFavori_titre")));
    StdTableView* table = makeListTable(window, CellFavori::kHeight, 360, 8);
    auto* transfer = new QHBoxLayout;
    auto* buttons = new QHBoxLayout;
    addCommandButtons(*this, window, *transfer,
                      {{"FenFavori_importer", "IMPORTER:"}, {"FenFavori_exporter", "EXPORTER:"}});
    transfer->addStretch();
    buttons->addStretch();
    addCommandButtons(*this, window, *buttons,
                      {{"FenFavori_connexion", "CONNEXION:"},
                       {"FenFavori_supprimer", "SUPPRIMER:"},
                       {"FenFavori_modifier", "MODIFIER:"},
                       {"FenFavori_nouveau", "NOUVEAU:"}});
    layOutList(window, table, buttons, transfer);
}

int FenFavoriController::numberOfRowsInTableView1(StdTableView*)
{
    return int(nbFavoris());
}

StdCell* FenFavoriController::viewForTableColumn1(StdTableView*, int row)
{
    if (row < 0 || row >= nbFavoris())
        return nullptr;
    m_cell.fill(favoris().at(row).nom);
    return &m_cell;
}

QColor FenFavoriController::getPatColor1(int)
{
    return QColor::fromRgbF(0.8509804f, 0.9019608f, 0.9764706f, 1.0f);
}

bool FenFavoriController::canDeleteSomething() const
{
    return selectedRow(1) >= 0;
}

bool FenFavoriController::deleteInTable(int)
{
    const long before = nbFavoris();
    SUPPRIMER(nullptr);
    return nbFavoris() != before;
}

void FenFavoriController::editInTable(int)
{
    CONNEXION(nullptr);
}

void FenFavoriController::reloadAndSelect(int row)
{
    table1()->reloadData();
    adjustHeight(false);
    table1()->GO(row);
}

void FenFavoriController::NOUVEAU(QObject*)
{
    Favori favori = newFavoriDefault();
    if (editFavoriModal(this, favori))
        reloadAndSelect(int(addFavori(favori)));
}

void FenFavoriController::MODIFIER(QObject*)
{
    const int row = selectedRow(1);
    if (row < 0 || row >= nbFavoris())
        return;
    const Favori asked = favoris().at(row);
    Favori copy = asked;
    if (!editFavoriModal(this, copy))
        return;
    const qsizetype index = askedRecordIndex(favoris(), asked);
    if (index < 0)
        return;
    favoris()[index] = copy;
    reloadAndSelect(int(index));
}

void FenFavoriController::SUPPRIMER(QObject*)
{
    const int row = selectedRow(1);
    if (row < 0 || row >= nbFavoris())
        return;
    const Favori asked = favoris().at(row);
    int code = 0;
    Dialog::confirmation(this, Dialog::keyString(QStringLiteral("kConfirm_SuppFavori")), asked.nom,
                         localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")),
                         localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), QString(), QStringLiteral("favori"), 1,
                         kAlertFirstButton, [&code](int c) { code = c; });
    const qsizetype index = askedRecordIndex(favoris(), asked);
    if (code != kAlertSecondButton || index < 0)
        return;
    const int count = int(nbFavoris());
    removeFavoriAtIndex(index);
    table1()->reloadData();
    table1()->GO(selectAfterDelete(int(index), count));
}

void FenFavoriController::CONNEXION(QObject*)
{
    const int row = selectedRow(1);
    if (row < 0 || row >= nbFavoris())
        return;
    const Favori favori = favoris().at(row);
    if (!favoriUrlIsOpenable(favori.url)) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_FavoriUrlRefusee")), favori.url,
                    QStringLiteral("favori"), 0);
        return;
    }
    openFavoriUrl(favori);
}

QString FenFavoriController::getApplicationFavoriUrlWithMessage()
{
    QString path = existingFavorisFile();
    if (path.isEmpty())
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_CantFindFavoriFile")), QString(),
                    QStringLiteral("favori"), 2);
    return path;
}

void FenFavoriController::reloadApplicationFavoris()
{
    reloadFavoris();
    table1()->reloadData();
    adjustHeight(false);
}

void FenFavoriController::transferAlert(bool ok, const QString& key)
{
    showAlertOK(this, localizedDialogue(key), QString(), QStringLiteral("exporter"), ok ? 1 : 0);
}

void FenFavoriController::IMPORTER(QObject*)
{
    const QString chosen = runOpenPanel(localizedMisc(QStringLiteral("kMisc_OpenTitlePref")),
                                        localizedMisc(QStringLiteral("kMisc_OpenPrompt")), false, {"xml"});
    if (chosen.isEmpty() || getApplicationFavoriUrlWithMessage().isEmpty())
        return;
    const FavorisTransferResult result = importFavorisFrom(chosen);
    transferAlert(result.ok, result.alertKey);
    if (result.ok)
        reloadApplicationFavoris();
}

void FenFavoriController::EXPORTER(QObject*)
{
    const QString file = getApplicationFavoriUrlWithMessage();
    if (file.isEmpty())
        return;
    const QString chosen = runSavePanel(QFileInfo(file).completeBaseName(), QStringLiteral("xml"));
    if (chosen.isEmpty())
        return;
    const FavorisTransferResult result = exportFavorisTo(chosen);
    transferAlert(result.ok, result.alertKey);
}
