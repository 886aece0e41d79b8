#include "toolkit/print/PrintAccessoryViewController.h"

#include "toolkit/print/PrintOperation.h"
#include "toolkit/print/PrintView.h"
#include "toolkit/windows/EchelleSlider.h"
#include "toolkit/windows/StdWindowController.h"

#include "foundation/localized.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFieldWidth = 48;

// The number the text begins with, as a typed number is read: spaces first, a sign, digits with
// a point or a comma; 0 when the text does not begin with a number.
double floatValue(const QString& text)
{
    QString number;
    const QString trimmed = text.trimmed();
    for (int i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        const bool sign = i == 0 && (c == u'-' || c == u'+');
        const bool point = (c == u'.' || c == u',') && !number.contains(u'.');
        if (!c.isDigit() && !sign && !point)
            break;
        number.append(c == u',' ? QChar(u'.') : c);
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

// The integer part, as "%d" shows it.
QString integerText(double value)
{
    return QString::number(long(value));
}

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

PrintAccessoryViewController::PrintAccessoryViewController(PrintOperation* operation, StdWindowController* delegate,
                                                           QWidget* parent)
    : QWidget(parent)
    , m_operation(operation)
    , m_delegate(delegate)
{
    setObjectName(QStringLiteral("PrintAccessoryViewController"));
    createControls();
    layOutControls();
    connectControls();
    setToolTips();
}

void PrintAccessoryViewController::createControls()
{
    m_fondsColores
        = named(new QCheckBox(localizedMisc(QStringLiteral("kMisc_PrintFondsColores")), this), "check_fonds_colores");
    m_textesColores
        = named(new QCheckBox(localizedMisc(QStringLiteral("kMisc_PrintTextesColores")), this), "check_textes_colores");
    m_addBorders
        = named(new QCheckBox(localizedMisc(QStringLiteral("kMisc_PrintAddBorders")), this), "check_add_borders");
    m_printImages
        = named(new QCheckBox(localizedMisc(QStringLiteral("kMisc_PrintImages")), this), "check_print_images");
    m_margeLeft = named(new QLineEdit(this), "text_marge_left");
    m_margeTop = named(new QLineEdit(this), "text_marge_top");
    m_margeRight = named(new QLineEdit(this), "text_marge_right");
    m_margeBottom = named(new QLineEdit(this), "text_marge_bottom");
    for (QLineEdit* field : {m_margeLeft, m_margeTop, m_margeRight, m_margeBottom})
        field->setFixedWidth(kFieldWidth);
    m_titleGroupees = named(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintGroupees")), this), "title_groupees");
    m_popGroupees = named(new QComboBox(this), "pop_groupees");
    m_popGroupees->addItem(localizedMisc(QStringLiteral("kMisc_PrintGroupees0")), 0);
    m_popGroupees->addItem(localizedMisc(QStringLiteral("kMisc_PrintGroupees1")), 1);
    m_popGroupees->addItem(localizedMisc(QStringLiteral("kMisc_PrintGroupees2")), 2);
    m_slider = named(new EchelleSlider(this), "slider_echelle");
    m_slider->setRange(int(kEchelleMin), int(kEchelleMax));
    m_slider->setDelegate(this);
    m_textEchelle = named(new QLineEdit(this), "text_echelle");
    m_textEchelle->setFixedWidth(kFieldWidth);
}

void PrintAccessoryViewController::layOutControls()
{
    auto* options = new QGridLayout;
    options->addWidget(m_fondsColores, 0, 0);
    options->addWidget(m_textesColores, 0, 1);
    options->addWidget(m_addBorders, 1, 0);
    options->addWidget(m_printImages, 1, 1);

    auto* margins = new QGridLayout;
    margins->addWidget(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintMarges")), this), 0, 0, 1, 4);
    margins->addWidget(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintMargeGauche")), this), 1, 0);
    margins->addWidget(m_margeLeft, 1, 1);
    margins->addWidget(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintMargeHaut")), this), 1, 2);
    margins->addWidget(m_margeTop, 1, 3);
    margins->addWidget(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintMargeDroite")), this), 2, 0);
    margins->addWidget(m_margeRight, 2, 1);
    margins->addWidget(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintMargeBas")), this), 2, 2);
    margins->addWidget(m_margeBottom, 2, 3);

    auto* groupees = new QHBoxLayout;
    groupees->addWidget(m_titleGroupees);
    groupees->addWidget(m_popGroupees, 1);

    auto* echelle = new QHBoxLayout;
    echelle->addWidget(new QLabel(localizedMisc(QStringLiteral("kMisc_PrintEchelle")), this));
    echelle->addWidget(m_slider, 1);
    echelle->addWidget(m_textEchelle);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(margins);
    layout->addLayout(groupees);
    layout->addLayout(echelle);
    layout->addStretch(1);
}

void PrintAccessoryViewController::connectControls()
{
    connect(m_fondsColores, &QCheckBox::clicked, this, [this] { clickOptionFondsColores(); });
    connect(m_textesColores, &QCheckBox::clicked, this, [this] { clickOptionTextesColores(); });
    connect(m_addBorders, &QCheckBox::clicked, this, [this] { clickOptionAddBorders(); });
    connect(m_printImages, &QCheckBox::clicked, this, [this] { clickOptionPrintImages(); });
    for (QLineEdit* field : {m_margeLeft, m_margeTop, m_margeRight, m_margeBottom, m_textEchelle})
        connect(field, &QLineEdit::editingFinished, this, [this, field] { textDidEndEditing(field); });
    connect(m_popGroupees, &QComboBox::activated, this, [this] { chooseOptionGroupees(); });
    connect(m_slider, &QSlider::valueChanged, this, [this] { changeSliderEchelle(); });
}

void PrintAccessoryViewController::setToolTips()
{
    const QList<SummaryItem> items = localizedSummaryItems();
    const QList<QWidget*> controls {m_fondsColores, m_textesColores, m_addBorders,  m_printImages, m_margeLeft,
                                    m_margeTop,     m_margeRight,    m_margeBottom, m_popGroupees, m_slider};
    for (int i = 0; i < controls.size() && i < items.size(); ++i)
        controls[i]->setToolTip(items[i].description);
}

QList<PrintAccessoryViewController::SummaryItem> PrintAccessoryViewController::localizedSummaryItems()
{
    return {
        {localizedMisc(QStringLiteral("kMisc_PrintOptionFondsColores")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionFondsColoresInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionTextesColores")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionTextesColoresInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionAddBorders")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionAddBordersInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionPrintImages")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionPrintImagesInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionMargeLeft")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionMargeLeftInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionMargeTop")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionMargeTopInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionMargeRight")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionMargeRightInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionMargeBottom")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionMargeBottomInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionGroupees")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionGroupeesInfo"))},
        {localizedMisc(QStringLiteral("kMisc_PrintOptionEchelle")),
         localizedMisc(QStringLiteral("kMisc_PrintOptionEchelleInfo"))},
    };
}

QStringList PrintAccessoryViewController::keyPathsForValuesAffectingPreview()
{
    return {QStringLiteral("svOptionFondsColores"), QStringLiteral("svOptionTextesColores"),
            QStringLiteral("svOptionAddBorders"),   QStringLiteral("svOptionPrintImages"),
            QStringLiteral("svOptionMargeLeft"),    QStringLiteral("svOptionMargeTop"),
            QStringLiteral("svOptionMargeRight"),   QStringLiteral("svOptionMargeBottom"),
            QStringLiteral("svOptionGroupees"),     QStringLiteral("svOptionEchelle")};
}

// ---------------------------------------------------------------------------------------------
// Filling

void PrintAccessoryViewController::setRepresentedObject(const PrintInfo& info)
{
    fillOptions(info);
    fillMargins(info);
    fillGroupees(info);
    fillEchelle(info);
}

void PrintAccessoryViewController::fillOptions(const PrintInfo& info)
{
    const StdWindowController* window = m_delegate;
    const auto show = [](QCheckBox* box, bool value, bool offered) {
        box->setChecked(value);
        box->setEnabled(offered);
    };
    show(m_fondsColores, info.svOptionFondsColores, window && window->canFondsColores());
    show(m_textesColores, info.svOptionTextesColores, window && window->canTextesColores());
    show(m_addBorders, info.svOptionAddBorders, window && window->canAddBorders());
    show(m_printImages, info.svOptionPrintImages, window && window->canPrintImages());
    m_values.svOptionFondsColores = info.svOptionFondsColores;
    m_values.svOptionTextesColores = info.svOptionTextesColores;
    m_values.svOptionAddBorders = info.svOptionAddBorders;
    m_values.svOptionPrintImages = info.svOptionPrintImages;
}

void PrintAccessoryViewController::fillMargins(const PrintInfo& info)
{
    m_margeLeft->setText(integerText(info.leftMargin));
    m_margeTop->setText(integerText(info.topMargin));
    m_margeRight->setText(integerText(info.rightMargin));
    m_margeBottom->setText(integerText(info.bottomMargin));
    m_values.svOptionMargeLeft = info.leftMargin;
    m_values.svOptionMargeTop = info.topMargin;
    m_values.svOptionMargeRight = info.rightMargin;
    m_values.svOptionMargeBottom = info.bottomMargin;
}

void PrintAccessoryViewController::fillGroupees(const PrintInfo& info)
{
    m_popGroupees->setCurrentIndex(m_popGroupees->findData(QVariant::fromValue(int(info.svOptionGroupees))));
    m_values.svOptionGroupees = double(info.svOptionGroupees);
    const bool offered = m_delegate && m_delegate->canPrintGroupees();
    m_popGroupees->setEnabled(offered);
    m_titleGroupees->setEnabled(offered);
}

void PrintAccessoryViewController::fillEchelle(const PrintInfo& info)
{
    const double echelle = info.svOptionEchelle.value_or(kEchelleMax);
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(int(std::lround(echelle)));
    }
    m_textEchelle->setText(integerText(echelle));
    m_values.svOptionEchelle = echelle;
}

// ---------------------------------------------------------------------------------------------
// Changes

PrintInfo* PrintAccessoryViewController::info() const
{
    return m_operation ? &m_operation->printInfo() : nullptr;
}

void PrintAccessoryViewController::respool() const
{
    if (m_operation && m_operation->view())
        m_operation->view()->respool();
}

void PrintAccessoryViewController::clickOption(const QCheckBox* box, bool Values::*stored, bool PrintInfo::*option)
{
    m_values.*stored = box->isChecked();
    if (PrintInfo* printInfo = info())
        printInfo->*option = m_values.*stored;
    respool();
}

void PrintAccessoryViewController::clickOptionFondsColores()
{
    clickOption(m_fondsColores, &Values::svOptionFondsColores, &PrintInfo::svOptionFondsColores);
}

void PrintAccessoryViewController::clickOptionTextesColores()
{
    clickOption(m_textesColores, &Values::svOptionTextesColores, &PrintInfo::svOptionTextesColores);
}

void PrintAccessoryViewController::clickOptionAddBorders()
{
    clickOption(m_addBorders, &Values::svOptionAddBorders, &PrintInfo::svOptionAddBorders);
}

void PrintAccessoryViewController::clickOptionPrintImages()
{
    clickOption(m_printImages, &Values::svOptionPrintImages, &PrintInfo::svOptionPrintImages);
}

void PrintAccessoryViewController::chooseOptionGroupees()
{
    const long tag = m_popGroupees->currentData().toInt();
    if (double(tag) == m_values.svOptionGroupees)
        return;
    m_values.svOptionGroupees = double(tag);
    if (PrintInfo* printInfo = info())
        printInfo->svOptionGroupees = tag;
    respool();
}

void PrintAccessoryViewController::textDidEndEditing(QLineEdit* field)
{
    if (!field)
        return;
    const double value = floatValue(field->text());
    if (field == m_textEchelle)
        didEditEchelle(value);
    else
        didEditMargin(field, value);
}

// A negative margin would put the print off the paper: it counts as none.
void PrintAccessoryViewController::didEditMargin(const QLineEdit* field, double typed)
{
    struct Slot {
        const QLineEdit* field;
        double Values::*stored;
        double PrintInfo::*margin;
    };
    const Slot margins[] = {
        {m_margeLeft, &Values::svOptionMargeLeft, &PrintInfo::leftMargin},
        {m_margeTop, &Values::svOptionMargeTop, &PrintInfo::topMargin},
        {m_margeRight, &Values::svOptionMargeRight, &PrintInfo::rightMargin},
        {m_margeBottom, &Values::svOptionMargeBottom, &PrintInfo::bottomMargin},
    };
    const double value = std::max(0.0, typed);
    for (const Slot& slot : margins) {
        if (slot.field != field || value == m_values.*slot.stored)
            continue;
        if (PrintInfo* printInfo = info())
            printInfo->*slot.margin = value;
        respool();
        m_values.*slot.stored = value;
    }
}

// The typed scale is kept within the slider's bounds; the text stays as typed.
void PrintAccessoryViewController::didEditEchelle(double typed)
{
    const double value = std::clamp(typed, kEchelleMin, kEchelleMax);
    if (value == m_values.svOptionEchelle)
        return;
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setValue(int(std::lround(value)));
    }
    takeEchelle(value);
}

void PrintAccessoryViewController::changeSliderEchelle()
{
    m_textEchelle->setText(integerText(m_slider->value()));
}

void PrintAccessoryViewController::didEndTrackingSlider(EchelleSlider* slider)
{
    if (!slider)
        return;
    const double value = slider->value();
    if (value != m_values.svOptionEchelle)
        takeEchelle(value);
}

void PrintAccessoryViewController::takeEchelle(double value)
{
    if (PrintInfo* printInfo = info())
        printInfo->svOptionEchelle = value;
    respool();
    m_values.svOptionEchelle = value;
}
