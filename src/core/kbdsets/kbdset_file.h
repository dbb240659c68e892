#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "kbdsets/kbdset_record.h"
#include "setstore/read_result.h"

namespace i40 {

inline constexpr std::size_t kKbdSetRecordsOffset = 32;
inline constexpr std::size_t kKbdSetFileSize = 32 + kKbdSetCount * KbdSetRecord::kSize;  // 1022

ReadResult ReadKbdSetFile(std::span<const std::uint8_t> bytes, KbdSetData& data);
std::vector<std::uint8_t> WriteKbdSetFile(const KbdSetData& data);

}  // namespace i40
