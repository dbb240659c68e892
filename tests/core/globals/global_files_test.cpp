#include "format/global_files.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "support/read_errors.h"

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
  EXPECT_FALSE(ReadArrangementGlobalFile(arg, a));
  EXPECT_FALSE(ReadGlobalFile(gbl, g));
  EXPECT_EQ(a.record, set.arrangementGlobal.record);
  EXPECT_EQ(g.header, set.global.header);

  EXPECT_EQ(test::Detail(ReadGlobalFile(std::span(gbl.data(), 447), g)),
            "The file ends inside its record (byte 32)");
  EXPECT_EQ(test::Detail(ReadArrangementGlobalFile(std::span(arg.data(), 20), a)),
            "The file ends inside its header (byte 0)");
}

}  // namespace
}  // namespace i40
