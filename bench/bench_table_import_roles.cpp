// The tab import editor's logic on a bank file of 100,000 lines: giving the columns their roles
// (every cell read, rewritten and matched against the document's accounts and categories), the
// records built from the valid rows, and a thousand rows left out at once.
#include "DocumentGenerator.h"

#include "import/ImportTabRoles.h"
#include "spreadsheet/TableurCells.h"
#include "spreadsheet/TableurProtocol.h"

#include "model/DOCUMENT.h"
#include "model/POSTE.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr long kRows = 100000;
constexpr long kColumns = 5;

class BankFile : public TableurProtocol {
public:
    explicit BankFile(const DOCUMENT& doc)
    {
        for (const TOOL& compte : doc.compteHdl)
            payees.append(compte.nom);
        for (const POSTE& poste : doc.posteHdl)
            postes.append(poste.nom);
    }
    long numberOfRowsInDataSource() const override { return kRows; }
    long numberOfColumnsInDataSource() const override { return kColumns; }
    QString valueAtRowInDataSource(long row, long column) const override
    {
        switch (column) {
        case 0:
            return QStringLiteral("%1/%2/2024").arg(1 + row % 28).arg(1 + row % 12);
        case 1:
            return QStringLiteral("Opération n° %1").arg(row);
        case 2:
            return QStringLiteral("-%1,%2").arg(row % 1000).arg(row % 100, 2, 10, QLatin1Char('0'));
        case 3:
            // One line in a hundred names a payee the document doesn't have.
            return row % 100 ? payees[row % payees.size()] : QStringLiteral("Inconnu %1").arg(row % 7);
        default:
            return postes[row % postes.size()];
        }
    }
    QStringList payees;
    QStringList postes;
};

struct Grid {
    Grid()
        : doc(DocumentGenerator::generate(1000))
        , source(*doc)
    {
        cells.buildRowsArray(source, false);
        cells.buildColumnsArray(source, false);
        cells.buildCellsArray(source, false);
        roles = std::make_unique<ImportTabRoles>(cells, *doc, 0);
    }
    void giveRoles()
    {
        roles->RUBRIQUE(ImportRubrique::DateJMA, 0, false);
        roles->RUBRIQUE(ImportRubrique::Info, 1, false);
        roles->RUBRIQUE(ImportRubrique::MontantSeul, 2, false);
        roles->RUBRIQUE(ImportRubrique::Contre, 3, false);
        roles->RUBRIQUE(ImportRubrique::Poste, 4, false);
    }
    std::unique_ptr<DOCUMENT> doc;
    BankFile source;
    TableurCells cells;
    std::unique_ptr<ImportTabRoles> roles;
};

void BM_ImportRolesGiveAndBuild(benchmark::State& state)
{
    Grid grid;
    for (auto _ : state) {
        grid.giveRoles();
        benchmark::DoNotOptimize(grid.roles->buildFinalImportArray());
        state.PauseTiming();
        grid.roles->revertAllColumns();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportRolesGiveAndBuild)->Unit(benchmark::kMillisecond);

void BM_ImportRolesLeaveOutThousandRows(benchmark::State& state)
{
    Grid grid;
    grid.giveRoles();
    QList<long> rows;
    for (long row = 0; row < 1000; ++row)
        rows.append(row * 50);
    bool activate = false;
    for (auto _ : state) {
        grid.roles->ACTIVATE_ROWS(activate, rows);
        activate = !activate;
    }
}
BENCHMARK(BM_ImportRolesLeaveOutThousandRows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
