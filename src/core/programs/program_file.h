#pragma once

#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "programs/program_record.h"
#include "setstore/read_result.h"

namespace i40 {

inline constexpr std::size_t kProgramRecordsOffset = 48;
inline constexpr std::size_t kDrumKitRecordsOffset = 22064;
inline constexpr std::size_t kDrumKitDataOffset = 23440;
inline constexpr std::size_t kProgramFileSize = 25200;

// Reads a ".PRG" file: header, 64 Programs, 2 Drum Kits and their data blocks, each at
// its fixed place.
ReadResult ReadProgramFile(std::span<const std::uint8_t> bytes, ProgramData& data);

// The whole ".PRG" file (25200 bytes); the two regions that are never read are zeros.
std::vector<std::uint8_t> WriteProgramFile(const ProgramData& data);

// A detached Program or Drum Kit: the clipboard, the undo copy or a one-item file.
struct ProgramBuffer {
  static constexpr int kNotFromASet = -1;

  std::int32_t operation = 0;  // undo kind of the last operation
  int sourceSet = 0;           // 0 until something was copied; -1 for a one-item file
  int sourceIndex = -1;
  ProgramRecord record;
  DrumKitData drumKit{};  // only for user index 64-65
};

// The Program of an ".IPF" file, or the Drum Kit and its data block of an ".IDK" file
// (the header already tested).
std::variant<ProgramBuffer, ReadResult> ReadIpfFile(std::span<const std::uint8_t> bytes);
std::variant<ProgramBuffer, ReadResult> ReadIdkFile(std::span<const std::uint8_t> bytes);

}  // namespace i40
