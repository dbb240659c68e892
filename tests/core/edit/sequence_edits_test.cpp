// The edit engine on the Backing Sequences tab: sequences travel whole, with their
// events, and must keep fitting their file.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "edit/item_image.h"
#include "format/bsq_file.h"
#include "format/item_numbers.h"
#include "set_builder.h"
#include "support/editor.h"
#include "support/workspace_fixture.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;
constexpr Kind kBsq = Kind::BackingSequence;

using Lengths = std::array<std::int16_t, kBsqTrackCount>;

// One Backing Sequence with everything that travels with it.
struct Seq {
  BsqRecord record = EmptyBsqRecord();
  Lengths lengths{};
  std::vector<std::uint8_t> data;

  bool operator==(const Seq&) const = default;
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

class SequenceEditsTest : public ::testing::Test {
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

  // A drag inside a Set, confirmed.
  bool Move(int slot, int from, int before) {
    prompter_.QueueAnswer(Answer::Yes);
    return ed_.Drop(kBsq, slot, from, slot, before);
  }
  // The sequence on the clipboard.
  Seq Clipboard() {
    FileSet scratch;
    WriteItem(scratch, kBsq, 0, ws_.edits.Clipboard(kBsq).image);
    const BsqData& bsq = scratch.backingSequences;
    return {bsq.records[0], bsq.trackLength[0], bsq.data[0]};
  }
  int ClipboardSet() { return ws_.edits.Clipboard(kBsq).sourceSet; }
  int ClipboardIndex() { return ws_.edits.Clipboard(kBsq).sourceIndex; }

  Workspace ws_;
  ScriptedPrompter prompter_;
  test::Editor ed_{ws_, prompter_};
  Bank bank_;
  Bank destBank_;
  int slot_ = 0;
  int source_ = 0;
  int dest_ = 0;
};

// --- Copy and Cut ----------------------------------------------------------------------

TEST_F(SequenceEditsTest, CopyFillsTheClipboardWithTheWholeSequence) {
  const auto before = Images(ws_, slot_);
  ed_.Copy(kBsq, slot_, 4);
  EXPECT_EQ(ClipboardSet(), slot_);
  EXPECT_EQ(ClipboardIndex(), 4);
  EXPECT_EQ(Clipboard(), bank_[4]);
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());

  EXPECT_FALSE(ed_.Copy(kBsq, slot_, -1));
  EXPECT_FALSE(ed_.Copy(kBsq, slot_, 10));
  EXPECT_EQ(ClipboardIndex(), 4);
}

TEST_F(SequenceEditsTest, CutEmptiesTheSlotAndUndoPutsItBack) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Cut(kBsq, slot_, 3));
  Bank expected = bank_;
  expected[3] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_EQ(Clipboard(), bank_[3]);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));

  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
  ws_.sets.Entry(slot_).UndoEnabled = true;
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));  // nothing left to undo
  EXPECT_EQ(Images(ws_, slot_), before);

  EXPECT_FALSE(ed_.Cut(kBsq, slot_, -1));
  EXPECT_FALSE(ed_.Cut(kBsq, slot_, 10));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, CopyingAnotherSequenceBeforeUndoStillBringsTheCutOneBack) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Cut(kBsq, slot_, 3));
  ed_.Copy(kBsq, slot_, 6);
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

// --- Paste -----------------------------------------------------------------------------

TEST_F(SequenceEditsTest, PasteInTheSameSetKeepsTheCallsAndUndoRestoresTheSlot) {
  EXPECT_FALSE(ed_.Paste(kBsq, slot_, 2));  // nothing copied yet
  // User calls that a calls check would move onto the first unnamed item of this Set.
  Bsq(slot_).records[8].SetArrangement(300);
  Bsq(slot_).records[8].SetTrackProgram(4, 790);
  bank_[8].record = Bsq(slot_).records[8];
  const auto before = Images(ws_, slot_);

  ed_.Copy(kBsq, slot_, 8);
  ASSERT_TRUE(ed_.Paste(kBsq, slot_, 2));
  Bank expected = bank_;
  expected[2] = bank_[8];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));

  EXPECT_FALSE(ed_.Paste(kBsq, slot_, -1));
  EXPECT_FALSE(ed_.Paste(kBsq, slot_, 10));
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, PasteFromAnotherSetRepointsCallsByNameAndAsksAboutTheRest) {
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
  ed_.Copy(kBsq, source_, 4);
  ASSERT_TRUE(ed_.Paste(kBsq, dest_, 6));

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
  EXPECT_EQ(Clipboard(), sent);  // the clipboard keeps the source's view

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

  EXPECT_TRUE(ed_.Undo(kBsq, dest_));
  EXPECT_EQ(Images(ws_, dest_), destBefore);
}

TEST_F(SequenceEditsTest, MissingArrangementAndStyleAreAskedAboutFirst) {
  AddSourceAndDest();
  Sent().SetName("Verse");
  Sent().SetArrangement(260);  // "Ballad": not in DST
  Sent().SetStyle(261);        // "Other Style": not in DST
  const Seq sent = SentSeq();
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(70);
  prompter_.QueueAnswer(Answer::No);
  ed_.Copy(kBsq, source_, 4);
  ASSERT_TRUE(ed_.Paste(kBsq, dest_, 0));

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

TEST_F(SequenceEditsTest, StylePickerOpensOnTheFirstStyle) {
  AddSourceAndDest();
  Sent().SetStyle(261);
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(7);
  ed_.Copy(kBsq, source_, 4);
  ASSERT_TRUE(ed_.Paste(kBsq, dest_, 1));
  ASSERT_EQ(prompter_.pickRequests().size(), 1u);
  ExpectPick(prompter_.pickRequests()[0], Kind::Style, dest_, 0, "");
  EXPECT_EQ(Bsq(dest_).records[1].Style(), 7);
}

TEST_F(SequenceEditsTest, CancelAtTheSecondQuestionLeavesEverythingAsItWas) {
  AddSourceAndDest();
  Sent().SetArrangement(258);       // found by name: re-pointed in the working copy only
  Sent().SetTrackProgram(1, 1039);  // first question: answered with a pick
  Sent().SetTrackProgram(2, 769);   // second question: Cancel
  const BsqRecord sent = Sent();
  const auto sourceBefore = Images(ws_, source_);
  ASSERT_TRUE(ed_.Cut(kBsq, source_, 8));  // the undo that a failed paste must not take
  ed_.Copy(kBsq, source_, 4);
  const auto destBefore = Images(ws_, dest_);

  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(800);
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Paste(kBsq, dest_, 6));
  EXPECT_EQ(prompter_.messages().size(), 2u);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
  EXPECT_FALSE(Modified(dest_));
  EXPECT_FALSE(UndoEnabled(dest_));
  EXPECT_EQ(ClipboardSet(), source_);
  EXPECT_EQ(ClipboardIndex(), 4);
  EXPECT_EQ(Clipboard().record, sent);

  ws_.sets.Entry(dest_).UndoEnabled = true;  // the window of the paste undoes the last cut
  EXPECT_TRUE(ed_.Undo(kBsq, dest_));
  EXPECT_EQ(Images(ws_, source_), sourceBefore);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
}

TEST_F(SequenceEditsTest, ACancelledPickerAbandonsThePaste) {
  AddSourceAndDest();
  Sent().SetTrackProgram(1, 1039);
  ed_.Copy(kBsq, source_, 4);
  const auto destBefore = Images(ws_, dest_);
  prompter_.QueueAnswer(Answer::Yes);
  prompter_.QueuePick(-1);
  EXPECT_FALSE(ed_.Paste(kBsq, dest_, 3));
  EXPECT_EQ(prompter_.pickRequests().size(), 1u);
  EXPECT_EQ(Images(ws_, dest_), destBefore);
  EXPECT_FALSE(Modified(dest_));
}

TEST_F(SequenceEditsTest, ASequenceCallingOnlyPresetsCrossesSetsWithoutAQuestion) {
  const int other = AddSet(ws_, build::TemplateSet(), "TWO");
  const auto before = Images(ws_, other);
  ASSERT_TRUE(ed_.Drop(kBsq, slot_, 5, other, 0));
  EXPECT_TRUE(prompter_.messages().empty());
  Bank expected;
  expected[0] = bank_[5];
  EXPECT_EQ(FileIn(other), FileOf(expected, kBsqBase));
  EXPECT_EQ(ClipboardIndex(), 5);
  EXPECT_TRUE(UndoEnabled(other));
  EXPECT_TRUE(ed_.Undo(kBsq, other));
  EXPECT_EQ(Images(ws_, other), before);
}

TEST_F(SequenceEditsTest, ASequenceFromNoOpenSetIsPastedAsItIs) {
  FileSet scratch;
  BsqRecord record = bank_[1].record;
  record.SetArrangement(300);
  record.SetTrackProgram(0, 790);
  scratch.backingSequences.records[0] = record;
  ItemBuffer& clip = ws_.edits.Clipboard(kBsq);
  clip = {ItemBuffer::kNotFromASet, -1, ReadItem(scratch, kBsq, 0)};
  ASSERT_TRUE(ed_.Paste(kBsq, slot_, 4));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(Bsq(slot_).records[4], record);
  EXPECT_EQ(Bsq(slot_).size[4], 0);
}

// --- Delete and Insert -----------------------------------------------------------------

TEST_F(SequenceEditsTest, DeletingSlot0MovesTheOthersUpAndUndoRestoresAllTen) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Delete(kBsq, slot_, 0));
  Bank expected = Reordered(bank_, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0});
  expected[9] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_EQ(Clipboard(), bank_[0]);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));
  EXPECT_TRUE(prompter_.messages().empty());

  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, DeletingTheLastSlotOnlyEmptiesIt) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(ed_.Delete(kBsq, slot_, 9));
  Bank expected = bank_;
  expected[9] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, InsertAt3PushesSlot9OntoTheClipboardAndAPasteInto9PutsItBack) {
  EXPECT_FALSE(ed_.Insert(kBsq, slot_, 3));  // nothing copied yet
  ed_.Copy(kBsq, slot_, 7);
  ASSERT_TRUE(ed_.Insert(kBsq, slot_, 3));
  Bank expected = Reordered(bank_, {0, 1, 2, 7, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_EQ(Clipboard(), bank_[9]);
  EXPECT_EQ(ClipboardSet(), slot_);
  EXPECT_TRUE(UndoEnabled(slot_));

  ASSERT_TRUE(ed_.Paste(kBsq, slot_, 9));
  expected[9] = bank_[9];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
}

TEST_F(SequenceEditsTest, UndoOfAnInsertDropsTheInsertedOneAndBringsBackTheLast) {
  const auto before = Images(ws_, slot_);
  ed_.Copy(kBsq, slot_, 2);
  ASSERT_TRUE(ed_.Insert(kBsq, slot_, 0));
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);

  ed_.Copy(kBsq, slot_, 2);
  ASSERT_TRUE(ed_.Insert(kBsq, slot_, 9));
  Bank expected = bank_;
  expected[9] = bank_[2];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, kBase));
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, InsertFromAnotherSetChecksTheCallsAndCancelLeavesEverything) {
  AddSourceAndDest();
  Sent().SetName("Verse");
  Sent().SetTrackProgram(1, 1039);  // "Kit": not in DST
  const Seq sent = SentSeq();
  ed_.Copy(kBsq, source_, 4);
  const auto destBefore = Images(ws_, dest_);

  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(ed_.Insert(kBsq, dest_, 2));
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Track 'Upper2' of BackSeq 'Verse' calls Program 'Kit' non-existent in 'DST'\n\n"
                "Redirect this track to an existing Program?",
            }));
  EXPECT_EQ(Images(ws_, dest_), destBefore);
  EXPECT_FALSE(Modified(dest_));
  EXPECT_EQ(ClipboardSet(), source_);
  EXPECT_EQ(Clipboard(), sent);

  prompter_.QueueAnswer(Answer::No);
  ASSERT_TRUE(ed_.Insert(kBsq, dest_, 2));
  Bank expected = Reordered(destBank_, {0, 1, 0, 2, 3, 4, 5, 6, 7, 8});
  expected[2] = sent;
  EXPECT_EQ(FileIn(dest_), FileOf(expected, kBsqBase));
  EXPECT_TRUE(ed_.Undo(kBsq, dest_));
  EXPECT_EQ(Images(ws_, dest_), destBefore);
}

// --- Erase -----------------------------------------------------------------------------

TEST_F(SequenceEditsTest, EraseEmptiesAllTenFromTheErasedBaseAndCannotBeUndone) {
  ASSERT_TRUE(ed_.Cut(kBsq, slot_, 1));
  EXPECT_TRUE(UndoEnabled(slot_));
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_TRUE(ed_.Erase(kBsq, slot_, 0));
  EXPECT_EQ(FileIn(slot_), FileOf(Bank{}, 5632));
  EXPECT_EQ(Bsq(slot_).trackStart[0][0], 5632);
  EXPECT_EQ(Bsq(slot_).endStart, 5632);
  EXPECT_EQ(BsqFreeUnits(Bsq(slot_)), kBsqMemoryUnits);
  EXPECT_FALSE(UndoEnabled(slot_));
  EXPECT_TRUE(Modified(slot_));

  // The cut made before cannot come back into the erased bank.
  const auto erased = Images(ws_, slot_);
  ws_.sets.Entry(slot_).UndoEnabled = true;
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), erased);
}

// --- Move by drag ----------------------------------------------------------------------

TEST_F(SequenceEditsTest, Moving7Before2RenumbersTheChainsAndUndoRestoresEveryByte) {
  const std::array<int, kBsqCount> next = {7, 2, 3, 6, 8, 0, 9, 1, 5, 200};
  for (int i = 0; i < kBsqCount; ++i)
    SetNext(i, next[At(i)]);
  const auto before = Images(ws_, slot_);

  ASSERT_TRUE(Move(slot_, 7, 2));
  // Per sequence: a next of 7 becomes 2, nexts of 2-6 become 3-7, the others stay.
  const std::array<int, kBsqCount> renumbered = {2, 3, 4, 7, 8, 0, 9, 1, 6, 200};
  Bank moved = bank_;
  for (int i = 0; i < kBsqCount; ++i)
    moved[At(i)].record.SetNext(static_cast<std::uint8_t>(renumbered[At(i)]));
  EXPECT_EQ(FileIn(slot_), FileOf(Reordered(moved, {0, 1, 7, 2, 3, 4, 5, 6, 8, 9}), kBase));
  EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Insert Backing Sequence 7 before 2 ?"});
  EXPECT_EQ(Clipboard(), bank_[7]);
  EXPECT_TRUE(Modified(slot_));
  EXPECT_TRUE(UndoEnabled(slot_));

  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, MovingTowardsTheEndLandsJustBeforeTheTarget) {
  const std::array<int, kBsqCount> next = {7, 2, 3, 6, 8, 0, 9, 1, 5, 200};
  for (int i = 0; i < kBsqCount; ++i)
    SetNext(i, next[At(i)]);
  const auto before = Images(ws_, slot_);

  ASSERT_TRUE(Move(slot_, 1, 9));
  // Sequence 1 goes to 8, 2-8 move to 1-7.
  const std::array<int, kBsqCount> renumbered = {6, 1, 2, 5, 7, 0, 9, 8, 4, 200};
  Bank moved = bank_;
  for (int i = 0; i < kBsqCount; ++i)
    moved[At(i)].record.SetNext(static_cast<std::uint8_t>(renumbered[At(i)]));
  EXPECT_EQ(FileIn(slot_), FileOf(Reordered(moved, {0, 2, 3, 4, 5, 6, 7, 8, 1, 9}), kBase));
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

TEST_F(SequenceEditsTest, DroppingASequenceOnItselfOrTheNextOneDoesNothing) {
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(Move(slot_, 4, 5));
  EXPECT_FALSE(Move(slot_, 4, 4));
  EXPECT_FALSE(Move(slot_, 4, 10));
  EXPECT_FALSE(Move(slot_, -1, 3));
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(Modified(slot_));
  EXPECT_FALSE(UndoEnabled(slot_));
  EXPECT_EQ(ClipboardSet(), 0);
  EXPECT_TRUE(prompter_.messages().empty());
}

// Only a sequence that holds something can be dragged: an empty one neither moves inside
// its Set nor overwrites another Set's sequence.
TEST_F(SequenceEditsTest, ADragFromAnEmptySequenceDoesNothing) {
  ASSERT_TRUE(ed_.Cut(kBsq, slot_, 5));
  const int other = AddSet(ws_, SetOf(bank_, kBase), "TWO");
  const auto before = Images(ws_, slot_);
  const auto otherBefore = Images(ws_, other);
  EXPECT_FALSE(ed_.Drop(kBsq, slot_, 5, slot_, 2));
  EXPECT_FALSE(ed_.Drop(kBsq, slot_, 5, other, 3));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_EQ(Images(ws_, other), otherBefore);
}

// What Undo puts back does not live on the clipboard: a Copy in between changes nothing.
TEST_F(SequenceEditsTest, UndoOfAMoveAfterACopyStillMovesItBack) {
  const auto before = Images(ws_, slot_);
  ASSERT_TRUE(Move(slot_, 7, 2));
  ed_.Copy(kBsq, slot_, 0);
  EXPECT_TRUE(ed_.Undo(kBsq, slot_));
  EXPECT_EQ(Images(ws_, slot_), before);
}

// --- Out of range indexes --------------------------------------------------------------

TEST_F(SequenceEditsTest, IndexesOutside0To9DoNothing) {
  ed_.Copy(kBsq, slot_, 1);
  const auto before = Images(ws_, slot_);
  for (const int bad : {-1, 10}) {
    EXPECT_FALSE(ed_.Delete(kBsq, slot_, bad));
    EXPECT_FALSE(ed_.Insert(kBsq, slot_, bad));
    EXPECT_FALSE(ed_.Drop(kBsq, slot_, bad, slot_, 2));
    EXPECT_FALSE(ed_.Drop(kBsq, slot_, 2, slot_, bad));
  }
  EXPECT_EQ(Images(ws_, slot_), before);
  EXPECT_FALSE(Modified(slot_));
  EXPECT_EQ(ClipboardIndex(), 1);
}

// --- The 16-bit track starts -----------------------------------------------------------

TEST_F(SequenceEditsTest, WhatWouldNotFitTheFileIsRefusedBeforeAnythingChanges) {
  Bank full;
  full[0] = LongSeq("BIG", 14000);
  full[1] = LongSeq("HALF", 10000);  // ends at 5632 + 24000 = 29632
  const int set = AddSet(ws_, SetOf(full, kBsqBase), "FULL");
  ed_.Copy(kBsq, set, 0);
  const auto before = Images(ws_, set);

  EXPECT_FALSE(ed_.Paste(kBsq, set, 2));
  ASSERT_EQ(prompter_.messages().size(), 1u);
  const Message& m = prompter_.messages()[0];
  EXPECT_EQ(m.text,
            "The Backing Sequences would no longer fit in their file.\nNothing has been changed.");
  EXPECT_EQ(m.title, "Warning");
  EXPECT_EQ(m.icon, MessageIcon::Exclamation);
  EXPECT_EQ(m.buttons, MessageButtons::Ok);
  EXPECT_EQ(m.defaultButton, Answer::Ok);

  EXPECT_FALSE(ed_.Insert(kBsq, set, 5));
  const int twin = AddSet(ws_, SetOf(full, kBsqBase), "TWIN");
  EXPECT_FALSE(ed_.Drop(kBsq, twin, 1, set, 3));
  EXPECT_EQ(prompter_.messages().size(), 3u);
  EXPECT_EQ(Images(ws_, set), before);
  EXPECT_FALSE(Modified(set));
  EXPECT_FALSE(UndoEnabled(set));
  EXPECT_EQ(ClipboardIndex(), 0);  // the refused drop did not copy

  // Moving and deleting never need more room: the move's question is all they say.
  EXPECT_TRUE(Move(set, 1, 0));
  EXPECT_TRUE(ed_.Delete(kBsq, set, 0));
  EXPECT_EQ(prompter_.messages().size(), 4u);
}

TEST_F(SequenceEditsTest, TheLastTrackStartMayReach32767ButNotPassIt) {
  Bank one;
  one[0] = LongSeq("BIG", 14000);
  const int set = AddSet(ws_, SetOf(one, kBsqBase), "FULL");
  Bank pieces;
  pieces[0] = LongSeq("FITS", 32767 - 5632 - 14000);
  pieces[1] = LongSeq("ONE MORE", 32767 - 5632 - 14000 + 1);
  const int from = AddSet(ws_, SetOf(pieces, kBsqBase), "PIECES");

  ASSERT_TRUE(ed_.Drop(kBsq, from, 0, set, 9));
  EXPECT_EQ(Bsq(set).endStart, 32767);
  EXPECT_TRUE(prompter_.messages().empty());
  const auto before = Images(ws_, set);
  EXPECT_FALSE(ed_.Drop(kBsq, from, 1, set, 9));
  EXPECT_EQ(prompter_.messages().size(), 1u);
  EXPECT_EQ(Images(ws_, set), before);
}

TEST_F(SequenceEditsTest, MoreThanTheInstrumentHoldsIsStillAllowedWhenTheFileCanSayIt) {
  Bank one;
  one[0] = LongSeq("BIG", 10000);
  const int set = AddSet(ws_, SetOf(one, kBsqBase), "FULL");
  ed_.Copy(kBsq, set, 0);
  ASSERT_TRUE(ed_.Paste(kBsq, set, 1));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(BsqTotalUnits(Bsq(set)), 20000);
  EXPECT_EQ(BsqFreeUnits(Bsq(set)), 16384 - 20000);
  EXPECT_EQ(Bsq(set).endStart, 5632 + 20000);
  EXPECT_EQ(Bsq(set).trackStart[1][0], 5632 + 10000);
}

// --- Undo ------------------------------------------------------------------------------

TEST_F(SequenceEditsTest, UndoIntoAClosedSetDoesNothing) {
  const int other = AddSet(ws_, SetOf(bank_, kBase), "TWO");
  ASSERT_TRUE(ed_.Cut(kBsq, slot_, 0));
  ws_.edits.ForgetSet(slot_);
  ws_.sets.Release(slot_);
  const int reused = AddSet(ws_, build::TemplateSet(), "THREE");
  ASSERT_EQ(reused, slot_);
  const auto before = Images(ws_, reused);
  const auto otherBefore = Images(ws_, other);
  ws_.sets.Entry(other).UndoEnabled = true;
  EXPECT_TRUE(ed_.Undo(kBsq, other));
  EXPECT_EQ(Images(ws_, reused), before);
  EXPECT_EQ(Images(ws_, other), otherBefore);
  EXPECT_FALSE(Modified(reused));
}

}  // namespace
}  // namespace i40
