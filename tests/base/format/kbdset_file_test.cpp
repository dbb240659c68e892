#include <gtest/gtest.h>

#include "format/kbdset_file.h"
#include "kbdsets/kbdset_grid.h"
#include "set_builder.h"
#include "support/read_errors.h"

namespace i40 {
namespace {

TEST(KbdSets, FileIsHeaderAndFifteenRecords) {
  const KbdSetData data = build::RandomSet(2).kbdSets;
  auto bytes = WriteKbdSetFile(data);
  ASSERT_EQ(bytes.size(), 1022u);
  bytes.push_back(0x77);  // nothing after the last record is read
  KbdSetData read;
  ASSERT_FALSE(ReadKbdSetFile(bytes, read));
  EXPECT_EQ(std::tie(read.records, read.header), std::tie(data.records, data.header));
  bytes.resize(1021);
  EXPECT_EQ(test::Detail(ReadKbdSetFile(bytes, read)),
            "The file ends inside KBD Set 15 (byte 956)");
}

TEST(KbdSets, SectionProgramIsSignedAndUnmasked) {
  KbdSetRecord r;
  r.bytes[8 + 6] = 0x05;
  r.bytes[8 + 7] = 0x83;
  EXPECT_EQ(r.SectionProgram(1), static_cast<std::int16_t>(0x8305));
  EXPECT_LT(r.SectionProgram(1), 0);
  r.SetSectionProgram(2, 1039);
  EXPECT_EQ(std::tuple(r.bytes[22], r.bytes[23]), std::tuple(0x0F, 0x04));
}

TEST(KbdSets, GridTexts) {
  PresetTables presets;
  presets.programsAB[1] = {"Strings         ", 4, 0};
  FileSet set = build::TemplateSet();
  set.programs.records[0].SetName("Lead");
  set.kbdSets.records[3].SetSectionProgram(0, 768);
  set.kbdSets.records[3].SetSectionProgram(1, 1);
  set.kbdSets.records[3].SetSectionProgram(2, -200);
  const ItemSources from{presets, set};
  EXPECT_EQ(KbdSetSectionText(from, ItemIndex{3}, 0) + "|" +
                KbdSetSectionText(from, ItemIndex{3}, 1) + "|" +
                KbdSetSectionText(from, ItemIndex{3}, 2),
            "F11 Lead            |A12 Strings         | ");
}

}  // namespace
}  // namespace i40
