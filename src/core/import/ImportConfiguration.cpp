#include "import/ImportConfiguration.h"

#include "model/DOCUMENT.h"
#include "model/MOYEN.h"

#include <plist/plist.h>

#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>

namespace {

using PlistHolder = std::unique_ptr<void, void (*)(plist_t)>;

constexpr char kKeyDevises[] = "DEVI";
constexpr char kKeyComptes[] = "COMP";
constexpr char kKeyPostes[] = "POST";
constexpr char kKeyMoyens[] = "MOYE";
constexpr char kKeyTaxes[] = "FISC";
constexpr char kKeyRubriques[] = "RUBS";
constexpr char kKeyColumn[] = "ICOL";
constexpr char kKeyKind[] = "RUBR";

plist_t newInteger(long long value)
{
    // The library keeps integers unsigned; negative values go in their two's complement form,
    // which it writes and reads back as negative numbers.
    return plist_new_uint(static_cast<uint64_t>(value));
}

std::optional<long long> integerValue(plist_t node)
{
    if (!node)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return static_cast<long long>(value);
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        if (!(value >= -9.0e18 && value <= 9.0e18))
            return std::nullopt;
        return static_cast<long long>(value);
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return value ? 1 : 0;
    }
    default:
        return std::nullopt;
    }
}

plist_t mappingsToArray(const ImportMappingList& mappings)
{
    plist_t array = plist_new_array();
    for (const ImportMapping& mapping : mappings) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, mapping.text.toUtf8().constData(), newInteger(mapping.value));
        plist_array_append_item(array, entry);
    }
    return array;
}

// Calls the block with each item of the array under the key; nothing when there is none.
void forEachItem(plist_t root, const char* key, const std::function<void(plist_t)>& block)
{
    plist_t array = plist_dict_get_item(root, key);
    if (!array || plist_get_node_type(array) != PLIST_ARRAY)
        return;
    const uint32_t count = plist_array_get_size(array);
    for (uint32_t i = 0; i < count; ++i)
        block(plist_array_get_item(array, i));
}

ImportMappingList mappingsFromArray(plist_t root, const char* key)
{
    ImportMappingList mappings;
    forEachItem(root, key, [&mappings](plist_t entry) {
        if (!entry || plist_get_node_type(entry) != PLIST_DICT || plist_dict_get_size(entry) != 1)
            return;
        plist_dict_iter iter = nullptr;
        plist_dict_new_iter(entry, &iter);
        char* text = nullptr;
        plist_t node = nullptr;
        plist_dict_next_item(entry, iter, &text, &node);
        free(iter);
        const std::unique_ptr<char, void (*)(void*)> textHolder(text, free);
        const std::optional<long long> value = integerValue(node);
        if (text && value)
            mappings.append({QString::fromUtf8(text), *value});
    });
    return mappings;
}

QList<ImportColumnRole> rolesFromArray(plist_t root)
{
    QList<ImportColumnRole> roles;
    forEachItem(root, kKeyRubriques, [&roles](plist_t entry) {
        if (!entry || plist_get_node_type(entry) != PLIST_DICT)
            return;
        const std::optional<long long> column = integerValue(plist_dict_get_item(entry, kKeyColumn));
        const std::optional<long long> kind = integerValue(plist_dict_get_item(entry, kKeyKind));
        const std::optional<ImportRubrique> rubrique = kind ? importRubriqueFromInt(*kind) : std::nullopt;
        if (column && *column >= 0 && rubrique)
            roles.append({*column, *rubrique});
    });
    return roles;
}

void dropIf(ImportMappingList& mappings, const std::function<bool(long long)>& stale)
{
    mappings.removeIf([&stale](const ImportMapping& mapping) { return stale(mapping.value); });
}

bool fitsLong(long long value)
{
    return value >= std::numeric_limits<long>::min() && value <= std::numeric_limits<long>::max();
}

} // namespace

QByteArray ImportConfiguration::toPropertyList() const
{
    const PlistHolder root(plist_new_dict(), plist_free);
    plist_dict_set_item(root.get(), kKeyDevises, mappingsToArray(devises));
    plist_dict_set_item(root.get(), kKeyComptes, mappingsToArray(comptes));
    plist_dict_set_item(root.get(), kKeyPostes, mappingsToArray(postes));
    plist_dict_set_item(root.get(), kKeyMoyens, mappingsToArray(moyens));
    plist_dict_set_item(root.get(), kKeyTaxes, mappingsToArray(taxes));
    plist_t roles = plist_new_array();
    for (const ImportColumnRole& role : rubriques) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, kKeyColumn, newInteger(role.column));
        plist_dict_set_item(entry, kKeyKind, newInteger(static_cast<int>(role.kind)));
        plist_array_append_item(roles, entry);
    }
    plist_dict_set_item(root.get(), kKeyRubriques, roles);
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    QByteArray data(xml, static_cast<qsizetype>(length));
    plist_to_xml_free(xml);
    return data;
}

std::optional<ImportConfiguration> ImportConfiguration::fromPropertyList(const QByteArray& data)
{
    if (data.isEmpty() || data.size() > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    plist_t parsed = nullptr;
    plist_from_memory(data.constData(), static_cast<uint32_t>(data.size()), &parsed);
    const PlistHolder root(parsed, plist_free);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;
    ImportConfiguration configuration;
    configuration.devises = mappingsFromArray(root.get(), kKeyDevises);
    configuration.comptes = mappingsFromArray(root.get(), kKeyComptes);
    configuration.postes = mappingsFromArray(root.get(), kKeyPostes);
    configuration.moyens = mappingsFromArray(root.get(), kKeyMoyens);
    configuration.taxes = mappingsFromArray(root.get(), kKeyTaxes);
    configuration.rubriques = rolesFromArray(root.get());
    return configuration;
}

void ImportConfiguration::dropStaleMappings(const DOCUMENT& doc)
{
    dropIf(devises,
           [&doc](long long slot) { return !fitsLong(slot) || !Devise::deviseUsedAtIndex(doc.deviseHdl, slot); });
    dropIf(comptes, [&doc](long long ident) { return !fitsLong(ident) || !TOOL::getTool(kToolCompte, ident, &doc); });
    dropIf(postes, [&doc](long long ident) { return !fitsLong(ident) || !POSTE::posteWithIdent(ident, doc); });
    dropIf(moyens, [](long long family) { return family < 0 || family >= kFamilyCount; });
    dropIf(taxes, [&doc](long long ident) { return !fitsLong(ident) || !TAXE::findTaxe(ident, nullptr, doc.taxeHdl); });
}
