#include "import/ImportCellReader.h"

#include "spreadsheet/CellObject.h"

#include "import/ImportManager.h"
#include "import/ImportParser.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

ImportCellReader::ImportCellReader(const DOCUMENT& doc, const ImportReplacements& replacements)
    : m_doc(doc)
    , m_replacements(replacements)
{
}

bool ImportCellReader::validateMontantForCell(CellObject& cell, ImportRubrique kind, double* montant, QString* unit)
{
    const bool withDevise = ImportManager::isRubriqueMontantWithDevise(kind);
    if (!ImportParser::parseMontantFromString(cell.initialValue(), kind, montant, withDevise ? unit : nullptr, false))
        return false;
    cell.setAssociatedObject(*montant);
    return true;
}

bool ImportCellReader::validateDateForCell(CellObject& cell, ImportRubrique kind, double* date)
{
    if (!ImportParser::parseDateFromString(cell.initialValue(), kind, date))
        return false;
    cell.setAssociatedObject(*date);
    return true;
}

bool ImportCellReader::findDevise(const QString& unit, long* devise) const
{
    qint64 mapped = -1;
    if (Devise::findDeviseWithUnit(m_doc.deviseHdl, unit, devise))
        return true;
    if (!m_replacements.findDeviseReplacement(unit, &mapped))
        return false;
    *devise = long(mapped);
    return true;
}

bool ImportCellReader::validateDeviseForCell(CellObject& cell, const QString& unit, long* devise)
{
    if (!findDevise(unit, devise))
        return false;
    cell.setAssociatedObject(qlonglong(*devise));
    return true;
}

bool ImportCellReader::validateCompteForCell(CellObject& cell, const QString& name, long* compteID)
{
    qint64 mapped = -1;
    if (!TOOL::findCompteWithName(name, compteID, &m_doc)) {
        if (!m_replacements.findCompteReplacement(name, &mapped))
            return false;
        *compteID = long(mapped);
    }
    cell.setAssociatedObject(qlonglong(*compteID));
    return true;
}

bool ImportCellReader::validatePosteForCell(CellObject& cell, const QString& name, long* posteID)
{
    qint64 mapped = -1;
    if (!POSTE::findPosteWithName(name, posteID, m_doc)) {
        if (!m_replacements.findPosteReplacement(name, &mapped))
            return false;
        *posteID = long(mapped);
    }
    cell.setAssociatedObject(qlonglong(*posteID));
    return true;
}

bool ImportCellReader::validateMoyenForCell(CellObject& cell, const QString& name, int* family)
{
    qint64 mapped = 0;
    *family = 0;
    if (!name.isEmpty() && !MOYEN::findMoyenWithName(name, family)) {
        if (!m_replacements.findMoyenReplacement(name, &mapped))
            return false;
        *family = int(mapped);
    }
    cell.setAssociatedObject(*family);
    return true;
}

bool ImportCellReader::validateFiscalForCell(CellObject& cell, const QString& name, long* fiscalID)
{
    qint64 mapped = -1;
    *fiscalID = -1;
    if (!name.isEmpty() && !TAXE::findTaxeWithName(name, fiscalID, m_doc)) {
        if (!m_replacements.findFiscalReplacement(name, &mapped))
            return false;
        *fiscalID = long(mapped);
    }
    cell.setAssociatedObject(qlonglong(*fiscalID));
    return true;
}

bool ImportCellReader::validateReferenceForCell(CellObject& cell, const QString& reference)
{
    cell.setAssociatedObject(reference);
    return true;
}

bool ImportCellReader::validateInformationForCell(CellObject& cell, const QString& information)
{
    cell.setAssociatedObject(information);
    return true;
}
