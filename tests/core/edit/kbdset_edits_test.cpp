// The edit engine on the KBD Sets tab: moves by dragging.
#include <gtest/gtest.h>

#include <tuple>

#include "support/editor.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;
constexpr Kind kKbd = Kind::KbdSet;

class KbdSetEditsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    FileSet s = build::TemplateSet();
    for (int i = 0; i < kKbdSetCount; ++i) {
      s.kbdSets.records[static_cast<std::size_t>(i)].bytes[60] = static_cast<std::uint8_t>('a' + i);
    }
    slot_ = AddSet(ws_, s, "ONE");
  }

  // The marker letters of the 15 KBD Sets in order.
  std::string Order() {
    std::string order;
    for (const auto& r : ws_.sets.Files(slot_).kbdSets.records)
      order += static_cast<char>(r.bytes[60]);
    return order;
  }

  // A drag inside the Set, confirmed.
  bool Move(int from, int before) {
    prompter_.QueueAnswer(Answer::Yes);
    return ed_.Drop(kKbd, slot_, from, slot_, before);
  }
};

// A KBD Set dragged before another lands just before it, the others closing up.
TEST_F(KbdSetEditsTest, ADragPutsAKbdSetBeforeItsTarget) {
  const std::tuple<int, int, std::string> moves[] = {
      {14, 0, "oabcdefghijklmn"},  // C5 before A1 goes first
      {0, 14, "bcdefghijklmnao"},  // A1 before C5 goes just before it
      {3, 7, "abcefgdhijklmno"},
      {5, 6, "abcdefghijklmno"}};  // before the next one: stays where it is
  const auto before = Images(ws_, slot_);
  for (const auto& [from, to, order] : moves) {
    ASSERT_TRUE(Move(from, to));
    EXPECT_EQ(Order(), order);
    ASSERT_TRUE(ed_.Undo(kKbd, slot_));
  }
  EXPECT_EQ(prompter_.texts().front(), "Insert KBD Set C5 before A1");
  EXPECT_EQ(prompter_.messages().front().icon, MessageIcon::Question);
  EXPECT_EQ(prompter_.messages().front().buttons, MessageButtons::YesNo);
  EXPECT_FALSE(ed_.Drop(kKbd, slot_, 5, slot_, 5));  // onto itself: not even asked
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(ed_.Drop(kKbd, slot_, 5, slot_, 1));
  EXPECT_EQ(Images(ws_, slot_), before);
}

}  // namespace
}  // namespace i40
