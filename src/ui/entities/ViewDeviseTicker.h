#pragma once
// One row of the currency-ticker menu: the code and the name of a known currency, on a
// background that alternates by position and lights up under the mouse. A click chooses the
// row's menu item.
#include <QWidget>

class QAction;
class QLabel;

class ViewDeviseTicker : public QWidget {
    Q_OBJECT
public:
    ViewDeviseTicker(const QString& code, const QString& nom, long index, QAction* menuItem, QWidget* parent = nullptr);

    long index() const { return m_index; }
    QString code() const;
    // The background of the row at that position, highlighted or not.
    static QColor backgroundColor(long index, bool highlighted);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* m_field_ticker;
    QLabel* m_field_name;
    long m_index;
    QAction* m_menuItem;
    bool m_highlighted = false;
};
