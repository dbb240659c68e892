#include <gtest/gtest.h>

#include <tuple>

#include "format/component_io.h"
#include "format/global_files.h"
#include "host/scripted_prompter.h"
#include "session/load_component.h"
#include "set_builder.h"
#include "support/read_errors.h"

namespace i40 {
namespace {

// Every kind, from a Set with random bytes in every carried field: what is written reads
// back into the same data and writes again byte for byte.
TEST(ComponentRoundTrip, RandomSetsWriteReadWriteIdentically) {
  for (std::uint32_t seed = 1; seed <= 25; ++seed) {
    const FileSet original = build::RandomSet(seed);
    for (Kind kind : kStoredKinds) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " " + std::string(KindName(kind)));
      const auto bytes = WriteComponentBytes(kind, original);
      FileSet read;
      const ReadOutcome result = ReadComponentBytes(kind, bytes, read);
      ASSERT_FALSE(result) << test::Detail(result);
      EXPECT_EQ(WriteComponentBytes(kind, read), bytes);
    }
  }
}

// Every stored kind cut short at a few places: the kind's message and no crash (each
// kind's own file test shows that what came before the cut is kept).
TEST(ComponentRoundTrip, TruncatedFilesReportTheirKind) {
  const FileSet original = build::RandomSet(3);
  for (Kind kind : kStoredKinds) {
    const auto bytes = WriteComponentBytes(kind, original);
    for (std::size_t cut : {std::size_t{8}, bytes.size() / 2, bytes.size() - 1}) {
      SCOPED_TRACE(std::string(KindName(kind)) + " cut at " + std::to_string(cut));
      ComponentFile file{kind, "/sets/X" + std::string(KindExt(kind)),
                         std::vector<std::uint8_t>(
                             bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut))};
      FileSet read;
      ScriptedPrompter prompter;
      EXPECT_FALSE(LoadComponent(file, read, prompter));
      ASSERT_EQ(prompter.messages().size(), 1u);
      const Message& m = prompter.messages()[0];
      EXPECT_EQ(std::tie(m.title, m.icon), std::tuple("Error", MessageIcon::Critical));
      const std::string prefix = "Error getting " + std::string(KindName(kind)) + " data.\n";
      EXPECT_EQ(m.text.rfind(prefix, 0), 0u);
      EXPECT_GT(m.text.size(), prefix.size());  // it says what went wrong
    }
  }
}

TEST(GlobalFiles, HeaderAndRecordEachOfTheirSize) {
  const FileSet set = build::RandomSet(8);
  const auto arg = WriteArrangementGlobalFile(set.arrangementGlobal);
  const auto gbl = WriteGlobalFile(set.global);
  ASSERT_EQ(arg.size(), 80u);
  ASSERT_EQ(gbl.size(), 448u);
  EXPECT_TRUE(std::equal(set.global.record.begin(), set.global.record.end(), gbl.begin() + 32));

  // Files cut short; whole ones read back in the round trip above.
  ArrangementGlobalData a;
  GlobalData g;
  EXPECT_EQ(test::Detail(ReadGlobalFile(std::span(gbl.data(), 447), g)),
            "The file ends inside its record (byte 32)");
  EXPECT_EQ(test::Detail(ReadArrangementGlobalFile(std::span(arg.data(), 20), a)),
            "The file ends inside its header (byte 0)");
}

}  // namespace
}  // namespace i40
