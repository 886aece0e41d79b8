#include "xmllist.h"

#include "xmlwrite_p.h"

#include <QFile>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

// ---- Long lists -------------------------------------------------------------------------------

XmlListWriter::XmlListWriter(const QString& path, const QString& rootName)
    : m_file(path)
    , m_rootName(rootName.toUtf8())
{
}

bool XmlListWriter::open()
{
    m_tree = xmlCreateDocument(QString::fromUtf8(m_rootName), &m_root);
    if (m_file.fileName().isEmpty() || !m_tree || !m_file.open(QIODevice::WriteOnly))
        return false;
    appendSerialised(m_tree->first_child(), m_recordBytes, m_pending);
    m_open = true;
    return true;
}

pugi::xml_node XmlListWriter::beginRecord(const XmlName& name)
{
    if (!m_open)
        return pugi::xml_node();
    // The record's memory goes back to the tree's pages, which the next record reuses.
    if (m_record)
        m_root.remove_child(m_record);
    m_record = m_root.append_child(name.c_str());
    return m_record;
}

bool XmlListWriter::endRecord()
{
    if (!m_open || !m_record)
        return false;
    if (!m_hasRecords) {
        m_pending += '<' + m_rootName.toStdString() + '>';
        m_hasRecords = true;
    }
    appendSerialised(m_record, m_recordBytes, m_pending);
    if (m_pending.size() >= (size_t(1) << 20))
        flush();
    return !m_failed;
}

bool XmlListWriter::commit()
{
    if (!m_open)
        return false;
    m_open = false;
    if (m_hasRecords) {
        m_pending += "</" + m_rootName.toStdString() + '>';
    } else {
        // As pugixml writes an empty element.
        appendSerialised(m_root, m_recordBytes, m_pending);
    }
    flush();
    if (m_failed) {
        m_file.cancelWriting();
        return false;
    }
    return m_file.commit();
}

void XmlListWriter::flush()
{
    const auto size = static_cast<qint64>(m_pending.size());
    if (size > 0 && m_file.write(m_pending.data(), size) != size)
        m_failed = true;
    m_pending.clear();
}

namespace
{

bool startsWith(const char* p, const char* end, std::string_view literal)
{
    return static_cast<size_t>(end - p) >= literal.size() && std::memcmp(p, literal.data(), literal.size()) == 0;
}

// Just after the first terminator at or after p; null when there is none.
const char* after(const char* p, const char* end, std::string_view terminator)
{
    const size_t at = std::string_view(p, static_cast<size_t>(end - p)).find(terminator);
    return at == std::string_view::npos ? nullptr : p + at + terminator.size();
}

bool isNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

// Just after the '>' ending the tag that starts at p, quoted attribute values skipped.
const char* tagEnd(const char* p, const char* end)
{
    for (char quote = 0; p < end; ++p) {
        if (quote) {
            if (*p == quote)
                quote = 0;
        } else if (*p == '>') {
            return p + 1;
        } else if (*p == '"' || *p == '\'') {
            quote = *p;
        }
    }
    return nullptr;
}

// Just after the comment, CDATA section or processing instruction at p; null for anything else.
const char* afterSpecial(const char* p, const char* end)
{
    if (startsWith(p, end, "<!--"))
        return after(p + 4, end, "-->");
    if (startsWith(p, end, "<![CDATA["))
        return after(p + 9, end, "]]>");
    if (startsWith(p, end, "<?") && p + 2 < end && isNameStart(p[2]))
        return after(p + 2, end, "?>");
    return nullptr;
}

const char* nextMarkup(const char* p, const char* end)
{
    return static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(end - p)));
}

// Just after the element starting at p and all it holds. Null when it is cut short or holds what
// this scan doesn't know: pugixml then judges the rest of the file.
const char* elementEnd(const char* p, const char* end)
{
    for (int depth = 0; p; p = nextMarkup(p, end)) {
        if (p[1] == '/') {
            p = tagEnd(p, end);
            if (!p || --depth == 0)
                return p;
        } else if (isNameStart(p[1])) {
            const char* close = tagEnd(p, end);
            if (!close || (close[-2] == '/' && depth == 0))
                return close;
            depth += close[-2] == '/' ? 0 : 1;
            p = close;
        } else if (!(p = afterSpecial(p, end))) {
            return nullptr;
        }
    }
    return nullptr;
}

// A declaration naming another encoding than UTF-8 is left to pugixml's conversions.
bool declaresOtherEncoding(const char* p, const char* end)
{
    const char* close = after(p, end, "?>");
    const QByteArray declaration = QByteArray(p, close ? close - p : end - p).toLower();
    return declaration.contains("encoding") && !declaration.contains("utf-8") && !declaration.contains("utf8");
}

// Just after the root's start tag, with *emptyRoot; null when the prolog holds what only a whole
// parse should judge (another encoding, a document type, damage).
const char* listContent(const char* p, const char* end, bool* emptyRoot)
{
    if (startsWith(p, end, "\xEF\xBB\xBF"))
        p += 3;
    for (;;) {
        while (p < end && std::strchr(" \t\r\n", *p) && *p)
            ++p;
        if (startsWith(p, end, "<?xml") && declaresOtherEncoding(p, end))
            return nullptr;
        if (!startsWith(p, end, "<") || !isNameStart(p[1])) {
            if (!(p = afterSpecial(p, end)))
                return nullptr;
            continue;
        }
        const char* content = tagEnd(p, end);
        if (content)
            *emptyRoot = content[-2] == '/';
        return content;
    }
}

struct RecordSlice {
    char* begin;
    size_t size;
};

// Each element child of the root, as its own bytes; whatever can't be split goes whole to the
// last slice. The buffer ends with a NUL, so looking one byte past `end` is safe.
std::vector<RecordSlice> splitRecords(char* p, char* end)
{
    std::vector<RecordSlice> slices;
    while (char* open = const_cast<char*>(nextMarkup(p, end))) {
        if (open[1] == '/')
            break;
        const bool element = isNameStart(open[1]);
        char* next = const_cast<char*>(element ? elementEnd(open, end) : afterSpecial(open, end));
        if (!next) {
            slices.push_back({open, static_cast<size_t>(end - open)});
            break;
        }
        if (element)
            slices.push_back({open, static_cast<size_t>(next - open)});
        p = next;
    }
    return slices;
}

bool forEachRecordOfWholeTree(const QString& path, const std::function<void(pugi::xml_node)>& visit,
                              const std::function<void(qsizetype)>& expectedCount)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLRootFromURL(path, &document);
    if (!root)
        return false;
    if (expectedCount)
        expectedCount(std::distance(root.children().begin(), root.children().end()));
    for (pugi::xml_node child : root.children()) {
        if (child.type() == pugi::node_element)
            visit(child);
    }
    return true;
}

} // namespace

bool forEachXmlRecordInFile(const QString& path, const std::function<void(pugi::xml_node)>& visit,
                            const std::function<void(qsizetype)>& expectedCount)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size) + 1]);
    if (file.read(buffer.get(), size) != size)
        return false;
    buffer[static_cast<size_t>(size)] = '\0';
    bool emptyRoot = false;
    char* content = const_cast<char*>(listContent(buffer.get(), buffer.get() + size, &emptyRoot));
    if (!content) {
        buffer.reset();
        return forEachRecordOfWholeTree(path, visit, expectedCount);
    }
    const std::vector<RecordSlice> slices
        = emptyRoot ? std::vector<RecordSlice>() : splitRecords(content, buffer.get() + size);
    if (expectedCount)
        expectedCount(static_cast<qsizetype>(slices.size()));
    // Each record's tree points into the buffer, parsed in place; a parse error ends the list, as
    // it ends a whole parse, once what came before it was visited.
    pugi::xml_document record;
    for (const RecordSlice& slice : slices) {
        const pugi::xml_parse_result parsed
            = record.load_buffer_inplace(slice.begin, slice.size, kLoadOptions, pugi::encoding_utf8);
        for (pugi::xml_node child = record.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element)
                visit(child);
        }
        if (!parsed)
            break;
    }
    return true;
}
