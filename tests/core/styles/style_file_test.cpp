#include "format/style_file.h"

#include <gtest/gtest.h>

#include "format/style_blocks.h"
#include "set_builder.h"
#include "styles/style_cell.h"
#include "support/read_errors.h"

namespace i40 {
namespace {

StyleData AllEmptyStyles() {
  return build::TemplateSet().styles;
}

TEST(StyleFile, SixteenEmptyStylesReadAsZeroEventsAndFullBlocks) {
  const auto bytes = WriteStyleFile(AllEmptyStyles());
  StyleData data;
  ASSERT_FALSE(ReadStyleFile(bytes, data));
  for (int s = 0; s < 16; ++s) {
    EXPECT_EQ(data.slots[static_cast<std::size_t>(s)].length, 1176);
    EXPECT_EQ(StyleEvents(data, s), 0);
    EXPECT_EQ(BlockFree(data, s), 15200);
  }
  for (int b = 0; b < 4; ++b)
    EXPECT_EQ(FreeEventsText(data, b), "15200");
  EXPECT_EQ(StyleEvents(data, -1), -1);
  EXPECT_EQ(BlockFree(data, -1), -1);
}

TEST(StyleFile, BlockFreeCountsItsFourSlotsOnly) {
  StyleData data = AllEmptyStyles();
  const int events[4] = {5000, 6000, 4000, 200};  // 15200 in all
  for (int s = 0; s < 4; ++s) {
    data.slots[static_cast<std::size_t>(s)].length = 1176 + 4 * events[s];
  }
  data.slots[4].length = 1176 + 4 * 100 + 3;  // a partial event does not count
  EXPECT_EQ(BlockFree(data, 0), 0);
  EXPECT_EQ(BlockFree(data, 3), 0);
  EXPECT_EQ(BlockFree(data, 4), 15100);
  EXPECT_EQ(BlockFree(data, 8), 15200);
  // An absent slot holds no events at all.
  data.slots[12].present = 0;
  data.slots[12].length = 0;
  EXPECT_EQ(StyleEvents(data, 12), 0);
  EXPECT_EQ(BlockFree(data, 12), 15200);
  EXPECT_EQ(BlockOfSlot(3), 0);
  EXPECT_EQ(BlockOfSlot(4), 1);
  EXPECT_EQ(BlockOfSlot(15), 3);
}

TEST(StyleFile, ZeroBytesWhereNothingIsStored) {
  StyleData data = build::RandomSet(21).styles;
  data.slots[0].present = 1;
  data.slots[0].length = 1176;  // an erased Style: no data, 1106 bytes of gap
  data.slots[0].data.clear();
  const auto bytes = WriteStyleFile(data);
  EXPECT_EQ(bytes[21], 16);
  for (std::size_t i = 86; i < 224; ++i)
    EXPECT_EQ(bytes[i], 0) << i;
  std::size_t p = 224;
  for (const StyleSlot& slot : data.slots) {
    if (!slot.present) continue;
    EXPECT_EQ(bytes[p + 69], 0);
    for (std::size_t i = p + 70 + slot.data.size(); i < p + static_cast<std::size_t>(slot.length);
         ++i) {
      ASSERT_EQ(bytes[i], 0) << i;
    }
    p += static_cast<std::size_t>(slot.length);
  }
  EXPECT_EQ(bytes.size(), p);
  StyleData read;
  ASSERT_FALSE(ReadStyleFile(bytes, read));
  EXPECT_EQ(read.slots[0].data, std::vector<std::uint8_t>(1106, 0));
  EXPECT_EQ(WriteStyleFile(read), bytes);
}

TEST(StyleFile, AbsentSlotsTakeNoRoomAndReadAsEmpty) {
  StyleData data = AllEmptyStyles();
  data.slots[1].present = 0;
  data.slots[1].length = 0;
  data.slots[1].data.clear();
  data.slots[1].record.SetName("Ghost");
  const auto bytes = WriteStyleFile(data);
  EXPECT_EQ(bytes.size(), 224u + 15u * 1176u);
  StyleData read;
  read.slots[1].record.SetName("Before");
  ASSERT_FALSE(ReadStyleFile(bytes, read));
  EXPECT_TRUE(read.slots[1].record.IsEmpty());
  EXPECT_EQ(read.slots[1].length, 0);
}

TEST(StyleFile, MalformedTablesStopTheReading) {
  const auto good = WriteStyleFile(build::RandomSet(4).styles);
  StyleData data;

  auto wrongIndex = good;
  wrongIndex[22 + 4 * 5] = 7;
  ReadOutcome r = ReadStyleFile(wrongIndex, data);
  EXPECT_TRUE(r);
  EXPECT_EQ(test::Detail(r), "Style table entry 6 holds slot 8 (byte 42)");

  auto shortEntry = AllEmptyStyles();
  auto bytes = WriteStyleFile(shortEntry);
  bytes[22 + 4 * 2 + 2] = 69;  // L < 70
  bytes[22 + 4 * 2 + 3] = 0;
  r = ReadStyleFile(bytes, data);
  EXPECT_TRUE(r);
  EXPECT_EQ(test::Detail(r), "Style 3 is shorter than its record (byte 32)");

  auto pastEnd = WriteStyleFile(shortEntry);
  pastEnd[22 + 4 * 15 + 2] = 0xFF;  // the last entry runs past the end of the file
  pastEnd[22 + 4 * 15 + 3] = 0xFF;
  r = ReadStyleFile(pastEnd, data);
  EXPECT_TRUE(r);
  EXPECT_EQ(test::Detail(r),
            "The file ends inside Style 16 (byte " + std::to_string(224 + 15 * 1176) + ")");
  EXPECT_EQ(data.slots[14].length, 1176);  // what came before is kept

  const auto empty = WriteStyleFile(shortEntry);
  r = ReadStyleFile(std::span(empty.data(), 50), data);
  EXPECT_TRUE(r);
  EXPECT_EQ(test::Detail(r), "The file ends inside Style 1 (byte 224)");

  auto absent = WriteStyleFile(shortEntry);
  for (int s = 0; s < 16; ++s)
    absent[22 + 4 * static_cast<std::size_t>(s) + 1] = 0;
  r = ReadStyleFile(std::span(absent.data(), 50), data);
  EXPECT_TRUE(r);
  EXPECT_EQ(test::Detail(r), "The file ends inside the Style table (byte 50)");
}

TEST(IsfFile, LengthIsTheFileLessFiveBytes) {
  std::vector<std::uint8_t> bytes(1251, 0x11);
  const char head[] = "KORGM";
  std::copy(head, head + 5, bytes.begin());
  StyleSlot style;
  style.index = 9;
  ASSERT_FALSE(ReadIsfFile(bytes, style));
  EXPECT_EQ(style.length, 1246);
  EXPECT_EQ(EventsOfLength(style.length), 17);
  EXPECT_EQ(style.present, 1);
  EXPECT_EQ(style.index, 9);  // the slot keeps its own place
  EXPECT_EQ(style.data.size(), 1251u - 75u);
  EXPECT_EQ(style.record.bytes[0], 0x11);

  bytes.resize(74);
  EXPECT_EQ(test::Detail(ReadIsfFile(bytes, style)),
            "The file is shorter than one Style (byte 74)");
  bytes.resize(75);  // exactly a record and the unread byte: no data
  ASSERT_FALSE(ReadIsfFile(bytes, style));
  EXPECT_TRUE(style.data.empty());
  bytes.resize(5 + 65536);  // longer than a table entry can say
  EXPECT_EQ(test::Detail(ReadIsfFile(bytes, style)),
            "The Style is longer than a Style file can hold (byte 65541)");
}

TEST(StyleRecord, TrackCallWithBitSevenSetReadsWithoutItAndIsWrittenCleared) {
  StyleRecord r;
  r.bytes[45 + 4 * 2] = 0x05;
  r.bytes[45 + 4 * 2 + 1] = 0x83;
  r.bytes[45 + 4 * 2 + 2] = 0xEE;
  EXPECT_EQ(r.TrackProgram(2), 773);
  r.SetTrackProgram(2, 773);
  EXPECT_EQ(r.bytes[45 + 4 * 2 + 1], 0x03);
  EXPECT_EQ(r.bytes[45 + 4 * 2 + 2], 0xEE);
}

TEST(StyleCell, TextsAndColours) {
  PresetTables presets;
  presets.styles[64] = {"Preset Sty      ", 2, 0};
  FileSet set = build::TemplateSet();
  set.styles.slots[0].record.SetName("Mine");
  set.styles.slots[0].length = 1176 + 4 * 250;
  set.styles.slots[2].present = 0;
  set.styles.slots[2].length = 0;
  const ItemSources from{presets, set};

  CellLook mine = StyleCell(from, 256, true, true);
  EXPECT_EQ(mine.text, "C11 Mine            :250");
  EXPECT_EQ(mine.textColour, colours::kRed);
  EXPECT_EQ(mine.background, CellColour::Of(255, 224, 255));

  CellLook empty = StyleCell(from, 257, false, false);
  EXPECT_EQ(empty.text, "C12                 :0");
  EXPECT_EQ(empty.textColour, colours::kBlue);

  CellLook absent = StyleCell(from, 258, false, false);
  EXPECT_EQ(absent.text, "");
  EXPECT_EQ(absent.background, CellColour::SystemGrey());

  CellLook preset = StyleCell(from, 64, false, false);
  EXPECT_EQ(preset.text, "B11 Preset Sty      ");
  EXPECT_EQ(preset.textColour, CellColour::SystemGrey());
  EXPECT_EQ(StyleCell(from, 64, true, false).textColour, colours::kTeal);
  EXPECT_EQ(StyleCell(from, 64, true, true).textColour, colours::kDarkRed);
  EXPECT_EQ(StyleCell(from, 256, false, true).textColour, colours::kBlack);
  EXPECT_EQ(StyleCell(from, 256, true, false).textColour, colours::kBlue);
}

}  // namespace
}  // namespace i40
