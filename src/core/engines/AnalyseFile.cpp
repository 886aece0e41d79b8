#include "engines/AnalyseFile.h"

#include "foundation/dates.h"
#include "model/DOCUMENT.h"

void AnalyseDataMonthStorage::addRows(long n)
{
    for (long i = 0; i < n; ++i)
        rowsStorage.append(AnalyseData());
}

void AnalyseFile::monthStorageZero(AnalyseDataMonthStorage& storage) const
{
    analyseDataZero(storage.dataTotalDossiers);
    const qsizetype n = std::min<qsizetype>(rows.size(), storage.rowsStorage.size());
    for (qsizetype i = 0; i < n; ++i)
        analyseDataZero(storage.rowsStorage[i]);
}

void AnalyseFile::analyseZero()
{
    monthStorageZero(dataStorage.totalMonths);
    const qsizetype n = std::min<qsizetype>(columns.size(), dataStorage.monthsStorage.size());
    for (qsizetype i = 0; i < n; ++i)
        monthStorageZero(dataStorage.monthsStorage[i]);
}

const AnalyseDataMonthStorage* AnalyseFile::getAnalyseDataMonthStorageAtMonth(long month) const
{
    if (month == 0)
        return &dataStorage.totalMonths;
    if (month < 0 || month > dataStorage.monthsStorage.size())
        return nullptr;
    return &dataStorage.monthsStorage.at(month - 1);
}

AnalyseDataMonthStorage* AnalyseFile::getAnalyseDataMonthStorageAtMonth(long month)
{
    return const_cast<AnalyseDataMonthStorage*>(std::as_const(*this).getAnalyseDataMonthStorageAtMonth(month));
}

const AnalyseData* AnalyseFile::getAnalyseDataAtRow(long row, long month) const
{
    const AnalyseDataMonthStorage* storage = getAnalyseDataMonthStorageAtMonth(month);
    if (!storage || row < 0 || row >= storage->rowsStorage.size())
        return nullptr;
    return &storage->rowsStorage.at(row);
}

AnalyseData* AnalyseFile::getAnalyseDataAtRow(long row, long month)
{
    return const_cast<AnalyseData*>(std::as_const(*this).getAnalyseDataAtRow(row, month));
}

const AnalyseData* AnalyseFile::getAnalyseDataTotalDossierAtMonth(long month) const
{
    const AnalyseDataMonthStorage* storage = getAnalyseDataMonthStorageAtMonth(month);
    return storage ? &storage->dataTotalDossiers : nullptr;
}

AnalyseData* AnalyseFile::getAnalyseDataTotalDossierAtMonth(long month)
{
    return const_cast<AnalyseData*>(std::as_const(*this).getAnalyseDataTotalDossierAtMonth(month));
}

bool isPosteSelectedByAnaDef(long posteID, const AnalyseConfiguration& conf, const DOCUMENT& doc)
{
    if (conf.modePoste != kSelectionOnly && conf.modePoste != kSelectionAllBut)
        return true;
    const bool include = conf.modePoste == kSelectionOnly;
    if (conf.postesArray.contains(posteID))
        return include;
    const POSTE* poste = POSTE::posteWithIdent(posteID, doc);
    if (poste && conf.dossiersArray.contains(poste->dossierID))
        return include;
    return !include;
}

namespace {

constexpr long kLigneNotSelected = -1;
constexpr long kLigneSelected = -2;

double monthStart(double date)
{
    double start = 0;
    dmyToDate(1, dateMonth(date), dateYear(date), &start);
    return start;
}

void layColumns(AnalyseFile& file, const AnalyseConfiguration& conf)
{
    const long n = conf.showMonth ? conf.numberOfMonths() : 0;
    double month = monthStart(conf.date1);
    for (long i = 0; i < n; ++i) {
        file.columns.append(AnalyseColumn {month});
        nextMonthDate(&month, month);
    }
}

void markSelection(DOCUMENT& doc, const AnalyseConfiguration& conf)
{
    QSet<long> selectedDossiers;
    for (POSTE& poste : doc.posteHdl) {
        const bool selected = isPosteSelectedByAnaDef(poste.ident, conf, doc);
        poste.ligne = selected ? kLigneSelected : kLigneNotSelected;
        if (selected)
            selectedDossiers.insert(poste.dossierID);
    }
    for (DOSSIER& dossier : doc.dossierHdl)
        dossier.ligne = selectedDossiers.contains(dossier.ident) ? kLigneSelected : kLigneNotSelected;
}

void layRows(AnalyseFile& file, DOCUMENT& doc, const AnalyseConfiguration& conf)
{
    for (DOSSIER& dossier : doc.dossierHdl) {
        if (dossier.ligne != kLigneSelected)
            continue;
        if (conf.showDossier) {
            dossier.ligne = file.rows.size();
            file.dossierRows.insert(dossier.ident, dossier.ligne);
            file.rows.append(AnalyseRow {AnalyseRowKind::Dossier, dossier.ident, dossier.nom});
        }
        if (!conf.showPoste)
            continue;
        for (POSTE& poste : doc.posteHdl) {
            if (poste.dossierID != dossier.ident || poste.ligne != kLigneSelected)
                continue;
            poste.ligne = file.rows.size();
            file.posteRows.insert(poste.ident, poste.ligne);
            file.rows.append(AnalyseRow {AnalyseRowKind::Poste, poste.ident, poste.nom});
        }
    }
}

void layStorage(AnalyseFile& file)
{
    const long nRows = file.rows.size();
    AnalyseDataMonthStorage& total = file.dataStorage.totalMonths;
    if (total.rowsStorage.size() > nRows)
        total.rowsStorage.resize(nRows);
    total.addRows(nRows - total.rowsStorage.size());
    file.dataStorage.monthsStorage.clear();
    for (qsizetype i = 0; i < file.columns.size(); ++i) {
        AnalyseDataMonthStorage month;
        month.addRows(nRows);
        file.dataStorage.monthsStorage.append(month);
    }
    file.analyseZero();
}

} // namespace

bool initAnalyseFileWithConfiguration(AnalyseFile& file, DOCUMENT& doc, const AnalyseConfiguration& conf,
                                      const QRectF& screenVisible)
{
    AnalyseConfiguration resolved = copyAnaConfig(conf);
    anaConfigUpdateDates(&doc, resolved, false);
    // The windows refuse such a period with a message before they build (assumeValideConfiguration);
    // laid out anyway, its months times its rows of cells would take gigabytes.
    if (resolved.numberOfMonths() > kAnalyseMaxMonths)
        return false;
    file.version = kAnalyseFileVersion;
    file.rows.clear();
    file.columns.clear();
    file.posteRows.clear();
    file.dossierRows.clear();
    file.initialMonth = 0;
    file.frame = QRectF(kAnalyseDefaultFrameX, kAnalyseDefaultFrameY, kAnalyseDefaultFrameWidth,
                        screenVisible.height() - screenVisible.y());
    file.devises = doc.deviseHdl;
    layColumns(file, resolved);
    markSelection(doc, resolved);
    layRows(file, doc, resolved);
    file.anaDef = resolved;
    layStorage(file);
    return true;
}

long analyseNumberOfColumns(const AnalyseFile& file)
{
    return file.columns.size();
}

long analyseNumberOfRows(const AnalyseFile& file)
{
    return file.rows.size();
}

const AnalyseColumn* analyseColumnAtIndex(const AnalyseFile& file, long index)
{
    if (index < 0 || index >= file.columns.size())
        return nullptr;
    return &file.columns.at(index);
}

const AnalyseRow* analyseRowAtIndex(const AnalyseFile& file, long index)
{
    if (index < 0 || index >= file.rows.size())
        return nullptr;
    return &file.rows.at(index);
}

long analyseColumnIndexForDate(const AnalyseFile& file, double date)
{
    if (!file.anaDef.showMonth)
        return -1;
    const double when = date == -1 ? dateNow() : date;
    const long month = dateMonth(when);
    const long year = dateYear(when);
    for (qsizetype i = 0; i < file.columns.size(); ++i) {
        const double column = file.columns.at(i).month;
        if (dateMonth(column) == month && dateYear(column) == year)
            return i;
    }
    return -1;
}
