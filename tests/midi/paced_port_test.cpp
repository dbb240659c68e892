// The port's way with a dump, against fake devices that behave as the backends do: JACK
// carries at most so many bytes an event, ALSA and CoreMIDI report a failed send only as
// a warning, Windows MM's send returns when the message is on the wire.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "paced_port.h"
#include "sysex/paced_send.h"

namespace i40::midi {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

// A dump of `size` bytes: F0, data, F7.
Bytes Dump(std::size_t size) {
  Bytes message(size, 0x11);
  message.front() = 0xF0;
  message.back() = 0xF7;
  return message;
}

// Packets as they reached a device.
struct Recorder {
  std::mutex mutex;
  std::vector<Bytes> packets;
  std::thread::id thread;

  std::optional<MidiError> Take(std::span<const std::uint8_t> packet) {
    const std::lock_guard lock(mutex);
    packets.emplace_back(packet.begin(), packet.end());
    thread = std::this_thread::get_id();
    return std::nullopt;
  }
  Bytes All() {
    const std::lock_guard lock(mutex);
    Bytes all;
    for (const Bytes& p : packets)
      all.insert(all.end(), p.begin(), p.end());
    return all;
  }
};

PacketRules Fast(std::size_t packet) {
  return {MidiPace{1e6, packet, 0}, false, 0};
}

// Every byte leaves, in order, in packets no larger than the pace asks or the device takes
// (the first with F0, the last with F7), and not from the thread that waits.
TEST(PacedSend, EveryByteLeavesInPacketsTheDeviceTakes) {
  const Bytes message = Dump(1000);
  for (const auto& [asked, limit, expected] :
       std::initializer_list<std::tuple<std::size_t, std::size_t, std::size_t>>{
           {256, 0, 256}, {2016, 300, 300}, {4, 0, MidiPace::kMinPacket}}) {
    Recorder device;
    PacketRules rules = Fast(asked);
    rules.maxPacket = limit;
    int updates = 0;
    const SendOutcome outcome = SendInPackets(
        message, rules, [&](auto p) { return device.Take(p); },
        [&](std::size_t, std::size_t) { return ++updates > 0; });
    EXPECT_FALSE(outcome.error || outcome.cancelled);
    EXPECT_EQ(outcome.sent, message.size());
    EXPECT_EQ(device.All(), message);
    for (const Bytes& packet : device.packets)
      EXPECT_LE(packet.size(), expected);
    EXPECT_EQ(device.packets.front().front(), 0xF0);
    EXPECT_EQ(device.packets.back().back(), 0xF7);
    EXPECT_NE(device.thread, std::this_thread::get_id());
    EXPECT_GE(updates, 1);
  }
  // The pace's own figures: bytes at its rate, and a pause between packets.
  EXPECT_DOUBLE_EQ(PacedSeconds(MidiPace{1000, 100, 50}, 450), 0.45 + 4 * 0.05);
}

// A warning from the backend stops the send there: nothing after it goes out, and the
// send reports the backend's words.
TEST(PacedSend, AWarningStopsTheSend) {
  Recorder device;
  int calls = 0;
  const SendOutcome outcome = SendInPackets(
      Dump(1000), Fast(100),
      [&](std::span<const std::uint8_t> p) -> std::optional<MidiError> {
        if (++calls == 3)
          return MidiError{true, "MidiOutAlsa::sendMessage: error sending MIDI message to port."};
        return device.Take(p);
      },
      {});
  ASSERT_TRUE(outcome.error.has_value());
  EXPECT_EQ(outcome.error->driverText,
            "MidiOutAlsa::sendMessage: error sending MIDI message to port.");
  EXPECT_EQ(std::tuple(outcome.sent, calls, device.packets.size()), std::tuple(200u, 3, 2u));
}

// Cancel between packets: the packet under way finishes, nothing more of the dump goes,
// and a lone F7 closes it.
TEST(PacedSend, CancelClosesTheDumpWithF7) {
  Recorder device;
  const SendOutcome outcome = SendInPackets(
      Dump(100000), PacketRules{MidiPace{20000, 256, 0}, false, 0},
      [&](auto p) { return device.Take(p); },
      [](std::size_t sent, std::size_t) { return sent < 1000; });
  EXPECT_TRUE(outcome.cancelled);
  EXPECT_LT(outcome.sent, 100000u);
  EXPECT_EQ(outcome.sent % 256, 0u);
  EXPECT_EQ(device.packets.back(), Bytes{0xF7});
  EXPECT_EQ(device.All().size(), outcome.sent + 1);
}

// Windows MM's send holds on until the message is out: it runs on the port's own thread,
// and the waiting thread keeps hearing of the progress meanwhile.
TEST(PacedSend, ADeviceThatBlocksLeavesTheWaitingThreadFree) {
  std::mutex mutex;
  std::condition_variable heard;
  int updates = 0;
  std::thread::id sender;
  const Bytes message = Dump(5000);
  const SendOutcome outcome = SendInPackets(
      message, PacketRules{MidiPace{}, true, 0},
      [&](std::span<const std::uint8_t> whole) -> std::optional<MidiError> {
        EXPECT_EQ(whole.size(), message.size());  // one call, the whole message
        sender = std::this_thread::get_id();
        // Out only once the waiting thread has been told of progress three times.
        std::unique_lock lock(mutex);
        heard.wait_for(lock, 10s, [&] { return updates >= 3; });
        return std::nullopt;
      },
      [&](std::size_t sent, std::size_t total) {
        const std::lock_guard lock(mutex);
        if (sent < total) ++updates;  // told while the bytes were still on their way
        heard.notify_all();
        return true;
      });
  EXPECT_FALSE(outcome.error || outcome.cancelled);
  EXPECT_NE(sender, std::this_thread::get_id());
  EXPECT_GE(updates, 3);
}

// A port over fake devices: an output that queues what it takes, and an input that
// hands over what a test put there once its time has come.
class FakeOut : public MidiOutput {
 public:
  explicit FakeOut(Recorder& recorder) : recorder_(recorder) {}
  std::optional<MidiError> SendPacket(std::span<const std::uint8_t> b) override {
    return recorder_.Take(b);
  }
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> b) override {
    return recorder_.Take(b);
  }

 private:
  Recorder& recorder_;
};

class FakeIn : public MidiInput {
 public:
  using Clock = std::chrono::steady_clock;
  void Arrive(Bytes bytes, Clock::time_point at) { pending_.push_back({std::move(bytes), at}); }
  std::optional<MidiError> Take(Bytes& bytes) override {
    for (auto it = pending_.begin(); it != pending_.end();) {
      if (Clock::now() < it->second) {
        ++it;
        continue;
      }
      bytes.insert(bytes.end(), it->first.begin(), it->first.end());
      it = pending_.erase(it);
    }
    return std::nullopt;
  }

 private:
  std::vector<std::pair<Bytes, Clock::time_point>> pending_;
};

class FakePort : public PacedPort {
 public:
  std::vector<std::string> OutputNames() override { return {"out"}; }
  std::vector<std::string> InputNames() override { return {"in"}; }
  std::optional<MidiError> Open(int, int) override {
    auto in = std::make_unique<FakeIn>();
    input = in.get();
    Attach(std::make_unique<FakeOut>(recorder), std::move(in));
    return std::nullopt;
  }
  void Close() override { Detach(); }

  Recorder recorder;
  FakeIn* input = nullptr;
};

const Bytes kAck = {0xF0, 0x42, 0x30, 0x4D, 0x23, 0xF7};

bool IsAck(std::span<const std::uint8_t> m) {
  return Bytes(m.begin(), m.end()) == kAck;
}

// The reply's time-out runs from when the last byte has left, not from when the last
// packet was handed over: 400 bytes at 1,000 a second in packets of 200 are all out 0.2 s
// after the send has returned, so a reply 0.3 s after it is in time for a 0.2 s time-out.
TEST(PacedPort, TheTimeOutStartsWhenTheLastByteHasLeft) {
  FakePort port;
  port.SetPace(MidiPace{1000, 200, 0});
  ASSERT_FALSE(port.Open(0, 0));
  const SendOutcome sent = port.SendSysEx(Dump(400));
  ASSERT_FALSE(sent.error || sent.cancelled);
  port.input->Arrive(kAck, FakeIn::Clock::now() + 300ms);
  EXPECT_EQ(port.Receive(IsAck, 0.2), kAck);
  // A reply later than that is too late.
  port.SendSysEx(Dump(400));
  port.input->Arrive(kAck, FakeIn::Clock::now() + 700ms);
  EXPECT_FALSE(port.Receive(IsAck, 0.2).has_value());
  port.Close();
}

// What else comes before the awaited message is read and set aside, whatever pieces it
// comes in: clock, a note, a cut-off SysEx, another maker's, an overlong one.
TEST(PacedPort, OtherMessagesBeforeTheReplyAreSetAside) {
  FakePort port;
  port.SetPace(MidiPace{1e6, 256, 0});
  ASSERT_FALSE(port.Open(0, 0));
  Bytes overlong = {0xF0, 0x42, 0x30, 0x4D, 0x23};
  overlong.resize(MidiParser::kMaxKept + 10, 0x01);
  overlong.push_back(0xF7);
  const auto now = FakeIn::Clock::now();
  port.input->Arrive({0xF8, 0x90, 0x3C, 0x40, 0xF0, 0x42, 0x30, 0x4D, 0x23}, now);
  port.input->Arrive({0xF0, 0x41, 0x10, 0xF7}, now);
  port.input->Arrive(overlong, now);
  port.input->Arrive({0xF0, 0x42, 0x30}, now);
  port.input->Arrive({0x4D, 0x23, 0xF7}, now);
  std::vector<Bytes> ignored;
  const auto reply =
      port.Receive(IsAck, 0.5, [&](auto m) { ignored.emplace_back(m.begin(), m.end()); });
  EXPECT_EQ(reply, kAck);
  ASSERT_EQ(ignored.size(), 3u);  // the clock tick says nothing
  EXPECT_EQ(ignored[0], (Bytes{0x90, 0x3C, 0x40}));
  EXPECT_EQ(ignored[1], (Bytes{0xF0, 0x41, 0x10, 0xF7}));
  EXPECT_EQ(ignored[2].size(), MidiParser::kMaxKept);
}

}  // namespace
}  // namespace i40::midi
