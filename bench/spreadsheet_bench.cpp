// Spreadsheet speed on a hundred thousand rows: writing the fund-flow sheet's
// shape and reading it back. Rows per second are the items per second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "import/spreadsheet_reader.h"
#include "reporting/sheet.h"

namespace {

using namespace fennory;

constexpr int kRows = 100000;

Sheet bigSheet() {
    Sheet s = schemeSheet("家庭账簿-资金流动日志（2024-01-01至2024-12-31）", 9, true);
    const char* headings[9] = {"序号", "日期",     "收支类别", "摘要",    "收入",
                               "支出", "账户名称", "本次余额", "家庭成员"};
    for (int c = 0; c < 9; ++c) {
        s.setText(1, c, headings[c]);
    }
    for (int r = 0; r < kRows; ++r) {
        s.setText(r + 2, 0, std::to_string(r + 1));
        s.setText(r + 2, 1, "2024-03-05");
        s.setText(r + 2, 2, "餐饮");
        s.setText(r + 2, 3, "午饭 " + std::to_string(r));
        s.setText(r + 2, 4, "0");
        s.setText(r + 2, 5, "30.5");
        s.setText(r + 2, 6, "现金");
        s.setText(r + 2, 7, std::to_string(100000 - r));
        s.setText(r + 2, 8, "爸爸");
    }
    s.borderRange({1, 0, kRows + 1, 8});
    return s;
}

std::filesystem::path benchFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("fennory-bench-") + std::to_string(std::random_device{}()) + name);
}

void BM_WriteSheet100k(benchmark::State& state) {
    Sheet s = bigSheet();
    auto file = benchFile("-write.xlsx");
    for (auto _ : state) {
        writeXlsx(file, {s});
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteSheet100k)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ReadSheet100k(benchmark::State& state) {
    auto file = benchFile("-read.xlsx");
    writeXlsx(file, {bigSheet()});
    for (auto _ : state) {
        SheetData d = readSheet1(file);
        benchmark::DoNotOptimize(d.rows.data());
        if (d.rowCount() != static_cast<std::size_t>(kRows + 1)) {
            state.SkipWithError("wrong row count");
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    std::filesystem::remove(file);
}
BENCHMARK(BM_ReadSheet100k)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
