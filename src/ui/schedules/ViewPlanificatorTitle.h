#pragma once
// The month header over the planner's year grid: each month's abbreviation, centred on the
// month's left line, with a tick rising from the bottom edge.
#include <QWidget>

class QPainter;

class ViewPlanificatorTitle : public QWidget {
    Q_OBJECT
public:
    explicit ViewPlanificatorTitle(QWidget* parent = nullptr);

    QObject* delegate() const { return m_delegate; }
    void setDelegate(QObject* delegate) { m_delegate = delegate; }

    void drawRect(QPainter& painter, const QRectF& rect) const;
    void drawGrid(QPainter& painter, const QRectF& rect) const;
    // The locale's abbreviation rather than the first three letters, which can't tell June from
    // July in French.
    static QString monthLabel(int month);

    QSize sizeHint() const override { return {670, 18}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QObject* m_delegate = nullptr;
};
