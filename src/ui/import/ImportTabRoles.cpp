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

constexpr int kNbMoyenFamilies = 13;

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

bool ImportTabRoles::entityExists(ImportNeed need, qint64 value) const
{
    switch (need) {
    case ImportNeed::Devise:
        return value >= 0 && value < m_doc.deviseHdl.size() && Devise::deviseUsedAtIndex(m_doc.deviseHdl, long(value));
    case ImportNeed::Compte:
        return getTool(kToolCompte, long(value), &m_doc) != nullptr;
    case ImportNeed::Poste:
        return POSTE::posteWithIdent(long(value), m_doc) != nullptr;
    case ImportNeed::Moyen:
        return value >= 0 && value < kNbMoyenFamilies;
    case ImportNeed::Fiscal: {
        // A text may stand for no tax.
        long index = 0;
        return value == -1 || TAXE::findTaxe(long(value), &index, m_doc.taxeHdl);
    }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Replacements

void ImportTabRoles::addReplacement(ImportNeed need, const QString& text, qint64 value)
{
    m_replacements[size_t(need)].append({text, value});
}

bool ImportTabRoles::findReplacement(ImportNeed need, const QString& text, qint64* value) const
{
    for (const ImportMapping& mapping : m_replacements[size_t(need)]) {
        if (mapping.text != text)
            continue;
        // A mapping to what the document no longer has reads as no mapping.
        if (!entityExists(need, mapping.value))
            return false;
        *value = mapping.value;
        return true;
    }
    return false;
}

void ImportTabRoles::resetReplacements()
{
    for (ImportMappingList& list : m_replacements)
        list.clear();
}

// ---------------------------------------------------------------------------------------------
// Cells

void ImportTabRoles::validateCell(CellObject& cell, bool valide)
{
    cell.setInvalidated(!valide);
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

bool ImportTabRoles::validateMontantCell(CellObject& cell, ImportRubrique kind, CellObject** cellNeedingDevise)
{
    const QString text = cell.initialValue();
    const bool withDevise = ImportManager::isRubriqueMontantWithDevise(kind);
    double value = 0;
    QString unit;
    if (!ImportParser::parseMontantFromString(text, kind, &value, withDevise ? &unit : nullptr, false)) {
        validateCell(cell, false);
        return false;
    }
    long slot = m_devise;
    if (withDevise && !text.trimmed().isEmpty() && !unit.isEmpty()) {
        qint64 mapped = 0;
        if (!Devise::findDeviseWithUnit(m_doc.deviseHdl, unit, &slot)) {
            if (!findDeviseReplacement(unit, &mapped)) {
                if (value != 0)
                    needsCell(cell, unit, cellNeedingDevise);
                else
                    validateCell(cell, false);
                return false;
            }
            slot = long(mapped);
        }
    }
    changeValueOfCell(cell, value == 0 ? QString() : montantText(value, slot, withDevise));
    cell.setAssociatedObject(value);
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateDateCell(CellObject& cell, ImportRubrique kind)
{
    double date = 0;
    if (!ImportParser::parseDateFromString(cell.initialValue(), kind, &date)) {
        validateCell(cell, false);
        return false;
    }
    changeValueOfCell(cell, dateText(date));
    cell.setAssociatedObject(date);
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateCompteCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingCompte)
{
    const QString text = cell.initialValue().trimmed();
    if (text.isEmpty()) {
        validateCell(cell, false);
        return false;
    }
    long ident = -1;
    qint64 mapped = -1;
    if (!TOOL::findCompteWithName(text, &ident, &m_doc)) {
        if (!findCompteReplacement(text, &mapped)) {
            needsCell(cell, text, cellNeedingCompte);
            return false;
        }
        ident = long(mapped);
    }
    changeValueOfCell(cell, getToolNameNS(kToolCompte, ident, &m_doc));
    cell.setAssociatedObject(qlonglong(ident));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validatePosteCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingPoste)
{
    const QString text = cell.initialValue().trimmed();
    if (text.isEmpty()) {
        validateCell(cell, false);
        return false;
    }
    long ident = -1;
    qint64 mapped = -1;
    if (!POSTE::findPosteWithName(text, &ident, m_doc)) {
        if (!findPosteReplacement(text, &mapped)) {
            needsCell(cell, text, cellNeedingPoste);
            return false;
        }
        ident = long(mapped);
    }
    changeValueOfCell(cell, POSTE::getPosteNameNS(ident, m_doc));
    cell.setAssociatedObject(qlonglong(ident));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateReferenceCell(CellObject& cell, ImportRubrique)
{
    cell.setAssociatedObject(cell.initialValue());
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateInformationCell(CellObject& cell, ImportRubrique)
{
    cell.setAssociatedObject(cell.initialValue());
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateMoyenCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingMoyen)
{
    const QString text = cell.initialValue().trimmed();
    int family = 0;
    qint64 mapped = 0;
    if (!text.isEmpty() && !MOYEN::findMoyenWithName(text, &family)) {
        if (!findMoyenReplacement(text, &mapped)) {
            needsCell(cell, text, cellNeedingMoyen);
            return false;
        }
        family = int(mapped);
    }
    changeValueOfCell(cell, moyenNameForFamily(family));
    cell.setAssociatedObject(family);
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateDeviseCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingDevise)
{
    const QString text = cell.initialValue().trimmed();
    if (text.isEmpty()) {
        validateCell(cell, false);
        return false;
    }
    long slot = -1;
    qint64 mapped = -1;
    if (!Devise::findDeviseWithUnit(m_doc.deviseHdl, text, &slot)) {
        if (!findDeviseReplacement(text, &mapped)) {
            needsCell(cell, text, cellNeedingDevise);
            return false;
        }
        slot = long(mapped);
    }
    changeValueOfCell(cell, Devise::deviseUnitAtIndex(m_doc.deviseHdl, slot));
    cell.setAssociatedObject(qlonglong(slot));
    validateCell(cell, true);
    return true;
}

bool ImportTabRoles::validateFiscalCell(CellObject& cell, ImportRubrique, CellObject** cellNeedingFiscal)
{
    const QString text = cell.initialValue().trimmed();
    long ident = -1;
    qint64 mapped = -1;
    if (!text.isEmpty() && !TAXE::findTaxeWithName(text, &ident, m_doc)) {
        if (!findFiscalReplacement(text, &mapped)) {
            needsCell(cell, text, cellNeedingFiscal);
            return false;
        }
        ident = long(mapped);
    }
    changeValueOfCell(cell, ident < 0 ? QStringLiteral("-") : TAXE::getTaxeName(ident, m_doc));
    cell.setAssociatedObject(qlonglong(ident));
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
        const auto need = ImportNeed(index);
        qint64 answer = -1;
        const long code = m_asker->askFor(need, cell->associatedNeed(), &answer);
        reactToChoice(need, *cell, code, answer);
    }
}

void ImportTabRoles::reactToChoice(ImportNeed need, const CellObject& cell, long code, qint64 value)
{
    switch (code) {
    case kAskImportOK:
        if (!entityExists(need, value))
            return;
        addReplacement(need, cell.associatedNeed(), value);
        revalidateColumnsOf(need, true);
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

void ImportTabRoles::mapCell(const CellObject& cell, ImportNeed need, qint64 value)
{
    const QString text = cell.associatedNeed().isEmpty() ? cell.initialValue().trimmed() : cell.associatedNeed();
    if (text.isEmpty() || !entityExists(need, value))
        return;
    addReplacement(need, text, value);
    revalidateColumnsOf(need, false);
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
        m_comptePopUpEnabled = false;
        return;
    case R::Contre:
        revert({R::Debit, R::Credit, R::MontantDebitSeul, R::MontantDebitDevise, R::MontantCreditSeul,
                R::MontantCreditDevise});
        m_comptePopUpEnabled = true;
        return;
    case R::MontantDebitDevise:
    case R::MontantCreditDevise:
        revert({R::MontantDebitSeul, R::MontantCreditSeul});
        [[fallthrough]];
    case R::MontantDebitSeul:
    case R::MontantCreditSeul:
        revert({R::MontantSeul, R::MontantDevise, R::Contre});
        m_comptePopUpEnabled = false;
        return;
    case R::MontantSeul:
    case R::MontantDevise:
        revert({R::MontantDebitSeul, R::MontantDebitDevise, R::MontantCreditSeul, R::MontantCreditDevise});
        m_comptePopUpEnabled = !hasColumnOfKind(R::Debit) && !hasColumnOfKind(R::Credit);
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
    configuration.devises = m_replacements[size_t(ImportNeed::Devise)];
    configuration.comptes = m_replacements[size_t(ImportNeed::Compte)];
    configuration.postes = m_replacements[size_t(ImportNeed::Poste)];
    configuration.moyens = m_replacements[size_t(ImportNeed::Moyen)];
    configuration.taxes = m_replacements[size_t(ImportNeed::Fiscal)];
    for (long column = 0; column < m_cells.numberOfColumns(); ++column)
        if (const auto kind = rubriqueOfColumn(column))
            configuration.rubriques.append({column, *kind});
    return configuration;
}

void ImportTabRoles::applyConfiguration(const ImportConfiguration& configuration)
{
    m_replacements[size_t(ImportNeed::Devise)] = configuration.devises;
    m_replacements[size_t(ImportNeed::Compte)] = configuration.comptes;
    m_replacements[size_t(ImportNeed::Poste)] = configuration.postes;
    m_replacements[size_t(ImportNeed::Moyen)] = configuration.moyens;
    m_replacements[size_t(ImportNeed::Fiscal)] = configuration.taxes;
    for (const ImportColumnRole& role : configuration.rubriques)
        if (role.column >= 0 && role.column < m_cells.numberOfColumns() && role.kind != R::NotAffected)
            setColumnRubrique(long(role.column), role.kind);
    reactToGlobalChangeValidation(false);
    reactToGlobalChangeValidation(true);
}
