// The template and demo Sets in data/ are byte for byte what the generator makes, which
// the Set tests read and write back unchanged.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "format/bsq_file.h"
#include "format/component_io.h"
#include "format/set_paths.h"
#include "format/style_blocks.h"
#include "set_builder.h"
#include "support/temp_dir.h"

namespace i40 {
namespace {

namespace fs = std::filesystem;
const fs::path kData = I40_SOURCE_DATA_DIR;

void ExpectShippedSetIs(const FileSet& generated, const fs::path& setPath) {
  for (Kind kind : kStoredKinds) {
    SCOPED_TRACE(PathText(ComponentPath(setPath, kind)));
    EXPECT_EQ(test::ReadFile(ComponentPath(setPath, kind)), WriteComponentBytes(kind, generated))
        << "regenerate with: cmake --build <build> --target make_sets_data";
  }
}

TEST(ShippedSets, TemplateAndDemoAreWhatTheGeneratorMakes) {
  ExpectShippedSetIs(build::TemplateSet(), EmptyTemplatePath(kData));
  ExpectShippedSetIs(build::DemoSet(), kData / "demo" / "DEMO");
}

// The demo has what the tests on it rely on.
TEST(ShippedSets, DemoHasWhatAMusiciansSetHas) {
  const FileSet d = build::DemoSet();
  EXPECT_LT(FreeEventsOfBlock(d.styles, 0), 100);  // one Block nearly full
  EXPECT_GT(FreeEventsOfBlock(d.styles, 0), 0);
  // A first look without duplicate-name warnings; the Set with duplicates has them.
  const auto distinct = [](const FileSet& set) {
    std::set<std::string> a, s, p;
    bool all = true;
    for (const auto& r : set.arrangements.records)
      all &= r.IsEmpty() || a.insert(r.Name()).second;
    for (const auto& slot : set.styles.slots)
      all &= slot.present == 0 || s.insert(slot.record.Name()).second;
    for (int i = 0; i < kUserProgramCount; ++i)
      all &= set.programs.records[i].IsEmpty() || p.insert(set.programs.records[i].Name()).second;
    return all;
  };
  EXPECT_TRUE(distinct(d));
  EXPECT_FALSE(distinct(build::DemoSetWithDuplicates()));
  EXPECT_GT(BsqTotalUnits(d.backingSequences), 0);
  EXPECT_TRUE(d.backingSequences.records[0].ChainToNext());
  EXPECT_FALSE(d.programs.records[65].IsEmpty());
  EXPECT_EQ(d.styles.slots[15].present, 0);
}

}  // namespace
}  // namespace i40
