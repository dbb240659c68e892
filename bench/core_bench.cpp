// What a person waits for: opening a Set (header tests and all seven readers), writing
// it back, reading the preset list at start-up, and the label and name of every cell.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <variant>
#include <vector>

#include "calls/item_lookup.h"
#include "details/item_details.h"
#include "dialog_model/dialog_model.h"
#include "edit/edit_engine.h"
#include "format/blank_records.h"
#include "format/component_file.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "host/scripted_prompter.h"
#include "presets/preset_list.h"
#include "programs/program_cell.h"
#include "reports/set_report.h"
#include "session/open_set.h"
#include "session/save_set.h"
#include "view/set_view.h"

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
    FileSet set = BlankFileSet(BlankRecords{});  // a slot starts from nothing
    for (const ComponentFile& file : files) {
      benchmark::DoNotOptimize(ReadComponentBytes(file.kind, file.bytes, set));
    }
    benchmark::DoNotOptimize(set);
  }
}
BENCHMARK(BM_OpenDemoSet)->Unit(benchmark::kMicrosecond);

// Saving all seven components: each image built, written to a temporary file beside its
// destination, put on the disk (fsync), read back, compared and renamed over it, and
// the folder put on the disk.
void BM_SaveDemoSet(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "i40bench-save";
  fs::create_directories(dir);
  for (Kind kind : kStoredKinds) {
    fs::copy_file(ComponentPath(kDemoSet, kind), ComponentPath(dir / "DEMO", kind),
                  fs::copy_options::overwrite_existing);
  }
  Workspace ws;
  ScriptedPrompter prompter;
  const SetSlot slot = OpenSet(ws, prompter, false, dir / "DEMO");
  if (slot == kNoSet) {
    state.SkipWithError("demo Set missing");
    return;
  }
  for (auto _ : state) {
    if (!SaveSet(ws, prompter, slot, dir / "DEMO", true)) state.SkipWithError("save failed");
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_SaveDemoSet)->Unit(benchmark::kMicrosecond);

// The Set report of the demo Set, as `i40set report` makes it; one iteration is one report.
void BM_SetReport(benchmark::State& state) {
  Workspace ws;
  ScriptedPrompter prompter;
  const auto presets = ReadPresetList(kPresetList);
  const SetSlot slot = OpenSet(ws, prompter, false, kDemoSet);
  if (slot == kNoSet || !std::holds_alternative<PresetTables>(presets)) {
    state.SkipWithError("demo Set missing");
    return;
  }
  ws.presets = std::get<PresetTables>(presets);
  const std::tm when = ReportTime();
  for (auto _ : state)
    benchmark::DoNotOptimize(SetReportText(ws, slot, "DEMO", when));
}
BENCHMARK(BM_SetReport)->Unit(benchmark::kMicrosecond)->Iterations(1000);

// What a Set window redraws after a command: every tab's cells, with highlighting on.
void BM_RedrawAllTabs(benchmark::State& state) {
  Workspace ws;
  ScriptedPrompter prompter;
  const SetSlot slot = OpenSet(ws, prompter, false, kDemoSet);
  if (slot == kNoSet) {
    state.SkipWithError("demo Set missing");
    return;
  }
  ws.settings.HighCall = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GridCells(ws, slot, Kind::Arrangement, BankNo{2}, false));
    benchmark::DoNotOptimize(GridCells(ws, slot, Kind::Style, BankNo{2}, false));
    benchmark::DoNotOptimize(GridCells(ws, slot, Kind::Program, BankNo{5}, false));
    benchmark::DoNotOptimize(GridCells(ws, slot, Kind::Program, BankNo{0}, true));
    benchmark::DoNotOptimize(BackingSequenceLines(ws, slot));
    benchmark::DoNotOptimize(KbdSetRows(ws, slot));
  }
}
BENCHMARK(BM_RedrawAllTabs)->Unit(benchmark::kMicrosecond);

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
        const ItemNumber number = NumberAt(Kind::Program, {BankNo{bank}, index});
        benchmark::DoNotOptimize(ItemNumberLabel(Kind::Program, number));
        benchmark::DoNotOptimize(ItemName(from, Kind::Program, number));
        benchmark::DoNotOptimize(ItemCategory(from, Kind::Program, ItemNumber{number}));
      }
    }
  }
}
BENCHMARK(BM_ProgramBankLabelsAndNames);

// Every Program bank of the demo Set drawn with its callers highlighted.
void BM_FillAllProgramGridsHighlighted(benchmark::State& state) {
  auto presetResult = ReadPresetList(kPresetList);
  FileSet set;
  for (Kind kind : kStoredKinds) {
    auto file = ReadComponent(kDemoSet, kind);
    if (!std::holds_alternative<ComponentFile>(file) ||
        !std::holds_alternative<PresetTables>(presetResult)) {
      state.SkipWithError("demo Set or preset list missing");
      return;
    }
    ReadComponentBytes(kind, std::get<ComponentFile>(file).bytes, set);
  }
  const PresetTables presets = std::get<PresetTables>(presetResult);
  const ItemSources from{presets, set};
  for (auto _ : state) {
    for (int bank = 0; bank < 7; ++bank)
      benchmark::DoNotOptimize(FillProgramGrid(from, BankNo{bank}, true));
  }
}
BENCHMARK(BM_FillAllProgramGridsHighlighted)->Unit(benchmark::kMicrosecond);

// The heaviest edit there is and its Undo: deleting F11 moves 63 Programs and renumbers
// every call to them, inside a transaction whose journal Undo replays.
// The demo Set in the first slot of a workspace; kNoSet when it cannot be read.
SetSlot LoadDemoSet(Workspace& ws, benchmark::State& state) {
  ws.settings.WarnDupl = false;
  const SetSlot slot = ws.sets.FindFreeSlot();
  FileSet& set = ws.sets.Files(slot);
  ws.sets.Entry(slot).Name = "DEMO";
  for (Kind kind : kStoredKinds) {
    auto file = ReadComponent(kDemoSet, kind);
    if (!std::holds_alternative<ComponentFile>(file)) {
      state.SkipWithError("demo Set missing");
      return kNoSet;
    }
    ReadComponentBytes(kind, std::get<ComponentFile>(file).bytes, set);
  }
  return slot;
}

void BM_DeleteProgramAndUndo(benchmark::State& state) {
  Workspace ws;
  const SetSlot slot = LoadDemoSet(ws, state);
  if (slot == kNoSet) return;
  ScriptedPrompter prompter;
  for (auto _ : state) {
    prompter.QueueAnswer(Answer::No);  // F11's callers, if any, keep their number
    RunEditCommand(ws, prompter, slot, Kind::Program, EditCommand::Delete, ItemIndex{0});
    RunEditCommand(ws, prompter, slot, Kind::Program, EditCommand::Undo, ItemIndex{-1});
    prompter.Clear();
  }
}
BENCHMARK(BM_DeleteProgramAndUndo)->Unit(benchmark::kMicrosecond);

// A Cut of all 64 Programs of bank F selected together (one question for every Program
// that is called, answered No) and its one Undo.
void BM_CutProgramBankAndUndo(benchmark::State& state) {
  Workspace ws;
  const SetSlot slot = LoadDemoSet(ws, state);
  if (slot == kNoSet) return;
  std::vector<ItemIndex> bank;
  for (int i = 0; i < kUserProgramCount; ++i)
    bank.push_back(ItemIndex{i});
  ScriptedPrompter prompter;
  for (auto _ : state) {
    prompter.QueueAnswer(Answer::No);
    RunSelectionCommand(ws, prompter, slot, Kind::Program, EditCommand::Cut, bank, ItemIndex{0});
    RunEditCommand(ws, prompter, slot, Kind::Program, EditCommand::Undo, ItemIndex{-1});
    prompter.Clear();
  }
}
BENCHMARK(BM_CutProgramBankAndUndo)->Unit(benchmark::kMicrosecond);

// The largest item dialog: opened on an Arrangement, two controls changed, OK written
// through the edit engine (then undone, so that every round starts alike).
void BM_ArrangementDialogOpenAndOk(benchmark::State& state) {
  Workspace ws;
  const SetSlot slot = LoadDemoSet(ws, state);
  if (slot == kNoSet) return;
  ScriptedPrompter prompter;
  for (auto _ : state) {
    auto dialog = OpenItemDialog(ws, slot, Kind::Arrangement, {ItemNumber{256}, ItemIndex{0}});
    dialog->SetText("txtNam", "Evening Song");
    dialog->SetText("txtTempo", "96");
    dialog->Ok(prompter);
    RunEditCommand(ws, prompter, slot, Kind::Arrangement, EditCommand::Undo, ItemIndex{-1});
  }
}
BENCHMARK(BM_ArrangementDialogOpenAndOk)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace i40
