#pragma once
// What one row of a transaction list shows, worked out from the listing line alone: every text
// with its visibility, italic trait, alignment and colour, every picture, the state of the two row
// buttons and the figures of the extra columns. Nothing here touches a widget: the row template
// (CellTransact) only applies a RowContent, so the rules of a row are checked without pixels.
//
// A row is one listing line: a transaction, a schedule or forecast occurrence, or one split line
// of an expanded split transaction (MultiState). The list's account (tID) or, without one, its
// bank (bID), or else the user's own accounts, decide which amount column a transaction fills:
// debit when the listed side is debited, credit when it is credited.
#include "engines/AnalyseMetadata.h"
#include "model/MONTANT.h"

#include <QByteArray>
#include <QColor>
#include <QString>

#include <array>
#include <optional>

class DOCUMENT;
class LISTING;
class TRANSACT;

// The extra columns a row template carries after the amounts: none, the running balance, or the
// figures of a security, a savings account, a loan or a tax.
enum class TransExtraKind { None, Cumul, Titre, Remunere, Emprunt, Taxe };

// The text fields of a row, those of the extra columns included.
enum class RowText {
    field_debit,
    field_credit,
    field_debit_second,
    field_credit_second,
    field_date,
    field_reference,
    field_compte,
    field_poste,
    field_annulee,
    field_doublon,
    field_cumul,
    field_montant_titre,
    field_montant_interet,
    field_montant_cout,
    field_montant_HT_deb,
    field_montant_HT_cre,
    field_montant_TX_deb,
    field_montant_TX_cre,
};
inline constexpr int kRowTextCount = 18;

enum class RowImage {
    image_moyen,
    image_chrono,
    image_compte,
    image_poste,
    image_note,
    image_pointeD,
    image_pointeC,
    image_verrouD,
    image_verrouC,
    image_touched,
    image_placement,
    image_taxe,
    image_poste_multi,
};
inline constexpr int kRowImageCount = 13;

enum class RowButton { button_multi, button_pastille };
inline constexpr int kRowButtonCount = 2;

// The outlet names of the fields, which the row template's widgets carry as object names.
inline constexpr std::array<const char*, kRowTextCount> kRowTextNames {
    "field_debit",           "field_credit",         "field_debit_second",
    "field_credit_second",   "field_date",           "field_reference",
    "field_compte",          "field_poste",          "field_annulee",
    "field_doublon",         "field_cumul",          "field_montant_titre",
    "field_montant_interet", "field_montant_cout",   "field_montant_HT_deb",
    "field_montant_HT_cre",  "field_montant_TX_deb", "field_montant_TX_cre",
};
inline constexpr std::array<const char*, kRowImageCount> kRowImageNames {
    "image_moyen",     "image_chrono",  "image_compte",      "image_poste",   "image_note",
    "image_pointeD",   "image_pointeC", "image_verrouD",     "image_verrouC", "image_touched",
    "image_placement", "image_taxe",    "image_poste_multi",
};
inline constexpr std::array<const char*, kRowButtonCount> kRowButtonNames {"button_multi", "button_pastille"};

// A picture: the application's image of that name, or a logo's PNG bytes; neither shows nothing.
struct RowPicture {
    QString name {};
    QByteArray png {};
    bool isNull() const { return name.isEmpty() && png.isEmpty(); }
    bool operator==(const RowPicture&) const = default;
};

struct RowTextContent {
    bool visible = false;
    QString text {};
    bool italic = false;
    bool alignRight = false;
    // Coloured by the sign of this amount as amounts are everywhere (colorizeForMontant)...
    std::optional<MONTANT> colourBy {};
    // ...or in this colour; neither: the field's own colour.
    QColor colour {};
};

struct RowImageContent {
    bool visible = false;
    RowPicture picture {};
};

// A row button sends its action to the list window with the row as its tag.
struct RowButtonContent {
    bool visible = false;
    long tag = -1;
    QString action {};
    bool on = false; // the split button shows the lines as open
};

struct RowContent {
    std::array<RowTextContent, kRowTextCount> texts;
    std::array<RowImageContent, kRowImageCount> images;
    std::array<RowButtonContent, kRowButtonCount> buttons;
    // The left band: black at this opacity, darker on split lines.
    double boxLeftAlpha = 0.03;
    // The running balance is not shown ("-"): an expanded head or a split line outside the filter.
    bool hide_solde = false;

    RowTextContent& text(RowText field) { return texts[size_t(field)]; }
    const RowTextContent& text(RowText field) const { return texts[size_t(field)]; }
    RowImageContent& image(RowImage view) { return images[size_t(view)]; }
    const RowImageContent& image(RowImage view) const { return images[size_t(view)]; }
    RowButtonContent& button(RowButton control) { return buttons[size_t(control)]; }
    const RowButtonContent& button(RowButton control) const { return buttons[size_t(control)]; }
};

// One line to paint with everything the list knows of it. The schedule editor paints its
// custom-occurrence rows from such lines; a list works them out from its listing (computeRow).
struct TransLine {
    const TRANSACT* rec = nullptr;
    long row = -1;
    StorageKind storageType = StorageKind::Transact;
    long tID = -1; // the list's account; -1 none
    long bID = -1; // the list's bank, used without an account; -1 none
    bool valide = true; // the amount counts (not an expanded head, not a split line outside the filter)
    bool isMain = true; // the transaction's own line, not one of its split lines
    bool expand = false; // the head of an expanded split transaction
    long multiIndex = -1; // the split line of a split-line row
    MONTANT solde {}; // the line's amount
    long nb_add_cols = 0; // extra columns; the running balance shows only with one or more
    MONTANT cumul {};
    long devise = 0;
    const DeviseList* devHdl = nullptr;
    bool showUnit = false;
    long pID = -1; // the list's category; -1 none
    long pchrono_index = -1;
    bool has_texte = false; // a forecast row has details to show (the pastille button)
};

// One row of a listing, as the list window asks for it.
struct RowRequest {
    const LISTING* listing = nullptr;
    long row = -1;
    long tID = -1;
    long bID = -1;
    long pID = -1;
    long nb_add_cols = 1;
    long devise = 0;
    const DeviseList* devHdl = nullptr;
    bool showUnit = false;
    TransExtraKind extra = TransExtraKind::Cumul;
};

// The texts of the cancelled and duplicate marks.
QString annuleeText();
QString doublonText();

// The basic row: date, reference, means, account, category, amounts and state icons. The forecast
// of a forecast row is looked up in the document; a missing one is logged and the row painted
// without it.
RowContent paintBasicTrans(const TransLine& line, const DOCUMENT& doc);
// Fills the extra columns of that kind into a basic row (whose hide_solde it reads).
void paintTransExtra(TransExtraKind kind, const TransLine& line, RowContent& content, const DOCUMENT& doc);
// The basic row, then its extra columns.
RowContent paintStdTransWithCumul(const TransLine& line, TransExtraKind kind, const DOCUMENT& doc);
// The line a listing row stands for: its transaction, amount and split-line flags; none outside the
// listing's rows or when the row's transaction is missing.
std::optional<TransLine> transLineForRow(const RowRequest& request, const DOCUMENT& doc);
// The whole row; none when there is nothing to paint (no listing, a row outside it).
std::optional<RowContent> computeRow(const RowRequest& request, const DOCUMENT& doc);

// Whether the listed account (tID), else the listed bank (bID), else the user's accounts are on
// the debit side (deb) and on the credit side (cre) of the line's transaction.
struct LineSides {
    bool deb = false;
    bool cre = false;
};
LineSides lineDebitCredit(const TransLine& line, const DOCUMENT& doc);
// Both fields emptied and shown, then the amount ("-" when null, never with its unit) in field1
// when deb and in field2 when cre.
void paintMontantAux(RowContent& content, const MONTANT& amount, LineSides sides, const TransLine& line, RowText field1,
                     RowText field2);

// Spaces runs reduced to one: the reference, " - " and the label when both are there.
QString referenceText(const QString& ref, const QString& why);
// A split line's share of its transaction: the line's amount over the transaction's, in the
// current currency slot; 0 when the transaction's amount is null.
double splitRatio(const MONTANT& line, const MONTANT& solde);
