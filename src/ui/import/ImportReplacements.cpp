#include "import/ImportReplacements.h"

#include "model/DOCUMENT.h"
#include "model/Devise.h"
#include "model/POSTE.h"
#include "model/TAXE.h"
#include "model/TOOL.h"

namespace {

constexpr int kNbMoyenFamilies = 13;

} // namespace

bool ImportReplacements::entityExists(ImportNeed need, qint64 value) const
{
    switch (need) {
    case ImportNeed::Devise:
        return value >= 0 && value < m_doc.deviseHdl.size() && Devise::deviseUsedAtIndex(m_doc.deviseHdl, long(value));
    case ImportNeed::Compte:
        return getTool(kToolCompte, long(value), &m_doc) != nullptr;
    case ImportNeed::Poste:
        return POSTE::posteWithIdent(long(value), m_doc) != nullptr;
    case ImportNeed::Moyen:
        return value >= 0 && value < kNbMoyenFamilies;
    case ImportNeed::Fiscal: {
        long index = 0;
        return value == -1 || TAXE::findTaxe(long(value), &index, m_doc.taxeHdl);
    }
    }
    return false;
}

void ImportReplacements::addReplacement(ImportNeed need, const QString& text, qint64 value)
{
    m_lists[size_t(need)].append({text, value});
}

bool ImportReplacements::findReplacement(ImportNeed need, const QString& text, qint64* value) const
{
    for (const ImportMapping& mapping : m_lists[size_t(need)]) {
        if (mapping.text != text)
            continue;
        if (!entityExists(need, mapping.value))
            return false;
        *value = mapping.value;
        return true;
    }
    return false;
}

void ImportReplacements::resetReplacements()
{
    for (ImportMappingList& list : m_lists)
        list.clear();
}
