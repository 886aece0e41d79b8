#include "import/FenEditImportController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/tables/StdTableView.h"

#include "document/DocContext.h"
#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "import/ImportParser.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"
#include "model/TOOL.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kGlobalArray = QStringLiteral("globalArray");
const QString kFormat = QStringLiteral("format");
const QString kCompteID = QStringLiteral("cID");

} // namespace

void FenEditImportController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditImport"));
    window.setWindowTitle(localizedMisc(QStringLiteral("kMisc_Import_title")));
    m_fieldTitle = new QLabel(&window);
    m_fieldTitle->setObjectName(QStringLiteral("field_title"));
    m_fieldTitle->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_fieldCompte = new QLabel(&window);
    m_fieldCompte->setObjectName(QStringLiteral("field_compte"));
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellRubrique::kHeight);
    table->setMinimumSize(440, CellRubrique::kHeight * 8);
    auto* navigation = new QHBoxLayout;
    const std::pair<const char*, const char*> moves[]
        = {{"«", "FIRST:"}, {"‹", "PREV:"}, {"›", "NEXT:"}, {"»", "LAST:"}};
    m_fieldPosition = new QLabel(&window);
    m_fieldPosition->setObjectName(QStringLiteral("field_position"));
    m_fieldPosition->setAlignment(Qt::AlignCenter);
    m_fieldPosition->setMinimumWidth(70);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(moves[i].first), &window);
        button->setObjectName(QString::fromLatin1(moves[i].second).chopped(1));
        button->setAutoDefault(false);
        button->setFixedWidth(36);
        connectAction(button, QString::fromLatin1(moves[i].second));
        m_buttons[i] = button;
        navigation->addWidget(button);
        if (i == 1)
            navigation->addWidget(m_fieldPosition);
    }
    navigation->addStretch();
    auto* cancel = new QPushButton(localizedMisc(QStringLiteral("kMisc_Annuler")), &window);
    cancel->setAutoDefault(false);
    connectAction(cancel, QStringLiteral("NON:"));
    auto* ok = new QPushButton(Dialog::OKString(), &window);
    ok->setObjectName(QStringLiteral("button_ok"));
    ok->setDefault(true);
    connectAction(ok, QStringLiteral("OUI:"));
    navigation->addWidget(cancel);
    navigation->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(m_fieldTitle);
    layout->addWidget(m_fieldCompte);
    layout->addWidget(table, 1);
    layout->addLayout(navigation);
}

const ImportRecords& FenEditImportController::records() const
{
    return m_records;
}

void FenEditImportController::didAwakeFromNib()
{
    m_records = getData()->value(kGlobalArray).value<ImportRecords>();
    StdWindowWithTableController::didAwakeFromNib();
    setImportExportInd(0);
}

QString FenEditImportController::titleString() const
{
    return QStringLiteral("%1 (%2)").arg(localizedMisc(QStringLiteral("kMisc_Import_title")),
                                         ImportManager::getImportFormatName(getData()->value(kFormat).toInt()));
}

void FenEditImportController::FILL()
{
    if (m_fieldTitle)
        m_fieldTitle->setText(titleString());
    if (m_fieldCompte)
        m_fieldCompte->setText(
            getToolNameNS(kToolCompte, long(getData()->value(kCompteID).toLongLong()), currentDocument()));
    StdWindowWithTableController::FILL();
}

void FenEditImportController::setImportExportInd(long index)
{
    const long count = long(records().size());
    m_myImportExportInd = index;
    m_canPrev = index >= 1;
    m_canSuiv = index < count - 1;
    if (m_fieldPosition)
        m_fieldPosition->setText(QStringLiteral("%1/%2").arg(count > 0 ? index + 1 : 0).arg(count));
    if (m_buttons[0]) {
        m_buttons[0]->setEnabled(m_canPrev);
        m_buttons[1]->setEnabled(m_canPrev);
        m_buttons[2]->setEnabled(m_canSuiv);
        m_buttons[3]->setEnabled(m_canSuiv);
    }
}

void FenEditImportController::reload()
{
    if (table1())
        table1()->reloadData();
}

void FenEditImportController::FIRST(QObject*)
{
    setImportExportInd(0);
    reload();
}

void FenEditImportController::PREV(QObject*)
{
    if (m_canPrev)
        setImportExportInd(m_myImportExportInd - 1);
    reload();
}

void FenEditImportController::NEXT(QObject*)
{
    if (m_canSuiv)
        setImportExportInd(m_myImportExportInd + 1);
    reload();
}

void FenEditImportController::LAST(QObject*)
{
    setImportExportInd(std::max(0L, long(records().size()) - 1));
    reload();
}

QColor FenEditImportController::getPatColor1(int)
{
    return QColor::fromRgbF(0.9882353f, 1.0f, 0.9137255f, 1.0f);
}

int FenEditImportController::numberOfRowsInTableView1(StdTableView*)
{
    const ImportRecords& all = records();
    if (m_myImportExportInd < 0 || m_myImportExportInd >= long(all.size()))
        return 0;
    return int(all[size_t(m_myImportExportInd)].fields.size());
}

StdCell* FenEditImportController::viewForTableColumn1(StdTableView*, int row)
{
    if (row < 0 || row >= numberOfRowsInTableView1(nullptr))
        return nullptr;
    const ImportField& field = records()[size_t(m_myImportExportInd)].fields[size_t(row)];
    const DOCUMENT* doc = currentDocument();
    const long decimales = doc ? Devise::deviseDecimalesAtIndex(doc->deviseHdl, devise()) : 2;
    m_cell.fill(ImportManager::rubriqueToString(long(field.kind), false), shownValue(field, decimales));
    return &m_cell;
}

QString FenEditImportController::shownValue(const ImportField& field, long decimales)
{
    switch (field.kind) {
    case ImportRubrique::MontantSeul:
    case ImportRubrique::MontantDevise:
    case ImportRubrique::MontantDebitSeul:
    case ImportRubrique::MontantDebitDevise:
    case ImportRubrique::MontantCreditSeul:
    case ImportRubrique::MontantCreditDevise: {
        double value = 0;
        QString unit;
        if (!ImportParser::parseMontantFromString(field.value, field.kind, &value, &unit, true))
            return field.value;
        const QString amount = MONTANT::montantToStringFromDouble(value, decimales, u',');
        return unit.isEmpty() ? amount : amount + u' ' + unit;
    }
    case ImportRubrique::DateJMA:
    case ImportRubrique::DateAMJ:
    case ImportRubrique::DateMJA: {
        double date = 0;
        if (!ImportParser::parseDateFromString(field.value, field.kind, &date))
            return field.value;
        return dateToStringWithStyles(1, 0, date);
    }
    case ImportRubrique::Filler:
    case ImportRubrique::Contre:
    case ImportRubrique::Debit:
    case ImportRubrique::Credit:
    case ImportRubrique::Poste:
    case ImportRubrique::Reference:
    case ImportRubrique::Info:
    case ImportRubrique::Moyen:
    case ImportRubrique::Devise:
    case ImportRubrique::Fiscal:
    case ImportRubrique::NotAffected:
    case ImportRubrique::Invalide:
        break;
    }
    return field.value;
}

bool openImportReviewWindow(StdWindowController* window, const ImportRecords& records, int format, long compteID,
                            long devise)
{
    WindowDataPtr data = makeWindowData(
        {{kGlobalArray, QVariant::fromValue(records)}, {kFormat, format}, {kCompteID, qlonglong(compteID)}});
    return StdWindowController::pushModal<FenEditImportController>(window, data, devise) == 1;
}
