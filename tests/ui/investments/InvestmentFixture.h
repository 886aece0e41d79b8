#pragma once
// The household of the transaction-list tests with investments:
//   securities Air Liquide 1 (outside any portfolio, 6.5 shares at 150), Bouygues 2 and Total 3
//   (portfolio PEA 10; Total has no share); portfolio Compte-titres 11 (empty)
//   loans Prêt auto 3, Prêt travaux 5; savings Livret A 4 (account 9)
// Every investment broadcast is recorded as "name ident".
#include "ui/transactions/TransListFixture.h"

#include "support/TestFiles.h"
#include "toolkit/windows/EntityListWindow.h"

#include "foundation/broadcast.h"
#include "model/FINANCE.h"

class FinanceRecorder : public QObject {
    Q_OBJECT
public:
    FinanceRecorder() { registerWindowController(this); }
    ~FinanceRecorder() override { unregisterWindowController(this); }

#define SV_RECORD(name)                                                                                                \
    Q_INVOKABLE void name(const QVariant& a, const QVariant&)                                                          \
    {                                                                                                                  \
        calls << QStringLiteral(#name " %1").arg(a.toLongLong());                                                      \
    }
    SV_RECORD(titreHasBeenCreated)
    SV_RECORD(titreHasBeenModified)
    SV_RECORD(titreHasBeenDeleted)
    SV_RECORD(empruntHasBeenCreated)
    SV_RECORD(empruntHasBeenModified)
    SV_RECORD(empruntHasBeenDeleted)
    SV_RECORD(remunereHasBeenCreated)
    SV_RECORD(remunereHasBeenModified)
    SV_RECORD(remunereHasBeenDeleted)
#undef SV_RECORD

    QStringList calls;
};

namespace invest {

using translist::TransListTest;

inline FINANCE item(long ident, const char* nom, long portfolioID = -1)
{
    FINANCE f;
    f.ident = ident;
    f.nom = QString::fromUtf8(nom);
    f.portfolioID = portfolioID;
    return f;
}

class InvestmentTest : public TransListTest {
protected:
    InvestmentTest()
    {
        doc.titreHdl = {item(1, "Air Liquide"), item(2, "Bouygues", 10), item(3, "Total", 10)};
        doc.titreHdl[0].cour.setValueForDevise(0, 150);
        doc.titreHdl[1].cour.setValueForDevise(0, 30);
        doc.portfolioArray = {item(11, "Compte-titres"), item(10, "PEA")};
        doc.empruntHdl = {item(3, "Prêt auto"), item(5, "Prêt travaux")};
        doc.remunereHdl = {item(4, "Livret A")};
        doc.remunereHdl[0].compteID = 9;
        TRANSACT achat = trans(saisieui::at(4, 6, 2024), 7, 24, 990, 4, "Achat Air Liquide");
        achat.titreID = 1;
        achat.nTitre = 6.5;
        achat.quote1 = euros(990);
        TRANSACT bouygues = trans(saisieui::at(5, 6, 2024), 7, 24, 300, 4, "Achat Bouygues");
        bouygues.titreID = 2;
        bouygues.nTitre = 10;
        bouygues.quote1 = euros(300);
        doc.transact_array.push_back(achat);
        doc.transact_array.push_back(bouygues);
        doc.transact_array[6].empruntID = 3;
        doc.transact_array[6].quote1 = euros(45);
        doc.transact_array[4].remunereID = 4;
        doc.transact_array[4].quote1 = euros(30);
    }
    // A window left open would hear the next test's broadcasts about a document gone.
    ~InvestmentTest() override
    {
        for (QObject* controller : registeredWindowControllers())
            if (auto* window = qobject_cast<EntityListWindow*>(controller))
                window->close();
    }

    // The texts of every row, "|" between the columns.
    static QStringList rows(StdWindowWithTableController* window)
    {
        QStringList out;
        for (int row = 0; row < window->table1()->numberOfRows(); ++row)
            out << window->viewForTableColumn1(window->table1(), row)->rowTexts().join(u'|');
        return out;
    }
    static long selected(StdWindowWithTableController* window)
    {
        const IndexSet s = window->table1()->selectedRowIndexes();
        return s.empty() ? -1 : long(*s.begin());
    }
    QList<long> transactionsOf(long TRANSACT::*field, long ident) const
    {
        QList<long> positions;
        for (qsizetype i = 0; i < doc.transact_array.size(); ++i)
            if (doc.transact_array[i].*field == ident)
                positions << long(i);
        return positions;
    }

    FinanceRecorder recorder;
};

} // namespace invest
