// From seeded random Sets, random undoable operations each followed by Undo leave every
// component byte for byte as it was. The items involved are called by nobody and every
// call is stored without bit 7 (the two documented exceptions have their own tests).
#include <gtest/gtest.h>

#include "arrangements/arrangement_ops.h"
#include "kbdsets/kbdset_ops.h"
#include "programs/program_ops.h"
#include "set_builder.h"
#include "setstore/undo.h"
#include "styles/style_ops.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

// Every call points at a preset, so no user item is called by anybody.
FileSet QuietRandomSet(std::uint32_t seed) {
  FileSet set = build::RandomSet(seed);
  for (auto& r : set.backingSequences.records) {
    r.SetArrangement(0);
    r.SetStyle(1);
    for (int t = 0; t < kBsqProgramTrackCount; ++t)
      r.SetTrackProgram(t, t);
  }
  for (auto& r : set.arrangements.records) {
    r.SetStyle(2);
    for (int t = 0; t < kArrangementTrackCount; ++t)
      r.SetTrackProgram(t, 100 + t);
  }
  for (auto& s : set.styles.slots) {
    for (int t = 0; t < kStyleTrackCallCount; ++t)
      s.record.SetTrackProgram(t, 200 + t);
  }
  for (auto& k : set.kbdSets.records) {
    for (int s = 0; s < kKbdSectionCount; ++s)
      k.SetSectionProgram(s, 300 + s);
  }
  return set;
}

TEST(UndoProperty, EveryOperationFollowedByUndoRestoresTheSets) {
  int undone = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Workspace ws;
    ws.settings.WarnDupl = false;
    ScriptedPrompter prompter;
    const int a = AddSet(ws, QuietRandomSet(seed), "A");
    const int b = AddSet(ws, QuietRandomSet(seed + 1000), "B");
    build::Rng rng(seed);
    for (int step = 0; step < 30; ++step) {
      const auto beforeA = Images(ws, a);
      const auto beforeB = Images(ws, b);
      const int i = rng.Below(64);
      const int j = rng.Below(64);
      const int k = rng.Below(15);
      const int l = rng.Below(15);
      const int op = rng.Below(20);
      const int si = rng.Below(16);
      const int sj = rng.Below(16);
      const int pi = rng.Below(66);
      const int pj = rng.Below(66);
      for (int n = 0; n < 24; ++n)
        prompter.QueueAnswer(Answer::No);  // keep unknown calls
      bool done = false;
      Kind kind = Kind::Arrangement;
      switch (op) {
        case 0:
          done = CutArrangement(ws, prompter, a, i);
          break;
        case 1:
          CopyArrangement(ws, rng.Below(2) ? a : b, j);
          done = PasteArrangement(ws, prompter, a, i);
          break;
        case 2:
          done = DeleteArrangement(ws, prompter, a, i);
          break;
        case 3:
          CopyArrangement(ws, b, j);
          done = InsertArrangement(ws, prompter, a, i);
          break;
        case 4:
          done = DragArrangement(ws, prompter, a, i, a, j);
          break;
        case 5:
          done = DragArrangement(ws, prompter, b, j, a, i);
          break;
        case 6:
          kind = Kind::KbdSet;
          done = MoveKbdSet(ws, a, k, l);
          break;
        case 7:
          kind = Kind::KbdSet;
          CopyKbdSet(ws, rng.Below(2) ? a : b, k);
          done = PasteKbdSet(ws, prompter, a, l);
          break;
        case 8:
          kind = Kind::KbdSet;
          done = CopyKbdSetByDrag(ws, prompter, b, k, a, l);
          break;
        case 9:
          kind = Kind::Style;
          done = CutStyle(ws, prompter, a, si);
          break;
        case 10:
          kind = Kind::Style;
          CopyStyle(ws, rng.Below(2) ? a : b, sj);
          done = PasteStyle(ws, prompter, a, si);
          break;
        case 11:
          kind = Kind::Style;
          done = DragStyle(ws, prompter, a, si, a, sj);
          break;
        case 12:
          kind = Kind::Style;
          done = DragStyle(ws, prompter, b, sj, a, si);
          break;
        case 13:
          kind = Kind::Program;
          done = CutProgram(ws, prompter, a, pi);
          break;
        case 14:
          kind = Kind::Program;
          CopyProgram(ws, rng.Below(2) ? a : b, pj);
          done = PasteProgram(ws, prompter, a, pi);
          break;
        case 15:
          kind = Kind::Program;
          done = DeleteProgram(ws, prompter, a, pi);
          break;
        case 16:
          kind = Kind::Program;
          CopyProgram(ws, b, pj);
          done = InsertProgram(ws, prompter, a, pi);
          break;
        case 17:
          kind = Kind::Program;
          done = DragProgram(ws, prompter, a, pi, a, pj);
          break;
        default:
          kind = Kind::Program;
          done = DragProgram(ws, prompter, b, pj, a, pi);
          break;
      }
      prompter.Clear();
      if (!done) {
        ASSERT_EQ(Images(ws, a), beforeA) << "op " << op;
        continue;
      }
      ++undone;
      // Copying something else before the Undo must not change what it puts back.
      if (rng.Below(2) == 0) {
        CopyArrangement(ws, b, rng.Below(64));
        CopyStyle(ws, b, rng.Below(16));
        CopyProgram(ws, b, rng.Below(66));
        CopyKbdSet(ws, b, rng.Below(15));
      }
      UndoLastEdit(ws, a, kind);
      ASSERT_EQ(Images(ws, a), beforeA) << "op " << op << " step " << step;
      ASSERT_EQ(Images(ws, b), beforeB) << "op " << op << " step " << step;
    }
  }
  EXPECT_GT(undone, 700);  // most operations find something to do
}

}  // namespace
}  // namespace i40
