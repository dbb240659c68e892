#include "rtmidi_port.h"

#include <RtMidi.h>

#include <algorithm>
#include <thread>

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

std::vector<int> CompiledApis() {
  std::vector<RtMidi::Api> apis;
  RtMidi::getCompiledApi(apis);
  std::vector<int> result;
  for (const RtMidi::Api api : apis) {
    if (api != RtMidi::RTMIDI_DUMMY) result.push_back(static_cast<int>(api));
  }
  return result;
}

// Errors RtMidi reports through its callback instead of throwing (and would otherwise
// print): kept for the next MidiError.
void KeepError(RtMidiError::Type type, const std::string& text, void* user) {
  if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) return;
  *static_cast<std::string*>(user) = text;
}

std::string BackendName(int api) {
  return RtMidi::getApiDisplayName(static_cast<RtMidi::Api>(api));
}

}  // namespace

RtMidiPort::RtMidiPort(std::optional<std::vector<int>> apis) : apis_(std::move(apis)) {
  // The dry run: an iS40 on MIDI channel 1 that acknowledges every dump.
  dryRun_.config().channel = 0;
  dryRun_.config().family = 0x4D;
  dryRun_.config().outputs = {kDryRunPortName};
  dryRun_.config().inputs = {kDryRunPortName};
}

RtMidiPort::~RtMidiPort() {
  waitEnd_ = nullptr;
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

std::optional<MidiError> RtMidiPort::TakeError(bool output) {
  if (lastError_.empty()) return std::nullopt;
  MidiError error{output, lastError_};
  lastError_.clear();
  return error;
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
  dryRunOut_ = out.api < 0;
  dryRunIn_ = in.api < 0;
  if (dryRunOut_ || dryRunIn_) dryRun_.Open(0, 0);
  lastError_.clear();
  // A port is found again by its name: the lists may have changed since they were shown.
  const auto open = [&](RtMidi& midi, const Device& device,
                        bool isOutput) -> std::optional<MidiError> {
    midi.setErrorCallback(KeepError, &lastError_);
    for (unsigned i = 0; i < midi.getPortCount(); ++i) {
      if (midi.getPortName(i) != device.portName) continue;
      midi.openPort(i, isOutput ? "out" : "in");
      return TakeError(isOutput);
    }
    return MidiError{isOutput, "The device " + device.name + " is no longer there."};
  };
  bool openingOutput = true;
  try {
    if (!dryRunOut_) {
      out_ = std::make_unique<RtMidiOut>(static_cast<RtMidi::Api>(out.api), kClientName);
      outApi_ = out.api;
      if (auto error = open(*out_, out, true)) return error;
    }
    openingOutput = false;
    if (!dryRunIn_) {
      in_ = std::make_unique<RtMidiIn>(static_cast<RtMidi::Api>(in.api), kClientName);
      // System Exclusive comes in; clock and active sensing stay out.
      in_->ignoreTypes(false, true, true);
      if (auto error = open(*in_, in, false)) return error;
    }
  } catch (const RtMidiError& e) {
    return MidiError{openingOutput, e.getMessage()};
  }
  wireFree_ = Clock::now();
  return std::nullopt;
}

void RtMidiPort::Close() {
  const bool wasOpen = out_ || in_ || dryRunOut_ || dryRunIn_;
  out_.reset();
  in_.reset();
  dryRun_.Close();
  dryRunOut_ = dryRunIn_ = false;
  if (wasOpen && waitEnd_) waitEnd_();
}

std::optional<MidiError> RtMidiPort::SendSysEx(std::span<const std::uint8_t> message) {
  const auto wireTime = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(message.size()) / kMidiBytesPerSecond));
  if (dryRunOut_) {
    if (dryRunLog_) {
      dryRunLog_("Dry run received " + std::to_string(message.size()) +
                 " bytes: " + HexBytes(message.first(std::min<std::size_t>(message.size(), 8))) +
                 (message.size() > 8 ? "..." : ""));
    }
    if (auto error = dryRun_.SendSysEx(message)) return error;
  } else {
    if (!out_) return MidiError{true, "The MIDI output device is not open."};
    if (outApi_ == RtMidi::UNIX_JACK && message.size() > JackMessageLimit()) {
      // RtMidi's JACK output would drop it without a word.
      return MidiError{true, "The message is " + std::to_string(message.size()) +
                                 " bytes long; JACK MIDI carries at most " +
                                 std::to_string(JackMessageLimit()) + " bytes in one message."};
    }
    try {
      out_->sendMessage(message.data(), message.size());
    } catch (const RtMidiError& e) {
      return MidiError{true, e.getMessage()};
    }
    if (auto error = TakeError(true)) return error;
  }
  wireFree_ = std::max(wireFree_, Clock::now()) + wireTime;
  return std::nullopt;
}

std::optional<MidiError> RtMidiPort::SendShort(std::span<const std::uint8_t> message) {
  if (dryRunOut_) return dryRun_.SendShort(message);
  if (!out_) return MidiError{true, "The MIDI output device is not open."};
  try {
    out_->sendMessage(message.data(), message.size());
  } catch (const RtMidiError& e) {
    return MidiError{true, e.getMessage()};
  }
  return TakeError(true);
}

bool RtMidiPort::Wait(Clock::time_point start, Clock::time_point deadline) {
  const auto now = Clock::now();
  const bool goOn =
      !waitHook_ || waitHook_(std::chrono::duration<double>(now - start).count(),
                              std::chrono::duration<double>(deadline - start).count());
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return goOn;
}

std::optional<std::vector<std::uint8_t>> RtMidiPort::Receive(std::size_t count,
                                                             double timeoutSeconds) {
  cancelled_ = false;
  const auto start = Clock::now();
  // The time-out runs from the moment the last byte sent has left.
  const auto deadline =
      std::max(start, wireFree_) +
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
  std::vector<std::uint8_t> bytes;
  bool inSysEx = false;
  for (;;) {
    if (dryRunIn_) {
      // The simulated instrument answers once the message would have reached it.
      if (Clock::now() >= wireFree_) {
        if (auto reply = dryRun_.Receive(count, 0)) return reply;
      }
    } else if (in_) {
      std::vector<unsigned char> message;
      for (in_->getMessage(&message); !message.empty(); in_->getMessage(&message)) {
        // Only System Exclusive, which a backend may deliver in pieces.
        if (message[0] == 0xF0) {
          inSysEx = true;
        } else if (!inSysEx || message[0] >= 0x80) {
          continue;
        }
        bytes.insert(bytes.end(), message.begin(), message.end());
        if (message.back() == 0xF7) inSysEx = false;
      }
      if (bytes.size() >= count) {
        bytes.resize(count);
        return bytes;
      }
    }
    if (Clock::now() >= deadline) return std::nullopt;
    if (!Wait(start, deadline)) {
      cancelled_ = true;
      return std::nullopt;
    }
  }
}

void RtMidiPort::Pause(double seconds) {
  const auto start = Clock::now();
  const auto end =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  while (Clock::now() < end)
    Wait(start, end);
  // A pause after the devices have closed (the settling time after MIDI Setup) is the
  // last wait of its exchange.
  const bool open = out_ || in_ || dryRunOut_ || dryRunIn_;
  if (!open && waitEnd_) waitEnd_();
}

}  // namespace i40::midi
