#include "paced_port.h"

#include <algorithm>
#include <thread>

#include "sysex/paced_send.h"

namespace i40::midi {
namespace {

constexpr const char* kNotOpen = "The MIDI output device is not open.";

}  // namespace

void PacedPort::Attach(std::unique_ptr<MidiOutput> output, std::unique_ptr<MidiInput> input) {
  output_ = std::move(output);
  input_ = std::move(input);
  parser_.Reset();
  parsed_.clear();
  receiveError_.reset();
  wireFree_ = Clock::now();
}

void PacedPort::Detach() {
  const bool wasOpen = attached();
  // The input first: it may be what the output's backend reads back.
  input_.reset();
  output_.reset();
  if (wasOpen && waitEnd_) waitEnd_();
}

double PacedPort::TransferSeconds(std::size_t bytes) const {
  if (output_ != nullptr && output_->TakesWhole()) {
    return static_cast<double>(bytes) / kMidiBytesPerSecond;  // the device's own pace
  }
  return MidiPort::TransferSeconds(bytes);
}

SendOutcome PacedPort::SendSysEx(std::span<const std::uint8_t> message,
                                 const SendProgress& progress) {
  if (output_ == nullptr) return {MidiError{true, kNotOpen}, false, 0};
  const PacketRules rules{pace(), output_->TakesWhole(), output_->MaxPacket()};
  std::size_t lastPacket = 0;
  const SendOutcome outcome = SendInPackets(
      message, rules,
      [&](std::span<const std::uint8_t> packet) {
        lastPacket = packet.size();
        return output_->SendPacket(packet);
      },
      progress);
  // A device that queues the bytes has them on the wire a while yet: the reply's time-out
  // runs from when the last one has left.
  double onTheWire = static_cast<double>(lastPacket) / std::max(pace().bytesPerSecond, 1.0);
  if (rules.whole) {
    onTheWire =
        output_->ReturnsWhenOut() ? 0.0 : static_cast<double>(message.size()) / kMidiBytesPerSecond;
  }
  wireFree_ = Clock::now() +
              std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(onTheWire));
  return outcome;
}

std::optional<MidiError> PacedPort::SendShort(std::span<const std::uint8_t> message) {
  if (output_ == nullptr) return MidiError{true, kNotOpen};
  return output_->SendShort(message);
}

bool PacedPort::Wait(Clock::time_point start, Clock::time_point deadline) {
  const auto now = Clock::now();
  const bool goOn =
      !waitHook_ || waitHook_(std::chrono::duration<double>(now - start).count(),
                              std::chrono::duration<double>(deadline - start).count());
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return goOn;
}

std::optional<std::vector<std::uint8_t>> PacedPort::Receive(const MessageTest& awaited,
                                                            double timeoutSeconds,
                                                            const MessageSink& ignored) {
  cancelled_ = false;
  receiveError_.reset();
  const auto start = Clock::now();
  const auto deadline =
      std::max(start, wireFree_) +
      std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
  std::vector<std::uint8_t> bytes;
  for (;;) {
    if (input_ != nullptr) {
      bytes.clear();
      receiveError_ = input_->Take(bytes);
      parser_.Feed(bytes, parsed_);
      while (!parsed_.empty()) {
        std::vector<std::uint8_t> message = std::move(parsed_.front());
        parsed_.erase(parsed_.begin());
        if (awaited && awaited(message)) return message;
        // Real time (clock, active sensing) says nothing worth keeping.
        if (ignored && !(message.size() == 1 && message[0] >= 0xF8)) ignored(message);
      }
      if (receiveError_) return std::nullopt;
    }
    if (Clock::now() >= deadline) return std::nullopt;
    if (!Wait(start, deadline)) {
      cancelled_ = true;
      return std::nullopt;
    }
  }
}

void PacedPort::Pause(double seconds) {
  const auto start = Clock::now();
  const auto end =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  while (Clock::now() < end)
    Wait(start, end);
  // A pause after the devices have closed (the settling time after MIDI Setup) is the
  // last wait of its exchange.
  if (!attached() && waitEnd_) waitEnd_();
}

}  // namespace i40::midi
