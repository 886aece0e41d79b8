#pragma once
// A view shown in a placeholder's place: a list window's header or footer. The view is laid over
// the placeholder, in front of it, in the host view, and follows it whenever the window's layout
// moves or resizes the placeholder. Placing another view hides the one placed before, which stays
// where it belongs (its window, or its template) so that it can be placed again.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class StdPlacedView : public QObject {
    Q_OBJECT
public:
    explicit StdPlacedView(QObject* parent = nullptr);

    // Shows the view over the placeholder, as a child of the host (the placeholder's parent when
    // the host is null). A null view only hides the one placed before.
    void place(QWidget* view, QWidget* placeholder, QWidget* host);
    QWidget* current() const { return m_view; }
    // Forgets the view placed, leaving it as it is.
    void forget() { m_view = nullptr; }
    // The width the view takes instead of the placeholder's; none (or a negative answer) keeps
    // the placeholder's.
    void setWidthSource(std::function<int()> width) { m_width = std::move(width); }

    // The placeholder's frame in the host's coordinates.
    static QRect placedFrame(const QWidget* placeholder, const QWidget* host);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QPointer<QWidget> m_view;
    QPointer<QWidget> m_placeholder;
    QPointer<QWidget> m_host;
    std::function<int()> m_width;
};
