#include "DeviseFile.h"

#include "foundation/LoadIssues.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"

namespace {

const char* const kDeviseFileName = "devise.xml";

void appendDeviseRecord(pugi::xml_node element, const Devise& devise)
{
    xmlAppendString(element, "fullName", devise.fullName);
    xmlAppendString(element, "unit", devise.unit);
    xmlAppendString(element, "ticker", devise.ticker);
    xmlAppendBool(element, "used", devise.used);
    xmlAppendDouble(element, "convert", kDeviseConvertDecimales, devise.convert);
    xmlAppendDouble(element, "updateTime", 6, devise.updateTime);
    xmlAppendLong(element, "decimale", devise.decimale);
}

Devise loadDeviseRecord(pugi::xml_node element, LoadIssues* issues)
{
    Devise devise;
    devise.fullName = xmlGetMutableString(element, "fullName");
    devise.unit = xmlGetMutableString(element, "unit");
    devise.used = xmlGetBool(element, "used", true);
    devise.convert = xmlGetDouble(element, "convert", 1.0);
    devise.updateTime = xmlGetDate(element, "updateTime", 0.0, UnreadDate::None, issues);
    devise.decimale = static_cast<long>(xmlGetInt32(element, "decimale", 2));
    // Files from before tickers existed: the euro is the one currency recognisable by its unit.
    if (xmlFirstElementNamed(element, "ticker"))
        devise.ticker = xmlGetMutableString(element, "ticker");
    else if (devise.unit == QStringLiteral("€"))
        devise.ticker = QStringLiteral("EUR");
    return devise;
}

// The first five records read, the missing slots from the defaults: replacing everything by the
// defaults would lose the user's currencies at the next save.
DeviseList completeDeviseSlots(const DeviseList& read)
{
    DeviseList complete = Devise::defaultDevises();
    for (qsizetype i = 0; i < kDeviseSlotCount && i < read.size(); ++i)
        complete[i] = read[i];
    return complete;
}

} // namespace

bool appendDeviseXML(pugi::xml_node root, const DeviseList& devises)
{
    bool ok = true;
    for (qsizetype i = 0; i < devises.size(); ++i) {
        pugi::xml_node element = xmlAppendElement(root, "devise");
        const Devise* devise = Devise::deviseAtIndex(devises, static_cast<long>(i));
        if (!element || !devise) {
            ok = false;
            continue;
        }
        appendDeviseRecord(element, *devise);
    }
    return ok;
}

XmlDocPtr makeDocDeviseXML(const DeviseList& devises, bool* error)
{
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("deviselist"), &root);
    if (!document) {
        xmlSetError(error);
        return nullptr;
    }
    if (!appendDeviseXML(root, devises))
        xmlSetError(error);
    return document;
}

DeviseList XML_load_devise(pugi::xml_node root, LoadIssues* issues)
{
    // Only the records count: a comment, a processing instruction or white space between them
    // must not shift the slots.
    DeviseList devises;
    for (pugi::xml_node element = root.child("devise"); element; element = element.next_sibling("devise")) {
        if (issues)
            issues->setRecord(devises.size() + 1);
        devises.append(loadDeviseRecord(element, issues));
    }
    if (devises.size() != kDeviseSlotCount) {
        svLog(QStringLiteral("XML_load_devise erreur nombre de devises !"));
        if (issues) {
            issues->setRecord(0);
            issues->note(localizedDialogue(QStringLiteral("kLoadIssue_deviseCount"))
                             .arg(QString::number(devises.size()), QString::number(kDeviseSlotCount)));
        }
    }
    return devises;
}

bool saveDevise(const QString& packageUrl, const DeviseList& devises)
{
    bool error = false;
    const XmlDocPtr document = makeDocDeviseXML(devises, &error);
    return document && saveXMLInPackage(packageUrl, document.get(), QString::fromLatin1(kDeviseFileName));
}

DeviseList loadDevise(const QString& packageUrl, LoadIssues* issues)
{
    XmlDocPtr document;
    // A file that is there but unreadable is a damage the user must hear of, not a new document:
    // loading notes it.
    const pugi::xml_node root = loadXMLFromPackage(packageUrl, QString::fromLatin1(kDeviseFileName), &document, issues);
    if (!root)
        return Devise::defaultDevises();
    DeviseList devises = XML_load_devise(root, issues);
    if (devises.size() == kDeviseSlotCount)
        return devises;
    return completeDeviseSlots(devises);
}
