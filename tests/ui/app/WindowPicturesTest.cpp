// The main windows over the household with investments show their pictures: every picture a row
// or a control shows has something drawn in it, and no window asks for a picture the program
// does not ship. Each window is saved as a PNG for a person to look at.
#include "ui/investments/InvestmentFixture.h"

#include "entities/FenBanqueController.h"
#include "entities/FenDossierController.h"
#include "investments/FenFinanceTitreController.h"
#include "schedules/FenEcheancierController.h"
#include "transactions/CellReleve.h"
#include "transactions/FenReleveController.h"

#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"

#include "model/ReleveCompute.h"
#include "support/LogLines.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSet>

namespace {

int drawnPixels(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 64 ? 1 : 0;
    }
    return count;
}

// The pictures shown in a window or a row: its labels' pictures and its buttons' icons.
struct Pictures {
    int shown = 0;
    QStringList blank;
    QSet<QString> names; // of the controls showing them

    void check(const QPixmap& picture, const QString& where)
    {
        ++shown;
        names.insert(where.section(u'/', -1));
        if (drawnPixels(picture) < picture.width() * picture.height() / 20)
            blank << where;
    }
    void collect(QWidget* root, const QString& where)
    {
        for (QLabel* label : root->findChildren<QLabel*>()) {
            if (label->isVisibleTo(root) && !label->pixmap().isNull())
                check(label->pixmap(), where + u'/' + label->objectName());
        }
        for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(root) && !button->icon().isNull())
                check(button->icon().pixmap(button->iconSize()), where + u'/' + button->objectName());
        }
    }
    void collectRows(StdWindowWithTableController& window, const QString& where)
    {
        for (StdTableView* table : {window.table1(), window.table2()}) {
            if (!table)
                continue;
            for (int row = 0; row < std::min(table->numberOfRows(), 40); ++row) {
                StdCell* cell = table == window.table1() ? window.viewForTableColumn1(table, row)
                                                         : window.viewForTableColumn2(table, row);
                if (cell)
                    collect(cell, QStringLiteral("%1 row %2").arg(where).arg(row));
            }
        }
    }
};

class WindowPicturesTest : public invest::InvestmentTest {
protected:
    // Looks at the window and its rows: `least` is how many pictures it shows at the least, and
    // `marks` the controls that must show one.
    void look(StdWindowWithTableController& window, const char* file, int least, const QStringList& marks = {})
    {
        WindowDriver(window).grab(QString::fromLatin1(file));
        Pictures pictures;
        pictures.collect(window.window(), QString::fromLatin1(file));
        pictures.collectRows(window, QString::fromLatin1(file));
        EXPECT_GE(pictures.shown, least) << file;
        EXPECT_TRUE(pictures.blank.isEmpty()) << pictures.blank.join(u'\n').toStdString();
        for (const QString& mark : marks)
            EXPECT_TRUE(pictures.names.contains(mark)) << file << " " << mark.toStdString();
    }
    ~WindowPicturesTest() override { EXPECT_TRUE(log.containing(QStringLiteral("no picture named")).isEmpty()); }

    LogLines log;
};

TEST_F(WindowPicturesTest, BanksAndAccountsShowTheirTypesAndLocks)
{
    FenBanqueController* banques = showBanques(true);
    ASSERT_NE(banques, nullptr);
    banques->table1()->GO(0); // Banque du Port and its accounts
    look(*banques, "pictures-banques.png", 6, {QStringLiteral("image")});
    // The reserved accounts of the special bank carry the lock.
    banques->table1()->GO(banques->table1()->numberOfRows() - 1);
    look(*banques, "pictures-banques-speciaux.png", 6, {QStringLiteral("image_lock")});
    banques->close();
}

TEST_F(WindowPicturesTest, CategoriesShowTheirPicturesAndMarks)
{
    doc.docParam->defaultPoste = 1;
    doc.posteHdl[0].permanent = true;
    FenDossierController* dossiers = showDossiers(true);
    ASSERT_NE(dossiers, nullptr);
    dossiers->table1()->GO(0);
    look(*dossiers, "pictures-dossiers.png", 6,
         {QStringLiteral("icone"), QStringLiteral("icone_permanent"), QStringLiteral("icone_cadenas")});
    dossiers->close();
}

TEST_F(WindowPicturesTest, TheStatementWindowShowsTicksLocksAndPaymentMeans)
{
    recomputeAllReleves(&doc);
    FenReleveController* releve = openReleveWindow(7, true, 0, doc);
    ASSERT_NE(releve, nullptr);
    look(*releve, "pictures-releve.png", 20, {QStringLiteral("image_moyen"), QStringLiteral("image_icone_releve")});
    // The locked statement's transactions carry the padlock.
    releve->table2()->GO(kFirstReleveRow);
    look(*releve, "pictures-releve-verrouille.png", 4, {QStringLiteral("image_verrouD")});
    releve->close();
}

TEST_F(WindowPicturesTest, SchedulesShowTheirKindsStatesAndAccounts)
{
    // The fixture adds its schedule and forecast to an open document: open it again to index them.
    DocumentSession::close();
    DocumentSession::adopt(doc);
    FenEcheancierController* echeancier = FenEcheancierController::openEcheanciers(0);
    ASSERT_NE(echeancier, nullptr);
    look(*echeancier, "pictures-echeancier.png", 6,
         {QStringLiteral("image_chrono"), QStringLiteral("image_actif"), QStringLiteral("image_compte_debit")});
    echeancier->close();
}

TEST_F(WindowPicturesTest, SecuritiesShowTheirPictures)
{
    FenFinanceTitreController* titres = FenFinanceTitreController::openTitres();
    ASSERT_NE(titres, nullptr);
    look(*titres, "pictures-titres.png", 1);
    titres->close();
}

TEST_F(WindowPicturesTest, TheEntryWindowShowsItsLockAndPaymentMeans)
{
    int shown = 0;
    QStringList blank;
    // The transaction on the locked statement: the padlock shows beside the pop-ups' pictures.
    enter(editOf(5), [&](FenEditSaisieController& window) {
        WindowDriver(window).grab(QStringLiteral("pictures-saisie.png"));
        Pictures pictures;
        pictures.collect(window.window(), QStringLiteral("saisie"));
        shown = pictures.shown;
        blank = pictures.blank;
        auto* padlock = window.outlet<QLabel>(QStringLiteral("image_cadenas"));
        ASSERT_NE(padlock, nullptr);
        EXPECT_TRUE(padlock->isVisibleTo(window.window()));
        cancel(window);
    });
    EXPECT_GE(shown, 4);
    EXPECT_TRUE(blank.isEmpty()) << blank.join(u'\n').toStdString();
}

} // namespace
