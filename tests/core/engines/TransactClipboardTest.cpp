// The transaction clipboard: prepared copies, pasting them as new transactions (once refreshed),
// and the records that carry them to another document.
#include "SaisieFixture.h"

#include "engines/TransactClipboard.h"
#include "foundation/broadcast.h"
#include "model/TransactOps.h"

#include <QObject>

using namespace saisietest;

namespace {

class Refreshes : public QObject {
    Q_OBJECT
public:
    Refreshes() { registerWindowController(this); }
    ~Refreshes() override { unregisterWindowController(this); }
    QStringList made;
    int followUps = 0;
    Q_INVOKABLE void MAKE_TRANSACT(const QVariant& index, const QVariant& isLast)
    {
        made << QStringLiteral("%1:%2").arg(index.toLongLong()).arg(int(isLast.toBool()));
    }
    Q_INVOKABLE void DID_CHANGE_TRANSACT() { ++followUps; }
};

class TransactClipboardTest : public SaisieDocument {
protected:
    TRANSACT ticked() const
    {
        TRANSACT t = expense(42.5);
        t.releveID1 = 3;
        t.releveID2 = 4;
        t.importID = 12;
        t.synchroID = 77;
        t.why = QStringLiteral("Boulangerie");
        t.attachedDocuments = {AttachedDocument {QStringLiteral("ticket"), QStringLiteral("1.pdf"), QString()}};
        return t;
    }
};

} // namespace

TEST_F(TransactClipboardTest, CopiesArePastedFreshAndAgain)
{
    TransactClipboard clipboard;
    EXPECT_FALSE(clipboard.canPasteTransact());
    const TRANSACT source = ticked();
    clipboard.copyTransactToClipboard(source);
    EXPECT_EQ(source.releveID1, 3) << "the source is not changed";
    ASSERT_TRUE(clipboard.canPasteTransact());

    QString error;
    EXPECT_EQ(clipboard.pasteTransactClipboard(&doc, &error), QList<long>({0}));
    EXPECT_EQ(clipboard.pasteTransactClipboard(&doc, &error), QList<long>({1}));
    ASSERT_EQ(doc.transact_array.size(), 2);
    for (const TRANSACT& pasted : doc.transact_array) {
        EXPECT_EQ(pasted.releveID1, -1);
        EXPECT_EQ(pasted.releveID2, -1);
        EXPECT_EQ(pasted.importID, -1);
        EXPECT_EQ(pasted.synchroID, 0);
        EXPECT_TRUE(pasted.attachedDocuments.isEmpty());
        EXPECT_EQ(pasted.why, QStringLiteral("Boulangerie"));
    }
}

TEST_F(TransactClipboardTest, ThreePastedRefreshTheWindowsOnce)
{
    Refreshes windows;
    TransactClipboard clipboard;
    for (double amount : {1.0, 2.0, 3.0})
        clipboard.copyTransactToClipboard(expense(amount));
    QString error;
    EXPECT_EQ(clipboard.pasteTransactClipboard(&doc, &error), QList<long>({0, 1, 2}));
    EXPECT_EQ(windows.made, QStringList({"2:1"}));
    EXPECT_EQ(windows.followUps, 1);
}

TEST_F(TransactClipboardTest, APasteNamingUnknownAccountsStoresNothing)
{
    TransactClipboard clipboard;
    clipboard.copyTransactToClipboard(expense(5));
    TRANSACT stranger = expense(6);
    stranger.who2 = 404;
    clipboard.copyTransactToClipboard(stranger);
    QString error;
    EXPECT_TRUE(clipboard.pasteTransactClipboard(&doc, &error).isEmpty());
    EXPECT_EQ(error, QStringLiteral("kAlerte_BadTransNoCompte"));
    EXPECT_TRUE(doc.transact_array.isEmpty());
}

TEST_F(TransactClipboardTest, RecordsCarryTheContentToAnotherClipboard)
{
    TransactClipboard clipboard;
    clipboard.copyTransactToClipboard(ticked());
    TRANSACT split = expense(30);
    split.addMultiWithPosteID(1, euros(20), QStringLiteral("pain"));
    split.addMultiWithPosteID(2, euros(10), QString());
    split.note = QStringLiteral("deux\nlignes");
    clipboard.copyTransactToClipboard(split);
    const QByteArray xml = clipboard.toXml(doc.deviseHdl);
    EXPECT_TRUE(xml.startsWith("<?xml")) << xml.left(80).constData();

    TransactClipboard other;
    ASSERT_TRUE(other.setFromXml(xml));
    ASSERT_EQ(other.transacts().size(), 2);
    EXPECT_EQ(other.transacts()[0].why, QStringLiteral("Boulangerie"));
    EXPECT_EQ(other.transacts()[0].solde.values[0], 42.5);
    EXPECT_EQ(other.transacts()[1].nbMultis(), 2);
    EXPECT_EQ(other.transacts()[1].multis[0].multiNote, QStringLiteral("pain"));
    EXPECT_EQ(other.transacts()[1].note, QStringLiteral("deux\nlignes"));
}

TEST_F(TransactClipboardTest, TextsThatAreNotTransactionsAreRefused)
{
    TransactClipboard clipboard;
    clipboard.copyTransactToClipboard(expense(1));
    const char* texts[] = {
        "",
        "Boulangerie\t12,50",
        "<list></list>",
        "<list><transact><why>x</why></transact></list>",
        "<other><transact/></other>",
        "<list><transact><who1>7</who1><who2>22</who2><solde>oops</solde></transact></list>",
    };
    for (const char* text : texts) {
        EXPECT_FALSE(clipboard.setFromXml(QByteArray(text))) << text;
        EXPECT_EQ(clipboard.transacts().size(), 1) << "the content stays";
    }
}

TEST_F(TransactClipboardTest, PlainTextOneLinePerTransaction)
{
    doc.compteHdl[0].nom = QStringLiteral("Courant");
    doc.compteHdl[2].nom = QStringLiteral("Boulangerie");
    TransactClipboard clipboard;
    TRANSACT t = expense(12.5);
    t.moyen = 11;
    t.why = QStringLiteral("Pain");
    clipboard.copyTransactToClipboard(t);
    clipboard.copyTransactToClipboard(expense(3));
    const QStringList lines = clipboard.toText(&doc).split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    const QStringList fields = lines[0].split(u'\t');
    ASSERT_EQ(fields.size(), 8);
    EXPECT_EQ(fields[1], moyenNameForFamily(11) + QStringLiteral(" - Courant"));
    EXPECT_EQ(fields[2], QStringLiteral("Courant"));
    EXPECT_EQ(fields[3], QStringLiteral("Boulangerie"));
    EXPECT_EQ(fields[6], QStringLiteral("Pain"));
    EXPECT_TRUE(fields[7].startsWith(QStringLiteral("12,50"))) << fields[7].toStdString();
}

TEST(MoyenCompteName, FamilyAloneWithoutAccount)
{
    EXPECT_EQ(moyenCompteName(9, -1, nullptr), moyenNameForFamily(9));
}

#include "TransactClipboardTest.moc"
