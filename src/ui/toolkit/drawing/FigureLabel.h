#pragma once
// A label that shows a figure, or a line that carries one: drawn by drawFigure, so never cut nor
// elided, and never asking a layout for less room than its whole text needs in its own font
// (italic when it is set italic). It may keep room for a wider text than it shows, so that its
// width holds still while its figure changes.
#include <QLabel>

class FigureLabel : public QLabel {
    Q_OBJECT
public:
    explicit FigureLabel(QWidget* parent = nullptr);
    explicit FigureLabel(const QString& text, QWidget* parent = nullptr);

    // The label asks for room for this text too (none: only for what it shows).
    void setRoomFor(const QString& widest);
    const QString& roomFor() const { return m_roomFor; }
    // The width its text, and the text it keeps room for, need whole.
    int figureWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect figureRect() const;

    QString m_roomFor;
};
