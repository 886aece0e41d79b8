#include "transactions/SaisieNotePanel.h"

#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldNote.h"
#include "transactions/ViewSaisieNote.h"
#include "transactions/ViewSaisieNoteController.h"

#include "toolkit/drawing/geometry.h"
#include "toolkit/media/BasicAnimationManager.h"

namespace {

// The panel's bottom-left corner once in, from the general tab's bottom-left corner.
constexpr double kNoteX = 50;
constexpr double kNoteY = 5;

} // namespace

SaisieNotePanel::SaisieNotePanel(FenEditSaisieController& window)
    : m_window(window)
{
}

SaisieNotePanel::~SaisieNotePanel() = default;

void SaisieNotePanel::placeAt(double x, int height)
{
    ViewSaisieNote* view = m_controller->view();
    setFrameBottomLeft(view, QRectF(x, kNoteY, m_controller->originalNoteFrame().width(), height));
}

void SaisieNotePanel::showNote(std::function<void()> completion)
{
    if (isShown()) {
        hideNote(std::move(completion));
        return;
    }
    QWidget* box = m_window.controls().boxGeneral;
    m_controller = new ViewSaisieNoteController(m_window, box);
    adjustNoteHeightForString(m_window.rec().note);
    ViewSaisieNote* view = m_controller->view();
    placeAt(-view->width(), view->height());
    fillNote();
    view->show();
    view->raise();
    const QRect in = fromBottomLeft(QRectF(kNoteX, kNoteY, view->width(), view->height()), box->height()).toRect();
    QPointer<ViewSaisieNote> shown(view);
    BasicAnimationManager::sharedInstance().changeFrameAnimation(view, in, [shown, completion] {
        if (shown)
            shown->field_texte()->setFocus(Qt::OtherFocusReason);
        if (completion)
            completion();
    });
}

void SaisieNotePanel::hideNote(std::function<void()> completion)
{
    if (!isShown()) {
        if (completion)
            completion();
        return;
    }
    readNote();
    QPointer<ViewSaisieNoteController> closing = m_controller;
    m_controller = nullptr;
    ViewSaisieNote* view = closing->view();
    QWidget* box = m_window.controls().boxGeneral;
    const QRect out
        = fromBottomLeft(QRectF(-view->width(), kNoteY, view->width(), view->height()), box->height()).toRect();
    auto slidOut = [closing, completion = std::move(completion)] {
        if (closing) {
            closing->view()->deleteLater();
            closing->deleteLater();
        }
        if (completion)
            completion();
    };
    BasicAnimationManager::sharedInstance().changeFrameAnimation(view, out, std::move(slidOut));
}

void SaisieNotePanel::fillNote()
{
    if (!isShown())
        return;
    TextFieldNote* field = m_controller->view()->field_texte();
    field->setPlainText(m_window.rec().note);
    field->setFont(StdTextView::systemFontOfSize(13));
}

void SaisieNotePanel::readNote()
{
    if (isShown())
        m_window.rec().note = m_controller->view()->field_texte()->toPlainText();
}

void SaisieNotePanel::clearNote()
{
    if (isShown())
        m_controller->view()->field_texte()->clear();
    m_window.rec().note.clear();
    hideNote({});
}

void SaisieNotePanel::adjustNoteHeightForString(const QString& text)
{
    if (!isShown())
        return;
    ViewSaisieNote* view = m_controller->view();
    const int height = m_controller->heightForString(text);
    if (view->height() == height)
        return;
    // The panel grows upward: its bottom edge stays where it is.
    const QRectF frame = frameBottomLeft(view);
    setFrameBottomLeft(view, QRectF(frame.x(), frame.y(), frame.width(), height));
}

void SaisieNotePanel::didKeyDownOnNote()
{
    if (isShown())
        adjustNoteHeightForString(m_controller->view()->field_texte()->toPlainText());
}
