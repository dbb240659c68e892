// The Set tools on whole Sets: comparing two, as the Compare window does on opening and
// `i40set diff` does, and the checker's findings, worked out after every edit.
#include <benchmark/benchmark.h>

#include "calls/set_findings.h"
#include "diff/set_diff.h"
#include "set_builder.h"

namespace i40 {
namespace {

SetSlot AddSet(Workspace& ws, const FileSet& set) {
  const SetSlot slot = ws.sets.FindFreeSlot();
  ws.sets.Files(slot) = set;
  ws.sets.Entry(slot).Name = "SET" + std::to_string(Value(slot));
  return slot;
}

// Two unrelated random Sets: every position of every kind differs, every item's fields
// are compared.
void BM_CompareRandomSets(benchmark::State& state) {
  Workspace ws;
  const SetSlot a = AddSet(ws, build::RandomSet(1));
  const SetSlot b = AddSet(ws, build::RandomSet(2));
  for (auto _ : state)
    benchmark::DoNotOptimize(CompareSets(ws, a, b));
}
BENCHMARK(BM_CompareRandomSets)->Unit(benchmark::kMicrosecond)->Repetitions(9);

// The demo Set against a copy where every item was edited a little: one field or a call
// of each Arrangement, a byte of each Program, the events of each Style and Backing
// Sequence, every KBD Set, and the two settings records.
void BM_CompareDemoWithEditedCopy(benchmark::State& state) {
  Workspace ws;
  FileSet edited = build::DemoSet();
  for (std::size_t i = 0; i < edited.arrangements.records.size(); ++i)
    edited.arrangements.records[i].bytes[20 + i % 20] ^= 1;
  for (auto& record : edited.programs.records)
    record.bytes[100] ^= 1;
  for (auto& slot : edited.styles.slots) {
    if (!slot.data.empty()) slot.data[0] ^= 1;
  }
  for (auto& events : edited.backingSequences.data) {
    if (!events.empty()) events[0] ^= 1;
  }
  for (auto& record : edited.kbdSets.records)
    record.bytes[6] ^= 1;
  edited.arrangementGlobal.record[3] ^= 1;
  edited.global.record[17] ^= 1;
  const SetSlot a = AddSet(ws, build::DemoSet());
  const SetSlot b = AddSet(ws, edited);
  for (auto _ : state)
    benchmark::DoNotOptimize(CompareSets(ws, a, b));
}
BENCHMARK(BM_CompareDemoWithEditedCopy)->Unit(benchmark::kMicrosecond)->Repetitions(9);

// The checker dock after an edit: every call of a random Set looked up (most of them
// into empty positions, so the most findings to write).
void BM_CheckerFindings(benchmark::State& state) {
  const FileSet set = build::RandomSet(3);
  for (auto _ : state)
    benchmark::DoNotOptimize(SetFindings(set));
}
BENCHMARK(BM_CheckerFindings)->Unit(benchmark::kMicrosecond)->Repetitions(9);

}  // namespace
}  // namespace i40
