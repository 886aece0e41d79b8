#pragma once
// The household of the entry window's tests with a month of transactions on the current account
// (7), a schedule and a forecast on it, and the helpers to open its list and read its rows.
//   0  01/06 Pain          7 -> 22   12,50  Alimentation
//   1  03/06 Salaire      23 -> 7  1800,00  Salaire
//   2  05/06 Courses       7 -> 22  100,00  split: 60 Alimentation, 40 Loisirs
//   3  08/06 Retrait       7 -> 30   50,00  Loisirs
//   4  02/06 Livret        9 -> 22   30,00  (another account)
//   5  20/05 Pharmacie     7 -> 22   20,00  Santé, on the locked statement 1 of 31/05
//   6  12/06 Courtier      7 -> 24  200,00  Loisirs
//   schedule 501 "Loyer" monthly from 10/05 (written up to then), forecast 601 "Santé" monthly.
#include "SaisieUiFixture.h"

#include "transactions/FenTransListController.h"

#include "engines/LISTING.h"
#include "foundation/broadcast.h"
#include "model/ECHEANCIER.h"
#include "model/Prevision.h"

#include <QItemSelectionModel>
#include <QList>
#include <QObject>
#include <QVariant>

// Every broadcast of transactions, as "NAME position flag".
class BroadcastRecorder : public QObject {
    Q_OBJECT
public:
    BroadcastRecorder() { registerWindowController(this); }
    ~BroadcastRecorder() override { unregisterWindowController(this); }

    Q_INVOKABLE void MAKE_TRANSACT(const QVariant& a, const QVariant& b) { record("MAKE_TRANSACT", a, b); }
    Q_INVOKABLE void DELETE_TRANSACT(const QVariant& a, const QVariant& b) { record("DELETE_TRANSACT", a, b); }
    Q_INVOKABLE void REPLACE_TRANSACT(const QVariant& a, const QVariant& b) { record("REPLACE_TRANSACT", a, b); }
    Q_INVOKABLE void didPasteTransactAtIndexes(const QVariant& a, const QVariant&) { recordList("didPaste", a); }
    Q_INVOKABLE void didReplaceTransactAtIndexes(const QVariant& a, const QVariant& b)
    {
        recordList("didReplace", a);
        calls.last() += b.toBool() ? QStringLiteral(" 1") : QStringLiteral(" 0");
    }
    Q_INVOKABLE void didDeleteTransactAtIndexes(const QVariant& a, const QVariant&) { recordList("didDelete", a); }
    // The follow-ups of a change told as the last of its batch, counted apart.
    Q_INVOKABLE void DID_CHANGE_TRANSACT() { ++lastChanges; }

    QStringList calls;
    int lastChanges = 0;

private:
    void recordList(const char* name, const QVariant& a)
    {
        QStringList positions;
        for (const QVariant& index : a.toList())
            positions << index.toString();
        calls << QStringLiteral("%1 %2").arg(QString::fromLatin1(name), positions.join(u','));
    }
    void record(const char* name, const QVariant& a, const QVariant& b)
    {
        calls << QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(name), a.toString(), b.toBool() ? "1" : "0");
    }
};

namespace translist {

using saisieui::at;

class TransListTest : public saisieui::SaisieUiTest {
protected:
    TransListTest()
    {
        addTransactions();
        addChronos();
    }

    TRANSACT trans(double when, long from, long to, double amount, long poste, const char* why) const
    {
        TRANSACT t;
        t.defaultTransact(&doc);
        t.when = when;
        t.who1 = from;
        t.who2 = to;
        t.solde = euros(amount);
        t.posteID = poste;
        t.why = QString::fromUtf8(why);
        return t;
    }

    void addTransactions()
    {
        doc.transact_array
            = {trans(at(1, 6, 2024), 7, 22, 12.5, 1, "Pain"),    trans(at(3, 6, 2024), 23, 7, 1800, 6, "Salaire"),
               trans(at(5, 6, 2024), 7, 22, 100, -1, "Courses"), trans(at(8, 6, 2024), 7, 30, 50, 4, "Retrait"),
               trans(at(2, 6, 2024), 9, 22, 30, 1, "Livret"),    trans(at(20, 5, 2024), 7, 22, 20, 8, "Pharmacie"),
               trans(at(12, 6, 2024), 7, 24, 200, 4, "Courtier")};
        doc.transact_array[2].multis = {MULTI(1, euros(60), {}), MULTI(4, euros(40), {})};
        RELEVE mai;
        mai.ident = 1;
        mai.date = at(31, 5, 2024);
        TOOL* courant = getTool(kToolCompte, 7, &doc);
        courant->releves = {mai};
        courant->locked_releve_to_date = at(31, 5, 2024);
        doc.transact_array[5].releveID1 = 1;
    }

    void addChronos()
    {
        ECHEANCIER loyer;
        loyer.ident = 501;
        loyer.nom = QStringLiteral("Loyer");
        loyer.transact = trans(at(10, 5, 2024), 7, 22, 700, 4, "Loyer");
        loyer.planificator = Planificator(at(10, 5, 2024), Planificator::kTypeEcheancier);
        loyer.planificator.lastWriteDate = at(10, 5, 2024);
        doc.echeancierHdl = {loyer};
        Prevision sante;
        sante.ident = 601;
        sante.name = QStringLiteral("Santé");
        sante.transact = trans(at(1, 5, 2024), 7, 22, 80, 8, "Santé");
        Planificator monthly(at(1, 5, 2024), Planificator::kTypePrevision);
        monthly.valideType = Planificator::kValideLength;
        sante.planificator = monthly;
        doc.previsionsArray = {sante};
    }

    FenTransListController* open(long compte = 7)
    {
        FenTransListController* list = openCompteTransList(compte, doc, true);
        if (list)
            list->table1()->setFocus();
        return list;
    }

    static long rowOf(FenTransListController* list, long position)
    {
        long row = -1;
        listingFindPosition(position, StorageKind::Transact, list->listing(), &row);
        return row;
    }
    // The first row of that kind of occurrence.
    static long occurrenceRow(FenTransListController* list, StorageKind kind)
    {
        for (long row = 0; row < listingCount(list->listing()); ++row) {
            if (listingPosAtIndex(list->listing(), row)->storageType == kind)
                return row;
        }
        return -1;
    }
    static QString text(FenTransListController* list, long row)
    {
        QAbstractItemModel* model = list->table1()->model();
        return model->data(model->index(int(row), 0)).toString();
    }
    static void select(FenTransListController* list, const QList<long>& rows)
    {
        StdTableView* table = list->table1();
        table->clearSelection();
        for (const long row : rows)
            table->selectionModel()->select(table->model()->index(int(row), 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    // The document positions of the selected rows, in row order ("E"/"P" for occurrences).
    static std::string selectedPositions(FenTransListController* list)
    {
        QStringList out;
        for (const int row : list->table1()->selectedRowIndexes()) {
            const POS* line = listingPosAtIndex(list->listing(), row);
            if (line->storageType != StorageKind::Transact)
                out << (line->storageType == StorageKind::Echeancier ? QStringLiteral("E") : QStringLiteral("P"));
            else if (line->multiState == MultiState::Line || line->multiState == MultiState::LineOut)
                out << QStringLiteral("%1.%2").arg(line->storageIndex).arg(line->multiIndex);
            else
                out << QString::number(line->storageIndex);
        }
        return out.join(u' ').toStdString();
    }
    static QList<long> states(FenTransListController* list)
    {
        QList<long> out;
        for (const POS& line : list->listing()->posList)
            out << long(line.multiState);
        return out;
    }
};

} // namespace translist
