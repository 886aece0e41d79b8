#pragma once
// The tab import editor's five replacement lists: texts of the file mapped to a currency slot, an
// account, a category, a payment family or a tax, in the order they were given. A mapping to what
// the document no longer has (an entity deleted while the editor is open, or a configuration
// loaded from long ago) reads as no mapping.
#include "import/ImportConfiguration.h"

#include <array>

class DOCUMENT;

// The entities a text of the file may have to be mapped to, in the order the questions come.
enum class ImportNeed { Devise, Compte, Poste, Moyen, Fiscal };
inline constexpr int kImportNeedCount = 5;

class ImportReplacements {
public:
    explicit ImportReplacements(const DOCUMENT& doc)
        : m_doc(doc)
    {
    }

    void addReplacement(ImportNeed need, const QString& text, qint64 value);
    // The value of the first mapping of the text, only while the document still has it.
    bool findReplacement(ImportNeed need, const QString& text, qint64* value) const;
    void resetReplacements();
    // Whether the document has the entity (for taxes, -1 stands for no tax).
    bool entityExists(ImportNeed need, qint64 value) const;

    const ImportMappingList& replacementArray(ImportNeed need) const { return m_lists[size_t(need)]; }
    void setReplacementArray(ImportNeed need, const ImportMappingList& list) { m_lists[size_t(need)] = list; }
    const ImportMappingList& deviseReplacementArray() const { return replacementArray(ImportNeed::Devise); }
    const ImportMappingList& compteReplacementArray() const { return replacementArray(ImportNeed::Compte); }
    const ImportMappingList& posteReplacementArray() const { return replacementArray(ImportNeed::Poste); }
    const ImportMappingList& moyenReplacementArray() const { return replacementArray(ImportNeed::Moyen); }
    const ImportMappingList& fiscalReplacementArray() const { return replacementArray(ImportNeed::Fiscal); }

    void addDeviseReplacement(const QString& text, qint64 slot) { addReplacement(ImportNeed::Devise, text, slot); }
    void addCompteReplacement(const QString& text, qint64 id) { addReplacement(ImportNeed::Compte, text, id); }
    void addPosteReplacement(const QString& text, qint64 id) { addReplacement(ImportNeed::Poste, text, id); }
    void addMoyenReplacement(const QString& text, qint64 family) { addReplacement(ImportNeed::Moyen, text, family); }
    void addFiscalReplacement(const QString& text, qint64 id) { addReplacement(ImportNeed::Fiscal, text, id); }
    bool findDeviseReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Devise, text, v);
    }
    bool findCompteReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Compte, text, v);
    }
    bool findPosteReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Poste, text, v);
    }
    bool findMoyenReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Moyen, text, v);
    }
    bool findFiscalReplacement(const QString& text, qint64* v) const
    {
        return findReplacement(ImportNeed::Fiscal, text, v);
    }

private:
    const DOCUMENT& m_doc;
    std::array<ImportMappingList, kImportNeedCount> m_lists;
};
