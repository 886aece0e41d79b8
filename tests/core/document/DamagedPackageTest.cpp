// Packages damaged on disk: a member file missing, empty, replaced by a folder or by a link, or
// holding an impossible date, a shared ident or bytes that are no UTF-8. Each is a fault with its
// place, the worst shown first; nothing outside a package is read or written, and a folder that
// holds no document is refused before anything is written into it.
#include "document/APPLIPARAM.h"
#include "document/BEFOREPARAM.h"
#include "document/DocumentSession.h"
#include "document/PackageMembers.h"
#include "document/SVDocumentManager.h"
#include "document/SVWorkspaceManager.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/AttachedDocuments.h"
#include "model/DOCUMENT.h"
#include "model/TOOL.h"
#include "support/FakeAlerts.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString fixture(const QString& name)
{
    static int serial = 0;
    const QString url = testenv::freshDir(name) + QStringLiteral("/Abimé%1.svd").arg(++serial);
    EXPECT_TRUE(copyItemAtPath(QStringLiteral(SORV_TEST_DATA_DIR "/packages/complete.svd"), url));
    return url;
}

QString member(const QString& url, const QString& name)
{
    return url + QStringLiteral("/Contents/Resources/") + name;
}

// The code and the faults of a load of the package.
DocError load(const QString& url, LoadIssues* issues, std::unique_ptr<DOCUMENT>* kept = nullptr)
{
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    const DocError code = SVDocumentManager::defaultManager().loadDocumentInternal(url, *doc, issues);
    if (kept)
        *kept = std::move(doc);
    return code;
}

QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path),
                     QFileInfo(path).isSymLink() ? QFile::symLinkTarget(path).toUtf8() : testenv::readFile(path));
    }
    return files;
}

class NoPassword : public IOpeningShell {
public:
    bool askDocumentPassword(const BEFOREPARAM&, const QString&) override { return false; }
    void showOpenedDocument(DOCUMENT&, bool) override { }
};

class DamagedPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        APPLIPARAM::disposeAppliParam();
        APPLIPARAM::loadAppliParam().nbSauvNew = 0;
        ASSERT_TRUE(APPLIPARAM::saveAppliParam());
    }
    void TearDown() override { DocumentSession::close(std::move(doc)); }
    bool open(const QString& url) { return DocumentSession::open(url, &doc, false, kFileSystemLocal, shell); }

    std::unique_ptr<DOCUMENT> doc;
    NoPassword shell;
};

} // namespace

TEST_F(DamagedPackage, AMemberMissingEmptyOrNoFileIsItsMembersFault)
{
    const QString missing = QStringLiteral("le fichier manque ; rien n'a pu en être lu");
    const QString empty = QStringLiteral("le fichier est vide ; rien n'a pu en être lu");
    const QString notFile
        = QStringLiteral("ce n'est pas un fichier ordinaire (un lien ou un dossier) ; il n'a pas été lu");
    const struct {
        const char* name;
        std::function<void(const QString&)> damage;
        DocError code;
        LoadIssue fault;
    } cases[] = {
        {"transact.xml gone",
         [](const QString& u) { QFile::remove(member(u, "transact.xml")); },
         DocError::Transact,
         {"transact.xml", 0, missing}},
        {"transact.xml emptied",
         [](const QString& u) { testenv::writeFile(member(u, "transact.xml"), ""); },
         DocError::Transact,
         {"transact.xml", 0, empty}},
        {"compte.xml of blanks",
         [](const QString& u) { testenv::writeFile(member(u, "compte.xml"), " \n\t\n"); },
         DocError::Compte,
         {"compte.xml", 0, empty}},
        {"banque.xml a folder",
         [](const QString& u) {
             QFile::remove(member(u, "banque.xml"));
             QDir().mkpath(member(u, "banque.xml"));
         },
         DocError::Banque,
         {"banque.xml", 0, notFile}},
        {"docparam73.xml gone",
         [](const QString& u) { QFile::remove(member(u, "docparam73.xml")); },
         DocError::DocParam,
         {"docparam73.xml", 0, missing}},
        {"beforeparam.xml a folder",
         [](const QString& u) {
             QFile::remove(member(u, "beforeparam.xml"));
             QDir().mkpath(member(u, "beforeparam.xml"));
         },
         DocError::BeforeParam,
         {"beforeparam.xml", 0, notFile}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString url = fixture(QStringLiteral("members"));
        c.damage(url);
        LoadIssues issues;
        std::unique_ptr<DOCUMENT> loaded;
        EXPECT_EQ(load(url, &issues, &loaded), c.code);
        ASSERT_FALSE(issues.isEmpty());
        EXPECT_EQ(issues.items().first(), c.fault);
        EXPECT_TRUE(issues.items().first().severe);
    }

    // The older layout's analysis configurations stand for the newer file; a new package, not yet
    // saved, lacks every member.
    const QString older = fixture(QStringLiteral("older"));
    QFile::rename(member(older, "anadef8.xml"), member(older, "anadef.xml"));
    LoadIssues none;
    std::unique_ptr<DOCUMENT> loaded;
    EXPECT_EQ(load(older, &none, &loaded), DocError::None);
    EXPECT_FALSE(loaded->anadefHdl.isEmpty());
    const QString fresh = testenv::package(QStringLiteral("fresh"));
    auto created = std::make_unique<DOCUMENT>(fresh, kFileSystemLocal);
    EXPECT_EQ(SVDocumentManager::defaultManager().loadDocumentInternal(fresh, *created, &none, true), DocError::None);
    EXPECT_TRUE(none.isEmpty());
}

TEST_F(DamagedPackage, LinkedMembersAreNeverFollowedAndARefusedOpeningWritesNothing)
{
    const QString outside = testenv::freshDir(QStringLiteral("outside")) + QStringLiteral("/ailleurs.xml");
    const QByteArray outsideBytes = "<record><version>31</version><password>x</password></record>";
    testenv::writeFile(outside, outsideBytes);
    const QString url = fixture(QStringLiteral("linked"));
    QFile::remove(member(url, "beforeparam.xml"));
    ASSERT_TRUE(QFile::link(outside, member(url, "beforeparam.xml")));
    const auto before = snapshot(url);

    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton); // don't open
    EXPECT_FALSE(open(url));
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_CannotOpenDoc")));
    EXPECT_TRUE(alerts.shown.value(0).information.contains("« beforeparam.xml »"));
    EXPECT_EQ(snapshot(url), before);

    alerts.expect(kAlertSecondButton); // open anyway, then save
    ASSERT_TRUE(open(url));
    bool saved = false;
    SVDocumentManager::defaultManager().saveDocument(doc.get(), url, {}, [&saved] { saved = true; }, {});
    EXPECT_TRUE(saved);
    EXPECT_EQ(testenv::readFile(outside), outsideBytes);
    EXPECT_FALSE(QFileInfo(member(url, "beforeparam.xml")).isSymLink());
    EXPECT_EQ(doc->transact_array.size(), 7);

    // A linked list member is not read, and a write never goes through a link.
    const QString transact = member(url, "transact.xml");
    QFile::rename(transact, outside + ".transact");
    ASSERT_TRUE(QFile::link(outside + ".transact", transact));
    LoadIssues issues;
    std::unique_ptr<DOCUMENT> loaded;
    EXPECT_EQ(load(url, &issues, &loaded), DocError::Transact);
    EXPECT_TRUE(loaded->transact_array.isEmpty());
    pugi::xml_node root;
    const XmlDocPtr xml = xmlCreateDocument(QStringLiteral("list"), &root);
    EXPECT_FALSE(saveXMLInPackage(url, xml.get(), QStringLiteral("transact.xml")));
    EXPECT_EQ(xmlLastWriteError(), ELOOP);
    EXPECT_NE(testenv::readFile(outside + ".transact"), xmlDocumentBytes(xml.get()));

    // A linked folder of member files is damage too, and a linked sub-folder is never written into.
    const QString other = fixture(QStringLiteral("linkedFolder"));
    const QString resources = other + QStringLiteral("/Contents/Resources");
    QDir().rename(resources, outside + ".res");
    ASSERT_TRUE(QFile::link(outside + ".res", resources));
    EXPECT_EQ(load(other, &issues), DocError::BeforeParam);
    EXPECT_FALSE(saveXMLInPackage(other, xml.get(), QStringLiteral("taxe.xml")));
    QString folder;
    ASSERT_TRUE(QFile::link(outside + ".res", member(url, "simulation2")));
    EXPECT_FALSE(DOCUMENT::getFolderInDocument(&folder, QStringLiteral("simulation2"), url));

    // An attached file that is a link is not opened nor copied out.
    ASSERT_TRUE(QFile::link(outside, member(url, "Documents/Lien.pdf")));
    EXPECT_EQ(storedAttachedDocumentPath(*doc, QStringLiteral("Lien.pdf")), QString());
    EXPECT_EQ(storedAttachedDocumentPath(*doc, QStringLiteral("Ticket.pdf")), member(url, "Documents/Ticket.pdf"));
    EXPECT_EQ(storedAttachedDocumentPath(*doc, QStringLiteral("../transact.xml")), QString());
}

TEST_F(DamagedPackage, ImpossibleDatesSharedIdentsAndBadBytesAreNotedWhereTheyAre)
{
    const QString url = fixture(QStringLiteral("values"));
    QByteArray transact = testenv::readFile(member(url, "transact.xml"));
    const qsizetype second = transact.indexOf("<when>", transact.indexOf("<when>") + 1);
    transact.replace(second + 6, transact.indexOf("</when>", second) - second - 6, "2026-13-45");
    testenv::writeFile(member(url, "transact.xml"), transact);
    QByteArray comptes = testenv::readFile(member(url, "compte.xml"));
    // Each account is a line of its own; the third takes the first one's ident.
    const QByteArray start = "\n  <record><ident>";
    const qsizetype firstIdent = comptes.indexOf(start) + start.size();
    const QByteArray firstValue = comptes.mid(firstIdent, comptes.indexOf("</ident>", firstIdent) - firstIdent);
    const qsizetype thirdIdent = comptes.indexOf(start, comptes.indexOf(start, firstIdent) + 1) + start.size();
    comptes.replace(thirdIdent, comptes.indexOf("</ident>", thirdIdent) - thirdIdent, firstValue);
    // The last one takes the ident of the account written over several lines.
    comptes.replace(comptes.lastIndexOf("<ident>2002</ident>"), 19, "<ident>1001</ident>");
    testenv::writeFile(member(url, "compte.xml"), comptes);
    QByteArray taxes = testenv::readFile(member(url, "taxe.xml"));
    const qsizetype name = taxes.indexOf("<nom>", taxes.indexOf("<record>", taxes.indexOf("<record>") + 1)) + 5;
    taxes.insert(name, "TVA \xC3\x28 ");
    testenv::writeFile(member(url, "taxe.xml"), taxes);

    LoadIssues issues;
    std::unique_ptr<DOCUMENT> loaded;
    EXPECT_EQ(load(url, &issues, &loaded), DocError::Transact);
    const QString ident = QString::fromUtf8(firstValue);
    const QList<LoadIssue> expected {
        {"transact.xml", 2, "date « when » illisible (« 2026-13-45 »), remplacée par la date du jour"},
        {"taxe.xml", 2,
         QStringLiteral("texte illisible ligne %1 : des caractères ne sont pas de l'UTF-8 et sont remplacés par « � »")
             .arg(taxes.left(name).count('\n') + 1)},
        {"compte.xml", 4, // the second account is written over several lines
         QStringLiteral("l'identifiant %1 est aussi celui de l'enregistrement 1 ; les opérations qui le citent sont "
                        "rattachées au premier")
             .arg(ident)},
        {"compte.xml", 7,
         "l'identifiant 1001 est aussi celui de l'enregistrement 3 ; les opérations qui le citent sont rattachées au "
         "premier"},
    };
    EXPECT_EQ(issues.items(), expected);
    EXPECT_TRUE(loaded->taxeHdl.value(1).nom.contains(QChar(0xFFFD))
                || loaded->taxeHdl.value(0).nom.contains(QChar(0xFFFD)));
    EXPECT_EQ(loaded->compteHdl.size(), 7);
}

TEST(LoadIssueList, TheWorstComesFirstAndTheRestIsCountedInFrench)
{
    QList<LoadIssue> issues;
    for (long record = 1; record <= 5; ++record)
        issues.append({"transact.xml", record, "montant « solde » absent ou vide, lu comme zéro"});
    issues.append({"transact.xml", 6,
                   "XML endommagé ligne 80 (le fichier s'arrête au milieu) ; la suite du fichier est perdue", true});
    const QStringList lines = describeLoadIssues(issues, 5).split(u'\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].contains("s'arrête au milieu"));
    EXPECT_EQ(lines[5], "… et 1 autre problème (voir le journal).");
    issues.append(issues.first());
    EXPECT_TRUE(describeLoadIssues(issues, 5).endsWith("… et 2 autres problèmes (voir le journal)."));
    EXPECT_EQ(describeLoadIssues(issues.mid(0, 5), 5).split(u'\n').size(), 5);
}

TEST_F(DamagedPackage, AFolderWithoutTheFilesOfADocumentIsRefusedUntouched)
{
    const QString empty = testenv::freshDir(QStringLiteral("empty")) + QStringLiteral("/x.svd");
    ASSERT_TRUE(QDir().mkpath(empty));
    QString reason;
    EXPECT_FALSE(isDocumentPackage(empty, &reason));
    EXPECT_EQ(reason, localizedDialogue(QStringLiteral("kPackage_noMembers")));
    EXPECT_FALSE(isDocumentPackage(empty + "/absent.svd", &reason));
    EXPECT_EQ(reason, QStringLiteral("le fichier ou le dossier n'existe pas, ou plus."));

    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(open(empty));
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue(QStringLiteral("kAlerte_NotADocument")));
    EXPECT_EQ(alerts.shown.value(0).information,
              "« x.svd » : " + localizedDialogue(QStringLiteral("kPackage_noMembers")));
    EXPECT_TRUE(QDir(empty).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    QString url = empty;
    EXPECT_EQ(SVWorkspaceManager::sharedInstance().importerRecent(&url, kFileSystemLocal), kImportNotDocument);
    EXPECT_TRUE(isDocumentPackage(fixture(QStringLiteral("whole")), nullptr));
}

// A sub-folder that leads out of the package is named at opening, since a save can't keep it.
TEST_F(DamagedPackage, ALinkedSubFolderIsNamedAtOpening)
{
    const QString outside = testenv::freshDir(QStringLiteral("outside-folder"));
    testenv::writeFile(outside + QStringLiteral("/Facture.pdf"), "%PDF");
    const QString url = fixture(QStringLiteral("linked-subfolder"));
    QDir(member(url, "Documents")).removeRecursively();
    ASSERT_TRUE(QFile::link(outside, member(url, "Documents")));

    LoadIssues issues;
    EXPECT_EQ(load(url, &issues), DocError::AttachedFolder);
    ASSERT_EQ(issues.items().size(), 1);
    EXPECT_EQ(issues.items().first().member, QStringLiteral("Documents"));
    EXPECT_TRUE(issues.items().first().describe().contains(QStringLiteral("lien")));

    LoadIssues none;
    EXPECT_EQ(load(fixture(QStringLiteral("plain-subfolder")), &none), DocError::None);
}
