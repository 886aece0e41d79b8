// A list of 100,000 transaction-like rows: how long it takes to open and paint it the first time,
// to jump to its end, and to scroll it by one page. Rows are filled from one reusable template,
// so each of these should cost about the same as for a short list.
#include "toolkit/drawing/Constants.h"
#include "toolkit/tables/StdCell.h"
#include "toolkit/tables/StdTableView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <array>

namespace {

constexpr int kRows = 100000;

class BenchCell : public StdCell {
public:
    BenchCell()
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(8, 0, 8, 0);
        const std::array<int, 5> widths {74, 0, 130, 84, 84};
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i] = new QLabel(this);
            fields[i]->setFont(makeListFont(false, false, 12));
            if (widths[i] > 0)
                fields[i]->setFixedWidth(widths[i]);
            layout->addWidget(fields[i], widths[i] > 0 ? 0 : 1);
        }
        fields[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fields[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    std::array<QLabel*, 5> fields {};
};

// Fills the rows as a list window does: texts and amounts made for the row when it is drawn.
class BenchSource : public IStdTableSource {
public:
    int numberOfRows(StdTableView*) override { return kRows; }
    StdCell* cellForRow(StdTableView*, int row) override
    {
        cell.fields[0]->setText(QStringLiteral("%1/03/2024").arg(1 + row % 28, 2, 10, QLatin1Char('0')));
        cell.fields[1]->setText(QStringLiteral("Opération n° %1").arg(row));
        cell.fields[2]->setText(row % 3 ? QStringLiteral("Alimentation") : QStringLiteral("Logement"));
        MONTANT amount;
        amount.values.fill(12.5 + row % 1000);
        StdCell::paintMontantAux(amount, row % 2 == 0, row % 2 == 1, 0, nullptr, false, cell.fields[3], cell.fields[4]);
        return &cell;
    }
    void setFillBackground(StdCell* target, StdTableView*, int row) override
    {
        target->getBgbox()->setFillColor(row % 2 ? QColor(Qt::white) : QColor::fromRgbF(0.95, 0.95, 1.0));
    }

    BenchCell cell;
};

void openTable(StdTableView& table, BenchSource& source)
{
    table.setUniformRowHeight(22);
    table.resize(800, 600);
    table.setSource(&source);
    table.show();
}

void BM_TableOpenAndFirstPaint(benchmark::State& state)
{
    BenchSource source;
    for (auto _ : state) {
        StdTableView table;
        openTable(table, source);
        benchmark::DoNotOptimize(table.viewport()->grab());
    }
}
BENCHMARK(BM_TableOpenAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_TableScrollToEnd(benchmark::State& state)
{
    BenchSource source;
    StdTableView table;
    openTable(table, source);
    for (auto _ : state) {
        table.scrollToTop();
        table.GO(kRows - 1);
        benchmark::DoNotOptimize(table.viewport()->grab());
    }
}
BENCHMARK(BM_TableScrollToEnd)->Unit(benchmark::kMillisecond);

void BM_TableScrollOnePage(benchmark::State& state)
{
    BenchSource source;
    StdTableView table;
    openTable(table, source);
    QScrollBar* bar = table.verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        benchmark::DoNotOptimize(table.viewport()->grab());
    }
}
BENCHMARK(BM_TableScrollOnePage)->Unit(benchmark::kMillisecond);

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
