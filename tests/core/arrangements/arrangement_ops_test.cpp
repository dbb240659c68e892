#include "arrangements/arrangement_ops.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "setstore/undo.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

class ArrangementOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws_.settings.WarnDupl = false;
    FileSet s = build::TemplateSet();
    for (int i = 0; i < 6; ++i) {
      ArrangementRecord& r = s.arrangements.records[static_cast<std::size_t>(i)];
      r.SetName("Arr " + std::to_string(i));
      r.SetCategory(static_cast<std::uint8_t>(i));
      r.bytes[100] = static_cast<std::uint8_t>(0xA0 + i);  // a carried byte
    }
    s.arrangements.records[63].SetName("Last");
    // Backing Sequences 0 and 1 call Arr 2 (C13); 2 calls Arr 5; 3 is unnamed but holds 258.
    s.backingSequences.records[0].SetName("INTRO");
    s.backingSequences.records[0].SetArrangement(258);
    s.backingSequences.records[1].SetName("VERSE");
    s.backingSequences.records[1].SetArrangement(258);
    s.backingSequences.records[2].SetName("END");
    s.backingSequences.records[2].SetArrangement(261);
    s.backingSequences.records[3].SetArrangement(258);
    slot_ = AddSet(ws_, s, "ONE");
  }

  ArrangementRecord& Rec(int i) {
    return ws_.sets.Files(slot_).arrangements.records[static_cast<std::size_t>(i)];
  }
  int BsqArr(int i) {
    return ws_.sets.Files(slot_)
        .backingSequences.records[static_cast<std::size_t>(i)]
        .Arrangement();
  }
  bool Modified(Kind kind) { return ws_.sets.Entry(slot_).Modified[KindIndex(kind)]; }

  Workspace ws_;
  ScriptedPrompter prompter_;
  int slot_ = 0;
};

TEST_F(ArrangementOpsTest, ReferencesCountOnlyNamedBackingSequences) {
  EXPECT_EQ(ArrangementReferences(ws_.sets.Files(slot_), 258),
            (std::vector<std::string>{"BSeq 0", "BSeq 1"}));
  RedirectArrangementReferences(ws_, slot_, 258, 300);
  EXPECT_EQ(BsqArr(0), 300);
  EXPECT_EQ(BsqArr(1), 300);
  EXPECT_EQ(BsqArr(3), 258);  // blank-named: neither counted nor redirected
  EXPECT_TRUE(Modified(Kind::BackingSequence));
}

TEST_F(ArrangementOpsTest, CopyFillsTheClipboardEvenFromAnEmptySlot) {
  CopyArrangement(ws_, slot_, 10);
  EXPECT_EQ(ws_.edits.arrangementClip.record, Rec(10));
  EXPECT_EQ(ws_.edits.arrangementClip.sourceSet, slot_);
  EXPECT_EQ(ws_.edits.arrangementClip.sourceIndex, 10);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());
  ws_.edits.arrangementClip.sourceSet = 0;
  CopyArrangement(ws_, slot_, -1);  // a preset cell
  EXPECT_EQ(ws_.edits.arrangementClip.sourceSet, 0);
}

TEST_F(ArrangementOpsTest, CutBlanksTheSlotAndUndoPutsItBack) {
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(CutArrangement(ws_, prompter_, slot_, 20));  // empty
  EXPECT_TRUE(CutArrangement(ws_, prompter_, slot_, 1));
  EXPECT_TRUE(Rec(1).IsEmpty());
  EXPECT_EQ(Rec(1).Category(), 15);
  EXPECT_EQ(ws_.edits.arrangementClip.record.Name(), "Arr 1           ");
  EXPECT_EQ(ws_.edits.arrangementUndo.operation, kUndoCut);
  EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
  EXPECT_EQ(UndoMenuCaption(ws_.sets.Entry(slot_)), "&Undo");
  EXPECT_TRUE(Modified(Kind::Arrangement));
  UndoLastEdit(ws_, slot_, Kind::Arrangement);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_EQ(UndoMenuCaption(ws_.sets.Entry(slot_)), "Can't Undo");
  EXPECT_TRUE(Modified(Kind::Arrangement));  // restored, and so changed since the last save
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(ArrangementOpsTest, CuttingACalledArrangementAsksFirst) {
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(CutArrangement(ws_, prompter_, slot_, 2));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  const Message& m = prompter_.messages()[0];
  EXPECT_EQ(m.text,
            "Arr 2 Arrangement is referenced by\none or more Backing Sequences.\n"
            "Change references to another Arrangement?");
  EXPECT_EQ(m.title, "");
  EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(m.defaultButton, Answer::Cancel);
  EXPECT_EQ(Rec(2).Name(), "Arr 2           ");

  prompter_.QueueAnswer(Answer::No);
  EXPECT_TRUE(CutArrangement(ws_, prompter_, slot_, 2));
  EXPECT_EQ(BsqArr(0), 258);  // left pointing at the now empty position
  EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
}

TEST_F(ArrangementOpsTest, RedirectingTheCallersDisablesUndo) {
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(64);  // B11
  EXPECT_TRUE(CutArrangement(ws_, prompter_, slot_, 2));
  ASSERT_EQ(prompter_.pickRequests().size(), 1u);
  EXPECT_EQ(prompter_.pickRequests()[0].kind, Kind::Arrangement);
  EXPECT_EQ(prompter_.pickRequests()[0].start, 258);
  EXPECT_EQ(BsqArr(0), 64);
  EXPECT_EQ(BsqArr(1), 64);
  EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);

  // Picking the same Arrangement, or cancelling the picker, redirects nothing.
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(-1);
  EXPECT_TRUE(CutArrangement(ws_, prompter_, slot_, 5));
  EXPECT_EQ(BsqArr(2), 261);
  EXPECT_TRUE(ws_.sets.Entry(slot_).UndoEnabled);
}

TEST_F(ArrangementOpsTest, PasteNeedsAFilledClipboardAndUndoRestoresTheTarget) {
  EXPECT_FALSE(PasteArrangement(ws_, prompter_, slot_, 10));
  const auto before = Images(ws_, slot_);
  CopyArrangement(ws_, slot_, 0);
  EXPECT_TRUE(PasteArrangement(ws_, prompter_, slot_, 10));
  EXPECT_EQ(Rec(10), Rec(0));
  EXPECT_EQ(ws_.edits.arrangementUndo.operation, kUndoPaste);
  EXPECT_TRUE(prompter_.messages().empty());  // same Set: no calls check
  EXPECT_FALSE(PasteArrangement(ws_, prompter_, slot_, -1));
  UndoLastEdit(ws_, slot_, Kind::Arrangement);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(ArrangementOpsTest, DeleteClosesUpAndRenumbersTheBackingSequences) {
  const auto before = Images(ws_, slot_);
  EXPECT_TRUE(DeleteArrangement(ws_, prompter_, slot_, 0));
  EXPECT_EQ(Rec(0).Name(), "Arr 1           ");
  EXPECT_EQ(Rec(4).Name(), "Arr 5           ");
  EXPECT_EQ(Rec(62).Name(), "Last            ");
  EXPECT_TRUE(Rec(63).IsEmpty());
  EXPECT_EQ(BsqArr(0), 257);  // Arr 2 moved from C13 to C12
  EXPECT_EQ(BsqArr(2), 260);
  EXPECT_EQ(BsqArr(3), 258);  // blank-named: not touched
  EXPECT_EQ(ws_.edits.arrangementClip.record.Name(), "Arr 0           ");
  UndoLastEdit(ws_, slot_, Kind::Arrangement);
  EXPECT_EQ(Images(ws_, slot_), before);
}

// Answering No keeps the calls on the position; the Arrangement that closes up into it
// inherits them, and the undo cannot tell them from its own.
TEST_F(ArrangementOpsTest, AfterNoADeleteLetsTheOldCallersFallOntoTheNextArrangement) {
  prompter_.QueueAnswer(Answer::No);
  EXPECT_TRUE(DeleteArrangement(ws_, prompter_, slot_, 2));
  EXPECT_EQ(Rec(2).Name(), "Arr 3           ");
  EXPECT_EQ(BsqArr(0), 258);  // now calling Arr 3
  UndoLastEdit(ws_, slot_, Kind::Arrangement);
  EXPECT_EQ(Rec(2).Name(), "Arr 2           ");
  EXPECT_EQ(BsqArr(0), 259);  // moved along with Arr 3
}

TEST_F(ArrangementOpsTest, DeletingTheLastSlotMovesNoReferences) {
  RedirectArrangementReferences(ws_, slot_, 261, 319);
  EXPECT_TRUE(DeleteArrangement(ws_, prompter_, slot_, 62));
  EXPECT_EQ(Rec(62).Name(), "Last            ");
  EXPECT_EQ(BsqArr(2), 318);
  EXPECT_TRUE(DeleteArrangement(ws_, prompter_, slot_, 63));
  EXPECT_TRUE(Rec(63).IsEmpty());
}

TEST_F(ArrangementOpsTest, InsertOpensUpAndPushesTheLastOneOntoTheClipboard) {
  EXPECT_FALSE(InsertArrangement(ws_, prompter_, slot_, 0));  // nothing copied yet
  const auto before = Images(ws_, slot_);
  CopyArrangement(ws_, slot_, 4);
  EXPECT_TRUE(InsertArrangement(ws_, prompter_, slot_, 1));
  EXPECT_EQ(Rec(0).Name(), "Arr 0           ");
  EXPECT_EQ(Rec(1).Name(), "Arr 4           ");
  EXPECT_EQ(Rec(2).Name(), "Arr 1           ");
  EXPECT_EQ(Rec(3).Name(), "Arr 2           ");
  EXPECT_EQ(BsqArr(0), 259);
  EXPECT_EQ(BsqArr(2), 262);
  EXPECT_EQ(ws_.edits.arrangementClip.record.Name(), "Last            ");
  EXPECT_EQ(ws_.edits.arrangementClip.operation, kUndoInsert);
  UndoLastEdit(ws_, slot_, Kind::Arrangement);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(ArrangementOpsTest, InsertAtTheLastSlotReplacesIt) {
  CopyArrangement(ws_, slot_, 0);
  EXPECT_TRUE(InsertArrangement(ws_, prompter_, slot_, 63));
  EXPECT_EQ(Rec(63).Name(), "Arr 0           ");
  EXPECT_EQ(ws_.edits.arrangementClip.record.Name(), "Last            ");
}

TEST_F(ArrangementOpsTest, DragInsideASetMovesTheArrangementAndItsCallers) {
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(DragArrangement(ws_, prompter_, slot_, 2, slot_, 2));  // onto itself
  EXPECT_TRUE(DragArrangement(ws_, prompter_, slot_, 2, slot_, 30));
  EXPECT_TRUE(Rec(2).IsEmpty());
  EXPECT_EQ(Rec(30).Name(), "Arr 2           ");
  EXPECT_EQ(BsqArr(0), 286);
  EXPECT_EQ(BsqArr(1), 286);
  EXPECT_EQ(ws_.edits.arrangementUndo.operation, kUndoMoveByDrag);
  EXPECT_TRUE(prompter_.messages().empty());
  UndoLastEdit(ws_, slot_, Kind::Arrangement);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(ArrangementOpsTest, EraseEmptiesBankCOnlyAndDisablesUndo) {
  ws_.sets.Entry(slot_).UndoEnabled = true;
  EraseArrangementBank(ws_, slot_, 0);
  EXPECT_EQ(Rec(0).Name(), "Arr 0           ");
  EraseArrangementBank(ws_, slot_, 2);
  for (int i = 0; i < 64; ++i)
    EXPECT_EQ(Rec(i), ws_.blanks.arrangement);
  EXPECT_EQ(BsqArr(0), 258);  // references are not touched
  EXPECT_FALSE(ws_.sets.Entry(slot_).UndoEnabled);
  EXPECT_TRUE(Modified(Kind::Arrangement));
}

TEST_F(ArrangementOpsTest, FivePairsOfDuplicatesGiveThreeMessagesThenMoreThanFour) {
  ws_.settings.WarnDupl = true;
  for (int i = 10; i < 15; ++i) {
    Rec(i).SetName("Twin " + std::to_string(i));
    Rec(i + 10).SetName("  Twin " + std::to_string(i));  // leading and trailing blanks ignored
  }
  EXPECT_TRUE(CheckArrangementDuplicates(ws_, prompter_, slot_));
  EXPECT_EQ(prompter_.texts(), (std::vector<std::string>{
                                   "Arrangement duplicate name\nC35 - C23  (Twin 10)",
                                   "Arrangement duplicate name\nC36 - C24  (Twin 11)",
                                   "Arrangement duplicate name\nC37 - C25  (Twin 12)",
                                   "More than 4 Arrangement duplicate names !",
                               }));
  for (const Message& m : prompter_.messages()) {
    EXPECT_EQ(m.title, "");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  }
  ws_.settings.WarnDupl = false;
  prompter_.Clear();
  EXPECT_FALSE(CheckArrangementDuplicates(ws_, prompter_, slot_));
  EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(ArrangementOpsTest, UndoIntoAClosedSetDoesNothing) {
  const int other = AddSet(ws_, build::TemplateSet(), "TWO");
  EXPECT_TRUE(CutArrangement(ws_, prompter_, slot_, 0));
  ws_.edits.ForgetSet(slot_);
  ws_.sets.Release(slot_);
  const int reused = AddSet(ws_, build::TemplateSet(), "THREE");
  ASSERT_EQ(reused, slot_);
  const auto before = Images(ws_, reused);
  ws_.sets.Entry(other).UndoEnabled = true;
  UndoLastEdit(ws_, other, Kind::Arrangement);
  EXPECT_EQ(Images(ws_, reused), before);
  EXPECT_FALSE(ws_.sets.Entry(other).UndoEnabled);
}

TEST_F(ArrangementOpsTest, LoadOneArrangementFromAnIafFile) {
  test::TempDir dir;
  std::vector<std::uint8_t> iaf = {'K', 'O', 'R', 'G', 'M'};
  ArrangementRecord r = Rec(0);
  r.SetName("From IAF");
  r.SetStyle(265);  // a user Style: taken as it is
  iaf.insert(iaf.end(), r.bytes.begin(), r.bytes.end());
  test::WriteFile(dir / "ONE.IAF", iaf);

  prompter_.QueueFile(dir / "ONE.IAF");
  EXPECT_TRUE(LoadOneArrangement(ws_, prompter_, slot_, 40));
  ASSERT_EQ(prompter_.fileRequests().size(), 1u);
  const FileRequest& request = prompter_.fileRequests()[0];
  EXPECT_EQ(request.title, "Load one Arrangement from .IAF file...");
  EXPECT_EQ(request.initialName, "*.IAF");
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].name, "IAF");
  EXPECT_EQ(request.filters[0].pattern, "*.IAF");
  EXPECT_EQ(Rec(40), r);
  EXPECT_EQ(ws_.edits.arrangementClip.sourceSet, 65535);
  EXPECT_EQ(ws_.edits.arrangementUndo.operation, kUndoPaste);
  EXPECT_TRUE(prompter_.messages().empty());

  iaf.resize(100);
  test::WriteFile(dir / "SHORT.IAF", iaf);
  prompter_.QueueFile(dir / "SHORT.IAF");
  EXPECT_FALSE(LoadOneArrangement(ws_, prompter_, slot_, 41));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(prompter_.messages()[0].text,
            "Error getting Arrangement data.\nThe file is shorter than one Arrangement (byte 100)");
  EXPECT_TRUE(Rec(41).IsEmpty());
}

}  // namespace
}  // namespace i40
