// Time of the Subnets/Hosts table at its largest (16,385 subnet rows): its
// rebuild, alone and as part of opening the tab after a change, and
// painting, scrolling and selecting in the rebuilt table. Each benchmark
// times one step per sample and reports the median of the samples.
//   subnet_table_bench [Google Benchmark options]
#include "app/Application.h"
#include "bench/SubnetTableDriver.h"
#include "controls/SuperStringGrid.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

// The window lives between the application object's creation and its end,
// which a function-local static would outlive.
SubnetTableDriver* gDriver = nullptr;

template <class Step> double secondsOf(Step&& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool failedCheck(benchmark::State& state, const QString& fault)
{
    if (fault.isEmpty())
        return false;
    state.SkipWithError(qPrintable(fault));
    return true;
}

// The table rebuilt for another network: the 16,385 rows written into the
// shown grid and the grid laid out for its next paint.
void subnetTableRebuild(benchmark::State& state)
{
    SubnetTableDriver& driver = *gDriver;
    for (auto _ : state) {
        state.SetIterationTime(secondsOf([&] { driver.rebuildTable(); }));
        if (failedCheck(state, driver.checkTable()))
            break;
    }
}

// What the user waits for: the address changed, then the Subnets/Hosts tab
// opened. The window's page handlers, the repaint of the newly shown tab
// before the build, the rebuild, and the grid laid out for its next paint.
void subnetTableShown(benchmark::State& state)
{
    SubnetTableDriver& driver = *gDriver;
    for (auto _ : state) {
        driver.changeAddress();
        state.SetIterationTime(secondsOf([&] { driver.showTable(); }));
        if (failedCheck(state, driver.checkTable()))
            break;
    }
}

// The rebuilt table's visible rows painted.
void subnetTablePaint(benchmark::State& state)
{
    SubnetTableDriver& driver = *gDriver;
    for (auto _ : state)
        state.SetIterationTime(secondsOf([&] { driver.paintGrid(); }));
}

// The scroll bar's thumb dragged from the top to the bottom, and the last
// rows painted.
void subnetTableScrollToEnd(benchmark::State& state)
{
    SubnetTableDriver& driver = *gDriver;
    TSuperStringGrid* grid = driver.grid();
    QScrollBar* bar = grid->verticalScrollBar();
    const QModelIndex lastCell = grid->model()->index(grid->model()->rowCount() - 1, 0);
    for (auto _ : state) {
        bar->setValue(bar->minimum());
        driver.paintGrid();
        state.SetIterationTime(secondsOf([&] {
            bar->setValue(bar->maximum());
            driver.paintGrid();
        }));
        if (!grid->visualRect(lastCell).intersects(grid->viewport()->rect())) {
            state.SkipWithError("the last row is not in view at the end of the scroll range");
            break;
        }
    }
}

// The first cell clicked at the top, the table scrolled to its end, and a
// Shift+click on the last cell selects every row of both columns.
void subnetTableSelectBlock(benchmark::State& state)
{
    SubnetTableDriver& driver = *gDriver;
    TSuperStringGrid* grid = driver.grid();
    QScrollBar* bar = grid->verticalScrollBar();
    const QAbstractItemModel* model = grid->model();
    const QModelIndex firstCell = model->index(0, 0);
    const QModelIndex lastCell = model->index(model->rowCount() - 1, model->columnCount() - 1);
    const TGridRect everything{0, 1, 1, grid->RowCount() - 1};
    for (auto _ : state) {
        bar->setValue(bar->minimum());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(firstCell).center());
        bar->setValue(bar->maximum());
        driver.paintGrid();
        state.SetIterationTime(secondsOf([&] {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                              grid->visualRect(lastCell).center());
            driver.paintGrid();
        }));
        if (grid->Selection() != everything) {
            state.SkipWithError("Shift+click on the last cell did not select the whole table");
            break;
        }
    }
}

void timedOnce(benchmark::internal::Benchmark* benchmark)
{
    benchmark->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(subnetTableRebuild)->Apply(timedOnce);
BENCHMARK(subnetTableShown)->Apply(timedOnce);
BENCHMARK(subnetTablePaint)->Apply(timedOnce);
BENCHMARK(subnetTableScrollToEnd)->Apply(timedOnce);
BENCHMARK(subnetTableSelectBlock)->Apply(timedOnce);

int main(int argc, char* argv[])
{
    // One sample per repetition, so the median is the median of single
    // steps; options given on the command line come later and win.
    std::vector<std::string> defaults = {"--benchmark_repetitions=31",
                                         "--benchmark_report_aggregates_only=true"};
    std::vector<char*> args{argv[0]};
    for (std::string& option : defaults)
        args.push_back(option.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int argCount = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&argCount, args.data());
    if (benchmark::ReportUnrecognizedArguments(argCount, args.data()))
        return 1;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window loads and saves its settings; keep them out of the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    TZentrixApplication app(argCount, args.data());

    try {
        auto driver = std::make_unique<SubnetTableDriver>();
        gDriver = driver.get();
        benchmark::RunSpecifiedBenchmarks();
        gDriver = nullptr;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "subnet_table_bench: %s\n", error.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
