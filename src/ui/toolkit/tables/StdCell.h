#pragma once
// The base of every row template of the lists. A template is one hidden widget per row kind,
// filled for a row and drawn in the row's place by the table (StdRowDelegate), so a list of any
// length has only a few live widgets. Its texts are labels laid out over a background box that
// the list window colours for the row.
#include "model/MONTANT.h"
#include "toolkit/tables/StdTableView.h"
#include "toolkit/windows/StdControlProtocol.h"

#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;

// The box behind a row's texts: a plain fill, or nothing without a colour. On paper its fill
// prints with coloured backgrounds on, and its frame with borders on (unless StdBoxNoBorder).
class StdBox : public QWidget, public StdControlProtocol {
    Q_OBJECT
public:
    explicit StdBox(QWidget* parent = nullptr);
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& color) { m_fillColor = color; }

    bool canPrint() const override { return true; }
    QImage printImage() const override { return {}; }
    virtual bool printBorder() const { return true; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fillColor;
};

class StdCell : public QWidget {
    Q_OBJECT
public:
    explicit StdCell(QWidget* parent = nullptr);

    // The background box, which always covers the whole cell, under every other child.
    StdBox* getBgbox() const { return m_bgbox; }

    // The table the cell was last drawn or asked for in.
    StdTableView* tableView() const { return m_table; }
    void setTableView(StdTableView* table) { m_table = table; }

    // The texts the row shows, in order: the text of every label not hidden. The table's model
    // gives them as the row's display text.
    virtual QStringList rowTexts() const;

    // Shows the amount in the slot's currency, in field 1 when deb is set and in field 2 when cre
    // is set, after clearing both; "-" for a null amount. Either field may be missing.
    static void paintMontantAux(const MONTANT& montant, bool deb, bool cre, long devise, const DeviseList* devHdl,
                                bool showUnit, QLabel* field1, QLabel* field2);

    // The row of the cell's table under the point (in the window's coordinates), selected when it
    // was not; -1 when there is no such row. The table comes back through the out-argument.
    int concernedRowByMouseEvent(const QPoint& windowPoint, StdTableView** table) const;
    // Asks the table's window for the context menu of the row under the point (window
    // coordinates); the menu opens at the global (screen) point.
    void menuContextuel(const QPoint& windowPoint, const QPoint& globalPoint) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    StdBox* m_bgbox;
    QPointer<StdTableView> m_table;
};
