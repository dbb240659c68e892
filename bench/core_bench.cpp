// What a person waits for: opening a Set (header tests and all seven readers), writing
// it back, reading the preset list at start-up, and the label and name of every cell.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <variant>

#include "calls/item_lookup.h"
#include "setstore/component_file.h"
#include "setstore/component_io.h"
#include "setstore/preset_list.h"
#include "setstore/set_paths.h"

namespace i40 {
namespace {

const std::filesystem::path kDemoSet = std::filesystem::path(I40_SOURCE_DATA_DIR) / "demo" / "DEMO";
const std::filesystem::path kPresetList =
    std::filesystem::path(I40_SOURCE_DATA_DIR) / "I40PRSTS.TXT";

// Header test of all seven components first, then the readers, as opening a Set does.
void BM_OpenDemoSet(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<ComponentFile> files;
    for (Kind kind : kStoredKinds) {
      auto file = ReadComponent(kDemoSet, kind);
      if (!std::holds_alternative<ComponentFile>(file)) {
        state.SkipWithError("demo Set missing");
        return;
      }
      files.push_back(std::get<ComponentFile>(std::move(file)));
    }
    FileSet set;
    for (const ComponentFile& file : files) {
      benchmark::DoNotOptimize(ReadComponentBytes(file.kind, file.bytes, set));
    }
    benchmark::DoNotOptimize(set);
  }
}
BENCHMARK(BM_OpenDemoSet)->Unit(benchmark::kMicrosecond);

// The seven file images, written to files beside each other (no fsync).
void BM_WriteDemoSet(benchmark::State& state) {
  FileSet set;
  for (Kind kind : kStoredKinds) {
    auto file = ReadComponent(kDemoSet, kind);
    if (!std::holds_alternative<ComponentFile>(file)) {
      state.SkipWithError("demo Set missing");
      return;
    }
    ReadComponentBytes(kind, std::get<ComponentFile>(file).bytes, set);
  }
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "i40bench-DEMO";
  for (auto _ : state) {
    for (Kind kind : kStoredKinds) {
      const auto bytes = WriteComponentBytes(kind, set);
      std::ofstream file(ComponentPath(out, kind), std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    }
  }
  for (Kind kind : kStoredKinds)
    std::filesystem::remove(ComponentPath(out, kind));
}
BENCHMARK(BM_WriteDemoSet)->Unit(benchmark::kMicrosecond);

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
