#pragma once
// Modal runs on Qt: the window is shown window-modal (a sheet, centred on its parent) or
// application-modal, as a dialog standing above the window that asked, and a nested event loop
// runs until endModal() or the close box ends it.
#include "toolkit/host/UiHost.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QEventLoop;

class QtModalRunner : public QObject, public IModalRunner {
    Q_OBJECT
public:
    int run(const ModalRequest& request) override;
    void endModal(QWidget* window, int code) override;
    int depth() const override { return static_cast<int>(m_runs.size()); }
    QWidget* modalWindow() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Run {
        QPointer<QWidget> window;
        QPointer<QWidget> sheetOf; // the window a sheet stands on
        QEventLoop* loop = nullptr;
        int code = 0;
        bool ended = false;
    };

    Run* findRun(const QWidget* window);
    void prepareWindow(const ModalRequest& request);
    static void setModality(QWidget* window, Qt::WindowModality modality);
    QWidget* askingWindow(const QWidget* window) const;

    // Runs of nested loops; the innermost last. Entries are owned by run()'s frames.
    std::vector<Run*> m_runs;
};
