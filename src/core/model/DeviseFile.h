#pragma once
// The currency slots' member file "devise.xml": root "deviselist", one element "devise" per slot in
// slot order. The same XML is what the companion phone receives.
#include "foundation/xmlmember.h"
#include "model/Devise.h"

// Appends one "devise" element per entry. False when an element can't be appended or an entry lies
// beyond the fifth slot (its element then stays empty).
bool appendDeviseXML(pugi::xml_node root, const DeviseList& devises);
// The devise.xml document; null when it can't be made. Sets *error when an entry had no record.
XmlDocPtr makeDocDeviseXML(const DeviseList& devises, bool* error);
// One record per "devise" element, in order; notes on issues (may be null) when there are not
// exactly five.
DeviseList XML_load_devise(pugi::xml_node root, LoadIssues* issues);

// Writes devise.xml into the package's resources; false when it can't be made or written.
bool saveDevise(const QString& packageUrl, const DeviseList& devises);
// Always five slots. A missing file gives the defaults. A file with another number of records keeps
// its first five and takes the missing slots from the defaults, and is noted on issues (may be
// null), as is a file that is there but can't be read (which gives the defaults) and damage.
DeviseList loadDevise(const QString& packageUrl, LoadIssues* issues);
