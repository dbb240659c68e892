// From seeded random Sets whose items call each other (calls into user banks, some with
// bit 7 of a track call's high byte set), random operations of every kind answered at
// random (Yes, No, Cancel, any pick): a cancelled or refused operation leaves both Sets
// as they were, and Undo right after a completed one gives every component back byte for
// byte, even with edits of the other Set in between.
#include <gtest/gtest.h>

#include <array>

#include "format/call_table.h"
#include "format/item_numbers.h"
#include "format/positions.h"
#include "support/editor.h"
#include "support/random_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

using test::CallingSet;
using test::kEditKinds;
using test::RandomOperation;

TEST(UndoProperty, UndoRightAfterAnyOperationRestoresEveryByte) {
  int undone = 0;
  int refused = 0;
  int redirected = 0;
  std::array<int, 4> answers{};
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    build::Rng rng(seed);
    Workspace ws;
    ws.settings.WarnDupl = false;
    test::RandomPrompter prompter(rng);
    test::Editor ed(ws, prompter);
    const SetSlot a = AddSet(ws, CallingSet(seed), "A");
    const SetSlot b = AddSet(ws, CallingSet(seed + 1000), "B");
    for (int step = 0; step < 40; ++step) {
      const Kind kind = kEditKinds[static_cast<std::size_t>(rng.Below(5))];
      SCOPED_TRACE(std::string(KindName(kind)) + " step " + std::to_string(step));
      const auto beforeA = Images(ws, a);
      const auto beforeB = Images(ws, b);
      ws.sets.Entry(a).UndoEnabled = false;
      if (!RandomOperation(ed, rng, kind, a, b)) {
        ++refused;
        ASSERT_EQ(Images(ws, a), beforeA);
        ASSERT_EQ(Images(ws, b), beforeB);
        continue;
      }
      if (!ws.sets.Entry(a).UndoEnabled) {
        ++redirected;  // a redirection of callers cannot be undone
        continue;
      }
      // Edits of the other Set in between, of other kinds, and copies of this kind.
      if (rng.Below(2) == 0) {
        for (int n = 0; n < 3; ++n) {
          const Kind other = kEditKinds[static_cast<std::size_t>(rng.Below(5))];
          if (other != kind) RandomOperation(ed, rng, other, b, a);
        }
        ed.Copy(kind, b, rng.Below(PositionCount(kind)));
      }
      const auto afterB = Images(ws, b);
      ASSERT_TRUE(ed.Undo(kind, a));
      ASSERT_EQ(Images(ws, a), beforeA);
      ASSERT_EQ(Images(ws, b), afterB);
      ++undone;
    }
    for (std::size_t k = 0; k < answers.size(); ++k)
      answers[k] += prompter.counts[k];
  }
  // Every path was taken often enough to mean something.
  EXPECT_GT(undone, 500);
  EXPECT_GT(refused, 100);
  EXPECT_GT(redirected, 20);
  EXPECT_GT(answers[static_cast<std::size_t>(Answer::No)], 200);
  EXPECT_GT(answers[static_cast<std::size_t>(Answer::Cancel)], 200);
}

}  // namespace
}  // namespace i40
