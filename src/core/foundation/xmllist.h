#pragma once
// Long list member files, written and read one record at a time.
#include "MemberFileOutput.h"
#include "XmlRecordStream.h"
#include "xmlmember.h"

#include <functional>
#include <string>

// ---- Long lists -------------------------------------------------------------------------------
// A list member file (a root holding one element per record) can be written and read one record
// at a time, so that a list of 100,000 records never has its whole tree in memory.

// Writes the same bytes as writeXMLToURL would for the document made of the root and every record
// appended: open, then for each record beginRecord, fill the element answered, endRecord; then
// commit. The file is replaced whole by commit, and left untouched when anything failed (in a
// package being staged, nothing is left of it).
class XmlListWriter {
public:
    XmlListWriter(const QString& path, const QString& rootName);
    XmlListWriter(const XmlListWriter&) = delete;
    XmlListWriter& operator=(const XmlListWriter&) = delete;

    // False when no path or root name is given or the file can't be created.
    bool open();
    // A new record of that name, written straight as markup as it is filled through the node
    // answered (the bytes its tree would print, without the tree). Null when not open.
    XmlStreamNode beginRecord(const XmlName& name);
    // Ends the record begun last. False once a write failed.
    bool endRecord();
    // Closes the list and replaces the file; false when any write failed.
    bool commit();

private:
    void openList();
    void flushWhenFull();
    void flush();

    MemberFileOutput m_file;
    QByteArray m_rootName;
    XmlDocPtr m_tree;
    pugi::xml_node m_root;
    std::string m_recordBytes;
    XmlRecordStream m_stream {m_recordBytes};
    std::string m_pending;
    bool m_open = false;
    bool m_failed = false;
    bool m_hasRecords = false;
};

// Visits the element children of the root of a list member file in file order, each in a tree of
// its own that dies after the visit. Tolerant as loadXMLDocumentFromURL is: the records before any
// damage are visited, a record cut short with what it holds, and the damage is noted on issues
// (when given) at the record it lies in. expectedCount, when given, is told first an upper bound
// of the records to come. False when the file is missing, unreadable or has no root element.
bool forEachXmlRecordInFile(const QString& path, const std::function<void(pugi::xml_node)>& visit,
                            const std::function<void(qsizetype)>& expectedCount = {}, LoadIssues* issues = nullptr);
