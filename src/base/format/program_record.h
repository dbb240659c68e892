#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "format/item_record.h"

namespace i40 {

inline constexpr int kUserProgramCount = 64;  // user index 0-63
inline constexpr int kUserDrumKitCount = 2;   // user index 64-65
inline constexpr int kUserProgramSlots = kUserProgramCount + kUserDrumKitCount;
inline constexpr std::size_t kDrumKitDataSize = 880;

// One Program or Drum Kit as it stands in the file (172 bytes).
struct ProgramRecord : ItemRecord<172> {};

using DrumKitData = std::array<std::uint8_t, kDrumKitDataSize>;

// A user Drum Kit: its record and its data block.
struct DrumKit {
  ProgramRecord record;
  DrumKitData data{};
};

// The Program component of a Set: records by user index (64 Programs, then the two
// Drum Kits) and the Drum Kits' data blocks.
struct ProgramData {
  static constexpr std::size_t kHeaderSize = 48;

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<ProgramRecord, kUserProgramSlots> records;
  std::array<DrumKitData, kUserDrumKitCount> drumKitData{};

  ProgramData() { records.fill(BlankItemRecord<ProgramRecord>()); }
};

}  // namespace i40
