#pragma once
// An editor that works on an entity in place finds it in its window data: the caller's entity, by
// its address, under the editor's key, with the document it belongs to. The caller keeps both
// alive for the editor's run and decides after it what to store.
#include "toolkit/host/WindowData.h"

template <class T> WindowDataPtr editedEntityData(const QString& key, T& entity, DOCUMENT& doc)
{
    WindowDataPtr data = makeWindowData({{key, QVariant::fromValue(static_cast<void*>(&entity))}});
    setEditedDocument(*data, doc);
    return data;
}

template <class T> T& editedEntity(const WindowData& data, const QString& key)
{
    return *static_cast<T*>(data.value(key).value<void*>());
}
