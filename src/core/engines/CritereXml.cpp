#include "engines/CritereXml.h"

#include "model/DOCUMENT.h"
#include "engines/Critere.h"

namespace {

// One integer child: a 64-bit field, or a 32-bit one.
struct IntegerField {
    const char* name;
    long Critere::*wide;
    int Critere::*narrow;
};

// "critereWhyImport" comes last: files written before it existed lack it and read it as off.
const IntegerField kOperators[] = {
    {"critereDate", &Critere::critereDate, nullptr},
    {"critereMontant", &Critere::critereMontant, nullptr},
    {"criterePoste", &Critere::criterePoste, nullptr},
    {"critereCompte0", &Critere::critereCompteDebit, nullptr},
    {"critereCompte1", &Critere::critereCompteCredit, nullptr},
    {"critereBanque0", &Critere::critereBanqueDebit, nullptr},
    {"critereBanque1", &Critere::critereBanqueCredit, nullptr},
    {"critereCategorie0", nullptr, &Critere::critereCategorieDebit},
    {"critereCategorie1", nullptr, &Critere::critereCategorieCredit},
    {"critereBool", &Critere::critereBoolCompte, nullptr},
    {"critereBoolB", &Critere::critereBoolBanque, nullptr},
    {"critereBoolCat", &Critere::critereBoolCategorie, nullptr},
    {"criterePointe", &Critere::criterePointe, nullptr},
    {"critereImport", &Critere::critereImport, nullptr},
    {"critereTaxe", &Critere::critereTaxe, nullptr},
    {"criterePlac", &Critere::criterePlacement, nullptr},
    {"critereChrono", &Critere::critereChrono, nullptr},
    {"critereMoyen", &Critere::critereMoyen, nullptr},
    {"critereSynonyme", &Critere::critereSynonyme, nullptr},
    {"critereDossier", &Critere::critereDossier, nullptr},
    {"critereReference", &Critere::critereReference, nullptr},
    {"critereWhy", &Critere::critereWhy, nullptr},
    {"critereReleve", &Critere::critereReleve, nullptr},
    {"critereWhyImport", &Critere::critereWhyImport, nullptr},
};

const IntegerField kValues[] = {
    {"devise", &Critere::devise, nullptr},
    {"moyen", nullptr, &Critere::moyen},
    {"synonymeID", &Critere::synonymeID, nullptr},
    {"posteID", &Critere::posteID, nullptr},
    {"dossierID", &Critere::dossierID, nullptr},
    {"compteID0", &Critere::compteIDDebit, nullptr},
    {"compteID1", &Critere::compteIDCredit, nullptr},
    {"banqueID0", &Critere::banqueIDDebit, nullptr},
    {"banqueID1", &Critere::banqueIDCredit, nullptr},
    {"categorieID0", nullptr, &Critere::categorieIDDebit},
    {"categorieID1", nullptr, &Critere::categorieIDCredit},
    {"releveID", &Critere::releveID, nullptr},
    {"taxeID", &Critere::taxeID, nullptr},
    {"titreID", &Critere::titreID, nullptr},
    {"remunereID", &Critere::remunereID, nullptr},
    {"empruntID", &Critere::empruntID, nullptr},
    {"chronoID", &Critere::chronoID, nullptr},
};

template <size_t N> void appendIntegers(pugi::xml_node root, const Critere& critere, const IntegerField (&fields)[N])
{
    for (const IntegerField& f : fields) {
        const int64_t value = f.wide ? critere.*(f.wide) : critere.*(f.narrow);
        xmlAppendLong(root, f.name, value);
    }
}

template <size_t N>
void readIntegers(pugi::xml_node element, Critere& critere, const Critere& defaults, const IntegerField (&fields)[N])
{
    for (const IntegerField& f : fields) {
        if (f.wide)
            critere.*(f.wide) = xmlGetLong(element, f.name, defaults.*(f.wide));
        else
            critere.*(f.narrow) = xmlGetInt(element, f.name, defaults.*(f.narrow));
    }
}

} // namespace

XmlDocPtr critere_to_XML(const Critere& critere, const DOCUMENT* doc, bool* error)
{
    pugi::xml_node root;
    XmlDocPtr xml = newXMLDocumentWithRoot(QString::fromLatin1(kCritereXmlRoot), &root);
    if (!xml) {
        if (error)
            *error = true;
        return nullptr;
    }
    static const DeviseList defaults = Devise::defaultDevises();
    const DeviseList& devises = doc ? doc->deviseHdl : defaults;
    appendIntegers(root, critere, kOperators);
    xmlAppendDouble(root, "date1", 6, critere.date1);
    xmlAppendDouble(root, "date2", 6, critere.date2);
    bool ok = critere.montant1.XML_append_montant(root, "montant1", devises, 2);
    ok = critere.montant2.XML_append_montant(root, "montant2", devises, 2) && ok;
    if (!ok && error)
        *error = true;
    appendIntegers(root, critere, kValues);
    xmlAppendBool(root, "includesPrevisions", critere.includesPrevisions);
    xmlAppendString(root, "reference", critere.reference);
    xmlAppendString(root, "why", critere.why);
    xmlAppendString(root, "whyImport", critere.whyImport);
    return xml;
}

bool XML_to_critere(Critere& critere, pugi::xml_node element, const DOCUMENT* doc)
{
    // A missing element takes what a new criterion with the document's defaults holds.
    const Critere defaults(doc, true);
    readIntegers(element, critere, defaults, kOperators);
    critere.date1 = xmlGetDouble(element, "date1", defaults.date1);
    critere.date2 = xmlGetDouble(element, "date2", defaults.date2);
    bool complete = loadMontantFromXML(element, "montant1", critere.montant1);
    complete = loadMontantFromXML(element, "montant2", critere.montant2) && complete;
    readIntegers(element, critere, defaults, kValues);
    critere.includesPrevisions = xmlGetBool(element, "includesPrevisions", false);
    critere.reference = xmlGetMutableString(element, "reference");
    critere.why = xmlGetMutableString(element, "why");
    critere.whyImport = xmlGetMutableString(element, "whyImport");
    critere.usedCritere.fill(0);
    critere.nbUsedCritere = 0;
    return complete;
}
