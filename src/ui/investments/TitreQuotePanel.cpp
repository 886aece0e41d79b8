#include "investments/TitreQuotePanel.h"

#include "investments/PopTicker.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/media/SVSoundManager.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindowController.h"

#include "document/APPLIPARAM.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"
#include "model/FINANCE.h"
#include "quotes/PortfolioManager.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The periods offered, in months, with their titles.
const std::pair<long, const char*> kPeriodes[] = {
    {1, "TitreHistorique_1mois"}, {3, "TitreHistorique_3mois"}, {6, "TitreHistorique_6mois"},
    {12, "TitreHistorique_1an"},  {24, "TitreHistorique_2ans"}, {60, "TitreHistorique_5ans"},
};

QPushButton* actionButton(QWidget* parent, const char* name, const char* titleKey, const char* action, QObject* target)
{
    auto* button = new QPushButton(localizedAppl(QString::fromLatin1(titleKey)), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    StdActionDispatcher::setAction(button, QString::fromLatin1(action));
    StdActionDispatcher::connectToTarget(button, target);
    return button;
}

} // namespace

TitreQuotePanel* addTitreQuotePanel(StdWindowController& editor, DOCUMENT* doc, const TitreQuoteHooks& hooks,
                                    QWidget* parent)
{
    return new TitreQuotePanel(editor, doc, hooks, parent);
}

TitreQuotePanel::TitreQuotePanel(StdWindowController& editor, DOCUMENT* doc, const TitreQuoteHooks& hooks,
                                 QWidget* parent)
    : QWidget(parent)
    , m_editor(&editor)
    , m_doc(doc)
    , m_hooks(hooks)
{
    setObjectName(QStringLiteral("TitreQuotePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    buildTickerRow();
    buildPeriodRow();
    m_viewHistory = new ViewHistory(this);
    layout->addWidget(m_viewHistory, 1);
}

void TitreQuotePanel::buildTickerRow()
{
    auto* row = new QHBoxLayout;
    m_fieldSearch = new QLineEdit(this);
    m_fieldSearch->setObjectName(QStringLiteral("field_search"));
    m_fieldSearch->setPlaceholderText(localizedAppl(QStringLiteral("TitreTicker_chercher")));
    m_fieldSearch->installEventFilter(this);
    m_popTicker = new PopTicker(this);
    m_popTicker->setObjectName(QStringLiteral("pop_ticker"));
    m_popTicker->setTitle(localizedAppl(QStringLiteral("TitreTicker_choisir")));
    m_popTicker->setFieldSearch(m_fieldSearch);
    m_popTicker->stdMenu()->setDelegate(this);
    m_buttonSupprimer = actionButton(this, "button_supprimer", "TitreTicker_supprimer", "supprimer:", this);
    m_buttonLogo = actionButton(this, "button_logo", "TitreTicker_logo", "logo:", this);
    row->addWidget(m_fieldSearch, 1);
    row->addWidget(m_popTicker);
    row->addWidget(m_buttonSupprimer);
    row->addWidget(m_buttonLogo);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TitreQuotePanel::buildPeriodRow()
{
    auto* row = new QHBoxLayout;
    m_popPeriode = new QComboBox(this);
    m_popPeriode->setObjectName(QStringLiteral("pop_periode"));
    for (const auto& [months, key] : kPeriodes)
        m_popPeriode->addItem(localizedAppl(QString::fromLatin1(key)), QVariant::fromValue<qint64>(months));
    connect(m_popPeriode, &QComboBox::activated, this, [this] { periode(m_popPeriode); });
    row->addWidget(new QLabel(localizedAppl(QStringLiteral("TitreTicker_periode")), this));
    row->addWidget(m_popPeriode);
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

FINANCE* TitreQuotePanel::titre() const
{
    return m_hooks.titre ? m_hooks.titre() : nullptr;
}

void TitreQuotePanel::fillEditor()
{
    if (m_hooks.fill)
        m_hooks.fill();
    FILL();
}

void TitreQuotePanel::FILL()
{
    const FINANCE* edited = titre();
    m_buttonSupprimer->setEnabled(edited && !edited->ticker.isEmpty());
    m_buttonLogo->setVisible(!APPLIPARAM::loadAppliParam().quoteProviderPage.isEmpty());
}

// Return in the search field only gives up the focus: it must not close the editor.
bool TitreQuotePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fieldSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_fieldSearch->clearFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitreQuotePanel::CHOOSE_TICKER(QObject* sender)
{
    const qint64 index = StdMenu::tagOf(sender);
    const TickerList& found = m_popTicker->found();
    if (index < 0 || index >= found.size() || !titre())
        return;
    if (m_hooks.read && !m_hooks.read())
        return;
    FINANCE* edited = titre();
    edited->categorie = found.at(index).categorie;
    edited->ticker = found.at(index).symbol;
    updateTitre();
}

void TitreQuotePanel::NO_TICKER(QObject*)
{
    const QString typed = m_fieldSearch->text();
    QPointer<TitreQuotePanel> self(this);
    Dialog::undoConfirmationWithDictionary(
        {{QStringLiteral("window"), QVariant::fromValue<QObject*>(m_editor.data())},
         {QStringLiteral("title"), Dialog::keyString(QStringLiteral("kConfirm_UseManuelTicker"))},
         {QStringLiteral("information"), typed},
         {QStringLiteral("imageName"), QStringLiteral("placement")},
         {QStringLiteral("escapeButton"), kAlertFirstButton}},
        [self, typed](int code) {
            if (!self || code == kAlertFirstButton || !self->titre())
                return;
            self->titre()->ticker = typed;
            self->updateTitre();
        });
}

void TitreQuotePanel::updateTitre()
{
    const FINANCE* edited = titre();
    if (!edited)
        return;
    QPointer<TitreQuotePanel> self(this);
    const auto target = [self]() -> FINANCE* { return self ? self->titre() : nullptr; };
    PortfolioManager::sharedInstance().updateTickersForTitre(
        *edited, m_doc, target,
        [self] {
            if (!self)
                return;
            self->fillEditor();
            self->historique();
        },
        [self](QuoteFailure why) {
            if (self)
                self->failedUpdate(why);
        });
    fillEditor();
}

// Without a service, or when it does not answer, the ticker may well be right: it is kept and
// the user learns what to set or try again. A ticker the service doesn't know is forgotten.
void TitreQuotePanel::failedUpdate(QuoteFailure why)
{
    if (why == QuoteFailure::NoService || why == QuoteFailure::NoAnswer) {
        const QString key = why == QuoteFailure::NoService ? QStringLiteral("kAlerte_AucunServiceCotations")
                                                           : QStringLiteral("kAlerte_ServiceCotationsMuet");
        const FINANCE* edited = titre();
        showAlertOK(m_editor.data(), localizedDialogue(key), edited ? edited->ticker : QString(),
                    QStringLiteral("placement"), 0);
        return;
    }
    QPointer<TitreQuotePanel> self(this);
    SVSoundManager::sharedSVInstance().playSoundAlerte([self] {
        if (!self || !self->titre())
            return;
        self->titre()->ticker.clear();
        self->fillEditor();
    });
}

void TitreQuotePanel::supprimer(QObject*)
{
    if (FINANCE* edited = titre()) {
        edited->ticker.clear();
        edited->titreDescription.clear();
        edited->categorie = -1;
        edited->updateTime = 0;
        edited->conversion = 0;
    }
    fillEditor();
    m_fieldSearch->setFocus();
}

void TitreQuotePanel::logo(QObject*)
{
    const QString page = APPLIPARAM::loadAppliParam().quoteProviderPage;
    if (!page.isEmpty())
        UiHost::instance().desktop().openURL(page);
}

void TitreQuotePanel::periode(QObject*)
{
    m_nbMonth = long(m_popPeriode->currentData().toLongLong());
    historique();
}

void TitreQuotePanel::historique()
{
    const FINANCE* edited = titre();
    if (!edited || edited->ticker.isEmpty())
        return;
    const double date2 = SystemClock::now();
    const double date1 = subMonthsFromDate(m_nbMonth, date2);
    const long request = ++m_historyRequest;
    QPointer<TitreQuotePanel> self(this);
    PortfolioManager::sharedInstance().requestHistoryForSymbol(
        edited->ticker, date1, date2,
        [self, request](const QJsonValue& json) {
            QJsonArray quotes;
            if (self && self->m_historyRequest == request && PortfolioManager::getQuoteArrayFromJSON(json, &quotes)
                && !quotes.isEmpty())
                self->showHistory(quotes);
        },
        [](const QString& error) { svLog(QStringLiteral("%1").arg(error)); });
}

void TitreQuotePanel::showHistory(const QJsonArray& quotes)
{
    m_viewHistory->setGraph(historyPointsFromQuotes(quotes), m_nbMonth);
}
