// The editor's MIDI port against an instrument behind real MIDI ports: a JACK server on
// its dummy backend (started by the test fixture), the simulated instrument on virtual
// ports, the editor's RtMidi port opening them by name.
#include <RtMidi.h>
#include <gtest/gtest.h>

#include <thread>

#include "cli/cli.h"
#include "format/component_io.h"
#include "jack_instrument.h"
#include "rtmidi_port.h"
#include "set_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "sysex/midi_setup.h"
#include "ui/scripted_prompter.h"

namespace i40 {
namespace {

constexpr const char* kInstrument = "i40test-iS40";
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

class JackMidiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    slot_ = test::AddSet(ws_, build::TemplateSet(), "TEST");
    instrument_.config().channel = 2;
    // The instrument's ports are there before the editor lists them.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  // The MIDI setup with its preselection taken as it comes.
  bool RunSetup() {
    prompter_.QueueMidiDevices(
        MidiDevices{PreselectedDevice(port_.OutputNames()), PreselectedDevice(port_.InputNames())});
    return ShowMidiSetup(ws_, prompter_, port_);
  }

  test::TempDir dir_;
  Workspace ws_;
  ScriptedPrompter prompter_;
  test::JackInstrument instrument_{kInstrument};
  midi::RtMidiPort port_{std::vector<int>{RtMidi::UNIX_JACK}};
  int slot_ = 0;
};

TEST_F(JackMidiTest, TheSetupFindsTheInstrumentByItsPortNames) {
  const auto outputs = port_.OutputNames();
  ASSERT_GE(outputs.size(), 2u);
  EXPECT_EQ(outputs.back(), kDryRunPortName);
  EXPECT_EQ(outputs[static_cast<std::size_t>(PreselectedDevice(outputs))],
            std::string("Jack: ") + kInstrument + ":in");
  ASSERT_TRUE(RunSetup());
  EXPECT_EQ(ws_.sysExHeader, (std::array<std::uint8_t, 6>{0xF0, 0x42, 0x32, 0x4D, 0x23, 0xF7}));
  // The identity request, then the test note on and off.
  EXPECT_EQ(
      instrument_.Received(),
      (std::vector<Bytes>{{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, {0x92, 60, 80}, {0x82, 60, 64}}));
  EXPECT_TRUE(prompter_.messages().empty());
}

// Every kind's dump arrives as the .SYX file of that kind holds it and is acknowledged;
// one too large for JACK is refused, never sent as if it had gone.
TEST_F(JackMidiTest, EveryKindArrivesWholeAndIsAcknowledged) {
  ASSERT_TRUE(RunSetup());
  for (const Kind kind : kStoredKinds) {
    prompter_.QueueAnswer(Answer::Ok);  // the confirmation
    ASSERT_TRUE(SendToInstrument(ws_, prompter_, &port_, slot_, kind, 0)) << KindName(kind);
    const auto expected = *DumpMessage(ws_.sysExHeader, ws_.sets.Files(slot_), kind, 0);
    EXPECT_EQ(instrument_.Received().back(), expected) << KindName(kind);
  }
  // Nothing was said but the confirmation before each dump.
  for (const Message& m : prompter_.messages())
    EXPECT_EQ(m.buttons, MessageButtons::OkCancel) << m.text;

  // A Style block of 15000 events is far more than JACK carries in one message.
  StyleSlot& style = ws_.sets.Files(slot_).styles.slots[0];
  style.length = kEmptyStyleLength + 4 * 15000;
  style.data.assign(static_cast<std::size_t>(style.length - 70), 0x11);
  prompter_.Clear();
  prompter_.QueueAnswer(Answer::Ok);
  const auto before = instrument_.Received().size();
  EXPECT_FALSE(SendToInstrument(ws_, prompter_, &port_, slot_, Kind::Style, 0));
  const auto size = DumpMessage(ws_.sysExHeader, ws_.sets.Files(slot_), Kind::Style, 0)->size();
  EXPECT_EQ(prompter_.texts().back(),
            "MIDI Output error: \nThe message is " + std::to_string(size) +
                " bytes long; JACK MIDI carries at most " +
                std::to_string(midi::RtMidiPort::JackMessageLimit()) + " bytes in one message.");
  EXPECT_EQ(instrument_.Received().size(), before);
}

// A dump nobody answers: the port's wait for the reply ends at the time-out.
TEST_F(JackMidiTest, NoReplyAfterADumpIsATimeOut) {
  ASSERT_TRUE(RunSetup());
  instrument_.config().dumpAnswer = midi::SimulatedInstrument::DumpAnswer::Silence;
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_FALSE(SendToInstrument(ws_, prompter_, &port_, slot_, Kind::Global, 0));
  EXPECT_EQ(prompter_.texts(), (Texts{"Send Global to the Korg-i?", "Receive Time-Out error",
                                      "No reply from Korg-i"}));
}

// The command line through the same ports, found by a part of their names.
TEST_F(JackMidiTest, SendFromTheCommandLine) {
  build::WriteSet(build::TemplateSet(), dir_ / "SET");
  std::ostringstream out, err;
  const int code = cli::Run({"send", (dir_ / "SET").string(), "--kind", "kbdset", "--out",
                             kInstrument, "--in", kInstrument, "--data", I40_SOURCE_DATA_DIR},
                            out, err);
  EXPECT_EQ(code, 0) << out.str() << err.str();
  const auto expected =
      *DumpMessage({0xF0, 0x42, 0x32, 0x4D, 0x23, 0xF7}, build::TemplateSet(), Kind::KbdSet, 0);
  EXPECT_EQ(instrument_.Received().back(), expected);
}

}  // namespace
}  // namespace i40
