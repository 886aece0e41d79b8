#pragma once
// What a transaction list writes into an export (ListExporter): a header with the currency and
// the criteria, 22 columns for every transaction and every split line, four total lines, and
// the files attached to the listed transactions.
//
// The export reads the list through a context the window hands over on each call, so it never
// holds on to a listing the window rebuilds. Every amount is taken in the window's currency
// slot; debit and credit columns are judged against the list's account. A split transaction is
// always written whole, its own line then every split line, whether the window shows it
// expanded or not.
#include "toolkit/tables/ListExporter.h"

#include <QString>
#include <QStringList>

#include <optional>

class Critere;
class DOCUMENT;
class LISTING;
class MONTANT;
class TOTAUX;
class TRANSACT;

struct TransListExportContext {
    const DOCUMENT& doc;
    const LISTING* listing = nullptr; // null: no rows
    const Critere* criteria = nullptr; // null: no criteria text and no category or folder filter
    long devise = 0; // the window's currency slot
    long debitID = -1; // the list's account; -1: the user's own accounts
    const TOTAUX* totaux = nullptr; // the window's footer totals; null: all zero
};

class TransListExport : public IListExportHooks {
public:
    static constexpr int kColumnCount = 22;

    explicit TransListExport(const TransListExportContext& context);

    // The listing's row count.
    long EXPORTER_SIZE() override;
    // The currency line, an empty line, the criteria and the 22 headings.
    void EXPORTER_TETE(QString& text, int format) override;
    // The lines of the row at index: nothing for a split line's row, else the transaction's own
    // line followed by one line per split line.
    void EXPORTER_LISTE(QString& text, long index, int format) override;
    // One line of the transaction at index: its own line for multiIndex -1, else that split line.
    void EXPORTER_TRANSACT(QString& text, long index, long multiIndex, int format);
    // The pointed, unpointed, total and balance lines from the context's totals.
    void EXPORTER_PIED(QString& text, int format) override;
    // The stored attachments of the document's transactions listed, each once; none when there
    // is none.
    std::optional<QStringList> EXPORTER_ATTACHEMENT_ARRAY() override;

    // A footer line: two empty fields, the label, the debit and credit amounts in the slot and
    // empty fields up to the 22 columns. A window that replaces the footer writes its own lines
    // with it.
    static void appendTotalLine(QString& text, const QString& label, const MONTANT& debit, const MONTANT& credit,
                                long devise, int format);

private:
    // The amount a line writes in its debit or credit column; none for the own line of a split
    // transaction and for a split line outside the criteria's category or folder.
    std::optional<MONTANT> lineAmount(const TRANSACT& t, long multiIndex) const;
    QStringList lineFields(const TRANSACT& t, long multiIndex) const;

    TransListExportContext m_context;
};
