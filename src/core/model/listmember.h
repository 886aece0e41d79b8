#pragma once
// How the loaders of list member files (a root holding one record element per entry) walk their
// records, so that what stands between two records is judged alike in every file.
#include "foundation/xmlmember.h"

#include <QList>
#include <QString>

#include <functional>
#include <type_traits>

class LoadIssues;

// Text that holds nothing but white space is layout between records.
bool isListLayout(pugi::xml_node node);

// Calls read for every record of the root in file order, the place of issues following them
// (from 1). A record is an element, one named recordName when that is given; any other node but
// layout is logged with the complaint and noted on issues (may be null) at the record before it.
void forEachListRecord(pugi::xml_node root, const QString& complaint, LoadIssues* issues,
                       const std::function<void(pugi::xml_node)>& read, const char* recordName = nullptr);

// The same for the lists whose loaders pass over whatever is no element without a word.
void forEachElementRecord(pugi::xml_node root, LoadIssues* issues, const std::function<void(pugi::xml_node)>& read);

// The entries of the package's list member, one made by read(record) for every record, walked as
// forEachListRecord walks them; none when the file is missing or can't be read (the loading notes
// why on issues).
template <typename Read>
auto loadRecordList(const QString& packageURL, const QString& fileName, const QString& complaint, LoadIssues* issues,
                    Read read)
{
    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(packageURL, fileName, &document, issues);
    QList<std::invoke_result_t<Read&, pugi::xml_node>> list;
    forEachListRecord(root, complaint, issues, [&](pugi::xml_node record) { list.append(read(record)); });
    return list;
}

// A list member document: the root "list" holding one "record" element per item, in list order,
// its fields written by fill(record, item). A record that can't be made, or whose fill answers
// false, raises the flag; the others are written all the same.
template <typename List, typename Fill> XmlDocPtr makeRecordListXML(const List& list, Fill fill, bool* error)
{
    return makeListXMLDocument(
        list,
        [&fill](pugi::xml_node root, const auto& item) {
            const pugi::xml_node record = xmlAppendElement(root, "record");
            if (!record)
                return false;
            if constexpr (std::is_void_v<decltype(fill(record, item))>) {
                fill(record, item);
                return true;
            } else {
                return static_cast<bool>(fill(record, item));
            }
        },
        error);
}

// makeListXMLDocument for a caller whose flag tells of this list alone: it is cleared first.
template <typename List, typename Append> XmlDocPtr makeOwnListXML(List& list, Append append, bool* error)
{
    if (error)
        *error = false;
    return makeListXMLDocument(list, append, error);
}

// Writes a list member document when it could be made: a record that could not be written whole
// doesn't keep the others from the file.
inline bool saveListMember(const QString& packageURL, const QString& fileName, const XmlDocPtr& document)
{
    return document && saveXMLInPackage(packageURL, document.get(), fileName);
}
