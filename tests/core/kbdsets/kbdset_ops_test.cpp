#include "kbdsets/kbdset_ops.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "setstore/undo.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

class KbdSetOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FileSet s = build::TemplateSet();
    for (int i = 0; i < kKbdSetCount; ++i) {
      s.kbdSets.records[static_cast<std::size_t>(i)].bytes[60] = static_cast<std::uint8_t>('a' + i);
    }
    slot_ = AddSet(ws_, s, "ONE");
    ws_.blanks.kbdSet = build::TemplateSet().kbdSets.records[0];
  }

  // The marker letters of the 15 KBD Sets in order.
  std::string Order() {
    std::string order;
    for (const auto& r : ws_.sets.Files(slot_).kbdSets.records)
      order += static_cast<char>(r.bytes[60]);
    return order;
  }

  Workspace ws_;
  ScriptedPrompter prompter_;
  int slot_ = 0;
};

TEST_F(KbdSetOpsTest, DraggingC5BeforeA1PutsItFirst) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(MoveKbdSet(ws_, slot_, 14, 0));
  EXPECT_EQ(Order(), "oabcdefghijklmn");
  EXPECT_TRUE(ws_.sets.Entry(slot_).Modified[KindIndex(Kind::KbdSet)]);
  UndoLastEdit(ws_, slot_, Kind::KbdSet);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_EQ(Order(), "abcdefghijklmno");
}

TEST_F(KbdSetOpsTest, DraggingA1BeforeC5PutsItJustBeforeC5) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(MoveKbdSet(ws_, slot_, 0, 14));
  EXPECT_EQ(Order(), "bcdefghijklmnao");
  UndoLastEdit(ws_, slot_, Kind::KbdSet);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(KbdSetOpsTest, MovesInTheMiddleAndOntoItself) {
  ASSERT_TRUE(MoveKbdSet(ws_, slot_, 3, 7));
  EXPECT_EQ(Order(), "abcefgdhijklmno");
  UndoLastEdit(ws_, slot_, Kind::KbdSet);
  EXPECT_EQ(Order(), "abcdefghijklmno");
  EXPECT_FALSE(MoveKbdSet(ws_, slot_, 5, 5));
  ASSERT_TRUE(MoveKbdSet(ws_, slot_, 5, 6));  // before the next one: stays where it is
  EXPECT_EQ(Order(), "abcdefghijklmno");
}

TEST_F(KbdSetOpsTest, PasteInTheSameSetRunsNoCheckAndUndoes) {
  EXPECT_FALSE(PasteKbdSet(ws_, prompter_, slot_, 3));  // nothing copied
  const auto before = Images(ws_, slot_);
  ws_.sets.Files(slot_).kbdSets.records[1].SetSectionProgram(0, 770);
  const auto withCall = Images(ws_, slot_);
  CopyKbdSet(ws_, slot_, 1);
  ASSERT_TRUE(PasteKbdSet(ws_, prompter_, slot_, 3));
  EXPECT_EQ(ws_.sets.Files(slot_).kbdSets.records[3], ws_.sets.Files(slot_).kbdSets.records[1]);
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(ws_.edits.kbdSetUndo.operation, 3);
  UndoLastEdit(ws_, slot_, Kind::KbdSet);
  EXPECT_EQ(Images(ws_, slot_), withCall);
  (void)before;
}

TEST_F(KbdSetOpsTest, PresetOnlyKbdSetCrossesWithoutAMessage) {
  const int other = AddSet(ws_, build::TemplateSet(), "TWO");
  ASSERT_TRUE(CopyKbdSetByDrag(ws_, prompter_, slot_, 4, other, 9));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(ws_.sets.Files(other).kbdSets.records[9], ws_.sets.Files(slot_).kbdSets.records[4]);
  EXPECT_EQ(ws_.edits.kbdSetUndo.operation, 5);
  const auto changed = Images(ws_, other);
  UndoLastEdit(ws_, other, Kind::KbdSet);
  EXPECT_EQ(Images(ws_, other)[4], WriteComponentBytes(Kind::KbdSet, build::TemplateSet()));
  EXPECT_NE(Images(ws_, other), changed);
}

TEST_F(KbdSetOpsTest, EraseWritesTheTemplatesFirstKbdSetEverywhere) {
  EraseKbdSetBank(ws_, slot_);
  for (const auto& r : ws_.sets.Files(slot_).kbdSets.records)
    EXPECT_EQ(r, ws_.blanks.kbdSet);
  EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);
}

}  // namespace
}  // namespace i40
