// System Exclusive packets to an ALSA port go through the sequencer API: this machine has
// no ALSA sequencer, so a recorder stands in for libasound and the calls are checked.
#include <gtest/gtest.h>

#include "alsa_sysex_out.h"

namespace i40::midi {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Calls {
  std::vector<std::string> made;
  std::vector<Bytes> events;
  std::optional<std::string> failOpen;
  int failEvent = 0;  // the event (from 1) the sequencer refuses
};

class RecordingSequencer : public AlsaSequencer {
 public:
  explicit RecordingSequencer(Calls& calls) : calls_(calls) {}
  std::optional<std::string> Open(int client, int port) override {
    calls_.made.push_back("open " + std::to_string(client) + ":" + std::to_string(port));
    return calls_.failOpen;
  }
  std::optional<std::string> SendSysEx(std::span<const std::uint8_t> bytes) override {
    calls_.events.emplace_back(bytes.begin(), bytes.end());
    if (static_cast<int>(calls_.events.size()) == calls_.failEvent)
      return "Resource temporarily unavailable";
    return std::nullopt;
  }
  void Close() override { calls_.made.push_back("close"); }

 private:
  Calls& calls_;
};

// The address is the last word of RtMidi's name, whatever the client and port names hold.
TEST(AlsaSysExOut, FindsThePortRtMidiNamesAndSendsOneEventAPacket) {
  EXPECT_EQ(AlsaAddressOf("USB MIDI Interface:USB MIDI Interface MIDI 1 24:0"), std::pair(24, 0));
  EXPECT_EQ(AlsaAddressOf("My: Odd 1:2 Name:Port 128:3"), std::pair(128, 3));
  EXPECT_EQ(AlsaAddressOf("Midi Through:Port-0"), std::nullopt);
  EXPECT_EQ(AlsaAddressOf("Bad 1:x"), std::nullopt);

  Calls calls;
  {
    AlsaSysExOut out(std::make_unique<RecordingSequencer>(calls));
    EXPECT_EQ(out.Send(Bytes{0xF0}).value().driverText, "The ALSA sequencer is not open.");
    ASSERT_FALSE(out.Open("UM-ONE:UM-ONE MIDI 1 20:0"));
    for (const Bytes& packet : {Bytes{0xF0, 0x42, 0x30}, Bytes{0x01, 0x02}, Bytes{0x03, 0xF7}})
      EXPECT_FALSE(out.Send(packet));
  }
  EXPECT_EQ(calls.made, (std::vector<std::string>{"open 20:0", "close"}));
  EXPECT_EQ(calls.events, (std::vector<Bytes>{{0xF0, 0x42, 0x30}, {0x01, 0x02}, {0x03, 0xF7}}));
}

// What the sequencer says when it fails goes into the MIDI Output error.
TEST(AlsaSysExOut, TheSequencersWordsBecomeTheError) {
  Calls calls;
  calls.failOpen = "No such file or directory";
  AlsaSysExOut refused(std::make_unique<RecordingSequencer>(calls));
  EXPECT_EQ(refused.Open("X:Y 20:0").value().driverText,
            "The ALSA sequencer did not open: No such file or directory");
  EXPECT_EQ(refused.Open("X:Y").value().driverText, "The ALSA port X:Y has no address.");

  Calls busy;
  busy.failEvent = 2;
  AlsaSysExOut out(std::make_unique<RecordingSequencer>(busy));
  ASSERT_FALSE(out.Open("X:Y 20:0"));
  EXPECT_FALSE(out.Send(Bytes{0xF0}));
  const auto error = out.Send(Bytes{0x01});
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(std::pair(error->output, error->driverText),
            std::pair(true, std::string("Resource temporarily unavailable")));
  EXPECT_EQ(AlsaSysExOut(nullptr).Open("X:Y 20:0").value().driverText,
            "This program was built without the ALSA sequencer.");
}

}  // namespace
}  // namespace i40::midi
