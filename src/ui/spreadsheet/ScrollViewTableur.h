#pragma once
// The main view of a spreadsheet grid: one scroll area whose viewport is the content band, with
// the row-header band on its left, the column-header band above it and the corner box where the
// two meet, all placed in the viewport's margins. The headers follow the content through the
// same two scroll bars: the row headers scroll only up and down, the column headers only across.
//
// Positions in the bands' documents: the content's document starts at the first column of the
// grid and the first row of the current page; its size is set by the window.
#include <QAbstractScrollArea>
#include <QColor>
#include <QPointer>
#include <QSizeF>

class FenTableurController;
class ViewTableurCenter;
class ViewTableurColumnHeaders;
class ViewTableurRowHeaders;

class ScrollViewTableur : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ScrollViewTableur(FenTableurController* controller, QWidget* parent = nullptr);

    ViewTableurCenter* viewTableurCenter() const { return m_center; }
    ViewTableurRowHeaders* viewTableurRowHeaders() const { return m_rowHeaders; }
    ViewTableurColumnHeaders* viewTableurColumnHeaders() const { return m_columnHeaders; }
    QWidget* crossBox() const { return m_crossBox; }

    // Places the four areas for a row-header band w wide and a column-header band h high.
    void joinAreas(float rowHeaderWidth, float columnHeaderHeight);
    // The size of the content's document: the scroll bars' ranges follow it.
    void setContentSize(const QSizeF& size);
    QSizeF contentSize() const { return m_contentSize; }
    // The visible part's top-left corner in the content's document.
    QPointF scrollOrigin() const;
    void setScrollOrigin(const QPointF& origin);
    // The corner box's frame and fill.
    void setCrossBoxColors(const QColor& border, const QColor& fill);

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void placeBands();
    void updateScrollBars();

    QPointer<FenTableurController> m_controller;
    ViewTableurCenter* m_center = nullptr;
    ViewTableurRowHeaders* m_rowHeaders = nullptr;
    ViewTableurColumnHeaders* m_columnHeaders = nullptr;
    QWidget* m_crossBox = nullptr;
    float m_rowHeaderWidth = 0;
    float m_columnHeaderHeight = 0;
    QSizeF m_contentSize;
};
