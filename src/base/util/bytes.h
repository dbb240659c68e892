#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace i40 {

// The bytes of a text, as a file holds them.
inline std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Little-endian helpers over fixed record bytes. Callers pass offsets from a record's
// layout table, so an offset past the end is a programming error caught by at().

template <std::size_t N>
std::uint16_t GetU16(const std::array<std::uint8_t, N>& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

template <std::size_t N>
void PutU16(std::array<std::uint8_t, N>& bytes, std::size_t offset, std::uint16_t value) {
  bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
  bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

template <std::size_t N>
std::string GetText(const std::array<std::uint8_t, N>& bytes, std::size_t offset,
                    std::size_t width) {
  std::string text(width, ' ');
  for (std::size_t i = 0; i < width; ++i)
    text[i] = static_cast<char>(bytes.at(offset + i));
  return text;
}

// Stores text cut or padded with spaces to the field's width.
template <std::size_t N>
void PutText(std::array<std::uint8_t, N>& bytes, std::size_t offset, std::size_t width,
             std::string_view text) {
  for (std::size_t i = 0; i < width; ++i) {
    bytes.at(offset + i) = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
  }
}

// Text cut or padded with spaces to a width.
inline std::string PadText(std::string_view text, std::size_t width) {
  std::string result(text.substr(0, std::min(text.size(), width)));
  result.resize(width, ' ');
  return result;
}

}  // namespace i40
