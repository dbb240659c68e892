#include "edit/edit_engine.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "support/editor.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

class EditEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
  }
  bool CanDrag(Kind kind, int index) {
    return CanStartDrag(ws_, SetSlot{slot_}, kind, ItemIndex{index});
  }

  Workspace ws_;
  ScriptedPrompter prompter_;
  test::Editor ed_{ws_, prompter_};
  int slot_ = 0;
};

TEST_F(EditEngineTest, DragsStartOnlyOnItemsOfTheSet) {
  EXPECT_TRUE(CanDrag(Kind::Arrangement, 0));
  EXPECT_FALSE(CanDrag(Kind::Arrangement, 40));  // empty slot
  EXPECT_FALSE(CanDrag(Kind::Arrangement, -1));  // a preset
  EXPECT_FALSE(CanDrag(Kind::Style, 15));
  EXPECT_TRUE(CanDrag(Kind::Program, 65));
  EXPECT_TRUE(CanDrag(Kind::BackingSequence, 4));
  EXPECT_FALSE(CanDrag(Kind::BackingSequence, 5));
  EXPECT_TRUE(CanDrag(Kind::KbdSet, 14));
  EXPECT_FALSE(CanDrag(Kind::Song, 0));
  ws_.sets.Release(slot_);
  EXPECT_FALSE(CanDrag(Kind::Arrangement, 0));
}

TEST_F(EditEngineTest, EraseBankAsksFirstAndCancelChangesNothing) {
  const auto before = test::Images(ws_, slot_);
  ws_.sets.Entry(slot_).UndoEnabled = true;
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Run(EditCommand::EraseBank, Kind::Program, slot_, -1, 5));
  const Message& m = prompter_.messages().at(0);
  EXPECT_EQ(m.text, "Bank Erasing can't be undone\nContinue?");
  EXPECT_EQ(m.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  EXPECT_EQ(test::Images(ws_, slot_), before);
  EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_TRUE(ed_.Run(EditCommand::EraseBank, Kind::BackingSequence, slot_, -1, 0));
  EXPECT_TRUE(ws_.sets.Files(slot_).backingSequences.records[0].IsEmpty());
  EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);
}

TEST_F(EditEngineTest, TabsOnlyRunTheirOwnCommands) {
  EXPECT_FALSE(ed_.Run(EditCommand::Paste, Kind::KbdSet, slot_, 3, 0));  // empty clipboard
  EXPECT_FALSE(ed_.Run(EditCommand::Delete, Kind::Style, slot_, 3, 2));
  EXPECT_FALSE(ed_.Run(EditCommand::Cut, Kind::KbdSet, slot_, 3, 0));
  EXPECT_FALSE(ed_.Run(EditCommand::Paste, Kind::Song, slot_, 0, 0));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_TRUE(ed_.Run(EditCommand::Copy, Kind::KbdSet, slot_, 1, 0));
  EXPECT_TRUE(ed_.Run(EditCommand::Paste, Kind::KbdSet, slot_, 3, 0));
  EXPECT_EQ(ws_.sets.Files(slot_).kbdSets.records[3], ws_.sets.Files(slot_).kbdSets.records[1]);
}

TEST_F(EditEngineTest, DropsInsideASetAskBeforeMoving) {
  EXPECT_FALSE(ed_.Drop(Kind::BackingSequence, slot_, 4, slot_, 5));
  EXPECT_FALSE(ed_.Drop(Kind::BackingSequence, slot_, 4, slot_, 4));
  EXPECT_TRUE(prompter_.messages().empty());
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(ed_.Drop(Kind::BackingSequence, slot_, 4, slot_, 1));
  EXPECT_EQ(prompter_.texts().back(), "Insert Backing Sequence 4 before 1 ?");
  EXPECT_EQ(prompter_.messages().back().icon, MessageIcon::Question);
  prompter_.QueueAnswer(Answer::Yes);
  EXPECT_TRUE(ed_.Drop(Kind::KbdSet, slot_, 14, slot_, 0));
  EXPECT_EQ(prompter_.texts().back(), "Insert KBD Set C5 before A1");
  EXPECT_EQ(prompter_.messages().back().buttons, MessageButtons::YesNo);
}

}  // namespace
}  // namespace i40
