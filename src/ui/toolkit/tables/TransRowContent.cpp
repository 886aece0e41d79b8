#include "toolkit/tables/TransRowContent.h"

#include "toolkit/tables/CellTransactExtraController.h"
#include "toolkit/tables/CellTransactExtraEmpruntController.h"
#include "toolkit/tables/CellTransactExtraRemunereController.h"
#include "toolkit/tables/CellTransactExtraTaxeController.h"
#include "toolkit/tables/CellTransactExtraTitreController.h"

#include "toolkit/drawing/Constants.h"

#include "engines/LISTING.h"
#include "foundation/dateformat.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/Logo.h"
#include "model/POSTE.h"
#include "model/Prevision.h"
#include "model/ReleveCompute.h"
#include "model/Synonyme.h"
#include "model/TOOL.h"

#include <QRegularExpression>

#include <cmath>

namespace {

constexpr int kDateStyleShort = 1;
constexpr int kTimeStyleNone = 0;
constexpr double kSplitBandAlpha = 0.2;
constexpr double kMainBandAlpha = 0.03;

const DeviseList& devisesOf(const TransLine& line, const DOCUMENT& doc)
{
    return line.devHdl ? *line.devHdl : doc.deviseHdl;
}

void setAmountsItalic(RowContent& content, bool italic)
{
    content.text(RowText::field_debit).italic = italic;
    content.text(RowText::field_credit).italic = italic;
}

const Prevision* findPrevision(long ident, const DOCUMENT& doc)
{
    for (const Prevision& prevision : doc.previsionsArray) {
        if (prevision.ident == ident)
            return &prevision;
    }
    return nullptr;
}

// The amount a forecast row was planned for, under what remains of it; else the transaction's.
MONTANT referenceMontant(const TransLine& line, const DOCUMENT& doc)
{
    if (line.storageType != StorageKind::Prevision)
        return line.rec->solde;
    if (const Prevision* prevision = findPrevision(line.rec->previsionID, doc))
        return prevision->transact.solde;
    svLog(QStringLiteral("*** paintBasicTrans : prévision à NULL"));
    return line.rec->solde;
}

RowPicture logoOr(long logoID, const QString& name, const DOCUMENT& doc)
{
    if (logoID >= 0)
        return {QString(), Logo::logoImageWithIdent(logoID, doc)};
    return {name, QByteArray()};
}

RowPicture posteImage(long posteID, const DOCUMENT& doc)
{
    const POSTE* poste = POSTE::posteWithIdent(posteID, doc);
    return poste ? logoOr(poste->logoID, QStringLiteral("poste"), doc) : RowPicture();
}

// A cheque book or card is looked up without making the account's payment-means record that the
// entry window makes when it is missing: painting never changes the document.
const VARIANTE* findVariante(const TRANSACT& t, const DOCUMENT& doc)
{
    int family = t.moyen;
    if (family == kFamilyVirementInterne || family == kFamilyGuichetDebit)
        family = kFamilyChequeDebit;
    for (const MOYEN& moyen : doc.moyenHdl) {
        if (moyen.kind != family || moyen.compte != t.who1)
            continue;
        long index = 0;
        return VARIANTE::findVariante(t.variante, moyen.variantes, &index) ? &moyen.variantes[index] : nullptr;
    }
    return nullptr;
}

RowPicture moyenImage(const TRANSACT& t, const DOCUMENT& doc)
{
    if (t.isInit)
        return {QStringLiteral("initialisation"), QByteArray()};
    if (const Synonyme* synonyme
        = t.synonymeID >= 0 ? Synonyme::synonymeWithIdent(t.synonymeID, doc.synonymeArray) : nullptr) {
        if (const SynonymeImage image = synonyme->synonymeImage(&doc); !image.isNull())
            return {image.name, image.png};
    }
    if (const VARIANTE* variante = t.variante >= 0 ? findVariante(t, doc) : nullptr;
        variante && variante->logoID >= 0) {
        if (const VarianteImage image = variante->getImageForFamily(t.moyen, &doc); !image.isNull())
            return {image.name, image.png};
    }
    return {familyIconName(t.moyen), QByteArray()};
}

RowPicture compteImage(long compteID, const DOCUMENT& doc)
{
    const TOOL* compte = TOOL::getTool(kToolCompte, compteID, &doc);
    return compte ? logoOr(compte->logoIdent, compte->getToolPictureName(&doc), doc) : RowPicture();
}

void show(RowContent& content, RowImage view, const QString& name)
{
    content.image(view) = {true, {name, QByteArray()}};
}

void paintSplitLine(const TransLine& line, LineSides sides, RowContent& content, const DOCUMENT& doc)
{
    setAmountsItalic(content, !line.valide);
    content.hide_solde = !line.valide;
    paintMontantAux(content, line.solde, sides, line, RowText::field_debit, RowText::field_credit);
    content.boxLeftAlpha = kSplitBandAlpha;
    const MULTI* multi = line.rec->multiAtIndex(line.multiIndex);
    const long posteID = multi ? multi->posteID : -1;
    RowTextContent& poste = content.text(RowText::field_poste);
    poste = {.visible = true, .text = POSTE::getPosteNameNS(posteID, doc), .alignRight = true};
    RowImageContent& image = content.image(RowImage::image_poste_multi);
    image.visible = true;
    image.picture
        = multi && !multi->multiNote.isEmpty() ? RowPicture {QStringLiteral("note"), {}} : posteImage(posteID, doc);
}

void paintMainAmounts(const TransLine& line, LineSides sides, const MONTANT& reference, RowContent& content,
                      const DOCUMENT& doc)
{
    const bool forecast = line.storageType == StorageKind::Prevision;
    const long n = line.rec->nbMultis();
    if (n >= 1 && line.expand) {
        setAmountsItalic(content, true);
        content.hide_solde = true;
    } else if (n >= 1 || forecast) {
        if (forecast || !MONTANT::sameMontant(reference, line.solde, false, devisesOf(line, doc))) {
            for (RowText second : {RowText::field_debit_second, RowText::field_credit_second})
                content.text(second) = {.visible = true, .italic = true, .alignRight = true};
            paintMontantAux(content, reference, sides, line, RowText::field_debit_second, RowText::field_credit_second);
        }
    }
    paintMontantAux(content, line.solde, sides, line, RowText::field_debit, RowText::field_credit);
}

void paintStateIcons(const TransLine& line, RowContent& content, const DOCUMENT& doc)
{
    const TRANSACT& t = *line.rec;
    if (t.releveID1 >= 0)
        show(content, RowImage::image_pointeD, QStringLiteral("pointe"));
    if (t.releveID2 >= 0)
        show(content, RowImage::image_pointeC, QStringLiteral("pointe"));
    // Each side on its own: both sides of a transfer can be locked.
    if (!transactCanPointerAux(t.releveID1, t.who1, &doc))
        show(content, RowImage::image_verrouD, QStringLiteral("cadenas"));
    if (!transactCanPointerAux(t.releveID2, t.who2, &doc))
        show(content, RowImage::image_verrouC, QStringLiteral("cadenas"));
    if (line.storageType == StorageKind::Transact) {
        const bool placement = t.titreID != -1 || t.remunereID != -1 || t.empruntID != -1;
        const bool taxe = t.taxeID != -1;
        if (taxe && placement)
            show(content, RowImage::image_taxe, QStringLiteral("taxe"));
        if (placement || taxe)
            show(content, RowImage::image_placement, placement ? QStringLiteral("placement") : QStringLiteral("taxe"));
    }
    const bool notes = !t.note.isEmpty()
        || std::any_of(t.multis.cbegin(), t.multis.cend(), [](const MULTI& m) { return !m.multiNote.isEmpty(); });
    if (notes)
        show(content, RowImage::image_note, QStringLiteral("note"));
    if (t.importID >= 0)
        show(content, RowImage::image_touched,
             t.importTouched ? QStringLiteral("import_touched") : QStringLiteral("import_not_touched"));
    else if (t.synchroID != 0)
        show(content, RowImage::image_touched, QStringLiteral("import_synchro"));
}

void paintButtons(const TransLine& line, RowContent& content)
{
    if (line.storageType == StorageKind::Prevision)
        content.button(RowButton::button_pastille)
            = {.visible = line.has_texte, .tag = line.row, .action = QStringLiteral("PASTILLE:")};
    if (line.rec->nbMultis() > 0)
        content.button(RowButton::button_multi)
            = {.visible = true, .tag = line.row, .action = QStringLiteral("multiAction:"), .on = line.expand};
}

void paintMainLine(const TransLine& line, LineSides sides, RowContent& content, const DOCUMENT& doc)
{
    const TRANSACT& t = *line.rec;
    content.text(RowText::field_date)
        = {.visible = true, .text = dateToStringWithStyles(kDateStyleShort, kTimeStyleNone, t.when)};
    content.text(RowText::field_reference) = {.visible = true, .text = referenceText(t.ref, t.why)};
    content.image(RowImage::image_moyen) = {true, moyenImage(t, doc)};
    if (t.chronoID >= 0)
        show(content, RowImage::image_chrono, QStringLiteral("calendrier"));
    const long counterpart = sides.deb ? t.who2 : t.who1;
    content.text(RowText::field_compte) = {.visible = true, .text = getToolNameNS(kToolCompte, counterpart, &doc)};
    content.image(RowImage::image_compte) = {true, compteImage(counterpart, doc)};
    const bool split = t.nbMultis() > 0;
    content.text(RowText::field_poste)
        = {.visible = true, .text = split ? QStringLiteral("...") : POSTE::getPosteNameNS(t.posteID, doc)};
    content.image(RowImage::image_poste) = {true, split ? RowPicture() : posteImage(t.posteID, doc)};
    content.boxLeftAlpha = kMainBandAlpha;
    paintButtons(line, content);
    paintStateIcons(line, content, doc);
}

} // namespace

LineSides lineDebitCredit(const TransLine& line, const DOCUMENT& doc)
{
    LineSides sides;
    if (line.tID >= 0)
        line.rec->checkDebitCredit(line.tID, &sides.deb, &sides.cre, &doc);
    else if (line.bID >= 0)
        line.rec->checkDebitCreditB(line.bID, &sides.deb, &sides.cre, &doc);
    else
        line.rec->checkDebitCredit(-1, &sides.deb, &sides.cre, &doc);
    return sides;
}

void paintMontantAux(RowContent& content, const MONTANT& amount, LineSides sides, const TransLine& line, RowText field1,
                     RowText field2)
{
    const QString text = amount.nullMontant() ? QStringLiteral("-")
                                              : montantToStringForDevise(amount, line.devise, line.devHdl, false);
    for (const auto& [field, shown] : {std::pair {field1, sides.deb}, std::pair {field2, sides.cre}}) {
        RowTextContent& target = content.text(field);
        target.visible = true;
        target.alignRight = true;
        target.text = shown ? text : QString();
    }
}

QString annuleeText()
{
    return localizedAppl(QStringLiteral("SAISIE_ANNULEE"));
}

QString doublonText()
{
    return localizedAppl(QStringLiteral("Doublon"));
}

QString referenceText(const QString& ref, const QString& why)
{
    QString text = ref.isEmpty() ? why : why.isEmpty() ? ref : ref + QStringLiteral(" - ") + why;
    static const QRegularExpression spaces(QStringLiteral(" {2,}"));
    return text.replace(spaces, QStringLiteral(" "));
}

double splitRatio(const MONTANT& line, const MONTANT& solde)
{
    const long slot = MONTANT::currentDeviseSlot();
    const double whole = solde.getValueForDevise(slot);
    if (solde.nullMontant() || whole == 0.0)
        return 0.0;
    const double ratio = line.getValueForDevise(slot) / whole;
    return std::isfinite(ratio) ? ratio : 0.0;
}

RowContent paintBasicTrans(const TransLine& line, const DOCUMENT& doc)
{
    RowContent content;
    for (RowText amount : {RowText::field_debit, RowText::field_credit})
        content.text(amount) = {.visible = true, .alignRight = true};
    if (!SV_ASSERT(line.rec))
        return content;
    const LineSides sides = lineDebitCredit(line, doc);
    const MONTANT reference = referenceMontant(line, doc);
    if (line.isMain) {
        paintMainAmounts(line, sides, reference, content, doc);
        paintMainLine(line, sides, content, doc);
    } else {
        paintSplitLine(line, sides, content, doc);
    }
    const QColor markColour(190, 40, 40);
    content.text(RowText::field_annulee)
        = {.visible = line.rec->annulation, .text = annuleeText(), .colour = markColour};
    content.text(RowText::field_doublon)
        = {.visible = line.rec->importDoublon, .text = doublonText(), .colour = markColour};
    return content;
}

void paintTransExtra(TransExtraKind kind, const TransLine& line, RowContent& content, const DOCUMENT& doc)
{
    switch (kind) {
    case TransExtraKind::None:
        return;
    case TransExtraKind::Cumul:
        CellTransactExtraController::paintTransExtra(line, content, doc);
        return;
    case TransExtraKind::Titre:
        CellTransactExtraTitreController::paintTransExtra(line, content, doc);
        return;
    case TransExtraKind::Remunere:
        CellTransactExtraRemunereController::paintTransExtra(line, content, doc);
        return;
    case TransExtraKind::Emprunt:
        CellTransactExtraEmpruntController::paintTransExtra(line, content, doc);
        return;
    case TransExtraKind::Taxe:
        CellTransactExtraTaxeController::paintTransExtra(line, content, doc);
        return;
    }
}

RowContent paintStdTransWithCumul(const TransLine& line, TransExtraKind kind, const DOCUMENT& doc)
{
    RowContent content = paintBasicTrans(line, doc);
    if (line.rec)
        paintTransExtra(kind, line, content, doc);
    return content;
}

std::optional<TransLine> transLineForRow(const RowRequest& request, const DOCUMENT& doc)
{
    const POS* pos = listingPosAtIndex(request.listing, request.row);
    StorageKind storage = StorageKind::Transact;
    const TRANSACT* rec = listingTransactAtIndex(request.listing, request.row, &doc, &storage);
    if (!pos || !rec)
        return std::nullopt;
    const ListingLine flags = listingLineMontant(request.listing, request.row, rec);
    TransLine line {.rec = rec,
                    .row = request.row,
                    .storageType = storage,
                    .tID = request.tID,
                    .bID = request.bID,
                    .valide = flags.counts,
                    .isMain = flags.isTransactionRow,
                    .expand = flags.isExpandedHead,
                    .multiIndex = flags.multiIndex,
                    .solde = flags.amount,
                    .nb_add_cols = request.nb_add_cols,
                    .devise = request.devise,
                    .devHdl = request.devHdl,
                    .showUnit = request.showUnit,
                    .pID = request.pID,
                    .pchrono_index = pos->pchronoIndex,
                    .has_texte = !pos->metadataArray.isEmpty()};
    if (request.nb_add_cols >= 1)
        listingCumulAtIndex(request.listing, request.row, line.cumul);
    return line;
}

std::optional<RowContent> computeRow(const RowRequest& request, const DOCUMENT& doc)
{
    const std::optional<TransLine> line = transLineForRow(request, doc);
    if (!line)
        return std::nullopt;
    return paintStdTransWithCumul(*line, request.extra, doc);
}
