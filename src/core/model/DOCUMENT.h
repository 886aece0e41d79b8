#pragma once
// The open document in memory: where its package lies, in which storage, when it was last saved,
// its settings and one list per entity kind. Entities refer to one another by ident; the lists
// own their entities. There is no changed flag: the document is saved on a timer, on command and
// on close.
#include "model/AnalyseConfiguration.h"
#include "model/DOSSIER.h"
#include "model/Devise.h"
#include "model/ECHEANCIER.h"
#include "model/FINANCE.h"
#include "model/GRAPH.h"
#include "model/Logo.h"
#include "model/MACRO.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/Prevision.h"
#include "model/REGLE.h"
#include "model/Synonyme.h"
#include "model/TAXE.h"
#include "model/TOOL.h"
#include "model/TRANSACT.h"
#include "model/ToolTree.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class DOCPARAM;

// Storage of a package.
inline constexpr int kFileSystemICloud = 0;
inline constexpr int kFileSystemLocal = 1;

class DOCUMENT {
public:
    DOCUMENT(const QString& url, int fileSystemTag);
    ~DOCUMENT();
    DOCUMENT(const DOCUMENT&) = delete;
    DOCUMENT& operator=(const DOCUMENT&) = delete;

    QString documentUrl; // the package folder <name>.svd
    int fileSystemTag = kFileSystemLocal;
    uint64_t lastSave = 0; // tick of the last completed save through the staging folder
    std::unique_ptr<DOCPARAM> docParam;

    TransactList transact_array; // storage order; a transaction is addressed by its position
    MoyenList moyenHdl; // payment means, in creation order
    PosteList posteHdl; // categories, by folded name
    DossierList dossierHdl; // folders of categories, by name
    ToolList compteHdl; // accounts
    ToolList banqueHdl; // banks
    EcheancierList echeancierHdl; // scheduled transactions
    TaxeList taxeHdl;
    DeviseList deviseHdl; // exactly five slots once loaded
    MacroList macroHdl;
    SynonymeList synonymeArray;
    LogoList logoArray;
    FinanceList titreHdl; // securities, by name
    FinanceList remunereHdl; // interest-bearing savings, by name
    FinanceList empruntHdl; // loans, by name
    FinanceList portfolioArray; // portfolios of securities, by name
    PrevisionList previsionsArray; // forecasts, in creation order
    AnalyseConfigList anadefHdl; // analysis configurations; position 0 is the default one
    GraphList graphHdl; // named graph definitions, in creation order
    RegleList reglesArray; // categorisation rules, in the order they are tried

    // Derived from the lists above and never written: built when the document opens, kept in step
    // by the operations that change those lists.
    ToolNodeList toolTree; // banks and their accounts as the windows show them (ToolTree.h)
    // The accounts of the bank last taken out of the tree, for its reinsertion under a new name.
    ToolNodeList savedToolSubList;
    QList<long> echeancierIndex; // schedule idents in the order of their names, case ignored
    QList<long> previsionIndex; // forecast idents in name order, for the schedule window
    // Stored names of attached files that no longer belong to a transaction; they are removed
    // from the package once a save has written transactions that no longer name them.
    QStringList storedDocToDeleteArray;

    // The package's own name, extension included; empty when the document has no URL.
    QString getDocLoadName() const;

    // Contents/Resources/<name> of the package, created when missing (without intermediate
    // folders). False when the package is not a folder with a Resources folder or creation fails.
    static bool getFolderInDocument(QString* url, const QString& name, const QString& docURL);

    // Work that answers later (a rate, a quote) holds this rather than trusting the pointer: it
    // expires with the document, so a late answer never reaches a closed document, nor another
    // one made since at the same address.
    std::weak_ptr<const void> lifetime() const { return m_lifetime; }

private:
    std::shared_ptr<const int> m_lifetime = std::make_shared<const int>(0);
};
