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
#include "import/ImportConfiguration.h"
#include "import/ImportRecord.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

class CellObject;
class DOCUMENT;
class TableurCells;

// The entities a text of the file may have to be mapped to, in the order the questions come.
enum class ImportNeed { Devise, Compte, Poste, Moyen, Fiscal };
inline constexpr int kImportNeedCount = 5;

// Codes that end a question.
inline constexpr long kAskImportOK = 1;
inline constexpr long kAskImportStop = 0;
inline constexpr long kAskImportAcceder = 2;
inline constexpr long kAskImportInvalider = 3;

class ImportTabRoles {
public:
    class Asker {
    public:
        virtual ~Asker() = default;
        // The question for a text that matches nothing: kAskImportOK with the answer set, or
        // another of the codes above.
        virtual long askFor(ImportNeed need, const QString& old, qint64* answer) = 0;
        // The list window where the user creates what the document lacks.
        virtual void openEntityWindow(ImportNeed need) = 0;
    };

    ImportTabRoles(TableurCells& cells, DOCUMENT& doc, long devise);

    void setAsker(Asker* asker) { m_asker = asker; }
    bool globalStop() const { return m_globalStop; }
    void setGlobalStop(bool stop) { m_globalStop = stop; }

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

    // ---- Rows.

    void ACTIVATE_ROW(bool activate, long rowIndex);
    void ACTIVATE_ROWS(bool activate, const QList<long>& rows);

    // ---- What follows from the roles.

    void implicitInvalidations();
    // Takes from other columns the roles the kind excludes.
    void implicitInvalidationsForRubrique(ImportRubrique kind);
    // The account pop-up shows the account imported into: it has a say only when amounts are
    // signed against a counterpart.
    bool comptePopUpEnabled() const { return m_comptePopUpEnabled; }
    // A date, an amount and a counterpart (or a debit and a credit account).
    bool canImport() const;
    // One record per row neither left out nor invalid: every column with a role, in order.
    ImportRecords buildFinalImportArray() const;

    // ---- Mapping texts.

    // The cell's text stands for the value from now on; every column of that entity is checked
    // again, without questions.
    void mapCell(const CellObject& cell, ImportNeed need, qint64 value);
    void addReplacement(ImportNeed need, const QString& text, qint64 value);
    // The value the text is mapped to, only while the document still has it.
    bool findReplacement(ImportNeed need, const QString& text, qint64* value) const;
    void resetReplacements();
    const ImportMappingList& replacements(ImportNeed need) const { return m_replacements[size_t(need)]; }

    void addDeviseReplacement(const QString& text, qint64 slot) { addReplacement(ImportNeed::Devise, text, slot); }
    void addCompteReplacement(const QString& text, qint64 id) { addReplacement(ImportNeed::Compte, text, id); }
    void addPosteReplacement(const QString& text, qint64 id) { addReplacement(ImportNeed::Poste, text, id); }
    void addMoyenReplacement(const QString& text, qint64 family) { addReplacement(ImportNeed::Moyen, text, family); }
    void addFiscalReplacement(const QString& text, qint64 id) { addReplacement(ImportNeed::Fiscal, text, id); }
    bool findDeviseReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Devise, text, v);
    }
    bool findCompteReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Compte, text, v);
    }
    bool findPosteReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Poste, text, v);
    }
    bool findMoyenReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Moyen, text, v);
    }
    bool findFiscalReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Fiscal, text, v);
    }

    // ---- Configurations.

    ImportConfiguration makeImportConfigurationDataDictionary() const;
    // The mappings, then the roles of the columns the grid has, checked without and then with
    // questions.
    void applyConfiguration(const ImportConfiguration& configuration);

    // ---- Checking one cell under a kind; each answers whether the text was understood.

    bool validateMontantCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingDevise);
    bool validateDateCell(CellObject& cell, ImportRubrique kind);
    bool validateCompteCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingCompte);
    bool validatePosteCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingPoste);
    bool validateReferenceCell(CellObject& cell, ImportRubrique kind);
    bool validateInformationCell(CellObject& cell, ImportRubrique kind);
    bool validateMoyenCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingMoyen);
    bool validateDeviseCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingDevise);
    bool validateFiscalCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingFiscal);

    // The entity a kind's texts name; none for amounts without currency, dates and texts.
    static std::optional<ImportNeed> needOfRubrique(ImportRubrique kind);
    static bool rubriqueConcerns(ImportRubrique kind, ImportNeed need);

private:
    using NeedCells = std::array<CellObject*, kImportNeedCount>;

    void setColumnRubrique(long column, ImportRubrique kind);
    void validateColumn(long column, ImportRubrique kind, NeedCells& needs);
    void validateCell(CellObject& cell, bool valide);
    void changeValueOfCell(CellObject& cell, const QString& value);
    void needsCell(CellObject& cell, const QString& text, CellObject** firstNeeding);
    void reactToNeeds(const NeedCells& needs);
    void reactToChoice(ImportNeed need, const CellObject& cell, long code, qint64 value);
    void revalidateColumnsOf(ImportNeed need, bool reactToNeeds);
    bool isRowValid(long row) const;
    bool rowInvalidElsewhere(long row, long column) const;
    bool hasColumnOfKind(ImportRubrique kind) const;
    bool entityExists(ImportNeed need, qint64 value) const;
    QString montantText(double value, long slot, bool withUnit) const;

    TableurCells& m_cells;
    DOCUMENT& m_doc;
    long m_devise;
    Asker* m_asker = nullptr;
    bool m_globalStop = false;
    bool m_comptePopUpEnabled = true;
    std::array<ImportMappingList, kImportNeedCount> m_replacements;
};
