#include "toolkit/windows/FenMetadataController.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/IWindowAppDelegate.h"
#include "toolkit/windows/IWindowDoors.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "foundation/IDesktop.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ECHEANCIER.h"
#include "model/Prevision.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr int kPaletteWidth = 380;

const std::array<QColor, 8>& rowColours()
{
    static const std::array<QColor, 8> colours {
        QColor::fromRgbF(0.77254903F, 0.7058824F, 0.46666667F),
        QColor::fromRgbF(1.0F, 0.99215686F, 0.9607843F),
        QColor::fromRgbF(1.0F, 1.0F, 1.0F),
        QColor::fromRgbF(0.85490197F, 0.654902F, 0.8784314F),
        QColor::fromRgbF(0.99215686F, 0.8862745F, 1.0F),
        QColor::fromRgbF(1.0F, 1.0F, 1.0F),
        QColor::fromRgbF(0.8F, 0.8F, 0.8F),
        QColor::fromRgbF(1.0F, 1.0F, 1.0F),
    };
    return colours;
}

const ECHEANCIER* echeancierAt(long index, const DOCUMENT& doc)
{
    return index >= 0 && index < doc.echeancierHdl.size() ? &doc.echeancierHdl.at(index) : nullptr;
}

const Prevision* previsionAt(long index, const DOCUMENT& doc)
{
    return index >= 0 && index < doc.previsionsArray.size() ? &doc.previsionsArray.at(index) : nullptr;
}

AnalyseMetadata chapeau(StorageKind type, long storageIndex, long ident, long AnalyseMetadata::*identField)
{
    AnalyseMetadata header;
    header.chapeau = true;
    header.storageType = type;
    header.storageIndex = storageIndex;
    if (identField)
        header.*identField = ident;
    return header;
}

// The position of a schedule or forecast of that ident, trusting the recorded one when it still
// holds it: positions go stale when the document changes while the figures are shown.
template <typename T> long positionOfIdent(const QList<T>& list, long index, long ident)
{
    if (ident < 0)
        return index >= 0 && index < list.size() ? index : -1;
    if (index >= 0 && index < list.size() && list.at(index).ident == ident)
        return index;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).ident == ident)
            return long(i);
    }
    return -1;
}

// A schedule's (or forecast's) header, then each of its occurrences followed by the transactions
// that realised it. An occurrence whose plan is not in the document has no plan to head and is
// left out.
struct Group {
    StorageKind type;
    long AnalyseMetadata::*ident;
    bool comparePlannedDate;
};

void appendGroups(AnalyseMetadataList& destination, const AnalyseMetadataList& source, const DOCUMENT& doc,
                  const Group& group)
{
    QList<long> seen;
    for (const AnalyseMetadata& m : source) {
        if (m.chapeau || m.storageType != group.type)
            continue;
        const long position = FenMetadataController::storedIndex(m, doc);
        if (position < 0 || FenMetadataController::findIdentInArray(m.*group.ident, seen))
            continue;
        destination.append(chapeau(group.type, position, m.*group.ident, group.ident));
        seen.append(m.*group.ident);
        for (const AnalyseMetadata& o : source) {
            if (o.chapeau || o.storageType != group.type || o.*group.ident != m.*group.ident)
                continue;
            destination.append(o);
            destination.last().storageIndex = position;
            for (const AnalyseMetadata& t : source) {
                if (!t.chapeau && t.storageType == StorageKind::Transact && t.*group.ident == m.*group.ident
                    && sameDay(t.budgetFirstDate, o.budgetFirstDate)
                    && (!group.comparePlannedDate || sameDay(t.planifiedDate, o.planifiedDate)))
                    destination.append(t);
            }
        }
    }
}

} // namespace

void FenMetadataController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenMetadata"));
    window.setWindowFlag(Qt::Tool);
    m_imageType = new QLabel(&window);
    m_imageType->setObjectName(QStringLiteral("imageType"));
    m_imageType->setFixedSize(24, 24);
    m_fieldNom = new QLabel(&window);
    m_fieldNom->setObjectName(QStringLiteral("fieldNom"));
    m_fieldNom->setFont(makeListFont(true, false, 13));
    m_fieldDate = new QLabel(&window);
    m_fieldDate->setObjectName(QStringLiteral("fieldDate"));
    m_fieldDate->setFont(makeListFont(false, false, 12));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(m_fieldNom);
    titles->addWidget(m_fieldDate);
    auto* head = new QHBoxLayout;
    head->addWidget(m_imageType, 0, Qt::AlignTop);
    head->addLayout(titles, 1);
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(kHeaderHeight);
    table->setMinimumWidth(kPaletteWidth);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(head);
    layout->addWidget(table, 1);
    window.resize(kPaletteWidth + 16, 300);
}

// ---- Rows -----------------------------------------------------------------------------------------

void FenMetadataController::fillWithMetadataArray(const AnalyseMetadataList& items)
{
    m_organizedArray.clear();
    AnalyseMetadataList source = items;
    if (m_doc)
        organiseArray(m_organizedArray, source, *m_doc);
    fillTitle();
    if (StdTableView* table = table1())
        table->reloadData();
    manuelAdjustHeight(false);
}

void FenMetadataController::organiseArray(AnalyseMetadataList& destination, AnalyseMetadataList& source,
                                          const DOCUMENT& doc)
{
    std::stable_sort(source.begin(), source.end(), [](const AnalyseMetadata& a, const AnalyseMetadata& b) {
        return a.associatedDate < b.associatedDate;
    });
    destination.clear();
    appendGroups(destination, source, doc,
                 {StorageKind::Echeancier, &AnalyseMetadata::associatedEcheancierIdent, true});
    appendGroups(destination, source, doc, {StorageKind::Prevision, &AnalyseMetadata::associatedPrevisionIdent, false});
    const qsizetype header = destination.size();
    destination.append(chapeau(StorageKind::Transact, -1, -1, nullptr));
    for (const AnalyseMetadata& t : source) {
        if (!t.chapeau && t.storageType == StorageKind::Transact && t.associatedEcheancierIdent < 0
            && t.associatedPrevisionIdent < 0)
            destination.append(t);
    }
    if (destination.size() == header + 1)
        destination.removeLast();
}

long FenMetadataController::storedIndex(const AnalyseMetadata& item, const DOCUMENT& doc)
{
    switch (item.storageType) {
    case StorageKind::Transact:
        return item.storageIndex >= 0 && item.storageIndex < doc.transact_array.size() ? item.storageIndex : -1;
    case StorageKind::Echeancier:
        return positionOfIdent(doc.echeancierHdl, item.storageIndex, item.associatedEcheancierIdent);
    case StorageKind::Prevision:
        return positionOfIdent(doc.previsionsArray, item.storageIndex, item.associatedPrevisionIdent);
    }
    return -1;
}

bool FenMetadataController::findIdentInArray(long ident, const QList<long>& array)
{
    return array.contains(ident);
}

QString FenMetadataController::budgetShiftToString(long budgetShift, int /*budgetShiftReference*/)
{
    const QString key
        = budgetShift < 0 ? QStringLiteral("LABEL_IMPACT_BUDGET_NEG") : QStringLiteral("LABEL_IMPACT_BUDGET_POS");
    return localizedAppl(key).arg(budgetShift);
}

MetadataRow FenMetadataController::rowKind(const AnalyseMetadata& item)
{
    switch (item.storageType) {
    case StorageKind::Echeancier:
        return item.chapeau ? MetadataRow::EcheancierChapeau : MetadataRow::Echeancier;
    case StorageKind::Prevision:
        return item.chapeau ? MetadataRow::PrevisionChapeau : MetadataRow::Prevision;
    case StorageKind::Transact:
        break;
    }
    if (item.chapeau)
        return MetadataRow::TransChapeau;
    if (item.associatedEcheancierIdent >= 0)
        return MetadataRow::EcheancierTrans;
    return item.associatedPrevisionIdent >= 0 ? MetadataRow::PrevisionTrans : MetadataRow::Trans;
}

int FenMetadataController::heightOfRow(MetadataRow kind)
{
    return kind == MetadataRow::Echeancier || kind == MetadataRow::Prevision ? kOccurrenceHeight : kHeaderHeight;
}

int FenMetadataController::numberOfRowsInTableView1(StdTableView*)
{
    return int(m_organizedArray.size());
}

// The rows are not all of one height: each takes its kind's after every reload.
void FenMetadataController::tableDidReloadData(StdTableView* table)
{
    StdWindowWithTableController::tableDidReloadData(table);
    if (table != table1())
        return;
    for (int row = 0; row < m_organizedArray.size(); ++row)
        table->verticalHeader()->resizeSection(row, heightOfRow(rowKind(m_organizedArray.at(row))));
}

double FenMetadataController::computeTotalHeightForTable1()
{
    double total = 0;
    for (const AnalyseMetadata& item : m_organizedArray)
        total += heightOfRow(rowKind(item));
    return total;
}

QColor FenMetadataController::getPatColor1(int row)
{
    if (row < 0 || row >= m_organizedArray.size())
        return QColor();
    return rowColours().at(size_t(rowKind(m_organizedArray.at(row))));
}

QColor FenMetadataController::selectedControlColor() const
{
    return QColor::fromRgbF(0.9411765F, 0.8235294F, 0.8235294F);
}

StdCell* FenMetadataController::viewForTableColumn1(StdTableView* table, int row)
{
    if (!m_doc || row < 0 || row >= m_organizedArray.size())
        return nullptr;
    const AnalyseMetadata& item = m_organizedArray.at(row);
    const MetadataRow kind = rowKind(item);
    m_cell.clear(item.chapeau);
    switch (kind) {
    case MetadataRow::EcheancierChapeau:
    case MetadataRow::PrevisionChapeau:
    case MetadataRow::TransChapeau:
        fillChapeau(item, kind);
        break;
    case MetadataRow::Echeancier:
    case MetadataRow::Prevision:
        fillOccurrence(item, kind);
        break;
    case MetadataRow::EcheancierTrans:
    case MetadataRow::PrevisionTrans:
    case MetadataRow::Trans:
        m_cell.fieldDate()->setText(dateToStringWithStyles(1, 0, item.associatedDate));
        fillAmounts(item.montantReelDebit, item.montantReelCredit);
        break;
    }
    m_cell.setTableView(table);
    setFillBackground(&m_cell, table, row);
    return &m_cell;
}

void FenMetadataController::fillAmounts(const MONTANT& debit, const MONTANT& credit)
{
    m_cell.fieldDebit()->setText(montantToStringForDevise(debit, devise(), &m_doc->deviseHdl, false));
    m_cell.fieldCredit()->setText(montantToStringForDevise(credit, devise(), &m_doc->deviseHdl, false));
}

// A forecast occurrence stands for a period: its first day and the last day it stays valid.
void FenMetadataController::fillOccurrence(const AnalyseMetadata& item, MetadataRow kind)
{
    fillAmounts(item.montantPrevuDebit, item.montantPrevuCredit);
    QString date = dateToStringWithStyles(1, 0, item.associatedDate);
    const Prevision* prevision
        = kind == MetadataRow::Prevision ? previsionAt(storedIndex(item, *m_doc), *m_doc) : nullptr;
    if (prevision && prevision->planificator) {
        const double valideTo = prevision->planificator->computeValideToDate(item.associatedDate);
        date = QStringLiteral("%1 - %2").arg(date, dateToStringWithStyles(1, 0, valideTo));
    }
    m_cell.fieldDate()->setText(date);
}

void FenMetadataController::fillChapeau(const AnalyseMetadata& item, MetadataRow kind)
{
    const Planificator* plan = nullptr;
    if (kind == MetadataRow::EcheancierChapeau) {
        if (const ECHEANCIER* e = echeancierAt(storedIndex(item, *m_doc), *m_doc)) {
            m_cell.fieldNom()->setText(echeancierNameForIdent(e->ident, m_doc));
            plan = &e->planificator;
        }
    } else if (kind == MetadataRow::PrevisionChapeau) {
        if (const Prevision* p = previsionAt(storedIndex(item, *m_doc), *m_doc)) {
            m_cell.fieldNom()->setText(p->name);
            plan = p->planificator ? &*p->planificator : nullptr;
        }
    } else {
        m_cell.fieldNom()->setText(localizedAppl(QStringLiteral("LABEL_HORS_BUDGET")));
        m_cell.fieldBudgetShift()->setText(budgetShiftToString(0, 0));
        return;
    }
    if (!plan)
        return;
    m_cell.fieldBudgetShift()->setText(budgetShiftToString(plan->budgetShift, plan->budgetShiftReference));
    m_cell.fieldBudgetShiftRelatif()->setText(localizedAppl(plan->budgetShiftReference != 0
                                                                ? QStringLiteral("LABEL_RELATIF_DEBUT")
                                                                : QStringLiteral("LABEL_RELATIF_ECHEANCE")));
}

// ---- Opening an item ------------------------------------------------------------------------------

void FenMetadataController::didDoubleClick1(QObject* sender)
{
    OUVRIR(sender);
}

void FenMetadataController::OUVRIR(QObject*)
{
    StdTableView* table = table1();
    const int row
        = table && table->selectionModel()->hasSelection() ? table->selectionModel()->selectedRows().first().row() : -1;
    if (row < 0 || row >= m_organizedArray.size())
        return;
    openItem(m_organizedArray.at(row));
}

// A transaction opens in the entry window. A schedule or forecast opens in its editor on a copy
// that replaces it on OK, once the schedules window is open (the application opens it). The
// header of the unplanned transactions stands for nothing and opens nothing; an item no longer in
// the document beeps.
void FenMetadataController::openItem(const AnalyseMetadata& item)
{
    if (item.chapeau && item.storageType == StorageKind::Transact)
        return;
    if (!m_doc || !openStoredItem(item))
        beep();
}

bool FenMetadataController::openStoredItem(const AnalyseMetadata& item)
{
    const long index = storedIndex(item, *m_doc);
    if (index < 0)
        return false;
    switch (item.storageType) {
    case StorageKind::Transact: {
        if (!windowDoors())
            return false;
        SaisieRequest request;
        request.pos = index;
        windowDoors()->openSaisie(this, request);
        return true;
    }
    case StorageKind::Echeancier:
        if (!openEcheanciersWindow() || !windowDoors())
            return false;
        windowDoors()->editEcheancierClone(this, *m_doc, m_doc->echeancierHdl.at(index).ident);
        return true;
    case StorageKind::Prevision:
        if (!openEcheanciersWindow() || !windowDoors())
            return false;
        windowDoors()->editIndexedPrevision(windowDoors()->echeanciersWindow(), *m_doc,
                                            m_doc->previsionsArray.at(index).ident);
        return true;
    }
    return false;
}

bool FenMetadataController::openEcheanciersWindow()
{
    auto* app = dynamic_cast<QObject*>(windowAppDelegate());
    return app && StdActionDispatcher::invoke(app, QStringLiteral("ECHEANCIERS:"), this);
}

void FenMetadataController::windowWillClose()
{
    if (QObject* opener = property("delegate").value<QObject*>())
        QMetaObject::invokeMethod(opener, "paletteWillCloseNotification");
    StdWindowWithTableController::windowWillClose();
}
