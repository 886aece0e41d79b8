#pragma once
// What the figure tests look at: a row painted exactly as its table paints it, and the labels of
// a view whose figures do not show whole.
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"

#include <QAbstractItemDelegate>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace figurechecks {

// Runs the layouts waiting, as the event loop runs them before painting: a footer that takes
// another line has its window laid out again.
inline void runLayouts()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

// The row template of the table after it painted that row, as its delegate paints it into the
// table; null for a row without one.
inline StdCell* paintRow(StdTableView& table, int row)
{
    StdCell* cell = table.source() ? table.source()->cellForRow(&table, row) : nullptr;
    if (!cell)
        return nullptr;
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), table.visualRect(table.model()->index(row, 0)).size());
    QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    table.itemDelegate()->paint(&painter, option, table.model()->index(row, 0));
    return cell;
}

// An amount ("1 234,56", "-999 999 999,99 €") or a count ("12 opération(s)"), not a date
// ("14 juin 2024"), in a text.
inline bool showsFigure(const QString& text)
{
    static const QRegularExpression figure(QStringLiteral("\\d,\\d|^\\d+ (?!\\w+ \\d{4})"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    return figure.match(text).hasMatch();
}

// A count standing alone in its column ("999999", a month's number in a schedule): a figure too,
// for the views that show counts without their word.
inline bool showsCount(const QString& text)
{
    static const QRegularExpression count(QStringLiteral("^\\d+$"));
    return count.match(text).hasMatch();
}

// Where the label's text does not show whole in the visible part of the view it is drawn in;
// empty when it does.
inline QString cutIn(const QLabel& label, const QWidget& view, const QRect& visible)
{
    const QRect drawn = QRect(label.mapTo(&view, QPoint(0, 0)), label.size()) & visible;
    const double needed = QFontMetricsF(label.font()).horizontalAdvance(label.text());
    if (!label.isVisibleTo(&view) || label.text().isEmpty() || needed <= drawn.width() + 0.5)
        return {};
    return QStringLiteral("%1 \"%2\" shows in %3 px of %4")
        .arg(label.objectName(), label.text())
        .arg(drawn.width())
        .arg(needed, 0, 'f', 1);
}

// Every label of the view showing a figure (or, when asked, a count alone) that is not drawn as
// one (FigureLabel) or does not show whole in the visible part of the view.
inline QStringList cutFigures(const QWidget& view, const QRect& visible, const QString& where, bool counts = false)
{
    QStringList cut;
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&view) || !(showsFigure(label->text()) || (counts && showsCount(label->text()))))
            continue;
        if (!qobject_cast<const FigureLabel*>(label))
            cut << QStringLiteral("%1 %2 \"%3\" is not drawn as a figure")
                       .arg(where, label->objectName(), label->text());
        // Made narrower than its content, a window scrolls it: a figure there shows whole once
        // scrolled to, in the content the scroll area holds.
        const QWidget* in = &view;
        QRect area = visible;
        for (const QWidget* up = label->parentWidget(); up && up != &view; up = up->parentWidget()) {
            if (const auto* scroll = qobject_cast<const QScrollArea*>(up); scroll && scroll->widget()) {
                in = scroll->widget();
                area = in->rect();
            }
        }
        if (const QString shown = cutIn(*label, *in, area); !shown.isEmpty())
            cut << where + u' ' + shown;
    }
    return cut;
}

// The rows of the table as it paints them, a screenful, with their counts alone: every figure
// not shown whole in its row.
inline QStringList cutInRows(StdTableView& table, const QString& where)
{
    QStringList cut;
    for (int row = 0; row < std::min(table.numberOfRows(), 30); ++row) {
        if (const StdCell* cell = paintRow(table, row)) {
            const QRect visible(QPoint(0, 0), table.visualRect(table.model()->index(row, 0)).size());
            cut << cutFigures(*cell, visible, QStringLiteral("%1 row %2").arg(where).arg(row), true);
        }
    }
    return cut;
}

// Every text of the view not shown whole inside it, or running into another one.
inline QStringList cutOrOverlapping(const QWidget& view)
{
    QStringList cut;
    QList<const QLabel*> shown;
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&view) || label->text().isEmpty())
            continue;
        if (const QString where = cutIn(*label, view, view.rect()); !where.isEmpty())
            cut << where;
        for (const QLabel* other : shown) {
            if (label->geometry().intersects(other->geometry()))
                cut << QStringLiteral("%1 over %2").arg(label->text(), other->text());
        }
        shown << label;
    }
    return cut;
}

} // namespace figurechecks
