#include "sysex/paced_send.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace i40 {
namespace {

using Clock = std::chrono::steady_clock;

Clock::duration Seconds(double seconds) {
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// What the sending thread and the waiting one share.
struct SendState {
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t sent = 0;
  bool stop = false;
  bool done = false;
  SendOutcome outcome;
};

}  // namespace

double PacedSeconds(const MidiPace& pace, std::size_t bytes) {
  if (bytes == 0) return 0;
  const std::size_t packet = std::max<std::size_t>(pace.packetBytes, 1);
  const std::size_t pauses = (bytes + packet - 1) / packet - 1;
  return static_cast<double>(bytes) / std::max(pace.bytesPerSecond, 1.0) +
         static_cast<double>(pauses) * pace.pauseMs / 1000.0;
}

std::size_t PacketSize(const PacketRules& rules, std::size_t messageSize) {
  if (rules.whole) return std::max<std::size_t>(messageSize, 1);
  std::size_t size = std::clamp(rules.pace.packetBytes, MidiPace::kMinPacket, MidiPace::kMaxPacket);
  if (rules.maxPacket > 0) size = std::min(size, rules.maxPacket);
  return std::max<std::size_t>(size, 1);
}

SendOutcome SendInPackets(std::span<const std::uint8_t> message, const PacketRules& rules,
                          const PacketSink& sink, const SendProgress& progress) {
  const std::size_t total = message.size();
  const std::size_t packet = PacketSize(rules, total);
  const double bytesPerSecond = std::max(rules.pace.bytesPerSecond, 1.0);
  const auto pause = Seconds(std::clamp(rules.pace.pauseMs, 0, MidiPace::kMaxPauseMs) / 1000.0);
  SendState state;
  const auto start = Clock::now();

  std::thread sender([&] {
    std::size_t offset = 0;
    std::optional<MidiError> error;
    bool stopped = false;
    // Each packet waits for the one before it to have had its time on the wire, counted
    // from when it really left: a sender held up never catches up in a burst that a
    // device's buffer (a JACK cycle, an interface) would not take.
    auto due = start;
    while (offset < total) {
      {
        std::unique_lock lock(state.mutex);
        if (!rules.whole) state.changed.wait_until(lock, due, [&] { return state.stop; });
        if (state.stop) {
          stopped = true;
          break;
        }
      }
      const std::size_t length = std::min(packet, total - offset);
      const auto left = Clock::now();
      error = sink(message.subspan(offset, length));
      if (error) break;
      offset += length;
      due = left + Seconds(static_cast<double>(length) / bytesPerSecond) + pause;
      const std::lock_guard lock(state.mutex);
      state.sent = offset;
      state.changed.notify_all();
    }
    if (stopped && offset > 0 && offset < total) {
      const std::uint8_t endOfExclusive[] = {0xF7};
      sink(endOfExclusive);  // the dump is over, whatever the device says to it
    }
    const std::lock_guard lock(state.mutex);
    state.outcome.error = error;
    state.outcome.cancelled = stopped && offset < total;
    state.outcome.sent = offset;
    state.done = true;
    state.changed.notify_all();
  });

  std::unique_lock lock(state.mutex);
  while (!state.done) {
    state.changed.wait_for(lock, std::chrono::milliseconds(kProgressSliceMs));
    if (state.done || !progress) continue;
    std::size_t sent = state.sent;
    if (rules.whole) {
      // One call carries all of it: the time tells how far it has come.
      const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
      sent = std::min(total - 1, static_cast<std::size_t>(elapsed * bytesPerSecond));
    }
    lock.unlock();
    const bool goOn = progress(sent, total);
    lock.lock();
    if (!goOn && !state.stop) {
      state.stop = true;
      state.changed.notify_all();
    }
  }
  lock.unlock();
  sender.join();
  if (progress && !state.outcome.error && !state.outcome.cancelled) progress(total, total);
  return state.outcome;
}

}  // namespace i40
