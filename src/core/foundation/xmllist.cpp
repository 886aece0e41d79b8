#include "xmllist.h"
#include "xmlfileaccess.h"

#include "xmlwrite_p.h"

#include "LoadIssues.h"

#include <QFile>
#include <cerrno>
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
    setXmlLastWriteError(EINVAL);
    if (m_file.path().isEmpty() || !m_tree)
        return false;
    const int refused = refusedWriteTarget(m_file.path());
    setXmlLastWriteError(refused);
    if (refused != 0)
        return false;
    int error = 0;
    if (!m_file.open(&error)) {
        setXmlLastWriteError(error);
        return false;
    }
    appendSerialised(m_tree->first_child(), m_recordBytes, m_pending);
    m_open = true;
    return true;
}

XmlStreamNode XmlListWriter::beginRecord(const XmlName& name)
{
    if (!m_open)
        return XmlStreamNode();
    m_stream.finish();
    m_recordBytes.clear();
    return m_stream.begin(name);
}

bool XmlListWriter::endRecord()
{
    if (!m_open)
        return false;
    m_stream.finish();
    openList();
    appendEscapingCr(m_pending, m_recordBytes.data(), m_recordBytes.size());
    flushWhenFull();
    return !m_failed;
}

void XmlListWriter::openList()
{
    if (!m_hasRecords) {
        m_pending += '<' + m_rootName.toStdString() + '>';
        m_hasRecords = true;
    }
}

void XmlListWriter::flushWhenFull()
{
    if (m_pending.size() >= (size_t(1) << 20))
        flush();
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
    int error = 0;
    if (m_failed || !m_file.commit(&error)) {
        if (!m_failed)
            setXmlLastWriteError(error);
        m_file.cancel();
        return false;
    }
    setXmlLastWriteError(0);
    return true;
}

void XmlListWriter::flush()
{
    int error = 0;
    if (!m_pending.empty() && !m_failed
        && !m_file.write(m_pending.data(), static_cast<qint64>(m_pending.size()), &error)) {
        m_failed = true;
        setXmlLastWriteError(error);
    }
    m_pending.clear();
}

namespace {

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

// The element name starting at p.
std::string_view nameAt(const char* p, const char* end)
{
    const char* q = p;
    while (q < end && !std::strchr(" \t\r\n/>", *q))
        ++q;
    return std::string_view(p, static_cast<size_t>(q - p));
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
        } else {
            p = afterSpecial(p, end);
            if (!p)
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

// Just after the root's start tag, with *emptyRoot and the root's name; null when the prolog
// holds what only a whole parse should judge (another encoding, a document type, damage).
const char* listContent(const char* p, const char* end, bool* emptyRoot, std::string_view* rootName)
{
    if (startsWith(p, end, "\xEF\xBB\xBF"))
        p += 3;
    for (;;) {
        while (p < end && std::strchr(" \t\r\n", *p) && *p)
            ++p;
        if (startsWith(p, end, "<?xml") && declaresOtherEncoding(p, end))
            return nullptr;
        if (!startsWith(p, end, "<") || !isNameStart(p[1])) {
            p = afterSpecial(p, end);
            if (!p)
                return nullptr;
            continue;
        }
        const char* content = tagEnd(p, end);
        if (content) {
            *emptyRoot = content[-2] == '/';
            *rootName = nameAt(p + 1, content);
        }
        return content;
    }
}

struct RecordSlice {
    char* begin;
    size_t size;
};

// How the root's content ends after its records.
enum class ListEnd {
    Closed, // its own end tag
    Rest, // the last slice holds the rest of the file: its parse judges it
    CutShort, // the file ends
    Stray, // another end tag
};

struct RecordSlices {
    std::vector<RecordSlice> slices;
    ListEnd end = ListEnd::Closed;
    const char* endAt = nullptr; // where a CutShort or Stray end lies
};

// Each element child of the root, as its own bytes; whatever can't be split goes whole to the
// last slice. The buffer ends with a NUL, so looking one byte past `end` is safe.
RecordSlices splitRecords(char* p, char* end, std::string_view rootName)
{
    RecordSlices out;
    while (char* open = const_cast<char*>(nextMarkup(p, end))) {
        if (open[1] == '/') {
            out.end = nameAt(open + 2, end) == rootName ? ListEnd::Closed : ListEnd::Stray;
            out.endAt = open;
            return out;
        }
        const bool element = isNameStart(open[1]);
        char* next = const_cast<char*>(element ? elementEnd(open, end) : afterSpecial(open, end));
        if (!next) {
            out.slices.push_back({open, static_cast<size_t>(end - open)});
            out.end = ListEnd::Rest;
            return out;
        }
        if (element)
            out.slices.push_back({open, static_cast<size_t>(next - open)});
        p = next;
    }
    out.end = ListEnd::CutShort;
    out.endAt = end;
    return out;
}

// Notes the damage a parse met at `at` in the file, unless it is the list's own end tag, which the
// parse of the rest of the file (closingName given) meets as a stray one. The bytes are read
// again: the parse in place has changed the buffer.
void noteListDamage(LoadIssues* issues, const QString& path, long record, std::ptrdiff_t at,
                    pugi::xml_parse_status status, std::string_view closingName)
{
    if (!issues)
        return;
    QByteArray bytes;
    int error = 0;
    readRegularFile(path, &bytes, &error);
    const auto name = QByteArrayView(closingName.data(), static_cast<qsizetype>(closingName.size()));
    if (!closingName.empty() && status == pugi::status_end_element_mismatch && at >= 2 && bytes.mid(at - 2, 2) == "</"
        && bytes.mid(at, name.size()) == name)
        return;
    noteXmlDamage(issues, record, bytes, at, status);
}

// Text that is not UTF-8 at offset bad of the file (bytes before it: `before`), noted at the
// record that holds it.
void noteBadText(LoadIssues* issues, const std::vector<RecordSlice>& slices, const char* data, qsizetype bad,
                 const QByteArray& before)
{
    if (bad < 0)
        return;
    long record = 0;
    for (size_t i = 0; i < slices.size() && record == 0; ++i) {
        const qsizetype begin = slices[i].begin - data;
        if (bad >= begin && bad < begin + static_cast<qsizetype>(slices[i].size))
            record = static_cast<long>(i) + 1;
    }
    noteInvalidUtf8(issues, record, before, bad);
}

bool forEachRecordOfWholeTree(const QString& path, const std::function<void(pugi::xml_node)>& visit,
                              const std::function<void(qsizetype)>& expectedCount, LoadIssues* issues)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLRootFromURL(path, &document, issues);
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

const char* xmlElementEnd(const char* p, const char* end)
{
    return elementEnd(p, end);
}

bool forEachXmlRecordInFile(const QString& path, const std::function<void(pugi::xml_node)>& visit,
                            const std::function<void(qsizetype)>& expectedCount, LoadIssues* issues)
{
    QByteArray bytes;
    if (path.isEmpty() || !readMemberFile(path, &bytes, issues))
        return false;
    // The list is parsed in place, record by record: the buffer is the file's bytes, NUL-ended.
    char* const data = bytes.data();
    const qsizetype size = bytes.size();
    bool emptyRoot = false;
    std::string_view rootName;
    char* content = const_cast<char*>(listContent(data, data + size, &emptyRoot, &rootName));
    if (!content) {
        bytes = QByteArray();
        return forEachRecordOfWholeTree(path, visit, expectedCount, issues);
    }
    // Taken before the parse in place changes the bytes.
    const qsizetype badText = issues && xmlBytesAreUtf8(bytes) ? invalidUtf8At(bytes) : -1;
    const QByteArray badTextLines = badText >= 0 ? bytes.left(badText) : QByteArray();
    const RecordSlices records = emptyRoot ? RecordSlices() : splitRecords(content, data + size, rootName);
    const std::vector<RecordSlice>& slices = records.slices;
    if (expectedCount)
        expectedCount(static_cast<qsizetype>(slices.size()));
    // Each record's tree points into the buffer, parsed in place; a parse error ends the list, as
    // it ends a whole parse, once what came before it was visited.
    pugi::xml_document record;
    for (size_t i = 0; i < slices.size(); ++i) {
        const RecordSlice& slice = slices[i];
        const pugi::xml_parse_result parsed
            = record.load_buffer_inplace(slice.begin, slice.size, kLoadOptions, pugi::encoding_utf8);
        for (pugi::xml_node child = record.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element)
                visit(child);
        }
        if (!parsed) {
            const bool rest = records.end == ListEnd::Rest && i + 1 == slices.size();
            noteListDamage(issues, path, static_cast<long>(i) + 1, slice.begin - data + parsed.offset, parsed.status,
                           rest ? rootName : std::string_view());
            noteBadText(issues, slices, data, badText, badTextLines);
            return true;
        }
    }
    if (records.end == ListEnd::CutShort || records.end == ListEnd::Stray) {
        const bool stray = records.end == ListEnd::Stray;
        noteListDamage(issues, path, static_cast<long>(slices.size()) + 1, records.endAt - data + (stray ? 2 : 0),
                       pugi::status_end_element_mismatch, {});
    }
    noteBadText(issues, slices, data, badText, badTextLines);
    return true;
}
