#include "entities/FenEditDeviseController.h"

#include "entities/PopDeviseTicker.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/TextFieldIntegerN.h"
#include "toolkit/fields/TextFieldReal.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/popups/PopHelp.h"

#include "document/DocContext.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/MONTANT.h"
#include "quotes/DeviseRates.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString kSlot = QStringLiteral("slot");

QString& servicePage()
{
    static QString page;
    return page;
}

QPushButton* button(StdWindowController* controller, QWidget* parent, const QString& name, const QString& title,
                    const QString& action)
{
    auto* b = new QPushButton(title, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    controller->connectAction(b, action);
    return b;
}

QString appl(const char* key)
{
    return localizedAppl(QString::fromLatin1(key));
}

} // namespace

void FenEditDeviseController::setQuoteServicePage(const QString& url)
{
    servicePage() = url;
}

QString FenEditDeviseController::quoteServicePage()
{
    return servicePage();
}

bool FenEditDeviseController::isValidRate(long slot, double rate)
{
    return slot == 0 || (std::isfinite(rate) && rate > 0.0);
}

long FenEditDeviseController::slot() const
{
    return getData() ? long(getData()->value(kSlot).toLongLong()) : -1;
}

Devise* FenEditDeviseController::devise() const
{
    DOCUMENT* doc = currentDocument();
    const long n = slot();
    if (!doc || n < 0 || n >= doc->deviseHdl.size())
        return nullptr;
    return &doc->deviseHdl[n];
}

QWidget* FenEditDeviseController::buildFields(StdWindow& window)
{
    auto* box = new QWidget(&window);
    field_nom = new QLineEdit(box);
    field_nom->setObjectName(QStringLiteral("field_nom"));
    field_abreviation = new QLineEdit(box);
    field_abreviation->setObjectName(QStringLiteral("field_abreviation"));
    field_decimale = new TextFieldIntegerN(box);
    field_decimale->setObjectName(QStringLiteral("field_decimale"));
    field_decimale->setFixedWidth(60);
    field_taux = new TextFieldReal(box);
    field_taux->setObjectName(QStringLiteral("field_taux"));
    field_taux->setFixedWidth(140);
    field_taux->setStoredDecimales(kDeviseConvertDecimales);
    field_unit = new QLabel(box);
    field_unit->setObjectName(QStringLiteral("field_unit"));
    auto* taux = new QHBoxLayout;
    taux->addWidget(field_taux);
    taux->addWidget(field_unit);
    taux->addStretch();
    cb_preferer = new QCheckBox(appl("FenEditDevise_preferer"), box);
    cb_preferer->setObjectName(QStringLiteral("cb_preferer"));
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(appl("FenEditDevise_nom"), field_nom);
    form->addRow(appl("FenEditDevise_abreviation"), field_abreviation);
    form->addRow(appl("FenEditDevise_decimale"), field_decimale);
    form->addRow(appl("FenEditDevise_taux"), taux);
    form->addRow(QString(), cb_preferer);
    return box;
}

QWidget* FenEditDeviseController::buildTicker(StdWindow& window)
{
    auto* box = new QWidget(&window);
    field_code = new QLineEdit(box);
    field_code->setObjectName(QStringLiteral("field_code"));
    field_code->setReadOnly(true);
    field_code->setFixedWidth(70);
    pop_ticker = new PopDeviseTicker(box);
    pop_ticker->setObjectName(QStringLiteral("pop_ticker"));
    pop_ticker->setTitle(appl("FenEditDevise_choisir_ticker"));
    button_supprimer_ticker = button(this, box, QStringLiteral("button_supprimer_ticker"),
                                     appl("FenEditDevise_supprimer_ticker"), QStringLiteral("supprimerTicker:"));
    button_logo = button(this, box, QStringLiteral("button_logo"), appl("FenEditDevise_logo"), QStringLiteral("logo:"));
    field_maj = new QLabel(box);
    field_maj->setObjectName(QStringLiteral("field_maj"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(appl("FenEditDevise_code"), box));
    row->addWidget(field_code);
    row->addWidget(pop_ticker);
    row->addWidget(button_supprimer_ticker);
    row->addStretch();
    auto* maj = new QHBoxLayout;
    maj->addWidget(field_maj, 1);
    maj->addWidget(button_logo);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addLayout(maj);
    return box;
}

void FenEditDeviseController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditDevise"));
    window.setWindowTitle(appl("FenEditDevise_titre"));
    auto* help = new PopHelp(&window);
    help->setObjectName(QStringLiteral("pop_help"));
    button_definir_principal = button(this, &window, QStringLiteral("button_definir_principal"),
                                      appl("FenEditDevise_definir_principale"), QStringLiteral("definirPrincipale:"));
    // The buttons come before the fields in the tab order.
    const CancelOkRow buttons = cancelOkRow(*this, window);
    buttons.cancel->setObjectName(QStringLiteral("button_annuler"));
    buttons.ok->setObjectName(QStringLiteral("button_ok"));
    buttons.row->insertWidget(0, help);
    buttons.row->insertWidget(1, button_definir_principal);
    QVBoxLayout* layout = editorLayout(window);
    layout->addWidget(buildFields(window));
    layout->addWidget(buildTicker(window));
    layout->addLayout(buttons.row);
}

void FenEditDeviseController::didAwakeFromNib()
{
    StdWindowController::didAwakeFromNib();
    if (auto* help = outlet<PopHelp>(QStringLiteral("pop_help"))) {
        help->setStringTitle(localizedHelp(QStringLiteral("HELP_TITLE_DEVISE")));
        help->setStringContent(localizedHelp(QStringLiteral("HELP_CONTENT_DEVISE")));
    }
}

void FenEditDeviseController::FILL()
{
    StdWindowController::FILL();
    const Devise* d = devise();
    const DOCUMENT* doc = currentDocument();
    if (!d || !doc) {
        qWarning("Devise NULL (FenDeviseController FILL)");
        return;
    }
    const long n = slot();
    button_definir_principal->setEnabled(n >= 1 && d->used);
    field_nom->setText(d->fullName);
    field_abreviation->setText(d->unit);
    m_shownRate = TextFieldReal::textOfValue(d->convert, kDeviseConvertDecimales);
    field_taux->setPlainText(m_shownRate);
    field_taux->setEnabled(n != 0 && d->updateTime == 0);
    field_decimale->setPlainText(QString::number(d->decimale));
    field_code->setText(d->ticker);
    if (n == 0)
        field_maj->setText(appl("FenEditDevise_taux_fixe"));
    else if (d->updateTime == 0)
        field_maj->setText(appl("FenEditDevise_maj_manuelle"));
    else
        field_maj->setText(
            appl("FenEditDevise_maj_le").arg(QLocale().toString(dateToDateTime(d->updateTime), QLocale::ShortFormat)));
    field_unit->setText(Devise::deviseUnitAtIndex(doc->deviseHdl, 0));
    cb_preferer->setChecked(doc->docParam && doc->docParam->defaultDevise == n);
    updateButtons();
}

void FenEditDeviseController::updateButtons()
{
    const bool hasTicker = !field_code->text().isEmpty();
    button_supprimer_ticker->setEnabled(hasTicker);
    pop_ticker->setEnabled(!hasTicker);
    const Devise* d = devise();
    button_logo->setVisible(d && d->updateTime != 0 && !quoteServicePage().isEmpty());
}

bool FenEditDeviseController::readFields(bool checkRate)
{
    Devise* d = devise();
    if (!d) {
        qWarning("Devise NULL (EditDeviseController READ)");
        return false;
    }
    // A rate left as shown is the currency's own, all its decimals; a typed one is read as stored.
    double rate = d->convert;
    const bool ok = field_taux->toPlainText() == m_shownRate || field_taux->readStoredValue(&rate);
    if (checkRate && !(ok && isValidRate(slot(), rate))) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_DeviseTauxInvalide")), d->fullName,
                    QStringLiteral("devise"), 1);
        return false;
    }
    d->fullName = field_nom->text();
    d->unit = field_abreviation->text();
    if (slot() != 0 && ok && isValidRate(slot(), rate))
        d->convert = rate;
    d->decimale = std::clamp(field_decimale->toPlainText().toLong(), 0L, kMaxDecimales);
    d->ticker = field_code->text();
    return true;
}

bool FenEditDeviseController::READ()
{
    return StdWindowController::READ() && readFields(true);
}

void FenEditDeviseController::OUI(QObject*)
{
    if (!READ())
        return;
    DOCUMENT* doc = currentDocument();
    if (cb_preferer->isChecked() && doc && doc->docParam) {
        doc->docParam->defaultDevise = slot();
        setDevise(slot());
        MONTANT::setCurrentDeviseSlot(int(slot()));
    }
    endModal(1);
}

void FenEditDeviseController::definirPrincipale(QObject*)
{
    const Devise* d = devise();
    if (!d)
        return;
    // The stored rate decides, not the one being typed: it is the one every amount was made with.
    if (d->convert == 0.0) {
        showAlertOK(this, appl("FenEditDevise_taux_zero"), d->fullName, QStringLiteral("devise"), 0);
        return;
    }
    if (READ())
        endModal(2);
}

void FenEditDeviseController::CHOOSE_TICKER(QObject* sender)
{
    const DeviseTickerList& tickers = Devise::getDeviseTickers();
    const qint64 index = StdMenu::tagOf(sender);
    if (index < 0 || index >= tickers.size() || !readFields(false))
        return;
    const QString code = tickers.at(index).code;
    devise()->ticker = code;
    field_code->setText(code);
    updateButtons();
    fetchRate(code);
}

// The answer comes later: it updates the slot even when the editor has closed meanwhile, and
// refills the editor only while it is still there.
void FenEditDeviseController::fetchRate(const QString& code)
{
    DOCUMENT* doc = currentDocument();
    const long n = slot();
    QPointer<FenEditDeviseController> self(this);
    updateDeviseTicker(
        code, doc,
        [doc, n](double cours) {
            if (n < doc->deviseHdl.size() && std::isfinite(cours) && cours > 0.0) {
                doc->deviseHdl[n].convert = cours;
                doc->deviseHdl[n].updateTime = SystemClock::now();
            }
        },
        [self] {
            if (self && self->isWindowLoaded())
                self->FILL();
        });
}

void FenEditDeviseController::supprimerTicker(QObject*)
{
    Devise* d = devise();
    if (!d)
        return;
    d->ticker.clear();
    d->updateTime = 0;
    FILL();
}

void FenEditDeviseController::logo(QObject*)
{
    if (!quoteServicePage().isEmpty())
        UiHost::instance().desktop().openURL(quoteServicePage());
}

long editDeviseDialog(StdWindowController* parent, long slot)
{
    if (slot < 0 || slot >= kDeviseSlotCount)
        return 0;
    const long devise = parent ? parent->devise() : MONTANT::currentDeviseSlot();
    return StdWindowController::pushModal<FenEditDeviseController>(parent, makeWindowData({{kSlot, qlonglong(slot)}}),
                                                                   devise);
}
