#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "host/midi_port.h"

namespace i40::midi {

// The ALSA sequencer as System Exclusive output needs it: a client of its own with one
// port, connected to the destination, and one SysEx event sent at once. RtMidi's ALSA
// output cannot send a SysEx in parts (it refuses a message without its F7), so packets
// go through the sequencer API itself. Tests put a recorder in its place.
class AlsaSequencer {
 public:
  virtual ~AlsaSequencer() = default;
  // The sequencer's own words when it fails.
  virtual std::optional<std::string> Open(int client, int port) = 0;
  virtual std::optional<std::string> SendSysEx(std::span<const std::uint8_t> bytes) = 0;
  virtual void Close() = 0;
};

// The sequencer of this machine's libasound; null where the program was built without it.
std::unique_ptr<AlsaSequencer> MakeAlsaSequencer();

// The sequencer address in a port name as RtMidi gives it ("Client:Port 20:0").
std::optional<std::pair<int, int>> AlsaAddressOf(const std::string& portName);

// System Exclusive packets to one ALSA port, through a sequencer.
class AlsaSysExOut {
 public:
  explicit AlsaSysExOut(std::unique_ptr<AlsaSequencer> sequencer)
      : sequencer_(std::move(sequencer)) {}
  ~AlsaSysExOut();
  AlsaSysExOut(const AlsaSysExOut&) = delete;
  AlsaSysExOut& operator=(const AlsaSysExOut&) = delete;

  // Connects to the port RtMidi names; an error says why not.
  std::optional<MidiError> Open(const std::string& portName);
  std::optional<MidiError> Send(std::span<const std::uint8_t> packet);

 private:
  std::unique_ptr<AlsaSequencer> sequencer_;
  bool open_ = false;
};

}  // namespace i40::midi
