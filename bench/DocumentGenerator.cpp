#include "DocumentGenerator.h"

#include "document/SVDocumentManager.h"
#include "foundation/SystemClock.h"
#include "foundation/xmlmember.h"
#include "model/AnalyseConfigFile.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/PosteFile.h"
#include "model/SynonymeFile.h"
#include "model/TaxeFile.h"
#include "model/idents.h"

#include <QDir>
#include <QHash>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDay = 86400.0;
constexpr long kMonths = 120;
constexpr double kMonth = 365.25 / 12 * kDay;

class Generator {
public:
    Generator(DOCUMENT& doc, long transactions, unsigned seed)
        : m_doc(doc)
        , m_count(transactions)
        , m_seed(seed)
        , m_rng(seed)
        , m_now(SystemClock::now())
    {
    }

    void run()
    {
        makeDefaults();
        makeTools();
        makeCategories();
        makeSchedulesAndForecasts();
        for (long i = 0; i < m_count; ++i)
            m_doc.transact_array.append(makeTransact(i));
        makeStatements();
        makeExtras();
    }

private:
    long draw(long count) { return static_cast<long>(m_rng.bounded(quint32(count))); }
    template <typename T> T pick(const QList<T>& list) { return list.at(draw(list.size())); }

    MONTANT amount(double euros)
    {
        MONTANT m;
        m.makeMontant(0, std::round(euros * 100) / 100, m_doc.deviseHdl);
        return m;
    }

    void makeDefaults()
    {
        m_doc.deviseHdl = Devise::defaultDevises();
        m_doc.docParam = std::make_unique<DOCPARAM>();
        m_doc.docParam->defaultDocParam();
        m_doc.dossierHdl = defaultDossiers();
        m_doc.posteHdl = defaultPostes();
        m_doc.taxeHdl = defaultTaxes();
        m_doc.synonymeArray = defaultSynonymes();
        for (qsizetype i = 0; i < m_doc.synonymeArray.size(); ++i)
            m_doc.synonymeArray[i].ident = kLastFixedIdent + 1 + i;
        TOOL::initContrepartie(&m_doc);
        renumberDrawnTools();
        m_doc.docParam->docSignature = long(m_seed);
    }

    // The default banks and accounts draw their idents at random, as the default synonyms do: they
    // are numbered in list order instead, and so are the tools added after them, so that a seed
    // always gives the same document.
    void renumberDrawnTools()
    {
        QHash<long, long> banks;
        for (TOOL& bank : m_doc.banqueHdl) {
            if (bank.ident <= kLastFixedIdent)
                continue;
            banks.insert(bank.ident, m_nextToolIdent);
            bank.ident = m_nextToolIdent++;
        }
        for (TOOL& compte : m_doc.compteHdl) {
            compte.ownerID = banks.value(compte.ownerID, compte.ownerID);
            if (compte.ident > kLastFixedIdent)
                compte.ident = m_nextToolIdent++;
        }
    }

    long addTool(int kind, long owner, const QString& name, int bType)
    {
        TOOL tool = TOOL::newToolHdl(kind, owner, name, bType, 0, &m_doc);
        ToolList& list = kind == kToolBanque ? m_doc.banqueHdl : m_doc.compteHdl;
        tool.ident = m_nextToolIdent++;
        list.append(tool);
        return tool.ident;
    }

    void makeTools()
    {
        QList<long> banks;
        for (int b = 0; b < 3; ++b)
            banks.append(addTool(kToolBanque, -1, QStringLiteral("Banque %1").arg(b + 1), kBanqueUser));
        for (long a = 0; a < 4 + m_count / 10000; ++a) {
            const long ident
                = addTool(kToolCompte, banks.at(a % 3), QStringLiteral("Compte %1").arg(a + 1), kBanqueUser);
            m_userAccounts.append(ident);
            m_doc.moyenHdl.append(MOYEN::allocNewMoyen(9, ident));
            m_doc.moyenHdl.append(MOYEN::allocNewMoyen(11, ident));
        }
        const long tiers = addTool(kToolBanque, -1, QStringLiteral("Tiers"), kBanqueTiers);
        for (long t = 0; t < 30 + m_count / 1000; ++t)
            m_thirdParties.append(
                addTool(kToolCompte, tiers, QStringLiteral("Commerçant %1").arg(t + 1), kBanqueTiers));
        m_doc.docParam->defaultCompteUser = m_userAccounts.first();
    }

    void makeCategories()
    {
        for (const POSTE& poste : m_doc.posteHdl)
            m_postes.append(poste.ident);
        long next = 1 + m_postes.size();
        while (m_postes.size() < 60 + m_count / 2000) {
            POSTE poste;
            poste.ident = next++;
            poste.nom = QStringLiteral("Poste %1").arg(poste.ident);
            poste.dossierID = 1 + draw(11);
            m_doc.posteHdl.append(poste);
            m_postes.append(poste.ident);
        }
    }

    void makeSchedulesAndForecasts()
    {
        for (long s = 0; s < 20 + m_count / 5000; ++s) {
            ECHEANCIER echeancier(&m_doc);
            echeancier.ident = 100 + s;
            echeancier.nom = QStringLiteral("Échéance %1").arg(s + 1);
            echeancier.transact.who1 = pick(m_userAccounts);
            echeancier.transact.who2 = pick(m_thirdParties);
            echeancier.transact.posteID = pick(m_postes);
            echeancier.transact.solde = amount(20 + draw(900));
            m_doc.echeancierHdl.append(echeancier);
        }
        for (long p = 0; p < 10 + m_count / 10000; ++p) {
            Prevision prevision = Prevision::newPrevision(&m_doc);
            prevision.ident = 500 + p;
            prevision.name = QStringLiteral("Budget %1").arg(p + 1);
            prevision.transact.posteID = pick(m_postes);
            prevision.transact.solde = amount(100 + draw(500));
            m_doc.previsionsArray.append(prevision);
        }
    }

    TRANSACT makeTransact(long i)
    {
        TRANSACT t = TRANSACT::allocNewTransact(&m_doc);
        t.when = m_now - (kMonths * kMonth) * double(m_count - i) / double(m_count);
        t.planifiedDate = t.when;
        const long kind = draw(100);
        const bool income = kind >= 70 && kind < 85;
        t.who1 = income ? pick(m_thirdParties) : pick(m_userAccounts);
        t.who2 = kind < 70 ? pick(m_thirdParties) : pick(m_userAccounts);
        t.moyen = kind < 70 ? (draw(3) == 0 ? 9 : 11) : 7;
        t.posteID = pick(m_postes);
        t.solde = amount(income ? 1000 + draw(2000) : 5 + draw(30000) / 100.0);
        t.why = QStringLiteral("Opération %1 chez le commerçant").arg(i);
        if (t.moyen == 9)
            t.ref = QString::number(1000000 + i);
        if (i % 5 == 0)
            t.note = QStringLiteral("Première ligne de la note\nseconde ligne & fin");
        if (i % 10 == 0) {
            t.addMultiWithPosteID(pick(m_postes), amount(t.solde.values[0] / 2), QStringLiteral("moitié"));
            t.addMultiWithPosteID(pick(m_postes), amount(t.solde.values[0] / 2), QString());
        }
        if (i % 50 == 0)
            t.attachedDocuments.append({QStringLiteral("Facture"), QStringLiteral("Facture_%1.pdf").arg(i), QString()});
        if (i % 20 == 0)
            t.chronoID = m_doc.echeancierHdl.at(draw(m_doc.echeancierHdl.size())).ident;
        return t;
    }

    // Month m of the ten years, from 0; its statement's ident is m + 1.
    long monthOf(double when) const
    {
        return std::clamp(long((when - (m_now - kMonths * kMonth)) / kMonth), 0L, kMonths - 1);
    }

    void makeStatements()
    {
        for (TRANSACT& t : m_doc.transact_array) {
            if (t.when > m_now - 31 * kDay)
                continue;
            const long releve = monthOf(t.when) + 1;
            if (m_userAccounts.contains(t.who1))
                t.releveID1 = releve;
            if (m_userAccounts.contains(t.who2))
                t.releveID2 = releve;
        }
        for (TOOL& compte : m_doc.compteHdl) {
            if (!m_userAccounts.contains(compte.ident))
                continue;
            for (long m = kMonths - 2; m >= 0; --m) {
                RELEVE releve;
                releve.ident = m + 1;
                releve.date = m_now - (kMonths - m - 1) * kMonth;
                compte.releves.append(releve);
            }
        }
    }

    void makeExtras()
    {
        for (int k = 0; k < 10; ++k) {
            FINANCE titre = TITRE::allocNewTitre(m_doc);
            titre.nom = QStringLiteral("Titre %1").arg(k + 1);
            titre.ticker = QStringLiteral("TIT%1.PA").arg(k + 1);
            titre.cour = amount(10 + draw(200));
            titre.compteID = m_userAccounts.first();
            m_doc.titreHdl.append(titre);
        }
        m_doc.remunereHdl.append(REMUNERE::allocNewRemunere(m_doc));
        m_doc.empruntHdl.append(EMPRUNT::allocNewEmprunt(m_doc));
        m_doc.portfolioArray.append(PORTFOLIO::allocNewPortfolio(m_doc));
        for (int k = 0; k < 5; ++k) {
            MACRO macro;
            macro.nom = QStringLiteral("Macro %1").arg(k + 1);
            macro.ch = char16_t(u'a' + k);
            macro.transact = m_doc.transact_array.value(k);
            m_doc.macroHdl.append(macro);
        }
        for (int k = 0; k < 10; ++k) {
            REGLE regle;
            regle.importID = pick(m_userAccounts);
            regle.who1 = regle.importID;
            regle.who2 = pick(m_thirdParties);
            regle.posteID = pick(m_postes);
            regle.moyen = 11;
            regle.mots = {QStringLiteral("COMMERCANT"), QStringLiteral("N%1").arg(k)};
            m_doc.reglesArray.append(regle);
        }
        m_doc.anadefHdl = builtInAnaConfigs(&m_doc);
        for (int k = 0; k < 3; ++k)
            m_doc.graphHdl.append(GRAPH::newGraph(&m_doc));
    }

    DOCUMENT& m_doc;
    long m_count;
    unsigned m_seed;
    QRandomGenerator m_rng;
    double m_now;
    long m_nextToolIdent = kLastFixedIdent + 1;
    QList<long> m_userAccounts;
    QList<long> m_thirdParties;
    QList<long> m_postes;
};

} // namespace

std::unique_ptr<DOCUMENT> DocumentGenerator::generate(long transactions, unsigned seed)
{
    auto doc = std::make_unique<DOCUMENT>(QString(), kFileSystemLocal);
    doc->transact_array.reserve(transactions);
    Generator(*doc, transactions, seed).run();
    return doc;
}

bool DocumentGenerator::writePackage(DOCUMENT& doc, const QString& url)
{
    if (!QDir().mkpath(url) || !createPackageResources(url, nullptr, nullptr))
        return false;
    doc.documentUrl = url;
    return SVDocumentManager::defaultManager().saveDocumentInternal(url, doc) == DocError::None;
}

qint64 DocumentGenerator::memberFilesSize(const QString& url)
{
    qint64 size = 0;
    QString resources;
    packageResourcesURL(url, &resources);
    for (const QFileInfo& file : QDir(resources).entryInfoList({QStringLiteral("*.xml")}, QDir::Files))
        size += file.size();
    return size;
}

void DocumentGenerator::addNumberedTools(DOCUMENT& doc, long banks, long accounts, bool firstBankThirdParties)
{
    auto tool = [](int kind, long ident, long owner, int bType) {
        TOOL t;
        t.kind = kind;
        t.ident = ident;
        t.ownerID = owner;
        t.bType = bType;
        t.nom = QStringLiteral("Outil %1").arg(ident);
        return t;
    };
    for (long b = 0; b < banks; ++b)
        doc.banqueHdl.append(
            tool(kToolBanque, 100 + b, -1, b == 0 && firstBankThirdParties ? kBanqueTiers : kBanqueUser));
    for (long c = 0; c < accounts; ++c)
        doc.compteHdl.append(tool(kToolCompte, 1000 + c, 100 + c % banks, kBanqueUser));
}
