#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "util/bytes.h"

namespace i40 {

inline constexpr int kBsqCount = 10;
inline constexpr int kBsqTrackCount = 17;  // tracks of recorded events
inline constexpr int kBsqProgramTrackCount = 11;
inline constexpr std::size_t kBsqNameWidth = 10;
inline constexpr int kBsqUnitBytes = 16;  // one unit of sequence memory: 4 events
inline constexpr int kBsqEventsPerUnit = 4;
inline constexpr int kBsqMemoryUnits = 16384;   // shared by all ten sequences
inline constexpr std::int16_t kBsqBase = 5632;  // first track start of an erased bank

// The parameters of one Backing Sequence (209 bytes in the file).
struct BsqRecord {
  static constexpr std::size_t kSize = 209;
  static constexpr std::size_t kArrangementOffset = 10;
  static constexpr std::size_t kStyleOffset = 12;
  static constexpr std::size_t kNextOffset = 46;
  static constexpr std::size_t kFlagsOffset = 47;

  std::array<std::uint8_t, kSize> bytes{};

  std::string Name() const { return GetText(bytes, 0, kBsqNameWidth); }
  void SetName(std::string_view name) { PutText(bytes, 0, kBsqNameWidth, name); }
  bool IsEmpty() const { return Name() == std::string(kBsqNameWidth, ' '); }

  int Arrangement() const { return static_cast<std::int16_t>(GetU16(bytes, kArrangementOffset)); }
  void SetArrangement(int n) { PutU16(bytes, kArrangementOffset, static_cast<std::uint16_t>(n)); }
  int Style() const { return static_cast<std::int16_t>(GetU16(bytes, kStyleOffset)); }
  void SetStyle(int n) { PutU16(bytes, kStyleOffset, static_cast<std::uint16_t>(n)); }

  // The eleven Program calls in the order Upper1, Upper2, Lower, Extra 1-8.
  int TrackProgram(int track) const {
    return static_cast<std::int16_t>(GetU16(bytes, ProgramOffset(track)));
  }
  void SetTrackProgram(int track, int n) {
    PutU16(bytes, ProgramOffset(track), static_cast<std::uint16_t>(n));
  }

  std::uint8_t Next() const { return bytes[kNextOffset]; }
  void SetNext(std::uint8_t next) { bytes[kNextOffset] = next; }
  bool AutoStart() const { return (bytes[kFlagsOffset] & 0x01) != 0; }
  bool ChainToNext() const { return (bytes[kFlagsOffset] & 0x02) != 0; }

  static constexpr std::size_t ProgramOffset(int track) {
    switch (track) {
      case 0:
        return 20;  // Upper1
      case 1:
        return 24;  // Upper2
      case 2:
        return 206;  // Lower
      default:
        return 48 + 16 * static_cast<std::size_t>(track - 3);  // Extra 1-8
    }
  }

  bool operator==(const BsqRecord&) const = default;
};

using BsqTrackTable = std::array<std::array<std::int16_t, kBsqTrackCount>, kBsqCount>;

// The Backing Sequence component of a Set: parameters, where each track starts in the
// instrument's sequence memory, and the recorded events of each sequence.
struct BsqData {
  static constexpr std::size_t kHeaderSize = 16;

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<BsqRecord, kBsqCount> records{};
  BsqTrackTable trackStart{};                             // in units; trackStart[0][0] is the base
  std::int16_t endStart = 0;                              // one past the last track of sequence 9
  std::array<std::vector<std::uint8_t>, kBsqCount> data;  // each sequence's 17 tracks
  // Derived from the starts.
  BsqTrackTable trackLength{};
  std::array<std::int16_t, kBsqCount> size{};
  std::filesystem::path path;  // the file the block was read from or last saved to
};

// The blank of an erased sequence: 10 blanks as name, every other byte 0.
BsqRecord EmptyBsqRecord();

}  // namespace i40
