// Loading and saving whole packages: a package written by hand loads whole, every faulty member
// gives its own code, and no failure of a save, nor a save stopped at any step, loses the
// document.
#include "document/DocContext.h"
#include "document/FileSystemOps.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SVDocumentManager.h"
#include "engines/ChronoManager.h"
#include "engines/PlanificatorWalk.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "foundation/files.h"
#include "foundation/localized.h"
#include "model/AttachedDocuments.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/ReleveCompute.h"
#include "support/DismissingAlerts.h"
#include "support/FakeAlerts.h"
#include "support/OpenDocument.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QScopeGuard>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

namespace {

const QString kFixtures = QStringLiteral(SORV_TEST_DATA_DIR "/packages");
SVDocumentManager& manager()
{
    return SVDocumentManager::defaultManager();
}

QString resources(const QString& package)
{
    return package + QStringLiteral("/Contents/Resources");
}

// A copy of the hand-written package, "Comptes.svd" in a fresh folder, with the damaged members of
// the fault fixtures given laid over it.
QString fixture(const QString& name, const QStringList& faults = {},
                const QString& document = QStringLiteral("Comptes"))
{
    const QString url = testenv::freshDir(name) + QLatin1Char('/') + document + QStringLiteral(".svd");
    EXPECT_TRUE(copyItemAtPath(kFixtures + QStringLiteral("/complete.svd"), url));
    for (const QString& fault : faults) {
        const QDir damaged(kFixtures + QStringLiteral("/errors/") + fault);
        for (const QString& file : damaged.entryList(QDir::Files))
            testenv::writeFile(resources(url) + QLatin1Char('/') + file, testenv::readFile(damaged.filePath(file)));
    }
    return url;
}

// The code as the fixtures name it.
std::unique_ptr<DOCUMENT> load(const QString& url, int* code, LoadIssues* issues = nullptr)
{
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    *code = static_cast<int>(manager().loadDocumentInternal(url, *doc, issues));
    return doc;
}

QString errorText(int code)
{
    return SVDocumentManager::loadDocument_err_to_string(static_cast<DocError>(code));
}

// Every file of the package by its relative path.
QMap<QString, QByteArray> snapshot(const QString& package)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(package, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(package).relativeFilePath(path), testenv::readFile(path));
    }
    return files;
}

// Runs a save; true when actionOK ran (exactly one action must run).
bool save(DOCUMENT& doc, const QString& to, bool staging)
{
    int ok = 0;
    int nok = 0;
    manager().saveDocument(
        &doc, to, {.useTempFolder = staging, .doMessage = false}, [&ok]() { ++ok; }, [&nok]() { ++nok; });
    EXPECT_EQ(ok + nok, 1);
    return ok == 1;
}

// The package a save left in a hidden set-aside folder beside the document; empty when none.
QString setAside(const QString& url)
{
    const QDir folder(QFileInfo(url).path());
    const QStringList asides = folder.entryList({QLatin1Char('*') + QLatin1String(kSetAsideFolderName)},
                                                QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    return asides.isEmpty() ? QString() : setAsidePackageUrl(folder.filePath(asides.first()), url);
}

QStringList folderEntries(const QString& url)
{
    return QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Fails the steps a test names (by kind and path) with the errors it gives, and can stop every
// step from the n-th on, as a killed process would.
class FaultyFileSystem : public FileSystemOps {
public:
    FaultyFileSystem() { FileSystemOps::install(this); }
    ~FaultyFileSystem() override { FileSystemOps::install(nullptr); }
    FaultyFileSystem(const FaultyFileSystem&) = delete;
    FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

    std::function<int(const QString& kind, const QString& from, const QString& to)> fault;
    int steps = 0;
    int deadFrom = -1;

    bool makeFolder(const QString& p, int* e) override
    {
        return pass("mkdir", p, {}, e) && FileSystemOps::makeFolder(p, e);
    }
    bool removeItem(const QString& p, int* e) override
    {
        return pass("remove", p, {}, e) && FileSystemOps::removeItem(p, e);
    }
    bool moveItem(const QString& f, const QString& t, int* e) override
    {
        return pass("move", f, t, e) && FileSystemOps::moveItem(f, t, e);
    }
    bool copyItem(const QString& f, const QString& t, int* e) override
    {
        return pass("copy", f, t, e) && FileSystemOps::copyItem(f, t, e);
    }
    bool cloneItem(const QString& f, const QString& t, const CloneOptions& o, int* e) override
    {
        return pass("copy", f, t, e) && FileSystemOps::cloneItem(f, t, o, e);
    }

private:
    bool pass(const QString& kind, const QString& from, const QString& to, int* error)
    {
        const int code = (deadFrom >= 0 && steps >= deadFrom) ? EIO : (fault ? fault(kind, from, to) : 0);
        ++steps;
        if (code != 0 && error)
            *error = code;
        return code == 0;
    }
};

} // namespace

TEST(LoadSave, HandWrittenPackageLoadsWholeAndIsRepaired)
{
    int code = -1;
    const auto doc = load(fixture(QStringLiteral("whole")), &code);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(doc->transact_array.size(), 7);
    const TRANSACT& courses = doc->transact_array[3];
    EXPECT_EQ(courses.why, "Courses <samedi>");
    EXPECT_EQ(courses.note, "Liste du marché\nfruits & légumes");
    ASSERT_EQ(courses.multis.size(), 2);
    EXPECT_EQ(courses.multis[1].posteID, 5);
    EXPECT_EQ(courses.attachedDocuments.value(0).docStoreName, "Ticket.pdf");
    EXPECT_EQ(doc->transact_array[1].synchroID, 8589934593LL);
    EXPECT_EQ(doc->transact_array[2].chronoID, 40);
    // A deleted schedule and deleted categories, in the main line and in a split line.
    const TRANSACT& cheque = doc->transact_array[4];
    EXPECT_EQ(cheque.chronoID, -1);
    EXPECT_EQ(cheque.posteID, 1);
    EXPECT_EQ(cheque.multis.value(0).posteID, 1);

    // Every member reached its list, and the readers that build on earlier ones had them.
    const QList<qsizetype> sizes {
        doc->deviseHdl.size(),     doc->dossierHdl.size(),     doc->posteHdl.size(),   doc->previsionsArray.size(),
        doc->echeancierHdl.size(), doc->macroHdl.size(),       doc->empruntHdl.size(), doc->titreHdl.size(),
        doc->remunereHdl.size(),   doc->portfolioArray.size(), doc->anadefHdl.size(),  doc->graphHdl.size(),
        doc->taxeHdl.size(),       doc->banqueHdl.size(),      doc->compteHdl.size(),  doc->moyenHdl.size(),
        doc->synonymeArray.size(), doc->logoArray.size(),      doc->reglesArray.size()};
    EXPECT_EQ(sizes, (QList<qsizetype> {5, 3, 5, 1, 1, 1, 1, 1, 1, 1, 2, 1, 2, 4, 7, 3, 2, 1, 2}));
    EXPECT_EQ(doc->docParam->defaultCompteUser, 1001);
    EXPECT_EQ(doc->echeancierHdl.value(0).perso.size(), 1);
    EXPECT_EQ(doc->anadefHdl.value(1).postesArray, (AnaIdentList {2, 3, 5}));

    recomputeAllReleves(doc.get());
    const TOOL* courant = TOOL::getTool(kToolCompte, 1001, doc.get());
    ASSERT_NE(courant, nullptr);
    EXPECT_NEAR(courant->solde.values[0], 3034.5, 0.005);
    EXPECT_NEAR(courant->releves.value(0).solde.values[0], 1700, 0.005);
    EXPECT_NEAR(TOOL::getTool(kToolBanque, 100, doc.get())->solde.values[0], 2583.5, 0.005);
}

TEST(LoadSave, EveryFaultyMemberGivesItsCodeAndPlaceAndTheRestIsRead)
{
    // Each fault fixture is named after its code; the first fault it notes, where and what.
    const QString missing = QStringLiteral("montant « %1 » absent ou vide, lu comme zéro");
    const QString stray = QStringLiteral("contenu inattendu après cet enregistrement, ignoré : « %1 »");
    const QString lostText = QStringLiteral("texte égaré au milieu de la liste");
    const QString noTemplate = QStringLiteral("opération « transact » absente");
    const QString noTotals = QStringLiteral("totaux « totaux » absents ou incomplets, lus comme zéro");
    const QMap<QString, LoadIssue> firstFaults {
        {"01-transact", {"transact.xml", 2, missing.arg("solde")}},
        {"04-devise",
         {"devise.xml", 0, "4 devises au lieu de 5 ; les devises manquantes reprennent les réglages par défaut"}},
        {"05-dossier", {"dossier.xml", 3, stray.arg("<folder>")}},
        {"06-poste",
         {"poste.xml", 4,
          "le poste « Salaire » est rangé dans un dossier qui n'existe pas (42) ; il est rattaché au dossier par "
          "défaut"}},
        {"07-chrono", {"chrono.xml", 1, noTemplate}},
        {"08-prevision", {"prevision.xml", 1, noTemplate}},
        {"09-macro", {"macro.xml", 1, noTemplate}},
        {"10-emprunt", {"emprunt.xml", 1, noTotals}},
        {"11-titre", {"titre.xml", 1, noTotals}},
        {"12-remunere", {"remunere.xml", 1, noTotals}},
        {"13-portfolio", {"portfolio.xml", 1, noTotals}},
        {"14-analyse", {"anadef8.xml", 0, "le fichier n'est pas du XML lisible ; rien n'a pu en être lu"}},
        {"15-taxe", {"taxe.xml", 1, stray.arg(lostText)}},
        {"16-banque", {"banque.xml", 4, missing.arg("solde")}},
        {"17-compte", {"compte.xml", 5, missing.arg("solde")}},
        {"18-moyen", {"moyen.xml", 1, stray.arg(lostText)}},
        {"19-graphique", {"graphdef.xml", 1, missing.arg("soldeInit")}},
        {"20-regles", {"regles.xml", 1, stray.arg("règle sans enregistrement")}},
        {"22-synonyme", {"synonyme.xml", 1, stray.arg(lostText)}},
        {"23-logo", {"logo.xml", 1, stray.arg(lostText)}},
    };
    const QStringList faults = QDir(kFixtures + QStringLiteral("/errors")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(faults, firstFaults.keys());
    for (const QString& fault : faults) {
        SCOPED_TRACE(fault.toStdString());
        int code = -1;
        LoadIssues issues;
        const auto doc = load(fixture(QStringLiteral("fault"), {fault}), &code, &issues);
        EXPECT_EQ(code, fault.left(2).toInt());
        ASSERT_FALSE(issues.isEmpty());
        EXPECT_EQ(issues.items()[0].describe(), firstFaults.value(fault).describe());
        EXPECT_EQ(doc->transact_array.size(), 7);
        EXPECT_EQ(doc->logoArray.size(), 1);
    }
    // The first member in reading order wins.
    int code = -1;
    load(fixture(QStringLiteral("two"), {QStringLiteral("04-devise"), QStringLiteral("01-transact")}), &code);
    EXPECT_EQ(code, 1);
    load(fixture(QStringLiteral("two"), {QStringLiteral("20-regles"), QStringLiteral("23-logo")}), &code);
    EXPECT_EQ(code, 23);

    for (int c = 1; c <= 30; ++c) {
        const QString text = errorText(c);
        EXPECT_FALSE(text == "?" || text.startsWith("kOpenDoc")) << c;
    }
    EXPECT_EQ(errorText(24), errorText(30));
    EXPECT_EQ(errorText(0), "?");
    EXPECT_EQ(errorText(31), "?");
}

namespace {

// One member of the hand-written package changed, and the faults its loading must note.
struct Damage {
    const char* name;
    const char* member;
    std::function<QByteArray(QByteArray)> change;
    int code;
    QList<LoadIssue> faults;
};

QByteArray cutAfter(const QByteArray& bytes, const QByteArray& text)
{
    return bytes.left(bytes.indexOf(text) + text.size());
}

QByteArray cutBefore(const QByteArray& bytes, const QByteArray& text, int occurrence)
{
    qsizetype at = -1;
    for (int i = 0; i < occurrence; ++i)
        at = bytes.indexOf(text, at + 1);
    return bytes.left(at);
}

QString damagedXml(int line, const char* why)
{
    return QStringLiteral("XML endommagé ligne %1 (%2) ; la suite du fichier est perdue").arg(line).arg(why);
}

QString notUtf8(int line)
{
    return QStringLiteral(
               "texte illisible ligne %1 : des caractères ne sont pas de l'UTF-8 et sont remplacés par « � »")
        .arg(line);
}

} // namespace

TEST(LoadSave, DamagedMembersNameTheirFileRecordAndFault)
{
    const Damage damages[] = {
        {"an amount that is no number",
         "transact.xml",
         [](QByteArray b) { return b.replace("<solde><v>800</v>", "<solde><v>huit cents</v>"); },
         1,
         {{"transact.xml", 3, "montant « solde » illisible (« huit cents »), lu comme zéro"}}},
        {"dates beyond the calendar's years",
         "transact.xml",
         [](QByteArray b) {
             return b.replace("<when>694224000.000000</when>", "<when>1e300</when>")
                 .replace("<when>696942000.000000</when>", "<when>-7e10</when>");
         },
         1,
         {{"transact.xml", 1, "date « when » illisible (« 1e300 »), remplacée par la date du jour"},
          {"transact.xml", 3, "date « when » illisible (« -7e10 »), remplacée par la date du jour"}}},
        {"bytes that are no UTF-8",
         "transact.xml",
         [](QByteArray b) { return b.replace("Loyer f", "Loyer \xFF f"); },
         1,
         {{"transact.xml", 3, notUtf8(36)}}},
        {"an overlong two-byte sequence in the last record",
         "transact.xml",
         [](QByteArray b) { return b.replace("10 actions", "10 \xC1\xA9 actions"); },
         1,
         {{"transact.xml", 7, notUtf8(94)}}},
        {"a list cut short between two records",
         "transact.xml",
         [](QByteArray b) { return cutBefore(b, "<transact>", 6); },
         1,
         {{"transact.xml", 6, damagedXml(73, "le fichier s'arrête au milieu")}}},
        {"a list cut short inside a record",
         "taxe.xml",
         [](QByteArray b) { return cutAfter(b, "<rate>5.5"); },
         15,
         {{"taxe.xml", 2, damagedXml(4, "le fichier s'arrête au milieu")}}},
        {"a mismatched end tag",
         "compte.xml",
         [](QByteArray b) {
             const qsizetype third = b.indexOf("<record>", b.indexOf("<record>", b.indexOf("<record>") + 1) + 1);
             return b.replace(b.indexOf("</nom>", third), 6, "</name>");
         },
         17,
         // The record read up to the damage lacks what came after it.
         {{"compte.xml", 3, damagedXml(6, "une balise de fin ne correspond pas")},
          {"compte.xml", 3, "montant « solde » absent ou vide, lu comme zéro"},
          {"compte.xml", 3, "montant « soldeSR » absent ou vide, lu comme zéro"},
          {"compte.xml", 3, "montant « RsoldeSR » absent ou vide, lu comme zéro"},
          {"compte.xml", 3, "liste « relevelist » absente"}}},
        {"a nameless instruction after the list",
         "compte.xml",
         [](QByteArray b) {
             return b
                 + "<?"
                   "?>";
         },
         0,
         {}},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        const QString url = fixture(QStringLiteral("damage"));
        const QString path = resources(url) + QLatin1Char('/') + QLatin1String(damage.member);
        testenv::writeFile(path, damage.change(testenv::readFile(path)));
        int code = -1;
        LoadIssues issues;
        load(url, &code, &issues);
        EXPECT_EQ(code, damage.code);
        EXPECT_EQ(issues.items(), damage.faults);
    }
}

namespace {

// What a date could change without the user: the balances, the occurrences due today (the due
// window's default button writes them all), and the calendar of every schedule (each occurrence
// and whether it counts as written) and forecast (each occurrence and its end of validity).
struct Money {
    QList<double> balances;
    QStringList due;
    QStringList calendars;
    bool operator==(const Money&) const = default;
};

void appendCalendar(const Planificator& rule, QStringList& calendars)
{
    double end = 0;
    dmyToDate(1, 1, 2025, &end);
    PlanificatorWalk walk(rule);
    const auto block = [&](bool written, bool reconduction, double date, double) {
        if (!reconduction)
            calendars.append(
                QStringLiteral("%1 %2 %3")
                    .arg(date, 0, 'f', 0)
                    .arg(written)
                    .arg(rule.type == Planificator::kTypePrevision ? rule.computeValideToDate(date) : 0, 0, 'f', 0));
    };
    while (walk.chronoLoop(end, block)) { }
}

Money moneyOf(DOCUMENT& doc)
{
    Money money;
    recomputeAllReleves(&doc);
    for (const auto* tools : {&doc.banqueHdl, &doc.compteHdl}) {
        for (const TOOL& tool : *tools) {
            money.balances.append(tool.solde.values[0]);
            for (const RELEVE& releve : tool.releves)
                money.balances.append(releve.solde.values[0]);
        }
    }
    AwakeList due;
    for (const ECHEANCIER& echeancier : doc.echeancierHdl) {
        collectAwakeForEcheancier(echeancier, due);
        appendCalendar(echeancier.planificator, money.calendars);
    }
    for (const AWAKE& awake : due)
        money.due.append(QStringLiteral("%1 %2 %3")
                             .arg(awake.transact.when, 0, 'f', 0)
                             .arg(awake.transact.solde.values[0])
                             .arg(awake.pChronoIndex));
    for (const Prevision& prevision : doc.previsionsArray)
        appendCalendar(prevision.planificator.value_or(Planificator()), money.calendars);
    return money;
}

// The text of the n-th element of that name (from 0) replaced; empty when there is none.
QByteArray withText(QByteArray bytes, const QByteArray& element, int occurrence, const QByteArray& text)
{
    const QByteArray open = '<' + element + '>';
    qsizetype at = -1;
    for (int i = 0; i <= occurrence; ++i) {
        at = bytes.indexOf(open, at + 1);
        if (at < 0)
            return {};
    }
    const qsizetype start = at + open.size();
    return bytes.replace(start, bytes.indexOf("</" + element + '>', start) - start, text);
}

// A schedule of the older format: its rule's keys stand in the record itself.
QByteArray olderSchedule(QByteArray bytes)
{
    const qsizetype start = bytes.indexOf("<planificator>");
    const qsizetype end = bytes.indexOf("</planificator>") + qsizetype(strlen("</planificator>"));
    return bytes.replace(start, end - start,
                         "<tousLes>1</tousLes><periode>0</periode><nbEcheance>0</nbEcheance><permanent>1</permanent>"
                         "<avance>3</avance><lastWriteDate>696942000.000000</lastWriteDate><nbWriteEch>2</nbWriteEch>");
}

} // namespace

TEST(LoadSave, AnUnreadableDateIsReportedAndMovesNoMoney)
{
    // Each member with its code and its date fields: the name and which of that name (from 0).
    using Fields = QList<std::pair<const char*, int>>;
    const Fields inTransact {{"when", 0}, {"planifiedDate", 0}, {"synchroDate", 0}};
    const struct {
        const char* member;
        int code;
        Fields fields;
        std::function<QByteArray(QByteArray)> prepare = {};
    } members[] = {
        {"transact.xml", 1, {{"when", 0}, {"planifiedDate", 1}, {"synchroDate", 0}}},
        {"docparam73.xml", 3, {{"lastSynchro", 0}, {"lastManualSave", 0}}},
        {"devise.xml", 4, {{"updateTime", 1}}},
        {"prevision.xml", 8, inTransact + Fields {{"firstDate", 0}, {"lastWriteDate", 0}}},
        // The second "when" is a custom occurrence's, not written yet.
        {"chrono.xml", 7, inTransact + Fields {{"firstDate", 0}, {"lastWriteDate", 0}, {"when", 1}}},
        {"chrono.xml", 7, {{"lastWriteDate", 0}}, olderSchedule},
        {"macro.xml", 9, inTransact},
        {"emprunt.xml", 10, {{"updateTime", 0}}},
        {"titre.xml", 11, {{"updateTime", 0}}},
        {"remunere.xml", 12, {{"updateTime", 0}}},
        {"portfolio.xml", 13, {{"updateTime", 0}}},
        {"anadef8.xml", 14, {{"date1", 0}, {"date2", 1}}},
        {"graphdef.xml", 19, {{"date1", 0}, {"date2", 0}, {"makeDate", 0}}},
        {"banque.xml", 16, {{"locked_releve_to_date", 2}}},
        // The account locked up to its one statement, and that statement.
        {"compte.xml", 17, {{"locked_releve_to_date", 2}, {"date", 0}}},
        {"moyen.xml", 18, {{"limite", 1}}},
    };
    // Today, the schedule's occurrences are written up to its horizon and its custom occurrence
    // lies ahead: nothing is due, and a date that can't be read must not make anything due.
    double now = 0;
    dmyToDate(20, 1, 2023, &now);
    SystemClock::setNowForTesting(now + 12 * 3600);
    const auto restore = qScopeGuard([] { SystemClock::setNowForTesting(std::nullopt); });
    for (const auto& member : members) {
        const QString url = fixture(QStringLiteral("dates"));
        const QString path = resources(url) + QLatin1Char('/') + QLatin1String(member.member);
        const QByteArray stored = member.prepare ? member.prepare(testenv::readFile(path)) : testenv::readFile(path);
        testenv::writeFile(path, stored);
        int code = -1;
        const Money before = moneyOf(*load(url, &code));
        ASSERT_EQ(code, 0);
        for (const auto& [element, occurrence] : member.fields) {
            for (const char* text : {"1e300", "-7e10", "99999-01-01"}) {
                SCOPED_TRACE(QStringLiteral("%1 %2 %3 %4 %5")
                                 .arg(member.member, element)
                                 .arg(occurrence)
                                 .arg(member.prepare ? "older" : "", text)
                                 .toStdString());
                const QByteArray damaged = withText(stored, element, occurrence, text);
                ASSERT_FALSE(damaged.isEmpty());
                testenv::writeFile(path, damaged);
                LoadIssues issues;
                const auto doc = load(url, &code, &issues);
                EXPECT_EQ(code, member.code);
                const QString said = QStringLiteral("date « %1 » illisible (« %2 »)").arg(element, text);
                EXPECT_TRUE(std::any_of(issues.items().begin(), issues.items().end(), [&](const LoadIssue& issue) {
                    return issue.member == member.member && issue.what.contains(said);
                })) << describeLoadIssues(issues.items(), 10).toStdString();
                EXPECT_EQ(moneyOf(*doc), before);
                // Nothing read keeps a date beyond the calendar, to be saved back as it came.
                for (const TRANSACT& transact : doc->transact_array)
                    EXPECT_TRUE(isDateWithinCalendarYears(transact.planifiedDate));
                for (const TOOL& compte : doc->compteHdl) {
                    for (const RELEVE& releve : compte.releves)
                        EXPECT_TRUE(isDateWithinCalendarYears(releve.date));
                }
            }
        }
    }
}

namespace {

QStringList logged;

void keepLog(QtMsgType, const QMessageLogContext&, const QString& text)
{
    logged.append(text);
}

} // namespace

TEST(LoadSave, TheLoadAlertAndTheLogNameEachFault)
{
    const QString url = fixture(QStringLiteral("alert"), {QStringLiteral("17-compte")});
    FakeAlerts alerts;
    alerts.expect(kAlertSecondButton);
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLog);
    manager().loadDocument(doc, {}, {});
    qInstallMessageHandler(previous);
    const QString place = QStringLiteral("Fichier « compte.xml », enregistrement 5 : montant « %1 » absent ou vide, "
                                         "lu comme zéro");
    const QStringList faults {place.arg("solde"), place.arg("soldeSR"), place.arg("RsoldeSR")};
    EXPECT_EQ(alerts.shown.value(0).information, errorText(17) + "\n\n• " + faults.join(QStringLiteral("\n• ")));
    for (const QString& fault : faults)
        EXPECT_TRUE(logged.contains(fault)) << fault.toStdString();

    // A long list shows its first faults and counts the others; the log keeps them all.
    QList<LoadIssue> many;
    for (long record = 1; record <= 7; ++record)
        many.append({"transact.xml", record, "montant « solde » absent ou vide, lu comme zéro"});
    EXPECT_EQ(describeLoadIssues(many, 5).split(u'\n').size(), 6);
    EXPECT_TRUE(describeLoadIssues(many, 5).endsWith("… et 2 autres problèmes (voir le journal)."));
}

TEST(LoadSave, OpenAnywayKeepsWhatWasReadAndDontOpenDisposesOfTheDocument)
{
    // A name of its own: backups are kept by document name, and earlier tests of the same run may
    // have backed up a "Comptes" document.
    const QString url = fixture(QStringLiteral("ask"), {QStringLiteral("23-logo")}, QStringLiteral("Demande"));
    FakeAlerts alerts;
    int ok = 0;
    int nok = 0;
    auto doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    alerts.expect(kAlertSecondButton);
    manager().loadDocument(
        doc, [&ok]() { ++ok; }, [&nok]() { ++nok; });
    EXPECT_EQ(ok, 1);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->transact_array.size(), 7);
    const AlertRequest& asked = alerts.shown.value(0);
    EXPECT_TRUE(asked.information.startsWith(errorText(23) + "\n\n"));
    EXPECT_TRUE(asked.information.endsWith(QStringLiteral(
        "• Fichier « logo.xml », enregistrement 1 : contenu inattendu après cet enregistrement, ignoré : "
        "« texte égaré au milieu de la liste »")))
        << asked.information.toStdString();
    EXPECT_EQ(asked.button2, "Ouvrir quand même");
    // The damaged package is among the backups before any save may replace it.
    QString archives;
    HelperSVLibraryFolder::getSVLibraryArchiveFolderUrl(&archives, nullptr);
    const QString backups = archives + QLatin1Char('/') + documentNameFromURL(url);
    const QStringList kept = QDir(backups).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(testenv::readFile(backups + '/' + kept[0] + "/Contents/Resources/logo.xml"),
              testenv::readFile(url + "/Contents/Resources/logo.xml"));

    doc = std::make_unique<DOCUMENT>(url, kFileSystemLocal);
    const testenv::OpenDocument open(*doc);
    alerts.expect(kAlertFirstButton);
    manager().loadDocument(
        doc, [&ok]() { ++ok; }, [&nok, &doc]() { nok += doc ? 10 : 1; });
    EXPECT_EQ(nok, 1);
    EXPECT_EQ(currentDocument(), nullptr);
}

TEST(LoadSave, SaveAndLoadAgainGivesTheSameDocument)
{
    const QString url = fixture(QStringLiteral("roundtrip"));
    int code = -1;
    auto first = load(url, &code);
    SystemClock::setTicksForTesting(1000);
    EXPECT_TRUE(save(*first, url, true));
    SystemClock::setTicksForTesting(std::nullopt);
    EXPECT_EQ(first->lastSave, 1000u);
    EXPECT_EQ(setAside(url), QString());
    const QMap<QString, QByteArray> saved = snapshot(url);
    EXPECT_EQ(saved.value("Contents/Resources/Documents/Ticket.pdf"),
              testenv::readFile(kFixtures + "/complete.svd/Contents/Resources/Documents/Ticket.pdf"));
    EXPECT_TRUE(saved.contains("Contents/Resources/simulation/Prêt immobilier.xml"));

    auto second = load(url, &code);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(save(*second, url, true));
    EXPECT_EQ(snapshot(url), saved);
    EXPECT_EQ(QDir(QFileInfo(url).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList {"Comptes.svd"});
}

TEST(LoadSave, SaveWithoutStagingReplacesTheCopyAndNeverTheDocumentItself)
{
    const QString url = fixture(QStringLiteral("copy"));
    int code = -1;
    auto doc = load(url, &code);
    const QString copy = testenv::package(QStringLiteral("copyTarget"));
    QDir().mkpath(resources(copy) + "/analyse");
    QDir().mkpath(resources(copy) + "/searches");
    testenv::writeFile(resources(copy) + "/analyse/old.xml", "<record/>");
    testenv::writeFile(resources(copy) + "/searches/old.xml", "<CRITERE/>");
    const uint64_t lastSave = doc->lastSave;
    EXPECT_TRUE(save(*doc, copy, false));
    EXPECT_EQ(doc->lastSave, lastSave);
    EXPECT_EQ(QDir(resources(copy) + "/analyse").entryList(QDir::Files), QStringList {"analyse1.xml"});
    EXPECT_EQ(QDir(resources(copy) + "/searches").entryList(QDir::Files), QStringList {"Loyers.xml"});

    const auto before = snapshot(url);
    FakeAlerts alerts;
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(save(*doc, url + "/", false));
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue("kAlerte_CannotSaveDoc"));
    EXPECT_EQ(snapshot(url), before);
}

TEST(LoadSave, FailedMembersAndFoldersGiveTheFirstCodeAndTheUserDecides)
{
    const QString url = fixture(QStringLiteral("members"));
    int code = -1;
    auto doc = load(url, &code);
    // A folder in place of a member file makes its write fail, whoever runs the test.
    const QString target = testenv::package(QStringLiteral("membersTarget"));
    for (const char* name : {"transact.xml", "beforeparam.xml", "taxe.xml", "regles.xml", "docparam73.xml"})
        QDir().mkpath(resources(target) + "/" + name + "/x");
    EXPECT_EQ(manager().saveDocumentInternal(target, *doc), DocError::BeforeParam);
    QDir(resources(target) + "/beforeparam.xml").removeRecursively();
    QDir(resources(target) + "/transact.xml").removeRecursively();
    EXPECT_EQ(manager().saveDocumentInternal(target, *doc), DocError::DocParam);
    QDir(resources(target) + "/docparam73.xml").removeRecursively();
    EXPECT_EQ(manager().saveDocumentInternal(target, *doc), DocError::Regles); // written before the taxes

    FakeAlerts alerts;
    alerts.expect(kAlertSecondButton); // save what could be written
    EXPECT_TRUE(save(*doc, target, false));
    EXPECT_EQ(alerts.shown.value(0).message, localizedDialogue("kQuestion_CannotSaveDoc"));
    // The member that failed keeps the document's stored version in the copy; the question says
    // why it failed.
    EXPECT_EQ(alerts.shown.value(0).information,
              errorText(20) + "\n\n« regles.xml » : c'est un dossier et non un fichier.");
    EXPECT_EQ(testenv::readFile(resources(target) + "/regles.xml"), testenv::readFile(resources(url) + "/regles.xml"));

    FaultyFileSystem fs;
    fs.fault = [](const QString& kind, const QString& from, const QString&) {
        return kind == "copy" && (from.endsWith("/logo") || from.endsWith("/simulation")) ? EIO : 0;
    };
    EXPECT_EQ(manager().saveDocumentSubfolders(*doc, resources(target)), DocError::SimulationFolder);
    fs.fault = [](const QString& kind, const QString& from, const QString&) {
        return kind == "copy" && from.endsWith("/logo") ? EIO : 0;
    };
    EXPECT_EQ(manager().saveDocumentSubfolders(*doc, resources(target)), DocError::AttachedFolder);
    // A folder that can't be copied would be missing from the new package: the save is refused,
    // with no question, and the package stays as it was.
    const auto before = snapshot(url);
    alerts.expect(kAlertFirstButton);
    EXPECT_FALSE(save(*doc, url, true));
    EXPECT_EQ(alerts.shown.value(1).message, localizedDialogue("kAlerte_CannotSaveDoc"));
    EXPECT_EQ(snapshot(url), before);
}

TEST(LoadSave, SwapFailuresKeepAWholePackage)
{
    const QString url = fixture(QStringLiteral("swap"));
    int code = -1;
    auto doc = load(url, &code);
    const auto before = snapshot(url);
    doc->transact_array.removeLast();
    DismissingAlerts alerts;
    FaultyFileSystem fs;

    // The new package can't take its place: the old one goes back.
    const auto intoPlace = [](const QString& kind, const QString& from, const QString&) {
        return kind == "move" && from.endsWith(".saving") ? EIO : 0;
    };
    fs.fault = intoPlace;
    EXPECT_FALSE(save(*doc, url, true));
    EXPECT_EQ(snapshot(url), before);
    EXPECT_EQ(folderEntries(url), QStringList {"Comptes.svd"});

    // The old package can't be removed afterwards: the save has succeeded, the next one removes it.
    fs.fault = [&](const QString& kind, const QString& path, const QString&) {
        return kind == "remove" && path.contains(kSetAsideFolderName) ? EIO : 0;
    };
    EXPECT_TRUE(save(*doc, url, true));
    EXPECT_TRUE(QFileInfo::exists(setAside(url)));
    EXPECT_EQ(load(url, &code)->transact_array.size(), 6);

    // The package is staged beside the destination, on its file system (here the document's
    // folder and what it holds): the swap only renames, and nothing stays behind.
    const QString own = QFileInfo(url).path() + '/';
    fs.fault = [&own](const QString& kind, const QString& from, const QString& to) {
        return kind == "move" && !(from.startsWith(own) && to.startsWith(own)) ? EXDEV : 0;
    };
    EXPECT_TRUE(save(*doc, url, true));
    EXPECT_EQ(folderEntries(url), QStringList {"Comptes.svd"});

    // An interrupted save left only the set-aside package: it takes its name back first, whatever
    // process the number of its folder names now.
    const QString aside = hiddenSaveFolderUrl(url, kSetAsideFolderName, 1);
    ASSERT_TRUE(QDir().mkdir(aside));
    ASSERT_TRUE(QDir().rename(url, setAsidePackageUrl(aside, url)));
    fs.fault = nullptr;
    EXPECT_TRUE(save(*doc, url, true));
    EXPECT_EQ(folderEntries(url), QStringList {"Comptes.svd"});
    EXPECT_EQ(load(url, &code)->transact_array.size(), 6);

    // A staging folder that can't be made: nothing is written, the user is told about rights.
    FakeAlerts told;
    told.expect(kAlertFirstButton);
    fs.fault = [](const QString& kind, const QString&, const QString&) { return kind == "mkdir" ? EACCES : 0; };
    EXPECT_FALSE(save(*doc, url, true));
    EXPECT_EQ(told.shown.value(0).message, localizedDialogue("kAlerte_CannotSaveDoc_Droit"));
}

TEST(LoadSave, AStoppedSaveAlwaysLeavesAWholePackage)
{
    // Old document: 7 transactions; new one: 6.
    const auto countAt = [](const QString& package) {
        int code = -1;
        const auto doc = load(package, &code);
        return code == 0 ? doc->transact_array.size() : -1;
    };
    DismissingAlerts alerts;
    int steps = 0;
    for (int stop = 0; stop == 0 || stop <= steps; ++stop) {
        const QString url = fixture(QStringLiteral("kill"));
        int code = -1;
        auto doc = load(url, &code);
        doc->transact_array.removeLast();
        {
            FaultyFileSystem fs;
            fs.deadFrom = stop;
            save(*doc, url, true);
            steps = std::max(steps, fs.steps);
        }
        const qsizetype found = QFileInfo::exists(url) ? countAt(url) : countAt(setAside(url));
        EXPECT_TRUE(found == 7 || found == 6) << "stopped at step " << stop;
        EXPECT_TRUE(save(*doc, url, true)) << stop;
        EXPECT_EQ(countAt(url), 6) << stop;
        EXPECT_EQ(folderEntries(url), QStringList {"Comptes.svd"}) << stop;
    }
    EXPECT_GT(steps, 10);
}

TEST(LoadSave, AttachedFilesGoOnlyOnceTheSaveSucceeded)
{
    const QString url = fixture(QStringLiteral("attached"));
    int code = -1;
    auto doc = load(url, &code);
    const testenv::OpenDocument open(*doc);
    doc->transact_array[3].attachedDocuments.clear();
    addStoredAttachedDocumentToDelete(*doc, {QStringLiteral("Ticket.pdf")});
    const QString ticket = resources(url) + "/Documents/Ticket.pdf";
    {
        DismissingAlerts alerts;
        FaultyFileSystem fs;
        fs.fault = [](const QString& kind, const QString& from, const QString&) {
            return kind == "move" && from.endsWith(".saving") ? EIO : 0;
        };
        EXPECT_FALSE(save(*doc, url, true));
    }
    EXPECT_TRUE(QFileInfo::exists(ticket));
    EXPECT_TRUE(save(*doc, url, true));
    EXPECT_FALSE(QFileInfo::exists(ticket));
}

TEST(LoadSave, AMoveNeverReplacesWhatIsAtItsDestination)
{
    const QString dir = testenv::freshDir(QStringLiteral("move-onto"));
    testenv::writeFile(dir + QStringLiteral("/a"), "source");
    testenv::writeFile(dir + QStringLiteral("/b"), "kept");
    QDir().mkpath(dir + QStringLiteral("/empty"));
    for (const char* destination : {"/b", "/empty"}) {
        int error = 0;
        EXPECT_FALSE(
            FileSystemOps::shared().moveItem(dir + QStringLiteral("/a"), dir + QLatin1String(destination), &error))
            << destination;
        EXPECT_EQ(error, EEXIST);
    }
    EXPECT_EQ(testenv::readFile(dir + QStringLiteral("/a")), "source");
    EXPECT_EQ(testenv::readFile(dir + QStringLiteral("/b")), "kept");
    EXPECT_TRUE(QFileInfo(dir + QStringLiteral("/empty")).isDir());
}
