#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/program_record.h"
#include "format/read_error.h"

namespace i40 {

inline constexpr std::size_t kProgramRecordsOffset = 48;
inline constexpr std::size_t kDrumKitRecordsOffset = 22064;
inline constexpr std::size_t kDrumKitDataOffset = 23440;
inline constexpr std::size_t kProgramFileSize = 25200;

// Reads a ".PRG" file: header, 64 Programs, 2 Drum Kits and their data blocks, each at
// its fixed place.
ReadOutcome ReadProgramFile(std::span<const std::uint8_t> bytes, ProgramData& data);

// The whole ".PRG" file (25200 bytes); the two regions that are never read are zeros.
std::vector<std::uint8_t> WriteProgramFile(const ProgramData& data);

// The Program of an ".IPF" file, or the Drum Kit and its data block of an ".IDK" file
// (the header already tested).
ReadOutcome ReadIpfFile(std::span<const std::uint8_t> bytes, ProgramRecord& program);
ReadOutcome ReadIdkFile(std::span<const std::uint8_t> bytes, DrumKit& kit);

}  // namespace i40
