#include "schedules/ViewPlanificatorController.h"

#include "schedules/CellPlanificator.h"
#include "schedules/ViewPlanificatorTitle.h"

#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"
#include "toolkit/dialogs/FenCalendrierController2.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldIntegerN.h"
#include "toolkit/fields/TextFieldIntegerNStar.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/fields/datefields.h"
#include "toolkit/popups/PopHelp.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdWindowController.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStandardItemModel>
#include <QToolButton>
#include <QVBoxLayout>

struct ViewPlanificatorController::Controls {
    QComboBox* popup_tousles = nullptr;
    TextFieldIntegerNStar* field_tousles = nullptr;
    TextFieldIntegerNStar* field_nombre_echeances = nullptr;
    QLabel* label_nombre_echeances = nullptr;
    QCheckBox* checkbox_permanent = nullptr;
    QComboBox* popup_reconduction = nullptr;
    QComboBox* popup_reconduction_tousles = nullptr;
    TextFieldIntegerNStar* field_reconduction_tousles = nullptr;
    TextFieldIntegerNStar* field_reconduction_nombre_echeances = nullptr;
    QLabel* label_reconduction_nombre_echeances = nullptr;
    QCheckBox* checkbox_reconduction_permanent = nullptr;
    QComboBox* popup_validite = nullptr;
    QComboBox* popup_validite_tousles = nullptr;
    TextFieldIntegerNStar* field_validite_tousles = nullptr;
    TextFieldJour* field_first_date_jour = nullptr;
    TextFieldMois* field_first_date_mois = nullptr;
    TextFieldAnnee* field_first_date_annee = nullptr;
    QToolButton* button_calendrier1 = nullptr;
    QLabel* field_last_date = nullptr;
    QComboBox* popup_date_ecriture = nullptr;
    TextFieldIntegerN* field_avance = nullptr;
    QLabel* field_ecrites_regul = nullptr;
    QLabel* field_ecrites_perso = nullptr;
    QLabel* field_ecrites_derniere = nullptr;
    QComboBox* popup_budget_shift = nullptr;
    QComboBox* popup_budget_shift_reference = nullptr;
    PopHelp* pop_help_alerte = nullptr;
};

namespace {

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

QList<std::pair<QString, long>> timeUnits()
{
    QList<std::pair<QString, long>> items;
    for (long unit = 0; unit <= 3; ++unit)
        items.append({Constants::timeUnitToString(unit), unit});
    return items;
}

long tagOf(const QComboBox* popup)
{
    return popup ? popup->currentData().toLongLong() : 0;
}

void selectTag(QComboBox* popup, long tag)
{
    const int index = popup->findData(QVariant::fromValue<qlonglong>(tag));
    popup->setCurrentIndex(index >= 0 ? index : 0);
}

long integerOf(const StdTextView* field)
{
    return field->toPlainText().trimmed().toLong();
}

void showInteger(StdTextView* field, long value)
{
    field->setPlainText(QString::asprintf("%ld", value));
}

void setLabelGrey(QLabel* label, bool grey)
{
    label->setStyleSheet(grey ? QStringLiteral("color: grey;") : QStringLiteral("color: black;"));
}

} // namespace

ViewPlanificatorController::ViewPlanificatorController(int32_t type, QWidget* parent)
    : QWidget(parent)
    , m_type(type)
    , m_c(std::make_unique<Controls>())
    , m_cell(std::make_unique<CellPlanificator>())
{
    setObjectName(QStringLiteral("planificator_controller"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    buildRepetition(*grid, 0);
    buildReconduction(*grid, 1);
    if (m_type == Planificator::kTypePrevision)
        buildValidite(*grid, 2);
    else
        buildEcriture(*grid, 2);
    buildBudget(*grid, 4);
    m_viewTitle = new ViewPlanificatorTitle(this);
    m_viewTitle->setDelegate(this);
    m_viewTitle->setFixedHeight(18);
    m_table = new StdTableView(this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setUniformRowHeight(CellPlanificator::kHeight);
    m_table->setCanChangeSelection(false);
    m_table->setMinimumHeight(CellPlanificator::kHeight * 4 + 2);
    m_table->setSource(this);
    m_cell->viewPlanificator()->setDelegate(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addWidget(m_viewTitle);
    layout->addWidget(m_table, 1);
}

ViewPlanificatorController::~ViewPlanificatorController()
{
    m_table->setSource(nullptr);
}

StdWindowController* ViewPlanificatorController::delegate() const
{
    return m_delegate;
}

void ViewPlanificatorController::setDelegate(StdWindowController* delegate)
{
    m_delegate = delegate;
}

QAbstractButton* ViewPlanificatorController::button_OK() const
{
    return m_buttonOK;
}

void ViewPlanificatorController::setButton_OK(QAbstractButton* button)
{
    m_buttonOK = button;
}

template <class F> F* ViewPlanificatorController::field(const char* name, int width)
{
    auto* f = new F(this);
    f->setObjectName(QString::fromLatin1(name));
    f->setFixedWidth(width);
    f->setDelegate(m_delegate);
    connect(f, &QPlainTextEdit::textChanged, this, [this, f] { textDidEndEditing(f); });
    return f;
}

QComboBox* ViewPlanificatorController::popup(const char* name, const QList<std::pair<QString, long>>& items,
                                             void (ViewPlanificatorController::*action)(QObject*))
{
    auto* pop = new QComboBox(this);
    pop->setObjectName(QString::fromLatin1(name));
    for (const auto& [title, tag] : items)
        pop->addItem(title, QVariant::fromValue<qlonglong>(tag));
    connect(pop, &QComboBox::currentIndexChanged, this, [this, pop, action] {
        if (!m_filling)
            (this->*action)(pop);
    });
    return pop;
}

PopHelp* ViewPlanificatorController::helpButton(const char* name, const char* titleKey, const char* contentKey)
{
    auto* help = new PopHelp(this);
    help->setObjectName(QString::fromLatin1(name));
    help->setStringTitle(localizedHelp(QString::fromLatin1(titleKey)));
    help->setStringContent(localizedHelp(QString::fromLatin1(contentKey)));
    return help;
}

void ViewPlanificatorController::buildRepetition(QGridLayout& grid, int row)
{
    Controls& c = *m_c;
    c.field_tousles = field<TextFieldIntegerNStar>("field_tousles", 40);
    c.popup_tousles = popup("popup_tousles", timeUnits(), &ViewPlanificatorController::TOUSLES);
    c.field_nombre_echeances = field<TextFieldIntegerNStar>("field_nombre_echeances", 50);
    c.label_nombre_echeances = new QLabel(appl("Planificator_echeances"), this);
    c.label_nombre_echeances->setObjectName(QStringLiteral("label_nombre_echeances"));
    c.checkbox_permanent = new QCheckBox(appl("Planificator_permanent"), this);
    c.checkbox_permanent->setObjectName(QStringLiteral("checkbox_permanent"));
    connect(c.checkbox_permanent, &QCheckBox::clicked, this, [this] { PERMANENT(m_c->checkbox_permanent); });
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (QWidget* w : {static_cast<QWidget*>(c.field_tousles), static_cast<QWidget*>(c.popup_tousles),
                       static_cast<QWidget*>(c.field_nombre_echeances), static_cast<QWidget*>(c.label_nombre_echeances),
                       static_cast<QWidget*>(c.checkbox_permanent)})
        line->addWidget(w);
    line->addStretch();
    line->addWidget(helpButton("pop_help_repetition", "HELP_TITLE_PLANIFICATOR_REPETITION",
                               "HELP_CONTENT_PLANIFICATOR_REPETITION"));
    grid.addWidget(new QLabel(appl("Planificator_tousles"), this), row, 0);
    grid.addLayout(line, row, 1);
}

void ViewPlanificatorController::buildReconduction(QGridLayout& grid, int row)
{
    Controls& c = *m_c;
    c.popup_reconduction
        = popup("popup_reconduction",
                {{Constants::reconductionTypeToString(0), 0}, {Constants::reconductionTypeToString(1), 1}},
                &ViewPlanificatorController::RECONDUCTION);
    c.field_reconduction_tousles = field<TextFieldIntegerNStar>("field_reconduction_tousles", 40);
    c.popup_reconduction_tousles
        = popup("popup_reconduction_tousles", timeUnits(), &ViewPlanificatorController::RECONDUCTION_TOUSLES);
    c.field_reconduction_nombre_echeances = field<TextFieldIntegerNStar>("field_reconduction_nombre_echeances", 50);
    c.label_reconduction_nombre_echeances = new QLabel(appl("Planificator_fois"), this);
    c.label_reconduction_nombre_echeances->setObjectName(QStringLiteral("label_reconduction_nombre_echeances"));
    c.checkbox_reconduction_permanent = new QCheckBox(appl("Planificator_permanent"), this);
    c.checkbox_reconduction_permanent->setObjectName(QStringLiteral("checkbox_reconduction_permanent"));
    connect(c.checkbox_reconduction_permanent, &QCheckBox::clicked, this,
            [this] { RECONDUCTION_PERMANENT(m_c->checkbox_reconduction_permanent); });
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (QWidget* w :
         {static_cast<QWidget*>(c.popup_reconduction),
          static_cast<QWidget*>(new QLabel(appl("Planificator_tousles2"), this)),
          static_cast<QWidget*>(c.field_reconduction_tousles), static_cast<QWidget*>(c.popup_reconduction_tousles),
          static_cast<QWidget*>(c.field_reconduction_nombre_echeances),
          static_cast<QWidget*>(c.label_reconduction_nombre_echeances),
          static_cast<QWidget*>(c.checkbox_reconduction_permanent)})
        line->addWidget(w);
    line->addStretch();
    line->addWidget(helpButton("pop_help_reconduction", "HELP_TITLE_PLANIFICATOR_RECONDUCTION",
                               "HELP_CONTENT_PLANIFICATOR_RECONDUCTION"));
    grid.addWidget(new QLabel(appl("Planificator_reconduction"), this), row, 0);
    grid.addLayout(line, row, 1);
}

void ViewPlanificatorController::buildValidite(QGridLayout& grid, int row)
{
    Controls& c = *m_c;
    c.field_first_date_jour = field<TextFieldJour>("field_first_date_jour", 36);
    c.field_first_date_mois = field<TextFieldMois>("field_first_date_mois", 36);
    c.field_first_date_annee = field<TextFieldAnnee>("field_first_date_annee", 56);
    c.button_calendrier1 = new QToolButton(this);
    c.button_calendrier1->setObjectName(QStringLiteral("button_calendrier1"));
    c.button_calendrier1->setText(QStringLiteral("…"));
    connect(c.button_calendrier1, &QToolButton::clicked, this, [this] { CALENDRIER1(m_c->button_calendrier1); });
    auto* first = new QHBoxLayout;
    first->setSpacing(6);
    for (QWidget* w : {static_cast<QWidget*>(c.field_first_date_jour), static_cast<QWidget*>(c.field_first_date_mois),
                       static_cast<QWidget*>(c.field_first_date_annee), static_cast<QWidget*>(c.button_calendrier1)})
        first->addWidget(w);
    first->addStretch();
    grid.addWidget(new QLabel(appl("Planificator_premiere"), this), row, 0);
    grid.addLayout(first, row, 1);

    c.popup_validite = popup(
        "popup_validite",
        {{appl("POPUP_DUREE_ECHEANCE"), 0}, {Constants::dureeTypeToString(1), 1}, {Constants::dureeTypeToString(2), 2}},
        &ViewPlanificatorController::VALIDITE);
    c.field_validite_tousles = field<TextFieldIntegerNStar>("field_validite_tousles", 40);
    c.popup_validite_tousles
        = popup("popup_validite_tousles", timeUnits(), &ViewPlanificatorController::VALIDE_TOUSLES);
    c.field_last_date = new QLabel(this);
    c.field_last_date->setObjectName(QStringLiteral("field_last_date"));
    auto* validite = new QHBoxLayout;
    validite->setSpacing(6);
    for (QWidget* w : {static_cast<QWidget*>(c.popup_validite), static_cast<QWidget*>(c.field_validite_tousles),
                       static_cast<QWidget*>(c.popup_validite_tousles), static_cast<QWidget*>(c.field_last_date)})
        validite->addWidget(w);
    validite->addStretch();
    validite->addWidget(
        helpButton("pop_help_validite", "HELP_TITLE_PLANIFICATOR_VALIDITE", "HELP_CONTENT_PLANIFICATOR_VALIDITE"));
    grid.addWidget(new QLabel(appl("Planificator_validite"), this), row + 1, 0);
    grid.addLayout(validite, row + 1, 1);
}

void ViewPlanificatorController::buildEcriture(QGridLayout& grid, int row)
{
    Controls& c = *m_c;
    c.popup_date_ecriture = popup("popup_date_ecriture",
                                  {{Constants::ecritureTypeToString(0), 0}, {Constants::ecritureTypeToString(1), 1}},
                                  &ViewPlanificatorController::DATE_ECRITURE);
    c.field_avance = field<TextFieldIntegerN>("field_avance", 40);
    auto* ecriture = new QHBoxLayout;
    ecriture->setSpacing(6);
    ecriture->addWidget(c.popup_date_ecriture);
    ecriture->addWidget(new QLabel(appl("Planificator_avance"), this));
    ecriture->addWidget(c.field_avance);
    ecriture->addWidget(new QLabel(appl("Planificator_jours"), this));
    ecriture->addStretch();
    ecriture->addWidget(helpButton("pop_help_date_ecriture", "HELP_TITLE_PLANIFICATOR_DATE_ECRITURE",
                                   "HELP_CONTENT_PLANIFICATOR_DATE_ECRITURE"));
    grid.addWidget(new QLabel(appl("Planificator_ecriture"), this), row, 0);
    grid.addLayout(ecriture, row, 1);

    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    c.field_ecrites_regul = label("field_ecrites_regul");
    c.field_ecrites_perso = label("field_ecrites_perso");
    c.field_ecrites_derniere = label("field_ecrites_derniere");
    auto* ecrites = new QHBoxLayout;
    ecrites->setSpacing(6);
    ecrites->addWidget(new QLabel(appl("Planificator_ecrites_regul"), this));
    ecrites->addWidget(c.field_ecrites_regul);
    ecrites->addSpacing(12);
    ecrites->addWidget(new QLabel(appl("Planificator_ecrites_perso"), this));
    ecrites->addWidget(c.field_ecrites_perso);
    ecrites->addSpacing(12);
    ecrites->addWidget(new QLabel(appl("Planificator_ecrites_derniere"), this));
    ecrites->addWidget(c.field_ecrites_derniere);
    ecrites->addStretch();
    grid.addWidget(new QLabel(appl("Planificator_ecrites"), this), row + 1, 0);
    grid.addLayout(ecrites, row + 1, 1);
}

void ViewPlanificatorController::buildBudget(QGridLayout& grid, int row)
{
    Controls& c = *m_c;
    QList<std::pair<QString, long>> shifts;
    for (long shift = -6; shift <= 6; ++shift)
        shifts.append({Constants::impactShiftToString(shift), shift});
    c.popup_budget_shift = popup("popup_budget_shift", shifts, &ViewPlanificatorController::BUDGET_SHIFT);
    c.popup_budget_shift_reference = popup(
        "popup_budget_shift_reference", {{Constants::impactTypeToString(0), 0}, {Constants::impactTypeToString(1), 1}},
        &ViewPlanificatorController::BUDGET_SHIFT_REFERENCE);
    c.pop_help_alerte
        = helpButton("pop_help_alerte", "HELP_TITLE_PLANIFICATOR_ALERTE", "HELP_CONTENT_PLANIFICATOR_ALERTE");
    c.pop_help_alerte->hide();
    auto* budget = new QHBoxLayout;
    budget->setSpacing(6);
    budget->addWidget(c.popup_budget_shift);
    budget->addWidget(c.popup_budget_shift_reference);
    budget->addStretch();
    budget->addWidget(c.pop_help_alerte);
    budget->addWidget(
        helpButton("pop_help_impact_budget", "HELP_TITLE_PLANIFICATOR_IMPACT", "HELP_CONTENT_PLANIFICATOR_IMPACT"));
    grid.addWidget(new QLabel(appl("Planificator_impact"), this), row, 0);
    grid.addLayout(budget, row, 1);
}

// ---------------------------------------------------------------------------------------------
// Filling and reading

void ViewPlanificatorController::FILL_PLANIFICATOR()
{
    if (!m_planificator)
        return;
    m_filling = true;
    fillFrequence();
    fillReconduction();
    if (isPrevision())
        fillValidite();
    else
        fillEcriture();
    fillBudget();
    m_filling = false;
    computeElements();
}

void ViewPlanificatorController::fillFrequence()
{
    const Controls& c = *m_c;
    selectTag(c.popup_tousles, m_planificator->repeatTimeUnit);
    showInteger(c.field_tousles, m_planificator->repeatTimeUnitCount);
    showInteger(c.field_nombre_echeances, m_planificator->nbEcheance);
    c.checkbox_permanent->setChecked(m_planificator->permanent);
    updateFrequenceControls();
}

void ViewPlanificatorController::fillReconduction()
{
    const bool filling = m_filling;
    m_filling = true;
    const Controls& c = *m_c;
    selectTag(c.popup_reconduction, m_planificator->reconductionType == 1 ? 1 : 0);
    selectTag(c.popup_reconduction_tousles, m_planificator->reconductionTimeUnit);
    showInteger(c.field_reconduction_tousles, m_planificator->reconductionTimeUnitCount);
    showInteger(c.field_reconduction_nombre_echeances, m_planificator->reconductionNbEcheance);
    c.checkbox_reconduction_permanent->setChecked(m_planificator->reconductionPermanent);
    updateReconductionControls();
    m_filling = filling;
}

void ViewPlanificatorController::fillValidite()
{
    const bool filling = m_filling;
    m_filling = true;
    const Controls& c = *m_c;
    selectTag(c.popup_validite, m_planificator->valideType);
    selectTag(c.popup_validite_tousles, m_planificator->valideTimeUnit);
    showInteger(c.field_validite_tousles, m_planificator->valideTimeUnitCount);
    QString day;
    QString month;
    QString year;
    setDayMonthYearViews(&day, &month, &year, m_planificator->firstDate);
    c.field_first_date_jour->setPlainText(day);
    c.field_first_date_mois->setPlainText(month);
    c.field_first_date_annee->setPlainText(year);
    updateValiditeControls();
    m_filling = filling;
}

void ViewPlanificatorController::fillEcriture()
{
    const Controls& c = *m_c;
    selectTag(c.popup_date_ecriture, m_planificator->dateEcriture == 1 ? 1 : 0);
    enableEcritureFinDeMois(m_planificator->repeatTimeUnit == Planificator::kUnitMonth);
    showInteger(c.field_avance, m_planificator->avance);
    c.field_avance->setEnabled(true);
    c.field_ecrites_regul->setText(QString::asprintf("%ld", m_planificator->nbWriteEch));
    c.field_ecrites_perso->setText(QString::asprintf("%ld", m_planificator->nbWritePEch));
    c.field_ecrites_derniere->setText(m_planificator->lastWriteDate == 0
                                          ? QStringLiteral("-")
                                          : dateToStringWithStyles(1, 0, m_planificator->lastWriteDate));
}

void ViewPlanificatorController::fillBudget()
{
    selectTag(m_c->popup_budget_shift, m_planificator->budgetShift);
    selectTag(m_c->popup_budget_shift_reference, m_planificator->budgetShiftReference == 0 ? 0 : 1);
}

void ViewPlanificatorController::READ_PLANIFICATOR()
{
    if (!m_planificator)
        return;
    const Controls& c = *m_c;
    Planificator& p = *m_planificator;
    p.repeatTimeUnit = int32_t(tagOf(c.popup_tousles));
    p.repeatTimeUnitCount = integerOf(c.field_tousles);
    p.nbEcheance = integerOf(c.field_nombre_echeances);
    p.permanent = c.checkbox_permanent->isChecked();
    p.reconductionType = int32_t(tagOf(c.popup_reconduction));
    p.reconductionTimeUnit = int32_t(tagOf(c.popup_reconduction_tousles));
    p.reconductionTimeUnitCount = integerOf(c.field_reconduction_tousles);
    p.reconductionNbEcheance = integerOf(c.field_reconduction_nombre_echeances);
    p.reconductionPermanent = c.checkbox_reconduction_permanent->isChecked();
    if (isPrevision()) {
        p.firstDate = readFirstDate();
        p.valideTimeUnit = int32_t(tagOf(c.popup_validite_tousles));
        p.valideTimeUnitCount = integerOf(c.field_validite_tousles);
        p.valideType = int32_t(tagOf(c.popup_validite));
    } else {
        p.dateEcriture = int32_t(tagOf(c.popup_date_ecriture));
        p.avance = integerOf(c.field_avance);
    }
    p.budgetShift = tagOf(c.popup_budget_shift);
    p.budgetShiftReference = int32_t(tagOf(c.popup_budget_shift_reference));
}

bool ViewPlanificatorController::refuseImpossibleFirstDate(QObject* window) const
{
    const Controls& c = *m_c;
    return isPrevision()
        && refuseImpossibleDate(window, c.field_first_date_jour, c.field_first_date_mois, c.field_first_date_annee);
}

// An empty field takes today's value.
double ViewPlanificatorController::readFirstDate() const
{
    const Controls& c = *m_c;
    const QString texts[3]
        = {c.field_first_date_jour->toPlainText().trimmed(), c.field_first_date_mois->toPlainText().trimmed(),
           c.field_first_date_annee->toPlainText().trimmed()};
    double date = 0;
    dateFromDayMonthYearViews(texts[0].isEmpty() ? nullptr : &texts[0], texts[1].isEmpty() ? nullptr : &texts[1],
                              texts[2].isEmpty() ? nullptr : &texts[2], &date);
    return date;
}

// ---------------------------------------------------------------------------------------------
// Enabling

void ViewPlanificatorController::updateFrequenceControls()
{
    const bool permanent = m_c->checkbox_permanent->isChecked();
    m_c->field_nombre_echeances->setEnabled(!permanent);
    setLabelGrey(m_c->label_nombre_echeances, permanent);
}

void ViewPlanificatorController::updateValiditeControls()
{
    const bool length = tagOf(m_c->popup_validite) == Planificator::kValideLength;
    m_c->field_validite_tousles->setEnabled(length);
    m_c->popup_validite_tousles->setEnabled(length);
}

void ViewPlanificatorController::updateReconductionControls()
{
    const Controls& c = *m_c;
    const bool permanent = c.checkbox_permanent->isChecked();
    c.popup_reconduction->setEnabled(!permanent);
    const bool renews = !permanent && tagOf(c.popup_reconduction) != 0;
    const bool forEver = c.checkbox_reconduction_permanent->isChecked();
    c.popup_reconduction_tousles->setEnabled(renews);
    c.field_reconduction_tousles->setEnabled(renews);
    c.checkbox_reconduction_permanent->setEnabled(renews);
    c.field_reconduction_nombre_echeances->setEnabled(renews && !forEver);
    setLabelGrey(c.label_reconduction_nombre_echeances, !(renews && !forEver));
}

void ViewPlanificatorController::enableEcritureFinDeMois(bool enabled)
{
    auto* model = qobject_cast<QStandardItemModel*>(m_c->popup_date_ecriture->model());
    if (QStandardItem* item = model ? model->item(1) : nullptr)
        item->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------
// Recomputing

bool ViewPlanificatorController::isPrevision() const
{
    return m_type == Planificator::kTypePrevision;
}

QList<PlannedSpan> ViewPlanificatorController::spansOfYear(long year) const
{
    return m_timeline ? m_timeline->spansOfYear(year) : QList<PlannedSpan>();
}

void ViewPlanificatorController::computeElements()
{
    if (!m_planificator || m_filling)
        return;
    READ_PLANIFICATOR();
    computeDuration();
    computeLastDate();
    computeDates();
    m_viewTitle->update();
}

void ViewPlanificatorController::computeDuration()
{
    m_timeline.emplace(*m_planificator, dateNow());
}

void ViewPlanificatorController::computeLastDate()
{
    if (!m_timeline)
        return;
    const Controls& c = *m_c;
    c.pop_help_alerte->hide();
    if (isPrevision()) {
        c.field_last_date->setText(localizedAppl(QStringLiteral("Planificator_fin"))
                                       .arg(dateToStringWithStyles(1, 0, m_timeline->firstValideToDate())));
        c.field_last_date->setStyleSheet(m_timeline->validiteConsistent() ? QStringLiteral("color: black;")
                                                                          : QStringLiteral("color: red;"));
    }
    if (!m_timeline->okEnabled())
        c.pop_help_alerte->show();
    if (m_buttonOK)
        m_buttonOK->setEnabled(m_timeline->okEnabled());
}

void ViewPlanificatorController::computeDates()
{
    m_table->reloadData();
    if (m_timeline && m_timeline->scrollRow() >= 0)
        m_table->scrollTo(m_table->model()->index(int(m_timeline->scrollRow()), 0));
}

void ViewPlanificatorController::cleanUp()
{
    m_timeline.reset();
    m_table->reloadData();
}

void ViewPlanificatorController::validatePlanification(const std::function<void(bool)>& block)
{
    if (!m_planificator || m_planificator->dateEcriture == 1 || dateDay(m_planificator->firstDate) <= 28) {
        block(true);
        return;
    }
    askPoursuivre(m_delegate, QStringLiteral("ASSISTPlanificator"), QString(), true, false,
                  [&block](long answer) { block(answer != 0); });
}

// ---------------------------------------------------------------------------------------------
// Actions

void ViewPlanificatorController::TOUSLES(QObject*)
{
    const bool month = tagOf(m_c->popup_tousles) == Planificator::kUnitMonth;
    if (m_c->popup_date_ecriture) {
        enableEcritureFinDeMois(month);
        if (!month) {
            m_filling = true;
            selectTag(m_c->popup_date_ecriture, 0);
            m_filling = false;
        }
    }
    computeElements();
}

void ViewPlanificatorController::PERMANENT(QObject*)
{
    const bool permanent = m_c->checkbox_permanent->isChecked();
    updateFrequenceControls();
    if (permanent && m_planificator) {
        m_planificator->reconductionType = 0;
        fillReconduction();
    }
    updateReconductionControls();
    if (permanent)
        m_c->field_tousles->setFocus(Qt::OtherFocusReason);
    else
        m_c->field_nombre_echeances->setFocus(Qt::OtherFocusReason);
    computeElements();
}

void ViewPlanificatorController::RECONDUCTION(QObject*)
{
    updateReconductionControls();
    if (tagOf(m_c->popup_reconduction) == 1)
        m_c->field_reconduction_tousles->setFocus(Qt::OtherFocusReason);
    computeElements();
}

void ViewPlanificatorController::RECONDUCTION_TOUSLES(QObject*)
{
    computeElements();
}

void ViewPlanificatorController::RECONDUCTION_PERMANENT(QObject*)
{
    updateReconductionControls();
    if (m_c->checkbox_reconduction_permanent->isChecked())
        m_c->field_reconduction_tousles->setFocus(Qt::OtherFocusReason);
    else
        m_c->field_reconduction_nombre_echeances->setFocus(Qt::OtherFocusReason);
    computeElements();
}

void ViewPlanificatorController::VALIDITE(QObject*)
{
    if (m_planificator) {
        m_planificator->firstDate = readFirstDate();
        m_planificator->valideType = int32_t(tagOf(m_c->popup_validite));
    }
    updateValiditeControls();
    computeElements();
}

void ViewPlanificatorController::VALIDE_TOUSLES(QObject*)
{
    computeElements();
}

void ViewPlanificatorController::DATE_ECRITURE(QObject*)
{
    computeElements();
}

void ViewPlanificatorController::BUDGET_SHIFT(QObject*)
{
    computeElements();
}

void ViewPlanificatorController::BUDGET_SHIFT_REFERENCE(QObject*)
{
    computeElements();
}

void ViewPlanificatorController::CALENDRIER1(QObject*)
{
    const Controls& c = *m_c;
    pickDateForField(m_delegate, c.field_first_date_jour, c.field_first_date_mois, c.field_first_date_annee,
                     m_delegate ? m_delegate->defaultFontSize() : 13.0);
    if (m_planificator)
        m_planificator->firstDate = readFirstDate();
    computeElements();
}

void ViewPlanificatorController::textDidEndEditing(QObject*)
{
    computeElements();
}

// ---------------------------------------------------------------------------------------------
// The year grid

int ViewPlanificatorController::numberOfRows(StdTableView*)
{
    return int(numberOfYears());
}

StdCell* ViewPlanificatorController::cellForRow(StdTableView* table, int row)
{
    ViewPlanificator* view = m_cell->viewPlanificator();
    view->setYear(firstYear() + row);
    view->setNumberOfYears(numberOfYears());
    view->setFirstYear(firstYear());
    m_cell->setTableView(table);
    view->update();
    return m_cell.get();
}
