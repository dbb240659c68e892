#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace i40 {

// The entry of the device lists that is no device: a simulated instrument that answers
// like a Korg-i40, for rehearsing a transfer with nothing connected.
inline constexpr const char* kDryRunPortName = "Simulated Korg-i40 (dry run)";

// What a MIDI cable carries at most: 31,250 baud, ten bits a byte.
inline constexpr double kMidiBytesPerSecond = 3125.0;
// The pace a dump leaves at unless the user sets another: what a UART that sends two stop
// bits drains (31,250 baud, eleven bits a byte), so that no interface's buffer fills up.
inline constexpr double kDefaultMidiPace = 31250.0 / 11.0;

// How a dump leaves: in packets of at most `packetBytes` (the first starting with F0, the
// last ending with F7), never faster than `bytesPerSecond`, with a pause between packets.
struct MidiPace {
  static constexpr std::size_t kMinPacket = 16;
  static constexpr std::size_t kMaxPacket = 2016;  // what a default JACK server carries
  static constexpr int kMaxPauseMs = 1000;

  double bytesPerSecond = kDefaultMidiPace;
  std::size_t packetBytes = 256;
  int pauseMs = 0;
};

// Seconds a message of that many bytes takes to leave at a pace: its bytes, and the
// pauses between its packets.
double PacedSeconds(const MidiPace& pace, std::size_t bytes);

// What went wrong on a MIDI device: which side, and the driver's own words.
struct MidiError {
  bool output = true;
  std::string driverText;
};

// How a send ended: every byte left, a device failed, or the person stopped it.
struct SendOutcome {
  std::optional<MidiError> error;
  bool cancelled = false;
  std::size_t sent = 0;  // bytes of the message that left (a closing F7 not counted)
};

// Told, on the thread that sends, how many of the message's bytes have left; false stops
// the send before its next packet.
using SendProgress = std::function<bool(std::size_t sent, std::size_t total)>;
// Whether a complete message received is the one waited for.
using MessageTest = std::function<bool(std::span<const std::uint8_t> message)>;
// Told of a complete message that was not waited for.
using MessageSink = std::function<void(std::span<const std::uint8_t> message)>;

// One MIDI output and one MIDI input, opened around each exchange with the instrument.
// The desktop drives real devices through it; tests drive a simulated instrument.
class MidiPort {
 public:
  virtual ~MidiPort() = default;

  virtual std::vector<std::string> OutputNames() = 0;
  virtual std::vector<std::string> InputNames() = 0;

  // Opens the output, then the input.
  virtual std::optional<MidiError> Open(int output, int input) = 0;
  virtual void Close() = 0;

  // One System Exclusive message, at the port's pace. The calling thread hears of the
  // progress every few milliseconds; after a stop the dump is closed with F7.
  virtual SendOutcome SendSysEx(std::span<const std::uint8_t> message,
                                const SendProgress& progress = {}) = 0;
  // A message of up to three bytes (note on, note off, a lone F7).
  virtual std::optional<MidiError> SendShort(std::span<const std::uint8_t> message) = 0;
  // The next complete message `awaited` takes, or nothing when none came within the
  // time-out, counted from when the last byte sent has left. Every other complete
  // message goes to `ignored`. An error of the input device ends the wait.
  virtual std::optional<std::vector<std::uint8_t>> Receive(const MessageTest& awaited,
                                                           double timeoutSeconds,
                                                           const MessageSink& ignored = {}) = 0;
  // The input device failed during the last Receive; nothing when it did not.
  virtual std::optional<MidiError> ReceiveError() const { return std::nullopt; }
  // Waits, keeping the program responsive; tests count the waits instead of sleeping.
  virtual void Pause(double seconds) = 0;

  void SetPace(const MidiPace& pace) { pace_ = pace; }
  const MidiPace& pace() const { return pace_; }
  // Seconds a message of that many bytes takes to leave through this port.
  virtual double TransferSeconds(std::size_t bytes) const { return PacedSeconds(pace_, bytes); }

  // The person at the keyboard stopped the last wait (Cancel while waiting for a reply):
  // nothing more is said of it.
  virtual bool Cancelled() const { return false; }

  // Called every few milliseconds while the port waits (a reply, a pause), with the
  // seconds waited and the most it may wait; false stops a wait for a reply (Cancel).
  // The desktop keeps its windows alive and shows progress through it.
  virtual void SetWaitHook(std::function<bool(double waited, double longest)> hook) {
    static_cast<void>(hook);
  }
  // Called when an exchange is over: its devices closed, or its last pause done.
  virtual void SetWaitEnd(std::function<void()> end) { static_cast<void>(end); }
  // Where the port writes what belongs in the session log (what the dry run received).
  virtual void SetLog(std::function<void(const std::string&)> log) { static_cast<void>(log); }

 private:
  MidiPace pace_;
};

}  // namespace i40
