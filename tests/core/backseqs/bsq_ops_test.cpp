#include "backseqs/bsq_ops.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "backseqs/bsq_file.h"
#include "calls/item_numbers.h"
#include "set_builder.h"
#include "setstore/undo.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;

using Lengths = std::array<std::int16_t, kBsqTrackCount>;

// One Backing Sequence with everything that travels with it.
struct Seq {
  BsqRecord record = EmptyBsqRecord();
  Lengths lengths{};
  std::vector<std::uint8_t> data;
};

using Bank = std::array<Seq, kBsqCount>;

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

int Units(const Seq& s) {
  return std::accumulate(s.lengths.begin(), s.lengths.end(), 0);
}

// A sequence whose carried bytes and events come from its seed, so that no two are
// alike. Its calls are presets, which no Set is asked about.
Seq MakeSeq(const std::string& name, std::uint32_t seed) {
  build::Rng rng(seed);
  Seq s;
  rng.Fill(s.record.bytes);
  s.record.SetName(name);
  s.record.SetArrangement(ArrangementNumber(0, 5));
  s.record.SetStyle(StyleNumber(1, 2));
  for (int t = 0; t < kBsqProgramTrackCount; ++t)
    s.record.SetTrackProgram(t, ProgramNumber(1, t));
  s.record.SetNext(0);
  int units = 0;
  for (auto& length : s.lengths) {
    length = static_cast<std::int16_t>(1 + rng.Below(3));
    units += length;
  }
  s.data = rng.Bytes(static_cast<std::size_t>(units) * kBsqUnitBytes);
  return s;
}

// A sequence of `units` units, all in its first track.
Seq LongSeq(const std::string& name, int units) {
  Seq s = MakeSeq(name, static_cast<std::uint32_t>(units));
  s.lengths = {};
  s.lengths[0] = static_cast<std::int16_t>(units);
  s.data.assign(static_cast<std::size_t>(units) * kBsqUnitBytes, 0x5A);
  return s;
}

// The Backing Sequence component holding these ten in this order, their tracks one
// after the other from `base`.
BsqData BsqOf(const Bank& bank, int base) {
  BsqData bsq = build::TemplateSet().backingSequences;
  int start = base;
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    const Seq& s = bank[i];
    bsq.records[i] = s.record;
    bsq.trackLength[i] = s.lengths;
    bsq.size[i] = static_cast<std::int16_t>(Units(s));
    bsq.data[i] = s.data;
    for (std::size_t j = 0; j < kBsqTrackCount; ++j) {
      bsq.trackStart[i][j] = static_cast<std::int16_t>(start);
      start += s.lengths[j];
    }
  }
  bsq.endStart = static_cast<std::int16_t>(start);
  return bsq;
}

std::vector<std::uint8_t> FileOf(const Bank& bank, int base) {
  return WriteBsqFile(BsqOf(bank, base));
}

FileSet SetOf(const Bank& bank, int base) {
  FileSet set = build::TemplateSet();
  set.backingSequences = BsqOf(bank, base);
  return set;
}

Bank Reordered(const Bank& bank, const std::array<int, kBsqCount>& order) {
  Bank result;
  for (std::size_t k = 0; k < kBsqCount; ++k)
    result[k] = bank[At(order[k])];
  return result;
}

void ExpectQuestion(const Message& m) {
  EXPECT_EQ(m.title, "");
  EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(m.defaultButton, Answer::Cancel);
}

void ExpectPick(const PickRequest& r, Kind kind, int slot, int start, const std::string& caption) {
  EXPECT_EQ(r.kind, kind);
  EXPECT_EQ(r.slot, slot);
  EXPECT_EQ(r.start, start);
  EXPECT_EQ(r.caption, caption);
}

constexpr int kBase = 6000;

class BsqOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < kBsqCount; ++i) {
      bank_[At(i)] = MakeSeq("SEQ " + std::to_string(i), static_cast<std::uint32_t>(100 + i));
    }
    slot_ = AddSet(ws_, SetOf(bank_, kBase), "ONE");
  }

  // SRC, whose sequence 4 the tests make call its user items, and DST, which has some of
  // them under the same names at other positions.
  void AddSourceAndDest() {
    FileSet src = SetOf(bank_, kBase);
    src.arrangements.records[2].SetName("Groove");      // 258
    src.arrangements.records[4].SetName("Ballad");      // 260
    src.styles.slots[3].record.SetName("My Style");     // 259
    src.styles.slots[5].record.SetName("Other Style");  // 261
    src.programs.records[0].SetName("Piano");           // 768
    src.programs.records[1].SetName("Bass");            // 769
    src.programs.records[65].SetName("Kit");            // 1039, a user Drum Kit
    source_ = AddSet(ws_, src, "SRC");
    for (int i = 0; i < kBsqCount; ++i) {
      destBank_[At(i)] = MakeSeq("DST " + std::to_string(i), static_cast<std::uint32_t>(200 + i));
    }
    FileSet dst = SetOf(destBank_, kBsqBase);
    dst.arrangements.records[10].SetName("Groove");  // 266
    dst.styles.slots[9].record.SetName("My Style");  // 265
    dst.programs.records[7].SetName("Piano");        // 775
    dest_ = AddSet(ws_, dst, "DST");
  }

  BsqData& Bsq(int slot) { return ws_.sets.Files(slot).backingSequences; }
  std::vector<std::uint8_t> FileIn(int slot) { return WriteBsqFile(Bsq(slot)); }
  bool Modified(int slot) {
    return ws_.sets.Entry(slot).Modified[KindIndex(Kind::BackingSequence)];
  }
  bool UndoEnabled(int slot) { return ws_.sets.Entry(slot).UndoEnabled; }
  // The sequence that the calls tests paste: SRC's sequence 4 with these calls.
  BsqRecord& Sent() { return Bsq(source_).records[4]; }
  Seq SentSeq() { return {Sent(), bank_[4].lengths, bank_[4].data}; }
  void SetNext(int i, int next) {
    bank_[At(i)].record.SetNext(static_cast<std::uint8_t>(next));
    Bsq(slot_).records[At(i)].SetNext(static_cast<std::uint8_t>(next));
  }

  Workspace ws_;
  ScriptedPrompter prompter_;
  Bank bank_;
  Bank destBank_;
  int slot_ = 0;
  int source_ = 0;
  int dest_ = 0;
};

// --- Copy and Cut ----------------------------------------------------------------------

TEST_F(BsqOpsTest, CopyFillsTheClipboardWithTheWholeSequence) {
  const auto before = Images(ws_, slot_);
  CopySequence(ws_, slot_, 4);
  const BsqBuffer& clip = ws_.edits.bsqClip;
  EXPECT_EQ(clip.sourceSet, slot_);
  EXPECT_EQ(clip.sourceIndex, 4);
  EXPECT_EQ(clip.record, bank_[4].record);
  EXPECT_EQ(clip.lengths, bank_[4].lengths);
  EXPECT_EQ(clip.size, Units(bank_[4]));
  EXPECT_EQ(clip.data, bank_[4].data);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());

  CopySequence(ws_, slot_, -1);
  CopySequence(ws_, slot_, 10);
  EXPECT_EQ(clip.sourceIndex, 4);
}

TEST_F(BsqOpsTest, CutEmptiesTheSlotAndUndoPutsItBack) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(CutSequence(ws_, slot_, 3));
  Bank expected = bank_;
  expected[3] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_EQ(ws_.edits.bsqClip.record, bank_[3].record);
  EXPECT_EQ(ws_.edits.bsqClip.data, bank_[3].data);
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoCut);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));

  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoNone);

  EXPECT_FALSE(CutSequence(ws_, slot_, -1));
  EXPECT_FALSE(CutSequence(ws_, slot_, 10));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, CopyingAnotherSequenceBeforeUndoStillBringsTheCutOneBack) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(CutSequence(ws_, slot_, 3));
  CopySequence(ws_, slot_, 6);
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

// --- Paste -----------------------------------------------------------------------------

TEST_F(BsqOpsTest, PasteInTheSameSetKeepsTheCallsAndUndoRestoresTheSlot) {
  EXPECT_FALSE(PasteSequence(ws_, prompter_, slot_, 2));  // nothing copied yet
  // User calls that a calls check would move onto the first unnamed item of this Set.
  Bsq(slot_).records[8].SetArrangement(300);
  Bsq(slot_).records[8].SetTrackProgram(4, 790);
  bank_[8].record = Bsq(slot_).records[8];
  const auto before = Images(ws_, slot_);

  CopySequence(ws_, slot_, 8);
  ASSERT_TRUE(PasteSequence(ws_, prompter_, slot_, 2));
  Bank expected = bank_;
  expected[2] = bank_[8];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoPaste);
  EXPECT_EQ(ws_.edits.bsqUndo.sourceIndex, 2);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));

  EXPECT_FALSE(PasteSequence(ws_, prompter_, slot_, -1));
  EXPECT_FALSE(PasteSequence(ws_, prompter_, slot_, 10));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, PasteFromAnotherSetRepointsCallsByNameAndAsksAboutTheRest) {
  AddSourceAndDest();
  Sent().SetName("  Verse   ");
  Sent().SetArrangement(258);       // "Groove": C21 in DST
  Sent().SetStyle(259);             // "My Style": C22 in DST
  Sent().SetTrackProgram(0, 768);   // Upper1 "Piano": F18 in DST
  Sent().SetTrackProgram(1, 1039);  // Upper2 "Kit": not in DST
  Sent().SetTrackProgram(2, 769);   // Lower "Bass": not in DST
  Sent().SetTrackProgram(5, 1030);  // Extra 3: a preset Drum Kit
  Sent().SetTrackProgram(10, 769);  // Extra 8 "Bass" again
  const Seq sent = SentSeq();
  const auto sourceBefore = Images(ws_, source_);
  const auto destBefore = Images(ws_, dest_);

  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(800);
  prompter_.QueueAnswer(Answer::No);
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(830);
  CopySequence(ws_, source_, 4);
  ASSERT_TRUE(PasteSequence(ws_, prompter_, dest_, 6));

  Seq arrived = sent;
  arrived.record.SetArrangement(266);
  arrived.record.SetStyle(265);
  arrived.record.SetTrackProgram(0, 775);
  arrived.record.SetTrackProgram(1, 800);
  arrived.record.SetTrackProgram(10, 830);
  Bank expected = destBank_;
  expected[6] = arrived;
  EXPECT_EQ(FileIn(dest_), FileOf(expected, kBsqBase));
  EXPECT_EQ(Images(ws_, source_), sourceBefore);
  EXPECT_EQ(ws_.edits.bsqClip.record, sent.record);  // the clipboard keeps the source's view

  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Track 'Upper2' of BackSeq 'Verse' calls Program 'Kit' non-existent in 'DST'\n\n"
                "Redirect this track to an existing Program?",
                "Track 'Lower' of BackSeq 'Verse' calls Program 'Bass' non-existent in 'DST'\n\n"
                "Redirect this track to an existing Program?",
                "Track 'Extra 8' of BackSeq 'Verse' calls Program 'Bass' non-existent in 'DST'\n\n"
                "Redirect this track to an existing Program?",
            }));
  for (const Message& m : prompter_.messages())
    ExpectQuestion(m);
  ASSERT_EQ(prompter_.pickRequests().size(), 2u);
  ExpectPick(prompter_.pickRequests()[0], Kind::Program, dest_, 1024, "for track 'Upper2'");
  ExpectPick(prompter_.pickRequests()[1], Kind::Program, dest_, 768, "for track 'Extra 8'");
  EXPECT_EQ(prompter_.unexpectedQuestions(), 0);

  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
}

TEST_F(BsqOpsTest, MissingArrangementAndStyleAreAskedAboutFirst) {
  AddSourceAndDest();
  Sent().SetName("Verse");
  Sent().SetArrangement(260);  // "Ballad": not in DST
  Sent().SetStyle(261);        // "Other Style": not in DST
  const Seq sent = SentSeq();
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(70);
  prompter_.QueueAnswer(Answer::No);
  CopySequence(ws_, source_, 4);
  ASSERT_TRUE(PasteSequence(ws_, prompter_, dest_, 0));

  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Backing Sequence 'Verse' calls Arrangement 'Ballad' non-existent in 'DST'\n\n"
                "Redirect this Backing Sequence to an existing Arrangement?",
                "Backing Sequence 'Verse' calls Style 'Other Style' non-existent in 'DST'\n\n"
                "Redirect this Backing Sequence to an existing Style?",
            }));
  for (const Message& m : prompter_.messages())
    ExpectQuestion(m);
  ASSERT_EQ(prompter_.pickRequests().size(), 1u);
  ExpectPick(prompter_.pickRequests()[0], Kind::Arrangement, dest_, 0, "");
  Seq arrived = sent;
  arrived.record.SetArrangement(70);  // picked; the Style call kept as it was
  Bank expected = destBank_;
  expected[0] = arrived;
  EXPECT_EQ(FileIn(dest_), FileOf(expected, kBsqBase));
}

TEST_F(BsqOpsTest, StylePickerOpensOnTheFirstStyle) {
  AddSourceAndDest();
  Sent().SetStyle(261);
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(7);
  CopySequence(ws_, source_, 4);
  ASSERT_TRUE(PasteSequence(ws_, prompter_, dest_, 1));
  ASSERT_EQ(prompter_.pickRequests().size(), 1u);
  ExpectPick(prompter_.pickRequests()[0], Kind::Style, dest_, 0, "");
  EXPECT_EQ(Bsq(dest_).records[1].Style(), 7);
}

TEST_F(BsqOpsTest, CancelAtTheSecondQuestionLeavesEverythingAsItWas) {
  AddSourceAndDest();
  Sent().SetArrangement(258);       // found by name: re-pointed in the working copy only
  Sent().SetTrackProgram(1, 1039);  // first question: answered with a pick
  Sent().SetTrackProgram(2, 769);   // second question: Cancel
  const BsqRecord sent = Sent();
  const auto sourceBefore = Images(ws_, source_);
  ASSERT_TRUE(CutSequence(ws_, source_, 8));  // the undo that a failed paste must not take
  CopySequence(ws_, source_, 4);
  const auto destBefore = Images(ws_, dest_);

  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(800);
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(PasteSequence(ws_, prompter_, dest_, 6));
  EXPECT_EQ(prompter_.messages().size(), 2u);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
  EXPECT_FALSE(Modified(dest_));
  EXPECT_FALSE(UndoEnabled(dest_));
  EXPECT_EQ(ws_.edits.bsqClip.sourceSet, source_);
  EXPECT_EQ(ws_.edits.bsqClip.sourceIndex, 4);
  EXPECT_EQ(ws_.edits.bsqClip.record, sent);

  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoCut);
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, source_), sourceBefore);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
}

TEST_F(BsqOpsTest, ACancelledPickerAbandonsThePaste) {
  AddSourceAndDest();
  Sent().SetTrackProgram(1, 1039);
  CopySequence(ws_, source_, 4);
  const auto destBefore = Images(ws_, dest_);
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(-1);
  EXPECT_FALSE(PasteSequence(ws_, prompter_, dest_, 3));
  EXPECT_EQ(prompter_.pickRequests().size(), 1u);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
  EXPECT_FALSE(Modified(dest_));
}

TEST_F(BsqOpsTest, ASequenceCallingOnlyPresetsCrossesSetsWithoutAQuestion) {
  const int other = AddSet(ws_, build::TemplateSet(), "TWO");
  const auto before = Images(ws_, other);
  ASSERT_TRUE(CopySequenceByDrag(ws_, prompter_, slot_, 5, other, 0));
  EXPECT_TRUE(prompter_.messages().empty());
  Bank expected;
  expected[0] = bank_[5];
  EXPECT_EQ(FileIn(other), FileOf(expected, kBsqBase));
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoCopyByDrag);
  EXPECT_EQ(ws_.edits.bsqClip.sourceIndex, 5);
  EXPECT_TRUE(UndoEnabled(other));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, other), before);
}

TEST_F(BsqOpsTest, ASequenceFromNoOpenSetIsPastedAsItIs) {
  BsqBuffer& clip = ws_.edits.bsqClip;
  clip = BsqBuffer{};
  clip.sourceSet = 65535;
  clip.sourceIndex = 65535;
  clip.record = bank_[1].record;
  clip.record.SetArrangement(300);
  clip.record.SetTrackProgram(0, 790);
  ASSERT_TRUE(PasteSequence(ws_, prompter_, slot_, 4));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(Bsq(slot_).records[4], clip.record);
  EXPECT_EQ(Bsq(slot_).size[4], 0);
}

// --- Delete and Insert -----------------------------------------------------------------

TEST_F(BsqOpsTest, DeletingSlot0MovesTheOthersUpAndUndoRestoresAllTen) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(DeleteSequence(ws_, prompter_, slot_, 0));
  Bank expected = Reordered(bank_, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0});
  expected[9] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_EQ(ws_.edits.bsqClip.record, bank_[0].record);
  EXPECT_EQ(ws_.edits.bsqClip.data, bank_[0].data);
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoDelete);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));
  EXPECT_TRUE(prompter_.messages().empty());

  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, DeletingTheLastSlotOnlyEmptiesIt) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(DeleteSequence(ws_, prompter_, slot_, 9));
  Bank expected = bank_;
  expected[9] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, InsertAt3PushesSlot9OntoTheClipboardAndAPasteInto9PutsItBack) {
  EXPECT_FALSE(InsertSequence(ws_, prompter_, slot_, 3));  // nothing copied yet
  CopySequence(ws_, slot_, 7);
  ASSERT_TRUE(InsertSequence(ws_, prompter_, slot_, 3));
  Bank expected = Reordered(bank_, {0, 1, 2, 7, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_EQ(ws_.edits.bsqClip.record, bank_[9].record);
  EXPECT_EQ(ws_.edits.bsqClip.data, bank_[9].data);
  EXPECT_EQ(ws_.edits.bsqClip.sourceSet, slot_);
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoInsert);
  EXPECT_EQ(ws_.edits.bsqUndo.sourceIndex, 3);
  EXPECT_TRUE(UndoEnabled(slot_));

  ASSERT_TRUE(PasteSequence(ws_, prompter_, slot_, 9));
  expected[9] = bank_[9];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
}

TEST_F(BsqOpsTest, UndoOfAnInsertDropsTheInsertedOneAndBringsBackTheLast) {
  const auto before = Images(ws_, slot_);
  CopySequence(ws_, slot_, 2);
  ASSERT_TRUE(InsertSequence(ws_, prompter_, slot_, 0));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);

  CopySequence(ws_, slot_, 2);
  ASSERT_TRUE(InsertSequence(ws_, prompter_, slot_, 9));
  Bank expected = bank_;
  expected[9] = bank_[2];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, InsertFromAnotherSetChecksTheCallsAndCancelLeavesEverything) {
  AddSourceAndDest();
  Sent().SetName("Verse");
  Sent().SetTrackProgram(1, 1039);  // "Kit": not in DST
  const Seq sent = SentSeq();
  CopySequence(ws_, source_, 4);
  const auto destBefore = Images(ws_, dest_);

  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(InsertSequence(ws_, prompter_, dest_, 2));
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Track 'Upper2' of BackSeq 'Verse' calls Program 'Kit' non-existent in 'DST'\n\n"
                "Redirect this track to an existing Program?",
            }));
  EXPECT_EQ(Images(ws_, dest_), destBefore);
  EXPECT_FALSE(Modified(dest_));
  EXPECT_EQ(ws_.edits.bsqClip.sourceSet, source_);
  EXPECT_EQ(ws_.edits.bsqClip.record, sent.record);

  prompter_.QueueAnswer(Answer::No);
  ASSERT_TRUE(InsertSequence(ws_, prompter_, dest_, 2));
  Bank expected = Reordered(destBank_, {0, 1, 0, 2, 3, 4, 5, 6, 7, 8});
  expected[2] = sent;
  EXPECT_EQ(FileIn(dest_), FileOf(expected, kBsqBase));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
}

// --- Erase -----------------------------------------------------------------------------

TEST_F(BsqOpsTest, EraseEmptiesAllTenFromTheErasedBaseAndCannotBeUndone) {
  ASSERT_TRUE(CutSequence(ws_, slot_, 1));
  EXPECT_TRUE(UndoEnabled(slot_));
  EraseSequences(ws_, slot_);
  EXPECT_EQ(FileIn(slot_), FileOf(Bank{}, 5632));
  EXPECT_EQ(Bsq(slot_).trackStart[0][0], 5632);
  EXPECT_EQ(Bsq(slot_).endStart, 5632);
  EXPECT_EQ(BsqFreeUnits(Bsq(slot_)), kBsqMemoryUnits);
  EXPECT_FALSE(UndoEnabled(slot_));
  EXPECT_TRUE(Modified(slot_));

  // The cut made before cannot come back into the erased bank.
  const auto erased = Images(ws_, slot_);
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), erased);
}

// --- Move by drag ----------------------------------------------------------------------

TEST_F(BsqOpsTest, Moving7Before2RenumbersTheChainsAndUndoRestoresEveryByte) {
  const std::array<int, kBsqCount> next = {7, 2, 3, 6, 8, 0, 9, 1, 5, 200};
  for (int i = 0; i < kBsqCount; ++i)
    SetNext(i, next[At(i)]);
  const auto before = Images(ws_, slot_);

  ASSERT_TRUE(MoveSequence(ws_, prompter_, slot_, 7, 2));
  // Per sequence: a next of 7 becomes 2, nexts of 2-6 become 3-7, the others stay.
  const std::array<int, kBsqCount> renumbered = {2, 3, 4, 7, 8, 0, 9, 1, 6, 200};
  Bank moved = bank_;
  for (int i = 0; i < kBsqCount; ++i)
    moved[At(i)].record.SetNext(static_cast<std::uint8_t>(renumbered[At(i)]));
  EXPECT_EQ(FileIn(slot_), FileOf(Reordered(moved, {0, 1, 7, 2, 3, 4, 5, 6, 8, 9}), kBase));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(ws_.edits.bsqClip.record, bank_[7].record);
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoMoveByDrag);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));

  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, MovingTowardsTheEndLandsJustBeforeTheTarget) {
  const std::array<int, kBsqCount> next = {7, 2, 3, 6, 8, 0, 9, 1, 5, 200};
  for (int i = 0; i < kBsqCount; ++i)
    SetNext(i, next[At(i)]);
  const auto before = Images(ws_, slot_);

  ASSERT_TRUE(MoveSequence(ws_, prompter_, slot_, 1, 9));
  // Sequence 1 goes to 8, 2-8 move to 1-7.
  const std::array<int, kBsqCount> renumbered = {6, 1, 2, 5, 7, 0, 9, 8, 4, 200};
  Bank moved = bank_;
  for (int i = 0; i < kBsqCount; ++i)
    moved[At(i)].record.SetNext(static_cast<std::uint8_t>(renumbered[At(i)]));
  EXPECT_EQ(FileIn(slot_), FileOf(Reordered(moved, {0, 2, 3, 4, 5, 6, 7, 8, 1, 9}), kBase));
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(BsqOpsTest, DroppingASequenceOnItselfOrTheNextOneDoesNothing) {
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(MoveSequence(ws_, prompter_, slot_, 4, 5));
  EXPECT_FALSE(MoveSequence(ws_, prompter_, slot_, 4, 4));
  EXPECT_FALSE(MoveSequence(ws_, prompter_, slot_, 4, 10));
  EXPECT_FALSE(MoveSequence(ws_, prompter_, slot_, -1, 3));
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(Modified(slot_));
  EXPECT_FALSE(UndoEnabled(slot_));
  EXPECT_EQ(ws_.edits.bsqClip.sourceSet, 0);
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoNone);
  EXPECT_TRUE(prompter_.messages().empty());
}

// The move's origin lives on the clipboard: once a Copy has replaced it, an Undo must not
// move some other sequence around.
TEST_F(BsqOpsTest, UndoOfAMoveAfterACopyLeavesTheSequencesAlone) {
  ASSERT_TRUE(MoveSequence(ws_, prompter_, slot_, 7, 2));
  CopySequence(ws_, slot_, 0);
  const auto moved = Images(ws_, slot_);
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, slot_), moved);
}

// --- Out of range indexes --------------------------------------------------------------

TEST_F(BsqOpsTest, IndexesOutside0To9DoNothing) {
  CopySequence(ws_, slot_, 1);
  const auto before = Images(ws_, slot_);
  for (const int bad : {-1, 10}) {
    EXPECT_FALSE(DeleteSequence(ws_, prompter_, slot_, bad));
    EXPECT_FALSE(InsertSequence(ws_, prompter_, slot_, bad));
    EXPECT_FALSE(CopySequenceByDrag(ws_, prompter_, slot_, bad, slot_, 2));
    EXPECT_FALSE(CopySequenceByDrag(ws_, prompter_, slot_, 2, slot_, bad));
    EXPECT_FALSE(CheckSequenceCalls(ws_, prompter_, slot_, slot_, bad));
  }
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(Modified(slot_));
  EXPECT_EQ(ws_.edits.bsqClip.sourceIndex, 1);
}

// --- The 16-bit track starts -----------------------------------------------------------

TEST_F(BsqOpsTest, WhatWouldNotFitTheFileIsRefusedBeforeAnythingChanges) {
  Bank full;
  full[0] = LongSeq("BIG", 14000);
  full[1] = LongSeq("HALF", 10000);  // ends at 5632 + 24000 = 29632
  const int set = AddSet(ws_, SetOf(full, kBsqBase), "FULL");
  CopySequence(ws_, set, 0);
  const auto before = Images(ws_, set);

  EXPECT_FALSE(PasteSequence(ws_, prompter_, set, 2));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  const Message& m = prompter_.messages()[0];
  EXPECT_EQ(m.text,
            "The Backing Sequences would no longer fit in their file.\nNothing has been changed.");
  EXPECT_EQ(m.title, "Warning");
  EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  EXPECT_EQ(m.buttons, MessageButtons::Ok);
  EXPECT_EQ(m.defaultButton, Answer::Ok);

  EXPECT_FALSE(InsertSequence(ws_, prompter_, set, 5));
  EXPECT_FALSE(CopySequenceByDrag(ws_, prompter_, set, 1, set, 3));
  EXPECT_EQ(prompter_.messages().size(), 3u);
  EXPECT_EQ(Images(ws_, set), before);
  EXPECT_FALSE(Modified(set));
  EXPECT_FALSE(UndoEnabled(set));
  EXPECT_EQ(ws_.edits.bsqUndo.operation, kUndoNone);
  EXPECT_EQ(ws_.edits.bsqClip.sourceIndex, 0);  // the refused drop did not copy

  // Moving and deleting never need more room.
  EXPECT_TRUE(MoveSequence(ws_, prompter_, set, 1, 0));
  EXPECT_TRUE(DeleteSequence(ws_, prompter_, set, 0));
  EXPECT_EQ(prompter_.messages().size(), 3u);
}

TEST_F(BsqOpsTest, TheLastTrackStartMayReach32767ButNotPassIt) {
  Bank one;
  one[0] = LongSeq("BIG", 14000);
  const int set = AddSet(ws_, SetOf(one, kBsqBase), "FULL");
  Bank pieces;
  pieces[0] = LongSeq("FITS", 32767 - 5632 - 14000);
  pieces[1] = LongSeq("ONE MORE", 32767 - 5632 - 14000 + 1);
  const int from = AddSet(ws_, SetOf(pieces, kBsqBase), "PIECES");

  ASSERT_TRUE(CopySequenceByDrag(ws_, prompter_, from, 0, set, 9));
  EXPECT_EQ(Bsq(set).endStart, 32767);
  EXPECT_TRUE(prompter_.messages().empty());
  const auto before = Images(ws_, set);
  EXPECT_FALSE(CopySequenceByDrag(ws_, prompter_, from, 1, set, 9));
  EXPECT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(Images(ws_, set), before);
}

TEST_F(BsqOpsTest, MoreThanTheInstrumentHoldsIsStillAllowedWhenTheFileCanSayIt) {
  Bank one;
  one[0] = LongSeq("BIG", 10000);
  const int set = AddSet(ws_, SetOf(one, kBsqBase), "FULL");
  CopySequence(ws_, set, 0);
  ASSERT_TRUE(PasteSequence(ws_, prompter_, set, 1));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(BsqTotalUnits(Bsq(set)), 20000);
  EXPECT_EQ(BsqFreeUnits(Bsq(set)), 16384 - 20000);
  EXPECT_EQ(Bsq(set).endStart, 5632 + 20000);
  EXPECT_EQ(Bsq(set).trackStart[1][0], 5632 + 10000);
}

// --- Undo ------------------------------------------------------------------------------

TEST_F(BsqOpsTest, UndoIntoAClosedSetDoesNothing) {
  const int other = AddSet(ws_, SetOf(bank_, kBase), "TWO");
  ASSERT_TRUE(CutSequence(ws_, slot_, 0));
  ws_.edits.ForgetSet(slot_);
  ws_.sets.Release(slot_);
  const int reused = AddSet(ws_, build::TemplateSet(), "THREE");
  ASSERT_EQ(reused, slot_);
  const auto before = Images(ws_, reused);
  const auto otherBefore = Images(ws_, other);
  UndoSequence(ws_);
  EXPECT_EQ(Images(ws_, reused), before);
  EXPECT_EQ(Images(ws_, other), otherBefore);
  EXPECT_FALSE(Modified(reused));
}

// From seeded random Sets, each random operation followed by Undo gives both Sets back
// byte for byte. The sequences call user items of their Set, half of whose names the
// other Set also has, so pastes across Sets both re-point calls and ask (and are told No).
TEST(BsqUndoProperty, EveryOperationFollowedByUndoRestoresBothSets) {
  int undone = 0;
  int asked = 0;
  for (std::uint32_t seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    build::Rng rng(seed * 7 + 3);
    FileSet setA = build::RandomSet(seed);
    FileSet setB = build::RandomSet(seed + 500);
    for (FileSet* set : {&setA, &setB}) {
      for (BsqRecord& r : set->backingSequences.records) {
        r.SetArrangement(256 + rng.Below(64));
        r.SetStyle(256 + rng.Below(16));
        for (int t = 0; t < kBsqProgramTrackCount; ++t) {
          if (rng.Below(2) == 0) r.SetTrackProgram(t, 768 + rng.Below(64));
        }
      }
    }
    for (std::size_t i = 0; i < 32; ++i) {
      setB.arrangements.records[i].SetName(setA.arrangements.records[i].Name());
      setB.programs.records[i].SetName(setA.programs.records[i].Name());
    }
    for (std::size_t i = 0; i < 8; ++i)
      setB.styles.slots[i].record.SetName(setA.styles.slots[i].record.Name());

    Workspace ws;
    ScriptedPrompter prompter;
    const int a = AddSet(ws, setA, "A");
    const int b = AddSet(ws, setB, "B");
    for (int step = 0; step < 30; ++step) {
      const auto beforeA = Images(ws, a);
      const auto beforeB = Images(ws, b);
      const int i = rng.Below(kBsqCount);
      const int j = rng.Below(kBsqCount);
      const int op = rng.Below(7);
      for (int n = 0; n < 16; ++n)
        prompter.QueueAnswer(Answer::No);
      bool done = false;
      switch (op) {
        case 0:
          done = CutSequence(ws, a, i);
          break;
        case 1:
          CopySequence(ws, rng.Below(2) ? a : b, j);
          done = PasteSequence(ws, prompter, a, i);
          break;
        case 2:
          done = DeleteSequence(ws, prompter, a, i);
          break;
        case 3:
          CopySequence(ws, rng.Below(2) ? a : b, j);
          done = InsertSequence(ws, prompter, a, i);
          break;
        case 4:
          done = MoveSequence(ws, prompter, a, i, j);
          break;
        case 5:
          done = CopySequenceByDrag(ws, prompter, b, j, a, i);
          break;
        default:
          done = CopySequenceByDrag(ws, prompter, a, j, b, i);
          break;
      }
      asked += static_cast<int>(prompter.messages().size());
      for (const Message& m : prompter.messages())
        ASSERT_NE(m.title, "Warning") << "op " << op;
      prompter.Clear();
      if (done) {
        ++undone;
        UndoSequence(ws);
      }
      ASSERT_EQ(Images(ws, a), beforeA) << "op " << op << " step " << step;
      ASSERT_EQ(Images(ws, b), beforeB) << "op " << op << " step " << step;

      // Now and then a kept change, so that later steps meet other contents.
      if (rng.Below(4) == 0) {
        MoveSequence(ws, prompter, a, rng.Below(kBsqCount), rng.Below(kBsqCount));
        CutSequence(ws, b, rng.Below(kBsqCount));
        prompter.Clear();
      }
    }
  }
  EXPECT_GT(undone, 500);  // most operations find something to do
  EXPECT_GT(asked, 100);   // and the calls check had its say
}

}  // namespace
}  // namespace i40
