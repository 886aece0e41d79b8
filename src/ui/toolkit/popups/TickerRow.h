#pragma once
// One row of a ticker menu (the known currencies, the quoted securities): a code in bold and a
// name, on a background that alternates by position and lights up under the mouse. A click
// chooses the row; what choosing does is the subclass's.
#include <QWidget>

class QLabel;

class TickerRow : public QWidget {
    Q_OBJECT
public:
    // The code's column is codeWidth wide, the row at least minimumWidth.
    TickerRow(long index, int codeWidth, int minimumWidth, QWidget* parent = nullptr);

    long index() const { return m_index; }
    QLabel* field_ticker() const { return m_field_ticker; }
    QLabel* field_name() const { return m_field_name; }
    // The background of the row at that position, highlighted or not.
    static QColor backgroundColor(long index, bool highlighted);

protected:
    virtual void choose() = 0;

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* m_field_ticker;
    QLabel* m_field_name;
    long m_index;
    bool m_highlighted = false;
};
