#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace i40 {

// Turns what a MIDI input delivers, in whatever pieces, into complete messages, as a
// MIDI receiver reads the wire: F0 starts a System Exclusive message (dropping one left
// unfinished), F7 ends it, any other status byte but a real-time one ends an unfinished
// one (which is dropped) and starts its own message, and real-time bytes (F8-FF) stand
// alone, also in the middle of a System Exclusive message. Channel messages keep their
// status for the data that follows (running status).
class MidiParser {
 public:
  // A System Exclusive message longer than this is kept whole in count but not in bytes:
  // it is reported with its first bytes only, and ends in no F7 (so it matches nothing
  // an exchange waits for).
  static constexpr std::size_t kMaxKept = 4096;

  // Reads bytes; every message they complete goes to `out`.
  void Feed(std::span<const std::uint8_t> bytes, std::vector<std::vector<std::uint8_t>>& out);
  // Forgets a message under way.
  void Reset();

 private:
  void Put(std::uint8_t byte, std::vector<std::vector<std::uint8_t>>& out);

  std::vector<std::uint8_t> message_;
  bool inSysEx_ = false;
  bool overlong_ = false;
  std::uint8_t runningStatus_ = 0;
  std::size_t dataNeeded_ = 0;
};

}  // namespace i40
