#include "WindowDriver.h"

#include "toolkit/windows/StdWindowController.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The controls met from the focus until it comes back there (or goes round elsewhere).
QList<QWidget*> round(Qt::Key key)
{
    QList<QWidget*> met {QApplication::focusWidget()};
    for (;;) {
        QTest::keyClick(met.last(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        if (met.contains(QApplication::focusWidget()))
            return met;
        met << QApplication::focusWidget();
    }
}

} // namespace

WindowDriver::WindowDriver(QWidget* window)
    : m_window(window)
{
}

WindowDriver::WindowDriver(StdWindowController& controller)
    : m_window(controller.window())
{
}

bool WindowDriver::click(const QString& action)
{
    if (!m_window) {
        ADD_FAILURE() << "click " << action.toStdString() << " without a window";
        return false;
    }
    const auto buttons = m_window->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (StdActionDispatcher::actionOf(button) == action && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    const auto items = m_window->findChildren<QAction*>();
    for (QAction* item : items) {
        if (StdActionDispatcher::actionOf(item) == action && item->isEnabled()) {
            item->trigger();
            return true;
        }
    }
    ADD_FAILURE() << "no enabled control for " << action.toStdString() << " in "
                  << m_window->objectName().toStdString();
    return false;
}

QWidget* WindowDriver::widget(const QString& name) const
{
    QWidget* found = m_window ? m_window->findChild<QWidget*>(name) : nullptr;
    if (!found)
        ADD_FAILURE() << "no control named " << name.toStdString();
    return found;
}

void WindowDriver::type(const QString& name, const QString& text)
{
    QWidget* field = widget(name);
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->selectAll();
    else if (auto* edit = qobject_cast<QTextEdit*>(field))
        edit->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->selectAll();
    else {
        ADD_FAILURE() << name.toStdString() << " is not a text field";
        return;
    }
    QTest::keyClicks(field, text);
}

QString WindowDriver::text(const QString& name) const
{
    QWidget* found = widget(name);
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    if (auto* line = qobject_cast<QLineEdit*>(found))
        return line->text();
    if (auto* edit = qobject_cast<QTextEdit*>(found))
        return edit->toPlainText();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(found))
        return plain->toPlainText();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    if (found)
        ADD_FAILURE() << name.toStdString() << " shows no text";
    return {};
}

QImage WindowDriver::grab(const QString& fileName)
{
    if (!m_window)
        return {};
    const QImage image = m_window->grab().toImage();
    if (!fileName.isEmpty()) {
        QDir().mkpath(QStringLiteral(SORV_TEST_OUTPUT_DIR));
        EXPECT_TRUE(image.save(QStringLiteral(SORV_TEST_OUTPUT_DIR "/") + fileName)) << fileName.toStdString();
    }
    return image;
}

bool WindowDriver::takeKeyboard()
{
    m_window->show();
    m_window->raise();
    // The windows shown before it have taken the keyboard in turn; then the user's click: where
    // the keyboard goes is the user's choice from now on.
    QCoreApplication::processEvents();
    QTest::mouseClick(m_window, Qt::LeftButton, {}, m_window->rect().bottomRight() - QPoint(1, 1));
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window) || !QApplication::focusWidget()) {
        ADD_FAILURE() << m_window->objectName().toStdString() << " has no keyboard";
        return false;
    }
    return true;
}

QList<QWidget*> WindowDriver::keyRound()
{
    if (!takeKeyboard())
        return {};
    const std::string name = m_window->objectName().toStdString();
    const QList<QWidget*> forward = round(Qt::Key_Tab);
    QList<QWidget*> backward = round(Qt::Key_Backtab);
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(backward, forward) << name;
    int stops = 0;
    for (const QWidget* w : m_window->findChildren<QWidget*>())
        stops += (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(m_window) && !w->focusProxy();
    EXPECT_EQ(forward.size(), stops) << name;
    return forward;
}
