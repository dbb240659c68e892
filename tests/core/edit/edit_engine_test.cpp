#include "edit/edit_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "format/blank_records.h"
#include "format/bsq_file.h"
#include "format/positions.h"
#include "support/editor.h"

namespace i40 {
namespace {

class EditEngineTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
  }
  bool CanDrag(Kind kind, int index) {
    return CanStartDrag(ws_, SetSlot{slot_}, kind, ItemIndex{index});
  }
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

// Erase Bank asks first, and Cancel changes nothing. Ok leaves each user position of the
// bank shown as a Set of blanks holds it and the rest of the Set as it was: nothing on a
// preset bank, only the Drum Kits on bank R (bank F after them), the Backing Sequences
// laid out again from the first track start of an empty bank. Nothing from before can be
// undone, from this window or another.
TEST_F(EditEngineTest, EraseBankBlanksTheUserItemsOfTheBankShown) {
  FileSet blank = BlankFileSet(ws_.blanks);
  blank.backingSequences.header = ws_.sets.Files(slot_).backingSequences.header;
  // The kind, the bank shown and what erasing it leaves.
  const std::tuple<Kind, int, std::function<void(FileSet&)>> cases[] = {
      {Kind::Arrangement, 0, [](FileSet&) {}},
      {Kind::Arrangement, 2,
       [&](FileSet& s) { s.arrangements.records = blank.arrangements.records; }},
      {Kind::Style, 2, [&](FileSet& s) { s.styles.slots = blank.styles.slots; }},
      {Kind::Program, 6,
       [&](FileSet& s) {
         std::copy_n(blank.programs.records.begin() + 64, 2, s.programs.records.begin() + 64);
         s.programs.drumKitData = blank.programs.drumKitData;
       }},
      {Kind::Program, 5, [&](FileSet& s) { s.programs.records = blank.programs.records; }},
      {Kind::BackingSequence, 0, [&](FileSet& s) { s.backingSequences = blank.backingSequences; }},
      {Kind::KbdSet, 0, [&](FileSet& s) { s.kbdSets.records = blank.kbdSets.records; }},
  };
  BsqData& bsq = ws_.sets.Files(slot_).backingSequences;
  bsq.trackStart[0][0] = 6000;  // not where an empty bank starts
  RebuildTrackStarts(bsq);
  const SetSlot other = test::AddSet(ws_, build::TemplateSet(), "TWO");
  ASSERT_TRUE(ed_.Cut(Kind::Arrangement, slot_, 5));  // an undo to forget
  const auto before = test::Images(ws_, slot_);
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Erase(Kind::Program, slot_, 5));
  const Message& m = prompter_.messages().at(0);
  EXPECT_EQ(std::tie(m.text, m.buttons, m.icon),
            std::tuple("Bank Erasing can't be undone\nContinue?", MessageButtons::OkCancel,
                       MessageIcon::Exclamation));
  EXPECT_EQ(test::Images(ws_, slot_), before);
  for (const auto& [kind, bank, erase] : cases) {
    SCOPED_TRACE(std::string(KindName(kind)) + " bank " + std::to_string(bank));
    const bool preset = kind == Kind::Arrangement && bank == 0;
    FileSet expected = ws_.sets.Files(slot_);
    erase(expected);
    ws_.sets.Entry(slot_).Modified = {};
    prompter_.QueueAnswer(Answer::Ok);
    EXPECT_TRUE(ed_.Erase(kind, slot_, bank));
    EXPECT_EQ(test::Images(ws_, slot_), test::Images(expected));
    EXPECT_EQ(ws_.sets.Entry(slot_).UndoEnabled, preset);
    EXPECT_EQ(ws_.sets.Entry(slot_).Modified[static_cast<std::size_t>(KindIndex(kind))], !preset);
  }
  ws_.sets.Entry(other).UndoEnabled = true;
  const auto erased = test::Images(ws_, slot_);
  EXPECT_TRUE(ed_.Undo(Kind::Arrangement, SetSlot{other}));
  EXPECT_EQ(test::Images(ws_, slot_), erased);
}

TEST_F(EditEngineTest, TabsOnlyRunTheirOwnCommands) {
  EXPECT_FALSE(ed_.Run(EditCommand::Paste, Kind::KbdSet, slot_, 3, 0));  // empty clipboard
  EXPECT_FALSE(ed_.Run(EditCommand::Delete, Kind::Style, slot_, 3, 2));
  EXPECT_FALSE(ed_.Run(EditCommand::Cut, Kind::KbdSet, slot_, 3, 0));
  EXPECT_FALSE(ed_.Run(EditCommand::Paste, Kind::Song, slot_, 0, 0));
  EXPECT_TRUE(prompter_.messages().empty());
}

// Overwriting, cutting, deleting or pushing out an item that others call asks first, in
// the kind's own words. Cancel stops; No goes on and leaves the callers on the position;
// Yes redirects them to the item picked, which cannot be undone.
TEST_F(EditEngineTest, CalledItemsAskBeforeTheyGo) {
  // The kind, its question and the number of the called item at position 0.
  const std::tuple<Kind, std::string, int> cases[] = {
      {Kind::Arrangement,
       "Called Arrangement is referenced by\none or more Backing Sequences.\n"
       "Change references to another Arrangement?",
       256},
      {Kind::Style,
       "Called Style is referenced by one\nor more Arrangements or Backing Sequences.\n"
       "Change references to another Style?",
       256},
      {Kind::Program,
       "Program 'Called' is referenced by one or more\nArrangements, Styles, Backing Sequences, "
       "etc.\n\nRedirect them to another Program?",
       768},
  };
  FileSet set = build::TemplateSet();
  set.arrangements.records[0].SetName("Called");
  set.styles.slots[0].record.SetName("Called");
  set.programs.records[0].SetName("Called");
  set.backingSequences.records[0].SetName("CALLER");
  set.backingSequences.records[0].SetArrangement(256);
  set.arrangements.records[1].SetName("Caller");
  set.arrangements.records[1].SetStyle(256);
  set.kbdSets.records[0].SetSectionProgram(0, 768);
  const auto callerOf = [](const FileSet& s, Kind kind) {
    return kind == Kind::Arrangement ? s.backingSequences.records[0].Arrangement()
           : kind == Kind::Style     ? s.arrangements.records[1].Style()
                                     : s.kbdSets.records[0].SectionProgram(0);
  };
  for (const auto& [kind, question, number] : cases) {
    SCOPED_TRACE(KindName(kind));
    const SetSlot slot = test::AddSet(ws_, set, "CALLS");
    prompter_.Clear();
    prompter_.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(ed_.Cut(kind, slot, 0));
    ASSERT_EQ(prompter_.messages().size(), 1u);
    const Message& m = prompter_.messages()[0];
    EXPECT_EQ(std::tie(m.text, m.icon, m.buttons, m.defaultButton),
              std::tuple(question, MessageIcon::Exclamation, MessageButtons::YesNoCancel,
                         Answer::Cancel));

    prompter_.QueueAnswer(Answer::No);
    EXPECT_TRUE(ed_.Cut(kind, slot, 0));
    EXPECT_EQ(callerOf(ws_.sets.Files(slot), kind), number);  // on the emptied position
    EXPECT_TRUE(ed_.Undo(kind, slot));

    prompter_.QueueAnswer(Answer::Yes);
    prompter_.QueuePick(ItemNumber{5});
    EXPECT_TRUE(ed_.Cut(kind, slot, 0));
    EXPECT_EQ(prompter_.pickRequests().back().start, ItemNumber{number});
    EXPECT_EQ(callerOf(ws_.sets.Files(slot), kind), 5);
    EXPECT_FALSE(ws_.sets.Entry(slot).UndoEnabled);
    const auto redirected = test::Images(ws_, slot);
    EXPECT_FALSE(ed_.Undo(kind, slot));  // as the disabled menu entry: nothing
    EXPECT_EQ(test::Images(ws_, slot), redirected);
  }
}

// Every kind with names warns the same way: a message per pair of equal names (leading
// and trailing blanks ignored, later position first), at most three, then "More than 4".
TEST_F(EditEngineTest, DuplicateNamesOfEveryKindAreWarnedAboutAlike) {
  // The kind, the positions given the name "Twin" and the messages.
  const std::tuple<Kind, std::vector<int>, std::vector<std::string>> cases[] = {
      {Kind::Arrangement,
       {10, 20, 30, 40, 50},
       {"Arrangement duplicate name\nC35 - C23  (Twin)",
        "Arrangement duplicate name\nC47 - C23  (Twin)",
        "Arrangement duplicate name\nC47 - C35  (Twin)",
        "More than 4 Arrangement duplicate names !"}},
      {Kind::Style, {2, 5}, {"Style duplicate name\nC16 - C13  (Twin)"}},
      // The two Drum Kits are compared with each other only.
      {Kind::Program, {3, 64, 65}, {"Program duplicate name\nR28 - R27  (Twin)"}},
  };
  ws_.settings.WarnDupl = true;
  for (const auto& [kind, twins, texts] : cases) {
    SCOPED_TRACE(KindName(kind));
    FileSet set = build::TemplateSet();
    for (const int i : twins)
      test::PutName(RecordBytes(set, kind, ItemIndex{i}), kind, i % 2 ? "  Twin" : "Twin");
    const SetSlot slot = test::AddSet(ws_, set, "TWINS");
    prompter_.Clear();
    EXPECT_TRUE(CheckDuplicateNames(ws_, prompter_, slot, kind));
    EXPECT_EQ(prompter_.texts(), texts);
    for (const Message& m : prompter_.messages())
      EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  }
  ws_.settings.WarnDupl = false;
  prompter_.Clear();
  EXPECT_FALSE(
      CheckDuplicateNames(ws_, prompter_, SetSlot{ws_.sets.SlotCount()}, Kind::Arrangement));
  EXPECT_TRUE(prompter_.messages().empty());
}

// Undo never reaches into a Set that has closed, even when its slot holds another Set.
TEST_F(EditEngineTest, UndoIntoAClosedSetDoesNothing) {
  const SetSlot other = test::AddSet(ws_, build::TemplateSet(), "TWO");
  ASSERT_TRUE(ed_.Cut(Kind::BackingSequence, slot_, 0));
  ws_.edits.ForgetSet(slot_);
  ws_.sets.Release(slot_);
  const SetSlot reused = test::AddSet(ws_, build::TemplateSet(), "THREE");
  ASSERT_EQ(reused, slot_);
  const auto before = test::Images(ws_, reused);
  ws_.sets.Entry(other).UndoEnabled = true;
  EXPECT_TRUE(ed_.Undo(Kind::BackingSequence, SetSlot{other}));
  EXPECT_EQ(test::Images(ws_, reused), before);
  EXPECT_FALSE(ws_.sets.Entry(reused).AnyModified());
  EXPECT_FALSE(ws_.sets.Entry(other).UndoEnabled);
}

}  // namespace
}  // namespace i40
