#include "engines/CritereXml.h"

#include "engines/Critere.h"
#include "model/DOCUMENT.h"

#include <type_traits>
#include <variant>

namespace {

// One operator child. Its integer is the enum's own value, whatever it is: a value no test knows
// is read, kept and written back as it was.
using OperatorMember
    = std::variant<CritereCompare Critere::*, CritereCompte Critere::*, CritereSwitch Critere::*,
                   CritereBool Critere::*, CriterePointe Critere::*, CritereImport Critere::*, CritereText Critere::*>;

struct OperatorField {
    const char* name;
    OperatorMember member;
    bool narrow = false; // stored in 32 bits
};

// "critereWhyImport" comes last: files written before it existed lack it and read it as off.
const OperatorField kOperators[] = {
    {"critereDate", &Critere::critereDate},
    {"critereMontant", &Critere::critereMontant},
    {"criterePoste", &Critere::criterePoste},
    {"critereCompte0", &Critere::critereCompteDebit},
    {"critereCompte1", &Critere::critereCompteCredit},
    {"critereBanque0", &Critere::critereBanqueDebit},
    {"critereBanque1", &Critere::critereBanqueCredit},
    {"critereCategorie0", &Critere::critereCategorieDebit, true},
    {"critereCategorie1", &Critere::critereCategorieCredit, true},
    {"critereBool", &Critere::critereBoolCompte},
    {"critereBoolB", &Critere::critereBoolBanque},
    {"critereBoolCat", &Critere::critereBoolCategorie},
    {"criterePointe", &Critere::criterePointe},
    {"critereImport", &Critere::critereImport},
    {"critereTaxe", &Critere::critereTaxe},
    {"criterePlac", &Critere::criterePlacement},
    {"critereChrono", &Critere::critereChrono},
    {"critereMoyen", &Critere::critereMoyen},
    {"critereSynonyme", &Critere::critereSynonyme},
    {"critereDossier", &Critere::critereDossier},
    {"critereReference", &Critere::critereReference},
    {"critereWhy", &Critere::critereWhy},
    {"critereReleve", &Critere::critereReleve},
    {"critereWhyImport", &Critere::critereWhyImport},
};

void appendOperators(pugi::xml_node root, const Critere& critere)
{
    for (const OperatorField& f : kOperators) {
        std::visit([&](auto member) { xmlAppendLong(root, f.name, static_cast<int64_t>(critere.*member)); }, f.member);
    }
}

void readOperators(pugi::xml_node element, Critere& critere, const Critere& defaults)
{
    for (const OperatorField& f : kOperators) {
        std::visit(
            [&](auto member) {
                using Operator = std::remove_reference_t<decltype(critere.*member)>;
                const auto fallback = static_cast<int64_t>(defaults.*member);
                const int64_t value = f.narrow ? xmlGetInt(element, f.name, static_cast<int32_t>(fallback))
                                               : xmlGetLong(element, f.name, fallback);
                critere.*member = static_cast<Operator>(value);
            },
            f.member);
    }
}

// One integer value: a 64-bit field, or a 32-bit one.
struct IntegerField {
    const char* name;
    long Critere::*wide;
    int Critere::*narrow;
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
    appendOperators(root, critere);
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
    readOperators(element, critere, defaults);
    critere.date1 = xmlGetDate(element, "date1", defaults.date1);
    critere.date2 = xmlGetDate(element, "date2", defaults.date2);
    bool complete = loadMontantFromXML(element, "montant1", critere.montant1);
    complete = loadMontantFromXML(element, "montant2", critere.montant2) && complete;
    readIntegers(element, critere, defaults, kValues);
    critere.includesPrevisions = xmlGetBool(element, "includesPrevisions", false);
    critere.reference = xmlGetMutableString(element, "reference");
    critere.why = xmlGetMutableString(element, "why");
    critere.whyImport = xmlGetMutableString(element, "whyImport");
    critere.usedCritere = {};
    critere.nbUsedCritere = 0;
    return complete;
}
