#include "toolkit/popups/StdMenu.h"

#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdActionDispatcher.h"
#include "toolkit/windows/StdWindow.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

constexpr char kRepresentedProperty[] = "sv_represented";
constexpr char kTitleColorProperty[] = "sv_title_color";

// The look of the program's menus: item images larger than the platform's small icons, and the
// mark of a checked item in a column of its own left of the image, as a mark beside a choice
// rather than a pressed-in image.
class MenuImageStyle : public QProxyStyle {
public:
    static constexpr int kMarkColumn = 18;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SmallIconSize)
            return StdMenu::kItemImageSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    // A menu taller than the screen scrolls in one column, as long menus do on the desktop. Left
    // to the platform's style it would spread into columns side by side until it fills the
    // screen's width, and the columns past the right edge would lie out of the mouse's reach (a
    // period pop-up of 200 months, a document with hundreds of categories).
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Menu_Scrollable)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override
    {
        QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type == CT_MenuItem && item && item->menuItemType != QStyleOptionMenuItem::Separator)
            size.rwidth() += kMarkColumn;
        return size;
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
        if (selected)
            drawHighlightOnly(*item, painter, widget);
        QStyleOptionMenuItem shifted(*item);
        shifted.rect.adjust(kMarkColumn, 0, 0, 0);
        shifted.checkType = QStyleOptionMenuItem::NotCheckable;
        shifted.checked = false;
        if (selected) {
            // The highlight is drawn across the whole row already; the content keeps its colours.
            shifted.state &= ~State_Selected;
            const QColor text = item->palette.color(QPalette::HighlightedText);
            for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
                shifted.palette.setColor(role, text);
        }
        QProxyStyle::drawControl(element, &shifted, painter, widget);
        if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked)
            drawMark(*item, selected, painter);
    }

private:
    void drawHighlightOnly(const QStyleOptionMenuItem& item, QPainter* painter, const QWidget* widget) const
    {
        QStyleOptionMenuItem background(item);
        background.text.clear();
        background.icon = QIcon();
        background.checkType = QStyleOptionMenuItem::NotCheckable;
        background.menuItemType = QStyleOptionMenuItem::Normal;
        QProxyStyle::drawControl(CE_MenuItem, &background, painter, widget);
    }

    static void drawMark(const QStyleOptionMenuItem& item, bool selected, QPainter* painter)
    {
        const QRectF box(item.rect.left() + 5, item.rect.center().y() - 5, 10, 10);
        QPainterPath mark;
        mark.moveTo(box.left(), box.top() + 5.5);
        mark.lineTo(box.left() + 3.5, box.bottom());
        mark.lineTo(box.right(), box.top());
        const QPalette::ColorGroup group = (item.state & State_Enabled) ? QPalette::Active : QPalette::Disabled;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text), 1.8,
                             Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(mark);
        painter->restore();
    }
};

// One style for every menu, released with the application.
QStyle* menuStyle()
{
    static QPointer<QStyle> style;
    if (!style && qApp) {
        style = new MenuImageStyle;
        style->setParent(qApp);
    }
    return style;
}

QObject* controllerOfWindowOf(const QWidget* widget)
{
    const auto* window = widget ? qobject_cast<const StdWindow*>(widget->window()) : nullptr;
    return window ? window->controller() : nullptr;
}

} // namespace

QString StdMenu::literalTitle(const QString& title)
{
    return QString(title).replace(u'&', QStringLiteral("&&"));
}

StdMenu::StdMenu(const QString& title, QWidget* parent)
    : QMenu(literalTitle(title), parent)
{
    if (QStyle* style = menuStyle())
        setStyle(style);
    // Rebuilt from the document at every opening, so the menu never shows stale entities.
    connect(this, &QMenu::aboutToShow, this, [this] {
        if (m_popup)
            m_popup->menuNeedsUpdate(this);
    });
}

StdPopUp* StdMenu::popup() const
{
    return m_popup;
}

void StdMenu::setPopup(StdPopUp* popup)
{
    m_popup = popup;
}

QObject* StdMenu::delegate() const
{
    if (m_delegate)
        return m_delegate;
    if (m_popup)
        return controllerOfWindowOf(m_popup);
    if (const auto* parentMenu = qobject_cast<const StdMenu*>(parentWidget()))
        return parentMenu->delegate();
    return controllerOfWindowOf(parentWidget());
}

qint64 StdMenu::tagOf(const QObject* item)
{
    const auto* action = qobject_cast<const QAction*>(item);
    return action ? action->data().toLongLong() : 0;
}

QVariant StdMenu::representedObject(const QObject* item)
{
    return item ? item->property(kRepresentedProperty) : QVariant();
}

QString StdMenu::actionOf(const QObject* item)
{
    return StdActionDispatcher::actionOf(item);
}

void StdMenu::setTitleColor(QAction* item, const QColor& color)
{
    if (item)
        item->setProperty(kTitleColorProperty, color.isValid() ? QVariant(color) : QVariant());
}

QColor StdMenu::titleColor(const QAction* item)
{
    return item ? item->property(kTitleColorProperty).value<QColor>() : QColor();
}

void StdMenu::connectItem(QAction* item, const QString& action, QObject* target)
{
    if (!item || action.isEmpty())
        return;
    StdActionDispatcher::setAction(item, action);
    StdActionDispatcher::connectToTarget(item, target);
}

void StdMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    if (!action)
        return;
    const QColor color = titleColor(action);
    if (!color.isValid())
        return;
    // A disabled item keeps the look of a disabled item.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        option->palette.setColor(group, QPalette::Text, color);
        option->palette.setColor(group, QPalette::ButtonText, color);
        option->palette.setColor(group, QPalette::WindowText, color);
    }
}
