#pragma once
// A label that shows a figure, or a line that carries one: drawn by drawFigure, so never cut nor
// elided, and never asking a layout for less room than its whole text needs in its own font
// (italic when it is set italic).
#include <QLabel>

class FigureLabel : public QLabel {
    Q_OBJECT
public:
    explicit FigureLabel(QWidget* parent = nullptr);
    explicit FigureLabel(const QString& text, QWidget* parent = nullptr);

    // The width its whole text needs.
    int figureWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect figureRect() const;
};
