#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "alsa_sysex_out.h"
#include "paced_port.h"
#include "simulated_instrument.h"

namespace i40::midi {

// The MIDI devices of every RtMidi backend that opens on this machine (ALSA and JACK on
// Linux, CoreMIDI, Windows MM), each named with its backend ("ALSA: ..."), and after
// them the dry run: a simulated Korg-i40 that answers a search and acknowledges dumps.
//
// How each backend carries a dump (docs/midi.md): JACK takes the packets through RtMidi,
// ALSA through the sequencer API itself (RtMidi's ALSA output refuses a SysEx in parts),
// Windows MM and CoreMIDI take the message whole, on the port's sending thread.
class RtMidiPort : public PacedPort {
 public:
  using SequencerFactory = std::function<std::unique_ptr<AlsaSequencer>()>;

  // Which backends to list, by RtMidi's API numbers; all that RtMidi has compiled in when
  // nothing is given. An empty list leaves only the dry run.
  explicit RtMidiPort(std::optional<std::vector<int>> apis = std::nullopt,
                      SequencerFactory sequencer = MakeAlsaSequencer);
  ~RtMidiPort() override;
  RtMidiPort(const RtMidiPort&) = delete;
  RtMidiPort& operator=(const RtMidiPort&) = delete;

  std::vector<std::string> OutputNames() override;
  std::vector<std::string> InputNames() override;
  std::optional<MidiError> Open(int output, int input) override;
  void Close() override;

  // Told of every message the dry run receives.
  void SetLog(std::function<void(const std::string&)> log) override { dryRunLog_ = std::move(log); }
  SimulatedInstrument::Config& dryRunConfig() { return dryRunConfig_; }

  // The longest message the JACK backend carries in one event: its MIDI buffer (less its
  // own bookkeeping), and never more than RtMidi's ring buffer.
  static std::size_t JackMessageLimit();

 private:
  struct Device {
    int api;
    std::string portName;  // as the backend names it
    std::string name;      // as the lists show it: "<backend>: <port>"
  };

  std::vector<Device> List(bool outputs);

  std::optional<std::vector<int>> apis_;
  SequencerFactory sequencer_;
  std::vector<Device> outputs_;
  std::vector<Device> inputs_;
  SimulatedInstrument::Config dryRunConfig_;
  std::function<void(const std::string&)> dryRunLog_;
};

}  // namespace i40::midi
