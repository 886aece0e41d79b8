#pragma once
// The data a window is opened with. As a rule it is a dictionary whose keys belong to the window
// class opened; a window that edits an amount or a date finds it in the typed slots. The opener
// and the window share it: the opener reads the window's answers back from it after a modal run,
// and a modeless window keeps it alive for as long as it is open, whatever the opener does.
#include "model/MONTANT.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

class DOCUMENT;

struct WindowData {
    QVariantMap values;
    MONTANT montant;
    double date = 0; // 0 for no date

    QVariant value(const QString& key) const { return values.value(key); }
    void insert(const QString& key, const QVariant& value) { values.insert(key, value); }
};

using WindowDataPtr = std::shared_ptr<WindowData>;

// The document an editor's window data carries, under the key "document".
void setEditedDocument(WindowData& data, DOCUMENT& doc);
DOCUMENT& editedDocument(const WindowData& data);

inline WindowDataPtr makeWindowData(QVariantMap values = {})
{
    auto data = std::make_shared<WindowData>();
    data->values = std::move(values);
    return data;
}
