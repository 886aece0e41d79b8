#include "investments/FenSimulationController.h"

#include "investments/BoxSimulationPied.h"
#include "investments/BoxSimulationTitre.h"
#include "investments/InvestmentWindows.h"
#include "investments/PopSimulation.h"
#include "investments/TemplateSimulation.h"
#include "investments/TextFieldRealSim.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/PopDevise.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/listlayout.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "foundation/numbers.h"
#include "model/DOCUMENT.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<FenSimulationController>& openWindow()
{
    static QPointer<FenSimulationController> window;
    return window;
}

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

const DeviseList* devises()
{
    const DOCUMENT* doc = currentDocument();
    return doc ? &doc->deviseHdl : nullptr;
}

// A field's number with at most that many decimals, trailing zeros dropped, a point.
QString trimmed(double value, long decimals)
{
    return TextFieldReal::trimmedTextOfValue(value, decimals);
}

double fieldValue(const TextFieldReal* field)
{
    return TextFieldReal::valueOfText(field->toPlainText());
}

// A figure of the simulation file: written with two decimals in every slot.
constexpr int kSimulationDecimales = 2;
constexpr int kSimulationTauxDecimales = 6;

MONTANT storedSimulationMontant(long slot, double value, const DeviseList& devises)
{
    MONTANT montant;
    montant.makeMontant(slot, value, devises);
    for (double& v : montant.values)
        v = TextFieldReal::storedValueOf(v, kSimulationDecimales);
    return montant;
}

template <class Field> Field* inputField(QWidget* parent, const char* name)
{
    auto* field = new Field(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(120);
    return field;
}

} // namespace

FenSimulationController* FenSimulationController::current()
{
    return stillOpen(openWindow().data());
}

FenSimulationController* FenSimulationController::openSimulation(long devise)
{
    if (!currentDocument())
        return nullptr;
    if (FenSimulationController* open = current()) {
        open->orderFront();
        return open;
    }
    openWindow() = StdWindowController::push<FenSimulationController>(nullptr, devise, true);
    return openWindow();
}

FenSimulationController* openSimulation()
{
    return FenSimulationController::openSimulation(MONTANT::currentDeviseSlot());
}

FenSimulationController* openSimulationAtIndex(long index)
{
    FenSimulationController* window = openSimulation();
    if (!window || !window->gotoSimulationAtIndex(index))
        return nullptr;
    return window;
}

// ---------------------------------------------------------------------------------------------
// Building

void FenSimulationController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenSimulation"));
    window.setWindowTitle(appl("FenSimulation_title"));
    setTemplateViews(new TemplateSimulation);

    StdTableView* table = nullptr;
    QWidget* main = makeBandedList(window, 30, TemplateSimulation::kRowHeight, TemplateSimulation::kBandHeight, &table);
    table->setMinimumSize(TemplateSimulation::width(), TemplateSimulation::kRowHeight * 8);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addWidget(buildToolbar(window));
    layout->addWidget(buildInputs(window));
    layout->addWidget(main, 1);
    window.resize(TemplateSimulation::width() + 30, 560);
}

QWidget* FenSimulationController::buildToolbar(StdWindow& window)
{
    auto* bar = new QWidget(&window);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    m_popConfiguration = new PopSimulation(bar);
    m_popConfiguration->setObjectName(QStringLiteral("pop_configuration"));
    m_popConfiguration->setTitle(appl("FenSimulation_configuration"));
    m_popConfiguration->setSimulation_delegate(this);
    m_fieldConfiguration = new QLabel(bar);
    m_fieldConfiguration->setObjectName(QStringLiteral("field_configuration"));
    QFont bold = m_fieldConfiguration->font();
    bold.setBold(true);
    m_fieldConfiguration->setFont(bold);
    m_buttonSimuler = new QPushButton(appl("FenSimulation_simuler"), bar);
    m_buttonSimuler->setObjectName(QStringLiteral("button_simuler"));
    m_buttonSimuler->setDefault(true);
    connectAction(m_buttonSimuler, QStringLiteral("SIMULER:"));
    m_buttonTransform = new QPushButton(appl("FenSimulation_transformer"), bar);
    m_buttonTransform->setObjectName(QStringLiteral("button_transform"));
    m_buttonTransform->setAutoDefault(false);
    connectAction(m_buttonTransform, QStringLiteral("TRANSFORMER:"));
    auto* imprimer = new QPushButton(localizedAppl(QStringLiteral("MENU_IMPRIMER")), bar);
    imprimer->setObjectName(QStringLiteral("button_imprimer"));
    imprimer->setAutoDefault(false);
    connectAction(imprimer, QStringLiteral("IMPRIMER:"));
    row->addWidget(m_popConfiguration);
    row->addWidget(m_fieldConfiguration, 1);
    row->addWidget(m_buttonSimuler);
    row->addWidget(m_buttonTransform);
    row->addWidget(imprimer);
    return bar;
}

QWidget* FenSimulationController::buildInputs(StdWindow& window)
{
    auto* box = new QWidget(&window);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    m_fieldMontant = inputField<TextFieldMontant>(box, "field_montant");
    m_popDevise = new PopDevise(box);
    m_popDevise->setObjectName(QStringLiteral("pop_devise"));
    m_popDevise->setAssociatedMontant(m_fieldMontant);
    m_fieldTaux = inputField<TextFieldReal>(box, "field_taux");
    m_fieldTaux->setStoredDecimales(kSimulationTauxDecimales);
    m_popupKind = new QComboBox(box);
    m_popupKind->setObjectName(QStringLiteral("popup_kind"));
    for (const char* key : {"FenSimulation_kind0", "FenSimulation_kind1", "FenSimulation_kind2"})
        m_popupKind->addItem(appl(key), QVariant::fromValue<qint64>(m_popupKind->count()));
    connect(m_popupKind, &QComboBox::activated, this, [this] { POPUP_MENSUALITE(m_popupKind); });
    m_fieldMensualite = inputField<TextFieldRealSim>(box, "field_mensualite");
    m_fieldMensualite->setPopup_kind_sim(m_popupKind);
    m_fieldCout = inputField<TextFieldReal>(box, "field_cout");
    for (TextFieldReal* field : {static_cast<TextFieldReal*>(m_fieldMensualite), m_fieldCout})
        field->setStoredDecimales(kSimulationDecimales);
    grid->addWidget(new QLabel(appl("FenSimulation_montant"), box), 0, 0);
    grid->addWidget(m_fieldMontant, 0, 1);
    grid->addWidget(m_popDevise, 0, 2);
    grid->addWidget(new QLabel(appl("FenSimulation_taux"), box), 0, 3);
    grid->addWidget(m_fieldTaux, 0, 4);
    grid->addWidget(m_popupKind, 1, 0);
    grid->addWidget(m_fieldMensualite, 1, 1);
    grid->addWidget(new QLabel(appl("FenSimulation_cout"), box), 1, 3);
    grid->addWidget(m_fieldCout, 1, 4);
    grid->setColumnStretch(5, 1);
    return box;
}

BoxSimulationPied* FenSimulationController::box_pied() const
{
    return templateViews() ? qobject_cast<BoxSimulationPied*>(templateViews()->template_view_pied()) : nullptr;
}

void FenSimulationController::didAwakeFromNib()
{
    StdWindowWithTableController::didAwakeFromNib();
    if (StdTemplate* templ = templateViews()) {
        placeViewTete(templ->template_view_tete());
        placeViewPied(templ->template_view_pied());
    }
    MyTotaux() = TOTAUX();
}

void FenSimulationController::windowWillClose()
{
    StdWindowWithTableController::windowWillClose();
    m_simul = newSimulation();
    m_configuration.clear();
    if (openWindow() == this)
        openWindow() = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Filling and reading

void FenSimulationController::FILL()
{
    m_fieldConfiguration->setText(m_configuration);
    m_fieldMontant->fillMontant(m_simul->montant, devise());
    m_fieldTaux->setPlainText(trimmed(m_simul->taux, 6));
    m_popupKind->setCurrentIndex(int(m_simul->kind));
    fillMensualite();
    m_fieldCout->setPlainText(trimmed(m_simul->cout.getValueForDevise(devise()), 2));
    updateButtonTranformer();
    PRINT_PIED();
    const bool editable = m_configuration.isEmpty();
    m_fieldMontant->setEnabled(editable);
    for (StdTextView* field : {static_cast<StdTextView*>(m_fieldTaux), static_cast<StdTextView*>(m_fieldMensualite),
                               static_cast<StdTextView*>(m_fieldCout)})
        field->setEnabled(editable);
    m_popupKind->setEnabled(editable);
    StdWindowWithTableController::FILL();
    if (editable)
        m_fieldMontant->selectAll();
}

// A simulation shown from a stored configuration is read only: the order's first field then.
QWidget* FenSimulationController::initialFirstResponder() const
{
    return m_fieldMontant->isEnabled() ? m_fieldMontant : nullptr;
}

void FenSimulationController::fillMensualite()
{
    if (m_simul->kind == kSimulationConstantPayment)
        m_fieldMensualite->setPlainText(QString::number(m_simul->nbMensu));
    else
        m_fieldMensualite->setPlainText(trimmed(m_simul->mensu.getValueForDevise(devise()), 2));
}

bool FenSimulationController::READ()
{
    if (!StdWindowWithTableController::READ())
        return false;
    const DeviseList* list = devises();
    if (!list)
        return false;
    m_fieldMontant->readMontant(m_simul->montant);
    m_simul->taux = m_fieldTaux->storedValue();
    m_simul->kind = m_popupKind->currentData().toLongLong();
    if (m_simul->kind == kSimulationConstantPayment)
        m_simul->nbMensu = long(std::llround(fieldValue(m_fieldMensualite)));
    else
        m_simul->mensu = storedSimulationMontant(devise(), m_fieldMensualite->storedValue(), *list);
    m_simul->cout = storedSimulationMontant(devise(), m_fieldCout->storedValue(), *list);
    return true;
}

void FenSimulationController::PRINT_PIED()
{
    BoxSimulationPied* pied = box_pied();
    if (!pied)
        return;
    pied->fill(MyTotaux(), devise());
    // The totals are the widest figures of the schedule: every view of the table takes their room,
    // on paper as on screen.
    const int amount = TemplateSimulation::amountWidth(pied->texts());
    TemplateSimulation::setAmountWidth(&m_cell, amount);
    if (auto* templ = qobject_cast<TemplateSimulation*>(templateViews()))
        templ->setViewsAmountWidth(amount);
    if (table1())
        table1()->setMinimumWidth(TemplateSimulation::width(amount));
}

void FenSimulationController::paintSimulListe(CellSimulation& cell, int row)
{
    if (const TOTAUX* line = simulationRowAtIndex(m_simul.get(), row))
        cell.fill(*line, devise());
}

void FenSimulationController::paintPrintTete()
{
    StdWindowWithTableController::paintPrintTete();
    auto* titre = templateViews() ? qobject_cast<BoxSimulationTitre*>(templateViews()->template_view_titre()) : nullptr;
    if (!titre)
        return;
    const long slot = devise();
    titre->field_print_montant()->setText(montantToStringForDevise(m_simul->montant, slot, devises(), true));
    titre->field_print_taux()->setText(
        QStringLiteral("%1 %").arg(doubleToStringTrimmed(6, QLatin1Char(','), m_simul->taux)));
    titre->field_print_kind()->setText(QStringLiteral("%1 :").arg(m_popupKind->itemText(int(m_simul->kind))));
    const DeviseList* list = devises();
    const QString unit = list && slot >= 0 && slot < list->size() ? list->at(slot).unit : QString();
    if (m_simul->kind == kSimulationConstantPayment)
        titre->field_print_mensualite()->setText(QString::number(m_simul->nbMensu));
    else
        titre->field_print_mensualite()->setText(
            QStringLiteral("%1 %2").arg(doubleToDisplayString(2, m_simul->mensu.getValueForDevise(slot)), unit));
    titre->field_print_cout()->setText(montantToStringForDevise(m_simul->cout, slot, devises(), true));
}

void FenSimulationController::updateButtonTranformer()
{
    m_buttonTransform->setEnabled(simulationNbRows(m_simul.get()) > 0);
}

int FenSimulationController::numberOfRowsInTableView1(StdTableView*)
{
    return int(simulationNbRows(m_simul.get()));
}

StdCell* FenSimulationController::viewForTableColumn1(StdTableView*, int row)
{
    if (!simulationRowAtIndex(m_simul.get(), row))
        return nullptr;
    paintSimulListe(m_cell, row);
    return &m_cell;
}

QColor FenSimulationController::getPatColor1(int)
{
    return Qt::white;
}

// ---------------------------------------------------------------------------------------------
// Computing

void FenSimulationController::SIMULER(QObject*)
{
    if (!READ())
        return;
    const bool computed = computeSimulation(*m_simul, MyTotaux());
    if (!computed) {
        // A schedule cut short by a month that repays nothing is no loan: none of it is shown.
        clearSimulationRows(m_simul.get());
        MyTotaux() = TOTAUX();
    }
    PRINT_PIED();
    table1()->reloadData();
    if (computed) {
        // Fitted to the rows the table now shows; a refused schedule leaves the height as it was.
        adjustHeight(false);
        table1()->GO(0);
    } else {
        alert("kAlerte_BadSimul", QString(), "simulateur");
    }
    updateButtonTranformer();
}

void FenSimulationController::POPUP_MENSUALITE(QObject*)
{
    if (m_popupKind->currentData().toLongLong() == kSimulationConstantPayment)
        m_fieldMensualite->setPlainText(QStringLiteral("1"));
    m_fieldMensualite->setFocus();
    m_fieldMensualite->selectAll();
}

void FenSimulationController::DEVISE(QObject* item)
{
    const long old = devise();
    const long slot = long(StdMenu::tagOf(item));
    FILL_DEVISE(slot);
    const DeviseList* list = devises();
    if (!list || m_simul->kind == kSimulationConstantPayment)
        return;
    for (TextFieldReal* field : {static_cast<TextFieldReal*>(m_fieldMensualite), m_fieldCout}) {
        const double converted = MONTANT::convertMontant(fieldValue(field), old, slot, *list);
        field->setPlainText(trimmed(converted, 2));
    }
}

void FenSimulationController::FILL_DEVISE(long slot)
{
    pickers().FILL_DEVISE(slot);
    m_fieldMontant->SET_DEVISE(slot);
    const IndexSet selection = table1() ? table1()->selectedRowIndexes() : IndexSet();
    if (table1()) {
        table1()->reloadData();
        if (!selection.empty())
            table1()->GO(int(*selection.begin()));
    }
    PRINT_PIED();
}

void FenSimulationController::alert(const char* key, const QString& information, const char* imageName, int style)
{
    showAlertOK(this, Dialog::keyString(QString::fromLatin1(key)), information, QString::fromLatin1(imageName), style);
}
