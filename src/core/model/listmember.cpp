#include "listmember.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"

#include <cstring>

namespace {

bool isRecord(pugi::xml_node node, const char* recordName)
{
    return node.type() == pugi::node_element && (!recordName || std::strcmp(node.name(), recordName) == 0);
}

} // namespace

bool isListLayout(pugi::xml_node node)
{
    return node.type() == pugi::node_pcdata && QString::fromUtf8(node.value()).trimmed().isEmpty();
}

void forEachListRecord(pugi::xml_node root, const QString& complaint, LoadIssues* issues,
                       const std::function<void(pugi::xml_node)>& read, const char* recordName)
{
    long record = 0;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (isRecord(child, recordName)) {
            if (issues)
                issues->setRecord(++record);
            read(child);
        } else if (!isListLayout(child)) {
            svLog(complaint);
            noteStrayNode(issues, child, record);
        }
    }
}

void forEachElementRecord(pugi::xml_node root, LoadIssues* issues, const std::function<void(pugi::xml_node)>& read)
{
    long record = 0;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        if (issues)
            issues->setRecord(++record);
        read(child);
    }
}
