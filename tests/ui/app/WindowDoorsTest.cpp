// The application's doors to the listings: each entity's listing opens through them, is reused,
// and is found again on its own kind and identifier.
#include "ui/transactions/TransListFixture.h"

#include "app/WindowDoors.h"

#include "model/FINANCE.h"

#include <QSet>

namespace {

using translist::TransListTest;

class WindowDoorsTest : public TransListTest {
protected:
    WindowDoorsTest()
    {
        doc.empruntHdl = {finance(3, "Prêt auto")};
        doc.remunereHdl = {finance(4, "Livret A")};
    }
    static FINANCE finance(long ident, const char* nom)
    {
        FINANCE item;
        item.ident = ident;
        item.nom = QString::fromUtf8(nom);
        return item;
    }
    // A listing left open would hear the next test's broadcasts about a document gone.
    ~WindowDoorsTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* list = qobject_cast<FenTransListController*>(controller))
                list->close();
    }
};

TEST_F(WindowDoorsTest, EachEntityListingIsFoundAgainOnItsOwnKindAndIdentifier)
{
    IWindowDoors& doors = WindowDoors::shared();
    const struct {
        EntityListing kind;
        long ident;
    } cases[] = {{EntityListing::Dossier, 2}, {EntityListing::Poste, 4},    {EntityListing::Chrono, 501},
                 {EntityListing::Titre, 1},   {EntityListing::Remunere, 4}, {EntityListing::Emprunt, 3}};
    QSet<StdWindowController*> opened;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.kind));
        EXPECT_EQ(doors.entityListingWindow(c.kind, c.ident), nullptr);
        EXPECT_EQ(doors.openEntityListing(c.kind, doc, 99, 0, true), nullptr);
        StdWindowController* listing = doors.openEntityListing(c.kind, doc, c.ident, 0, true);
        ASSERT_NE(listing, nullptr);
        EXPECT_EQ(doors.openEntityListing(c.kind, doc, c.ident, 0, true), listing);
        opened.insert(listing);
    }
    // With every listing open, each is told apart from the others.
    ASSERT_EQ(opened.size(), qsizetype(std::size(cases)));
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.kind));
        StdWindowController* listing = doors.entityListingWindow(c.kind, c.ident);
        EXPECT_TRUE(opened.contains(listing));
        EXPECT_EQ(doors.entityListingWindow(c.kind, 99), nullptr);
        opened.remove(listing);
        listing->close();
        EXPECT_EQ(doors.entityListingWindow(c.kind, c.ident), nullptr);
    }
}

} // namespace
