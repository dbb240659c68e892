#include "programs/program_calls.h"

#include <unordered_set>

#include "kbdsets/kbdset_grid.h"
#include "programs/program_cell.h"
#include "setstore/undo.h"
#include "setstore/vocabulary.h"

namespace i40 {
namespace {

// Visits every Program call of a Set in caller order: visit(caller text, track name,
// the number, a writer of a new number, kind of the caller). On a const Set the writer
// exists but cannot be called.
template <typename SetT, typename Visit>
void ForEachProgramCall(SetT& set, Visit&& visit) {
  for (int i = 0; i < kUserArrangementCount; ++i) {
    auto& r = set.arrangements.records[static_cast<std::size_t>(i)];
    if (r.IsEmpty()) continue;
    for (int t = 0; t < kArrangementTrackCount; ++t) {
      visit([&] { return "Arr " + ArrangementUserLabel(i); },
            kStyleTrackName[static_cast<std::size_t>(t)], r.TrackProgram(t),
            [&r, t](auto n) { r.SetTrackProgram(t, n); }, Kind::Arrangement);
    }
  }
  for (int s = 0; s < kUserStyleCount; ++s) {
    auto& r = set.styles.slots[static_cast<std::size_t>(s)].record;
    if (r.IsEmpty()) continue;
    for (int t = 0; t < kStyleTrackCallCount; ++t) {
      visit([&] { return "Sty " + StyleUserLabel(s); },
            kStyleTrackName[static_cast<std::size_t>(t)], r.TrackProgram(t),
            [&r, t](auto n) { r.SetTrackProgram(t, n); }, Kind::Style);
    }
  }
  for (int i = 0; i < kBsqCount; ++i) {
    auto& r = set.backingSequences.records[static_cast<std::size_t>(i)];
    if (r.IsEmpty()) continue;
    for (int t = 0; t < kBsqProgramTrackCount; ++t) {
      visit([&] { return "BSeq  " + std::to_string(i); },
            kBsqTrackName[static_cast<std::size_t>(t)], r.TrackProgram(t),
            [&r, t](auto n) { r.SetTrackProgram(t, n); }, Kind::BackingSequence);
    }
  }
  for (int k = 0; k < kKbdSetCount; ++k) {
    auto& r = set.kbdSets.records[static_cast<std::size_t>(k)];
    for (int s = 0; s < kKbdSectionCount; ++s) {
      visit([&] { return "KSet " + KbdSetLabel(k); }, kKbdSectionName[static_cast<std::size_t>(s)],
            r.SectionProgram(s), [&r, s](auto n) { r.SetSectionProgram(s, n); }, Kind::KbdSet);
    }
  }
}

}  // namespace

std::vector<ProgramCall> ProgramCallers(const FileSet& set, int number) {
  std::vector<ProgramCall> calls;
  ForEachProgramCall(set, [&](auto caller, std::string_view track, int called, auto, Kind) {
    if (called == number) calls.push_back({caller(), std::string(track)});
  });
  return calls;
}

void RedirectProgramCalls(Workspace& ws, int slot, int oldNumber, int newNumber) {
  ForEachProgramCall(ws.sets.Files(slot),
                     [&](auto, std::string_view, int called, auto write, Kind kind) {
                       if (called != oldNumber) return;
                       write(newNumber);
                       MarkModified(ws, slot, kind);
                     });
}

std::vector<CellLook> FillProgramGrid(const ItemSources& from, int bank, bool highlightCalls) {
  std::unordered_set<int> called;
  if (highlightCalls) {
    ForEachProgramCall(
        from.set, [&](auto, std::string_view, int number, auto, Kind) { called.insert(number); });
  }
  std::vector<CellLook> cells;
  const int count = BankLastIndex(Kind::Program, bank) + 1;
  for (int index = 0; index < count; ++index) {
    const int number = ProgramNumber(bank, index);
    cells.push_back(ProgramCell(from, number, highlightCalls, called.count(number) > 0));
  }
  return cells;
}

}  // namespace i40
