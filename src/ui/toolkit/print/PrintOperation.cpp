#include "toolkit/print/PrintOperation.h"

#include "toolkit/print/PrintView.h"

PrintOperation::PrintOperation(PrintView* view, const PrintInfo& info)
    : m_view(view)
    , m_info(info)
{
}

PrintView* PrintOperation::view() const
{
    return m_view;
}

void PrintOperation::setPageLayout(const QPageLayout& layout)
{
    m_info.setPageLayout(layout);
    if (m_view)
        m_view->printInfoDidChange();
}
