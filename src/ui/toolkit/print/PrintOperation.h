#pragma once
// One print: the view that lays out and paints the pages, and the print information it is laid
// out for. The print panel and its options change the information and have the view lay its
// pages out again; a change of paper or orientation reaches the view by itself.
#include "toolkit/print/PrintInfo.h"

#include <QPointer>

class PrintView;

class PrintOperation {
public:
    // The view is not owned; it outlives the operation or is told of it by setPrintOperation.
    PrintOperation(PrintView* view, const PrintInfo& info);

    PrintView* view() const;
    PrintInfo& printInfo() { return m_info; }
    const PrintInfo& printInfo() const { return m_info; }

    // Takes the printer's paper and orientation; the view re-spools when the paper changed.
    void setPageLayout(const QPageLayout& layout);

    // The page being painted (from 1); 0 before the first.
    long currentPage() const { return m_currentPage; }
    void setCurrentPage(long page) { m_currentPage = page; }

private:
    QPointer<PrintView> m_view;
    PrintInfo m_info;
    long m_currentPage = 0;
};
