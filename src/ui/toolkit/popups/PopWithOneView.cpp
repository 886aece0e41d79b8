#include "toolkit/popups/PopWithOneView.h"

#include <QWidgetAction>

PopWithOneView::PopWithOneView(QWidget* parent)
    : StdPopUp(parent)
{
}

void PopWithOneView::FILL_MENU()
{
    auto* item = new QWidgetAction(stdMenu());
    item->setData(qint64(0));
    if (QWidget* view = getView())
        item->setDefaultWidget(view);
    stdMenu()->addAction(item);
}
