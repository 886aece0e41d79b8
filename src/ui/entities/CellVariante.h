#pragma once
// A row of the cheque books or cards list: the variant's picture and name, and a delete button
// shown only while the row is selected.
#include <QWidget>

class QLabel;
class QPushButton;

class CellVariante : public QWidget {
    Q_OBJECT
public:
    explicit CellVariante(QWidget* parent = nullptr);

    QLabel* getTextNom() const { return m_nom; }
    QPushButton* getButtonSupprimer() const { return m_supprimer; }
    QLabel* icone_variante() const { return m_icone; }

private:
    QLabel* m_icone = nullptr;
    QLabel* m_nom = nullptr;
    QPushButton* m_supprimer = nullptr;
};
