#include "import/ImportTabRoles.h"

#include "spreadsheet/TableurCells.h"
#include "spreadsheet/TableurProtocol.h"

#include "foundation/dates.h"
#include "import/ImportManager.h"
#include "import/ImportParser.h"
#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/MONTANT.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

namespace {

using R = ImportRubrique;

bool isMontant(R kind)
{
    return kind >= R::MontantSeul && kind <= R::MontantCreditDevise;
}

bool isDate(R kind)
{
    return kind >= R::DateJMA && kind <= R::DateMJA;
}

QString dateText(double date)
{
    long day = 0;
    long month = 0;
    long year = 0;
    dateToDMY(&day, &month, &year, date);
    return QStringLiteral("%1/%2/%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

} // namespace

ImportTabRoles::ImportTabRoles(TableurCells& cells, DOCUMENT& doc, long devise)
    : m_cells(cells)
    , m_doc(doc)
    , m_devise(devise)
    , m_replacements(doc)
    , m_reader(doc, m_replacements)
{
}

// ---------------------------------------------------------------------------------------------
// Kinds and entities

std::optional<ImportNeed> ImportTabRoles::needOfRubrique(ImportRubrique kind)
{
    if (ImportManager::isRubriqueWithDevise(kind))
        return ImportNeed::Devise;
    if (ImportManager::isRubriqueWithCompte(kind))
        return ImportNeed::Compte;
    if (kind == R::Poste)
        return ImportNeed::Poste;
    if (kind == R::Moyen)
        return ImportNeed::Moyen;
    if (kind == R::Fiscal)
        return ImportNeed::Fiscal;
    return std::nullopt;
}

bool ImportTabRoles::rubriqueConcerns(ImportRubrique kind, ImportNeed need)
{
    return needOfRubrique(kind) == need;
}

// ---------------------------------------------------------------------------------------------
// Cells

void ImportTabRoles::validateCell(CellObject& cell, bool valide)
{
    cell.setInvalidated(!valide);
}

void ImportTabRoles::validateCell(CellObject& cell, const QVariant& associatedObject)
{
    cell.setAssociatedObject(associatedObject);
    validateCell(cell, true);
}

void ImportTabRoles::changeValueOfCell(CellObject& cell, const QString& value)
{
    cell.setValue(value);
}

void ImportTabRoles::revertValueOfCell(CellObject& cell)
{
    cell.setValue(cell.initialValue());
    cell.setAssociatedObject(QVariant());
    cell.setAssociatedNeed(QString());
    cell.setAlignment(TableurProtocol::kAlignLeft);
}

// Only a row that may still be imported raises a question: a line of column titles, whose date
// doesn't read, asks nothing about its other titles.
void ImportTabRoles::needsCell(CellObject& cell, const QString& text, CellObject** firstNeeding)
{
    validateCell(cell, false);
    cell.setAssociatedNeed(text);
    if (firstNeeding && !*firstNeeding && !rowInvalidElsewhere(cell.rowIndex(), cell.columnIndex()))
        *firstNeeding = &cell;
}

bool ImportTabRoles::rowInvalidElsewhere(long row, long column) const
{
    const RowObject* header = m_cells.rowAtIndex(row);
    if (!header || header->invalidated())
        return true;
    for (long other = 0; other < m_cells.numberOfColumns(); ++other) {
        const CellObject* cell = m_cells.cellAtRow(row, other);
        if (other != column && cell && cell->invalidated())
            return true;
    }
    return false;
}

QString ImportTabRoles::montantText(double value, long slot, bool withUnit) const
{
    const long decimals = Devise::deviseDecimalesAtIndex(m_doc.deviseHdl, slot);
    if (withUnit)
        return MONTANT::montantToStringFromDoubleWithUnit(value, decimals, QLatin1Char(','), slot, &m_doc.deviseHdl);
    return MONTANT::montantToStringFromDouble(value, decimals, QLatin1Char(','));
}

// ---- A cell under its column's kind

bool ImportTabRoles::validateMontantCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingDevise)
{
    double value = 0;
    QString unit;
    if (!m_reader.validateMontantForCell(cell, kind, &value, &unit)) {
        validateCell(cell, false);
        return false;
    }
    const bool withDevise = ImportManager::isRubriqueMontantWithDevise(kind);
    long slot = m_devise;
    if (withDevise && !cell.initialValue().trimmed().isEmpty() && !unit.isEmpty()
        && !m_reader.findDevise(unit, &slot)) {
        cell.setAssociatedObject(QVariant());
        if (value != 0)
            needsCell(cell, unit, cellNeedingDevise);
        else
            validateCell(cell, false);
        return false;
    }
    changeValueOfCell(cell, value == 0 ? QString() : montantText(value, slot, withDevise));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateDateCell(CellObject& cell, ImportRubrique kind)
{
    double date = 0;
    if (!m_reader.validateDateForCell(cell, kind, &date)) {
        validateCell(cell, false);
        return false;
    }
    changeValueOfCell(cell, dateText(date));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateCompteCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingCompte)
{
    const QString text = cell.initialValue().trimmed();
    long ident = -1;
    if (text.isEmpty()) {
        validateCell(cell, false);
        return false;
    }
    if (!m_reader.validateCompteForCell(cell, text, &ident)) {
        needsCell(cell, text, cellNeedingCompte);
        return false;
    }
    changeValueOfCell(cell, getToolNameNS(kToolCompte, ident, &m_doc));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validatePosteCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingPoste)
{
    const QString text = cell.initialValue().trimmed();
    long ident = -1;
    if (text.isEmpty()) {
        validateCell(cell, false);
        return false;
    }
    if (!m_reader.validatePosteForCell(cell, text, &ident)) {
        needsCell(cell, text, cellNeedingPoste);
        return false;
    }
    changeValueOfCell(cell, POSTE::getPosteNameNS(ident, m_doc));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateReferenceCell(CellObject& cell, ImportRubrique)
{
    validateCell(cell, m_reader.validateReferenceForCell(cell, cell.initialValue()));
    return true;
}

bool ImportTabRoles::validateInformationCell(CellObject& cell, ImportRubrique)
{
    validateCell(cell, m_reader.validateInformationForCell(cell, cell.initialValue()));
    return true;
}

bool ImportTabRoles::validateMoyenCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingMoyen)
{
    const QString text = cell.initialValue().trimmed();
    int family = 0;
    if (!m_reader.validateMoyenForCell(cell, text, &family)) {
        needsCell(cell, text, cellNeedingMoyen);
        return false;
    }
    changeValueOfCell(cell, moyenNameForFamily(family));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateDeviseCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingDevise)
{
    const QString text = cell.initialValue().trimmed();
    long slot = -1;
    if (text.isEmpty()) {
        validateCell(cell, false);
        return false;
    }
    if (!m_reader.validateDeviseForCell(cell, text, &slot)) {
        needsCell(cell, text, cellNeedingDevise);
        return false;
    }
    changeValueOfCell(cell, Devise::deviseUnitAtIndex(m_doc.deviseHdl, slot));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateFiscalCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingFiscal)
{
    const QString text = cell.initialValue().trimmed();
    long ident = -1;
    if (!m_reader.validateFiscalForCell(cell, text, &ident)) {
        needsCell(cell, text, cellNeedingFiscal);
        return false;
    }
    changeValueOfCell(cell, ident < 0 ? QStringLiteral("-") : TAXE::getTaxeName(ident, m_doc));
    validateCell(cell, true);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Roles

std::optional<ImportRubrique> ImportTabRoles::rubriqueOfColumn(long column) const
{
    const ColumnObject* header = m_cells.columnAtIndex(column);
    if (!header || !header->associatedObject().isValid())
        return std::nullopt;
    return importRubriqueFromInt(header->associatedObject().toLongLong());
}

bool ImportTabRoles::hasColumnOfKind(ImportRubrique kind) const
{
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (rubriqueOfColumn(column) == kind)
            return true;
    return false;
}

void ImportTabRoles::setColumnRubrique(long column, ImportRubrique kind)
{
    ColumnObject* header = m_cells.columnAtIndex(column);
    header->setAssociatedObject(int(kind));
    header->setValue(ImportManager::rubriqueToString(long(kind), false));
}

void ImportTabRoles::RUBRIQUE(ImportRubrique kind, long columnIndex, bool reactToNeeds)
{
    ColumnObject* header = m_cells.columnAtIndex(columnIndex);
    if (!header)
        return;
    header->setInvalidated(false);
    if (rubriqueOfColumn(columnIndex))
        revertColumn(columnIndex);
    if (kind != R::NotAffected && kind != R::Invalide)
        revertColumnsDoublonWithRubrique(kind, columnIndex);
    NeedCells needs {};
    if (kind == R::NotAffected) {
        resetColumnValidationAtIndex(columnIndex);
    } else {
        setColumnRubrique(columnIndex, kind);
        validateColumn(columnIndex, kind, needs);
    }
    if (reactToNeeds)
        this->reactToNeeds(needs);
    implicitInvalidationsForRubrique(kind);
    implicitInvalidations();
}

void ImportTabRoles::validateColumn(long column, ImportRubrique kind, NeedCells& needs)
{
    if (kind == R::Invalide) {
        m_cells.columnAtIndex(column)->setInvalidated(true);
        return;
    }
    const auto need = [&needs](ImportNeed which) { return &needs[size_t(which)]; };
    m_cells.enumerateCellsInColumn(column, [&](CellObject& cell, bool&) {
        if (cell.invalidated())
            return;
        if (isMontant(kind))
            validateMontantCell(cell, kind, need(ImportNeed::Devise));
        else if (isDate(kind))
            validateDateCell(cell, kind);
        else if (ImportManager::isRubriqueWithCompte(kind))
            validateCompteCell(cell, kind, need(ImportNeed::Compte));
        else if (kind == R::Poste)
            validatePosteCell(cell, kind, need(ImportNeed::Poste));
        else if (kind == R::Reference)
            validateReferenceCell(cell, kind);
        else if (kind == R::Info)
            validateInformationCell(cell, kind);
        else if (kind == R::Moyen)
            validateMoyenCell(cell, kind, need(ImportNeed::Moyen));
        else if (kind == R::Devise)
            validateDeviseCell(cell, kind, need(ImportNeed::Devise));
        else if (kind == R::Fiscal)
            validateFiscalCell(cell, kind, need(ImportNeed::Fiscal));
    });
}

void ImportTabRoles::revertColumn(long column)
{
    ColumnObject* header = m_cells.columnAtIndex(column);
    if (!header)
        return;
    header->setValue(header->initialValue());
    header->setAssociatedObject(QVariant());
    header->setInvalidated(false);
    resetColumnValidationAtIndex(column);
}

void ImportTabRoles::revertAllColumns()
{
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        revertColumn(column);
}

void ImportTabRoles::revertColumnsDoublonWithRubrique(ImportRubrique kind, long except)
{
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (column != except && rubriqueOfColumn(column) == kind)
            revertColumn(column);
}

void ImportTabRoles::resetColumnValidationAtIndex(long column)
{
    m_cells.enumerateCellsInColumn(column, [this](CellObject& cell, bool&) {
        revertValueOfCell(cell);
        validateCell(cell, !m_cells.rowAtIndex(cell.rowIndex())->invalidated());
    });
}

bool ImportTabRoles::isRowValid(long row) const
{
    const RowObject* header = m_cells.rowAtIndex(row);
    return header && !header->invalidated() && !header->invalidatedImplicit();
}

void ImportTabRoles::reactToGlobalChangeValidation(bool reactToNeeds)
{
    m_globalStop = false;
    std::vector<std::pair<long, ImportRubrique>> roles;
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (const auto kind = rubriqueOfColumn(column))
            roles.emplace_back(column, *kind);
    for (const auto& [column, kind] : roles) {
        if (m_globalStop)
            break;
        revertColumn(column);
        RUBRIQUE(kind, column, reactToNeeds);
    }
    implicitInvalidations();
}

// ---------------------------------------------------------------------------------------------
// Questions

void ImportTabRoles::reactToNeeds(const NeedCells& needs)
{
    for (int index = 0; index < kImportNeedCount; ++index) {
        CellObject* cell = needs[size_t(index)];
        if (m_globalStop || !m_asker)
            return;
        // An earlier answer may have settled the cell or left its row out meanwhile.
        if (!cell || !cell->invalidated() || cell->associatedNeed().isEmpty())
            continue;
        const long column = cell->columnIndex();
        const ImportRubrique rubrique = rubriqueOfColumn(column).value_or(R::NotAffected);
        switch (ImportNeed(index)) {
        case ImportNeed::Devise:
            reactToNeedOfDevise(*cell, rubrique, column);
            break;
        case ImportNeed::Compte:
            reactToNeedOfCompte(*cell, rubrique, column);
            break;
        case ImportNeed::Poste:
            reactToNeedOfPoste(*cell, rubrique, column);
            break;
        case ImportNeed::Moyen:
            reactToNeedOfMoyen(*cell, rubrique, column);
            break;
        case ImportNeed::Fiscal:
            reactToNeedOfFiscal(*cell, rubrique, column);
            break;
        }
    }
}

void ImportTabRoles::reactToNeedOfDevise(CellObject& cell, ImportRubrique, long)
{
    m_asker->askForDevise(cell.associatedNeed(), [this, &cell](long code, qint64 devise) {
        reactToAnswer(ImportNeed::Devise, cell, code, devise);
    });
}

void ImportTabRoles::reactToNeedOfCompte(CellObject& cell, ImportRubrique, long)
{
    m_asker->askForCompte(cell.associatedNeed(), [this, &cell](long code, qint64 compteID) {
        reactToAnswer(ImportNeed::Compte, cell, code, compteID);
    });
}

void ImportTabRoles::reactToNeedOfPoste(CellObject& cell, ImportRubrique, long)
{
    m_asker->askForPoste(cell.associatedNeed(), [this, &cell](long code, qint64 posteID) {
        reactToAnswer(ImportNeed::Poste, cell, code, posteID);
    });
}

void ImportTabRoles::reactToNeedOfMoyen(CellObject& cell, ImportRubrique, long)
{
    m_asker->askForMoyen(cell.associatedNeed(), [this, &cell](long code, qint64 family) {
        reactToAnswer(ImportNeed::Moyen, cell, code, family);
    });
}

void ImportTabRoles::reactToNeedOfFiscal(CellObject& cell, ImportRubrique, long)
{
    m_asker->askForFiscal(cell.associatedNeed(), [this, &cell](long code, qint64 fiscalID) {
        reactToAnswer(ImportNeed::Fiscal, cell, code, fiscalID);
    });
}

void ImportTabRoles::reactToAnswer(ImportNeed need, CellObject& cell, long code, qint64 value)
{
    switch (code) {
    case kAskImportOK:
        mapText(need, cell, cell.associatedNeed(), value, true);
        return;
    case kAskImportAcceder:
        if (m_asker)
            m_asker->openEntityWindow(need);
        return;
    case kAskImportInvalider:
        ACTIVATE_ROW(false, cell.rowIndex());
        return;
    default:
        m_globalStop = true;
        return;
    }
}

// The entity's own answer, as a question or the cell menu gives it.
void ImportTabRoles::mapText(ImportNeed need, CellObject& cell, const QString& text, qint64 value, bool reactToNeeds)
{
    switch (need) {
    case ImportNeed::Devise:
        reactToChoiceOfDevise(text, value, reactToNeeds);
        return;
    case ImportNeed::Compte:
        reactToChoiceOfCompte(text, value, reactToNeeds);
        return;
    case ImportNeed::Poste:
        reactToChoiceOfPoste(cell, value, text, reactToNeeds);
        return;
    case ImportNeed::Moyen:
        reactToChoiceOfMoyen(text, value, reactToNeeds);
        return;
    case ImportNeed::Fiscal:
        reactToChoiceOfFiscal(text, value, reactToNeeds);
        return;
    }
}

void ImportTabRoles::reactToChoiceOfDevise(const QString& text, qint64 devise, bool reactToNeeds)
{
    reactToChoice(ImportNeed::Devise, text, devise, reactToNeeds);
}

void ImportTabRoles::reactToChoiceOfCompte(const QString& text, qint64 compteID, bool reactToNeeds)
{
    reactToChoice(ImportNeed::Compte, text, compteID, reactToNeeds);
}

void ImportTabRoles::reactToChoiceOfPoste(CellObject& cell, qint64 newPosteID, const QString& text, bool reactToNeeds)
{
    if (!m_replacements.entityExists(ImportNeed::Poste, newPosteID))
        return;
    changeValueOfCell(cell, POSTE::getPosteNameNS(long(newPosteID), m_doc));
    validateCell(cell, QVariant(qlonglong(newPosteID)));
    reactToChoice(ImportNeed::Poste, text, newPosteID, reactToNeeds);
}

void ImportTabRoles::reactToChoiceOfMoyen(const QString& text, qint64 family, bool reactToNeeds)
{
    reactToChoice(ImportNeed::Moyen, text, family, reactToNeeds);
}

void ImportTabRoles::reactToChoiceOfFiscal(const QString& text, qint64 fiscalID, bool reactToNeeds)
{
    reactToChoice(ImportNeed::Fiscal, text, fiscalID, reactToNeeds);
}

// An answer the document doesn't have (an entity deleted meanwhile) maps nothing.
void ImportTabRoles::reactToChoice(ImportNeed need, const QString& text, qint64 value, bool reactToNeeds)
{
    if (text.isEmpty() || !m_replacements.entityExists(need, value))
        return;
    m_replacements.addReplacement(need, text, value);
    revalidateColumnsOf(need, reactToNeeds);
}

void ImportTabRoles::revalidateColumnsOf(ImportNeed need, bool reactToNeeds)
{
    for (long column = 0; column < m_cells.numberOfColumns(); ++column) {
        if (m_globalStop)
            return;
        const auto kind = rubriqueOfColumn(column);
        if (kind && rubriqueConcerns(*kind, need))
            RUBRIQUE(*kind, column, reactToNeeds);
    }
}

// A cell that raised no question says what to map all the same: an amount of 0 in an unknown
// currency maps its currency text, and an amount without one maps nothing.
void ImportTabRoles::mapCell(CellObject& cell, ImportNeed need, qint64 value)
{
    QString text = cell.associatedNeed();
    const auto kind = rubriqueOfColumn(cell.columnIndex());
    if (text.isEmpty() && need == ImportNeed::Devise && kind && isMontant(*kind)) {
        double montant = 0;
        ImportParser::parseMontantFromString(cell.initialValue(), R::MontantDevise, &montant, &text, false);
    } else if (text.isEmpty()) {
        text = cell.initialValue().trimmed();
    }
    mapText(need, cell, text, value, false);
}

// ---------------------------------------------------------------------------------------------
// Rows and what follows from the roles

void ImportTabRoles::ACTIVATE_ROW(bool activate, long rowIndex)
{
    ACTIVATE_ROWS(activate, {rowIndex});
}

// The columns are checked once for all the rows: a thousand rows left out at once cost one pass.
void ImportTabRoles::ACTIVATE_ROWS(bool activate, const QList<long>& rows)
{
    for (const long row : rows) {
        RowObject* header = m_cells.rowAtIndex(row);
        if (!header)
            continue;
        header->setInvalidated(!activate);
        m_cells.enumerateCellsInRow(row, [this, activate](CellObject& cell, bool&) { validateCell(cell, activate); });
    }
    reactToRowChangeValidation();
}

void ImportTabRoles::reactToRowChangeValidation()
{
    reactToGlobalChangeValidation(true);
    implicitInvalidations();
}

void ImportTabRoles::reactToChangeConfiguration()
{
    reactToGlobalChangeValidation(false);
    reactToGlobalChangeValidation(true);
}

void ImportTabRoles::implicitInvalidationsForRubrique(ImportRubrique kind)
{
    const auto revert = [this](std::initializer_list<R> kinds) {
        for (const R other : kinds)
            revertColumnsDoublonWithRubrique(other, -1);
    };
    switch (kind) {
    case R::Debit:
    case R::Credit:
        revert({R::Contre});
        return;
    case R::Contre:
        revert({R::Debit, R::Credit, R::MontantDebitSeul, R::MontantDebitDevise, R::MontantCreditSeul,
                R::MontantCreditDevise});
        return;
    case R::MontantDebitDevise:
    case R::MontantCreditDevise:
        revert({R::MontantDebitSeul, R::MontantCreditSeul});
        [[fallthrough]];
    case R::MontantDebitSeul:
    case R::MontantCreditSeul:
        revert({R::MontantSeul, R::MontantDevise, R::Contre});
        return;
    case R::MontantSeul:
    case R::MontantDevise:
        revert({R::MontantDebitSeul, R::MontantDebitDevise, R::MontantCreditSeul, R::MontantCreditDevise});
        return;
    case R::Filler:
    case R::DateJMA:
    case R::DateAMJ:
    case R::DateMJA:
    case R::Poste:
    case R::Reference:
    case R::Info:
    case R::Moyen:
    case R::Devise:
    case R::Fiscal:
    case R::NotAffected:
    case R::Invalide:
        return;
    }
}

void ImportTabRoles::implicitInvalidations()
{
    m_cells.enumerateCells([](CellObject& cell, bool&) { cell.setInvalidatedImplicit(false); });
    m_cells.enumerateCellsInRowsHeader([](RowObject& row, bool&) { row.setInvalidatedImplicit(false); });
    for (long row = 0; row < m_cells.numberOfRows(); ++row) {
        bool invalid = false;
        m_cells.enumerateCellsInRow(row, [&invalid](CellObject& cell, bool& stop) {
            invalid = cell.invalidated();
            stop = invalid;
        });
        if (!invalid)
            continue;
        m_cells.rowAtIndex(row)->setInvalidatedImplicit(true);
        m_cells.enumerateCellsInRow(row, [](CellObject& cell, bool&) {
            if (!cell.invalidated())
                cell.setInvalidatedImplicit(true);
        });
    }
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (m_cells.columnAtIndex(column)->invalidated())
            m_cells.enumerateCellsInColumn(column, [](CellObject& cell, bool&) { cell.setInvalidatedImplicit(true); });
}

// The account imported into counts in the sign of the amounts unless the records carry their own
// debit and credit accounts or amounts: read from the roles, so a column whose role went away by
// other means (another kind given to it, the grid turned) leaves no stale state behind.
bool ImportTabRoles::comptePopUpEnabled() const
{
    for (const R kind : {R::Debit, R::Credit, R::MontantDebitSeul, R::MontantDebitDevise, R::MontantCreditSeul,
                         R::MontantCreditDevise})
        if (hasColumnOfKind(kind))
            return false;
    return true;
}

bool ImportTabRoles::canImport() const
{
    const auto has = [this](std::initializer_list<R> kinds) {
        for (const R kind : kinds)
            if (hasColumnOfKind(kind))
                return true;
        return false;
    };
    const bool date = has({R::DateJMA, R::DateAMJ, R::DateMJA});
    const bool montant = has({R::MontantSeul, R::MontantDevise})
        || (has({R::MontantDebitSeul, R::MontantDebitDevise}) && has({R::MontantCreditSeul, R::MontantCreditDevise}));
    const bool contre = has({R::Contre}) || (has({R::Debit}) && has({R::Credit}));
    return date && montant && contre;
}

ImportRecords ImportTabRoles::buildFinalImportArray() const
{
    std::vector<std::pair<long, ImportRubrique>> roles;
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (const auto kind = rubriqueOfColumn(column); kind && *kind != R::NotAffected)
            roles.emplace_back(column, *kind);
    ImportRecords records;
    for (long row = 0; row < m_cells.numberOfRows(); ++row) {
        if (!isRowValid(row))
            continue;
        ImportRecord record;
        for (const auto& [column, kind] : roles)
            record.fields.push_back({kind, m_cells.cellAtRow(row, column)->value()});
        records.push_back(std::move(record));
    }
    return records;
}

// ---------------------------------------------------------------------------------------------
// Configurations

ImportConfiguration ImportTabRoles::makeImportConfigurationDataDictionary() const
{
    ImportConfiguration configuration;
    configuration.devises = m_replacements.deviseReplacementArray();
    configuration.comptes = m_replacements.compteReplacementArray();
    configuration.postes = m_replacements.posteReplacementArray();
    configuration.moyens = m_replacements.moyenReplacementArray();
    configuration.taxes = m_replacements.fiscalReplacementArray();
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (const auto kind = rubriqueOfColumn(column))
            configuration.rubriques.append({column, *kind});
    return configuration;
}

void ImportTabRoles::applyConfiguration(const ImportConfiguration& configuration)
{
    m_replacements.setReplacementArray(ImportNeed::Devise, configuration.devises);
    m_replacements.setReplacementArray(ImportNeed::Compte, configuration.comptes);
    m_replacements.setReplacementArray(ImportNeed::Poste, configuration.postes);
    m_replacements.setReplacementArray(ImportNeed::Moyen, configuration.moyens);
    m_replacements.setReplacementArray(ImportNeed::Fiscal, configuration.taxes);
    for (const ImportColumnRole& role : configuration.rubriques)
        if (role.column >= 0 && role.column < m_cells.numberOfColumns() && role.kind != R::NotAffected)
            setColumnRubrique(long(role.column), role.kind);
}
