#include "investments/PopTicker.h"

#include "investments/ViewTicker.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include <QLineEdit>
#include <QPointer>
#include <QWidgetAction>

PopTicker::PopTicker(QWidget* parent)
    : StdPopUp(parent)
{
    setCanSelectFirstItem(false);
    setCanAutoSelect(false);
    stdMenu()->setStyleSheet(QStringLiteral("QMenu { padding-top: 0px; padding-bottom: 0px; }"));
}

void PopTicker::FILL_MENU()
{
    m_found.clear();
    if (!m_fieldSearch)
        return;
    m_found = PortfolioManager::sharedInstance().findTickers(m_fieldSearch->text());
    if (m_found.size() > kMaxRows)
        m_found.resize(kMaxRows);
    if (m_found.isEmpty()) {
        // Asked once the empty menu has closed: the question is a modal run of its own, and the
        // editor that asks it is modal itself.
        stdMenu()->close();
        QPointer<PopTicker> self(this);
        UiHost::instance().scheduler().after(
            0, IScheduler::Mode::ModalPanel,
            [self] {
                QObject* delegate = self ? self->stdMenu()->delegate() : nullptr;
                if (delegate)
                    StdActionDispatcher::send(delegate, QStringLiteral("NO_TICKER:"), self);
            },
            this);
        return;
    }
    for (long index = 0; index < m_found.size(); ++index) {
        auto* item = new QWidgetAction(stdMenu());
        item->setText(m_found.at(index).symbol);
        item->setData(QVariant::fromValue<qint64>(index));
        auto* row = new ViewTickerController(m_found.at(index), stdMenu(), index, item);
        item->setDefaultWidget(row->view());
        StdMenu::connectItem(item, QStringLiteral("CHOOSE_TICKER:"), stdMenu()->delegate());
        stdMenu()->addAction(item);
    }
}
