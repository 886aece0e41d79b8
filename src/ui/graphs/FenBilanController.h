#pragma once
// The balance sheet: what the household owns and owes at this moment. The available funds with
// every account of the user's banks and then every cash account (each group by name, case
// ignored), the securities at their value, the loans at what remains to repay (negative), and
// the grand total. It rebuilds itself whenever accounts, securities, loans or transactions
// change, shows any of the document's currencies, prints, and opens the account, security or
// loan of a row on a double click. One window for the program.
#include "toolkit/tables/StdCell.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QLabel>

class DOCUMENT;
class StdImageView;

// One row: its kind, the entity behind it (-1 for a header) and its amount.
struct BilanEntry {
    enum class Type { Dispo, Compte, Titres, Titre, Emprunts, Emprunt };
    Type type = Type::Dispo;
    long ident = -1;
    MONTANT montant;
};
// The rows of the document and their grand total. Recomputes the securities' and the loans'
// totals up to today.
QList<BilanEntry> buildBilanContent(DOCUMENT& doc, MONTANT* total);

class CellBilan : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;
    explicit CellBilan(QWidget* parent = nullptr);

    StdImageView* icone() const { return m_icone; }
    QLabel* label_nom() const { return m_nom; }
    QLabel* label_solde() const { return m_solde; }

private:
    StdImageView* m_icone;
    QLabel* m_nom;
    QLabel* m_solde;
};

class FenBilanController : public StdWindowWithTableController {
    Q_OBJECT
public:
    // Opens the balance sheet, or brings the open one to the front.
    static FenBilanController* openBilan(long devise, bool appear = true);
    static FenBilanController* current();

    const QList<BilanEntry>& contentArray() const { return m_contentArray; }
    const MONTANT& montant_total() const { return m_montantTotal; }

    void didAwakeFromNib() override;
    void windowWillClose() override;
    void FILL() override;
    void buildContent();
    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void OUVRIR(QObject* sender);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    void didDoubleClick1(QObject* sender) override;
    bool canAdjustHeight() const override { return false; }
    bool can_imprimer() const override { return true; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canPrintImages() const override { return true; }
    bool shouldAlignColumns() const override { return true; }
    QWidget* viewTete() override { return m_tete; }

    Q_INVOKABLE void DID_CHANGE_TRANSACT();
    Q_INVOKABLE void compteHasBeenCreated(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void compteHasBeenDeleted(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void compteHasBeenEdited(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void titreHasBeenCreated(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void titreHasBeenModified(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void titreHasBeenDeleted(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void empruntHasBeenCreated(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void empruntHasBeenModified(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void empruntHasBeenDeleted(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void didVerifyDocument();
    Q_INVOKABLE void notifyDidSynchonize(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void notifyNewDay(const QVariant& arg1, const QVariant& arg2);

protected:
    void buildInterface(StdWindow& window) override;

private:
    // The rows the sheet shows at the least.
    static constexpr int kMinimumRows = 10;

    void rebuild();
    void fitToRows();
    void showAmount(QLabel* label, const MONTANT& amount) const;

    QList<BilanEntry> m_contentArray;
    MONTANT m_montantTotal;
    CellBilan m_cell;
    QWidget* m_tete = nullptr;
    QLabel* m_labelDoc = nullptr;
    QLabel* m_labelDate = nullptr;
    QLabel* m_labelSolde = nullptr;
};
