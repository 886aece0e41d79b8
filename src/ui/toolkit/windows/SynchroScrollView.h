#pragma once
// A scroll view that follows the vertical scrolling of another one (a column beside a list, say):
// whenever the other scrolls, this one scrolls to the same height and keeps its own horizontal
// position. Both measure their scrolling in pixels.
#include <QPointer>
#include <QScrollArea>

class SynchroScrollView : public QScrollArea {
    Q_OBJECT
public:
    explicit SynchroScrollView(QWidget* parent = nullptr);

    // Follows that view from now on, and no longer the one followed before. Not owned.
    void synchronizedWithScrollView(QAbstractScrollArea* scrollView);
    void stopSynchronizing();
    QAbstractScrollArea* synchronizedScrollView() const { return m_synchronizedScrollView; }

private:
    void synchronizedViewContentBoundsDidChange();

    QPointer<QAbstractScrollArea> m_synchronizedScrollView;
    QMetaObject::Connection m_connection;
};
