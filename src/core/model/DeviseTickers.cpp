// The known-currencies list: a property list shipped as a resource, an array of dictionaries with
// "code" and "nom", sorted by name.
#include "Devise.h"

#include <QFile>

#include <plist/plist.h>

#include <memory>

namespace {

const char* const kDeviseTickersResource = ":/data/Devises.txt";

QString plistString(plist_t dict, const char* key)
{
    plist_t node = dict ? plist_dict_get_item(dict, key) : nullptr;
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return QString();
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    return text ? QString::fromUtf8(text, static_cast<qsizetype>(length)) : QString();
}

} // namespace

std::optional<DeviseTickerList> Devise::loadDeviseTickers()
{
    QFile file(QString::fromLatin1(kDeviseTickersResource));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &root);
    const std::unique_ptr<void, void (*)(plist_t)> holder(root, plist_free);
    if (!root || plist_get_node_type(root) != PLIST_ARRAY)
        return std::nullopt;
    DeviseTickerList list;
    const uint32_t count = plist_array_get_size(root);
    list.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        plist_t entry = plist_array_get_item(root, i);
        if (!entry || plist_get_node_type(entry) != PLIST_DICT)
            continue;
        DeviseTicker ticker {plistString(entry, "code"), plistString(entry, "nom")};
        if (!ticker.code.isEmpty())
            list.append(ticker);
    }
    return list;
}

const DeviseTickerList& Devise::getDeviseTickers()
{
    static const DeviseTickerList tickers = loadDeviseTickers().value_or(DeviseTickerList());
    return tickers;
}

QString Devise::findNameFromTicker(const QString& code)
{
    for (const DeviseTicker& ticker : getDeviseTickers()) {
        if (ticker.code == code)
            return ticker.nom;
    }
    return QString();
}
