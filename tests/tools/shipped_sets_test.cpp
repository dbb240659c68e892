// The template and demo Sets in data/ are what the generator makes, and read and write
// back byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "format/bsq_file.h"
#include "format/component_io.h"
#include "format/item_numbers.h"
#include "format/set_paths.h"
#include "format/style_blocks.h"
#include "set_builder.h"
#include "support/read_errors.h"
#include "support/temp_dir.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;
const fs::path kData = I40_SOURCE_DATA_DIR;

void ExpectShippedSetIs(const FileSet& generated, const fs::path& setPath) {
  for (Kind kind : kStoredKinds) {
    SCOPED_TRACE(PathText(ComponentPath(setPath, kind)));
    const auto onDisk = test::ReadFile(ComponentPath(setPath, kind));
    ASSERT_FALSE(onDisk.empty());
    EXPECT_EQ(onDisk, WriteComponentBytes(kind, generated))
        << "regenerate with: cmake --build <build> --target make_sets_data";
    FileSet read;
    const ReadOutcome result = ReadComponentBytes(kind, onDisk, read);
    ASSERT_FALSE(result) << test::Detail(result);
    EXPECT_EQ(WriteComponentBytes(kind, read), onDisk);
  }
}

TEST(ShippedSets, TemplateIsWhatTheGeneratorMakes) {
  ExpectShippedSetIs(build::TemplateSet(), EmptyTemplatePath(kData));
}

TEST(ShippedSets, DemoIsWhatTheGeneratorMakes) {
  ExpectShippedSetIs(build::DemoSet(), kData / "demo" / "DEMO");
}

TEST(ShippedSets, TemplateHoldsEmptyItemsAndItsDefaults) {
  const FileSet t = build::TemplateSet();
  const auto arr = WriteComponentBytes(Kind::Arrangement, t);
  EXPECT_EQ(arr[24] | (arr[25] << 8), 10496);
  for (Kind kind : kStoredKinds) {
    const auto bytes = WriteComponentBytes(kind, t);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "KORGM");
    EXPECT_EQ(bytes[6], KindCode(kind));
  }
  for (const auto& r : t.arrangements.records) {
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Category(), 15);
  }
  for (const auto& s : t.styles.slots) {
    EXPECT_EQ(s.present, 1);
    EXPECT_EQ(s.length, 1176);
    EXPECT_TRUE(s.record.IsEmpty());
  }
  for (const auto& r : t.programs.records)
    EXPECT_TRUE(r.IsEmpty());
  for (int i = 0; i < 10; ++i)
    EXPECT_TRUE(t.backingSequences.records[static_cast<std::size_t>(i)].IsEmpty());
  EXPECT_EQ(t.backingSequences.trackStart[0][0], 5632);
  EXPECT_EQ(BsqTotalUnits(t.backingSequences), 0);
  for (const auto& k : t.kbdSets.records) {
    for (int s = 0; s < 3; ++s) {
      EXPECT_LT(ProgramUserIndex(k.SectionProgram(s)), 0);  // presets only
      EXPECT_NE(ProgramLabel(k.SectionProgram(s)), "");
    }
  }
}

TEST(ShippedSets, DemoHasWhatAMusiciansSetHas) {
  const FileSet d = build::DemoSet();
  EXPECT_LT(FreeEventsOfBlock(d.styles, 0), 100);  // one Block nearly full
  EXPECT_GT(FreeEventsOfBlock(d.styles, 0), 0);
  EXPECT_EQ(d.arrangements.records[0].Name(), d.arrangements.records[12].Name());  // duplicate
  EXPECT_EQ(d.styles.slots[0].record.Name(), d.styles.slots[12].record.Name());
  EXPECT_GT(BsqTotalUnits(d.backingSequences), 0);
  EXPECT_TRUE(d.backingSequences.records[0].ChainToNext());
  EXPECT_FALSE(d.programs.records[65].IsEmpty());
  EXPECT_EQ(d.styles.slots[15].present, 0);
}

}  // namespace
}  // namespace i40
