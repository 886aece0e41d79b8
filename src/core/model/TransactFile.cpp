#include "TransactFile.h"

#include "foundation/xmllist.h"

#include "foundation/LoadIssues.h"
#include "foundation/SystemClock.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QDir>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr int kDateDecimals = 6;
const QString kLineFeed = QStringLiteral("\n");
const QString kNoteBreak = QStringLiteral("__BR__");

// The children of a record, in the order they are written.
enum Field : int {
    kIsInit,
    kImportID,
    kImportTouched,
    kImportDoublon,
    kSynchroID,
    kSynchroDate,
    kWhen,
    kWho1,
    kWho2,
    kReleveID1,
    kReleveID2,
    kMoyen,
    kSynonymeID,
    kVariante,
    kPosteID,
    kChronoID,
    kPlanifiedDate,
    kPrevisionID,
    kTaxeID,
    kTitreID,
    kRemunereID,
    kEmpruntID,
    kClotureMarkD,
    kClotureMarkC,
    kDevise,
    kAnnulation,
    kSolde,
    kTaxe,
    kQuote1,
    kQuote2,
    kQuote3,
    kNTitre,
    kWhy,
    kRef,
    kWhyImport,
    kNote,
    kMultilist,
    kDocuments,
    kFieldCount
};

constexpr std::array<const char*, kFieldCount> kNames
    = {"isInit",    "importID",     "importTouched", "importDoublon", "synchroID",  "synchroDate", "when",
       "who1",      "who2",         "releveID1",     "releveID2",     "moyen",      "synonymeID",  "variante",
       "posteID",   "chronoID",     "planifiedDate", "previsionID",   "taxeID",     "titreID",     "remunereID",
       "empruntID", "clotureMarkD", "clotureMarkC",  "devise",        "annulation", "solde",       "taxe",
       "quote1",    "quote2",       "quote3",        "nTitre",        "why",        "ref",         "whyImport",
       "note",      "multilist",    "documents"};

// The text with every `from` replaced by `to`; an empty text, never a null one.
QString replacedNeverNull(const QString& text, const QString& from, const QString& to)
{
    if (!text.contains(from))
        return text.isNull() ? QStringLiteral("") : text;
    return QString(text).replace(from, to);
}

// Text, comments and processing instructions between the elements of a list are skipped.
template <typename Visit> void forEachElement(pugi::xml_node parent, Visit visit)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            visit(child);
    }
}

// ---- Writing ------------------------------------------------------------------------------------

template <typename Node> void appendScalars(Node record, const TRANSACT& t)
{
    xmlAppendBool(record, kNames[kIsInit], t.isInit);
    xmlAppendLong(record, kNames[kImportID], t.importID);
    xmlAppendBool(record, kNames[kImportTouched], t.importTouched);
    xmlAppendBool(record, kNames[kImportDoublon], t.importDoublon);
    xmlAppendLong(record, kNames[kSynchroID], t.synchroID);
    xmlAppendDouble(record, kNames[kSynchroDate], kDateDecimals, t.synchroDate);
    xmlAppendDouble(record, kNames[kWhen], kDateDecimals, t.when);
    xmlAppendLong(record, kNames[kWho1], t.who1);
    xmlAppendLong(record, kNames[kWho2], t.who2);
    xmlAppendLong(record, kNames[kReleveID1], t.releveID1);
    xmlAppendLong(record, kNames[kReleveID2], t.releveID2);
    xmlAppendLong(record, kNames[kMoyen], t.moyen);
    xmlAppendLong(record, kNames[kSynonymeID], t.synonymeID);
    xmlAppendLong(record, kNames[kVariante], t.variante);
    xmlAppendLong(record, kNames[kPosteID], t.posteID);
    xmlAppendLong(record, kNames[kChronoID], t.chronoID);
    xmlAppendDouble(record, kNames[kPlanifiedDate], kDateDecimals, t.planifiedDate);
    xmlAppendLong(record, kNames[kPrevisionID], t.previsionID);
    xmlAppendLong(record, kNames[kTaxeID], t.taxeID);
    xmlAppendLong(record, kNames[kTitreID], t.titreID);
    xmlAppendLong(record, kNames[kRemunereID], t.remunereID);
    xmlAppendLong(record, kNames[kEmpruntID], t.empruntID);
    xmlAppendLong(record, kNames[kClotureMarkD], t.clotureMarkD);
    xmlAppendLong(record, kNames[kClotureMarkC], t.clotureMarkC);
    xmlAppendLong(record, kNames[kDevise], t.devise);
    xmlAppendBool(record, kNames[kAnnulation], t.annulation);
}

// A tax needs a tax and quotes need an investment: what the file can't explain is dropped, in
// memory too, so that totals read the same before and after the next opening.
void dropUnexplainedAmounts(TRANSACT& t)
{
    if (t.taxeID < 0)
        t.taxe.setFromMontant(MONTANT::zero());
    if (t.titreID < 0 && t.remunereID < 0 && t.empruntID < 0) {
        for (MONTANT* quote : {&t.quote1, &t.quote2, &t.quote3})
            quote->setFromMontant(MONTANT::zero());
    }
}

template <typename Node> bool appendAmounts(Node record, const TRANSACT& t, const DeviseList& devises)
{
    bool ok = t.solde.XML_append_montantWithDeviseDecimales(record, kNames[kSolde], devises);
    ok = t.taxe.XML_append_montantWithDeviseDecimales(record, kNames[kTaxe], devises) && ok;
    ok = t.quote1.XML_append_montantWithDeviseDecimales(record, kNames[kQuote1], devises) && ok;
    ok = t.quote2.XML_append_montantWithDeviseDecimales(record, kNames[kQuote2], devises) && ok;
    return t.quote3.XML_append_montantWithDeviseDecimales(record, kNames[kQuote3], devises) && ok;
}

template <typename Node> void appendTexts(Node record, const TRANSACT& t)
{
    xmlAppendString(record, kNames[kWhy], t.why);
    xmlAppendString(record, kNames[kRef], t.ref);
    xmlAppendString(record, kNames[kWhyImport], t.whyImport);
    xmlAppendString(record, kNames[kNote], encodeNote(t.note));
}

// A list element with one child element per item, which fill writes into. False when an element
// could not be made or an item not be written whole; the other items are written all the same.
template <typename Node, typename Items, typename Fill>
bool appendList(Node record, const char* listName, const char* itemName, const Items& items, Fill fill)
{
    Node list = xmlAppendElement(record, listName);
    if (!list)
        return false;
    bool ok = true;
    for (const auto& item : items) {
        Node element = xmlAppendElement(list, itemName);
        ok = element && fill(element, item) && ok;
    }
    return ok;
}

template <typename Node> bool appendMultis(Node record, const TRANSACT& t, const DeviseList& devises)
{
    return appendList(record, kNames[kMultilist], "multi", t.multis, [&](Node multi, const MULTI& m) {
        const bool ok = m.montant.XML_append_montantWithDeviseDecimales(multi, "montant", devises);
        xmlAppendLong(multi, "posteID", m.posteID);
        xmlAppendString(multi, "multiNote", m.multiNote);
        return ok;
    });
}

// A chosen file not yet stored has no place in the file: its location is the user's, not the
// document's.
template <typename Node> bool appendDocuments(Node record, const TRANSACT& t)
{
    return appendList(record, kNames[kDocuments], "document", t.attachedDocuments,
                      [](Node document, const AttachedDocument& d) {
                          xmlAppendString(document, "docStoreName", d.docStoreName);
                          xmlAppendString(document, "docVisibleName", d.docVisibleName);
                          return true;
                      });
}

// ---- Reading ------------------------------------------------------------------------------------

using FieldNodes = std::array<pugi::xml_node, kFieldCount>;

// Records are written in one order, so the next name is almost always the expected one.
int fieldOfName(const char* name, int expected)
{
    if (expected < kFieldCount && std::strcmp(name, kNames[static_cast<size_t>(expected)]) == 0)
        return expected;
    for (int f = 0; f < kFieldCount; ++f) {
        if (std::strcmp(name, kNames[static_cast<size_t>(f)]) == 0)
            return f;
    }
    return -1;
}

// The first element of each field's name, in one pass over the record.
FieldNodes collectFields(pugi::xml_node record)
{
    FieldNodes nodes {};
    int expected = 0;
    forEachElement(record, [&](pugi::xml_node child) {
        const int f = fieldOfName(child.name(), expected);
        if (f < 0)
            return;
        if (!nodes[static_cast<size_t>(f)])
            nodes[static_cast<size_t>(f)] = child;
        expected = f + 1;
    });
    return nodes;
}

bool isText(pugi::xml_node node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

QString elementString(pugi::xml_node element)
{
    std::string joined;
    const char* text = xmlElementText(element, joined);
    return text ? QString::fromUtf8(text) : QString();
}

// A boolean by its first significant character, as the member-file layer reads booleans.
bool elementBool(pugi::xml_node element, bool defaultValue)
{
    std::string joined;
    const char* s = xmlElementText(element, joined);
    if (!s)
        return defaultValue;
    while (*s == ' ' || (*s >= '\t' && *s <= '\r'))
        ++s;
    if (*s == '-' || *s == '+')
        ++s;
    while (*s == '0')
        ++s;
    return *s == 'Y' || *s == 'y' || *s == 'T' || *s == 't' || (*s >= '1' && *s <= '9');
}

long elementLong(pugi::xml_node element, long defaultValue)
{
    return static_cast<long>(xmlNodeIntegerValue(element, defaultValue));
}

// Most slots of most amounts are unused and stored "0", which needs no number parsing.
bool isZeroText(pugi::xml_node child)
{
    const pugi::xml_node text = child.first_child();
    return !text.next_sibling() && isText(text) && std::strcmp(text.value(), "0") == 0;
}

// Five values by position, whatever their names; zero when the element is missing or empty,
// which is noted as the field's fault, and so is a value that holds no number.
void elementMontant(pugi::xml_node element, MONTANT& m, const char* field, LoadIssues* issues)
{
    m = MONTANT::zero();
    if (!element || !element.first_child()) {
        noteLoadIssue(issues, localizedDialogue(QStringLiteral("kLoadIssue_montantMissing")).arg(QLatin1String(field)));
        return;
    }
    size_t i = 0;
    for (pugi::xml_node child = element.first_child(); child && i < m.values.size(); child = child.next_sibling()) {
        if (isZeroText(child)) {
            m.values[i++] = 0.0;
            continue;
        }
        m.values[i++] = xmlNodeDoubleValue(child, 0.0);
        if (issues && !xmlNodeValueIsNumber(child)) {
            const QString text
                = child.type() == pugi::node_element ? elementString(child) : QString::fromUtf8(child.value());
            issues->note(localizedDialogue(QStringLiteral("kLoadIssue_montantBad")).arg(QLatin1String(field), text));
        }
    }
}

void readIdents(const FieldNodes& n, TRANSACT& t)
{
    t.importID = elementLong(n[kImportID], -1);
    // Marks are written with 64 bits and read back whole.
    t.synchroID = elementLong(n[kSynchroID], 0);
    t.who1 = elementLong(n[kWho1], -1);
    t.who2 = elementLong(n[kWho2], -1);
    t.releveID1 = elementLong(n[kReleveID1], -1);
    t.releveID2 = elementLong(n[kReleveID2], -1);
    t.moyen = static_cast<int>(xmlNodeIntegerValue(n[kMoyen], -1));
    t.synonymeID = elementLong(n[kSynonymeID], -1);
    t.variante = elementLong(n[kVariante], -1);
    t.posteID = elementLong(n[kPosteID], -1);
    t.chronoID = elementLong(n[kChronoID], -1);
    t.previsionID = elementLong(n[kPrevisionID], -1);
    t.taxeID = elementLong(n[kTaxeID], -1);
    t.titreID = elementLong(n[kTitreID], -1);
    t.remunereID = elementLong(n[kRemunereID], -1);
    t.empruntID = elementLong(n[kEmpruntID], -1);
    t.clotureMarkD = elementLong(n[kClotureMarkD], -1);
    t.clotureMarkC = elementLong(n[kClotureMarkC], -1);
    t.devise = elementLong(n[kDevise], 0);
}

// A date is a number of seconds: a text that is no such number whole ("2026-13-45" would read
// as 2026 seconds), or one beyond the calendar's years ("1e300"), is read as the fallback, and
// noted with the words that say what stands in its place. A missing date takes the fallback too.
double elementDate(pugi::xml_node element, const char* field, const char* replacementKey, double fallback,
                   LoadIssues* issues)
{
    const std::optional<double> date = xmlNodeReadDate(element, std::numeric_limits<double>::quiet_NaN());
    if (date)
        return std::isnan(*date) ? fallback : *date;
    noteLoadIssue(
        issues,
        localizedDialogue(QStringLiteral("kLoadIssue_dateUnread"))
            .arg(QLatin1String(field), elementString(element), localizedDialogue(QLatin1String(replacementKey))));
    return fallback;
}

void readScalars(const FieldNodes& n, TRANSACT& t, LoadIssues* issues)
{
    t.isInit = elementBool(n[kIsInit], false);
    t.importTouched = elementBool(n[kImportTouched], false);
    t.importDoublon = elementBool(n[kImportDoublon], false);
    t.annulation = elementBool(n[kAnnulation], false);
    t.synchroDate = elementDate(n[kSynchroDate], "synchroDate", "kLoadIssue_dateAsNone", 0, issues);
    t.when = elementDate(n[kWhen], "when", "kLoadIssue_dateAsToday", std::numeric_limits<double>::quiet_NaN(), issues);
    if (std::isnan(t.when))
        t.when = SystemClock::now();
    t.planifiedDate = elementDate(n[kPlanifiedDate], "planifiedDate", "kLoadIssue_dateAsWhen", t.when, issues);
    t.nTitre = xmlNodeDoubleValue(n[kNTitre], 0);
    readIdents(n, t);
}

void readAmounts(const FieldNodes& n, TRANSACT& t, LoadIssues* issues)
{
    const std::pair<Field, MONTANT*> amounts[]
        = {{kSolde, &t.solde}, {kTaxe, &t.taxe}, {kQuote1, &t.quote1}, {kQuote2, &t.quote2}, {kQuote3, &t.quote3}};
    for (const auto& [field, amount] : amounts)
        elementMontant(n[field], *amount, kNames[field], issues);
}

void readTexts(const FieldNodes& n, TRANSACT& t)
{
    t.why = elementString(n[kWhy]);
    t.ref = elementString(n[kRef]);
    t.whyImport = elementString(n[kWhyImport]);
    t.note = decodeNote(elementString(n[kNote]));
}

// Every child is a line, whatever its name.
void readMultis(pugi::xml_node list, TRANSACT& t, LoadIssues* issues)
{
    forEachElement(list, [&](pugi::xml_node child) {
        MONTANT montant;
        const QByteArray field = "multi " + QByteArray::number(t.nbMultis() + 1) + " montant";
        elementMontant(xmlFirstElementNamed(child, "montant"), montant, field.constData(), issues);
        // Categories are written with 64 bits and read back whole.
        t.addMultiWithPosteID(static_cast<long>(xmlGetLong(child, "posteID", -1)), montant,
                              xmlGetMutableString(child, "multiNote"));
    });
}

void readDocuments(pugi::xml_node list, TRANSACT& t)
{
    forEachElement(list, [&t](pugi::xml_node child) {
        AttachedDocument d;
        d.docStoreName = xmlGetMutableString(child, "docStoreName");
        d.docVisibleName = xmlGetMutableString(child, "docVisibleName");
        t.attachedDocuments.append(d);
    });
}

} // namespace

QString encodeNote(const QString& text)
{
    return replacedNeverNull(text, kLineFeed, kNoteBreak);
}

QString decodeNote(const QString& text)
{
    return replacedNeverNull(text, kNoteBreak, kLineFeed);
}

namespace {

template <typename Node> bool appendTransact(Node record, TRANSACT& trans, const DeviseList& devises)
{
    appendScalars(record, trans);
    dropUnexplainedAmounts(trans);
    bool ok = appendAmounts(record, trans, devises);
    xmlAppendDouble(record, kNames[kNTitre], kDateDecimals, trans.nTitre);
    appendTexts(record, trans);
    ok = appendMultis(record, trans, devises) && ok;
    return appendDocuments(record, trans) && ok;
}

} // namespace

bool XML_append_transact_to_record(pugi::xml_node record, TRANSACT& trans, const DeviseList& devises)
{
    return appendTransact(record, trans, devises);
}

bool XML_append_transact_to_record(XmlStreamNode record, TRANSACT& trans, const DeviseList& devises)
{
    return appendTransact(record, trans, devises);
}

bool XML_append_transact(pugi::xml_node parent, const XmlName& key, TRANSACT& trans, const DeviseList& devises)
{
    pugi::xml_node record = xmlAppendElement(parent, key);
    if (!record)
        return false;
    return XML_append_transact_to_record(record, trans, devises);
}

TRANSACT XML_load_transact_from_record(pugi::xml_node record, LoadIssues* issues)
{
    // Every field is given its value or its "absent" value below.
    TRANSACT t;
    const FieldNodes n = collectFields(record);
    readScalars(n, t, issues);
    readAmounts(n, t, issues);
    readTexts(n, t);
    readMultis(n[kMultilist], t, issues);
    readDocuments(n[kDocuments], t);
    return t;
}

std::optional<TRANSACT> XML_load_transact(pugi::xml_node parent, const XmlName& key, LoadIssues* issues)
{
    const pugi::xml_node record = xmlFirstElementNamed(parent, key);
    if (!record) {
        noteLoadIssue(
            issues,
            localizedDialogue(QStringLiteral("kLoadIssue_transactMissing")).arg(QString::fromUtf8(key.c_str())));
        return std::nullopt;
    }
    return XML_load_transact_from_record(record, issues);
}

bool saveDataTransact(const QString& packageURL, DOCUMENT& doc)
{
    QString resources;
    if (!packageResourcesURL(packageURL, &resources))
        return false;
    // One record's tree at a time: the whole list's would weigh several times the file.
    XmlListWriter writer(QDir(resources).filePath(QString::fromLatin1(kTransactFileName)), QStringLiteral("list"));
    if (!writer.open())
        return false;
    for (TRANSACT& t : doc.transact_array) {
        // A record that could not be written whole is still the best the file can hold.
        XML_append_transact_to_record(writer.beginRecord("transact"), t, doc.deviseHdl);
        if (!writer.endRecord())
            return false;
    }
    return writer.commit();
}

TransactList loadDataTransact(const QString& packageURL, LoadIssues* issues)
{
    TransactList list;
    QString resources;
    if (!packageResourcesURL(packageURL, &resources))
        return list;
    if (issues)
        issues->setMember(QString::fromLatin1(kTransactFileName));
    // Record by record: the file's tree would weigh several times the file.
    forEachXmlRecordInFile(
        QDir(resources).filePath(QString::fromLatin1(kTransactFileName)),
        [&](pugi::xml_node record) {
            if (issues)
                issues->setRecord(list.size() + 1);
            list.append(XML_load_transact_from_record(record, issues));
        },
        [&list](qsizetype count) { list.reserve(count); }, issues);
    return list;
}
