// The rules window on five rules: the order the import tries them in, a new rule first, moves that
// can't be made, deleting one or all, and the editor's key words.
#include "entities/FenReglesController.h"
#include "entities/FenEditRegleController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "toolkit/fields/StdTextView.h"
#include "toolkit/tables/StdTableView.h"

#include "model/DOCUMENT.h"
#include "model/PosteFile.h"
#include "support/OpenDocument.h"
#include "support/TestFiles.h"

namespace {

REGLE regle(const char* title, const QStringList& mots, long posteID, int moyen, long nb)
{
    REGLE r;
    r.title = QString::fromUtf8(title);
    r.mots = mots;
    r.who1 = 20;
    r.who2 = 30;
    r.posteID = posteID;
    r.moyen = moyen;
    r.nb_operation = nb;
    return r;
}

class FenReglesTest : public UiTestFixture {
protected:
    FenReglesTest()
    {
        testenv::addDefaultDocParam(doc);
        doc.dossierHdl = defaultDossiers();
        doc.posteHdl = defaultPostes();
        doc.banqueHdl = {testenv::tool(kToolBanque, 10, "Banque du Centre", kBanqueUser),
                         testenv::tool(kToolBanque, 12, "Fournisseurs", kBanqueTiers)};
        doc.compteHdl = {testenv::tool(kToolCompte, 20, "Compte courant", kBanqueUser, 10),
                         testenv::tool(kToolCompte, 30, "Supermarché", kBanqueTiers, 12)};
        doc.reglesArray = {regle("", {"CARREFOUR"}, 2, 11, 14), regle("Loyer", {"VIR", "AGENCE"}, 23, 7, 12),
                           regle("", {"TOTAL", "STATION"}, 31, 11, 9), regle("Impôts", {"DGFIP"}, 14, 8, 3),
                           regle("", {"FREE", "MOBILE"}, 24, 8, 12)};
        opened.emplace(doc);
        fen = showRegles(true);
    }
    ~FenReglesTest() override
    {
        if (fen)
            fen->close();
    }
    QStringList firstWords() const
    {
        QStringList words;
        for (const REGLE& r : doc.reglesArray)
            words << r.mots.value(0);
        return words;
    }
    void editWords(const QString& words, bool ok = true)
    {
        ui().onModal<FenEditRegleController>([words, ok](FenEditRegleController& editor) {
            editor.outlet<StdTextView>(QStringLiteral("field_mots"))->setPlainText(words);
            editor.perform(ok ? QStringLiteral("OUI:") : QStringLiteral("NON:"));
        });
    }

    DOCUMENT doc {QString(), kFileSystemLocal};
    std::optional<testenv::OpenDocument> opened;
    QPointer<FenReglesController> fen;
};

} // namespace

TEST_F(FenReglesTest, RowsTellTheRuleAndANewRuleGoesFirst)
{
    ASSERT_EQ(fen->table1()->numberOfRows(), 5);
    const QStringList row = fen->viewForTableColumn1(fen->table1(), 2)->rowTexts();
    EXPECT_TRUE(row.contains(QStringLiteral("Règle n° 2"))) << row.join(u'|').toStdString();
    EXPECT_TRUE(row.contains(QStringLiteral("Compte courant")));
    EXPECT_TRUE(row.contains(QStringLiteral("Carburant")));
    fen->table1()->GO(1);
    WindowDriver(*fen).grab(QStringLiteral("FenRegles.png"));

    editWords(QStringLiteral("  SNCF   TGV "));
    fen->perform(QStringLiteral("NOUVEAU:"));
    ASSERT_EQ(doc.reglesArray.size(), 6);
    EXPECT_EQ(doc.reglesArray[0].mots, (QStringList {"SNCF", "TGV"})) << "runs of spaces make no empty word";
    EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {0});
    editWords(QStringLiteral("x"), false);
    fen->perform(QStringLiteral("NOUVEAU:"));
    EXPECT_EQ(doc.reglesArray.size(), 6);
}

TEST_F(FenReglesTest, ARuleWithoutAWordIsRefused)
{
    fen->table1()->GO(3);
    ui().onModal<FenEditRegleController>([this](FenEditRegleController& editor) {
        auto* mots = editor.outlet<StdTextView>(QStringLiteral("field_mots"));
        EXPECT_EQ(mots->toPlainText(), QStringLiteral("DGFIP"));
        WindowDriver(editor).grab(QStringLiteral("FenEditRegle.png"));
        for (const char* refused : {"", "   "}) {
            mots->setPlainText(QString::fromLatin1(refused));
            ui().answerAlert(QStringLiteral("kAlerte_empty_mots"), 1000);
            editor.perform(QStringLiteral("OUI:"));
        }
        mots->setPlainText(QStringLiteral("DGFIP IMPOT"));
        editor.perform(QStringLiteral("OUI:"));
    });
    fen->perform(QStringLiteral("MODIFIER:"));
    EXPECT_EQ(doc.reglesArray[3].mots, (QStringList {"DGFIP", "IMPOT"}));
    EXPECT_EQ(doc.reglesArray[3].posteID, 14);
}

TEST_F(FenReglesTest, MovesThatCantBeMadeBeep)
{
    struct Case {
        int row;
        const char* action;
        int beeps;
        int selected;
        const char* first;
        const char* second;
    };
    const Case cases[] = {{0, "MONTER:", 1, 0, "CARREFOUR", "VIR"},
                          {4, "DESCENDRE:", 1, 4, "CARREFOUR", "VIR"},
                          {1, "MONTER:", 0, 0, "VIR", "CARREFOUR"},
                          {0, "DESCENDRE:", 0, 1, "CARREFOUR", "VIR"}};
    for (const Case& c : cases) {
        const int before = ui().desktopRequests().beeps;
        fen->table1()->GO(c.row);
        fen->perform(QString::fromLatin1(c.action));
        EXPECT_EQ(ui().desktopRequests().beeps - before, c.beeps) << c.action << c.row;
        EXPECT_EQ(fen->table1()->selectedRowIndexes(), IndexSet {c.selected}) << c.action << c.row;
        EXPECT_EQ(firstWords().mid(0, 2), (QStringList {c.first, c.second})) << c.action << c.row;
    }
}

TEST_F(FenReglesTest, DeletesOneOrAllAfterAskingAndBeepsOnAnEmptyList)
{
    fen->table1()->GO(1);
    ui().answerAlert(QStringLiteral("kConfirm_SuppRegle"), 1000);
    fen->perform(QStringLiteral("SUPPRIMER:"));
    EXPECT_EQ(doc.reglesArray.size(), 5);
    ui().answerAlert(QStringLiteral("kConfirm_SuppRegle"), 1001);
    fen->perform(QStringLiteral("SUPPRIMER:"));
    EXPECT_EQ(firstWords(), (QStringList {"CARREFOUR", "TOTAL", "DGFIP", "FREE"}));
    ui().answerAlert(QStringLiteral("kConfirm_SuppAllRegle"), 1001);
    fen->perform(QStringLiteral("SUPPRIMERTOUT:"));
    EXPECT_TRUE(doc.reglesArray.isEmpty());
    fen->perform(QStringLiteral("SUPPRIMERTOUT:"));
    EXPECT_EQ(ui().desktopRequests().beeps, 1);
}
