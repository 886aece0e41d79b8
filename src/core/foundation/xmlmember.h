#pragma once
// The XML member files of a document: every entity writes and reads its records through these
// functions, so they fix the text of every value in every file. A record is an element whose
// fields are child elements named after their keys, each holding its value as text:
//   integers in decimal, booleans "1"/"0", doubles with the caller's decimals and "0" for zero,
//   strings as CDATA when they hold one of " & ' < >, as plain text otherwise.
// Numbers are written and read the same way whatever the user's locale.
//
// Nodes are pugixml handles (cheap to copy); a null node stands for "none" everywhere and every
// function accepts one. Documents belong to their XmlDocPtr: nodes die with their document.
#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <pugixml.hpp>

class LoadIssues;

using XmlDocPtr = std::unique_ptr<pugi::xml_document>;

// An element name: a UTF-8 literal ("montant") costs nothing, a QString is converted once.
// Only meant as a parameter type: it may point into its own storage, so it is never copied.
class XmlName {
public:
    XmlName(const char* utf8)
        : m_ptr(utf8 ? utf8 : "")
    {
    }
    XmlName(const QString& name)
        : m_bytes(name.toUtf8())
        , m_ptr(m_bytes.constData())
    {
    }
    XmlName(const XmlName&) = delete;
    XmlName& operator=(const XmlName&) = delete;

    const char* c_str() const { return m_ptr; }

private:
    QByteArray m_bytes;
    const char* m_ptr;
};

// ---- Writing ----------------------------------------------------------------------------------

// A new document declared UTF-8 and standalone, with one root element of that name, given
// through *root. Null (and a null *root) when the root can't be made (an empty name).
XmlDocPtr xmlCreateDocument(const QString& rootName, pugi::xml_node* root);
XmlDocPtr newXMLDocumentWithRoot(const QString& rootName, pugi::xml_node* root);

// Appends an element; when a text is given, appends to it one text node with that value, a CDATA
// section when cdata is set. Answers the new element.
pugi::xml_node xmlAddChildWithText(pugi::xml_node parent, const XmlName& name, const std::optional<QString>& text,
                                   bool cdata);
// An empty element, for a list or a record.
pugi::xml_node xmlAppendElement(pugi::xml_node parent, const XmlName& name);

// The text as CDATA when it holds one of " & ' < >; an empty text gives an empty text node.
pugi::xml_node xmlAppendString(pugi::xml_node parent, const XmlName& name, const QString& text);
// A length-prefixed MacRoman string (null counts as empty), written as a string.
pugi::xml_node xmlAppendPascalString(pugi::xml_node parent, const XmlName& name, const unsigned char* pstr);
pugi::xml_node xmlAppendInt(pugi::xml_node parent, const XmlName& name, int32_t value);
pugi::xml_node xmlAppendLong(pugi::xml_node parent, const XmlName& name, int64_t value);
pugi::xml_node xmlAppendInteger(pugi::xml_node parent, const XmlName& name, int64_t value);
pugi::xml_node xmlAppendBool(pugi::xml_node parent, const XmlName& name, bool value);
// "0" for zero (either sign) whatever the decimals, else the value with that many decimals
// (printf "%.nf", point separator). A value that isn't finite is written "0": no file ever holds
// inf or nan.
pugi::xml_node xmlAppendDouble(pugi::xml_node parent, const XmlName& name, int decimals, double value);
pugi::xml_node xmlAppendFloat(pugi::xml_node parent, const XmlName& name, int decimals, float value);

// ---- Reading ----------------------------------------------------------------------------------
// Each reader looks at the FIRST child element of that name; later duplicates are ignored. Its
// value is the text of its leading text and CDATA nodes, joined (a long text may be split over
// several sections). A value is missing when there is no such element, when the element has no
// leading text, or when that text is empty: the caller's default comes back.

pugi::xml_node xmlFirstElementNamed(pugi::xml_node element, const XmlName& name);
pugi::xml_node xmlFirstChild(pugi::xml_node element, const XmlName& name);

// An element's value: its leading run of text and CDATA nodes as NUL-terminated UTF-8, joined
// in joined when the run has several nodes; null when missing or empty.
const char* xmlElementText(pugi::xml_node element, std::string& joined);
// True and the value; false and a null string when it is missing.
bool xmlChildObjectValue(pugi::xml_node element, const XmlName& name, QString* value);
// The value, or an empty string.
QString xmlGetMutableString(pugi::xml_node element, const XmlName& name);
// The value converted to MacRoman into buffer (size bytes: at most size - 1 characters); the
// default (null counts as empty) when missing or when the text has characters MacRoman lacks.
// The default may be the buffer itself.
void xmlGetPascalString(pugi::xml_node element, const XmlName& name, unsigned char* buffer, int size,
                        const unsigned char* defaultValue);

// Integers: the leading decimal integer after white space and an optional sign, 0 when the text
// has none; a value out of range is held at the nearest bound.
int32_t xmlGetInt(pugi::xml_node element, const XmlName& name, int32_t defaultValue);
int64_t xmlGetInt32(pugi::xml_node element, const XmlName& name, int64_t defaultValue);
int64_t xmlGetLong(pugi::xml_node element, const XmlName& name, int64_t defaultValue);
// True when the text, after white space, an optional sign and leading zeros, begins with
// Y, y, T, t or a digit 1 to 9.
bool xmlGetBool(pugi::xml_node element, const XmlName& name, bool defaultValue);
// The leading floating-point number (point separator), 0 when the text has none; the default when
// the number read is infinite or not a number (as a float, beyond the float range).
double xmlGetDouble(pugi::xml_node element, const XmlName& name, double defaultValue);
float xmlGetFloat(pugi::xml_node element, const XmlName& name, float defaultValue);

// The value of a node itself: for an element, its leading text as above; for a text or CDATA
// node, the text run starting at it. The default when it has none.
int64_t xmlNodeIntegerValue(pugi::xml_node node, int64_t defaultValue);
double xmlNodeDoubleValue(pugi::xml_node node, double defaultValue);
void xmlNodePascalString(pugi::xml_node node, unsigned char* buffer, int size, const unsigned char* defaultValue);
// False when the node has a value (as above) that doesn't begin with a number, which reads as 0.
bool xmlNodeValueIsNumber(pugi::xml_node node);
// False when the node has a value that is not one finite number whole (white space aside):
// "12.5" is, "2026-13-45" and "12 mai" are not.
bool xmlNodeValueIsWholeNumber(pugi::xml_node node);
// The same for a date (seconds, dates.h), which must besides lie within the calendar's years:
// "1e300" is no date.
bool xmlNodeValueIsDate(pugi::xml_node node);
// A date's value, or the default when it is missing or no date as above.
double xmlNodeDateValue(pugi::xml_node node, double defaultValue);
double xmlGetDate(pugi::xml_node element, const XmlName& name, double defaultValue);

// Dates read for a load. A date that can't be read is never taken silently: the reader puts in
// its place what moves nothing (no money due, written or moved that was not before) and notes on
// the load's issues the field, its text and what stands in its place.
//
// The value; the default when it is missing; none when it holds no date (as xmlNodeValueIsDate).
std::optional<double> xmlReadDate(pugi::xml_node element, const XmlName& name, double defaultValue);
std::optional<double> xmlNodeReadDate(pugi::xml_node node, double defaultValue);
// "date « name » illisible (« its text »), " then the words that say what stands in its place.
QString unreadableDateText(pugi::xml_node element, const XmlName& name, const QString& replacement);
// Notes that text on issues (may be null).
void noteUnreadableDate(LoadIssues* issues, pugi::xml_node element, const XmlName& name, const QString& replacement);
// The plain fallbacks: no date (0), or today.
enum class UnreadDate { None, Today };
QString unreadDateWords(UnreadDate fallback);
// xmlReadDate with a date that can't be read noted and read as the fallback.
double xmlGetDate(pugi::xml_node element, const XmlName& name, double defaultValue, UnreadDate fallback,
                  LoadIssues* issues);

// A node that is no record as a fault shows it: an element by its tag, other nodes by their text,
// simplified and cut to a few words.
QString xmlStrayText(pugi::xml_node node);
// Notes on issues (may be null) a node between the records of a list member that is no record:
// its text, at the record before it (0: the file, before the first record).
void noteStrayNode(LoadIssues* issues, pugi::xml_node node, long recordBefore);

// Raises the caller's error flag when one is given. Readers never clear it: one flag gathers the
// errors of every member file of a document.
inline void xmlSetError(bool* error)
{
    if (error)
        *error = true;
}

// A list member document: the root "list" holding one record per item, each appended by
// append(root, item). An item whose append answers false raises the flag; the others are written
// all the same.
template <typename List, typename Append> XmlDocPtr makeListXMLDocument(List& list, Append append, bool* error)
{
    pugi::xml_node root;
    XmlDocPtr document = newXMLDocumentWithRoot(QStringLiteral("list"), &root);
    if (!document || !root) {
        xmlSetError(error);
        return nullptr;
    }
    for (auto& item : list) {
        if (!append(root, item))
            xmlSetError(error);
    }
    return document;
}

// ---- Files ------------------------------------------------------------------------------------
// A document is a folder package; its member files live in "Contents/Resources".

// The package's Resources folder; false (and an empty path) when no package is given.
bool packageResourcesURL(const QString& package, QString* resources);
// Creates "Contents" and then "Resources" in it, each only when missing, one level at a time
// (a missing package folder is an error, never created). True with error 0, or false with the
// system's errno (EINVAL when no package is given). error may be null.
bool createPackageResources(const QString& package, QString* resources, int* error);

// Writes the document (UTF-8, no indentation) to the file, replacing it whole: the data goes to a
// temporary file beside it that is renamed over the target, so an interrupted write never leaves
// a half file. False when no package or document is given, when the document is empty, or when
// the write fails (the target then is untouched).
bool saveXMLInPackage(const QString& package, const pugi::xml_document* document, const QString& fileName);
// Only a regular file is replaced: a link or a folder at the file's place makes the write fail
// (nothing is written where a link leads).
bool writeXMLToURL(const QString& path, const pugi::xml_document* document);
// The system's code (errno) of the last member write of this thread that failed; 0 after one
// that succeeded.
int xmlLastWriteError();
// The bytes writeXMLToURL puts in a file; empty without a document or when it is empty.
QByteArray xmlDocumentBytes(const pugi::xml_document* document);

// Loads a member file tolerantly: a file damaged after its root element began (cut short,
// mismatched tags, a stray processing instruction) still loads, with everything read before the
// damage. True and the document, or false and null when the file is missing, unreadable, no
// regular file (a link is never followed) or has no root element. With issues, the damage is
// noted there, at the record it lies in (damage after the root element's end costs nothing and is
// not), and so are a file that exists but gave no root element or could not be read, and text
// that is not UTF-8 (read with its bad bytes replaced).
bool loadXMLDocumentFromURL(const QString& path, XmlDocPtr* document, LoadIssues* issues = nullptr);
// The root element; null on failure. *document keeps the tree alive and must be given.
pugi::xml_node loadXMLRootFromURL(const QString& path, XmlDocPtr* document, LoadIssues* issues = nullptr);
// The same for a member file of the package; with issues, the member becomes the place of the
// next notes.
pugi::xml_node loadXMLFromPackage(const QString& package, const QString& fileName, XmlDocPtr* document,
                                  LoadIssues* issues = nullptr);
