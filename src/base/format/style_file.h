#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "format/read_error.h"
#include "format/style_record.h"

namespace i40 {

inline constexpr std::size_t kStyleCountOffset = 21;
inline constexpr std::size_t kStyleTableOffset = 22;
inline constexpr std::size_t kStyleTableEntrySize = 4;
inline constexpr std::size_t kStyleDataOffset = 224;
inline constexpr std::size_t kStyleRecordSpan = 70;      // the record and one unread byte
inline constexpr std::int32_t kMaxStyleLength = 0xFFFF;  // the table stores 16 bits

// Reads a ".STY" file: header, slot table and the entries of the present slots.
ReadOutcome ReadStyleFile(std::span<const std::uint8_t> bytes, StyleData& data);

// The whole ".STY" file. The gaps (the area before the data, the byte after each record
// and whatever an entry's length holds beyond its data) are zeros.
std::vector<std::uint8_t> WriteStyleFile(const StyleData& data);

// The Style of an ".ISF" file (its header already tested): record at byte 5, the data
// from byte 75 on, length = file length - 5, present. The slot's index is kept.
ReadOutcome ReadIsfFile(std::span<const std::uint8_t> bytes, StyleSlot& style);

}  // namespace i40
