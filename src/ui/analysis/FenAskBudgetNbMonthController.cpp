#include "analysis/FenAskBudgetNbMonthController.h"

#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/popups/PopHelp.h"

#include "foundation/localized.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

WindowDataPtr yearsData(const QList<long>& years)
{
    QVariantList list;
    for (long n : years)
        list.append(QVariant::fromValue<qint64>(n));
    return makeWindowData({{QStringLiteral("years"), list}});
}

} // namespace

void FenAskBudgetNbMonthController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAskBudgetNbMonth"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAskBudgetNbMonth_titre")));
    m_popupYears = new QComboBox(&window);
    m_popupYears->setObjectName(QStringLiteral("popupYears"));
    connect(m_popupYears, &QComboBox::activated, this, [this] { chooseNbMonth(m_popupYears); });
    m_popHelp = new PopHelp(&window);
    m_popHelp->setObjectName(QStringLiteral("popHelp"));
    auto* question = new QHBoxLayout;
    question->addWidget(new QLabel(localizedAppl(QStringLiteral("FenAskBudgetNbMonth_question")), &window));
    question->addWidget(m_popupYears, 1);
    QHBoxLayout* buttons = cancelOkRow(*this, window).row;
    buttons->insertWidget(0, m_popHelp);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(question);
    layout->addLayout(buttons);
}

void FenAskBudgetNbMonthController::FILL()
{
    StdWindowController::FILL();
    m_popHelp->setStringTitle(helpTitle());
    m_popHelp->setStringContent(helpContent());
    m_currentNbYear = 1;
    fillPopupYears();
}

void FenAskBudgetNbMonthController::fillPopupYears()
{
    m_popupYears->clear();
    const QVariantList years = getData() ? getData()->value(QStringLiteral("years")).toList() : QVariantList();
    for (const QVariant& year : years) {
        const long n = long(year.toLongLong());
        const QString title
            = n == 1 ? QStringLiteral("12 mois (1 an)") : QStringLiteral("%1 mois (%2 ans)").arg(n * 12).arg(n);
        m_popupYears->addItem(title, QVariant::fromValue<qint64>(n));
    }
    const int preselected = m_popupYears->findData(QVariant::fromValue<qint64>(m_currentNbYear));
    m_popupYears->setCurrentIndex(std::max(0, preselected));
}

void FenAskBudgetNbMonthController::chooseNbMonth(QObject*)
{
    if (m_popupYears->currentIndex() >= 0)
        m_currentNbYear = long(m_popupYears->currentData().toLongLong());
}

bool FenAskBudgetNbMonthController::READ()
{
    StdWindowController::READ();
    return true;
}

void FenAskBudgetNbMonthController::OUI(QObject*)
{
    READ();
    endModal(m_currentNbYear * 12);
}

void FenAskBudgetNbMonthController::NON(QObject*)
{
    endModal(0);
}

QString FenAskCompleterBudgetNbMonthController::helpTitle() const
{
    return localizedHelp(QStringLiteral("HELP_TITLE_COMPLETER_BUDGET"));
}

QString FenAskCompleterBudgetNbMonthController::helpContent() const
{
    return localizedHelp(QStringLiteral("HELP_CONTENT_COMPLETER_BUDGET"));
}

QString FenAskActualiserBudgetNbMonthController::helpTitle() const
{
    return localizedHelp(QStringLiteral("HELP_TITLE_ACTUALISER_BUDGET"));
}

QString FenAskActualiserBudgetNbMonthController::helpContent() const
{
    return localizedHelp(QStringLiteral("HELP_CONTENT_ACTUALISER_BUDGET"));
}

void askCompleterBudgetNbMonth(StdWindowController* window, const QList<long>& years,
                               const std::function<void(long)>& block)
{
    StdWindowController::pushModalWithBlock<FenAskCompleterBudgetNbMonthController>(
        window, yearsData(years), window ? window->devise() : 0, block);
}

void askActualiserBudgetNbMonth(StdWindowController* window, const QList<long>& years,
                                const std::function<void(long)>& block)
{
    StdWindowController::pushModalWithBlock<FenAskActualiserBudgetNbMonthController>(
        window, yearsData(years), window ? window->devise() : 0, block);
}
