#include "spreadsheet/ScrollViewTableur.h"

#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/TableurInteraction.h"
#include "spreadsheet/ViewTableurCenter.h"
#include "spreadsheet/ViewTableurColumnHeaders.h"
#include "spreadsheet/ViewTableurRowHeaders.h"
#include "spreadsheet/tableurgeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace {

constexpr int kScrollStep = 10;

// The corner where the header bands meet: a framed box that passes its clicks to the grid.
class CrossBox : public QWidget {
public:
    CrossBox(FenTableurController* controller, QWidget* parent)
        : QWidget(parent)
        , m_controller(controller)
    {
        setObjectName(QStringLiteral("crossBox"));
    }

    void setColors(const QColor& border, const QColor& fill)
    {
        m_border = border;
        m_fill = fill;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_fill.isValid())
            painter.fillRect(rect(), m_fill);
        if (m_border.isValid()) {
            painter.setPen(QPen(m_border, 0.5));
            painter.drawRect(QRectF(rect()).adjusted(0, 0, -0.5, -0.5));
        }
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (m_controller)
            m_controller->interaction().mousePress(this, *event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (m_controller)
            m_controller->interaction().mouseRelease(this, *event);
    }

private:
    QPointer<FenTableurController> m_controller;
    QColor m_border;
    QColor m_fill;
};

} // namespace

ScrollViewTableur::ScrollViewTableur(FenTableurController* controller, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("mainView"));
    setFrameShape(QFrame::NoFrame);
    m_center = new ViewTableurCenter;
    m_center->setObjectName(QStringLiteral("viewTableurCenter"));
    setViewport(m_center);
    m_rowHeaders = new ViewTableurRowHeaders(this);
    m_rowHeaders->setObjectName(QStringLiteral("viewTableurRowHeaders"));
    m_columnHeaders = new ViewTableurColumnHeaders(this);
    m_columnHeaders->setObjectName(QStringLiteral("viewTableurColumnHeaders"));
    m_crossBox = new CrossBox(controller, this);
    for (ViewTableur* view : std::initializer_list<ViewTableur*> {m_center, m_rowHeaders, m_columnHeaders})
        view->setFenTableurController(controller);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
}

void ScrollViewTableur::joinAreas(float rowHeaderWidth, float columnHeaderHeight)
{
    m_rowHeaderWidth = rowHeaderWidth;
    m_columnHeaderHeight = columnHeaderHeight;
    setViewportMargins(int(rowHeaderWidth), int(columnHeaderHeight), 1, 1);
    placeBands();
}

// The bands go around the viewport wherever the scroll bars leave it.
void ScrollViewTableur::placeBands()
{
    const QRect content = viewport()->geometry();
    const QSizeF main(content.right() + 2, content.bottom() + 2);
    const TableurAreas areas = tableurJoinedAreas(main, m_rowHeaderWidth, m_columnHeaderHeight);
    m_rowHeaders->setGeometry(areas.rowHeaders.toRect());
    m_columnHeaders->setGeometry(areas.columnHeaders.toRect());
    m_crossBox->setGeometry(areas.crossBox.toRect());
    updateScrollBars();
}

void ScrollViewTableur::setContentSize(const QSizeF& size)
{
    m_contentSize = size;
    updateScrollBars();
}

void ScrollViewTableur::updateScrollBars()
{
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setPageStep(visible.height());
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(m_contentSize.width())) - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(m_contentSize.height())) - visible.height()));
}

QPointF ScrollViewTableur::scrollOrigin() const
{
    return QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void ScrollViewTableur::setScrollOrigin(const QPointF& origin)
{
    horizontalScrollBar()->setValue(int(std::lround(origin.x())));
    verticalScrollBar()->setValue(int(std::lround(origin.y())));
}

void ScrollViewTableur::setCrossBoxColors(const QColor& border, const QColor& fill)
{
    static_cast<CrossBox*>(m_crossBox)->setColors(border, fill);
}

// The content band paints itself and passes its mouse events to the grid's interaction, as the
// header bands do; the scroll area keeps the wheel and the rest.
bool ScrollViewTableur::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::ContextMenu:
    case QEvent::Leave:
        return false;
    default:
        return QAbstractScrollArea::viewportEvent(event);
    }
}

void ScrollViewTableur::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    placeBands();
}

void ScrollViewTableur::scrollContentsBy(int, int)
{
    if (m_controller)
        m_controller->notifyScrolling();
}
