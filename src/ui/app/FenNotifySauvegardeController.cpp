#include "FenNotifySauvegardeController.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>

namespace {
constexpr int kSlideMs = 250;
constexpr double kNoticeOpacity = 0.8;
} // namespace

void FenNotifySauvegardeController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenNotifySauvegarde"));
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(16, 10, 16, 10);
    auto* label = new QLabel(localizedAppl(QStringLiteral("kNotify_SauvegardeAuto")), &window);
    label->setObjectName(QStringLiteral("text_notify"));
    layout->addWidget(label);
    window.adjustSize();
}

QRect FenNotifySauvegardeController::shownFrame() const
{
    const QRect screen = UiHost::instance().screen().visibleFrame();
    const QSize size = windowIfLoaded() ? windowIfLoaded()->size() : QSize();
    return QRect(QPoint(screen.x() + screen.width() - size.width(), screen.y()), size);
}

// Put just beyond the screen's right edge, then slid left by its own width.
void FenNotifySauvegardeController::didAwakeFromNib()
{
    StdWindow* notice = windowIfLoaded();
    notice->setWindowOpacity(kNoticeOpacity);
    const QRect shown = shownFrame();
    notice->setGeometry(shown.translated(shown.width(), 0));
    notice->show();
    notice->raise();
    UiHost::instance().animator().animateWidget(notice, {{shown, kSlideMs}}, {});
    StdWindowController::didAwakeFromNib();
}

void FenNotifySauvegardeController::closeSliding()
{
    StdWindow* notice = windowIfLoaded();
    if (!notice || !notice->isVisible()) {
        close();
        return;
    }
    const QRect out = notice->geometry().translated(notice->width(), 0);
    QPointer<FenNotifySauvegardeController> self(this);
    UiHost::instance().animator().animateWidget(notice, {{out, kSlideMs}}, [self] {
        if (self)
            self->close();
    });
}
