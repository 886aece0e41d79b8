// A spreadsheet grid of 100,000 rows and 12 columns (an imported bank file, or a long synthesis):
// how long it takes to build the grid and paint its first page, and to scroll it by one page.
// Only the visible cells are painted, so scrolling should cost the same as for a short grid;
// building holds every cell of the table.
#include "spreadsheet/FenTableurController.h"
#include "spreadsheet/ScrollViewTableur.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr long kRows = 100000;
constexpr long kColumns = 12;

// The texts of the table, made once.
const std::vector<QString>& texts()
{
    static const std::vector<QString> table = [] {
        std::vector<QString> values;
        values.reserve(size_t(kRows * kColumns));
        for (long r = 0; r < kRows; ++r) {
            for (long c = 0; c < kColumns; ++c) {
                switch (c % 4) {
                case 0:
                    values.push_back(QStringLiteral("%1/03/2024").arg(1 + r % 28, 2, 10, QLatin1Char('0')));
                    break;
                case 1:
                    values.push_back(QStringLiteral("Opération n° %1").arg(r));
                    break;
                case 2:
                    values.push_back(QStringLiteral("%1,%2").arg(r % 1000).arg(r % 100, 2, 10, QLatin1Char('0')));
                    break;
                default:
                    values.push_back(r % 3 ? QStringLiteral("Alimentation") : QStringLiteral("Logement"));
                    break;
                }
            }
        }
        return values;
    }();
    return table;
}

class BenchTableur : public FenTableurController {
public:
    long numberOfRowsInDataSource() const override { return kRows; }
    long numberOfColumnsInDataSource() const override { return kColumns; }
    QString valueAtRowInDataSource(long row, long column) const override
    {
        return texts()[size_t(row * kColumns + column)];
    }
};

std::unique_ptr<BenchTableur> openTableur()
{
    auto grid = std::make_unique<BenchTableur>();
    grid->initWithForWindow(nullptr, makeWindowData(), 0, false, false);
    StdWindow* window = grid->window();
    window->resize(800, 600);
    window->show();
    return grid;
}

void BM_TableurOpenAndFirstPaint(benchmark::State& state)
{
    texts();
    for (auto _ : state) {
        auto grid = openTableur();
        benchmark::DoNotOptimize(grid->scrollview()->grab());
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableurOpenAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_TableurScrollOnePage(benchmark::State& state)
{
    auto grid = openTableur();
    QScrollBar* bar = grid->scrollview()->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        benchmark::DoNotOptimize(grid->scrollview()->grab());
    }
}
BENCHMARK(BM_TableurScrollOnePage)->Unit(benchmark::kMillisecond);

void BM_TableurSelectColumn(benchmark::State& state)
{
    auto grid = openTableur();
    long column = 0;
    for (auto _ : state) {
        grid->selectColumnAtIndex(column++ % kColumns);
        benchmark::DoNotOptimize(grid->scrollview()->grab());
    }
}
BENCHMARK(BM_TableurSelectColumn)->Unit(benchmark::kMillisecond);

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
