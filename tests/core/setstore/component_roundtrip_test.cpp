#include <gtest/gtest.h>

#include "format/component_io.h"
#include "session/load_component.h"
#include "set_builder.h"
#include "support/read_errors.h"
#include "support/temp_dir.h"
#include "ui/scripted_prompter.h"

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

TEST(ComponentRoundTrip, ReadDataEqualsWhatWasWritten) {
  const FileSet original = build::RandomSet(7);
  FileSet read;
  for (Kind kind : kStoredKinds) {
    ASSERT_FALSE(ReadComponentBytes(kind, WriteComponentBytes(kind, original), read));
  }
  EXPECT_EQ(read.arrangements.header, original.arrangements.header);
  EXPECT_EQ(read.arrangements.records, original.arrangements.records);
  EXPECT_EQ(read.arrangements.extra, original.arrangements.extra);
  for (std::size_t s = 0; s < original.styles.slots.size(); ++s) {
    const StyleSlot& a = original.styles.slots[s];
    const StyleSlot& b = read.styles.slots[s];
    EXPECT_EQ(a.present, b.present) << s;
    EXPECT_EQ(a.length, b.length) << s;
    EXPECT_EQ(a.data, b.data) << s;
    if (a.present) {
      EXPECT_EQ(a.record, b.record) << s;
    } else {
      EXPECT_TRUE(b.record.IsEmpty()) << s;
    }
  }
  EXPECT_EQ(read.programs.records, original.programs.records);
  EXPECT_EQ(read.programs.drumKitData, original.programs.drumKitData);
  EXPECT_EQ(read.backingSequences.records, original.backingSequences.records);
  EXPECT_EQ(read.backingSequences.trackStart, original.backingSequences.trackStart);
  EXPECT_EQ(read.backingSequences.trackLength, original.backingSequences.trackLength);
  EXPECT_EQ(read.backingSequences.size, original.backingSequences.size);
  EXPECT_EQ(read.backingSequences.data, original.backingSequences.data);
  EXPECT_EQ(read.kbdSets.records, original.kbdSets.records);
  EXPECT_EQ(read.arrangementGlobal.record, original.arrangementGlobal.record);
  EXPECT_EQ(read.global.record, original.global.record);
}

TEST(ComponentRoundTrip, FixedSizesOfTheFixedKinds) {
  const FileSet set = build::TemplateSet();
  EXPECT_EQ(WriteComponentBytes(Kind::Arrangement, set).size(), 10528u);
  EXPECT_EQ(WriteComponentBytes(Kind::Program, set).size(), 25200u);
  EXPECT_EQ(WriteComponentBytes(Kind::KbdSet, set).size(), 1022u);
  EXPECT_EQ(WriteComponentBytes(Kind::ArrangementGlobal, set).size(), 80u);
  EXPECT_EQ(WriteComponentBytes(Kind::Global, set).size(), 448u);
  EXPECT_EQ(WriteComponentBytes(Kind::BackingSequence, set).size(), 2448u);
  EXPECT_EQ(WriteComponentBytes(Kind::Style, set).size(), 224u + 16u * 1176u);
}

// Every stored kind cut short at a few places: the kind's message, no crash, and what
// came before the cut is kept.
TEST(ComponentRoundTrip, TruncatedFilesReportTheirKindAndKeepWhatWasRead) {
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
      EXPECT_EQ(m.title, "Error");
      EXPECT_EQ(m.icon, MessageIcon::Critical);
      const std::string prefix = "Error getting " + std::string(KindName(kind)) + " data.\n";
      EXPECT_EQ(m.text.substr(0, prefix.size()), prefix);
      EXPECT_GT(m.text.size(), prefix.size());  // it says what went wrong
    }
  }
  // The first records of a cut Arrangement file are there.
  const auto arr = WriteComponentBytes(Kind::Arrangement, original);
  FileSet read;
  ReadComponentBytes(Kind::Arrangement, std::span(arr.data(), 32 + 164 * 3 + 10), read);
  EXPECT_EQ(read.arrangements.records[2], original.arrangements.records[2]);
  EXPECT_TRUE(read.arrangements.records[3].IsEmpty());
}

TEST(ComponentRoundTrip, BackingSequencePathIsTheFileItCameFrom) {
  const FileSet original = build::TemplateSet();
  ComponentFile file{Kind::BackingSequence, "/sets/ONE/ONE.bsq",
                     WriteComponentBytes(Kind::BackingSequence, original)};
  FileSet read;
  ScriptedPrompter prompter;
  EXPECT_TRUE(LoadComponent(file, read, prompter));
  EXPECT_EQ(read.backingSequences.path, std::filesystem::path("/sets/ONE/ONE.bsq"));
  EXPECT_TRUE(prompter.messages().empty());
}

}  // namespace
}  // namespace i40
