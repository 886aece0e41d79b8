// The review of the records before an import: a row per field, the position and the buttons
// that leaf through the records; and a run that loses its statement window or its document.
#include "ImportUiFixture.h"

#include "toolkit/tables/StdTableView.h"

#include <QPushButton>

namespace {

using importui::ImportUiTest;
using R = ImportRubrique;

class FenEditImport : public ImportUiTest {
protected:
    static ImportRecords records(int count)
    {
        ImportRecords all(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            all[size_t(i)].fields = {{R::DateJMA, QStringLiteral("0%1/06/2024").arg(i + 1)},
                                     {R::Info, QStringLiteral("a")},
                                     {R::Info, QStringLiteral("b")},
                                     {R::Info, QStringLiteral("c")}};
        return all;
    }
    static QString state(FenEditImportController& w)
    {
        QStringList enabled;
        for (const char* name : {"FIRST", "PREV", "NEXT", "LAST"})
            enabled << (w.outlet<QPushButton>(QString::fromLatin1(name))->isEnabled() ? "1" : "0");
        return w.outlet<QLabel>(QStringLiteral("field_position"))->text() + u' ' + enabled.join(QString());
    }
};

TEST_F(FenEditImport, LeafsThroughTheRecords)
{
    struct Case {
        int count;
        std::vector<const char*> moves;
        const char* state;
    };
    const Case cases[] = {
        {1, {}, "1/1 0000"},
        {12, {}, "1/12 0011"},
        {12, {"NEXT:", "NEXT:"}, "3/12 1111"},
        {12, {"LAST:"}, "12/12 1100"},
        {12, {"LAST:", "PREV:", "FIRST:"}, "1/12 0011"},
    };
    for (const Case& c : cases) {
        QString shown;
        int rows = 0;
        QString kind;
        ui().onModal<FenEditImportController>([&](FenEditImportController& w) {
            for (const char* move : c.moves)
                w.perform(QString::fromLatin1(move));
            shown = state(w);
            rows = w.table1()->model()->rowCount();
            kind = w.table1()->model()->data(w.table1()->model()->index(2, 0)).toString();
            w.perform(QStringLiteral("NON:"));
        });
        EXPECT_FALSE(openImportReviewWindow(nullptr, records(c.count), kImportFormatQIF, 7, 0));
        EXPECT_EQ(shown, QString::fromLatin1(c.state)) << c.count;
        EXPECT_EQ(rows, 4) << "three fields of one kind are three rows";
        EXPECT_TRUE(kind.contains(ImportManager::rubriqueToString(15, false))) << kind.toStdString();
    }
    ui().onModal<FenEditImportController>([](FenEditImportController& w) { w.perform(QStringLiteral("OUI:")); });
    EXPECT_TRUE(openImportReviewWindow(nullptr, records(2), kImportFormatQIF, 7, 0));
}

// Amounts with the decimal comma and dates in one French form, whatever form each file wrote them
// in; what reads as neither shows as the file has it.
TEST_F(FenEditImport, ShowsAmountsAndDatesInTheFrenchForms)
{
    const std::pair<ImportField, const char*> cases[] = {
        {{R::MontantSeul, "67.50"}, "67,50"},          {{R::MontantDebitSeul, "-1,234.5"}, "-1 234,50"},
        {{R::MontantDevise, "12.5 USD"}, "12,50 USD"}, {{R::DateJMA, "31-03-2011"}, "31/03/2011"},
        {{R::DateAMJ, "2020-02-10"}, "10/02/2020"},    {{R::DateMJA, "02/10/2020"}, "10/02/2020"},
        {{R::DateJMA, "45-13-2020"}, "45-13-2020"},    {{R::MontantSeul, "abc"}, "abc"},
        {{R::Info, "Virement 1.5"}, "Virement 1.5"},
    };
    for (const auto& [field, shown] : cases)
        EXPECT_EQ(FenEditImportController::shownValue(field, 2), QString::fromUtf8(shown)) << shown;
    QString row;
    ui().onModal<FenEditImportController>([&](FenEditImportController& w) {
        row = w.table1()->model()->data(w.table1()->model()->index(0, 0)).toString();
        w.perform(QStringLiteral("NON:"));
    });
    openImportReviewWindow(nullptr, {ImportRecord {{{R::MontantSeul, "67.50"}}}}, kImportFormatQIF, 7, 0);
    EXPECT_TRUE(row.contains(QStringLiteral("67,50"))) << row.toStdString();
}

// The statement window closed while the records go in: the run goes on and keeps what it stored,
// with nothing left to refresh; the document closed: the run stops, what was stored stays.
TEST_F(FenEditImport, ARunOutlivesItsWindowAndStopsWithItsDocument)
{
    const QString path = writeBankFile(QStringLiteral("releve.qif"), qif());
    const long before = long(doc.transact_array.size());
    FenReleveController* window = releve();
    ui().answerOpenPanel(path);
    ui().onModal<FenEditImportController>([](FenEditImportController& w) { w.perform(QStringLiteral("OUI:")); });
    ui().onModal<FenAskPoursuivreController>([](FenAskPoursuivreController& w) { w.perform(QStringLiteral("OUI:")); });
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& w) { w.perform(QStringLiteral("OUI:")); });
    window->IMPORTER_WITH_FORMAT(kImportFormatQIF);
    ui().advance(300);
    EXPECT_EQ(long(doc.transact_array.size()), before + 1);
    window->close();
    ui().onModal<FenEditSaisieController>([](FenEditSaisieController& w) { w.perform(QStringLiteral("OUI:")); });
    ui().advance(300);
    EXPECT_EQ(long(doc.transact_array.size()), before + 2);
    ImportManager::goodbye();
    ui().flush();
    EXPECT_EQ(long(doc.transact_array.size()), before + 2);
    EXPECT_FALSE(ImportManager::sharedInstance().isRunning());
}

} // namespace
