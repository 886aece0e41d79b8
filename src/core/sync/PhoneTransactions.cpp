#include "PhoneTransactions.h"

#include "sync/PlistText.h"

#include "model/DOCUMENT.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/TOOL.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

using PlistPtr = std::unique_ptr<void, void (*)(plist_t)>;

// 1901-01-01 and 2101-01-01, in seconds from 2001-01-01.
constexpr double kEarliestWhen = -3155760000.0;
constexpr double kLatestWhen = 3155760000.0;
constexpr long kDeviseSlots = 5;

bool isBinaryOrXml(const QByteArray& data)
{
    if (data.startsWith("bplist"))
        return true;
    const QByteArray head = data.left(64).trimmed();
    const qsizetype start = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArray rest = head.mid(start).trimmed();
    return rest.startsWith("<?xml") || rest.startsWith("<!DOCTYPE") || rest.startsWith("<plist");
}

PlistPtr parse(const QByteArray& data, QString* reason)
{
    plist_t root = nullptr;
    if (!isBinaryOrXml(data))
        root = plistFromText(data, reason);
    else if (data.startsWith("bplist"))
        plist_from_bin(data.constData(), uint32_t(data.size()), &root);
    else
        plist_from_xml(data.constData(), uint32_t(data.size()), &root);
    if (!root && reason && reason->isEmpty())
        *reason = QStringLiteral("pas une liste de propriétés");
    return PlistPtr(root, plist_free);
}

QString stringValue(plist_t node)
{
    char* text = nullptr;
    plist_get_string_val(node, &text);
    QString value = QString::fromUtf8(text ? text : "");
    std::free(text);
    return value;
}

// The leading number of a text, as the phone's own text-to-number conversion reads it: 0 when
// the text begins with none.
double leadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? QLocale::c().toDouble(match.captured(0).trimmed()) : 0.0;
}

// A number of the record; false when the value is of another kind.
bool realValue(plist_t node, double* value)
{
    switch (plist_get_node_type(node)) {
    case PLIST_UINT: {
        uint64_t raw = 0;
        plist_get_uint_val(node, &raw);
        *value = double(int64_t(raw));
        return true;
    }
    case PLIST_REAL:
        plist_get_real_val(node, value);
        return true;
    case PLIST_BOOLEAN: {
        uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        *value = flag ? 1 : 0;
        return true;
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        *value = sec + usec / 1e6;
        return true;
    }
    case PLIST_STRING:
        *value = leadingNumber(stringValue(node));
        return true;
    default:
        return false;
    }
}

bool integerValue(plist_t node, long* value)
{
    if (plist_get_node_type(node) == PLIST_UINT) {
        uint64_t raw = 0;
        plist_get_uint_val(node, &raw);
        *value = long(int64_t(raw));
        return true;
    }
    double real = 0;
    if (!realValue(node, &real))
        return false;
    // Out of range reads as a value no check lets through.
    *value = std::isfinite(real) && std::fabs(real) < 9e18 ? long(std::trunc(real)) : -1;
    return true;
}

bool readRecord(plist_t dict, PhoneTransaction* trans, QString* reason)
{
    const struct {
        const char* key;
        long* target;
    } integers[] = {{"debitID", &trans->debitID}, {"creditID", &trans->creditID}, {"posteID", &trans->posteID},
                    {"kind", &trans->kind},       {"variante", &trans->variante}, {"devise", &trans->devise}};
    for (const auto& field : integers) {
        plist_t node = plist_dict_get_item(dict, field.key);
        if (node && !integerValue(node, field.target)) {
            *reason = QStringLiteral("« %1 » n'est pas un nombre").arg(QString::fromLatin1(field.key));
            return false;
        }
    }
    for (const auto& [key, target] : {std::pair {"when", &trans->when}, std::pair {"montant", &trans->montant}}) {
        plist_t node = plist_dict_get_item(dict, key);
        if (node && !realValue(node, target)) {
            *reason = QStringLiteral("« %1 » n'est pas un nombre").arg(QString::fromLatin1(key));
            return false;
        }
    }
    for (const auto& [key, target] : {std::pair {"reference", &trans->reference}, std::pair {"info", &trans->info}}) {
        plist_t node = plist_dict_get_item(dict, key);
        if (node && plist_get_node_type(node) != PLIST_STRING) {
            *reason = QStringLiteral("« %1 » n'est pas un texte").arg(QString::fromLatin1(key));
            return false;
        }
        if (node)
            *target = stringValue(node);
    }
    return true;
}

} // namespace

bool readPhoneTransactions(const QByteArray& data, PhoneTransactionList* list, QString* reason)
{
    QString why;
    list->clear();
    const PlistPtr root = parse(data, &why);
    if (root && plist_get_node_type(root.get()) != PLIST_ARRAY)
        why = QStringLiteral("la liste n'est pas un tableau");
    const uint32_t count = root && why.isEmpty() ? plist_array_get_size(root.get()) : 0;
    for (uint32_t i = 0; i < count && why.isEmpty(); ++i) {
        plist_t item = plist_array_get_item(root.get(), i);
        PhoneTransaction trans;
        if (plist_get_node_type(item) != PLIST_DICT)
            why = QStringLiteral("l'élément n'est pas un dictionnaire");
        else if (readRecord(item, &trans, &why))
            list->append(trans);
        if (!why.isEmpty())
            why = QStringLiteral("opération %1 : %2").arg(i + 1).arg(why);
    }
    if (!why.isEmpty()) {
        list->clear();
        if (reason)
            *reason = why;
        return false;
    }
    return true;
}

QString phoneTransactionFault(const PhoneTransaction& trans, const DOCUMENT& doc)
{
    if (trans.devise < 0 || trans.devise >= kDeviseSlots)
        return QStringLiteral("devise %1 hors des emplacements 0 à 4").arg(trans.devise);
    if (!TOOL::getTool(kToolCompte, trans.debitID, &doc))
        return QStringLiteral("compte débité %1 inconnu").arg(trans.debitID);
    if (!TOOL::getTool(kToolCompte, trans.creditID, &doc))
        return QStringLiteral("compte crédité %1 inconnu").arg(trans.creditID);
    if (!POSTE::posteWithIdent(trans.posteID, doc))
        return QStringLiteral("catégorie %1 inconnue").arg(trans.posteID);
    if (trans.kind < 0 || trans.kind >= kFamilyCount)
        return QStringLiteral("moyen de paiement %1 inconnu").arg(trans.kind);
    if (!std::isfinite(trans.montant))
        return QStringLiteral("montant invalide");
    if (!std::isfinite(trans.when) || trans.when < kEarliestWhen || trans.when >= kLatestWhen)
        return QStringLiteral("date invalide");
    return QString();
}
