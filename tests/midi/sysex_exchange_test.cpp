// The exchanges with the instrument, against a simulated one.
#include <gtest/gtest.h>

#include "host/scripted_prompter.h"
#include "rtmidi_port.h"
#include "set_builder.h"
#include "simulated_instrument.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "sysex/midi_setup.h"
#include "sysex/seven_bit.h"

namespace i40 {
namespace {

using midi::SimulatedInstrument;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;
const Bytes kIdentityRequest = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
    ws_.log.SetPath(dir_ / "I40SETED.LOG");
  }

  bool Search() {
    ws_.midi.instrumentFound = false;
    if (!OpenMidiDevices(ws_, instrument_, prompter_)) return false;
    const bool found = SearchInstrument(ws_, prompter_, instrument_);
    CloseMidiDevices(instrument_);
    return found;
  }

  std::string Log() { return test::ReadTextFile(dir_ / "I40SETED.LOG"); }

  test::TempDir dir_;
  Workspace ws_;
  ScriptedPrompter prompter_;
  SimulatedInstrument instrument_;
  SetSlot slot_ = kNoSet;
};

TEST_F(ExchangeTest, FoundOnChannelTwoWithModel4DOr39) {
  instrument_.config().channel = 2;
  ASSERT_TRUE(Search());
  EXPECT_EQ(std::pair(ws_.midi.instrumentFound, ws_.midi.instrumentChannel), std::pair(true, 2));
  EXPECT_EQ(ws_.sysExHeader, (std::array<std::uint8_t, 6>{0xF0, 0x42, 0x32, 0x4D, 0x23, 0xF7}));
  EXPECT_EQ(instrument_.sysExReceived(), std::vector<Bytes>{kIdentityRequest});
  // The test note: middle C at velocity 80 on the instrument's channel, a second each.
  EXPECT_EQ(instrument_.shortReceived(),
            std::vector<Bytes>({{0x92, 0x3C, 0x50}, {0x82, 0x3C, 0x40}}));
  EXPECT_DOUBLE_EQ(instrument_.pausedSeconds(), 2.0);
  EXPECT_TRUE(prompter_.messages().empty());
  instrument_.config().family = 0x39;
  ASSERT_TRUE(Search());
  EXPECT_EQ(ws_.sysExHeader[3], 0x39);
}

TEST_F(ExchangeTest, OtherInstrumentsAreNamedAndLogged) {
  instrument_.config().manufacturer = 0x41;
  EXPECT_FALSE(Search());
  EXPECT_EQ(prompter_.texts(), Texts{"No Korg instrument found"});
  EXPECT_EQ(prompter_.messages()[0].icon, MessageIcon::Critical);
  EXPECT_NE(Log().find("(InqRep= F0 7E 00 06 02 41 4D "), std::string::npos);
  EXPECT_TRUE(Log().starts_with("Korg-i40 Set Editor v."));

  prompter_.Clear();
  instrument_.config().manufacturer = 0x42;
  instrument_.config().family = 0x50;
  EXPECT_FALSE(Search());
  EXPECT_EQ(prompter_.texts(), Texts{"Korg-i not found"});
  EXPECT_EQ(std::pair(ws_.midi.instrumentFound, ws_.sysExHeader),
            std::pair(false, kDefaultSysExHeader));
}

TEST_F(ExchangeTest, SilenceIsATimeOut) {
  instrument_.config().answersIdentity = false;
  EXPECT_FALSE(Search());
  EXPECT_EQ(prompter_.texts(), Texts{"Receive Time-Out error"});
  EXPECT_NE(Log().find("(InqRep= 00 00 00 "), std::string::npos);
}

TEST_F(ExchangeTest, EveryKindArrivesAsTheSetHoldsItAndIsAcknowledged) {
  ASSERT_TRUE(Search());
  const FileSet& set = ws_.sets.Files(slot_);
  Texts texts;
  for (Kind kind : {Kind::Arrangement, Kind::Style, Kind::Program, Kind::BackingSequence,
                    Kind::KbdSet, Kind::ArrangementGlobal, Kind::Global}) {
    SCOPED_TRACE(std::string(KindName(kind)));
    prompter_.Clear();
    prompter_.QueueAnswer(Answer::Ok);
    ASSERT_TRUE(DumpMidi(ws_, prompter_, &instrument_, slot_, kind, 1, false));
    EXPECT_EQ(instrument_.LastDumpBody(), DumpBody(set, kind, 1));
    EXPECT_EQ(instrument_.sysExReceived().back()[4], KindSysExFunction(kind));
    EXPECT_FALSE(instrument_.isOpen());
    ASSERT_EQ(prompter_.messages().size(), 1u);  // the confirmation only
    EXPECT_EQ(prompter_.messages()[0].buttons, MessageButtons::OkCancel);
    texts.push_back(prompter_.messages()[0].text);
  }
  // What goes, and from four seconds on how long it takes at the port's pace, rounded up
  // (12,002 bytes of Arrangements take 4.22 s at the default 2,841 bytes a second).
  const std::string time = " to the Korg-i?\n\nTransmission time = ";
  EXPECT_EQ(texts, (Texts{"Send Arrangements" + time + "5 s", "Send Style Block 2" + time + "18 s",
                          "Send Programs" + time + "6 s", "Send Backing Sequences" + time + "10 s",
                          "Send KBD Sets to the Korg-i?", "Send Arrangement Global to the Korg-i?",
                          "Send Global to the Korg-i?"}));
  EXPECT_EQ(prompter_.outcomes().back(), "Global sent to the iS40 and acknowledged");
}

// What else the cable carries before an answer (clock, a note, a cut-off SysEx, another
// maker's, an overlong Korg one) is logged and passed over: the search and the
// acknowledgement still succeed.
TEST_F(ExchangeTest, OtherMessagesBeforeTheAnswersArePassedOver) {
  Bytes overlong = {0xF0, 0x42, 0x30, 0x4D, 0x23};
  overlong.resize(60, 0x01);
  overlong.push_back(0xF7);
  Bytes& noise = instrument_.config().noiseBeforeAnswers;
  noise = {0xF8, 0x90, 0x3C, 0x40, 0xFE, 0xF0, 0x42, 0x30,
           0x4D, 0x23, 0xF0, 0x41, 0x10, 0x42, 0x12, 0xF7};
  noise.insert(noise.end(), overlong.begin(), overlong.end());
  ASSERT_TRUE(Search());
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_TRUE(DumpMidi(ws_, prompter_, &instrument_, slot_, Kind::Global, 0, false));
  EXPECT_EQ(prompter_.texts(), Texts{"Send Global to the Korg-i?"});
  EXPECT_NE(Log().find("Ignored while waiting: 90 3C 40 \n"), std::string::npos) << Log();
  EXPECT_NE(Log().find("Ignored while waiting: F0 41 10 42 12 F7 \n"), std::string::npos);
  EXPECT_NE(Log().find("... (61 bytes)"), std::string::npos);
}

TEST_F(ExchangeTest, CancelAtTheConfirmationSendsNothing) {
  prompter_.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(DumpMidi(ws_, prompter_, &instrument_, slot_, Kind::Global, 0, false));
  EXPECT_TRUE(instrument_.sysExReceived().empty());
  EXPECT_FALSE(instrument_.isOpen());
}

TEST_F(ExchangeTest, NotAcknowledgedIsLoggedAndEndedWithALoneF7) {
  ASSERT_TRUE(Search());
  instrument_.config().dumpAnswer = SimulatedInstrument::DumpAnswer::NotAcknowledge;
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_FALSE(DumpMidi(ws_, prompter_, &instrument_, slot_, Kind::KbdSet, 0, false));
  EXPECT_EQ(prompter_.texts().back(), "No ACK from Korg-i");
  EXPECT_EQ(instrument_.shortReceived().back(), Bytes{0xF7});
  const std::string log = Log();
  EXPECT_NE(log.find("(InqRep= F0 7E 00 06 02 42 4D "), std::string::npos);
  EXPECT_NE(log.find("DumpMidi => devRep= F0 42 30 4D 24 F7 "), std::string::npos);
}

TEST_F(ExchangeTest, NoReplyAfterADump) {
  instrument_.config().dumpAnswer = SimulatedInstrument::DumpAnswer::Silence;
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_FALSE(DumpMidi(ws_, prompter_, &instrument_, slot_, Kind::Global, 0, false));
  EXPECT_EQ(prompter_.texts(), (Texts{"Send Global to the Korg-i?", "Receive Time-Out error",
                                      "No reply from Korg-i"}));
  EXPECT_TRUE(prompter_.outcomes().empty());
  EXPECT_FALSE(instrument_.isOpen());
}

TEST_F(ExchangeTest, DevicesThatDoNotOpenAreReportedAndClosed) {
  instrument_.config().failOpen = true;
  EXPECT_FALSE(DumpMidi(ws_, prompter_, &instrument_, slot_, Kind::Global, 0, false));
  EXPECT_EQ(prompter_.texts(), Texts{"MIDI Output error: \nThe device is not available."});
  EXPECT_FALSE(instrument_.isOpen());
}

TEST_F(ExchangeTest, SetupPreselectsTheLastInstrumentAndForgetsTheSearchOnCancel) {
  EXPECT_EQ(PreselectedDevice({"USB i40 A", "Synth", "usb IS50 B", kDryRunPortName}), 2);
  EXPECT_EQ(PreselectedDevice({"Synth", kDryRunPortName}), 0);
  ws_.midi.instrumentFound = true;
  prompter_.QueueMidiDevices(std::nullopt);
  EXPECT_FALSE(ShowMidiSetup(ws_, prompter_, instrument_));
  EXPECT_FALSE(ws_.midi.instrumentFound);
  ASSERT_EQ(prompter_.midiSetups().size(), 1u);
  EXPECT_EQ(prompter_.midiSetups()[0].outputs, instrument_.config().outputs);

  // No device at all: said, and no dialog.
  instrument_.config().outputs.clear();
  EXPECT_FALSE(ShowMidiSetup(ws_, prompter_, instrument_));
  EXPECT_EQ(prompter_.texts(), Texts{"No MIDI driver is present"});
  EXPECT_EQ(prompter_.midiSetups().size(), 1u);
}

// With no backend, the dry run is all there is: it answers as an iS40 on channel 1, takes
// a dump as long as the wire would, acknowledges it and tells the log what it received.
TEST_F(ExchangeTest, TheDryRunAnswersAsAnIS40) {
  midi::RtMidiPort port(std::vector<int>{});
  std::vector<std::string> log;
  port.SetLog([&log](const std::string& line) { log.push_back(line); });
  EXPECT_EQ(port.OutputNames(), Texts{kDryRunPortName});
  prompter_.QueueMidiDevices(MidiDevices{0, 0});
  ASSERT_TRUE(ShowMidiSetup(ws_, prompter_, port));
  EXPECT_EQ(prompter_.texts(), Texts{"No MIDI driver is present"});
  EXPECT_EQ(ws_.sysExHeader, (std::array<std::uint8_t, 6>{0xF0, 0x42, 0x30, 0x4D, 0x23, 0xF7}));
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_TRUE(SendToInstrument(ws_, prompter_, &port, slot_, Kind::ArrangementGlobal, 0));
  const auto dump =
      *DumpMessage(ws_.sysExHeader, ws_.sets.Files(slot_), Kind::ArrangementGlobal, 0);
  EXPECT_EQ(log,
            (Texts{"Dry run received 6 bytes: F0 7E 7F 06 01 F7 ",
                   "Dry run received 61 bytes: " + HexBytes(std::span(dump).first(8)) + "..."}));

  // A dump in packets with a progress window: Cancel there stops it between packets,
  // closes it with F7, and is written to the log only.
  port.SetPace(MidiPace{100000, 256, 0});
  log.clear();
  prompter_.Clear();
  prompter_.QueueAnswer(Answer::Ok);
  prompter_.CancelProgressAt(2);
  EXPECT_FALSE(SendToInstrument(ws_, prompter_, &port, slot_, Kind::Arrangement, 0));
  EXPECT_EQ(prompter_.texts(), Texts{"Send Arrangements to the Korg-i?"});
  const auto& steps = prompter_.progress();
  ASSERT_GE(steps.size(), 2u);
  EXPECT_EQ(steps[0].caption, "Sending Arrangements to the Korg-i...");
  const std::size_t size =
      DumpMessage(ws_.sysExHeader, ws_.sets.Files(slot_), Kind::Arrangement, 0)->size();
  EXPECT_EQ(steps[0].label, "0 of " + std::to_string(size) + " bytes, about 1 s left");
  EXPECT_TRUE(steps[1].label.ends_with(" of " + std::to_string(size) + " bytes, about 1 s left"));
  ASSERT_EQ(log.size(), 1u);  // the part that went, closed by its F7
  EXPECT_EQ(log[0].rfind("Dry run received ", 0), 0u);
  EXPECT_NE(Log().find("Cancelled after "), std::string::npos);
  EXPECT_NE(Log().find(" of " + std::to_string(size) + " bytes\n"), std::string::npos);
}

}  // namespace
}  // namespace i40
