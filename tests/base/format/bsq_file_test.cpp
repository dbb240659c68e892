#include "format/bsq_file.h"
#include "backseqs/bsq_list.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "support/read_errors.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

BsqData EmptyBank() {
  return build::TemplateSet().backingSequences;
}

// A bank whose sequence i has the given track lengths, with data to match.
BsqData BankWith(int sequence, const std::vector<int>& units, std::uint8_t fill = 0x5A) {
  BsqData bsq = EmptyBank();
  int total = 0;
  for (std::size_t j = 0; j < units.size(); ++j) {
    bsq.trackLength[static_cast<std::size_t>(sequence)][j] = static_cast<std::int16_t>(units[j]);
    total += units[j];
  }
  bsq.size[static_cast<std::size_t>(sequence)] = static_cast<std::int16_t>(total);
  bsq.data[static_cast<std::size_t>(sequence)].assign(static_cast<std::size_t>(total) * 16, fill);
  RebuildTrackStarts(bsq);
  return bsq;
}

TEST(BsqFile, EmptyBankReadsAsTenZeroSizes) {
  const auto bytes = WriteBsqFile(EmptyBank());
  ASSERT_EQ(bytes.size(), 2448u);
  BsqData read;
  read.data[9].assign(16, 1);  // nothing is left of what was there before
  ASSERT_FALSE(ReadBsqFile(bytes, read));
  EXPECT_EQ(std::tie(read.size, read.data, read.endStart),
            std::tuple(decltype(read.size){}, decltype(read.data){}, 5632));
  EXPECT_EQ(BsqListEntry(read, ItemIndex{9}), "BSeq 9:                  :    0");
  EXPECT_EQ(BsqUsedCounterText(read) + "|" + BsqFreeCounterText(read), "BackSeqs: 0|Free: 65536");
}

TEST(BsqFile, SequenceLongerThan16384BytesIsReadWhole) {
  BsqData bsq = BankWith(2, {1000, 100, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  for (std::size_t i = 0; i < bsq.data[2].size(); ++i)
    bsq.data[2][i] = static_cast<std::uint8_t>(i % 251);
  bsq.data[3].clear();
  const auto bytes = WriteBsqFile(bsq);
  BsqData read;
  ASSERT_FALSE(ReadBsqFile(bytes, read));
  EXPECT_EQ(read.data[2], bsq.data[2]);
  EXPECT_EQ(WriteBsqFile(read), bytes);
  EXPECT_EQ(BsqListEntry(read, ItemIndex{2}), "BSeq 2:                  : 5204");
}

TEST(BsqFile, OverTheMemoryTheFreeCounterGoesNegative) {
  BsqData bsq = BankWith(0, {16000, 500});
  EXPECT_EQ(std::tuple(BsqFreeUnits(bsq), BsqFreeCounterText(bsq)), std::tuple(-116, "Free: -464"));
}

TEST(BsqFile, TrackStartsThatGoBackwardsOrPastTheDataStopTheReading) {
  BsqData bsq = BankWith(1, {2, 2, 2});
  auto bytes = WriteBsqFile(bsq);
  BsqData read;

  auto backwards = bytes;
  // Sequence 1, track 1: 4096, before its track 0.
  test::PutU16(backwards, 2106 + 2 * (1 * 17 + 1), 4096);
  EXPECT_EQ(test::Detail(ReadBsqFile(backwards, read)),
            "Track 1 of Backing Sequence 1 ends before it starts (byte 2140)");
  EXPECT_TRUE(read.data[0].empty());
  EXPECT_EQ(read.records[1], bsq.records[1]);  // records were read

  auto shortData = bytes;
  shortData.resize(shortData.size() - 1);
  EXPECT_EQ(test::Detail(ReadBsqFile(shortData, read)),
            "The file ends inside the events of Backing Sequence 1 (byte 2543)");

  auto endBeforeStart = bytes;
  test::PutU16(endBeforeStart, 2446, 0);
  EXPECT_TRUE(ReadBsqFile(endBeforeStart, read));

  // Starts spread over the whole 16-bit range cannot make a sequence of more than
  // 32767 units.
  auto spread = WriteBsqFile(EmptyBank());
  for (std::size_t k = 0; k < 170; ++k)
    test::PutU16(spread, 2106 + 2 * k, 0x8000);  // -32768
  test::PutU16(spread, 2106 + 2 * 169, 32767);   // sequence 9, last track starts at 32767
  test::PutU16(spread, 2446, 32767);
  EXPECT_EQ(test::Detail(ReadBsqFile(spread, read)).rfind("Backing Sequence 9 is too long", 0), 0u);
}

TEST(BsqFile, RebuildTrackStartsKeepsTheBase) {
  BsqData bsq = EmptyBank();
  bsq.trackStart[0][0] = 100;
  bsq.trackLength[0][0] = 5;
  bsq.trackLength[4][16] = 7;
  RebuildTrackStarts(bsq);
  EXPECT_EQ(
      std::tuple(bsq.trackStart[0][0], bsq.trackStart[0][1], bsq.trackStart[5][0], bsq.endStart),
      std::tuple(100, 105, 112, 112));
}

// Where the record keeps its calls: the Arrangement at 10, the Style at 12, Upper1 at 20,
// Lower at 206 and Extra 8 at 160, low byte first.
TEST(BsqRecord, CallsSitWhereTheInstrumentReadsThem) {
  BsqRecord r;
  r.SetArrangement(256);
  r.SetStyle(-1);
  r.SetTrackProgram(0, 768);
  r.SetTrackProgram(2, 1039);
  r.SetTrackProgram(10, 5);
  const std::pair<std::size_t, std::uint8_t> expected[] = {
      {10, 0x00}, {11, 0x01},  {12, 0xFF},  {20, 0x00},
      {21, 0x03}, {206, 0x0F}, {207, 0x04}, {48 + 16 * 7, 5}};
  for (auto [at, value] : expected)
    EXPECT_EQ(r.bytes[at], value) << at;
  EXPECT_EQ(std::tuple(r.Style(), r.TrackProgram(2)), std::tuple(-1, 1039));
}

}  // namespace
}  // namespace i40
