#pragma once
// A long list's records written straight as markup, without the tree.
#include "xmlmember.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class XmlRecordStream;

// Where the next element goes: the element itself, inside a record being streamed. Appending to
// it closes whatever was appended inside it before, so elements are appended in document order,
// as a tree would be filled.
class XmlStreamNode {
public:
    XmlStreamNode() = default;
    explicit operator bool() const { return m_stream != nullptr; }
    XmlRecordStream* stream() const { return m_stream; }

private:
    friend class XmlRecordStream;
    XmlStreamNode(XmlRecordStream* stream, size_t depth)
        : m_stream(stream)
        , m_depth(depth)
    {
    }
    XmlRecordStream* m_stream = nullptr;
    size_t m_depth = 0;
};

// Writes the markup of one record, byte for byte what printing the same appends made on a
// pugixml tree gives (no indentation, CRs left raw), without building that tree: saving a list
// of 100,000 records otherwise spends most of its time building and printing trees. A text the
// plain scan doesn't cover (a control character, "]]>" in a CDATA section) is printed by
// pugixml itself, so the bytes never differ.
class XmlRecordStream {
public:
    explicit XmlRecordStream(std::string& out);
    XmlRecordStream(const XmlRecordStream&) = delete;
    XmlRecordStream& operator=(const XmlRecordStream&) = delete;

    // Starts the record element; the previous record must be finished.
    XmlStreamNode begin(const XmlName& name);
    // Closes every element still open.
    void finish();

    XmlStreamNode appendElement(XmlStreamNode parent, const char* name);
    XmlStreamNode appendText(XmlStreamNode parent, const char* name, const char* text, size_t size, bool cdata);

private:
    void closeTo(size_t depth);
    void closeStartTag();

    std::string& m_out;
    std::vector<std::string> m_open;
    bool m_startTagOpen = false;
};

XmlStreamNode xmlAppendElement(XmlStreamNode parent, const XmlName& name);
XmlStreamNode xmlAppendString(XmlStreamNode parent, const XmlName& name, const QString& text);
XmlStreamNode xmlAppendLong(XmlStreamNode parent, const XmlName& name, int64_t value);
XmlStreamNode xmlAppendBool(XmlStreamNode parent, const XmlName& name, bool value);
XmlStreamNode xmlAppendDouble(XmlStreamNode parent, const XmlName& name, int decimals, double value);
