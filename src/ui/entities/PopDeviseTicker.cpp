#include "entities/PopDeviseTicker.h"

#include "entities/ViewDeviseTicker.h"

#include "model/Devise.h"

#include <QWidgetAction>

PopDeviseTicker::PopDeviseTicker(QWidget* parent)
    : StdPopUp(parent)
{
    setCanSelectFirstItem(false);
    setCanAutoSelect(false);
    stdMenu()->setStyleSheet(QStringLiteral("QMenu { padding-top: 0px; padding-bottom: 0px; }"));
}

void PopDeviseTicker::FILL_MENU()
{
    const DeviseTickerList& tickers = Devise::getDeviseTickers();
    for (long index = 0; index < tickers.size(); ++index) {
        const DeviseTicker& ticker = tickers.at(index);
        auto* item = new QWidgetAction(stdMenu());
        item->setText(ticker.code);
        item->setData(QVariant::fromValue<qint64>(index));
        item->setDefaultWidget(new ViewDeviseTicker(ticker.code, ticker.nom, index, item));
        StdMenu::connectItem(item, QStringLiteral("CHOOSE_TICKER:"), stdMenu()->delegate());
        stdMenu()->addAction(item);
    }
}
