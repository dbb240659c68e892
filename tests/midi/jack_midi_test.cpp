// The editor's MIDI port against an instrument stand-in behind real MIDI ports: a JACK
// server on its dummy backend with its default MIDI buffer (started by the test fixture),
// the tests' own stand-in (its own byte handling, on libjack itself), the editor's RtMidi
// port opening it by name. The pace is the port's: these tests run faster than MIDI,
// except one at the real pace in the optimised build.
#include <RtMidi.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "cli/cli.h"
#include "format/style_blocks.h"
#include "host/scripted_prompter.h"
#include "jack_standin.h"
#include "rtmidi_port.h"
#include "set_builder.h"
#include "support/temp_dir.h"
#include "support/workspace_fixture.h"
#include "sysex/dump.h"
#include "sysex/midi_exchange.h"
#include "sysex/midi_setup.h"
#include "sysex/whole_set.h"

extern char** environ;

namespace i40 {
namespace {

// A server that goes away mid-exchange must not end the test program either.
[[maybe_unused]] const bool kNoSigPipe = (std::signal(SIGPIPE, SIG_IGN), true);

constexpr const char* kStandIn = "i40test-iS40";
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

class JackMidiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    slot_ = test::AddSet(ws_, build::DemoSet(), "DEMO");
    ws_.log.SetPath(dir_ / "I40SETED.LOG");
    // Faster than MIDI, but slow enough that a JACK cycle held up on a busy machine never
    // finds more queued than an event buffer takes (which JACK would drop).
    port_.SetPace(MidiPace{20000, 256, 0});
  }

  void StartStandIn(test::JackStandIn::Config config) {
    config.channel = 2;
    standIn_.reset();  // a new one takes the same name
    standIn_ = std::make_unique<test::JackStandIn>(kStandIn, std::move(config));
    // Its ports are there before the editor lists them.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  // The MIDI setup with its preselection taken as it comes.
  bool RunSetup() {
    prompter_.QueueMidiDevices(
        MidiDevices{PreselectedDevice(port_.OutputNames()), PreselectedDevice(port_.InputNames())});
    return ShowMidiSetup(ws_, prompter_, port_);
  }

  bool Send(Kind kind, int block = 0) {
    prompter_.QueueAnswer(Answer::Ok);  // the confirmation
    return SendToInstrument(ws_, prompter_, &port_, slot_, kind, block);
  }

  Bytes Expected(Kind kind, int block = 0) {
    return *DumpMessage(ws_.sysExHeader, ws_.sets.Files(slot_), kind, block);
  }

  test::TempDir dir_;
  Workspace ws_;
  ScriptedPrompter prompter_;
  std::unique_ptr<test::JackStandIn> standIn_;
  midi::RtMidiPort port_{std::vector<int>{RtMidi::UNIX_JACK}};
  SetSlot slot_ = kNoSet;
};

TEST_F(JackMidiTest, TheSetupFindsTheStandInByItsPortNames) {
  StartStandIn({});
  const auto outputs = port_.OutputNames();
  ASSERT_GE(outputs.size(), 2u);
  EXPECT_EQ(outputs.back(), kDryRunPortName);
  EXPECT_EQ(outputs[static_cast<std::size_t>(PreselectedDevice(outputs))],
            std::string("Jack: ") + kStandIn + ":in");
  ASSERT_TRUE(RunSetup());
  EXPECT_EQ(ws_.sysExHeader, (std::array<std::uint8_t, 6>{0xF0, 0x42, 0x32, 0x4D, 0x23, 0xF7}));
  // The identity request, then the test note on and off.
  EXPECT_EQ(
      standIn_->Received(),
      (std::vector<Bytes>{{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, {0x92, 60, 80}, {0x82, 60, 64}}));
  EXPECT_TRUE(prompter_.messages().empty());
}

// Every dump of the demo Set, the four Style Blocks among them, arrives byte for byte as
// its .SYX file holds it, in packets no JACK event refuses, and is acknowledged; junk
// before every answer changes nothing.
TEST_F(JackMidiTest, EveryDumpOfTheDemoArrivesByteForByte) {
  test::JackStandIn::Config config;
  config.junk = test::JackStandIn::Junk();
  StartStandIn(config);
  ASSERT_TRUE(RunSetup());
  const std::pair<Kind, int> dumps[] = {{Kind::Global, 0},  {Kind::ArrangementGlobal, 0},
                                        {Kind::Program, 0}, {Kind::Style, 0},
                                        {Kind::Style, 1},   {Kind::Style, 2},
                                        {Kind::Style, 3},   {Kind::Arrangement, 0},
                                        {Kind::KbdSet, 0},  {Kind::BackingSequence, 0}};
  for (const auto& [kind, block] : dumps) {
    SCOPED_TRACE(DumpName(kind, block));
    ASSERT_TRUE(Send(kind, block));
    EXPECT_EQ(standIn_->Received().back(), Expected(kind, block));
    EXPECT_EQ(prompter_.outcomes().back(),
              DumpName(kind, block) + " sent to the iS40 and acknowledged");
  }
  // Nothing was said but the confirmation before each dump.
  for (const Message& m : prompter_.messages())
    EXPECT_EQ(m.buttons, MessageButtons::OkCancel) << m.text;
  EXPECT_NE(
      test::ReadTextFile(dir_ / "I40SETED.LOG").find("Ignored while waiting: F0 41 10 42 12 40 "),
      std::string::npos);
}

// The whole Set in one go: one question, every dump in the order the instrument takes
// them, each as its .SYX file holds it and acknowledged before the next leaves. A dump
// not acknowledged stops it there, saying what went before; nothing after it is sent.
TEST_F(JackMidiTest, TheWholeSetInOneGo) {
  StartStandIn({});
  ASSERT_TRUE(RunSetup());
  std::vector<Bytes> expected;
  for (const auto& [kind, block] :
       std::initializer_list<std::pair<Kind, int>>{{Kind::Global, 0},
                                                   {Kind::ArrangementGlobal, 0},
                                                   {Kind::Program, 0},
                                                   {Kind::Style, 0},
                                                   {Kind::Style, 1},
                                                   {Kind::Style, 2},
                                                   {Kind::Style, 3},
                                                   {Kind::Arrangement, 0},
                                                   {Kind::KbdSet, 0},
                                                   {Kind::BackingSequence, 0}}) {
    expected.push_back(Expected(kind, block));
  }
  const auto sentSince = [this](std::size_t first) {
    const auto all = standIn_->Received();
    return std::vector<Bytes>(all.begin() + static_cast<long>(first), all.end());
  };
  std::size_t before = standIn_->Received().size();
  prompter_.QueueAnswer(Answer::Ok);
  ASSERT_TRUE(SendWholeSet(ws_, prompter_, &port_, slot_));
  EXPECT_EQ(sentSince(before), expected);
  ASSERT_EQ(prompter_.texts().size(), 1u);
  EXPECT_TRUE(prompter_.texts()[0].starts_with(
      "Send the whole Set DEMO to the Korg-i?\n\nTransmission time = "));
  EXPECT_EQ(prompter_.outcomes(), Texts{"DEMO sent to the iS40: 10 dumps acknowledged"});

  test::JackStandIn::Config refusing;
  refusing.notAcknowledged = 4;
  StartStandIn(refusing);
  prompter_.Clear();
  prompter_.QueueAnswer(Answer::Ok);
  before = standIn_->Received().size();
  EXPECT_FALSE(SendWholeSet(ws_, prompter_, &port_, slot_));
  EXPECT_EQ(prompter_.texts().back(),
            "Sending stopped at Style Block 1: No ACK from Korg-i\n"
            "Acknowledged before it: Global, Arrangement Global, Programs");
  std::vector<Bytes> fourThenF7(expected.begin(), expected.begin() + 4);
  fourThenF7.push_back({0xF7});
  EXPECT_EQ(sentSince(before), fourThenF7);
  EXPECT_TRUE(prompter_.outcomes().empty());
}

// A Set with a dump the instrument cannot take is named in one message, and nothing
// of it is sent.
TEST_F(JackMidiTest, ASetTheInstrumentCannotTakeIsNotSentInPart) {
  StartStandIn({});
  ASSERT_TRUE(RunSetup());
  StyleSlot& style = ws_.sets.Files(slot_).styles.slots[4];  // C15, in Block 2
  style.present = 1;
  style.length = kEmptyStyleLength + 4 * 16000;
  style.data.assign(static_cast<std::size_t>(style.length - 70), 0x11);
  const int over = -FreeEventsOfBlock(ws_.sets.Files(slot_).styles, 1);
  const std::size_t before = standIn_->Received().size();
  prompter_.QueueAnswer(Answer::Ok);
  EXPECT_FALSE(SendWholeSet(ws_, prompter_, &port_, slot_));
  EXPECT_EQ(prompter_.texts(),
            Texts{"The Set DEMO cannot be sent:\nStyle Block 2 is " + std::to_string(over) +
                  " events over its capacity; the instrument cannot take it."});
  EXPECT_EQ(standIn_->Received().size(), before);
  EXPECT_EQ(prompter_.pendingAnswers(), 1u);  // not asked
}

// At the real pace: never faster than MIDI's 3,125 bytes a second, and within a few per
// cent of the pace set (the default, 2,841). Only in the optimised build: 75 KB take 26 s.
TEST_F(JackMidiTest, RealPace_StyleBlockZeroAtTheDefaultPace) {
  StartStandIn({});
  ASSERT_TRUE(RunSetup());
  port_.SetPace(MidiPace{});
  const Bytes expected = Expected(Kind::Style, 0);
  const auto start = Clock::now();
  ASSERT_TRUE(Send(Kind::Style, 0));
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(standIn_->Received().back(), expected);
  const double wire = static_cast<double>(expected.size()) / kMidiBytesPerSecond;
  const double paced = static_cast<double>(expected.size()) / kDefaultMidiPace;
  std::printf("Style Block 1, %zu bytes: %.2f s, %.3f of the wire time, %.3f of the pace's\n",
              expected.size(), seconds, seconds / wire, seconds / paced);
  EXPECT_GE(seconds, wire);
  EXPECT_LE(seconds, paced * 1.05 + 1.5);  // with the acknowledgement's own wait
}

// A stand-in that vanishes in the middle of a dump: no answer comes, and `i40set send`
// says so and ends with 1.
TEST_F(JackMidiTest, AStandInThatVanishesMidDumpIsNoReply) {
  StartStandIn({});
  build::WriteSet(build::DemoSet(), dir_ / "SET");
  std::thread watcher([this] {
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (standIn_->BytesReceived() < 3000 && Clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    standIn_->Vanish();
  });
  std::ostringstream out, err;
  const int code = cli::Run({"send", (dir_ / "SET").string(), "--kind", "program", "--out",
                             kStandIn, "--in", kStandIn, "--data", I40_SOURCE_DATA_DIR},
                            out, err);
  watcher.join();
  EXPECT_EQ(code, 1) << err.str();
  EXPECT_EQ(out.str(), "Receive Time-Out error\nNo reply from Korg-i\n") << err.str();
}

// A JACK server of the test's own, stopped in the middle of an exchange: `i40set send`,
// its own process, ends with 1 and a message, not by a signal.
TEST_F(JackMidiTest, AServerThatStopsMidExchangeIsAnErrorNotASignal) {
  const std::string server = "i40test-stop-" + std::to_string(::getpid());
  const std::string script = std::string(I40_JACK_SCRIPT) + " ";
  const std::string folder = (dir_ / "jack").string();
  ASSERT_EQ(std::system((script + "start " + server + " " + folder).c_str()), 0);
  test::JackStandIn::Config config;
  config.server = server;
  test::JackStandIn standIn(kStandIn, config);
  build::WriteSet(build::DemoSet(), dir_ / "SET");

  const std::string out = (dir_ / "out.txt").string();
  std::vector<std::string> env = {"JACK_DEFAULT_SERVER=" + server, "JACK_NO_START_SERVER=1"};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string(*e).rfind("JACK_", 0) != 0) env.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : env)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  const std::string command = std::string(I40SET_PATH) + " send " + (dir_ / "SET").string() +
                              " --kind program --out " + kStandIn + " --in " + kStandIn + " >" +
                              out + " 2>&1";
  std::string shell = "/bin/sh", dashC = "-c", line = command;
  char* argv[] = {shell.data(), dashC.data(), line.data(), nullptr};
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv, envp.data()), 0);
  const auto end = Clock::now() + std::chrono::seconds(20);
  while (standIn.BytesReceived() < 3000 && Clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_GE(standIn.BytesReceived(), 3000u);
  ASSERT_EQ(std::system((script + "stop " + server + " " + folder).c_str()), 0);
  standIn.Abandon();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  std::ifstream said(out);
  const std::string text((std::istreambuf_iterator<char>(said)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(WIFEXITED(status)) << text;  // not ended by a signal (SIGPIPE: 141)
  EXPECT_EQ(WEXITSTATUS(status), 1) << text;
  EXPECT_NE(text.find("MIDI Output error:  The JACK server has stopped."), std::string::npos)
      << text;
}

}  // namespace
}  // namespace i40
