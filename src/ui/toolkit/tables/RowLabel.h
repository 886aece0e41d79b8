#pragma once
// A name or a label in a row's column: a text longer than its column ends with an ellipsis, never
// cut in the middle of a letter. Figures are never shown this way (FigureLabel).
#include <QLabel>

class RowLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
