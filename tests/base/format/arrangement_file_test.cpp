#include "format/arrangement_file.h"

#include <gtest/gtest.h>

#include "arrangements/arrangement_cell.h"
#include "set_builder.h"
#include "support/read_errors.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

std::vector<std::uint8_t> ArrangementFileWithLength(std::uint16_t length,
                                                    std::size_t extraPresent) {
  FileSet set = build::RandomSet(11);
  PutU16(set.arrangements.header, kArrangementLengthFieldOffset, length);
  set.arrangements.extra.assign(extraPresent, 0xAB);
  return WriteArrangementFile(set.arrangements);
}

// A length field of 10496 or less means no bytes after the records; what is more is kept.
TEST(ArrangementFile, ExtraBytesAfterTheRecordsAreWhatTheLengthFieldSays) {
  for (auto [length, extra] :
       {std::pair<std::uint16_t, std::size_t>{0, 0}, {100, 0}, {10496, 0}, {10496 + 5, 5}}) {
    const auto bytes = ArrangementFileWithLength(length, extra);
    EXPECT_EQ(bytes.size(), 10528u + extra);
    ArrangementData data;
    EXPECT_FALSE(ReadArrangementFile(bytes, data));
    EXPECT_EQ(data.extra, std::vector<std::uint8_t>(extra, 0xAB));
    EXPECT_EQ(WriteArrangementFile(data), bytes);
  }
}

TEST(ArrangementFile, LengthFieldPromisingMoreThanTheFileHoldsFails) {
  auto bytes = ArrangementFileWithLength(10496 + 5, 5);
  bytes.pop_back();
  ArrangementData data;
  EXPECT_EQ(test::Detail(ReadArrangementFile(bytes, data)),
            "The header promises 5 bytes after the Arrangements, the file ends before them (byte "
            "10532)");
  EXPECT_EQ(data.records, build::RandomSet(11).arrangements.records);  // read all the same
  // A length field near its largest value asks for no more than the file holds.
  auto huge = ArrangementFileWithLength(0xFFFF, 0);
  EXPECT_TRUE(ReadArrangementFile(huge, data));
}

TEST(ArrangementRecord, StyleAndTrackCallsAndTheBytesAroundThem) {
  ArrangementRecord r;
  r.bytes[40] = 0x05;
  r.bytes[41] = 0x83;
  EXPECT_EQ(r.TrackProgram(0), 773);
  r.SetTrackProgram(0, r.TrackProgram(0));
  EXPECT_EQ(r.bytes[41], 0x03);  // rewriting the call clears bit 7
  for (std::size_t i = 42; i < 48; ++i)
    r.bytes[i] = static_cast<std::uint8_t>(i);
  r.SetTrackProgram(0, 1039);
  r.SetTrackProgram(8, 768);
  for (std::size_t i = 42; i < 48; ++i)
    EXPECT_EQ(r.bytes[i], i);  // bytes 2-7 untouched
  EXPECT_EQ(std::tuple(r.bytes[104], r.bytes[105]), std::tuple(0x00, 0x03));
  r.SetStyle(-1);
  EXPECT_EQ(std::tuple(r.bytes[18], r.bytes[19], r.Style()), std::tuple(0xFF, 0xFF, -1));
  r.SetStyle(271);
  EXPECT_EQ(r.Style(), 271);
}

class ArrangementCellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    presets_.arrangements[0] = {"Preset Arr      ", 1, 70};
    presets_.arrangements[1] = {"Preset Two      ", 1, 300};
    set_.arrangements.records[0].SetName("User Arr");
    set_.arrangements.records[0].SetStyle(256);
    set_.arrangements.records[1].SetName("On Preset");
    set_.arrangements.records[1].SetStyle(127);
    set_.arrangements.records[2].SetStyle(256);  // an empty slot keeps its Style
  }
  ItemSources From() const { return {presets_, set_}; }
  PresetTables presets_;
  FileSet set_;
};

TEST_F(ArrangementCellTest, TextShowsTheStyleLabelAndUForUserStylesOfUserArrangements) {
  EXPECT_EQ(ArrangementCellText(From(), ItemNumber{256}), "C11 User Arr         (C11)U");
  EXPECT_EQ(ArrangementCellText(From(), ItemNumber{257}), "C12 On Preset        (B88)");
  EXPECT_EQ(ArrangementCellText(From(), ItemNumber{258}), "C13                 ");
  EXPECT_EQ(ArrangementCellText(From(), ItemNumber{0}), "A11 Preset Arr       (B17)");
  // A preset Arrangement never gets the "U", even when its table names no preset Style.
  EXPECT_EQ(ArrangementCellText(From(), ItemNumber{1}), "A12 Preset Two       ()");
}

// The colours follow the rule for every kind's cells (the Program grid and the Style cells
// meet the rest of it); here, which cells count as empty, user or preset.
TEST_F(ArrangementCellTest, ColourOfEmptyUserAndPresetCells) {
  EXPECT_EQ(ArrangementCellColour(From(), ItemNumber{258}, true, true), colours::kBlue);  // empty
  EXPECT_EQ(ArrangementCellColour(From(), ItemNumber{0}, false, true), CellColour::SystemGrey());
  EXPECT_EQ(ArrangementCellColour(From(), ItemNumber{0}, true, true), colours::kDarkRed);
  EXPECT_EQ(ArrangementCellColour(From(), ItemNumber{256}, true, true), colours::kRed);
  EXPECT_EQ(ArrangementCell(From(), ItemNumber{256}, true, false).background,
            CellColour::GridDefault());
}

}  // namespace
}  // namespace i40
