#include "model/DOCPARAM.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCUMENT.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using testenv::writeFile;

QString memberPath(const QString& package)
{
    return package + QStringLiteral("/Contents/Resources/docparam73.xml");
}

std::string xmlText(const XmlDocPtr& document)
{
    std::ostringstream out;
    if (document)
        document->save(out, "", pugi::format_raw);
    return out.str();
}

class DocParamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(700000000.0);
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }
};

} // namespace

TEST_F(DocParamTest, MissingDamagedOrPartialFileTakesTheDefaultsWithoutError)
{
    MONTANT::setCurrentDeviseSlot(2);
    const QString package = testenv::package(QStringLiteral("docparam-missing"));
    bool error = true;
    const auto p = DOCPARAM::loadDocParam(package, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(p->defaultCompte, 3);
    EXPECT_EQ(p->defaultCompteHistorique, -1);
    EXPECT_DOUBLE_EQ(p->lastManualSave, 700000000.0);
    EXPECT_EQ(p->lastAnalyseDevise, 2);
    EXPECT_GE(p->docSignature, 0);

    writeFile(memberPath(package), "\x01\x02 not xml");
    const auto damaged = DOCPARAM::loadDocParam(package, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(damaged->defaultCompte, 3);
    EXPECT_NE(damaged->docSignature, p->docSignature) << "each new document draws its own signature";

    writeFile(memberPath(package), "<record><defaultPoste>7</defaultPoste><chronoFilter>5</chronoFilter></record>");
    const auto partial = DOCPARAM::loadDocParam(package, &error);
    EXPECT_EQ(partial->defaultPoste, 7);
    EXPECT_EQ(partial->chronoFilter, 5);
    EXPECT_EQ(partial->defaultCompteHistorique, -1);
    EXPECT_TRUE(partial->autoComputeGraphique);
    EXPECT_DOUBLE_EQ(partial->lastManualSave, 700000000.0);
}

TEST_F(DocParamTest, EveryStoredSettingRoundTripsInTheFileOrder)
{
    const QString package = testenv::package(QStringLiteral("docparam-roundtrip"));
    DOCPARAM p;
    p.defaultDocParam();
    p.defaultDevise = 1;
    p.defaultCompteUser = 4000000000L; // account idents are 64-bit
    p.lastConfAnalyse = QStringLiteral("Dépenses <2024> & \"maison\"");
    p.docSignature = 123456789;
    p.docSignatureIsNew = p.multidevise = p.lastManualSaveStarted = true;
    p.lastSynchro = 712345678.25;
    p.chronoFilter = 12;
    p.autoComputeBudget = p.budgetShowEmpty = false;
    p.lastManualSave = 0; // a stored 0 is not a missing element
    p.lastAnalyseDevise = 4;
    p.documentWindows.append(PARAMFEN());
    p.currentRechercheTab = 3;
    ASSERT_TRUE(p.saveDocParam(package));

    bool error = true;
    const auto r = DOCPARAM::loadDocParam(package, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(r->currentRechercheTab, 0) << "the search tab is never stored";
    EXPECT_EQ(r->defaultCompteUser, 4000000000L);
    bool xmlError = true;
    EXPECT_EQ(xmlText(r->makeDocParamXML(&xmlError)), xmlText(p.makeDocParamXML(nullptr)));
    EXPECT_FALSE(xmlError);

    XmlDocPtr document;
    QStringList names;
    for (pugi::xml_node child : loadXMLRootFromURL(memberPath(package), &document).children())
        names.append(QString::fromUtf8(child.name()));
    EXPECT_EQ(names.join(QLatin1Char(' ')),
              QStringLiteral("echInactive defaultDevise defaultDossier defaultPoste defaultCompte defaultCompteUser "
                             "defaultCompteHistorique lastConfAnalyse lastConfRecherche lastGraphique "
                             "lastAnalyseAnalyseMonth docSignature docSignatureIsNew lastSynchro multidevise "
                             "chronoFilter autoComputeAnalyse autoComputeBudget autoComputeGraphique lastManualSave "
                             "lastManualSaveStarted lastAnalyseDevise analyseShowEmpty budgetShowEmpty "
                             "documentWindows"));
}

TEST_F(DocParamTest, RememberedWindowsKeepThirtyWithTwoDecimals)
{
    pugi::xml_node root;
    XmlDocPtr document = xmlCreateDocument(QStringLiteral("record"), &root);
    ParamFenList windows(35);
    for (int i = 0; i < windows.size(); ++i) {
        windows[i].ID1 = i;
        windows[i].x = 120.5f;
        windows[i].y = 100.123f;
    }
    windows[0].fenclass = QStringLiteral("Fen<&>");
    ASSERT_TRUE(PARAMFEN::appendFenList(root, windows));
    EXPECT_STREQ(root.child("documentWindows").child("record").child_value("y"), "100.12");

    const ParamFenList read = PARAMFEN::loadFenList(root);
    ASSERT_EQ(read.size(), 30);
    EXPECT_EQ(read[0].fenclass, QStringLiteral("Fen<&>"));
    EXPECT_EQ(read[29].ID1, 29);
    EXPECT_FLOAT_EQ(read[0].x, 120.5f);
    EXPECT_FLOAT_EQ(read[0].y, 100.12f);
    EXPECT_TRUE(PARAMFEN::loadFenList(root.child("documentWindows")).isEmpty());
    EXPECT_FALSE(PARAMFEN::appendFenList(pugi::xml_node(), windows));

    const QString path = testenv::freshDir(QStringLiteral("paramfen")) + QStringLiteral("/w.xml");
    writeFile(path, "<record><documentWindows><record><kind>Fen</kind></record></documentWindows></record>");
    XmlDocPtr sparse;
    const ParamFenList missing = PARAMFEN::loadFenList(loadXMLRootFromURL(path, &sparse));
    ASSERT_EQ(missing.size(), 1);
    EXPECT_EQ(missing[0].ID1, -1);
    EXPECT_EQ(missing[0].ID3, -1);
    EXPECT_EQ(missing[0].devise, 0);
}

TEST_F(DocParamTest, SignatureIsRedrawnOnceAndWrittenAtOnce)
{
    const QString package = testenv::package(QStringLiteral("docparam-signature"));
    DOCUMENT document(package, kFileSystemLocal);
    document.docParam = DOCPARAM::loadDocParam(package, nullptr);
    DOCPARAM& p = *document.docParam;
    p.docSignature = -5; // out of the draw's range: a redraw always changes it

    p.updateSignatureIfNecessary(package);
    const long first = p.docSignature;
    EXPECT_NE(first, -5);
    const auto stored = DOCPARAM::loadDocParam(package, nullptr);
    EXPECT_EQ(stored->docSignature, first);
    EXPECT_TRUE(stored->docSignatureIsNew);

    p.updateSignatureIfNecessary(package);
    EXPECT_EQ(p.docSignature, first);
}
