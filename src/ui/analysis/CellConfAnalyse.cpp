#include "analysis/CellConfAnalyse.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>

CellConfAnalyse::CellConfAnalyse(const QString& title, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CellConfAnalyse"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->addStretch(1);
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("button_supprimer"));
    m_button->setText(title);
    m_button->setAutoRaise(true);
    m_button->hide();
    layout->addWidget(m_button);
}

CellConfAnalyse* CellConfAnalyse::install(QListWidget* list, QListWidgetItem* item, const QString& title)
{
    auto* cell = new CellConfAnalyse(title, list);
    // The row is as tall as its button, so the button is never clipped when it shows.
    const int textWidth = list->fontMetrics().horizontalAdvance(item->text()) + list->iconSize().width() + 8;
    item->setSizeHint(QSize(textWidth, std::max(list->fontMetrics().height() + 4, cell->sizeHint().height())));
    list->setItemWidget(item, cell);
    return cell;
}

CellConfAnalyse* CellConfAnalyse::cellAt(const QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    return item ? qobject_cast<CellConfAnalyse*>(list->itemWidget(item)) : nullptr;
}

void CellConfAnalyse::showSelectedButton(QListWidget* list)
{
    for (int row = 0; row < list->count(); ++row) {
        if (CellConfAnalyse* cell = cellAt(list, row))
            cell->m_button->setVisible(row == list->currentRow());
    }
}
