#pragma once

#include <cstdint>
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

// What went wrong on a MIDI device: which side, and the driver's own words.
struct MidiError {
  bool output = true;
  std::string driverText;
};

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

  // One System Exclusive message, in one piece.
  virtual std::optional<MidiError> SendSysEx(std::span<const std::uint8_t> message) = 0;
  // A message of up to three bytes (note on, note off, a lone F7).
  virtual std::optional<MidiError> SendShort(std::span<const std::uint8_t> message) = 0;
  // The next `count` bytes that arrive, or nothing when they have not all come within
  // the time-out.
  virtual std::optional<std::vector<std::uint8_t>> Receive(std::size_t count,
                                                           double timeoutSeconds) = 0;
  // Waits, keeping the program responsive; tests count the waits instead of sleeping.
  virtual void Pause(double seconds) = 0;

  // Seconds a message of that many bytes takes to leave at the pace this port sends at.
  virtual double TransferSeconds(std::size_t bytes) const {
    return static_cast<double>(bytes) / kMidiBytesPerSecond;
  }

  // The person at the keyboard stopped the last wait (Cancel while waiting for a reply):
  // nothing more is said of it.
  virtual bool Cancelled() const { return false; }
};

}  // namespace i40
