// The tab import editor's logic on a grid of a bank file, without its window: roles and what
// they exclude, how each kind reads and rewrites a cell, the questions and their answers, rows
// left out, records built and configurations.
#include "../transactions/SaisieUiFixture.h"

#include "import/ImportTabRoles.h"
#include "spreadsheet/TableurCells.h"
#include "spreadsheet/TableurProtocol.h"

#include "model/MOYEN.h"

#include <deque>

namespace {

using R = ImportRubrique;

class RowsSource : public TableurProtocol {
public:
    explicit RowsSource(ImportRows table)
        : rows(std::move(table))
    {
    }
    long numberOfRowsInDataSource() const override { return long(rows.size()); }
    long numberOfColumnsInDataSource() const override { return rows.empty() ? 0 : long(rows[0].size()); }
    QString valueAtRowInDataSource(long row, long column) const override { return rows[size_t(row)][column]; }
    ImportRows rows;
};

class FakeAsker : public ImportTabRoles::Asker {
public:
    void askForDevise(const QString& old, const ImportTabRoles::AskEndBlock& block) override
    {
        answer(ImportNeed::Devise, old, block);
    }
    void askForCompte(const QString& old, const ImportTabRoles::AskEndBlock& block) override
    {
        answer(ImportNeed::Compte, old, block);
    }
    void askForPoste(const QString& old, const ImportTabRoles::AskEndBlock& block) override
    {
        answer(ImportNeed::Poste, old, block);
    }
    void askForMoyen(const QString& old, const ImportTabRoles::AskEndBlock& block) override
    {
        answer(ImportNeed::Moyen, old, block);
    }
    void askForFiscal(const QString& old, const ImportTabRoles::AskEndBlock& block) override
    {
        answer(ImportNeed::Fiscal, old, block);
    }
    void openEntityWindow(ImportNeed need) override { opened << int(need); }

    std::deque<std::pair<long, qint64>> answers;
    QStringList asked;
    QList<int> opened;

private:
    void answer(ImportNeed need, const QString& old, const ImportTabRoles::AskEndBlock& block)
    {
        asked << QStringLiteral("%1:%2").arg(int(need)).arg(old);
        const auto [code, value] = answers.empty() ? std::pair(kAskImportStop, qint64(-1)) : answers.front();
        if (!answers.empty())
            answers.pop_front();
        block(code, value);
    }
};

class ImportTabRolesTest : public saisieui::SaisieUiTest {
protected:
    // A title line, then the bank's lines.
    void load(ImportRows rows)
    {
        source = std::make_unique<RowsSource>(std::move(rows));
        cells.clearArrays();
        cells.buildRowsArray(*source, false);
        cells.buildColumnsArray(*source, false);
        cells.buildCellsArray(*source, false);
        roles = std::make_unique<ImportTabRoles>(cells, doc, 0);
        roles->setAsker(&asker);
    }
    void loadBank()
    {
        load({{"Date", "Libellé", "Montant", "Tiers", "Catégorie"},
              {"02/06/2024", "Pain", "-12,50", "Boulangerie", "Alimentation"},
              {"05/06/2024", "Virement", "1800", "Employeur", "Salaire"},
              {"07/06/2024", "Cinéma", "-9", "Cinéma Rex", "Sorties"},
              {"08/06/2024", "Cinéma", "-7", "Cinéma Rex", "Sorties"}});
    }
    QString kinds() const
    {
        QStringList out;
        for (long c = 0; c < cells.numberOfColumns(); ++c) {
            const auto kind = roles->rubriqueOfColumn(c);
            out << (kind ? QString::number(int(*kind)) : QStringLiteral("-"));
        }
        return out.join(u' ');
    }
    CellObject& cell(long row, long column) { return *cells.cellAtRow(row, column); }

    TableurCells cells;
    std::unique_ptr<RowsSource> source;
    std::unique_ptr<ImportTabRoles> roles;
    FakeAsker asker;
};

TEST_F(ImportTabRolesTest, AKindBelongsToOneColumnAndExcludesItsRivals)
{
    struct Case {
        const char* name;
        std::vector<std::pair<R, long>> given;
        const char* kinds;
    };
    const Case cases[] = {
        {"the date moves", {{R::DateJMA, 0}, {R::DateJMA, 1}}, "- 7 - - -"},
        {"debit with currency reverts amounts, debit, credit and payee",
         {{R::MontantSeul, 0}, {R::MontantDebitSeul, 1}, {R::MontantCreditSeul, 2}, {R::MontantDebitDevise, 4}},
         "- - - - 4"},
        {"amounts leave the payee", {{R::Contre, 3}, {R::MontantDevise, 2}}, "- - 2 10 -"},
        {"debit alone leaves debit with currency", {{R::MontantDebitDevise, 4}, {R::MontantDebitSeul, 1}}, "- 3 - - 4"},
        {"a debit account reverts the payee", {{R::Contre, 3}, {R::Debit, 1}}, "- 11 - - -"},
        {"not affected takes the role away", {{R::Info, 1}, {R::NotAffected, 1}}, "- - - - -"},
    };
    for (const Case& c : cases) {
        loadBank();
        for (const auto& [kind, column] : c.given)
            roles->RUBRIQUE(kind, column, false);
        EXPECT_EQ(kinds(), QString::fromLatin1(c.kinds)) << c.name;
    }
}

TEST_F(ImportTabRolesTest, EachKindReadsAndRewritesItsCells)
{
    struct Case {
        R kind;
        const char* text;
        const char* shown;
        bool valid;
    };
    const Case cases[] = {
        {R::MontantSeul, "1 234,5", "1 234,50", true},
        {R::MontantSeul, "0", "", true},
        {R::MontantSeul, "1.234.567", "1.234.567", false},
        {R::MontantDevise, "-12,50 F", "-12,50 F", true},
        {R::MontantDevise, "12 USD", "12 USD", false},
        {R::DateJMA, "25/12/13", "25/12/2013", true},
        {R::DateAMJ, "2024-06-02", "02/06/2024", true},
        {R::DateMJA, "12/25/2013", "25/12/2013", true},
        {R::DateJMA, "20240602", "20240602", false},
        {R::Contre, "boulangerie", "Boulangerie", true},
        {R::Contre, "", "", false},
        {R::Poste, "Santé", "Santé", true},
        {R::Reference, "", "", true},
        {R::Moyen, "", "", true},
        {R::Devise, "€", "€", true},
        {R::Devise, "", "", false},
        {R::Fiscal, "", "-", true},
        {R::Fiscal, "tva 20 %", "TVA 20 %", true},
        {R::Fiscal, "TVA", "TVA", false},
    };
    for (const Case& c : cases) {
        load({{QString::fromUtf8(c.text)}});
        roles->RUBRIQUE(c.kind, 0, false);
        const QString shown = c.kind == R::Moyen ? moyenNameForFamily(0) : QString::fromUtf8(c.shown);
        EXPECT_EQ(cell(0, 0).value(), shown) << c.text;
        EXPECT_EQ(!cell(0, 0).invalidated(), c.valid) << c.text;
    }
}

// A currency of three decimals keeps its third; a mapping to what the document no longer has
// maps nothing.
TEST_F(ImportTabRolesTest, AmountsKeepTheCurrencysDecimalsAndStaleMappingsMapNothing)
{
    doc.deviseHdl[0].decimale = 3;
    load({{"12,345"}, {"Inconnu"}});
    roles->RUBRIQUE(R::MontantSeul, 0, false);
    EXPECT_EQ(cell(0, 0).value(), QStringLiteral("12,345"));

    // An amount of 0 in an unknown currency asks nothing, but its menu maps the currency text.
    load({{"0 USD"}, {"5 USD"}});
    roles->RUBRIQUE(R::MontantDevise, 0, false);
    roles->mapCell(cell(0, 0), ImportNeed::Devise, 1);
    EXPECT_FALSE(cell(1, 0).invalidated());
    EXPECT_EQ(roles->replacements().deviseReplacementArray().value(0).text, QStringLiteral("USD"));

    load({{"12,345"}, {"Inconnu"}});
    roles->replacements().addCompteReplacement(QStringLiteral("Inconnu"), 999);
    roles->RUBRIQUE(R::Contre, 0, false);
    EXPECT_TRUE(cell(1, 0).invalidated());
    roles->replacements().addCompteReplacement(QStringLiteral("Inconnu"), 24);
    qint64 found = 0;
    EXPECT_FALSE(roles->replacements().findCompteReplacement(QStringLiteral("Inconnu"), &found));
}

TEST_F(ImportTabRolesTest, TheTitleLineDropsOutAndTheButtonWaitsForACounterpart)
{
    loadBank();
    roles->RUBRIQUE(R::DateJMA, 0, false);
    roles->RUBRIQUE(R::Info, 1, false);
    roles->RUBRIQUE(R::MontantSeul, 2, false);
    EXPECT_TRUE(cells.rowAtIndex(0)->invalidatedImplicit());
    EXPECT_FALSE(roles->canImport());
    roles->RUBRIQUE(R::Debit, 3, false);
    EXPECT_FALSE(roles->canImport());
    roles->RUBRIQUE(R::Contre, 3, false);
    EXPECT_TRUE(roles->canImport());
    EXPECT_EQ(roles->buildFinalImportArray().size(), 2u) << "Cinéma Rex matches nothing yet";
    roles->mapCell(cell(3, 3), ImportNeed::Compte, 24);

    const ImportRecords records = roles->buildFinalImportArray();
    ASSERT_EQ(records.size(), 4u);
    const std::vector<ImportField> expected = {{R::DateJMA, QStringLiteral("07/06/2024")},
                                               {R::Info, QStringLiteral("Cinéma")},
                                               {R::MontantSeul, QStringLiteral("-9,00")},
                                               {R::Contre, QStringLiteral("Courtier")}};
    EXPECT_EQ(records[2].fields, expected);
    EXPECT_FALSE(cell(4, 3).invalidated()) << "the same text is mapped in every cell";

    // Between two accounts, a debit amount needs its credit amount beside it.
    loadBank();
    roles->RUBRIQUE(R::DateJMA, 0, false);
    roles->RUBRIQUE(R::Debit, 1, false);
    roles->RUBRIQUE(R::Credit, 3, false);
    roles->RUBRIQUE(R::MontantDebitSeul, 2, false);
    EXPECT_EQ(kinds(), QStringLiteral("7 11 3 12 -"));
    EXPECT_FALSE(roles->canImport());
    roles->RUBRIQUE(R::MontantCreditSeul, 4, false);
    EXPECT_TRUE(roles->canImport());
}

TEST_F(ImportTabRolesTest, AnswersToTheQuestions)
{
    struct Case {
        const char* name;
        std::deque<std::pair<long, qint64>> answers;
        long records; // built once the date, amount and payee have their roles
        bool stopped;
        QList<int> opened;
    };
    const Case cases[] = {
        {"OK maps the text", {{kAskImportOK, 24}}, 4, false, {}},
        {"stop leaves the rows out", {{kAskImportStop, 0}}, 2, true, {}},
        {"the list window opens", {{kAskImportAcceder, 0}}, 2, false, {int(ImportNeed::Compte)}},
        {"invalidate leaves one row out, the next asks", {{kAskImportInvalider, 0}, {kAskImportOK, 24}}, 3, false, {}},
    };
    for (const Case& c : cases) {
        loadBank();
        asker = FakeAsker();
        asker.answers = c.answers;
        roles->RUBRIQUE(R::DateJMA, 0, true);
        roles->RUBRIQUE(R::MontantSeul, 2, true);
        roles->RUBRIQUE(R::Contre, 3, true);
        EXPECT_EQ(asker.asked.value(0), QStringLiteral("1:Cinéma Rex")) << c.name;
        EXPECT_EQ(long(roles->buildFinalImportArray().size()), c.records) << c.name;
        EXPECT_EQ(roles->globalStop(), c.stopped) << c.name;
        EXPECT_EQ(asker.opened, c.opened) << c.name;
    }
    // One answer maps the text in every row.
    loadBank();
    asker = FakeAsker();
    asker.answers = {{kAskImportOK, 4}};
    roles->RUBRIQUE(R::DateJMA, 0, true);
    roles->RUBRIQUE(R::Poste, 4, true);
    EXPECT_EQ(asker.asked, QStringList {QStringLiteral("2:Sorties")});
    EXPECT_EQ(cell(3, 4).value(), QStringLiteral("Loisirs"));
    EXPECT_EQ(cell(4, 4).value(), QStringLiteral("Loisirs"));
}

TEST_F(ImportTabRolesTest, RowsLeftOutAndBackIn)
{
    loadBank();
    roles->RUBRIQUE(R::DateJMA, 0, false);
    roles->ACTIVATE_ROWS(false, {1, 2});
    EXPECT_TRUE(cells.rowAtIndex(1)->invalidated());
    EXPECT_TRUE(cell(2, 0).invalidated());
    roles->ACTIVATE_ROW(true, 2);
    EXPECT_FALSE(cell(2, 0).invalidated());
    EXPECT_EQ(cell(2, 0).value(), QStringLiteral("05/06/2024"));
    EXPECT_EQ(roles->buildFinalImportArray().size(), 3u);
}

TEST_F(ImportTabRolesTest, ConfigurationsCarryRolesAndMappings)
{
    loadBank();
    asker.answers = {{kAskImportOK, 24}};
    roles->RUBRIQUE(R::DateJMA, 0, true);
    roles->RUBRIQUE(R::Contre, 3, true);
    roles->replacements().addFiscalReplacement(QStringLiteral("TVA 20 %"), 2);
    ImportConfiguration saved = roles->makeImportConfigurationDataDictionary();
    EXPECT_EQ(saved.comptes, (ImportMappingList {{QStringLiteral("Cinéma Rex"), 24}}));
    EXPECT_EQ(saved.taxes, (ImportMappingList {{QStringLiteral("TVA 20 %"), 2}}));

    // Two columns of one kind: the later keeps it; a column the file lacks is passed over.
    saved.rubriques.append({1, R::DateJMA});
    saved.rubriques.append({9, R::Info});
    loadBank();
    roles->applyConfiguration(saved);
    roles->reactToChangeConfiguration();
    EXPECT_EQ(roles->replacements().fiscalReplacementArray(), saved.taxes);
    EXPECT_EQ(kinds(), QStringLiteral("- 7 - 10 -"));
    EXPECT_EQ(cell(3, 3).value(), QStringLiteral("Courtier"));
    EXPECT_EQ(asker.asked.size(), 1);
}

} // namespace
