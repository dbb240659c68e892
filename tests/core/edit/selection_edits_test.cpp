// Commands on several items: one question of each kind for all of them with its exact
// text, a picker per item concerned, and the all-or-nothing cases: what does not fit and
// a Cancel anywhere leave the Set, the clipboard and the last Undo as they were.
#include <gtest/gtest.h>

#include "calls/picker_model.h"
#include "format/style_blocks.h"
#include "support/editor.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;
constexpr Kind kPrg = Kind::Program;

std::vector<ItemIndex> Items(std::initializer_list<int> positions) {
  std::vector<ItemIndex> items;
  for (const int i : positions)
    items.push_back(ItemIndex{i});
  return items;
}

class SelectionEditsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    FileSet s = build::TemplateSet();
    for (int i = 0; i < 64; ++i)
      s.programs.records[static_cast<std::size_t>(i)].SetName("Prog " + std::to_string(i));
    s.arrangements.records[0].SetName("Arr");
    s.arrangements.records[0].SetTrackProgram(2, 769);  // F12
    s.backingSequences.records[2].SetName("BSQ");
    s.backingSequences.records[2].SetTrackProgram(3, 770);  // F13
    slot_ = AddSet(ws_, s, "ONE");
  }

  EditOutcome OnSelection(EditCommand command, std::initializer_list<int> positions, int current,
                          Kind kind = kPrg) {
    const auto items = Items(positions);
    return RunSelectionCommand(ws_, prompter_, slot_, kind, command, items, ItemIndex{current});
  }
  FileSet& Set() { return ws_.sets.Files(slot_); }
};

constexpr const char* kTwoCallers =
    "These Programs are referenced by one or more\n"
    "Arrangements, Styles, Backing Sequences, etc.:\n"
    "F12 Prog 1\n"
    "F13 Prog 2\n"
    "\n"
    "Redirect them to other Programs?";

TEST_F(SelectionEditsTest, ADeleteOfARangeAsksOnceForEveryItemOthersCallAndUndoesAtOnce) {
  const auto before = Images(ws_, slot_);
  prompter_.QueueAnswer(Answer::No);
  ASSERT_TRUE(OnSelection(EditCommand::Delete, {0, 1, 2, 3}, 0));
  EXPECT_EQ(prompter_.texts(), std::vector<std::string>{kTwoCallers});
  EXPECT_EQ(prompter_.messages()[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(NamesAt(kPrg, {0, 1, 59, 60, 63}), "Prog 4|Prog 5|Prog 63||");
  // The clipboard holds the four, in position order.
  const ItemBuffer& clip = ws_.edits.Clipboard(kPrg);
  ASSERT_EQ(clip.Count(), 4u);
  EXPECT_EQ(TrimSpaces(RecordName(kPrg, clip.Item(3).image)), "Prog 3");
  ASSERT_TRUE(ed_.Undo(kPrg, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SelectionEditsTest, YesOpensAPickerPerItemInPositionOrderNamingIt) {
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(ItemNumber{3});  // a preset for F12's callers
  prompter_.QueuePick(ItemNumber{4});  // and for F13's
  ASSERT_TRUE(OnSelection(EditCommand::Cut, {1, 2, 5}, 1));
  ASSERT_EQ(prompter_.pickRequests().size(), 2u);
  EXPECT_EQ(prompter_.pickRequests()[0].item, "F12 Prog 1");
  EXPECT_EQ(prompter_.pickRequests()[1].item, "F13 Prog 2");
  EXPECT_EQ(PickerCaption(kPrg, "", prompter_.pickRequests()[0].item),
            "Select a Program for F12 Prog 1");
  EXPECT_EQ(Set().arrangements.records[0].TrackProgram(2), 3);
  EXPECT_EQ(Set().backingSequences.records[2].TrackProgram(3), 4);
  EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);  // a redirection cannot be undone
}

// A Cut done before: the cancelled command leaves it the one Undo takes back.
TEST_F(SelectionEditsTest, ACancelAtTheQuestionOrAPickerChangesNothingAtAll) {
  const auto original = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Cut(kPrg, slot_, 40));
  const auto afterCut = Images(ws_, slot_);
  for (const bool atPicker : {false, true}) {
    prompter_.Clear();
    prompter_.QueueAnswer(atPicker ? Answer::Yes : Answer::Cancel);
    if (atPicker) {
      prompter_.QueuePick(ItemNumber{3});
      prompter_.QueuePick(kNoNumber);
    }
    EXPECT_FALSE(OnSelection(EditCommand::Delete, {1, 2, 3}, 1));
    EXPECT_EQ(Images(ws_, slot_), afterCut);
    EXPECT_EQ(ws_.edits.Clipboard(kPrg).Count(), 1u);
    EXPECT_EQ(ws_.edits.Clipboard(kPrg).sourceIndex, ItemIndex{40});
    EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
  }
  ASSERT_TRUE(ed_.Undo(kPrg, slot_));
  EXPECT_EQ(Images(ws_, slot_), original);
}

TEST_F(SelectionEditsTest, OneItemConcernedAmongSeveralIsAskedInTheOneItemWords) {
  prompter_.QueueAnswer(Answer::No);
  ASSERT_TRUE(OnSelection(EditCommand::Cut, {1, 4, 6}, 1));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{"Program 'Prog 1' is referenced by one or more\n"
                                     "Arrangements, Styles, Backing Sequences, etc.\n\n"
                                     "Redirect them to another Program?"});
  EXPECT_EQ(NamesAt(kPrg, {1, 4, 5, 6}), "||Prog 5|");
}

TEST_F(SelectionEditsTest, PastesAndInsertsThatRunPastTheLastPositionChangeNothing) {
  ASSERT_TRUE(OnSelection(EditCommand::Copy, {10, 11, 12, 13}, 10));
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(ed_.Paste(kPrg, slot_, 61));
  EXPECT_FALSE(ed_.Insert(kPrg, slot_, 62));
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{"4 Programs from F86 on would run past F88, the last "
                                      "position.\nNothing has been changed.",
                                      "4 Programs from F87 on would run past F88, the last "
                                      "position.\nNothing has been changed."}));
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());
  // KBD Sets are never inserted, however many are copied.
  ASSERT_TRUE(OnSelection(EditCommand::Copy, {0, 1}, 0, Kind::KbdSet));
  EXPECT_FALSE(ed_.Insert(Kind::KbdSet, slot_, 3));
  EXPECT_EQ(prompter_.texts().size(), 2u);

  // At the last positions they fit: Insert leaves what it pushed out on the clipboard.
  ASSERT_TRUE(ed_.Insert(kPrg, slot_, 60));
  EXPECT_EQ(NamesAt(kPrg, {59, 60, 61, 62, 63}), "Prog 59|Prog 10|Prog 11|Prog 12|Prog 13");
  const ItemBuffer& clip = ws_.edits.Clipboard(kPrg);
  ASSERT_EQ(clip.Count(), 4u);
  std::string pushed;
  for (std::size_t n = 0; n < clip.Count(); ++n)
    pushed += TrimSpaces(RecordName(kPrg, clip.Item(n).image)) + "|";
  EXPECT_EQ(pushed, "Prog 60|Prog 61|Prog 62|Prog 63|");
}

void SetEvents(StyleSlot& slot, int events) {
  slot.present = 1;
  slot.length = 1176 + 4 * events;
  slot.data.assign(static_cast<std::size_t>(slot.length) - 70, 0x44);
}

// Two Styles of 500 events into a Block with 700 free: the first would fit, the second
// not, so neither goes in.
TEST_F(SelectionEditsTest, StylesThatTogetherOverfillTheirBlockAreRefusedTogether) {
  FileSet other = build::TemplateSet();
  for (int s = 0; s < 2; ++s) {
    SetEvents(other.styles.slots[static_cast<std::size_t>(s)], 500);
    other.styles.slots[static_cast<std::size_t>(s)].record.SetName("Big " + std::to_string(s));
  }
  const SetSlot source = AddSet(ws_, other, "TWO");
  SetEvents(Set().styles.slots[9], 14500);
  SetEvents(Set().styles.slots[14], 10);
  Set().styles.slots[14].record.SetName("Small");
  ASSERT_TRUE(RunSelectionCommand(ws_, prompter_, source, Kind::Style, EditCommand::Copy,
                                  Items({0, 1}), ItemIndex{0}));
  ASSERT_TRUE(ed_.Cut(Kind::Style, slot_, 14));  // an Undo that must survive
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Copy(Kind::Style, source, 0));
  ASSERT_TRUE(RunSelectionCommand(ws_, prompter_, source, Kind::Style, EditCommand::Copy,
                                  Items({0, 1}), ItemIndex{0}));
  prompter_.Clear();
  EXPECT_FALSE(ed_.Paste(Kind::Style, slot_, 10));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{
                "These items do not fit:\n"
                "C24: Pasted Style (500 events) is too big for destination Block, where only "
                "200 events are available.\n"
                "Nothing has been changed."});
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
  EXPECT_EQ(ws_.edits.Clipboard(Kind::Style).Count(), 2u);
}

TEST_F(SelectionEditsTest, MovesOntoPositionsTheyHoldInEitherOrderAreRefused) {
  const auto before = Images(ws_, slot_);
  const auto from = Items({1, 2, 5, 6});
  EXPECT_FALSE(RunSelectionDrop(ws_, prompter_, kPrg, slot_, from, slot_, ItemIndex{2}));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{"The items cannot be moved onto positions that they partly "
                                     "hold.\nNothing has been changed."});
  EXPECT_EQ(Images(ws_, slot_), before);
  // One step along is safe from the last one back.
  prompter_.Clear();
  prompter_.QueueAnswer(Answer::No);
  ASSERT_TRUE(RunSelectionDrop(ws_, prompter_, kPrg, slot_, Items({4, 5, 6}), slot_, ItemIndex{5}));
  EXPECT_EQ(NamesAt(kPrg, {4, 5, 6, 7}), "|Prog 4|Prog 5|Prog 6");
}

TEST_F(SelectionEditsTest,
       BackingSequencesDraggedInsideTheirSetAreAskedAboutOnceAndKeepTheirOrder) {
  for (int i = 0; i < 10; ++i) {
    Set().backingSequences.records[static_cast<std::size_t>(i)].SetName("SEQ " + std::to_string(i));
  }
  prompter_.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(RunSelectionDrop(ws_, prompter_, Kind::BackingSequence, slot_, Items({1, 3, 4}),
                               slot_, ItemIndex{8}));
  EXPECT_EQ(prompter_.texts(),
            std::vector<std::string>{"Insert Backing Sequences 1, 3, 4 before 8 ?"});
  EXPECT_EQ(NamesAt(Kind::BackingSequence, {0, 1, 2, 3, 4, 5, 6, 7, 8}),
            "SEQ 0|SEQ 2|SEQ 5|SEQ 6|SEQ 7|SEQ 1|SEQ 3|SEQ 4|SEQ 8");
  // No to the one question: nothing moves.
  const auto before = Images(ws_, slot_);
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(RunSelectionDrop(ws_, prompter_, Kind::BackingSequence, slot_, Items({0, 1}), slot_,
                                ItemIndex{9}));
  EXPECT_EQ(Images(ws_, slot_), before);
}

}  // namespace
}  // namespace i40
