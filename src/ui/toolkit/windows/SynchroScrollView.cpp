#include "toolkit/windows/SynchroScrollView.h"

#include <QScrollBar>

SynchroScrollView::SynchroScrollView(QWidget* parent)
    : QScrollArea(parent)
{
}

void SynchroScrollView::synchronizedWithScrollView(QAbstractScrollArea* scrollView)
{
    stopSynchronizing();
    if (!scrollView)
        return;
    m_synchronizedScrollView = scrollView;
    m_connection = connect(scrollView->verticalScrollBar(), &QScrollBar::valueChanged, this,
                           [this] { synchronizedViewContentBoundsDidChange(); });
}

void SynchroScrollView::stopSynchronizing()
{
    disconnect(m_connection);
    m_connection = {};
    m_synchronizedScrollView = nullptr;
}

void SynchroScrollView::synchronizedViewContentBoundsDidChange()
{
    if (!m_synchronizedScrollView)
        return;
    const int followed = m_synchronizedScrollView->verticalScrollBar()->value();
    if (verticalScrollBar()->value() != followed)
        verticalScrollBar()->setValue(followed);
}
