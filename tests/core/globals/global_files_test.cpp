#include "globals/global_files.h"

#include <gtest/gtest.h>

#include "set_builder.h"

namespace i40 {
namespace {

TEST(GlobalFiles, HeaderAndRecordEachOfTheirSize) {
  const FileSet set = build::RandomSet(8);
  const auto arg = WriteArrangementGlobalFile(set.arrangementGlobal);
  const auto gbl = WriteGlobalFile(set.global);
  ASSERT_EQ(arg.size(), 80u);
  ASSERT_EQ(gbl.size(), 448u);
  EXPECT_TRUE(std::equal(set.global.record.begin(), set.global.record.end(), gbl.begin() + 32));

  ArrangementGlobalData a;
  GlobalData g;
  EXPECT_TRUE(ReadArrangementGlobalFile(arg, a).ok);
  EXPECT_TRUE(ReadGlobalFile(gbl, g).ok);
  EXPECT_EQ(a.record, set.arrangementGlobal.record);
  EXPECT_EQ(g.header, set.global.header);

  EXPECT_EQ(ReadGlobalFile(std::span(gbl.data(), 447), g).detail,
            "The file ends inside its record (byte 32)");
  EXPECT_EQ(ReadArrangementGlobalFile(std::span(arg.data(), 20), a).detail,
            "The file ends inside its header (byte 0)");
}

}  // namespace
}  // namespace i40
