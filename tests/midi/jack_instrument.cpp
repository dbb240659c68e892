#include "jack_instrument.h"

#include <RtMidi.h>

namespace i40::test {

JackInstrument::JackInstrument(const std::string& name)
    : in_(std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, name)),
      out_(std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, name)) {
  instrument_.Open(0, 0);
  out_->openVirtualPort("out");
  in_->ignoreTypes(false, true, true);
  in_->setCallback(&JackInstrument::OnMessage, this);
  in_->openVirtualPort("in");
}

JackInstrument::~JackInstrument() {
  in_->cancelCallback();
  in_->closePort();
  out_->closePort();
}

void JackInstrument::OnMessage(double, std::vector<unsigned char>* message, void* self) {
  auto& me = *static_cast<JackInstrument*>(self);
  std::vector<std::uint8_t> answer;
  {
    const std::lock_guard lock(me.mutex_);
    me.received_.emplace_back(message->begin(), message->end());
    if (!message->empty() && message->front() == 0xF0) {
      me.instrument_.SendSysEx(*message);
    } else {
      me.instrument_.SendShort(*message);
    }
    answer = me.instrument_.TakeReplies();
  }
  if (!answer.empty()) me.out_->sendMessage(&answer);
}

std::vector<std::vector<std::uint8_t>> JackInstrument::Received() {
  const std::lock_guard lock(mutex_);
  return received_;
}

}  // namespace i40::test
