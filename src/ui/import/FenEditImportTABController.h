#pragma once
// The window in which a tab-separated or CSV bank file is made ready for import: its rows in the
// spreadsheet grid, a role for each column (from the column's menu), the texts that match nothing
// in the document mapped to its entities (through questions, or the cell's menu), rows left out
// (from the row headers' menu), and the import button, which hands the valid rows on as records.
// Roles and mappings may be saved and loaded as the document's import configurations; the active
// one is saved again when the window closes.
//
// What the grid's cells mean is ImportTabRoles' business; the window shows it, asks the questions
// and runs the menus. Window data: "globalArray" the rows (ImportRows), "cID" the account
// imported into, "format" 0 or 1, "endBlock" the block that receives the records (never called
// when the window closes without importing).
#include "import/ImportTabRoles.h"
#include "spreadsheet/FenTableurController.h"

#include "import/ImportServices.h"

#include <QPointer>

#include <memory>

class CellObject;
class PopHelp;
class PopImportConfiguration;
class QLabel;
class StdMenu;
class StdPopUp;

class FenEditImportTABController : public FenTableurController, public ImportTabRoles::Asker {
    Q_OBJECT
public:
    FenEditImportTABController();
    ~FenEditImportTABController() override;

    ImportTabRoles& roles() { return *m_roles; }
    QString nibName() const { return QStringLiteral("FenEditImportTAB"); }
    QString titleString() const;
    QString getActiveConfiguration() const { return m_activeConfiguration; }
    QStringList getAllConfigurations() const;

    // ---- The grid's data source.

    long numberOfRowsInDataSource() const override;
    long numberOfColumnsInDataSource() const override;
    QString valueAtRowInDataSource(long row, long column) const override;
    float defaultHeightOfRow(long) const override { return 19; }
    // Room for the roles' names.
    float defaultHeightOfColumnHeader() const override { return 34; }
    float defaultWidthOfColumn(long) const override { return 110; }
    long defaultNumberOfRowsPerPage() const override { return 300; }
    bool allowMultiColumnsSelection() const override { return false; }
    bool allowMultiCellsSelection() const override { return false; }
    bool showMenuOnClickColumn() const override { return true; }
    bool showMenuOnClickCell() const override { return true; }
    QFont fontForCellAtRowIndex(long row, long column, double size) const override;
    unsigned long alignmentForCellAtRowIndex(long row, long column) const override;

    // ---- Menus: built afresh for each opening; tests trigger their items.

    StdMenu* columnMenu(long index);
    StdMenu* rowMenu(long index);
    // None when the cell has nothing to map.
    StdMenu* cellMenu(long row, long column);
    void showColumnMenuAtIndex(long index, const QPoint& globalPos) override;
    void showRowMenuAtIndex(long index, const QPoint& globalPos) override;
    void showCellMenuAtRowIndex(long row, long column, const QPoint& globalPos) override;

    // ---- Actions.

    // A kind from the column's menu: the item's tag is the kind, its represented object the column.
    Q_INVOKABLE void RUBRIQUE(QObject* item);
    void RUBRIQUE(ImportRubrique kind, long columnIndex, bool reactToNeeds);
    // Tag 1 takes the selected rows (or the row of the menu) in again, 0 leaves them out.
    Q_INVOKABLE void ACTIVATE_ROW(QObject* item);
    void ACTIVATE_SELECTED_ROWS(bool activate, long menuRow);
    // The cell menu's choices map the cell's text; elsewhere they are the window's own.
    Q_INVOKABLE void DEVISE(QObject* item) override;
    Q_INVOKABLE void DEBIT(QObject* item);
    Q_INVOKABLE void POSTE(QObject* item);
    Q_INVOKABLE void MOYEN(QObject* item);
    Q_INVOKABLE void TAXE(QObject* item);
    Q_INVOKABLE void CREATE_COMPTED(QObject* item);
    Q_INVOKABLE void CREATE_POSTE(QObject* item);
    Q_INVOKABLE void IMPORTER(QObject* sender);
    // The configurations' pop-up.
    Q_INVOKABLE void ENREGISTRER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    Q_INVOKABLE void CHARGER(QObject* item);
    Q_INVOKABLE void NO_CONFIGURATION(QObject* sender);

    ImportConfiguration makeImportConfigurationDataDictionary() const;
    void saveCurrentConfiguration();
    void resetConfiguration();
    // The import button, and the account pop-up, which has a say only when amounts are signed
    // against a counterpart.
    void updateButtonImport();
    ImportRecords buildFinalImportArray() const { return m_roles->buildFinalImportArray(); }
    // The records the import button built last.
    const ImportRecords& importArray() const { return m_importArray; }

    // ---- The questions (ImportTabRoles::Asker), modal on the editor's window.

    void askForDevise(const QString& old, const ImportTabRoles::AskEndBlock& endBlock) override;
    void askForCompte(const QString& old, const ImportTabRoles::AskEndBlock& endBlock) override;
    void askForPoste(const QString& old, const ImportTabRoles::AskEndBlock& endBlock) override;
    void askForMoyen(const QString& old, const ImportTabRoles::AskEndBlock& endBlock) override;
    void askForFiscal(const QString& old, const ImportTabRoles::AskEndBlock& endBlock) override;
    void openEntityWindow(ImportNeed need) override;

    void didAwakeFromNib() override;
    void FILL() override;
    void fill() override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QWidget* buildHeader(QWidget& window);
    void redraw();
    // The cell whose menu chose the entity mapped to the value; false when the item is not one
    // of the cell menu's (the window's own account pop-up sends DEBIT: too).
    bool mapMenuCell(ImportNeed need, const QObject* item, qint64 value);
    bool isCellMenuItem(ImportNeed need, const QObject* item) const;
    StdPopUp* cellPopUpFor(ImportRubrique kind) const;
    template <class Q> void askWith(const QString& old, const ImportTabRoles::AskEndBlock& endBlock);

    ImportRows m_rows;
    int m_format = 0;
    ImportEndBlock m_endBlock;
    std::unique_ptr<ImportTabRoles> m_roles;
    ImportRecords m_importArray;
    QString m_activeConfiguration;
    bool m_imported = false;
    CellObject* m_associatedMenuCell = nullptr;
    std::unique_ptr<StdMenu> m_cellMenu;
    QPointer<QLabel> m_titre;
    QPointer<QLabel> m_info;
    QPointer<QPushButton> m_buttonImporter;
    QPointer<QLabel> m_labelConfiguration;
    QPointer<PopImportConfiguration> m_popImportConfiguration;
    QPointer<PopHelp> m_popHelp;
    QPointer<StdPopUp> m_popCompte;
    // The standard pop-ups whose menus the cell menu shows, one per entity.
    QPointer<StdPopUp> m_cellPops[kImportNeedCount];
};

Q_DECLARE_METATYPE(ImportRows)
Q_DECLARE_METATYPE(ImportEndBlock)

// Opens the editor on the rows of a tab (0) or CSV (1) file, non-modal.
FenEditImportTABController* openImportTABWindow(const ImportRows& rows, int format, long compteID, long devise,
                                                const ImportEndBlock& endBlock);
