#include "sysex/dump.h"

#include <gtest/gtest.h>

#include <tuple>

#include "format/bsq_file.h"
#include "format/component_io.h"
#include "set_builder.h"
#include "support/editor.h"
#include "support/shown.h"
#include "support/temp_dir.h"
#include "sysex/seven_bit.h"

namespace i40 {
namespace {

const std::array<std::uint8_t, 6> kHeader = kDefaultSysExHeader;

TEST(DumpMessage, ArrangementGlobalIsSixtyOneBytes) {
  FileSet set = build::TemplateSet();
  const auto message = DumpMessage(kHeader, set, Kind::ArrangementGlobal, 0);
  ASSERT_TRUE(message);
  // The header with the kind's function, the record in 55 seven-bit bytes, the end.
  std::vector<std::uint8_t> expected = {0xF0, 0x42, 0x30, 0x4D, 0x68};
  PackSevenBit(set.arrangementGlobal.record, expected);
  expected.push_back(0xF7);
  EXPECT_EQ(*message, expected);
}

TEST(DumpMessage, BodiesAreTheRecordsAsInTheirFiles) {
  const FileSet set = build::RandomSet(12);
  const auto arr = WriteComponentBytes(Kind::Arrangement, set);
  EXPECT_EQ(DumpBody(set, Kind::Arrangement, 0),
            std::vector<std::uint8_t>(arr.begin() + 32, arr.begin() + 32 + 10496));
  const auto bsq = WriteComponentBytes(Kind::BackingSequence, set);
  EXPECT_EQ(DumpBody(set, Kind::BackingSequence, 0),
            std::vector<std::uint8_t>(bsq.begin() + 16, bsq.end()));
  const auto kbs = WriteComponentBytes(Kind::KbdSet, set);
  EXPECT_EQ(DumpBody(set, Kind::KbdSet, 0), std::vector<std::uint8_t>(kbs.begin() + 32, kbs.end()));
  const auto program = DumpBody(set, Kind::Program, 0);
  ASSERT_EQ(program.size(), 13112u);
  EXPECT_EQ(std::tuple(program[64 * 172 + 172 + 5], program[66 * 172 + 880 + 7]),
            std::tuple(set.programs.records[65].bytes[5], set.programs.drumKitData[1][7]));
  EXPECT_EQ(DumpBody(set, Kind::Global, 0).size(), 416u);
}

TEST(DumpMessage, BackingSequenceSizeBytes) {
  FileSet set = build::TemplateSet();
  set.backingSequences.trackLength[1][0] = 300;
  set.backingSequences.size[1] = 300;
  set.backingSequences.data[1].assign(300 * 16, 0x7A);
  RebuildTrackStarts(set.backingSequences);
  const auto message = DumpMessage(kHeader, set, Kind::BackingSequence, 0);
  ASSERT_TRUE(message);
  EXPECT_EQ(std::tuple((*message)[4], (*message)[5], (*message)[6]),
            std::tuple(0x66, 0x2C, 0x02));  // the function, then 300 in seven-bit bytes
}

TEST(DumpMessage, StyleBlockTableAndSizes) {
  FileSet set = build::TemplateSet();
  for (int s = 4; s < 8; ++s) {
    auto& slot = set.styles.slots[static_cast<std::size_t>(s)];
    slot.present = 0;
    slot.length = 0;
    slot.data.clear();
  }
  auto& first = set.styles.slots[4];
  first.present = 1;
  first.length = 500;
  first.data.assign(430, 0x55);
  const auto body = DumpBody(set, Kind::Style, 1);
  const std::vector<std::uint8_t> table = {0x00, 0x00, 0x00, 0x00, 0xF4, 0x01, 0xF4, 0x01,
                                           0x00, 0x00, 0x00, 0x00, 0xF4, 0x01, 0x00, 0x00,
                                           0x00, 0x00, 0xF4, 0x01, 0x00, 0x00, 0x00, 0x00,
                                           0,    0,    0,    0,    0,    0,    0,    0};
  EXPECT_EQ(std::vector<std::uint8_t>(body.begin(), body.begin() + 32), table);
  EXPECT_EQ(body.size(), 32u + 69u + 430u);
  const auto message = DumpMessage(kHeader, set, Kind::Style, 1);
  EXPECT_EQ(std::tuple((*message)[4], (*message)[5]), std::tuple(0x65, 0x01));

  // An erased Style, without the bytes of its gap, sends as many as its length counts.
  set.styles.slots[0].data.clear();
  EXPECT_EQ(DumpBody(set, Kind::Style, 0).size(), 32u + 4u * (1176u - 1u));
}

class SysExFileTest : public test::WorkspaceTest {
 protected:
  void SetUp() override {
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
    ws_.sets.Entry(slot_).Dir = dir_.path();
  }
  test::TempDir dir_;
};

TEST_F(SysExFileTest, SavesTheMessageAsItWouldBeSent) {
  prompter_.QueueFile(dir_ / "GBL.SYX");
  ASSERT_TRUE(DumpMidi(ws_, prompter_, nullptr, slot_, Kind::Global, 0, true));
  const FileRequest& request = prompter_.fileRequests()[0];
  EXPECT_EQ(std::tie(request.title, request.defaultExt, request.initialName, request.initialDir),
            std::tuple("Save Global to SysEx File...", ".SYX", "*.SYX", dir_.path()));
  EXPECT_EQ(test::Types(request), std::vector<std::string>{"SysEx (*.SYX)|*.SYX"});
  EXPECT_EQ(test::ReadFile(dir_ / "GBL.SYX"),
            *DumpMessage(ws_.sysExHeader, ws_.sets.Files(slot_), Kind::Global, 0));
  EXPECT_EQ(prompter_.outcomes(),
            std::vector<std::string>{"Global saved as SysEx file " + (dir_ / "GBL.SYX").string()});

  prompter_.QueueFile(dir_ / "GBL.SYX");
  prompter_.QueueAnswer(Answer::No);
  EXPECT_FALSE(DumpMidi(ws_, prompter_, nullptr, slot_, Kind::Style, 2, true));
  EXPECT_EQ(prompter_.fileRequests()[1].title, "Save current Style Block to SysEx File...");
  EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Overwrite existing file?"});
  EXPECT_EQ(prompter_.outcomes().size(), 1u);  // a file not written is no outcome
}

// The size of the Backing Sequences travels in two 7-bit bytes: 16,383 units at most. A
// full memory is refused for what it is, not as larger than the memory.
TEST(DumpRefusal, BackingSequencesADumpCannotCarry) {
  FileSet set = build::TemplateSet();
  const auto refusal = [&set](int units) {
    set.backingSequences.size.fill(0);
    set.backingSequences.size[0] = static_cast<std::int16_t>(units);
    return DumpRefusal(set, Kind::BackingSequence).value_or("");
  };
  EXPECT_EQ(refusal(16383), "");
  EXPECT_EQ(refusal(16384),
            "The Backing Sequences fill all 16,384 units of the instrument's memory; a dump can "
            "carry at most 16,383.");
  EXPECT_EQ(refusal(16385), "The Backing Sequences are larger than the instrument's memory.");
  EXPECT_FALSE(DumpRefusal(set, Kind::Program).has_value());
}

// The question before a send names what goes, and tells the time of a transfer longer
// than three seconds, rounded up.
TEST(SendConfirmation, NamesTheDumpAndTheTimeRoundedUp) {
  const std::tuple<Kind, int, double, std::string> cases[] = {
      {Kind::Program, 0, 3.0, "Send Programs to the Korg-i?"},
      {Kind::Style, 3, 3.01, "Send Style Block 4 to the Korg-i?\n\nTransmission time = 4 s"},
      {Kind::BackingSequence, 0, 24.0,
       "Send Backing Sequences to the Korg-i?\n\nTransmission time = 24 s"},
      {Kind::ArrangementGlobal, 0, 0.02, "Send Arrangement Global to the Korg-i?"},
  };
  for (const auto& [kind, block, seconds, text] : cases) {
    const Message m = SendConfirmation(DumpName(kind, block), seconds);
    EXPECT_EQ(
        std::tie(m.text, m.title, m.icon, m.buttons, m.defaultButton),
        std::tuple(text, std::string(), MessageIcon::None, MessageButtons::OkCancel, Answer::Ok));
  }
  EXPECT_EQ(ModelName(0x4D) + ModelName(0x39), "iS40iS50");
}

TEST_F(SysExFileTest, SongsAndUnwritableFilesAreReported) {
  EXPECT_FALSE(DumpMidi(ws_, prompter_, nullptr, slot_, Kind::Song, 0, true));
  EXPECT_EQ(prompter_.texts(), std::vector<std::string>{"Temp file error"});
  EXPECT_TRUE(prompter_.fileRequests().empty());

  prompter_.Clear();
  prompter_.QueueFile(dir_ / "gone" / "X.SYX");
  EXPECT_FALSE(DumpMidi(ws_, prompter_, nullptr, slot_, Kind::KbdSet, 0, true));
  EXPECT_EQ(test::ShownOf(prompter_.messages()),
            std::vector{test::ErrorBox("Error saving SysEx data to file " +
                                       (dir_ / "gone" / "X.SYX").string())});
}

std::vector<std::uint8_t> Packed(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> message;
  PackSevenBit(data, message);
  return message;
}

TEST(SevenBit, TopBitsGoFirstInEachGroup) {
  EXPECT_EQ(Packed({0x81, 0x02, 0xFF}), (std::vector<std::uint8_t>{0x05, 0x01, 0x02, 0x7F}));
  EXPECT_EQ(Packed({}), std::vector<std::uint8_t>{});
  EXPECT_EQ(Packed(std::vector<std::uint8_t>(7, 0x80)),
            (std::vector<std::uint8_t>{0x7F, 0, 0, 0, 0, 0, 0, 0}));
  // Appends after what the message holds.
  std::vector<std::uint8_t> message = {0xF0, 0x42};
  PackSevenBit(std::vector<std::uint8_t>{0x90}, message);
  EXPECT_EQ(message, (std::vector<std::uint8_t>{0xF0, 0x42, 0x01, 0x10}));
}

TEST(SevenBit, PackThenUnpackGivesTheBytesBackAndOnlyDataBytes) {
  build::Rng rng(77);
  for (int round = 0; round < 200; ++round) {
    const auto data = rng.Bytes(static_cast<std::size_t>(rng.Below(300)));
    const auto packed = Packed(data);
    for (const auto b : packed)
      ASSERT_LT(b, 0x80);
    EXPECT_EQ(packed.size(), data.size() / 7 * 8 + (data.size() % 7 ? data.size() % 7 + 1 : 0));
    EXPECT_EQ(UnpackSevenBit(packed), data);
  }
}

// A reply shorter than the header is no acknowledgement (whole ones are compared in the
// exchanges with the instrument).
TEST(SevenBit, AShortReplyIsNoAcknowledgement) {
  EXPECT_FALSE(ReplyMatchesHeader(std::vector<std::uint8_t>{0xF0, 0x42}, kHeader));
}

}  // namespace
}  // namespace i40
