#pragma once
// The row of one attached file: the document picture, the file's visible name and, on the
// selected row, the delete button (drawn with the row; the window finds a click on it).
#include "toolkit/tables/StdCell.h"

#include <QLabel>
#include <QToolButton>

class AttachedDocument;

class CellDocument : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit CellDocument(QWidget* parent = nullptr);

    QLabel* getFieldName() const { return fieldName; }
    QLabel* getImage() const { return image; }
    QToolButton* getButtonSupprimer() const { return button_supprimer; }

    void fill(const AttachedDocument& document, bool selected);
    QRect supprimerRectInRow(const QSize& rowSize);

    QStringList rowTexts() const override { return {fieldName->text()}; }

private:
    QLabel* image;
    QLabel* fieldName;
    QToolButton* button_supprimer;
};
