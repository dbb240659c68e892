#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/kbdset_record.h"
#include "format/read_error.h"

namespace i40 {

inline constexpr std::size_t kKbdSetRecordsOffset = 32;
inline constexpr std::size_t kKbdSetFileSize = 32 + kKbdSetCount * KbdSetRecord::kSize;  // 1022

ReadOutcome ReadKbdSetFile(std::span<const std::uint8_t> bytes, KbdSetData& data);
std::vector<std::uint8_t> WriteKbdSetFile(const KbdSetData& data);

}  // namespace i40
