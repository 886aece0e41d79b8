#include "MOYEN.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"

#include <array>

namespace {

constexpr int kFamilyNone = 4;

// Family 4 has no name of its own: it shows as "?".
constexpr std::array<const char*, kFamilyCount> kFamilyKeys = {
    "kMisc_MFGeneral", "kMisc_MFVirInt", "kMisc_MFLiqDeb", "kMisc_MFLiqCre", nullptr,
    "kMisc_MFGuiDeb",  "kMisc_MFGuiCre", "kMisc_MFVirDeb", "kMisc_MFVirCre", "kMisc_MFCheDeb",
    "kMisc_MFCheCre",  "kMisc_MFCarDeb", "kMisc_MFCarCre",
};

// The application images of the families, by number.
constexpr std::array<int, kFamilyCount> kFamilyIcons
    = {208, 206, 203, 2032, 208, 204, 2042, 205, 207, 202, 2022, 201, 2012};

bool hasVariantes(int family)
{
    return family == kFamilyChequeDebit || family == kFamilyCarteDebit;
}

bool isUserCompte(long compteID, const DOCUMENT* doc)
{
    int typ = kBanqueUser;
    return TOOL::compteIDToBType(compteID, &typ, doc) && typ == kBanqueUser;
}

} // namespace

void MOYEN::defaultMoyen(int family, long compteID)
{
    kind = family;
    compte = compteID;
    lastVarianteID = -1;
    variantes.clear();
}

MOYEN MOYEN::allocNewMoyen(int family, long compteID)
{
    MOYEN m;
    m.defaultMoyen(family, compteID);
    return m;
}

MoyenList* MOYEN::getDocMoyen(DOCUMENT* doc)
{
    return doc ? &doc->moyenHdl : nullptr;
}

long MOYEN::nbMoyen(const MoyenList* array)
{
    return array ? static_cast<long>(array->size()) : 0;
}

const MOYEN* MOYEN::moyenAtIndex(const MoyenList& array, long index)
{
    return index >= 0 && index < array.size() ? &array[index] : nullptr;
}

MOYEN* MOYEN::moyenAtIndex(MoyenList& array, long index)
{
    return index >= 0 && index < array.size() ? &array[index] : nullptr;
}

QString MOYEN::newMoyenName(int family)
{
    if (family < 0 || family >= kFamilyCount || family == kFamilyNone)
        return QStringLiteral("?");
    return localizedMisc(QString::fromLatin1(kFamilyKeys[size_t(family)]));
}

bool MOYEN::findMoyenWithName(const QString& name, int* family)
{
    for (int f = 0; f < kFamilyCount; ++f) {
        if (f == kFamilyNone)
            continue;
        if (QString::compare(name, newMoyenName(f), Qt::CaseInsensitive) == 0) {
            if (family)
                *family = f;
            return true;
        }
    }
    return false;
}

QString MOYEN::getActionIcone(int family)
{
    if (family < 0 || family >= kFamilyCount)
        return QString();
    return QString::number(kFamilyIcons[size_t(family)]);
}

long MOYEN::creerMoyen(MoyenList& array, int family, long compteID)
{
    array.append(allocNewMoyen(family, compteID));
    return static_cast<long>(array.size()) - 1;
}

bool MOYEN::getMoyenIndex(MoyenList& array, int family, long compteID, long* index, const DOCUMENT* doc)
{
    if (!hasVariantes(family))
        return false;
    for (long i = 0; i < array.size(); ++i) {
        if (array[i].kind == family && array[i].compte == compteID) {
            if (index)
                *index = i;
            return true;
        }
    }
    if (!isUserCompte(compteID, doc))
        return false;
    const long created = creerMoyen(array, family, compteID);
    if (index)
        *index = created;
    return true;
}

bool MOYEN::getSaisieMoyenIndex(MoyenList& array, int family, long compteID, long* index, const DOCUMENT* doc)
{
    if (family == kFamilyVirementInterne || family == kFamilyGuichetDebit)
        family = kFamilyChequeDebit;
    return getMoyenIndex(array, family, compteID, index, doc);
}

VarianteList* MOYEN::variantesArrayForFamily(int family, long compteID, DOCUMENT* doc)
{
    long index = 0;
    if (!doc || !getSaisieMoyenIndex(doc->moyenHdl, family, compteID, &index, doc))
        return nullptr;
    return &doc->moyenHdl[index].variantes;
}

VARIANTE* MOYEN::varianteForFamily(int family, long compteID, long varianteID, DOCUMENT* doc)
{
    VarianteList* array = variantesArrayForFamily(family, compteID, doc);
    long index = 0;
    if (!array || !VARIANTE::findVariante(varianteID, *array, &index))
        return nullptr;
    return &(*array)[index];
}

void MOYEN::unappendAllMoyen(MoyenList& array, long compteIdent)
{
    if (compteIdent < 0)
        return;
    array.removeIf([compteIdent](const MOYEN& m) { return m.compte == compteIdent; });
}

void MOYEN::cleanMoyensAtOpen(DOCUMENT* doc)
{
    if (!doc)
        return;
    doc->moyenHdl.removeIf([doc](const MOYEN& m) { return !hasVariantes(m.kind) || !isUserCompte(m.compte, doc); });
}
