#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "host/midi_port.h"
#include "sysex/midi_parser.h"

namespace i40::midi {

// A MIDI output as the port drives it. Packets come from the port's sending thread.
class MidiOutput {
 public:
  virtual ~MidiOutput() = default;
  // One packet of a System Exclusive message (the message whole where TakesWhole()), or
  // the lone F7 that closes a stopped one. Any error or warning of the backend is an
  // error: nothing counts as sent that was not.
  virtual std::optional<MidiError> SendPacket(std::span<const std::uint8_t> bytes) = 0;
  virtual std::optional<MidiError> SendShort(std::span<const std::uint8_t> bytes) = 0;
  // The device takes a System Exclusive message only whole (Windows MM, CoreMIDI).
  virtual bool TakesWhole() const { return false; }
  // Its send returns only when the bytes are out (Windows MM); otherwise they are queued
  // and take their time on the wire after the send has returned.
  virtual bool ReturnsWhenOut() const { return false; }
  // The largest packet the device carries; 0 for no limit of its own.
  virtual std::size_t MaxPacket() const { return 0; }
};

// A MIDI input as the port reads it.
class MidiInput {
 public:
  virtual ~MidiInput() = default;
  // Appends the bytes that arrived since the last call, in order; an error when the
  // device has failed or gone.
  virtual std::optional<MidiError> Take(std::vector<std::uint8_t>& bytes) = 0;
};

// A port over whatever devices an exchange opened: a dump leaves in packets at the port's
// pace on a thread of its own, replies are read as a MIDI receiver reads them, and the
// program stays responsive through the wait hook while the port waits.
class PacedPort : public MidiPort {
 public:
  SendOutcome SendSysEx(std::span<const std::uint8_t> message,
                        const SendProgress& progress = {}) override;
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> message) override;
  std::optional<std::vector<std::uint8_t>> Receive(const MessageTest& awaited,
                                                   double timeoutSeconds,
                                                   const MessageSink& ignored = {}) override;
  std::optional<MidiError> ReceiveError() const override { return receiveError_; }
  void Pause(double seconds) override;
  bool Cancelled() const override { return cancelled_; }
  double TransferSeconds(std::size_t bytes) const override;

  void SetWaitHook(std::function<bool(double waited, double longest)> hook) override {
    waitHook_ = std::move(hook);
  }
  void SetWaitEnd(std::function<void()> end) override { waitEnd_ = std::move(end); }

 protected:
  using Clock = std::chrono::steady_clock;

  // The devices of an exchange, opened by the port that derives from this one.
  void Attach(std::unique_ptr<MidiOutput> output, std::unique_ptr<MidiInput> input);
  // Closes them; the wait end is told when there were any.
  void Detach();
  bool attached() const { return output_ != nullptr || input_ != nullptr; }

 private:
  bool Wait(Clock::time_point start, Clock::time_point deadline);

  std::unique_ptr<MidiOutput> output_;
  std::unique_ptr<MidiInput> input_;
  MidiParser parser_;
  std::vector<std::vector<std::uint8_t>> parsed_;  // complete, not yet looked at
  Clock::time_point wireFree_{};                   // when the last byte sent has left
  std::optional<MidiError> receiveError_;
  bool cancelled_ = false;
  std::function<bool(double, double)> waitHook_;
  std::function<void()> waitEnd_;
};

}  // namespace i40::midi
