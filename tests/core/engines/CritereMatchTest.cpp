#include "engines/CritereMatch.h"
#include "engines/CritereXml.h"

#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "foundation/dates.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TRANSACT.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using testenv::tool;

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM:SS[.fraction]", local time.
double parseWhen(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^(\d{4})-(\d\d)-(\d\d)(?:T(\d\d):(\d\d):(\d\d)(\.\d+)?)?$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return text.toDouble();
    double t = 0;
    dmyhmsToDate(m.captured(3).toLong(), m.captured(2).toLong(), m.captured(1).toLong(), m.captured(4).toLong(),
                 m.captured(5).toLong(), m.captured(6).toLong(), &t);
    return t + (m.captured(7).isEmpty() ? 0.0 : m.captured(7).toDouble());
}

// Made on first use: a date composed before the test main has set the time zone would fix the
// shared calendar to the machine's zone.
double lastSynchro()
{
    static const double last = parseWhen(QStringLiteral("2024-03-10T18:30:00.25"));
    return last;
}

// The document every case runs against (described in tests/data/critere/README).
void buildCaseDocument(DOCUMENT& doc)
{
    testenv::addDefaultDocParam(doc);
    doc.docParam->lastSynchro = lastSynchro();
    doc.deviseHdl = Devise::defaultDevises();
    doc.banqueHdl = {tool(kToolBanque, 1, QStringLiteral("Spéciaux"), kBanqueTiers),
                     tool(kToolBanque, 2, QStringLiteral("Espèces"), kBanqueLiquide),
                     tool(kToolBanque, 10, QStringLiteral("Ma banque"), kBanqueUser),
                     tool(kToolBanque, 11, QStringLiteral("Fournisseurs"), kBanqueTiers)};
    doc.compteHdl = {tool(kToolCompte, 3, QStringLiteral("Anonyme"), kBanqueTiers, 1),
                     tool(kToolCompte, 5, QStringLiteral("Initialisation"), kBanqueTiers, 1),
                     tool(kToolCompte, 7, QStringLiteral("Courant"), kBanqueUser, 10),
                     tool(kToolCompte, 9, QStringLiteral("Livret"), kBanqueUser, 10),
                     tool(kToolCompte, 12, QStringLiteral("Porte-monnaie"), kBanqueLiquide, 2),
                     tool(kToolCompte, 22, QStringLiteral("Épicerie"), kBanqueTiers, 11),
                     tool(kToolCompte, 40, QStringLiteral("Orphelin"), kBanqueUser, 99)};
    RELEVE r1;
    r1.ident = 1;
    RELEVE r2;
    r2.ident = 2;
    doc.compteHdl[2].releves = {r2, r1};
    doc.dossierHdl = {DOSSIER(), DOSSIER()};
    doc.dossierHdl[0].ident = 2;
    doc.dossierHdl[0].nom = QStringLiteral("Maison");
    doc.dossierHdl[1].ident = 3;
    doc.dossierHdl[1].nom = QStringLiteral("Loisirs");
    const auto poste = [](long ident, long dossierID, const char* nom) {
        return POSTE {.ident = ident, .dossierID = dossierID, .nom = QString::fromUtf8(nom)};
    };
    doc.posteHdl = {poste(30, 3, "Cinéma"), poste(20, 2, "Courses"), poste(21, 2, "Loyer")};
}

// NAME=VALUE tokens; a value may be quoted to hold spaces.
QList<QPair<QString, QString>> fields(const QString& text)
{
    static const QRegularExpression token(QStringLiteral(R"re((\w+)=(?:"([^"]*)"|(\S*)))re"));
    QList<QPair<QString, QString>> out;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out.append({m.captured(1), m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(3)});
    }
    return out;
}

MONTANT amount(const QString& text)
{
    MONTANT m;
    m.values[0] = text.toDouble();
    return m;
}

void appendCritereField(pugi::xml_node root, const QString& name, const QString& value)
{
    pugi::xml_node element = root.append_child(name.toUtf8().constData());
    if (name.startsWith(QLatin1String("montant"))) {
        element.append_child("v").text().set(value.toUtf8().constData());
        return;
    }
    const QString text = name.startsWith(QLatin1String("date")) ? QString::number(parseWhen(value), 'f', 6) : value;
    element.text().set(text.toUtf8().constData());
}

bool setTransactField(TRANSACT& t, const QString& name, const QString& value)
{
    const QHash<QString, long TRANSACT::*> idents {{"who1", &TRANSACT::who1},
                                                   {"who2", &TRANSACT::who2},
                                                   {"releveID1", &TRANSACT::releveID1},
                                                   {"releveID2", &TRANSACT::releveID2},
                                                   {"synonymeID", &TRANSACT::synonymeID},
                                                   {"posteID", &TRANSACT::posteID},
                                                   {"taxeID", &TRANSACT::taxeID},
                                                   {"titreID", &TRANSACT::titreID},
                                                   {"remunereID", &TRANSACT::remunereID},
                                                   {"empruntID", &TRANSACT::empruntID},
                                                   {"chronoID", &TRANSACT::chronoID},
                                                   {"importID", &TRANSACT::importID},
                                                   {"synchroID", &TRANSACT::synchroID}};
    const QHash<QString, QString TRANSACT::*> texts {
        {"ref", &TRANSACT::ref}, {"why", &TRANSACT::why}, {"whyImport", &TRANSACT::whyImport}};
    if (idents.contains(name))
        t.*idents[name] = value.toLong();
    else if (texts.contains(name))
        t.*texts[name] = value;
    else if (name == QLatin1String("when"))
        t.when = parseWhen(value);
    else if (name == QLatin1String("synchroDate"))
        t.synchroDate = value == QLatin1String("last") ? lastSynchro() : parseWhen(value);
    else if (name == QLatin1String("solde"))
        t.solde = amount(value);
    else if (name == QLatin1String("moyen"))
        t.moyen = value.toInt();
    else if (name == QLatin1String("importTouched"))
        t.importTouched = value == QLatin1String("1");
    else if (name == QLatin1String("importDoublon"))
        t.importDoublon = value == QLatin1String("1");
    else if (name == QLatin1String("multi")) {
        for (const QString& line : value.split(QLatin1Char(','))) {
            const QStringList parts = line.split(QLatin1Char(':'));
            t.addMultiWithPosteID(parts.value(0).toLong(), amount(parts.value(1)), QString());
        }
    } else
        return false;
    return true;
}

// One case file: the criterion read as a saved search is, then each transaction under the
// walk of a prepared matcher, an unprepared one and the criterion's own test, which must agree.
void runCase(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    DOCUMENT doc {QString(), kFileSystemLocal};
    buildCaseDocument(doc);
    pugi::xml_document xml;
    pugi::xml_node root = xml.append_child("CRITERE");
    Critere critere(&doc, false);
    bool critereRead = false;
    int checked = 0;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        const QString where = QStringLiteral("%1:%2").arg(QFileInfo(path).fileName()).arg(n + 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString kind = line.section(QLatin1Char(' '), 0, 0);
        if (kind == QLatin1String("critere")) {
            for (const auto& [name, value] : fields(line))
                appendCritereField(root, name, value);
            continue;
        }
        ASSERT_TRUE(kind == QLatin1String("pass") || kind == QLatin1String("fail")) << where.toStdString();
        if (!critereRead) {
            XML_to_critere(critere, root, &doc);
            critere.computeCritere();
            critereRead = true;
        }
        TRANSACT t;
        std::optional<double> total;
        for (const auto& [name, value] : fields(line)) {
            if (name == QLatin1String("total")) {
                total = value.toDouble();
                continue;
            }
            ASSERT_TRUE(setTransactField(t, name, value)) << where.toStdString() << " unknown " << name.toStdString();
        }
        const CritereMatcher prepared(critere, &doc, nullptr);
        const CritereMatcher plain(critere, &doc, nullptr, false);
        MONTANT preparedTotal;
        MONTANT plainTotal;
        MONTANT ownTotal;
        const bool fit = prepared.transFitCritere(t, &preparedTotal);
        EXPECT_EQ(fit, kind == QLatin1String("pass")) << where.toStdString();
        EXPECT_EQ(plain.transFitCritere(t, &plainTotal), fit) << where.toStdString() << " unprepared";
        EXPECT_EQ(critere.transFitCritere(t, &ownTotal, &doc, 0, &doc.deviseHdl), fit) << where.toStdString();
        const double expected = total.value_or(t.solde.values[0]);
        if (fit) {
            EXPECT_NEAR(preparedTotal.values[0], expected, 1e-9) << where.toStdString();
        }
        EXPECT_EQ(plainTotal, preparedTotal) << where.toStdString();
        EXPECT_EQ(ownTotal, preparedTotal) << where.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0) << path.toStdString() << " checks nothing";
}

class CritereMatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DocumentSession::close();
        SystemClock::setNowForTesting(parseWhen(QStringLiteral("2024-03-14T10:00:00")));
    }
    void TearDown() override
    {
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }
};

} // namespace

TEST_F(CritereMatchTest, GoldenCases)
{
    const QDir folder(QStringLiteral(SORV_TEST_DATA_DIR "/critere"));
    const QStringList cases = folder.entryList({QStringLiteral("*.case")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(cases.isEmpty());
    for (const QString& name : cases) {
        SCOPED_TRACE(name.toStdString());
        runCase(folder.filePath(name));
    }
}

TEST_F(CritereMatchTest, FoldDropsAccentsAndCaseOnly)
{
    EXPECT_EQ(foldForCritere(QStringLiteral("Élève À L'ÉCOLE")), QStringLiteral("eleve a l'ecole"));
    EXPECT_EQ(foldForCritere(QStringLiteral("Noe\u0308l ÇA")), QStringLiteral("noel ca"));
    EXPECT_EQ(foldForCritere(QStringLiteral("n° 12-B/x")), QStringLiteral("n° 12-b/x"));
    EXPECT_TRUE(foldForCritere(QString()).isEmpty());

    const auto fits = [](const QString& text, long op, const QString& needle) {
        return CritereMatcher::stringFitCritere(text, static_cast<CritereText>(op), needle);
    };
    EXPECT_TRUE(fits(QStringLiteral("Prélèvement EDF"), 3, QStringLiteral("PRELEV")));
    EXPECT_TRUE(fits(QStringLiteral("Prélèvement EDF"), 2, QStringLiteral("prélè")));
    EXPECT_FALSE(fits(QStringLiteral("Prélèvement EDF"), 2, QStringLiteral("edf")));
    EXPECT_FALSE(fits(QStringLiteral("abc"), 3, QString()));
    EXPECT_TRUE(fits(QString(), 4, QString()));
    EXPECT_TRUE(fits(QStringLiteral("abc"), 1, QStringLiteral("zzz")));
    EXPECT_TRUE(fits(QStringLiteral("abc"), 9, QStringLiteral("zzz"))) << "a stored operator no test knows passes";
    // Longer than the matcher's stack buffer.
    const QString longText = QString(400, QLatin1Char('x')) + QStringLiteral("FIN");
    EXPECT_TRUE(fits(longText, 3, QStringLiteral("fin")));
}

TEST_F(CritereMatchTest, FieldsChangedAfterTheListWasBuiltAreStillTestedAsTheyAre)
{
    DOCUMENT doc {QString(), kFileSystemLocal};
    buildCaseDocument(doc);
    Critere c(&doc, false);
    c.setWhyCritere(QStringLiteral("loyer"));
    c.setDateCritere(parseWhen(QStringLiteral("2024-03-15")));
    c.why = QStringLiteral("eau");
    c.date1 = parseWhen(QStringLiteral("2024-04-02T10:00:00"));
    TRANSACT t;
    t.why = QStringLiteral("EAU de Paris");
    t.when = parseWhen(QStringLiteral("2024-04-02T22:00:00"));
    EXPECT_TRUE(c.transFitCritere(t, nullptr, &doc, 0, nullptr));
    EXPECT_TRUE(CritereMatcher(c, &doc, nullptr).transFitCritere(t, nullptr));
    t.when = parseWhen(QStringLiteral("2024-03-15T12:00:00"));
    EXPECT_FALSE(c.transFitCritere(t, nullptr, &doc, 0, nullptr));

    // A list holding codes without a test, or more codes than it has places, is walked safely.
    Critere odd(&doc, false);
    odd.usedCritere = {CritereKind(6), CritereKind(7), CritereKind(19), CritereKind(-1)};
    odd.nbUsedCritere = 4;
    EXPECT_TRUE(odd.transFitCritere(t, nullptr, &doc, 0, nullptr));
    odd.nbUsedCritere = 1000;
    EXPECT_TRUE(odd.transFitCritere(t, nullptr, &doc, 0, nullptr));
}
