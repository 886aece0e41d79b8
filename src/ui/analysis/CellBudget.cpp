#include "analysis/CellBudget.h"

#include "analysis/AnalyseColumns.h"
#include "analysis/FenBudgetController.h"

#include "foundation/localized.h"

#include <QMenu>

namespace {

constexpr int kPopupSide = 18;

} // namespace

CellBudget::CellBudget(const QString& identifier, QWidget* parent)
    : CellAnalyseBudget(identifier, parent)
{
    if (identifier != QLatin1String("ANALYSE_POSTE"))
        return;
    m_popupPoste = new QToolButton(this);
    m_popupPoste->setObjectName(QStringLiteral("popup_poste"));
    m_popupPoste->setPopupMode(QToolButton::InstantPopup);
    m_popupPoste->setArrowType(Qt::DownArrow);
    m_popupPoste->setAutoRaise(true);
    auto* menu = new QMenu(m_popupPoste);
    const std::pair<const char*, void (CellBudget::*)(QObject*)> items[] = {
        {"CellBudget_voirDetail", &CellBudget::VOIR_DETAIL},
        {"CellBudget_creerReel", &CellBudget::CREER_REEL},
        {"CellBudget_creerPrev", &CellBudget::CREER_PREV},
    };
    for (const auto& [key, slot] : items) {
        QAction* item = menu->addAction(localizedAppl(QString::fromLatin1(key)));
        item->setObjectName(QString::fromLatin1(key));
        connect(item, &QAction::triggered, this, [this, item, slot = slot] { (this->*slot)(item); });
    }
    m_popupPoste->setMenu(menu);
    m_popupPoste->hide();
}

QRect CellBudget::popupRect(int height)
{
    const QRect name = analysecolumns::columnRect(0, height);
    return QRect(name.right() - kPopupSide - 3, (height - kPopupSide) / 2, kPopupSide, kPopupSide);
}

void CellBudget::resizeEvent(QResizeEvent* event)
{
    CellAnalyseBudget::resizeEvent(event);
    if (!m_popupPoste)
        return;
    m_popupPoste->setGeometry(popupRect(height()));
    getNom()->setGeometry(getNom()->geometry().adjusted(0, 0, -kPopupSide - 2, 0));
}

void CellBudget::VOIR_DETAIL(QObject* sender)
{
    if (m_mainDelegate)
        m_mainDelegate->LISTING(sender);
}

void CellBudget::CREER_REEL(QObject* sender)
{
    if (m_mainDelegate)
        m_mainDelegate->CREER_REEL(sender);
}

void CellBudget::CREER_PREV(QObject* sender)
{
    if (m_mainDelegate)
        m_mainDelegate->CREER_PREV(sender);
}
