#include "model/TRANSACT.h"
#include "document/APPLIPARAM.h"
#include "document/DocContext.h"
#include "document/DocumentSession.h"
#include "foundation/SystemClock.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"
#include "model/TransactFile.h"
#include "support/Fields.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using testenv::amount;
using testenv::fields;

constexpr double kNow = 760000000.0;

TOOL tool(int kind, long ident, int bType, long owner = -1, long devise = 0)
{
    TOOL t = testenv::tool(kind, ident, QStringLiteral("T%1").arg(ident), bType, owner);
    t.devise = devise;
    return t;
}

using testenv::package;

const QString kTransactMember = QStringLiteral("/Contents/Resources/transact.xml");

QByteArray readMember(const QString& url)
{
    return testenv::readFile(url + kTransactMember);
}

void writeMember(const QString& url, const QByteArray& xml)
{
    testenv::writeFile(url + kTransactMember, xml);
}

class TransactTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SystemClock::setNowForTesting(kNow);
        testenv::addDefaultDocParam(doc);
        doc.docParam->defaultPoste = 7;
        doc.deviseHdl = Devise::defaultDevises();
        for (Devise& d : doc.deviseHdl)
            d.used = true;
        // Banks: 1 third parties, 2 cash, 10 the user's; accounts 3 and 5, 4 cash, 20 and 21 the user's.
        doc.banqueHdl = {tool(kToolBanque, 1, kBanqueTiers), tool(kToolBanque, 2, kBanqueLiquide),
                         tool(kToolBanque, 10, kBanqueUser)};
        doc.compteHdl = {tool(kToolCompte, 3, kBanqueTiers, 1), tool(kToolCompte, 5, kBanqueTiers, 1),
                         tool(kToolCompte, 4, kBanqueLiquide, 2), tool(kToolCompte, 20, kBanqueUser, 10),
                         tool(kToolCompte, 21, kBanqueUser, 10, 1)};
        DocumentSession::adopt(doc);
    }
    void TearDown() override
    {
        APPLIPARAM::disposeAppliParam();
        SystemClock::setNowForTesting(std::nullopt);
        DocumentSession::close();
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
};

} // namespace

TEST_F(TransactTest, NewTransactionsAndOpeningBalances)
{
    const TRANSACT none = TRANSACT::allocNewTransact(nullptr);
    EXPECT_EQ(fields(none.who1, none.who2, none.posteID, none.when), "3 3 1 760000000");
    EXPECT_EQ(TRANSACT::allocNewTransact(&doc).posteID, 7);

    const TRANSACT debit = TRANSACT::initialisationTransact(20, amount(-100), 1, 500.0, &doc);
    const TRANSACT credit = TRANSACT::initialisationTransact(20, amount(100), 0, 500.0, &doc);
    EXPECT_EQ(fields(debit.isInit, debit.who1, debit.who2, credit.who1, credit.who2), "true 20 5 5 20");
    EXPECT_EQ(debit.solde, amount(100));
    EXPECT_EQ(credit.solde, amount(100));
}

TEST_F(TransactTest, CopiesLeaveTheMarkOutButTheListKeepsIt)
{
    TRANSACT t = TRANSACT::allocNewTransact(&doc);
    t.mark = true;
    t.addMultiWithPosteID(8, amount(3), QStringLiteral("ligne"));
    EXPECT_FALSE(t.copyOfTransact().mark);
    EXPECT_EQ(t.copyOfTransact().nbMultis(), 1);
    TRANSACT other;
    other.setFromTransact(t);
    EXPECT_FALSE(other.mark);
    other.mark = true;
    other.setFromTransact(TRANSACT());
    EXPECT_TRUE(other.mark);

    t.when = 900;
    EXPECT_EQ(TRANSACT::allocTransact(t, &doc), 0);
    t.when = 100;
    EXPECT_EQ(TRANSACT::allocTransact(t, &doc), 1);
    EXPECT_FALSE(doc.transact_array[0].mark);
    TRANSACT::markAllTransact(true, &doc);
    const TransactList detached = doc.transact_array;
    doc.transact_array[1].why = QStringLiteral("détaché");
    EXPECT_TRUE(doc.transact_array[1].mark);
    EXPECT_TRUE(detached[1].mark);
    EXPECT_FALSE(TRANSACT::loadTransactCopy_from_file(1, &doc)->mark);
    EXPECT_FALSE(TRANSACT::loadTransactCopy_from_file(2, &doc));
    EXPECT_EQ(TRANSACT::transactAtIndexInDocument(-1, &doc), nullptr);
    EXPECT_EQ(TRANSACT::transactAtIndexInDocument(0, static_cast<DOCUMENT*>(nullptr)), nullptr);

    double first = -1;
    double last = -1;
    TRANSACT::getTransactExtremeDates(&doc, &first, &last);
    EXPECT_EQ(fields(first, last), "100 900");
    TRANSACT::disposeDocTransact(doc.transact_array);
    TRANSACT::getTransactExtremeDates(&doc, &first, &last);
    EXPECT_EQ(fields(first, last), "0 0");
}

TEST_F(TransactTest, SplitLinesCategoriesAndImport)
{
    TRANSACT t = TRANSACT::allocNewTransact(&doc);
    t.posteID = 9;
    long line = 5;
    EXPECT_TRUE(t.transactUsesPosteID(9, &line));
    EXPECT_EQ(line, -1);
    t.addMultiWithPosteID(4, amount(1), QString());
    t.addMultiWithPosteID(6, amount(2), QString());
    t.addMultiWithPosteID(4, amount(3), QString());
    // With split lines the transaction's own category no longer counts.
    EXPECT_FALSE(t.transactUsesPosteID(9, &line));
    EXPECT_EQ(line, -1);
    EXPECT_TRUE(t.transactUsesPosteID(4, &line));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(t.multiAtIndex(3), nullptr);
    t.changePosteInTransact(4, 11);
    EXPECT_EQ(t.multiAtIndex(2)->posteID, 11);

    t.taxeID = 2;
    t.taxe = amount(4);
    t.annulerTransact();
    EXPECT_EQ(fields(t.annulation, t.solde.nullMontant(), t.nbMultis(), t.taxeID), "true true 0 -1");
    EXPECT_EQ(t.taxe, amount(4));

    TRANSACT imported = TRANSACT::allocNewTransact(&doc);
    EXPECT_FALSE(imported.isTransactImportTouched(&doc));
    imported.markTransactImport(QStringLiteral("CB CARREFOUR"), 20, true);
    EXPECT_EQ(imported.why, QStringLiteral("CB CARREFOUR"));
    EXPECT_FALSE(imported.isTransactImportTouched(&doc));
    imported.moyen = 11;
    EXPECT_TRUE(imported.isTransactImportTouched(&doc));
    EXPECT_EQ(imported.transToMoyenCompte(), imported.who1);
    imported.moyen = 4;
    EXPECT_EQ(imported.transToMoyenCompte(), -1);
    imported.who1 = 21;
    EXPECT_TRUE(imported.isTransactImportTouched(&doc));

    bool deb = false;
    bool cre = true;
    imported.checkDebitCredit(-1, &deb, &cre, &doc);
    EXPECT_EQ(fields(deb, cre), "true false");
    imported.checkDebitCreditB(1, &deb, &cre, &doc);
    EXPECT_EQ(fields(deb, cre), "false true");
}

TEST_F(TransactTest, PaymentFamiliesChooseTheSides)
{
    MONTANT::setCurrentDeviseSlot(2);
    const TRANSACT none = TRANSACT::moyenToTrans(doc.moyenHdl, 4, 21, kNow, &doc);
    EXPECT_EQ(fields(none.who1, none.who2, none.moyen, none.devise), "3 3 4 2");
    const TRANSACT transfer = TRANSACT::moyenToTrans(doc.moyenHdl, 1, 21, kNow, &doc);
    EXPECT_EQ(fields(transfer.who1, transfer.who2, transfer.devise), "21 21 2");

    MOYEN cheques = MOYEN::allocNewMoyen(9, 21);
    VARIANTE book = VARIANTE::allocNewVariante(9, cheques.variantes);
    book.numero = QStringLiteral("CHQ0101");
    book.lastNumero = 104;
    cheques.variantes.append(book);
    cheques.lastVarianteID = book.ident;
    doc.moyenHdl.append(cheques);
    const TRANSACT cheque = TRANSACT::moyenToTrans(doc.moyenHdl, 9, 21, kNow, &doc);
    // In the active account's currency, with the next number of its cheque book.
    EXPECT_EQ(fields(cheque.who1, cheque.who2, cheque.devise, cheque.ref), "21 3 1 CHQ0105");
    EXPECT_EQ(cheque.variante, book.ident);

    // Without an active account the first user account is taken, and its cheque record made.
    const TRANSACT fresh = TRANSACT::moyenToTrans(doc.moyenHdl, 9, -1, 1234.0, &doc);
    EXPECT_EQ(fields(fresh.who1, fresh.variante, fresh.when, doc.moyenHdl.size()), "20 -1 1234 2");
}

TEST_F(TransactTest, FileRoundTripsEveryFieldAndDropsWhatItCantExplain)
{
    TRANSACT full = TRANSACT::allocNewTransact(&doc);
    full.isInit = true;
    full.importID = 21;
    full.importDoublon = true;
    full.synchroID = 5000000000L; // beyond 32 bits
    full.synchroDate = 12.5;
    full.when = 700000000.25;
    full.planifiedDate = 699999999.0;
    full.releveID2 = 4;
    full.moyen = 9;
    full.variante = 3;
    full.taxeID = 2;
    full.titreID = 6;
    full.clotureMarkC = 8;
    full.devise = 1;
    full.solde = amount(12.34, 80.95);
    full.taxe = amount(2.06);
    full.quote1 = amount(1.5);
    full.nTitre = 3.125;
    full.why = QStringLiteral("Loyer <mars> ]]> & co");
    full.note = QStringLiteral("ligne 1\nligne 2\rfin");
    full.addMultiWithPosteID(6000000000L, amount(10), QStringLiteral("part"));
    full.attachedDocuments.append({QStringLiteral("Facture"), QStringLiteral("Facture_2.pdf"), QString()});
    TRANSACT bare = TRANSACT::allocNewTransact(&doc);
    bare.taxe = amount(9);
    bare.quote2 = amount(7);
    bare.note = QStringLiteral("tapé __BR__ ici");
    doc.transact_array = {full, bare};

    const QString url = package("transact-roundtrip");
    ASSERT_TRUE(saveDataTransact(url, doc));
    // No tax ident, no investment: zero in the file and in memory alike.
    EXPECT_TRUE(doc.transact_array[1].taxe.nullMontant());
    EXPECT_TRUE(doc.transact_array[1].quote2.nullMontant());
    const QByteArray xml = readMember(url);
    EXPECT_TRUE(xml.contains("<note>ligne 1__BR__ligne 2&#13;fin</note>"));
    EXPECT_TRUE(xml.contains("<multilist /><documents />") || xml.contains("<multilist/><documents/>"));
    EXPECT_TRUE(xml.contains("<taxe><v>0</v><v>0</v><v>0</v><v>0</v><v>0</v></taxe>"));
    EXPECT_TRUE(xml.contains("<synchroID>5000000000</synchroID>"));

    LoadIssues issues;
    const TransactList loaded = loadDataTransact(url, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 2);
    const TRANSACT& got = loaded[0];
    const auto some = [](const TRANSACT& t) {
        return fields(t.synchroID, t.multis.value(0).posteID, t.when, t.planifiedDate, t.synchroDate, t.nTitre,
                      t.importID, t.releveID2, t.variante, t.clotureMarkC, t.devise, t.moyen, t.isInit, t.importDoublon,
                      t.importTouched, t.why, t.note);
    };
    EXPECT_EQ(some(got), some(full));
    EXPECT_EQ(got.solde, full.solde);
    EXPECT_EQ(got.quote1, full.quote1); // kept: the transaction names a security
    EXPECT_EQ(got.attachedDocuments.value(0).docStoreName, QStringLiteral("Facture_2.pdf"));
    // Typed "__BR__" comes back as a line feed: the file can't tell them apart.
    EXPECT_EQ(loaded[1].note, QStringLiteral("tapé \n ici"));
    EXPECT_EQ(loaded[1].nbMultis(), 0);

    XmlDocPtr document;
    const pugi::xml_node root = loadXMLFromPackage(url, QStringLiteral("transact.xml"), &document);
    QStringList order;
    for (pugi::xml_node child = root.first_child().first_child(); child; child = child.next_sibling())
        order << QString::fromUtf8(child.name());
    EXPECT_EQ(order.join(u' '),
              QStringLiteral("isInit importID importTouched importDoublon synchroID synchroDate when who1 who2 "
                             "releveID1 releveID2 moyen synonymeID variante posteID chronoID planifiedDate "
                             "previsionID taxeID titreID remunereID empruntID clotureMarkD clotureMarkC devise "
                             "annulation solde taxe quote1 quote2 quote3 nTitre why ref whyImport note multilist "
                             "documents"));

    EXPECT_EQ(XML_load_transact_from_record(root.first_child(), &issues).why, full.why);
    EXPECT_TRUE(issues.isEmpty());
}

TEST_F(TransactTest, AmountsKeepTheDecimalsOfTheirCurrency)
{
    doc.deviseHdl[1].decimale = 3;
    doc.deviseHdl[2].decimale = 0;
    TRANSACT t = TRANSACT::allocNewTransact(&doc);
    t.solde.values = {1.5, 2.125, 248301, 0, 0};
    t.addMultiWithPosteID(7, t.solde, QString());
    doc.transact_array = {t};

    const QString url = package("transact-decimals");
    ASSERT_TRUE(saveDataTransact(url, doc));
    const QByteArray xml = readMember(url);
    EXPECT_TRUE(xml.contains("<solde><v>1.50</v><v>2.125</v><v>248301</v><v>0</v><v>0</v></solde>")) << xml.constData();
    EXPECT_TRUE(xml.contains("<montant><v>1.50</v><v>2.125</v><v>248301</v>"));
    LoadIssues issues;
    const TransactList loaded = loadDataTransact(url, &issues);
    EXPECT_TRUE(issues.isEmpty());
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_DOUBLE_EQ(loaded[0].solde.values[1], 2.125);
}

TEST_F(TransactTest, AbsentElementsTakeTheirAbsentValues)
{
    const QString url = package("transact-absent");
    writeMember(url,
                "<?xml version=\"1.0\"?><list>"
                "<transact><who1>20</who1><taxe><v>1</v></taxe><quote1/><quote2/><quote3/></transact>"
                "<transact><when>100.5</when><moyen>4294967298</moyen><solde><v>3</v></solde>"
                "<taxe/><quote1/><quote2/><quote3/>"
                "<multilist><multi><posteID>4</posteID></multi><x><montant><v>2</v></montant></x></multilist>"
                "</transact></list>");
    LoadIssues issues;
    const TransactList loaded = loadDataTransact(url, &issues);
    const QString missing = QStringLiteral("montant « %1 » absent ou vide, lu comme zéro");
    EXPECT_EQ(issues.items(),
              (QList<LoadIssue> {{"transact.xml", 1, missing.arg("solde")},
                                 {"transact.xml", 1, missing.arg("quote1")},
                                 {"transact.xml", 1, missing.arg("quote2")},
                                 {"transact.xml", 1, missing.arg("quote3")},
                                 {"transact.xml", 2, missing.arg("taxe")},
                                 {"transact.xml", 2, missing.arg("quote1")},
                                 {"transact.xml", 2, missing.arg("quote2")},
                                 {"transact.xml", 2, missing.arg("quote3")},
                                 {"transact.xml", 2, missing.arg("multi 1 montant")}}));
    ASSERT_EQ(loaded.size(), 2);
    const TRANSACT& first = loaded[0];
    EXPECT_EQ(fields(first.who1, first.who2, first.moyen, first.clotureMarkD, first.posteID, first.devise, first.when,
                     first.planifiedDate, first.solde.nullMontant()),
              "20 -1 -1 -1 -1 0 760000000 760000000 true");
    EXPECT_EQ(first.taxe, amount(1));
    // A 64-bit family keeps its low 32 bits.
    const TRANSACT& second = loaded[1];
    ASSERT_EQ(second.nbMultis(), 2);
    EXPECT_EQ(fields(second.planifiedDate, second.moyen, second.multis[0].posteID, second.multis[1].posteID),
              "100.5 2 4 -1");
    EXPECT_EQ(second.multis[1].montant, amount(2));

    // A missing embedded record is flagged.
    XmlDocPtr xml;
    const pugi::xml_node root = loadXMLFromPackage(url, QStringLiteral("transact.xml"), &xml);
    issues = LoadIssues();
    EXPECT_FALSE(XML_load_transact(root, "record", &issues));
    ASSERT_EQ(issues.size(), 1);
    EXPECT_EQ(issues.items()[0].what, QStringLiteral("opération « record » absente"));
    QFile::remove(url + kTransactMember);
    issues = LoadIssues();
    EXPECT_TRUE(loadDataTransact(url, &issues).isEmpty());
    EXPECT_TRUE(issues.isEmpty()) << "a missing file is no fault";
}

namespace {

// The file as one tree of every record would give it: what the record-by-record writer and reader
// must reproduce.
QByteArray wholeTreeBytes(DOCUMENT& doc, const QString& path)
{
    pugi::xml_node root;
    const XmlDocPtr document = xmlCreateDocument(QStringLiteral("list"), &root);
    for (TRANSACT& t : doc.transact_array)
        XML_append_transact(root, "transact", t, doc.deviseHdl);
    EXPECT_TRUE(writeXMLToURL(path, document.get()));
    return testenv::readFile(path);
}

// The labels and the faults noted, in one text that a failure shows. The two reads note damage at
// different moments: the faults are compared in order of their text.
QString whysAndFaults(const QStringList& whys, const LoadIssues& issues)
{
    QStringList faults;
    for (const LoadIssue& issue : issues.items())
        faults << issue.describe();
    faults.sort();
    return whys.join(u'|') + u'\n' + faults.join(u'\n');
}

QString whysOfWholeTree(const QString& url)
{
    XmlDocPtr document;
    LoadIssues issues;
    QStringList whys;
    const pugi::xml_node root = loadXMLFromPackage(url, QStringLiteral("transact.xml"), &document, &issues);
    for (pugi::xml_node record : root.children()) {
        if (record.type() != pugi::node_element)
            continue;
        issues.setRecord(whys.size() + 1);
        whys << XML_load_transact_from_record(record, &issues).why.left(12);
    }
    return whysAndFaults(whys, issues);
}

QString whysRead(const QString& url)
{
    QStringList whys;
    LoadIssues issues;
    for (const TRANSACT& t : loadDataTransact(url, &issues))
        whys << t.why.left(12);
    return whysAndFaults(whys, issues);
}

} // namespace

TEST_F(TransactTest, RecordByRecordFilesMatchTheWholeTree)
{
    const QString url = package("transact-stream");
    const QString wholePath = url + QStringLiteral("/whole.xml");
    EXPECT_TRUE(saveDataTransact(url, doc));
    EXPECT_EQ(readMember(url), wholeTreeBytes(doc, wholePath)); // "<list />"
    for (int i = 0; i < 300; ++i) {
        TRANSACT t = TRANSACT::allocNewTransact(&doc);
        t.when = 700000000.0 + i * 86400.5;
        t.solde = amount(i * 1.01, -i / 3.0);
        t.why = i % 7 ? QStringLiteral("Achat %1 </transact> ]]> <x>").arg(i) : QStringLiteral("é\r%1").arg(i);
        t.note = i % 5 ? QString() : QStringLiteral("a\r\nb & c");
        if (i % 10 == 0)
            t.addMultiWithPosteID(i, amount(2), QStringLiteral("part\r]]>"));
        if (i % 50 == 0)
            t.attachedDocuments.append({QStringLiteral("F"), QStringLiteral("F_%1.pdf").arg(i), QString()});
        doc.transact_array.append(t);
    }
    ASSERT_TRUE(saveDataTransact(url, doc));
    const QByteArray bytes = readMember(url);
    EXPECT_EQ(bytes, wholeTreeBytes(doc, wholePath));
    EXPECT_EQ(whysRead(url).toStdString(), whysOfWholeTree(url).toStdString());
    EXPECT_EQ(loadDataTransact(url, nullptr).size(), 300);

    // Damaged files give what a whole parse gives: the records before the damage, a record cut
    // short with what it holds, and the same faults at the same records.
    const qsizetype third = bytes.indexOf("<transact>", bytes.indexOf("<transact>", 100) + 10);
    const std::pair<QByteArray, bool> files[] = {
        {bytes.left(third + 200), true},
        {bytes.left(bytes.size() - 20), true},
        {QByteArray(bytes).insert(third, "<!-- </list> -->"), false},
        {QByteArray(bytes).insert(third + 30, "</bad>"), true},
        {QByteArray(bytes).insert(third, "<?"), true},
        {QByteArray(bytes).insert(third, "<![CDATA[</list>]]><x a='>'/>"), false},
    };
    for (const auto& [damaged, lost] : files) {
        SCOPED_TRACE(damaged.right(40).toStdString());
        writeMember(url, damaged);
        const QString read = whysRead(url);
        EXPECT_EQ(read.toStdString(), whysOfWholeTree(url).toStdString());
        EXPECT_EQ(read.contains(QStringLiteral("XML endommagé")), lost);
    }
    writeMember(url, QByteArray(bytes).replace("encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\""));
    EXPECT_EQ(loadDataTransact(url, nullptr).size(), 300);
}

// Records written straight as markup give the bytes the tree gives, whatever their texts hold:
// markup characters, section ends, control characters, a NUL, tabs, line ends, accents, emoji and
// lone surrogates, empty texts and empty lists.
TEST_F(TransactTest, StreamedRecordsMatchTheTreeWhateverTheirTexts)
{
    const QString pieces[]
        = {QStringLiteral("a"),  QStringLiteral("L'été"), QStringLiteral("&"),  QStringLiteral("<"),
           QStringLiteral(">"),  QStringLiteral("\""),    QStringLiteral("]]"), QStringLiteral("]]>"),
           QStringLiteral("\r"), QStringLiteral("\n"),    QStringLiteral("\t"), QString(QChar(0x01)),
           QString(QChar(0)),    QString(QChar(0x1F)),    QStringLiteral("😀"),  QString(QChar(0xD800)),
           QStringLiteral(" "),  QStringLiteral("]")};
    quint32 seed = 12345;
    const auto next = [&seed](quint32 bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % bound;
    };
    const auto text = [&]() {
        QString s;
        for (quint32 n = next(5); n > 0; --n)
            s += pieces[next(std::size(pieces))];
        return s;
    };
    for (int i = 0; i < 400; ++i) {
        TRANSACT t = TRANSACT::allocNewTransact(&doc);
        t.when = 700000000.0 + i * 3600.25;
        t.solde = amount(i * 0.37, -i * 1.5);
        t.why = text();
        t.ref = text();
        t.whyImport = text();
        t.note = text();
        for (quint32 n = next(3); n > 0; --n)
            t.addMultiWithPosteID(i, amount(1.25), text());
        if (next(4) == 0)
            t.attachedDocuments.append({text(), text(), QString()});
        doc.transact_array.append(t);
    }
    const QString url = package("transact-texts");
    ASSERT_TRUE(saveDataTransact(url, doc));
    EXPECT_EQ(readMember(url), wholeTreeBytes(doc, url + QStringLiteral("/whole.xml")));
}
