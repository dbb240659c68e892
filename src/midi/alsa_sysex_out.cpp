#include "alsa_sysex_out.h"

#include <cstdio>
#include <vector>

#ifdef I40_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace i40::midi {
namespace {

#ifdef I40_HAVE_ALSA
class LibAsoundSequencer : public AlsaSequencer {
 public:
  ~LibAsoundSequencer() override { Close(); }

  std::optional<std::string> Open(int client, int port) override {
    Close();
    if (const int error = snd_seq_open(&seq_, "default", SND_SEQ_OPEN_OUTPUT, 0); error < 0) {
      seq_ = nullptr;
      return snd_strerror(error);
    }
    snd_seq_set_client_name(seq_, "i40seted SysEx");
    // Room for the largest packet in one event.
    snd_seq_set_output_buffer_size(seq_, 4 * MidiPace::kMaxPacket + 256);
    port_ =
        snd_seq_create_simple_port(seq_, "out", SND_SEQ_PORT_CAP_READ,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (port_ < 0) return Fail(port_);
    if (const int error = snd_seq_connect_to(seq_, port_, client, port); error < 0) {
      return Fail(error);
    }
    return std::nullopt;
  }

  std::optional<std::string> SendSysEx(std::span<const std::uint8_t> bytes) override {
    if (seq_ == nullptr) return "The ALSA sequencer is not open.";
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    snd_seq_ev_set_source(&event, static_cast<unsigned char>(port_));
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    snd_seq_ev_set_sysex(&event, static_cast<unsigned>(data.size()), data.data());
    if (const int error = snd_seq_event_output_direct(seq_, &event); error < 0) {
      return snd_strerror(error);
    }
    return std::nullopt;
  }

  void Close() override {
    if (seq_ != nullptr) snd_seq_close(seq_);
    seq_ = nullptr;
    port_ = -1;
  }

 private:
  std::optional<std::string> Fail(int error) {
    Close();
    return snd_strerror(error);
  }

  snd_seq_t* seq_ = nullptr;
  int port_ = -1;
};
#endif

}  // namespace

std::unique_ptr<AlsaSequencer> MakeAlsaSequencer() {
#ifdef I40_HAVE_ALSA
  return std::make_unique<LibAsoundSequencer>();
#else
  return nullptr;
#endif
}

std::optional<std::pair<int, int>> AlsaAddressOf(const std::string& portName) {
  const std::size_t space = portName.rfind(' ');
  const std::string address = portName.substr(space == std::string::npos ? 0 : space + 1);
  int client = -1;
  int port = -1;
  char end = 0;
  if (std::sscanf(address.c_str(), "%d:%d%c", &client, &port, &end) != 2) return std::nullopt;
  if (client < 0 || port < 0) return std::nullopt;
  return std::pair(client, port);
}

AlsaSysExOut::~AlsaSysExOut() {
  if (sequencer_ != nullptr && open_) sequencer_->Close();
}

std::optional<MidiError> AlsaSysExOut::Open(const std::string& portName) {
  if (sequencer_ == nullptr) {
    return MidiError{true, "This program was built without the ALSA sequencer."};
  }
  const auto address = AlsaAddressOf(portName);
  if (!address) return MidiError{true, "The ALSA port " + portName + " has no address."};
  if (auto error = sequencer_->Open(address->first, address->second)) {
    return MidiError{true, "The ALSA sequencer did not open: " + *error};
  }
  open_ = true;
  return std::nullopt;
}

std::optional<MidiError> AlsaSysExOut::Send(std::span<const std::uint8_t> packet) {
  if (!open_) return MidiError{true, "The ALSA sequencer is not open."};
  if (auto error = sequencer_->SendSysEx(packet)) return MidiError{true, *error};
  return std::nullopt;
}

}  // namespace i40::midi
