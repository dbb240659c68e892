#include "simulated_instrument.h"

#include "sysex/seven_bit.h"

namespace i40::midi {
namespace {

// Bytes before the packed body: header, function, and the Style block or the two
// Backing Sequence size bytes.
std::size_t DumpPrefixLength(std::uint8_t function) {
  if (function == 0x65) return 6;
  if (function == 0x66) return 7;
  return 5;
}

}  // namespace

std::optional<MidiError> SimulatedInstrument::Open(int output, int input) {
  if (config_.failOpen || output < 0 || input < 0 ||
      output >= static_cast<int>(config_.outputs.size()) ||
      input >= static_cast<int>(config_.inputs.size())) {
    return MidiError{true, "The device is not available."};
  }
  open_ = true;
  ++opens_;
  pending_.clear();
  parser_.Reset();
  return std::nullopt;
}

SendOutcome SimulatedInstrument::SendSysEx(std::span<const std::uint8_t> message,
                                           const SendProgress& progress) {
  if (!open_) return {MidiError{true, "The device is not open."}, false, 0};
  sysEx_.emplace_back(message.begin(), message.end());
  if (progress) progress(message.size(), message.size());
  const SendOutcome sent{std::nullopt, false, message.size()};
  const std::uint8_t channelByte = static_cast<std::uint8_t>(config_.channel & 0x0F);
  const auto answer = [this](std::span<const std::uint8_t> reply) {
    pending_.insert(pending_.end(), config_.noiseBeforeAnswers.begin(),
                    config_.noiseBeforeAnswers.end());
    pending_.insert(pending_.end(), reply.begin(), reply.end());
  };
  const bool identity =
      message.size() == 6 && message[1] == 0x7E && message[3] == 0x06 && message[4] == 0x01;
  if (identity) {
    if (!config_.answersIdentity) return sent;
    const std::uint8_t reply[15] = {
        0xF0, 0x7E, channelByte, 0x06, 0x02, config_.manufacturer, config_.family, 0x00, 0x01, 0x00,
        0x01, 0x00, 0x00,        0x00, 0xF7};
    answer(reply);
    return sent;
  }
  if (message.size() > 5 && message[1] == 0x42) {
    const std::uint8_t function = config_.dumpAnswer == DumpAnswer::NotAcknowledge ? 0x24 : 0x23;
    if (config_.dumpAnswer == DumpAnswer::Silence) return sent;
    const std::uint8_t reply[6] = {
        0xF0, 0x42, static_cast<std::uint8_t>(0x30 | channelByte), config_.family, function, 0xF7};
    answer(reply);
  }
  return sent;
}

std::optional<MidiError> SimulatedInstrument::SendShort(std::span<const std::uint8_t> message) {
  if (!open_) return MidiError{true, "The device is not open."};
  short_.emplace_back(message.begin(), message.end());
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> SimulatedInstrument::Receive(const MessageTest& awaited,
                                                                      double /*timeoutSeconds*/,
                                                                      const MessageSink& ignored) {
  if (!open_) return std::nullopt;
  std::vector<std::vector<std::uint8_t>> messages;
  const std::vector<std::uint8_t> bytes = TakeReplies();
  parser_.Feed(bytes, messages);
  for (std::size_t i = 0; i < messages.size(); ++i) {
    if (awaited && awaited(messages[i])) {
      // What came after it stays for the next wait.
      for (std::size_t j = i + 1; j < messages.size(); ++j)
        pending_.insert(pending_.end(), messages[j].begin(), messages[j].end());
      return messages[i];
    }
    if (ignored) ignored(messages[i]);
  }
  return std::nullopt;
}

std::vector<std::uint8_t> SimulatedInstrument::LastDumpBody() const {
  for (auto it = sysEx_.rbegin(); it != sysEx_.rend(); ++it) {
    const auto& m = *it;
    if (m.size() < 7 || m[1] != 0x42) continue;
    const std::size_t prefix = DumpPrefixLength(m[4]);
    return UnpackSevenBit(std::span(m).subspan(prefix, m.size() - prefix - 1));
  }
  return {};
}

}  // namespace i40::midi
