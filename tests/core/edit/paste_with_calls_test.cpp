// Paste with Calls: an item from another Set comes with every user item it calls.
#include <gtest/gtest.h>

#include "calls/item_lookup.h"
#include "format/call_table.h"
#include "format/item_numbers.h"
#include "support/editor.h"
#include "util/text.h"
#include "view/set_view.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

class PasteWithCallsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    source_ = AddSet(ws_, build::DemoSet(), "DEMO");
    FileSet dest = build::TemplateSet();
    dest.programs.records[63].SetName("Grand Piano");  // F88, held by name
    // F11 is empty but called: no copy may go there.
    dest.arrangements.records[0].SetName("Mine");
    dest.arrangements.records[0].SetTrackProgram(0, 768);
    slot_ = AddSet(ws_, dest, "GIG");
  }

  // The names of the user items an item calls, item by item down its calls: what the
  // item means, whatever the numbers.
  std::vector<std::string> CalledNames(SetSlot slot, Kind kind, int index, int depth = 3) {
    std::vector<std::string> names;
    const FileSet& set = ws_.sets.Files(slot);
    const auto record = RecordBytes(set, kind, ItemIndex{index});
    for (const CallField& field : CallFieldsOf(kind)) {
      const int user = Value(ItemUserIndex(field.called, ReadCall(record, field)));
      if (user < 0) continue;
      names.push_back(TrimSpaces(ItemUserName(set, field.called, ItemIndex{user})));
      if (depth > 1 && !IsItemSlotEmpty(set, field.called, ItemIndex{user})) {
        for (const std::string& name : CalledNames(slot, field.called, user, depth - 1))
          names.push_back(field.trackName.empty() ? "> " + name : ">> " + name);
      }
    }
    return names;
  }

  int CountNamed(Kind kind, const std::string& name) {
    int count = 0;
    for (int i = 0; i < UserItemCount(kind); ++i)
      count += TrimSpaces(ItemUserName(ws_.sets.Files(slot_), kind, ItemIndex{i})) == name ? 1 : 0;
    return count;
  }

  SetSlot source_ = kNoSet;
};

// A Backing Sequence brings its Arrangement, that Arrangement's Style, and the Programs
// of all three; what the Set holds by name is used, the rest copied into free positions
// (F11 is called, so not free); one Undo takes it all back.
TEST_F(PasteWithCallsTest, ABackingSequenceBringsWhatItCallsAndOneUndoTakesItBack) {
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(CanPasteWithCalls(ws_, SetSlot{slot_}, Kind::BackingSequence));
  ASSERT_TRUE(ed_.Copy(Kind::BackingSequence, source_, 0));
  EXPECT_FALSE(CanPasteWithCalls(ws_, SetSlot{source_}, Kind::BackingSequence));
  EXPECT_FALSE(CanPasteWithCalls(ws_, SetSlot{slot_}, Kind::Program));
  ASSERT_TRUE(CanPasteWithCalls(ws_, SetSlot{slot_}, Kind::BackingSequence));
  const EditOutcome pasted = RunEditCommand(ws_, prompter_, SetSlot{slot_}, Kind::BackingSequence,
                                            EditCommand::PasteWithCalls, ItemIndex{3});
  ASSERT_TRUE(pasted);
  EXPECT_TRUE(prompter_.messages().empty());
  // The outcome names every kind the paste changed, and the Undo it offers.
  EXPECT_EQ(pasted.changed, (ChangedKinds{true, true, true, true, false, false, false, false}));
  EXPECT_TRUE(pasted.undoAvailable);

  EXPECT_EQ(CalledNames(slot_, Kind::BackingSequence, 3),
            CalledNames(source_, Kind::BackingSequence, 0));
  const FileSet& dest = ws_.sets.Files(slot_);
  EXPECT_EQ(TrimSpaces(dest.arrangements.records[1].Name()), "Pop Ballad");  // C11 is taken
  EXPECT_EQ(TrimSpaces(dest.styles.slots[0].record.Name()), "Ballad Style");
  EXPECT_TRUE(IsItemSlotEmpty(dest, Kind::Program, ItemIndex{0}));
  EXPECT_EQ(CountNamed(Kind::Program, "Grand Piano"), 1);
  EXPECT_EQ(CountNamed(Kind::Program, "Finger Bass"), 1);
  EXPECT_EQ(dest.styles.slots[0].data, ws_.sets.Files(source_).styles.slots[0].data);
  for (const Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program, Kind::BackingSequence})
    EXPECT_TRUE(ws_.sets.Entry(slot_).Modified[static_cast<std::size_t>(kind)]) << KindName(kind);

  // Everything it brought was new: Undo of Backing Sequences gives the Set back.
  ASSERT_TRUE(ed_.Undo(Kind::BackingSequence, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);

  // Once the Set holds them, a second paste copies nothing more.
  ASSERT_TRUE(ed_.Run(EditCommand::PasteWithCalls, Kind::BackingSequence, slot_, 3));
  const auto once = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Copy(Kind::BackingSequence, source_, 1));
  ASSERT_TRUE(ed_.Run(EditCommand::PasteWithCalls, Kind::BackingSequence, slot_, 4));
  EXPECT_EQ(CountNamed(Kind::Arrangement, "Pop Ballad"), 1);
  EXPECT_EQ(CountNamed(Kind::Style, "Ballad Style"), 1);
  EXPECT_EQ(CalledNames(slot_, Kind::BackingSequence, 4),
            CalledNames(source_, Kind::BackingSequence, 1));
  EXPECT_NE(Images(ws_, slot_), once);
}

// A drop from another Set with Ctrl held brings the calls along the same way; without,
// the calls into what the Set lacks are asked about.
TEST_F(PasteWithCallsTest, ADropWithCallsBringsThemToo) {
  ASSERT_TRUE(RunDrop(ws_, prompter_, Kind::Arrangement, SetSlot{source_}, ItemIndex{2},
                      SetSlot{slot_}, ItemIndex{9}, true));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(CalledNames(slot_, Kind::Arrangement, 9), CalledNames(source_, Kind::Arrangement, 2));
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Drop(Kind::Arrangement, source_, 3, slot_, 10));
  EXPECT_EQ(prompter_.messages().size(), 1u);
}

// Room is looked for everywhere before anything is written: when an item finds none,
// one message names what did not fit, the Set stays as it was and so does Undo.
TEST_F(PasteWithCallsTest, WhatDoesNotFitIsListedAndNothingChanges) {
  FileSet& dest = ws_.sets.Files(slot_);
  for (int i = 1; i < 63; ++i)
    dest.programs.records[static_cast<std::size_t>(i)].SetName("Mine " + std::to_string(i));
  ASSERT_TRUE(ed_.Copy(Kind::Arrangement, slot_, 0));
  ASSERT_TRUE(ed_.Paste(Kind::Arrangement, slot_, 5));  // an undo to keep
  const auto before = Images(ws_, slot_);
  const UndoState undo = ws_.edits.Undo(Kind::Arrangement);

  ASSERT_TRUE(ed_.Copy(Kind::Arrangement, source_, 2));  // C13 'Bossa Nova'
  EXPECT_FALSE(ed_.Run(EditCommand::PasteWithCalls, Kind::Arrangement, slot_, 10));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text,
            "Paste with Calls needs room for:\nProgram F21 'Tenor Sax'\nProgram F22 'Church "
            "Organ'\nProgram F23 'Analog Lead'\nNothing has been changed.");
  EXPECT_EQ(prompter_.messages()[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(prompter_.messages()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_EQ(ws_.edits.Undo(Kind::Arrangement).journal.changes.size(), undo.journal.changes.size());
  EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
}

}  // namespace
}  // namespace i40
