#include "xmlmember.h"
#include "xmlwrite_p.h"

#include "LoadIssues.h"
#include "MemberFileOutput.h"
#include "dates.h"
#include "fileerrors.h"
#include "localized.h"
#include "pstr.h"
#include "xmlfileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale.h>
#include <optional>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace {

// The reason of the last failed member write of this thread.
thread_local int g_lastWriteError = 0;

// ---- Writing helpers --------------------------------------------------------------------------

pugi::xml_node appendText(pugi::xml_node parent, const char* name, const char* text, size_t length, bool cdata)
{
    pugi::xml_node element = parent.append_child(name);
    if (element)
        element.append_child(cdata ? pugi::node_cdata : pugi::node_pcdata).set_value(text, length);
    return element;
}

pugi::xml_node appendText(pugi::xml_node parent, const char* name, const QString& text, bool cdata)
{
    const QByteArray utf8 = text.toUtf8();
    return appendText(parent, name, utf8.constData(), static_cast<size_t>(utf8.size()), cdata);
}

template <typename Int> pugi::xml_node appendInteger(pugi::xml_node parent, const char* name, Int value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return appendText(parent, name, buffer, static_cast<size_t>(end - buffer), false);
}

// pugixml writes a carriage return in text as the raw byte, which any reader that normalises line
// ends turns into a line feed. The bytes go to the file with it as the character reference
// instead: "&#13;" in plain text, and in a CDATA section (where references mean nothing) the
// section is closed around the reference. Serialised markup has no other raw CR than text and
// processing instructions.
class CrEscaper {
public:
    // bytes: whole markup (elements complete), as pugixml serialised it.
    void escape(const char* bytes, size_t size, std::string& out)
    {
        size_t start = 0;
        for (size_t i = 0; i < size; ++i) {
            if (bytes[i] == '\r' && m_state != State::Pi) {
                out.append(bytes + start, i - start);
                out.append(m_state == State::Cdata ? "]]>&#13;<![CDATA[" : "&#13;");
                start = i + 1;
                m_matched = 0;
            } else {
                advance(bytes[i]);
            }
        }
        out.append(bytes + start, size - start);
    }

private:
    enum class State { Markup, Cdata, Pi };

    // Follows the start and end markers of CDATA sections and processing instructions; m_matched
    // counts the characters of the marker seen so far.
    void advance(char c)
    {
        static constexpr char cdataStart[] = "<![CDATA[";
        switch (m_state) {
        case State::Markup:
            if (m_matched == 1 && c == '?') {
                enter(State::Pi);
            } else if (c == cdataStart[m_matched]) {
                if (++m_matched == sizeof cdataStart - 1)
                    enter(State::Cdata);
            } else {
                m_matched = c == '<' ? 1 : 0;
            }
            break;
        case State::Cdata:
            if (c == '>' && m_matched == 2)
                enter(State::Markup);
            else
                m_matched = c == ']' ? std::min<size_t>(m_matched + 1, 2) : 0;
            break;
        case State::Pi:
            if (c == '>' && m_matched == 1)
                enter(State::Markup);
            else
                m_matched = c == '?' ? 1 : 0;
            break;
        }
    }

    void enter(State state)
    {
        m_state = state;
        m_matched = 0;
    }

    State m_state = State::Markup;
    size_t m_matched = 0;
};

} // namespace

bool needsCdata(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == u'"' || u == u'&' || u == u'\'' || u == u'<' || u == u'>';
    });
}

// printf "%.nf" without the locale: to_chars gives the same correctly rounded digits. Answers the
// length written into buffer.
size_t fixedText(double value, int decimals, FixedBuffer& buffer)
{
    if (value == 0.0 || !std::isfinite(value)) {
        buffer[0] = '0';
        return 1;
    }
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return static_cast<size_t>(result.ptr - buffer.data());
}

// Almost no text holds a CR: such markup is copied without following its sections byte by byte.
void appendEscapingCr(std::string& out, const char* bytes, size_t size)
{
    if (!std::memchr(bytes, '\r', size))
        out.append(bytes, size);
    else
        CrEscaper().escape(bytes, size, out);
}

void appendSerialised(pugi::xml_node node, std::string& scratch, std::string& out)
{
    scratch.clear();
    StringWriter writer(scratch);
    node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    appendEscapingCr(out, scratch.data(), scratch.size());
}

namespace {

// ---- Reading helpers --------------------------------------------------------------------------

bool isText(pugi::xml_node node)
{
    const pugi::xml_node_type type = node.type();
    return type == pugi::node_pcdata || type == pugi::node_cdata;
}

// The run of text and CDATA nodes starting at `first`, as a NUL-terminated UTF-8 string; null when
// missing or empty. `joined` holds the text when the run has several nodes.
const char* textRun(pugi::xml_node first, std::string& joined)
{
    if (!isText(first))
        return nullptr;
    pugi::xml_node next = first.next_sibling();
    if (!isText(next))
        return *first.value() ? first.value() : nullptr;
    joined = first.value();
    for (; isText(next); next = next.next_sibling())
        joined += next.value();
    return joined.empty() ? nullptr : joined.c_str();
}

const char* nodeText(pugi::xml_node node, std::string& joined)
{
    return textRun(node.type() == pugi::node_element ? node.first_child() : node, joined);
}

const char* fieldText(pugi::xml_node element, const XmlName& name, std::string& joined)
{
    return nodeText(xmlFirstElementNamed(element, name), joined);
}

const char* skipSpaces(const char* s)
{
    while (*s == ' ' || (*s >= '\t' && *s <= '\r'))
        ++s;
    return s;
}

// Leading decimal integer, held at the int64 bounds when too long.
int64_t parseInteger(const char* s)
{
    s = skipSpaces(s);
    const bool negative = *s == '-';
    if (*s == '-' || *s == '+')
        ++s;
    // Accumulated as a negative number, whose range covers INT64_MIN.
    constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
    int64_t value = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        const int digit = *s - '0';
        if (value < (lowest + digit) / 10) {
            value = lowest;
            break;
        }
        value = value * 10 - digit;
    }
    if (!negative)
        return value == lowest ? std::numeric_limits<int64_t>::max() : -value;
    return value;
}

int32_t clampToInt32(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool parseBool(const char* s)
{
    s = skipSpaces(s);
    if (*s == '-' || *s == '+')
        ++s;
    while (*s == '0')
        ++s;
    return *s == 'Y' || *s == 'y' || *s == 'T' || *s == 't' || (*s >= '1' && *s <= '9');
}

// Leading decimal floating-point number in the C locale; 0 when there is none. Hexadecimal forms
// aren't numbers of these files: "0x10" reads as its leading 0.
double parseDouble(const char* s)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    s = skipSpaces(s);
    const char* digits = (*s == '-' || *s == '+') ? s + 1 : s;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        return 0.0;
    return strtod_l(s, nullptr, cLocale);
}

bool hasLeadingNumber(const char* s)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    s = skipSpaces(s);
    char* end = nullptr;
    strtod_l(s, &end, cLocale);
    return end != s;
}

// The text as one finite decimal number whole (white space aside); none for anything else.
std::optional<double> wholeNumber(const char* s)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const char* start = skipSpaces(s);
    const char* digits = (*start == '-' || *start == '+') ? start + 1 : start;
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(start, &end, cLocale);
    if (end == start || !std::isfinite(value) || *skipSpaces(end) != '\0')
        return std::nullopt;
    return value;
}

void copyPascalString(const unsigned char* source, unsigned char* buffer, int size)
{
    if (!buffer || size < 1)
        return;
    const int length = source ? std::min<int>(source[0], size - 1) : 0;
    // The default may be the buffer itself.
    std::memmove(buffer + 1, source ? source + 1 : buffer + 1, static_cast<size_t>(length));
    buffer[0] = static_cast<unsigned char>(length);
}

void textToPascalString(const char* text, unsigned char* buffer, int size, const unsigned char* defaultValue)
{
    if (!buffer || size < 1)
        return;
    Str255 fallback {};
    if (defaultValue)
        std::memcpy(fallback.data(), defaultValue, static_cast<size_t>(defaultValue[0]) + 1);
    if (text)
        nsStringToPstr(QString::fromUtf8(text), buffer, size);
    // The text is never empty here, so an empty result means a character MacRoman lacks.
    if (!text || (buffer[0] == 0 && size > 1))
        copyPascalString(fallback.data(), buffer, size);
}

bool makeFolder(const QString& path, int* error)
{
    if (QFileInfo(path).isDir())
        return true;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
        return true;
    if (error)
        *error = errno;
    return false;
}

} // namespace

// ---- Writing ----------------------------------------------------------------------------------

XmlDocPtr xmlCreateDocument(const QString& rootName, pugi::xml_node* root)
{
    if (root)
        *root = pugi::xml_node();
    if (rootName.isEmpty())
        return nullptr;
    auto document = std::make_unique<pugi::xml_document>();
    pugi::xml_node declaration = document->append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
    const pugi::xml_node element = document->append_child(rootName.toUtf8().constData());
    if (!element)
        return nullptr;
    if (root)
        *root = element;
    return document;
}

XmlDocPtr newXMLDocumentWithRoot(const QString& rootName, pugi::xml_node* root)
{
    return xmlCreateDocument(rootName, root);
}

pugi::xml_node xmlAddChildWithText(pugi::xml_node parent, const XmlName& name, const std::optional<QString>& text,
                                   bool cdata)
{
    if (!text)
        return parent.append_child(name.c_str());
    return appendText(parent, name.c_str(), *text, cdata);
}

pugi::xml_node xmlAppendElement(pugi::xml_node parent, const XmlName& name)
{
    return parent.append_child(name.c_str());
}

pugi::xml_node xmlAppendString(pugi::xml_node parent, const XmlName& name, const QString& text)
{
    return appendText(parent, name.c_str(), text, needsCdata(text));
}

pugi::xml_node xmlAppendPascalString(pugi::xml_node parent, const XmlName& name, const unsigned char* pstr)
{
    return xmlAppendString(parent, name, pstrToNSString(pstr));
}

pugi::xml_node xmlAppendInt(pugi::xml_node parent, const XmlName& name, int32_t value)
{
    return appendInteger(parent, name.c_str(), value);
}

pugi::xml_node xmlAppendLong(pugi::xml_node parent, const XmlName& name, int64_t value)
{
    return appendInteger(parent, name.c_str(), value);
}

pugi::xml_node xmlAppendInteger(pugi::xml_node parent, const XmlName& name, int64_t value)
{
    return appendInteger(parent, name.c_str(), value);
}

pugi::xml_node xmlAppendBool(pugi::xml_node parent, const XmlName& name, bool value)
{
    return appendText(parent, name.c_str(), value ? "1" : "0", 1, false);
}

pugi::xml_node xmlAppendDouble(pugi::xml_node parent, const XmlName& name, int decimals, double value)
{
    FixedBuffer text; // not cleared: only the length written is read
    return appendText(parent, name.c_str(), text.data(), fixedText(value, decimals, text), false);
}

pugi::xml_node xmlAppendFloat(pugi::xml_node parent, const XmlName& name, int decimals, float value)
{
    return xmlAppendDouble(parent, name, decimals, static_cast<double>(value));
}

// ---- Reading ----------------------------------------------------------------------------------

pugi::xml_node xmlFirstElementNamed(pugi::xml_node element, const XmlName& name)
{
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::strcmp(child.name(), name.c_str()) == 0)
            return child;
    }
    return pugi::xml_node();
}

pugi::xml_node xmlFirstChild(pugi::xml_node element, const XmlName& name)
{
    return xmlFirstElementNamed(element, name);
}

const char* xmlElementText(pugi::xml_node element, std::string& joined)
{
    return textRun(element.first_child(), joined);
}

bool xmlChildObjectValue(pugi::xml_node element, const XmlName& name, QString* value)
{
    std::string joined;
    const char* text = fieldText(element, name, joined);
    if (value)
        *value = text ? QString::fromUtf8(text) : QString();
    return text != nullptr;
}

QString xmlGetMutableString(pugi::xml_node element, const XmlName& name)
{
    std::string joined;
    const char* text = fieldText(element, name, joined);
    return text ? QString::fromUtf8(text) : QStringLiteral("");
}

void xmlGetPascalString(pugi::xml_node element, const XmlName& name, unsigned char* buffer, int size,
                        const unsigned char* defaultValue)
{
    std::string joined;
    textToPascalString(fieldText(element, name, joined), buffer, size, defaultValue);
}

int32_t xmlGetInt(pugi::xml_node element, const XmlName& name, int32_t defaultValue)
{
    std::string joined;
    const char* text = fieldText(element, name, joined);
    return text ? clampToInt32(parseInteger(text)) : defaultValue;
}

int64_t xmlGetInt32(pugi::xml_node element, const XmlName& name, int64_t defaultValue)
{
    std::string joined;
    const char* text = fieldText(element, name, joined);
    return text ? clampToInt32(parseInteger(text)) : defaultValue;
}

int64_t xmlGetLong(pugi::xml_node element, const XmlName& name, int64_t defaultValue)
{
    std::string joined;
    const char* text = fieldText(element, name, joined);
    return text ? parseInteger(text) : defaultValue;
}

bool xmlGetBool(pugi::xml_node element, const XmlName& name, bool defaultValue)
{
    std::string joined;
    const char* text = fieldText(element, name, joined);
    return text ? parseBool(text) : defaultValue;
}

double xmlGetDouble(pugi::xml_node element, const XmlName& name, double defaultValue)
{
    return xmlNodeDoubleValue(xmlFirstElementNamed(element, name), defaultValue);
}

float xmlGetFloat(pugi::xml_node element, const XmlName& name, float defaultValue)
{
    const double value = xmlGetDouble(element, name, std::numeric_limits<double>::quiet_NaN());
    if (std::isnan(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return defaultValue;
    return static_cast<float>(value);
}

int64_t xmlNodeIntegerValue(pugi::xml_node node, int64_t defaultValue)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    return text ? parseInteger(text) : defaultValue;
}

double xmlNodeDoubleValue(pugi::xml_node node, double defaultValue)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    if (!text)
        return defaultValue;
    const double value = parseDouble(text);
    return std::isfinite(value) ? value : defaultValue;
}

bool xmlNodeValueIsNumber(pugi::xml_node node)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    return !text || hasLeadingNumber(text);
}

bool xmlNodeValueIsWholeNumber(pugi::xml_node node)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    return !text || wholeNumber(text).has_value();
}

bool xmlNodeValueIsDate(pugi::xml_node node)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    if (!text)
        return true;
    const std::optional<double> value = wholeNumber(text);
    return value && isDateWithinCalendarYears(*value);
}

double xmlNodeDateValue(pugi::xml_node node, double defaultValue)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    const std::optional<double> value = text ? wholeNumber(text) : std::nullopt;
    return value && isDateWithinCalendarYears(*value) ? *value : defaultValue;
}

double xmlGetDate(pugi::xml_node element, const XmlName& name, double defaultValue)
{
    return xmlNodeDateValue(xmlFirstElementNamed(element, name), defaultValue);
}

std::optional<double> xmlNodeReadDate(pugi::xml_node node, double defaultValue)
{
    std::string joined;
    const char* text = nodeText(node, joined);
    if (!text)
        return defaultValue;
    const std::optional<double> value = wholeNumber(text);
    if (value && isDateWithinCalendarYears(*value))
        return value;
    return std::nullopt;
}

std::optional<double> xmlReadDate(pugi::xml_node element, const XmlName& name, double defaultValue)
{
    return xmlNodeReadDate(xmlFirstElementNamed(element, name), defaultValue);
}

QString unreadableDateText(pugi::xml_node element, const XmlName& name, const QString& replacement)
{
    const QString field = QString::fromUtf8(name.c_str());
    const QString text = xmlStrayText(xmlFirstElementNamed(element, name).first_child());
    return localizedDialogue(QStringLiteral("kLoadIssue_dateUnread")).arg(field, text, replacement);
}

void noteUnreadableDate(LoadIssues* issues, pugi::xml_node element, const XmlName& name, const QString& replacement)
{
    if (issues)
        issues->note(unreadableDateText(element, name, replacement));
}

QString unreadDateWords(UnreadDate fallback)
{
    return localizedDialogue(fallback == UnreadDate::Today ? QStringLiteral("kLoadIssue_dateAsToday")
                                                           : QStringLiteral("kLoadIssue_dateAsNone"));
}

double xmlGetDate(pugi::xml_node element, const XmlName& name, double defaultValue, UnreadDate fallback,
                  LoadIssues* issues)
{
    if (const std::optional<double> date = xmlReadDate(element, name, defaultValue))
        return *date;
    noteUnreadableDate(issues, element, name, unreadDateWords(fallback));
    return fallback == UnreadDate::Today ? dateNow() : 0.0;
}

void xmlNodePascalString(pugi::xml_node node, unsigned char* buffer, int size, const unsigned char* defaultValue)
{
    std::string joined;
    textToPascalString(nodeText(node, joined), buffer, size, defaultValue);
}

QString xmlStrayText(pugi::xml_node node)
{
    constexpr qsizetype kShown = 40;
    if (node.type() == pugi::node_element)
        return QLatin1Char('<') + QString::fromUtf8(node.name()) + QLatin1Char('>');
    std::string joined;
    const char* text = nodeText(node, joined);
    QString shown = QString::fromUtf8(text ? text : node.value()).simplified();
    if (shown.size() > kShown)
        shown = shown.left(kShown) + QChar(0x2026);
    return shown;
}

void noteStrayNode(LoadIssues* issues, pugi::xml_node node, long recordBefore)
{
    if (!issues)
        return;
    const QString shown = xmlStrayText(node);
    issues->setRecord(recordBefore);
    issues->note(recordBefore > 0 ? localizedDialogue(QStringLiteral("kLoadIssue_strayAfter")).arg(shown)
                                  : localizedDialogue(QStringLiteral("kLoadIssue_strayBefore")).arg(shown));
}

// ---- Files ------------------------------------------------------------------------------------

bool packageResourcesURL(const QString& package, QString* resources)
{
    if (resources)
        resources->clear();
    if (package.isEmpty())
        return false;
    if (resources)
        *resources = QDir(package).filePath(QStringLiteral("Contents/Resources"));
    return true;
}

bool createPackageResources(const QString& package, QString* resources, int* error)
{
    if (error)
        *error = 0;
    QString path;
    if (!packageResourcesURL(package, &path)) {
        if (error)
            *error = EINVAL;
        return false;
    }
    if (resources)
        *resources = path;
    return makeFolder(QDir(package).filePath(QStringLiteral("Contents")), error) && makeFolder(path, error);
}

bool saveXMLInPackage(const QString& package, const pugi::xml_document* document, const QString& fileName)
{
    QString resources;
    if (!packageResourcesURL(package, &resources)) {
        g_lastWriteError = EINVAL;
        return false;
    }
    if (memberFileState(package, fileName) == MemberFileState::LinkedFolder) {
        g_lastWriteError = ELOOP;
        return false;
    }
    return writeXMLToURL(QDir(resources).filePath(fileName), document);
}

bool writeXMLToURL(const QString& path, const pugi::xml_document* document)
{
    g_lastWriteError = EINVAL;
    if (path.isEmpty() || !document || !document->first_child())
        return false;
    g_lastWriteError = refusedWriteTarget(path);
    if (g_lastWriteError != 0)
        return false;
    MemberFileOutput file(path);
    if (!file.open(&g_lastWriteError))
        return false;
    std::string raw;
    StringWriter writer(raw);
    document->save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    // Almost no member holds a CR: its bytes then go out as pugixml wrote them, with no copy.
    std::string escaped;
    if (raw.find('\r') != std::string::npos)
        CrEscaper().escape(raw.data(), raw.size(), escaped);
    const std::string& bytes = escaped.empty() ? raw : escaped;
    // A failed write leaves the previous version (or nothing, staged) in place.
    if (!file.write(bytes.data(), static_cast<qint64>(bytes.size()), &g_lastWriteError)
        || !file.commit(&g_lastWriteError))
        return false;
    g_lastWriteError = 0;
    return true;
}

int xmlLastWriteError()
{
    return g_lastWriteError;
}

void setXmlLastWriteError(int error)
{
    g_lastWriteError = error;
}

QByteArray xmlDocumentBytes(const pugi::xml_document* document)
{
    if (!document || !document->first_child())
        return QByteArray();
    std::string raw;
    StringWriter writer(raw);
    document->save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    std::string escaped;
    appendEscapingCr(escaped, raw.data(), raw.size());
    return QByteArray(escaped.data(), static_cast<qsizetype>(escaped.size()));
}

namespace {

long lineAt(const QByteArray& bytes, std::ptrdiff_t offset)
{
    const auto upTo = std::clamp<qsizetype>(offset, 0, bytes.size());
    return 1 + static_cast<long>(std::count(bytes.cbegin(), bytes.cbegin() + upTo, '\n'));
}

QString damageReason(pugi::xml_parse_status status, bool cutShort)
{
    if (cutShort)
        return localizedDialogue(QStringLiteral("kLoadIssue_xmlCutShort"));
    switch (status) {
    case pugi::status_end_element_mismatch:
        return localizedDialogue(QStringLiteral("kLoadIssue_xmlMismatch"));
    case pugi::status_bad_start_element:
    case pugi::status_bad_attribute:
    case pugi::status_bad_end_element:
    case pugi::status_unrecognized_tag:
        return localizedDialogue(QStringLiteral("kLoadIssue_xmlTag"));
    case pugi::status_bad_pi:
    case pugi::status_bad_comment:
    case pugi::status_bad_cdata:
    case pugi::status_bad_doctype:
    case pugi::status_bad_pcdata:
        return localizedDialogue(QStringLiteral("kLoadIssue_xmlText"));
    case pugi::status_ok:
    case pugi::status_file_not_found:
    case pugi::status_io_error:
    case pugi::status_out_of_memory:
    case pugi::status_internal_error:
    case pugi::status_append_invalid_root:
    case pugi::status_no_document_element:
        break;
    }
    return localizedDialogue(QStringLiteral("kLoadIssue_xmlOther"));
}

// The position of a node's '<' in the bytes it was parsed from; -1 when unknown.
std::ptrdiff_t tagStart(pugi::xml_node node)
{
    const std::ptrdiff_t name = node.offset_debug();
    return name >= 1 ? name - 1 : -1;
}

// Where the file stops in the middle of a tag or an element: nothing of markup follows.
bool cutShortAt(const QByteArray& bytes, std::ptrdiff_t offset)
{
    return bytes.indexOf('<', offset + 1) < 0 && bytes.indexOf('>', offset + 1) < 0;
}

// The record the damage lies in, from 1: the one after the records complete before it. A file
// cut short is damaged at its end, whatever position pugixml gives.
long damagedRecord(pugi::xml_node root, const QByteArray& bytes, std::ptrdiff_t offset)
{
    const char* data = bytes.constData();
    const std::ptrdiff_t at = cutShortAt(bytes, offset) ? bytes.size() : offset;
    long complete = 0;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || tagStart(child) < 0 || tagStart(child) >= at)
            continue;
        const char* end = xmlElementEnd(data + tagStart(child), data + bytes.size());
        if (end && end - data <= at)
            ++complete;
    }
    return complete + 1;
}

// Damage after the root element's end (the nameless processing instruction some files end with)
// costs no data.
bool afterRoot(pugi::xml_node root, const QByteArray& bytes, std::ptrdiff_t offset)
{
    if (tagStart(root) < 0)
        return false;
    const char* data = bytes.constData();
    const char* end = xmlElementEnd(data + tagStart(root), data + bytes.size());
    return end && offset >= end - data;
}

// A file that holds nothing but white space is an empty list, not a damaged one.
void noteNoRoot(LoadIssues* issues, const QByteArray& bytes)
{
    if (!issues || bytes.trimmed().isEmpty())
        return;
    issues->setRecord(0);
    issues->noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_noRoot")));
}

} // namespace

void noteXmlDamage(LoadIssues* issues, long record, const QByteArray& bytes, std::ptrdiff_t offset,
                   pugi::xml_parse_status status)
{
    if (!issues)
        return;
    const bool cutShort = status == pugi::status_end_element_mismatch && cutShortAt(bytes, offset);
    issues->setRecord(record);
    issues->noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_xml"))
                           .arg(QString::number(lineAt(bytes, offset)), damageReason(status, cutShort)));
}

void noteInvalidUtf8(LoadIssues* issues, long record, const QByteArray& bytes, std::ptrdiff_t offset)
{
    if (!issues)
        return;
    issues->setRecord(record);
    issues->note(localizedDialogue(QStringLiteral("kLoadIssue_utf8")).arg(lineAt(bytes, offset)));
}

bool loadXMLDocumentFromURL(const QString& path, XmlDocPtr* document, LoadIssues* issues)
{
    if (document)
        document->reset();
    QByteArray bytes;
    if (path.isEmpty() || !document || !readMemberFile(path, &bytes, issues))
        return false;
    auto loaded = std::make_unique<pugi::xml_document>();
    // pugixml keeps what it parsed before an error, which is the tolerance wanted here: a file cut
    // short keeps its complete records, and the nameless processing instruction some files end
    // with (which pugixml rejects) costs nothing.
    const pugi::xml_parse_result parsed
        = loaded->load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()), kLoadOptions, pugi::encoding_auto);
    const pugi::xml_node root = loaded->document_element();
    if (!root) {
        noteNoRoot(issues, bytes);
        return false;
    }
    if (!parsed && issues && !afterRoot(root, bytes, parsed.offset))
        noteXmlDamage(issues, damagedRecord(root, bytes, parsed.offset), bytes, parsed.offset, parsed.status);
    if (const qsizetype bad = issues && xmlBytesAreUtf8(bytes) ? invalidUtf8At(bytes) : -1; bad >= 0)
        noteInvalidUtf8(issues, damagedRecord(root, bytes, bad), bytes, bad);
    *document = std::move(loaded);
    return true;
}

pugi::xml_node loadXMLRootFromURL(const QString& path, XmlDocPtr* document, LoadIssues* issues)
{
    if (!loadXMLDocumentFromURL(path, document, issues))
        return pugi::xml_node();
    return (*document)->document_element();
}

pugi::xml_node loadXMLFromPackage(const QString& package, const QString& fileName, XmlDocPtr* document,
                                  LoadIssues* issues)
{
    if (document)
        document->reset();
    if (issues)
        issues->setMember(fileName);
    QString resources;
    if (!packageResourcesURL(package, &resources))
        return pugi::xml_node();
    if (memberFileState(package, fileName) == MemberFileState::LinkedFolder) {
        if (issues)
            issues->noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_linkedFolder")));
        return pugi::xml_node();
    }
    return loadXMLRootFromURL(QDir(resources).filePath(fileName), document, issues);
}
