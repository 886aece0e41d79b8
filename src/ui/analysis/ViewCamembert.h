#pragma once
// Draws a pie chart: the title on top, a two-column legend (swatch, share, name) above the
// bottom, the pie in the space between, and a footer with the document's name and the date. The
// layout is computed in CamembertLayout, so the same numbers serve the screen, the printer and
// the tests; the view is flipped (y grows downwards) like every Qt widget.
#include "analysis/Camembert.h"

#include <QRectF>
#include <QWidget>

class QPainter;

struct CamembertLayout {
    double factor = 1; // print scale
    double fontSize = 12;
    QRectF titleRect;
    long leftRows = 0; // legend rows of the left column
    double legendTop = 0;
    QList<QRectF> swatches; // one per slice
    QPointF pieCentre;
    double pieRadius = 0;

    static CamembertLayout compute(const QRectF& rect, qsizetype slices, double factor);
};

// The largest square that fits the printable rectangle, centred in it.
QRectF camembertPrintSquare(const QRectF& printable);

// printing: black texts and grey frames on paper; the footer names the document.
void drawCamembert(QPainter& painter, const QRectF& rect, const Camembert& camembert, bool printing, double factor,
                   const QString& docName);

class ViewCamembert : public QWidget {
    Q_OBJECT
public:
    explicit ViewCamembert(QWidget* parent = nullptr);
    const Camembert& camembert() const { return m_camembert; }
    void setCamembert(const Camembert& camembert);
    void setDocName(const QString& name) { m_docName = name; }
    QString docName() const { return m_docName; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Camembert m_camembert;
    QString m_docName;
};
