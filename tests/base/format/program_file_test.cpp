#include "format/program_file.h"

#include <gtest/gtest.h>

#include "set_builder.h"
#include "support/read_errors.h"

namespace i40 {
namespace {

TEST(ProgramFile, RecordsAndKitsAtTheirPlacesAndZerosBetween) {
  const ProgramData data = build::RandomSet(9).programs;
  const auto bytes = WriteProgramFile(data);
  // The header, then the 64 Programs, zeros, the two Drum Kits, zeros and their data.
  std::vector<std::uint8_t> expected(bytes.begin(), bytes.begin() + 48);
  const auto append = [&expected](const auto& part) {
    expected.insert(expected.end(), part.begin(), part.end());
  };
  for (std::size_t i = 0; i < 64; ++i)
    append(data.records[i].bytes);
  expected.resize(22064);
  append(data.records[64].bytes);
  append(data.records[65].bytes);
  expected.resize(23440);
  append(data.drumKitData[0]);
  append(data.drumKitData[1]);
  EXPECT_EQ(bytes, expected);

  // Whatever a file holds in the unread regions is not kept.
  auto dirty = bytes;
  dirty[12000] = 0x55;
  dirty[23000] = 0x66;
  ProgramData read;
  ASSERT_FALSE(ReadProgramFile(dirty, read));
  EXPECT_EQ(WriteProgramFile(read), bytes);
}

TEST(ProgramFile, ShortFileStopsAtTheFirstMissingRecord) {
  const auto bytes = WriteProgramFile(build::RandomSet(9).programs);
  ProgramData read;
  ReadOutcome r = ReadProgramFile(std::span(bytes.data(), 23000), read);
  EXPECT_EQ(test::Detail(r), "The file ends inside the data of Drum Kit 1 (byte 23440)");
  r = ReadProgramFile(std::span(bytes.data(), 48 + 172 * 10), read);
  EXPECT_EQ(test::Detail(r), "The file ends inside Program 11 (byte 1768)");
  r = ReadProgramFile(std::span(bytes.data(), 22100), read);
  EXPECT_EQ(test::Detail(r), "The file ends inside Drum Kit 1 (byte 22064)");
}

TEST(OneProgramFiles, ProgramAndDrumKitFromByteFive) {
  std::vector<std::uint8_t> bytes(5 + 172 + 880);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(i * 7);
  DrumKit kit;
  ASSERT_FALSE(ReadIdkFile(bytes, kit));
  EXPECT_TRUE(std::equal(kit.record.bytes.begin(), kit.record.bytes.end(), bytes.begin() + 5));
  EXPECT_TRUE(std::equal(kit.data.begin(), kit.data.end(), bytes.begin() + 177, bytes.end()));

  ProgramRecord program;
  ASSERT_FALSE(ReadIpfFile(std::span(bytes.data(), 177), program));
  EXPECT_EQ(program, kit.record);
  EXPECT_EQ(test::Detail(ReadIpfFile(std::span(bytes.data(), 176), program)),
            "The file is shorter than one Program (byte 176)");
  EXPECT_EQ(test::Detail(ReadIdkFile(std::span(bytes.data(), 1056), kit)),
            "The file is shorter than one Drum Kit (byte 1056)");
}

}  // namespace
}  // namespace i40
