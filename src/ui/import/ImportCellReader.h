#pragma once
// What a text of a bank file reads as under a column's kind of the tab import editor: an amount,
// a date, a text, or one of the document's entities, named by the text or mapped to it in the
// editor's replacement lists. Each reading sets the cell's associatedObject when the text is
// understood and says whether it was; what the cell then shows is the editor's business.
#include "import/ImportRecord.h"
#include "import/ImportReplacements.h"

#include <QString>

class CellObject;
class DOCUMENT;

class ImportCellReader {
public:
    ImportCellReader(const DOCUMENT& doc, const ImportReplacements& replacements);

    // The file's text of the cell as an amount of that kind, with its currency text for the
    // kinds that carry one.
    bool validateMontantForCell(CellObject& cell, ImportRubrique kind, double* montant, QString* unit);
    // The file's text of the cell as a date in the kind's order.
    bool validateDateForCell(CellObject& cell, ImportRubrique kind, double* date);
    bool validateDeviseForCell(CellObject& cell, const QString& unit, long* devise);
    bool validateCompteForCell(CellObject& cell, const QString& name, long* compteID);
    bool validatePosteForCell(CellObject& cell, const QString& name, long* posteID);
    // An empty text is family 0.
    bool validateMoyenForCell(CellObject& cell, const QString& name, int* family);
    // An empty text is no tax (-1).
    bool validateFiscalForCell(CellObject& cell, const QString& name, long* fiscalID);
    // Any text, an empty one too.
    bool validateReferenceForCell(CellObject& cell, const QString& reference);
    bool validateInformationForCell(CellObject& cell, const QString& information);

    // A currency of the document of that unit, or the slot the unit is mapped to.
    bool findDevise(const QString& unit, long* devise) const;

private:
    const DOCUMENT& m_doc;
    const ImportReplacements& m_replacements;
};
