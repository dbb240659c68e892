// Start-up reads the preset list once, and every cell of a Set window turns a number
// into a label and a name: both must cost nothing a person could notice.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <variant>

#include "calls/item_lookup.h"
#include "setstore/preset_list.h"

namespace i40 {
namespace {

const std::filesystem::path kPresetList =
    std::filesystem::path(I40_SOURCE_DATA_DIR) / "I40PRSTS.TXT";

void BM_ReadPresetList(benchmark::State& state) {
  for (auto _ : state) {
    auto result = ReadPresetList(kPresetList);
    benchmark::DoNotOptimize(result);
    if (!std::holds_alternative<PresetTables>(result))
      state.SkipWithError("preset list unreadable");
  }
}
BENCHMARK(BM_ReadPresetList);

// The 64 cells of one Program bank: label, name and category of each.
void BM_ProgramBankLabelsAndNames(benchmark::State& state) {
  auto result = ReadPresetList(kPresetList);
  if (!std::holds_alternative<PresetTables>(result)) {
    state.SkipWithError("preset list unreadable");
    return;
  }
  const PresetTables presets = std::get<PresetTables>(result);
  const FileSet set;
  const ItemSources from{presets, set};
  for (auto _ : state) {
    for (int bank = 0; bank < 7; ++bank) {
      for (int index = 0; index < 64; ++index) {
        const int number = ProgramNumber(bank, index);
        benchmark::DoNotOptimize(ProgramLabel(number));
        benchmark::DoNotOptimize(ProgramName(from, number));
        benchmark::DoNotOptimize(ProgramCategory(from, number));
      }
    }
  }
}
BENCHMARK(BM_ProgramBankLabelsAndNames);

}  // namespace
}  // namespace i40
