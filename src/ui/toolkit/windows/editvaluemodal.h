#pragma once
// The run of an editor over a value: the value goes into the window data under its key, and comes
// back from there only when the user presses OK.
#include "toolkit/windows/StdWindowController.h"

#include <QVariantMap>

// Runs the controller of class C modally on the parent's window (in the parent's currency slot, 0
// without a parent) over a copy of the value, with the other entries given; true on OK, the value
// then holding what the window wrote back under the key. Cancel leaves the value alone.
template <class C, class T>
bool editValueModal(StdWindowController* parent, const QString& key, T& value, QVariantMap others = {})
{
    others.insert(key, QVariant::fromValue(value));
    const WindowDataPtr data = makeWindowData(std::move(others));
    if (StdWindowController::pushModal<C>(parent, data, parent ? parent->devise() : 0) != 1)
        return false;
    value = data->value(key).template value<T>();
    return true;
}
