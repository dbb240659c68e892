#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "host/midi_port.h"
#include "sysex/midi_parser.h"

namespace i40::midi {

// A Korg i40-family instrument on the other end of a MidiPort, for tests and trials. It
// answers the Universal Identity Request as configured, answers each dump with its
// acknowledgement, a not-acknowledge or silence, and keeps every message it received.
class SimulatedInstrument : public MidiPort {
 public:
  enum class DumpAnswer { Acknowledge, NotAcknowledge, Silence };

  struct Config {
    int channel = 0;
    std::uint8_t manufacturer = 0x42;
    std::uint8_t family = 0x4D;
    bool answersIdentity = true;
    DumpAnswer dumpAnswer = DumpAnswer::Acknowledge;
    std::vector<std::string> outputs = {"Simulated i40 out"};
    std::vector<std::string> inputs = {"Simulated i40 in"};
    bool failOpen = false;
    // Sent before every answer: what else a MIDI cable may carry (clock, other makers'
    // System Exclusive, a message cut off).
    std::vector<std::uint8_t> noiseBeforeAnswers;
  };

  SimulatedInstrument() = default;
  explicit SimulatedInstrument(Config config) : config_(std::move(config)) {}

  std::vector<std::string> OutputNames() override { return config_.outputs; }
  std::vector<std::string> InputNames() override { return config_.inputs; }
  std::optional<MidiError> Open(int output, int input) override;
  void Close() override { open_ = false; }
  // The message arrives whole, at once; the progress hears of it once.
  SendOutcome SendSysEx(std::span<const std::uint8_t> message,
                        const SendProgress& progress = {}) override;
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> message) override;
  // Its answers so far, read as a MIDI receiver reads them; a silent instrument times out
  // at once (nothing will come, and tests never wait).
  std::optional<std::vector<std::uint8_t>> Receive(const MessageTest& awaited,
                                                   double timeoutSeconds,
                                                   const MessageSink& ignored = {}) override;
  void Pause(double seconds) override { pausedSeconds_ += seconds; }

  Config& config() { return config_; }
  bool isOpen() const { return open_; }
  const std::vector<std::vector<std::uint8_t>>& sysExReceived() const { return sysEx_; }
  const std::vector<std::vector<std::uint8_t>>& shortReceived() const { return short_; }
  double pausedSeconds() const { return pausedSeconds_; }
  int openCount() const { return opens_; }

  // Everything it has to say so far, taken (for an instrument behind a real port).
  std::vector<std::uint8_t> TakeReplies() {
    std::vector<std::uint8_t> replies(pending_.begin(), pending_.end());
    pending_.clear();
    return replies;
  }

  // The body of the last dump received, unpacked from 7 bits.
  std::vector<std::uint8_t> LastDumpBody() const;

 private:
  Config config_;
  bool open_ = false;
  int opens_ = 0;
  std::deque<std::uint8_t> pending_;
  std::vector<std::vector<std::uint8_t>> sysEx_;
  std::vector<std::vector<std::uint8_t>> short_;
  double pausedSeconds_ = 0;
  MidiParser parser_;
};

}  // namespace i40::midi
