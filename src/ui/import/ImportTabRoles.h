#pragma once
// What the tab import editor knows of its grid: the role of each column, what each cell of a
// column with a role reads as, the file's texts mapped to the document's entities, the rows left
// out, and the records the valid rows make. Widget-free: it works on the grid's cells (display
// positions) and the document, and asks its questions through an Asker, so the window and the
// tests drive the same logic.
//
// A cell's value is the text shown (rewritten once understood), its initialValue the file's
// text, its associatedObject what it reads as and its associatedNeed the text a question must
// map. A column header's associatedObject is its kind and its value the kind's name. An
// invalidated row header is a row the user left out; invalidatedImplicit marks what an invalid
// cell or column drags along. A kind belongs to one column at most.
//
// Records carry dates as "dd/MM/yyyy" (the import reads day-month-year whatever the locale) and
// amounts with the decimals of their currency.
#include "import/ImportCellReader.h"
#include "import/ImportReplacements.h"

#include "import/ImportConfiguration.h"
#include "import/ImportRecord.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class CellObject;
class DOCUMENT;
class TableurCells;

// Codes that end a question.
inline constexpr long kAskImportOK = 1;
inline constexpr long kAskImportStop = 0;
inline constexpr long kAskImportAcceder = 2;
inline constexpr long kAskImportInvalider = 3;

class ImportTabRoles {
public:
    // Receives the code that ended a question and, after OK, the answer.
    using AskEndBlock = std::function<void(long code, qint64 answer)>;

    // The questions for a text that matches nothing, each calling its block once answered.
    class Asker {
    public:
        virtual ~Asker() = default;
        virtual void askForDevise(const QString& old, const AskEndBlock& endBlock) = 0;
        virtual void askForCompte(const QString& old, const AskEndBlock& endBlock) = 0;
        virtual void askForPoste(const QString& old, const AskEndBlock& endBlock) = 0;
        virtual void askForMoyen(const QString& old, const AskEndBlock& endBlock) = 0;
        virtual void askForFiscal(const QString& old, const AskEndBlock& endBlock) = 0;
        // The list window where the user creates what the document lacks; none for payment means.
        virtual void openEntityWindow(ImportNeed need) = 0;
    };

    ImportTabRoles(TableurCells& cells, DOCUMENT& doc, long devise);

    void setAsker(Asker* asker) { m_asker = asker; }
    bool globalStop() const { return m_globalStop; }
    void setGlobalStop(bool stop) { m_globalStop = stop; }
    ImportReplacements& replacements() { return m_replacements; }
    const ImportReplacements& replacements() const { return m_replacements; }
    ImportCellReader& reader() { return m_reader; }

    // ---- Roles.

    // The kind of the column; none when it has no role.
    std::optional<ImportRubrique> rubriqueOfColumn(long column) const;
    // Gives the column the kind (NotAffected takes its role away), checks its cells and, with
    // reactToNeeds, asks for the texts that match nothing.
    void RUBRIQUE(ImportRubrique kind, long columnIndex, bool reactToNeeds);
    // The header and every cell back to the file's text and the validity of its row; no role.
    void revertColumn(long column);
    void revertAllColumns();
    void revertColumnsDoublonWithRubrique(ImportRubrique kind, long except);
    void resetColumnValidationAtIndex(long column);
    void revertValueOfCell(CellObject& cell);
    // Every column with a role checked again, stopping at a declined question.
    void reactToGlobalChangeValidation(bool reactToNeeds);
    // After rows were left out or taken back: the columns checked again with questions.
    void reactToRowChangeValidation();
    // After a configuration was loaded: the columns checked again, first silently, then asking
    // for what is still unmatched.
    void reactToChangeConfiguration();

    // ---- Rows.

    void ACTIVATE_ROW(bool activate, long rowIndex);
    void ACTIVATE_ROWS(bool activate, const QList<long>& rows);

    // ---- What follows from the roles.

    void implicitInvalidations();
    // Takes from other columns the roles the kind excludes.
    void implicitInvalidationsForRubrique(ImportRubrique kind);
    // The account pop-up shows the account imported into: it has a say only when amounts are
    // signed against a counterpart.
    bool comptePopUpEnabled() const;
    // A date, an amount and a counterpart (or a debit and a credit account).
    bool canImport() const;
    // One record per row neither left out nor invalid: every column with a role, in order.
    ImportRecords buildFinalImportArray() const;

    // ---- Answers: the text stands for the value from now on, and every column of that entity
    // is checked again (asking for the next unmatched text with reactToNeeds).

    void reactToChoiceOfDevise(const QString& text, qint64 devise, bool reactToNeeds);
    void reactToChoiceOfCompte(const QString& text, qint64 compteID, bool reactToNeeds);
    // The cell that raised the question is valid at once with the new category.
    void reactToChoiceOfPoste(CellObject& cell, qint64 newPosteID, const QString& text, bool reactToNeeds);
    void reactToChoiceOfMoyen(const QString& text, qint64 family, bool reactToNeeds);
    void reactToChoiceOfFiscal(const QString& text, qint64 fiscalID, bool reactToNeeds);
    // The cell menu's choice: the cell's text mapped without further questions.
    void mapCell(CellObject& cell, ImportNeed need, qint64 value);

    // ---- Questions for the first cell of a pass that needed an entity.

    void reactToNeedOfDevise(CellObject& cell, ImportRubrique kind, long columnIndex);
    void reactToNeedOfCompte(CellObject& cell, ImportRubrique kind, long columnIndex);
    void reactToNeedOfPoste(CellObject& cell, ImportRubrique kind, long columnIndex);
    void reactToNeedOfMoyen(CellObject& cell, ImportRubrique kind, long columnIndex);
    void reactToNeedOfFiscal(CellObject& cell, ImportRubrique kind, long columnIndex);

    // ---- Configurations.

    ImportConfiguration makeImportConfigurationDataDictionary() const;
    // The mappings, then the roles of the columns the grid has; reactToChangeConfiguration
    // checks them.
    void applyConfiguration(const ImportConfiguration& configuration);

    // ---- Checking one cell under a kind; each answers whether the text was understood, rewrites
    // the cell and, for an unmatched text, remembers the first cell of the pass that needs it.

    bool validateMontantCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingDevise);
    bool validateDateCell(CellObject& cell, ImportRubrique kind);
    bool validateCompteCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingCompte);
    bool validatePosteCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingPoste);
    bool validateReferenceCell(CellObject& cell, ImportRubrique kind);
    bool validateInformationCell(CellObject& cell, ImportRubrique kind);
    bool validateMoyenCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingMoyen);
    bool validateDeviseCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingDevise);
    bool validateFiscalCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingFiscal);

    void validateCell(CellObject& cell, bool valide);
    void validateCell(CellObject& cell, const QVariant& associatedObject);
    void changeValueOfCell(CellObject& cell, const QString& value);

    // The entity a kind's texts name; none for amounts without currency, dates and texts.
    static std::optional<ImportNeed> needOfRubrique(ImportRubrique kind);
    static bool rubriqueConcerns(ImportRubrique kind, ImportNeed need);

private:
    using NeedCells = std::array<CellObject*, kImportNeedCount>;

    void setColumnRubrique(long column, ImportRubrique kind);
    void validateColumn(long column, ImportRubrique kind, NeedCells& needs);
    void needsCell(CellObject& cell, const QString& text, CellObject** firstNeeding);
    void reactToNeeds(const NeedCells& needs);
    // What every question's block does with its code; OK goes to the entity's reactToChoiceOf.
    void reactToAnswer(ImportNeed need, CellObject& cell, long code, qint64 value);
    void mapText(ImportNeed need, CellObject& cell, const QString& text, qint64 value, bool reactToNeeds);
    void reactToChoice(ImportNeed need, const QString& text, qint64 value, bool reactToNeeds);
    void revalidateColumnsOf(ImportNeed need, bool reactToNeeds);
    bool isRowValid(long row) const;
    bool rowInvalidElsewhere(long row, long column) const;
    bool hasColumnOfKind(ImportRubrique kind) const;
    QString montantText(double value, long slot, bool withUnit) const;

    TableurCells& m_cells;
    DOCUMENT& m_doc;
    long m_devise;
    Asker* m_asker = nullptr;
    bool m_globalStop = false;
    ImportReplacements m_replacements;
    ImportCellReader m_reader;
};
