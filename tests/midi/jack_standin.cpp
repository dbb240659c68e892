#include "jack_standin.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <stdexcept>

namespace i40::test {

JackStandIn::JackStandIn(const std::string& name, Config config) : config_(std::move(config)) {
  jack_status_t status{};
  auto* client =
      config_.server.empty()
          ? jack_client_open(name.c_str(), JackNoStartServer, &status)
          : jack_client_open(name.c_str(),
                             static_cast<jack_options_t>(JackNoStartServer | JackServerName),
                             &status, config_.server.c_str());
  if (client == nullptr) throw std::runtime_error("the stand-in found no JACK server");
  client_ = client;
  in_ = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
  out_ = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
  jack_set_process_callback(client, &JackStandIn::Process, this);
  if (in_ == nullptr || out_ == nullptr || jack_activate(client) != 0) {
    jack_client_close(client);
    client_ = nullptr;
    throw std::runtime_error("the stand-in's ports did not open");
  }
}

JackStandIn::~JackStandIn() {
  Vanish();
}

void JackStandIn::Vanish() {
  if (client_ == nullptr) return;
  auto* client = static_cast<jack_client_t*>(client_);
  client_ = nullptr;
  jack_deactivate(client);
  jack_client_close(client);
}

std::vector<std::vector<std::uint8_t>> JackStandIn::Junk() {
  std::vector<std::uint8_t> overlong = {0xF0, 0x42, 0x30, 0x4D, 0x23};
  overlong.resize(40, 0x01);
  overlong.push_back(0xF7);
  return {{0x90, 0x3C, 0x40},
          {0xF8},
          {0xFE},
          {0xF0, 0x42, 0x30, 0x4D, 0x23},
          {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7},
          overlong};
}

// Runs in JACK's process thread; a test may take the lock a while, the dummy backend
// does not mind.
int JackStandIn::Process(std::uint32_t frames, void* self) {
  auto& me = *static_cast<JackStandIn*>(self);
  void* in = jack_port_get_buffer(static_cast<jack_port_t*>(me.in_), frames);
  void* out = jack_port_get_buffer(static_cast<jack_port_t*>(me.out_), frames);
  jack_midi_clear_buffer(out);
  const std::lock_guard lock(me.mutex_);
  const std::uint32_t count = jack_midi_get_event_count(in);
  for (std::uint32_t i = 0; i < count; ++i) {
    jack_midi_event_t event;
    if (jack_midi_event_get(&event, in, i) == 0) me.Take(event.buffer, event.size);
  }
  // As many answers as fit in this cycle, each one event.
  std::size_t sent = 0;
  for (; sent < me.outgoing_.size(); ++sent) {
    const auto& message = me.outgoing_[sent];
    if (jack_midi_event_write(out, 0, message.data(), message.size()) != 0) break;
  }
  me.outgoing_.erase(me.outgoing_.begin(), me.outgoing_.begin() + static_cast<long>(sent));
  return 0;
}

void JackStandIn::Take(const std::uint8_t* data, std::size_t size) {
  bytes_ += size;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t byte = data[i];
    if (byte == 0xF0) {
      gathering_ = {byte};
      inSysEx_ = true;
    } else if (inSysEx_) {
      gathering_.push_back(byte);
      if (byte == 0xF7) {
        inSysEx_ = false;
        received_.push_back(gathering_);
        Answer(gathering_);
      }
    } else if (byte == 0xF7) {
      received_.push_back({byte});  // a lone F7: what closes a stopped dump
    } else if (byte >= 0x80) {
      received_.push_back({byte});
    } else if (!received_.empty()) {
      received_.back().push_back(byte);
    }
  }
}

void JackStandIn::Answer(const std::vector<std::uint8_t>& m) {
  const auto channel = static_cast<std::uint8_t>(config_.channel & 0x0F);
  std::vector<std::uint8_t> answer;
  if (m.size() == 6 && m[1] == 0x7E && m[3] == 0x06 && m[4] == 0x01) {
    answer = {0xF0, 0x7E, channel, 0x06, 0x02, 0x42, config_.family, 0x00, 0x01,
              0x00, 0x01, 0x00,    0x00, 0x00, 0xF7};
  } else if (m.size() > 6 && m[1] == 0x42) {
    ++dumps_;
    const std::uint8_t code = dumps_ == config_.notAcknowledged ? 0x24 : 0x23;
    answer = {0xF0, 0x42, static_cast<std::uint8_t>(0x30 | channel), config_.family, code, 0xF7};
  } else {
    return;
  }
  outgoing_.insert(outgoing_.end(), config_.junk.begin(), config_.junk.end());
  outgoing_.push_back(answer);
}

std::vector<std::vector<std::uint8_t>> JackStandIn::Received() {
  const std::lock_guard lock(mutex_);
  return received_;
}

}  // namespace i40::test
