#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/bytes.h"

namespace i40 {

inline constexpr std::size_t kNameWidth = 16;
inline constexpr std::string_view kEmptyName = "                ";  // 16 spaces: a free slot

// Arrangements, Styles and Programs all begin with a 16-character name and a category
// byte. Every other byte is held exactly as read and written back unchanged.
template <std::size_t Size>
struct ItemRecord {
  static constexpr std::size_t kSize = Size;
  static constexpr std::size_t kNameOffset = 0;
  static constexpr std::size_t kCategoryOffset = 16;

  std::array<std::uint8_t, Size> bytes{};

  std::string Name() const { return GetText(bytes, kNameOffset, kNameWidth); }
  void SetName(std::string_view name) { PutText(bytes, kNameOffset, kNameWidth, name); }
  bool IsEmpty() const { return Name() == kEmptyName; }

  std::uint8_t Category() const { return bytes[kCategoryOffset]; }
  void SetCategory(std::uint8_t category) { bytes[kCategoryOffset] = category; }

  bool operator==(const ItemRecord&) const = default;
};

// The blank of a kind: all bytes zero, the name blank, category 15.
template <typename Record>
Record BlankItemRecord() {
  Record record;
  record.SetName(kEmptyName);
  record.SetCategory(15);
  return record;
}

}  // namespace i40
