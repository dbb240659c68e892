#include "rtmidi_port.h"

#include <RtMidi.h>

#include <algorithm>
#include <mutex>

#include "jack_watch.h"
#include "sysex/seven_bit.h"

#ifdef I40_HAVE_JACK
#include <jack/jack.h>
#include <jack/midiport.h>
#endif

namespace i40::midi {
namespace {

constexpr const char* kClientName = "i40seted";
// RtMidi's JACK output queues a message with its length in a ring buffer of this size.
constexpr std::size_t kRtMidiJackRingBuffer = 16384;
constexpr std::size_t kJackBookkeeping = 32;
constexpr const char* kJackStopped = "The JACK server has stopped.";

std::vector<int> CompiledApis() {
  std::vector<RtMidi::Api> apis;
  RtMidi::getCompiledApi(apis);
  std::vector<int> result;
  for (const RtMidi::Api api : apis) {
    if (api != RtMidi::RTMIDI_DUMMY) result.push_back(static_cast<int>(api));
  }
  return result;
}

// What RtMidi reports through its callback instead of throwing (and would otherwise
// print): kept for the next MidiError. Warnings too: RtMidi's ALSA output says that a
// message did not go out only by a warning.
void KeepError(RtMidiError::Type type, const std::string& text, void* user) {
  if (type == RtMidiError::DEBUG_WARNING) return;
  *static_cast<std::string*>(user) = text;
}

std::string BackendName(int api) {
  return RtMidi::getApiDisplayName(static_cast<RtMidi::Api>(api));
}

std::optional<MidiError> Taken(std::string& kept, bool output) {
  if (kept.empty()) return std::nullopt;
  MidiError error{output, kept};
  kept.clear();
  return error;
}

// Opens the port of that name (the lists may have changed since they were shown).
std::optional<MidiError> OpenByName(RtMidi& midi, const std::string& portName, bool output,
                                    std::string& kept) {
  midi.setErrorCallback(KeepError, &kept);
  for (unsigned i = 0; i < midi.getPortCount(); ++i) {
    if (midi.getPortName(i) != portName) continue;
    midi.openPort(i, output ? "out" : "in");
    return Taken(kept, output);
  }
  return MidiError{output, "The device " + portName + " is no longer there."};
}

// JACK, Windows MM and CoreMIDI: RtMidi's sendMessage. JACK passes any bytes on as one
// event, so a dump goes in packets; Windows MM and CoreMIDI take it whole.
class RtMidiOutDevice : public MidiOutput {
 public:
  RtMidiOutDevice(int api, std::unique_ptr<JackWatch> watch)
      : api_(api), out_(static_cast<RtMidi::Api>(api), kClientName), watch_(std::move(watch)) {}

  std::optional<MidiError> Open(const std::string& portName) {
    return OpenByName(out_, portName, true, kept_);
  }

  std::optional<MidiError> SendPacket(std::span<const std::uint8_t> bytes) override {
    if (api_ == RtMidi::UNIX_JACK && bytes.size() > RtMidiPort::JackMessageLimit()) {
      // RtMidi's JACK output would drop it without a word.
      return MidiError{true, "The message is " + std::to_string(bytes.size()) +
                                 " bytes long; JACK MIDI carries at most " +
                                 std::to_string(RtMidiPort::JackMessageLimit()) +
                                 " bytes in one message."};
    }
    return Send(bytes);
  }
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> bytes) override {
    return Send(bytes);
  }
  bool TakesWhole() const override { return api_ != RtMidi::UNIX_JACK; }
  bool ReturnsWhenOut() const override { return api_ == RtMidi::WINDOWS_MM; }
  std::size_t MaxPacket() const override {
    return api_ == RtMidi::UNIX_JACK ? RtMidiPort::JackMessageLimit() : 0;
  }

 private:
  std::optional<MidiError> Send(std::span<const std::uint8_t> bytes) {
    if (watch_ != nullptr && watch_->ServerStopped()) return MidiError{true, kJackStopped};
    try {
      out_.sendMessage(bytes.data(), bytes.size());
    } catch (const RtMidiError& e) {
      return MidiError{true, e.getMessage()};
    }
    return Taken(kept_, true);
  }

  int api_;
  RtMidiOut out_;
  std::unique_ptr<JackWatch> watch_;
  std::string kept_;
};

// ALSA: short messages through RtMidi, System Exclusive packets through the sequencer.
class AlsaOutDevice : public MidiOutput {
 public:
  explicit AlsaOutDevice(std::unique_ptr<AlsaSequencer> sequencer)
      : out_(RtMidi::LINUX_ALSA, kClientName), sysEx_(std::move(sequencer)) {}

  std::optional<MidiError> Open(const std::string& portName) {
    if (auto error = OpenByName(out_, portName, true, kept_)) return error;
    return sysEx_.Open(portName);
  }
  std::optional<MidiError> SendPacket(std::span<const std::uint8_t> bytes) override {
    return sysEx_.Send(bytes);
  }
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> bytes) override {
    try {
      out_.sendMessage(bytes.data(), bytes.size());
    } catch (const RtMidiError& e) {
      return MidiError{true, e.getMessage()};
    }
    return Taken(kept_, true);
  }

 private:
  RtMidiOut out_;
  AlsaSysExOut sysEx_;
  std::string kept_;
};

class RtMidiInDevice : public MidiInput {
 public:
  RtMidiInDevice(int api, std::unique_ptr<JackWatch> watch)
      : in_(static_cast<RtMidi::Api>(api), kClientName), watch_(std::move(watch)) {
    // Everything comes in: the port reads it as a receiver would and keeps what it awaits.
    in_.ignoreTypes(false, false, false);
  }

  std::optional<MidiError> Open(const std::string& portName) {
    return OpenByName(in_, portName, false, kept_);
  }

  std::optional<MidiError> Take(std::vector<std::uint8_t>& bytes) override {
    if (watch_ != nullptr && watch_->ServerStopped()) return MidiError{false, kJackStopped};
    std::vector<unsigned char> message;
    try {
      for (in_.getMessage(&message); !message.empty(); in_.getMessage(&message))
        bytes.insert(bytes.end(), message.begin(), message.end());
    } catch (const RtMidiError& e) {
      return MidiError{false, e.getMessage()};
    }
    return Taken(kept_, false);
  }

 private:
  RtMidiIn in_;
  std::unique_ptr<JackWatch> watch_;
  std::string kept_;
};

// The dry run behind both devices: packets are gathered into the whole message the
// simulated instrument takes; its answers are read back as bytes.
struct DryRun {
  std::mutex mutex;
  SimulatedInstrument instrument;
  std::vector<std::uint8_t> gathering;
  std::function<void(const std::string&)> log;
};

class DryRunOut : public MidiOutput {
 public:
  explicit DryRunOut(std::shared_ptr<DryRun> dryRun) : dryRun_(std::move(dryRun)) {}

  std::optional<MidiError> SendPacket(std::span<const std::uint8_t> bytes) override {
    const std::lock_guard lock(dryRun_->mutex);
    auto& gathering = dryRun_->gathering;
    if (!bytes.empty() && bytes.front() == 0xF0) gathering.clear();
    gathering.insert(gathering.end(), bytes.begin(), bytes.end());
    if (gathering.empty() || gathering.back() != 0xF7) return std::nullopt;
    if (dryRun_->log) {
      dryRun_->log(
          "Dry run received " + std::to_string(gathering.size()) + " bytes: " +
          HexBytes(std::span(gathering).first(std::min<std::size_t>(gathering.size(), 8))) +
          (gathering.size() > 8 ? "..." : ""));
    }
    const SendOutcome outcome = dryRun_->instrument.SendSysEx(gathering);
    gathering.clear();
    return outcome.error;
  }
  std::optional<MidiError> SendShort(std::span<const std::uint8_t> bytes) override {
    const std::lock_guard lock(dryRun_->mutex);
    return dryRun_->instrument.SendShort(bytes);
  }

 private:
  std::shared_ptr<DryRun> dryRun_;
};

class DryRunIn : public MidiInput {
 public:
  explicit DryRunIn(std::shared_ptr<DryRun> dryRun) : dryRun_(std::move(dryRun)) {}

  std::optional<MidiError> Take(std::vector<std::uint8_t>& bytes) override {
    const std::lock_guard lock(dryRun_->mutex);
    const std::vector<std::uint8_t> replies = dryRun_->instrument.TakeReplies();
    bytes.insert(bytes.end(), replies.begin(), replies.end());
    return std::nullopt;
  }

 private:
  std::shared_ptr<DryRun> dryRun_;
};

}  // namespace

RtMidiPort::RtMidiPort(std::optional<std::vector<int>> apis, SequencerFactory sequencer)
    : apis_(std::move(apis)), sequencer_(std::move(sequencer)) {
  // The dry run: an iS40 on MIDI channel 1 that acknowledges every dump.
  dryRunConfig_.channel = 0;
  dryRunConfig_.family = 0x4D;
  dryRunConfig_.outputs = {kDryRunPortName};
  dryRunConfig_.inputs = {kDryRunPortName};
}

RtMidiPort::~RtMidiPort() {
  SetWaitEnd(nullptr);
  Close();
}

std::size_t RtMidiPort::JackMessageLimit() {
  std::size_t buffer = 2048;  // JACK's default MIDI buffer
#ifdef I40_HAVE_JACK
  jack_status_t status{};
  if (jack_client_t* client = jack_client_open("i40seted-size", JackNoStartServer, &status)) {
    buffer = jack_port_type_get_buffer_size(client, JACK_DEFAULT_MIDI_TYPE);
    jack_client_close(client);
  }
#endif
  return std::min(buffer, kRtMidiJackRingBuffer) - kJackBookkeeping;
}

std::vector<RtMidiPort::Device> RtMidiPort::List(bool outputs) {
  std::vector<Device> devices;
  for (const int api : apis_.value_or(CompiledApis())) {
    // A backend that cannot open here (no ALSA sequencer, no JACK server) lists nothing.
    try {
      const auto take = [&](RtMidi& probe) {
        std::string ignored;
        probe.setErrorCallback(KeepError, &ignored);
        const unsigned count = probe.getPortCount();
        for (unsigned i = 0; i < count; ++i) {
          const std::string port = probe.getPortName(i);
          devices.push_back({api, port, BackendName(api) + ": " + port});
        }
      };
      if (outputs) {
        RtMidiOut probe(static_cast<RtMidi::Api>(api), kClientName);
        take(probe);
      } else {
        RtMidiIn probe(static_cast<RtMidi::Api>(api), kClientName);
        take(probe);
      }
    } catch (const RtMidiError&) {
    }
  }
  devices.push_back({-1, kDryRunPortName, kDryRunPortName});
  return devices;
}

std::vector<std::string> RtMidiPort::OutputNames() {
  outputs_ = List(true);
  std::vector<std::string> names;
  for (const Device& d : outputs_)
    names.push_back(d.name);
  return names;
}

std::vector<std::string> RtMidiPort::InputNames() {
  inputs_ = List(false);
  std::vector<std::string> names;
  for (const Device& d : inputs_)
    names.push_back(d.name);
  return names;
}

std::optional<MidiError> RtMidiPort::Open(int output, int input) {
  Close();
  if (outputs_.empty()) OutputNames();
  if (inputs_.empty()) InputNames();
  if (output < 0 || output >= static_cast<int>(outputs_.size())) {
    return MidiError{true, "There is no such MIDI output device."};
  }
  if (input < 0 || input >= static_cast<int>(inputs_.size())) {
    return MidiError{false, "There is no such MIDI input device."};
  }
  const Device& out = outputs_[static_cast<std::size_t>(output)];
  const Device& in = inputs_[static_cast<std::size_t>(input)];
  std::shared_ptr<DryRun> dryRun;
  if (out.api < 0 || in.api < 0) {
    dryRun = std::make_shared<DryRun>();
    dryRun->instrument.config() = dryRunConfig_;
    dryRun->instrument.Open(0, 0);
    dryRun->log = dryRunLog_;
  }
  const auto watchFor = [](int api) {
    return api == RtMidi::UNIX_JACK ? JackWatch::Start() : nullptr;
  };
  std::unique_ptr<MidiOutput> outDevice;
  std::unique_ptr<MidiInput> inDevice;
  bool openingOutput = true;
  try {
    if (dryRun != nullptr && out.api < 0) {
      outDevice = std::make_unique<DryRunOut>(dryRun);
    } else if (out.api == RtMidi::LINUX_ALSA) {
      auto alsa = std::make_unique<AlsaOutDevice>(sequencer_ ? sequencer_() : nullptr);
      if (auto error = alsa->Open(out.portName)) return error;
      outDevice = std::move(alsa);
    } else {
      auto device = std::make_unique<RtMidiOutDevice>(out.api, watchFor(out.api));
      if (auto error = device->Open(out.portName)) return error;
      outDevice = std::move(device);
    }
    openingOutput = false;
    if (dryRun != nullptr && in.api < 0) {
      inDevice = std::make_unique<DryRunIn>(dryRun);
    } else {
      auto device = std::make_unique<RtMidiInDevice>(in.api, watchFor(in.api));
      if (auto error = device->Open(in.portName)) return error;
      inDevice = std::move(device);
    }
  } catch (const RtMidiError& e) {
    return MidiError{openingOutput, e.getMessage()};
  }
  Attach(std::move(outDevice), std::move(inDevice));
  return std::nullopt;
}

void RtMidiPort::Close() {
  Detach();
}

}  // namespace i40::midi
