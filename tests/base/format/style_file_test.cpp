#include "format/style_file.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "format/style_blocks.h"
#include "set_builder.h"
#include "styles/style_cell.h"
#include "support/read_errors.h"

namespace i40 {
namespace {

StyleData AllEmptyStyles() {
  return build::TemplateSet().styles;
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
  EXPECT_EQ(std::tuple(read.slots[1].record.IsEmpty(), read.slots[1].length), std::tuple(true, 0));
}

TEST(StyleFile, MalformedTablesStopTheReading) {
  // A written file with some bytes changed, cut to a size if one is given.
  using Changes = std::vector<std::pair<std::size_t, std::uint8_t>>;
  const auto changed = [](const StyleData& styles, const Changes& changes, std::size_t size = 0) {
    auto bytes = WriteStyleFile(styles);
    for (auto [at, value] : changes)
      bytes[at] = value;
    bytes.resize(size ? size : bytes.size());
    return bytes;
  };
  Changes noneThere;  // every table entry says its slot is absent
  for (std::size_t s = 0; s < 16; ++s)
    noneThere.push_back({22 + 4 * s + 1, 0});
  const StyleData empty = AllEmptyStyles();
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string detail;
  } cases[] = {
      {changed(build::RandomSet(4).styles, {{42, 7}}),
       "Style table entry 6 holds slot 8 (byte 42)"},
      {changed(empty, {{32, 69}, {33, 0}}), "Style 3 is shorter than its record (byte 32)"},
      {changed(empty, {{84, 0xFF}, {85, 0xFF}}), "The file ends inside Style 16 (byte 17864)"},
      {changed(empty, {}, 50), "The file ends inside Style 1 (byte 224)"},
      {changed(empty, noneThere, 50), "The file ends inside the Style table (byte 50)"},
  };
  for (const auto& c : cases) {
    StyleData data;
    EXPECT_EQ(test::Detail(ReadStyleFile(c.bytes, data)), c.detail);
  }
  StyleData data;  // what came before the end is kept
  EXPECT_TRUE(ReadStyleFile(cases[2].bytes, data));
  EXPECT_EQ(data.slots[14].length, 1176);
}

TEST(IsfFile, LengthIsTheFileLessFiveBytes) {
  std::vector<std::uint8_t> bytes(1251, 0x11);
  const char head[] = "KORGM";
  std::copy(head, head + 5, bytes.begin());
  StyleSlot style;
  style.index = 9;
  ASSERT_FALSE(ReadIsfFile(bytes, style));
  // The slot keeps its own place, 9.
  EXPECT_EQ(std::tuple(style.length, EventsOfLength(style.length), style.present, style.index,
                       style.data, style.record.bytes[0]),
            std::tuple(1246, 17, 1, 9, std::vector<std::uint8_t>(1251 - 75, 0x11), 0x11));

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
  EXPECT_EQ(std::tuple(r.bytes[45 + 4 * 2 + 1], r.bytes[45 + 4 * 2 + 2]), std::tuple(0x03, 0xEE));
}

TEST(StyleCell, TextsColoursAndTheFreeEventsOfTheBlock) {
  PresetTables presets;
  presets.styles[64] = {"Preset Sty      ", 2, 0};
  FileSet set = build::TemplateSet();
  set.styles.slots[0].record.SetName("Mine");
  set.styles.slots[0].length = 1176 + 4 * 250;
  set.styles.slots[2].present = 0;
  set.styles.slots[2].length = 0;
  const ItemSources from{presets, set};

  // The grid's magenta behind every slot that holds a Style; the text colours follow the
  // rule for every kind's cells.
  const CellColour magenta = CellColour::Of(255, 224, 255);
  EXPECT_EQ(StyleCell(from, ItemNumber{256}, true, true),
            (CellLook{"C11 Mine             :250", colours::kRed, magenta}));
  EXPECT_EQ(StyleCell(from, ItemNumber{257}, false, false),
            (CellLook{"C12                  :0", colours::kBlue, magenta}));
  EXPECT_EQ(StyleCell(from, ItemNumber{64}, false, false),
            (CellLook{"B11 Preset Sty      ", CellColour::SystemGrey(), magenta}));
  const CellLook absent = StyleCell(from, ItemNumber{258}, false, false);
  EXPECT_EQ(std::tie(absent.text, absent.background), std::tuple("", CellColour::SystemGrey()));
  EXPECT_EQ(FreeEventsText(set.styles, 0), "14950");  // the Block's count under the grid
}

}  // namespace
}  // namespace i40
