#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "simulated_instrument.h"
#include "ui/midi_port.h"

class RtMidiIn;
class RtMidiOut;

namespace i40::midi {

// The MIDI devices of every RtMidi backend that opens on this machine (ALSA and JACK on
// Linux, CoreMIDI, Windows MM), each named with its backend ("ALSA: ..."), and after
// them the dry run: a simulated Korg-i40 that answers a search and acknowledges dumps.
//
// RtMidi hands a message to its backend and returns before the bytes are on the wire, so
// the port keeps its own account of when the last byte has left (MIDI carries 3125 bytes
// a second) and a reply's time-out runs from then.
class RtMidiPort : public MidiPort {
 public:
  // Which backends to list, by RtMidi's API numbers; all that RtMidi has compiled in when
  // nothing is given. An empty list leaves only the dry run.
  explicit RtMidiPort(std::optional<std::vector<int>> apis = std::nullopt);
  ~RtMidiPort() override;
  RtMidiPort(const RtMidiPort&) = delete;
  RtMidiPort& operator=(const RtMidiPort&) = delete;

  std::vector<std::string> OutputNames() override;
  std::vector<std::string> InputNames() override;
  std::optional<MidiError> Open(int output, int input) override;
  void Close() override;
  std::optional<MidiError> SendSysEx(std::span<const std::uint8_t> message) override;
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> message) override;
  std::optional<std::vector<std::uint8_t>> Receive(std::size_t count,
                                                   double timeoutSeconds) override;
  void Pause(double seconds) override;
  bool Cancelled() const override { return cancelled_; }

  // Called every few milliseconds while the port waits (a reply, a pause), with the
  // seconds waited and the most it may wait; false stops a wait for a reply (Cancel).
  // The desktop keeps its windows alive and shows progress through it.
  void SetWaitHook(std::function<bool(double waited, double longest)> hook) {
    waitHook_ = std::move(hook);
  }
  // Called when the devices close at the end of an exchange.
  void SetWaitEnd(std::function<void()> end) { waitEnd_ = std::move(end); }
  // Told of every message the dry run receives (the session log).
  void SetDryRunLog(std::function<void(const std::string&)> log) { dryRunLog_ = std::move(log); }
  SimulatedInstrument::Config& dryRunConfig() { return dryRun_.config(); }

  // The longest message the JACK backend carries whole: its MIDI buffer (less its own
  // bookkeeping), and never more than RtMidi's ring buffer.
  static std::size_t JackMessageLimit();

 private:
  using Clock = std::chrono::steady_clock;
  struct Device {
    int api;
    std::string portName;  // as the backend names it
    std::string name;      // as the lists show it: "<backend>: <port>"
  };

  std::vector<Device> List(bool outputs);
  bool Wait(Clock::time_point start, Clock::time_point deadline);
  std::optional<MidiError> TakeError(bool output);

  std::optional<std::vector<int>> apis_;
  std::vector<Device> outputs_;
  std::vector<Device> inputs_;
  std::unique_ptr<RtMidiOut> out_;
  std::unique_ptr<RtMidiIn> in_;
  int outApi_ = 0;
  bool dryRunOut_ = false;
  bool dryRunIn_ = false;
  SimulatedInstrument dryRun_;
  std::string lastError_;
  Clock::time_point wireFree_{};
  bool cancelled_ = false;
  std::function<bool(double, double)> waitHook_;
  std::function<void()> waitEnd_;
  std::function<void(const std::string&)> dryRunLog_;
};

}  // namespace i40::midi
