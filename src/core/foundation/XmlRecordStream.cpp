#include "XmlRecordStream.h"

#include "xmlwrite_p.h"

#include <charconv>
#include <cstring>

namespace {

// Text pugixml writes as it is: in a CDATA section anything but its end marker, elsewhere
// anything but markup characters. Control characters (a NUL ends the text for pugixml) are left
// to pugixml.
bool writtenAsItIs(const char* text, size_t size, bool cdata)
{
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
        if (!cdata && (c == '&' || c == '<' || c == '>'))
            return false;
    }
    return !cdata || std::string_view(text, size).find("]]>") == std::string_view::npos;
}

void printWithPugixml(std::string& out, const char* name, const char* text, size_t size, bool cdata)
{
    pugi::xml_document scratch;
    pugi::xml_node element = scratch.append_child(name);
    element.append_child(cdata ? pugi::node_cdata : pugi::node_pcdata).set_value(text, size);
    StringWriter writer(out);
    element.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
}

} // namespace

XmlRecordStream::XmlRecordStream(std::string& out)
    : m_out(out)
{
}

XmlStreamNode XmlRecordStream::begin(const XmlName& name)
{
    finish();
    m_out += '<';
    m_out += name.c_str();
    m_open.emplace_back(name.c_str());
    m_startTagOpen = true;
    return XmlStreamNode(this, 1);
}

void XmlRecordStream::finish()
{
    closeTo(0);
}

void XmlRecordStream::closeTo(size_t depth)
{
    while (m_open.size() > depth) {
        if (m_startTagOpen) {
            m_out += "/>";
            m_startTagOpen = false;
        } else {
            m_out += "</";
            m_out += m_open.back();
            m_out += '>';
        }
        m_open.pop_back();
    }
}

void XmlRecordStream::closeStartTag()
{
    if (m_startTagOpen) {
        m_out += '>';
        m_startTagOpen = false;
    }
}

XmlStreamNode XmlRecordStream::appendElement(XmlStreamNode parent, const char* name)
{
    if (parent.m_stream != this || parent.m_depth > m_open.size() || !*name)
        return XmlStreamNode();
    closeTo(parent.m_depth);
    closeStartTag();
    m_out += '<';
    m_out += name;
    m_open.emplace_back(name);
    m_startTagOpen = true;
    return XmlStreamNode(this, m_open.size());
}

XmlStreamNode XmlRecordStream::appendText(XmlStreamNode parent, const char* name, const char* text, size_t size,
                                          bool cdata)
{
    if (parent.m_stream != this || parent.m_depth > m_open.size() || !*name)
        return XmlStreamNode();
    closeTo(parent.m_depth);
    closeStartTag();
    if (!writtenAsItIs(text, size, cdata)) {
        printWithPugixml(m_out, name, text, size, cdata);
        return XmlStreamNode(this, m_open.size() + 1);
    }
    m_out += '<';
    m_out += name;
    m_out += cdata ? "><![CDATA[" : ">";
    m_out.append(text, size);
    m_out += cdata ? "]]></" : "</";
    m_out += name;
    m_out += '>';
    // Already closed: nothing can be appended inside a text element.
    return XmlStreamNode(this, m_open.size() + 1);
}

XmlStreamNode xmlAppendElement(XmlStreamNode parent, const XmlName& name)
{
    return parent ? parent.stream()->appendElement(parent, name.c_str()) : XmlStreamNode();
}

XmlStreamNode xmlAppendString(XmlStreamNode parent, const XmlName& name, const QString& text)
{
    if (!parent)
        return parent;
    const QByteArray utf8 = text.toUtf8();
    return parent.stream()->appendText(parent, name.c_str(), utf8.constData(), static_cast<size_t>(utf8.size()),
                                       needsCdata(text));
}

XmlStreamNode xmlAppendLong(XmlStreamNode parent, const XmlName& name, int64_t value)
{
    if (!parent)
        return parent;
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return parent.stream()->appendText(parent, name.c_str(), buffer, static_cast<size_t>(end - buffer), false);
}

XmlStreamNode xmlAppendBool(XmlStreamNode parent, const XmlName& name, bool value)
{
    return parent ? parent.stream()->appendText(parent, name.c_str(), value ? "1" : "0", 1, false) : parent;
}

XmlStreamNode xmlAppendDouble(XmlStreamNode parent, const XmlName& name, int decimals, double value)
{
    if (!parent)
        return parent;
    FixedBuffer text; // not cleared: only the length written is read
    return parent.stream()->appendText(parent, name.c_str(), text.data(), fixedText(value, decimals, text), false);
}
