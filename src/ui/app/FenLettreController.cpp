#include "app/FenLettreController.h"

#include "app/FenViewLettreController.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/windowutils.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QStringList& letterList()
{
    static QStringList list;
    return list;
}

QPointer<FenLettreController>& openWindow()
{
    static QPointer<FenLettreController> window;
    return window;
}

} // namespace

void initLettres()
{
    QStringList& list = letterList();
    list.clear();
    const QDir folder(FenRTFController::infoFolder() + QStringLiteral("/lettres"));
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files, QDir::NoSort)) {
        if (entry.suffix() == QLatin1String("rtf"))
            list.append(entry.filePath());
    }
}

void disposeLettres()
{
    letterList().clear();
}

const QStringList& lettres()
{
    return letterList();
}

FenLettreController* FenLettreController::current()
{
    return stillOpen(openWindow().data());
}

void FenLettreController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenLettre"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenLettre_titre")));
    auto* table = new StdTableView(&window);
    table->setObjectName(QStringLiteral("table1"));
    table->setUniformRowHeight(CellLettre::kHeight);
    table->setMinimumSize(320, CellLettre::kHeight * 5);
    auto* ouvrir = new QPushButton(localizedAppl(QStringLiteral("FenLettre_ouvrir")), &window);
    ouvrir->setObjectName(QStringLiteral("button_ouvrir"));
    connectAction(ouvrir, QStringLiteral("OUVRIR:"));
    ouvrir->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ouvrir);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
}

int FenLettreController::numberOfRowsInTableView1(StdTableView*)
{
    return int(lettres().size());
}

StdCell* FenLettreController::viewForTableColumn1(StdTableView*, int row)
{
    if (row < 0 || row >= lettres().size())
        return nullptr;
    m_cell.fill(lettres().at(row));
    return &m_cell;
}

QColor FenLettreController::getPatColor1(int)
{
    return QColor::fromRgbF(0.8509804f, 0.9411765f, 0.9764706f, 1.0f);
}

void FenLettreController::OUVRIR(QObject*)
{
    StdTableView* table = table1();
    const IndexSet rows = table ? table->selectedRowIndexes() : IndexSet();
    if (rows.empty())
        return;
    const long row = long(*rows.begin());
    if (row < 0 || row >= lettres().size())
        return;
    StdWindowController::push<FenViewLettreController>(makeWindowData({{QStringLiteral("path"), lettres().at(row)}}),
                                                       devise(), true);
}

void FenLettreController::didDoubleClick1(QObject* sender)
{
    OUVRIR(sender);
}

void FenLettreController::windowWillClose()
{
    if (openWindow() == this)
        openWindow() = nullptr;
    StdWindowWithTableController::windowWillClose();
}

FenLettreController* showLetters()
{
    if (FenLettreController* open = stillOpen(openWindow().data())) {
        showWindowOfController(open->window());
        return open;
    }
    openWindow() = StdWindowController::push<FenLettreController>(nullptr, MONTANT::currentDeviseSlot(), true);
    return openWindow();
}
