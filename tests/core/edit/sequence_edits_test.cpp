// The edit engine on the Backing Sequences tab: sequences travel whole, with their
// events, their chaining follows a move, and the bank must keep fitting its file. Each
// result is checked as the whole file the Set would write.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "format/bsq_file.h"
#include "format/item_image.h"
#include "support/editor.h"

namespace i40 {
namespace {

using test::AddSet;
using test::Images;
constexpr Kind kBsq = Kind::BackingSequence;

// One Backing Sequence with everything that travels with it.
struct Seq {
  BsqRecord record = EmptyBsqRecord();
  std::array<std::int16_t, kBsqTrackCount> lengths{};
  std::vector<std::uint8_t> data;

  bool operator==(const Seq&) const = default;
};

using Bank = std::array<Seq, kBsqCount>;

// A sequence whose carried bytes and events come from its seed; its calls are presets,
// which no Set is asked about. With `units`, all of them in its first track.
Seq MakeSeq(const std::string& name, std::uint32_t seed, int units = 0) {
  build::Rng rng(seed);
  Seq s;
  rng.Fill(s.record.bytes);
  s.record.SetName(name);
  s.record.SetArrangement(5);
  s.record.SetStyle(66);
  for (int t = 0; t < kBsqProgramTrackCount; ++t)
    s.record.SetTrackProgram(t, 64 + t);
  s.record.SetNext(0);
  for (auto& length : s.lengths)
    length = static_cast<std::int16_t>(units > 0 ? 0 : 1 + rng.Below(3));
  if (units > 0) s.lengths[0] = static_cast<std::int16_t>(units);
  const int total = std::accumulate(s.lengths.begin(), s.lengths.end(), 0);
  s.data = rng.Bytes(static_cast<std::size_t>(total) * kBsqUnitBytes);
  return s;
}

// The component holding these ten in this order, their tracks one after the other.
FileSet SetOf(const Bank& bank, int base = kBsqBase) {
  FileSet set = build::TemplateSet();
  BsqData& bsq = set.backingSequences;
  for (std::size_t i = 0; i < kBsqCount; ++i) {
    bsq.records[i] = bank[i].record;
    bsq.trackLength[i] = bank[i].lengths;
    bsq.size[i] = static_cast<std::int16_t>(
        std::accumulate(bank[i].lengths.begin(), bank[i].lengths.end(), 0));
    bsq.data[i] = bank[i].data;
  }
  bsq.trackStart[0][0] = static_cast<std::int16_t>(base);
  RebuildTrackStarts(bsq);
  return set;
}

std::vector<std::uint8_t> FileOf(const Bank& bank, int base = kBsqBase) {
  return WriteBsqFile(SetOf(bank, base).backingSequences);
}

Bank Reordered(const Bank& bank, const std::array<int, kBsqCount>& order) {
  Bank result;
  for (std::size_t k = 0; k < kBsqCount; ++k)
    result[k] = bank[static_cast<std::size_t>(order[k])];
  return result;
}

class SequenceEditsTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < kBsqCount; ++i)
      bank_[i] = MakeSeq("SEQ " + std::to_string(i), static_cast<std::uint32_t>(100 + i));
    slot_ = AddSet(ws_, SetOf(bank_, 6000), "ONE");
  }

  std::vector<std::uint8_t> FileIn(SetSlot slot) {
    return WriteBsqFile(ws_.sets.Files(slot).backingSequences);
  }
  Seq Clipboard() {
    FileSet scratch;
    WriteItem(scratch, kBsq, ItemIndex{0}, ws_.edits.Clipboard(kBsq).image);
    const BsqData& bsq = scratch.backingSequences;
    return {bsq.records[0], bsq.trackLength[0], bsq.data[0]};
  }
  Bank WithNexts(const std::array<int, kBsqCount>& next) {
    Bank bank = bank_;
    for (std::size_t i = 0; i < kBsqCount; ++i)
      bank[i].record.SetNext(static_cast<std::uint8_t>(next[i]));
    return bank;
  }

  Bank bank_;
};

TEST_F(SequenceEditsTest, CopyCutAndPasteCarryTheWholeSequence) {
  ASSERT_TRUE(ed_.Copy(kBsq, slot_, 4));
  EXPECT_EQ(Clipboard(), bank_[4]);
  EXPECT_FALSE(ws_.sets.Entry(slot_).AnyModified());
  ASSERT_TRUE(ed_.Cut(kBsq, slot_, 3));
  EXPECT_EQ(Clipboard(), bank_[3]);
  Bank expected = bank_;
  expected[3] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, 6000));
  ASSERT_TRUE(ed_.Paste(kBsq, slot_, 8));
  expected[8] = bank_[3];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, 6000));
  for (const int bad : {-1, 10}) {
    EXPECT_FALSE(ed_.Cut(kBsq, slot_, bad) || ed_.Paste(kBsq, slot_, bad) ||
                 ed_.Delete(kBsq, slot_, bad) || ed_.Insert(kBsq, slot_, bad));
  }
}

TEST_F(SequenceEditsTest, FromAnotherSetTheCallsItLacksAreAskedAboutInOrder) {
  FileSet src = SetOf(bank_);
  src.arrangements.records[4].SetName("Ballad");  // 260
  src.styles.slots[5].record.SetName("Swing");    // 261
  src.programs.records[65].SetName("Kit");        // 1039
  BsqRecord& sent = src.backingSequences.records[4];
  sent.SetName(" Verse");
  sent.SetArrangement(260);
  sent.SetStyle(261);
  sent.SetTrackProgram(0, 1039);  // Upper1: a Drum Kit
  const SetSlot source = AddSet(ws_, src, "SRC");
  const SetSlot dest = AddSet(ws_, build::TemplateSet(), "DST");

  prompter_.QueueAnswer(Answer::Yes);  // the Arrangement: picked
  prompter_.QueuePick(ItemNumber{70});
  prompter_.QueueAnswer(Answer::No);   // the Style: kept
  prompter_.QueueAnswer(Answer::Yes);  // Upper1: picked
  prompter_.QueuePick(ItemNumber{1025});
  ed_.Copy(kBsq, source, 4);
  ASSERT_TRUE(ed_.Paste(kBsq, dest, 6));
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "Backing Sequence 'Verse' calls Arrangement 'Ballad' non-existent in 'DST'\n\n"
                "Redirect this Backing Sequence to an existing Arrangement?",
                "Backing Sequence 'Verse' calls Style 'Swing' non-existent in 'DST'\n\n"
                "Redirect this Backing Sequence to an existing Style?",
                "Track 'Upper1' of BackSeq 'Verse' calls Program 'Kit' non-existent in 'DST'\n\n"
                "Redirect this track to an existing Program?",
            }));
  const auto& picks = prompter_.pickRequests();
  ASSERT_EQ(picks.size(), 2u);  // the Arrangement, then Upper1 on the Drum Kit bank
  EXPECT_EQ(std::tie(picks[0].kind, picks[1].start, picks[1].caption),
            std::tuple(Kind::Arrangement, ItemNumber{1024}, "for track 'Upper1'"));
  // The Style is kept, the rest picked; the preset calls stay as they are.
  Bank expected;
  expected[6] = {sent, bank_[4].lengths, bank_[4].data};
  expected[6].record.SetArrangement(70);
  expected[6].record.SetTrackProgram(0, 1025);
  EXPECT_EQ(FileIn(dest), FileOf(expected));
}

TEST_F(SequenceEditsTest, DeleteClosesUpAndInsertPushesTheLastOneOut) {
  ASSERT_TRUE(ed_.Delete(kBsq, slot_, 0));
  Bank expected = Reordered(bank_, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0});
  expected[9] = Seq{};
  EXPECT_EQ(FileIn(slot_), FileOf(expected, 6000));
  EXPECT_EQ(Clipboard(), bank_[0]);
  ASSERT_TRUE(ed_.Undo(kBsq, slot_));

  ed_.Copy(kBsq, slot_, 7);
  ASSERT_TRUE(ed_.Insert(kBsq, slot_, 3));
  expected = Reordered(bank_, {0, 1, 2, 7, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(FileIn(slot_), FileOf(expected, 6000));
  EXPECT_EQ(Clipboard(), bank_[9]);  // pushed out, and pasted back at the end
  ASSERT_TRUE(ed_.Paste(kBsq, slot_, 9));
  expected[9] = bank_[9];
  EXPECT_EQ(FileIn(slot_), FileOf(expected, 6000));
}

// A move renumbers every next field so that each chain leads where it led: a next of the
// moved sequence follows it, the nexts in between shift by one, the others stay.
TEST_F(SequenceEditsTest, AMoveLandsBeforeItsTargetAndTheChainsFollow) {
  bank_ = WithNexts({7, 2, 3, 6, 8, 0, 9, 1, 5, 200});
  ws_.sets.Files(slot_) = SetOf(bank_, 6000);
  prompter_.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(ed_.Drop(kBsq, slot_, 7, slot_, 2));
  EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Insert Backing Sequence 7 before 2 ?"});
  EXPECT_EQ(FileIn(slot_), FileOf(Reordered(WithNexts({2, 3, 4, 7, 8, 0, 9, 1, 6, 200}),
                                            {0, 1, 7, 2, 3, 4, 5, 6, 8, 9}),
                                  6000));
  ASSERT_TRUE(ed_.Undo(kBsq, slot_));
  prompter_.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(ed_.Drop(kBsq, slot_, 1, slot_, 9));  // towards the end: just before the target
  EXPECT_EQ(FileIn(slot_), FileOf(Reordered(WithNexts({6, 1, 2, 5, 7, 0, 9, 8, 4, 200}),
                                            {0, 2, 3, 4, 5, 6, 7, 8, 1, 9}),
                                  6000));
}

TEST_F(SequenceEditsTest, DropsThatMoveNothingAskNothing) {
  const auto before = Images(ws_, slot_);
  EXPECT_FALSE(ed_.Drop(kBsq, slot_, 4, slot_, 5));  // before the next one
  EXPECT_FALSE(ed_.Drop(kBsq, slot_, 4, slot_, 10));
  EXPECT_TRUE(prompter_.messages().empty());
  EXPECT_EQ(Images(ws_, slot_), before);
}

// The file keeps every track start as a signed 16-bit number: what would push one past
// 32767 is refused before anything changes; more than the instrument's memory is not.
TEST_F(SequenceEditsTest, WhatWouldNotFitTheFileIsRefusedBeforeAnythingChanges) {
  Bank full;
  full[0] = MakeSeq("BIG", 1, 14000);
  full[1] = MakeSeq("HALF", 2, 10000);  // ends at 5632 + 24000
  const SetSlot set = AddSet(ws_, SetOf(full), "FULL");
  const SetSlot twin = AddSet(ws_, SetOf(full), "TWIN");
  ed_.Copy(kBsq, SetSlot{set}, 0);
  const auto before = Images(ws_, set);
  EXPECT_FALSE(ed_.Paste(kBsq, SetSlot{set}, 2));
  EXPECT_FALSE(ed_.Insert(kBsq, SetSlot{set}, 5));
  EXPECT_FALSE(ed_.Drop(kBsq, SetSlot{twin}, 1, SetSlot{set}, 3));
  ASSERT_EQ(prompter_.messages().size(), 3u);
  const Message& m = prompter_.messages()[0];
  EXPECT_EQ(std::tie(m.title, m.icon), std::tuple("Warning", MessageIcon::Exclamation));
  EXPECT_EQ(m.text,
            "The Backing Sequences would no longer fit in their file.\nNothing has been changed.");
  EXPECT_EQ(Images(ws_, set), before);
  EXPECT_FALSE(ws_.sets.Entry(set).AnyModified());
  EXPECT_EQ(ws_.edits.Clipboard(kBsq).sourceIndex, ItemIndex{0});  // the refused drop did not copy

  Bank pieces;
  pieces[0] = MakeSeq("FITS", 3, 32767 - 5632 - 24000);
  pieces[1] = MakeSeq("ONE MORE", 4, 32767 - 5632 - 24000 + 1);
  const SetSlot from = AddSet(ws_, SetOf(pieces), "PIECES");
  ASSERT_TRUE(ed_.Drop(kBsq, SetSlot{from}, 0, SetSlot{set}, 9));
  EXPECT_EQ(ws_.sets.Files(set).backingSequences.endStart, 32767);
  EXPECT_FALSE(ed_.Drop(kBsq, SetSlot{from}, 1, SetSlot{set}, 9));
  EXPECT_LT(BsqFreeUnits(ws_.sets.Files(set).backingSequences), 0);  // over the instrument's
}

}  // namespace
}  // namespace i40
