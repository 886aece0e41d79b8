#pragma once
// The row of one of the configuration editor's four lists beside the item's icon and name: its
// delete button, at the right end, shown only while the row is the list's selected one.
#include <QWidget>

class QListWidget;
class QListWidgetItem;
class QToolButton;

class CellConfAnalyse : public QWidget {
    Q_OBJECT
public:
    // The row's button is labelled title and performs its list's removal of the selected row.
    CellConfAnalyse(const QString& title, QWidget* parent);

    QToolButton* button_supprimer() const { return m_button; }

    // Sets the cell as the item's row view.
    static CellConfAnalyse* install(QListWidget* list, QListWidgetItem* item, const QString& title);
    // Shows the delete button of the selected row only; hooked to the list's selection.
    static void showSelectedButton(QListWidget* list);
    static CellConfAnalyse* cellAt(const QListWidget* list, int row);

private:
    QToolButton* m_button = nullptr;
};
