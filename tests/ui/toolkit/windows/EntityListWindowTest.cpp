// What every entity list window shares: one window per class, the Delete key only in the focused
// table, the row selected after a deletion, and the logo line of the editors.
#include "toolkit/windows/EntityListWindow.h"
#include "entities/LogoFiller.h"
#include "toolkit/tables/selectAfterDelete.h"

#include "uisupport/UiTestFixture.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "toolkit/tables/StdTableView.h"

#include <QVBoxLayout>

namespace {

class FenEssaiListe : public EntityListWindow {
    Q_OBJECT
public:
    QStringList calls;
    int numberOfRowsInTableView1(StdTableView*) override { return 3; }
    int numberOfRowsInTableView2(StdTableView*) override { return 2; }

protected:
    void buildInterface(StdWindow& window) override
    {
        auto* layout = new QVBoxLayout(&window);
        for (const char* name : {"table1", "table2"}) {
            auto* table = new StdTableView(&window);
            table->setObjectName(QString::fromLatin1(name));
            layout->addWidget(table);
        }
    }
    bool deleteInTable(int table) override
    {
        calls << QStringLiteral("delete%1").arg(table);
        return true;
    }
    void editInTable(int table) override { calls << QStringLiteral("edit%1").arg(table); }
};

using EntityListWindowTest = UiTestFixture;

} // namespace

TEST(SelectAfterDelete, KeepsTheRowOrTakesTheNewLastOrNone)
{
    for (const auto& [row, count, expected] :
         {std::tuple(0, 5, 0), {2, 5, 2}, {4, 5, 3}, {3, 5, 3}, {0, 1, -1}, {1, 2, 0}})
        EXPECT_EQ(selectAfterDelete(row, count), expected) << row << "/" << count;
}

TEST_F(EntityListWindowTest, OneWindowPerClassUntilItCloses)
{
    FenEssaiListe* first = openEntityWindow<FenEssaiListe>(false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(openEntityWindow<FenEssaiListe>(false), first);
    EXPECT_EQ(EntityWindowRegistry::find(FenEssaiListe::staticMetaObject), first);
    first->window()->close();
    EXPECT_EQ(EntityWindowRegistry::find(FenEssaiListe::staticMetaObject), nullptr);
}

// The key deletes in the table that has the focus and nowhere else; a double click edits its table.
// The window opens with the focus in its first list.
TEST_F(EntityListWindowTest, DeleteGoesToTheFocusedTableOnly)
{
    FenEssaiListe* fen = openEntityWindow<FenEssaiListe>(true);
    ASSERT_NE(fen, nullptr);
    fen->window()->activateWindow();
    EXPECT_EQ(fen->window()->focusWidget(), fen->table1());
    fen->table1()->clearFocus();
    EXPECT_FALSE(fen->delete_(nullptr));
    for (StdTableView* table : {fen->table2(), fen->table1()}) {
        table->setFocus();
        EXPECT_TRUE(fen->delete_(nullptr));
    }
    fen->didDoubleClick1(nullptr);
    fen->didDoubleClick2(nullptr);
    EXPECT_EQ(fen->calls, QStringList({"delete2", "delete1", "edit1", "edit2"}));
    fen->window()->close();
}

TEST_F(EntityListWindowTest, LogoLineShowsTheLogoOrNone)
{
    DOCUMENT doc {QString(), kFileSystemLocal};
    Logo logo(12);
    logo.visibleName = QStringLiteral("Boulangerie");
    doc.logoArray = {logo};
    const QString none = localizedAppl(QStringLiteral("POPUP_AUCUN_LOGO"));
    for (const auto& [ident, withDoc, title, has] : {std::tuple(12L, true, QStringLiteral("Boulangerie"), true),
                                                     {-1L, true, none, false},
                                                     {99L, true, none, false},
                                                     {12L, false, none, false}}) {
        const LogoFace face = LogoFiller::face(ident, withDoc ? &doc : nullptr, QIcon());
        EXPECT_EQ(face.title, title) << ident;
        EXPECT_EQ(face.hasLogo, has) << ident;
    }
}

#include "EntityListWindowTest.moc"
