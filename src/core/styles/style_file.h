#pragma once

#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "setstore/read_result.h"
#include "styles/style_record.h"

namespace i40 {

inline constexpr std::size_t kStyleCountOffset = 21;
inline constexpr std::size_t kStyleTableOffset = 22;
inline constexpr std::size_t kStyleTableEntrySize = 4;
inline constexpr std::size_t kStyleDataOffset = 224;
inline constexpr std::size_t kStyleRecordSpan = 70;      // the record and one unread byte
inline constexpr std::int32_t kMaxStyleLength = 0xFFFF;  // the table stores 16 bits

// Reads a ".STY" file: header, slot table and the entries of the present slots.
ReadResult ReadStyleFile(std::span<const std::uint8_t> bytes, StyleData& data);

// The whole ".STY" file. The gaps (the area before the data, the byte after each record
// and whatever an entry's length holds beyond its data) are zeros.
std::vector<std::uint8_t> WriteStyleFile(const StyleData& data);

// A detached Style: the clipboard, the undo copy or a Style read from an ".ISF" file.
struct StyleBuffer {
  static constexpr int kNotFromASet = -1;

  std::int32_t operation = 0;  // undo kind of the last operation
  int sourceSet = 0;           // 0 until something was copied; -1 for a one-item file
  int sourceSlot = -1;
  std::uint8_t present = 0;
  std::int32_t length = 0;
  StyleRecord record;
  std::vector<std::uint8_t> data;
};

// The Style of an ".ISF" file (its header already tested): record at byte 5, the data
// from byte 75 on, length = file length - 5.
std::variant<StyleBuffer, ReadResult> ReadIsfFile(std::span<const std::uint8_t> bytes);

}  // namespace i40
