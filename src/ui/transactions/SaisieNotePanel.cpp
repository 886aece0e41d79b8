#include "transactions/SaisieNotePanel.h"

#include "transactions/FenEditSaisieController.h"
#include "transactions/TextFieldNote.h"
#include "transactions/ViewSaisieNote.h"
#include "transactions/ViewSaisieNoteController.h"

#include "toolkit/drawing/geometry.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/host/KeyboardReturn.h"
#include "toolkit/media/BasicAnimationManager.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

// The panel's bottom-left corner once in, from the general tab's bottom-left corner.
constexpr double kNoteX = 50;
constexpr double kNoteY = 5;

} // namespace

SaisieNotePanel::SaisieNotePanel(FenEditSaisieController& window)
    : m_window(window)
{
}

SaisieNotePanel::~SaisieNotePanel()
{
    uncoverFields();
}

QRectF SaisieNotePanel::frame() const
{
    return toBottomLeft(QRectF(m_controller->view()->geometry()), m_placedInHeight);
}

void SaisieNotePanel::setFrame(const QRectF& frame)
{
    const int height = m_window.controls().boxGeneral->height();
    m_controller->view()->setGeometry(fromBottomLeft(frame, height).toRect());
    m_placedInHeight = height;
    coverFields();
}

void SaisieNotePanel::placeAt(double x, int height)
{
    setFrame(QRectF(x, kNoteY, m_controller->originalNoteFrame().width(), height));
}

QRect SaisieNotePanel::geometryAt(double x) const
{
    const ViewSaisieNote* view = m_controller->view();
    return fromBottomLeft(QRectF(x, kNoteY, view->width(), view->height()), m_placedInHeight).toRect();
}

void SaisieNotePanel::showNote(std::function<void()> completion, Focus focus)
{
    if (isShown()) {
        hideNote(std::move(completion));
        return;
    }
    QWidget* box = m_window.controls().boxGeneral;
    box->installEventFilter(this);
    m_focus = focus;
    m_controller = new ViewSaisieNoteController(m_window, box);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &SaisieNotePanel::noteFocusChanged);
    ViewSaisieNote* view = m_controller->view();
    m_placedInHeight = box->height();
    adjustNoteHeightForString(m_window.rec().note);
    placeAt(-view->width(), view->height());
    fillNote();
    view->show();
    view->raise();
    m_completion = std::move(completion);
    // Filled before its window shows, the tab has not its height yet: where the panel stops is
    // known once it shows.
    m_waitsForTab = !box->isVisible();
    if (!m_waitsForTab)
        slideIn();
}

// From the click on the note button: what is typed during the slide is the note's.
void SaisieNotePanel::giveNoteTheKeyboard()
{
    if (m_focus != Focus::Take || !isShown())
        return;
    m_focus = Focus::Keep;
    m_controller->view()->field_texte()->setFocus(Qt::OtherFocusReason);
}

void SaisieNotePanel::slideIn()
{
    m_waitsForTab = false;
    m_sliding = true;
    giveNoteTheKeyboard();
    QPointer<SaisieNotePanel> panel(this);
    QPointer<ViewSaisieNoteController> shown(m_controller);
    BasicAnimationManager::sharedInstance().changeFrameAnimation(
        m_controller->view(), geometryAt(kNoteX), [panel, shown] {
            if (!panel)
                return;
            if (shown && shown == panel->m_controller) {
                panel->m_sliding = false;
                // The tab may have changed its height on the way, and the lines typed on the way
                // were laid out in the panel's first height, scrolling its first ones out of sight.
                TextFieldNote* field = shown->view()->field_texte();
                panel->placeAt(kNoteX, shown->heightForString(field->toPlainText()));
                field->verticalScrollBar()->setValue(0);
                field->ensureCursorVisible();
            }
            if (auto completion = std::exchange(panel->m_completion, {}))
                completion();
        });
}

bool SaisieNotePanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
        QWidget* field = fieldUnder(watched);
        if (!field)
            return false;
        if (type == QEvent::KeyPress) {
            // The field the user or the window's opening chose keeps the keyboard: the panel steps
            // aside before the key lands, so that what is typed shows where it goes.
            if (isCovered(field) && landsInField(*static_cast<QKeyEvent*>(event)))
                hideNote({});
            return false;
        }
        const Qt::FocusReason reason
            = type == QEvent::FocusIn ? static_cast<QFocusEvent*>(event)->reason() : Qt::MouseFocusReason;
        // A click can only land where the field shows: the user chose it, and it keeps the keyboard
        // while the panel makes way for what is typed.
        if (reason == Qt::MouseFocusReason) {
            hideNote({});
            return false;
        }
        // Only Tab and Backtab pass a covered field by; the focus the program gives stays where it is
        // given.
        const bool byKey = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (type == QEvent::FocusIn && byKey && isCovered(field)) {
            passFocusOn(field, reason);
            return true;
        }
        return false;
    }
    if (!isShown() || watched != m_window.controls().boxGeneral || (type != QEvent::Resize && type != QEvent::Show))
        return false;
    // The panel keeps its distance to the tab's bottom edge.
    if (!m_sliding)
        setFrame(frame());
    if (type == QEvent::Show && m_waitsForTab)
        slideIn();
    return false;
}

// Tab and Backtab go on to the next field that shows, and a modifier alone types nothing.
bool SaisieNotePanel::landsInField(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return false;
    default:
        return true;
    }
}

// The field the note took the keyboard from, by a click or by the note button, gets it back when
// the note closes.
void SaisieNotePanel::noteFocusChanged(QWidget* old, QWidget* now)
{
    if (!isShown() || !old || !now)
        return;
    const QWidget* view = m_controller->view();
    if (view->isAncestorOf(now) && !view->isAncestorOf(old) && old->window() == view->window())
        m_returnTo = old;
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
    ViewSaisieNote* view = closing->view();
    const QRect out = geometryAt(-view->width());
    m_controller = nullptr;
    uncoverFields();
    disconnect(m_focusWatch);
    // Sliding out of sight, the panel is out of the keyboard's path: no Tab reaches it.
    for (QWidget* part : view->findChildren<QWidget*>())
        part->setFocusPolicy(Qt::NoFocus);
    // Keys typed next go to the field the note took them from, as the user left it, not to the note
    // sliding out of sight. A button clicked on the way (OK, whose alert closes the note) took the
    // keyboard from the note: what the keyboard comes back to after it is that field too.
    QPointer<QWidget> returnTo = std::exchange(m_returnTo, nullptr);
    if (!returnTo || !returnTo->isVisibleTo(view->window()) || !returnTo->isEnabled())
        returnTo = fieldThatShows(nullptr, true);
    if (QWidget* focus = view->window()->focusWidget(); focus && view->isAncestorOf(focus))
        StdTextView::giveKeyboardBack(returnTo);
    KeyboardReturn::fieldHandsBack(view->field_texte(), returnTo);
    m_waitsForTab = false;
    m_sliding = false;
    // Closed before it was in: its opening is over.
    if (auto opened = std::exchange(m_completion, {}))
        opened();
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
    field->setStoredText(m_window.rec().note);
    field->setFont(StdTextView::systemFontOfSize(13));
}

void SaisieNotePanel::readNote()
{
    if (isShown())
        m_window.rec().note = m_controller->view()->field_texte()->storedText();
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
    const QRectF bottomLeft = frame();
    setFrame(QRectF(bottomLeft.x(), bottomLeft.y(), bottomLeft.width(), height));
}

void SaisieNotePanel::didKeyDownOnNote()
{
    if (isShown())
        adjustNoteHeightForString(m_controller->view()->field_texte()->toPlainText());
}

// ---------------------------------------------------------------------------------------------
// The fields under the panel

// Where the panel stops, not where it slides: a field it is about to cover is out of reach as soon
// as it starts. A field is out of reach only when its text cannot be read: the panel covers the
// middle of its height where the text starts, or along most of its width. One the panel only
// touches stays in reach; a click on any field under the panel sends the panel away.
bool SaisieNotePanel::hidesText(const QRect& panel, const QRect& field)
{
    const int line = field.center().y();
    if (line < panel.top() || line > panel.bottom())
        return false;
    const int from = std::max(panel.left(), field.left());
    const int to = std::min(panel.right(), field.right());
    if (from > to)
        return false;
    constexpr int kTextStart = 8; // a field's frame and margin before its first letter
    return from <= field.left() + kTextStart || 2 * (to - from + 1) >= field.width();
}

void SaisieNotePanel::coverFields()
{
    uncoverFields();
    QWidget* box = m_window.controls().boxGeneral;
    // Until the tab shows, where the panel stops is not known.
    if (!isShown() || !box->isVisible())
        return;
    const ViewSaisieNote* view = m_controller->view();
    const QRect resting = geometryAt(kNoteX);
    const auto fields = box->findChildren<QWidget*>();
    for (QWidget* field : fields) {
        if (!(field->focusPolicy() & Qt::TabFocus) || field == view || view->isAncestorOf(field)
            || !field->isVisibleTo(box))
            continue;
        const QRect frame(field->mapTo(box, QPoint(0, 0)), field->size());
        if (!frame.intersects(resting))
            continue;
        m_under.push_back(Under {field, hidesText(resting, frame)});
        // Its parts too: a click on a text's page reaches the page, not the field.
        field->installEventFilter(this);
        for (QWidget* part : field->findChildren<QWidget*>())
            part->installEventFilter(this);
    }
}

void SaisieNotePanel::uncoverFields()
{
    for (const Under& under : m_under) {
        if (!under.field)
            continue;
        under.field->removeEventFilter(this);
        for (QWidget* part : under.field->findChildren<QWidget*>())
            part->removeEventFilter(this);
    }
    m_under.clear();
}

bool SaisieNotePanel::isCovered(const QWidget* field) const
{
    return std::any_of(m_under.begin(), m_under.end(),
                       [field](const Under& under) { return under.hidden && under.field == field; });
}

QWidget* SaisieNotePanel::fieldUnder(const QObject* watched) const
{
    if (!watched->isWidgetType())
        return nullptr;
    const auto* widget = static_cast<const QWidget*>(watched);
    for (const Under& under : m_under) {
        if (under.field && (under.field == widget || under.field->isAncestorOf(widget)))
            return under.field;
    }
    return nullptr;
}

// The window's first field is the first one the user types into; from a field, the next one is
// whatever Tab would reach.
QWidget* SaisieNotePanel::fieldThatShows(QWidget* from, bool forward) const
{
    QWidget* window = m_window.controls().boxGeneral->window();
    QWidget* start = from ? from : window;
    QWidget* field = start;
    do {
        field = forward ? field->nextInFocusChain() : field->previousInFocusChain();
        const bool typed = from || field->testAttribute(Qt::WA_InputMethodEnabled);
        if (field->window() == window && (field->focusPolicy() & Qt::TabFocus) && field->isEnabled()
            && field->isVisibleTo(window) && !field->focusProxy() && !isCovered(field) && typed)
            return field;
    } while (field != start);
    return nullptr;
}

void SaisieNotePanel::passFocusOn(QWidget* covered, Qt::FocusReason reason)
{
    const bool forward = reason != Qt::BacktabFocusReason;
    if (QWidget* next = fieldThatShows(covered, forward))
        next->setFocus(reason);
}
