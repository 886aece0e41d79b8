#include "toolkit/host/WindowData.h"

namespace {

const QString kDocument = QStringLiteral("document");

} // namespace

void setEditedDocument(WindowData& data, DOCUMENT& doc)
{
    data.insert(kDocument, QVariant::fromValue(static_cast<void*>(&doc)));
}

DOCUMENT& editedDocument(const WindowData& data)
{
    return *static_cast<DOCUMENT*>(data.value(kDocument).value<void*>());
}
