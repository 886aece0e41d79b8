#include "toolkit/popups/StdPopUp.h"

#include "toolkit/drawing/namedimages.h"

#include "foundation/diagnostics.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {

constexpr char kRepresentedProperty[] = "sv_represented";

QAction* newItem(QMenu* menu, const QString& title, bool enabled, qint64 tag)
{
    auto* item = new QAction(StdMenu::literalTitle(title), menu);
    item->setEnabled(enabled);
    item->setData(tag);
    item->setCheckable(true);
    menu->addAction(item);
    return item;
}

// The first shown, enabled plain item of that tag, searching submenus in place.
QAction* findActivatable(const QMenu* menu, qint64 tag)
{
    for (QAction* item : menu->actions()) {
        if (item->isSeparator() || !item->isVisible() || !item->isEnabled())
            continue;
        if (const QMenu* submenu = item->menu()) {
            if (QAction* found = findActivatable(submenu, tag))
                return found;
        } else if (StdMenu::tagOf(item) == tag) {
            return item;
        }
    }
    return nullptr;
}

} // namespace

StdPopUp::StdPopUp(QWidget* parent)
    : QToolButton(parent)
    , m_menu(new StdMenu(QString(), this))
{
    m_menu->setPopup(this);
    QAction* first = newItem(m_menu, QString(), true, 0);
    first->setVisible(false);
    connect(first, &QAction::changed, this, &StdPopUp::showFirstItem);
    setMenu(m_menu);
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

QAction* StdPopUp::firstItem() const
{
    const auto items = m_menu->actions();
    return items.isEmpty() ? nullptr : items.first();
}

void StdPopUp::setTitle(const QString& title)
{
    if (QAction* first = firstItem())
        first->setText(StdMenu::literalTitle(title));
}

void StdPopUp::setImage(const QIcon& image)
{
    if (QAction* first = firstItem())
        first->setIcon(image);
}

void StdPopUp::showFirstItem()
{
    const QAction* first = firstItem();
    if (!first)
        return;
    setText(first->text());
    setIcon(first->icon());
    setToolButtonStyle(first->icon().isNull()        ? Qt::ToolButtonTextOnly
                           : first->text().isEmpty() ? Qt::ToolButtonIconOnly
                                                     : Qt::ToolButtonTextBesideIcon);
}

void StdPopUp::setShowsMenuIndicator(bool shows)
{
    m_showsMenuIndicator = shows;
    update();
}

void StdPopUp::paintEvent(QPaintEvent* event)
{
    if (m_showsMenuIndicator) {
        QToolButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.features &= ~QStyleOptionToolButton::HasMenu;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

QImage StdPopUp::printImage() const
{
    return icon().pixmap(iconSize()).toImage();
}

// ---------------------------------------------------------------------------------------------
// Marking

void StdPopUp::setItemState(QAction* item, bool on)
{
    item->setCheckable(true);
    item->setChecked(on);
}

bool StdPopUp::SELECT_ITEM_WITH_TAG(qint64 tag)
{
    DESELECT_ALL_ITEMS();
    return SELECT_ITEM_WITH_TAG_AND_MENU(m_menu, tag);
}

bool StdPopUp::SELECT_ITEM_WITH_TAG_AND_MENU(QMenu* menu, qint64 tag)
{
    if (!menu || menu->actions().isEmpty())
        return false;
    bool answer = false;
    const auto items = menu->actions();
    for (qsizetype index = 0; index < items.size(); ++index) {
        QAction* item = items[index];
        if (QMenu* submenu = item->menu()) {
            answer = SELECT_ITEM_WITH_TAG_AND_MENU(submenu, tag);
            if (answer)
                setItemState(item, true);
        } else if (!item->isSeparator() && StdMenu::tagOf(item) == tag) {
            if (index == 0 && !m_canSelectFirstItem)
                continue;
            setItemState(item, true);
            answer = true;
        }
    }
    return answer;
}

void StdPopUp::DESELECT_ALL_ITEMS()
{
    DESELECT_ALL_ITEMS_WITH_MREF(m_menu);
}

void StdPopUp::DESELECT_ALL_ITEMS_WITH_MREF(QMenu* menu)
{
    if (!menu)
        return;
    for (QAction* item : menu->actions()) {
        if (QMenu* submenu = item->menu())
            DESELECT_ALL_ITEMS_WITH_MREF(submenu);
        item->setChecked(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Rebuilding

// The removed items are let go later, not deleted here: the rebuild may run from inside the
// action of one of them. They leave the menu's children at once, so nothing finds them anymore.
void StdPopUp::CLEAR_MENU()
{
    const auto items = m_menu->actions();
    for (qsizetype index = 1; index < items.size(); ++index) {
        QAction* item = items[index];
        m_menu->removeAction(item);
        QObject* owned = item->menu() ? static_cast<QObject*>(item->menu()) : item;
        if (!owned->parent() || owned->parent() == m_menu || owned->parent() == this) {
            owned->setParent(nullptr);
            owned->deleteLater();
        }
    }
}

void StdPopUp::menuNeedsUpdate(QMenu* menu)
{
    Q_UNUSED(menu);
    WILL_UPDATE();
    CLEAR_MENU();
    FILL_MENU();
    if (m_canAutoSelect && !m_canSelectMulti)
        SELECT_ITEM_WITH_TAG(m_tagToSelect);
}

bool StdPopUp::activateTag(qint64 tag)
{
    QAction* item = findActivatable(m_menu, tag);
    if (!item)
        return false;
    item->trigger();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Item builders

QIcon StdPopUp::itemImage(const QString& imageName)
{
    return namedImageIcon(imageName);
}

QAction* StdPopUp::addItemToMenuWithImage(QMenu* menu, const QString& title, const QString& action, const QIcon& image,
                                          bool enabled, qint64 tag)
{
    if (!SV_ASSERT(menu))
        return nullptr;
    QAction* item = newItem(menu, title, enabled, tag);
    item->setIcon(image);
    StdMenu::connectItem(item, action, m_menu->delegate());
    return item;
}

QAction* StdPopUp::addItemToMenu(QMenu* menu, const QString& title, const QString& action, const QString& imageName,
                                 bool enabled, qint64 tag)
{
    return addItemToMenuWithImage(menu, title, action, itemImage(imageName), enabled, tag);
}

QAction* StdPopUp::addItemToMenu(QMenu* menu, const QString& title, const QString& action, QObject* target,
                                 const QVariant& context, const QString& imageName, bool enabled, bool selected,
                                 qint64 tag)
{
    if (!SV_ASSERT(menu))
        return nullptr;
    QAction* item = newItem(menu, title, enabled, tag);
    item->setChecked(selected);
    item->setProperty(kRepresentedProperty, context);
    item->setIcon(itemImage(imageName));
    StdMenu::connectItem(item, action, target);
    return item;
}

void StdPopUp::FILL_MENU(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag)
{
    Q_UNUSED(menu);
    Q_UNUSED(target);
    Q_UNUSED(context);
    Q_UNUSED(selectedTag);
}
