#pragma once
// A pie chart in its own window, slightly translucent: computed once when it opens, copied as
// PDF and PNG, printed centred in a square.
#include "analysis/Camembert.h"
#include "toolkit/print/PrintViewWithView.h"
#include "toolkit/windows/StdWindowController.h"

class ViewCamembert;

Q_DECLARE_METATYPE(Camembert)

class FenCamembertController : public StdWindowController, public PrintViewDelegate {
    Q_OBJECT
public:
    const Camembert& camembert() const { return m_camembert; }
    ViewCamembert* view_camembert() const { return m_view; }

    void didAwakeFromNib() override;
    bool canCopySomething() const override { return true; }
    Q_INVOKABLE void copy(QObject* sender);
    bool can_imprimer() const override { return true; }
    const QMetaObject* classForPrinting() const override { return &PrintViewWithView::staticMetaObject; }
    // The chart drawn into the printable rectangle, in the largest centred square.
    void printTheView(QPainter& painter, const QRectF& rect, PrintOperation& operation) override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    Camembert m_camembert;
    ViewCamembert* m_view = nullptr;
};

FenCamembertController* openCamembertWindow(const Camembert& camembert, long devise);
