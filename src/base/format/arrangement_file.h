#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/arrangement_record.h"
#include "format/read_error.h"

namespace i40 {

inline constexpr std::size_t kArrangementRecordsOffset = 32;
inline constexpr std::size_t kArrangementLengthFieldOffset = 24;  // in the header
inline constexpr std::size_t kArrangementRecordsSize = 64 * ArrangementRecord::kSize;  // 10496
inline constexpr std::size_t kIafRecordOffset = 5;

// Reads an ".ARR" file: the header, the 64 records and the extra bytes that the
// header's length field says follow them.
ReadOutcome ReadArrangementFile(std::span<const std::uint8_t> bytes, ArrangementData& data);

// The whole ".ARR" file: header as held, the records, then the extra bytes.
std::vector<std::uint8_t> WriteArrangementFile(const ArrangementData& data);

// The one Arrangement of an ".IAF" file (its header already tested).
ReadOutcome ReadIafFile(std::span<const std::uint8_t> bytes, ArrangementRecord& record);

}  // namespace i40
